// A canvas frame drawn in row bands side by side is the frame drawn in one
// pass, pixel for pixel: every mode, zoomed out, fitted, into the teeth and
// far into the mesh, turned, with and without the line of action and the
// root sections, in 2, 3 and 8 bands (so that the band borders fall across
// different outlines, dashes, labels and fills); and every kind of drawing
// operation, on a frame drawn over the one before. Runs on every test
// desktop, at device scale 1 and 2 alike.
#include <QImage>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/search_inputs.h"
#include "app/main_window.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "app_fixture.h"
#include "design/search_result.h"
#include "platform/canvas_bands.h"
#include "platform/canvas_drawing.h"
#include "platform/canvas_path.h"
#include "platform/canvas_recording.h"
#include "platform/registry.h"

namespace {

// A search result row as the search would give it.
SearchResultRow RowOf(double module, int64_t teeth1, int64_t teeth2, double shiftSum) {
  SearchResultRow row;
  row.module = module;
  row.teeth1 = teeth1;
  row.teeth2 = teeth2;
  row.shiftSum = shiftSum;
  return row;
}

class BandedFrameTest : public AppTest {
 protected:
  void TearDown() override {
    SetRowBandCount(0);
    gStrength = StrengthResults{};
    gStrengthWindowShown = 0;
    AppTest::TearDown();
  }
  void SwitchTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    HandleControlEvent(kPanelTabs, kSubChanged);
    Pump();
  }
  void SetLineOfAction(int64_t on) {
    GadgetSetState(kCheckLineOfAction, on);
    HandleControlEvent(kCheckLineOfAction, kSubClick);
    Pump();
  }
  // The frame as the canvas holds it after a redraw in `bands` bands.
  QImage FrameIn(int bands) {
    SetRowBandCount(bands);
    RedrawView();
    const QImage* buffer = CanvasBackBuffer(kCanvasView);
    return buffer != nullptr ? buffer->copy() : QImage();
  }
  // Draws the view in one pass and in several band counts and reports every
  // frame that differs, with its first differing pixel.
  // A frame whose long straight segments would cost the bands more than they
  // save (far into the teeth, with the line of action) may be drawn in one
  // pass; mustBand says it may not.
  void ExpectBandsDrawTheOnePassFrame(const std::string& view, bool mustBand = true) {
    // The first frame at a new zoom draws every outline point, the frames
    // after it the outline thinned for that zoom: compare those.
    RedrawView();
    const QImage onePass = FrameIn(1);
    ASSERT_FALSE(onePass.isNull()) << view;
    for (int bands : {2, 3, 8}) {
      const QImage banded = FrameIn(bands);
      if (mustBand) {
        EXPECT_EQ(RecordingLastBandCount(), bands) << view << ": the frame was not drawn in bands";
      }
      ASSERT_EQ(banded.size(), onePass.size()) << view;
      if (banded == onePass) continue;
      int differing = 0;
      std::ostringstream first;
      for (int y = 0; y < onePass.height(); ++y) {
        for (int x = 0; x < onePass.width(); ++x) {
          if (banded.pixel(x, y) == onePass.pixel(x, y)) continue;
          if (differing++ == 0) {
            first << " first at (" << x << ", " << y << "): " << std::hex << banded.pixel(x, y) << " against "
                  << onePass.pixel(x, y);
          }
        }
      }
      ADD_FAILURE() << view << " in " << bands << " bands: " << differing << " pixels differ;" << first.str();
    }
  }
  // The mode's frame fitted, then at zoom factors about the view centre and
  // a point of the mesh, turned, each with and without the line of action.
  // With mustBand set, the fitted and zoomed-out frames must be drawn in
  // bands (a frame of a few thousand segments; one of a smaller design, or
  // far into the teeth, may be drawn in one pass).
  void ExpectEveryViewOfTheMode(const std::string& mode, double meshX, double meshY, bool mustBand = false) {
    ASSERT_NE(gViewMode, kViewNone) << mode;
    const double fitZoom = gZoom;
    const double fitX = gViewCentreX;
    const double fitY = gViewCentreY;
    struct View {
      const char* name;
      double zoom;  // times the fitted zoom
      bool atMesh;
      double angle;
      bool mustBand;
    };
    const std::vector<View> views = {
        {"fitted", 1.0, false, 0.0, true},          {"zoomed out", 0.4, false, 0.37, true},
        {"into the teeth", 6.0, true, 0.11, false},  {"into the mesh", 40.0, true, 0.0, false},
        {"far into the mesh", 1000.0, true, 0.23, false},
    };
    for (const View& v : views) {
      for (int64_t lineOfAction : {0, 1}) {
        SetLineOfAction(lineOfAction);
        gZoom = fitZoom * v.zoom;
        gViewCentreX = v.atMesh ? meshX : fitX;
        gViewCentreY = v.atMesh ? meshY : fitY;
        gAnimAngle = v.angle;
        ExpectBandsDrawTheOnePassFrame(mode + ", " + v.name + (lineOfAction ? ", line of action" : ""),
                                       mustBand && v.mustBand);
      }
    }
    gZoom = fitZoom;
    gViewCentreX = fitX;
    gViewCentreY = fitY;
    gAnimAngle = 0.0;
  }
};

