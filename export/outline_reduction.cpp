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

namespace {

// Curvature of the circle through three points (Menger): 4 area / (a b c).
double CurvatureThrough(double ax, double ay, double bx, double by, double cx, double cy) {
  const double product = std::hypot(bx - ax, by - ay) * std::hypot(cx - bx, cy - by) * std::hypot(cx - ax, cy - ay);
  if (!(product > 0.0)) return 0.0;
  return 2.0 * std::fabs(Cross2D(ax, ay, bx, by, cx, cy)) / product;
}

// The RDP of SimplifyPolyline; each inner point k counts with its distance
// from the chord plus allowance[k - first] (none when allowance is null).
void ReduceStretch(const std::vector<double>& x, const std::vector<double>& y, int64_t first, int64_t last,
                   double tolerance, const double* allowance, std::vector<uint8_t>& keep) {
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
      double d = len > kStlMinChordLength ? std::fabs(px * dy - py * dx) / len : std::sqrt(px * px + py * py);
      if (allowance != nullptr) d += allowance[k - first];
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

}  // namespace

void SimplifyPolyline(const std::vector<double>& x, const std::vector<double>& y, int64_t first,
                      int64_t last, double tolerance, std::vector<uint8_t>& keep) {
  ReduceStretch(x, y, first, last, tolerance, nullptr, keep);
}

void SimplifySampledCurve(const std::vector<double>& x, const std::vector<double>& y, int64_t first,
                          int64_t last, double tolerance, std::vector<uint8_t>& keep) {
  const int64_t n = last - first + 1;
  if (n < 3) {
    ReduceStretch(x, y, first, last, tolerance, nullptr, keep);
    return;
  }
  auto X = [&](int64_t i) { return x[static_cast<size_t>(first + i)]; };
  auto Y = [&](int64_t i) { return y[static_cast<size_t>(first + i)]; };
  // Curvature at each sample from it and its two neighbours; at the ends the
  // one beside it.
  std::vector<double> curvature(static_cast<size_t>(n));
  for (int64_t i = 1; i + 1 < n; ++i) {
    curvature[static_cast<size_t>(i)] = CurvatureThrough(X(i - 1), Y(i - 1), X(i), Y(i), X(i + 1), Y(i + 1));
  }
  curvature[0] = curvature[1];
  curvature[static_cast<size_t>(n - 1)] = curvature[static_cast<size_t>(n - 2)];
  // The bulge of segment i -> i + 1, with the larger curvature of its ends,
  // and per point the larger bulge of its two segments.
  std::vector<double> allowance(static_cast<size_t>(n), 0.0);
  for (int64_t i = 0; i + 1 < n; ++i) {
    const double c2 = (X(i + 1) - X(i)) * (X(i + 1) - X(i)) + (Y(i + 1) - Y(i)) * (Y(i + 1) - Y(i));
    const double k = std::max(curvature[static_cast<size_t>(i)], curvature[static_cast<size_t>(i + 1)]);
    const double bulge = c2 * k / 8.0;
    allowance[static_cast<size_t>(i)] = std::max(allowance[static_cast<size_t>(i)], bulge);
    allowance[static_cast<size_t>(i + 1)] = bulge;
  }
  ReduceStretch(x, y, first, last, tolerance, allowance.data(), keep);
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
