// Vector drawing over QPainter on the current drawing output: the current path
// becomes a QPainterPath (even-odd fill), strokes use Qt pens with flat caps and
// dash patterns converted from pixels to pen-width units, text is laid out from
// its top-left corner.
#include "platform/canvas_drawing.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRectF>

#include <cmath>

#include "platform/canvas_path.h"
#include "platform/registry.h"

namespace {

QColor ToQColor(DrawColour c) { return QColor(c.r, c.g, c.b, c.a); }

// The current path as a Qt path with the even-odd rule (a hole figure inside a
// body figure stays open).
QPainterPath BuildPainterPath(const CanvasPath& path) {
  QPainterPath out;
  out.setFillRule(Qt::OddEvenFill);
  for (const PathFigure& figure : path.figures) {
    const PathPoint* p = path.points.data() + figure.first;
    if (figure.kind == PathFigureKind::kCircle) {
      out.addEllipse(QPointF(p[0].x, p[0].y), p[1].x, p[1].x);
      continue;
    }
    if (figure.count == 0) continue;
    out.moveTo(p[0].x, p[0].y);
    for (std::size_t i = 1; i < figure.count; ++i) out.lineTo(p[i].x, p[i].y);
    if (figure.closed) out.closeSubpath();
  }
  return out;
}

QPainter* ActivePainter() {
  QPainter* painter = CurrentDrawingPainter();
  if (painter) painter->setRenderHint(QPainter::Antialiasing, true);
  return painter;
}

}  // namespace

void DrawingScale(double sx, double sy) {
  if (QPainter* painter = ActivePainter()) painter->scale(sx, sy);
}

void DrawingFillOutput(DrawColour colour) {
  QPainter* painter = ActivePainter();
  if (!painter || !painter->device()) return;
  painter->save();
  painter->resetTransform();
  painter->setCompositionMode(QPainter::CompositionMode_Source);
  painter->fillRect(QRect(0, 0, painter->device()->width(), painter->device()->height()), ToQColor(colour));
  painter->restore();
}

void DrawingFillPath(DrawColour colour, PathKeep keep) {
  if (QPainter* painter = ActivePainter()) {
    const CanvasPath& path = PathGetCurrent();
    if (!path.figures.empty()) painter->fillPath(BuildPainterPath(path), QBrush(ToQColor(colour)));
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
      // Qt measures dash patterns in pen widths.
      pen.setDashPattern(QList<qreal>{stroke.dash / stroke.width, stroke.gap / stroke.width});
    }
    painter->strokePath(BuildPainterPath(path), pen);
  }
  if (keep == PathKeep::kClear) PathClear();
}

void DrawingText(double x, double y, std::string_view text, int64_t font, double pixelSize,
                 DrawColour colour) {
  QPainter* painter = ActivePainter();
  if (!painter) return;
  QFont qfont = FontOf(font);
  qfont.setPixelSize(std::max(1, static_cast<int>(std::lround(pixelSize))));
  painter->save();
  painter->setFont(qfont);
  painter->setPen(ToQColor(colour));
  painter->drawText(QRectF(x, y, 100000.0, 100000.0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                    ToQString(text));
  painter->restore();
}
