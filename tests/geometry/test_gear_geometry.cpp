// The record half of building an external gear: set-up, transverse values,
// circles, thicknesses, undercut and pointed tip, and the input guards.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "geometry/gear_geometry.h"
#include "geometry/involute.h"
#include "geometry/outline_builder.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();
}  // namespace

TEST(InitGearRecord, FillsTheInputsOnly) {
  GearRecord rec;
  rec.valid = 1;
  rec.isRack = 1;
  rec.isInternal = 1;
  rec.warnings = "kept";
  rec.keyBearingHeight = 4.5;
  rec.outline.resize(3);
  rec.thicknessAllowance = 0.2;
  rec.hubSide = 3;
  rec.keyWidth = 6.0;
  rec.keyFromDin = 1;
  rec.addendumFactor = 0.8;
  EXPECT_EQ(InitGearRecord(rec, 2.5, 17, 0.3, 20.0, 25.0, 12.0, 0.1, -15.0, 0), 0);
  EXPECT_EQ(rec.normalModule, 2.5);
  EXPECT_EQ(rec.teeth, 17);
  EXPECT_EQ(rec.profileShift, 0.3);
  EXPECT_NEAR(rec.pressureAngle, Deg(20.0), 1e-15);
  EXPECT_NEAR(rec.helixAngle, Deg(15.0), 1e-15);  // the absolute value
  EXPECT_EQ(rec.hand, 1);                          // 0 is stored as +1
  EXPECT_EQ(rec.faceWidth, 25.0);
  EXPECT_EQ(rec.boreDiameter, 12.0);
  EXPECT_EQ(rec.tipShortening, 0.1);
  EXPECT_EQ(rec.thicknessAllowance, 0.0);
  EXPECT_EQ(rec.hubSide, 0);
  EXPECT_EQ(rec.keyWidth, 0.0);
  EXPECT_EQ(rec.keyFromDin, 0);
  EXPECT_EQ(rec.addendumFactor, 1.0);
  EXPECT_EQ(rec.dedendumFactor, 1.25);
  EXPECT_EQ(rec.toolTipRadiusFactor, 0.38);
  // Untouched:
  EXPECT_EQ(rec.valid, 1);
  EXPECT_EQ(rec.isRack, 1);
  EXPECT_EQ(rec.isInternal, 1);
  EXPECT_EQ(rec.warnings, "kept");
  EXPECT_EQ(rec.keyBearingHeight, 4.5);
  EXPECT_EQ(rec.outline.size(), 3u);

  InitGearRecord(rec, 2.5, 17, 0.3, 20.0, 25.0, 12.0, 0.1, 15.0, -1);
  EXPECT_EQ(rec.hand, -1);
}

TEST(BuildGearGeometry, WorkedSpurGear) {
  // m 2, z 20, x 0, 20 deg: mt 2, r 20, rb 18.794, s pi, rf 17.5, ra 22,
  // x min -0.170 (no undercut), not pointed, tip thickness 1.390.
  const GearRecord rec = MakeGear(2.0, 20, 0.0);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_NEAR(rec.transverseModule, 2.0, 1e-15);
  EXPECT_NEAR(rec.pitchRadius, 20.0, 1e-12);
  EXPECT_NEAR(rec.baseRadius, 18.794, 5e-4);
  EXPECT_NEAR(rec.pitchThickness, kPi, 1e-12);
  EXPECT_NEAR(rec.rootRadius, 17.5, 1e-12);
  EXPECT_NEAR(rec.tipRadius, 22.0, 1e-12);
  EXPECT_NEAR(rec.minProfileShift, -0.170, 5e-4);
  EXPECT_EQ(rec.undercut, 0);
  EXPECT_EQ(rec.pointed, 0);
  EXPECT_NEAR(rec.tipThickness, 1.390, 5e-4);
  EXPECT_GE(rec.formRadius, rec.baseRadius);
}

