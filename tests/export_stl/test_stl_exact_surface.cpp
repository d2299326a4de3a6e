// The STL mesh of a helical gear against the exact gear: every point of every
// side facet that the chord tolerance speaks of (the corners, the middle of
// every edge and the centre) lies within the tolerance of the exact surface,
// for either hand. The exact surface comes from the textbook model in
// exact_helical_gear.h, not from the program's outline.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "app/globals.h"
#include "export/stl_mesh.h"
#include "exact_helical_gear.h"
#include "geometry/gear_geometry.h"

namespace {

struct HelicalCase {
  double m;
  int64_t z;
  double x;
  double betaDeg;
  double b;
  double bore;
  double hubDiameter;  // hubs on both sides, 0 = none
  double tolerance;
  double alphaDeg = 20.0;
  double allowance = 0.0;  // As, mm
};

struct Worst {
  double ratio = 0.0;  // deviation / tolerance
  double x = 0.0, y = 0.0, z = 0.0;
  size_t wallFacets = 0;
  size_t triangles = 0;
};

Worst MeasureMesh(const HelicalCase& c, int64_t hand) {
  GearRecord rec;
  InitGearRecord(rec, c.m, c.z, c.x, c.alphaDeg, c.b, c.bore, 0.0, c.betaDeg, hand);
  rec.thicknessAllowance = c.allowance;
  BuildGearGeometry(rec, 1);
  const double hubLength = 6.0;
  if (c.hubDiameter > 0.0) {
    rec.hubSide = 3;
    rec.hubDiameter = c.hubDiameter;
    rec.hubLength = hubLength;
  }
  const exactgear::HelicalGear exact(c.m, c.z, c.x, c.alphaDeg, c.betaDeg, hand, c.allowance);
  Worst worst;
  EXPECT_EQ(rec.valid, 1);
  EXPECT_EQ(exact.pointed(), rec.pointed != 0);
  gTriangleList.clear();
  EXPECT_EQ(StlMeshBody(rec, 0.0, 0.0, 0.0, c.tolerance), 1);
  worst.triangles = gTriangleList.size();
  const double rBore = c.bore / 2.0;
  const double rHub = c.hubDiameter / 2.0;
  auto deviation = [&](double px, double py, double pz, bool onHub) {
    const double R = std::hypot(px, py);
    // The hubs stand beyond the gear body; the bore runs through it all.
    double d = onHub ? std::fabs(R - rHub) : exact.Distance(px, py, pz);
    if (rBore > 0.0) d = std::min(d, std::fabs(R - rBore));
    return d;
  };
  for (const StlTriangle& t : gTriangleList) {
    // End faces (of the gear and the hubs) lie flat in their planes.
    if (t.z[0] == t.z[1] && t.z[1] == t.z[2]) continue;
    ++worst.wallFacets;
    const double zLow = std::min({t.z[0], t.z[1], t.z[2]}), zHigh = std::max({t.z[0], t.z[1], t.z[2]});
    const bool onHub = zHigh <= 0.0 || zLow >= c.b;
    std::vector<std::array<double, 3>> points;
    for (int i = 0; i < 3; ++i) {
      const int j = (i + 1) % 3;
      points.push_back({t.x[i], t.y[i], t.z[i]});
      points.push_back({(t.x[i] + t.x[j]) / 2.0, (t.y[i] + t.y[j]) / 2.0, (t.z[i] + t.z[j]) / 2.0});
    }
    points.push_back({(t.x[0] + t.x[1] + t.x[2]) / 3.0, (t.y[0] + t.y[1] + t.y[2]) / 3.0,
                      (t.z[0] + t.z[1] + t.z[2]) / 3.0});
    for (const auto& p : points) {
      const double ratio = deviation(p[0], p[1], p[2], onHub) / c.tolerance;
      if (ratio > worst.ratio) worst = {ratio, p[0], p[1], p[2], worst.wallFacets, worst.triangles};
    }
  }
  gTriangleList.clear();
  return worst;
}

std::vector<HelicalCase> HelicalCases() {
  return {
      {1.75, 23, 0.0, 36.9, 15.0, 0.0, 0.0, 0.01},   // the worst case found
      {1.75, 23, 0.0, 36.9, 40.0, 0.0, 0.0, 0.02},
      {2.0, 20, 0.0, 20.0, 15.0, 0.0, 0.0, 0.01},
      {2.0, 9, 0.0, 25.0, 12.0, 0.0, 0.0, 0.01},     // undercut
      {1.0, 7, 0.0, 30.0, 8.0, 0.0, 0.0, 0.005},     // undercut, strongly
      {3.0, 41, 0.4, 15.0, 30.0, 0.0, 0.0, 0.05},
      {2.5, 30, 0.0, 30.0, 20.0, 20.0, 0.0, 0.02},   // round bore
      {2.0, 30, 0.0, 25.0, 20.0, 0.0, 40.0, 0.01},   // hubs on both sides
  };
}

TEST(StlExactSurface, EveryFacetOfAHelicalGearLiesWithinTheChordTolerance) {
  for (const HelicalCase& c : HelicalCases()) {
    for (int64_t hand : {1, -1}) {
      const Worst w = MeasureMesh(c, hand);
      const std::string name = "m " + std::to_string(c.m) + " z " + std::to_string(c.z) + " beta " +
                               std::to_string(c.betaDeg) + (hand > 0 ? " right" : " left");
      std::printf("%-48s t %.3f  worst %.4f t at (%.3f, %.3f, %.3f), %zu triangles\n", name.c_str(), c.tolerance,
                  w.ratio, w.x, w.y, w.z, w.triangles);
      EXPECT_GT(w.wallFacets, 0u) << name;
      EXPECT_LE(w.ratio, 1.0) << name << " at (" << w.x << ", " << w.y << ", " << w.z << ")";
    }
  }
}

// Spur gears: the walls stand on the chords of the reduced outline, and those
// must keep the tolerance from the exact curve, not only from the fine
// polyline the outline is built as; where the curve bends sharply (the root
// fillet of a small, undercut gear) the fine polyline's own sag is a good
// part of a fine tolerance.
TEST(StlExactSurface, EveryWallOfASpurGearLiesWithinTheChordTolerance) {
  const std::vector<HelicalCase> cases = {
      {18.0, 6, -0.3061, 0.0, 53.531, 0.0, 0.0, 0.00258, 14.5, 0.82809},  // strongly undercut
      {9.0, 8, -0.4872, 0.0, 30.0, 0.0, 0.0, 0.00258, 14.5, 0.0},
      {9.0, 8, -0.4872, 0.0, 30.0, 0.0, 0.0, 0.001, 20.0, 0.2},
      {2.0, 20, 0.0, 0.0, 15.0, 0.0, 0.0, 0.01},
      {0.5, 12, 0.3, 0.0, 5.0, 3.0, 0.0, 0.0001},                           // round bore
      {5.0, 17, 0.0, 0.0, 40.0, 20.0, 60.0, 0.002, 20.0, 0.1},              // hubs on both sides
  };
  for (const HelicalCase& c : cases) {
    const Worst w = MeasureMesh(c, 1);
    const std::string name = "m " + std::to_string(c.m) + " z " + std::to_string(c.z) + " x " +
                             std::to_string(c.x) + " alpha " + std::to_string(c.alphaDeg) + " As " +
                             std::to_string(c.allowance);
    std::printf("%-64s t %.5f  worst %.4f t at (%.3f, %.3f, %.3f), %zu triangles\n", name.c_str(), c.tolerance,
                w.ratio, w.x, w.y, w.z, w.triangles);
    EXPECT_GT(w.wallFacets, 0u) << name;
    EXPECT_LE(w.ratio, 1.0) << name << " at (" << w.x << ", " << w.y << ", " << w.z << ")";
  }
}

// The model itself: the tooth outline it describes has the textbook radii and
// the undercut where the textbook limit says (z sin^2(alpha_t) / (2 cos beta)
// against 1.25 - 0.38 (1 - sin alpha_n)), and a point just off the tip cylinder
// or a flank is that far from the surface.
TEST(StlExactSurface, TheExactModelMeasuresKnownDistances) {
  const exactgear::HelicalGear g(2.0, 20, 0.0, 20.0, 0.0, 1);
  EXPECT_NEAR(g.tipRadius(), 22.0, 1e-12);
  EXPECT_NEAR(g.rootRadius(), 17.5, 1e-12);
  EXPECT_FALSE(g.undercut());
  EXPECT_TRUE(exactgear::HelicalGear(2.0, 9, 0.0, 20.0, 25.0, 1).undercut());
  EXPECT_FALSE(exactgear::HelicalGear(2.0, 40, 0.0, 20.0, 25.0, 1).undercut());
  // 0.01 beyond the tip on the tooth centre line.
  EXPECT_NEAR(g.Distance(22.01, 0.0, 0.0), 0.01, 1e-12);
  // The pitch point of the flank, moved 0.02 along the flank normal (the
  // base tangent, at the pressure angle to the radius).
  const double psi = g.FlankAngle(20.0);
  const double a = 20.0 * std::numbers::pi / 180.0;
  const double nx = std::cos(psi - a + std::numbers::pi / 2.0), ny = std::sin(psi - a + std::numbers::pi / 2.0);
  const double px = 20.0 * std::cos(psi) + 0.02 * nx, py = 20.0 * std::sin(psi) + 0.02 * ny;
  EXPECT_NEAR(g.Distance(px, py, 0.0), 0.02, 1e-9);
  // The root circle midway between two teeth.
  const double half = std::numbers::pi / 20.0;
  EXPECT_NEAR(g.Distance(17.49 * std::cos(half), 17.49 * std::sin(half), 0.0), 0.01, 1e-12);
  // A helical gear: the same point at the top, turned with the helix.
  const exactgear::HelicalGear h(2.0, 20, 0.0, 20.0, 20.0, 1);
  const double turn = std::tan(20.0 * std::numbers::pi / 180.0) * 10.0 / h.pitchRadius();
  const double ra = h.tipRadius() + 0.01;
  EXPECT_NEAR(h.Distance(ra * std::cos(turn), ra * std::sin(turn), 10.0), 0.01, 1e-12);
}

}  // namespace
