// Applying a row of a search result list: the chosen row, the proposed
// profile shift x1 and the recompute of the tab.
#include <cstdint>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/tab_compute.h"
#include "app/search_commands.h"
#include "design/field_reading.h"
#include "design/shift_split.h"
#include "geometry/format.h"
#include "geometry/involute.h"
#include "platform/gui.h"

void SelectPairRow(int64_t row) {
  const double alphaDeg = ReadNumberField(kFieldPairPressureAngle);
  if (row < 0 || row >= static_cast<int64_t>(gPairSearchResults.size())) return;
  gPairSelectedRow = row;
  const SearchResultRow& r = gPairSearchResults[static_cast<size_t>(row)];
  const double xMin1 = ComputeMinProfileShift(r.teeth1, alphaDeg, r.helixAngleDeg);
  const double xMin2 = ComputeMinProfileShift(r.teeth2, alphaDeg, r.helixAngleDeg);
  const double x1 = ProposePairShiftX1(r.shiftSum, xMin1, xMin2);
  GadgetSetText(kFieldPairShiftX1, FormatNumber(x1, 4));
  gAnimAngle = 0.0;
  ComputePairTab(1);
}

void SelectInternalRow(int64_t row) {
  if (row < 0 || row >= static_cast<int64_t>(gInternalSearchResults.size())) return;
  gInternalSelectedRow = row;
  const SearchResultRow& r = gInternalSearchResults[static_cast<size_t>(row)];
  const double alphaDeg = ReadNumberField(kFieldIntPressureAngle);
  const double x1 = ProposeInternalShiftX1(ComputeMinProfileShift(r.teeth1, alphaDeg, r.helixAngleDeg));
  GadgetSetText(kFieldIntShiftX1, FormatNumber(x1, 4));
  gAnimAngle = 0.0;
  ComputeInternalTab(1);
}
