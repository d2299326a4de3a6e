// The reduced section of a gear, built point by point without a flat copy of
// the fine outline (of an external gear from tooth 0 turned to every tooth),
// against the plain composition of its steps on the whole rebuilt outline: flattened, every point whose polar angle lies on a sector
// boundary marked as a break, reduced piece by piece within the tolerance
// less the bulge of its curve beyond its samples. Both must give the same
// points and the same boundaries, to the last bit.
#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <algorithm>
#include <numbers>
#include <string>
#include <vector>

#include "export/outline_reduction.h"
#include "export/stl_mesh.h"
#include "geometry/gear_geometry.h"
#include "geometry/ring_gear.h"
#include "geometry/tolerances.h"

namespace {

struct Reference {
  std::vector<double> X, Y;
  std::vector<int64_t> S;
  bool ok = false;
};

// The section's copy with the outline of every tooth, as the full builder
// gives it (the section holds tooth 0 of an external gear only).
GearRecord FullCopy(const StlGearSection& section) {
  GearRecord full = section.copy;
  if (full.isInternal == 0) BuildGearGeometry(full, kStlPointDensity);
  return full;
}

Reference ReduceByComposition(const StlGearSection& section) {
  Reference out;
  // Flattened as FlattenOutlineToArrays does, with the curve of every point.
  const GearRecord full = FullCopy(section);
  std::vector<double> x, y;
  std::vector<uint8_t> breaks;
  std::vector<size_t> curveOf;
  for (size_t c = 0; c < full.outline.size(); ++c) {
    const std::vector<OutlinePoint>& points = full.outline[c].points;
    for (size_t i = 0; i < points.size(); ++i) {
      if (x.empty() || i > 0) {
        x.push_back(points[i].x);
        y.push_back(points[i].y);
        breaks.push_back(x.size() == 1 ? 1 : 0);
        curveOf.push_back(c);
      } else {
        breaks.back() = 1;
      }
    }
  }
  if (x.size() >= 2 && std::fabs(x.back() - x[0]) < kStlClosingPointTolerance &&
      std::fabs(y.back() - y[0]) < kStlClosingPointTolerance) {
    x.pop_back();
    y.pop_back();
    breaks.pop_back();
    curveOf.pop_back();
  }
  std::vector<size_t> boundaries;
  for (size_t k = 0; k < x.size(); ++k) {
    const double u = std::atan2(y[k], x[k]) / section.pitchAngle + section.sectorOffset;
    if (std::fabs(u - std::round(u)) < kStlSectorBoundaryTolerance) {
      breaks[k] = 1;
      boundaries.push_back(k);
    }
  }
  // The bulge of every curve, from the section's copy: tooth 0 of an
  // external gear, whose turned copies are the other teeth.
  const Outline& own = section.copy.outline;
  std::vector<double> curveBulge;
  for (const OutlineCurve& curve : own) curveBulge.push_back(OutlineCurveSampleBulge(curve));
  auto bulgeOf = [&](size_t point) { return curveBulge[curveOf[point] % own.size()]; };
  // Each piece between two breaks reduced within the tolerance less the
  // bulge of its curve (that of its points after the first); the last piece
  // is closed by point 0.
  std::vector<uint8_t> keep(x.size(), 0);
  auto reduce = [&](size_t from, size_t to, bool closing) {
    double bulge = 0.0;
    for (size_t k = from + 1; k <= to && k < x.size(); ++k) bulge = std::max(bulge, bulgeOf(k));
    std::vector<double> px(x.begin() + static_cast<std::ptrdiff_t>(from), x.begin() + static_cast<std::ptrdiff_t>(to));
    std::vector<double> py(y.begin() + static_cast<std::ptrdiff_t>(from), y.begin() + static_cast<std::ptrdiff_t>(to));
    px.push_back(closing ? x[0] : x[to]);
    py.push_back(closing ? y[0] : y[to]);
    std::vector<uint8_t> pieceKeep(px.size(), 0);
    SimplifyPolyline(px, py, 0, static_cast<int64_t>(px.size()) - 1, section.tolerance - bulge, pieceKeep);
    for (size_t i = 0; i < pieceKeep.size(); ++i) {
      if (from + i < x.size()) keep[from + i] |= pieceKeep[i];
    }
  };
  size_t prev = 0;
  for (size_t k = 1; k < x.size(); ++k) {
    if (breaks[k] == 0) continue;
    reduce(prev, k, false);
    prev = k;
  }
  reduce(prev, x.size(), true);
  keep[0] = 1;
  std::vector<int64_t> map(x.size(), -1);
  for (size_t k = 0; k < x.size(); ++k) {
    if (keep[k] == 0) continue;
    map[k] = static_cast<int64_t>(out.X.size());
    out.X.push_back(x[k]);
    out.Y.push_back(y[k]);
  }
  for (size_t k : boundaries) out.S.push_back(map[k]);
  out.ok = true;
  return out;
}

GearRecord Gear(double m, int64_t z, double x, double betaDeg, double bore) {
  GearRecord rec;
  InitGearRecord(rec, m, z, x, 20.0, 12.0, bore, 0.0, betaDeg, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

// A small, strongly undercut gear with a thinning allowance: its fillet bends
// so sharply that the fine samples bulge by a good part of a fine tolerance.
GearRecord UndercutGear() {
  GearRecord rec;
  InitGearRecord(rec, 18.0, 6, -0.3061, 14.5, 53.531, 0.0, 0.0, 0.0, 1);
  rec.thicknessAllowance = 0.82809;
  BuildGearGeometry(rec, 1);
  return rec;
}

GearRecord Ring(double m, int64_t z, double betaDeg) {
  GearRecord rec;
  BuildRingGearGeometry(rec, m, z, 0.0, 20.0, 10.0, 6.0, 0.0, betaDeg, 1, 1, 0.0);
  return rec;
}

TEST(StlGearSection, SameReductionAsTheFlatOutlineStepByStep) {
  struct Case {
    const char* name;
    GearRecord rec;
    double tolerance;
  };
  const Case cases[] = {
      {"spur z 17 shifted", Gear(2.0, 17, 0.1, 0.0, 0.0), 0.01},
      {"spur z 200 bore", Gear(2.0, 200, 0.0, 0.0, 40.0), 0.01},
      {"spur z 9 undercut", Gear(3.0, 9, 0.0, 0.0, 0.0), 0.005},
      {"spur z 6 undercut, fine tolerance", UndercutGear(), 0.00258},
      {"spur z 1 000 fine module", Gear(0.2, 1000, 0.0, 0.0, 0.0), 0.001},
      {"helical z 20 beta 20", Gear(2.0, 20, 0.0, 20.0, 12.0), 0.01},
      {"helical z 33 beta 35 coarse", Gear(1.5, 33, -0.2, 35.0, 0.0), 0.2},
      {"ring z 40", Ring(2.0, 40, 0.0), 0.01},
      {"helical ring z 48 beta 15", Ring(1.5, 48, 15.0), 0.02},
  };
  for (const Case& c : cases) {
    ASSERT_EQ(c.rec.valid, 1) << c.name;
    StlGearSection section;
    ASSERT_EQ(StlPrepareGearSection(c.rec, c.tolerance, section), 1) << c.name;
    const Reference ref = ReduceByComposition(section);
    ASSERT_EQ(static_cast<int64_t>(ref.S.size()), c.rec.teeth) << c.name;
    EXPECT_EQ(section.m, static_cast<int64_t>(ref.X.size())) << c.name;
    EXPECT_EQ(section.X, ref.X) << c.name;
    EXPECT_EQ(section.Y, ref.Y) << c.name;
    ASSERT_EQ(section.S.size(), ref.S.size() + 1) << c.name;
    for (size_t j = 0; j < ref.S.size(); ++j) EXPECT_EQ(section.S[j], ref.S[j]) << c.name << " boundary " << j;
    EXPECT_EQ(section.S.back(), section.S.front()) << c.name;
  }
}

// The cheap polar angle that rules out points far from a boundary: within
// its stated error of atan2 all the way round, at every scale.
TEST(StlGearSection, ApproximatePolarAngleStaysWithinItsError) {
  double worst = 0.0;
  for (double r : {1e-6, 0.37, 1.0, 250.0, 3e7}) {
    for (int i = 0; i <= 400000; ++i) {
      const double a = -std::numbers::pi + 2.0 * std::numbers::pi * i / 400000.0;
      const double x = r * std::cos(a);
      const double y = r * std::sin(a);
      double d = std::fabs(StlApproximatePolarAngle(x, y) - std::atan2(y, x));
      d = std::fmin(d, std::fabs(d - 2.0 * std::numbers::pi));  // the same angle across the cut at pi
      worst = std::fmax(worst, d);
    }
  }
  EXPECT_LT(worst, kStlApproximatePolarAngleError);
  EXPECT_TRUE(std::isnan(StlApproximatePolarAngle(0.0, 0.0)));
  EXPECT_TRUE(std::isnan(StlApproximatePolarAngle(INFINITY, 1.0)));
}

}  // namespace
