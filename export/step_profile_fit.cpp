// The interpolating B-spline through the points of one outline curve.
#include "export/step_profile_fit.h"

#include <array>
#include <cmath>

#include "export/step_bspline.h"
#include "geometry/tolerances.h"

std::vector<OutlinePoint> StepDistinctPoints(const OutlineCurve& curve) {
  std::vector<OutlinePoint> kept;
  for (const OutlinePoint& q : curve.points) {
    if (!kept.empty() && std::hypot(q.x - kept.back().x, q.y - kept.back().y) < kStepDuplicatePointDistance) {
      continue;
    }
    kept.push_back(q);
  }
  if (!curve.points.empty() && kept.size() > 1) {
    kept.back() = curve.points.back();
  } else if (!curve.points.empty() && curve.points.size() > 1) {
    kept.push_back(curve.points.back());  // a curve of one place: keep both ends
  }
  return kept;
}

std::vector<double> StepChordParameters(const std::vector<OutlinePoint>& pts) {
  const std::size_t m = pts.size();
  std::vector<double> s(m, 0.0);
  for (std::size_t q = 1; q < m; ++q) {
    s[q] = s[q - 1] + std::hypot(pts[q].x - pts[q - 1].x, pts[q].y - pts[q - 1].y);
  }
  const double total = m > 0 ? s[m - 1] : 0.0;
  for (std::size_t q = 0; q < m; ++q) {
    s[q] = total > 0.0 ? s[q] / total : (m > 1 ? static_cast<double>(q) / static_cast<double>(m - 1) : 0.0);
  }
  if (m > 0) s[m - 1] = 1.0;
  return s;
}

StepProfileFit StepFitProfile(const std::vector<OutlinePoint>& pts) {
  StepProfileFit fit;
  const std::size_t m = pts.size();
  std::vector<std::array<double, 2>> solved(m);
  for (std::size_t q = 0; q < m; ++q) solved[q] = {pts[q].x, pts[q].y};
  fit.degree = SolveBsplineInterpolation(StepChordParameters(pts), fit.knots, solved);
  if (fit.degree < 0) return fit;
  fit.controls.resize(m);
  for (std::size_t a = 0; a < m; ++a) fit.controls[a] = {solved[a][0], solved[a][1]};
  // Clamped interpolation: the end control points are the end points.
  fit.controls.front() = pts.front();
  fit.controls.back() = pts.back();
  StepFormatKnotLists(fit.knots, static_cast<int64_t>(m) + fit.degree + 1);
  fit.mults = gStepKnotMults;
  fit.knotValues = gStepKnots;
  return fit;
}
