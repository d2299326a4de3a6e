// Clip rectangle, polygon clipping (Sutherland-Hodgman), segment clipping
// (Liang-Barsky) and the arc-to-polyline rule of the view.
#include "app/view_clip.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "app/globals.h"
#include "platform/canvas_path.h"

double gClipXMin = 0.0;
double gClipXMax = 0.0;
double gClipYMin = 0.0;
double gClipYMax = 0.0;
double gClipT0 = 0.0;
double gClipT1 = 0.0;

namespace {

// Largest angular step of an arc polyline: 5 degrees.
constexpr double kArcMaxStep = 5.0 * std::numbers::pi / 180.0;
// Point count limits of one arc polyline.
constexpr double kArcMinPoints = 8.0;
constexpr double kArcMaxPoints = 100000.0;
// An angular span at least this large (2 pi less 1e-12, for the rounding of
// a1 - a0) is a whole circle: its last point would repeat the first.
constexpr double kWholeCircleSpan = 2.0 * std::numbers::pi - 1e-12;

// Working storage of the polygon clipper, kept between calls so that the
// clipping of every frame allocates nothing once it has grown.
CanvasPointList gClipScratch;
// The clipped polygon as path points.
std::vector<PathPoint> gFigureScratch;

}  // namespace

void SetClipRectangle(double w, double h) {
  gClipXMin = -kClipMargin;
  gClipYMin = -kClipMargin;
  gClipXMax = w + kClipMargin;
  gClipYMax = h + kClipMargin;
}

int64_t IsInsideClipEdge(CanvasPoint p, int k) {
  switch (k) {
    case kClipEdgeLeft:
      return p.x >= gClipXMin ? 1 : 0;
    case kClipEdgeRight:
      return p.x <= gClipXMax ? 1 : 0;
    case kClipEdgeTop:
      return p.y >= gClipYMin ? 1 : 0;
    default:
      return p.y <= gClipYMax ? 1 : 0;
  }
}

CanvasPoint IntersectClipEdge(CanvasPoint p, CanvasPoint q, int k) {
  double t = 0.0;
  switch (k) {
    case kClipEdgeLeft:
      t = (gClipXMin - p.x) / (q.x - p.x);
      break;
    case kClipEdgeRight:
      t = (gClipXMax - p.x) / (q.x - p.x);
      break;
    case kClipEdgeTop:
      t = (gClipYMin - p.y) / (q.y - p.y);
      break;
    default:
      t = (gClipYMax - p.y) / (q.y - p.y);
      break;
  }
  return {p.x + t * (q.x - p.x), p.y + t * (q.y - p.y)};
}

void DrawClippedPolygon(CanvasPointList* points) {
  CanvasPointList& polygon = *points;
  if (polygon.empty()) return;
  // The polygon's bounding box decides most cases at once: an edge with every
  // point inside it leaves the polygon as it is, and an edge with every point
  // beyond it leaves nothing. A whole gear in the fitted view needs no pass.
  double xMin = polygon[0].x;
  double xMax = xMin;
  double yMin = polygon[0].y;
  double yMax = yMin;
  bool hasNaN = false;  // a NaN point takes every pass, as it always did
  for (const CanvasPoint& p : polygon) {
    xMin = std::min(xMin, p.x);
    xMax = std::max(xMax, p.x);
    yMin = std::min(yMin, p.y);
    yMax = std::max(yMax, p.y);
    hasNaN = hasNaN || std::isnan(p.x) || std::isnan(p.y);
  }
  if (!hasNaN && (xMax < gClipXMin || xMin > gClipXMax || yMax < gClipYMin || yMin > gClipYMax)) return;
  const bool edgeCuts[4] = {hasNaN || !(xMin >= gClipXMin), hasNaN || !(xMax <= gClipXMax),
                            hasNaN || !(yMin >= gClipYMin), hasNaN || !(yMax <= gClipYMax)};
  for (int k = kClipEdgeLeft; k <= kClipEdgeBottom; ++k) {
    if (polygon.empty()) return;
    if (!edgeCuts[k - kClipEdgeLeft]) continue;
    gClipScratch.clear();
    CanvasPoint s = polygon.back();
    int64_t sInside = IsInsideClipEdge(s, k);
    for (const CanvasPoint& e : polygon) {
      const int64_t eInside = IsInsideClipEdge(e, k);
      if (eInside) {
        if (!sInside) gClipScratch.push_back(IntersectClipEdge(s, e, k));
        gClipScratch.push_back(e);
      } else if (sInside) {
        gClipScratch.push_back(IntersectClipEdge(s, e, k));
      }
      s = e;
      sInside = eInside;
    }
    std::swap(polygon, gClipScratch);
  }
  if (polygon.size() < 3) return;
  gFigureScratch.resize(polygon.size());
  for (std::size_t i = 0; i < polygon.size(); ++i) gFigureScratch[i] = {polygon[i].x, polygon[i].y};
  PathAddClosedFigure(gFigureScratch.data(), gFigureScratch.size());
}

