// The binary STL export of one gear, rack or ring gear, or of a meshing pair.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/gear_record.h"

// Placement as for the STEP export; chordTolerance in mm. Returns the number
// of triangles written, below 1 on failure (then no file is left behind
// unless the writer says otherwise).
int64_t StlWriteFile(const std::string& path, double chordTolerance, const GearRecord& a, double angleA,
                     const GearRecord* b, double xB, double angleB, double yB);
