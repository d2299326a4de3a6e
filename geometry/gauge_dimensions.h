// Inspection dimensions of an external gear: span over k teeth and the
// dimension over two pins or balls.
#pragma once

#include "geometry/gear_record.h"

// Writes spanTeeth, span, spanContactRadius, spanAxialLength, pinDiameter,
// overPins, pinContactRadius and pinProtrudes. Returns 0.
int ComputeInspectionDimensions(GearRecord& rec);
