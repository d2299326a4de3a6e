// A canvas frame drawn in bands of rows side by side: while a canvas is drawn
// on, the drawing operations (platform/canvas_drawing.h) are kept in order with
// everything they need, and when drawing stops every band replays them all on
// its own rows (platform/canvas_bands.h). Each band touches only its rows and
// draws them exactly as one pass over the whole buffer would. Inside
// platform/ only.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/canvas_hard_fill.h"

class QColor;
class QFont;
class QImage;
class QLineF;
class QPainter;
class QPainterPath;
class QPen;
class QString;
class QTransform;

// Starts keeping the operations for the painter's image when it can be drawn
// in bands (a 32-bit image at one device pixel per pixel, and more than one
// band) and the frame before was worth it; false when the operations are to
// be drawn straight away.
bool RecordingStart(QPainter& painter);
// Whether operations are being kept.
bool RecordingActive();
// Counts segments drawn straight away on the canvas (a frame after one not
// worth the bands is drawn straight away; its segments decide the next).
void RecordingCountSegments(std::size_t count);
// Draws the kept operations in bands and stops keeping them; `painter` (the
// one RecordingStart was given) draws what is drawn in one pass. Nothing when
// none are kept.
void RecordingFinish(QPainter& painter);
// Lets go of the bands' buffers and Qt objects and ends the band workers (at
// shutdown, while the Qt application still runs).
void ShutdownRecording();
// The bands the last kept frame was drawn in, 0 before the first.
int RecordingLastBandCount();

// The operations, each under the painter's transform of the moment (device
// pixels per canvas pixel).
void RecordFillOutput(const QColor& colour);
// A hard-edged fill: NextHardFillPlan gives the plan to prepare
// (PrepareHardFill), RecordHardFill keeps it.
HardFillPlan& NextHardFillPlan();
void RecordHardFill(const QTransform& transform, const QColor& colour);
void RecordPathFill(const QTransform& transform, const QPainterPath& path, const QColor& colour, bool antialiased);
void RecordLines(const QTransform& transform, const QPen& pen, const std::vector<QLineF>& lines);
void RecordPathStroke(const QTransform& transform, const QPainterPath& path, const QPen& pen);
// A text laid out from its top-left corner (x, y).
void RecordText(const QTransform& transform, double x, double y, const QString& text, const QFont& font,
                const QColor& colour);