TEST_F(BandedFrameTest, BandsDrawTheOnePassFrameOnEveryDesktop) {
  // The program's own pair (hundreds of teeth), then a small pair with a
  // bore, the single gear, the rack and the internal pair.
  SwitchTab(kTabPair);
  ExpectEveryViewOfTheMode("default pair", gGear1.pitchRadius, 0.0, /*mustBand=*/true);

  GadgetSetText(kFieldPairCentreDistance, "60");
  gPairSearchResults = {RowOf(2.0, 20, 40, 0.0)};
  gPairSelectedRow = 0;
  SwitchTab(kTabSingle);
  SwitchTab(kTabPair);
  ExpectEveryViewOfTheMode("pair 20/40", gGear1.pitchRadius, 0.0);

  // Root sections over both gears while the strength window is shown.
  gStrength = StrengthResults{};
  gStrength.valid = 1;
  for (int i = 0; i < 2; ++i) {
    gStrength.rootSection[i].found = 1;
    gStrength.rootSection[i].pointX = 1.6;
    gStrength.rootSection[i].pointY = i == 0 ? 17.9 : 37.9;
    gStrength.rootSection[i].chord = 3.2;
  }
  gStrengthWindowShown = 1;
  ExpectBandsDrawTheOnePassFrame("pair 20/40 with root sections", /*mustBand=*/false);
  gStrengthWindowShown = 0;

  SwitchTab(kTabSingle);
  ExpectEveryViewOfTheMode("single gear", gGear1.tipRadius, 0.0);

  SwitchTab(kTabRack);
  ExpectEveryViewOfTheMode("pinion and rack", 0.0, -gGear1.pitchRadius);

  GadgetSetText(kFieldIntCentreDistance, "13.1683");

  gInternalSearchedFor = ReadSearchedFor(kTabInternal);  // the row as a search at these values gives it
  gInternalSearchResults = {RowOf(3.0, 16, 24, 0.5)};
  gInternalSelectedRow = 0;
  SwitchTab(kTabInternal);
  ExpectEveryViewOfTheMode("internal pair", gInternalCentreDistance + gGear1.pitchRadius, 0.0);
}

