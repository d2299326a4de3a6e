// The export command behind the three export buttons.
#pragma once

#include <cstdint>

// kind: 0 DXF, 1 STEP, 2 STL. Always returns 0; the outcome is shown to the user.
int64_t ExportToFile(int64_t kind);
