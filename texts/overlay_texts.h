// Texts of the overlays in the view: the point labels on the line of action
// and the legend in the top-left corner.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kOverlayLabelT1;
extern const std::string_view kOverlayLabelT2;
extern const std::string_view kOverlayLabelA;
extern const std::string_view kOverlayLabelB;
extern const std::string_view kOverlayLabelC;
extern const std::string_view kOverlayLabelD;
extern const std::string_view kOverlayLabelE;

extern const std::string_view kLegendContact;     // beside the magenta bar
extern const std::string_view kLegendSinglePair;  // beside the red bar
extern const std::string_view kLegendPoints;      // beside the green dot, completed by the caller
extern const std::string_view kLegendOperatingPitchCircles;  // pair and internal pair
extern const std::string_view kLegendRackPitchLines;         // pinion and rack
}
