// STL meshes of gears, ring gears and racks read back from the file: closed
// and manifold, outward facing, no degenerate facets, and the volume of the
// solid computed independently from the fine outline.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "app/globals.h"
#include "export/stl_file.h"
#include "export/stl_mesh.h"
#include "geometry/bore_outline.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "stl_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;

struct GearInputs {
  double m = 2.0;
  int64_t z = 30;
  double x = 0.0;
  double b = 10.0;
  double bore = 0.0;
  double betaDeg = 0.0;
  int64_t hand = 1;
};

GearRecord MakeGear(const GearInputs& in, int density = 1) {
  GearRecord rec;
  InitGearRecord(rec, in.m, in.z, in.x, 20.0, in.b, in.bore, 0.0, in.betaDeg, in.hand);
  BuildGearGeometry(rec, density);
  return rec;
}

GearRecord MakeRing(double m, int64_t z, double b, double rim, double betaDeg, int density = 1) {
  GearRecord rec;
  BuildRingGearGeometry(rec, m, z, 0.0, 20.0, b, rim, 0.0, betaDeg, 1, density, 0.0);
  return rec;
}

GearRecord MakeRack(double m, int64_t n, double betaDeg, int density = 1, double alphaDeg = 20.0) {
  GearRecord rec;
  BuildRackGeometry(rec, m, alphaDeg, betaDeg, 1, n, 3.0 * m, 12.0, 0.0, density);
  return rec;
}

// Area of the bore with a keyway of half width w and depth t2 beyond the bore
// radius r: the arc sector outside the keyway, the triangle from the centre
// to the keyway mouth and the keyway rectangle.
double BoreArea(double r, double keyWidth, double depth) {
  if (keyWidth <= 0.0) return kPi * r * r;
  const double w = keyWidth / 2.0;
  const double alpha = std::asin(w / r);
  const double c = std::sqrt(r * r - w * w);
  return (kPi - alpha) * r * r + c * w + 2.0 * w * (r + depth - c);
}

// Independent volume of a body and the largest volume error its chord
// tolerance allows (wall area times the tolerance).
struct Expected {
  double volume = 0.0;
  double allowance = 0.0;
};

// Gear: face width times (outline area - bore area), plus the hubs.
Expected GearVolume(const GearRecord& rec, double tolerance) {
  GearRecord fine = rec;
  if (rec.isInternal) {
    fine = MakeRing(rec.normalModule, rec.teeth, rec.faceWidth, rec.rimThickness,
                    rec.helixAngle * 180.0 / kPi, 16);
  } else {
    BuildGearGeometry(fine, 16);
  }
  const auto poly = stltest::JoinOutline(fine.outline);
  const double b = rec.faceWidth;
  Expected e;
  if (rec.isInternal) {
    const double R = fine.rimRadius;
    e.volume = b * (kPi * R * R - std::fabs(stltest::ShoelaceArea(poly)));
    e.allowance = tolerance * b * (stltest::Perimeter(poly) + 2.0 * kPi * R);
    return e;
  }
  const double r = rec.boreDiameter / 2.0;
  const double keyWidth = GearHasKeyway(rec) ? rec.keyWidth : 0.0;
  const double boreArea = r > 0.0 ? BoreArea(r, keyWidth, rec.hubKeywayDepth) : 0.0;
  e.volume = b * (stltest::ShoelaceArea(poly) - boreArea);
  e.allowance = tolerance * b * (stltest::Perimeter(poly) + 2.0 * kPi * r + 4.0 * rec.hubKeywayDepth);
  if (GearHasHub(rec)) {
    const int sides = rec.hubSide == 3 ? 2 : 1;
    const double rh = rec.hubDiameter / 2.0;
    e.volume += sides * rec.hubLength * (kPi * rh * rh - boreArea);
    e.allowance += tolerance * sides * rec.hubLength * 2.0 * kPi * (rh + r);
  }
  return e;
}

Expected RackVolume(const GearRecord& rec, double tolerance) {
  GearRecord fine =
      MakeRack(rec.normalModule, rec.teeth, rec.helixAngle * 180.0 / kPi, 16, rec.pressureAngle * 180.0 / kPi);
  const auto poly = stltest::JoinOutline(fine.outline);
  // A shear keeps the volume of the prism.
  return {rec.faceWidth * stltest::ShoelaceArea(poly), tolerance * rec.faceWidth * stltest::Perimeter(poly)};
}

