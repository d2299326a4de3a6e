// Texts of the main window: title, buttons, tabs, row labels, tooltips and items.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kMainWindowTitle;
extern const std::string_view kButtonOpenText;
extern const std::string_view kButtonOpenTip;
extern const std::string_view kButtonSaveText;
extern const std::string_view kButtonSaveTip;
extern const std::string_view kButtonSaveAsText;
extern const std::string_view kButtonHelpText;
extern const std::string_view kButtonHelpTip;
extern const std::string_view kMenuUserGuide;
extern const std::string_view kMenuAbout;
extern const std::string_view kTabPairTitle;
extern const std::string_view kTabSingleTitle;
extern const std::string_view kTabRackTitle;
extern const std::string_view kTabInternalTitle;
extern const std::string_view kCheckRotateText;
extern const std::string_view kTrackSpeedTip;
extern const std::string_view kCheckLineOfActionText;
extern const std::string_view kCheckLineOfActionTip;
extern const std::string_view kButtonStrengthText;
extern const std::string_view kButtonStrengthTip;
extern const std::string_view kButtonHubKeywayText;
extern const std::string_view kButtonHubKeywayTip;
extern const std::string_view kExportBothItem;
extern const std::string_view kExportGear1Item;
extern const std::string_view kExportGear2Item;
extern const std::string_view kButtonExportDxfText;
extern const std::string_view kButtonExportStepText;
extern const std::string_view kButtonExportStlText;
extern const std::string_view kChordToleranceLabel;
extern const std::string_view kChordToleranceTip;
extern const std::string_view kLabelCentreDistance;
extern const std::string_view kLabelRatio;
extern const std::string_view kLabelPressureAngle;
extern const std::string_view kLabelHelixAngleHand;
extern const std::string_view kHelixAngleTip;
extern const std::string_view kCheckPairHelixSearchText;
extern const std::string_view kCheckPairHelixSearchTip;
extern const std::string_view kLabelTolerance;
extern const std::string_view kLabelShiftSumRange;
extern const std::string_view kLabelZMin;
extern const std::string_view kCheckSeries2Text;
extern const std::string_view kButtonCalculateText;
extern const std::string_view kLabelProfileShiftX1;
extern const std::string_view kTextX2Prefix;
extern const std::string_view kLabelFaceWidth;
extern const std::string_view kLabelBacklash;
extern const std::string_view kLabelBores;
extern const std::string_view kHandRightItem;
extern const std::string_view kHandLeftItem;
extern const std::string_view kLabelModule;
extern const std::string_view kLabelTeeth;
extern const std::string_view kLabelProfileShift;
extern const std::string_view kLabelThicknessAllowance;
extern const std::string_view kLabelBore;
extern const std::string_view kSingleNote;
extern const std::string_view kLabelPinionTeeth;
extern const std::string_view kRackHandTip;
extern const std::string_view kLabelPinionBore;
extern const std::string_view kLabelRackTeeth;
extern const std::string_view kLabelRackHeight;
extern const std::string_view kRackHeightTip;
extern const std::string_view kInternalHandTip;
extern const std::string_view kCheckIntHelixSearchText;
extern const std::string_view kLabelShiftDiffRange;
extern const std::string_view kLabelZ1MinToothDiff;
extern const std::string_view kZ1MinTip;
extern const std::string_view kMinToothDiffTip;
extern const std::string_view kLabelPinionBoreRingRim;
extern const std::string_view kPinionBoreTip;
extern const std::string_view kRingRimTip;
extern const std::string_view kCheckShortenRingTipText;
extern const std::string_view kCheckShortenRingTipTip;
extern const std::string_view kLoadLabelPower;
extern const std::string_view kLoadLabelTorque;
}  // namespace texts

namespace texts {
// The version text of the About box (the same in both builds).
extern const std::string_view kVersionText;
}  // namespace texts
