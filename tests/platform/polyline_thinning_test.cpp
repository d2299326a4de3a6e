// Tests of the canvas's polyline thinning: every point left out stays within
// the tolerance of the segment that replaces it (distances computed here), the
// ends keep their places, a circular arc needs no fewer segments than the
// chord-height bound allows, and the spacing rule keeps no sliver at the end.
#include "platform/polyline_simplify.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace {

using Points = std::vector<PathPoint>;

// Distance of q from the segment a-b.
double DistanceToSegment(PathPoint q, PathPoint a, PathPoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0.0 ? ((q.x - a.x) * dx + (q.y - a.y) * dy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(q.x - (a.x + t * dx), q.y - (a.y + t * dy));
}

// Largest distance of an input point from the thinned polyline, where each
// input point is matched to the segments in order (a polyline that doubled
// back on itself could otherwise hide a lost point on another segment).
double LargestDeviation(const Points& in, const Points& out) {
  double worst = 0.0;
  std::size_t seg = 0;
  for (const PathPoint& q : in) {
    // Move on while q lies nearer a later segment than the current one.
    while (seg + 2 < out.size() &&
           DistanceToSegment(q, out[seg + 1], out[seg + 2]) <= DistanceToSegment(q, out[seg], out[seg + 1])) {
      ++seg;
    }
    const double d = out.size() < 2 ? std::hypot(q.x - out[0].x, q.y - out[0].y)
                                    : DistanceToSegment(q, out[seg], out[seg + 1]);
    worst = std::max(worst, d);
  }
  return worst;
}

Points Thin(const Points& in, double spacing, double tolerance, PolylineShape shape = PolylineShape::kOpen) {
  Points out;
  AppendThinnedPolyline(in.data(), in.size(), shape, {spacing, tolerance}, &out);
  return out;
}

Points Arc(double r, double a0, double a1, int n) {
  Points p;
  for (int i = 0; i <= n; ++i) {
    const double a = a0 + (a1 - a0) * i / n;
    p.push_back({100.0 + r * std::cos(a), 50.0 + r * std::sin(a)});
  }
  return p;
}

TEST(PolylineThinning, StraightRunsBecomeOneSegmentAndBendsStay) {
  // Collinear points, also unevenly spaced: only the ends remain.
  Points line;
  for (double t : {0.0, 0.3, 0.35, 1.0, 2.5, 2.6, 7.0}) line.push_back({3.0 + 2.0 * t, 1.0 - t});
  const Points out = Thin(line, 0.0, 0.05);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out.front().x, line.front().x);
  EXPECT_EQ(out.back().y, line.back().y);

  // An L: the corner is a vertex, each leg one segment.
  const Points ell = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}, {3, 2}, {3, 3}};
  const Points bent = Thin(ell, 0.0, 0.05);
  ASSERT_EQ(bent.size(), 3u);
  EXPECT_EQ(bent[1].x, 3.0);
  EXPECT_EQ(bent[1].y, 0.0);
}

TEST(PolylineThinning, OutAndBackKeepsTheFarthestPoint) {
  // A hairpin along one line: a segment from the start to the end would lie
  // on the same line but miss its far part.
  const Points hairpin = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {2, 0}, {1, 0}};
  const Points out = Thin(hairpin, 0.0, 0.05);
  EXPECT_LE(LargestDeviation(hairpin, out), 0.05);
  EXPECT_TRUE(std::any_of(out.begin(), out.end(), [](PathPoint p) { return p.x == 3.0; }));
}

TEST(PolylineThinning, ZigzagAboveTheToleranceKeepsEveryPointAndBelowItGoes) {
  struct Case {
    double amplitude;
    bool keepsAll;
  };
  for (const Case c : {Case{0.2, true}, Case{0.02, false}}) {
    Points zigzag;
    for (int i = 0; i <= 40; ++i) zigzag.push_back({0.5 * i, (i % 2) ? c.amplitude : 0.0});
    const Points out = Thin(zigzag, 0.0, 0.05);
    EXPECT_LE(LargestDeviation(zigzag, out), 0.05 + 1e-12) << c.amplitude;
    if (c.keepsAll) {
      EXPECT_EQ(out.size(), zigzag.size()) << c.amplitude;
    } else {
      EXPECT_EQ(out.size(), 2u) << c.amplitude;
    }
  }
}

