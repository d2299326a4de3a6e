// Names of the gear and shaft materials shown in the strength window.
#pragma once

#include <string_view>

namespace texts {
// Gear materials, rows 0..12 of the gear-material table (12 = "Custom material").
extern const std::string_view kMaterialNames[13];
// Shaft materials, rows 0..5 of the shaft-material table (5 = "Custom values").
extern const std::string_view kShaftMaterialNames[6];
}  // namespace texts
