// The view transform and the arithmetic of fit, wheel zoom and drag pan, on the
// view state alone (no window).
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/globals.h"
#include "app/view_clip.h"
#include "app/view_transform.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

class ViewTest : public ::testing::Test {
 protected:
  static constexpr int kW = 800;
  static constexpr int kH = 600;
  void SetUp() override {
    SetViewFrameSize(kW, kH);
    SetClipRectangle(kW, kH);
    gZoom = 1.0;
    gViewCentreX = 0.0;
    gViewCentreY = 0.0;
  }
  void TearDown() override { ClearViewFrameSize(); }

  // The inverse map, written from its definition: x = cx + (X - w/2) / zoom,
  // y = cy - (Y - h/2) / zoom.
  static void ScreenToWorld(double sx, double sy, double* x, double* y) {
    *x = gViewCentreX + (sx - 0.5 * kW) / gZoom;
    *y = gViewCentreY - (sy - 0.5 * kH) / gZoom;
  }
};

TEST_F(ViewTest, WorldToScreenPutsTheCentreMidCanvasWithYUp) {
  gZoom = 4.0;
  gViewCentreX = 10.0;
  gViewCentreY = -5.0;
  struct Case {
    double x, y, sx, sy;
  };
  const Case cases[] = {
      {10.0, -5.0, 400.0, 300.0},   // the view centre
      {11.0, -5.0, 404.0, 300.0},   // 1 mm right = 4 px right
      {10.0, -4.0, 400.0, 296.0},   // 1 mm up = 4 px up (y down on screen)
      {0.0, 0.0, 360.0, 280.0},
  };
  for (const Case& c : cases) {
    const CanvasPoint p = WorldToScreen(c.x, c.y);
    EXPECT_DOUBLE_EQ(p.x, c.sx);
    EXPECT_DOUBLE_EQ(p.y, c.sy);
    double x = 0.0;
    double y = 0.0;
    ScreenToWorld(p.x, p.y, &x, &y);
    EXPECT_NEAR(x, c.x, 1e-12);
    EXPECT_NEAR(y, c.y, 1e-12);
  }
}

TEST_F(ViewTest, WheelZoomKeepsTheModelPointUnderTheCursor) {
  struct Case {
    double zoom;
    int mx, my, notches;
  };
  const Case cases[] = {
      {1.0, 100, 50, 1}, {1.0, 700, 500, -1}, {3.7, 0, 0, 3}, {250.0, 799, 599, -4}, {0.5, 400, 300, 2},
  };
  for (const Case& c : cases) {
    gZoom = c.zoom;
    gViewCentreX = 12.5;
    gViewCentreY = -3.0;
    double before_x = 0.0;
    double before_y = 0.0;
    ScreenToWorld(c.mx, c.my, &before_x, &before_y);
    ZoomViewAtCursor(kW, kH, c.mx, c.my, c.notches);
    EXPECT_NEAR(gZoom, c.zoom * std::pow(1.2, c.notches), 1e-12 * gZoom);
    const CanvasPoint p = WorldToScreen(before_x, before_y);
    EXPECT_NEAR(p.x, c.mx, 1e-9);
    EXPECT_NEAR(p.y, c.my, 1e-9);
  }
}

TEST_F(ViewTest, WheelZoomStopsAtItsLimits) {
  struct Case {
    double zoom;
    int notches;
    double expected;
  };
  const Case cases[] = {
      {0.011, -1, 0.01},         // 0.011 / 1.2 = 0.00917 stops at 0.01
      {0.01, -5, 0.01},
      {90000.0, 1, 100000.0},    // 108000 stops at 100000
      {100000.0, 3, 100000.0},
      {1e-5, 1, 0.01},           // a fit below the limit comes back in on the next step
      {1e7, -1, 100000.0},
  };
  for (const Case& c : cases) {
    gZoom = c.zoom;
    ZoomViewAtCursor(kW, kH, 200, 100, c.notches);
    EXPECT_DOUBLE_EQ(gZoom, c.expected) << c.zoom << " by " << c.notches;
  }
}

TEST_F(ViewTest, ZoomAtTheCanvasCentreKeepsTheCentre) {
  gViewCentreX = 7.0;
  gViewCentreY = 8.0;
  ZoomViewAtCursor(kW, kH, kW / 2, kH / 2, 5);
  EXPECT_DOUBLE_EQ(gViewCentreX, 7.0);
  EXPECT_DOUBLE_EQ(gViewCentreY, 8.0);
}

