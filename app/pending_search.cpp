// PLACEHOLDER until the module searches and the row choice land: delete this
// file with app/pending_search.h. The searches find nothing until then.
#include "app/pending_search.h"

#include "app/control_ids.h"
#include "app/globals.h"
#include "platform/gui.h"

const std::array<double, 35> ModuleSeries1 = {0.05, 0.06, 0.08, 0.1, 0.12, 0.16, 0.2, 0.25, 0.3, 0.4, 0.5, 0.6,
                                              0.7,  0.8,  0.9,  1,   1.25, 1.5,  2,   2.5,  3,   4,   5,   6,
                                              8,    10,   12,   16,  20,   25,   32,  40,   50,  60,  -1.0};

void SearchPairCombinations() {
  gPairSearchResults.clear();
  gPairSelectedRow = -1;
  GadgetClearItems(kListPairResults);
}

void SearchInternalCombinations(int64_t) {
  gInternalSearchResults.clear();
  gInternalSelectedRow = -1;
  GadgetClearItems(kListIntResults);
}

void SelectPairRow(int64_t row) {
  if (row < 0 || row >= int64_t(gPairSearchResults.size())) return;
  gPairSelectedRow = row;
}

void SelectInternalRow(int64_t row) {
  if (row < 0 || row >= int64_t(gInternalSearchResults.size())) return;
  gInternalSelectedRow = row;
}
