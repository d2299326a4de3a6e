// The gear block at steep pressure angles: the tool's tip roundings shrink to
// fit its tooth, the block says so in one warning line, and x min and the
// undercut warning are those of that tool.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "geometry/ring_gear.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

// Largest rounding (in modules) that touches the tip line and a flank of the
// tool tooth, which is pi / 4 - 1.25 tan alpha_n wide on either side of its
// middle there; it meets the tip line rho tan(45 deg - alpha_n / 2) from the
// corner. The basic rack asks for 0.38.
double FittingRounding(double alphaDeg) {
  const double a = Rad(alphaDeg);
  return std::min(0.38, (kPi / 4.0 - 1.25 * std::tan(a)) / std::tan(kPi / 4.0 - a / 2.0));
}

double TextbookXMin(double z, double alphaDeg, double rho) {
  const double a = Rad(alphaDeg);
  return 1.25 - rho * (1.0 - std::sin(a)) - z * std::sin(a) * std::sin(a) / 2.0;
}

struct RoundingCase {
  double m;
  int z;
  double alphaDeg;
  bool undercut;
};

class ReportToolRounding : public ::testing::TestWithParam<RoundingCase> {};

TEST_P(ReportToolRounding, GearBlockNamesTheFittingTool) {
  const RoundingCase& c = GetParam();
  GearRecord rec;
  InitGearRecord(rec, c.m, c.z, 0.0, c.alphaDeg, 20.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  ASSERT_EQ(rec.valid, 1);
  const std::string block = ReportBuildGearBlock(rec, "GEAR");
  std::vector<std::string> lines;
  ASSERT_TRUE(SplitCrLf(block, lines));
  const auto has = [&](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };

  const double rho = FittingRounding(c.alphaDeg);
  const std::string xLine = "  x  = 0.0000   (x min = " + Fix(TextbookXMin(c.z, c.alphaDeg, rho), 3) + ")";
  EXPECT_TRUE(has(xLine)) << xLine << "\n" << block;
  const std::string warning = std::string(Lang("  ! tool tip roundings reduced to ρ = ",
                                               "  ! kopafrondingen van het gereedschap verkleind tot ρ = ")) +
                              Fix(rho * c.m, 3) +
                              Lang(" mm to fit the tool tooth", " mm om in de gereedschapstand te passen");
  EXPECT_EQ(has(warning), rho < 0.38) << warning << "\n" << block;
  size_t reduced = 0;
  for (const std::string& l : lines) reduced += l.find("ρ = ") != std::string::npos ? 1 : 0;
  EXPECT_EQ(reduced, rho < 0.38 ? 1u : 0u) << block;
  EXPECT_EQ(has(Lang("  ! undercut (x < x min)", "  ! ondersnijding (x < x min)")), c.undercut) << block;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReportToolRounding,
    ::testing::Values(RoundingCase{2.0, 12, 24.6, true},   // x min +0.017: undercut
                      RoundingCase{2.0, 30, 30.0, false},  // rho 0.221 mm
                      RoundingCase{3.0, 40, 25.0, false},
                      RoundingCase{2.0, 20, 20.0, false},  // the roundings fit: no line
                      RoundingCase{2.0, 14, 23.0, false}));

// The ring's cutter: tip roundings of 0.25 m, or the largest that touches the
// root circle on the space's centre line and the flank (centre at rf - rho,
// rho from the involute psi(R) = pi / (2 z) + inv alpha - inv acos(rb / R)).
double FittingRingRounding(double m, int z, double alphaDeg) {
  const double a = Rad(alphaDeg), r = m * z / 2.0, rb = r * std::cos(a), rf = r + 1.25 * m;
  const auto distance = [&](double cx) {
    double least = 1e300;
    for (int i = 0; i <= 100000; ++i) {
      const double R = std::max(rb, r - m) + (rf - std::max(rb, r - m)) * i / 100000.0;
      const double psi = kPi / (2.0 * z) + Inv(a) - Inv(std::acos(rb / R));
      least = std::min(least, std::hypot(R * std::cos(psi) - cx, R * std::sin(psi)));
    }
    return least;
  };
  if (distance(rf - 0.25 * m) >= 0.25 * m) return 0.25 * m;
  double lo = 0.0, hi = 0.25 * m;
  for (int i = 0; i < 40; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (distance(rf - mid) >= mid) lo = mid; else hi = mid;
  }
  return lo;
}

TEST(ReportToolRounding, RingBlockNamesTheFittingCutter) {
  for (const double alphaDeg : {20.0, 28.0}) {
    GearRecord ring;
    ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 20, 0.0, alphaDeg, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
    const std::string block = ReportBuildRingGearBlock(ring, "RING");
    const double rho = FittingRingRounding(2.0, 20, alphaDeg);
    const std::string warning = std::string(Lang("  ! tool tip roundings reduced to ρ = ",
                                                 "  ! kopafrondingen van het gereedschap verkleind tot ρ = ")) +
                                Fix(rho, 3) +
                                Lang(" mm to fit the tool tooth", " mm om in de gereedschapstand te passen") +
                                "\r\n";
    EXPECT_EQ(block.find(warning) != std::string::npos, alphaDeg > 25.0) << warning << "\n" << block;
    EXPECT_EQ(block.find("ρ = ") != std::string::npos, alphaDeg > 25.0) << block;
  }
}

}  // namespace
