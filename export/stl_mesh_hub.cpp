// STL mesh of an external gear with a keyway and/or hubs: the toothed outer
// band is swept like a plain gear, the band inside it is flat, and the bore
// and hub walls are straight (also for a helical gear).
#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/globals.h"
#include "export/body_fault.h"
#include "export/stl_file.h"
#include "export/stl_mesh.h"
#include "export/outline_reduction.h"
#include "geometry/bore_outline.h"
#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"

namespace {

// The smallest distance of the copy's outline points from the axis.
double StlSmallestOutlineRadius(const GearRecord& copy) {
  double smallest = INFINITY;
  for (const OutlineCurve& curve : copy.outline) {
    for (const OutlinePoint& q : curve.points) smallest = std::min(smallest, std::hypot(q.x, q.y));
  }
  return smallest;
}

// Distance of the segment (ax, ay) - (bx, by) from the origin.
double StlDistanceOfSegmentFromOrigin(double ax, double ay, double bx, double by) {
  const double dx = bx - ax;
  const double dy = by - ay;
  const double ll = dx * dx + dy * dy;
  double f = ll > 0.0 ? -(ax * dx + ay * dy) / ll : 0.0;
  f = std::clamp(f, 0.0, 1.0);
  return std::hypot(ax + f * dx, ay + f * dy);
}

}  // namespace

