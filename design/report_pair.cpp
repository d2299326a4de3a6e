// The pair section of the main report (mode 1): centre distances, ratio,
// operating pressure angle, backlash and contact ratios.
#include <cmath>
#include <numbers>
#include <string>

#include "design/report.h"
#include "design/report_fillet_contact.h"
#include "design/report_flank_overlap.h"
#include "design/report_lines.h"
#include "geometry/format.h"
#include "geometry/path_of_contact.h"
#include "geometry/tolerances.h"
#include "texts/involute_contact_texts.h"
#include "texts/report_texts.h"

namespace {
constexpr double kRadToDeg = 180.0 / std::numbers::pi;
}  // namespace

std::string ReportBuildPairSection(const GearRecord& gear1, const GearRecord& gear2,
                                   double centreDistance) {
  const double a = centreDistance;
  const double z1 = static_cast<double>(gear1.teeth);
  const double z2 = static_cast<double>(gear2.teeth);
  const double beta1 = gear1.helixAngle;
  const bool helical = beta1 > 0.0;

  // Reference centre distance a0 = mt (z1 + z2) / 2.
  const double a0 = gear1.transverseModule * (z1 + z2) / 2.0;
  // Normal backlash from the two thickness allowances: jn = (As1 + As2) cos alpha_n.
  const double jn = (gear1.thicknessAllowance + gear2.thicknessAllowance) * std::cos(gear1.pressureAngle);

  // The line of action at rotation 0 gives alpha_w and the length A-E; it is
  // valid only for a possible mesh (a > rb1 + rb2, valid gears, ra > rb).
  PathOfContactRecord path;
  const bool meshDefined = ComputePairPathOfContact(gear1, gear2, a, 0.0, path) != 0;

  std::string out;
  ReportAppendLine(out, {texts::kReportPairHeading});
  ReportAppendLine(out, {texts::kLabelA, FormatNumber(a, 3), texts::kExplCentreDistance});
  ReportAppendLine(out, {texts::kLabelA0, FormatNumber(a0, 3), texts::kExplReferenceCentreDistance});
  ReportAppendLine(out, {texts::kLabelI, FormatNumber(z2 / z1, 4), texts::kExplRatio});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelBeta, FormatNumber(beta1 * kRadToDeg, 3), texts::kExplHandGear1,
                           FormatHandName(gear1.hand), texts::kExplHandGear2, FormatHandName(gear2.hand)});
  }
  if (meshDefined) {
    ReportAppendLine(out, {texts::kLabelAlphaW, FormatNumber(path.workingPressureAngle * kRadToDeg, 3),
                           texts::kExplOperatingPressureAngle});
  }
  ReportAppendLine(out, {texts::kLabelSigmaX, FormatNumber(gear1.profileShift + gear2.profileShift, 4)});
  ReportAppendLine(out, {texts::kLabelKM, FormatNumber(gear1.tipShortening * gear1.normalModule, 3),
                         texts::kExplTipShortening});
  ReportAppendLine(out, {texts::kLabelJn, FormatNumber(jn, 4), texts::kExplNormalBacklash});
  if (!meshDefined) {
    ReportAppendLine(out, {texts::kWarnMeshUndefined});
    return out;
  }

  // Circumferential backlash on the operating pitch circle: jt = jn / (cos alpha_w cos beta_b).
  const double jt = jn / (std::cos(path.workingPressureAngle) * std::cos(gear1.baseHelixAngle));
  const double epsAlpha = ComputeTransverseContactRatio(gear1, gear2, a);
  const double epsBeta = helical ? ComputeOverlapRatio(gear1) : 0.0;

  ReportAppendLine(out, {texts::kLabelJt, FormatNumber(jt, 4), texts::kExplCircumferentialBacklash});
  ReportAppendFlankOverlap(out, ComputeFlankOverlap(jn, path.workingPressureAngle, gear1.baseHelixAngle));
  ReportAppendLine(out, {texts::kLabelGAlpha, FormatNumber(path.posE - path.posA, 3), texts::kExplPathLength});
  ReportAppendLine(out, {texts::kLabelEpsAlpha, FormatNumber(epsAlpha, 3), texts::kExplTransverseContactRatio});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelEpsBeta, FormatNumber(epsBeta, 3), texts::kExplOverlapRatio});
    ReportAppendLine(out, {texts::kLabelEpsGamma, FormatNumber(epsAlpha + epsBeta, 3),
                           texts::kExplTotalContactRatio});
  }
  // Where a tip meets the mate's root fillet, only the involute stretch of
  // A..E counts, also for the contact-ratio warning.
  InvoluteContactRecord contact;
  ComputePairInvoluteContact(gear1, gear2, a, contact);
  ReportAppendFilletContactLines(out, contact, texts::kContactNameGear1, texts::kContactNameGear2);
  const double usableEpsAlpha = contact.valid == 1 ? contact.involuteContactRatio : epsAlpha;
  if (usableEpsAlpha + epsBeta < kMinTotalContactRatio) ReportAppendLine(out, {texts::kWarnContactRatio});
  return out;
}
