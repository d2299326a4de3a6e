// Whether the inputs of a tab describe a design: each field the tab's driver
// reads, checked against its valid range, and the warning that names the
// first field that fails. The drivers, the report, the strength window and
// the export all ask here, so they agree on what the fields describe.
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/report_show.h"
#include "app/search_inputs.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "design/field_reading.h"
#include "design/number_text.h"
#include "geometry/format.h"
#include "geometry/rack.h"
#include "platform/gui.h"
#include "texts/input_fault_texts.h"
#include "texts/main_window_texts.h"

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// How a field is read: a decimal number, or a whole number (tooth counts,
// read up to the first character that is no digit).
enum class FieldKind { kReal, kWhole };

// A field whose range holds 0 (a bore, a backlash, a profile shift: "0 for
// none") reads an empty text as 0 and is then in order; a text that holds no
// number is read as the reader takes it (as 0, or its leading number) and
// named, but the design is made. Other fields refuse both.
enum class TextWithoutNumber { kRefused, kReadAsZero };

// A field and its valid range. lowOpen: the value must be larger than low
// (a module or a face width of 0 is no gear); otherwise low is allowed.
// Every value must be finite.
struct FieldRule {
  int64_t control;
  std::string_view label;
  FieldKind kind = FieldKind::kReal;
  double low = -kInf;
  double high = kInf;
  bool lowOpen = false;
  TextWithoutNumber withoutNumber = TextWithoutNumber::kRefused;
};

// What the check of one field found: nothing, a value named but used, or a
// value that describes no design.
struct FieldCheck {
  std::string text;
  bool refuses = false;
};

// Ranges of the single gear and of the pinion of the rack tab.
constexpr double kTeethMin = 3;
constexpr double kTeethMax = 1000;
constexpr double kPressureAngleMinDeg = 10.0;
constexpr double kPressureAngleMaxDeg = 35.0;
constexpr double kHelixAngleMinDeg = 0.0;
constexpr double kHelixAngleMaxDeg = 45.0;
constexpr double kRackTeethMin = 1;
constexpr double kRackTeethMax = 2000;

FieldRule Positive(int64_t control, std::string_view label) { return {control, label, FieldKind::kReal, 0.0, kInf, true}; }
FieldRule AnyNumber(int64_t control, std::string_view label) { return {control, label}; }
// A field that may be left empty for 0, with no value below low.
FieldRule ZeroForNone(int64_t control, std::string_view label, double low = -kInf) {
  return {control, label, FieldKind::kReal, low, kInf, false, TextWithoutNumber::kReadAsZero};
}
FieldRule Between(int64_t control, std::string_view label, double low, double high) {
  return {control, label, FieldKind::kReal, low, high};
}
FieldRule Teeth(int64_t control, std::string_view label, double low, double high) {
  return {control, label, FieldKind::kWhole, low, high};
}

// The back of the rack must lie below its root line: Hp > hf = 1.25 m. With
// no usable module the module's own rule speaks first.
FieldRule RackHeightRule() {
  const double hf = kRackDedendumFactor * ReadNumberField(kComboRackModule);
  return {kFieldRackHeight, texts::kLabelRackHeight, FieldKind::kReal, hf, kInf, true};
}

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Whether the text starts with a number the field reader takes: an optional
// sign, then a digit, or a decimal point (or comma) and a digit. "abc", "-"
// and an empty field hold none (the reader would take them as 0).
bool StartsWithNumber(std::string_view text, FieldKind kind) {
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  if (i < text.size() && IsDigit(text[i])) return true;
  return kind == FieldKind::kReal && i + 1 < text.size() && (text[i] == '.' || text[i] == ',') &&
         IsDigit(text[i + 1]);
}

// The sentence about a value outside the range, and the range said after
// "is no usable number".
std::string OutsideText(const FieldRule& rule) {
  using namespace texts;
  if (rule.lowOpen) return std::string(kFaultMustBeMoreThan) + FormatNumberTrimmed(rule.low);
  if (std::isinf(rule.high)) return std::string(kFaultMustNotBeLessThan) + FormatNumberTrimmed(rule.low);
  return std::string(kFaultOutsideRange) + FormatNumberTrimmed(rule.low) + std::string(kFaultRangeTo) +
         FormatNumberTrimmed(rule.high);
}

std::string RangeAfterNoNumber(const FieldRule& rule) {
  using namespace texts;
  if (rule.lowOpen) return std::string(kFaultNoNumberMoreThan) + FormatNumberTrimmed(rule.low);
  if (std::isinf(rule.low) && std::isinf(rule.high)) return {};
  if (std::isinf(rule.high)) return std::string(kFaultNoNumberNotLessThan) + FormatNumberTrimmed(rule.low);
  return std::string(kFaultNoNumberRange) + FormatNumberTrimmed(rule.low) + std::string(kFaultRangeTo) +
         FormatNumberTrimmed(rule.high);
}

FieldCheck CheckField(const FieldRule& rule) {
  const std::string text = GadgetGetText(rule.control);
  const std::string_view shown = Trimmed(text);
  const bool readsAsZero = rule.withoutNumber == TextWithoutNumber::kReadAsZero;
  if (shown.empty() && readsAsZero) return {};
  const bool readable = StartsWithNumber(shown, rule.kind);
  const double value = rule.kind == FieldKind::kWhole ? static_cast<double>(ParseWholeNumberText(text))
                                                      : ParseNumberText(text);
  // Written so that NaN fails every comparison and so counts as out of range.
  const bool inRange = std::isfinite(value) && (rule.lowOpen ? value > rule.low : value >= rule.low) &&
                       value <= rule.high;
  if (readable && inRange) return {};
  const std::string lead =
      std::string(rule.label) + " = " + (shown.empty() ? std::string(texts::kFaultEmptyText) : std::string(shown));
  if (readable && std::isfinite(value)) return {lead + OutsideText(rule), true};
  if (readsAsZero && inRange) {
    return {lead + std::string(texts::kFaultNoNumber) + std::string(texts::kFaultReadAs) + FormatNumberTrimmed(value),
            false};
  }
  return {lead + std::string(texts::kFaultNoNumber) + RangeAfterNoNumber(rule), true};
}

