#include "texts/involute_contact_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kWarnFilletContactPrefix = NV_TEXT("  ! the tip of ", "  ! de kop van ");
const std::string_view kWarnFilletContactMiddle = NV_TEXT(" meets the root fillet of ", " raakt de voetronding van ");
const std::string_view kWarnFilletContactSuffix = NV_TEXT(": usable εα = ", ": bruikbare εα = ");
const std::string_view kContactNameGear1 = NV_TEXT("gear 1", "wiel 1");
const std::string_view kContactNameGear2 = NV_TEXT("gear 2", "wiel 2");
const std::string_view kContactNamePinion = NV_TEXT("the pinion", "het rondsel");
const std::string_view kContactNameRack = NV_TEXT("the rack", "de heugel");
const std::string_view kContactNameRing = NV_TEXT("the ring gear", "de ring");

const std::string_view kStrengthWarnFilletPrefix =
    NV_TEXT("  ! tip contact in the root fillet of ", "  ! kopcontact in de voetronding van ");
const std::string_view kStrengthWarnFilletMiddle =
    NV_TEXT(": εα ", ": εα ");
const std::string_view kStrengthWarnFilletSuffix =
    NV_TEXT(" on the involute flanks (", " op de evolventflanken (");
const std::string_view kStrengthWarnFilletEnd =
    NV_TEXT(" from the tip circles)", " uit de kopcirkels)");
const std::string_view kContactNamesAnd = NV_TEXT(" and ", " en ");

const std::string_view kStrengthRatingOutsideLegend =
    NV_TEXT("  ? = minimum reached, but the method does not hold for this pair (see the lines with !)",
            "  ? = minimum gehaald, maar de methode geldt niet voor dit paar (zie de regels met !)");
}  // namespace texts
