// The overlays of the view on the real canvas: the labelled points A, B, C, D,
// E, T1 and T2 of the line of action, the single-pair zone and the current
// contact points at model positions computed here from the textbook path of
// contact formulas (DIN 3960); the legend; the check box "Line of action";
// and the root-section chords drawn from a strength result filled by hand,
// only for spur gears with a valid result while the strength window is shown.
#include <QImage>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/search_inputs.h"
#include "app/main_program.h"
#include "app/view_clip.h"
#include "app/view_overlays.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "app_fixture.h"
#include "design/search_result.h"
#include "geometry/rack.h"
#include "platform/canvas_drawing.h"
#include "platform/canvas_path.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kAlpha = 20.0 * kPi / 180.0;

double Involute(double a) { return std::tan(a) - a; }

Rgba ModelPixel(double x, double y) {
  const CanvasPoint p = WorldToScreen(x, y);
  return PixelAt(p.x, p.y);
}

bool Is(const Rgba& p, int r, int g, int b) { return p.r == r && p.g == g && p.b == b; }

std::string Describe(const Rgba& p) {
  return "(" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) + ")";
}

// The colours the overlays must paint with (opaque ones compared exactly).
constexpr int kDot[3] = {40, 40, 50};       // labelled point
constexpr int kGreen[3] = {0, 170, 70};     // current contact point
constexpr int kRed[3] = {200, 0, 0};        // single-pair zone B-D
constexpr int kChord[3] = {220, 0, 0};      // critical root chord
constexpr int kBackground[3] = {250, 250, 252};

bool IsDot(const Rgba& p) { return Is(p, kDot[0], kDot[1], kDot[2]); }
bool IsGreen(const Rgba& p) { return Is(p, kGreen[0], kGreen[1], kGreen[2]); }
bool IsRed(const Rgba& p) { return Is(p, kRed[0], kRed[1], kRed[2]); }
bool IsChord(const Rgba& p) { return Is(p, kChord[0], kChord[1], kChord[2]); }
bool IsBackground(const Rgba& p) { return Is(p, kBackground[0], kBackground[1], kBackground[2]); }

// A line of action: origin T1, unit direction u, positions along it (mm).
struct Line {
  double t1x, t1y, ux, uy;
  double t2, a, b, c, d, e;
};

// The model point at position t.
void PointAt(const Line& line, double t, double* x, double* y) {
  *x = line.t1x + t * line.ux;
  *y = line.t1y + t * line.uy;
}

class ViewOverlayTest : public AppTest {
 protected:
  void SwitchTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    HandleControlEvent(kPanelTabs, kSubChanged);
    Pump();
  }
  // The internal pair of worked example E4: m 3, z 16 / 24, x 0 / 0.5, a 13.1683.
  void ShowWorkedInternalPair() {
    GadgetSetText(kFieldIntCentreDistance, "13.1683");
    gInternalSearchedFor = ReadSearchedFor(kTabInternal);  // the row as a search at these values gives it
    SearchResultRow row;
    row.module = 3.0;
    row.teeth1 = 16;
    row.teeth2 = 24;
    row.shiftSum = 0.5;
    gInternalSearchResults = {row};
    gInternalSelectedRow = 0;
    SwitchTab(kTabInternal);
  }
  void SetLineOfAction(int64_t on) {
    GadgetSetState(kCheckLineOfAction, on);
    HandleControlEvent(kCheckLineOfAction, kSubClick);
    Pump();
  }
  void SavePng(const std::string& stem) {
    const std::string name = stem + (kLang == 0 ? "_en" : "_nl") + ".png";
    EXPECT_TRUE(CanvasSavePng(kCanvasView, name)) << name;
  }
  // The pair m 2, z 20 / 40, x 0 / 0 at a = 60 (worked example E7).
  void ShowSpurPair() {
    GadgetSetText(kFieldPairCentreDistance, "60");
    SearchResultRow row;
    row.module = 2.0;
    row.teeth1 = 20;
    row.teeth2 = 40;
    gPairSearchResults = {row};
    gPairSelectedRow = 0;
    SwitchTab(kTabSingle);
    SwitchTab(kTabPair);
    ASSERT_EQ(gViewMode, kViewPair);
    ASSERT_NEAR(gGear1.tipRadius, 22.0, 1e-9);
    ASSERT_NEAR(gGear2.tipRadius, 42.0, 1e-9);
    ASSERT_DOUBLE_EQ(gPairCentreDistance, 60.0);
  }
  // Frames the stretch of the line between positions t0 and t1 across 70 %
  // of the canvas's smaller side.
  void FrameLine(const Line& line, double t0, double t1) {
    const int w = GadgetGetWidth(kCanvasView);
    const int h = GadgetGetHeight(kCanvasView);
    PointAt(line, 0.5 * (t0 + t1), &gViewCentreX, &gViewCentreY);
    gZoom = 0.7 * std::min(w, h) / (t1 - t0);
    RedrawView();
  }
  // The canvas pixel at position t plus `side` pixels along the line's normal.
  Rgba LinePixel(const Line& line, double t, double side = 0.0) {
    double x, y;
    PointAt(line, t, &x, &y);
    const CanvasPoint p = WorldToScreen(x, y);
    // Screen direction of the line (ux, -uy); its normal (uy, ux).
    return PixelAt(p.x + side * line.uy, p.y + side * line.ux);
  }
};

