// External gears at steep pressure angles: the tool's tip roundings shrink to
// what fits its tooth, and x min, the undercut flag, the form radius and the
// root of the outline follow that tool. The expected values are the textbook
// formulas of a basic rack with tip rounding rho, coded here on their own.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gear_test_support.h"
#include "geometry/gear_geometry.h"
#include "geometry/involute.h"

using namespace test_support;

namespace {

constexpr double kHf = 1.25;  // addendum of the tool (dedendum of the gear)
constexpr double kRho = 0.38; // tip rounding the basic rack asks for

// The tool tooth is pi m / 2 wide on its datum line and narrows by tan alpha_n
// on either side per unit of depth, so on its tip line (kHf below the datum)
// half of it is pi / 4 - kHf tan alpha_n wide. A rounding of radius rho that
// touches the tip line and a flank meets the tip line rho cot((90 + alpha) / 2)
// = rho tan(45 - alpha / 2) from their corner; it fits while that is no more
// than the half width. In modules.
double FittingRoundingFactor(double alphaN) {
  const double halfTooth = kPi / 4.0 - kHf * std::tan(alphaN);
  const double largest = halfTooth / std::tan(kPi / 4.0 - alphaN / 2.0);
  return std::min(kRho, largest);
}

// Plain textbook values of a gear cut by a basic rack with tip rounding rho
// (in modules), x shift, normal section alpha_n, helix angle beta.
struct ToolGear {
  double m, z, x, alphaDeg, betaDeg, rho;

  double an() const { return Deg(alphaDeg); }
  double beta() const { return Deg(betaDeg); }
  double at() const { return std::atan(std::tan(an()) / std::cos(beta())); }
  double r() const { return m * z / (2.0 * std::cos(beta())); }
  double rb() const { return r() * std::cos(at()); }
  double rf() const { return r() + (x - kHf) * m; }

