// Locale-free number formatting and small helpers used everywhere.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// x with exactly `decimals` digits after "." (clamped to 0..512), correctly
// rounded; never a negative zero. Infinities and NaN: "+Infinity",
// "-Infinity", "NaN".
std::string FormatNumber(double x, int decimals);

// x with 3 decimals, trailing zeros and a trailing point removed: 2.5, 100, 0.125.
std::string FormatNumberTrimmed(double x);

// b when b <= a, else a.
double MinDouble(double a, double b);

// a when b < a, else b.
double MaxDouble(double a, double b);

// The name of a helix hand: left for hand < 0, right otherwise (also for 0).
std::string_view FormatHandName(int64_t hand);
