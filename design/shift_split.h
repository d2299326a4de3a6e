// How a search row's shift is divided between the two gears when the row is
// applied: the proposed profile shift x1 of gear 1 / the pinion.
#pragma once

// External pair with shift sum S = x1 + x2 and the minimum shifts against
// undercut xmin1, xmin2 of the two gears. Starts from the even split S / 2;
// gives gear 1 just xmin1 when it would undercut and gear 2 can still carry
// the rest, then gives gear 2 just xmin2 when it would undercut and gear 1
// can carry the rest. When S cannot cover both, the even split stays.
double ProposePairShiftX1(double shiftSum, double minShift1, double minShift2);

// Internal pair: the pinion gets its minimum shift against undercut, but
// never a negative shift (the ring then takes x2 = Delta x + x1).
double ProposeInternalShiftX1(double minShift1);