TEST_F(ViewTest, DragMovesTheCentreByTheMouseTravelSinceThePress) {
  gZoom = 2.5;
  // Pressed at (100, 100) with the centre at (3, 4); whatever moves came in
  // between, the position (110, 110) gives (3 - 10/2.5, 4 + 10/2.5).
  PanViewFromDrag(3.0, 4.0, 100, 100, 150, 20);
  PanViewFromDrag(3.0, 4.0, 100, 100, 110, 110);
  EXPECT_DOUBLE_EQ(gViewCentreX, 3.0 - 4.0);
  EXPECT_DOUBLE_EQ(gViewCentreY, 4.0 + 4.0);
  // The model point under the press is under the mouse again.
  gViewCentreX = 3.0;
  gViewCentreY = 4.0;
  double x = 0.0;
  double y = 0.0;
  ScreenToWorld(100, 100, &x, &y);
  PanViewFromDrag(3.0, 4.0, 100, 100, 137, 64);
  const CanvasPoint p = WorldToScreen(x, y);
  EXPECT_NEAR(p.x, 137.0, 1e-9);
  EXPECT_NEAR(p.y, 64.0, 1e-9);
}

TEST_F(ViewTest, FitFramesTheExtentsWithinTheMargins) {
  // 100 x 50 mm on 800 x 600: min(760 / 100, 540 / 50) = 7.6 px/mm.
  ASSERT_EQ(FitViewToExtents({-30.0, 70.0, -20.0, 30.0}, kW, kH), 1);
  EXPECT_DOUBLE_EQ(gZoom, 7.6);
  EXPECT_DOUBLE_EQ(gViewCentreX, 20.0);
  EXPECT_DOUBLE_EQ(gViewCentreY, 5.0);
  // 10 x 50 mm: the height decides, 540 / 50 = 10.8.
  ASSERT_EQ(FitViewToExtents({0.0, 10.0, 0.0, 50.0}, kW, kH), 1);
  EXPECT_DOUBLE_EQ(gZoom, 10.8);
}

TEST_F(ViewTest, FitOnACanvasSmallerThanItsMarginsGivesZoomOne) {
  const int sizes[][2] = {{40, 600}, {800, 60}, {10, 10}, {0, 0}};
  for (const auto& s : sizes) {
    gZoom = 5.0;
    ASSERT_EQ(FitViewToExtents({-10.0, 10.0, -10.0, 10.0}, s[0], s[1]), 1);
    EXPECT_DOUBLE_EQ(gZoom, 1.0) << s[0] << " x " << s[1];
  }
}

TEST_F(ViewTest, FitOfADegenerateDesignLeavesTheViewAsItWas) {
  const double nan = std::nan("");
  const ViewExtents cases[] = {
      {0.0, 0.0, 0.0, 0.0},      // a record with tip radius 0
      {-5.0, 5.0, 2.0, 2.0},     // zero height
      {5.0, -5.0, -5.0, 5.0},    // negative width
      {-nan, nan, -nan, nan},    // NaN tip radius
      {-kInf, kInf, -1.0, 1.0},  // infinite centre distance
      {-1.0, 1.0, -kInf, 1.0},
  };
  for (const ViewExtents& e : cases) {
    gZoom = 3.0;
    gViewCentreX = 1.0;
    gViewCentreY = 2.0;
    EXPECT_EQ(FitViewToExtents(e, kW, kH), 0);
    EXPECT_EQ(gZoom, 3.0);
    EXPECT_EQ(gViewCentreX, 1.0);
    EXPECT_EQ(gViewCentreY, 2.0);
  }
}

TEST_F(ViewTest, NonFiniteWheelStepIsRefused) {
  gZoom = 2.0;
  gViewCentreX = std::nan("");  // a centre that is already broken stays refused
  ZoomViewAtCursor(kW, kH, 10, 10, 1);
  EXPECT_EQ(gZoom, 2.0);
}

TEST_F(ViewTest, PathPointsLieOnTheLineOfAction) {
  gZoom = 2.0;
  PathOfContactRecord path;
  path.t1X = 3.0;
  path.t1Y = -4.0;
  path.directionX = 0.6;
  path.directionY = 0.8;
  // t = 5 mm along (0.6, 0.8) from (3, -4) is the model point (6, 0).
  const CanvasPoint p = PathPointToScreen(path, 5.0);
  EXPECT_DOUBLE_EQ(p.x, 400.0 + 12.0);
  EXPECT_DOUBLE_EQ(p.y, 300.0);
}

TEST_F(ViewTest, PointInViewIncludesTheMarginAndItsBounds) {
  EXPECT_TRUE(IsPointInView({-40.0, -40.0}));
  EXPECT_TRUE(IsPointInView({840.0, 640.0}));
  EXPECT_FALSE(IsPointInView({-40.5, 0.0}));
  EXPECT_FALSE(IsPointInView({0.0, 640.5}));
}

}  // namespace
