// Proposed profile shift of gear 1 when a search row is applied.
#include "design/shift_split.h"

double ProposePairShiftX1(double shiftSum, double minShift1, double minShift2) {
  const double s = shiftSum;
  double x1 = s / 2.0;
  if (x1 < minShift1 && s - minShift1 >= minShift2) x1 = minShift1;
  if (s - x1 < minShift2 && s - minShift2 >= minShift1) x1 = s - minShift2;
  return x1;
}

// Written so that a NaN (pressure angle typed as "Infinity") proposes 0.
double ProposeInternalShiftX1(double minShift1) { return minShift1 > 0.0 ? minShift1 : 0.0; }
