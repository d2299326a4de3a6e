// Texts of the STEP export: the file description and the solid names.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kStepFileDescription;  // FILE_DESCRIPTION text
extern const std::string_view kStepSolidGear;        // followed by the tooth number
extern const std::string_view kStepSolidRingGear;    // followed by the tooth number
extern const std::string_view kStepSolidRack;
}
