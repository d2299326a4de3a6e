#include "texts/step_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kStepFileDescription = NV_TEXT("Involute gear", "Evolvent tandwiel");
const std::string_view kStepSolidGear = NV_TEXT("Gear z=", "Tandwiel z=");
const std::string_view kStepSolidRingGear = NV_TEXT("Ring gear z=", "Ringwiel z=");
const std::string_view kStepSolidRack = NV_TEXT("Rack", "Tandheugel");
}
