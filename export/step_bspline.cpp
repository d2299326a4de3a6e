// B-spline mathematics of the STEP export and the B-spline curve and surface entities.
#include "export/step_bspline.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "export/step_entities.h"
#include "export/step_number.h"
#include "geometry/tolerances.h"

std::string gStepKnotMults;
std::string gStepKnots;

namespace {

// Clamped knots for interpolation at the parameters t: p + 1 zeros, inner
// knots by averaging p parameters, p + 1 ones.
void FillAveragedKnots(int p, std::size_t nn, const std::vector<double>& t, std::vector<double>& knots) {
  const std::size_t pu = static_cast<std::size_t>(p);
  knots.assign(nn + pu + 1, 0.0);
  for (std::size_t j = nn; j <= nn + pu; ++j) knots[j] = 1.0;
  for (std::size_t j = 1; j + pu < nn; ++j) {
    double sum = 0.0;
    for (std::size_t i = j; i < j + pu; ++i) sum += t[i];
    knots[j + pu] = sum / static_cast<double>(p);
  }
}

// The p + 1 basis functions N_{span-p..span},p(t) that are not zero on the
// knot span [knots[span], knots[span+1]) (The NURBS Book, A2.2).
void EvalNonzeroBasis(int p, const std::vector<double>& knots, std::size_t span, double t, double* values) {
  constexpr int kMaxDegree = 3;
  double left[kMaxDegree + 1];
  double right[kMaxDegree + 1];
  values[0] = 1.0;
  for (int j = 1; j <= p; ++j) {
    left[j] = t - knots[span + 1 - static_cast<std::size_t>(j)];
    right[j] = knots[span + static_cast<std::size_t>(j)] - t;
    double saved = 0.0;
    for (int r = 0; r < j; ++r) {
      const double temp = values[r] / (right[r + 1] + left[j - r]);
      values[r] = saved + right[r + 1] * temp;
      saved = left[j - r] * temp;
    }
    values[j] = saved;
  }
}

}  // namespace

int BsplineDegreeFor(int64_t n) { return n >= 4 ? 3 : static_cast<int>(n > 0 ? n - 1 : 0); }

void EvalBsplineBasis(int p, const std::vector<double>& knots, int64_t n, double t,
                      std::vector<double>& values) {
  const std::size_t m = static_cast<std::size_t>(n + p);  // index of the last knot
  std::vector<double> basis(m + 1, 0.0);
  if (t < knots[m]) {
    for (std::size_t i = 0; i < m; ++i) {
      if (knots[i] <= t && t < knots[i + 1]) basis[i] = 1.0;
    }
  } else {
    // At (or past) the end: the last non-empty span, so N_{n-1,p}(1) = 1.
    for (std::size_t i = m; i-- > 0;) {
      if (knots[i] < knots[i + 1]) {
        basis[i] = 1.0;
        break;
      }
    }
  }
  for (int d = 1; d <= p; ++d) {
    const std::size_t du = static_cast<std::size_t>(d);
    for (std::size_t i = 0; i + du < m; ++i) {
      const double spanLeft = knots[i + du] - knots[i];
      const double spanRight = knots[i + du + 1] - knots[i + 1];
      const double left = spanLeft > 0.0 ? (t - knots[i]) / spanLeft * basis[i] : 0.0;
      const double right = spanRight > 0.0 ? (knots[i + du + 1] - t) / spanRight * basis[i + 1] : 0.0;
      basis[i] = left + right;
    }
  }
  values.assign(basis.begin(), basis.begin() + n);
}

int InterpolateBspline(int64_t n, const std::vector<double>& t, std::vector<double>& knots,
                       std::vector<double>& inverse) {
  inverse.clear();
  knots.clear();
  if (n < 1) return -1;
  const int p = BsplineDegreeFor(n);
  const std::size_t nn = static_cast<std::size_t>(n);
  FillAveragedKnots(p, nn, t, knots);
  // [N | I], then Gauss-Jordan with partial pivoting turns it into [I | N^-1].
  const std::size_t w = 2 * nn;
  std::vector<double> a(nn * w, 0.0);
  std::vector<double> row;
  for (std::size_t i = 0; i < nn; ++i) {
    EvalBsplineBasis(p, knots, n, t[i], row);
    for (std::size_t k = 0; k < nn; ++k) a[i * w + k] = row[k];
    a[i * w + nn + i] = 1.0;
  }
  for (std::size_t c = 0; c < nn; ++c) {
    std::size_t pivot = c;
    for (std::size_t r = c + 1; r < nn; ++r) {
      if (std::fabs(a[r * w + c]) > std::fabs(a[pivot * w + c])) pivot = r;
    }
    const double pivotValue = a[pivot * w + c];
    // Equal parameters make two rows alike: no inverse, and NaN control
    // points would make an unreadable file. The caller drops such points.
    if (!(std::fabs(pivotValue) > kStepSingularPivot) || !std::isfinite(pivotValue)) {
      inverse.clear();
      return -1;
    }
    if (pivot != c) {
      for (std::size_t k = 0; k < w; ++k) std::swap(a[pivot * w + k], a[c * w + k]);
    }
    for (std::size_t k = 0; k < w; ++k) a[c * w + k] /= pivotValue;
    for (std::size_t r = 0; r < nn; ++r) {
      if (r == c) continue;
      const double factor = a[r * w + c];
      if (factor == 0.0) continue;
      for (std::size_t k = 0; k < w; ++k) a[r * w + k] -= factor * a[c * w + k];
    }
  }
  inverse.assign(nn * nn, 0.0);
  for (std::size_t i = 0; i < nn; ++i) {
    for (std::size_t k = 0; k < nn; ++k) inverse[i * nn + k] = a[i * w + nn + k];
  }
  return p;
}

