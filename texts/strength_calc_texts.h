// Texts of the strength calculation: why a calculation stopped.
#pragma once

#include <string_view>

namespace texts {
// A gear record is not valid, the face width or centre distance is not usable,
// or the torque or speed is not a positive number.
extern const std::string_view kStrengthNoValidInput;
// The critical root section of either virtual gear was not found.
extern const std::string_view kStrengthRootSectionNotFound;
// A material value, KA, the life or a minimum safety factor is not usable.
extern const std::string_view kStrengthNoValidMaterialInput;
// Some result came out as NaN or an infinity.
extern const std::string_view kStrengthNoFiniteResult;
}
