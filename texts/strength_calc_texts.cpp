#include "texts/strength_calc_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kStrengthNoValidInput = NV_TEXT(
    "No valid input (geometry, torque or speed).",
    "Geen geldige invoer (geometrie, koppel of toerental).");
const std::string_view kStrengthRootSectionNotFound = NV_TEXT(
    "Critical root section not found (unusual tooth shape).",
    "Kritieke tandvoetdoorsnede niet gevonden (ongewone tandvorm).");
const std::string_view kStrengthNoValidMaterialInput = NV_TEXT(
    "No valid input (material values, KA, life or minimum safety).",
    "Geen geldige invoer (materiaalwaarden, KA, levensduur of minimale veiligheid).");
const std::string_view kStrengthNoFiniteResult = NV_TEXT(
    "The calculation gave no finite result; check the inputs.",
    "De berekening gaf geen eindig resultaat; controleer de invoer.");
}
