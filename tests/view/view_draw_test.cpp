// The figures that the gear drawing adds to the current path: body and hole of
// a gear, the view inside a bore, the ring between teeth and rim, keyways, and
// circles too large for the view. No window: the canvas size is fixed as a
// redraw fixes it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/globals.h"
#include "app/view_clip.h"
#include "app/view_draw.h"
#include "app/view_transform.h"
#include "geometry/gear_geometry.h"
#include "geometry/ring_gear.h"
#include "platform/canvas_path.h"

namespace {

std::vector<PathPoint> FigurePoints(const CanvasPath& path, std::size_t figure) {
  const PathFigure& f = path.figures.at(figure);
  return {path.points.begin() + static_cast<std::ptrdiff_t>(f.first),
          path.points.begin() + static_cast<std::ptrdiff_t>(f.first + f.count)};
}

double FigureArea(const std::vector<PathPoint>& p) {
  double a = 0.0;
  for (std::size_t i = 0; i < p.size(); ++i) {
    const PathPoint& u = p[i];
    const PathPoint& v = p[(i + 1) % p.size()];
    a += u.x * v.y - v.x * u.y;
  }
  return 0.5 * std::abs(a);
}

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetViewFrameSize(kW, kH);
    SetClipRectangle(kW, kH);
    gZoom = 5.0;
    gViewCentreX = 0.0;
    gViewCentreY = 0.0;
    PathClear();
    // m 2, z 20, x 0, 20 degrees, b 10, bore 8.
    InitGearRecord(gear_, 2.0, 20, 0.0, 20.0, 10.0, 8.0, 0.0, 0.0, 1);
    BuildGearGeometry(gear_, 1);
    ASSERT_EQ(gear_.valid, 1);
  }
  void TearDown() override {
    ClearViewFrameSize();
    PathClear();
  }
  static constexpr int kW = 400;
  static constexpr int kH = 300;
  GearRecord gear_;
};

TEST_F(DrawTest, GearGivesBodyAndBoreFigures) {
  DrawGearOutline(gear_, 0.0, 0.0, 0.3);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 2u);
  EXPECT_TRUE(path.figures[0].closed);
  EXPECT_TRUE(path.figures[1].closed);
  // Every body point lies between root (17.5 mm) and tip (22 mm) circle.
  const CanvasPoint c = WorldToScreen(0.0, 0.0);
  for (const PathPoint& p : FigurePoints(path, 0)) {
    const double r = std::hypot(p.x - c.x, p.y - c.y) / gZoom;
    EXPECT_GE(r, 17.5 - 1e-6);
    EXPECT_LE(r, 22.0 + 1e-6);
  }
  // The bore: a whole circle of radius 4 mm = 20 px, 72 points (5 degree steps).
  const std::vector<PathPoint> bore = FigurePoints(path, 1);
  EXPECT_EQ(bore.size(), 72u);
  for (const PathPoint& p : bore) EXPECT_NEAR(std::hypot(p.x - c.x, p.y - c.y), 20.0, 1e-9);
}

TEST_F(DrawTest, ViewInsideTheBoreMakesTheClipRectangleTheHole) {
  // At 1000 px/mm the 4 mm bore is 4000 px across the view: neither the teeth
  // nor the bore circle come near it.
  gZoom = 1000.0;
  DrawGearOutline(gear_, 0.0, 0.0, 0.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 2u);
  // The body encloses the view: clipped, it is the clip rectangle; the hole is
  // the clip rectangle too, so the even-odd fill leaves the background.
  const double clipArea = (kW + 80.0) * (kH + 80.0);
  EXPECT_NEAR(FigureArea(FigurePoints(path, 0)), clipArea, 1e-6);
  EXPECT_NEAR(FigureArea(FigurePoints(path, 1)), clipArea, 1e-6);
}

