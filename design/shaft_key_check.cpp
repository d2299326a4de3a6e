// Preliminary shaft sizing and the parallel-key check of one gear, with the
// DIN 6885-1 key table and the DIN 748 shaft diameter series.
#include "design/shaft_key_check.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"
#include "texts/shaft_key_texts.h"

// Columns: d over, d up to, b, h, t2 (hub), t1 (shaft).
const KeySizeRow KeySizeTable[kKeySizeRows] = {
    {6, 8, 2, 2, 1.0, 1.2},         {8, 10, 3, 3, 1.4, 1.8},        {10, 12, 4, 4, 1.8, 2.5},
    {12, 17, 5, 5, 2.3, 3.0},       {17, 22, 6, 6, 2.8, 3.5},       {22, 30, 8, 7, 3.3, 4.0},
    {30, 38, 10, 8, 3.3, 5.0},      {38, 44, 12, 8, 3.3, 5.0},      {44, 50, 14, 9, 3.8, 5.5},
    {50, 58, 16, 10, 4.3, 6.0},     {58, 65, 18, 11, 4.4, 7.0},     {65, 75, 20, 12, 4.9, 7.5},
    {75, 85, 22, 14, 5.4, 9.0},     {85, 95, 25, 14, 5.4, 9.0},     {95, 110, 28, 16, 6.4, 10.0},
    {110, 130, 32, 18, 7.4, 11.0},  {130, 150, 36, 20, 8.4, 12.0},  {150, 170, 40, 22, 9.4, 13.0},
    {170, 200, 45, 25, 10.4, 15.0}, {200, 230, 50, 28, 11.4, 17.0},
};

const double ShaftDiameterSeries[kShaftDiameterCount + 1] = {
    6,   7,   8,   9,   10,  11,  12,  14,  16,  18,  19,  20,  22,  24,  25,  28,  30,  32,
    35,  38,  40,  42,  45,  48,  50,  55,  56,  60,  63,  65,  70,  71,  75,  80,  85,  90,
    95,  100, 110, 120, 125, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 250, -1,
};

namespace {

// Load sharing of two keys at 180 degrees: they never bear exactly alike, so
// each counts with 0.75 of its share.
constexpr double kTwoKeyLoadSharing = 0.75;
// Upper limit of the key pressure (N/mm²), set by the key steel itself.
constexpr double kMaxKeyPressure = 387.0;
// Share of the shaft's yield strength that the key may press on it.
constexpr double kShaftPressureFactor = 0.9;

// Key force from torque: F = 2 T / d with T in N·m and d in mm gives N with
// the factor 1000.
constexpr double kNmToNmm = 1000.0;

bool IsPositiveFinite(double v) { return v > 0.0 && std::isfinite(v); }

}  // namespace

double FindPreferredShaftDiameter(double d) {
  for (int i = 0; ShaftDiameterSeries[i] >= 0.0; ++i) {
    if (ShaftDiameterSeries[i] >= d - kShaftSeriesTolerance) return ShaftDiameterSeries[i];
  }
  return std::ceil(d);
}

int64_t LookupDin6885Key(double d, double& b, double& h, double& t2, double* t1) {
  for (const KeySizeRow& row : KeySizeTable) {
    if (d > row.diameterOver && d <= row.diameterUpTo) {
      b = row.width;
      h = row.height;
      t2 = row.hubDepth;
      if (t1 != nullptr) *t1 = row.shaftDepth;
      return 1;
    }
  }
  b = 0.0;
  h = 0.0;
  t2 = 0.0;
  return 0;
}

