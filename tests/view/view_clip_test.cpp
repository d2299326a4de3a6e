// Clipping of polygons and segments to the view's clip rectangle, the joining
// of clipped polylines, and circles as arc polylines. No window is needed: the
// canvas size is fixed as a redraw fixes it for its frame.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "app/globals.h"
#include "app/view_clip.h"
#include "app/view_draw.h"
#include "app/view_transform.h"
#include "platform/canvas_path.h"

namespace {

// A 200 x 100 canvas: the clip rectangle is [-40, 240] x [-40, 140].
class ClipTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetViewFrameSize(200, 100);
    SetClipRectangle(200, 100);
    gZoom = 1.0;
    gViewCentreX = 0.0;
    gViewCentreY = 0.0;
    PathClear();
  }
  void TearDown() override {
    ClearViewFrameSize();
    PathClear();
  }
};

std::vector<PathPoint> FigurePoints(const CanvasPath& path, std::size_t figure) {
  const PathFigure& f = path.figures.at(figure);
  return {path.points.begin() + static_cast<std::ptrdiff_t>(f.first),
          path.points.begin() + static_cast<std::ptrdiff_t>(f.first + f.count)};
}

void ExpectPoints(const std::vector<PathPoint>& got, const std::vector<CanvasPoint>& want) {
  ASSERT_EQ(got.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_NEAR(got[i].x, want[i].x, 1e-9) << "point " << i;
    EXPECT_NEAR(got[i].y, want[i].y, 1e-9) << "point " << i;
  }
}

// Signed area (shoelace) of a figure.
double FigureArea(const std::vector<PathPoint>& p) {
  double a = 0.0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const PathPoint& u = p[i];
    const PathPoint& v = p[(i + 1) % p.size()];
    a += u.x * v.y - v.x * u.y;
  }
  return 0.5 * a;
}

TEST_F(ClipTest, ClipRectangleIsCanvasPlusMargin) {
  EXPECT_EQ(gClipXMin, -40.0);
  EXPECT_EQ(gClipYMin, -40.0);
  EXPECT_EQ(gClipXMax, 240.0);
  EXPECT_EQ(gClipYMax, 140.0);
}

TEST_F(ClipTest, PointOnAnEdgeCountsAsInside) {
  struct Case {
    CanvasPoint p;
    int edge;
    int64_t inside;
  };
  const Case cases[] = {
      {{-40.0, 0.0}, kClipEdgeLeft, 1},     {{-40.000001, 0.0}, kClipEdgeLeft, 0},
      {{240.0, 0.0}, kClipEdgeRight, 1},    {{240.000001, 0.0}, kClipEdgeRight, 0},
      {{0.0, -40.0}, kClipEdgeTop, 1},      {{0.0, -40.000001}, kClipEdgeTop, 0},
      {{0.0, 140.0}, kClipEdgeBottom, 1},   {{0.0, 140.000001}, kClipEdgeBottom, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsInsideClipEdge(c.p, c.edge), c.inside) << c.p.x << "," << c.p.y << " edge " << c.edge;
  }
}

TEST_F(ClipTest, PolygonsAgainstTheRectangle) {
  struct Case {
    const char* name;
    std::vector<CanvasPoint> polygon;
    std::vector<CanvasPoint> expected;  // empty: nothing added
  };
  const std::vector<Case> cases = {
      {"inside, kept unchanged in order",
       {{0, 0}, {100, 10}, {50, 80}, {10, 60}},
       {{0, 0}, {100, 10}, {50, 80}, {10, 60}}},
      {"on the edges, kept unchanged",
       {{-40, -40}, {240, -40}, {240, 140}, {-40, 140}},
       {{-40, -40}, {240, -40}, {240, 140}, {-40, 140}}},
      {"wholly outside to the right", {{300, 0}, {400, 0}, {350, 50}}, {}},
      {"wholly outside, surrounding a corner only from outside", {{-100, -100}, {-50, -100}, {-100, -50}}, {}},
      // Crossing the right edge x = 240: (200,0)-(300,0) meets it at (240,0);
      // (300,0)-(200,50) at t = 0.6, i.e. (240,30).
      {"crossing the right edge",
       {{200, 0}, {300, 0}, {200, 50}},
       {{200, 0}, {240, 0}, {240, 30}, {200, 50}}},
      // Crossing the top edge y = -40: (0,0)-(20,-80) at t = 0.5 -> (10,-40);
      // (20,-80)-(40,0) at t = 0.5 -> (30,-40).
      {"crossing the top edge",
       {{0, 0}, {20, -80}, {40, 0}},
       {{0, 0}, {10, -40}, {30, -40}, {40, 0}}},
      {"two points only", {{0, 0}, {10, 10}}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PathClear();
    std::vector<CanvasPoint> work = c.polygon;
    DrawClippedPolygon(&work);
    const CanvasPath& path = PathGetCurrent();
    if (c.expected.empty()) {
      EXPECT_TRUE(path.figures.empty());
      continue;
    }
    ASSERT_EQ(path.figures.size(), 1u);
    EXPECT_TRUE(path.figures[0].closed);
    ExpectPoints(FigurePoints(path, 0), c.expected);
  }
}

TEST_F(ClipTest, PolygonEnclosingTheViewBecomesTheClipRectangle) {
  std::vector<CanvasPoint> work = {{-1e6, -1e6}, {1e6, -1e6}, {1e6, 1e6}, {-1e6, 1e6}};
  DrawClippedPolygon(&work);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 1u);
  const std::vector<PathPoint> p = FigurePoints(path, 0);
  EXPECT_NEAR(std::abs(FigureArea(p)), 280.0 * 180.0, 1e-6);
  for (const PathPoint& q : p) {
    EXPECT_TRUE(q.x == -40.0 || q.x == 240.0);
    EXPECT_TRUE(q.y == -40.0 || q.y == 140.0);
  }
}

