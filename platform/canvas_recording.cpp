// Keeping a canvas frame's operations: each with its transform, its pen as
// plain values, its own copy of its segments, path, text or fill plan, and
// the device rows it can reach.
#include "platform/canvas_recording.h"

#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRectF>

#include <algorithm>

#include "platform/canvas_bands.h"
#include "platform/canvas_recording_ops.h"

namespace canvas_recording {

Recording gRecording;

}  // namespace canvas_recording

namespace {

using namespace canvas_recording;

PlainPen PlainPenOf(const QPen& pen) {
  PlainPen plain;
  plain.colour = pen.color();
  plain.width = pen.widthF();
  plain.style = pen.style();
  plain.cap = pen.capStyle();
  plain.join = pen.joinStyle();
  if (plain.style == Qt::CustomDashLine) plain.dashes = pen.dashPattern();
  return plain;
}

// The device rows between logical heights y1 and y2, widened by margin.
void SetRows(Op* op, double y1, double y2, double margin) {
  const QTransform& t = op->transform;
  const double a = t.m22() * y1 + t.dy();
  const double b = t.m22() * y2 + t.dy();
  op->low = std::min(a, b) - margin;
  op->high = std::max(a, b) + margin;
  // A coordinate that is not a number reaches every band, which then does with
  // it what one painter would.
  if (!(op->low <= op->high)) {
    op->low = -std::numeric_limits<double>::infinity();
    op->high = std::numeric_limits<double>::infinity();
  }
}

Op& AddOp(OpKind kind, const QTransform& transform) {
  Op& op = gRecording.ops.emplace_back();
  op.kind = kind;
  op.transform = transform;
  return op;
}

}  // namespace

bool RecordingStart(QPainter& painter) {
  Recording& r = gRecording;
  r.active = false;
  QPaintDevice* device = painter.device();
  if (device == nullptr || device->devType() != QInternal::Image || GetRowBandCount() < 2) return false;
  QImage* image = static_cast<QImage*>(device);
  if (image->isNull() || image->depth() != 32 || image->devicePixelRatio() != 1.0 ||
      image->height() < 2 * kMinBandRows) {
    return false;
  }
  if (!r.nextInBands) {
    // Drawn straight away as the frame before, its segments counted.
    r.counting = true;
    r.countedSegments = 0;
    return false;
  }
  r.active = true;
  r.image = image;
  // Detaches the image now if it is shared, here on the GUI thread; the
  // bands draw through this pointer only.
  r.output.pixels = reinterpret_cast<std::uint32_t*>(image->bits());
  r.output.width = image->width();
  r.output.height = image->height();
  r.output.stride = image->bytesPerLine() / 4;
  r.output.firstRow = 0;
  r.ops.clear();
  r.lines.clear();
  r.planCount = 0;
  r.paths.clear();
  r.texts.clear();
  return true;
}

bool RecordingActive() { return gRecording.active; }

void RecordingCountSegments(std::size_t count) {
  Recording& r = gRecording;
  if (r.counting) r.countedSegments += count;
}

void RecordFillOutput(const QColor& colour) {
  Op& op = AddOp(OpKind::kFillOutput, QTransform());
  op.colour = colour;
}

HardFillPlan& NextHardFillPlan() {
  Recording& r = gRecording;
  if (r.planCount == r.plans.size()) r.plans.emplace_back();
  return r.plans[r.planCount];
}

void RecordHardFill(const QTransform& transform, const QColor& colour) {
  Recording& r = gRecording;
  if (r.planCount == r.plans.size() || r.plans[r.planCount].edges.empty()) return;
  const std::vector<FillEdgeLine>& edges = r.plans[r.planCount].edges;
  Op& op = AddOp(OpKind::kHardFill, transform);
  op.colour = colour;
  op.first = r.planCount++;
  int bottom = 0;
  for (const FillEdgeLine& e : edges) bottom = std::max(bottom, e.bottom);
  op.low = edges.front().top;
  op.high = bottom + 1;
}

void RecordPathFill(const QTransform& transform, const QPainterPath& path, const QColor& colour, bool antialiased) {
  Recording& r = gRecording;
  Op& op = AddOp(OpKind::kPathFill, transform);
  op.colour = colour;
  op.antialiased = antialiased;
  op.first = r.paths.size();
  r.paths.push_back(path);
  const QRectF box = path.controlPointRect();
  SetRows(&op, box.top(), box.bottom(), 2.0);
}

void RecordLines(const QTransform& transform, const QPen& pen, const std::vector<QLineF>& lines) {
  Recording& r = gRecording;
  if (lines.empty()) return;
  Op& op = AddOp(OpKind::kLines, transform);
  op.pen = PlainPenOf(pen);
  op.first = r.lines.size();
  op.count = lines.size();
  r.lines.insert(r.lines.end(), lines.begin(), lines.end());
  double low = std::numeric_limits<double>::infinity();
  double high = -std::numeric_limits<double>::infinity();
  bool finite = true;
  for (const QLineF& line : lines) {
    low = std::min({low, line.y1(), line.y2()});
    high = std::max({high, line.y1(), line.y2()});
    finite = finite && std::isfinite(line.y1()) && std::isfinite(line.y2());
  }
  if (finite) SetRows(&op, low, high, PenMargin(transform, pen.widthF()));
  // A segment taller than a band's buffer reaches beyond it (or one not finite).
  const double margin = PenMargin(transform, pen.widthF());
  for (const QLineF& line : lines) {
    const double rows = std::abs(transform.m22() * (line.y2() - line.y1())) + 2.0 * margin;
    if (!(rows <= kApronRows)) {
      op.onePass = true;
      break;
    }
  }
}

void RecordPathStroke(const QTransform& transform, const QPainterPath& path, const QPen& pen) {
  Recording& r = gRecording;
  Op& op = AddOp(OpKind::kPathStroke, transform);
  op.pen = PlainPenOf(pen);
  // Qt's path stroker dashes and clips by the size of the device, which a
  // band's image does not share: drawn in one pass.
  op.onePass = true;
  op.first = r.paths.size();
  r.paths.push_back(path);
  const QRectF box = path.controlPointRect();
  SetRows(&op, box.top(), box.bottom(), PenMargin(transform, pen.widthF()));
}

void RecordText(const QTransform& transform, double x, double y, const QString& text, const QFont& font,
                const QColor& colour) {
  Recording& r = gRecording;
  std::size_t index = 0;
  while (index < r.fonts.size() && !(r.fonts[index] == font && r.fonts[index].families() == font.families())) ++index;
  if (index == r.fonts.size()) r.fonts.push_back(font);
  Op& op = AddOp(OpKind::kText, transform);
  op.colour = colour;
  op.first = r.texts.size();
  r.texts.push_back({text, index, x, y});
  // The layout's lines from the top, with a line's room above and below for
  // glyphs that reach beyond them.
  const QFontMetricsF metrics(font);
  const double lines = 1.0 + static_cast<double>(text.count(QLatin1Char('\n')));
  SetRows(&op, y - metrics.height(), y + (lines + 1.0) * metrics.height(), 2.0);
}