// Published pair examples: pitch, base, tip and root diameters. Their tips are
// shortened by k = sum x - y to keep the clearance of 0.25 m.
TEST(BuildGearGeometry, PublishedDiameters) {
  struct Case {
    const char* name;
    double m;
    int64_t z;
    double x, beta, k;
    double d, db, da, df;
  };
  const Case cases[] = {
      {"E1 gear 1", 3, 12, 0.60, 0, 0.96 - 0.83329, 36.000, 33.8289, 44.840, 32.100},
      {"E1 gear 2", 3, 24, 0.36, 0, 0.96 - 0.83329, 72.000, 67.6579, 79.400, 66.660},
      {"E2 gear 1", 3, 12, 0.09809, 30, 0.09809 - 0.09744, 41.569, 38.322, 48.153, 34.657},
      {"E2 gear 2", 3, 60, 0.0, 30, 0.09809 - 0.09744, 207.846, 191.611, 213.842, 200.346},
      {"E3 pinion", 2.5, 20, 0.0, 10.96361, 0.0, 50.92956, 47.75343, 55.929, 44.679},
      {"E4 pinion", 3, 16, 0.0, 0, 0.0, 48.000, 45.1052, 54.000, 40.500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, c.beta, 0.0, 1, c.k);
    ASSERT_EQ(rec.valid, 1);
    EXPECT_NEAR(2.0 * rec.pitchRadius, c.d, 1e-3);
    EXPECT_NEAR(2.0 * rec.baseRadius, c.db, 1e-3);
    EXPECT_NEAR(2.0 * rec.tipRadius, c.da, 1.5e-3);
    EXPECT_NEAR(2.0 * rec.rootRadius, c.df, 1.5e-3);
  }
  // Transverse pressure angles of E2 and E3.
  EXPECT_NEAR(MakeGear(3, 12, 0.09809, 20, 30).transversePressureAngle, Deg(22.79588), 1e-7);
  EXPECT_NEAR(MakeGear(2.5, 20, 0, 20, 10.96361).transversePressureAngle, Deg(20.34160), 1e-7);
}

// mt cos alpha_t cos beta_b = mn cos alpha_n: the normal base pitch equals the
// transverse base pitch turned by the base helix angle.
TEST(BuildGearGeometry, BasePitchIdentity) {
  for (double beta : {0.0, 8.0, 15.0, 22.5, 30.0, 45.0, 60.0}) {
    for (double alpha : {14.5, 20.0, 25.0}) {
      SCOPED_TRACE(beta);
      const GearRecord rec = MakeGear(2.0, 25, 0.0, alpha, beta);
      ASSERT_EQ(rec.valid, 1);
      EXPECT_NEAR(rec.transverseModule * std::cos(rec.transversePressureAngle) *
                      std::cos(rec.baseHelixAngle),
                  2.0 * std::cos(Deg(alpha)), 1e-13);
      EXPECT_LT(rec.baseRadius, rec.pitchRadius);
    }
  }
}

// Tip thickness as an arc: s_a = d_a (s / d + inv alpha_t - inv alpha_a) with
// cos alpha_a = d_b / d_a and s = mt (pi / 2 + 2 xE tan alpha_n).
TEST(BuildGearGeometry, TipThicknessFromTheInvoluteFormula) {
  struct Case {
    double m;
    int64_t z;
    double x, beta, allowance;
  };
  for (Case c : {Case{2, 20, 0, 0, 0}, Case{3, 12, 0.6, 0, 0}, Case{3, 12, 0.1, 30, 0},
                 Case{1.5, 41, -0.3, 12, 0.08}, Case{4, 30, 0.4, 20, 0.15}}) {
    SCOPED_TRACE(c.z);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, c.beta, c.allowance);
    ASSERT_EQ(rec.valid, 1);
    ASSERT_EQ(rec.pointed, 0);
    const double an = Deg(20.0);
    const double mt = c.m / std::cos(Deg(c.beta));
    const double at = std::atan(std::tan(an) / std::cos(Deg(c.beta)));
    const double d = mt * c.z;
    const double db = d * std::cos(at);
    const double xE = c.x - c.allowance / (2.0 * c.m * std::tan(an));
    const double s = mt * (kPi / 2.0 + 2.0 * xE * std::tan(an));
    const double da = d + 2.0 * c.m * (1.0 + c.x);
    const double aa = std::acos(db / da);
    const double sa = da * (s / d + TextbookInvolute(at) - TextbookInvolute(aa));
    EXPECT_NEAR(2.0 * rec.tipRadius, da, 1e-12);
    EXPECT_NEAR(rec.tipThickness, sa, 1e-10);
    EXPECT_NEAR(rec.pitchThickness, s, 1e-12);
    EXPECT_NEAR(rec.toolShift, xE, 1e-14);
    // The root circle comes from the cut, so from xE: df = d + 2 xE m - 2.5 m.
    EXPECT_NEAR(2.0 * rec.rootRadius, d + 2.0 * xE * c.m - 2.5 * c.m, 1e-12);
  }
}

