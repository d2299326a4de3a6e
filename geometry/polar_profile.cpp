// Polar profile table of a gear outline: radius over the angle folded to the
// nearest tooth centre line, and its linear interpolation.
#include "geometry/polar_profile.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/tolerances.h"

int BuildPolarProfileTable(const GearRecord& rec, PolarProfileTable& table) {
  table.entries.clear();
  table.count = 0;
  table.pitchAngle = 0.0;
  if (rec.teeth < 1) return 0;
  const double pitch = 2.0 * std::numbers::pi / static_cast<double>(rec.teeth);
  table.pitchAngle = pitch;
  size_t total = 0;
  for (const OutlineCurve& curve : rec.outline) total += curve.points.size();
  table.entries.reserve(total);
  for (const OutlineCurve& curve : rec.outline) {
    for (const OutlinePoint& p : curve.points) {
      const double angle = std::atan2(p.y, p.x);
      // std::round: halves away from zero. Folded angle in 0 .. pitch / 2.
      const double folded = std::fabs(angle - pitch * std::round(angle / pitch));
      table.entries.push_back({folded, std::hypot(p.x, p.y)});
    }
  }
  std::sort(table.entries.begin(), table.entries.end(),
            [](const PolarTableEntry& a, const PolarTableEntry& b) { return a.angle < b.angle; });
  table.count = static_cast<int64_t>(table.entries.size());
  return 0;
}

double InterpolatePolarTable(const PolarProfileTable& table, double angle, double& slopeOut) {
  slopeOut = 0.0;
  const auto& e = table.entries;
  if (e.empty()) return 0.0;
  if (angle <= e.front().angle) return e.front().radius;
  if (angle >= e.back().angle) return e.back().radius;
  size_t lo = 0;
  size_t hi = e.size() - 1;
  while (hi - lo > 1) {
    const size_t mid = (lo + hi) / 2;
    if (angle >= e[mid].angle) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  const double span = e[hi].angle - e[lo].angle;
  if (span < kPolarKeyTolerance) return e[lo].radius;
  slopeOut = (e[hi].radius - e[lo].radius) / span;
  return e[lo].radius + slopeOut * (angle - e[lo].angle);
}