struct BodyCase {
  std::string name;
  GearRecord body;
  double tolerance;
  int64_t euler = 2;  // V - E + F: 2 for a solid body, 0 for one with a through hole
};

std::vector<BodyCase> SingleBodies() {
  std::vector<BodyCase> cases;
  cases.push_back({"spur z 30 no bore", MakeGear({}), 0.01});
  cases.push_back({"spur z 17 x 0.3 bore 12", MakeGear({2.0, 17, 0.3, 10.0, 12.0}), 0.005, 0});
  cases.push_back({"spur bore at 0.99 of the root", MakeGear({2.0, 30, 0.0, 10.0, 54.45}), 0.01, 0});
  cases.push_back({"spur z 9 undercut", MakeGear({3.0, 9, 0.0, 8.0}), 0.01});
  cases.push_back({"spur z 13 tiny bore below tolerance", MakeGear({1.0, 13, 0.0, 5.0, 0.004}), 0.01, 0});
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0, 20.0});
    g.keyWidth = 6.0;
    g.hubKeywayDepth = 2.8;
    cases.push_back({"spur bore with keyway", g, 0.01, 0});
  }
  for (int64_t side : {1, 2, 3}) {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0, 20.0});
    g.keyWidth = 6.0;
    g.hubKeywayDepth = 2.8;
    g.hubSide = side;
    g.hubDiameter = 40.0;
    g.hubLength = 12.0;
    cases.push_back({"spur keyway and hub side " + std::to_string(side), g, 0.01, 0});
  }
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0});
    g.hubSide = 3;
    g.hubDiameter = 30.0;
    g.hubLength = 5.0;
    cases.push_back({"spur hubs without bore", g, 0.01});
  }
  {
    // Hub circle close to the keyway bottom (the ring zip once folded here).
    GearRecord g = MakeGear({2.0, 12, 0.2, 8.0, 8.316});
    g.keyWidth = 1.663;
    g.hubKeywayDepth = 0.8316;
    g.hubSide = 3;
    g.hubDiameter = 12.474;
    g.hubLength = 6.0;
    cases.push_back({"spur z 12 hub close to the keyway", g, 0.01, 0});
  }
  cases.push_back({"helical right z 20 beta 20", MakeGear({2.0, 20, 0.0, 15.0, 0.0, 20.0, 1}), 0.01});
  cases.push_back({"helical left z 20 beta 30 bore", MakeGear({2.0, 20, 0.0, 15.0, 10.0, 30.0, -1}), 0.01, 0});
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 20.0, 20.0, 25.0, 1});
    g.keyWidth = 6.0;
    g.hubKeywayDepth = 2.8;
    g.hubSide = 3;
    g.hubDiameter = 40.0;
    g.hubLength = 8.0;
    cases.push_back({"helical keyway and hubs", g, 0.01, 0});
  }
  cases.push_back({"ring z 40", MakeRing(2.0, 40, 10.0, 6.0, 0.0), 0.01, 0});
  cases.push_back({"helical ring z 48 beta 15", MakeRing(1.5, 48, 12.0, 5.0, 15.0), 0.01, 0});
  cases.push_back({"rack n 10", MakeRack(2.0, 10, 0.0), 0.01});
  cases.push_back({"helical rack n 7 beta 20", MakeRack(2.5, 7, 20.0), 0.01});
  // Root roundings shrunk to meet in the middle of each gap.
  cases.push_back({"rack n 9 alpha 25", MakeRack(2.0, 9, 0.0, 1, 25.0), 0.01});
  cases.push_back({"helical rack n 6 alpha 30 beta 15", MakeRack(1.5, 6, 15.0, 1, 30.0), 0.01});
  return cases;
}

void ExpectSoundMesh(const stltest::StlFile& file, const Expected& e, int64_t euler, const std::string& name) {
  EXPECT_EQ(stltest::EulerCharacteristic(file.facets), euler) << name;
  const stltest::MeshCheck check = stltest::CheckMesh(file.facets);
  EXPECT_EQ(check.edgesOpen, 0u) << name;
  EXPECT_EQ(check.edgesShared, 0u) << name;
  EXPECT_EQ(check.degenerate, 0u) << name;
  EXPECT_EQ(check.badNormals, 0u) << name;
  const double volume = stltest::SignedVolume(file.facets);
  EXPECT_GT(volume, 0.0) << name << ": facets face inwards";
  EXPECT_NEAR(volume, e.volume, e.allowance) << name;
}

