#include "texts/shaft_key_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kKeyNoKeyway =
    NV_TEXT("no keyway: shaft-hub connection (press fit, clamp or spline) not calculated",
            "geen spiebaan: as-naafverbinding (pers-, klem- of spievertanding) niet berekend");
const std::string_view kKeyNoBore =
    NV_TEXT("no bore: gear solid on the shaft, or enter a bore", "geen boring: wiel op de as (massief) of boring nog opgeven");
const std::string_view kKeyNoBearingLength =
    NV_TEXT("key shorter than its width: no bearing length", "spie korter dan haar breedte: geen dragende lengte");
const std::string_view kKeyNoAllowablePressure =
    NV_TEXT("no permissible key pressure: check the yield strengths of shaft and hub",
            "geen toelaatbare spiedruk: vloeigrenzen van as en naaf controleren");
const std::string_view kKeyOneSufficient = NV_TEXT("1 key is sufficient", "1 spie volstaat");
const std::string_view kKeyTwoSufficient = NV_TEXT("2 keys (180 degrees) are sufficient", "2 spieen (180 graden) volstaan");
const std::string_view kKeyTwoNeeded = NV_TEXT("2 keys (180 degrees) needed, or a key length of at least ",
                                               "2 spieen (180 graden) nodig, of een spielengte van ten minste ");
const std::string_view kKeyMakeLonger = NV_TEXT("make the key longer: at least ", "spie langer maken: ten minste ");
const std::string_view kKeyOverloaded = NV_TEXT("key overloaded: larger shaft, longer hub (key ",
                                                "spie te zwaar belast: grotere as, langere naaf (spie ");
const std::string_view kKeyOverloadedEnd = NV_TEXT(" mm needed) or spline", " mm nodig) of spievertanding");
const std::string_view kKeyMm = " mm";
}
