// PLACEHOLDER until the tab compute drivers land: delete this file with
// app/pending_tabs.h. Until then an edit computes nothing.
#include "app/pending_tabs.h"

void ComputePairTab(int64_t) {}
void ComputeSingleTab(int64_t) {}
void ComputeRackTab(int64_t) {}
void ComputeInternalTab(int64_t) {}
void ComputeActiveTab() {}
