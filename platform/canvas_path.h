// The current path of the canvas drawing output, kept free of Qt: figures of
// straight lines and whole circles in canvas logical pixels (x right, y down).
//
// The adding operations append to the path; a fill or a stroke of the drawing
// output (platform/canvas_drawing.h) paints it and clears it unless told to keep
// it. Keeping the path as plain data lets the clipping that fills it be tested
// without a running application.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct PathPoint {
  double x = 0.0;
  double y = 0.0;
};

enum class PathFigureKind { kLines, kCircle };

// One figure: for kLines the points [first, first + count) joined by lines; for
// kCircle points[first] is the centre and points[first + 1].x the radius.
struct PathFigure {
  PathFigureKind kind = PathFigureKind::kLines;
  std::size_t first = 0;
  std::size_t count = 0;
  bool closed = false;
};

struct CanvasPath {
  std::vector<PathPoint> points;
  std::vector<PathFigure> figures;
  // Counts the changes, so that the drawing output can keep work derived from
  // the path (its thinned outline) from a fill to the stroke that follows.
  std::uint64_t revision = 0;
};

// Starts a new open figure at (x, y).
void PathStartFigure(double x, double y);
// Adds a line from the last point of the open figure to (x, y); with no open
// figure it starts one at (x, y).
void PathAddLine(double x, double y);
// Adds a closed figure of n points joined by lines in one step, as
// PathStartFigure, PathAddLine for the others and PathCloseFigure would.
// Nothing for n == 0.
void PathAddClosedFigure(const PathPoint* points, std::size_t n);
// Closes the open figure (a line back to its first point); nothing when none is open.
void PathCloseFigure();
// Adds a whole circle as a figure of its own.
void PathAddCircle(double cx, double cy, double r);
// Removes every figure.
void PathClear();
// The path as it stands, read by the drawing output and by tests.
const CanvasPath& PathGetCurrent();
