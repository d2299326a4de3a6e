// Window 1, the strength window: building, showing and hiding it, and the
// material combo that follows typed values.
#pragma once

#include <cstdint>

void BuildStrengthWindow();
void ShowStrengthWindow();
void HideStrengthWindow();
void SyncMaterialCombo(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                       int64_t fieldNu);
