// Tab compute drivers the dispatch calls.
// PLACEHOLDER until the compute drivers land: their header replaces this one
// and app/pending_tabs.cpp is deleted with it.
#pragma once

#include <cstdint>

void ComputePairTab(int64_t fit);
void ComputeSingleTab(int64_t fit);
void ComputeRackTab(int64_t fit);
void ComputeInternalTab(int64_t fit);
void ComputeActiveTab();
