// The outline points a frame draws: every point the first time, then a subset
// of the gear's own points, in order, close to the whole outline at the
// frame's pixel size, finer at a larger zoom, and never a stale thinning of an
// outline that has changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/view_outline_points.h"
#include "geometry/gear_geometry.h"

namespace {

std::vector<OutlinePoint> AllPoints(const Outline& outline) {
  std::vector<OutlinePoint> all;
  for (const OutlineCurve& curve : outline) all.insert(all.end(), curve.points.begin(), curve.points.end());
  return all;
}

double DistanceToSegment(OutlinePoint q, OutlinePoint a, OutlinePoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  const double t = len2 > 0.0 ? std::clamp(((q.x - a.x) * dx + (q.y - a.y) * dy) / len2, 0.0, 1.0) : 0.0;
  return std::hypot(q.x - (a.x + t * dx), q.y - (a.y + t * dy));
}

// Largest distance (mm) of an outline point from the closed polygon of the kept points.
double LargestDeviation(const std::vector<OutlinePoint>& all, const std::vector<OutlinePoint>& kept) {
  double worst = 0.0;
  for (const OutlinePoint& q : all) {
    double best = 1e300;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      best = std::min(best, DistanceToSegment(q, kept[i], kept[(i + 1) % kept.size()]));
    }
    worst = std::max(worst, best);
  }
  return worst;
}

class OutlinePointsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // m 2, z 20, x 0, 20 degrees, b 10, bore 8.
    InitGearRecord(gear_, 2.0, 20, 0.0, 20.0, 10.0, 8.0, 0.0, 0.0, 1);
    BuildGearGeometry(gear_, 1);
    ASSERT_EQ(gear_.valid, 1);
  }
  GearRecord gear_;
};

TEST_F(OutlinePointsTest, KeptPointsAreTheOutlinesOwnInOrderAndStayClose) {
  const std::vector<OutlinePoint> all = AllPoints(gear_.outline);
  // Device pixels per mm: the fitted pair view, and 20 times closer.
  for (const double scale : {9.5, 190.0}) {
    // Asked for the first time at a scale: every point.
    EXPECT_EQ(GetDrawnOutlinePoints(gear_.outline, scale).size(), all.size()) << scale;
    const std::vector<OutlinePoint> kept = GetDrawnOutlinePoints(gear_.outline, scale);
    ASSERT_GE(kept.size(), 3u);
    EXPECT_LT(kept.size(), all.size()) << scale;
    // A subsequence of the outline, bit for bit.
    std::size_t j = 0;
    for (const OutlinePoint& p : all) {
      if (j < kept.size() && p.x == kept[j].x && p.y == kept[j].y) ++j;
    }
    EXPECT_EQ(j, kept.size()) << scale;
    // Points left out for their spacing lie within half a device pixel of one
    // kept; the rest within the straight-run tolerance of a segment.
    EXPECT_LE(LargestDeviation(all, kept) * scale, 0.5) << scale;
  }
  // Closer views keep more of the points.
  EXPECT_GT(GetDrawnOutlinePoints(gear_.outline, 190.0).size(), GetDrawnOutlinePoints(gear_.outline, 9.5).size());
}

// One point pulled 5 mm outwards: a spike of some 47 px that any thinning
// keeps. The point is taken at an even and at an odd place of a curve and as
// the last point of a curve with an odd number of points, so that a change
// anywhere in the outline is seen.
TEST_F(OutlinePointsTest, AChangedOutlineIsThinnedAfresh) {
  const Outline original = gear_.outline;
  std::size_t longestIndex = 0;
  std::size_t oddIndex = original.size();
  for (std::size_t c = 0; c < original.size(); ++c) {
    if (original[c].points.size() > original[longestIndex].points.size()) longestIndex = c;
    if (original[c].points.size() % 2 == 1 && original[c].points.size() > 1) oddIndex = c;
  }
  ASSERT_LT(oddIndex, original.size()) << "the test gear has a curve with an odd number of points";
  const std::size_t middle = original[longestIndex].points.size() / 2;
  const struct {
    std::size_t curve;
    std::size_t point;
    const char* what;
  } cases[] = {
      {longestIndex, middle - middle % 2, "an even place"},
      {longestIndex, middle - middle % 2 + 1, "an odd place"},
      {oddIndex, original[oddIndex].points.size() - 1, "the last point of a curve of odd length"},
  };
  for (const auto& c : cases) {
    gear_.outline = original;
    GetDrawnOutlinePoints(gear_.outline, 9.5);
    const std::size_t before = GetDrawnOutlinePoints(gear_.outline, 9.5).size();
    OutlinePoint& p = gear_.outline[c.curve].points[c.point];
    const double r = std::hypot(p.x, p.y);
    const OutlinePoint spike{p.x * (r + 5.0) / r, p.y * (r + 5.0) / r};
    p = spike;
    GetDrawnOutlinePoints(gear_.outline, 9.5);
    const std::vector<OutlinePoint> kept = GetDrawnOutlinePoints(gear_.outline, 9.5);
    EXPECT_TRUE(std::any_of(kept.begin(), kept.end(),
                            [&](const OutlinePoint& q) { return q.x == spike.x && q.y == spike.y; }))
        << c.what;
    EXPECT_GE(kept.size(), before) << c.what;
  }
}

}  // namespace