// The line of action of the external spur pair, from the textbook formulas:
// alpha_w = arccos((rb1 + rb2) / a); T1 = rb1 (cos aw, -sin aw); u = (sin aw,
// cos aw); E = sqrt(ra1^2 - rb1^2); A = a sin aw - sqrt(ra2^2 - rb2^2);
// C = rb1 tan aw; B = E - pb; D = A + pb; T2 = a sin aw.
Line SpurPairLine() {
  const double rb1 = 20.0 * std::cos(kAlpha);
  const double rb2 = 40.0 * std::cos(kAlpha);
  const double a = 60.0;
  const double aw = std::acos((rb1 + rb2) / a);
  const double pb = kPi * 2.0 * std::cos(kAlpha);
  Line l{};
  l.t1x = rb1 * std::cos(aw);
  l.t1y = -rb1 * std::sin(aw);
  l.ux = std::sin(aw);
  l.uy = std::cos(aw);
  l.t2 = a * std::sin(aw);
  l.e = std::sqrt(22.0 * 22.0 - rb1 * rb1);
  l.a = a * std::sin(aw) - std::sqrt(42.0 * 42.0 - rb2 * rb2);
  l.c = rb1 * std::tan(aw);
  l.b = l.e - pb;
  l.d = l.a + pb;
  return l;
}

TEST_F(ViewOverlayTest, PairLineOfActionGrabsShowItsPointsZonesAndContactPoints) {
  ShowSpurPair();
  const Line line = SpurPairLine();
  // The published values of this pair: eps_alpha 1.635, g_alpha 9.655.
  ASSERT_NEAR(line.e - line.a, 9.655, 0.001);

  // Turn gear 1 so that the contact points fall 1 mm after A and one base pitch
  // later, clear of the labels. The teeth touch at rb1 (phi0 + i tau) with
  // phi = theta + psi + alpha_w and psi = s / (2 r) + inv alpha = pi / (2 z) +
  // inv alpha for x = 0.
  const double rb1 = 20.0 * std::cos(kAlpha);
  const double pb = kPi * 2.0 * std::cos(kAlpha);
  const double firstContact = line.a + 1.0;
  const double psi = kPi / 40.0 + Involute(kAlpha);
  gAnimAngle = firstContact / rb1 - psi - kAlpha + 2.0 * kPi / 20.0;  // + one pitch: a positive angle
  ASSERT_GT(gAnimAngle, 0.0);
  FrameLine(line, 0.0, line.t2);
  SavePng("overlay_pair");

  struct Point {
    const char* name;
    double t;
  };
  const Point labelled[] = {{"T1", 0.0}, {"T2", line.t2}, {"A", line.a}, {"B", line.b},
                            {"C", line.c}, {"D", line.d},  {"E", line.e}};
  for (const Point& p : labelled) {
    const Rgba px = LinePixel(line, p.t);
    EXPECT_TRUE(IsDot(px)) << p.name << " at " << p.t << " mm: " << Describe(px);
    // The dot is 3.5 px in radius: 1.5 px beside the line it is still there.
    EXPECT_TRUE(IsDot(LinePixel(line, p.t, 1.5))) << p.name << " dot";
  }
  // The single-pair zone, between B and C and between C and D.
  EXPECT_TRUE(IsRed(LinePixel(line, 0.5 * (line.b + line.c)))) << "B-C is single-pair contact";
  EXPECT_TRUE(IsRed(LinePixel(line, 0.5 * (line.c + line.d)))) << "C-D is single-pair contact";
  // A-B is magenta (alpha 230 over what lies below), not red.
  const Rgba ab = LinePixel(line, line.b - 1.2);
  EXPECT_GT(ab.r, 180);
  EXPECT_LT(ab.g, 110);
  EXPECT_GT(ab.b, 110);
  // Beyond E up to T2 only the thin grey line: 2.5 px beside it, no ink of the overlay.
  EXPECT_FALSE(IsRed(LinePixel(line, 0.5 * (line.e + line.t2))));
  // The contact points, one base pitch apart, in green.
  for (double t : {firstContact, firstContact + pb}) {
    ASSERT_LT(t, line.e);
    EXPECT_TRUE(IsGreen(LinePixel(line, t))) << "contact point at " << t << " mm: " << Describe(LinePixel(line, t));
  }
  EXPECT_FALSE(IsGreen(LinePixel(line, firstContact + 0.5 * pb))) << "no contact point half a pitch on";

  // The legend in the top-left corner: the magenta bar (alpha 230 over the
  // background), the red bar, the green dot. In the fitted view the corner
  // lies outside the gears.
  FitView();
  RedrawView();
  SavePng("overlay_pair_fitted");
  const double alpha = 230.0 / 255.0;
  const Rgba bar = PixelAt(26.5, 10.5);
  EXPECT_NEAR(bar.r, 220 * alpha + 250 * (1 - alpha), 1.5);
  EXPECT_NEAR(bar.g, 40 * alpha + 250 * (1 - alpha), 1.5);
  EXPECT_NEAR(bar.b, 150 * alpha + 252 * (1 - alpha), 1.5);
  EXPECT_TRUE(IsRed(PixelAt(26.5, 30.5))) << Describe(PixelAt(26.5, 30.5));
  EXPECT_TRUE(IsGreen(PixelAt(26.5, 50.5)));
}

