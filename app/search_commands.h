// "Calculate modules" of the Pair and Internal tabs and the choice of a row
// from their result lists.
#pragma once

#include <cstdint>

// Reads the "Pair" tab's search fields, refills gPairSearchResults and list
// view 13 (gPairSelectedRow := -1, also when the input is refused) and shows
// the warning or "nothing found" message. Gear records, mode, report and view
// are left as they are.
void SearchPairCombinations();

// The same for the "Internal" tab (list view 66); silent = 1 shows no message.
void SearchInternalCombinations(int64_t silent);

// Makes the row the chosen one, proposes x1 from the undercut limits, writes
// it into field 14, resets the animation and recomputes the pair with a fit.
// A row index outside the list changes nothing.
void SelectPairRow(int64_t row);

// The same for the internal pair: x1 = the pinion's minimum shift, not below
// 0, into field 67, then the internal tab is recomputed with a fit.
void SelectInternalRow(int64_t row);
