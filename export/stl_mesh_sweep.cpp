// Building blocks of the STL meshes: swept prisms, straight walls, flat rings
// between two loops, and the circle step for a chord tolerance.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>

#include "export/body_fault.h"
#include "export/stl_file.h"
#include "export/stl_mesh.h"
#include "geometry/tolerances.h"

double StlCircleStep(double r, double t) {
  // Chord of a circle of radius r over the angle s deviates r (1 - cos(s/2))
  // from the arc; setting that to t gives s = 2 acos(1 - t / r).
  if (r > t) return 2.0 * std::acos(1.0 - t / r);
  return std::numbers::pi / 2.0;
}

int StlComputeTwist(const GearRecord& rec, const GearRecord& copy, double R, double t, double& twist,
                    int64_t& slices) {
  twist = 0.0;
  slices = 1;
  if (!(rec.helixAngle > kStlMinHelixAngle)) return 1;
  // A point of the pitch circle advances b tan(beta) along it over the face
  // width b: the section turns by w = hand tan(beta) b / r, counter-clockwise
  // seen from +z for a right hand (+1). Slices keep the twist between two
  // layers within one angular step of the largest radius R.
  twist = static_cast<double>(rec.hand) * std::tan(rec.helixAngle) * rec.faceWidth / copy.pitchRadius;
  if (!std::isfinite(twist)) return RefuseBody(BodyFault::kTwistTooLarge);
  const double count = std::ceil(std::fabs(twist) / StlCircleStep(R, t));
  if (!std::isfinite(count)) return RefuseBody(BodyFault::kTwistTooLarge);
  slices = std::max<int64_t>(1, static_cast<int64_t>(count));
  return 1;
}

int64_t StlCircleIndex(int64_t m, int64_t q, int64_t count) { return m + (((q % count) + count) % count); }

int StlWallSplitsAtStart(double dx, double dy, double ex, double ey, double sag, double layerTwist) {
  const double ux = ex - dx, uy = ey - dy;
  const double length = std::hypot(ux, uy);
  if (!(length > 0.0) || layerTwist == 0.0) return 1;
  // A point C(s) of the outline turned by theta moves as R(theta) C(s); along
  // a diagonal both change, and its middle misses the surface by an eighth of
  // the second derivative, C'' ds^2 + 2 J C' ds dtheta - C dtheta^2, taken on
  // the outward normal n: -(sag term) - 2 ds dtheta (J C' . n = -|C'|) -
  // (C . n) dtheta^2.
  const double nx = uy / length, ny = -ux / length;
  const double support = 0.5 * ((dx + ex) * nx + (dy + ey) * ny);  // C . n
  const double common = sag + support * layerTwist * layerTwist / 8.0;
  const double mixed = length * layerTwist / 4.0;  // + along d -> e', - along e -> d'
  return std::fabs(common + mixed) <= std::fabs(common - mixed) ? 1 : 0;
}

double StlCircleChordSag(double dx, double dy, double ex, double ey, double r) {
  // The arc lies r - |middle| beyond the chord's middle, away from the axis.
  const double mx = 0.5 * (dx + ex), my = 0.5 * (dy + ey);
  const double mid = std::hypot(mx, my);
  const double ux = ex - dx, uy = ey - dy;
  const double outwards = mx * uy - my * ux;  // middle . right normal, times the length
  if (!(mid > 0.0)) return 0.0;
  return outwards >= 0.0 ? r - mid : mid - r;
}

void StlSweepSection(const std::vector<double>& X, const std::vector<double>& Y,
                     const std::vector<int64_t>& capTriangles, const std::vector<int64_t>& contours,
                     const std::vector<double>& edgeSag, double cx, double cy, double angle0, double twist,
                     double shift, double width, int64_t layers) {
  const size_t n = X.size();
  // At least one layer: with none there would be no walls and a divide by 0.
  const auto layerCount = static_cast<size_t>(layers < 1 ? 1 : layers);
  // World points of every layer: P[L * n + i].
  std::vector<double> PX((layerCount + 1) * n), PY((layerCount + 1) * n), PZ(layerCount + 1);
  for (size_t L = 0; L <= layerCount; ++L) {
    const double f = static_cast<double>(L) / static_cast<double>(layerCount);
    const double a = angle0 + twist * f;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double dx = shift * f;
    PZ[L] = width * f;
    for (size_t i = 0; i < n; ++i) {
      PX[L * n + i] = cx + X[i] * c - Y[i] * s + dx;
      PY[L * n + i] = cy + X[i] * s + Y[i] * c;
    }
  }
  auto emit = [&](size_t La, size_t ia, size_t Lb, size_t ib, size_t Lc, size_t ic) {
    StlAddTriangle(PX[La * n + ia], PY[La * n + ia], PZ[La], PX[Lb * n + ib], PY[Lb * n + ib], PZ[Lb],
                   PX[Lc * n + ic], PY[Lc * n + ic], PZ[Lc]);
  };

  // Caps: the bottom reversed (facing -z), the top as given (facing +z).
  for (size_t t = 0; t + 2 < capTriangles.size(); t += 3) {
    const auto i0 = static_cast<size_t>(capTriangles[t]);
    const auto i1 = static_cast<size_t>(capTriangles[t + 1]);
    const auto i2 = static_cast<size_t>(capTriangles[t + 2]);
    emit(0, i0, 0, i2, 0, i1);
    emit(layerCount, i0, layerCount, i1, layerCount, i2);
  }

  // Walls: one quad per contour edge d -> e and layer, as two triangles,
  // split along the diagonal that stays closer to the swept outline.
  const double layerTwist = twist / static_cast<double>(layerCount);
  auto wall = [&](size_t d, size_t e) {
    const double sag = edgeSag.empty() ? 0.0 : edgeSag[d];
    const bool atStart = StlWallSplitsAtStart(X[d], Y[d], X[e], Y[e], sag, layerTwist) != 0;
    for (size_t L = 0; L < layerCount; ++L) {
      if (atStart) {
        emit(L, d, L, e, L + 1, e);
        emit(L, d, L + 1, e, L + 1, d);
      } else {
        emit(L, d, L, e, L + 1, d);
        emit(L, e, L + 1, e, L + 1, d);
      }
    }
  };
  size_t start = 0;
  for (size_t k = 0; k < contours.size(); ++k) {
    if (contours[k] < 0) {
      if (k > start) wall(static_cast<size_t>(contours[k - 1]), static_cast<size_t>(contours[start]));
      start = k + 1;
    } else if (k > start) {
      wall(static_cast<size_t>(contours[k - 1]), static_cast<size_t>(contours[k]));
    }
  }
}