TEST_F(ViewOverlayTest, ContactPointsMoveWithTheAnimationAndRepeatAfterOnePitch) {
  ShowSpurPair();
  const Line line = SpurPairLine();
  const double rb1 = 20.0 * std::cos(kAlpha);
  const double psi = kPi / 40.0 + Involute(kAlpha);
  const double target = 0.5 * (line.b + line.c);  // in the single-pair zone: one point only
  for (double extraPitches : {0.0, 1.0, 3.0}) {
    gAnimAngle = target / rb1 - psi - kAlpha + (1.0 + extraPitches) * 2.0 * kPi / 20.0;
    FrameLine(line, 0.0, line.t2);
    EXPECT_TRUE(IsGreen(LinePixel(line, target))) << extraPitches << " pitches on";
    // The zone's own red shows on both sides of the dot, 9 px away.
    EXPECT_FALSE(IsGreen(LinePixel(line, target + 9.0 / gZoom)));
  }
}

TEST_F(ViewOverlayTest, TheCheckBoxTurnsTheOverlayOff) {
  ShowSpurPair();
  const Line line = SpurPairLine();
  gAnimAngle = 0.0;
  FitView();  // the legend's corner lies outside the gears
  RedrawView();
  ASSERT_TRUE(IsDot(LinePixel(line, line.c)));
  ASSERT_TRUE(IsRed(PixelAt(26.5, 30.5)));

  SetLineOfAction(0);  // redraws through the dispatch
  for (double t : {0.0, line.a, line.c, line.e, line.t2}) EXPECT_FALSE(IsDot(LinePixel(line, t))) << t;
  EXPECT_FALSE(IsRed(LinePixel(line, 0.5 * (line.b + line.c))));
  EXPECT_TRUE(IsBackground(PixelAt(26.5, 10.5))) << "no legend";
  EXPECT_TRUE(IsBackground(PixelAt(26.5, 30.5))) << "no legend";
  EXPECT_TRUE(IsBackground(PixelAt(26.5, 50.5))) << "no legend";

  SetLineOfAction(1);
  EXPECT_TRUE(IsDot(LinePixel(line, line.c)));
}

TEST_F(ViewOverlayTest, AnInvalidRecordShowsNoOverlayAndNoLegend) {
  ShowSpurPair();
  const Line line = SpurPairLine();
  gGear2.valid = 0;
  FitView();
  RedrawView();
  EXPECT_FALSE(IsDot(LinePixel(line, line.c)));
  EXPECT_TRUE(IsBackground(PixelAt(26.5, 10.5)));
  EXPECT_TRUE(IsBackground(PixelAt(26.5, 50.5)));
}

