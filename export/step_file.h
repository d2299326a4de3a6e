// The STEP AP214 export of one gear, rack or ring gear, or of a meshing pair.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>

#include "geometry/gear_record.h"

// Record a lies at the origin turned by angleA; record b (or none) at (xB, yB)
// turned by angleB about its own centre. Angles in radians. 1 written, 0 failed.
// The header carries the current local date and time.
int64_t StepWriteFile(const std::string& path, const GearRecord& a, double angleA, const GearRecord* b,
                      double xB, double angleB, double yB);

// StepWriteFile with the header's time stamp given (yyyy-mm-ddThh:mm:ss), so
// that a file can be reproduced byte for byte. 0 (and no file) when the file
// cannot be written or a body cannot be a solid: a record that is not valid,
// has no outline or no positive face width, a bore, keyway or hub that
// reaches the tooth outline, a hub not larger than the bore, a ring rim
// inside the teeth, or a number that is not finite.
int64_t StepWriteFileStamped(const std::string& path, const GearRecord& a, double angleA,
                             const GearRecord* b, double xB, double angleB, double yB,
                             const std::string& timeStamp);

// A local time as yyyy-mm-ddThh:mm:ss (hour 0..23, every field zero-padded).
std::string StepFormatTimeStamp(const std::tm& localTime);

// The file part of path (after the last "/" or "\"), and that name without
// its extension: cut at the last "." of the file part unless that point is
// its first or last character or a blank follows it.
std::string StepFileNameOf(const std::string& path);
std::string StepModelNameOf(const std::string& path);
