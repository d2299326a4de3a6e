// Vector drawing on the current drawing output (DrawingStart .. DrawingStop of
// platform/gui.h, e.g. a canvas's back buffer): fills and strokes of the
// current path (platform/canvas_path.h), text, and a scaling transform.
// Coordinates are canvas logical pixels once DrawingScale has set the device
// scale. Every operation does nothing while no drawing is started. No Qt here.
#pragma once

#include <cstdint>
#include <string_view>

struct DrawColour {
  int r = 0;
  int g = 0;
  int b = 0;
  int a = 255;
};

// A stroke: width in pixels; dash and gap lengths in pixels, dash 0 for a solid
// line. A dotted line has dots as long as the width.
struct StrokeStyle {
  double width = 1.0;
  double dash = 0.0;
  double gap = 0.0;
};

inline StrokeStyle SolidStroke(double width) { return {width, 0.0, 0.0}; }
// Equal dash and gap.
inline StrokeStyle DashedStroke(double width, double dash) { return {width, dash, dash}; }
// Dots as long as the width, `distance` pixels from one dot start to the next.
inline StrokeStyle DottedStroke(double width, double distance) {
  return {width, width, distance - width};
}

// Thinning of the line figures of solid strokes and hard-edged fills (device
// pixels). A point closer than kStrokePointSpacing to the last one kept is left
// out: the line keeps within a fraction of a pixel of the outline, and a
// hard-edged fill's edge runs along the middle of the line that covers it.
// Runs of points within kStraightRunTolerance of one straight segment are
// drawn as that segment: a tenth of a device pixel moves an edge's
// antialiasing coverage by at most a tenth, the flanks of a small gear's
// teeth, dozens of points each, become a segment or two, and the rasteriser's
// work grows with the segments (each overlaps the next by its square caps).
inline constexpr double kStrokePointSpacing = 0.5;
inline constexpr double kStraightRunTolerance = 0.1;

// Whether a fill or stroke leaves the current path for the next one.
enum class PathKeep { kClear, kKeep };

// Scales all further coordinates (the device-pixel factor).
void DrawingScale(double sx, double sy);
// Fills the whole output with a colour (the transform does not matter).
void DrawingFillOutput(DrawColour colour);
// How the edge of a fill is rasterised: smooth (antialiased), or hard for a
// fill whose edge is stroked right afterwards with an opaque line at least one
// pixel wide, which covers the edge and is itself smooth. A hard fill is many
// times faster on large bodies.
enum class FillEdge { kSmooth, kHard };

// Fills the current path with the even-odd rule.
void DrawingFillPath(DrawColour colour, PathKeep keep, FillEdge edge = FillEdge::kSmooth);
// Strokes the current path.
void DrawingStrokePath(DrawColour colour, const StrokeStyle& stroke, PathKeep keep);
// Draws a UTF-8 text with the top-left corner of its layout box at (x, y), in
// the family of font `font` (a number from FontLoad) at `pixelSize` logical pixels.
void DrawingText(double x, double y, std::string_view text, int64_t font, double pixelSize,
                 DrawColour colour);
