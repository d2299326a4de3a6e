#include "texts/stl_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kStlResultWritten = NV_TEXT("STL written: ", "STL geschreven: ");
const std::string_view kStlResultTriangles = NV_TEXT(" triangles, ", " driehoeken, ");
const std::string_view kStlResultKilobytes = NV_TEXT(" kB\r\nChord tolerance max. ", " kB\r\nKoordafwijking max. ");
const std::string_view kStlResultMillimetres = NV_TEXT(" mm", " mm");
const std::string_view kStlHeaderPrefix = NV_TEXT("QZ Tandwiel STL, koordafwijking ", "QZ Tandwiel STL, koordafwijking ");
}  // namespace texts
