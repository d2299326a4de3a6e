// The reports of the pinion with its rack (mode 3) and of the internal pair of
// pinion and ring gear (mode 4), with the ring gear's own block.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "design/report.h"
#include "design/report_fillet_contact.h"
#include "design/report_flank_overlap.h"
#include "design/report_lines.h"
#include "geometry/format.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"
#include "texts/involute_contact_texts.h"
#include "texts/report_texts.h"

namespace {

constexpr double kRadToDeg = 180.0 / std::numbers::pi;

// Transverse base pitch of the pinion: pbt = pi mt cos alpha_t.
double TransverseBasePitch(const GearRecord& pinion) {
  return std::numbers::pi * pinion.transverseModule * std::cos(pinion.transversePressureAngle);
}

// The contact-ratio lines shared by both reports; returns eps_alpha + eps_beta.
double AppendContactRatios(std::string& out, const GearRecord& pinion, const PathOfContactRecord& path,
                           bool helical) {
  const double epsAlpha = (path.posE - path.posA) / TransverseBasePitch(pinion);
  const double epsBeta = helical ? ComputeOverlapRatio(pinion) : 0.0;
  ReportAppendLine(out, {texts::kLabelEpsAlpha, FormatNumber(epsAlpha, 3), texts::kExplTransverseContactRatio});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelEpsBeta, FormatNumber(epsBeta, 3), texts::kExplOverlapRatio});
    ReportAppendLine(out, {texts::kLabelEpsGamma, FormatNumber(epsAlpha + epsBeta, 3),
                           texts::kExplTotalContactRatio});
  }
  return epsAlpha + epsBeta;
}

// The total contact ratio with eps_alpha taken from the involute stretch of
// the path where a tip meets the mate's root fillet.
double UsableTotalContactRatio(double total, const InvoluteContactRecord& contact) {
  if (contact.valid != 1) return total;
  return total - contact.contactRatio + contact.involuteContactRatio;
}

// The line that says why a rack could not be built.
std::string_view RackInvalidText(const GearRecord& rack) {
  switch (FindRackRejection(rack)) {
    case RackRejection::kBackAboveRoot: return texts::kWarnRackInvalid;
    case RackRejection::kNoTooth: return texts::kWarnRackInvalidAllowance;
    case RackRejection::kGapClosed: return texts::kWarnRackInvalidGapClosed;
    case RackRejection::kInputs:
    case RackRejection::kNone: break;
  }
  return texts::kWarnRackInvalidInputs;
}

}  // namespace

