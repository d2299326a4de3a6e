// A copy of a body's record with its outline rebuilt at another point
// density, for the writers that need a finer outline than the view's.
#pragma once

#include "geometry/gear_record.h"

// Rebuilt from the record's own inputs (gear, rack or ring gear), so the copy
// holds exactly the design on screen even when an input field has since been
// given a value the tab rejected. The shown record is not touched. When the
// finer outline cannot be built (it would exceed the point limit) the copy
// keeps the shown outline.
GearRecord CopyAtPointDensity(const GearRecord& shown, int pointDensity);
