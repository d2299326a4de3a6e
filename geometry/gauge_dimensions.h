// Inspection dimensions of an external gear: span over k teeth and the
// dimension over two pins or balls.
#pragma once

#include "geometry/gear_record.h"

// Writes spanTeeth, span, spanContactRadius, spanAxialLength, pinDiameter,
// overPins, pinContactRadius and pinProtrudes. A pin that touches no usable
// involute (at or inside the base circle, or below formRadius) has no
// dimension: overPins = 0 and pinProtrudes = 0, with pinContactRadius 0 when
// the contact would lie at or inside the base circle. Returns 0.
int ComputeInspectionDimensions(GearRecord& rec);
