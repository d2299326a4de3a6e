// Texts of the strength report, its verdict line and its copy text.
#pragma once

#include <string_view>

namespace texts {
// Names of the gears in the report's columns and message lines.
extern const std::string_view kStrengthGear1;
extern const std::string_view kStrengthGear2;
extern const std::string_view kStrengthRack;
extern const std::string_view kStrengthRing;

// No pair, no result.
extern const std::string_view kStrengthNoPair;
extern const std::string_view kStrengthChooseTab;
extern const std::string_view kStrengthSingleGearNote;
extern const std::string_view kStrengthNotCalculated;

// Sections and lines of the report.
extern const std::string_view kStrengthLoadHeading;
extern const std::string_view kStrengthRackSpeed;
extern const std::string_view kStrengthFactorsHeading;
extern const std::string_view kStrengthFlankHeading;
extern const std::string_view kStrengthLoadCycles;
extern const std::string_view kStrengthRootHeading;
extern const std::string_view kStrengthTransmissibleHeading;
extern const std::string_view kStrengthKwAt;
extern const std::string_view kStrengthLimitedBy;
extern const std::string_view kStrengthLimitFlank;
extern const std::string_view kStrengthLimitRoot;
extern const std::string_view kStrengthShaftHeading;
extern const std::string_view kStrengthShaftTorque;
extern const std::string_view kStrengthShaftMinDiameter;
extern const std::string_view kStrengthShaftStandard;
extern const std::string_view kStrengthShaftBore;
extern const std::string_view kStrengthKeySize;
extern const std::string_view kStrengthKeyLength;
extern const std::string_view kStrengthKeyPressure;
extern const std::string_view kStrengthKeySafety;
extern const std::string_view kStrengthKeyRequiredLength;
extern const std::string_view kStrengthGear1Prefix;
extern const std::string_view kStrengthGear1BoreTooSmall;
extern const std::string_view kStrengthBoreTooSmall;
// "<input> = <text>" then this and the value the calculation took instead.
extern const std::string_view kStrengthInputReplaced;
extern const std::string_view kStrengthInputKA;
extern const std::string_view kStrengthInputMinSafetyH;
extern const std::string_view kStrengthInputMinSafetyF;
extern const std::string_view kStrengthInputE1;
extern const std::string_view kStrengthInputE2;
extern const std::string_view kStrengthDryRunning;
extern const std::string_view kStrengthFootnote1;
extern const std::string_view kStrengthFootnote2;

// Warnings where the method does not hold for the pair.
extern const std::string_view kStrengthWarnContactRatio;      // eps_alpha < 1
extern const std::string_view kStrengthWarnRaisedPrefix;      // + the mesh's eps_alpha
extern const std::string_view kStrengthWarnRaisedSuffix;      // + the eps_alpha calculated with
extern const std::string_view kStrengthWarnRaisedUndefined;   // + the eps_alpha calculated with
extern const std::string_view kStrengthWarnDynamicPair;       // + the speed term in m/s
extern const std::string_view kStrengthWarnDynamicRack;       // + the speed term in m/s
extern const std::string_view kStrengthWarnDynamicSuffix;
extern const std::string_view kStrengthWarnInterferencePrefix;  // + the overlap in mm
extern const std::string_view kStrengthWarnInterferenceSuffix;
extern const std::string_view kStrengthWarnPointed;           // after "  ! " and the gear's name
// The rating of a safety factor that is reached, but outside the method.
extern const std::string_view kStrengthRatingOutside;

// Verdict words, each followed by "(S_H ".
extern const std::string_view kVerdictSufficient;
extern const std::string_view kVerdictTight;
extern const std::string_view kVerdictInsufficient;
extern const std::string_view kVerdictOutsideMethod;

// The copy text.
extern const std::string_view kStrengthCopyTitle;
extern const std::string_view kStrengthCopyInput;
extern const std::string_view kStrengthCopyServiceLife;
extern const std::string_view kStrengthCopyGrade;
extern const std::string_view kStrengthCopyResult;

// Symbols, units and separators of the report (the same in both builds).
extern const std::string_view kStrengthT1;
extern const std::string_view kStrengthNmN1;
extern const std::string_view kStrengthPerMin;
extern const std::string_view kStrengthN2;
extern const std::string_view kStrengthMs;
extern const std::string_view kStrengthFt;
extern const std::string_view kStrengthNV;
extern const std::string_view kStrengthMsB;
extern const std::string_view kStrengthMm;
extern const std::string_view kStrengthKA;
extern const std::string_view kStrengthKV;
extern const std::string_view kStrengthKHbeta;
extern const std::string_view kStrengthKFbeta;
extern const std::string_view kStrengthKHalpha;
extern const std::string_view kStrengthZH;
extern const std::string_view kStrengthZE;
extern const std::string_view kStrengthZeps;
extern const std::string_view kStrengthZbeta;
extern const std::string_view kStrengthZLVR;
extern const std::string_view kStrengthEpsAlpha;
extern const std::string_view kStrengthEpsBeta;
extern const std::string_view kStrengthYeps;
extern const std::string_view kStrengthYbeta;
extern const std::string_view kStrengthSigmaH;
extern const std::string_view kStrengthSigmaHlim;
extern const std::string_view kStrengthZNT;
extern const std::string_view kStrengthSigmaHP;
extern const std::string_view kStrengthSafetyHLabel;
extern const std::string_view kStrengthCloseParen;
extern const std::string_view kStrengthYFYS;
extern const std::string_view kStrengthSigmaF;
extern const std::string_view kStrengthSigmaFlim;
extern const std::string_view kStrengthYNT;
extern const std::string_view kStrengthSigmaFP;
extern const std::string_view kStrengthSafetyFLabel;
extern const std::string_view kStrengthT1Max;
extern const std::string_view kStrengthNmPMax;
extern const std::string_view kVerdictSF;
extern const std::string_view kStrengthCopyN1;
extern const std::string_view kStrengthCopyPerMinKA;
extern const std::string_view kStrengthCopyHours;
extern const std::string_view kStrengthCopyNmm2;
}  // namespace texts
