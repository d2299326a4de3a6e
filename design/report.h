// The main report: the text of the design on screen for every mode, its
// layout helpers, and the blocks of one gear and of a ring gear.
//
// Every builder is a pure function of the records and values it is given and
// returns plain text with CR LF line ends: data lines are two blanks, a label
// ending in "= ", the value with a fixed number of decimals and an explanation;
// warning lines are two blanks and "! ".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/gear_record.h"

inline constexpr std::string_view kReportLineEnd = "\r\n";

// What the report of the active mode reads. mode: 0 none, 1 gear pair,
// 2 single gear, 3 pinion and rack, 4 internal pair.
struct ReportDesign {
  int64_t mode = 0;
  const GearRecord* gear1 = nullptr;  // gear 1, the single gear or the pinion
  const GearRecord* gear2 = nullptr;  // gear 2 of the pair
  const GearRecord* rack = nullptr;
  const GearRecord* ring = nullptr;
  double pairCentreDistance = 0.0;
  double internalCentreDistance = 0.0;
  double internalPenetration = -1.0;  // -1 not computed, -1e9 no overlap found
};

// The whole report text of the mode; empty for mode 0 or any other value.
std::string ReportBuildText(const ReportDesign& design);

// Mode 1: the pair section (mesh values and the contact-ratio warning).
std::string ReportBuildPairSection(const GearRecord& gear1, const GearRecord& gear2,
                                   double centreDistance);

// The block of one external gear under its caption (gears of modes 1 and 2,
// the pinion of modes 3 and 4).
std::string ReportBuildGearBlock(const GearRecord& rec, std::string_view caption);

// Mode 3: the pinion with its rack.
std::string ReportBuildRackPair(const GearRecord& pinion, const GearRecord& rack);

// Mode 4: the pinion inside the ring gear at centre distance a, with the
// largest tooth penetration of the interference test.
std::string ReportBuildInternalPair(const GearRecord& pinion, const GearRecord& ring,
                                    double centreDistance, double penetration);

// The block of a ring gear under its caption.
std::string ReportBuildRingGearBlock(const GearRecord& ring, std::string_view caption);

// One table row: two blanks, the label padded or cut to 28 characters, the two
// values right-aligned in 11 characters each (cut to their first 11), CR LF.
// Widths count characters (UTF-8 code points), not bytes.
std::string FormatReportRow(std::string_view label, std::string_view value1, std::string_view value2);

// " ok" when S >= 1.1 Smin, " tight" when S >= Smin, else " !!" (also for NaN).
std::string FormatSafetyRating(double safety, double minSafety);
