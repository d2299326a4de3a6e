// The STEP AP214 export of one gear, rack or ring gear, or of a meshing pair.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/gear_record.h"

// Record a lies at the origin turned by angleA; record b (or none) at (xB, yB)
// turned by angleB about its own centre. Angles in radians. 1 written, 0 failed.
int64_t StepWriteFile(const std::string& path, const GearRecord& a, double angleA, const GearRecord* b,
                      double xB, double angleB, double yB);