TEST(StlMeshes, EveryBodyIsClosedOutwardAndHasItsVolume) {
  for (const BodyCase& c : SingleBodies()) {
    ASSERT_EQ(c.body.valid, 1) << c.name;
    const std::string path = stltest::TempPath("body");
    const int64_t n = StlWriteFile(path, c.tolerance, c.body, 0.7, nullptr, 0, 0, 0);
    ASSERT_GT(n, 0) << c.name;
    const stltest::StlFile file = stltest::ReadStl(path);
    ASSERT_TRUE(file.ok) << c.name;
    EXPECT_EQ(file.count, static_cast<uint32_t>(n)) << c.name;
    const Expected e = c.body.isRack ? RackVolume(c.body, c.tolerance) : GearVolume(c.body, c.tolerance);
    ExpectSoundMesh(file, e, c.euler, c.name);

    // Extent: the body spans z = 0 .. b, a hub below from -L, above to b + L;
    // a gear reaches its tip circle (a ring gear its rim) and no further.
    const GearRecord& g = c.body;
    const bool hub = GearHasHub(g) && !g.isRack;
    const double zMin = hub && (g.hubSide == 1 || g.hubSide == 3) ? -g.hubLength : 0.0;
    const double zMax = g.faceWidth + (hub && (g.hubSide == 2 || g.hubSide == 3) ? g.hubLength : 0.0);
    double lowest = 1e300, highest = -1e300, reach = 0.0;
    for (const auto& f : file.facets) {
      for (const auto& v : f.v) {
        lowest = std::fmin(lowest, v[2]);
        highest = std::fmax(highest, v[2]);
        reach = std::fmax(reach, std::hypot(v[0], v[1]));
      }
    }
    EXPECT_NEAR(lowest, zMin, 1e-5) << c.name;
    EXPECT_NEAR(highest, zMax, 1e-5) << c.name;
    if (!g.isRack) {
      const double outer = g.isInternal ? g.rimRadius : g.tipRadius;
      EXPECT_LE(reach, outer + 1e-4) << c.name;
      EXPECT_GE(reach, outer - c.tolerance) << c.name;
    }
  }
}

// The mesh is placed as the view shows it: turned about its centre and moved.
TEST(StlMeshes, PairInMeshIsTwoClosedBodiesInPlace) {
  const GearRecord g1 = MakeGear({2.0, 17, 0.0, 10.0, 8.0, 15.0, 1});
  const GearRecord g2 = MakeGear({2.0, 31, 0.0, 10.0, 12.0, 15.0, -1});
  ASSERT_EQ(g1.valid, 1);
  ASSERT_EQ(g2.valid, 1);
  const double a = g1.pitchRadius + g2.pitchRadius;
  const double angle1 = 0.4;
  const double angle2 = ComputeGear2MeshAngle(g1, g2, angle1);
  const std::string path = stltest::TempPath("pair");
  ASSERT_GT(StlWriteFile(path, 0.01, g1, angle1, &g2, a, angle2, 0.0), 0);
  const stltest::StlFile file = stltest::ReadStl(path);
  ASSERT_TRUE(file.ok);
  const Expected e1 = GearVolume(g1, 0.01);
  const Expected e2 = GearVolume(g2, 0.01);
  ExpectSoundMesh(file, {e1.volume + e2.volume, e1.allowance + e2.allowance}, 0, "pair");

  // Gear 2 lies around (a, 0): the volume-weighted centre of all facets of
  // the pair sits at a m2 / (m1 + m2) along x, by symmetry of each gear.
  double cx = 0.0, cy = 0.0, v = 0.0;
  for (const auto& f : file.facets) {
    const double dv = stltest::Dot(f.v[0], stltest::Cross(f.v[1], f.v[2])) / 6.0;
    cx += dv * (f.v[0][0] + f.v[1][0] + f.v[2][0]) / 4.0;
    cy += dv * (f.v[0][1] + f.v[1][1] + f.v[2][1]) / 4.0;
    v += dv;
  }
  EXPECT_NEAR(cx / v, a * e2.volume / (e1.volume + e2.volume), 0.05);
  EXPECT_NEAR(cy / v, 0.0, 0.05);
}

