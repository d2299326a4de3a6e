// Inspection dimensions: span Wk over k teeth and the dimension over pins,
// against the DIN 3960 formulas of the normal section and published examples.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/gauge_dimensions.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {

struct Case {
  double m;
  int64_t z;
  double x, beta, allowance;
};

const Case kCases[] = {
    {2, 20, 0, 0, 0},        {1, 20, 0, 0, 0},     {3, 12, 0.6, 0, 0},   {3, 12, 0.1, 30, 0},
    {2, 21, 0.3, 0, 0.05},   {8, 17, 0.14522, 15.8, 0}, {1.5, 55, -0.3, 22, 0.1},
    {2.5, 33, 0.2, 10, 0},
};

double TransverseAngle(const Case& c) {
  return std::atan(std::tan(Deg(20.0)) / std::cos(Deg(c.beta)));
}

double ToolShift(const Case& c) { return c.x - c.allowance / (2.0 * c.m * std::tan(Deg(20.0))); }

}  // namespace

// Worked example: m 2, z 20, x 0: k 3, Wk 15.321, ideal pin 3.449 -> 3.45.
TEST(InspectionDimensions, WorkedSpurGear) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_EQ(rec.spanTeeth, 3);
  EXPECT_NEAR(rec.span, 15.321, 5e-4);
  EXPECT_NEAR(rec.pinDiameter, 3.45, 1e-12);
  EXPECT_EQ(rec.spanAxialLength, 0.0);
}

// Wk = mn cos alpha_n [pi (k - 0.5) + z inv alpha_t] + 2 xE mn sin alpha_n.
TEST(InspectionDimensions, SpanMatchesTheNormalSectionFormula) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.z);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, c.beta, c.allowance);
    ASSERT_EQ(rec.valid, 1);
    const double an = Deg(20.0);
    const double k = static_cast<double>(rec.spanTeeth);
    const double w = c.m * std::cos(an) * (kPi * (k - 0.5) + c.z * TextbookInvolute(TransverseAngle(c))) +
                     2.0 * ToolShift(c) * c.m * std::sin(an);
    EXPECT_NEAR(rec.span, w, 1e-10);
    const double betaB = std::asin(std::sin(Deg(c.beta)) * std::cos(an));
    EXPECT_NEAR(rec.spanAxialLength, w * std::sin(betaB), 1e-10);
    // The caliper touches the flanks within the tooth height.
    EXPECT_GT(rec.spanContactRadius, rec.baseRadius);
    EXPECT_LT(rec.spanContactRadius, rec.tipRadius);
  }
}

// ISO/TR 6336-30 example 1 pinion: z 17, mn 8, beta 15.8 deg, nominal x
// 0.14522 and effective xE 0.11779: over k = 2 teeth Wk = 38.196. The
// program spans k = 3 here (z' = 18.97); one base pitch pi mn cos alpha_n
// separates the two.
TEST(InspectionDimensions, PublishedHelicalSpan) {
  const double x = 0.14522;
  const double allowance = (x - 0.11779) * 2.0 * 8.0 * std::tan(Deg(20.0));
  const GearRecord rec = MakeGear(8.0, 17, x, 20.0, 15.8, allowance);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_NEAR(rec.toolShift, 0.11779, 1e-9);
  EXPECT_EQ(rec.spanTeeth, 3);
  const double basePitch = kPi * 8.0 * std::cos(Deg(20.0));
  EXPECT_NEAR(rec.span - static_cast<double>(rec.spanTeeth - 2) * basePitch, 38.196, 1e-3);
}

// Regression: for heavily undercut gears (z 20, x <= -0.65) the acos argument
// of the spanned tooth count exceeded 1; the NaN went into an integer. The
// count is 1, or 2 where the points of a span over one tooth would lie below
// the form radius (sqrt(rb^2 + (W1 / 2)^2) < rF).
TEST(InspectionDimensions, SpanOfHeavilyNegativeShift) {
  for (double x : {-0.6, -0.65, -0.8, -1.0}) {
    SCOPED_TRACE(x);
    const GearRecord rec = MakeGear(2.0, 20, x);
    ASSERT_EQ(rec.valid, 1);
    const double w1 = 2.0 * std::cos(Deg(20)) * (kPi * 0.5 + 20 * TextbookInvolute(Deg(20))) +
                      2.0 * x * 2.0 * std::sin(Deg(20));
    const double rb = 20.0 * std::cos(Deg(20));
    const int64_t k = std::hypot(rb, w1 / 2.0) >= rec.formRadius ? 1 : 2;
    EXPECT_EQ(rec.spanTeeth, k);
    EXPECT_TRUE(std::isfinite(rec.span));
    EXPECT_NEAR(rec.span, w1 + static_cast<double>(k - 1) * kPi * 2.0 * std::cos(Deg(20)), 1e-10);
    EXPECT_LE(rec.spanContactRadius, rec.tipRadius);
    EXPECT_GE(rec.spanContactRadius, rec.formRadius);
  }
}

