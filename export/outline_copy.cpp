// A body's record with its outline rebuilt at another point density.
#include "export/outline_copy.h"

#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"

namespace {

constexpr double kDegPerRad = 180.0 / std::numbers::pi;

}  // namespace

GearRecord CopyAtPointDensity(const GearRecord& shown, int pointDensity) {
  GearRecord copy = shown;
  if (shown.isRack != 0) {
    BuildRackGeometry(copy, shown.normalModule, shown.pressureAngle * kDegPerRad, shown.helixAngle * kDegPerRad,
                      shown.hand, shown.teeth, shown.rackHeight, shown.faceWidth, shown.thicknessAllowance,
                      pointDensity);
  } else if (shown.isInternal != 0) {
    RebuildRingGearGeometry(copy, pointDensity);
  } else {
    BuildGearGeometry(copy, pointDensity);
  }
  return copy.valid != 0 ? copy : shown;
}