int64_t ClipSegment(CanvasPoint p, CanvasPoint q) {
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  gClipT0 = 0.0;
  gClipT1 = 1.0;
  const double ps[4] = {-dx, dx, -dy, dy};
  const double qs[4] = {p.x - gClipXMin, gClipXMax - p.x, p.y - gClipYMin, gClipYMax - p.y};
  for (int k = 0; k < 4; ++k) {
    const double pk = ps[k];
    const double qk = qs[k];
    if (pk == 0.0) {
      if (qk < 0.0) return 0;  // parallel to the edge and beyond it
    } else if (pk < 0.0) {
      const double r = qk / pk;
      if (r > gClipT1) return 0;
      if (r > gClipT0) gClipT0 = r;
    } else {
      const double r = qk / pk;
      if (r < gClipT0) return 0;
      if (r < gClipT1) gClipT1 = r;
    }
  }
  return 1;
}

void DrawClippedSegment(CanvasPoint p, CanvasPoint q, SegmentJoin* join) {
  if (!ClipSegment(p, q)) {
    *join = SegmentJoin::kNewFigure;
    return;
  }
  const double dx = q.x - p.x;
  const double dy = q.y - p.y;
  if (*join == SegmentJoin::kNewFigure || gClipT0 > 0.0) {
    PathStartFigure(p.x + gClipT0 * dx, p.y + gClipT0 * dy);
  }
  PathAddLine(p.x + gClipT1 * dx, p.y + gClipT1 * dy);
  *join = gClipT1 >= 1.0 ? SegmentJoin::kContinue : SegmentJoin::kNewFigure;
}

int64_t BuildArcPolyline(double cx, double cy, double r, CanvasPointList* points, int sector) {
  points->clear();
  const double radius = r * gZoom;  // R, the radius in pixels
  if (!(radius > 0.0) || !std::isfinite(radius)) return 0;

  const CanvasPoint c = WorldToScreen(cx, cy);
  const double vx = 0.5 * (gClipXMin + gClipXMax);
  const double vy = 0.5 * (gClipYMin + gClipYMax);
  const double halfDiagonal = 0.5 * std::hypot(gClipXMax - gClipXMin, gClipYMax - gClipYMin);
  const double d = std::hypot(vx - c.x, vy - c.y);
  // Wholly outside the circle round the clip rectangle, or enclosing it wholly.
  // Written so that a NaN distance also counts as "cannot be seen".
  if (!(std::abs(d - radius) <= halfDiagonal)) return 0;

  const double step = std::min(std::sqrt(2.0 / radius), kArcMaxStep);
  double a0 = 0.0;
  double a1 = 2.0 * std::numbers::pi;
  if (radius < 4.0 * halfDiagonal) {
    sector = 0;
  } else {
    // Only the part facing the view: phi points from the circle's centre to
    // the view centre, counter-clockwise with y upward.
    const double phi = std::atan2(c.y - vy, vx - c.x);
    a0 = phi - 2.0 * halfDiagonal / radius;
    a1 = phi + 2.0 * halfDiagonal / radius;
  }
  const double span = a1 - a0;
  const double count = std::clamp(std::ceil(span / step), kArcMinPoints, kArcMaxPoints);
  const int64_t n = static_cast<int64_t>(count);
  const int64_t last = span >= kWholeCircleSpan ? n - 1 : n;
  points->reserve(static_cast<std::size_t>(last + 2));
  for (int64_t i = 0; i <= last; ++i) {
    const double a = a0 + span * static_cast<double>(i) / static_cast<double>(n);
    points->push_back({c.x + radius * std::cos(a), c.y - radius * std::sin(a)});
  }
  if (sector) points->push_back(c);
  return 1;
}