// Every kind of operation, each across band borders, drawn twice: once over
// a fresh background and once over that frame without one (the bands then
// start from the rows as they stand).
void DrawEveryKindOfOperation(bool background, double turn) {
  ASSERT_TRUE(DrawingStart(CanvasGetOutput(kCanvasView)));
  const double w = GadgetGetWidth(kCanvasView);
  const double h = GadgetGetHeight(kCanvasView);
  DrawingScale(gDeviceScale, gDeviceScale);
  if (background) DrawingFillOutput({250, 250, 252, 255});
  const double cx = 0.5 * w;
  const double cy = 0.5 * h;
  // A hard-edged body with a hole, its outline stroked: 2400 short segments.
  std::vector<PathPoint> ring;
  for (int i = 0; i < 2400; ++i) {
    const double a = 2.0 * std::numbers::pi * i / 2400.0 + turn;
    const double r = 0.4 * h * (1.0 + 0.04 * std::sin(24.0 * a) + 0.01 * (i % 2));
    ring.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
  }
  PathAddClosedFigure(ring.data(), ring.size());
  PathAddClosedFigure(std::vector<PathPoint>{{cx - 15, cy - 8}, {cx + 15, cy - 8}, {cx, cy + 12}}.data(), 3);
  DrawingFillPath({140, 175, 220, 255}, PathKeep::kKeep, FillEdge::kHard);
  DrawingStrokePath({30, 30, 40, 255}, SolidStroke(1.2), PathKeep::kClear);
  // Long open lines from corner to corner and across the middle.
  PathStartFigure(0.0, 0.0);
  PathAddLine(w, h);
  PathStartFigure(w, 0.0);
  PathAddLine(0.0, h);
  PathStartFigure(cx + 5.0, 0.0);
  PathAddLine(cx - 5.0, h);
  DrawingStrokePath({200, 40, 40, 255}, SolidStroke(2.0), PathKeep::kClear);
  // A dotted wave, and texts across the borders of 2, 3 and 8 bands.
  PathStartFigure(0.0, 0.3 * h);
  for (int i = 1; i <= 60; ++i) PathAddLine(w * i / 60.0, 0.3 * h + 0.2 * h * std::sin(i * 0.4 + turn));
  DrawingStrokePath({40, 160, 90, 255}, DottedStroke(1.0, 4.0), PathKeep::kClear);
  for (const double border : {1.0 / 2.0, 1.0 / 3.0, 1.0 / 8.0, 5.0 / 8.0}) {
    DrawingText(0.1 * w + 300.0 * border, border * h - 7.0, "Wheel = zoom  (6.71 px/mm)", gCanvasFont, 13.0,
                {90, 90, 100, 255});
  }
  // A translucent smooth fill of a polygon and a whole circle, then their
  // dashed outline.
  PathAddCircle(cx + 0.25 * w, cy, 0.3 * h);
  PathStartFigure(10.0, 10.0);
  PathAddLine(0.45 * w, 0.9 * h);
  PathAddLine(20.0, 0.7 * h);
  PathCloseFigure();
  DrawingFillPath({235, 185, 110, 160}, PathKeep::kKeep);
  DrawingStrokePath({80, 60, 200, 255}, DashedStroke(1.0, 8.0), PathKeep::kClear);
  DrawingStop();
}

TEST_F(BandedFrameTest, EveryKindOfOperationInBandsAsInOnePassOnEveryDesktop) {
  std::vector<QImage> frames;
  for (int bands : {1, 2, 3, 8}) {
    SetRowBandCount(bands);
    DrawEveryKindOfOperation(/*background=*/true, 0.0);
    if (bands > 1) {
      EXPECT_EQ(RecordingLastBandCount(), bands) << "the fresh frame in " << bands << " bands";
    }
    DrawEveryKindOfOperation(/*background=*/false, 0.1);
    if (bands > 1) {
      EXPECT_EQ(RecordingLastBandCount(), bands) << "the frame over it in " << bands << " bands";
    }
    frames.push_back(CanvasBackBuffer(kCanvasView)->copy());
  }
  for (std::size_t i = 1; i < frames.size(); ++i) {
    int differing = 0;
    for (int y = 0; y < frames[0].height(); ++y) {
      for (int x = 0; x < frames[0].width(); ++x) differing += frames[i].pixel(x, y) != frames[0].pixel(x, y);
    }
    EXPECT_EQ(differing, 0) << "pixels that differ in frame " << i;
  }
}

// A frame that the bands would not pay for (far into the mesh: a few long
// segments) has the frames after it drawn straight away, until one of them
// has segments enough again.
TEST_F(BandedFrameTest, AFrameOfFewSegmentsHasTheNextDrawnStraightAway) {
  SetRowBandCount(8);
  SwitchTab(kTabPair);
  ASSERT_EQ(gViewMode, kViewPair);
  RedrawView();
  RedrawView();
  EXPECT_EQ(RecordingLastBandCount(), 8) << "the default pair, fitted";
  const double fitZoom = gZoom;
  const double fitX = gViewCentreX;
  gZoom = 1000.0 * fitZoom;
  gViewCentreX = gGear1.pitchRadius;
  RedrawView();
  EXPECT_EQ(RecordingLastBandCount(), 1) << "far into the mesh";
  RedrawView();
  EXPECT_EQ(RecordingLastBandCount(), 1) << "far into the mesh, the frame after";
  gZoom = fitZoom;
  gViewCentreX = fitX;
  RedrawView();
  EXPECT_EQ(RecordingLastBandCount(), 1) << "fitted again: drawn straight away, its segments counted";
  RedrawView();
  EXPECT_EQ(RecordingLastBandCount(), 8) << "fitted again, the frame after";
}

}  // namespace
