// The current path of the canvas drawing output (plain data, no Qt).
#include "platform/canvas_path.h"

namespace {

CanvasPath gPath;
bool gFigureOpen = false;  // the last figure takes further lines

}  // namespace

void PathStartFigure(double x, double y) {
  PathFigure figure;
  figure.kind = PathFigureKind::kLines;
  figure.first = gPath.points.size();
  figure.count = 1;
  gPath.points.push_back({x, y});
  gPath.figures.push_back(figure);
  ++gPath.revision;
  gFigureOpen = true;
}

void PathAddLine(double x, double y) {
  if (!gFigureOpen) {
    PathStartFigure(x, y);
    return;
  }
  gPath.points.push_back({x, y});
  ++gPath.figures.back().count;
  ++gPath.revision;
}

void PathAddClosedFigure(const PathPoint* points, std::size_t n) {
  if (n == 0) return;
  PathFigure figure;
  figure.kind = PathFigureKind::kLines;
  figure.first = gPath.points.size();
  figure.count = n;
  figure.closed = true;
  gPath.points.insert(gPath.points.end(), points, points + n);
  gPath.figures.push_back(figure);
  ++gPath.revision;
  gFigureOpen = false;
}

void PathCloseFigure() {
  if (!gFigureOpen) return;
  gPath.figures.back().closed = true;
  ++gPath.revision;
  gFigureOpen = false;
}

void PathAddCircle(double cx, double cy, double r) {
  PathFigure figure;
  figure.kind = PathFigureKind::kCircle;
  figure.first = gPath.points.size();
  figure.count = 2;
  figure.closed = true;
  gPath.points.push_back({cx, cy});
  gPath.points.push_back({r, 0.0});
  gPath.figures.push_back(figure);
  ++gPath.revision;
  gFigureOpen = false;
}

void PathClear() {
  gPath.points.clear();
  gPath.figures.clear();
  ++gPath.revision;
  gFigureOpen = false;
}

const CanvasPath& PathGetCurrent() { return gPath; }
