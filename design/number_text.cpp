// Reading numbers from the text of an input field, locale-free.
#include "design/number_text.h"

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

char ToLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// True when text begins with word, compared without letter case.
bool StartsWithNoCase(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (size_t i = 0; i < word.size(); ++i) {
    if (ToLower(text[i]) != word[i]) return false;
  }
  return true;
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

double ParseNumberText(std::string_view text) {
  std::string s(TrimBlanks(text));
  for (char& c : s) {
    if (c == ',') c = '.';
  }

  size_t pos = 0;
  bool negative = false;
  if (pos < s.size() && (s[pos] == '+' || s[pos] == '-')) {
    negative = s[pos] == '-';
    ++pos;
  }
  const std::string_view rest = std::string_view(s).substr(pos);
  if (StartsWithNoCase(rest, "infinity")) {
    return negative ? -std::numeric_limits<double>::infinity()
                    : std::numeric_limits<double>::infinity();
  }
  if (StartsWithNoCase(rest, "nan")) return std::numeric_limits<double>::quiet_NaN();

  // The longest leading part of the form digits [. digits] [e [sign] digits],
  // with at least one digit in the mantissa; an exponent without digits is
  // not part of the number.
  const size_t mantissaStart = pos;
  size_t digits = 0;
  while (pos < s.size() && IsDigit(s[pos])) {
    ++pos;
    ++digits;
  }
  if (pos < s.size() && s[pos] == '.') {
    ++pos;
    while (pos < s.size() && IsDigit(s[pos])) {
      ++pos;
      ++digits;
    }
  }
  if (digits == 0) return 0.0;
  size_t end = pos;
  bool negativeExponent = false;
  if (pos < s.size() && (s[pos] == 'e' || s[pos] == 'E')) {
    size_t e = pos + 1;
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) {
      negativeExponent = s[e] == '-';
      ++e;
    }
    if (e < s.size() && IsDigit(s[e])) {
      while (e < s.size() && IsDigit(s[e])) ++e;
      end = e;
    } else {
      negativeExponent = false;
    }
  }

  double value = 0.0;
  const char* first = s.data() + mantissaStart;
  const char* last = s.data() + end;
  const auto result = std::from_chars(first, last, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = negativeExponent ? 0.0 : std::numeric_limits<double>::infinity();
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int64_t ParseWholeNumberText(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size() && IsBlank(text[pos])) ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  // Accumulate towards the sign so that the int64 minimum is reachable;
  // saturate at the limits.
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
  int64_t value = 0;
  while (pos < text.size() && IsDigit(text[pos])) {
    const int digit = text[pos] - '0';
    if (negative) {
      value = value < (kMin + digit) / 10 ? kMin : value * 10 - digit;
    } else {
      value = value > (kMax - digit) / 10 ? kMax : value * 10 + digit;
    }
    ++pos;
  }
  return value;
}
