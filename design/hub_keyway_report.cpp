// The bore, keyway and hub lines of a gear's report block.
#include "design/hub_keyway_report.h"

#include "design/report_lines.h"
#include "geometry/bore_outline.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "texts/hub_report_texts.h"

std::string ReportBuildHubKeywayLines(const GearRecord& rec) {
  std::string out;
  const double mn = rec.normalModule;
  const double rf = rec.rootRadius;
  const double bore = rec.boreDiameter;

  if (GearHasKeyway(rec) != 0) {
    std::string line = std::string(texts::kHubReportKeyway) + FormatNumber(rec.keyWidth, 1) +
                       std::string(texts::kHubReportTimes) + FormatNumber(rec.hubKeywayDepth, 1);
    if (rec.keyFromDin != 0) {
      line += std::string(texts::kHubReportDinKey) + FormatNumber(rec.keyWidth, 0) +
              std::string(texts::kHubReportTimes) + FormatNumber(rec.keyHeight, 0) + ")";
    } else {
      line += texts::kHubReportCustomSize;
    }
    ReportAppendLine(out, {line});
    // Material between the keyway's floor and the root circle; less than one
    // module risks a crack from the keyway corner.
    const double wall = rf - ComputeBoreOuterRadius(rec);
    if (mn > wall) {
      ReportAppendLine(out, {texts::kHubReportKeywayMaterial, FormatNumber(wall, 2), texts::kHubReportMmClose});
    }
  } else if (bore > 0.0) {
    const double wall = rf - bore / 2.0;
    if (mn > wall) {
      ReportAppendLine(out, {texts::kHubReportBoreMaterial, FormatNumber(wall, 2), texts::kHubReportMmClose});
    }
  }

  if (GearHasHub(rec) != 0) {
    const bool bothSides = rec.hubSide == 3;
    const std::string_view side = rec.hubSide == 1   ? texts::kHubReportLeft
                                  : rec.hubSide == 2 ? texts::kHubReportRight
                                                     : texts::kHubReportBothSides;
    const double totalLength = rec.faceWidth + rec.hubLength * (bothSides ? 2.0 : 1.0);
    ReportAppendLine(out, {texts::kHubReportHub, FormatNumber(rec.hubDiameter, 1), texts::kHubReportTimes,
                           FormatNumber(rec.hubLength, 1), side, texts::kHubReportTotalLength,
                           FormatNumber(totalLength, 1), ")"});
  }

  if (!rec.warnings.empty()) {
    std::string text = rec.warnings;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    while (!text.empty() && text.back() == ';') text.pop_back();
    ReportAppendLine(out, {texts::kHubReportWarning, text});
  }
  return out;
}