// The tab's fields in the order the user reads them.
std::vector<FieldRule> TabFieldRules(int64_t tab) {
  using namespace texts;
  switch (tab) {
    case kTabPair:
      return {Positive(kFieldPairCentreDistance, kLabelCentreDistance),
              AnyNumber(kFieldPairPressureAngle, kLabelPressureAngle),
              ZeroForNone(kFieldPairShiftX1, kLabelProfileShiftX1), Positive(kFieldPairFaceWidth, kLabelFaceWidth),
              ZeroForNone(kFieldPairBacklash, kLabelBacklash), ZeroForNone(kFieldPairBore1, kFaultBore1, 0.0),
              ZeroForNone(kFieldPairBore2, kFaultBore2, 0.0)};
    case kTabSingle:
      return {Positive(kComboSingleModule, kLabelModule),
              Teeth(kFieldSingleTeeth, kLabelTeeth, kTeethMin, kTeethMax),
              ZeroForNone(kFieldSingleShift, kLabelProfileShift),
              Between(kFieldSinglePressureAngle, kLabelPressureAngle, kPressureAngleMinDeg, kPressureAngleMaxDeg),
              Between(kFieldSingleHelixAngle, kFaultHelixAngle, kHelixAngleMinDeg, kHelixAngleMaxDeg),
              Positive(kFieldSingleFaceWidth, kLabelFaceWidth),
              ZeroForNone(kFieldSingleThicknessAllowance, kLabelThicknessAllowance),
              ZeroForNone(kFieldSingleBore, kLabelBore, 0.0)};
    case kTabRack:
      return {Positive(kComboRackModule, kLabelModule),
              Teeth(kFieldRackPinionTeeth, kLabelPinionTeeth, kTeethMin, kTeethMax),
              ZeroForNone(kFieldRackShift, kLabelProfileShift),
              Between(kFieldRackPressureAngle, kLabelPressureAngle, kPressureAngleMinDeg, kPressureAngleMaxDeg),
              Between(kFieldRackHelixAngle, kFaultHelixAngle, kHelixAngleMinDeg, kHelixAngleMaxDeg),
              Positive(kFieldRackFaceWidth, kLabelFaceWidth),
              ZeroForNone(kFieldRackPinionBore, kLabelPinionBore, 0.0),
              ZeroForNone(kFieldRackBacklash, kLabelBacklash),
              Teeth(kFieldRackTeeth, kLabelRackTeeth, kRackTeethMin, kRackTeethMax),
              RackHeightRule()};
    case kTabInternal:
      return {Positive(kFieldIntCentreDistance, kLabelCentreDistance),
              AnyNumber(kFieldIntPressureAngle, kLabelPressureAngle),
              ZeroForNone(kFieldIntShiftX1, kLabelProfileShiftX1), Positive(kFieldIntFaceWidth, kLabelFaceWidth),
              ZeroForNone(kFieldIntBacklash, kLabelBacklash), ZeroForNone(kFieldIntPinionBore, kLabelPinionBore, 0.0),
              ZeroForNone(kFieldIntRingRim, kFaultRingRim)};
    default:
      return {};
  }
}

bool HasChosenRow(const std::vector<SearchResultRow>& rows, int64_t chosen) {
  return chosen >= 0 && chosen < static_cast<int64_t>(rows.size());
}

// Without a chosen row a pair tab describes no design at all, so none of its
// fields is named.
bool TabHasADesign(int64_t tab) {
  if (tab == kTabPair) return HasChosenRow(gPairSearchResults, gPairSelectedRow);
  if (tab == kTabInternal) return HasChosenRow(gInternalSearchResults, gInternalSelectedRow);
  return true;
}

}  // namespace

std::string DescribeTabInputFault(int64_t tab) {
  if (!TabHasADesign(tab)) return {};
  for (const FieldRule& rule : TabFieldRules(tab)) {
    FieldCheck check = CheckField(rule);
    if (check.refuses) return std::move(check.text);
  }
  // The chosen row belongs to the values its list was calculated for.
  if (tab == kTabPair) return DescribeSearchInputChange(kTabPair, gPairSearchedFor);
  if (tab == kTabInternal) return DescribeSearchInputChange(kTabInternal, gInternalSearchedFor);
  return {};
}

std::vector<std::string> DescribeTabInputNotes(int64_t tab) {
  std::vector<std::string> notes;
  if (!TabHasADesign(tab)) return notes;
  for (const FieldRule& rule : TabFieldRules(tab)) {
    FieldCheck check = CheckField(rule);
    if (!check.text.empty() && !check.refuses) notes.push_back(std::move(check.text));
  }
  return notes;
}

std::string DescribeShownInputFault() { return DescribeTabInputFault(GadgetGetState(kPanelTabs)); }

std::vector<std::string> DescribeShownInputNotes() { return DescribeTabInputNotes(GadgetGetState(kPanelTabs)); }

void ShowInputFault(int64_t tabMode) {
  // The last design of this tab stays drawn while a value is half-typed; the
  // design of another tab is no design of this one.
  if (gViewMode != tabMode) gViewMode = kViewNone;
  ReportShow();
  RedrawView();
}
