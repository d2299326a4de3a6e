// The reduced plane section of a gear or ring gear for the STL meshers: the
// outline rebuilt at the STL point density, cut at the sector boundaries and
// reduced within the chord tolerance, one piece at a time.
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "export/body_fault.h"
#include "export/outline_reduction.h"
#include "export/stl_mesh.h"
#include "geometry/gear_geometry.h"
#include "geometry/outline_builder.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"

namespace {

// Rebuilds the copy at the STL point density: a ring gear whole, an external
// gear as tooth 0 alone, whose turned copies are the other teeth. Returns 1
// when it is valid.
int RebuildCopy(GearRecord& copy) {
  if (copy.isInternal != 0) {
    RebuildRingGearGeometry(copy, kStlPointDensity);
  } else {
    BuildGearGeometryFirstTooth(copy, kStlPointDensity);
  }
  return copy.valid != 0 ? 1 : 0;
}

// Reduces the outline as FlattenOutlineToArrays, marking the sector
// boundaries as breaks, and SimplifyClosedOutline would together, with the
// same points, pieces and arithmetic, but without a flat copy of all the
// points (hundreds of thousands at the STL density): the points pass through
// one at a time and only the piece between two breaks is held.
//
// A point is held back until the next one arrives, because the first point
// of the next curve marks it as a junction, and the very last point is
// dropped when it repeats the first.
struct SectionReducer {
  SectionReducer(StlGearSection& target, int64_t z, bool isHelical)
      : section(target),
        teeth(z),
        helical(isHelical),
        farFromBoundary(kStlSectorBoundaryTolerance +
                        kStlApproximatePolarAngleError / target.pitchAngle * (1.0 + 1e-6) + 1e-9),
        wrap(static_cast<double>(z) + 0.5) {}

  StlGearSection& section;
  const int64_t teeth;
  const bool helical;            // the chord sags are wanted
  const double farFromBoundary;  // |u - nearest| beyond this is no boundary
  const double wrap;             // u + wrap > 0 for every polar angle

  int64_t released = 0;          // points passed on so far
  OutlinePoint first{};          // point 0
  bool holding = false;
  OutlinePoint held{};
  bool heldBreak = false;
  bool heldMayBeBoundary = true;
  std::vector<double> pieceX, pieceY;  // the piece from its first break on
  // The bulge of the fine curve beyond its own segments (OutlineCurveSampleBulge)
  // of the curve being stored, of the held point's curve, and the largest of
  // the points after the piece's first: the piece is reduced within the
  // tolerance less that, so that its chords keep the tolerance from the curve.
  double curveBulge = 0.0;
  double heldBulge = 0.0;
  double pieceBulge = 0.0;
  // Whether the piece's first point lies on a sector boundary; no later point
  // of a piece can, as a boundary ends the piece and starts the next one.
  bool pieceStartsOnBoundary = false;
  std::vector<uint8_t> keep;
  int64_t boundaries = 0;

  // Sector boundaries: external gears at the middle of each tooth space,
  // polar angle (q - 0.5) p; ring gears at the middle of each space, q p. The
  // exact angle decides; a cheap one first rules out the points that lie
  // clearly away from every boundary, which are nearly all of them. Its error
  // moves u by at most the angle error / p, and the distance of u to the
  // nearest whole number by no more than that.
  bool IsBoundary(const OutlinePoint& q) const {
    const double ua = StlApproximatePolarAngle(q.x, q.y) / section.pitchAngle + section.sectorOffset;
    const double nearest = static_cast<double>(static_cast<int64_t>(ua + wrap)) - static_cast<double>(teeth);
    if (std::fabs(ua - nearest) > farFromBoundary) return false;  // false for NaN: decided exactly
    const double u = std::atan2(q.y, q.x) / section.pitchAngle + section.sectorOffset;
    return std::fabs(u - std::round(u)) < kStlSectorBoundaryTolerance;
  }

  // mayBeBoundary false: the point is known to lie away from every sector
  // boundary and is not tested.
  void Store(const OutlinePoint& q, bool isBreak, bool mayBeBoundary) {
    if (holding) {
      if (heldBreak || heldMayBeBoundary || released == 0) {
        Release(held, heldBreak, heldMayBeBoundary, heldBulge);
      } else {
        // Nearly every point: no junction, no boundary; it joins the piece.
        ++released;
        pieceX.push_back(held.x);
        pieceY.push_back(held.y);
        pieceBulge = std::max(pieceBulge, heldBulge);
      }
    }
    if (released == 0 && !holding) first = q;
    held = q;
    heldBulge = curveBulge;
    heldBreak = isBreak;
    heldMayBeBoundary = mayBeBoundary;
    holding = true;
  }

  void MarkLastAsBreak() { heldBreak = true; }