void CheckShaftKey(const GearRecord& gear, double T, double KA, double tauPerm, double ReShaft, double pHub,
                   int64_t keys, double keyLengthIn, KeyCheckResult& result) {
  result = KeyCheckResult{};
  // A torque, application factor or permissible stress that is not a positive
  // number gives no check (KA 0 would call any key sufficient).
  if (!IsPositiveFinite(T) || !IsPositiveFinite(tauPerm) || !IsPositiveFinite(KA)) return;

  // Torsion tau = 16 T / (pi d^3), T in N·mm including KA, solved for d.
  const double torqueNmm = kNmToNmm * KA * T;
  result.torque = T;
  result.minShaftDiameter = std::cbrt(16.0 * torqueNmm / (std::numbers::pi * tauPerm));
  result.preferredShaftDiameter = FindPreferredShaftDiameter(result.minShaftDiameter);
  const double d = gear.boreDiameter;
  result.shaftBore = d;
  result.computed = 1;

  if (GearHasKeyway(gear) == 0) {
    result.message = std::string(d > 0.0 ? texts::kKeyNoKeyway : texts::kKeyNoBore);
    return;
  }

  result.hasKeyway = 1;
  const int64_t n = std::clamp<int64_t>(keys, 1, 2);
  result.keyCount = n;
  const double phi = n == 1 ? 1.0 : kTwoKeyLoadSharing;

  double bearingHeight = gear.keyBearingHeight;
  if (!(bearingHeight > 0.0)) bearingHeight = kCustomKeyBearingFactor * gear.hubKeywayDepth;
  result.bearingHeight = bearingHeight;

  // The bore runs through the gear and its hubs.
  const double hubCount = GearHasHub(gear) == 0 ? 0.0 : gear.hubSide == 3 ? 2.0 : 1.0;
  const double boreLength = gear.faceWidth + hubCount * gear.hubLength;
  result.boreLength = boreLength;

  const double keyLength = keyLengthIn > 0.0 ? std::min(keyLengthIn, boreLength) : boreLength;
  const double b = gear.keyWidth;
  result.keyLength = keyLength;
  result.bearingLength = keyLength - b;  // round-ended key: only the straight part bears

  // Hub material, shaft (0.9 Re) and the key steel limit the pressure. A limit
  // that is no positive finite number (yield strength typed as 0 or as
  // "Infinity") leaves no permissible pressure at all, rather than being
  // skipped.
  const double shaftLimit = kShaftPressureFactor * ReShaft;
  if (!IsPositiveFinite(pHub) || !IsPositiveFinite(shaftLimit)) {
    result.message = std::string(texts::kKeyNoAllowablePressure);
    return;
  }
  const double pAllow = std::min({pHub, shaftLimit, kMaxKeyPressure});
  result.allowablePressure = pAllow;

  // Key force F = 2 T / d carried over h' (l - b) by n keys with sharing phi:
  // p = 2 T / (d h' l' n phi); the length at which p = p allow, plus b.
  const double required = 2.0 * torqueNmm / (d * bearingHeight * double(n) * phi * pAllow) + b;
  result.requiredKeyLength = required;

  if (!(result.bearingLength > 0.0)) {
    result.message = std::string(texts::kKeyNoBearingLength);
    result.safety = 0.0;
    return;
  }

  const double p = 2.0 * torqueNmm / (d * bearingHeight * result.bearingLength * double(n) * phi);
  const double safety = pAllow / p;
  result.pressure = p;
  result.safety = safety;

  const std::string requiredText = FormatNumber(required, 1);
  if (safety >= 1.0) {
    result.message = std::string(n == 1 ? texts::kKeyOneSufficient : texts::kKeyTwoSufficient);
  } else if (n == 1 && safety * 2.0 * kTwoKeyLoadSharing >= 1.0) {
    result.message = std::string(texts::kKeyTwoNeeded) + requiredText + std::string(texts::kKeyMm);
  } else if (required <= boreLength + kKeyLengthFitTolerance) {
    result.message = std::string(texts::kKeyMakeLonger) + requiredText + std::string(texts::kKeyMm);
  } else {
    result.message = std::string(texts::kKeyOverloaded) + requiredText + std::string(texts::kKeyOverloadedEnd);
  }
}