  // The straight flank of the tool ends where the rounding meets it, rho (1 -
  // sin alpha_n) above the tip line, i.e. h = (hf - rho (1 - sin alpha_n) - x)
  // m below the gear's pitch line. It generates the involute down to the
  // interference point T, which lies r sin^2 alpha_t below the pitch line: the
  // flank is undercut once h passes that, x min = hf - rho (1 - sin alpha_n)
  // - z sin^2 alpha_t / (2 cos beta).
  double flankEndDepth() const { return (kHf - rho * (1.0 - std::sin(an())) - x) * m; }
  double xMin() const {
    const double s = std::sin(at());
    return kHf - rho * (1.0 - std::sin(an())) - z * s * s / (2.0 * std::cos(beta()));
  }
  // Without undercut the flank end meets the line of action h / sin alpha_t
  // from the pitch point, r sin alpha_t - h / sin alpha_t from T; the involute
  // begins on the radius through that point.
  double formRadius() const {
    const double fromT = r() * std::sin(at()) - flankEndDepth() / std::sin(at());
    return std::sqrt(rb() * rb() + fromT * fromT);
  }
};

double LeastOutlineRadius(const GearRecord& rec) {
  double least = 1e300;
  for (const OutlineCurve& c : rec.outline) {
    for (const OutlinePoint& p : c.points) least = std::min(least, std::hypot(p.x, p.y));
  }
  return least;
}

struct SteepCase {
  const char* name;
  double m;
  int z;
  double x, alphaDeg, betaDeg;
};

class SteepToolRounding : public ::testing::TestWithParam<SteepCase> {};

// x min, the undercut flag, the form radius and the root: all for the tool
// whose roundings fit, and the outline reaches down to the root circle the
// report prints.
TEST_P(SteepToolRounding, GearFollowsTheFittingTool) {
  const SteepCase& c = GetParam();
  const double rho = FittingRoundingFactor(Deg(c.alphaDeg));
  ASSERT_LT(rho, kRho) << "the case must need smaller roundings";
  const ToolGear g{c.m, double(c.z), c.x, c.alphaDeg, c.betaDeg, rho};
  const GearRecord rec = MakeGear(c.m, c.z, c.x, c.alphaDeg, c.betaDeg);
  ASSERT_EQ(rec.valid, 1);

  EXPECT_NEAR(rec.toolTipRadiusFactor, rho, 1e-12);
  EXPECT_NEAR(rec.minProfileShift, g.xMin(), 1e-9);
  EXPECT_NEAR(ComputeMinProfileShift(c.z, c.alphaDeg, c.betaDeg), g.xMin(), 1e-9);
  EXPECT_EQ(rec.undercut, c.x < g.xMin() ? 1 : 0);
  EXPECT_NEAR(rec.rootRadius, g.rf(), 1e-9);
  EXPECT_NEAR(LeastOutlineRadius(rec), g.rf(), 1e-6 * c.m);
  if (c.x > g.xMin()) {
    EXPECT_NEAR(rec.formRadius, std::max(g.formRadius(), g.rb()), 1e-6 * c.m);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SteepToolRounding,
    ::testing::Values(
        // Printed x min -0.012 and no undercut with 0.38 m roundings; the tool
        // that fits gives +0.017, so x = 0 is undercut.
        SteepCase{"m2_z12_a24_6", 2.0, 12, 0.0, 24.6, 0.0},
        // Printed df 55.000 while the outline's root circle was 55.101.
        SteepCase{"m2_z30_a30", 2.0, 30, 0.0, 30.0, 0.0},
        SteepCase{"m2_z40_a25", 2.0, 40, 0.0, 25.0, 0.0},
        SteepCase{"m3_z25_x03_a25", 3.0, 25, 0.3, 25.0, 0.0},
        SteepCase{"m1_z60_xm02_a30", 1.0, 60, -0.2, 30.0, 0.0},
        SteepCase{"m2_z30_a28_b20_helical", 2.0, 30, 0.2, 28.0, 20.0}),
    [](const ::testing::TestParamInfo<SteepCase>& info) { return std::string(info.param.name); });

// The figures of the two examples, from the formulas above.
TEST(SteepToolRounding, ExampleFigures) {
  const ToolGear small{2.0, 12, 0.0, 24.6, 0.0, FittingRoundingFactor(Deg(24.6))};
  EXPECT_NEAR(small.xMin(), 0.017, 0.0005);
  const GearRecord rec12 = MakeGear(2.0, 12, 0.0, 24.6);
  EXPECT_NEAR(rec12.minProfileShift, 0.017, 0.0005);
  EXPECT_EQ(rec12.undercut, 1);

  const GearRecord rec30 = MakeGear(2.0, 30, 0.0, 30.0);
  EXPECT_NEAR(2.0 * rec30.rootRadius, 55.0, 1e-9);
  EXPECT_NEAR(2.0 * LeastOutlineRadius(rec30), 55.0, 1e-5);
}

// Up to about 23.2 deg the 0.38 m roundings fit, and every value stays the
// plain textbook one for them.
TEST(SteepToolRounding, NothingChangesWhereTheRoundingsFit) {
  for (const double alphaDeg : {15.0, 20.0, 22.5, 23.0, 23.1}) {
    for (const int z : {8, 12, 30}) {
      const ToolGear g{2.0, double(z), 0.0, alphaDeg, 0.0, kRho};
      const GearRecord rec = MakeGear(2.0, z, 0.0, alphaDeg);
      ASSERT_EQ(rec.valid, 1);
      EXPECT_EQ(rec.toolTipRadiusFactor, kRho) << alphaDeg << " " << z;
      EXPECT_NEAR(rec.minProfileShift, g.xMin(), 1e-12) << alphaDeg << " " << z;
      EXPECT_NEAR(ComputeMinProfileShift(z, alphaDeg, 0.0), g.xMin(), 1e-12) << alphaDeg << " " << z;
      EXPECT_EQ(rec.undercut, 0.0 < g.xMin() ? 1 : 0) << alphaDeg << " " << z;
      if (rec.undercut == 0) {
        EXPECT_NEAR(rec.formRadius, std::max(g.formRadius(), g.rb()), 1e-6);
      }
    }
  }
}

// Rebuilding a gear (as the exports do at another point density) keeps the
// fitted tool: the result is the same as the first build.
TEST(SteepToolRounding, RebuildKeepsTheFittingTool) {
  GearRecord rec = MakeGear(2.0, 30, 0.0, 30.0);
  const double xMin = rec.minProfileShift;
  const double rF = rec.formRadius;
  BuildGearGeometry(rec, 4);
  BuildGearGeometry(rec, 1);
  EXPECT_EQ(rec.minProfileShift, xMin);
  EXPECT_EQ(rec.formRadius, rF);
}

}  // namespace
