// Layer names of the DXF drawing, in the program's language.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kDxfLayerOutline;  // tooth outline, bore, ring rim
extern const std::string_view kDxfLayerHub;      // hub circle
extern const std::string_view kDxfLayerPitch;    // pitch circle or the rack's pitch line
}  // namespace texts
