// The virtual spur gear of the root-strength calculation (ISO 6336-3): a
// helical gear's root is judged on the spur gear of zn teeth in its normal
// section, built by the same cutter simulation as the real gear.
#include "design/virtual_gear.h"

#include <cmath>
#include <numbers>

#include "design/strength_results.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// Teeth of the virtual rack: enough for one whole tooth with both its gaps.
constexpr int64_t kVirtualRackTeeth = 3;

// The ring's rim below the root circle is at least this many modules thick.
constexpr double kMinVirtualRimModules = 2.0;

}  // namespace

int64_t ComputeVirtualTeeth(const GearRecord& source) {
  const double cosBeta = std::cos(source.helixAngle);
  const double cosBetaB = std::cos(source.baseHelixAngle);
  const double zn = static_cast<double>(source.teeth) / (cosBeta * cosBetaB * cosBetaB);
  // A huge zn is rejected by the builders; keep it representable here.
  if (!std::isfinite(zn) || !(zn < 2.0 * static_cast<double>(kMaxGearTeeth))) return 0;
  const auto rounded = static_cast<int64_t>(std::round(zn));
  return rounded < kMinVirtualTeeth ? kMinVirtualTeeth : rounded;
}

int64_t BuildVirtualGear(const GearRecord& source, int64_t pairKind, GearRecord& target) {
  target = GearRecord{};
  const double mn = source.normalModule;
  const double alphaDeg = source.pressureAngle * kRadToDeg;

  if (pairKind == kPairRack) {
    BuildRackGeometry(target, mn, alphaDeg, 0.0, 1, kVirtualRackTeeth, source.rackHeight,
                      source.faceWidth, source.thicknessAllowance, kVirtualGearPointDensity);
    return target.valid;
  }

  const int64_t zn = ComputeVirtualTeeth(source);
  if (zn == 0) return 0;
  if (pairKind == kPairInternal) {
    const double rim = MaxDouble(source.rimThickness, kMinVirtualRimModules * mn);
    BuildRingGearGeometry(target, mn, zn, source.profileShift, alphaDeg, source.faceWidth, rim,
                          source.thicknessAllowance, 0.0, 1, kVirtualGearPointDensity, 0.0);
    return target.valid;
  }
  InitGearRecord(target, mn, zn, source.profileShift, alphaDeg, source.faceWidth, 0.0,
                 source.tipShortening, 0.0, 1);
  target.thicknessAllowance = source.thicknessAllowance;
  BuildGearGeometry(target, kVirtualGearPointDensity);
  return target.valid;
}
