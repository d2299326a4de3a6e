// Texts of the gear geometry.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kHandRight;
extern const std::string_view kHandLeft;
}
