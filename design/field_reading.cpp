// Reading numbers from input controls and writing computed texts into them.
#include "design/field_reading.h"

#include <cmath>

#include "design/number_text.h"
#include "platform/gui.h"

double ReadNumberField(int64_t control) { return ParseNumberText(GadgetGetText(control)); }

void SetGadgetTextIfChanged(int64_t control, std::string_view text) {
  if (GadgetGetText(control) == text) return;
  GadgetSetText(control, text);
}

bool AreAllFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}
