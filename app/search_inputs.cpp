// The search inputs of the two pair tabs and the check that the fields still
// hold the values their result list was calculated for.
#include "app/search_inputs.h"

#include <array>
#include <cmath>

#include "app/control_ids.h"
#include "design/field_reading.h"
#include "design/number_text.h"
#include "geometry/format.h"
#include "platform/gui.h"
#include "texts/input_fault_texts.h"
#include "texts/main_window_texts.h"
#include "texts/search_input_texts.h"

namespace {

using enum SearchInputKind;

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// Equal values, or both no number (a NaN typed again is no change).
bool IsSameValue(double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); }

std::string DescribeChange(const SearchInput& input, double now, double searched) {
  if (input.kind == kCheckBox) {
    return "\"" + std::string(input.label) + "\"" +
           std::string(now != 0.0 ? texts::kSearchCheckNowTicked : texts::kSearchCheckNowCleared) +
           std::string(texts::kSearchInputPressCalculate);
  }
  const std::string text = GadgetGetText(input.control);
  const std::string_view shown = Trimmed(text);
  return std::string(input.label) + " = " + (shown.empty() ? std::string(texts::kFaultEmptyText) : std::string(shown)) +
         std::string(texts::kFaultNotSearchedStart) + FormatNumberTrimmed(searched) +
         std::string(texts::kFaultNotSearchedEnd);
}

}  // namespace

std::span<const SearchInput> SearchInputsOfTab(int64_t tab) {
  using namespace texts;
  static const std::array<SearchInput, 10> kPair = {{
      {kFieldPairCentreDistance, kLabelCentreDistance, kNumber},
      {kFieldPairRatio, kSearchInputRatio, kNumber},
      {kFieldPairPressureAngle, kLabelPressureAngle, kNumber},
      {kFieldPairHelixAngle, kFaultHelixAngle, kNumber},
      {kCheckPairHelixSearch, kCheckPairHelixSearchText, kCheckBox},
      {kFieldPairTolerance, kLabelTolerance, kNumber},
      {kFieldPairShiftSumMin, kSearchInputShiftSumMin, kNumber},
      {kFieldPairShiftSumMax, kSearchInputShiftSumMax, kNumber},
      {kFieldPairZMin, kLabelZMin, kWholeNumber},
      {kCheckPairSeries2, kCheckSeries2Text, kCheckBox},
  }};
  static const std::array<SearchInput, 11> kInternal = {{
      {kFieldIntCentreDistance, kLabelCentreDistance, kNumber},
      {kFieldIntRatio, kSearchInputRatio, kNumber},
      {kFieldIntPressureAngle, kLabelPressureAngle, kNumber},
      {kFieldIntHelixAngle, kFaultHelixAngle, kNumber},
      {kCheckIntHelixSearch, kCheckIntHelixSearchText, kCheckBox},
      {kFieldIntTolerance, kLabelTolerance, kNumber},
      {kFieldIntShiftDiffMin, kSearchInputShiftDiffMin, kNumber},
      {kFieldIntShiftDiffMax, kSearchInputShiftDiffMax, kNumber},
      {kFieldIntZ1Min, kSearchInputZ1Min, kWholeNumber},
      {kFieldIntMinToothDiff, kSearchInputMinToothDiff, kWholeNumber},
      {kCheckIntSeries2, kCheckSeries2Text, kCheckBox},
  }};
  if (tab == kTabPair) return kPair;
  if (tab == kTabInternal) return kInternal;
  return {};
}

double ReadSearchInput(const SearchInput& input) {
  switch (input.kind) {
    case kNumber: return ReadNumberField(input.control);
    case kWholeNumber: return static_cast<double>(ParseWholeNumberText(GadgetGetText(input.control)));
    case kCheckBox: return GadgetGetState(input.control) != 0 ? 1.0 : 0.0;
  }
  return 0.0;
}

SearchedFor ReadSearchedFor(int64_t tab) {
  SearchedFor searched;
  for (const SearchInput& input : SearchInputsOfTab(tab)) searched.values.push_back(ReadSearchInput(input));
  return searched;
}

std::string DescribeSearchInputChange(int64_t tab, const SearchedFor& searched) {
  const std::span<const SearchInput> inputs = SearchInputsOfTab(tab);
  for (std::size_t i = 0; i < inputs.size(); ++i) {
    const double now = ReadSearchInput(inputs[i]);
    // A list recorded without this input (none at all) was calculated for
    // nothing the fields can hold.
    const double then = i < searched.values.size() ? searched.values[i] : std::nan("");
    if (!IsSameValue(now, then)) return DescribeChange(inputs[i], now, then);
  }
  return {};
}
