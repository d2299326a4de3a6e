// The binary STL export of one gear, rack or ring gear, or of a meshing pair.
#pragma once

#include <cstdint>
#include <string>

#include "geometry/gear_record.h"

// Meshes body a at the origin turned by angleA (rad) and, when b is given,
// body b at (xB, yB) turned by angleB, within the chord tolerance (mm), and
// writes them as one binary STL file (little-endian; 80-byte header, uint32
// count, 50 bytes per facet). Returns the number of triangles written, or 0
// on any failure: a tolerance not above 0 or not finite, a body that cannot
// be meshed, or a file that cannot be written completely. On failure no file
// is created and an existing file at path is left as it was.
int64_t StlWriteFile(const std::string& path, double chordTolerance, const GearRecord& a, double angleA,
                     const GearRecord* b, double xB, double angleB, double yB);

// Appends the triangle (x0, y0, z0), (x1, y1, z1), (x2, y2, z2), in this
// order, to gTriangleList.
void StlAddTriangle(double x0, double y0, double z0, double x1, double y1, double z1, double x2, double y2,
                    double z2);

// Appends the flat triangle a, b, c at height z ordered so that its
// right-hand normal points to +z (faceUp non-zero) or -z (faceUp 0). A
// triangle of zero area is not appended.
void StlAddTriangleOriented(double ax, double ay, double bx, double by, double cx, double cy, double z,
                            int faceUp);

// The 80 header bytes: "QZ Tandwiel STL, koordafwijking " + tolerance with 4
// decimals + " mm", padded with blanks (cut at 80).
std::string FormatStlHeader(double chordTolerance);

// Writes gTriangleList as a binary STL file with the header of the given
// tolerance: the header, the count and one 50-byte facet per triangle with
// its right-hand unit normal ((0, 0, 0) for a zero-area triangle), streamed
// into a temporary file that replaces path only when all of it was written.
// Empties the list and returns its count; returns 0 (list kept, no file) when
// the list is too long for the count field, a coordinate does not fit in
// float32, or the file cannot be written.
int64_t StlWriteTriangleFile(const std::string& path, double chordTolerance);

// The message shown after a successful STL export of n triangles:
// "STL written: n triangles, k kB\r\nChord tolerance max. t mm".
std::string FormatStlResultMessage(int64_t triangleCount, double chordTolerance);
