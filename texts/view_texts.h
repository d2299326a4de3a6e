// Texts drawn in the view: the hint without a design and the status line.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kViewHint;
extern const std::string_view kViewStatusPrefix;  // followed by the zoom with 2 decimals
extern const std::string_view kViewStatusSuffix;
}