TEST_F(ViewOverlayTest, RackOverlayHasNoT2LabelAndUsesThePinionsPitchCircle) {
  SwitchTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  ASSERT_NEAR(gGear1.helixAngle, 0.0, 1e-12) << "the default rack pair is straight";
  // Pinion and rack after DIN 3960 with alpha_t = alpha (spur): T1 = rb1
  // (-sin a, -cos a); u = (cos a, -sin a); the rack's tip line lies
  // d = r1 + x1 m - ha* m below the pinion axis, crossing the line at
  // A = (d - rb1 cos a) / sin a; C = rb1 tan a; E = sqrt(ra1^2 - rb1^2);
  // T2 is drawn 2 m beyond E.
  const double m = gGear1.normalModule;
  const double z = double(gGear1.teeth);
  const double x1 = gGear1.profileShift;
  const double r1 = 0.5 * m * z;
  const double rb1 = r1 * std::cos(kAlpha);
  const double ra1 = r1 + m + x1 * m;
  ASSERT_NEAR(gGear1.tipRadius, ra1, 1e-9) << "tip circle of the pinion (no shortening)";
  const double d = r1 + x1 * m - 1.0 * m;
  Line line{};
  line.t1x = -rb1 * std::sin(kAlpha);
  line.t1y = -rb1 * std::cos(kAlpha);
  line.ux = std::cos(kAlpha);
  line.uy = -std::sin(kAlpha);
  line.a = (d - rb1 * std::cos(kAlpha)) / std::sin(kAlpha);
  line.c = rb1 * std::tan(kAlpha);
  line.e = std::sqrt(ra1 * ra1 - rb1 * rb1);
  line.t2 = line.e + 2.0 * m;
  gAnimAngle = 0.0;
  FrameLine(line, std::min(0.0, line.a), line.t2);
  SavePng("overlay_rack");
  for (double t : {0.0, line.a, line.c, line.e}) EXPECT_TRUE(IsDot(LinePixel(line, t))) << t;
  // No T2 label: beside the line at T2 there is no dot.
  EXPECT_FALSE(IsDot(LinePixel(line, line.t2, 2.5)));
  // The rolling line at y = -r1 (the pinion's pitch radius), purple dashes:
  // within a dash and a gap (8 px) along it some pixel is purple.
  const CanvasPoint p = WorldToScreen(ComputeRackOffset(gGear1, gRack, 0.0) + 0.5 * gRack.rackLength, -r1);
  int purple = 0;
  for (int i = 0; i < 9; ++i) {
    const Rgba q = PixelAt(p.x + i, p.y);
    if (q.r > q.g + 40 && q.b > q.g + 40) ++purple;
  }
  EXPECT_GT(purple, 0) << "rolling line at y = -r1";
}

