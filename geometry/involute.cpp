// Involute functions of an external gear.
#include "geometry/involute.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/gear_record.h"
#include "geometry/tolerances.h"
#include "geometry/tool_rounding.h"

double Involute(double a) { return std::tan(a) - a; }

double InverseInvolute(double v) {
  if (!(v > 0.0)) return 0.0;
  constexpr double kHalfPi = std::numbers::pi / 2.0;
  // The root lies in (0, pi/2), where inv is increasing and convex. Newton from
  // (3 v)^(1/3), which lies above the root, then falls monotonically onto it.
  // For v above about 1.29 the start passes pi/2 (tan changes sign there), and
  // a Newton step from below the root can overshoot pi/2. So a bracket
  // [lo, hi] of the root is kept, and a start or step that leaves (0, pi/2)
  // (or is not finite) is replaced by the middle of the bracket. Normal
  // arguments never take that road and get the plain 30 Newton steps.
  double lo = 0.0;
  double hi = kHalfPi;
  double a = std::cbrt(3.0 * v);
  bool bisected = false;
  if (!(a > 0.0 && a < kHalfPi)) {
    a = 0.5 * (lo + hi);
    bisected = true;
  }
  const int maxSteps = kInverseInvoluteNewtonSteps + kInverseInvoluteExtraSteps;
  for (int i = 0; i < maxSteps; ++i) {
    if (i >= kInverseInvoluteNewtonSteps && !bisected) break;
    const double t = std::tan(a);
    const double f = t - a - v;
    if (f > 0.0) {
      hi = std::min(hi, a);
    } else {
      lo = std::max(lo, a);
    }
    double next = a - f / (t * t);
    if (!(next > 0.0 && next < kHalfPi)) {
      next = 0.5 * (lo + hi);
      bisected = true;
    }
    // The extra steps, used only after a bisection, end once settled.
    if (i >= kInverseInvoluteNewtonSteps && next == a) break;
    a = next;
  }
  return a;
}

double ComputeMinProfileShift(int64_t z, double alphaDeg, double betaDeg) {
  const double alphaN = alphaDeg * std::numbers::pi / 180.0;
  const double beta = betaDeg * std::numbers::pi / 180.0;
  const double alphaT = std::atan(std::tan(alphaN) / std::cos(beta));
  const double sinT = std::sin(alphaT);
  const double toolTipRounding = FitGearToolTipRoundingFactor(kToolTipRoundingFactor, 1.25, alphaN);
  return 1.25 - toolTipRounding * (1.0 - std::sin(alphaN)) -
         static_cast<double>(z) * sinT * sinT / (2.0 * std::cos(beta));
}

double ComputeInvolutePolarAngle(const GearRecord& rec, double radius) {
  const double rb = rec.baseRadius;
  const double rr = std::max(radius, rb);
  // acos(rb / rr): the pressure angle of the involute at rr.
  const double alphaY = std::acos(std::min(1.0, rb / rr));
  return rec.pitchThickness / (2.0 * rec.pitchRadius) + Involute(rec.transversePressureAngle) -
         Involute(alphaY);
}
