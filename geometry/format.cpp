// Locale-free number formatting and small helpers.
#include "geometry/format.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "texts/geometry_texts.h"

namespace {

constexpr int kMaxDecimals = 512;

// Fixed-point text of x with `decimals` digits, correctly rounded from the
// binary value by std::to_chars (locale-free, "." as decimal point).
std::string ToFixed(double x, int decimals) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x > 0 ? "+Infinity" : "-Infinity";
  // Largest double has 309 integer digits; plus sign, point and decimals.
  char buffer[320 + kMaxDecimals];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::fixed, decimals);
  return std::string(buffer, result.ptr);
}

// True for "-0", "-0.000" and the like: a negative value that rounded to zero.
bool IsNegativeZeroText(const std::string& text) {
  if (text.size() < 2 || text[0] != '-') return false;
  return std::all_of(text.begin() + 1, text.end(), [](char c) { return c == '0' || c == '.'; });
}

}  // namespace

std::string FormatNumber(double x, int decimals) {
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  if (std::fabs(x) < 0.5 * std::pow(10.0, -decimals)) x = 0.0;
  std::string text = ToFixed(x, decimals);
  // The threshold above is itself a binary value; a negative number just at it
  // may still round to zero, so a "-0.000" is cleaned up here as well.
  if (IsNegativeZeroText(text)) text.erase(0, 1);
  return text;
}

std::string FormatNumberTrimmed(double x) {
  std::string text = ToFixed(x, 3);
  if (text.find('.') != std::string::npos) {
    while (!text.empty() && text.back() == '0') text.pop_back();
    while (!text.empty() && text.back() == '.') text.pop_back();
  }
  if (IsNegativeZeroText(text)) text.erase(0, 1);
  return text;
}

double MinDouble(double a, double b) { return b <= a ? b : a; }

double MaxDouble(double a, double b) { return b < a ? a : b; }

std::string_view FormatHandName(int64_t hand) {
  return hand < 0 ? texts::kHandLeft : texts::kHandRight;
}
