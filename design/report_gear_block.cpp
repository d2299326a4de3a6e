// The report block of one external gear: gear data, circles, thicknesses,
// inspection dimensions and the warnings of the geometry.
#include <cmath>
#include <numbers>
#include <string>

#include "design/hub_keyway_report.h"
#include "design/report.h"
#include "design/report_lines.h"
#include "geometry/format.h"
#include "geometry/tolerances.h"
#include "geometry/tool_rounding.h"
#include "texts/report_texts.h"

namespace {
constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// Span and pin dimension with their warnings. A span or pin that touches no
// usable involute has no dimension: only its warning is printed.
void AppendInspectionLines(std::string& out, const GearRecord& rec) {
  const bool helical = rec.helixAngle > 0.0;
  const double ra = rec.tipRadius;
  ReportAppendLine(out, {texts::kReportInspectionHeading});
  // A span whose measuring points lie off the usable involute is no
  // dimension a caliper takes: only its warning is printed.
  if (rec.spanContactRadius > ra || rec.spanContactRadius < rec.formRadius) {
    ReportAppendLine(out, {texts::kWarnSpanOutsideInvolute});
  } else {
    ReportAppendLine(out, {texts::kLabelWk, FormatNumber(rec.span, 3), texts::kExplSpan,
                           std::to_string(rec.spanTeeth)});
    // The span is measured on a helical gear over a length spanAxialLength
    // of the face, plus 1 mm at each side.
    const double spanWidth = rec.spanAxialLength + 2.0;
    if (helical && spanWidth > rec.faceWidth) {
      ReportAppendLine(out, {texts::kWarnSpanFaceWidth, FormatNumber(spanWidth, 1), texts::kLabelCloseParen});
    }
  }
  if (rec.overPins > 0.0) {
    const bool oddTeeth = rec.teeth % 2 != 0;
    const std::string overPins = FormatNumber(rec.overPins, 3);
    const std::string pinDiameter = FormatNumber(rec.pinDiameter, 2);
    if (oddTeeth) {
      ReportAppendLine(out, {texts::kLabelMd, overPins, texts::kExplOverBalls, pinDiameter, texts::kExplOddTeeth});
    } else if (helical) {
      ReportAppendLine(out, {texts::kLabelMd, overPins, texts::kExplOverBalls, pinDiameter});
    } else {
      ReportAppendLine(out, {texts::kLabelMd, overPins, texts::kExplOverPins, pinDiameter});
    }
    if (rec.pinProtrudes == 0) ReportAppendLine(out, {texts::kWarnPinNotProtruding});
  }
  if (rec.overPins <= 0.0 || rec.pinContactRadius > ra || rec.pinContactRadius < rec.formRadius) {
    ReportAppendLine(out, {texts::kWarnPinOutsideInvolute});
  }
}

}  // namespace

std::string ReportBuildGearBlock(const GearRecord& rec, std::string_view caption) {
  const bool helical = rec.helixAngle > 0.0;
  const double mn = rec.normalModule;
  const double ra = rec.tipRadius;
  const std::string z = std::to_string(rec.teeth);

  std::string out;
  ReportAppendLine(out, {caption});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelZ, z, texts::kLabelMn, FormatNumberTrimmed(mn), texts::kLabelMmMt,
                           FormatNumber(rec.transverseModule, 4)});
    ReportAppendLine(out, {texts::kLabelBeta, FormatNumber(rec.helixAngle * kRadToDeg, 3),
                           texts::kLabelDegreeBlank, FormatHandName(rec.hand), texts::kLabelBetaB,
                           FormatNumber(rec.baseHelixAngle * kRadToDeg, 3), texts::kLabelDegree,
                           texts::kLabelAlphaT, FormatNumber(rec.transversePressureAngle * kRadToDeg, 3),
                           texts::kLabelDegree});
  } else {
    ReportAppendLine(out, {texts::kLabelZ, z, texts::kLabelM, FormatNumberTrimmed(mn), texts::kLabelMm});
  }
  ReportAppendLine(out, {texts::kLabelX, FormatNumber(rec.profileShift, 4), texts::kExplMinShift,
                         FormatNumber(rec.minProfileShift, 3), texts::kLabelCloseParen});
  ReportAppendLine(out, {texts::kLabelD, FormatNumber(2.0 * rec.pitchRadius, 3), texts::kExplPitchCircle});
  ReportAppendLine(out, {texts::kLabelDa, FormatNumber(2.0 * ra, 3), texts::kExplTipCircle});
  ReportAppendLine(out, {texts::kLabelDf, FormatNumber(2.0 * rec.rootRadius, 3), texts::kExplRootCircle});
  ReportAppendLine(out, {texts::kLabelDb, FormatNumber(2.0 * rec.baseRadius, 3), texts::kExplBaseCircle});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelSt, FormatNumber(rec.pitchThickness, 3), texts::kExplThicknessTransverse});
    // Lead of the helix pz = pi d / tan beta.
    const double lead = 2.0 * std::numbers::pi * rec.pitchRadius / std::tan(rec.helixAngle);
    ReportAppendLine(out, {texts::kLabelPz, FormatNumber(lead, 2), texts::kExplLead});
  } else {
    ReportAppendLine(out, {texts::kLabelS, FormatNumber(rec.pitchThickness, 3), texts::kExplThickness});
  }
  if (rec.thicknessAllowance != 0.0) {
    ReportAppendLine(out, {texts::kLabelAs, FormatNumber(rec.thicknessAllowance, 4), texts::kExplAllowance,
                           FormatNumber(rec.toolShift, 4), texts::kLabelCloseParen});
  }
  ReportAppendLine(out, {texts::kLabelSa, FormatNumber(rec.tipThickness, 3), texts::kExplTipThickness});
  ReportAppendLine(out, {texts::kLabelB, FormatNumber(rec.faceWidth, 2), texts::kExplBore,
                         FormatNumber(rec.boreDiameter, 2)});
  out += ReportBuildHubKeywayLines(rec);

  // An invalid gear has no inspection values: they would belong to a gear
  // that was never built.
  if (rec.valid != 0) AppendInspectionLines(out, rec);
  if (rec.undercut != 0) ReportAppendLine(out, {texts::kWarnUndercut});
  if (rec.toolTipRadiusFactor < kToolTipRoundingFactor) {
    ReportAppendLine(out, {texts::kWarnToolTipRounding, FormatNumber(rec.toolTipRadiusFactor * mn, 3),
                           texts::kWarnToolTipRoundingSuffix});
  }
  if (rec.pointed != 0) {
    ReportAppendLine(out, {texts::kWarnPointed});
  } else if (rec.tipThickness < kMinTipThicknessModules * mn) {
    ReportAppendLine(out, {texts::kWarnTipThickness});
  }
  if (rec.boreDiameter >= 2.0 * rec.rootRadius) ReportAppendLine(out, {texts::kWarnBoreRoot});
  if (rec.valid == 0) ReportAppendLine(out, {texts::kWarnInvalid});
  return out;
}