void StlAddSideWalls(const std::vector<double>& X, const std::vector<double>& Y, int64_t n, double z0,
                     double z1, int outward) {
  for (int64_t i = 0; i < n; ++i) {
    const auto a = static_cast<size_t>(outward != 0 ? i : (i + 1) % n);
    const auto c = static_cast<size_t>(outward != 0 ? (i + 1) % n : i);
    StlAddTriangle(X[a], Y[a], z0, X[c], Y[c], z0, X[c], Y[c], z1);
    StlAddTriangle(X[a], Y[a], z0, X[c], Y[c], z1, X[a], Y[a], z1);
  }
}

namespace {

// Index of the point of smallest polar angle about (cx, cy); ties the first.
size_t FindLoopStart(const std::vector<double>& X, const std::vector<double>& Y, size_t n, double cx,
                     double cy) {
  size_t start = 0;
  double best = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const double a = std::atan2(Y[i] - cy, X[i] - cx);
    if (i == 0 || a < best) {
      best = a;
      start = i;
    }
  }
  return start;
}

// Polar angles of the loop from its start, made increasing by adding 2 pi
// where a value falls below its predecessor; A[n] = A[0] + 2 pi.
std::vector<double> UnwrapLoopAngles(const std::vector<double>& X, const std::vector<double>& Y, size_t n,
                                     size_t start, double cx, double cy) {
  std::vector<double> A(n + 1);
  for (size_t i = 0; i < n; ++i) {
    const size_t k = (start + i) % n;
    A[i] = std::atan2(Y[k] - cy, X[k] - cx);
    while (i > 0 && A[i] < A[i - 1]) A[i] += 2.0 * std::numbers::pi;
  }
  A[n] = A[0] + 2.0 * std::numbers::pi;
  return A;
}

}  // namespace

void StlTriangulateBetweenLoops(const std::vector<double>& outerX, const std::vector<double>& outerY,
                                int64_t nOuter, const std::vector<double>& innerX,
                                const std::vector<double>& innerY, int64_t nInner, double cx, double cy,
                                double z, int faceUp) {
  if (nOuter < 1) return;
  const auto no = static_cast<size_t>(nOuter);
  if (nInner <= 0) {
    for (size_t i = 0; i < no; ++i) {
      const size_t j = (i + 1) % no;
      StlAddTriangleOriented(cx, cy, outerX[i], outerY[i], outerX[j], outerY[j], z, faceUp);
    }
    return;
  }
  const auto ni = static_cast<size_t>(nInner);
  const size_t so = FindLoopStart(outerX, outerY, no, cx, cy);
  const size_t si = FindLoopStart(innerX, innerY, ni, cx, cy);
  const std::vector<double> A = UnwrapLoopAngles(outerX, outerY, no, so, cx, cy);
  const std::vector<double> B = UnwrapLoopAngles(innerX, innerY, ni, si, cx, cy);

  // Zip the two loops by angle; on equal angles the outer loop goes first.
  // Both loops run counter-clockwise, so every triangle of the ring is
  // counter-clockwise in the order written below. The angle alone can pick a
  // folded (clockwise) triangle where the inner loop is not round: next to a
  // keyway whose bottom comes near the outer loop, an outer point can lie
  // beside the keyway side rather than beyond it. A folded triangle would be
  // turned over by StlAddTriangleOriented and leave the mesh open, so then
  // the other loop advances when its triangle is sound.
  size_t i = 0;
  size_t j = 0;
  while (i < no || j < ni) {
    const size_t o0 = (so + i) % no, o1 = (so + i + 1) % no;
    const size_t i0 = (si + j) % ni, i1 = (si + j + 1) % ni;
    bool advanceOuter = j == ni || (i < no && A[i + 1] <= B[j + 1]);
    if (i < no && j < ni) {
      const double outerCross =
          (outerX[o1] - outerX[o0]) * (innerY[i0] - outerY[o0]) - (outerY[o1] - outerY[o0]) * (innerX[i0] - outerX[o0]);
      const double innerCross =
          (outerX[o0] - innerX[i0]) * (innerY[i1] - innerY[i0]) - (outerY[o0] - innerY[i0]) * (innerX[i1] - innerX[i0]);
      if (advanceOuter && !(outerCross > 0.0) && innerCross > 0.0) advanceOuter = false;
      else if (!advanceOuter && !(innerCross > 0.0) && outerCross > 0.0) advanceOuter = true;
    }
    if (advanceOuter) {
      StlAddTriangleOriented(outerX[o0], outerY[o0], outerX[o1], outerY[o1], innerX[i0], innerY[i0], z, faceUp);
      ++i;
    } else {
      StlAddTriangleOriented(innerX[i0], innerY[i0], outerX[o0], outerY[o0], innerX[i1], innerY[i1], z, faceUp);
      ++j;
    }
  }
}
