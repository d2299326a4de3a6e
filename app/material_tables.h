// The gear-material and shaft-material tables of the strength calculation and
// the copying of a chosen material into the strength window's value fields.
#pragma once

#include <cstdint>

void InitMaterialTable();
void InitShaftMaterialTable();
void FillMaterialFields(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                        int64_t fieldNu);
