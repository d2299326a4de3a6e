// Outline flattening, reduction within a chord tolerance and ear clipping.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "export/outline_reduction.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "stl_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;

GearRecord MakeGear(double m, int64_t z, double x, double betaDeg, int density) {
  GearRecord rec;
  InitGearRecord(rec, m, z, x, 20.0, 10.0, 0.0, 0.0, betaDeg, 1);
  BuildGearGeometry(rec, density);
  return rec;
}

TEST(FlattenOutline, JunctionsAreMarkedAndTheClosingRepeatDropped) {
  GearRecord rec;
  rec.outline = {{{{0, 0}, {1, 0}, {2, 0}}}, {{{2, 0}, {2, 1}}}, {{{2, 1}, {0, 1}, {0, 0}}}};
  std::vector<double> x, y;
  std::vector<uint8_t> breaks;
  FlattenOutlineToArrays(rec, x, y, breaks);
  const std::vector<double> ex{0, 1, 2, 2, 0};
  const std::vector<double> ey{0, 0, 0, 1, 1};
  const std::vector<uint8_t> eb{1, 0, 1, 1, 0};
  EXPECT_EQ(x, ex);
  EXPECT_EQ(y, ey);
  EXPECT_EQ(breaks, eb);

  // A last point 1e-6 mm from the first is a point of its own.
  rec.outline.back().points.back() = {0.0, 1e-6};
  FlattenOutlineToArrays(rec, x, y, breaks);
  EXPECT_EQ(x.size(), 6u);
}

TEST(FlattenOutline, GearOutlineKeepsEveryDistinctPoint) {
  const GearRecord gear = MakeGear(2.0, 17, 0.1, 0.0, 4);
  ASSERT_EQ(gear.valid, 1);
  std::vector<double> x, y;
  std::vector<uint8_t> breaks;
  FlattenOutlineToArrays(gear, x, y, breaks);
  const auto joined = stltest::JoinOutline(gear.outline);
  ASSERT_EQ(x.size(), joined.size());
  for (size_t i = 0; i < x.size(); ++i) {
    EXPECT_EQ(x[i], joined[i].x);
    EXPECT_EQ(y[i], joined[i].y);
  }
  // One break per curve: point 0 and every junction.
  size_t marks = 0;
  for (uint8_t b : breaks) marks += b;
  EXPECT_EQ(marks, gear.outline.size());
}

struct PolylineCase {
  const char* name;
  std::vector<double> x, y;
  double tolerance;
  std::vector<uint8_t> expectedKeep;
};

TEST(SimplifyPolyline, TableOfStretches) {
  const std::vector<PolylineCase> cases = {
      {"collinear middle dropped", {0, 1, 2}, {0, 0, 0}, 0.001, {1, 0, 1}},
      {"exactly t away dropped", {0, 1, 2}, {0, 0.5, 0}, 0.5, {1, 0, 1}},
      {"just over t kept", {0, 1, 2}, {0, 0.5000001, 0}, 0.5, {1, 1, 1}},
      {"equal distances: lower index", {0, 1, 2, 3}, {0, 1, 1, 0}, 0.1, {1, 1, 1, 1}},
      {"equal distances below t", {0, 1, 2, 3}, {0, 0.05, 0.05, 0}, 0.1, {1, 0, 0, 1}},
      // A closed loop as one stretch: distances from the first point.
      {"coinciding ends", {0, 1, 2, 1, 0}, {0, 0.2, 0, -0.2, 0}, 0.5, {1, 0, 1, 0, 1}},
  };
  for (const PolylineCase& c : cases) {
    std::vector<uint8_t> keep(c.x.size(), 0);
    SimplifyPolyline(c.x, c.y, 0, static_cast<int64_t>(c.x.size()) - 1, c.tolerance, keep);
    EXPECT_EQ(keep, c.expectedKeep) << c.name;
  }
}

TEST(SimplifyPolyline, LowerIndexWinsATieAndMarksOutsideStay) {
  // Points 1 and 2 are both 1 away from the chord; point 1 is split off first,
  // then point 2 is 1 away from chord 1-3 as well and is kept too. With a
  // tolerance that keeps exactly one of them the lower index must win.
  const std::vector<double> x{0, 1, 3, 4};
  const std::vector<double> y{0, 1, 1, 0};
  std::vector<uint8_t> keep{0, 0, 0, 0, 1};
  std::vector<double> xx = x, yy = y;
  xx.push_back(9);
  yy.push_back(9);
  SimplifyPolyline(xx, yy, 0, 3, 0.9, keep);
  EXPECT_EQ(keep[1], 1);
  EXPECT_EQ(keep[4], 1);  // outside the stretch: untouched
  // Point 2 lies 0.707 from chord 1-3: dropped at 0.9.
  EXPECT_EQ(keep[2], 0);
}

