#include "texts/view_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kViewHint =
    NV_TEXT("Calculate the modules and pick a row, or make a single gear.",
            "Bereken de modulen en kies een regel, of maak een enkel tandwiel.");
const std::string_view kViewInputFaultLead =
    NV_TEXT("No design is drawn: a field of this tab is refused.",
            "Er is geen ontwerp getekend: een veld van dit tabblad wordt geweigerd.");
const std::string_view kViewStatusPrefix =
    NV_TEXT("Wheel = zoom   drag = pan   double-click = fit   (",
            "Wiel = zoomen   slepen = verschuiven   dubbelklik = passend   (");
const std::string_view kViewStatusSuffix = NV_TEXT(" px/mm)", " px/mm)");
}

namespace texts {
const std::string_view kShiftOfGear2Prefix = NV_TEXT("x2 = ", "x2 = ");
}
