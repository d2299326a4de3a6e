// The replay of a canvas frame's kept operations in bands. Each band
// draws in a buffer of its own that holds its rows and a margin of rows above
// and below, seen through an image at the output's own row numbers: every
// segment that reaches the band's rows is drawn whole there, under the
// output's own transform, so the rasteriser computes each pixel exactly as in
// one pass over the whole output; fills and texts are clipped to the band's
// rows. The band's rows then go back to the output. An operation with a
// segment taller than the margin, and a stroke of a whole circle (Qt's path
// stroker dashes by the device's size), is drawn in one pass between the
// bands' runs or after their last. Each band's Qt objects (image, painter,
// fonts, paths, pens) are its own and used on its thread only: Qt's painting
// classes may be used on any thread, but an object not from several at once.
#include "platform/canvas_recording.h"

#include <QImage>
#include <QPainter>
#include <QPen>
#include <QRect>
#include <QRectF>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

#include "platform/canvas_bands.h"
#include "platform/canvas_recording_ops.h"

namespace {

using namespace canvas_recording;

static_assert(std::is_const_v<std::remove_pointer_t<decltype(Recording::image)>>,
              "the bands must see the shared output image read only");

int gLastBandCount = 0;

// A frame is drawn in bands when it has at least kLeastBandedSegments
// segments drawn by them and at most this many ops drawn in one pass between
// their runs.
constexpr long kMostOnePassOps = 2;

// What a band keeps from frame to frame.
struct BandSlot {
  // Rows [first, first + count) of the output in a buffer of the band's own,
  // seen through `rows` at their own row numbers: the image's rows above
  // `first` are never drawn on (nothing the band draws reaches them).
  std::vector<std::uint32_t> pixels;
  int first = 0;
  int count = 0;
  QImage rows;
  std::vector<QFont> fonts;  // its own copies of gRecording.fonts
  std::vector<QLineF> lines;  // the segments of the ops in hand that reach the band
  std::vector<std::size_t> lineEnds;  // per op in hand: where its segments end in `lines`
  HardFillScratch fill;
};
std::array<BandSlot, kMaxRowBands> gSlots;

QPen PenOf(const PlainPen& plain) {
  QPen pen(plain.colour, plain.width, plain.style, plain.cap, plain.join);
  if (plain.style == Qt::CustomDashLine) pen.setDashPattern(QList<qreal>(plain.dashes.begin(), plain.dashes.end()));
  return pen;
}

// A copy of the path with data of its own.
QPainterPath CopyPath(const QPainterPath& path) {
  QPainterPath copy;
  copy.setFillRule(path.fillRule());
  const int n = path.elementCount();
  for (int i = 0; i < n; ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    if (e.isMoveTo()) {
      copy.moveTo(e.x, e.y);
    } else if (e.isLineTo()) {
      copy.lineTo(e.x, e.y);
    } else if (e.isCurveTo() && i + 2 < n) {
      const QPainterPath::Element c2 = path.elementAt(i + 1);
      const QPainterPath::Element end = path.elementAt(i + 2);
      copy.cubicTo(e.x, e.y, c2.x, c2.y, end.x, end.y);
      i += 2;
    }
  }
  return copy;
}

// Draws one operation on `painter`, for rows [top, bottom) of the output
// (`target` is the output's pixels as the painter sees them): the segments
// given, the other operations clipped to those rows when clipRows is set.
void DrawOp(QPainter& painter, const Op& op, const FillTarget& target, int top, int bottom, const QLineF* lines,
            std::size_t lineCount, const std::vector<QFont>& fonts, HardFillScratch* fill, bool clipRows) {
  const Recording& r = gRecording;
  const QRect rows(0, top, target.width, bottom - top);
  const bool clipped = clipRows && op.kind != OpKind::kLines && op.kind != OpKind::kHardFill;
  if (clipped) {
    painter.resetTransform();
    painter.setClipRect(rows);
  }
  painter.setTransform(op.transform);
  painter.setRenderHint(QPainter::Antialiasing, op.antialiased);
  switch (op.kind) {
    case OpKind::kFillOutput:
      painter.resetTransform();
      painter.setCompositionMode(QPainter::CompositionMode_Source);
      painter.fillRect(rows, op.colour);
      painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      break;
    case OpKind::kHardFill:
      FillHardRows(target, r.plans[op.first], top, bottom, op.colour.rgba(), fill);
      break;
    case OpKind::kPathFill:
      painter.fillPath(CopyPath(r.paths[op.first]), QBrush(op.colour));
      break;
    case OpKind::kLines:
      if (lineCount == 0) break;
      painter.setPen(PenOf(op.pen));
      painter.drawLines(lines, static_cast<int>(lineCount));
      break;
    case OpKind::kPathStroke:
      painter.strokePath(CopyPath(r.paths[op.first]), PenOf(op.pen));
      break;
    case OpKind::kText: {
      const KeptText& text = r.texts[op.first];
      painter.setFont(fonts[text.font]);
      painter.setPen(op.colour);
      painter.drawText(QRectF(text.x, text.y, 100000.0, 100000.0), Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip,
                       text.text);
      break;
    }
  }
  if (clipped) painter.setClipping(false);
}

// The image's pixels from row firstRow on.
FillTarget TargetOf(const QImage& image, std::uint32_t* pixels, int firstRow) {
  FillTarget target;
  target.pixels = pixels;
  target.width = image.width();
  target.height = image.height();
  target.stride = image.bytesPerLine() / 4;
  target.firstRow = firstRow;
  return target;
}

// The ops [begin, end) in hand, drawn by every band, and the output's rows
// each band takes from the output first and gives back at the end (the rows
// that ops drawn in one pass read or have drawn; every row at the start and
// the end of the frame).
std::size_t gSegmentBegin = 0;
std::size_t gSegmentEnd = 0;
double gTakeLow = 0.0;
double gTakeHigh = 0.0;
double gGiveLow = 0.0;
double gGiveHigh = 0.0;

// Rows [low, high) of the band's rows [top, bottom), as a range of rows.
std::pair<int, int> RowsWithin(int top, int bottom, double low, double high) {
  const int a = std::max(top, static_cast<int>(std::max(low, -1.0)));
  const int b = std::min(bottom, static_cast<int>(std::min(std::ceil(high) + 1.0, 1.0e9)));
  return {a, std::max(a, b)};
}

// Copies rows [a, b) between the output and a band's buffer.
void CopyRows(const FillTarget& to, const FillTarget& from, std::pair<int, int> rows) {
  if (rows.first >= rows.second) return;
  std::memcpy(to.pixels + (rows.first - to.firstRow) * to.stride, from.pixels + (rows.first - from.firstRow) * from.stride,
              static_cast<std::size_t>(rows.second - rows.first) * static_cast<std::size_t>(to.stride) * 4);
}

void ReplayBand(int band, int top, int bottom) {
  Recording& r = gRecording;
  BandSlot& slot = gSlots[static_cast<std::size_t>(band)];
  const QImage& image = *r.image;
  const std::ptrdiff_t stride = image.bytesPerLine() / 4;
  const int first = std::max(0, top - kApronRows);
  const int last = std::min(image.height(), bottom + kApronRows);
  const std::size_t needed = static_cast<std::size_t>(last - first) * static_cast<std::size_t>(stride);
  if (slot.pixels.size() < needed) slot.pixels.resize(needed);
  // The image over the band's buffer has the output's rows [0, last) with row
  // y at pixels + (y - first) * stride: the painter reaches only the rows it
  // draws on, and nothing the band draws reaches the rows above `first`.
  uchar* const base = reinterpret_cast<uchar*>(reinterpret_cast<std::uintptr_t>(slot.pixels.data()) -
                                               static_cast<std::uintptr_t>(first) * image.bytesPerLine());
  if (slot.rows.constBits() != base || slot.first != first || slot.count != last - first ||
      slot.rows.width() != image.width() || slot.rows.bytesPerLine() != image.bytesPerLine() ||
      slot.rows.format() != image.format()) {
    slot.rows = QImage(base, image.width(), last, image.bytesPerLine(), image.format());
    slot.first = first;
    slot.count = last - first;
  }
  const FillTarget& output = r.output;
  const FillTarget own = TargetOf(slot.rows, slot.pixels.data(), first);
  CopyRows(own, output, RowsWithin(top, bottom, gTakeLow, gTakeHigh));

  // The segments of each op that reach the band's rows.
  slot.lines.clear();
  slot.lineEnds.clear();
  for (std::size_t i = gSegmentBegin; i < gSegmentEnd; ++i) {
    const Op& op = r.ops[i];
    if (op.kind == OpKind::kLines && !(op.high < top || op.low > bottom)) {
      const QTransform& t = op.transform;
      const double margin = PenMargin(t, op.pen.width);
      for (std::size_t k = op.first; k < op.first + op.count; ++k) {
        const QLineF& line = r.lines[k];
        const double y1 = t.m22() * line.y1() + t.dy();
        const double y2 = t.m22() * line.y2() + t.dy();
        if (std::max(y1, y2) + margin >= top && std::min(y1, y2) - margin <= bottom) slot.lines.push_back(line);
      }
    }
    slot.lineEnds.push_back(slot.lines.size());
  }

  QPainter painter(&slot.rows);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  std::size_t lineBegin = 0;
  for (std::size_t i = gSegmentBegin; i < gSegmentEnd; ++i) {
    const Op& op = r.ops[i];
    const std::size_t lineEnd = slot.lineEnds[i - gSegmentBegin];
    if (!(op.high < top || op.low > bottom)) {
      DrawOp(painter, op, own, top, bottom, slot.lines.data() + lineBegin, lineEnd - lineBegin, slot.fonts,
             &slot.fill, /*clipRows=*/true);
    }
    lineBegin = lineEnd;
  }
  painter.end();
  CopyRows(output, own, RowsWithin(top, bottom, gGiveLow, gGiveHigh));
}

// Draws one op in one pass over the whole output (a body's fill, which is
// ours, in row bands all the same).
void DrawOpInOnePass(QPainter& painter, const Op& op) {
  Recording& r = gRecording;
  static HardFillScratch scratch;
  const FillTarget& output = r.output;
  if (op.kind == OpKind::kHardFill) {
    FillHardInBands(output, r.plans[op.first], op.colour.rgba());
    return;
  }
  DrawOp(painter, op, output, 0, r.image->height(), r.lines.data() + op.first, op.count, r.fonts, &scratch,
         /*clipRows=*/false);
}

// Whether an op is much work for one pass: the background, a body, a large
// smooth fill, or many segments (not an overlay's dots and labels).
bool IsMuchWork(const Op& op) {
  constexpr std::size_t kManySegments = 256;
  constexpr double kManyRows = 2.0 * kApronRows;
  return op.kind == OpKind::kFillOutput || op.kind == OpKind::kHardFill ||
         (op.kind == OpKind::kPathFill && !(op.high - op.low <= kManyRows)) ||
         (op.kind == OpKind::kLines && op.count > kManySegments);
}

// Where the ops begin that are drawn in one pass after the bands' last run:
// from the first op drawn in one pass that only little work follows (an
// overlay's long lines, its labels and the status text), so that a run of the
// bands is not started for them.
std::size_t OnePassTail() {
  const Recording& r = gRecording;
  std::size_t lastMuchWork = 0;
  for (std::size_t i = 0; i < r.ops.size(); ++i) {
    if (IsMuchWork(r.ops[i])) lastMuchWork = i;
  }
  for (std::size_t i = lastMuchWork + 1; i < r.ops.size(); ++i) {
    if (r.ops[i].onePass) return i;
  }
  return r.ops.size();
}

// Whether the bands save more than they cost: each op drawn in one pass
// between their runs costs them two copies of the rows it reaches, and a
// frame of few segments (a view far into the teeth, whose outlines are a few
// long straight segments) saves little.
bool BandsPay() {
  const Recording& r = gRecording;
  const std::size_t tail = OnePassTail();
  long onePass = 0;
  std::size_t segments = 0;
  for (std::size_t i = 0; i < tail; ++i) {
    const Op& op = r.ops[i];
    if (op.onePass) {
      ++onePass;
    } else if (op.kind == OpKind::kLines) {
      segments += op.count;
    }
  }
  return segments >= kLeastBandedSegments && onePass <= kMostOnePassOps;
}

// Draws the kept ops in runs drawn by the bands, an op with a segment too
// tall for a band's buffer in one pass between them, and the tail in one
// pass; the number of bands.
int DrawInBands(QPainter& painter) {
  Recording& r = gRecording;
  // Every band has its own copy of each font.
  for (BandSlot& slot : gSlots) {
    while (slot.fonts.size() < r.fonts.size()) {
      QFont copy(r.fonts[slot.fonts.size()]);
      // A change and back gives the copy data of its own.
      const int pixels = copy.pixelSize();
      if (pixels > 0) {
        copy.setPixelSize(pixels + 1);
        copy.setPixelSize(pixels);
      }
      slot.fonts.push_back(copy);
    }
  }
  constexpr double kAll = std::numeric_limits<double>::infinity();
  // A frame that begins by filling the whole output needs none of its rows.
  gTakeLow = kAll;
  gTakeHigh = -kAll;
  if (r.ops.front().kind != OpKind::kFillOutput) {
    gTakeLow = -kAll;
    gTakeHigh = kAll;
  }
  int bands = 0;
  std::size_t i = 0;
  const std::size_t tail = OnePassTail();
  while (i < tail) {
    std::size_t end = i;
    while (end < tail && !r.ops[end].onePass) ++end;
    if (end > i) {
      gSegmentBegin = i;
      gSegmentEnd = end;
      // The rows of the ops drawn in one pass next, every row at the end.
      gGiveLow = end < tail ? kAll : -kAll;
      gGiveHigh = end < tail ? -kAll : kAll;
      for (std::size_t k = end; k < tail && r.ops[k].onePass; ++k) {
        gGiveLow = std::min(gGiveLow, r.ops[k].low);
        gGiveHigh = std::max(gGiveHigh, r.ops[k].high);
      }
      bands = std::max(bands, RunInRowBands(r.image->height(), kMinBandRows, ReplayBand));
      gTakeLow = kAll;
      gTakeHigh = -kAll;
    }
    if (end < tail) {
      const Op& op = r.ops[end];
      DrawOpInOnePass(painter, op);
      gTakeLow = std::min(gTakeLow, op.low);
      gTakeHigh = std::max(gTakeHigh, op.high);
      ++end;
    }
    i = end;
  }
  for (; i < r.ops.size(); ++i) DrawOpInOnePass(painter, r.ops[i]);
  return bands;
}

}  // namespace

int RecordingLastBandCount() { return gLastBandCount; }

void ShutdownRecording() {
  Recording& r = gRecording;
  r = Recording{};
  for (BandSlot& slot : gSlots) slot = BandSlot{};
  StopRowBandWorkers();
}

void RecordingFinish(QPainter& painter) {
  Recording& r = gRecording;
  if (r.counting) {
    // A frame drawn straight away: the next one is kept if this one had
    // segments enough.
    r.counting = false;
    r.nextInBands = r.countedSegments >= kLeastBandedSegments;
    gLastBandCount = 1;
  }
  if (!r.active) return;
  r.active = false;
  if (!r.ops.empty()) {
    // The frames of an animation or a zoom are much alike: one not worth the
    // bands has the next drawn straight away.
    r.nextInBands = BandsPay();
    if (r.nextInBands) {
      gLastBandCount = DrawInBands(painter);
    } else {
      for (const Op& op : r.ops) DrawOpInOnePass(painter, op);
      gLastBandCount = 1;
    }
  }
  r.ops.clear();
  r.paths.clear();
  r.texts.clear();
  r.image = nullptr;
  r.output = FillTarget{};
}
