// Texts of the bore, keyway and hub lines in a gear's report block.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kHubReportKeyway;
extern const std::string_view kHubReportTimes;
extern const std::string_view kHubReportDinKey;
extern const std::string_view kHubReportCustomSize;
extern const std::string_view kHubReportKeywayMaterial;
extern const std::string_view kHubReportBoreMaterial;
extern const std::string_view kHubReportMmClose;
extern const std::string_view kHubReportHub;
extern const std::string_view kHubReportLeft;
extern const std::string_view kHubReportRight;
extern const std::string_view kHubReportBothSides;
extern const std::string_view kHubReportTotalLength;
extern const std::string_view kHubReportWarning;
}
