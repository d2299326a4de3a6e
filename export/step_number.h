// Number and string forms of the STEP (ISO 10303-21) export.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A coordinate, length, radius or computed direction component: 6 decimals
// with "." (|v| < 1e-12 written as 0, never a negative zero). A NaN or an
// infinity has no STEP form: it is written as 0 and raises gStepNumberFault,
// so that the file writer refuses the model instead of writing a false solid.
std::string StepFormatCoordinate(double v);
// The same text appended to out.
void StepAppendCoordinate(std::string& out, double v);

// The coordinate as the file holds it: v rounded to the 6 decimals that
// StepFormatCoordinate writes. Geometry built from these values meets its
// written vertices exactly, not merely within the rounding.
double StepRoundCoordinate(double v);

// A computed unit-direction component: 10 decimals (|v| < 1e-12 written as
// 0). With 6 decimals a direction would be off by up to 7e-7 rad, and the far
// vertex of a 10 mm line or plane 7 um off it, beyond the file's 1e-6 mm
// distance accuracy; 10 decimals keep that below 1e-9 mm.
std::string StepFormatDirection(double v);

// A knot value: 10 decimals.
std::string StepFormatKnotValue(double v);

// 1 when a non-finite number was formatted since the last reset by the file
// writer; the model is then not written.
extern int64_t gStepNumberFault;

// text (UTF-8) as the contents of a STEP string literal (without the
// enclosing apostrophes): an apostrophe is doubled, a backslash doubled, and
// every character outside printable ASCII is written with the ISO 10303-21
// control directives (\X\hh for U+0080..U+00FF, \X2\hhhh..\X0\ above), so the
// file stays 7-bit text that every reader accepts. Malformed UTF-8 bytes are
// taken as Windows-1252 / Latin-1 single bytes.
std::string StepEncodeString(std::string_view text);
