// Tooth outlines: polylines of points in a gear's own frame (mm, y up, gear
// centre at the origin, tooth 0 centred on the positive x axis).
//
// Consecutive curves share end points, so the curves of a gear form one closed
// chain: counter-clockwise for external gears and racks, clockwise for ring gears.
#pragma once

#include <vector>

struct OutlinePoint {
  double x = 0.0;
  double y = 0.0;
};

struct OutlineCurve {
  std::vector<OutlinePoint> points;
};

using Outline = std::vector<OutlineCurve>;
