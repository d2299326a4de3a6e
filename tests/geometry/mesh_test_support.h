// Plane-geometry helpers for the mesh tests: outlines joined into polygons,
// placed in a mesh frame, and measured against each other.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "geometry/outline.h"

namespace meshtest {

struct Point {
  double x = 0.0;
  double y = 0.0;
};
using Polygon = std::vector<Point>;

// The outline as one closed polygon (the last vertex connects to the first):
// the first point of every curve after the first repeats the previous
// curve's last point and is skipped; so is the closing repeat of the start.
inline Polygon JoinOutline(const Outline& outline) {
  Polygon poly;
  for (size_t c = 0; c < outline.size(); ++c) {
    const auto& pts = outline[c].points;
    for (size_t i = (c == 0 ? 0 : 1); i < pts.size(); ++i) poly.push_back({pts[i].x, pts[i].y});
  }
  if (poly.size() > 1 && std::hypot(poly.front().x - poly.back().x,
                                    poly.front().y - poly.back().y) < 1e-9) {
    poly.pop_back();
  }
  return poly;
}

// Turned by angle about the origin, then moved by (dx, dy).
inline Polygon PlacePolygon(const Polygon& poly, double angle, double dx, double dy) {
  const double c = std::cos(angle), s = std::sin(angle);
  Polygon out;
  out.reserve(poly.size());
  for (const Point& p : poly) out.push_back({p.x * c - p.y * s + dx, p.x * s + p.y * c + dy});
  return out;
}

// Shoelace area: positive for a counter-clockwise polygon.
inline double SignedArea(const Polygon& poly) {
  double sum = 0.0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const Point& a = poly[i];
    const Point& b = poly[(i + 1) % poly.size()];
    sum += a.x * b.y - b.x * a.y;
  }
  return sum / 2.0;
}

inline double DistanceToSegment(Point p, Point a, Point b) {
  const double vx = b.x - a.x, vy = b.y - a.y;
  const double len2 = vx * vx + vy * vy;
  double t = len2 > 0.0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0.0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(p.x - (a.x + t * vx), p.y - (a.y + t * vy));
}

// Shortest distance from p to the boundary of the closed polygon.
inline double DistanceToBoundary(Point p, const Polygon& poly) {
  double best = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < poly.size(); ++i) {
    best = std::min(best, DistanceToSegment(p, poly[i], poly[(i + 1) % poly.size()]));
  }
  return best;
}

// Even-odd rule.
inline bool IsInside(Point p, const Polygon& poly) {
  bool inside = false;
  for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
    const Point& a = poly[i];
    const Point& b = poly[j];
    if ((a.y > p.y) != (b.y > p.y)) {
      const double xCross = a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y);
      if (p.x < xCross) inside = !inside;
    }
  }
  return inside;
}

// Deepest vertex of either polygon inside the other, measured to the other's
// boundary; 0 when no vertex of one lies inside the other.
inline double MaxPenetration(const Polygon& a, const Polygon& b) {
  double worst = 0.0;
  for (const Point& p : a) {
    if (IsInside(p, b)) worst = std::max(worst, DistanceToBoundary(p, b));
  }
  for (const Point& p : b) {
    if (IsInside(p, a)) worst = std::max(worst, DistanceToBoundary(p, a));
  }
  return worst;
}

// Closed-form involute function and its inverse by bisection (independent of
// the library's Newton iteration).
inline double Inv(double a) { return std::tan(a) - a; }
inline double InvInverse(double v) {
  double lo = 0.0, hi = 1.5;
  for (int i = 0; i < 200; ++i) {
    const double mid = (lo + hi) / 2.0;
    if (Inv(mid) < v) lo = mid; else hi = mid;
  }
  return (lo + hi) / 2.0;
}

inline double Deg(double rad) { return rad * 180.0 / 3.14159265358979323846; }
inline double Rad(double deg) { return deg * 3.14159265358979323846 / 180.0; }

}  // namespace meshtest
