// Where the simplified strength method does not hold for a pair: a transverse
// contact ratio below 1 (or one raised to the calculation's floor), a dynamic
// factor beyond the speed range of its method, tip interference of an
// internal pair and pointed teeth. Decided from the same records, pair kind,
// centre distance and contact ratio the strength calculation is given, so
// every caller of the calculation gets the same verdict.
#pragma once

#include <cstdint>

#include "design/strength_results.h"
#include "geometry/gear_record.h"
#include "geometry/path_of_contact.h"

// The smallest transverse contact ratio the calculation is run with.
inline constexpr double kStrengthMinContactRatio = 0.5;

// The dynamic factor's method holds only while
// z1 v / 100 sqrt(u^2 / (1 + u^2)) stays below this (m/s).
inline constexpr double kDynamicMethodSpeedLimit = 10.0;

// The transverse contact ratio of the mesh from its records: external pair
// (gear 2 at centre distance a), pinion and rack, or pinion in a ring gear:
// the length of the path of contact on which both flanks are involutes over
// the transverse base pitch pi mt cos alpha_t of gear 1. That is A..E from the
// tip circles, less what a tip reaches below the mate's form circle (into its
// root fillet). -1 or 0 when the mesh is undefined.
double ComputeStrengthContactRatio(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                   double centreDistance);

// The involute stretch of the mesh's path of contact (the path at rotation 0).
// Returns contact.valid.
int ComputeStrengthInvoluteContact(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                   double centreDistance, InvoluteContactRecord& contact);

// z1 v / 100 sqrt(u^2 / (1 + u^2)) in m/s (the ratio term is 1 for a rack).
double ComputeDynamicSpeedTerm(double z1, double pitchLineSpeed, double ratio, int isRack);

// Fills the applicability fields of results. epsAlpha is the contact ratio
// the calculation uses; results.pitchLineSpeed and results.ratio must be set.
void CheckStrengthApplicability(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                                double centreDistance, double epsAlpha, StrengthResults& results);

// 1 when any of the fields says the method does not hold.
int64_t IsOutsideStrengthMethod(const StrengthResults& results);