TEST_F(ViewOverlayTest, InternalOverlayFollowsTheRingsLineOfAction) {
  // Worked example E4: m 3, z 16 / 24, x 0 / 0.5, a 13.1683.
  ShowWorkedInternalPair();
  ASSERT_EQ(gViewMode, kViewInternal);
  const double a = 13.1683;
  ASSERT_NEAR(gInternalCentreDistance, a, 1e-9);
  // alpha_w = arccos((rb2 - rb1) / a) = 31.09385 deg (E4); T1 = (a + rb1 cos aw,
  // -rb1 sin aw); u = (sin aw, cos aw); E = sqrt(ra1^2 - rb1^2);
  // A = sqrt(ra2^2 - rb2^2) - a sin aw with ra2 the ring's inner tip radius;
  // C = rb1 tan aw; T2 = -a sin aw.
  const double rb1 = 24.0 * std::cos(kAlpha);
  const double rb2 = 36.0 * std::cos(kAlpha);
  const double aw = std::acos((rb2 - rb1) / a);
  ASSERT_NEAR(aw * 180.0 / kPi, 31.09385, 1e-3);
  const double ra1 = 27.0;
  ASSERT_NEAR(gGear1.tipRadius, ra1, 1e-9);
  // The ring's inner tip circle: 34.5 (E4), or larger where "shorten the ring's
  // tip" raised it against interference; below the root circle 41.25.
  const double ra2 = gRing.tipRadius;
  ASSERT_GE(ra2, 34.5 - 1e-9);
  ASSERT_LT(ra2, 41.25);
  Line line{};
  line.t1x = a + rb1 * std::cos(aw);
  line.t1y = -rb1 * std::sin(aw);
  line.ux = std::sin(aw);
  line.uy = std::cos(aw);
  line.t2 = -a * std::sin(aw);
  line.a = std::sqrt(ra2 * ra2 - rb2 * rb2) - a * std::sin(aw);
  line.c = rb1 * std::tan(aw);
  line.e = std::sqrt(ra1 * ra1 - rb1 * rb1);
  const double pb = kPi * 3.0 * std::cos(kAlpha);
  line.b = line.e - pb;
  line.d = line.a + pb;
  ASSERT_GT(line.d, line.b) << "contact ratio above 1";
  // The contact points halfway between A and B and one base pitch on,
  // halfway between D and E: phi = theta + psi + alpha_w, psi = pi / (2 z1) +
  // inv alpha for the unshifted pinion.
  const double firstContact = 0.5 * (line.a + line.b);
  const double psi = kPi / 32.0 + Involute(kAlpha);
  gAnimAngle = firstContact / rb1 - psi - aw + 2.0 * (2.0 * kPi / 16.0);  // + two pitches: positive
  ASSERT_GT(gAnimAngle, 0.0);
  FrameLine(line, line.t2, line.e);
  SavePng("overlay_internal");
  const double labelled[] = {line.t2, 0.0, line.a, line.b, line.c, line.d, line.e};
  for (double t : labelled) EXPECT_TRUE(IsDot(LinePixel(line, t))) << t;
  EXPECT_TRUE(IsRed(LinePixel(line, 0.5 * (line.b + line.d)))) << "single-pair zone";
  for (double t : {firstContact, firstContact + pb}) EXPECT_TRUE(IsGreen(LinePixel(line, t))) << "contact at " << t;
}

// ---------------------------------------------------------------------------
// One line of action drawn alone, from a record made by hand
// ---------------------------------------------------------------------------

// Draws `path` alone on the background, as a frame of the redraw would: a
// horizontal line from T1 = (-20, 0) mm at 10 px/mm around the origin.
class SyntheticPathTest : public AppTest {
 protected:
  void Draw(const PathOfContactRecord& path, std::string_view t2Label) {
    const int w = GadgetGetWidth(kCanvasView);
    const int h = GadgetGetHeight(kCanvasView);
    gZoom = 10.0;
    gViewCentreX = 0.0;
    gViewCentreY = 0.0;
    ASSERT_TRUE(DrawingStart(CanvasGetOutput(kCanvasView)));
    DrawingScale(gDeviceScale, gDeviceScale);
    SetViewFrameSize(w, h);
    SetClipRectangle(w, h);
    PathClear();
    DrawingFillOutput({kBackground[0], kBackground[1], kBackground[2], 255});
    DrawPathOfContact(path, t2Label);
    PathClear();
    ClearViewFrameSize();
    DrawingStop();
  }
  static PathOfContactRecord Horizontal(double a, double e, double pb) {
    PathOfContactRecord p;
    p.valid = 1;
    p.t1X = -20.0;
    p.t1Y = 0.0;
    p.directionX = 1.0;
    p.directionY = 0.0;
    p.posA = a;
    p.posE = e;
    p.posB = e - pb;
    p.posD = a + pb;
    p.posC = 0.5 * (a + e);
    p.posT2 = e + 10.0;
    return p;
  }
  // The pixel at position t along the line, `below` pixels under it.
  static Rgba At(double t, double below = 0.0) {
    const CanvasPoint p = WorldToScreen(-20.0 + t, 0.0);
    return PixelAt(p.x, p.y + below);
  }
};

TEST_F(SyntheticPathTest, ContactRatioBelowOneIsSinglePairContactAllAlongWithoutBOrD) {
  // eps_alpha = 10 / 12: B = E - pb lies before A, D = A + pb after E.
  const PathOfContactRecord p = Horizontal(5.0, 15.0, 12.0);
  Draw(p, "T2");
  for (double t : {6.0, 8.0, 12.0, 14.0}) EXPECT_TRUE(IsRed(At(t))) << t;
  for (double t : {0.0, 5.0, 10.0, 15.0, 25.0}) EXPECT_TRUE(IsDot(At(t))) << t;
  EXPECT_FALSE(IsDot(At(3.0))) << "no B before A";
  EXPECT_FALSE(IsDot(At(17.0))) << "no D after E";
}

