// The line-of-action overlays and the root-section overlay of the view.
#include "app/view_overlays.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/view_draw.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "geometry/rack.h"
#include "geometry/tolerances.h"
#include "platform/canvas_path.h"
#include "texts/overlay_texts.h"

namespace {

// Legend layout (canvas logical pixels): bars from x 12 to 40, texts at x 48,
// the three lines 20 px apart; a text's box top sits 8 px above its bar.
constexpr double kLegendBarX0 = 12.0;
constexpr double kLegendBarX1 = 40.0;
constexpr double kLegendTextX = 48.0;
constexpr double kLegendDotX = 26.0;
constexpr double kLegendLine1Y = 10.0;
constexpr double kLegendLine2Y = 30.0;
constexpr double kLegendLine3Y = 50.0;
constexpr double kLegendTextRaise = 8.0;

void StrokeOverlayPitch() {
  DrawingStrokePath(kOverlayPitchColour, DashedStroke(1.0, kOverlayPitchDash), PathKeep::kClear);
}

void DrawDot(CanvasPoint p, double radius, DrawColour fill) {
  PathClear();
  PathAddCircle(p.x, p.y, radius);
  DrawingFillPath(fill, PathKeep::kClear);
}

}  // namespace

void DrawPathSegment(const PathOfContactRecord& path, double t0, double t1) {
  const CanvasPoint a = PathPointToScreen(path, t0);
  const CanvasPoint b = PathPointToScreen(path, t1);
  DrawLine(a.x, a.y, b.x, b.y);
}

void DrawLabelledPoint(const PathOfContactRecord& path, double t, std::string_view text) {
  const CanvasPoint p = PathPointToScreen(path, t);
  if (!IsPointInView(p)) return;
  DrawDot(p, kLabelDotRadius, kLabelColour);
  // The screen direction of the line is (ux, -uy); its normal is (uy, ux).
  DrawingText(p.x + kLabelOffset * path.directionY, p.y + kLabelOffset * path.directionX - kLabelLift, text,
              gCanvasFont, kOverlayTextSize, kLabelColour);
}

void DrawPathOfContact(const PathOfContactRecord& path, std::string_view t2Label) {
  // 1. The whole line, from T1 (or T2 when it lies before T1) to the farther
  // of E and T2.
  PathClear();
  DrawPathSegment(path, std::min(0.0, path.posT2), std::max(path.posE, path.posT2));
  DrawingStrokePath(kLineOfActionColour, SolidStroke(1.0), PathKeep::kClear);

  // 2. The path of contact A-E.
  DrawPathSegment(path, path.posA, path.posE);
  DrawingStrokePath(kPathOfContactColour, SolidStroke(kPathWidth), PathKeep::kClear);

  // 3. The single-pair zone B-D, where it exists, within A-E.
  if (path.posD > path.posB) {
    DrawPathSegment(path, std::max(path.posA, path.posB), std::min(path.posE, path.posD));
    DrawingStrokePath(kSinglePairColour, SolidStroke(kPathWidth), PathKeep::kClear);
  }

  // 4. Labelled points; B and D only strictly inside A-E.
  DrawLabelledPoint(path, 0.0, texts::kOverlayLabelT1);
  if (!t2Label.empty()) DrawLabelledPoint(path, path.posT2, t2Label);
  DrawLabelledPoint(path, path.posA, texts::kOverlayLabelA);
  DrawLabelledPoint(path, path.posC, texts::kOverlayLabelC);
  DrawLabelledPoint(path, path.posE, texts::kOverlayLabelE);
  if (path.posA < path.posB && path.posB < path.posE) DrawLabelledPoint(path, path.posB, texts::kOverlayLabelB);
  if (path.posA < path.posD && path.posD < path.posE) DrawLabelledPoint(path, path.posD, texts::kOverlayLabelD);

  // 5. The current contact points of the animation.
  const int64_t count = std::clamp<int64_t>(path.contactCount, 0, 4);
  for (int64_t i = 0; i < count; ++i) {
    const CanvasPoint p = PathPointToScreen(path, path.contactPositions[i]);
    if (!IsPointInView(p)) continue;
    PathClear();
    PathAddCircle(p.x, p.y, kContactDotRadius);
    DrawingFillPath(kContactPointFill, PathKeep::kKeep);
    DrawingStrokePath(kContactPointRing, SolidStroke(kContactRingWidth), PathKeep::kClear);
  }
}

void DrawContactLegend(std::string_view text) {
  PathClear();
  DrawLine(kLegendBarX0, kLegendLine1Y, kLegendBarX1, kLegendLine1Y);
  DrawingStrokePath(kPathOfContactColour, SolidStroke(kPathWidth), PathKeep::kClear);
  DrawingText(kLegendTextX, kLegendLine1Y - kLegendTextRaise, texts::kLegendContact, gCanvasFont, kOverlayTextSize,
              kLegendTextColour);

  DrawLine(kLegendBarX0, kLegendLine2Y, kLegendBarX1, kLegendLine2Y);
  DrawingStrokePath(kSinglePairColour, SolidStroke(kPathWidth), PathKeep::kClear);
  DrawingText(kLegendTextX, kLegendLine2Y - kLegendTextRaise, texts::kLegendSinglePair, gCanvasFont,
              kOverlayTextSize, kLegendTextColour);

  DrawDot({kLegendDotX, kLegendLine3Y}, kContactDotRadius, kContactPointFill);
  std::string line(texts::kLegendPoints);
  line += text;
  DrawingText(kLegendTextX, kLegendLine3Y - kLegendTextRaise, line, gCanvasFont, kOverlayTextSize,
              kLegendTextColour);
}

