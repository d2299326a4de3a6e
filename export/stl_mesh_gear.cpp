// STL meshes of plain external gears (with or without a round bore) and ring
// gears: the reduced outline cut into tooth sectors, swept over the face width.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/globals.h"
#include "export/body_fault.h"
#include "export/outline_reduction.h"
#include "export/stl_mesh.h"
#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"

int StlMeshBody(const GearRecord& rec, double x, double y, double angle, double tolerance) {
  if (rec.isRack != 0) return StlMeshRackBody(rec, x, y, tolerance);
  return StlMeshGearBody(rec, x, y, angle, tolerance);
}

int StlMeshGearBody(const GearRecord& rec, double x, double y, double angle, double tolerance) {
  const bool internal = rec.isInternal != 0;
  if (!internal && (GearHasKeyway(rec) != 0 || GearHasHub(rec) != 0)) {
    return StlMeshGearWithBoreOrHub(rec, x, y, angle, tolerance);
  }

  StlGearSection sec;
  if (StlPrepareGearSection(rec, tolerance, sec) == 0) return 0;
  const GearRecord& copy = sec.copy;
  const int64_t z = rec.teeth;
  const int64_t m = sec.m;
  const double p = sec.pitchAngle;
  const double o = sec.sectorOffset;
  const double t = sec.tolerance;

  // Inner radius: the bore of an external gear (0 = none), the rim of a ring.
  const double r = internal ? copy.rimRadius : rec.boreDiameter / 2.0;
  if (!std::isfinite(r)) return RefuseBody(BodyFault::kNotFinite);
  // The sectors below reach from the bore to the reduced outline, whose
  // chords of the root circle come up to t inside it; a wider bore would make
  // them cross themselves. Such a bore is meshed as a keyed bore is, with the
  // band between bore and teeth sampled finely enough, so that STL takes
  // every bore the STEP solid takes. A rim must lie outside the root.
  if (!internal && r > 0.0 && !(r < copy.rootRadius - t)) return StlMeshGearWithBoreOrHub(rec, x, y, angle, tolerance);
  if (internal && !(r > copy.rootRadius)) return RefuseBody(BodyFault::kRimTooThin);

  // Circle points behind the outline, k per tooth, every k-th on a sector
  // boundary; or the centre point when there is no bore.
  int64_t k = 0;
  int64_t zk = 0;
  if (r > 0.0) {
    k = std::max<int64_t>(1, static_cast<int64_t>(std::ceil(p / StlCircleStep(r, t))));
    zk = z * k;
    for (int64_t i = 0; i < zk; ++i) {
      const double a = (static_cast<double>(i) / static_cast<double>(k) - o) * p;
      sec.X.push_back(r * std::cos(a));
      sec.Y.push_back(r * std::sin(a));
    }
  } else {
    sec.X.push_back(0.0);
    sec.Y.push_back(0.0);
  }

  // End faces: one polygon per tooth sector, triangulated by ear clipping.
  auto circleStart = [&](int64_t boundary) {
    const auto b = static_cast<size_t>(boundary);
    return static_cast<int64_t>(
        std::llround(static_cast<double>(k) * std::atan2(sec.Y[b], sec.X[b]) / p + static_cast<double>(k) * o));
  };
  const double extent = StlWorldExtent(sec, x, y);
  std::vector<int64_t> caps;
  std::vector<int64_t> polygon;
  for (int64_t j = 0; j < z; ++j) {
    const int64_t s0 = sec.S[static_cast<size_t>(j)];
    const int64_t s1 = sec.S[static_cast<size_t>(j) + 1];
    polygon.clear();
    if (internal) {
      const int64_t a1 = circleStart(s1);
      for (int64_t q = a1; q <= a1 + k; ++q) polygon.push_back(StlCircleIndex(m, q, zk));
    }
    for (int64_t i = s0;; i = (i + 1) % m) {
      polygon.push_back(i);
      if (i == s1) break;
    }
    if (!internal) {
      if (r > 0.0) {
        const int64_t a0 = circleStart(s0);
        for (int64_t q = a0 + k; q >= a0; --q) polygon.push_back(StlCircleIndex(m, q, zk));
      } else {
        polygon.push_back(m);
      }
    }
    TriangulatePolygon(polygon, sec.X, sec.Y, caps, extent);
  }

  // Contours: the outline, then the bore (clockwise, a hole) or the rim
  // (counter-clockwise, the outer boundary of a ring gear).
  std::vector<int64_t> contours;
  for (int64_t i = 0; i < m; ++i) contours.push_back(i);
  contours.push_back(-1);
  if (r > 0.0) {
    if (internal) {
      for (int64_t i = 0; i < zk; ++i) contours.push_back(m + i);
    } else {
      for (int64_t i = zk - 1; i >= 0; --i) contours.push_back(m + i);
    }
    contours.push_back(-1);
  }

  // Sags of the wall edges: the outline's from the reduction, the circle's
  // from its radius, for the edge that leaves each circle point in its contour.
  std::vector<double> edgeSag = sec.sag;
  edgeSag.resize(sec.X.size(), 0.0);
  if (r > 0.0) {
    for (int64_t i = 0; i < zk; ++i) {
      const auto d = static_cast<size_t>(m + i);
      const auto e = static_cast<size_t>(internal ? m + (i + 1) % zk : m + (i + zk - 1) % zk);
      edgeSag[d] = StlCircleChordSag(sec.X[d], sec.Y[d], sec.X[e], sec.Y[e], r);
    }
  }

  double w = 0.0;
  int64_t slices = 1;
  if (StlComputeTwist(rec, copy, std::max({copy.tipRadius, copy.rootRadius, r}), t, w, slices) == 0) return 0;
  // Walls: two triangles per contour edge and slice; caps twice.
  const double triangles = 2.0 * static_cast<double>(slices) * static_cast<double>(contours.size()) +
                           2.0 * static_cast<double>(caps.size() / 3);
  if (!(triangles + static_cast<double>(gTriangleList.size()) <= kStlMaxTriangles)) {
    return RefuseBody(BodyFault::kTooManyTriangles);
  }
  gTriangleList.reserve(gTriangleList.size() + static_cast<size_t>(triangles));
  StlSweepSection(sec.X, sec.Y, caps, contours, edgeSag, x, y, angle, w, 0.0, rec.faceWidth, slices);
  return 1;
}
