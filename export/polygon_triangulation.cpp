// Ear-clipping triangulation of the simple polygons that make up the end
// faces of the STL meshes (tooth sectors, rack teeth).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "export/outline_reduction.h"
#include "geometry/tolerances.h"

void TriangulatePolygon(const std::vector<int64_t>& indexList, const std::vector<double>& x,
                        const std::vector<double>& y, std::vector<int64_t>& triangles) {
  const size_t c = indexList.size();
  if (c < 3) return;

  // The corners as a ring of positions; idx[i] is the point of corner i.
  const std::vector<int64_t>& idx = indexList;
  std::vector<size_t> next(c);
  std::vector<size_t> prev(c);
  for (size_t i = 0; i < c; ++i) {
    next[i] = (i + 1) % c;
    prev[i] = (i + c - 1) % c;
  }
  auto px = [&](size_t corner) { return x[static_cast<size_t>(idx[corner])]; };
  auto py = [&](size_t corner) { return y[static_cast<size_t>(idx[corner])]; };
  auto cross = [&](size_t a, size_t b, size_t e) {
    return Cross2D(px(a), py(a), px(b), py(b), px(e), py(e));
  };
  auto cut = [&](size_t corner) {
    const size_t a = prev[corner];
    const size_t e = next[corner];
    triangles.push_back(idx[a]);
    triangles.push_back(idx[corner]);
    triangles.push_back(idx[e]);
    next[a] = e;
    prev[e] = a;
  };

  size_t remaining = c;
  size_t current = 0;
  size_t misses = 0;
  while (remaining > 3) {
    const size_t a = prev[current];
    const size_t b = current;
    const size_t e = next[current];

    // An ear: strictly convex, and no other corner inside the triangle or
    // on its border. A point that occurs twice in the ring (the polygon
    // touches itself there) does not count against its own ear.
    bool ear = cross(a, b, e) > kStlMinEarCross;
    for (size_t v = next[e]; ear && v != a; v = next[v]) {
      if (idx[v] == idx[a] || idx[v] == idx[b] || idx[v] == idx[e]) continue;
      if (cross(a, b, v) >= 0.0 && cross(b, e, v) >= 0.0 && cross(e, a, v) >= 0.0) ear = false;
    }

    if (ear) {
      cut(b);
      --remaining;
      current = e;
      misses = 0;
      continue;
    }
    current = next[current];
    ++misses;
    if (misses > remaining) {
      // A whole round without an ear (a clockwise or self-touching polygon):
      // cut the most convex corner anyway, so the loop always ends after
      // c - 3 cuts. Of equal values the first met from current wins.
      double best = -1e300;
      size_t bestCorner = current;
      size_t v = current;
      for (size_t k = 0; k < remaining; ++k, v = next[v]) {
        const double value = cross(prev[v], v, next[v]);
        if (value > best) {
          best = value;
          bestCorner = v;
        }
      }
      const size_t after = next[bestCorner];
      cut(bestCorner);
      --remaining;
      current = after;
      misses = 0;
    }
  }
  triangles.push_back(idx[prev[current]]);
  triangles.push_back(idx[current]);
  triangles.push_back(idx[next[current]]);
}
