// Where the simplified strength method does not hold for a pair.
#include "design/strength_applicability.h"

#include <cmath>

#include "geometry/internal_interference.h"
#include "geometry/path_of_contact.h"
#include "geometry/tolerances.h"

namespace {

// The contact ratio below which teeth no longer hand the load on without a gap.
constexpr double kContinuousContactRatio = 1.0;

// A passed contact ratio within this of the floor counts as raised to it.
constexpr double kRaisedTolerance = 1e-12;

}  // namespace

int ComputeStrengthInvoluteContact(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                   double centreDistance, InvoluteContactRecord& contact) {
  contact = InvoluteContactRecord{};
  if (gear1.valid != 1 || gear2.valid != 1) return 0;
  switch (pairKind) {
    case kPairExternal: return ComputePairInvoluteContact(gear1, gear2, centreDistance, contact);
    case kPairRack: return ComputeRackInvoluteContact(gear1, gear2, contact);
    case kPairInternal: return ComputeInternalInvoluteContact(gear1, gear2, centreDistance, contact);
    default: return 0;
  }
}

double ComputeStrengthContactRatio(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                   double centreDistance) {
  InvoluteContactRecord contact;
  if (ComputeStrengthInvoluteContact(gear1, gear2, pairKind, centreDistance, contact) != 1) {
    // An undefined external mesh keeps the -1 of its contact ratio.
    return pairKind == kPairExternal && gear1.valid == 1 && gear2.valid == 1 ? -1.0 : 0.0;
  }
  return contact.involuteContactRatio;
}

double ComputeDynamicSpeedTerm(double z1, double pitchLineSpeed, double ratio, int isRack) {
  const double f = isRack != 0 ? 1.0 : std::sqrt(ratio * ratio / (1.0 + ratio * ratio));
  return z1 * pitchLineSpeed / 100.0 * f;
}

void CheckStrengthApplicability(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                double centreDistance, double epsAlpha, StrengthResults& results) {
  InvoluteContactRecord contact;
  const bool meshDefined = ComputeStrengthInvoluteContact(gear1, gear2, pairKind, centreDistance, contact) == 1;
  const double mesh = meshDefined ? contact.involuteContactRatio
                                  : ComputeStrengthContactRatio(gear1, gear2, pairKind, centreDistance);
  results.meshContactRatio = mesh;
  results.tipCircleContactRatio = meshDefined ? contact.contactRatio : 0.0;
  results.filletContact[0] = meshDefined ? contact.belowForm1 : 0;
  results.filletContact[1] = meshDefined ? contact.belowForm2 : 0;
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