// Where the tool's straight flank begins (height rho (1 - sin alpha_n) above
// the tip line) it generates the first involute point; on the line of action
// that point lies h / sin alpha_t from the pitch point, h its depth below the
// pitch line: rs^2 = rb^2 + (r sin alpha_t - h / sin alpha_t)^2.
TEST(BuildGearGeometry, FormRadiusWhereTheToolFlankBegins) {
  struct Case {
    double m;
    int64_t z;
    double x, beta;
  };
  for (Case c : {Case{2, 20, 0, 0}, Case{3, 12, 0.6, 0}, Case{3, 12, 0.3, 30}, Case{1, 50, -0.5, 0},
                 Case{2, 31, 0.2, 18}}) {
    SCOPED_TRACE(c.z);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, c.beta);
    ASSERT_EQ(rec.valid, 1);
    ASSERT_EQ(rec.undercut, 0);
    const double an = Deg(20.0);
    const double at = std::atan(std::tan(an) / std::cos(Deg(c.beta)));
    const double r = c.m * c.z / std::cos(Deg(c.beta)) / 2.0;
    const double rb = r * std::cos(at);
    const double rf = r + c.x * c.m - 1.25 * c.m;
    const double h = r - (rf + 0.38 * c.m * (1.0 - std::sin(an)));
    const double roll = r * std::sin(at) - h / std::sin(at);
    EXPECT_NEAR(rec.formRadius, std::sqrt(rb * rb + roll * roll), 1e-9);
  }
}

TEST(BuildGearGeometry, PointedToothLowersTheTip) {
  // m 2, z 10, x 1: the flanks meet at 13.685, inside the tip circle 14.
  const GearRecord rec = MakeGear(2.0, 10, 1.0);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_EQ(rec.pointed, 1);
  EXPECT_NEAR(rec.tipRadius, 13.685, 5e-4);
  EXPECT_LT(rec.tipThickness, 1e-9);
  EXPECT_GE(rec.tipThickness, 0.0);
  // Independently: at the meeting radius s / d + inv alpha_t = inv alpha_y.
  const double at = Deg(20.0);
  const double s = 2.0 * (kPi / 2.0 + 2.0 * std::tan(at));
  const double target = s / 20.0 + TextbookInvolute(at);
  EXPECT_NEAR(TextbookInvolute(std::acos(rec.baseRadius / rec.tipRadius)), target, 1e-12);

  // A tip shortening that brings the tip below the meeting radius: not pointed.
  const GearRecord shortened = MakeGear(2.0, 10, 1.0, 20.0, 0.0, 0.0, 1, 0.25);
  ASSERT_EQ(shortened.valid, 1);
  EXPECT_EQ(shortened.pointed, 0);
  EXPECT_NEAR(shortened.tipRadius, 13.5, 1e-12);
}

TEST(BuildGearGeometry, UndercutComparesTheToolShift) {
  // z 12: x min = 0.298. x 0.30 is just clear; an allowance moves the tool in.
  EXPECT_EQ(MakeGear(3.0, 12, 0.30).undercut, 0);
  EXPECT_EQ(MakeGear(3.0, 12, 0.30, 20.0, 0.0, 0.05).undercut, 1);
  EXPECT_EQ(MakeGear(3.0, 12, 0.29).undercut, 1);
  EXPECT_EQ(MakeGear(2.0, 8, 0.0).undercut, 1);
}

TEST(BuildGearGeometry, RebuildReplacesTheOutline) {
  GearRecord rec = MakeGear(2.0, 20, 0.0);
  const size_t curves = rec.outline.size();
  BuildGearGeometry(rec, 1);
  EXPECT_EQ(rec.outline.size(), curves);
  rec.teeth = 30;
  BuildGearGeometry(rec, 1);
  EXPECT_EQ(rec.outline.size(), curves / 20 * 30);
}

