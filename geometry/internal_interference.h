// Interference test of an internal pair on the real tooth outlines.
#pragma once

#include "geometry/gear_record.h"

// Result of ComputeInternalInterference when no outline point of either gear
// lies inside the other gear's teeth at any tested position.
inline constexpr double kNoInterference = -1e9;

// Result when the test cannot run: a record is not valid (or not a ring gear),
// the centre distance is not a positive number or steps < 1.
inline constexpr double kInterferenceNotComputed = -1.0;

// Turns the pinion (at (a, 0), angle theta1) and the ring (at the origin,
// angle theta1 z1 / z2) through one pinion pitch in `steps` positions
// (theta1 = k tau1 / steps, k = 0 .. steps-1) and returns the largest depth
// (mm, normal to the profile) by which an outline point of one gear lies in
// the other gear's tooth; kNoInterference when there is none. The records are
// only read; callers pass copies built at point density 3 and 24 steps.
double ComputeInternalInterference(const GearRecord& pinion, const GearRecord& ring,
                                   double a, int steps);

// The test as the program runs it on a shown pair: on copies of the two
// records rebuilt at point density 3 (the shown records keep their own
// outlines), over 24 positions.
double ComputeInternalPairPenetration(const GearRecord& pinion, const GearRecord& ring, double a);