TEST(SimplifyPolyline, TieThatAppearsOnlyInTheRoundedDistanceGoesToTheLowerIndex) {
  // Chord (0, 0) - (1.5, 1.1), some 1.86 long. Points (1, a) and (1, b) a unit
  // in the last place apart lie |1.1 - 1.5 h| / len from it; find a pair
  // whose cross products differ but whose distances round to the same
  // double: the two points tie, and the lower index must win.
  const double dx = 1.5;
  const double dy = 1.1;
  const double len = std::sqrt(dx * dx + dy * dy);
  double a = -0.55;
  double b = 0.0;
  bool found = false;
  for (int n = 0; n < 1000 && !found; ++n) {
    a = std::nextafter(a, -1.0);
    b = std::nextafter(a, -1.0);
    const double ca = std::fabs(1.0 * dy - a * dx);
    const double cb = std::fabs(1.0 * dy - b * dx);
    found = ca < cb && ca / len == cb / len;
  }
  ASSERT_TRUE(found);
  const std::vector<double> x{0, 1, 1, dx};
  const std::vector<double> y{0, a, b, dy};
  std::vector<uint8_t> keep(4, 0);
  // The two points lie 1 from the chord and nearly on each other: once one
  // is kept, the other lies on the new chord's end and is dropped.
  SimplifyPolyline(x, y, 0, 3, 0.9, keep);
  EXPECT_EQ(keep, (std::vector<uint8_t>{1, 1, 0, 1}));
}

// Curves sampled coarsely against the tolerance: reduced within the
// tolerance less their samples' bulge, every chord kept lies within the
// tolerance of the curve itself, measured on the curve between the chord's
// ends (a fine walk along its parameter), not only at the samples. Within the
// plain tolerance a chord can miss the curve by up to a sample segment's sag
// more.
struct SampledCurveCase {
  const char* name;
  double a, b;        // semi-axes of the ellipse (a = b: a circle)
  double u0, u1;      // the parameter range sampled
  int samples;
  double tolerance;
};

TEST(OutlineCurveSampleBulge, ReductionWithinItKeepsTheToleranceFromTheCurveItself) {
  const SampledCurveCase cases[] = {
      {"circle", 10.0, 10.0, 0.0, kPi, 180, 0.005},
      {"circle sampled finely", 10.0, 10.0, 0.0, kPi, 3000, 0.005},
      {"flat ellipse, sample sag 0.2 t at its ends", 30.0, 2.0, -kPi / 2.0, kPi / 2.0, 400, 0.002},
      {"flat ellipse, sampled finer", 30.0, 2.0, -kPi / 2.0, kPi / 2.0, 700, 0.002},
      {"ellipse round its sharp end, sample sag 0.3 t", 5.0, 1.0, -1.0, 1.0, 160, 0.0005},
      {"ellipse round its sharp end, sampled finer", 5.0, 1.0, -1.0, 1.0, 400, 0.0005},
  };
  for (const SampledCurveCase& c : cases) {
    auto at = [&](double u) { return std::array<double, 2>{c.a * std::cos(u), c.b * std::sin(u)}; };
    std::vector<double> x, y, u;
    OutlineCurve curve;
    for (int i = 0; i < c.samples; ++i) {
      u.push_back(c.u0 + (c.u1 - c.u0) * i / (c.samples - 1));
      x.push_back(at(u.back())[0]);
      y.push_back(at(u.back())[1]);
      curve.points.push_back({x.back(), y.back()});
    }
    // The greatest sag of a sample segment, from the curve: an estimate of it,
    // and no more than a small part of the tolerance in these cases.
    double sampleSag = 0.0;
    for (int i = 0; i + 1 < c.samples; ++i) {
      for (int s = 1; s < 100; ++s) {
        const auto p = at(u[i] + (u[i + 1] - u[i]) * s / 100.0);
        sampleSag = std::max(sampleSag, stltest::DistanceToSegment(p[0], p[1], x[i], y[i], x[i + 1], y[i + 1]));
      }
    }
    const double bulge = OutlineCurveSampleBulge(curve);
    EXPECT_NEAR(bulge, sampleSag, 0.02 * sampleSag + 1e-12) << c.name;
    std::vector<uint8_t> keep(x.size(), 0);
    SimplifyPolyline(x, y, 0, static_cast<int64_t>(x.size()) - 1, c.tolerance - bulge, keep);
    double worst = 0.0;
    int kept = 0;
    size_t i = 0;
    while (i + 1 < x.size()) {
      size_t j = i + 1;
      while (keep[j] == 0) ++j;
      ++kept;
      for (int s = 1; s < 1000; ++s) {
        const auto p = at(u[i] + (u[j] - u[i]) * s / 1000.0);
        worst = std::max(worst, stltest::DistanceToSegment(p[0], p[1], x[i], y[i], x[j], y[j]));
      }
      i = j;
    }
    EXPECT_LE(worst, c.tolerance) << c.name;
    EXPECT_LT(kept, c.samples - 1) << c.name;  // reduced at all
  }
}

