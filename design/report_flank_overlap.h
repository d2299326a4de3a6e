// The mesh reports' warning for a backlash below 0: the teeth are then
// thicker than the mate's gaps on the operating pitch circle, so the flanks
// of a pair, or of pinion and rack, overlap.
#pragma once

#include <string>

// The overlap of the flanks along the operating pitch circle (or the rack's
// pitch line) for the normal backlash jn: -jn / (cos alpha_wt cos beta_b),
// and 0 where jn is not below 0.
double ComputeFlankOverlap(double normalBacklash, double workingPressureAngle, double baseHelixAngle);

// The interference line with the overlap (4 decimals, as jn) and its cause;
// nothing where the flanks do not overlap.
void ReportAppendFlankOverlap(std::string& out, double overlap);
