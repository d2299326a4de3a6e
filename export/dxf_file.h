// The DXF (release 12) drawing of the exported gears, and the coordinate format shared with STEP.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "geometry/gear_record.h"

// A DXF file being assembled. The whole text is built in memory and written
// to disk in one checked step, so a failed write can never pass for success
// and an existing file is never left half overwritten.
struct DxfFile {
  std::string text;         // the bytes of the file: ASCII, every line ended by CR LF
  int64_t allFinite = 1;    // 0 once a NaN or infinite coordinate was met
};

// Writes record a at the origin turned by angleA and, when b is given, record
// b at (xB, yB) turned by angleB about its own centre (radians), as a DXF R12
// drawing: header (AC1009, millimetres) and one ENTITIES section, on the
// layers outline, hub and pitch of the program's language. Returns 1 when the
// file was written completely, 0 when it was not (a record without an
// outline, a non-finite coordinate, or any failure of creating, writing,
// flushing, closing or renaming the file); on failure an existing file at
// path is left as it was.
int64_t DxfWriteFile(const std::string& path, const GearRecord& a, double angleA, const GearRecord* b,
                     double xB, double angleB, double yB);

// Appends the entities of one gear, rack or ring gear whose centre (the rack:
// its reference point, the left end of the pitch line) lies at (x, y), turned
// by angle: the closed outline polyline; the bore (a closed polyline with the
// keyway, else a circle); the hub circle; a ring gear's rim circle; the pitch
// circle, or the rack's pitch line.
void DxfWriteGearEntities(DxfFile& file, const GearRecord& rec, double x, double y, double angle);

// Appends text and CR LF. The text may itself hold several lines joined by CR LF.
void DxfWriteLine(DxfFile& file, std::string_view text);

// A coordinate for the DXF and STEP files: exactly 6 decimals with a "."
// (12.5 -> "12.500000", -pi -> "-3.141593"); |v| < 1e-12 and values that
// round to zero are written "0.000000", never as a negative zero.
std::string FormatCoordinate(double v);
