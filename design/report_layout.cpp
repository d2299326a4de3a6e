// The main report's dispatch by mode and its table layout helpers.
#include <string>

#include "design/report.h"
#include "design/report_lines.h"
#include "texts/report_texts.h"

namespace {

constexpr size_t kRowLabelWidth = 28;
constexpr size_t kRowValueWidth = 11;

// Margin of a safety factor above its minimum before it rates "ok".
constexpr double kSafetyComfortFactor = 1.1;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// The first `count` characters of a UTF-8 text, and how many it has.
std::string_view TakeCharacters(std::string_view text, size_t count, size_t& taken) {
  taken = 0;
  size_t end = 0;
  while (end < text.size()) {
    if (taken == count) break;
    ++end;
    while (end < text.size() && IsUtf8Continuation(text[end])) ++end;
    ++taken;
  }
  return text.substr(0, end);
}

void AppendPadded(std::string& out, std::string_view text, size_t width, bool alignRight) {
  size_t chars = 0;
  const std::string_view cut = TakeCharacters(text, width, chars);
  const std::string blanks(width - chars, ' ');
  if (alignRight) out += blanks;
  out += cut;
  if (!alignRight) out += blanks;
}

}  // namespace

std::string FormatReportRow(std::string_view label, std::string_view value1, std::string_view value2) {
  std::string row = "  ";
  AppendPadded(row, label, kRowLabelWidth, /*alignRight=*/false);
  AppendPadded(row, value1, kRowValueWidth, /*alignRight=*/true);
  AppendPadded(row, value2, kRowValueWidth, /*alignRight=*/true);
  row += kReportLineEnd;
  return row;
}

std::string FormatSafetyRating(double safety, double minSafety) {
  if (safety >= kSafetyComfortFactor * minSafety) return std::string(texts::kRatingOk);
  if (safety >= minSafety) return std::string(texts::kRatingTight);
  return std::string(texts::kRatingFail);  // also NaN in either argument
}
