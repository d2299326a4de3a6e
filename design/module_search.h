// Module, teeth and helix-angle search of gear pairs and internal pairs.
//
// The searches are pure functions of the numbers read from the tab's input
// fields; the procedures that read the fields and fill the list control call
// them (SearchPairCombinations, SearchInternalCombinations).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "design/search_result.h"

// The numbers of one search, as read from the "Pair" or "Internal" tab.
struct ModuleSearchInputs {
  double centreDistance = 0.0;     // a, mm
  double ratio = 0.0;              // wanted i = z2 / z1
  double pressureAngleDeg = 0.0;   // alpha_n, degrees
  double tolerance = 0.0;          // ratio tolerance as a fraction (field % / 100)
  double shiftMin = 0.0;           // lower limit of the shift sum (pair) or difference (internal)
  double shiftMax = 0.0;           // upper limit
  int64_t minTeeth = 0;            // z min (pair) or z1 min (internal)
  int64_t minToothDifference = 0;  // smallest z2 - z1 (internal pair only)
  double helixAngleDeg = 0.0;      // given beta (helix search: the largest allowed)
  bool helixSearch = false;        // shift sum 0, helix angle solved for a
  bool series2 = false;            // also DIN 780 series 2 after series 1
};

enum class SearchStatus {
  kRowsFound,  // at least one row
  kBadInput,   // an input failed its check: the search's warning message
  kNoRows,     // the inputs were fine but nothing fits: the information message
};

// Largest number of teeth of gear 1 / the pinion tried, and of gear 2 of an
// external pair; the ring of an internal pair may have up to kMaxRingTeeth.
inline constexpr int64_t kMaxSearchTeeth = 400;
inline constexpr int64_t kMaxRingTeeth = 1000;

// External pair: clears rows, checks the inputs, fills rows sorted on sortKey.
SearchStatus FindPairCombinations(const ModuleSearchInputs& in, std::vector<SearchResultRow>& rows);

// Internal pair (pinion inside a ring gear): the same with z2 - z1 in place of
// z1 + z2, Delta x = x2 - x1 and the minimum tooth difference.
SearchStatus FindInternalCombinations(const ModuleSearchInputs& in, std::vector<SearchResultRow>& rows);

// The text of one list-view item: seven columns separated by '\n' (module
// trimmed, z1, z2, ratio 3 decimals, deviation 2, shift 3, beta 3).
std::string FormatSearchListItem(const SearchResultRow& row);