// A circular arc of radius R: a chord of angle theta stands R (1 - cos(theta/2))
// off the arc, so no thinning within tolerance t can use chords longer than
// theta_max = 2 acos(1 - t / R); the sleeve fit on fine samples stays within
// about twice that count.
TEST(PolylineThinning, ArcsStayWithinTheToleranceWithFewSegments) {
  struct Case {
    double radius, span, tolerance, spacing;
  };
  const Case cases[] = {
      {0.8, std::numbers::pi, 0.05, 0.0},    // a root fillet at low zoom
      {40.0, 1.0, 0.05, 0.0},                // a tip arc
      {400.0, 2.0 * std::numbers::pi, 0.05, 0.5},  // a whole large circle, with spacing
      {5.0, 4.0, 0.1, 0.25},
  };
  for (const Case& c : cases) {
    const Points in = Arc(c.radius, 0.3, 0.3 + c.span, 4000);
    const Points out = Thin(in, c.spacing, c.tolerance);
    const double thetaMax = 2.0 * std::acos(1.0 - c.tolerance / c.radius);
    const double fewest = std::ceil(c.span / thetaMax);
    const double segments = static_cast<double>(out.size()) - 1.0;
    EXPECT_GE(segments, fewest) << c.radius;
    EXPECT_LE(segments, 2.0 * fewest + 2.0) << c.radius;
    // The spacing rule may leave out a point up to `spacing` from one kept;
    // on the arc that point then lies at most spacing^2 / (2 R) further off.
    const double slack = c.spacing * c.spacing / (2.0 * c.radius) + 1e-9;
    EXPECT_LE(LargestDeviation(in, out), c.tolerance + slack) << c.radius;
    EXPECT_EQ(out.front().x, in.front().x);
    EXPECT_EQ(out.back().x, in.back().x);
    EXPECT_EQ(out.back().y, in.back().y);
  }
}

TEST(PolylineThinning, SpacingDropsNearPointsAndTheEndLeavesNoSliver) {
  // No straight-run tolerance: only the spacing acts.
  const Points in = {{0, 0}, {0.1, 0}, {0.6, 0}, {0.7, 0.1}, {1.3, 0}, {1.5, 0}};
  const Points out = Thin(in, 0.5, 0.0);
  // (0.1, 0) is too near the start; (1.5, 0) is too near (1.3, 0), which
  // gives way to it.
  const Points expected = {{0, 0}, {0.6, 0}, {1.5, 0}};
  ASSERT_EQ(out.size(), expected.size());
  for (std::size_t i = 0; i < out.size(); ++i) {
    EXPECT_EQ(out[i].x, expected[i].x) << i;
    EXPECT_EQ(out[i].y, expected[i].y) << i;
  }
  // Everything within the spacing of the start: nothing to draw.
  EXPECT_EQ(Thin({{0, 0}, {0.2, 0}, {0.3, 0.1}}, 0.5, 0.05).size(), 1u);
  EXPECT_TRUE(Thin({}, 0.5, 0.05).empty());
}

TEST(PolylineThinning, ClosedFigureKeepsItsStartAndItsCorners) {
  // A square, sides sampled finely, thinned as a closed figure and as the
  // open polyline that repeats its first point: both end on the start.
  Points square;
  const PathPoint corners[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
  for (int k = 0; k < 4; ++k) {
    for (int i = 0; i < 20; ++i) {
      const double t = i / 20.0;
      square.push_back({corners[k].x + t * (corners[k + 1].x - corners[k].x),
                        corners[k].y + t * (corners[k + 1].y - corners[k].y)});
    }
  }
  Points repeated = square;
  repeated.push_back(square.front());
  for (const Points& out : {Thin(square, 0.5, 0.05, PolylineShape::kClosed), Thin(repeated, 0.5, 0.05)}) {
    ASSERT_EQ(out.size(), 5u);
    for (int k = 0; k < 5; ++k) {
      EXPECT_EQ(out[k].x, corners[k].x) << k;
      EXPECT_EQ(out[k].y, corners[k].y) << k;
    }
  }
  // A closed figure whose last point lies within the spacing of its start:
  // that point gives way to the start, which ends the figure.
  const Points nearStart = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {0, 0.2}};
  const Points closed = Thin(nearStart, 0.5, 0.05, PolylineShape::kClosed);
  ASSERT_EQ(closed.size(), 5u);
  EXPECT_EQ(closed[3].y, 4.0);
  EXPECT_EQ(closed[4].x, 0.0);
  EXPECT_EQ(closed[4].y, 0.0);
}

// A NaN point (a broken transform) must not stall the thinning: the run
// ending on it cannot fit and the run starting on it must.
TEST(PolylineThinning, NaNPointsEndTheThinning) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Points cases[] = {
      {{0, 0}, {1, 0}, {2, 0.5}, {3, 0}, {nan, nan}},
      {{0, 0}, {1, 0}, {nan, 1}, {2, 0.5}, {3, 0}},
      {{nan, nan}, {1, 0}, {2, 0.5}, {3, 0}},
  };
  for (const Points& in : cases) {
    for (const PolylineShape shape : {PolylineShape::kOpen, PolylineShape::kClosed}) {
      const Points out = Thin(in, 0.0, 0.05, shape);
      EXPECT_LE(out.size(), in.size() + 1);
      EXPECT_GE(out.size(), 1u);
    }
  }
}

}  // namespace
