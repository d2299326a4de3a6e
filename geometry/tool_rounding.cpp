// The largest tip rounding that fits the tooth of a basic-rack tool.
#include "geometry/tool_rounding.h"

#include <algorithm>
#include <cmath>
#include <numbers>

double FitToolTipRoundingFactor(double nominalFactor, double halfWidth, double alphaN, double m) {
  const double cornerOffsetPerRadius = std::tan(std::numbers::pi / 4.0 - alphaN / 2.0);
  const double largestFactor = halfWidth / cornerOffsetPerRadius / m;
  if (!(largestFactor < nominalFactor)) return nominalFactor;
  return std::max(largestFactor, 0.0);
}

double ComputeGearToolHalfToothAtTip(double dedendumFactor, double alphaN, double m) {
  return std::numbers::pi * m / 4.0 - dedendumFactor * m * std::tan(alphaN);
}

double FitGearToolTipRoundingFactor(double nominalFactor, double dedendumFactor, double alphaN) {
  return FitToolTipRoundingFactor(nominalFactor, ComputeGearToolHalfToothAtTip(dedendumFactor, alphaN, 1.0),
                                  alphaN, 1.0);
}
