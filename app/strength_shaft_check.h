// The shaft-and-key check of one gear for the strength report.
#pragma once

#include <cstdint>

#include "design/strength_report.h"
#include "geometry/gear_record.h"

// Checks the shaft and the parallel key of `gear` for the torque T (Nm) with
// the application factor KA, the shaft's permissible torsional stress tauPerm
// and yield strength reShaft, the hub's permissible key pressure pHub
// (N/mm^2), `keys` keys and the key length asked for (0 = the whole bore
// length), and writes what the report prints into `column`.
void CheckStrengthShaft(const GearRecord& gear, double torque, double applicationFactor, double tauPerm,
                        double reShaft, double pHub, int64_t keys, double keyLength, StrengthShaftColumn& column);