// Pinion with its rack and pinion inside its ring gear: each pair is written
// as two closed bodies whose volumes add up.
TEST(StlMeshes, RackAndInternalPairsAreTwoClosedBodies) {
  const GearRecord pinion = MakeGear({2.0, 20, 0.0, 12.0, 0.0, 0.0, 1});
  const GearRecord rack = MakeRack(2.0, 12, 0.0);
  const GearRecord ring = MakeRing(2.0, 40, 10.0, 6.0, 0.0);
  ASSERT_EQ(pinion.valid, 1);
  ASSERT_EQ(rack.valid, 1);
  ASSERT_EQ(ring.valid, 1);
  struct Case {
    const char* name;
    const GearRecord* a;
    const GearRecord* b;
    double xB, angleB, yB;
    int64_t euler;
  };
  const Case cases[] = {
      {"pinion and rack", &pinion, &rack, -12.0 * kPi * 2.0 / 2.0, 0.0, -20.0, 4},
      {"ring and pinion", &ring, &pinion, 10.0, 0.3, 0.0, 2},
  };
  for (const Case& c : cases) {
    const std::string path = stltest::TempPath("pair_kinds");
    ASSERT_GT(StlWriteFile(path, 0.01, *c.a, 0.1, c.b, c.xB, c.angleB, c.yB), 0) << c.name;
    const stltest::StlFile file = stltest::ReadStl(path);
    ASSERT_TRUE(file.ok) << c.name;
    const Expected ea = c.a->isRack ? RackVolume(*c.a, 0.01) : GearVolume(*c.a, 0.01);
    const Expected eb = c.b->isRack ? RackVolume(*c.b, 0.01) : GearVolume(*c.b, 0.01);
    ExpectSoundMesh(file, {ea.volume + eb.volume, ea.allowance + eb.allowance}, c.euler, c.name);
  }
}

// A right-hand gear turns counter-clockwise (seen from +z) as z grows, by
// w = b tan(beta) / r over the face width; the top face is the bottom face
// turned by w.
TEST(StlMeshes, HelicalTopFaceIsTheBottomTurnedByTheTwist) {
  for (int64_t hand : {1, -1}) {
    const GearRecord g = MakeGear({2.0, 20, 0.0, 15.0, 0.0, 20.0, hand});
    const double r = 2.0 * 20 / (2.0 * std::cos(20.0 * kPi / 180.0));
    const double w = static_cast<double>(hand) * 15.0 * std::tan(20.0 * kPi / 180.0) / r;
    gTriangleList.clear();
    ASSERT_EQ(StlMeshBody(g, 0.0, 0.0, 0.0, 0.02), 1);
    std::vector<std::array<double, 2>> bottom, top;
    for (const StlTriangle& t : gTriangleList) {
      for (int k = 0; k < 3; ++k) {
        if (t.z[k] == 0.0) bottom.push_back({t.x[k], t.y[k]});
        if (t.z[k] == 15.0) top.push_back({t.x[k], t.y[k]});
      }
    }
    ASSERT_FALSE(bottom.empty());
    size_t unmatched = 0;
    for (size_t i = 0; i < bottom.size(); i += 7) {
      const double x = bottom[i][0] * std::cos(w) - bottom[i][1] * std::sin(w);
      const double y = bottom[i][0] * std::sin(w) + bottom[i][1] * std::cos(w);
      bool found = false;
      for (const auto& p : top) found = found || std::hypot(p[0] - x, p[1] - y) < 1e-9;
      if (!found) ++unmatched;
    }
    EXPECT_EQ(unmatched, 0u) << "hand " << hand;
  }
  gTriangleList.clear();
}

