// Texts of the STL export: the result message and the file header.
#pragma once

#include <string_view>

namespace texts {
// "STL written: " + n + " triangles, " + k + " kB\r\nChord tolerance max. " + t + " mm"
extern const std::string_view kStlResultWritten;
extern const std::string_view kStlResultTriangles;
extern const std::string_view kStlResultKilobytes;
extern const std::string_view kStlResultMillimetres;
// The start of the 80-byte STL header, the same in every language.
extern const std::string_view kStlHeaderPrefix;
}  // namespace texts
