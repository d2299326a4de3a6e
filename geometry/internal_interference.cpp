// Internal pair interference: how deep the outline of one gear enters the
// other's teeth while the pinion turns through one pitch.
#include "geometry/internal_interference.h"

#include <cmath>
#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/polar_profile.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kPi = std::numbers::pi;

// Outline density of the copies and positions of the shown pair's test.
constexpr int kPairTestDensity = 3;
constexpr int kPairTestSteps = 24;

// Angle from phi to the nearest tooth centre line of a gear with angular
// pitch tau (rounding to nearest, halves away from zero).
double FoldToToothCentre(double phi, double tau) {
  return std::fabs(phi - tau * std::round(phi / tau));
}

}  // namespace

double ComputeInternalInterference(const GearRecord& pinion, const GearRecord& ring,
                                   double a, int steps) {
  if (pinion.valid != 1 || ring.valid != 1 || ring.isInternal != 1) {
    return kInterferenceNotComputed;
  }
  if (pinion.teeth < 1 || ring.teeth < 1 || steps < 1) return kInterferenceNotComputed;
  if (!(a > 0.0) || !std::isfinite(a)) return kInterferenceNotComputed;

  const double z1 = static_cast<double>(pinion.teeth);
  const double z2 = static_cast<double>(ring.teeth);
  const double tau1 = 2.0 * kPi / z1;
  const double tau2 = 2.0 * kPi / z2;
  // Ring points farther than one module beyond the pinion's tip cannot touch it.
  const double limit = pinion.tipRadius + pinion.normalModule;
  const double limit2 = limit * limit;
  const double ringTip = ring.tipRadius;
  double best = kNoInterference;

  PolarProfileTable pinionTable, ringTable;
  BuildPolarProfileTable(pinion, pinionTable);
  BuildPolarProfileTable(ring, ringTable);

  for (int k = 0; k < steps; ++k) {
    const double theta1 = static_cast<double>(k) * tau1 / static_cast<double>(steps);
    const double theta2 = theta1 * z1 / z2;
    const double c1 = std::cos(theta1), s1 = std::sin(theta1);
    const double c2 = std::cos(theta2), s2 = std::sin(theta2);

    // Pinion points in the ring: placed in the mesh frame, then turned back
    // into the ring's own frame. Beyond the ring's tip circle a point is in
    // the ring's material when it lies outside the space profile R(delta).
    for (const OutlineCurve& curve : pinion.outline) {
      for (const OutlinePoint& pt : curve.points) {
        const double X = a + pt.x * c1 - pt.y * s1;
        const double Y = pt.x * s1 + pt.y * c1;
        const double u = X * c2 + Y * s2;
        const double v = -X * s2 + Y * c2;
        const double r = std::sqrt(u * u + v * v);
        if (!(r > ringTip)) continue;
        const double delta = FoldToToothCentre(std::atan2(v, u), tau2);
        double slope = 0.0;
        const double R = InterpolatePolarTable(ringTable, delta, slope);
        if (r > R) {
          // Radial overlap turned into the depth normal to the profile;
          // slope / r is the tangent of the profile's angle to the circle.
          const double depth = (r - R) / std::sqrt(1.0 + (slope / r) * (slope / r));
          if (depth > best) best = depth;
        }
      }
    }

    // Ring points in the pinion: placed in the pinion's frame; inside the
    // tooth profile R(delta) a point is in the pinion's material.
    for (const OutlineCurve& curve : ring.outline) {
      for (const OutlinePoint& pt : curve.points) {
        const double u = pt.x * c2 - pt.y * s2 - a;
        const double v = pt.x * s2 + pt.y * c2;
        const double rr = u * u + v * v;
        if (!(rr <= limit2)) continue;
        const double r = std::sqrt(rr);
        const double delta = FoldToToothCentre(std::atan2(v, u) - theta1, tau1);
        double slope = 0.0;
        const double R = InterpolatePolarTable(pinionTable, delta, slope);
        if (r < R) {
          const double rSafe = r > kMinProfileSlopeRadius ? r : kMinProfileSlopeRadius;
          const double depth = (R - r) / std::sqrt(1.0 + (slope / rSafe) * (slope / rSafe));
          if (depth > best) best = depth;
        }
      }
    }
  }
  return best;
}

double ComputeInternalPairPenetration(const GearRecord& pinion, const GearRecord& ring, double a) {
  if (pinion.valid != 1 || ring.valid != 1 || ring.isInternal != 1) return kInterferenceNotComputed;
  GearRecord pinionCopy = pinion;
  BuildGearGeometry(pinionCopy, kPairTestDensity);
  GearRecord ringCopy = ring;
  RebuildRingGearGeometry(ringCopy, kPairTestDensity);
  return ComputeInternalInterference(pinionCopy, ringCopy, a, kPairTestSteps);
}
