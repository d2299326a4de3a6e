// Number and string forms of the STEP (ISO 10303-21) export.
#include "export/step_number.h"

#include <cmath>
#include <cstdio>

#include "export/body_fault.h"
#include "geometry/format.h"
#include "geometry/tolerances.h"

int64_t gStepNumberFault = 0;

namespace {

// A number with no STEP form: the file must not be written, and the export
// tells the user why.
void NoteNumberFault() {
  gStepNumberFault = 1;
  RefuseBody(BodyFault::kNotFinite);
}

}  // namespace

std::string StepFormatCoordinate(double v) {
  if (!std::isfinite(v)) {
    NoteNumberFault();
    return "0.000000";
  }
  if (std::fabs(v) < kStepZeroCoordinate) v = 0.0;
  return FormatNumber(v, 6);  // also turns a "-0.000000" into "0.000000"
}

std::string StepFormatDirection(double v) {
  if (!std::isfinite(v)) {
    NoteNumberFault();
    return "0.0000000000";
  }
  if (std::fabs(v) < kStepZeroCoordinate) v = 0.0;
  return FormatNumber(v, 10);
}

std::string StepFormatKnotValue(double v) {
  if (!std::isfinite(v)) {
    NoteNumberFault();
    return "0.0000000000";
  }
  return FormatNumber(v, 10);
}

namespace {

// Decodes one UTF-8 sequence at text[i]; advances i. A malformed or overlong
// sequence yields the single byte (read as Latin-1) and advances by one.
uint32_t DecodeUtf8(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  int length = 0;
  uint32_t code = 0;
  uint32_t minimum = 0;
  if (lead < 0x80) {
    ++i;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  } else {
    ++i;
    return lead;
  }
  if (i + static_cast<std::size_t>(length) > text.size()) {
    ++i;
    return lead;
  }
  for (int k = 1; k < length; ++k) {
    const unsigned char next = byte(i + static_cast<std::size_t>(k));
    if ((next & 0xC0) != 0x80) {
      ++i;
      return lead;
    }
    code = (code << 6) | (next & 0x3F);
  }
  if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++i;
    return lead;
  }
  i += static_cast<std::size_t>(length);
  return code;
}

void AppendHex(std::string& out, uint32_t value, int digits) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%0*X", digits, static_cast<unsigned>(value));
  out += buffer;
}

}  // namespace

std::string StepEncodeString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const uint32_t code = DecodeUtf8(text, i);
    if (code == '\'') {
      out += "''";
    } else if (code == '\\') {
      out += "\\\\";
    } else if (code >= 0x20 && code < 0x7F) {
      out += static_cast<char>(code);
    } else if (code >= 0x80 && code <= 0xFF) {
      out += "\\X\\";  // ISO 8859-1 octet
      AppendHex(out, code, 2);
    } else if (code <= 0xFFFF) {
      out += "\\X2\\";  // UCS-2 run, one character
      AppendHex(out, code, 4);
      out += "\\X0\\";
    } else {
      out += "\\X4\\";  // UCS-4 run, one character
      AppendHex(out, code, 8);
      out += "\\X0\\";
    }
  }
  return out;
}
