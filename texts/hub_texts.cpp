#include "texts/hub_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kHubWarnNoDinSize = NV_TEXT("keyway: no DIN 6885 size for this bore (6 < d <= 230 mm); ",
                                                   "spiebaan: geen DIN 6885-maat voor deze boring (6 < d <= 230 mm); ");
const std::string_view kHubWarnKeywayNoBore = NV_TEXT("keyway: no bore; ", "spiebaan: geen boring; ");
const std::string_view kHubWarnKeyWidthNotPositive =
    NV_TEXT("keyway: width b must be more than 0, no keyway cut; ", "spiebaan: breedte b moet groter zijn dan 0, geen spiebaan; ");
const std::string_view kHubWarnKeyDepthNotPositive =
    NV_TEXT("keyway: depth t2 must be more than 0, no keyway cut; ", "spiebaan: diepte t2 moet groter zijn dan 0, geen spiebaan; ");
const std::string_view kHubWarnKeywayTooWide = NV_TEXT("keyway wider than the bore; ", "spiebaan breder dan de boring; ");
const std::string_view kHubWarnLengthZero = NV_TEXT("hub: length 0; ", "naaf: lengte 0; ");
const std::string_view kHubWarnTooLarge = NV_TEXT("hub larger than the root circle (max. ", "naaf groter dan de voetcirkel (max. ");
const std::string_view kHubWarnTooLargeEnd = " mm); ";
const std::string_view kHubWarnTooSmall = NV_TEXT("hub smaller than bore/keyway; ", "naaf kleiner dan boring/spiebaan; ");

const std::string_view kHubWindowTitle = NV_TEXT("Hub and keyway", "Naaf en spiebaan");
const std::string_view kHubGear1Heading = NV_TEXT("Gear 1 / pinion", "Wiel 1 / rondsel");
const std::string_view kHubGear2Heading = NV_TEXT("Gear 2 (gear pair only)", "Wiel 2 (alleen bij het tandwielpaar)");
const std::string_view kHubKeywayLabel = NV_TEXT("Keyway", "Spiebaan");
const std::string_view kHubKeywayNone = NV_TEXT("none", "geen");
const std::string_view kHubKeywayDin = "DIN 6885-1";
const std::string_view kHubKeywayCustom = NV_TEXT("custom size", "eigen maten");
const std::string_view kHubKeySizeLabel = NV_TEXT("Width b / depth t2 [mm]", "Breedte b / diepte t2 [mm]");
const std::string_view kHubKeyDepthTip = NV_TEXT("Depth of the keyway in the hub, measured from the bore",
                                                 "Diepte van de spiebaan in de naaf, gemeten vanaf de boring");
const std::string_view kHubSideLabel = NV_TEXT("Hub", "Naaf");
const std::string_view kHubSideNone = NV_TEXT("none", "geen");
const std::string_view kHubSideLeft = NV_TEXT("left", "links");
const std::string_view kHubSideRight = NV_TEXT("right", "rechts");
const std::string_view kHubSideBoth = NV_TEXT("both sides", "beide kanten");
const std::string_view kHubSizeLabel = NV_TEXT("Hub Ø D / length L [mm]", "Naaf Ø D / lengte L [mm]");
const std::string_view kHubDiameterTip = NV_TEXT("Empty or 0: automatic", "Leeg of 0: automatisch");
const std::string_view kHubLengthTip = NV_TEXT("Length outside the gear, per side", "Lengte buiten het tandwiel, per kant");
const std::string_view kHubLengthDefault = "10";
const std::string_view kHubWindowNote =
    NV_TEXT("The keyway lies under a tooth and runs the full length. Ring gears and racks get no hub or keyway.",
            "De spiebaan ligt onder een tand en loopt over de hele lengte. Ringwiel en heugel krijgen geen naaf of spiebaan.");
const std::string_view kHubCloseText = NV_TEXT("Close", "Sluiten");
}
