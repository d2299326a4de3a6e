// The interpolating B-spline through the points of one outline curve, shared
// by the side faces of every solid: chord-length parameters, global
// interpolation, ends exactly at the curve's end points.
#pragma once

#include <string>
#include <vector>

#include "geometry/outline.h"

struct StepProfileFit {
  int degree = -1;                    // 3, or fewer for fewer than 4 points; -1 when no fit
  std::vector<double> knots;          // clamped, points + degree + 1 values
  std::vector<OutlinePoint> controls; // in the gear's own frame
  std::string mults;                  // the knot lists in STEP form
  std::string knotValues;
};

// The curve's points without points that repeat their predecessor (a zero
// chord gives two equal parameters and a singular interpolation). The last
// point is kept as it stands, since the next curve starts there.
std::vector<OutlinePoint> StepDistinctPoints(const OutlineCurve& curve);

// Chord-length parameters s0 = 0 .. s(m-1) = 1; equal spacing when the
// points have no length.
std::vector<double> StepChordParameters(const std::vector<OutlinePoint>& pts);

// The B-spline that passes through every point at its chord-length
// parameter; its first and last control points are the first and last
// points exactly. degree stays -1 when the points cannot be interpolated.
StepProfileFit StepFitProfile(const std::vector<OutlinePoint>& pts);
