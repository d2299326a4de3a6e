// Polar profile table: folding, sorting and interpolation of a gear outline.
#include <gtest/gtest.h>

#include <cmath>

#include "geometry/involute.h"
#include "geometry/polar_profile.h"
#include "gear_test_support.h"

using namespace test_support;

TEST(PolarProfileTable, FoldsEveryOutlinePoint) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, 0.0, 0.0, 2);
  PolarProfileTable table;
  EXPECT_EQ(BuildPolarProfileTable(rec, table), 0);
  size_t points = 0;
  for (const OutlineCurve& c : rec.outline) points += c.points.size();
  EXPECT_EQ(table.count, static_cast<int64_t>(points));
  EXPECT_NEAR(table.pitchAngle, 2.0 * kPi / 20.0, 1e-15);
  for (size_t i = 0; i < table.entries.size(); ++i) {
    EXPECT_GE(table.entries[i].angle, 0.0);
    EXPECT_LE(table.entries[i].angle, kPi / 20.0 + 1e-12);
    if (i > 0) {
      EXPECT_LE(table.entries[i - 1].angle, table.entries[i].angle);
    }
  }
  double slope = 1.0;
  // On the tooth centre line the tip circle, at the half pitch the root circle.
  EXPECT_NEAR(InterpolatePolarTable(table, 0.0, slope), rec.tipRadius, 1e-9);
  EXPECT_NEAR(InterpolatePolarTable(table, kPi / 20.0, slope), rec.rootRadius, 1e-9);
}

// On the flank, the radius at the half tooth angle psi(ry) is ry, and the
// slope is dR / dpsi = -ry / tan(alpha_y) (d inv(alpha_y) / dry = tan(alpha_y) / ry).
TEST(PolarProfileTable, FlankRadiusAndSlope) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, 0.0, 0.0, 8);
  PolarProfileTable table;
  BuildPolarProfileTable(rec, table);
  for (double ry : {19.2, 20.0, 21.0, 21.8}) {
    SCOPED_TRACE(ry);
    const double psi = ComputeInvolutePolarAngle(rec, ry);
    double slope = 0.0;
    EXPECT_NEAR(InterpolatePolarTable(table, psi, slope), ry, 1e-4);
    const double alphaY = std::acos(rec.baseRadius / ry);
    EXPECT_NEAR(slope / (-ry / std::tan(alphaY)), 1.0, 0.02);
  }
}

TEST(PolarProfileTable, LookupOfAHandMadeTable) {
  PolarProfileTable table;
  table.pitchAngle = 1.0;
  table.entries = {{0.0, 5.0}, {0.1, 6.0}, {0.1, 6.5}, {0.3, 8.0}};
  table.count = 4;
  double slope = 1.0;
  EXPECT_NEAR(InterpolatePolarTable(table, 0.2, slope), 7.25, 1e-12);
  EXPECT_NEAR(slope, 7.5, 1e-12);
  EXPECT_NEAR(InterpolatePolarTable(table, 0.05, slope), 5.5, 1e-12);
  EXPECT_NEAR(slope, 10.0, 1e-12);
  // Outside the keys: the end radius with slope 0.
  slope = 1.0;
  EXPECT_EQ(InterpolatePolarTable(table, -0.5, slope), 5.0);
  EXPECT_EQ(slope, 0.0);
  slope = 1.0;
  EXPECT_EQ(InterpolatePolarTable(table, 0.3, slope), 8.0);
  EXPECT_EQ(slope, 0.0);
  slope = 1.0;
  EXPECT_EQ(InterpolatePolarTable(table, 9.0, slope), 8.0);
  EXPECT_EQ(slope, 0.0);
  // Two equal keys: the first radius of the pair, slope 0.
  PolarProfileTable flat;
  flat.entries = {{0.0, 1.0}, {0.2, 2.0}, {0.2, 3.0}, {0.4, 4.0}};
  flat.count = 4;
  slope = 1.0;
  EXPECT_EQ(InterpolatePolarTable(flat, 0.2, slope), 3.0);  // lo moves onto the last key <= angle
  PolarProfileTable empty;
  EXPECT_EQ(InterpolatePolarTable(empty, 0.1, slope), 0.0);
  EXPECT_EQ(slope, 0.0);
}
