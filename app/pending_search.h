// Module searches, row choice and the module series that the main window and
// the dispatch use.
// PLACEHOLDER until the searches land: their headers replace this one and
// app/pending_search.cpp is deleted with it.
#pragma once

#include <array>
#include <cstdint>

extern const std::array<double, 35> ModuleSeries1;  // DIN 780 series 1, ended by -1

void SearchPairCombinations();
void SearchInternalCombinations(int64_t silent);
void SelectPairRow(int64_t row);
void SelectInternalRow(int64_t row);
