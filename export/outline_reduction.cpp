// Flattening a gear outline into coordinate arrays and reducing it within a
// chord tolerance (Ramer-Douglas-Peucker).
#include "export/outline_reduction.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

#include "geometry/tolerances.h"

double StlApproximatePolarAngle(double x, double y) {
  const double ax = std::fabs(x);
  const double ay = std::fabs(y);
  const double big = std::max(ax, ay);
  if (!(big > 0.0) || !std::isfinite(big)) return NAN;
  // atan t on 0 <= t <= 1 within 1e-5 (Abramowitz and Stegun 4.4.47), then
  // the octant by symmetry.
  const double t = std::min(ax, ay) / big;
  const double t2 = t * t;
  double a = t * (0.9998660 + t2 * (-0.3302995 + t2 * (0.1801410 + t2 * (-0.0851330 + t2 * 0.0208351))));
  if (ay > ax) a = std::numbers::pi / 2.0 - a;
  if (x < 0.0) a = std::numbers::pi - a;
  return y < 0.0 ? -a : a;
}

void FlattenOutlineToArrays(const GearRecord& rec, std::vector<double>& x, std::vector<double>& y,
                            std::vector<uint8_t>& breaks) {
  size_t total = 0;
  for (const OutlineCurve& curve : rec.outline) total += curve.points.size();
  x.clear();
  y.clear();
  breaks.clear();
  x.reserve(total + 1);
  y.reserve(total + 1);
  breaks.reserve(total + 1);

  bool first = true;
  for (const OutlineCurve& curve : rec.outline) {
    for (size_t i = 0; i < curve.points.size(); ++i) {
      const OutlinePoint& p = curve.points[i];
      if (first) {
        // The very first point of the outline starts a piece.
        x.push_back(p.x);
        y.push_back(p.y);
        breaks.push_back(1);
        first = false;
        continue;
      }
      if (i == 0) {
        // The first point of a later curve repeats the last point stored:
        // mark that point as a junction instead of storing it twice.
        breaks.back() = 1;
        continue;
      }
      x.push_back(p.x);
      y.push_back(p.y);
      breaks.push_back(0);
    }
  }

  // The chain closes on its first point; keep that point once.
  const size_t n = x.size();
  if (n >= 2 && std::fabs(x[n - 1] - x[0]) < kStlClosingPointTolerance &&
      std::fabs(y[n - 1] - y[0]) < kStlClosingPointTolerance) {
    x.pop_back();
    y.pop_back();
    breaks.pop_back();
  }
}

double OutlineCurveSampleBulge(const OutlineCurve& curve) {
  double worst = 0.0;
  {
    const std::vector<OutlinePoint>& p = curve.points;
    const size_t n = p.size();
    if (n < 3) return 0.0;
    // Curvature at each inner sample from the circle through it and its two
    // neighbours (Menger: 2 |cross| / (a b c)); the end samples take their
    // neighbour's. A segment bulges by c^2 k / 8 with the larger curvature
    // of its two ends.
    std::vector<double> curvature(n, 0.0);
    for (size_t i = 1; i + 1 < n; ++i) {
      const double sides = std::hypot(p[i].x - p[i - 1].x, p[i].y - p[i - 1].y) *
                           std::hypot(p[i + 1].x - p[i].x, p[i + 1].y - p[i].y) *
                           std::hypot(p[i + 1].x - p[i - 1].x, p[i + 1].y - p[i - 1].y);
      const double cross = Cross2D(p[i - 1].x, p[i - 1].y, p[i].x, p[i].y, p[i + 1].x, p[i + 1].y);
      if (sides > 0.0) curvature[i] = 2.0 * std::fabs(cross) / sides;
    }
    curvature[0] = curvature[1];
    curvature[n - 1] = curvature[n - 2];
    for (size_t i = 0; i + 1 < n; ++i) {
      const double dx = p[i + 1].x - p[i].x, dy = p[i + 1].y - p[i].y;
      const double bulge = (dx * dx + dy * dy) * std::max(curvature[i], curvature[i + 1]) / 8.0;
      if (bulge > worst) worst = bulge;  // false for NaN
    }
  }
  return worst;
}

