// Bore contour, plain and with a keyway, and its bounded point count.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/bore_outline.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {

GearRecord Bore(double diameter, double keyWidth = 0.0, double depth = 0.0) {
  GearRecord rec;
  rec.boreDiameter = diameter;
  rec.keyWidth = keyWidth;
  rec.hubKeywayDepth = depth;
  return rec;
}

}  // namespace

TEST(BoreOutline, NoBoreGivesAnEmptyList) {
  std::vector<OutlinePoint> list = {{1.0, 2.0}};
  BuildBoreOutline(Bore(0.0), list, 0.001);
  EXPECT_TRUE(list.empty());
  list = {{1.0, 2.0}};
  BuildBoreOutline(Bore(std::numeric_limits<double>::quiet_NaN()), list, 0.001);
  EXPECT_TRUE(list.empty());
  BuildBoreOutline(Bore(-5.0), list, 0.001);
  EXPECT_TRUE(list.empty());
}

TEST(BoreOutline, PlainBoreChordTolerance) {
  struct Case {
    double diameter, tolerance;
    size_t count;
  };
  // Bore 20 at 0.001: step 2 acos(1 - 0.0001) = 0.0283 rad, ceil(222.1) = 223
  // points; a tolerance of at least R: step pi/2, limited to 5 deg: 72 points.
  for (Case c : {Case{20, 0.001, 223}, Case{20, 10.0, 72}, Case{20, 50.0, 72}, Case{1, 0.2, 72}}) {
    SCOPED_TRACE(c.tolerance);
    std::vector<OutlinePoint> list;
    BuildBoreOutline(Bore(c.diameter), list, c.tolerance);
    ASSERT_EQ(list.size(), c.count);
    EXPECT_NEAR(list[0].x, c.diameter / 2.0, 1e-15);
    EXPECT_EQ(list[0].y, 0.0);
    for (const OutlinePoint& p : list) EXPECT_NEAR(std::hypot(p.x, p.y), c.diameter / 2.0, 1e-12);
    EXPECT_GT(SignedArea(list), 0.0);  // counter-clockwise
    // The chord deviation stays within the tolerance.
    const double step = 2.0 * kPi / static_cast<double>(list.size());
    EXPECT_LE(c.diameter / 2.0 * (1.0 - std::cos(step / 2.0)), c.tolerance);
  }
}

// Bore 20 with keyway 6 x 2.8: arc from asin(0.3) to 2 pi - asin(0.3), corner
// points (9.539, 3), (9.539, -3), (12.8, -3), (12.8, 3).
TEST(BoreOutline, KeywayContour) {
  std::vector<OutlinePoint> list;
  BuildBoreOutline(Bore(20.0, 6.0, 2.8), list, 0.001);
  ASSERT_GE(list.size(), 7u);
  const double c = std::sqrt(100.0 - 9.0);
  EXPECT_NEAR(c, 9.539, 5e-4);
  const size_t n = list.size();
  EXPECT_NEAR(list[0].x, c, 1e-12);
  EXPECT_EQ(list[0].y, 3.0);
  EXPECT_NEAR(list[n - 3].x, c, 1e-12);
  EXPECT_EQ(list[n - 3].y, -3.0);
  EXPECT_NEAR(list[n - 2].x, 12.8, 1e-12);
  EXPECT_EQ(list[n - 2].y, -3.0);
  EXPECT_NEAR(list[n - 1].x, 12.8, 1e-12);
  EXPECT_EQ(list[n - 1].y, 3.0);
  // Area: the disc less the segment cut off by the chord x = c, plus the
  // keyway rectangle from the chord to the keyway bottom.
  const double a = std::asin(0.3);
  const double segment = 100.0 * (2.0 * a - std::sin(2.0 * a)) / 2.0;
  const double expected = kPi * 100.0 - segment + (12.8 - c) * 6.0;
  // The chords lie inside the arc, at most the tolerance over its length.
  EXPECT_LT(SignedArea(list), expected);
  EXPECT_GT(SignedArea(list), expected - 0.001 * 2.0 * kPi * 10.0);
  EXPECT_NEAR(ComputeBoreOuterRadius(Bore(20.0, 6.0, 2.8)), 12.8, 1e-15);
  EXPECT_EQ(ComputeBoreOuterRadius(Bore(20.0)), 10.0);
}

TEST(BoreOutline, KeywayAsWideAsTheBoreIsAPlainCircle) {
  std::vector<OutlinePoint> list;
  BuildBoreOutline(Bore(20.0, 20.0, 2.8), list, 10.0);
  EXPECT_EQ(list.size(), 72u);
  EXPECT_EQ(ComputeBoreOuterRadius(Bore(20.0, 20.0, 2.8)), 10.0);
}

// Regression: a tolerance of zero, below zero or NaN gave a zero or NaN step
// and the point loop did not end.
TEST(BoreOutline, BadToleranceStillEnds) {
  for (double tol : {0.0, -1.0, std::numeric_limits<double>::quiet_NaN(),
                     -std::numeric_limits<double>::infinity(), 1e-300}) {
    SCOPED_TRACE(tol);
    for (double key : {0.0, 6.0}) {
      std::vector<OutlinePoint> list;
      BuildBoreOutline(Bore(20.0, key, 2.8), list, tol);
      EXPECT_GE(list.size(), 8u);
      EXPECT_LE(list.size(), 100000u);
    }
  }
  std::vector<OutlinePoint> list;
  BuildBoreOutline(Bore(20.0), list, std::numeric_limits<double>::infinity());
  EXPECT_EQ(list.size(), 72u);
  BuildBoreOutline(Bore(1e300), list, 0.001);
  EXPECT_LE(list.size(), 100000u);
}
