// Reading decimal and whole numbers from field texts.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include "design/number_text.h"

TEST(ParseNumberText, Table) {
  struct Case {
    const char* text;
    double value;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {"1,5", 1.5},
      {" 2 ", 2.0},
      {"", 0.0},
      {"   ", 0.0},
      {"abc", 0.0},
      {"0x1A", 0.0},  // no hexadecimal: "0", then "x" ends the number
      {"+3", 3.0},
      {"1e3", 1000.0},
      {" 12,5 ", 12.5},
      {"\t7\t", 7.0},
      {"1.000,5", 1.0},  // becomes 1.000.5: reading stops at the second point
      {"12mm", 12.0},
      {"1,5e3", 1500.0},
      {"-2.5", -2.5},
      {".5", 0.5},
      {"5.", 5.0},
      {"2E-2", 0.02},
      {"1e", 1.0},  // an exponent without digits is not part of the number
      {"1e+", 1.0},
      {"3e-x", 3.0},
      {"-", 0.0},
      {".", 0.0},
      {"--3", 0.0},
      {"+-3", 0.0},
      {"0.1", 0.1},
      {"20,5", 20.5},
      {"-0", 0.0},
      {"+Infinity", inf},
      {"-Infinity", -inf},
      {"infinity", inf},
      {"1e400", inf},
      {"-1e400", -inf},
      {"1e-400", 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseNumberText(c.text), c.value) << '"' << c.text << '"';
  }
  EXPECT_TRUE(std::isnan(ParseNumberText("NaN")));
  EXPECT_TRUE(std::isnan(ParseNumberText(" nan ")));
}

TEST(ParseWholeNumberText, Table) {
  struct Case {
    const char* text;
    int64_t value;
  };
  const Case cases[] = {
      {"20", 20},
      {"  20", 20},
      {"20,5", 20},  // no comma replacement for whole numbers
      {"12.9", 12},
      {"-7", -7},
      {"+7", 7},
      {"", 0},
      {"abc", 0},
      {"1e3", 1},
      {"0x1A", 0},
      {" - 3", 0},
      {"99999999999999999999", std::numeric_limits<int64_t>::max()},
      {"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      {"-99999999999999999999", std::numeric_limits<int64_t>::min()},
      {"9223372036854775807", std::numeric_limits<int64_t>::max()},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseWholeNumberText(c.text), c.value) << '"' << c.text << '"';
  }
}
