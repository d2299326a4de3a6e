// Texts that say which input of a tab describes no design: the field names,
// the valid ranges, and the lead-ins of the report, the strength window and
// the export.
#pragma once

#include <string_view>

namespace texts {
// Field names not already given by a label of the tab as a whole.
extern const std::string_view kFaultHelixAngle;
extern const std::string_view kFaultBore1;
extern const std::string_view kFaultBore2;
extern const std::string_view kFaultRingRim;

// "<field> = <text>" then one of these sentences about the value:
// "is outside the valid range <min> to <max>", "must be more than <min>",
// "must not be less than <min>"; for a text that holds no usable number
// "is no usable number", followed by the range in the same words, or, where
// the field is read as 0 all the same, by "; read as <value>".
extern const std::string_view kFaultOutsideRange;
extern const std::string_view kFaultRangeTo;
extern const std::string_view kFaultMustBeMoreThan;
extern const std::string_view kFaultMustNotBeLessThan;
extern const std::string_view kFaultNoNumber;
extern const std::string_view kFaultNoNumberRange;
extern const std::string_view kFaultNoNumberMoreThan;
extern const std::string_view kFaultNoNumberNotLessThan;
extern const std::string_view kFaultReadAs;
extern const std::string_view kFaultEmptyText;  // shown for an empty field

// "<field> = <text>" then these around the value the result list was
// calculated for: the field no longer describes the chosen row's pair.
extern const std::string_view kFaultNotSearchedStart;
extern const std::string_view kFaultNotSearchedEnd;

// The report: the warning line's lead, and the line under it while the view
// still shows the last design the inputs did describe.
extern const std::string_view kFaultReportLead;
extern const std::string_view kFaultReportKeptDesign;

// The strength window's report above the warning.
extern const std::string_view kFaultStrengthLead;

// The export's refusal before the warning.
extern const std::string_view kFaultExportRefused;
}