  // Stores the points of a curve from index 1 on, turned to their tooth when
  // turned, as Store(point, false, mayBe) one after another: mayBe[i - 1] for
  // point i, or every point may be a boundary when mayBe is null. A stretch of
  // points that may not, behind a held point that is neither a junction nor
  // near a boundary, joins the piece in one go.
  void StoreCurveTail(const std::vector<OutlinePoint>& points, bool turned, const ToothTurn& turn,
                      const uint8_t* mayBe) {
    auto point = [&](std::size_t i) { return turned ? TurnOutlinePoint(points[i], turn) : points[i]; };
    const std::size_t n = points.size();
    std::size_t i = 1;
    while (i < n) {
      const bool quiet = mayBe != nullptr && mayBe[i - 1] == 0;
      if (!(quiet && holding && !heldBreak && !heldMayBeBoundary && released > 0)) {
        Store(point(i), false, !quiet);
        ++i;
        continue;
      }
      // The held point and points i .. j - 2 join the piece; point j - 1 is
      // held next.
      std::size_t j = i + 1;
      while (j < n && mayBe[j - 1] == 0) ++j;
      const std::size_t base = pieceX.size();
      const std::size_t count = j - i;  // the held point and i .. j - 2
      pieceX.resize(base + count);
      pieceY.resize(base + count);
      pieceX[base] = held.x;
      pieceY[base] = held.y;
      for (std::size_t a = i; a + 1 < j; ++a) {
        const OutlinePoint q = point(a);
        pieceX[base + 1 + (a - i)] = q.x;
        pieceY[base + 1 + (a - i)] = q.y;
      }
      released += static_cast<int64_t>(count);
      pieceBulge = std::max({pieceBulge, heldBulge, curveBulge});
      held = point(j - 1);
      heldBulge = curveBulge;
      i = j;
    }
  }

  void Release(const OutlinePoint& q, bool isBreak, bool mayBeBoundary, double bulge) {
    const bool boundary = mayBeBoundary && IsBoundary(q);
    if (boundary) ++boundaries;
    const bool start = released == 0;
    ++released;
    pieceX.push_back(q.x);
    pieceY.push_back(q.y);
    if (start) pieceStartsOnBoundary = boundary;
    if (start) return;
    pieceBulge = std::max(pieceBulge, bulge);
    if (!(isBreak || boundary)) return;
    ReducePiece(pieceX.size() - 1);
    pieceX.assign(1, q.x);
    pieceY.assign(1, q.y);
    pieceBulge = 0.0;
    pieceStartsOnBoundary = boundary;
  }

  // Reduces the piece (its last point included) and passes on its kept
  // points before index end, each with the sag of its chord to the next kept
  // point (helical gears only; a spur gear's walls have no diagonal to
  // choose, and its sags stay 0); the point at end starts the next piece.
  void ReducePiece(std::size_t end) {
    keep.assign(pieceX.size(), 0);
    SimplifyPolyline(pieceX, pieceY, 0, static_cast<int64_t>(pieceX.size()) - 1, section.tolerance - pieceBulge,
                     keep);
    for (std::size_t i = 0; i < end; ++i) {
      if (keep[i] == 0) continue;
      if (i == 0 && pieceStartsOnBoundary) section.S.push_back(static_cast<int64_t>(section.X.size()));
      section.X.push_back(pieceX[i]);
      section.Y.push_back(pieceY[i]);
      if (!helical) {
        section.sag.push_back(0.0);
        continue;
      }
      std::size_t next = i + 1;
      while (next + 1 < pieceX.size() && keep[next] == 0) ++next;
      section.sag.push_back(ChordSag(i, next));
    }
  }

  // The dropped point of the piece between kept points a and b that lies
  // farthest from their chord, its distance counted positive to the right.
  double ChordSag(std::size_t a, std::size_t b) const {
    const double dx = pieceX[b] - pieceX[a], dy = pieceY[b] - pieceY[a];
    const double length = std::hypot(dx, dy);
    if (!(length > kStlMinChordLength)) return 0.0;
    double sag = 0.0;
    for (std::size_t k = a + 1; k < b; ++k) {
      const double s = ((pieceX[k] - pieceX[a]) * dy - (pieceY[k] - pieceY[a]) * dx) / length;
      if (std::fabs(s) > std::fabs(sag)) sag = s;
    }
    return sag;
  }

  // The last piece runs back to point 0.
  void Finish() {
    if (!holding) return;
    const int64_t total = released + 1;
    const bool repeatsFirst = std::fabs(held.x - first.x) < kStlClosingPointTolerance &&
                              std::fabs(held.y - first.y) < kStlClosingPointTolerance;
    if (!(total >= 2 && repeatsFirst)) Release(held, heldBreak, heldMayBeBoundary, heldBulge);
    holding = false;
    const std::size_t end = pieceX.size();
    pieceX.push_back(first.x);
    pieceY.push_back(first.y);
    ReducePiece(end);
  }
};

// Largest error (rad) of the polar angle of a turned point of tooth 0 against
// that of the point itself plus the turn: the rounding of the turn's cosine
// and sine, of the turned coordinates and of atan2 come to a few units in the
// last place, some 1e-15 rad; this bound lies far above.
constexpr double kToothTurnAngleError = 1e-12;

// Per point of tooth 0 in the order the reducer receives them (the first
// point of every curve but the first skipped): 0 when the point and so every
// turned copy of it lies clearly away from every sector boundary, 1 when the
// copies must be tested. Only for finite points well inside the range of
// double, where the turn keeps its few units of rounding.
std::vector<uint8_t> MarkPointsNearBoundaries(const Outline& tooth, const StlGearSection& section) {
  const double margin = kStlSectorBoundaryTolerance + kToothTurnAngleError / section.pitchAngle + 1e-9;
  std::vector<uint8_t> mayBe;
  auto mark = [&](const OutlinePoint& q) {
    const double r = std::hypot(q.x, q.y);
    bool far = false;
    if (r > 1e-100 && r < 1e100) {
      const double u = std::atan2(q.y, q.x) / section.pitchAngle + section.sectorOffset;
      far = std::fabs(u - std::round(u)) > margin;
    }
    mayBe.push_back(far ? 0 : 1);
  };
  bool firstCurve = true;
  for (const OutlineCurve& curve : tooth) {
    if (curve.points.empty()) continue;
    if (firstCurve) mark(curve.points[0]);
    firstCurve = false;
    for (std::size_t i = 1; i < curve.points.size(); ++i) mark(curve.points[i]);
  }
  return mayBe;
}

}  // namespace

