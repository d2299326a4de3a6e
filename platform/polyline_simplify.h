// Thinning of the polylines the canvas draws: points closer together than a
// spacing are left out, and runs of points that lie within a tolerance of one
// straight segment become that segment. Plain data, no Qt.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/canvas_path.h"

// The thinning of one polyline, in the units of its points (device pixels when
// drawing).
struct PolylineThinning {
  // A point closer than this to the last point kept is left out (the last
  // point of the polyline is always kept).
  double minSpacing = 0.0;
  // Largest distance of a left-out point from the segment that replaces it.
  double tolerance = 0.0;
};

// Appends the thinned polyline p[0] .. p[n-1] to *out, in two steps.
// 1. Spacing: a point closer than `minSpacing` to the last point kept is left
//    out. The last point is always kept; when it lies closer than the spacing
//    to the point kept before it, that point gives way to it, so that no
//    segment shorter than the spacing ends the polyline (when that point is
//    the first one, only the first point remains: nothing to draw).
// 2. Straight runs: a point kept by step 1 is left out when it and every point
//    left out since the last vertex lie within `tolerance` of the segment
//    from that vertex to the next point kept.
// The first and the last point keep their places. A closed figure is thinned
// as the polyline p[0] .. p[n-1], p[0]: the output ends on its first point.
enum class PolylineShape { kOpen, kClosed };
void AppendThinnedPolyline(const PathPoint* p, std::size_t n, PolylineShape shape, const PolylineThinning& thinning,
                           std::vector<PathPoint>* out);