TEST_F(SyntheticPathTest, ContactRatioAboveTwoHasNoSinglePairZone) {
  // eps_alpha = 30 / 12: D = 17 lies before B = 23; both labelled, no red.
  const PathOfContactRecord p = Horizontal(5.0, 35.0, 12.0);
  Draw(p, "T2");
  for (double t = 5.5; t < 35.0; t += 1.0) EXPECT_FALSE(IsRed(At(t))) << t;
  EXPECT_TRUE(IsDot(At(17.0))) << "D";
  EXPECT_TRUE(IsDot(At(23.0))) << "B";
  // Magenta all along A-E.
  const Rgba m = At(20.5);
  EXPECT_TRUE(m.r > 180 && m.g < 110 && m.b > 110) << Describe(m);
}

TEST_F(SyntheticPathTest, LabelsSitBelowAHorizontalLineAndT2NeedsItsLabel) {
  PathOfContactRecord p = Horizontal(5.0, 15.0, 8.0);
  p.contactCount = 2;
  p.contactPositions[0] = 7.0;
  p.contactPositions[1] = 7.0 + 8.0;
  Draw(p, "");
  EXPECT_FALSE(IsDot(At(p.posT2))) << "an empty label leaves T2 unmarked";
  // On a line running right on the screen the text goes 9 px along the
  // normal (straight down) and 2 px up: its box starts 7 px below the dot.
  auto inkBelow = [](double t, int from, int to) {
    int ink = 0;
    for (int dy = from; dy < to; ++dy) {
      for (int dx = 0; dx < 10; ++dx) {
        const CanvasPoint c = WorldToScreen(-20.0 + t, 0.0);
        if (!IsBackground(PixelAt(c.x + dx, c.y + dy))) ++ink;
      }
    }
    return ink;
  };
  EXPECT_GT(inkBelow(0.0, 8, 22), 5) << "T1 text below its dot";
  EXPECT_EQ(inkBelow(0.0, -22, -5), 0) << "nothing above T1";
  // The contact points: green dots with a dark green ring.
  EXPECT_TRUE(IsGreen(At(7.0)));
  EXPECT_TRUE(IsGreen(At(15.0))) << "drawn over the E label";
  Draw(p, "T2");
  EXPECT_TRUE(IsDot(At(p.posT2)));
}

TEST_F(SyntheticPathTest, AtTheHighestZoomTheLineIsClippedAndFarPointsLeaveNoMark) {
  // At 100000 px/mm, 50 um beside C: C lies 5000 px to the left, the contact
  // point 305000 px; only the 4 px wide path of contact crosses the view.
  PathOfContactRecord p = Horizontal(5.0, 15.0, 8.0);
  p.contactCount = 1;
  p.contactPositions[0] = 7.0;
  const int w = GadgetGetWidth(kCanvasView);
  const int h = GadgetGetHeight(kCanvasView);
  gZoom = 100000.0;
  gViewCentreX = -20.0 + 10.0 + 0.05;
  gViewCentreY = 0.0;
  ASSERT_TRUE(DrawingStart(CanvasGetOutput(kCanvasView)));
  DrawingScale(gDeviceScale, gDeviceScale);
  SetViewFrameSize(w, h);
  SetClipRectangle(w, h);
  PathClear();
  DrawingFillOutput({kBackground[0], kBackground[1], kBackground[2], 255});
  DrawPathOfContact(p, "T2");
  PathClear();
  ClearViewFrameSize();
  DrawingStop();
  for (double x : {3.0, 0.5 * w, w - 3.0}) {
    EXPECT_FALSE(IsBackground(PixelAt(x, 0.5 * h))) << "line at " << x;
    EXPECT_TRUE(IsBackground(PixelAt(x, 0.5 * h - 4.0))) << "nothing above the line at " << x;
    EXPECT_TRUE(IsBackground(PixelAt(x, 0.5 * h + 4.0))) << "nothing below the line at " << x;
  }
}

// ---------------------------------------------------------------------------
// Root sections
// ---------------------------------------------------------------------------

// A strength result as the calculation would leave it: valid, with the
// critical sections of both gears.
void FillStrength(double h1, double d1, double h2, double d2) {
  gStrength = StrengthResults{};
  gStrength.valid = 1;
  gStrength.rootSection[0].found = 1;
  gStrength.rootSection[0].pointX = h1;
  gStrength.rootSection[0].pointY = d1;
  gStrength.rootSection[0].chord = 2.0 * h1;
  gStrength.rootSection[1].found = 1;
  gStrength.rootSection[1].pointX = h2;
  gStrength.rootSection[1].pointY = d2;
  gStrength.rootSection[1].chord = 2.0 * h2;
}

