// The warning for flanks that overlap through a backlash below 0.
#include "design/report_flank_overlap.h"

#include <cmath>

#include "design/report_lines.h"
#include "geometry/format.h"
#include "geometry/tolerances.h"
#include "texts/report_texts.h"

double ComputeFlankOverlap(double normalBacklash, double workingPressureAngle, double baseHelixAngle) {
  if (!(normalBacklash < 0.0)) return 0.0;
  // The circumferential backlash jt = jn / (cos alpha_wt cos beta_b) is the
  // gap left on the operating pitch circle; below 0 it is the overlap.
  return -normalBacklash / (std::cos(workingPressureAngle) * std::cos(baseHelixAngle));
}

void ReportAppendFlankOverlap(std::string& out, double overlap) {
  if (!(overlap > kFlankOverlapReportTolerance)) return;
  ReportAppendLine(out, {texts::kWarnInterferencePrefix, FormatNumber(overlap, 4), texts::kWarnInterferenceSuffix});
  ReportAppendLine(out, {texts::kWarnFlankOverlapHint});
}