double StlWorldExtent(const StlGearSection& section, double x, double y) {
  double reach = 0.0;
  for (size_t i = 0; i < section.X.size(); ++i) reach = std::max(reach, std::hypot(section.X[i], section.Y[i]));
  return std::max(std::fabs(x), std::fabs(y)) + reach;
}

int StlPrepareGearSection(const GearRecord& rec, double tolerance, StlGearSection& section) {
  const double pi = std::numbers::pi;
  const bool internal = rec.isInternal != 0;
  // A body without thickness would be a flat, zero-volume mesh.
  if (!std::isfinite(rec.faceWidth)) return RefuseBody(BodyFault::kNotFinite);
  if (!(rec.faceWidth > 0.0)) return RefuseBody(BodyFault::kFaceWidth);
  if (rec.teeth < 1) return RefuseBody(BodyFault::kShape);

  const int64_t z = rec.teeth;
  section.pitchAngle = 2.0 * pi / static_cast<double>(z);
  section.sectorOffset = internal ? 0.0 : 0.5;
  // A helical gear is reduced and sliced at half the tolerance, so the chord
  // and the twist between slices together stay within it; the walls are split
  // along the diagonals that keep it (StlWallSplitsAtStart).
  section.tolerance = rec.helixAngle > kStlMinHelixAngle ? tolerance / 2.0 : tolerance;

  section.copy = rec;
  if (RebuildCopy(section.copy) == 0) return RefuseBody(BodyFault::kShape);
  // The chords must keep the tolerance from the tooth curves, not only from
  // their samples: where a fine tolerance meets a sharply bent curve (the
  // root fillet of a small undercut gear) the samples' own bulge is a good
  // part of it. Every tooth of an external gear is tooth 0 turned, which
  // bulges alike, curve for curve.
  std::vector<double> bulges;
  bulges.reserve(section.copy.outline.size());
  for (const OutlineCurve& curve : section.copy.outline) bulges.push_back(OutlineCurveSampleBulge(curve));

  section.X.clear();
  section.Y.clear();
  section.sag.clear();
  section.S.clear();
  SectionReducer reducer(section, z, rec.helixAngle > kStlMinHelixAngle);
  // The points in outline order, tooth after tooth for an external gear; the
  // shared first point of every curve after the first is taken once, as a
  // junction.
  //
  // A point of an external gear's tooth 0 that lies well away from every
  // sector boundary does so on every tooth: the turn moves its polar angle by
  // a whole pitch, to within kToothTurnAngleError. Only the others are tested
  // on each tooth, as every point of a ring gear is.
  const int64_t turns = internal ? 1 : z;
  const std::vector<uint8_t> mayBeBoundary =
      internal ? std::vector<uint8_t>() : MarkPointsNearBoundaries(section.copy.outline, section);
  bool firstPoint = true;
  for (int64_t t = 0; t < turns; ++t) {
    const bool turned = t > 0;
    const ToothTurn turn = turned ? ComputeToothTurn(z, t) : ToothTurn{};
    // Index into mayBeBoundary; on a turned tooth the first point of tooth 0
    // is the junction with the tooth before, taken already.
    std::size_t k = turned ? 1 : 0;
    for (std::size_t c = 0; c < section.copy.outline.size(); ++c) {
      const std::vector<OutlinePoint>& points = section.copy.outline[c].points;
      if (points.empty()) continue;
      reducer.curveBulge = bulges[c];
      if (firstPoint) {
        reducer.Store(points[0], true, internal || mayBeBoundary[k++] != 0);
        firstPoint = false;
      } else {
        reducer.MarkLastAsBreak();
      }
      reducer.StoreCurveTail(points, turned, turn, internal ? nullptr : mayBeBoundary.data() + k);
      k += points.size() - 1;
    }
  }
  reducer.Finish();
  if (reducer.boundaries != z || static_cast<int64_t>(section.S.size()) != z) {
    return RefuseBody(BodyFault::kShape);
  }

  section.m = static_cast<int64_t>(section.X.size());
  section.S.push_back(section.S[0]);
  return 1;
}
