// Closed-form areas of a body's cross-sections, to check exported volumes.
#pragma once

#include <cmath>
#include <numbers>

#include "geometry/gear_record.h"

namespace cadtest {

// Shoelace area enclosed by the outline (positive for counter-clockwise, so
// negative for a ring gear's clockwise outline).
inline double OutlineArea(const GearRecord& g) {
  double twice = 0.0;
  for (const OutlineCurve& c : g.outline) {
    for (std::size_t i = 0; i + 1 < c.points.size(); ++i) {
      twice += c.points[i].x * c.points[i + 1].y - c.points[i + 1].x * c.points[i].y;
    }
  }
  return 0.5 * twice;
}

// A keyed bore's cross-section: the circle R, plus the keyway rectangle of
// width 2w from the chord at sqrt(R^2 - w^2) out to R + t2, less the circular
// cap that the rectangle shares with the circle.
inline double KeyedHoleArea(double R, double w, double t2) {
  const double chord = std::sqrt(R * R - w * w);
  const double cap = R * R * std::asin(w / R) - w * chord;
  return std::numbers::pi * R * R + 2.0 * w * (R + t2 - chord) - cap;
}

}  // namespace cadtest
