#include "texts/search_input_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kSearchInputRatio = NV_TEXT("Ratio i", "Overbrenging i");
const std::string_view kSearchInputShiftSumMin = NV_TEXT("Σx min", "Σx min");
const std::string_view kSearchInputShiftSumMax = NV_TEXT("Σx max", "Σx max");
const std::string_view kSearchInputShiftDiffMin = NV_TEXT("Δx min", "Δx min");
const std::string_view kSearchInputShiftDiffMax = NV_TEXT("Δx max", "Δx max");
const std::string_view kSearchInputZ1Min = NV_TEXT("z1 min", "z1 min");
const std::string_view kSearchInputMinToothDiff = NV_TEXT("Min. tooth difference", "Tandverschil min");

const std::string_view kSearchCheckNowTicked =
    NV_TEXT(" is ticked, but the list was calculated without it",
            " is aangevinkt, maar de lijst is zonder dit vinkje berekend");
const std::string_view kSearchCheckNowCleared =
    NV_TEXT(" is not ticked, but the list was calculated with it",
            " is niet aangevinkt, maar de lijst is met dit vinkje berekend");
const std::string_view kSearchInputPressCalculate =
    NV_TEXT("; press \"Calculate modules\"", "; druk op \"Modulen berekenen\"");
}
