#include "texts/input_fault_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kFaultHelixAngle = NV_TEXT("Helix angle β [°]", "Schuinte β [°]");
const std::string_view kFaultBore1 = NV_TEXT("Bore d1 [mm]", "Boring d1 [mm]");
const std::string_view kFaultBore2 = NV_TEXT("Bore d2 [mm]", "Boring d2 [mm]");
const std::string_view kFaultRingRim = NV_TEXT("Ring rim [mm]", "Rand ring [mm]");

const std::string_view kFaultOutsideRange = NV_TEXT(" is outside the valid range ", " ligt buiten het geldige bereik ");
const std::string_view kFaultRangeTo = NV_TEXT(" to ", " tot ");
const std::string_view kFaultMustBeMoreThan = NV_TEXT(" must be more than ", " moet groter zijn dan ");
const std::string_view kFaultMustNotBeLessThan = NV_TEXT(" must not be less than ", " mag niet kleiner zijn dan ");
const std::string_view kFaultNoNumber = NV_TEXT(" is no usable number", " is geen bruikbaar getal");
const std::string_view kFaultNoNumberRange = NV_TEXT("; the valid range is ", "; het geldige bereik is ");
const std::string_view kFaultNoNumberMoreThan = NV_TEXT("; it must be more than ", "; het moet groter zijn dan ");
const std::string_view kFaultNoNumberNotLessThan =
    NV_TEXT("; it must not be less than ", "; het mag niet kleiner zijn dan ");
const std::string_view kFaultReadAs = NV_TEXT("; read as ", "; gelezen als ");
const std::string_view kFaultEmptyText = NV_TEXT("(empty)", "(leeg)");

const std::string_view kFaultNotSearchedStart =
    NV_TEXT(" differs from the value the list was calculated for (", " wijkt af van de waarde waarvoor de lijst is berekend (");
const std::string_view kFaultNotSearchedEnd =
    NV_TEXT("); press \"Calculate modules\"", "); druk op \"Modulen berekenen\"");

const std::string_view kFaultReportLead = NV_TEXT("  ! ", "  ! ");
const std::string_view kFaultReportKeptDesign =
    NV_TEXT("  ! The drawing and the report below are those of the last valid inputs",
            "  ! Tekening en rapport hieronder horen bij de laatste geldige invoer");

const std::string_view kFaultStrengthLead =
    NV_TEXT("Nothing is calculated: an input of the main window describes no design.",
            "Er is niets berekend: een invoer van het hoofdvenster beschrijft geen ontwerp.");

const std::string_view kFaultExportRefused =
    NV_TEXT("Nothing was exported: the inputs do not describe the design shown.\r\n",
            "Er is niets geëxporteerd: de invoer beschrijft het getoonde ontwerp niet.\r\n");
}
