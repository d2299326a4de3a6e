// The gear-material and shaft-material tables of the strength calculation and
// the copying of a chosen material into the strength window's value fields.
#pragma once

#include <cstdint>
#include <string_view>

// The last row of each table holds the values the user types in.
inline constexpr int64_t kCustomMaterialRow = 12;
inline constexpr int64_t kCustomShaftMaterialRow = 5;

void InitMaterialTable();
void InitShaftMaterialTable();
// Writes the seven fields of row `index` of gMaterials (ignored outside the table).
void SetMaterialRow(int64_t index, std::string_view name, double sigmaHlim, double sigmaFlim,
                    double elasticModulus, double poisson, int64_t lifeClass, double yieldStrength);
// Copies the material chosen in `combo` (rows 0..11) into the four value
// fields: sigma_H,lim, sigma_F,lim and E with 0 decimals, nu with 2. The custom
// row or no selection leaves the fields as typed.
void FillMaterialFields(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                        int64_t fieldNu);
