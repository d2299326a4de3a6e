// Helpers shared by the geometry tests: building a gear in one call and
// textbook formulas computed independently of the code under test.
#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "geometry/gear_geometry.h"
#include "geometry/gear_record.h"

namespace test_support {

inline constexpr double kPi = std::numbers::pi;

inline double Deg(double degrees) { return degrees * kPi / 180.0; }

inline double TextbookInvolute(double a) { return std::tan(a) - a; }

// Builds an external gear with the standard basic rack and no bore.
inline GearRecord MakeGear(double m, int64_t z, double x, double alphaDeg = 20.0,
                           double betaDeg = 0.0, double allowance = 0.0, int density = 1,
                           double tipShortening = 0.0) {
  GearRecord rec;
  InitGearRecord(rec, m, z, x, alphaDeg, 20.0, 0.0, tipShortening, betaDeg, 1);
  rec.thicknessAllowance = allowance;
  BuildGearGeometry(rec, density);
  return rec;
}

// The outline as one polygon: the first point of every curve after the first
// repeats the previous curve's last point and is skipped.
inline std::vector<OutlinePoint> JoinOutline(const Outline& outline) {
  std::vector<OutlinePoint> polygon;
  for (size_t c = 0; c < outline.size(); ++c) {
    const auto& pts = outline[c].points;
    for (size_t i = (c == 0 ? 0 : 1); i < pts.size(); ++i) polygon.push_back(pts[i]);
  }
  return polygon;
}

// Shoelace area; positive for a counter-clockwise polygon.
inline double SignedArea(const std::vector<OutlinePoint>& polygon) {
  double twice = 0.0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const OutlinePoint& a = polygon[i];
    const OutlinePoint& b = polygon[(i + 1) % polygon.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return 0.5 * twice;
}

// Distance from point p to the segment a-b.
inline double DistanceToSegment(OutlinePoint p, OutlinePoint a, OutlinePoint b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0.0 ? ((p.x - a.x) * dx + (p.y - a.y) * dy) / len2 : 0.0;
  t = std::fmax(0.0, std::fmin(1.0, t));
  return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

// Smallest distance from p to the closed polygon.
inline double DistanceToPolygon(OutlinePoint p, const std::vector<OutlinePoint>& polygon) {
  double best = INFINITY;
  for (size_t i = 0; i < polygon.size(); ++i) {
    best = std::fmin(best, DistanceToSegment(p, polygon[i], polygon[(i + 1) % polygon.size()]));
  }
  return best;
}

}  // namespace test_support