// The model point on a chord across the tooth whose centre line points along
// `angle` from (cx, cy): distance `along` from the centre, `across` to the side.
void ChordPoint(double cx, double cy, double angle, double along, double across, double* x, double* y) {
  *x = cx + along * std::cos(angle) - across * std::sin(angle);
  *y = cy + along * std::sin(angle) + across * std::cos(angle);
}

class RootSectionTest : public ViewOverlayTest {
 protected:
  void SetUp() override {
    ViewOverlayTest::SetUp();
    SetLineOfAction(0);  // the line of action would cross the root regions
  }
  void TearDown() override {
    gStrength = StrengthResults{};
    gStrengthWindowShown = 0;
    ViewOverlayTest::TearDown();
  }
};

TEST_F(RootSectionTest, PairChordsSitOnTheTurnedTeethOfBothGears) {
  ShowSpurPair();
  // Gear 1 (root circle 17.5): chord 2 x 1.6 mm at 17.9 mm; gear 2 (root
  // circle 37.5): 2 x 1.7 mm at 37.9 mm.
  FillStrength(1.6, 17.9, 1.7, 37.9);
  gStrengthWindowShown = 1;
  gAnimAngle = 0.3;
  gZoom = 20.0;
  gViewCentreX = 30.0;
  gViewCentreY = 0.0;
  RedrawView();
  SavePng("overlay_root_pair");
  // Gear 2 turns by pi / z2 - theta z1 / z2 + pi (its tooth faces gear 1's
  // tooth space at theta 0).
  const double angle2 = kPi / 40.0 - gAnimAngle * 20.0 / 40.0 + kPi;
  double x, y;
  for (double across : {-1.0, 0.0, 1.0}) {
    ChordPoint(0.0, 0.0, gAnimAngle, 17.9, across, &x, &y);
    EXPECT_TRUE(IsChord(ModelPixel(x, y))) << "gear 1, " << across << ": " << Describe(ModelPixel(x, y));
    ChordPoint(60.0, 0.0, angle2, 37.9, across, &x, &y);
    EXPECT_TRUE(IsChord(ModelPixel(x, y))) << "gear 2, " << across << ": " << Describe(ModelPixel(x, y));
  }
  // Not beyond the chord's ends (h = 1.6 mm = 32 px; 0.5 mm further).
  ChordPoint(0.0, 0.0, gAnimAngle, 17.9, 2.1, &x, &y);
  EXPECT_FALSE(IsChord(ModelPixel(x, y)));
  // Not on the other side of the gear.
  ChordPoint(0.0, 0.0, gAnimAngle + kPi, 17.9, 0.0, &x, &y);
  EXPECT_FALSE(IsChord(ModelPixel(x, y)));
}

TEST_F(RootSectionTest, DrawnOnlyForASpurGearWithAValidResultWhileTheWindowIsShown) {
  ShowSpurPair();
  gAnimAngle = 0.3;
  gZoom = 20.0;
  gViewCentreX = 30.0;
  gViewCentreY = 0.0;
  double x1, y1, x2, y2;
  ChordPoint(0.0, 0.0, 0.3, 17.9, 0.5, &x1, &y1);
  ChordPoint(60.0, 0.0, kPi / 40.0 - 0.15 + kPi, 37.9, 0.5, &x2, &y2);

  struct Case {
    const char* what;
    int64_t windowShown;
    int64_t valid;
    double helix;
    int64_t found1;
    int64_t found2;
    bool chord1;
    bool chord2;
  };
  const Case cases[] = {
      {"window shown, valid, spur", 1, 1, 0.0, 1, 1, true, true},
      {"strength window closed", 0, 1, 0.0, 1, 1, false, false},
      {"no valid result", 1, 0, 0.0, 1, 1, false, false},
      {"helical gear 1", 1, 1, 1e-6, 1, 1, false, false},
      {"helix at the spur limit 1e-9", 1, 1, 1e-9, 1, 1, true, true},
      {"helix not a number", 1, 1, std::nan(""), 1, 1, false, false},
      {"first section not found", 1, 1, 0.0, 0, 1, false, true},
      {"second section not found", 1, 1, 0.0, 1, 0, true, false},
  };
  const double helix0 = gGear1.helixAngle;
  for (const Case& c : cases) {
    FillStrength(1.6, 17.9, 1.7, 37.9);
    gStrength.valid = c.valid;
    gStrength.rootSection[0].found = c.found1;
    gStrength.rootSection[1].found = c.found2;
    gStrengthWindowShown = c.windowShown;
    gGear1.helixAngle = c.helix;
    RedrawView();
    EXPECT_EQ(IsChord(ModelPixel(x1, y1)), c.chord1) << c.what << ": gear 1";
    EXPECT_EQ(IsChord(ModelPixel(x2, y2)), c.chord2) << c.what << ": gear 2";
  }
  gGear1.helixAngle = helix0;
}

