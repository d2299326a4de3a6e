// Reading numbers from the text of an input field, as pure functions of the
// text (the control-reading procedures call these).
#pragma once

#include <cstdint>
#include <string_view>

// A decimal number: blanks trimmed, every "," taken as ".", then the longest
// leading part that forms a number (optional sign, digits with one ".",
// optional exponent) read locale-free; the rest is ignored. A text that starts
// with no number gives 0. "+Infinity", "-Infinity", "Infinity" and "NaN" (any
// letter case) give the special values. Out of range: +-infinity or 0.
double ParseNumberText(std::string_view text);

// A whole number (tooth counts): leading blanks and a sign allowed, reading
// stops at the first other character (no comma replacement: "20,5" gives 20).
// No digits gives 0; out of range saturates at the int64 limits.
int64_t ParseWholeNumberText(std::string_view text);