TEST_F(DrawTest, ViewOnTheBodyBesideTheBoreHasNoHole) {
  // The view centred on the body at radius 10 mm, zoomed so far that neither
  // the bore circle (4 mm) nor the root circle (17.5 mm) is near: the body is
  // the clip rectangle and there is no hole figure.
  gZoom = 1000.0;
  gViewCentreX = 10.0;
  DrawGearOutline(gear_, 0.0, 0.0, 0.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 1u);
  EXPECT_NEAR(FigureArea(FigurePoints(path, 0)), (kW + 80.0) * (kH + 80.0), 1e-6);
}

TEST_F(DrawTest, KeywayIsPartOfTheHole) {
  // Keyway 3 wide, 1.4 deep beyond the 4 mm bore radius: its bottom lies at
  // x = 5.4 mm, i.e. 27 px right of the centre with the gear unturned.
  gear_.keyWidth = 3.0;
  gear_.hubKeywayDepth = 1.4;
  ASSERT_EQ(GearHasKeyway(gear_), 1);
  DrawGearOutline(gear_, 0.0, 0.0, 0.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 2u);
  const CanvasPoint c = WorldToScreen(0.0, 0.0);
  double rightmost = -1e9;
  for (const PathPoint& p : FigurePoints(path, 1)) rightmost = std::max(rightmost, p.x - c.x);
  EXPECT_NEAR(rightmost, 27.0, 1e-9);
}

TEST_F(DrawTest, RingGearHoleIsItsRimCircle) {
  GearRecord ring;
  // m 2, z 40, x 0, 20 degrees, rim 10: root radius 42.5, rim radius 52.5 mm.
  ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 40, 0.0, 20.0, 10.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
  gZoom = 2.0;
  DrawGearOutline(ring, 0.0, 0.0, 0.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 2u);
  const CanvasPoint c = WorldToScreen(0.0, 0.0);
  for (const PathPoint& p : FigurePoints(path, 1)) {
    EXPECT_NEAR(std::hypot(p.x - c.x, p.y - c.y), 52.5 * 2.0, 1e-9);
  }
  // The toothed contour lies between the tip (38) and the root circle (42.5).
  for (const PathPoint& p : FigurePoints(path, 0)) {
    const double r = std::hypot(p.x - c.x, p.y - c.y) / gZoom;
    EXPECT_GE(r, 38.0 - 1e-6);
    EXPECT_LE(r, 42.5 + 1e-6);
  }
}

TEST_F(DrawTest, InvalidGearDrawsNothing) {
  GearRecord invalid = gear_;
  invalid.valid = 0;
  EXPECT_EQ(DrawGear(invalid, 0.0, 0.0, 0.0, kGear1Colour), 1);
  EXPECT_TRUE(PathGetCurrent().figures.empty());
  EXPECT_EQ(DrawRack(invalid, 0.0, 0.0, kGear2Colour), 1);
  EXPECT_TRUE(PathGetCurrent().figures.empty());
}

TEST_F(DrawTest, CircleMuchLargerThanTheViewIsAnOpenArc) {
  // Radius 1000 mm at 5 px/mm (5000 px, more than twice the clip diagonal of
  // about 1000 px), the circle running through the view: one open figure
  // across the view and no closing chord.
  DrawCircle(0.0, -1000.0, 1000.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 1u);
  EXPECT_FALSE(path.figures[0].closed);
  const std::vector<PathPoint> arc = FigurePoints(path, 0);
  ASSERT_GE(arc.size(), 2u);
  // It runs from the left edge of the clip rectangle to its right edge.
  EXPECT_NEAR(std::min(arc.front().x, arc.back().x), gClipXMin, 1e-9);
  EXPECT_NEAR(std::max(arc.front().x, arc.back().x), gClipXMax, 1e-9);
}

TEST_F(DrawTest, SmallCircleIsClosed) {
  DrawCircle(0.0, 0.0, 10.0);
  const CanvasPath& path = PathGetCurrent();
  ASSERT_EQ(path.figures.size(), 1u);
  const std::vector<PathPoint> ring = FigurePoints(path, 0);
  // 72 points and the closing segment back to the first.
  ASSERT_EQ(ring.size(), 73u);
  EXPECT_NEAR(ring.front().x, ring.back().x, 1e-12);
  EXPECT_NEAR(ring.front().y, ring.back().y, 1e-12);
}

}  // namespace
