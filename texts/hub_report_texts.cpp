#include "texts/hub_report_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kHubReportKeyway = NV_TEXT("  keyway b × t2 = ", "  spiebaan b × t2 = ");
const std::string_view kHubReportTimes = " × ";
const std::string_view kHubReportDinKey = NV_TEXT("  (DIN 6885-1, key ", "  (DIN 6885-1, spie ");
const std::string_view kHubReportCustomSize = NV_TEXT("  (custom size)", "  (eigen maten)");
const std::string_view kHubReportKeywayMaterial =
    NV_TEXT("  ! too little material between keyway and root (", "  ! te weinig materiaal tussen spiebaan en voet (");
const std::string_view kHubReportBoreMaterial =
    NV_TEXT("  ! too little material between bore and root (", "  ! te weinig materiaal tussen boring en voet (");
const std::string_view kHubReportMmClose = " mm)";
const std::string_view kHubReportHub = NV_TEXT("  hub Ø ", "  naaf Ø ");
const std::string_view kHubReportLeft = NV_TEXT(" left", " links");
const std::string_view kHubReportRight = NV_TEXT(" right", " rechts");
const std::string_view kHubReportBothSides = NV_TEXT(" on both sides", " aan beide kanten");
const std::string_view kHubReportTotalLength = NV_TEXT("   (total length ", "   (totale lengte ");
const std::string_view kHubReportWarning = "  ! ";
}
