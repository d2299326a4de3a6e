// Vector drawing over QPainter on the current drawing output: the current path
// becomes a QPainterPath (even-odd fill), strokes use Qt pens with flat caps and
// dash patterns converted from pixels to pen-width units, text is laid out from
// its top-left corner.
// While a canvas is drawn on, the operations are kept and drawn in row bands
// side by side when drawing stops (platform/canvas_recording.h).
#include "platform/canvas_drawing.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QLineF>
#include <QPen>
#include <QPolygonF>
#include <QImage>
#include <QRectF>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <vector>

#include "platform/canvas_hard_fill.h"
#include "platform/canvas_path.h"
#include "platform/canvas_recording.h"
#include "platform/polyline_simplify.h"
#include "platform/registry.h"

namespace {

QColor ToQColor(DrawColour c) { return QColor(c.r, c.g, c.b, c.a); }

// Thinning of the current path's line figures (see platform/polyline_simplify.h),
// in device pixels. At low zoom a gear of hundreds of teeth has dozens of
// outline points per pixel, which would only slow the rasteriser without
// changing a pixel.
//
// Points closer than kMinPointSpacing to the last one kept are left out of a
// smooth-edged fill.
constexpr double kMinPointSpacing = 0.25;
// Solid strokes and hard-edged fills use kStrokePointSpacing and
// kStraightRunTolerance (platform/canvas_drawing.h).

// One thinned line figure: points [first, first + count) of ThinnedPath::points.
struct ThinnedFigure {
  std::size_t first = 0;
  std::size_t count = 0;
  bool closed = false;
};

// The line figures of the current path thinned for strokes and hard-edged
// fills; a closed figure ends on its first point. Kept while the path and the
// device scale stand, so that a fill kept for the outline stroke that follows
// thins the figures only once.
struct ThinnedPath {
  bool valid = false;
  std::uint64_t revision = 0;
  double deviceScale = 0.0;
  std::vector<PathPoint> points;
  std::vector<ThinnedFigure> figures;
};
ThinnedPath gThinnedPath;

const ThinnedPath& ThinCurrentPath(const CanvasPath& path, double deviceScale) {
  ThinnedPath& out = gThinnedPath;
  if (out.valid && out.revision == path.revision && out.deviceScale == deviceScale) return out;
  out.valid = true;
  out.revision = path.revision;
  out.deviceScale = deviceScale;
  out.points.clear();
  out.figures.clear();
  const double scale = deviceScale > 0.0 ? deviceScale : 1.0;
  PolylineThinning thinning;
  thinning.minSpacing = kStrokePointSpacing / scale;
  thinning.tolerance = kStraightRunTolerance / scale;
  for (const PathFigure& figure : path.figures) {
    if (figure.kind != PathFigureKind::kLines || figure.count < 2) continue;
    ThinnedFigure thinned;
    thinned.first = out.points.size();
    thinned.closed = figure.closed;
    AppendThinnedPolyline(path.points.data() + figure.first, figure.count,
                          figure.closed ? PolylineShape::kClosed : PolylineShape::kOpen, thinning, &out.points);
    thinned.count = out.points.size() - thinned.first;
    out.figures.push_back(thinned);
  }
  return out;
}

// Appends a polyline to a Qt path as one subpath.
void AddPolylineToPath(const PathPoint* p, std::size_t n, bool closed, QPolygonF* scratch, QPainterPath* out) {
  if (n == 0) return;
  scratch->resize(static_cast<qsizetype>(n));
  QPointF* q = scratch->data();
  for (std::size_t i = 0; i < n; ++i) q[i] = QPointF(p[i].x, p[i].y);
  out->addPolygon(*scratch);
  if (closed) out->closeSubpath();
}

// The current path as a Qt path with the even-odd rule (a hole figure inside a
// body figure stays open). A hard-edged fill takes the stroke's thinned
// figures; a smooth one only leaves out points closer than kMinPointSpacing.
QPainterPath BuildPainterPath(const CanvasPath& path, double deviceScale, FillEdge edge) {
  QPainterPath out;
  out.setFillRule(Qt::OddEvenFill);
  QPolygonF polygon;
  for (const PathFigure& figure : path.figures) {
    const PathPoint* p = path.points.data() + figure.first;
    if (figure.kind == PathFigureKind::kCircle) out.addEllipse(QPointF(p[0].x, p[0].y), p[1].x, p[1].x);
  }
  if (edge == FillEdge::kHard) {
    const ThinnedPath& thinned = ThinCurrentPath(path, deviceScale);
    for (const ThinnedFigure& figure : thinned.figures) {
      AddPolylineToPath(thinned.points.data() + figure.first, figure.count, figure.closed, &polygon, &out);
    }
    return out;
  }
  PolylineThinning thinning;
  thinning.minSpacing = kMinPointSpacing / (deviceScale > 0.0 ? deviceScale : 1.0);
  static std::vector<PathPoint> spaced;
  for (const PathFigure& figure : path.figures) {
    if (figure.kind != PathFigureKind::kLines || figure.count == 0) continue;
    spaced.clear();
    AppendThinnedPolyline(path.points.data() + figure.first, figure.count, PolylineShape::kOpen, thinning, &spaced);
    AddPolylineToPath(spaced.data(), spaced.size(), figure.closed, &polygon, &out);
  }
  return out;
}

// Device pixels per path unit under the painter's transform.
double DeviceScaleOf(const QPainter& painter) {
  const QTransform& t = painter.worldTransform();
  return std::sqrt(std::abs(t.determinant()));
}

// Fills the thinned line figures of the path straight into the painter's
// image (see platform/canvas_hard_fill.h), or keeps the fill for the frame's
// bands, when the painter would draw exactly that: a premultiplied image
// painted source-over, unclipped and fully opaque under a plain scaling, in an
// opaque colour, and a path of line figures only. False when it did not.
bool FillHardDirect(QPainter& painter, const CanvasPath& path, const QColor& colour) {
  QPaintDevice* device = painter.device();
  if (device == nullptr || device->devType() != QInternal::Image || colour.alpha() != 255) return false;
  QImage* image = static_cast<QImage*>(device);
  const QTransform& t = painter.worldTransform();
  if (image->format() != QImage::Format_ARGB32_Premultiplied ||
      painter.compositionMode() != QPainter::CompositionMode_SourceOver || painter.hasClipping() ||
      painter.opacity() != 1.0 || t.type() > QTransform::TxScale || t.m11() != t.m22() || !(t.m11() > 0.0) ||
      t.dx() != 0.0 || t.dy() != 0.0) {
    return false;
  }
  for (const PathFigure& figure : path.figures) {
    if (figure.kind == PathFigureKind::kCircle) return false;
  }
  const ThinnedPath& thinned = ThinCurrentPath(path, DeviceScaleOf(painter));
  static std::vector<FillRing> rings;
  rings.clear();
  for (const ThinnedFigure& figure : thinned.figures) rings.push_back({figure.first, figure.count});
  if (RecordingActive()) {
    if (!PrepareHardFill(image->height(), thinned.points, rings, t.m11(), &NextHardFillPlan())) return false;
    RecordHardFill(t, colour);
    return true;
  }
  FillTarget target;
  target.pixels = reinterpret_cast<std::uint32_t*>(image->bits());
  target.width = image->width();
  target.height = image->height();
  target.stride = image->bytesPerLine() / 4;
  return FillRingsHard(target, thinned.points, rings, t.m11(), colour.rgba());
}

// Draws the segments with the pen, or keeps them for the frame's bands.
void DrawLinesWith(QPainter& painter, const QPen& pen, const std::vector<QLineF>& lines) {
  painter.setPen(pen);
  if (lines.empty()) return;
  if (RecordingActive()) {
    RecordLines(painter.worldTransform(), pen, lines);
    return;
  }
  RecordingCountSegments(lines.size());
  painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

// Strokes a Qt path, or keeps it for the frame's bands.
void StrokeWith(QPainter& painter, const QPainterPath& path, const QPen& pen) {
  if (RecordingActive()) {
    RecordPathStroke(painter.worldTransform(), path, pen);
    return;
  }
  painter.strokePath(path, pen);
}

QPainter* ActivePainter() {
  QPainter* painter = CurrentDrawingPainter();
  if (painter) painter->setRenderHint(QPainter::Antialiasing, true);
  return painter;
}

// A solid stroke drawn as separate thick line segments: Qt's raster engine
// rasterises each segment directly, some ten times faster than the path
// stroker on the tens of thousands of segments of a large gear. The segments
// of closed figures get square caps, which fill the small wedges that flat
// caps would leave at the corners; open figures keep flat ends. Points closer
// than the spacing to the last one kept are left out, and the figure's end
// takes the place of a last point too close to it rather than add a sliver,
// whose square cap would show as a speck pointing anywhere.
void StrokeSolidFigures(QPainter& painter, const CanvasPath& path, const QPen& pen) {
  static std::vector<QLineF> closedLines;
  static std::vector<QLineF> openLines;
  closedLines.clear();
  openLines.clear();
  const ThinnedPath& thinned = ThinCurrentPath(path, DeviceScaleOf(painter));
  for (const ThinnedFigure& figure : thinned.figures) {
    const PathPoint* p = thinned.points.data() + figure.first;
    std::vector<QLineF>& lines = figure.closed ? closedLines : openLines;
    for (std::size_t i = 1; i < figure.count; ++i) lines.emplace_back(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y);
  }
  QPainterPath circles;
  for (const PathFigure& figure : path.figures) {
    const PathPoint* p = path.points.data() + figure.first;
    if (figure.kind == PathFigureKind::kCircle) circles.addEllipse(QPointF(p[0].x, p[0].y), p[1].x, p[1].x);
  }
  if (!closedLines.empty()) {
    QPen squared = pen;
    squared.setCapStyle(Qt::SquareCap);
    DrawLinesWith(painter, squared, closedLines);
  }
  if (!openLines.empty()) DrawLinesWith(painter, pen, openLines);
  if (!circles.isEmpty()) StrokeWith(painter, circles, pen);
}

// A dashed stroke: the dashes are cut from each figure here, the pattern
// running on across its vertices and starting afresh with every figure, and
// drawn as thick line segments with flat ends (Qt's path stroker would dash
// and rasterise them an order of magnitude more slowly).
void StrokeDashedFigures(QPainter& painter, const CanvasPath& path, const QPen& pen, double dash, double gap) {
  static std::vector<QLineF> lines;
  lines.clear();
  QPainterPath circles;
  const double period = dash + std::max(gap, 0.0);
  for (const PathFigure& figure : path.figures) {
    const PathPoint* p = path.points.data() + figure.first;
    if (figure.kind == PathFigureKind::kCircle) {
      circles.addEllipse(QPointF(p[0].x, p[0].y), p[1].x, p[1].x);
      continue;
    }
    const std::size_t segments = figure.closed ? figure.count : figure.count - 1;
    double phase = 0.0;  // distance into the current period, 0 <= phase < period
    for (std::size_t i = 0; figure.count >= 2 && i < segments; ++i) {
      const PathPoint& a = p[i];
      const PathPoint& b = p[(i + 1) % figure.count];
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      if (!(length > 0.0) || !std::isfinite(length)) continue;
      double s = 0.0;  // position along this segment
      int stalled = 0;  // steps in a row that could not move on
      while (s < length) {
        const bool inDash = phase < dash;
        const double end = std::min(length, s + ((inDash ? dash : period) - phase));
        if (!(end > s)) {
          // Too little of the dash or gap is left to move on along the
          // segment: the next one begins here (unless dash and gap are both
          // too short for the segment's coordinates).
          if (++stalled > 2) break;
          phase = inDash ? dash : 0.0;
          continue;
        }
        stalled = 0;
        if (inDash) {
          lines.emplace_back(QPointF(a.x + (b.x - a.x) * s / length, a.y + (b.y - a.y) * s / length),
                             QPointF(a.x + (b.x - a.x) * end / length, a.y + (b.y - a.y) * end / length));
        }
        phase += end - s;
        if (phase >= period) phase -= period;
        s = end;
      }
    }
  }
  QPen flat = pen;
  flat.setStyle(Qt::SolidLine);
  DrawLinesWith(painter, flat, lines);
  if (!circles.isEmpty()) {
    QPen dashed = pen;
    dashed.setDashPattern(QList<qreal>{dash / pen.widthF(), gap / pen.widthF()});
    StrokeWith(painter, circles, dashed);
  }
}

}  // namespace

void DrawingScale(double sx, double sy) {
  if (QPainter* painter = ActivePainter()) painter->scale(sx, sy);
}

void DrawingFillOutput(DrawColour colour) {
  QPainter* painter = ActivePainter();
  if (!painter || !painter->device()) return;
  if (RecordingActive()) {
    RecordFillOutput(ToQColor(colour));
    return;
  }
  painter->save();
  painter->resetTransform();
  painter->setCompositionMode(QPainter::CompositionMode_Source);
  painter->fillRect(QRect(0, 0, painter->device()->width(), painter->device()->height()), ToQColor(colour));
  painter->restore();
}

void DrawingFillPath(DrawColour colour, PathKeep keep, FillEdge edge) {
  if (QPainter* painter = ActivePainter()) {
    const CanvasPath& path = PathGetCurrent();
    if (!path.figures.empty() &&
        !(edge == FillEdge::kHard && FillHardDirect(*painter, path, ToQColor(colour)))) {
      QPainterPath filled = BuildPainterPath(path, DeviceScaleOf(*painter), edge);
      if (RecordingActive()) {
        RecordPathFill(painter->worldTransform(), filled, ToQColor(colour), edge == FillEdge::kSmooth);
      } else {
        painter->setRenderHint(QPainter::Antialiasing, edge == FillEdge::kSmooth);
        painter->fillPath(filled, QBrush(ToQColor(colour)));
        painter->setRenderHint(QPainter::Antialiasing, true);
      }
    }
  }
  if (keep == PathKeep::kClear) PathClear();
}

void DrawingStrokePath(DrawColour colour, const StrokeStyle& stroke, PathKeep keep) {
  QPainter* painter = ActivePainter();
  const CanvasPath& path = PathGetCurrent();
  if (painter && !path.figures.empty() && stroke.width > 0.0) {
    QPen pen(ToQColor(colour), stroke.width);
    // Flat caps: dashes and dots are exactly as long as asked (a square cap
    // would lengthen each by the width).
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
    if (stroke.dash > 0.0) {
      StrokeDashedFigures(*painter, path, pen, stroke.dash, stroke.gap);
    } else {
      StrokeSolidFigures(*painter, path, pen);
    }
  }
  if (keep == PathKeep::kClear) PathClear();
}

void DrawingText(double x, double y, std::string_view text, int64_t font, double pixelSize,
                 DrawColour colour) {
  QPainter* painter = ActivePainter();
  if (!painter) return;
  QFont qfont = FontOf(font);
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  if (RecordingActive()) {
    RecordText(painter->worldTransform(), x, y, ToQString(text), qfont, ToQColor(colour));
    return;
  }
  painter->save();
  painter->setFont(qfont);
  painter->setPen(ToQColor(colour));
  painter->drawText(QRectF(x, y, 100000.0, 100000.0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    ToQString(text));
  painter->restore();
}
