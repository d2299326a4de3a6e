// Texts that name a search input of the Pair or Internal tab whose value is no
// longer the one the result list was calculated for.
#pragma once

#include <string_view>

namespace texts {
// Field names not already given by a label of its own (two fields share a
// label on the tab).
extern const std::string_view kSearchInputRatio;
extern const std::string_view kSearchInputShiftSumMin;
extern const std::string_view kSearchInputShiftSumMax;
extern const std::string_view kSearchInputShiftDiffMin;
extern const std::string_view kSearchInputShiftDiffMax;
extern const std::string_view kSearchInputZ1Min;
extern const std::string_view kSearchInputMinToothDiff;

// A check box: "\"<label>\"" then one of these two, then kSearchInputPressCalculate.
extern const std::string_view kSearchCheckNowTicked;
extern const std::string_view kSearchCheckNowCleared;
extern const std::string_view kSearchInputPressCalculate;
}
