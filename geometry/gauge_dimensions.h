// Inspection dimensions of an external gear: span over k teeth and the
// dimension over two pins or balls.
#pragma once

#include "geometry/gear_record.h"

// Writes spanTeeth, span, spanContactRadius, spanAxialLength, pinDiameter,
// overPins, pinContactRadius and pinProtrudes. The usable involute runs from
// formRadius (at least the base circle) to the tip circle. The span tooth
// count of the virtual spur gear and the pin aimed at its shifted pitch
// circle are kept where they touch it; otherwise the k (counted in the
// transverse section) or the grid pin touching it nearest mid-flank is
// taken. Where none touches it, the first k stays with its contact radius
// off the flank, and the pin gives no dimension: overPins = 0, with
// pinContactRadius 0 when it touches no involute at all. Returns 0.
int ComputeInspectionDimensions(GearRecord& rec);
