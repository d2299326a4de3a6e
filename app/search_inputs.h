// The inputs that the module search of the Pair and the Internal tab reads,
// the values a result list was calculated for, and the warning that names an
// input whose value has changed since: a row of the list is a pair of those
// values only, so the tab describes no design until the modules are
// calculated again.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "app/globals.h"

// How the search reads an input: a decimal number, a whole number (read from
// the raw text up to the first character that is no digit), or the state of a
// check box (0 or 1).
enum class SearchInputKind { kNumber, kWholeNumber, kCheckBox };

struct SearchInput {
  int64_t control;
  std::string_view label;
  SearchInputKind kind;
};

// Every input that the search of the tab (kTabPair or kTabInternal) reads, in
// the order they stand on the tab; empty for any other tab.
std::span<const SearchInput> SearchInputsOfTab(int64_t tab);

// The value the search takes from the input.
double ReadSearchInput(const SearchInput& input);

// The values of the tab's search inputs as they stand now.
SearchedFor ReadSearchedFor(int64_t tab);

// The warning for the first search input of the tab whose value differs from
// the one in searched, or "" when none does. A value that reads the same
// ("60.0", "60,0", " 60 " for 60) is no change.
std::string DescribeSearchInputChange(int64_t tab, const SearchedFor& searched);
