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

// "<field> = <text>" then one of these, then the range.
extern const std::string_view kFaultOutsideRange;  // the value reads, but lies outside
extern const std::string_view kFaultNoNumber;      // the text holds no usable number
extern const std::string_view kFaultEmptyText;     // shown for an empty field
// Ranges: "<min> to <max>", "more than <min>", any finite number.
extern const std::string_view kFaultRangeTo;
extern const std::string_view kFaultRangeMoreThan;
extern const std::string_view kFaultRangeAnyNumber;

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
