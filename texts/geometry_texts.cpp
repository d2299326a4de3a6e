#include "texts/geometry_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kHandRight = NV_TEXT("right", "rechts");
const std::string_view kHandLeft = NV_TEXT("left", "links");
}
