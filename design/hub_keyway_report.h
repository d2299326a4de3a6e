// The bore, keyway and hub lines of a gear's report block.
#pragma once

#include <string>

#include "geometry/gear_record.h"

// The lines (each ending in CR LF) for the record's keyway, the material left
// between bore or keyway and the root circle, its hub and the hub and keyway
// warnings; empty for a gear without keyway, bore, hub and warnings.
std::string ReportBuildHubKeywayLines(const GearRecord& rec);