TEST_F(RootSectionTest, SingleGearModeHasNoMarks) {
  SwitchTab(kTabSingle);
  ASSERT_EQ(gViewMode, kViewSingle);
  FillStrength(1.6, 17.9, 1.7, 37.9);
  gStrengthWindowShown = 1;
  gAnimAngle = 0.0;
  RedrawView();
  EXPECT_FALSE(IsChord(ModelPixel(17.9, 0.5)));
}

TEST_F(RootSectionTest, RackChordLiesAcrossTheRackToothAboveThePitchLine) {
  SwitchTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  const double m = gRack.normalModule;
  // Pinion chord at 0.9 r of the pinion; rack chord 1.1 m below the pitch line
  // (h negative: in the root region), half chord 0.5 m.
  const double r1 = gGear1.pitchRadius;
  FillStrength(0.4 * m, 0.9 * r1, 0.5 * m, -1.1 * m);
  gStrengthWindowShown = 1;
  gAnimAngle = 0.2;
  FitView();
  RedrawView();
  SavePng("overlay_root_rack");
  // The rack tooth k = 0 is centred half a transverse pitch along the pitch
  // line from the rack's start, which is shifted by the offset of the redraw.
  const double toothX = ComputeRackOffset(gGear1, gRack, gAnimAngle) + kPi * gRack.transverseModule / 2.0;
  const double pitchY = ComputeRackPitchLineOffset(gGear1);
  EXPECT_TRUE(IsChord(ModelPixel(toothX, pitchY - 1.1 * m))) << Describe(ModelPixel(toothX, pitchY - 1.1 * m));
  EXPECT_TRUE(IsChord(ModelPixel(toothX + 0.4 * m, pitchY - 1.1 * m)));
  EXPECT_FALSE(IsChord(ModelPixel(toothX + 0.7 * m, pitchY - 1.1 * m)));
  double x, y;
  ChordPoint(0.0, 0.0, gAnimAngle, 0.9 * r1, 0.0, &x, &y);
  EXPECT_TRUE(IsChord(ModelPixel(x, y))) << "pinion";
}

TEST_F(RootSectionTest, RingChordLiesOnTheRingToothBesideTheTurnedSpace) {
  ShowWorkedInternalPair();
  ASSERT_EQ(gViewMode, kViewInternal);
  // The ring's section is measured towards its (inner) tip: h negative. Ring
  // root circle 41.25 mm: chord at 40.5 mm from the axis, 2 x 2 mm.
  FillStrength(1.5, 11.0, 2.0, -40.5);
  gStrengthWindowShown = 1;
  gAnimAngle = 0.4;
  FitView();
  RedrawView();
  SavePng("overlay_root_internal");
  // The ring turns by theta z1 / z2; its teeth lie half a pitch (pi / z2)
  // beside the direction of that turn.
  const double ringTooth = gAnimAngle * 16.0 / 24.0 - kPi / 24.0;
  double x, y;
  ChordPoint(0.0, 0.0, ringTooth, 40.5, 0.0, &x, &y);
  EXPECT_TRUE(IsChord(ModelPixel(x, y))) << "ring: " << Describe(ModelPixel(x, y));
  ChordPoint(0.0, 0.0, ringTooth + kPi, 40.5, 0.0, &x, &y);
  EXPECT_FALSE(IsChord(ModelPixel(x, y))) << "not on the far side";
  // The pinion at (a, 0), its tooth along theta.
  ChordPoint(13.1683, 0.0, gAnimAngle, 11.0, 0.0, &x, &y);
  EXPECT_TRUE(IsChord(ModelPixel(x, y))) << "pinion";
}

}  // namespace
