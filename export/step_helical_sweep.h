// The control points of the axial B-spline through one outline point swept
// along a helical gear's twist: the interpolation matrix's inverse applied to
// the point's place at every axial section.
#pragma once

#include <cstddef>
#include <vector>

#include "export/step_bspline.h"

class HelicalSweep {
 public:
  // inverse: the d x d inverse of the axial interpolation matrix, row-major;
  // the sections are turned by angles given as cosines and sines, lifted to
  // heights, and placed about (x0, y0).
  HelicalSweep(const std::vector<double>& inverse, const std::vector<double>& cosines,
               const std::vector<double>& sines, const std::vector<double>& heights, double x0, double y0);

  // The d control points for the point (px, py) of the gear's own frame, in
  // work linear in d. Each is the one ControlsBySum gives as the file writes
  // it (six decimals): a sum whose value might round the other way is taken
  // from the section points as ControlsBySum does. The first and last are
  // the section points themselves (clamped interpolation).
  std::vector<StepPoint3> Controls(double px, double py) const;

  // The same control points as the sum over every section point (work in
  // d squared).
  std::vector<StepPoint3> ControlsBySum(double px, double py) const;

 private:
  StepPoint3 SectionPoint(std::size_t j, double px, double py) const;
  StepPoint3 ControlBySum(std::size_t l, double px, double py) const;

  const std::vector<double>& inverse_;
  const std::vector<double>& cosines_;
  const std::vector<double>& sines_;
  const std::vector<double>& heights_;
  double x0_;
  double y0_;
  std::size_t d_;
  // Per control point l: the sums over j of w(l, j) times 1, cos, sin and
  // |w(l, j)|, and the z coordinate, which does not depend on the point.
  std::vector<double> weightSum_, cosineSum_, sineSum_, absSum_, height_;
};
