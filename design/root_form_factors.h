// The critical tooth-root section found on the generated outline, and from it
// the form factor YF and the stress correction factor YS (ISO 6336-3 with the
// load at the tooth tip).
#pragma once

#include <cstdint>

#include "design/strength_results.h"
#include "geometry/gear_record.h"

// Tangent angles (degrees to the tooth centre line) that mark the critical
// root section: 30 degrees for external gears and racks, 60 for ring gears.
inline constexpr double kRootTangentAngleExternal = 30.0;
inline constexpr double kRootTangentAngleInternal = 60.0;

// Fewest points of one half tooth and half gap after thinning.
inline constexpr size_t kMinRootPoints = 8;

// Lowest tip index allowed: the search needs points of the root before it.
inline constexpr size_t kMinRootTipIndex = 4;

// Points each side of the critical point through which the fillet circle runs.
inline constexpr size_t kFilletFitSpan = 3;

// Clamp of the notch parameter qs = sFn / (2 rhoF) of the YS formula.
inline constexpr double kMinNotchParameter = 1.0;
inline constexpr double kMaxNotchParameter = 8.0;

// Radius of the circle through three points (s, h); kStraightFilletRadius
// when the points are collinear (|D| below kFilletCollinearDeterminant).
double ComputeFilletCircleRadius(double s1, double h1, double s2, double h2, double s3, double h3);

// Tooth form factor YF = 6 (hFe / mn) cos alpha_Fen / ((sFn / mn)^2 cos alpha_n).
double ComputeToothFormFactor(double chord, double momentArm, double loadAngle,
                              double normalModule, double pressureAngle);

// Stress correction factor YS = (1.2 + 0.13 L) qs^(1 / (1.21 + 2.3 / L)) with
// L = sFn / hFe and the notch parameter qs = sFn / (2 rhoF) clamped to 1..8.
double ComputeStressCorrectionFactor(double chord, double momentArm, double filletRadius);

// Finds the critical root section of gear (its outline as built by the gear,
// rack or ring builder) for pairKind 0 external gear, 1 ring gear, 2 rack, and
// fills section. section.found is 0 first and 1 only at the very end; on 0 the
// other fields may hold partial values. Returns section.found.
int64_t ComputeRootFormFactors(const GearRecord& gear, int64_t pairKind, RootSection& section);
