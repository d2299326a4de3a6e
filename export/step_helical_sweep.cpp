// The helical sweep of an outline point. The control points are linear in
// the point: c(l) = sum_j w(l, j) (x0 + cos_j px - sin_j py, ...), so the sums
// of w(l, j), w(l, j) cos_j and w(l, j) sin_j are taken once per gear and a
// point costs O(d) instead of O(d^2). The sums are grouped otherwise than the
// sum over the section points, so the last bits can differ; the file writes
// six decimals, and a coordinate whose value lies so close to a rounding
// boundary that the difference could show is summed over the sections.
#include "export/step_helical_sweep.h"

#include <cmath>
#include <limits>

#include "geometry/tolerances.h"

namespace {

// Whether two values within `error` of v can be written differently with
// six decimals: a rounding boundary (half a unit of the sixth decimal, or
// the size below which a coordinate is written as 0) lies within reach.
bool MayRoundOtherwise(double v, double error) {
  if (!std::isfinite(v)) return true;
  const double a = std::fabs(v);
  if (std::fabs(a - kStepZeroCoordinate) <= error) return true;
  const double units = a * 1e6;
  const double fromHalf = std::fabs(units - std::floor(units) - 0.5);
  return fromHalf * 1e-6 <= error;
}

}  // namespace

HelicalSweep::HelicalSweep(const std::vector<double>& inverse, const std::vector<double>& cosines,
                           const std::vector<double>& sines, const std::vector<double>& heights, double x0,
                           double y0)
    : inverse_(inverse), cosines_(cosines), sines_(sines), heights_(heights), x0_(x0), y0_(y0), d_(heights.size()) {
  weightSum_.assign(d_, 0.0);
  cosineSum_.assign(d_, 0.0);
  sineSum_.assign(d_, 0.0);
  absSum_.assign(d_, 0.0);
  height_.assign(d_, 0.0);
  for (std::size_t l = 0; l < d_; ++l) {
    for (std::size_t j = 0; j < d_; ++j) {
      const double w = inverse_[l * d_ + j];
      weightSum_[l] += w;
      cosineSum_[l] += w * cosines_[j];
      sineSum_[l] += w * sines_[j];
      absSum_[l] += std::fabs(w);
      height_[l] += w * heights_[j];  // as the sum over the sections forms it
    }
  }
}

StepPoint3 HelicalSweep::SectionPoint(std::size_t j, double px, double py) const {
  return {x0_ + cosines_[j] * px - sines_[j] * py, y0_ + sines_[j] * px + cosines_[j] * py, heights_[j]};
}

StepPoint3 HelicalSweep::ControlBySum(std::size_t l, double px, double py) const {
  StepPoint3 c{0.0, 0.0, 0.0};
  for (std::size_t j = 0; j < d_; ++j) {
    const StepPoint3 p = SectionPoint(j, px, py);
    const double w = inverse_[l * d_ + j];
    for (int k = 0; k < 3; ++k) c[k] += w * p[k];
  }
  return c;
}

std::vector<StepPoint3> HelicalSweep::ControlsBySum(double px, double py) const {
  std::vector<StepPoint3> control(d_);
  for (std::size_t l = 0; l < d_; ++l) control[l] = ControlBySum(l, px, py);
  control.front() = SectionPoint(0, px, py);
  control.back() = SectionPoint(d_ - 1, px, py);
  return control;
}

std::vector<StepPoint3> HelicalSweep::Controls(double px, double py) const {
  constexpr double eps = std::numeric_limits<double>::epsilon();
  // A bound of the rounding in either grouping, many times over: each is a
  // sum of d terms w (x0 + cos px - sin py), of size at most sum |w| times
  // the place's size.
  const double size = std::fabs(x0_) + std::fabs(y0_) + std::fabs(px) + std::fabs(py);
  const double scale = 16.0 * static_cast<double>(d_ + 4) * eps * size;
  std::vector<StepPoint3> control(d_);
  for (std::size_t l = 0; l < d_; ++l) {
    const double x = x0_ * weightSum_[l] + px * cosineSum_[l] - py * sineSum_[l];
    const double y = y0_ * weightSum_[l] + px * sineSum_[l] + py * cosineSum_[l];
    const double error = scale * absSum_[l] + 4.0 * eps * (std::fabs(x) + std::fabs(y));
    if (MayRoundOtherwise(x, error) || MayRoundOtherwise(y, error)) {
      control[l] = ControlBySum(l, px, py);
    } else {
      control[l] = {x, y, height_[l]};
    }
  }
  control.front() = SectionPoint(0, px, py);
  control.back() = SectionPoint(d_ - 1, px, py);
  return control;
}