TEST(SimplifyClosedOutline, KeepsMarkedPointsOnStraightLines) {
  // A square with extra points on its edges; the one at (1, 0) is marked.
  const std::vector<double> x{0, 1, 2, 2, 2, 0};
  const std::vector<double> y{0, 0, 0, 1, 2, 2};
  std::vector<uint8_t> breaks{0, 1, 0, 0, 0, 0};
  std::vector<double> nx, ny;
  std::vector<int64_t> map;
  const int64_t m = SimplifyClosedOutline(x, y, breaks, 0.01, nx, ny, map);
  EXPECT_EQ(breaks[0], 1);
  const std::vector<int64_t> expectedMap{0, 1, 2, -1, 3, 4};
  EXPECT_EQ(m, 5);
  EXPECT_EQ(map, expectedMap);
  EXPECT_EQ(nx, (std::vector<double>{0, 1, 2, 2, 0}));
  EXPECT_EQ(x.size(), 6u);  // input unchanged
}

// The reduced outline of real gears and a rack stays within the tolerance of
// every point of the fine outline, and keeps every junction of its curves.
TEST(SimplifyClosedOutline, ChordToleranceHoldsOnGearOutlines) {
  struct Case {
    const char* name;
    GearRecord body;
    double tolerance;
  };
  GearRecord rack;
  BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, 8, 10.0, 10.0, 0.0, 16);
  const std::vector<Case> cases = {
      {"z 17 x 0.1 t 0.01", MakeGear(2.0, 17, 0.1, 0.0, 16), 0.01},
      {"z 8 undercut t 0.001", MakeGear(3.0, 8, 0.0, 0.0, 16), 0.001},
      {"z 40 helical t 0.05", MakeGear(1.5, 40, -0.2, 25.0, 16), 0.05},
      {"rack t 0.02", rack, 0.02},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.body.valid, 1) << c.name;
    std::vector<double> x, y;
    std::vector<uint8_t> breaks;
    FlattenOutlineToArrays(c.body, x, y, breaks);
    const std::vector<uint8_t> marked = breaks;
    std::vector<double> nx, ny;
    std::vector<int64_t> map;
    const int64_t m = SimplifyClosedOutline(x, y, breaks, c.tolerance, nx, ny, map);
    ASSERT_GT(m, 2) << c.name;
    EXPECT_LT(static_cast<size_t>(m), x.size() / 2) << c.name << ": the reduction should drop most points";

    // Every fine point lies within t of the reduced polygon's segment that
    // spans it (the segment between the kept points before and after it).
    double worst = 0.0;
    int64_t before = -1;
    for (size_t k = 0; k < x.size(); ++k) {
      if (map[k] >= 0) {
        before = map[k];
        continue;
      }
      ASSERT_GE(before, 0);
      const auto a = static_cast<size_t>(before);
      const size_t b = (a + 1) % static_cast<size_t>(m);
      worst = std::fmax(worst, stltest::DistanceToSegment(x[k], y[k], nx[a], ny[a], nx[b], ny[b]));
    }
    EXPECT_LE(worst, c.tolerance * (1.0 + 1e-9)) << c.name;
    for (size_t k = 0; k < x.size(); ++k) {
      if (marked[k] != 0) {
        EXPECT_GE(map[k], 0) << c.name << " junction " << k;
      }
    }
  }
}

// --- Ear clipping ---

struct PolygonCase {
  std::string name;
  std::vector<double> x, y;
};

double PolygonArea(const std::vector<double>& x, const std::vector<double>& y) {
  double twice = 0.0;
  for (size_t i = 0; i < x.size(); ++i) {
    const size_t j = (i + 1) % x.size();
    twice += x[i] * y[j] - x[j] * y[i];
  }
  return 0.5 * twice;
}

