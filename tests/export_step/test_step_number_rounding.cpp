// The fixed-point numbers of the STEP file against the C library's printf,
// which rounds the exact binary value to the nearest decimal, a tie to the
// even digit: every coordinate and knot must come out as printf writes it
// (without a negative zero), also in the rare exact ties and next to them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "export/step_number.h"

namespace {

// printf's text with "-0.000..." written without its sign.
std::string PrintfFixed(double v, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  std::string text(buffer);
  if (text[0] == '-' && text.find_first_not_of("0.", 1) == std::string::npos) text.erase(0, 1);
  return text;
}

// Values of every kind the export meets, and the hard ones of fixed-point
// rounding: exact ties (odd multiples of 2^-7 at 6 decimals, of 2^-11 at 10),
// their neighbours, carries into the integer part, the rounding threshold
// of zero, large and negative values.
std::vector<double> TrickyValues() {
  std::vector<double> values = {0.0,        -0.0,          1.0,           -1.0,        0.5e-6,
                                -0.5e-6,    4.9999999e-7,  5.0000001e-7,  0.9999995,   0.99999949999,
                                9.9999995,  -9.9999995,    0.0078125,     -0.0078125,  1.0078125,
                                2.0234375,  0.00048828125, 1.00146484375, 123456.5,    999999999.9999995,
                                1e14 + 0.5, 9.99e14,       1e15,          -1e15,       3e15,
                                1e20,       1e300,         0.1,           0.2,         0.3,
                                1.0 / 3.0,  2.0 / 3.0,     1e-10,         5e-11,       4.99999e-11};
  for (int k = -300; k <= 300; ++k) {
    const double tie6 = (2.0 * k + 1.0) / 128.0;
    const double tie10 = (2.0 * k + 1.0) / 2048.0;
    for (double t : {tie6, tie10}) {
      values.push_back(t);
      values.push_back(std::nextafter(t, INFINITY));
      values.push_back(std::nextafter(t, -INFINITY));
    }
  }
  std::mt19937_64 random(20260305);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_int_distribution<int> exponent(-14, 16);
  for (int i = 0; i < 200000; ++i) values.push_back(unit(random) * std::pow(10.0, exponent(random)));
  return values;
}

TEST(StepNumberRounding, CoordinatesAndKnotsAreWrittenAsPrintfRoundsThem) {
  gStepNumberFault = 0;
  int mismatches = 0;
  for (double v : TrickyValues()) {
    // Coordinates: 6 decimals (a value below 1e-12 is zero, which 6
    // decimals write as zero anyway).
    const std::string coordinate = StepFormatCoordinate(v);
    if (coordinate != PrintfFixed(v, 6) && ++mismatches <= 10) {
      ADD_FAILURE() << "coordinate " << PrintfFixed(v, 20) << ": " << coordinate << " != " << PrintfFixed(v, 6);
    }
    // Knot values: 10 decimals.
    const std::string knot = StepFormatKnotValue(v);
    if (knot != PrintfFixed(v, 10) && ++mismatches <= 10) {
      ADD_FAILURE() << "knot " << PrintfFixed(v, 20) << ": " << knot << " != " << PrintfFixed(v, 10);
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(gStepNumberFault, 0);
}

TEST(StepNumberRounding, DirectionsHaveTenDecimalsAndTinyComponentsAreZero) {
  EXPECT_EQ(StepFormatDirection(0.5), "0.5000000000");
  EXPECT_EQ(StepFormatDirection(-1.0 / 3.0), "-0.3333333333");
  EXPECT_EQ(StepFormatDirection(2e-12), "0.0000000000");
  EXPECT_EQ(StepFormatDirection(-2e-12), "0.0000000000");
  EXPECT_EQ(StepFormatDirection(std::sqrt(0.5)), PrintfFixed(std::sqrt(0.5), 10));
  // A tie at the 10th decimal goes to the even digit: 2^-11 = 0.00048828125.
  EXPECT_EQ(StepFormatDirection(0.00048828125), "0.0004882812");
  EXPECT_EQ(StepFormatDirection(0.00146484375), "0.0014648438");
}

}  // namespace
