// PLACEHOLDER for the strength calculation: removed when it lands.
#include "design/strength_calc.h"

int64_t ComputeGearStrength(const GearRecord&, const GearRecord&, int64_t, double, double, StrengthInputs&,
                            StrengthResults& results) {
  results = StrengthResults{};
  return 0;
}
