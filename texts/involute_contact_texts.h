// Texts of the lines that report contact outside the involute flanks (a tip
// that meets the mate's root fillet) in the mesh reports and the strength
// report, the legend of the " ?" rating, and the names of the gears in them.
#pragma once

#include <string_view>

namespace texts {
// Main report: "  ! the tip of " mate " meets the root fillet of " gear
// ": usable εα = " value.
extern const std::string_view kWarnFilletContactPrefix;
extern const std::string_view kWarnFilletContactMiddle;
extern const std::string_view kWarnFilletContactSuffix;
// The gears as these lines name them.
extern const std::string_view kContactNameGear1;
extern const std::string_view kContactNameGear2;
extern const std::string_view kContactNamePinion;
extern const std::string_view kContactNameRack;
extern const std::string_view kContactNameRing;

// Strength report: "  ! tip contact in the root fillet of " gears ": εα "
// usable " on the involute flanks (" tip-circle value " from the tip circles)".
extern const std::string_view kStrengthWarnFilletPrefix;
extern const std::string_view kStrengthWarnFilletMiddle;
extern const std::string_view kStrengthWarnFilletSuffix;
extern const std::string_view kStrengthWarnFilletEnd;
// Joins two gear names: " and ".
extern const std::string_view kContactNamesAnd;

// The legend under the stress tables when a safety is rated " ?".
extern const std::string_view kStrengthRatingOutsideLegend;
}  // namespace texts
