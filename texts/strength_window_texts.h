// Texts of the strength window: title, labels, combo items, tooltips, buttons.
#pragma once

#include <string_view>

namespace texts {
extern const std::string_view kStrengthWindowTitle;

extern const std::string_view kLoadKindPower;
extern const std::string_view kLoadKindTorque;
extern const std::string_view kLabelSpeed;
extern const std::string_view kSpeedTip;
extern const std::string_view kLabelApplicationFactor;
extern const std::string_view kApplicationFactorItems[5];
extern const std::string_view kLabelServiceLife;
extern const std::string_view kLabelAccuracy;
extern const std::string_view kAccuracyGradePrefix;
extern const std::string_view kLabelFlankFinish;
extern const std::string_view kFlankFinishItems[2];
extern const std::string_view kLabelLubrication;
extern const std::string_view kLubricationItems[3];
extern const std::string_view kLabelMinSafety;

extern const std::string_view kShaftHeading;
extern const std::string_view kShaftMaterialPrefix;
extern const std::string_view kLabelShaftStress;
extern const std::string_view kShaftTauTip;
extern const std::string_view kLabelKeys;
extern const std::string_view kKeyCountItems[2];
extern const std::string_view kKeyLengthTip;

extern const std::string_view kMaterial1Heading;
extern const std::string_view kMaterial2Heading;
extern const std::string_view kLabelMaterialLimits;
extern const std::string_view kLabelMaterialElastic;

extern const std::string_view kButtonCopyReportText;
extern const std::string_view kButtonStrengthCloseText;
}  // namespace texts
