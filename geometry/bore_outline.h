// The bore contour of a gear, with or without a keyway, as one polygon.
#pragma once

#include <vector>

#include "geometry/gear_record.h"
#include "geometry/outline.h"

// Clears list, then fills it counter-clockwise with the bore contour of rec
// (bore centre at the origin, keyway on the positive x axis) for the chord
// tolerance in mm. The polygon is closed implicitly (no repeated point).
// No bore: the list stays empty.
void BuildBoreOutline(const GearRecord& rec, std::vector<OutlinePoint>& list, double tolerance);

// Bore radius, plus the hub keyway depth when the gear has a keyway.
double ComputeBoreOuterRadius(const GearRecord& rec);