// The wall edges at z = 0 follow the fine outline within the chord tolerance
// (half of it for a helical gear, whose slices use the other half).
TEST(StlMeshes, BottomOutlineStaysWithinTheChordTolerance) {
  struct Case {
    const char* name;
    GearRecord body;
    double tolerance;
    double expectedDeviation;
  };
  const Case cases[] = {
      {"spur z 17 t 0.01", MakeGear({2.0, 17, 0.3, 10.0}), 0.01, 0.01},
      {"spur z 9 t 0.002", MakeGear({3.0, 9, 0.0, 10.0}), 0.002, 0.002},
      {"helical z 20 t 0.02", MakeGear({2.0, 20, 0.0, 10.0, 0.0, 20.0, 1}), 0.02, 0.01},
  };
  for (const Case& c : cases) {
    gTriangleList.clear();
    ASSERT_EQ(StlMeshBody(c.body, 0.0, 0.0, 0.0, c.tolerance), 1) << c.name;
    // Segments at z = 0 of the wall triangles (those reaching above z = 0).
    std::vector<std::array<double, 4>> segments;
    for (const StlTriangle& t : gTriangleList) {
      if (t.z[0] == 0.0 && t.z[1] == 0.0 && t.z[2] == 0.0) continue;
      for (int e = 0; e < 3; ++e) {
        const int f = (e + 1) % 3;
        if (t.z[e] == 0.0 && t.z[f] == 0.0) segments.push_back({t.x[e], t.y[e], t.x[f], t.y[f]});
      }
    }
    gTriangleList.clear();
    ASSERT_FALSE(segments.empty()) << c.name;
    GearRecord fine = c.body;
    BuildGearGeometry(fine, 16);
    double worst = 0.0;
    for (const OutlinePoint& p : stltest::JoinOutline(fine.outline)) {
      double nearest = 1e300;
      for (const auto& sgm : segments) {
        nearest = std::fmin(nearest, stltest::DistanceToSegment(p.x, p.y, sgm[0], sgm[1], sgm[2], sgm[3]));
      }
      worst = std::fmax(worst, nearest);
    }
    EXPECT_LE(worst, c.expectedDeviation * (1.0 + 1e-6)) << c.name;
    // The reduction uses the tolerance it may: a much coarser deviation
    // would mean needlessly many triangles.
    EXPECT_GT(worst, 0.3 * c.expectedDeviation) << c.name;
  }
}

// A rack of a large module at a fine tolerance: its wall edges at z = 0 keep
// the tolerance from the root roundings themselves, here stood for by the
// rack built sixteen times finer, whose samples lie far closer to the curve
// than the tolerance; the STL density's own samples bulge a good part of it
// (1.4e-4 mm at m 18: a chord over three of them misses the arc by nine
// times that, while its samples lie only eight times that from it).
TEST(StlMeshes, RackBottomOutlineStaysWithinTheToleranceOfItsCurves) {
  struct Case {
    double m;
    double tolerance;
  };
  for (const Case& c : {Case{18.0, 0.0012}, Case{40.0, 0.0026}, Case{25.0, 0.0016}, Case{18.0, 0.0005}}) {
    const GearRecord rack = MakeRack(c.m, 3, 0.0);
    ASSERT_EQ(rack.valid, 1);
    gTriangleList.clear();
    ASSERT_EQ(StlMeshBody(rack, 0.0, 0.0, 0.0, c.tolerance), 1) << c.m;
    std::vector<std::array<double, 4>> segments;
    for (const StlTriangle& t : gTriangleList) {
      if (t.z[0] == 0.0 && t.z[1] == 0.0 && t.z[2] == 0.0) continue;
      for (int e = 0; e < 3; ++e) {
        const int f = (e + 1) % 3;
        if (t.z[e] == 0.0 && t.z[f] == 0.0) segments.push_back({t.x[e], t.y[e], t.x[f], t.y[f]});
      }
    }
    gTriangleList.clear();
    const GearRecord fine = MakeRack(c.m, 3, 0.0, 256);
    double worst = 0.0;
    for (const OutlinePoint& p : stltest::JoinOutline(fine.outline)) {
      double nearest = 1e300;
      for (const auto& sgm : segments) {
        nearest = std::fmin(nearest, stltest::DistanceToSegment(p.x, p.y, sgm[0], sgm[1], sgm[2], sgm[3]));
      }
      worst = std::fmax(worst, nearest);
    }
    EXPECT_LE(worst, c.tolerance) << "m " << c.m << " t " << c.tolerance;
  }
}

// A helical gear is reduced at half the tolerance; the header still shows
// the tolerance the user gave.
TEST(StlMeshes, HelicalGearHeaderShowsTheUsersTolerance) {
  const GearRecord g = MakeGear({2.0, 20, 0.0, 15.0, 0.0, 20.0, 1});
  const std::string path = stltest::TempPath("helical_header");
  ASSERT_GT(StlWriteFile(path, 0.02, g, 0.0, nullptr, 0, 0, 0), 0);
  EXPECT_EQ(stltest::ReadStl(path).header.substr(0, 41), "QZ Tandwiel STL, koordafwijking 0.0200 mm");
}

