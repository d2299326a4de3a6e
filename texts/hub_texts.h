// Texts of the hub and keyway checks and of the hub-and-keyway window.
#pragma once

#include <string_view>

namespace texts {
// Warnings collected in the gear record; each ends with "; ".
extern const std::string_view kHubWarnNoDinSize;
extern const std::string_view kHubWarnKeywayNoBore;
extern const std::string_view kHubWarnKeyWidthNotPositive;
extern const std::string_view kHubWarnKeyDepthNotPositive;
extern const std::string_view kHubWarnKeywayTooWide;
extern const std::string_view kHubWarnLengthZero;
extern const std::string_view kHubWarnTooLarge;
extern const std::string_view kHubWarnTooLargeEnd;
extern const std::string_view kHubWarnTooSmall;

// The hub-and-keyway window.
extern const std::string_view kHubWindowTitle;
extern const std::string_view kHubGear1Heading;
extern const std::string_view kHubGear2Heading;
extern const std::string_view kHubKeywayLabel;
extern const std::string_view kHubKeywayNone;
extern const std::string_view kHubKeywayDin;
extern const std::string_view kHubKeywayCustom;
extern const std::string_view kHubKeySizeLabel;
extern const std::string_view kHubKeyDepthTip;
extern const std::string_view kHubSideLabel;
extern const std::string_view kHubSideNone;
extern const std::string_view kHubSideLeft;
extern const std::string_view kHubSideRight;
extern const std::string_view kHubSideBoth;
extern const std::string_view kHubSizeLabel;
extern const std::string_view kHubDiameterTip;
extern const std::string_view kHubLengthTip;
extern const std::string_view kHubLengthDefault;
extern const std::string_view kHubWindowNote;
extern const std::string_view kHubCloseText;
}
