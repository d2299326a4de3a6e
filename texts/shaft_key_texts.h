// Texts of the shaft and parallel-key check.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kKeyNoKeyway;
extern const std::string_view kKeyNoBore;
extern const std::string_view kKeyNoBearingLength;
extern const std::string_view kKeyNoAllowablePressure;
extern const std::string_view kKeyOneSufficient;
extern const std::string_view kKeyTwoSufficient;
extern const std::string_view kKeyTwoNeeded;
extern const std::string_view kKeyMakeLonger;
extern const std::string_view kKeyOverloaded;
extern const std::string_view kKeyOverloadedEnd;
extern const std::string_view kKeyMm;
}
