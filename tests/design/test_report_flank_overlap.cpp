// A backlash below 0 makes the teeth thicker than the mate's gaps: the pair
// and the pinion-and-rack reports say by how much the flanks overlap, as the
// internal pair's interference line does.
//
// Oracle: the transverse tooth thickness on the operating pitch circle,
// s(r) = 2 r (s / (2 r0) + inv alpha_t - inv alpha_r), s = mt (pi/2 + 2 x tan
// alpha_n) - As / cos beta on the reference circle r0; the flanks overlap by
// s_w1 + s_w2 - p_w (for the rack: on the pinion's pitch circle, with the
// rack tooth pi mt / 2 - 2 x1 mn tan alpha_t - As2 / cos beta thick on the
// line that rolls on it).
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

struct OverlapCase {
  const char* name;
  bool rack;
  double mn, betaDeg;
  int z1, z2;
  double x1, x2, a;  // a: the pair's centre distance (0 for the rack)
  double jn;         // normal backlash: As1 = As2 = jn / (2 cos alpha_n)
};

double ThicknessAt(double mt, double alphaT, double r0, double x, double alphaN, double as, double beta, double r) {
  const double s0 = mt * (kPi / 2.0 + 2.0 * x * std::tan(alphaN)) - as / std::cos(beta);
  const double alphaR = std::acos(r0 * std::cos(alphaT) / r);
  return 2.0 * r * (s0 / (2.0 * r0) + Inv(alphaT) - Inv(alphaR));
}

// The overlap of the case by the oracle above.
double ExpectedOverlap(const OverlapCase& c) {
  const double alphaN = Rad(20.0);
  const double beta = Rad(c.betaDeg);
  const double mt = c.mn / std::cos(beta);
  const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
  const double as = c.jn / (2.0 * std::cos(alphaN));
  const double r1 = mt * c.z1 / 2.0;
  if (c.rack) {
    // On the pitch circle of the pinion, which rolls on the rack's line x1 mn
    // off its pitch line, where the rack tooth is 2 x1 mn tan alpha_t thinner.
    const double s1 = ThicknessAt(mt, alphaT, r1, c.x1, alphaN, as, beta, r1);
    const double sRack = kPi * mt / 2.0 - 2.0 * c.x1 * c.mn * std::tan(alphaT) - as / std::cos(beta);
    return s1 + sRack - kPi * mt;
  }
  const double r2 = mt * c.z2 / 2.0;
  const double alphaW = std::acos((r1 + r2) * std::cos(alphaT) / c.a);
  const double rw1 = r1 * std::cos(alphaT) / std::cos(alphaW);
  const double rw2 = r2 * std::cos(alphaT) / std::cos(alphaW);
  return ThicknessAt(mt, alphaT, r1, c.x1, alphaN, as, beta, rw1) +
         ThicknessAt(mt, alphaT, r2, c.x2, alphaN, as, beta, rw2) - 2.0 * kPi * rw1 / c.z1;
}

std::string ReportOf(const OverlapCase& c) {
  const double as = c.jn / (2.0 * std::cos(Rad(20.0)));
  GearRecord g1, g2;
  InitGearRecord(g1, c.mn, c.z1, c.x1, 20.0, 20.0, 0.0, 0.0, c.betaDeg, 1);
  g1.thicknessAllowance = as;
  BuildGearGeometry(g1, 1);
  if (c.rack) {
    BuildRackGeometry(g2, c.mn, 20.0, c.betaDeg, -1, 12, 3.0 * c.mn, 20.0, as, 1);
    return ReportBuildRackPair(g1, g2);
  }
  InitGearRecord(g2, c.mn, c.z2, c.x2, 20.0, 20.0, 0.0, 0.0, c.betaDeg, -1);
  g2.thicknessAllowance = as;
  BuildGearGeometry(g2, 1);
  return ReportBuildPairSection(g1, g2, c.a);
}

// Fault: jn = -0.5 on the pair m 2, z 20/40 left a gap of 0.048 mm for a mate
// tooth 0.580 mm thick, and the report said nothing.
TEST(FlankOverlap, ABacklashBelowZeroIsReportedAsTheOverlapOfTheFlanks) {
  const OverlapCase cases[] = {
      {"pair m 2 z 20/40", false, 2.0, 0.0, 20, 40, 0.0, 0.0, 60.0, -0.5},
      // Published helical pair (a 125 for the shift sum 0.09809).
      {"helical pair mn 3 z 12/60", false, 3.0, 30.0, 12, 60, 0.09809, 0.0, 125.0, -0.12},
      {"pinion and rack", true, 2.0, 0.0, 20, 0, 0.0, 0.0, 0.0, -0.4},
      {"helical pinion and rack", true, 2.5, 10.96361, 20, 0, 0.3, 0.0, 0.0, -0.05},
  };
  for (const OverlapCase& c : cases) {
    const double overlap = ExpectedOverlap(c);
    ASSERT_GT(overlap, 0.0) << c.name;
    const std::string line = Lang("  ! INTERFERENCE: teeth overlap by ", "  ! INTERFERENTIE: tanden dringen ") +
                             Fix(overlap, 4) + Lang(" mm", " mm in elkaar") + "\r\n";
    const std::string text = ReportOf(c);
    EXPECT_NE(text.find(line), std::string::npos) << c.name << "\n" << text;
  }
}

TEST(FlankOverlap, NoLineWhereTheBacklashIsNotBelowZero) {
  for (double jn : {0.0, 0.2}) {
    for (bool rack : {false, true}) {
      const std::string text = ReportOf({"", rack, 2.0, 0.0, 20, 40, 0.0, 0.0, 60.0, jn});
      EXPECT_EQ(text.find(Lang("INTERFERENCE", "INTERFERENTIE")), std::string::npos) << jn << " " << rack;
    }
  }
}

}  // namespace
