// Where the simplified strength method does not hold for a pair.
#include "design/strength_applicability.h"

#include <cmath>
#include <numbers>

#include "geometry/internal_interference.h"
#include "geometry/path_of_contact.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kPi = std::numbers::pi;

// The contact ratio below which teeth no longer hand the load on without a gap.
constexpr double kContinuousContactRatio = 1.0;

// A passed contact ratio within this of the floor counts as raised to it.
constexpr double kRaisedTolerance = 1e-12;

// eps_alpha = g_alpha / p_bt (DIN 3960) of a computed path of contact.
double ContactRatioOfPath(const GearRecord& gear1, const PathOfContactRecord& path) {
  const double baseP = kPi * gear1.transverseModule * std::cos(gear1.transversePressureAngle);
  if (path.valid == 0 || !(baseP > 0)) return 0.0;
  return (path.posE - path.posA) / baseP;
}

}  // namespace

double ComputeStrengthContactRatio(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                   double centreDistance) {
  if (gear1.valid != 1 || gear2.valid != 1) return 0.0;
  PathOfContactRecord path;
  switch (pairKind) {
    case kPairExternal: return ComputeTransverseContactRatio(gear1, gear2, centreDistance);
    case kPairRack: ComputeRackPathOfContact(gear1, gear2, 0.0, path); break;
    case kPairInternal: ComputeInternalPathOfContact(gear1, gear2, centreDistance, 0.0, path); break;
    default: return 0.0;
  }
  return ContactRatioOfPath(gear1, path);
}

double ComputeDynamicSpeedTerm(double z1, double pitchLineSpeed, double ratio, int isRack) {
  const double f = isRack != 0 ? 1.0 : std::sqrt(ratio * ratio / (1.0 + ratio * ratio));
  return z1 * pitchLineSpeed / 100.0 * f;
}

void CheckStrengthApplicability(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                double centreDistance, double epsAlpha, StrengthResults& results) {
  const double mesh = ComputeStrengthContactRatio(gear1, gear2, pairKind, centreDistance);
  results.meshContactRatio = mesh;
  results.contactRatioBelowOne = epsAlpha < kContinuousContactRatio ? 1 : 0;
  // The caller lifts a smaller (or undefined) contact ratio to the floor.
  const bool meshBelowFloor = !(mesh >= kStrengthMinContactRatio);
  results.contactRatioRaised =
      meshBelowFloor && std::abs(epsAlpha - kStrengthMinContactRatio) <= kRaisedTolerance ? 1 : 0;

  const bool isRack = pairKind == kPairRack;
  results.dynamicSpeedTerm = ComputeDynamicSpeedTerm(static_cast<double>(gear1.teeth), results.pitchLineSpeed,
                                                     results.ratio, isRack ? 1 : 0);
  results.dynamicBeyondRange = !(results.dynamicSpeedTerm < kDynamicMethodSpeedLimit) ? 1 : 0;

  results.interferenceDepth = kInterferenceNotComputed;
  results.internalInterference = 0;
  if (pairKind == kPairInternal) {
    results.interferenceDepth = ComputeInternalPairPenetration(gear1, gear2, centreDistance);
    if (results.interferenceDepth > kInterferenceReportModules * gear1.normalModule) {
      results.internalInterference = 1;
    }
  }

  results.pointedTeeth[0] = gear1.pointed != 0 ? 1 : 0;
  results.pointedTeeth[1] = gear2.pointed != 0 ? 1 : 0;
}

int64_t IsOutsideStrengthMethod(const StrengthResults& r) {
  const bool outside = r.contactRatioBelowOne != 0 || r.contactRatioRaised != 0 || r.dynamicBeyondRange != 0 ||
                       r.internalInterference != 0 || r.pointedTeeth[0] != 0 || r.pointedTeeth[1] != 0;
  return outside ? 1 : 0;
}