std::string ReportBuildRackPair(const GearRecord& pinion, const GearRecord& rack) {
  const bool helical = rack.helixAngle > 0.0;
  const bool bothValid = pinion.valid != 0 && rack.valid != 0;
  const double pitchLine = -ComputeRackPitchLineOffset(pinion);  // A = r1 + x1 mn1
  const double pt = std::numbers::pi * rack.transverseModule;

  std::string out;
  ReportAppendLine(out, {texts::kReportRackPairHeading});
  ReportAppendLine(out, {texts::kLabelA, FormatNumber(pitchLine, 3), texts::kExplRackPitchLine});
  ReportAppendLine(out, {texts::kLabelH, FormatNumber(pitchLine + rack.rackHeight, 3), texts::kExplRackBack});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelBeta, FormatNumber(rack.helixAngle * kRadToDeg, 3),
                           texts::kExplRackPinionHand, FormatHandName(pinion.hand), texts::kExplRackSameAngle});
    ReportAppendLine(out, {texts::kLabelPt, FormatNumber(pt, 4), texts::kExplRackPitchAlong,
                           FormatNumber(std::numbers::pi * rack.normalModule, 4), texts::kLabelCloseParen});
  } else {
    ReportAppendLine(out, {texts::kLabelP, FormatNumber(pt, 4), texts::kExplPitch});
  }
  ReportAppendLine(out, {texts::kLabelV, FormatNumber(static_cast<double>(pinion.teeth) * pt, 3),
                         texts::kExplTravel});
  const double jn = (pinion.thicknessAllowance + rack.thicknessAllowance) * std::cos(pinion.pressureAngle);
  ReportAppendLine(out, {texts::kLabelJn, FormatNumber(jn, 4), texts::kExplNormalBacklash});
  // The rack meshes on the pinion's pitch circle at the transverse pressure angle.
  if (bothValid) {
    ReportAppendFlankOverlap(out, ComputeFlankOverlap(jn, pinion.transversePressureAngle, pinion.baseHelixAngle));
  }
  if (bothValid) {
    PathOfContactRecord path;
    if (ComputeRackPathOfContact(pinion, rack, 0.0, path) != 0) {
      const double total = AppendContactRatios(out, pinion, path, helical);
      InvoluteContactRecord contact;
      ComputeRackInvoluteContact(pinion, rack, contact);
      ReportAppendFilletContactLines(out, contact, texts::kContactNamePinion, texts::kContactNameRack);
      if (UsableTotalContactRatio(total, contact) < kMinTotalContactRatio) {
        ReportAppendLine(out, {texts::kWarnContactRatio});
      }
    } else {
      ReportAppendLine(out, {texts::kWarnMeshUndefined});
    }
  }

  out += kReportLineEnd;
  ReportAppendLine(out, {texts::kReportCaptionRack});
  if (rack.valid != 0) {
    const double mn = rack.normalModule;
    ReportAppendLine(out, {texts::kLabelN, std::to_string(rack.teeth), texts::kExplRackTeeth,
                           FormatNumber(rack.rackLength, 3), texts::kExplLength});
    ReportAppendLine(out, {texts::kLabelS, FormatNumber(rack.pitchThickness, 3), texts::kExplRackThickness});
    ReportAppendLine(out, {texts::kLabelHa, FormatNumber(rack.addendumFactor * mn, 3), texts::kLabelHf,
                           FormatNumber(rack.dedendumFactor * mn, 3), texts::kExplAddendumDedendum});
    ReportAppendLine(out, {texts::kLabelHp, FormatNumber(rack.rackHeight, 3), texts::kExplRackBackFace,
                           FormatNumber(rack.faceWidth, 2)});
    if (rack.toolTipRadiusFactor < kRackToolTipRoundingFactor) {
      ReportAppendLine(out, {texts::kWarnRackRootRounding, FormatNumber(rack.toolTipRadiusFactor * mn, 3),
                             texts::kWarnRackRootRoundingSuffix});
    }
    if (rack.pointed != 0) ReportAppendLine(out, {texts::kWarnRackPointed});
  } else {
    ReportAppendLine(out, {RackInvalidText(rack)});
  }

  out += kReportLineEnd;
  out += ReportBuildGearBlock(pinion, texts::kReportCaptionPinion);
  return out;
}