int SolveBsplineInterpolation(const std::vector<double>& t, std::vector<double>& knots,
                              std::vector<std::array<double, 2>>& points) {
  const std::size_t n = points.size();
  knots.clear();
  if (n < 1 || t.size() != n) return -1;
  const int p = BsplineDegreeFor(static_cast<int64_t>(n));
  const std::size_t w = static_cast<std::size_t>(p) + 1;
  FillAveragedKnots(p, n, t, knots);
  // Row i holds columns first[i] .. first[i] + p; the first columns rise with
  // i, so elimination fills nothing outside a row's own band.
  std::vector<double> band(n * w);
  std::vector<std::size_t> first(n);
  std::size_t span = static_cast<std::size_t>(p);
  for (std::size_t i = 0; i < n; ++i) {
    while (span + 1 < n && knots[span + 1] <= t[i]) ++span;  // at t = 1: the last span, n - 1
    first[i] = span - static_cast<std::size_t>(p);
    EvalNonzeroBasis(p, knots, span, t[i], &band[i * w]);
  }
  const auto at = [&](std::size_t row, std::size_t col) -> double& { return band[row * w + (col - first[row])]; };
  for (std::size_t c = 0; c < n; ++c) {
    const double pivot = at(c, c);
    // Equal parameters make two rows alike: no solution, and NaN control
    // points would make an unreadable file. The caller drops such points.
    if (!(std::fabs(pivot) > kStepSingularPivot) || !std::isfinite(pivot)) return -1;
    const std::size_t last = first[c] + w - 1;
    for (std::size_t r = c + 1; r < n && first[r] <= c; ++r) {
      const double factor = at(r, c) / pivot;
      if (factor == 0.0) continue;
      for (std::size_t k = c; k <= last; ++k) at(r, k) -= factor * at(c, k);
      points[r][0] -= factor * points[c][0];
      points[r][1] -= factor * points[c][1];
    }
  }
  for (std::size_t c = n; c-- > 0;) {
    const std::size_t last = std::min(first[c] + w - 1, n - 1);
    for (std::size_t k = c + 1; k <= last; ++k) {
      points[c][0] -= at(c, k) * points[k][0];
      points[c][1] -= at(c, k) * points[k][1];
    }
    points[c][0] /= at(c, c);
    points[c][1] /= at(c, c);
    if (!std::isfinite(points[c][0]) || !std::isfinite(points[c][1])) return -1;
  }
  return p;
}

void StepFormatKnotLists(const std::vector<double>& knots, int64_t count) {
  gStepKnotMults.clear();
  gStepKnots.clear();
  const std::size_t total = static_cast<std::size_t>(count);
  std::size_t i = 0;
  while (i < total) {
    std::size_t r = 1;
    while (i + r < total && std::fabs(knots[i + r] - knots[i]) < kStepKnotMergeTolerance) ++r;
    if (!gStepKnotMults.empty()) {
      gStepKnotMults += ',';
      gStepKnots += ',';
    }
    gStepKnotMults += std::to_string(r);
    gStepKnots += StepFormatKnotValue(knots[i]);
    i += r;
  }
}

namespace {

int64_t WriteCurveEntity(int p, const std::vector<int64_t>& points, const std::string& mults,
                         const std::string& knotValues) {
  std::string text = "B_SPLINE_CURVE_WITH_KNOTS(''," + std::to_string(p) + ",(";
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (i > 0) text += ',';
    text += StepFormatRef(points[i]);
  }
  text += "),.UNSPECIFIED.,.F.,.F.,(" + mults + "),(" + knotValues + "),.UNSPECIFIED.)";
  return StepAddEntity(text);
}

}  // namespace

int64_t StepWriteBsplineCurve(int p, const std::vector<StepPoint3>& controlPoints, const std::string& mults,
                              const std::string& knotValues) {
  std::vector<int64_t> points;
  points.reserve(controlPoints.size());
  for (const StepPoint3& q : controlPoints) points.push_back(StepWriteCartesianPoint(q[0], q[1], q[2]));
  return WriteCurveEntity(p, points, mults, knotValues);
}

int64_t StepWriteBsplineSurface(int degreeU, int degreeV, const std::vector<std::vector<int64_t>>& rows,
                                const std::string& multsU, const std::string& knotsU,
                                const std::string& multsV, const std::string& knotsV) {
  std::string text = "B_SPLINE_SURFACE_WITH_KNOTS(''," + std::to_string(degreeU) + "," +
                     std::to_string(degreeV) + ",(";
  for (std::size_t a = 0; a < rows.size(); ++a) {
    if (a > 0) text += ',';
    text += '(';
    for (std::size_t l = 0; l < rows[a].size(); ++l) {
      if (l > 0) text += ',';
      text += StepFormatRef(rows[a][l]);
    }
    text += ')';
  }
  text += "),.UNSPECIFIED.,.F.,.F.,.F.,(" + multsU + "),(" + multsV + "),(" + knotsU + "),(" +
          knotsV + "),.UNSPECIFIED.)";
  return StepAddEntity(text);
}
