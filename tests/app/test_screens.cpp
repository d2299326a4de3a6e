// The main window on screens of a given size and scale. These tests run
// only under the matching offscreen screen (tests/app/screens/*.json, set by
// the ctest entries "screen900.*" and "screen1200x2.*"); elsewhere they skip.
#include <QApplication>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>

#include <algorithm>
#include <cmath>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {
bool ScreenIs(const char* name) { return QGuiApplication::primaryScreen()->name() == QLatin1String(name); }
}  // namespace

TEST_F(AppTest, OnA900PixelDesktopTheWindowOpens820High) {
  if (!ScreenIs("desktop900")) GTEST_SKIP() << "needs the 900 px desktop";
  EXPECT_EQ(DesktopGetHeight(0), 900);
  // 900 - 80 = 820 is less than the default 860, and the wanted height is
  // limited to the same 820.
  EXPECT_EQ(WindowGetInnerHeight(0), 820);
  EXPECT_EQ(GadgetGetHeight(kScrollLeftColumn), 820);
}

TEST_F(AppTest, OnADoubleScaleDesktopTheLayoutIsInLogicalPixels) {
  if (!ScreenIs("desktop1200x2")) GTEST_SKIP() << "needs the 1200 px desktop at scale 2";
  EXPECT_DOUBLE_EQ(DpiScaleY(), 2.0);
  EXPECT_EQ(DesktopGetHeight(0), 2400);  // device pixels
  // The line height is measured in device pixels and brought back: the
  // font's logical height.
  EXPECT_EQ(gLineHeight, int(std::lround(QFontMetricsF(QApplication::font()).height())));
  // Window height: the wanted gReportTop + 208, within 1200 - 80, placed at
  // round(max(0, (1200 - w) / 2 - 20)).
  const int wanted = std::min(gReportTop + 208, 1120);
  const int height = std::max(wanted, 860);
  EXPECT_EQ(WindowGetInnerHeight(0), height);
  if (wanted > 860) {
    EXPECT_EQ(WindowGetY(0), int(std::lround(std::max(0.0, (1200 - wanted) / 2.0 - 20))));
  }

  // The canvas reports the mouse in device pixels; the handler divides by
  // the device scale of the last frame.
  QWidget* canvas = ControlWidget(kCanvasView);
  gDeviceScale = 2.0;
  gZoom = 1.0;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(100, 50));
  QApplication::processEvents();
  ASSERT_EQ(EventPoll(), kEventControl);
  EXPECT_EQ(GadgetGetAttribute(kCanvasView, kAttrCanvasMouseX), 200);
  EXPECT_EQ(GadgetGetAttribute(kCanvasView, kAttrCanvasMouseY), 100);
  DispatchEvent(kEventControl);
  EXPECT_EQ(gMouseX, 100);
  EXPECT_EQ(gMouseY, 50);
  EXPECT_EQ(gDragging, 1);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(100, 50));
  Pump();
}