TEST_F(ClipTest, SegmentsAgainstTheRectangle) {
  struct Case {
    const char* name;
    CanvasPoint p;
    CanvasPoint q;
    int64_t visible;
    double t0;
    double t1;
  };
  const Case cases[] = {
      {"inside", {0, 0}, {100, 50}, 1, 0.0, 1.0},
      {"outside beyond the right edge", {300, 0}, {400, 100}, 0, 0, 0},
      {"outside, passing a corner", {200, -100}, {300, 0}, 0, 0, 0},
      // From x = -140 to 60 along y = 0: enters at x = -40, t = 0.5.
      {"entering through the left edge", {-140, 0}, {60, 0}, 1, 0.5, 1.0},
      // From (0,0) to (0,280): leaves through y = 140 at t = 0.5.
      {"leaving through the bottom edge", {0, 0}, {0, 280}, 1, 0.0, 0.5},
      // From x = -240 to 440 along y = 50: inside from -40 to 240.
      {"crossing both side edges", {-240, 50}, {440, 50}, 1, 200.0 / 680.0, 480.0 / 680.0},
      {"parallel to the left edge, beyond it", {-50, 0}, {-50, 100}, 0, 0, 0},
      {"parallel to the top edge, beyond it", {0, -41}, {100, -41}, 0, 0, 0},
      // Along the top edge itself (q = 0): clipped by the side edges only.
      {"lying on the top edge", {-100, -40}, {300, -40}, 1, 60.0 / 400.0, 340.0 / 400.0},
      {"lying on the right edge, inside", {240, 0}, {240, 100}, 1, 0.0, 1.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const int64_t visible = ClipSegment(c.p, c.q);
    ASSERT_EQ(visible, c.visible);
    if (visible) {
      EXPECT_NEAR(gClipT0, c.t0, 1e-12);
      EXPECT_NEAR(gClipT1, c.t1, 1e-12);
    }
  }
}

TEST_F(ClipTest, PolylineLeavingAndReenteringMakesTwoFigures) {
  // Out through the right edge, a detour outside, back in: no line may run
  // along the border between the two visible runs.
  const CanvasPointList line = {{0, 50}, {400, 50}, {400, 80}, {0, 80}};
  DrawPolyline(line, /*closed=*/0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 2u);
  ExpectPoints(FigurePoints(path, 0), {{0, 50}, {240, 50}});
  ExpectPoints(FigurePoints(path, 1), {{240, 80}, {0, 80}});
  EXPECT_FALSE(path.figures[0].closed);
  EXPECT_FALSE(path.figures[1].closed);
}

TEST_F(ClipTest, VisiblePolylineStaysOneFigure) {
  const CanvasPointList square = {{0, 0}, {100, 0}, {100, 50}, {0, 50}};
  DrawPolyline(square, /*closed=*/1);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 1u);
  ExpectPoints(FigurePoints(path, 0), {{0, 0}, {100, 0}, {100, 50}, {0, 50}, {0, 0}});
}

TEST_F(ClipTest, PolylineOfFewerThanTwoPointsAddsNothing) {
  DrawPolyline({{10, 10}}, /*closed=*/1);
  DrawPolyline({}, /*closed=*/0);
  EXPECT_TRUE(PathGetCurrent().figures.empty());
}

// --- Arc polylines -------------------------------------------------------

// Distance of every point from the centre c must be R.
void ExpectOnCircle(const CanvasPointList& points, std::size_t count, CanvasPoint c, double radius) {
  for (std::size_t i = 0; i < count; ++i) {
    EXPECT_NEAR(std::hypot(points[i].x - c.x, points[i].y - c.y), radius, 1e-9 * radius) << "point " << i;
  }
}

