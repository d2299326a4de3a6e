// The virtual spur gear (or rack, or ring gear) on whose generated outline the
// root form factors of the strength calculation are found.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"

// Outline point density of the virtual gears.
inline constexpr int kVirtualGearPointDensity = 8;

// Fewest teeth of a virtual gear.
inline constexpr int64_t kMinVirtualTeeth = 6;

// Virtual number of teeth of a helical gear (ISO 6336-3):
// zn = z / (cos beta cos^2 beta_b), rounded to the nearest integer (halves
// away from zero), at least 6. 0 when it is not a finite number.
int64_t ComputeVirtualTeeth(const GearRecord& source);

// Fills target (the caller's scratch record) with the spur equivalent of
// source, outline included, at density 8: for pairKind 2 a straight spur rack
// of three teeth; for 1 a spur ring gear of zn teeth; for 0 an external spur
// gear of zn teeth. Module, pressure angle, shift, face width, allowance (and
// tip shortening, rack height, rim) come from source. Returns target.valid.
int64_t BuildVirtualGear(const GearRecord& source, int64_t pairKind, GearRecord& target);