// Bodies that cannot be meshed: no file, whatever the other body did.
TEST(StlMeshes, BodiesThatCannotBeMeshedWriteNoFile) {
  std::vector<BodyCase> cases;
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0, 0.0});
    g.hubSide = 1;
    g.hubDiameter = 2.0 * g.rootRadius;  // hub reaches the root circle
    g.hubLength = 5.0;
    cases.push_back({"hub at the root diameter", g, 0.01});
  }
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0, 20.0});
    g.keyWidth = 6.0;
    g.hubKeywayDepth = 40.0;  // keyway through the root circle
    cases.push_back({"keyway beyond the root", g, 0.01});
  }
  // A plain bore as wide as the root circle would fold the end faces.
  cases.push_back({"bore at the root circle", MakeGear({2.0, 30, 0.0, 10.0, 55.0}), 0.01});
  cases.push_back({"bore beyond the root circle", MakeGear({2.0, 30, 0.0, 10.0, 70.0}), 0.01});
  {
    GearRecord g = MakeGear({2.0, 30, 0.0, 10.0, 20.0});
    g.keyWidth = 6.0;
    g.hubKeywayDepth = 2.8;
    g.hubSide = 2;
    g.hubDiameter = 22.0;  // narrower than bore plus keyway (25.6)
    g.hubLength = 5.0;
    cases.push_back({"hub narrower than the keyway", g, 0.01});
  }
  cases.push_back({"face width 0", MakeGear({2.0, 30, 0.0, 0.0}), 0.01});
  {
    GearRecord g = MakeGear({});
    g.teeth = 2;
    cases.push_back({"two teeth", g, 0.01});
  }
  {
    GearRecord rack = MakeRack(2.0, 5, 0.0);
    rack.rackHeight = 1.0;  // back above the root line
    cases.push_back({"rack without a back", rack, 0.01});
  }
  const GearRecord good = MakeGear({});
  for (const BodyCase& c : cases) {
    const std::string path = stltest::TempPath("failure");
    EXPECT_EQ(StlWriteFile(path, c.tolerance, c.body, 0.0, nullptr, 0, 0, 0), 0) << c.name;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
    EXPECT_EQ(StlWriteFile(path, c.tolerance, good, 0.0, &c.body, 80.0, 0.0, 0.0), 0) << c.name;
    EXPECT_FALSE(std::filesystem::exists(path)) << c.name;
  }
}

// Hundreds of turns of twist at the finest tolerance would need some 200
// million triangles: refused up front instead of exhausting memory.
TEST(StlMeshes, TwistBeyondTheTriangleLimitIsRefused) {
  const GearRecord g = MakeGear({1.0, 10, 0.0, 2000.0, 0.0, 80.0, 1});
  ASSERT_EQ(g.valid, 1);
  gTriangleList.clear();
  EXPECT_EQ(StlMeshBody(g, 0.0, 0.0, 0.0, 0.0001), 0);
  EXPECT_TRUE(gTriangleList.empty());
  // The same gear 4 mm wide is meshed.
  const GearRecord narrow = MakeGear({1.0, 10, 0.0, 4.0, 0.0, 80.0, 1});
  EXPECT_EQ(StlMeshBody(narrow, 0.0, 0.0, 0.0, 0.0001), 1);
  EXPECT_GT(gTriangleList.size(), 10000u);
  gTriangleList.clear();
}