std::string ReportBuildInternalPair(const GearRecord& pinion, const GearRecord& ring, double centreDistance,
                                    double penetration) {
  std::string out;
  ReportAppendLine(out, {texts::kReportInternalHeading});
  if (pinion.valid == 0 || ring.valid == 0) {
    ReportAppendLine(out, {texts::kWarnInternalInvalid});
    out += kReportLineEnd;
    out += ReportBuildRingGearBlock(ring, texts::kReportCaptionRing);
    return out;
  }

  const double a = centreDistance;
  const double mn1 = pinion.normalModule;
  const bool helical = pinion.helixAngle > 0.0;
  // Reference centre distance of an internal pair: a0 = mt (z2 - z1) / 2.
  const double a0 = pinion.transverseModule * static_cast<double>(ring.teeth - pinion.teeth) / 2.0;
  const double jn = (pinion.thicknessAllowance + ring.thicknessAllowance) * std::cos(pinion.pressureAngle);
  // Tip clearances: the pinion (at distance a from the ring's axis) reaches
  // a + ra1 outwards, its root a + rf1.
  const double c1 = ring.rootRadius - (a + pinion.tipRadius);
  const double c2 = ring.tipRadius - (a + pinion.rootRadius);

  PathOfContactRecord path;
  const bool meshDefined = ComputeInternalPathOfContact(pinion, ring, a, 0.0, path) != 0;

  ReportAppendLine(out, {texts::kLabelA, FormatNumber(a, 3), texts::kExplCentreDistance});
  ReportAppendLine(out, {texts::kLabelA0, FormatNumber(a0, 3), texts::kExplReferenceCentreDistance});
  ReportAppendLine(out, {texts::kLabelI,
                         FormatNumber(static_cast<double>(ring.teeth) / static_cast<double>(pinion.teeth), 4),
                         texts::kExplInternalRatio});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelBeta, FormatNumber(pinion.helixAngle * kRadToDeg, 3),
                           texts::kExplInternalHand, FormatHandName(pinion.hand)});
  }
  if (meshDefined) {
    ReportAppendLine(out, {texts::kLabelAlphaW, FormatNumber(path.workingPressureAngle * kRadToDeg, 3),
                           texts::kExplOperatingPressureAngle});
  }
  ReportAppendLine(out, {texts::kLabelDeltaX, FormatNumber(ring.profileShift - pinion.profileShift, 4),
                         texts::kExplShiftDifference});
  ReportAppendLine(out, {texts::kLabelJn, FormatNumber(jn, 4), texts::kExplNormalBacklash});
  double totalContactRatio = 0.0;
  if (meshDefined) {
    ReportAppendLine(out, {texts::kLabelGAlpha, FormatNumber(path.posE - path.posA, 3), texts::kExplPathLength});
    totalContactRatio = AppendContactRatios(out, pinion, path, helical);
  }
  ReportAppendLine(out, {texts::kLabelC1, FormatNumber(c1, 3), texts::kExplClearance1});
  ReportAppendLine(out, {texts::kLabelC2, FormatNumber(c2, 3), texts::kExplClearance2});
  InvoluteContactRecord contact;
  if (meshDefined) ComputeInternalInvoluteContact(pinion, ring, a, contact);
  if (!meshDefined) {
    ReportAppendLine(out, {texts::kWarnMeshUndefined});
  } else if (UsableTotalContactRatio(totalContactRatio, contact) < kMinTotalContactRatio) {
    ReportAppendLine(out, {texts::kWarnContactRatio});
  }
  if (c1 < kMinTipClearanceModules * mn1 || c2 < kMinTipClearanceModules * mn1) {
    ReportAppendLine(out, {texts::kWarnClearance});
  }
  // The ring tip reaches into the pinion's root fillet when contact starts
  // (A) nearer to T1 than the start of the usable involute, sqrt(rF1^2 - rb1^2).
  if (meshDefined) {
    const double formRoll = std::sqrt(std::max(pinion.formRadius * pinion.formRadius -
                                                   pinion.baseRadius * pinion.baseRadius,
                                               0.0));
    if (path.posA < formRoll - kRingTipFilletTolerance) ReportAppendLine(out, {texts::kWarnRingTipFillet});
    ReportAppendFilletContactLines(out, contact, texts::kContactNamePinion, texts::kContactNameRing);
  }
  if (penetration > kInterferenceReportModules * mn1) {
    ReportAppendLine(out, {texts::kWarnInterferencePrefix, FormatNumber(penetration, 3),
                           texts::kWarnInterferenceSuffix});
    ReportAppendLine(out, {texts::kWarnInterferenceHint});
  } else {
    ReportAppendLine(out, {texts::kReportNoInterference});
  }

  out += kReportLineEnd;
  out += ReportBuildGearBlock(pinion, texts::kReportCaptionPinion);
  out += kReportLineEnd;
  out += ReportBuildRingGearBlock(ring, texts::kReportCaptionRing);
  return out;
}

