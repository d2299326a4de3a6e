// STL mesh of a rack: the reduced outline cut into one polygon per tooth at
// the whole pitches, swept (sheared for a helical rack) over the face width.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "export/body_fault.h"
#include "export/outline_reduction.h"
#include "export/stl_mesh.h"
#include "geometry/rack.h"
#include "geometry/tolerances.h"

int StlMeshRackBody(const GearRecord& rec, double x, double y, double tolerance) {
  constexpr double kRadToDeg = 180.0 / std::numbers::pi;
  if (!std::isfinite(rec.faceWidth)) return RefuseBody(BodyFault::kNotFinite);
  if (!(rec.faceWidth > 0.0)) return RefuseBody(BodyFault::kFaceWidth);

  GearRecord copy = rec;
  BuildRackGeometry(copy, rec.normalModule, rec.pressureAngle * kRadToDeg, rec.helixAngle * kRadToDeg, rec.hand,
                    rec.teeth, rec.rackHeight, rec.faceWidth, rec.thicknessAllowance, kStlPointDensity);
  if (copy.valid == 0) return RefuseBody(BodyFault::kShape);
  if (!std::isfinite(copy.topShift)) return RefuseBody(BodyFault::kNotFinite);

  const int64_t teeth = copy.teeth;
  const double pt = std::numbers::pi * copy.transverseModule;  // transverse pitch
  const double hf = copy.dedendumFactor * copy.normalModule;   // root line at y = -hf
  const double hb = copy.rackHeight;                           // bottom line at y = -Hp

  std::vector<double> fx, fy;
  std::vector<uint8_t> fb;
  FlattenOutlineToArrays(copy, fx, fy, fb);
  const size_t fn = fx.size();
  if (fn < 3) return RefuseBody(BodyFault::kShape);

  auto onRootLine = [&](double py) { return std::fabs(py + hf) < kStlRackLineTolerance; };
  auto onBottomLine = [&](double py) { return std::fabs(py + hb) < kStlRackLineTolerance; };

  // Whole-pitch points q pt inserted into the horizontal stretches of the
  // root and the bottom line, so that every tooth polygon ends on them.
  std::vector<double> x2, y2;
  std::vector<uint8_t> b2;
  x2.reserve(fn + 2 * static_cast<size_t>(teeth));
  for (size_t i = 0; i < fn; ++i) {
    x2.push_back(fx[i]);
    y2.push_back(fy[i]);
    b2.push_back(fb[i]);
    const size_t j = (i + 1) % fn;
    if (!(std::fabs(fy[j] - fy[i]) < kStlRackHorizontalTolerance)) continue;
    if (!onRootLine(fy[i]) && !onBottomLine(fy[i])) continue;
    const double lo = std::fmin(fx[i], fx[j]);
    const double hi = std::fmax(fx[i], fx[j]);
    const bool forward = fx[j] > fx[i];
    for (int64_t s = 1; s < teeth; ++s) {
      const int64_t q = forward ? s : teeth - s;
      const double xq = static_cast<double>(q) * pt;
      if (xq > lo + kStlRackLineTolerance && xq < hi - kStlRackLineTolerance) {
        x2.push_back(xq);
        y2.push_back(fy[i]);
        b2.push_back(1);
      }
    }
  }

  // Root point q and bottom point q at x = q pt, q = 0 .. n: each a break.
  const auto count = static_cast<size_t>(teeth) + 1;
  std::vector<int64_t> root(count, -1), bottom(count, -1);
  for (size_t i = 0; i < x2.size(); ++i) {
    const double u = x2[i] / pt;
    const double q = std::round(u);
    if (!(std::fabs(u - q) < kStlRackPitchTolerance) || q < 0.0 || q > static_cast<double>(teeth)) continue;
    const auto qi = static_cast<size_t>(q);
    if (onRootLine(y2[i]) && root[qi] < 0) {
      root[qi] = static_cast<int64_t>(i);
      b2[i] = 1;
    } else if (onBottomLine(y2[i]) && bottom[qi] < 0) {
      bottom[qi] = static_cast<int64_t>(i);
      b2[i] = 1;
    }
  }
  for (size_t q = 0; q < count; ++q) {
    if (root[q] < 0 || bottom[q] < 0) return RefuseBody(BodyFault::kShape);
  }

  std::vector<double> X, Y;
  std::vector<int64_t> map;
  // The chords keep the tolerance from the rack's curves (the root
  // roundings), not only from their samples.
  double bulge = 0.0;
  for (const OutlineCurve& curve : copy.outline) bulge = std::max(bulge, OutlineCurveSampleBulge(curve));
  const int64_t m = SimplifyClosedOutline(x2, y2, b2, tolerance - bulge, X, Y, map);
  for (size_t q = 0; q < count; ++q) {
    root[q] = map[static_cast<size_t>(root[q])];
    bottom[q] = map[static_cast<size_t>(bottom[q])];
  }

  // Tooth q: bottom q, bottom q + 1, then the outline from root q + 1 on
  // (leftwards over the tooth) to root q.
  // Where the caps reach in the world (the top one shifted), for float32.
  double reach = 0.0;
  for (size_t i = 0; i < X.size(); ++i) reach = std::max({reach, std::fabs(X[i]), std::fabs(Y[i])});
  const double extent = std::max(std::fabs(x), std::fabs(y)) + reach + std::fabs(copy.topShift);
  std::vector<int64_t> caps;
  std::vector<int64_t> polygon;
  for (size_t q = 0; q + 1 < count; ++q) {
    polygon.clear();
    polygon.push_back(bottom[q]);
    polygon.push_back(bottom[q + 1]);
    for (int64_t i = root[q + 1];; i = (i + 1) % m) {
      polygon.push_back(i);
      if (i == root[q]) break;
    }
    TriangulatePolygon(polygon, X, Y, caps, extent);
  }

  std::vector<int64_t> contours;
  for (int64_t i = 0; i < m; ++i) contours.push_back(i);
  contours.push_back(-1);
  // One layer: a helical rack is a prism sheared by topShift along x.
  StlSweepSection(X, Y, caps, contours, {}, x, y, 0.0, 0.0, copy.topShift, rec.faceWidth, 1);
  return 1;
}
