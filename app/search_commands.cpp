// "Calculate modules" of the Pair and Internal tabs: reading the search
// fields, filling the result lists and their list views, and the messages.
#include "app/search_commands.h"

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/search_inputs.h"
#include "design/field_reading.h"
#include "design/module_search.h"
#include "design/number_text.h"
#include "platform/gui.h"
#include "texts/search_texts.h"

namespace {

// Whole numbers (tooth counts) are read from the raw control text.
int64_t ReadWholeNumberField(int64_t control) { return ParseWholeNumberText(GadgetGetText(control)); }

void FillResultList(int64_t listControl, const std::vector<SearchResultRow>& rows) {
  for (const SearchResultRow& row : rows) GadgetAddItem(listControl, -1, FormatSearchListItem(row));
}

}  // namespace

void SearchPairCombinations() {
  ModuleSearchInputs in;
  in.centreDistance = ReadNumberField(kFieldPairCentreDistance);
  in.ratio = ReadNumberField(kFieldPairRatio);
  in.pressureAngleDeg = ReadNumberField(kFieldPairPressureAngle);
  in.tolerance = ReadNumberField(kFieldPairTolerance) / 100.0;
  in.shiftMin = ReadNumberField(kFieldPairShiftSumMin);
  in.shiftMax = ReadNumberField(kFieldPairShiftSumMax);
  in.minTeeth = ReadWholeNumberField(kFieldPairZMin);
  in.helixAngleDeg = ReadNumberField(kFieldPairHelixAngle);
  in.helixSearch = GadgetGetState(kCheckPairHelixSearch) != 0;
  in.series2 = GadgetGetState(kCheckPairSeries2) != 0;

  // The list is emptied before the inputs are checked, so a refused search
  // also leaves no row chosen.
  GadgetClearItems(kListPairResults);
  gPairSelectedRow = -1;
  gPairSearchedFor = ReadSearchedFor(kTabPair);
  const SearchStatus status = FindPairCombinations(in, gPairSearchResults);
  FillResultList(kListPairResults, gPairSearchResults);

  if (status == SearchStatus::kBadInput) {
    MessageDialog(texts::kSearchMessageTitle, texts::kPairSearchBadInput, kMessageOk | kMessageIconWarning);
  } else if (status == SearchStatus::kNoRows) {
    MessageDialog(texts::kSearchMessageTitle,
                  in.helixSearch ? texts::kPairSearchNoRowsHelix : texts::kPairSearchNoRowsShift,
                  kMessageOk | kMessageIconInfo);
  }
}

void SearchInternalCombinations(int64_t silent) {
  ModuleSearchInputs in;
  in.centreDistance = ReadNumberField(kFieldIntCentreDistance);
  in.ratio = ReadNumberField(kFieldIntRatio);
  in.pressureAngleDeg = ReadNumberField(kFieldIntPressureAngle);
  in.tolerance = ReadNumberField(kFieldIntTolerance) / 100.0;
  in.shiftMin = ReadNumberField(kFieldIntShiftDiffMin);
  in.shiftMax = ReadNumberField(kFieldIntShiftDiffMax);
  in.minTeeth = ReadWholeNumberField(kFieldIntZ1Min);
  in.minToothDifference = ReadWholeNumberField(kFieldIntMinToothDiff);
  in.helixAngleDeg = ReadNumberField(kFieldIntHelixAngle);
  in.helixSearch = GadgetGetState(kCheckIntHelixSearch) != 0;
  in.series2 = GadgetGetState(kCheckIntSeries2) != 0;

  GadgetClearItems(kListIntResults);
  gInternalSelectedRow = -1;
  gInternalSearchedFor = ReadSearchedFor(kTabInternal);
  const SearchStatus status = FindInternalCombinations(in, gInternalSearchResults);
  FillResultList(kListIntResults, gInternalSearchResults);

  if (silent != 0) return;
  if (status == SearchStatus::kBadInput) {
    MessageDialog(texts::kSearchMessageTitle, texts::kInternalSearchBadInput, kMessageOk | kMessageIconWarning);
  } else if (status == SearchStatus::kNoRows) {
    MessageDialog(texts::kSearchMessageTitle, texts::kInternalSearchNoRows, kMessageOk | kMessageIconInfo);
  }
}