TEST(InspectionDimensions, SpannedTeethAreLimited) {
  // z 3: at most 2 teeth; a large positive shift asks for many.
  const GearRecord small = MakeGear(5.0, 3, 0.4);
  ASSERT_EQ(small.valid, 1);
  EXPECT_GE(small.spanTeeth, 1);
  EXPECT_LE(small.spanTeeth, 2);
  EXPECT_EQ(MakeGear(2.0, 9, 1.0, 20.0, 0.0, 0.0, 1, 0.5).spanTeeth, 2);
  // More teeth, more spanned: z 60 at x 0 spans 7 (k ~ z / 9 + 0.5).
  EXPECT_EQ(MakeGear(2.0, 60, 0.0).spanTeeth, 7);
}

// E6: m 1, z 20, x 0: the pin 1.7 sits at alpha_M 24.1350 deg, M 22.2941.
TEST(InspectionDimensions, PublishedDimensionOverPins) {
  const GearRecord rec = MakeGear(1.0, 20, 0.0);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_NEAR(rec.pinDiameter, 1.7, 1e-12);
  EXPECT_NEAR(rec.overPins, 22.2941, 1e-4);
  const double rM = (rec.overPins - rec.pinDiameter) / 2.0;
  EXPECT_NEAR(std::acos(rec.baseRadius / rM), Deg(24.1350), 1e-6);
}

// inv alpha_M = inv alpha_t + DM / (mn z cos alpha_n) - pi / (2 z) + 2 xE tan alpha_n / z,
// dM = db / cos alpha_M; M = dM + DM for even z, dM cos(90 deg / z) + DM for odd z.
TEST(InspectionDimensions, OverPinsMatchesTheTextbookFormula) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.z);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, c.beta, c.allowance);
    ASSERT_EQ(rec.valid, 1);
    const double an = Deg(20.0);
    const double at = TransverseAngle(c);
    const double z = static_cast<double>(c.z);
    const double dm = rec.pinDiameter;
    ASSERT_GT(dm, 0.0);
    const double invM = TextbookInvolute(at) + dm / (c.m * z * std::cos(an)) - kPi / (2.0 * z) +
                        2.0 * ToolShift(c) * std::tan(an) / z;
    // Solve inv alpha_M = invM by bisection, independently of the code.
    double lo = 0.0;
    double hi = 1.5;
    for (int i = 0; i < 200; ++i) {
      const double mid = 0.5 * (lo + hi);
      (TextbookInvolute(mid) < invM ? lo : hi) = mid;
    }
    const double db = c.m / std::cos(Deg(c.beta)) * z * std::cos(at);
    const double dM = db / std::cos(lo);
    const double expected = c.z % 2 == 0 ? dM + dm : dM * std::cos(kPi / (2.0 * z)) + dm;
    EXPECT_NEAR(rec.overPins, expected, 1e-9);
    EXPECT_EQ(rec.pinProtrudes, rec.tipRadius < dM / 2.0 + dm / 2.0 ? 1 : 0);
    EXPECT_GT(rec.pinContactRadius, rec.baseRadius);
    EXPECT_LT(rec.pinContactRadius, rec.tipRadius);
  }
}

TEST(InspectionDimensions, PinDiameterRounding) {
  // The ideal pin of z 20, x 0 is 1.7245 m: 0.05 mm steps from 1 mm up,
  // 0.01 mm steps below.
  EXPECT_NEAR(MakeGear(2.0, 20, 0.0).pinDiameter, 3.45, 1e-12);
  EXPECT_NEAR(MakeGear(0.5, 20, 0.0).pinDiameter, 0.86, 1e-12);
  EXPECT_NEAR(MakeGear(0.3, 20, 0.0).pinDiameter, 0.52, 1e-12);
  EXPECT_NEAR(MakeGear(4.0, 20, 0.0).pinDiameter, 6.90, 1e-12);
}

// An allowance As thins the tooth: Wk falls by As cos alpha_n, Md over the
// same pin falls too, and the spanned tooth count stays.
TEST(InspectionDimensions, AllowanceLowersSpanAndPins) {
  for (double beta : {0.0, 20.0}) {
    const GearRecord plain = MakeGear(2.0, 20, 0.0, 20.0, beta);
    const GearRecord thin = MakeGear(2.0, 20, 0.0, 20.0, beta, 0.02);
    EXPECT_EQ(plain.spanTeeth, thin.spanTeeth);
    EXPECT_NEAR(plain.span - thin.span, 0.02 * std::cos(Deg(20.0)), 1e-12);
    // Over the same pin (a larger allowance may round to the next pin size).
    ASSERT_EQ(plain.pinDiameter, thin.pinDiameter);
    EXPECT_LT(thin.overPins, plain.overPins);
  }
}