int StlMeshGearWithBoreOrHub(const GearRecord& rec, double x, double y, double angle, double tolerance) {
  const double pi = std::numbers::pi;
  const double b = rec.faceWidth;

  // Hubs: below z = 0 (side 1 or 3), above z = b (side 2 or 3).
  const bool hasHub = GearHasHub(rec) != 0;
  const bool hubBelow = hasHub && (rec.hubSide == 1 || rec.hubSide == 3);
  const bool hubAbove = hasHub && (rec.hubSide == 2 || rec.hubSide == 3);
  const bool hasBore = rec.boreDiameter > 0.0;
  const double rh = rec.hubDiameter / 2.0;
  if (hasHub && (!std::isfinite(rh) || !std::isfinite(rec.hubLength))) return RefuseBody(BodyFault::kNotFinite);
  const double zb = hubBelow ? -rec.hubLength : 0.0;
  const double zt = hubAbove ? b + rec.hubLength : b;

  StlGearSection sec;
  if (StlPrepareGearSection(rec, tolerance, sec) == 0) return 0;

  // Inner radius: the bore with its keyway (whose outer corners lie at
  // hypot(R + t2, b / 2), beyond R + t2), raised to the hub. A hub no wider
  // than the bore with its keyway has no end face; the mesh would fold over
  // itself.
  const double boreOuter = ComputeBoreOuterRadius(rec);
  if (!std::isfinite(boreOuter)) return RefuseBody(BodyFault::kNotFinite);
  const double boreExtent = GearHasKeyway(rec) != 0 ? std::hypot(boreOuter, rec.keyWidth / 2.0) : boreOuter;
  if (hasHub && hasBore && !(rh > boreExtent)) return RefuseBody(BodyFault::kHubTooSmall);
  const double ri = hasHub ? std::max(boreExtent, rh) : boreExtent;
  const BodyFault tooLarge = hasHub && rh >= boreExtent ? BodyFault::kHubTooLarge : BodyFault::kBoreTooLarge;

  // The inner radius must stay inside the tooth outline, as in the STEP
  // solid. Between them lies a band: the middle circle halfway, the reduced
  // outline outside it, the hub circle and the bore inside it. So that no
  // two of these polygons cross, each keeps its chords within a quarter of
  // the band of the curve it follows; a band narrower than four times the
  // chord tolerance makes the whole section finer.
  const double rootMin = StlSmallestOutlineRadius(sec.copy);
  if (!(ri < rootMin)) return RefuseBody(tooLarge);
  const double bandTolerance = (rootMin - ri) / 4.0;
  if (bandTolerance < sec.tolerance) {
    if (!(bandTolerance >= kStlMinBandTolerance)) return RefuseBody(tooLarge);
    if (StlPrepareGearSection(rec, tolerance * bandTolerance / sec.tolerance, sec) == 0) return 0;
  }
  const GearRecord& copy = sec.copy;
  const int64_t z = rec.teeth;
  const int64_t m = sec.m;
  const double p = sec.pitchAngle;
  const double t = sec.tolerance;
  // The reduced outline's nearest approach to the axis (its chords dip below
  // the fine outline by up to t).
  double outlineMin = INFINITY;
  for (int64_t i = 0; i < m; ++i) {
    const auto a = static_cast<size_t>(i);
    const auto c = static_cast<size_t>((i + 1) % m);
    outlineMin = std::min(outlineMin, StlDistanceOfSegmentFromOrigin(sec.X[a], sec.Y[a], sec.X[c], sec.Y[c]));
  }
  if (!(ri < outlineMin)) return RefuseBody(tooLarge);

  // Middle circle halfway between the inner radius and the reduced outline,
  // k points per tooth, every k-th on a sector boundary (polar angle (q -
  // 0.5) p); its chords stay outside the inner radius.
  //
  // The inner band and the hub end faces are zipped between two loops by
  // angle; in a narrow band a triangle from one loop's point to a chord of
  // the other can turn over unless both loops are finely sampled: with
  // chords within 1/16 of the band their steps stay below the angle
  // acos(inner / outer) at which that happens.
  const double rmid = (ri + outlineMin) / 2.0;
  const double innerWidth = rmid - ri;
  const double hubWall = hasHub && hasBore ? rh - boreExtent : INFINITY;
  const double midTolerance = std::min(t, innerWidth / kStlZipBandFraction);
  const int64_t k = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(p / StlCircleStep(rmid, midTolerance))));
  const int64_t zk = z * k;
  for (int64_t i = 0; i < zk; ++i) {
    const double a = (static_cast<double>(i) / static_cast<double>(k) - 0.5) * p;
    sec.X.push_back(rmid * std::cos(a));
    sec.Y.push_back(rmid * std::sin(a));
  }

  // Outer band: per tooth sector the outline and the middle-circle arc back.
  const double extent = StlWorldExtent(sec, x, y);
  std::vector<int64_t> caps;
  std::vector<int64_t> polygon;
  for (int64_t j = 0; j < z; ++j) {
    const int64_t s0 = sec.S[static_cast<size_t>(j)];
    const int64_t s1 = sec.S[static_cast<size_t>(j) + 1];
    polygon.clear();
    for (int64_t i = s0;; i = (i + 1) % m) {
      polygon.push_back(i);
      if (i == s1) break;
    }
    const auto b0 = static_cast<size_t>(s0);
    const auto a0 = static_cast<int64_t>(std::llround(static_cast<double>(k) * std::atan2(sec.Y[b0], sec.X[b0]) / p +
                                                      static_cast<double>(k) * 0.5));
    for (int64_t q = a0 + k; q >= a0; --q) polygon.push_back(StlCircleIndex(m, q, zk));
    TriangulatePolygon(polygon, sec.X, sec.Y, caps, extent);
  }

  // Bore contour and hub circle in the world (straight walls, not twisted).
  std::vector<OutlinePoint> bore;
  BuildBoreOutline(rec, bore, std::min(t, (hasHub ? hubWall : innerWidth) / kStlZipBandFraction));
  const double ca = std::cos(angle);
  const double sa = std::sin(angle);
  std::vector<double> boreX, boreY;
  for (const OutlinePoint& q : bore) {
    boreX.push_back(x + q.x * ca - q.y * sa);
    boreY.push_back(y + q.x * sa + q.y * ca);
  }
  const auto nb = static_cast<int64_t>(boreX.size());
  std::vector<double> hubX, hubY;
  int64_t nh = 0;
  if (hasHub) {
    const double hubTolerance = std::min({t, innerWidth / kStlZipBandFraction, hubWall / kStlZipBandFraction});
    nh = std::max<int64_t>(kStlMinHubCirclePoints,
                           static_cast<int64_t>(std::ceil(2.0 * pi / StlCircleStep(rh, hubTolerance))));
    for (int64_t i = 0; i < nh; ++i) {
      const double a = 2.0 * pi * static_cast<double>(i) / static_cast<double>(nh);
      hubX.push_back(x + rh * std::cos(a));
      hubY.push_back(y + rh * std::sin(a));
    }
  }

  double w = 0.0;
  int64_t slices = 1;
  if (StlComputeTwist(rec, copy, copy.tipRadius, t, w, slices) == 0) return 0;
  const double toothTriangles = 2.0 * static_cast<double>(slices) * static_cast<double>(m) +
                                2.0 * static_cast<double>(caps.size() / 3);
  if (!(toothTriangles + static_cast<double>(gTriangleList.size()) <= kStlMaxTriangles)) {
    return RefuseBody(BodyFault::kTooManyTriangles);
  }
  // Room for the whole body at once (the inner bands, hubs and bore take at
  // most a few triangles per circle point), so that the list is not copied
  // while it grows.
  gTriangleList.reserve(gTriangleList.size() + static_cast<size_t>(toothTriangles) +
                        8 * static_cast<size_t>(zk + nh + nb));

  // Layers: outline and middle circle turned by angle + w L / N at z = b L / N.
  const size_t n = sec.X.size();
  const auto N = static_cast<size_t>(slices);
  std::vector<double> PX((N + 1) * n), PY((N + 1) * n), PZ(N + 1);
  for (size_t L = 0; L <= N; ++L) {
    const double f = static_cast<double>(L) / static_cast<double>(N);
    const double c = std::cos(angle + w * f);
    const double s = std::sin(angle + w * f);
    PZ[L] = b * f;
    for (size_t i = 0; i < n; ++i) {
      PX[L * n + i] = x + sec.X[i] * c - sec.Y[i] * s;
      PY[L * n + i] = y + sec.X[i] * s + sec.Y[i] * c;
    }
  }
  auto emit = [&](size_t La, size_t ia, size_t Lb, size_t ib, size_t Lc, size_t ic) {
    StlAddTriangle(PX[La * n + ia], PY[La * n + ia], PZ[La], PX[Lb * n + ib], PY[Lb * n + ib], PZ[Lb],
                   PX[Lc * n + ic], PY[Lc * n + ic], PZ[Lc]);
  };

  // Tooth walls along the outline, each quad split along the diagonal that
  // stays closer to the swept outline; the middle circle gets none.
  const auto mm = static_cast<size_t>(m);
  const double layerTwist = w / static_cast<double>(N);
  std::vector<uint8_t> atStart(mm);
  for (size_t i = 0; i < mm; ++i) {
    const size_t i1 = (i + 1) % mm;
    atStart[i] = static_cast<uint8_t>(
        StlWallSplitsAtStart(sec.X[i], sec.Y[i], sec.X[i1], sec.Y[i1], sec.sag[i], layerTwist));
  }
  for (size_t L = 0; L < N; ++L) {
    for (size_t i = 0; i < mm; ++i) {
      const size_t i1 = (i + 1) % mm;
      if (atStart[i] != 0) {
        emit(L, i, L, i1, L + 1, i1);
        emit(L, i, L + 1, i1, L + 1, i);
      } else {
        emit(L, i, L, i1, L + 1, i);
        emit(L, i1, L + 1, i1, L + 1, i);
      }
    }
  }
  // Outer-band caps: bottom reversed (facing -z), top as triangulated.
  for (size_t c = 0; c + 2 < caps.size(); c += 3) {
    const auto i0 = static_cast<size_t>(caps[c]);
    const auto i1 = static_cast<size_t>(caps[c + 1]);
    const auto i2 = static_cast<size_t>(caps[c + 2]);
    emit(0, i0, 0, i2, 0, i1);
    emit(N, i0, N, i1, N, i2);
  }

  // Inner band on both end faces: from the middle circle of that layer in to
  // the hub circle, the bore contour or the centre.
  auto innerBand = [&](size_t L, double zFace, bool hubHere, int faceUp) {
    std::vector<double> midX(PX.begin() + static_cast<std::ptrdiff_t>(L * n + mm),
                             PX.begin() + static_cast<std::ptrdiff_t>(L * n + n));
    std::vector<double> midY(PY.begin() + static_cast<std::ptrdiff_t>(L * n + mm),
                             PY.begin() + static_cast<std::ptrdiff_t>(L * n + n));
    if (hubHere) {
      StlTriangulateBetweenLoops(midX, midY, zk, hubX, hubY, nh, x, y, zFace, faceUp);
    } else {
      StlTriangulateBetweenLoops(midX, midY, zk, boreX, boreY, nb, x, y, zFace, faceUp);
    }
  };
  innerBand(0, 0.0, hubBelow, 0);
  innerBand(N, b, hubAbove, 1);

  // Hubs: the outer wall and the end face with the bore (or a full disc).
  if (hubBelow) {
    StlAddSideWalls(hubX, hubY, nh, zb, 0.0, 1);
    StlTriangulateBetweenLoops(hubX, hubY, nh, boreX, boreY, nb, x, y, zb, 0);
  }
  if (hubAbove) {
    StlAddSideWalls(hubX, hubY, nh, b, zt, 1);
    StlTriangulateBetweenLoops(hubX, hubY, nh, boreX, boreY, nb, x, y, zt, 1);
  }

  // The bore wall facing the axis, in up to three stacked pieces.
  if (nb > 0) {
    if (hubBelow) StlAddSideWalls(boreX, boreY, nb, zb, 0.0, 0);
    StlAddSideWalls(boreX, boreY, nb, 0.0, b, 0);
    if (hubAbove) StlAddSideWalls(boreX, boreY, nb, b, zt, 0);
  }
  return 1;
}
