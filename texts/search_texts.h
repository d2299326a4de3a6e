// Texts of the module searches of gear pairs and internal pairs.
#pragma once

#include <string_view>

namespace texts {
// Message boxes of the pair search ("Pair" tab).
extern const std::string_view kPairSearchBadInput;
extern const std::string_view kPairSearchNoRowsHelix;
extern const std::string_view kPairSearchNoRowsShift;
// Message boxes of the internal search ("Internal" tab).
extern const std::string_view kInternalSearchBadInput;
extern const std::string_view kInternalSearchNoRows;
}

namespace texts {
// Title of the search message boxes.
extern const std::string_view kSearchMessageTitle;
}
