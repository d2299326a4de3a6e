// The main report of the active mode: the pair, single, rack or internal report.
#include <string>

#include "design/report.h"
#include "texts/report_texts.h"

std::string ReportBuildText(const ReportDesign& design) {
  switch (design.mode) {
    case 1:
      if (design.gear1 == nullptr || design.gear2 == nullptr) return {};
      return ReportBuildPairSection(*design.gear1, *design.gear2, design.pairCentreDistance) +
             std::string(kReportLineEnd) + ReportBuildGearBlock(*design.gear1, texts::kReportCaptionGear1) +
             std::string(kReportLineEnd) + ReportBuildGearBlock(*design.gear2, texts::kReportCaptionGear2);
    case 2:
      if (design.gear1 == nullptr) return {};
      return ReportBuildGearBlock(*design.gear1, texts::kReportCaptionSingle);
    case 3:
      if (design.gear1 == nullptr || design.rack == nullptr) return {};
      return ReportBuildRackPair(*design.gear1, *design.rack);
    case 4:
      if (design.gear1 == nullptr || design.ring == nullptr) return {};
      return ReportBuildInternalPair(*design.gear1, *design.ring, design.internalCentreDistance,
                                     design.internalPenetration);
    default:
      return {};
  }
}
