// The ring gear (internal gear) of the internal pair: record, outline, rim and
// the measurement between two balls.
//
// A ring gear's tooth spaces have the shape of an external gear's teeth: the
// record's pitchThickness is the space width on the pitch circle, so
// ComputeInvolutePolarAngle gives the half angle of a space; tipRadius is the
// inner tip circle, rootRadius the outer root circle. The outline runs
// clockwise in the ring's own frame (model mm, y up), space t centred at the
// polar angle -2 pi t / z, space 0 on the positive x axis.
#pragma once

#include <cstdint>

#include "geometry/gear_record.h"

// Tip rounding of the ring's cutter, in modules. Where the tooth spaces are
// too narrow at the root for it (steep pressure angles), the ring is cut with
// the largest rounding that fits, and its toolTipRadiusFactor holds that.
inline constexpr double kRingTipRoundingFactor = 0.25;

// Builds rec as a ring gear (isInternal = 1): module m, z teeth, profile shift
// x (positive away from the axis), normal pressure angle alphaDeg, face width
// b, rim thickness below the root circle, thickness allowance As (widens the
// spaces), helix angle |betaDeg|, hand (0 = +1), point density (1 display,
// 3 interference copies, 4 DXF, 16 STL) and the tip radius asked for by the
// pair's tip shortening (0 = standard tip). The dimension between two balls
// goes to pinDiameter, overPins, pinContactRadius and pinProtrudes; a ball
// that cannot touch the involute flanks (contact inside the tip circle or on
// the root fillet, or too wide for the space) gives overPins = 0. Returns 0
// when built, 1 when rejected (valid = 0, empty outline).
int BuildRingGearGeometry(GearRecord& rec, double m, int64_t z, double x, double alphaDeg,
                          double b, double rimThickness, double As, double betaDeg,
                          int64_t hand, int pointDensity, double requestedTipRadius);

// Builds the ring again from its own inputs (module, teeth, shift, angles,
// face width, rim, allowance, hand, requested tip) at another point density,
// as the writers and the interference test need finer outlines than the
// view's. Returns as BuildRingGearGeometry.
int RebuildRingGearGeometry(GearRecord& rec, int pointDensity);

// The radius on the ring of the point of the line of action where the
// pinion's usable involute begins (its formRadius), at centre distance a:
// the smallest radius the ring's tip may reach without meeting the pinion's
// root fillet. With alpha_w = acos((rb2 - rb1) / a):
// sqrt((a sin alpha_w + sqrt(max(rF1^2 - rb1^2, 0)))^2 + rb2^2).
// Returns 0 (no shortening asked for) when alpha_w is undefined.
double ComputeInternalMateRadius(const GearRecord& pinion, const GearRecord& ring, double a);