// A sector of a real gear: the outline of one tooth from space middle to space
// middle, closed through the centre.
PolygonCase ToothSector() {
  const GearRecord gear = MakeGear(2.0, 9, 0.0, 0.0, 16);
  PolygonCase c{"tooth sector z 9", {}, {}};
  const auto poly = stltest::JoinOutline(gear.outline);
  const double p = 2.0 * kPi / 9.0;
  bool inside = false;
  for (size_t pass = 0; pass < 2 && c.x.size() < poly.size(); ++pass) {
    for (const OutlinePoint& q : poly) {
      const double u = std::atan2(q.y, q.x) / p + 0.5;
      const bool boundary = std::fabs(u - std::round(u)) < 1e-7;
      const bool atTooth0 = boundary && std::fabs(std::atan2(q.y, q.x) + p / 2) < 1e-6;
      const bool atTooth1 = boundary && std::fabs(std::atan2(q.y, q.x) - p / 2) < 1e-6;
      if (atTooth0) inside = true;
      if (inside) {
        c.x.push_back(q.x);
        c.y.push_back(q.y);
      }
      if (atTooth1 && inside) {
        pass = 2;
        break;
      }
    }
  }
  c.x.push_back(0.0);
  c.y.push_back(0.0);
  return c;
}

TEST(TriangulatePolygon, TableOfPolygonsGivesNMinus2TrianglesCoveringTheArea) {
  std::vector<PolygonCase> cases = {
      {"triangle", {0, 1, 0}, {0, 0, 1}},
      {"convex hexagon", {2, 1, -1, -2, -1, 1}, {0, 1.7, 1.7, 0, -1.7, -1.7}},
      {"concave L", {0, 3, 3, 1, 1, 0}, {0, 0, 1, 1, 3, 3}},
      {"comb", {0, 5, 5, 4, 4, 3, 3, 2, 2, 1, 1, 0}, {0, 0, 3, 3, 1, 1, 3, 3, 1, 1, 3, 3}},
      {"star", {}, {}},
      {"square with corner on an edge", {0, 0.5, 1, 1, 0}, {0, 0, 0, 1, 1}},
      {"collinear runs", {0, 1, 2, 3, 3, 3, 2, 1, 0, 0}, {0, 0, 0, 0, 1, 2, 2, 2, 2, 1}},
      ToothSector(),
  };
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 == 0 ? 3.0 : 1.0;
    cases[4].x.push_back(r * std::cos(2 * kPi * i / 10));
    cases[4].y.push_back(r * std::sin(2 * kPi * i / 10));
  }
  ASSERT_GT(cases.back().x.size(), 50u);

  for (const PolygonCase& c : cases) {
    const size_t n = c.x.size();
    std::vector<int64_t> idx(n);
    for (size_t i = 0; i < n; ++i) idx[i] = static_cast<int64_t>(i);
    std::vector<int64_t> tri{7, 7, 7};  // not emptied: appended to
    TriangulatePolygon(idx, c.x, c.y, tri);
    ASSERT_EQ(tri.size(), 3 + 3 * (n - 2)) << c.name;
    const double area = PolygonArea(c.x, c.y);
    double sumAbs = 0.0;
    size_t inverted = 0;
    for (size_t t = 3; t < tri.size(); t += 3) {
      const auto a = static_cast<size_t>(tri[t]), b = static_cast<size_t>(tri[t + 1]),
                 e = static_cast<size_t>(tri[t + 2]);
      const double twice = Cross2D(c.x[a], c.y[a], c.x[b], c.y[b], c.x[e], c.y[e]);
      if (!(twice > 0.0)) ++inverted;  // clockwise or of zero area
      sumAbs += 0.5 * std::fabs(twice);
    }
    // A collinear corner is never cut on its own: no triangle of zero area.
    EXPECT_EQ(inverted, 0u) << c.name;
    // Unsigned areas add up to the polygon only when no triangle overlaps
    // another or sticks out.
    EXPECT_NEAR(sumAbs, area, 1e-9 * area) << c.name;
  }
}

TEST(TriangulatePolygon, OrderOfCuts) {
  // Convex: the first ear is corner 0 with its neighbours (c-1, 0, 1).
  const std::vector<double> x{2, 1, -1, -2, -1, 1};
  const std::vector<double> y{0, 1.7, 1.7, 0, -1.7, -1.7};
  std::vector<int64_t> tri;
  TriangulatePolygon({0, 1, 2, 3, 4, 5}, x, y, tri);
  ASSERT_GE(tri.size(), 3u);
  EXPECT_EQ((std::vector<int64_t>{tri[0], tri[1], tri[2]}), (std::vector<int64_t>{5, 0, 1}));

  // Fewer than three corners: nothing.
  tri.clear();
  TriangulatePolygon({0, 1}, x, y, tri);
  EXPECT_TRUE(tri.empty());

  // A clockwise polygon still ends, with c - 2 triangles.
  tri.clear();
  TriangulatePolygon({5, 4, 3, 2, 1, 0}, x, y, tri);
  EXPECT_EQ(tri.size(), 12u);
}

}  // namespace
