// What the drawing bands share (platform/canvas_recording.h): the kept
// operations of a frame, kept by canvas_recording.cpp and drawn by
// canvas_replay.cpp. Inside platform/ only.
#pragma once

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QList>
#include <QPainterPath>
#include <QString>
#include <QTransform>

#include <cmath>
#include <cstddef>
#include <limits>
#include <vector>

#include "platform/canvas_hard_fill.h"

class QImage;

namespace canvas_recording {

// Rows per band at least.
constexpr int kMinBandRows = 48;

// A frame is drawn in bands when it has at least this many segments drawn
// by them (the antialiased segments are what the bands save time on).
constexpr std::size_t kLeastBandedSegments = 2000;

enum class OpKind { kFillOutput, kHardFill, kPathFill, kLines, kPathStroke, kText };

// A pen as plain values.
struct PlainPen {
  QColor colour;
  double width = 1.0;
  Qt::PenStyle style = Qt::SolidLine;
  Qt::PenCapStyle cap = Qt::FlatCap;
  Qt::PenJoinStyle join = Qt::MiterJoin;
  QList<qreal> dashes;
};

struct KeptText {
  QString text;
  std::size_t font = 0;  // index into Recording::fonts
  double x = 0.0;
  double y = 0.0;
};

struct Op {
  OpKind kind = OpKind::kFillOutput;
  QTransform transform;
  QColor colour;
  PlainPen pen;
  bool antialiased = true;
  // Drawn in one pass over the whole output, between the bands' work.
  bool onePass = false;
  // Device rows the operation may touch.
  double low = -std::numeric_limits<double>::infinity();
  double high = std::numeric_limits<double>::infinity();
  // kLines: Recording::lines[first, first + count); otherwise the index into
  // the list of the operation's kind.
  std::size_t first = 0;
  std::size_t count = 0;
};

struct Recording {
  bool active = false;
  // The frame before was not worth the bands: this one is drawn straight
  // away, its segments counted, to judge the next.
  bool nextInBands = true;
  bool counting = false;
  std::size_t countedSegments = 0;
  // The output, read only: its pixels are reached through `output`, whose
  // pointer is taken once on the GUI thread when the frame is kept. A
  // non-const member of a QImage (bits(), scanLine()) detaches it with a
  // counter that is not atomic, so no band worker may call one; through a
  // const image a call that would hand out writable pixels does not compile.
  const QImage* image = nullptr;
  FillTarget output;
  std::vector<Op> ops;
  std::vector<QLineF> lines;
  std::vector<HardFillPlan> plans;  // the first planCount are in use
  std::size_t planCount = 0;
  std::vector<QPainterPath> paths;
  std::vector<KeptText> texts;
  std::vector<QFont> fonts;  // the distinct fonts of the texts, kept from frame to frame
};

extern Recording gRecording;

// Rows a band's own buffer holds above and below the band: a segment
// reaching into the band is drawn whole in it, so that the rasteriser starts
// and ends it where one pass over the whole buffer would. An operation with a
// taller segment is drawn in one pass between the bands' work.
constexpr int kApronRows = 64;

// Rows of the device that a pen's stroke reaches beyond its line: half the
// width across it, half the width of a square cap along it, the antialiasing.
inline double PenMargin(const QTransform& t, double width) { return std::abs(width * t.m22()) * 1.5 + 2.0; }

}  // namespace canvas_recording
