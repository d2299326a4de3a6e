// Window 1, the strength window: building, showing and hiding it, and the
// material combo that follows typed values.
#pragma once

#include <cstdint>

void BuildStrengthWindow();
void ShowStrengthWindow();
void HideStrengthWindow();
void SyncMaterialCombo(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                       int64_t fieldNu);
// Size callback of window 1: the verdict line and the report editor take the
// window's width right of the inputs, the editor its height. Returns 0.
int64_t LayoutStrengthWindow();