// Tooth 0 alone, turned to every tooth, is the whole outline point for point,
// and the record around it is the same: for spur and helical gears, undercut,
// pointed and thinned ones, at every density in use.
TEST(BuildGearGeometryFirstTooth, TurnedToothZeroIsTheWholeOutline) {
  struct Case {
    const char* name;
    GearRecord rec;
  };
  const Case cases[] = {
      {"spur z 20", MakeGear(2.0, 20, 0.0)},
      {"undercut z 8", MakeGear(1.0, 8, 0.0)},
      {"pointed z 6 x 0.8", MakeGear(2.0, 6, 0.8)},
      {"helical z 13 beta 30", MakeGear(1.5, 13, -0.3, 25.0, 30.0)},
      {"thinned helical z 31", MakeGear(2.0, 31, 0.2, 20.0, 15.0, 0.08, 1, 0.1)},
      {"spur z 200", MakeGear(2.0, 200, 0.0)},
  };
  for (const Case& c : cases) {
    for (int density : {1, 3, 4, 8, 16}) {
      const std::string where = std::string(c.name) + " density " + std::to_string(density);
      GearRecord whole = c.rec;
      GearRecord first = c.rec;
      ASSERT_EQ(BuildGearGeometry(whole, density), 1) << where;
      ASSERT_EQ(BuildGearGeometryFirstTooth(first, density), 1) << where;
      const auto z = static_cast<size_t>(whole.teeth);
      ASSERT_EQ(first.outline.size() * z, whole.outline.size()) << where;
      const size_t perTooth = first.outline.size();
      for (size_t t = 0; t < z; ++t) {
        const ToothTurn turn = ComputeToothTurn(whole.teeth, static_cast<int64_t>(t));
        for (size_t k = 0; k < perTooth; ++k) {
          const std::vector<OutlinePoint>& source = first.outline[k].points;
          const std::vector<OutlinePoint>& target = whole.outline[t * perTooth + k].points;
          ASSERT_EQ(source.size(), target.size()) << where;
          for (size_t i = 0; i < source.size(); ++i) {
            const OutlinePoint p = t == 0 ? source[i] : TurnOutlinePoint(source[i], turn);
            ASSERT_EQ(p.x, target[i].x) << where << " tooth " << t;
            ASSERT_EQ(p.y, target[i].y) << where << " tooth " << t;
          }
        }
      }
      // The rest of the record: the two differ in the outline alone.
      first.outline.clear();
      whole.outline.clear();
      EXPECT_EQ(first.tipRadius, whole.tipRadius) << where;
      EXPECT_EQ(first.formRadius, whole.formRadius) << where;
      EXPECT_EQ(first.tipThickness, whole.tipThickness) << where;
      EXPECT_EQ(first.span, whole.span) << where;
      EXPECT_EQ(first.overPins, whole.overPins) << where;
      EXPECT_EQ(first.undercut, whole.undercut) << where;
      EXPECT_EQ(first.pointed, whole.pointed) << where;
      EXPECT_EQ(first.valid, whole.valid) << where;
    }
  }
}

