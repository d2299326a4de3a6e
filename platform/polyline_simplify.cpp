// Thinning of the canvas's polylines: spacing, then straight runs (a greedy
// sleeve fit of the segments from each vertex).
#include "platform/polyline_simplify.h"

#include <cmath>

namespace {

// Points kept by the spacing step, reused from call to call.
std::vector<PathPoint> gSpaced;

double Cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// Step 1: the points at least `minSpacing` apart (see the header) of the
// polyline p[0] .. p[n-1], followed by p[0] again when it is closed.
void KeepSpacedPoints(const PathPoint* p, std::size_t n, PolylineShape shape, double minSpacing,
                      std::vector<PathPoint>* out) {
  const double minSpacing2 = minSpacing * minSpacing;
  const std::size_t total = shape == PolylineShape::kClosed ? n + 1 : n;
  out->push_back(p[0]);
  for (std::size_t i = 1; i < total; ++i) {
    const PathPoint& next = i < n ? p[i] : p[0];
    const PathPoint& last = out->back();
    const double dx = next.x - last.x;
    const double dy = next.y - last.y;
    if (dx * dx + dy * dy >= minSpacing2) {
      out->push_back(next);
    } else if (i + 1 == total && out->size() > 1) {
      out->back() = next;  // the last point takes the place of the one too close to it
    }
  }
}

}  // namespace

// Step 2 keeps, for the current vertex V, the wedge of directions from V along
// which a segment passes within `tolerance` of every point since V: a point Q
// at distance d > tolerance from V allows the directions within asin(t / d) of
// V->Q, whose edges are V->Q turned by that angle either way. A point near V
// (d <= tolerance) lies within the tolerance of any segment from V. The next
// point P may end the run when its direction lies inside the wedge and it lies
// at least as far from V as every point of the run: then each of them projects
// onto the segment V-P itself, within the tolerance of it. The wedge stays
// narrower than a half turn (each point's own wedge is narrower than one), so
// the signs of cross products order its edges; it never becomes empty, since a
// point enters the run only with its direction inside the wedge, and its own
// wedge holds that direction too.
void AppendThinnedPolyline(const PathPoint* p, std::size_t n, PolylineShape shape, const PolylineThinning& thinning,
                           std::vector<PathPoint>* out) {
  if (n == 0) return;
  gSpaced.clear();
  KeepSpacedPoints(p, n, shape, thinning.minSpacing, &gSpaced);
  const std::size_t m = gSpaced.size();
  const PathPoint* q = gSpaced.data();
  const double tol = thinning.tolerance;
  out->push_back(q[0]);
  if (m < 3 || !(tol > 0.0)) {
    out->insert(out->end(), q + 1, q + m);
    return;
  }

  PathPoint vertex = q[0];
  bool runEmpty = true;  // no point since the vertex yet: the next one always fits
  bool hasWedge = false;
  // The wedge's edges as vectors of any positive length: only the signs of
  // cross products with them are used.
  double loX = 0.0, loY = 0.0;  // clockwise edge
  double hiX = 0.0, hiY = 0.0;  // counter-clockwise edge
  double farthest2 = 0.0;       // largest squared distance of a point of the run from the vertex
  const double tol2 = tol * tol;
  for (std::size_t i = 1; i < m; ++i) {
    const double dx = q[i].x - vertex.x;
    const double dy = q[i].y - vertex.y;
    const double d2 = dx * dx + dy * dy;
    bool fits = runEmpty || d2 >= farthest2;
    if (fits && hasWedge) fits = Cross(loX, loY, dx, dy) >= 0.0 && Cross(dx, dy, hiX, hiY) >= 0.0;
    if (!fits) {
      // q[i - 1] becomes a vertex; the run starts afresh from it with q[i].
      vertex = q[i - 1];
      out->push_back(vertex);
      runEmpty = true;
      hasWedge = false;
      farthest2 = 0.0;
      --i;  // take q[i] again as the first point of the new run
      continue;
    }
    runEmpty = false;
    farthest2 = d2;
    if (d2 > tol2) {
      // Narrow the wedge by q[i]'s own. With sin h = t / d and cos h = k / d,
      // k = sqrt(d^2 - t^2), the edges (dx, dy) turned by -h and +h are
      // (dx k + dy t, dy k - dx t) / d^2 and (dx k - dy t, dy k + dx t) / d^2.
      const double k = std::sqrt(d2 - tol2);
      const double qLoX = dx * k + dy * tol;
      const double qLoY = dy * k - dx * tol;
      const double qHiX = dx * k - dy * tol;
      const double qHiY = dy * k + dx * tol;
      if (!hasWedge) {
        loX = qLoX, loY = qLoY, hiX = qHiX, hiY = qHiY;
        hasWedge = true;
      } else {
        if (Cross(loX, loY, qLoX, qLoY) > 0.0) loX = qLoX, loY = qLoY;
        if (Cross(qHiX, qHiY, hiX, hiY) > 0.0) hiX = qHiX, hiY = qHiY;
      }
    }
  }
  out->push_back(q[m - 1]);
}
