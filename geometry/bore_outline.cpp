// Bore contour of a gear, plain or with a keyway, as one closed polygon.
#include "geometry/bore_outline.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"

namespace {

// A keyway whose sizes are all finite; GearHasKeyway already rejects NaN.
bool HasDrawableKeyway(const GearRecord& rec) {
  return GearHasKeyway(rec) == 1 && std::isfinite(rec.keyWidth) &&
         std::isfinite(rec.hubKeywayDepth);
}

// ceil(angle / step), limited so that a huge bore cannot ask for millions of points.
int StepCount(double angle, double step) {
  // A step that vanished (a tolerance far below the bore radius) gives the limit.
  if (!(step > 0.0)) return kMaxBorePoints;
  const double count = std::ceil(angle / step);
  return count < kMaxBorePoints ? static_cast<int>(count) : kMaxBorePoints;
}

}  // namespace

void BuildBoreOutline(const GearRecord& rec, std::vector<OutlinePoint>& list, double tolerance) {
  const double pi = std::numbers::pi;
  list.clear();
  const double radius = rec.boreDiameter / 2.0;
  if (!(radius > 0.0) || !std::isfinite(radius)) return;

  // Angle step for a chord deviation of `tolerance`: 2 acos(1 - tol / R).
  // A tolerance of zero, below zero or NaN would give a zero step and no end;
  // it is raised to the finest one used.
  double tol = tolerance;
  if (!(tol >= kMinChordTolerance)) tol = kMinChordTolerance;
  double step = tol < radius ? 2.0 * std::acos(1.0 - tol / radius) : pi / 2.0;
  step = std::min(step, kMaxBoreAngleStep);

  if (!HasDrawableKeyway(rec)) {
    const int count = std::max(8, StepCount(2.0 * pi, step));
    list.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      const double a = 2.0 * pi * i / count;
      list.push_back({radius * std::cos(a), radius * std::sin(a)});
    }
    return;
  }

  // Keyway on the positive x axis between y = -w and y = +w, its bottom the
  // line x = R + t2. The arc runs counter-clockwise from the upper keyway side
  // round to the lower one.
  const double w = rec.keyWidth / 2.0;
  const double sideAngle = std::asin(w / radius);
  const double c = std::sqrt(radius * radius - w * w);
  const double arc = 2.0 * pi - 2.0 * sideAngle;
  const int count = std::max(4, StepCount(arc, step));
  list.reserve(static_cast<size_t>(count) + 3);
  for (int i = 0; i <= count; ++i) {
    const double a = sideAngle + arc * i / count;
    list.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  list.back() = {c, -w};
  list.front() = {c, w};
  const double bottom = radius + rec.hubKeywayDepth;
  list.push_back({bottom, -w});
  list.push_back({bottom, w});
}

double ComputeBoreOuterRadius(const GearRecord& rec) {
  const double radius = rec.boreDiameter / 2.0;
  return GearHasKeyway(rec) == 1 ? radius + rec.hubKeywayDepth : radius;
}