TEST_F(ClipTest, CirclesThatCannotBeSeenGiveNothing) {
  CanvasPointList points = {{1, 1}};
  struct Case {
    const char* name;
    double cx, cy, r;
  };
  const Case cases[] = {
      {"radius 0", 0, 0, 0},
      {"negative radius", 0, 0, -5},
      {"NaN radius", 0, 0, std::nan("")},
      {"far away", 1e6, 0, 10},
      {"enclosing the view with room to spare", 0, 0, 1e6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BuildArcPolyline(c.cx, c.cy, c.r, &points, 1), 0);
    EXPECT_TRUE(points.empty());
  }
}

TEST_F(ClipTest, CircleOfZeroPixelsAtTinyZoomGivesNothing) {
  gZoom = 1e-320;
  CanvasPointList points;
  EXPECT_EQ(BuildArcPolyline(0, 0, 1e-10, &points, 0), 0);
}

// Whole circles get n = ceil(2 pi / step) distinct points, step =
// min(sqrt(2 / R), 5 degrees): 72 up to R = 262.6 px, 141 at 1000 px, 445 at
// 10000 px. The canvas is made large enough that each is drawn whole and the
// centre is placed so that the circle crosses the view.
TEST(ArcPolyline, WholeCircleHasExactlyNDistinctPoints) {
  struct Case {
    double radiusPx;
    std::size_t n;
  };
  const Case cases[] = {{10.0, 72}, {262.0, 72}, {1000.0, 141}, {10000.0, 445}};
  SetViewFrameSize(4000, 4000);
  SetClipRectangle(4000, 4000);
  gZoom = 2.0;
  gViewCentreX = 0.0;
  gViewCentreY = 0.0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.radiusPx);
    const double r = c.radiusPx / gZoom;
    CanvasPointList points;
    ASSERT_EQ(BuildArcPolyline(r, 0.0, r, &points, /*sector=*/1), 1);  // crosses the view centre
    ASSERT_EQ(points.size(), c.n);  // no centre point: a whole circle is no sector
    const CanvasPoint centre = WorldToScreen(r, 0.0);
    ExpectOnCircle(points, points.size(), centre, c.radiusPx);
    EXPECT_GT(std::hypot(points.front().x - points.back().x, points.front().y - points.back().y), 1e-6);
  }
  ClearViewFrameSize();
}

// A circle of at least twice the view diagonal: only the arc facing the view,
// n + 1 points, each chord within a quarter pixel of the arc, and the visible
// part of the circle covered: both arc ends lie outside the clip rectangle.
TEST_F(ClipTest, LargeCircleGivesOnlyTheArcFacingTheView) {
  gZoom = 100.0;
  // Centre 50 mm below the canvas centre, radius 50.3 mm: the circle's top
  // passes 30 px above the canvas centre.
  const double r = 50.3;
  CanvasPointList points;
  ASSERT_EQ(BuildArcPolyline(0.0, -50.0, r, &points, /*sector=*/0), 1);
  const CanvasPoint c = WorldToScreen(0.0, -50.0);
  const double radiusPx = r * gZoom;
  ExpectOnCircle(points, points.size(), c, radiusPx);
  ASSERT_GE(points.size(), 9u);
  // The arc spans 4h / R (h = half the clip diagonal); n + 1 points.
  const double h = 0.5 * std::hypot(280.0, 180.0);
  const double span = 4.0 * h / radiusPx;
  const double step = std::min(std::sqrt(2.0 / radiusPx), 5.0 * std::numbers::pi / 180.0);
  EXPECT_EQ(points.size(), static_cast<std::size_t>(std::max(8.0, std::ceil(span / step))) + 1);
  for (std::size_t i = 0; i + 1 < points.size(); ++i) {
    const double chord = std::hypot(points[i + 1].x - points[i].x, points[i + 1].y - points[i].y);
    const double sagitta = radiusPx - std::sqrt(radiusPx * radiusPx - 0.25 * chord * chord);
    EXPECT_LE(sagitta, 0.25 + 1e-9);
  }
  EXPECT_FALSE(IsPointInView(points.front()));
  EXPECT_FALSE(IsPointInView(points.back()));
  // Its middle faces the view: straight above the centre.
  const CanvasPoint mid = points[points.size() / 2];
  EXPECT_NEAR(mid.x, c.x, 1.0);
  EXPECT_LT(mid.y, c.y);

  // With the sector flag the centre closes it.
  CanvasPointList sector;
  ASSERT_EQ(BuildArcPolyline(0.0, -50.0, r, &sector, /*sector=*/1), 1);
  ASSERT_EQ(sector.size(), points.size() + 1);
  EXPECT_NEAR(sector.back().x, c.x, 1e-9);
  EXPECT_NEAR(sector.back().y, c.y, 1e-9);
}

}  // namespace
