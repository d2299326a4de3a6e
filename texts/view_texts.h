// Texts of the view (the hint without a design, the status line) and the x2
// text that the pair compute drivers write.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kViewHint;
// Above the warning that names a refused field, while the view shows no design.
extern const std::string_view kViewInputFaultLead;
extern const std::string_view kViewStatusPrefix;  // followed by the zoom with 2 decimals
extern const std::string_view kViewStatusSuffix;
}

namespace texts {
// Shown before the computed profile shift of gear 2 / the ring (both programs).
extern const std::string_view kShiftOfGear2Prefix;
}
