// Involute functions of an external gear: inv, its inverse, the half tooth
// angle at a radius and the minimum profile shift against undercut.
#pragma once

#include <cstdint>

struct GearRecord;

// inv(a) = tan a - a.
double Involute(double a);

// The angle a in (0, pi/2) with tan a - a = v. Start (3 v)^(1/3), then 30
// Newton steps; an iterate leaving its bracket in (0, pi/2) is replaced by
// bisection. Returns 0 for v <= 0 and for NaN.
double InverseInvolute(double v);

// x min against undercut for the standard basic rack (hf* 1.25, rho_f* 0.38):
// x min = 1.25 - rho_f* (1 - sin alpha_n) - z sin^2 alpha_t / (2 cos beta),
// with rho_f* the tool tip rounding that fits the tool tooth (0.38 up to
// about 23.2 deg, smaller above).
double ComputeMinProfileShift(int64_t z, double alphaDeg, double betaDeg);

// Half tooth angle psi(radius) = s / (2 r) + inv alpha_t - inv(acos(rb / radius))
// between the tooth centre line and the flank; a radius below rb counts as rb.
double ComputeInvolutePolarAngle(const GearRecord& rec, double radius);
