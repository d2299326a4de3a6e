#include "texts/dxf_texts.h"
#include "texts/text_select.h"

namespace texts {
// Plain upper-case ASCII: valid layer names in every DXF release.
const std::string_view kDxfLayerOutline = NV_TEXT("GEAR", "TANDWIEL");
const std::string_view kDxfLayerHub = NV_TEXT("HUB", "NAAF");
const std::string_view kDxfLayerPitch = NV_TEXT("PITCH", "STEEKCIRKEL");
}  // namespace texts
