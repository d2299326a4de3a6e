#include "texts/overlay_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kOverlayLabelT1 = NV_TEXT("T1", "T1");
const std::string_view kOverlayLabelT2 = NV_TEXT("T2", "T2");
const std::string_view kOverlayLabelA = NV_TEXT("A", "A");
const std::string_view kOverlayLabelB = NV_TEXT("B", "B");
const std::string_view kOverlayLabelC = NV_TEXT("C", "C");
const std::string_view kOverlayLabelD = NV_TEXT("D", "D");
const std::string_view kOverlayLabelE = NV_TEXT("E", "E");

// The spacing is part of the layout: two blanks after "A–E" and "B–D", five
// before "C" and before the colour name, two after it (en dashes).
const std::string_view kLegendContact = NV_TEXT("A–E  contact, two tooth pairs", "A–E  ingrijpen, twee tandparen");
const std::string_view kLegendSinglePair = NV_TEXT("B–D  one tooth pair", "B–D  een tandpaar");
const std::string_view kLegendPoints =
    NV_TEXT("contact point     C  pitch point     purple  ", "contactpunt     C  rolpunt     paars  ");
const std::string_view kLegendOperatingPitchCircles = NV_TEXT("operating pitch circles", "bedrijfssteekcirkels");
const std::string_view kLegendRackPitchLines = NV_TEXT("pitch circle and pitch line", "steekcirkel en rollijn");
}
