// Table-row and safety-rating helpers of the reports.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "design/report.h"

namespace {
const char* Lang(const char* english, const char* dutch) { return NORVALE_TEST_LANG == 1 ? dutch : english; }
}  // namespace

TEST(ReportRow, PadsAndCutsToFixedWidths) {
  struct Case {
    const char* label;
    const char* value1;
    const char* value2;
    std::string expected;
  };
  const Case cases[] = {
      // 20-character label, 4-character value, empty second value.
      {"abcdefghijklmnopqrst", "1.23", "",
       "  abcdefghijklmnopqrst" + std::string(8, ' ') + std::string(7, ' ') + "1.23" + std::string(11, ' ') +
           "\r\n"},
      // Label longer than 28 characters and values longer than 11 are cut.
      {"0123456789012345678901234567890", "123456789012345", "-1.5",
       "  0123456789012345678901234567" "12345678901" + std::string(7, ' ') + "-1.5\r\n"},
      // Widths count characters: "σH,lim" is 6 characters (7 bytes), "Ø" one.
      {"σH,lim [N/mm²]", "Ø", "1500",
       "  σH,lim [N/mm²]" + std::string(14, ' ') + std::string(10, ' ') + "Ø" + std::string(7, ' ') + "1500\r\n"},
      // Cutting never splits a multi-byte character.
      {"αααααααααααααααααααααααααααααα", "", "",
       "  αααααααααααααααααααααααααααα" + std::string(22, ' ') + "\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatReportRow(c.label, c.value1, c.value2), c.expected) << c.label;
}

TEST(ReportRow, SafetyRatingHasAMarginOfTenPercent) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct Case {
    double s, smin;
    std::string expected;
  };
  const Case cases[] = {
      {1.6, 1.4, " ok"}, {1.5, 1.4, Lang(" tight", " krap")}, {1.4, 1.4, Lang(" tight", " krap")},
      {1.39, 1.4, " !!"}, {1.1, 1.0, " ok"}, {nan, 1.0, " !!"}, {1.5, nan, " !!"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatSafetyRating(c.s, c.smin), c.expected) << c.s << " " << c.smin;
}