void DrawPairContactOverlay() {
  PathOfContactRecord path;
  if (!ComputePairPathOfContact(gGear1, gGear2, gPairCentreDistance, gAnimAngle, path)) return;
  PathClear();
  DrawCircle(0.0, 0.0, path.workingRadius1);
  DrawCircle(gPairCentreDistance, 0.0, path.workingRadius2);
  StrokeOverlayPitch();
  DrawPathOfContact(path, texts::kOverlayLabelT2);
  DrawContactLegend(texts::kLegendOperatingPitchCircles);
}

void DrawInternalContactOverlay() {
  PathOfContactRecord path;
  if (!ComputeInternalPathOfContact(gGear1, gRing, gInternalCentreDistance, gAnimAngle, path)) return;
  PathClear();
  DrawCircle(gInternalCentreDistance, 0.0, path.workingRadius1);  // pinion
  DrawCircle(0.0, 0.0, path.workingRadius2);                      // ring
  StrokeOverlayPitch();
  DrawPathOfContact(path, texts::kOverlayLabelT2);
  DrawContactLegend(texts::kLegendOperatingPitchCircles);
}

void DrawRackContactOverlay(double rackShift) {
  PathOfContactRecord path;
  if (!ComputeRackPathOfContact(gGear1, gRack, gAnimAngle, path)) return;
  // The rolling line touches the pinion's pitch circle (y = -r1), which is not
  // the rack's datum line when the pinion is shifted.
  const double r1 = gGear1.pitchRadius;
  PathClear();
  DrawCircle(0.0, 0.0, r1);
  const CanvasPoint a = WorldToScreen(rackShift, -r1);
  const CanvasPoint b = WorldToScreen(rackShift + gRack.rackLength, -r1);
  DrawLine(a.x, a.y, b.x, b.y);
  StrokeOverlayPitch();
  DrawPathOfContact(path, {});
  DrawContactLegend(texts::kLegendRackPitchLines);
}

void DrawRootSectionMark(const RootSection& section, int64_t kind, double x, double y, double angle) {
  if (!section.found) return;
  const double h = section.pointX;
  CanvasPoint p0;
  CanvasPoint p1;
  if (kind == kRootMarkRack) {
    // The rack's height above its pitch line; the tooth centre line is vertical.
    p0 = WorldToScreen(x - h, y + section.pointY);
    p1 = WorldToScreen(x + h, y + section.pointY);
  } else {
    // A ring's h grows towards its tip, which lies inward, so its pointY is
    // negative and -pointY is the chord's distance from the axis.
    const double d = kind == kRootMarkRing ? -section.pointY : section.pointY;
    const double c = std::cos(angle);
    const double s = std::sin(angle);
    p0 = WorldToScreen(x + d * c - h * s, y + d * s + h * c);
    p1 = WorldToScreen(x + d * c + h * s, y + d * s - h * c);
  }
  PathClear();
  DrawLine(p0.x, p0.y, p1.x, p1.y);
  DrawingStrokePath(kRootChordColour, SolidStroke(kRootChordWidth), PathKeep::kClear);
}

void DrawRootSectionOverlay() {
  if (gStrengthWindowShown == 0 || gStrength.valid == 0) return;
  // Spur gears only (written so that a NaN helix angle also draws nothing).
  if (!(gGear1.helixAngle <= kSpurHelixTolerance)) return;
  const RootSection& first = gStrength.rootSection[0];
  const RootSection& second = gStrength.rootSection[1];
  switch (gViewMode) {
    case kViewPair:
      if (!gGear1.valid || !gGear2.valid) return;
      DrawRootSectionMark(first, kRootMarkExternal, 0.0, 0.0, gAnimAngle);
      DrawRootSectionMark(second, kRootMarkExternal, gPairCentreDistance, 0.0, ComputeGear2MeshAngle());
      break;
    case kViewRack: {
      if (!gGear1.valid || !gRack.valid) return;
      const double shift = ComputeRackOffset(gGear1, gRack, gAnimAngle);
      // The rack's first tooth centre line lies half a pitch along its pitch line.
      const double toothCentre = shift + std::numbers::pi * gRack.transverseModule / 2.0;
      DrawRootSectionMark(first, kRootMarkExternal, 0.0, 0.0, gAnimAngle);
      DrawRootSectionMark(second, kRootMarkRack, toothCentre, ComputeRackPitchLineOffset(gGear1), 0.0);
      break;
    }
    case kViewInternal: {
      if (!gGear1.valid || !gRing.valid || gRing.teeth <= 0) return;
      const double z1 = static_cast<double>(gGear1.teeth);
      const double z2 = static_cast<double>(gRing.teeth);
      DrawRootSectionMark(first, kRootMarkExternal, gInternalCentreDistance, 0.0, gAnimAngle);
      // The ring turns by theta z1 / z2; its tooth centre lines lie half a
      // pitch (pi / z2) from those of its tooth spaces.
      DrawRootSectionMark(second, kRootMarkRing, 0.0, 0.0, gAnimAngle * z1 / z2 - std::numbers::pi / z2);
      break;
    }
    default: break;  // the single gear has no mating gear: no strength result to show
  }
}