// Every guard rejects its bad value, NaN and infinities alike: valid = 0 and
// an empty outline, even on a record that held a valid gear before.
TEST(BuildGearGeometry, GuardsRejectInvalidInputs) {
  struct Case {
    const char* name;
    void (*spoil)(GearRecord&);
    int density;
  };
  const Case cases[] = {
      {"z 2", [](GearRecord& r) { r.teeth = 2; }, 1},
      {"z negative", [](GearRecord& r) { r.teeth = -20; }, 1},
      {"z absurdly large", [](GearRecord& r) { r.teeth = int64_t{1} << 40; }, 1},
      {"m 0", [](GearRecord& r) { r.normalModule = 0.0; }, 1},
      {"m negative", [](GearRecord& r) { r.normalModule = -2.0; }, 1},
      {"m NaN", [](GearRecord& r) { r.normalModule = kNaN; }, 1},
      {"m infinite", [](GearRecord& r) { r.normalModule = kInf; }, 1},
      {"beta 85", [](GearRecord& r) { r.helixAngle = Deg(85.0); }, 1},
      {"beta NaN", [](GearRecord& r) { r.helixAngle = kNaN; }, 1},
      {"beta infinite", [](GearRecord& r) { r.helixAngle = kInf; }, 1},
      {"alpha 0", [](GearRecord& r) { r.pressureAngle = 0.0; }, 1},
      {"alpha negative", [](GearRecord& r) { r.pressureAngle = Deg(-20.0); }, 1},
      {"alpha 90", [](GearRecord& r) { r.pressureAngle = Deg(90.0); }, 1},
      {"alpha 120", [](GearRecord& r) { r.pressureAngle = Deg(120.0); }, 1},
      {"alpha NaN", [](GearRecord& r) { r.pressureAngle = kNaN; }, 1},
      {"x NaN", [](GearRecord& r) { r.profileShift = kNaN; }, 1},
      {"x infinite", [](GearRecord& r) { r.profileShift = -kInf; }, 1},
      {"k NaN", [](GearRecord& r) { r.tipShortening = kNaN; }, 1},
      {"allowance NaN", [](GearRecord& r) { r.thicknessAllowance = kNaN; }, 1},
      {"allowance infinite", [](GearRecord& r) { r.thicknessAllowance = kInf; }, 1},
      {"addendum NaN", [](GearRecord& r) { r.addendumFactor = kNaN; }, 1},
      {"dedendum NaN", [](GearRecord& r) { r.dedendumFactor = kNaN; }, 1},
      {"tool tip radius NaN", [](GearRecord& r) { r.toolTipRadiusFactor = kNaN; }, 1},
      {"tool tip radius negative", [](GearRecord& r) { r.toolTipRadiusFactor = -0.38; }, 1},
      {"root radius <= 0", [](GearRecord& r) { r.teeth = 3; r.profileShift = -0.5; }, 1},
      {"z 50000 at density 16: too many points", [](GearRecord& r) { r.teeth = 50000; }, 16},
      {"density 0", [](GearRecord&) {}, 0},
      {"density negative", [](GearRecord&) {}, -4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = MakeGear(2.0, 20, 0.0);
    ASSERT_EQ(rec.valid, 1);
    c.spoil(rec);
    BuildGearGeometry(rec, c.density);
    EXPECT_EQ(rec.valid, 0);
    EXPECT_TRUE(rec.outline.empty());
  }
}

// Regression: an allowance larger than the tooth thinned the flanks away
// (they met at or below the start of the involute, or the two sides' fillets
// crossed the tooth centre line) and still gave a "valid" gear. At As 2.5 the
// undercut tooth is thin and pointed but whole: its fillets keep 0.01 rad
// from the centre line (checked against a sampled fillet in the undercut
// fillet tests); by As 2.8 they meet.
TEST(BuildGearGeometry, AllowanceThatRemovesTheFlanksIsInvalid) {
  struct Case {
    double allowance;
    int valid;
  };
  for (Case c : {Case{0.5, 1}, Case{1.0, 1}, Case{2.5, 1}, Case{2.8, 0}, Case{3.0, 0}, Case{3.2, 0},
                 Case{5.0, 0}}) {
    SCOPED_TRACE(c.allowance);
    const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, 0.0, c.allowance);
    EXPECT_EQ(rec.valid, c.valid);
    EXPECT_EQ(rec.outline.empty(), c.valid == 0);
  }
}

TEST(GearFeatures, HubAndKeyway) {
  GearRecord rec;
  EXPECT_EQ(GearHasHub(rec), 0);
  rec.hubSide = 2;
  rec.hubDiameter = 40.0;
  rec.hubLength = 15.0;
  EXPECT_EQ(GearHasHub(rec), 1);
  rec.hubLength = kNaN;
  EXPECT_EQ(GearHasHub(rec), 0);

  rec.boreDiameter = 20.0;
  rec.keyWidth = 6.0;
  rec.hubKeywayDepth = 2.8;
  EXPECT_EQ(GearHasKeyway(rec), 1);
  rec.keyWidth = 20.0;  // as wide as the bore: no keyway
  EXPECT_EQ(GearHasKeyway(rec), 0);
  rec.keyWidth = kNaN;
  EXPECT_EQ(GearHasKeyway(rec), 0);
  rec.keyWidth = 6.0;
  rec.hubKeywayDepth = 0.0;
  EXPECT_EQ(GearHasKeyway(rec), 0);
}