void SimplifyPolyline(const std::vector<double>& x, const std::vector<double>& y, int64_t first,
                      int64_t last, double tolerance, std::vector<uint8_t>& keep) {
  keep[static_cast<size_t>(first)] = 1;
  keep[static_cast<size_t>(last)] = 1;
  // An explicit stack: a fine outline of tens of thousands of points could
  // split deep enough to exhaust the call stack if this recursed.
  std::vector<std::pair<int64_t, int64_t>> stack;
  stack.emplace_back(first, last);
  while (!stack.empty()) {
    const auto [i, j] = stack.back();
    stack.pop_back();
    if (j - i < 2) continue;

    const double xi = x[static_cast<size_t>(i)];
    const double yi = y[static_cast<size_t>(i)];
    const double dx = x[static_cast<size_t>(j)] - xi;
    const double dy = y[static_cast<size_t>(j)] - yi;
    const double len = std::sqrt(dx * dx + dy * dy);
    // Of equal distances the lowest index wins (strictly greater only).
    double best = -1.0;
    int64_t far = -1;
    for (int64_t k = i + 1; k < j; ++k) {
      const double px = x[static_cast<size_t>(k)] - xi;
      const double py = y[static_cast<size_t>(k)] - yi;
      // Perpendicular distance to the chord; with no chord (the stretch ends
      // where it began) the distance from its first point.
      const double d = len > kStlMinChordLength ? std::fabs(px * dy - py * dx) / len
                                                : std::sqrt(px * px + py * py);
      if (d > best) {
        best = d;
        far = k;
      }
    }
    if (best > tolerance) {
      keep[static_cast<size_t>(far)] = 1;
      stack.emplace_back(i, far);
      stack.emplace_back(far, j);
    }
  }
}

int64_t SimplifyClosedOutline(const std::vector<double>& x, const std::vector<double>& y,
                              std::vector<uint8_t>& breaks, double tolerance, std::vector<double>& newX,
                              std::vector<double>& newY, std::vector<int64_t>& map) {
  const size_t n = x.size();
  newX.clear();
  newY.clear();
  map.assign(n, -1);
  if (n == 0) return 0;
  breaks[0] = 1;

  // Each piece between two marked points is reduced on its own, so the
  // corners between the curves of the outline survive exactly. The last
  // piece ends on point 0 again: it alone is copied, closed by point 0, so
  // that the whole outline is not copied to close the ring.
  std::vector<uint8_t> keep(n, 0);
  size_t prev = 0;
  for (size_t k = 1; k < n; ++k) {
    if (breaks[k] != 0) {
      SimplifyPolyline(x, y, static_cast<int64_t>(prev), static_cast<int64_t>(k), tolerance, keep);
      prev = k;
    }
  }
  std::vector<double> lastX(x.begin() + static_cast<std::ptrdiff_t>(prev), x.end());
  std::vector<double> lastY(y.begin() + static_cast<std::ptrdiff_t>(prev), y.end());
  lastX.push_back(x[0]);
  lastY.push_back(y[0]);
  std::vector<uint8_t> lastKeep(lastX.size(), 0);
  SimplifyPolyline(lastX, lastY, 0, static_cast<int64_t>(lastX.size()) - 1, tolerance, lastKeep);
  for (size_t i = 0; i + 1 < lastKeep.size(); ++i) keep[prev + i] |= lastKeep[i];

  int64_t m = 0;
  for (size_t k = 0; k < n; ++k) m += keep[k] != 0 ? 1 : 0;
  newX.reserve(static_cast<size_t>(m));
  newY.reserve(static_cast<size_t>(m));
  for (size_t k = 0; k < n; ++k) {
    if (keep[k] == 0) continue;
    map[k] = static_cast<int64_t>(newX.size());
    newX.push_back(x[k]);
    newY.push_back(y[k]);
  }
  return m;
}