TEST(StlMeshParts, BetweenLoopsAndSideWalls) {
  // A fan of n triangles from the centre, all facing down.
  std::vector<double> ox, oy, ix, iy;
  for (int i = 0; i < 12; ++i) {
    ox.push_back(3.0 + 2.0 * std::cos(2 * kPi * i / 12));
    oy.push_back(1.0 + 2.0 * std::sin(2 * kPi * i / 12));
  }
  for (int i = 0; i < 7; ++i) {
    ix.push_back(3.0 + std::cos(2 * kPi * i / 7 + 0.1));
    iy.push_back(1.0 + std::sin(2 * kPi * i / 7 + 0.1));
  }
  gTriangleList.clear();
  StlTriangulateBetweenLoops(ox, oy, 12, ix, iy, 0, 3.0, 1.0, 0.5, 0);
  EXPECT_EQ(gTriangleList.size(), 12u);

  // A ring: every triangle faces up and together they cover the area
  // between the two polygons (shoelace areas of a 12-gon and a 7-gon).
  gTriangleList.clear();
  StlTriangulateBetweenLoops(ox, oy, 12, ix, iy, 7, 3.0, 1.0, 0.5, 1);
  EXPECT_EQ(gTriangleList.size(), 19u);
  double sum = 0.0;
  for (const StlTriangle& t : gTriangleList) {
    const double twice = (t.x[1] - t.x[0]) * (t.y[2] - t.y[0]) - (t.y[1] - t.y[0]) * (t.x[2] - t.x[0]);
    EXPECT_GT(twice, 0.0);
    sum += 0.5 * std::fabs(twice);
  }
  const double ring = 0.5 * 12 * 4.0 * std::sin(2 * kPi / 12) - 0.5 * 7 * std::sin(2 * kPi / 7);
  EXPECT_NEAR(sum, ring, 1e-12);

  // Walls along a counter-clockwise square face outwards when asked.
  const std::vector<double> sx{0, 1, 1, 0}, sy{0, 0, 1, 1};
  for (int outward : {1, 0}) {
    gTriangleList.clear();
    StlAddSideWalls(sx, sy, 4, 0.0, 2.0, outward);
    ASSERT_EQ(gTriangleList.size(), 8u);
    for (const StlTriangle& t : gTriangleList) {
      const stltest::Vec3 n = stltest::Cross({t.x[1] - t.x[0], t.y[1] - t.y[0], t.z[1] - t.z[0]},
                                             {t.x[2] - t.x[0], t.y[2] - t.y[0], t.z[2] - t.z[0]});
      const double cxm = (t.x[0] + t.x[1] + t.x[2]) / 3.0 - 0.5;
      const double cym = (t.y[0] + t.y[1] + t.y[2]) / 3.0 - 0.5;
      EXPECT_EQ(n[0] * cxm + n[1] * cym > 0.0, outward == 1);
    }
  }
  gTriangleList.clear();
}

}  // namespace

namespace {

// Regression: the ring between a coarse circle and a bore with a keyway whose
// bottom comes near the circle. Zipped by angle alone, an outer point beside
// the keyway side gave a folded triangle, turned over on output: the end face
// overlapped itself and the mesh had open edges.
TEST(StlMeshParts, RingAroundAKeywayDoesNotFold) {
  GearRecord bore;
  bore.boreDiameter = 8.0;
  bore.keyWidth = 2.0;
  bore.hubKeywayDepth = 1.6;
  std::vector<OutlinePoint> contour;
  BuildBoreOutline(bore, contour, 0.01);
  std::vector<double> ix, iy, ox, oy;
  for (const OutlinePoint& p : contour) {
    ix.push_back(p.x);
    iy.push_back(p.y);
  }
  const int n = 16;
  const double R = 6.0;
  for (int i = 0; i < n; ++i) {
    ox.push_back(R * std::cos(2 * kPi * i / n));
    oy.push_back(R * std::sin(2 * kPi * i / n));
  }
  for (int faceUp : {1, 0}) {
    gTriangleList.clear();
    StlTriangulateBetweenLoops(ox, oy, n, ix, iy, static_cast<int64_t>(ix.size()), 0.0, 0.0, 0.0, faceUp);
    double sum = 0.0;
    for (const StlTriangle& t : gTriangleList) {
      sum += 0.5 * std::fabs((t.x[1] - t.x[0]) * (t.y[2] - t.y[0]) - (t.y[1] - t.y[0]) * (t.x[2] - t.x[0]));
    }
    // 16-gon minus the bore with its keyway (independent closed forms).
    const double ring = 0.5 * n * R * R * std::sin(2 * kPi / n) - BoreArea(4.0, 2.0, 1.6);
    const double contourError = 0.01 * 2.0 * kPi * 4.0;  // bore chords within 0.01
    EXPECT_NEAR(sum, ring, contourError) << "faceUp " << faceUp;
    EXPECT_EQ(gTriangleList.size(), n + contour.size());
  }
  gTriangleList.clear();
}

}  // namespace
