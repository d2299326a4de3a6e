// Reading numbers from input controls and writing computed texts into them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

// The number shown in a text entry or in the text part of an editable combo:
// trimmed, a decimal comma taken as a point, the longest leading number
// (0 when there is none).
double ReadNumberField(int64_t control);
// Sets the control's text only when it differs from what it shows (exact,
// case-sensitive comparison); an equal text leaves the control untouched.
void SetGadgetTextIfChanged(int64_t control, std::string_view text);

// True when every value is a finite number. A field typed as "NaN",
// "Infinity" or "1e400" (which reads as infinity) holds no size a design can
// have, so the readers refuse it as any other value out of range.
bool AreAllFinite(std::initializer_list<double> values);
