// Texts of the main report: the pair section, the gear block, the rack pair,
// the internal pair and the ring gear block.
#pragma once

#include <string_view>

namespace texts {
// Captions of the gear blocks.
extern const std::string_view kReportCaptionGear1;
extern const std::string_view kReportCaptionGear2;
extern const std::string_view kReportCaptionSingle;
extern const std::string_view kReportCaptionPinion;
extern const std::string_view kReportCaptionRack;
extern const std::string_view kReportCaptionRing;

// Section headings.
extern const std::string_view kReportPairHeading;
extern const std::string_view kReportRackPairHeading;
extern const std::string_view kReportInternalHeading;

// Labels made of symbols (the same in both builds).
extern const std::string_view kLabelA;
extern const std::string_view kLabelA0;
extern const std::string_view kLabelI;
extern const std::string_view kLabelBeta;
extern const std::string_view kLabelAlphaW;
extern const std::string_view kLabelSigmaX;
extern const std::string_view kLabelDeltaX;
extern const std::string_view kLabelKM;
extern const std::string_view kLabelJn;
extern const std::string_view kLabelJt;
extern const std::string_view kLabelGAlpha;
extern const std::string_view kLabelEpsAlpha;
extern const std::string_view kLabelEpsBeta;
extern const std::string_view kLabelEpsGamma;
extern const std::string_view kLabelZ;
extern const std::string_view kLabelMn;
extern const std::string_view kLabelMmMt;
extern const std::string_view kLabelM;
extern const std::string_view kLabelMm;
extern const std::string_view kLabelDegreeBlank;
extern const std::string_view kLabelBetaB;
extern const std::string_view kLabelAlphaT;
extern const std::string_view kLabelDegree;
extern const std::string_view kLabelX;
extern const std::string_view kLabelD;
extern const std::string_view kLabelDa;
extern const std::string_view kLabelDf;
extern const std::string_view kLabelDb;
extern const std::string_view kLabelSt;
extern const std::string_view kLabelPz;
extern const std::string_view kLabelS;
extern const std::string_view kLabelAs;
extern const std::string_view kLabelSa;
extern const std::string_view kLabelB;
extern const std::string_view kLabelWk;
extern const std::string_view kLabelMd;
extern const std::string_view kLabelH;
extern const std::string_view kLabelPt;
extern const std::string_view kLabelP;
extern const std::string_view kLabelV;
extern const std::string_view kLabelN;
extern const std::string_view kLabelHa;
extern const std::string_view kLabelHf;
extern const std::string_view kLabelHp;
extern const std::string_view kLabelC1;
extern const std::string_view kLabelC2;
extern const std::string_view kLabelDaRim;
extern const std::string_view kLabelE;
extern const std::string_view kLabelMi;
extern const std::string_view kLabelCloseParen;

// Explanations of the pair section.
extern const std::string_view kExplCentreDistance;
extern const std::string_view kExplReferenceCentreDistance;
extern const std::string_view kExplRatio;
extern const std::string_view kExplHandGear1;
extern const std::string_view kExplHandGear2;
extern const std::string_view kExplOperatingPressureAngle;
extern const std::string_view kExplTipShortening;
extern const std::string_view kExplNormalBacklash;
extern const std::string_view kExplCircumferentialBacklash;
extern const std::string_view kExplPathLength;
extern const std::string_view kExplTransverseContactRatio;
extern const std::string_view kExplOverlapRatio;
extern const std::string_view kExplTotalContactRatio;
extern const std::string_view kWarnContactRatio;

// Explanations and warnings of the gear block.
extern const std::string_view kExplMinShift;
extern const std::string_view kExplPitchCircle;
extern const std::string_view kExplTipCircle;
extern const std::string_view kExplRootCircle;
extern const std::string_view kExplBaseCircle;
extern const std::string_view kExplThicknessTransverse;
extern const std::string_view kExplLead;
extern const std::string_view kExplThickness;
extern const std::string_view kExplAllowance;
extern const std::string_view kExplTipThickness;
extern const std::string_view kExplBore;
extern const std::string_view kReportInspectionHeading;
extern const std::string_view kExplSpan;
extern const std::string_view kWarnSpanOutsideInvolute;
extern const std::string_view kWarnSpanFaceWidth;
extern const std::string_view kExplOverPins;
extern const std::string_view kExplOverBalls;
extern const std::string_view kExplOddTeeth;
extern const std::string_view kWarnPinNotProtruding;
extern const std::string_view kWarnPinOutsideInvolute;
extern const std::string_view kWarnBallOutsideInvolute;
extern const std::string_view kWarnUndercut;
extern const std::string_view kWarnToolTipRounding;
extern const std::string_view kWarnToolTipRoundingSuffix;
extern const std::string_view kWarnPointed;
extern const std::string_view kWarnTipThickness;
extern const std::string_view kWarnBoreRoot;
extern const std::string_view kWarnInvalid;

// Rack pair.
extern const std::string_view kExplRackPitchLine;
extern const std::string_view kExplRackBack;
extern const std::string_view kExplRackPinionHand;
extern const std::string_view kExplRackSameAngle;
extern const std::string_view kExplRackPitchAlong;
extern const std::string_view kExplPitch;
extern const std::string_view kExplTravel;
extern const std::string_view kExplRackTeeth;
extern const std::string_view kExplLength;
extern const std::string_view kExplRackThickness;
extern const std::string_view kExplAddendumDedendum;
extern const std::string_view kExplRackBackFace;
extern const std::string_view kWarnRackPointed;
extern const std::string_view kWarnRackInvalid;
extern const std::string_view kWarnRackInvalidAllowance;
extern const std::string_view kWarnRackInvalidGapClosed;
extern const std::string_view kWarnRackInvalidInputs;
extern const std::string_view kWarnRackRootRounding;
extern const std::string_view kWarnRackRootRoundingSuffix;

// Internal pair and ring gear block.
extern const std::string_view kWarnInternalInvalid;
extern const std::string_view kExplInternalRatio;
extern const std::string_view kExplInternalHand;
extern const std::string_view kExplShiftDifference;
extern const std::string_view kExplClearance1;
extern const std::string_view kExplClearance2;
extern const std::string_view kWarnClearance;
extern const std::string_view kWarnRingTipFillet;
extern const std::string_view kWarnInterferencePrefix;
extern const std::string_view kWarnInterferenceSuffix;
extern const std::string_view kWarnFlankOverlapHint;
extern const std::string_view kWarnInterferenceHint;
extern const std::string_view kReportNoInterference;
extern const std::string_view kExplRingShift;
extern const std::string_view kExplRingTipCircle;
extern const std::string_view kExplOutsideDiameter;
extern const std::string_view kExplSpaceWidth;
extern const std::string_view kExplRingTipThickness;
extern const std::string_view kExplTipReduction;
extern const std::string_view kReportRingInspectionHeading;
extern const std::string_view kExplBetweenBalls;
extern const std::string_view kWarnBallNotProtruding;
extern const std::string_view kWarnRingTipBelowBase;
extern const std::string_view kWarnRingPointed;
}

namespace texts {
// Ratings of a safety factor against its minimum (strength table).
extern const std::string_view kRatingOk;
extern const std::string_view kRatingTight;
extern const std::string_view kRatingFail;
}

namespace texts {
// Warning of a pair whose mesh cannot be evaluated (centre distance below the
// sum of the base radii, an invalid gear, a tip circle inside its base circle).
extern const std::string_view kWarnMeshUndefined;
}
