// The shaft-and-key check of one gear as the strength report prints it: runs
// CheckShaftKey (DIN 748 shaft sizing, DIN 6885-1 key pressure) and copies its
// result into the report's column.
#include "app/strength_shaft_check.h"

#include "design/shaft_key_check.h"

void CheckStrengthShaft(const GearRecord& gear, double torque, double applicationFactor, double tauPerm,
                        double reShaft, double pHub, int64_t keys, double keyLength, StrengthShaftColumn& column) {
  KeyCheckResult result;
  CheckShaftKey(gear, torque, applicationFactor, tauPerm, reShaft, pHub, keys, keyLength, result);
  column = StrengthShaftColumn{};
  column.computed = result.computed;
  column.torque = result.torque;
  column.minShaftDiameter = result.minShaftDiameter;
  column.preferredShaftDiameter = result.preferredShaftDiameter;
  column.shaftBore = result.shaftBore;
  column.hasKeyway = result.hasKeyway;
  column.keyWidth = gear.keyWidth;
  column.keyHeight = gear.keyHeight;
  column.bearingHeight = result.bearingHeight;
  column.keyLength = result.keyLength;
  column.bearingLength = result.bearingLength;
  column.pressure = result.pressure;
  column.allowablePressure = result.allowablePressure;
  column.safety = result.safety;
  column.requiredKeyLength = result.requiredKeyLength;
  column.message = result.message;
}

