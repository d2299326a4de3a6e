// Ear-clipping triangulation of the simple polygons that make up the end
// faces of the STL meshes (tooth sectors, rack teeth).
#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "export/outline_reduction.h"
#include "geometry/tolerances.h"

namespace {

// The least height a triangle may have so that rounding its corners to
// float32 at coordinates up to extent cannot turn it over: each coordinate
// moves by at most half a unit in the last place u there, a corner by
// u / sqrt 2, and the side opposite it by as much where the height meets it;
// 3 u is more than twice that.
double LeastHeight(double extent) {
  const float f = static_cast<float>(std::min(extent, static_cast<double>(std::numeric_limits<float>::max())));
  if (!(f > 0.0f)) return 0.0;
  const double unit = static_cast<double>(std::nextafter(f, std::numeric_limits<float>::infinity())) -
                      static_cast<double>(f);
  return 3.0 * unit;
}

// Replaces the needles among the triangles from index first on (triangles
// far thinner than they are long, which float32 cannot hold: rounded, their
// corners fall into line or turn them over). A needle's longest side runs
// almost through its third corner; where another of these triangles shares
// that side, the two make a convex quadrilateral, and its other diagonal
// gives two triangles that are no needles. A needle whose longest side is an
// edge of the polygon stays.
void ReplaceNeedles(std::vector<int64_t>& triangles, size_t first, const std::vector<double>& x,
                    const std::vector<double>& y, double leastHeight) {
  auto X = [&](int64_t p) { return x[static_cast<size_t>(p)]; };
  auto Y = [&](int64_t p) { return y[static_cast<size_t>(p)]; };
  auto cross = [&](int64_t a, int64_t b, int64_t c) { return Cross2D(X(a), Y(a), X(b), Y(b), X(c), Y(c)); };
  auto squared = [&](int64_t a, int64_t b) {
    const double dx = X(b) - X(a), dy = Y(b) - Y(a);
    return dx * dx + dy * dy;
  };
  // A triangle (a, b, c), counter-clockwise, that is sound: not a needle.
  auto sound = [&](int64_t a, int64_t b, int64_t c) {
    const double twiceArea = cross(a, b, c);
    const double longest = std::max({squared(a, b), squared(b, c), squared(c, a)});
    return twiceArea > kStlMinEarCross && twiceArea * twiceArea > leastHeight * leastHeight * longest;
  };
  const size_t count = (triangles.size() - first) / 3;
  // Each flip turns a needle into two sound triangles and spoils none, so a
  // few rounds settle it; the bound only keeps the loop finite.
  for (size_t round = 0; round < 4; ++round) {
    bool flipped = false;
    for (size_t t = 0; t < count; ++t) {
      int64_t* T = &triangles[first + 3 * t];
      if (sound(T[0], T[1], T[2])) continue;
      // Rotate the corners so that the longest side runs T[0] -> T[1].
      for (int turn = 0; turn < 3; ++turn) {
        if (squared(T[0], T[1]) >= squared(T[1], T[2]) && squared(T[0], T[1]) >= squared(T[2], T[0])) break;
        std::rotate(T, T + 1, T + 3);
      }
      const int64_t p = T[0], q = T[1], r = T[2];
      for (size_t u = 0; u < count; ++u) {
        if (u == t) continue;
        int64_t* U = &triangles[first + 3 * u];
        int k = 0;
        while (k < 3 && !(U[k] == q && U[(k + 1) % 3] == p)) ++k;
        if (k == 3) continue;
        const int64_t s = U[(k + 2) % 3];
        // The quadrilateral p, s, q, r; its diagonal r - s instead of p - q.
        if (!sound(p, s, r) || !sound(s, q, r)) break;
        T[0] = p;
        T[1] = s;
        T[2] = r;
        U[0] = s;
        U[1] = q;
        U[2] = r;
        flipped = true;
        break;
      }
    }
    if (!flipped) break;
  }
}

}  // namespace

void TriangulatePolygon(const std::vector<int64_t>& indexList, const std::vector<double>& x,
                        const std::vector<double>& y, std::vector<int64_t>& triangles, double extent) {
  const size_t c = indexList.size();
  if (c < 3) return;
  const size_t first = triangles.size();

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

  for (size_t i = 0; i < c; ++i) extent = std::max({extent, std::fabs(px(i)), std::fabs(py(i))});
  ReplaceNeedles(triangles, first, x, y, LeastHeight(extent));
}
