// B-spline mathematics of the STEP export and the B-spline curve and surface entities.
#include "export/step_bspline.h"

#include <cmath>
#include <utility>

#include "export/step_entities.h"
#include "export/step_number.h"
#include "geometry/tolerances.h"

std::string gStepKnotMults;
std::string gStepKnots;

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
  const std::size_t pu = static_cast<std::size_t>(p);
  // Clamped knots: p + 1 zeros, averaged inner knots, p + 1 ones.
  knots.assign(nn + pu + 1, 0.0);
  for (std::size_t j = nn; j <= nn + pu; ++j) knots[j] = 1.0;
  for (std::size_t j = 1; j + pu < nn; ++j) {
    double sum = 0.0;
    for (std::size_t i = j; i < j + pu; ++i) sum += t[i];
    knots[j + pu] = sum / static_cast<double>(p);
  }
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

int64_t StepWriteBsplineCurve(int p, const std::vector<StepPoint3>& controlPoints,
                              const std::vector<double>& knots) {
  const int64_t n = static_cast<int64_t>(controlPoints.size());
  StepFormatKnotLists(knots, n + p + 1);
  const std::string mults = gStepKnotMults;
  const std::string knotValues = gStepKnots;
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
