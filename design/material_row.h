// Rows of the gear-material and shaft-material tables of the strength calculation.
#pragma once

#include <cstdint>
#include <string>

struct MaterialRow {
  std::string name;            // shown in the material combo (build language)
  double sigmaHlim = 0.0;      // endurance limit for contact stress, N/mm^2
  double sigmaFlim = 0.0;      // endurance limit for root stress, N/mm^2
  double elasticModulus = 0.0; // E, N/mm^2
  double poisson = 0.0;        // nu
  int64_t lifeClass = 0;       // 1 = nitrided steel or grey cast iron, else 0
  double yieldStrength = 0.0;  // R_e, N/mm^2; 0 = none given
};

struct ShaftMaterialRow {
  std::string name;             // shown in the shaft-material combo
  double allowableShear = 0.0;  // permissible torsional stress for preliminary sizing, N/mm^2
  double yieldStrength = 0.0;   // R_e of the shaft, N/mm^2
};

inline constexpr int kMaterialRowCount = 13;       // the last is "Custom material"
inline constexpr int kShaftMaterialRowCount = 6;   // the last is "Custom values"
