// Drawing of gears and racks, and the circle, line and polyline primitives.
#include "app/view_draw.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/globals.h"
#include "app/view_outline_points.h"
#include "geometry/bore_outline.h"
#include "geometry/gear_geometry.h"
#include "platform/canvas_path.h"

namespace {

// Working point lists, reused from call to call so that the frames of the
// animation allocate nothing once they have grown.
CanvasPointList gBodyPoints;
CanvasPointList gHolePoints;
CanvasPointList gCirclePoints;
std::vector<OutlinePoint> gBorePoints;

// Appends the outline points that a frame draws (see GetDrawnOutlinePoints),
// turned by the angle about the gear centre and placed at (x, y).
void AppendPlacedOutline(const Outline& outline, double x, double y, double cosA, double sinA,
                         CanvasPointList* out) {
  const std::vector<OutlinePoint>& points = GetDrawnOutlinePoints(outline, gZoom * gDeviceScale);
  const ScreenMapping screen = GetScreenMapping();
  out->reserve(out->size() + points.size());
  for (const OutlinePoint& p : points) {
    out->push_back(screen.Map(x + p.x * cosA - p.y * sinA, y + p.x * sinA + p.y * cosA));
  }
}

}  // namespace

void DrawGearOutline(const GearRecord& gear, double x, double y, double angle) {
  const double cosA = std::cos(angle);
  const double sinA = std::sin(angle);
  gBodyPoints.clear();
  AppendPlacedOutline(gear.outline, x, y, cosA, sinA, &gBodyPoints);
  DrawClippedPolygon(&gBodyPoints);

  const double holeRadius = gear.isInternal ? gear.rimRadius : 0.5 * gear.boreDiameter;
  if (!(holeRadius > 0.0)) return;

  gHolePoints.clear();
  if (!gear.isInternal && GearHasKeyway(gear)) {
    // Bore and keyway contour with chords within a quarter pixel.
    BuildBoreOutline(gear, gBorePoints, 0.25 / gZoom);
    const ScreenMapping screen = GetScreenMapping();
    for (const OutlinePoint& p : gBorePoints) {
      gHolePoints.push_back(screen.Map(x + p.x * cosA - p.y * sinA, y + p.x * sinA + p.y * cosA));
    }
    DrawClippedPolygon(&gHolePoints);
    return;
  }
  if (BuildArcPolyline(x, y, holeRadius, &gHolePoints, /*sector=*/1)) {
    DrawClippedPolygon(&gHolePoints);
    return;
  }
  // The circle does not cross the view area: when the view lies inside it, the
  // whole clip rectangle is hole.
  const CanvasPoint c = WorldToScreen(x, y);
  const double d = std::hypot(0.5 * (gClipXMin + gClipXMax) - c.x, 0.5 * (gClipYMin + gClipYMax) - c.y);
  if (holeRadius * gZoom > d) {
    PathStartFigure(gClipXMin, gClipYMin);
    PathAddLine(gClipXMax, gClipYMin);
    PathAddLine(gClipXMax, gClipYMax);
    PathAddLine(gClipXMin, gClipYMax);
    PathCloseFigure();
  }
}

void DrawCircle(double cx, double cy, double r) {
  if (!BuildArcPolyline(cx, cy, r, &gCirclePoints, /*sector=*/0)) return;
  // The whole circle was generated when its pixel radius is below twice the
  // clip rectangle's diagonal; otherwise only an open arc across the view.
  const double diagonal = std::hypot(gClipXMax - gClipXMin, gClipYMax - gClipYMin);
  DrawPolyline(gCirclePoints, r * gZoom < 2.0 * diagonal ? 1 : 0);
}

void DrawPolyline(const CanvasPointList& points, int closed) {
  const std::size_t n = points.size();
  if (n < 2) return;
  SegmentJoin join = SegmentJoin::kNewFigure;
  for (std::size_t i = 0; i + 1 < n; ++i) DrawClippedSegment(points[i], points[i + 1], &join);
  if (closed) DrawClippedSegment(points[n - 1], points[0], &join);
}

void DrawLine(double x1, double y1, double x2, double y2) {
  SegmentJoin join = SegmentJoin::kNewFigure;
  DrawClippedSegment({x1, y1}, {x2, y2}, &join);
}

int64_t DrawGear(const GearRecord& gear, double x, double y, double angle, DrawColour fill) {
  if (!gear.valid) return 1;

  DrawGearOutline(gear, x, y, angle);
  DrawingFillPath(fill, PathKeep::kKeep, FillEdge::kHard);  // the outline stroke covers the edge
  DrawingStrokePath(kOutlineColour, SolidStroke(kOutlineWidth), PathKeep::kClear);

  DrawCircle(x, y, gear.pitchRadius);
  DrawingStrokePath(kPitchColour, DashedStroke(1.0, 8.0), PathKeep::kClear);

  DrawCircle(x, y, gear.baseRadius);
  DrawingStrokePath(kBaseCircleColour, DottedStroke(1.0, 4.0), PathKeep::kClear);

  if (GearHasHub(gear)) {
    DrawCircle(x, y, 0.5 * gear.hubDiameter);
    DrawingStrokePath(kHubColour, DashedStroke(1.2, 5.0), PathKeep::kClear);
  }

  // Centre cross reaching two modules beyond the tip circle (beyond the rim of
  // a ring gear).
  const CanvasPoint c = WorldToScreen(x, y);
  const double halfLength = (std::max(gear.tipRadius, gear.rimRadius) + 2.0 * gear.normalModule) * gZoom;
  DrawLine(c.x - halfLength, c.y, c.x + halfLength, c.y);
  DrawLine(c.x, c.y - halfLength, c.x, c.y + halfLength);
  DrawingStrokePath(kCentreCrossColour, DashedStroke(1.0, 10.0), PathKeep::kClear);
  return 0;
}

int64_t DrawRack(const GearRecord& rack, double dx, double dy, DrawColour fill) {
  if (!rack.valid) return 1;

  gBodyPoints.clear();
  AppendPlacedOutline(rack.outline, dx, dy, 1.0, 0.0, &gBodyPoints);
  DrawClippedPolygon(&gBodyPoints);
  DrawingFillPath(fill, PathKeep::kKeep, FillEdge::kHard);  // the outline stroke covers the edge
  DrawingStrokePath(kOutlineColour, SolidStroke(kOutlineWidth), PathKeep::kClear);

  const CanvasPoint a = WorldToScreen(dx, dy);
  const CanvasPoint b = WorldToScreen(dx + rack.rackLength, dy);
  DrawLine(a.x, a.y, b.x, b.y);
  DrawingStrokePath(kPitchColour, DashedStroke(1.0, 8.0), PathKeep::kClear);
  return 0;
}
