// Preliminary shaft sizing and the parallel-key check of one gear, with the
// DIN 6885-1 key table and the DIN 748 shaft diameter series.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/gear_record.h"

// The result of CheckShaftKey. Stresses and pressures in N/mm², lengths in mm,
// torque in N·m. Reset at the start of every check; the fields after
// shaftBore are filled only as far as the check gets.
struct KeyCheckResult {
  int64_t computed = 0;               // 1 when the check ran (torque, KA and tau perm > 0)
  double torque = 0.0;                // T of the check
  double minShaftDiameter = 0.0;      // d min from the permissible torsional stress
  double preferredShaftDiameter = 0.0;  // next DIN 748 diameter
  double shaftBore = 0.0;             // the gear's bore
  int64_t hasKeyway = 0;              // 1 when the gear has a keyway
  double bearingHeight = 0.0;         // h', height of the key bearing against the hub
  double keyLength = 0.0;             // l, the key length used
  double bearingLength = 0.0;         // l' = l - b (round-ended key)
  int64_t keyCount = 0;               // n, 1 or 2
  double pressure = 0.0;              // p, flank pressure on the key
  double allowablePressure = 0.0;     // p allow
  double safety = 0.0;                // p allow / p (0 without bearing length)
  double requiredKeyLength = 0.0;     // key length at which p = p allow
  double boreLength = 0.0;            // bore length through gear and hubs
  std::string message;                // the verdict
};

// One row of KeySizeTable: shaft diameter over / up to (inclusive), key width
// b, key height h, keyway depth in the hub t2 and in the shaft t1 (mm).
struct KeySizeRow {
  double diameterOver;
  double diameterUpTo;
  double width;
  double height;
  double hubDepth;
  double shaftDepth;
};

// Bearing height of a custom keyway, whose key height is not known: 0.9 t2.
inline constexpr double kCustomKeyBearingFactor = 0.9;

inline constexpr int kKeySizeRows = 20;
// Parallel keys to DIN 6885-1 (form A, normal height), 20 rows.
extern const KeySizeRow KeySizeTable[kKeySizeRows];

inline constexpr int kShaftDiameterCount = 52;
// Standard shaft diameters to DIN 748 (mm), ascending, ended by -1.
extern const double ShaftDiameterSeries[kShaftDiameterCount + 1];

// Shaft diameter and key check of one gear (its bore, keyway and hub fields as
// set by the hub application). T: torque on this gear in N·m; KA: application
// factor; tauPerm: permissible torsional stress of the shaft; ReShaft: the
// shaft's yield strength; pHub: permissible pressure of the hub material;
// keys: number of keys (clamped to 1..2); keyLengthIn: key length asked for
// (0 or less = the whole bore length). Fills result.
void CheckShaftKey(const GearRecord& gear, double T, double KA, double tauPerm, double ReShaft, double pHub,
                   int64_t keys, double keyLengthIn, KeyCheckResult& result);

// The first DIN 748 diameter v with v >= d - 1e-9; beyond 250 mm, d rounded up
// to a whole millimetre.
double FindPreferredShaftDiameter(double d);

// The DIN 6885-1 key of a shaft of diameter d (over < d <= up to): writes b, h
// and t2, and t1 when t1 is given; returns 1. No row (d <= 6, d > 230 or not a
// number): b = h = t2 = 0, t1 untouched, returns 0.
int64_t LookupDin6885Key(double d, double& b, double& h, double& t2, double* t1 = nullptr);
