// PLACEHOLDER for the shaft-and-key check of the strength report: fills the
// column from CheckShaftKey once the shaft and key check lands; until then the
// check does not run (computed 0), which the report prints as "-".
#include "app/strength_shaft_check.h"

void CheckStrengthShaft(const GearRecord&, double, double, double, double, double, int64_t, double,
                        StrengthShaftColumn& column) {
  column = StrengthShaftColumn{};
}
