// Number formatting without negative zeros, and the small helpers.
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "geometry/format.h"

TEST(FormatNumber, Table) {
  struct Case {
    double x;
    int decimals;
    const char* text;
  };
  const double inf = std::numeric_limits<double>::infinity();
  const Case cases[] = {
      {-0.0004, 3, "0.000"},  // rounds to zero: no minus sign
      {-0.0006, 3, "-0.001"},
      {-0.004, 2, "0.00"},
      {-0.0, 2, "0.00"},
      {-5e-7, 6, "0.000000"},  // at the binary threshold itself
      {-1e-20, 0, "0"},
      {1.005, 2, "1.00"},  // correctly rounded from the binary 1.00499999...
      {2.675, 2, "2.67"},
      {0.125, 2, "0.12"},  // an exact tie, as the standard conversion rounds it
      {3.14159, 4, "3.1416"},
      {-12.5, 1, "-12.5"},
      {1234567.891, 2, "1234567.89"},
      {1e20, 1, "100000000000000000000.0"},
      {7.0, 0, "7"},
      {2.5, -3, "2"},  // decimals below 0 count as 0
      {inf, 3, "+Infinity"},
      {-inf, 3, "-Infinity"},
      {std::numeric_limits<double>::quiet_NaN(), 3, "NaN"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FormatNumber(c.x, c.decimals), c.text) << c.x << " with " << c.decimals;
  }
  // Decimals are limited to 512.
  EXPECT_EQ(FormatNumber(0.5, 600).size(), 2u + 512u);
}

TEST(FormatNumberTrimmed, Table) {
  struct Case {
    double x;
    const char* text;
  };
  const Case cases[] = {
      {2.5, "2.5"},   {100.0, "100"}, {0.1254, "0.125"}, {3.0, "3"},     {0.0, "0"},
      {0.0001, "0"},  {-2.5, "-2.5"}, {1.25, "1.25"},    {12.3456, "12.346"}, {1.0005, "1"},
      {-0.0001, "0"},  // no negative zero
      {std::numeric_limits<double>::quiet_NaN(), "NaN"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatNumberTrimmed(c.x), c.text) << c.x;
}

TEST(MinMaxDouble, PickTheSmallerAndTheLarger) {
  EXPECT_EQ(MinDouble(1.0, 2.0), 1.0);
  EXPECT_EQ(MinDouble(2.0, 1.0), 1.0);
  EXPECT_EQ(MaxDouble(1.0, 2.0), 2.0);
  EXPECT_EQ(MaxDouble(2.0, 1.0), 2.0);
  EXPECT_EQ(MinDouble(-3.0, -3.0), -3.0);
  // With a NaN the defined choice: MinDouble gives a unless b <= a.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(MinDouble(1.0, nan), 1.0);
  EXPECT_EQ(MaxDouble(nan, 1.0), 1.0);
}

TEST(FormatHandName, LeftOnlyForNegative) {
  const std::string right = NORVALE_TEST_LANG == 1 ? "rechts" : "right";
  const std::string left = NORVALE_TEST_LANG == 1 ? "links" : "left";
  EXPECT_EQ(FormatHandName(1), right);
  EXPECT_EQ(FormatHandName(0), right);
  EXPECT_EQ(FormatHandName(-1), left);
  EXPECT_EQ(FormatHandName(-7), left);
}
