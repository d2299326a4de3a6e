// Number and string forms of the STEP (ISO 10303-21) export.
#include "export/step_number.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "export/body_fault.h"
#include "geometry/format.h"
#include "geometry/tolerances.h"

int64_t gStepNumberFault = 0;

namespace {

constexpr int kMaxFastDecimals = 10;
// Above this the integer part no longer fits the fast path's 64-bit integer
// with room to spare; such numbers take the general formatting.
constexpr double kFastFixedLimit = 1e15;

// 10^0 .. 10^10: all exact in f64.
constexpr double kPowersOfTen[kMaxFastDecimals + 1] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5,
                                                       1e6, 1e7, 1e8, 1e9, 1e10};

// The values below which FormatNumber writes 0, computed by the same
// expression so that both agree to the last bit.
const double* ZeroThresholds() {
  static const auto table = [] {
    std::array<double, kMaxFastDecimals + 1> t{};
    for (int d = 0; d <= kMaxFastDecimals; ++d) t[static_cast<std::size_t>(d)] = 0.5 * std::pow(10.0, -d);
    return t;
  }();
  return table.data();
}

// Appends the finite x with `decimals` (0 .. 10) decimals exactly as
// FormatNumber writes it: the exact binary value correctly rounded, a tie
// to the even digit (as std::to_chars and printf do), no negative zero.
// Numbers are formatted by the million in an export; this avoids the
// general fixed conversion with its tables and a power per call.
void AppendFixed(std::string& out, double x, int decimals) {
  const double a = std::fabs(x);
  if (!(a < kFastFixedLimit) || decimals < 0 || decimals > kMaxFastDecimals) {
    out += FormatNumber(x, decimals);
    return;
  }
  const double scale = kPowersOfTen[decimals];
  uint64_t whole = 0;
  uint64_t fraction = 0;
  if (a >= ZeroThresholds()[decimals]) {
    const double integral = std::floor(a);
    const double f = a - integral;           // exact
    const double p = f * scale;              // f * scale = p + e exactly
    const double e = std::fma(f, scale, -p);
    const double r = std::floor(p);
    const double d = p - r;                  // exact, a multiple of ulp(p)
    // d differs from 0.5 by at least ulp(p) unless it equals it, and |e| is
    // at most half an ulp(p): e decides only for a d of exactly 0.5.
    whole = static_cast<uint64_t>(integral);
    fraction = static_cast<uint64_t>(r);
    const bool up = d > 0.5 || (d == 0.5 && (e > 0.0 || (e == 0.0 && (fraction & 1u) != 0)));
    if (up) ++fraction;
    if (static_cast<double>(fraction) >= scale) {
      fraction -= static_cast<uint64_t>(scale);
      ++whole;
    }
  }
  char buffer[48];
  char* end = buffer;
  if (x < 0.0 && (whole != 0 || fraction != 0)) *end++ = '-';
  end = std::to_chars(end, buffer + sizeof buffer, whole).ptr;
  if (decimals > 0) {
    *end++ = '.';
    char* const digitsEnd = end + decimals;
    for (char* q = digitsEnd; q != end;) {
      *--q = static_cast<char>('0' + fraction % 10);
      fraction /= 10;
    }
    end = digitsEnd;
  }
  out.append(buffer, end);
}

// A NaN or an infinity has no STEP form: it is written as 0, raises
// gStepNumberFault so that the file is not written, and records why, for the
// export to tell the user.
void AppendChecked(std::string& out, double v, int decimals) {
  if (!std::isfinite(v)) {
    gStepNumberFault = 1;
    RefuseBody(BodyFault::kNotFinite);
    v = 0.0;
  }
  AppendFixed(out, v, decimals);
}

}  // namespace

void StepAppendCoordinate(std::string& out, double v) {
  AppendChecked(out, std::fabs(v) < kStepZeroCoordinate ? 0.0 : v, 6);
}

std::string StepFormatCoordinate(double v) {
  std::string text;
  StepAppendCoordinate(text, v);
  return text;
}

double StepRoundCoordinate(double v) {
  const std::string text = StepFormatCoordinate(v);
  double rounded = 0.0;
  std::from_chars(text.data(), text.data() + text.size(), rounded);  // independent of the locale
  return rounded;
}

std::string StepFormatDirection(double v) {
  std::string text;
  AppendChecked(text, std::fabs(v) < kStepZeroCoordinate ? 0.0 : v, 10);
  return text;
}

std::string StepFormatKnotValue(double v) {
  std::string text;
  AppendChecked(text, v, 10);
  return text;
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