// Regression: with the shifted pitch circle inside the virtual base circle
// the fallback contact radius could fall inside it as well, and the pin
// diameter became NaN.
TEST(InspectionDimensions, PinFallbackStaysAboveTheBaseCircle) {
  GearRecord rec = MakeGear(2.0, 20, 0.0);
  ASSERT_EQ(rec.valid, 1);
  rec.profileShift = -3.0;  // r' + x m inside rb'
  rec.tipRadius = rec.pitchRadius - 4.0 * rec.normalModule;  // and (ra - r) / 2 + m < 0
  EXPECT_EQ(ComputeInspectionDimensions(rec), 0);
  EXPECT_TRUE(rec.pinDiameter > 0.0 && std::isfinite(rec.pinDiameter));
  EXPECT_TRUE(std::isfinite(rec.overPins));
  EXPECT_TRUE(std::isfinite(rec.pinContactRadius));
  EXPECT_EQ(rec.spanTeeth, 1);
  EXPECT_TRUE(std::isfinite(rec.span));
}

// Undercut gears (m 1, alpha 20 deg, spur) whose pin is aimed near the base
// circle. The pin of the chosen diameter sits on the space's centre line
// touching both involutes where inv alpha_M = s / d + inv alpha + DM / db -
// pi / z; it touches them DM / 2 back along the line of action, at the roll
// length rb tan alpha_M - DM / 2. Where there is no such angle, or the roll
// length is not positive (the contact would lie at or inside the base circle),
// or the contact lies below the start of the usable involute, the pin touches
// no involute and there is no dimension over it.
TEST(InspectionDimensions, UndercutGearsHaveAPinDimensionOnlyWhereThePinTouchesTheInvolute) {
  struct PinCase {
    int64_t z;
    double x;
  };
  const PinCase cases[] = {
      {20, -0.60}, {19, -0.57}, {20, -0.57}, {20, -0.58}, {21, -0.62}, {26, -0.78}, {27, -0.81},
      {28, -0.83}, {29, -0.86}, {30, -0.88}, {31, -0.89},
      // The pin reaches the involute: near the base circle, mid-flank, above the tip.
      {25, -0.72}, {30, -0.57}, {20, 0.0}, {21, -0.1}, {20, -1.02}, {12, -0.8},
  };
  int missing = 0;
  for (const PinCase& c : cases) {
    const GearRecord rec = MakeGear(1.0, c.z, c.x);
    ASSERT_EQ(rec.valid, 1) << c.z << " " << c.x;
    const double z = static_cast<double>(c.z);
    const double alpha = Deg(20.0);
    const double r = z / 2.0;
    const double rb = r * std::cos(alpha);
    const double s = kPi / 2.0 + 2.0 * c.x * std::tan(alpha);
    const double dm = rec.pinDiameter;
    const double invM = s / (2.0 * r) + TextbookInvolute(alpha) + dm / (2.0 * rb) - kPi / z;
    bool touches = invM > 0.0;
    double md = 0.0;
    if (touches) {
      // Newton on tan a - a = invM from above the root.
      double a = std::cbrt(3.0 * invM);
      for (int i = 0; i < 50; ++i) a -= (std::tan(a) - a - invM) / (std::tan(a) * std::tan(a));
      const double roll = rb * std::tan(a) - dm / 2.0;
      const double contact = std::hypot(roll, rb);
      touches = roll > 0.0 && contact >= rec.formRadius;
      if (touches) {
        EXPECT_NEAR(rec.pinContactRadius, contact, 1e-9) << c.z << " " << c.x;
      }
      const double rM = rb / std::cos(a);
      md = (c.z % 2 == 0 ? 2.0 * rM : 2.0 * rM * std::cos(kPi / (2.0 * z))) + dm;
    }
    if (!touches) ++missing;
    if (touches) {
      EXPECT_NEAR(rec.overPins, md, 1e-9) << c.z << " " << c.x;
    } else {
      EXPECT_EQ(rec.overPins, 0.0) << c.z << " " << c.x;
      EXPECT_LT(rec.pinContactRadius, rec.formRadius) << c.z << " " << c.x;
    }
  }
  // The table's first eleven gears have a first pin that touches below the
  // base circle or the form radius; a smaller grid pin touches their usable
  // flank, so every gear here has a dimension.
  EXPECT_EQ(missing, 0);
}