std::string ReportBuildRingGearBlock(const GearRecord& ring, std::string_view caption) {
  const bool helical = ring.helixAngle > 0.0;
  const double mn = ring.normalModule;

  std::string out;
  ReportAppendLine(out, {caption});
  if (helical) {
    ReportAppendLine(out, {texts::kLabelZ, std::to_string(ring.teeth), texts::kLabelMn, FormatNumberTrimmed(mn),
                           texts::kLabelMmMt, FormatNumber(ring.transverseModule, 4)});
    ReportAppendLine(out, {texts::kLabelBeta, FormatNumber(ring.helixAngle * kRadToDeg, 3),
                           texts::kLabelDegreeBlank, FormatHandName(ring.hand), texts::kLabelAlphaT,
                           FormatNumber(ring.transversePressureAngle * kRadToDeg, 3), texts::kLabelDegree});
  } else {
    ReportAppendLine(out, {texts::kLabelZ, std::to_string(ring.teeth), texts::kLabelM, FormatNumberTrimmed(mn),
                           texts::kLabelMm});
  }
  ReportAppendLine(out, {texts::kLabelX, FormatNumber(ring.profileShift, 4), texts::kExplRingShift});
  ReportAppendLine(out, {texts::kLabelD, FormatNumber(2.0 * ring.pitchRadius, 3), texts::kExplPitchCircle});
  ReportAppendLine(out, {texts::kLabelDa, FormatNumber(2.0 * ring.tipRadius, 3), texts::kExplRingTipCircle});
  ReportAppendLine(out, {texts::kLabelDf, FormatNumber(2.0 * ring.rootRadius, 3), texts::kExplRootCircle});
  ReportAppendLine(out, {texts::kLabelDb, FormatNumber(2.0 * ring.baseRadius, 3), texts::kExplBaseCircle});
  ReportAppendLine(out, {texts::kLabelDaRim, FormatNumber(2.0 * ring.rimRadius, 3), texts::kExplOutsideDiameter});
  ReportAppendLine(out, {texts::kLabelE, FormatNumber(ring.pitchThickness, 3), texts::kExplSpaceWidth});
  ReportAppendLine(out, {texts::kLabelSa, FormatNumber(ring.tipThickness, 3), texts::kExplRingTipThickness});
  if (ring.tipShortening > 0.0) {
    ReportAppendLine(out, {texts::kLabelKM, FormatNumber(ring.tipShortening * mn, 3), texts::kExplTipReduction});
  }
  ReportAppendLine(out, {texts::kLabelB, FormatNumber(ring.faceWidth, 2)});
  // Only a built ring has a ball dimension, and only a ball that touches the
  // involute flanks gives one (overPins > 0).
  if (ring.valid != 0) {
    ReportAppendLine(out, {texts::kReportRingInspectionHeading});
    if (ring.overPins > 0.0) {
      ReportAppendLine(out, {texts::kLabelMi, FormatNumber(ring.overPins, 3), texts::kExplBetweenBalls,
                             FormatNumber(ring.pinDiameter, 2)});
      if (ring.pinProtrudes == 0) ReportAppendLine(out, {texts::kWarnBallNotProtruding});
    } else {
      ReportAppendLine(out, {texts::kWarnBallOutsideInvolute});
    }
  }
  if (ring.undercut != 0) ReportAppendLine(out, {texts::kWarnRingTipBelowBase});
  if (ring.toolTipRadiusFactor < kRingTipRoundingFactor) {
    ReportAppendLine(out, {texts::kWarnToolTipRounding, FormatNumber(ring.toolTipRadiusFactor * mn, 3),
                           texts::kWarnToolTipRoundingSuffix});
  }
  if (ring.pointed != 0) ReportAppendLine(out, {texts::kWarnRingPointed});
  if (ring.valid == 0) ReportAppendLine(out, {texts::kWarnInvalid});
  return out;
}
