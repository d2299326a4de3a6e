// End faces that float32 can hold: the file stores every vertex as float32,
// and far from the origin (a small pinion beside a large ring gear, some 650
// mm out) a unit in the last place is 6e-5 mm. A cap triangle thinner than
// that, a needle along almost collinear outline points, can fall into line
// or turn over when rounded, and a reader then "fixes" its normal. Every
// facet read back must face the way its stored normal says.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "export/outline_reduction.h"
#include "export/stl_file.h"
#include "geometry/gear_geometry.h"
#include "geometry/ring_gear.h"
#include "stl_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;

double Inv(double a) { return std::tan(a) - a; }

// Twice the signed area of a triangle with its corners rounded to float32.
double RoundedCross(double ax, double ay, double bx, double by, double cx, double cy) {
  auto f = [](double v) { return static_cast<double>(static_cast<float>(v)); };
  return Cross2D(f(ax), f(ay), f(bx), f(by), f(cx), f(cy));
}

// Three corners almost in line, A, B, E, far from the origin: the ear at B is
// a needle 6 mm long and some 1e-5 mm high, which the clipping cuts first
// when it starts at B. Rounded to float32 there (a unit in the last place is
// 3e-5 to 6e-5 mm) it can fall into line or turn over. Whatever the corners
// beyond, no triangle may turn over once its corners are rounded, and the
// triangles still cover the polygon.
TEST(TriangulatePolygon, NoTriangleTurnsOverInFloat32FarFromTheOrigin) {
  struct Case {
    double radius;   // of the base point A from the origin (mm)
    double height;   // of B above the line A E (mm)
  };
  const Case cases[] = {{650.0, 2.7e-5}, {650.0, 1e-5}, {460.0, 2e-5}, {1.0, 1e-9}};
  int polygons = 0;
  for (const Case& c : cases) {
    for (int step = 0; step < 36; ++step) {
      const double place = 2.0 * kPi * step / 36.0;   // where A lies
      const double way = place + 0.7;                  // the direction of the line A E
      const double ax = c.radius * std::cos(place), ay = c.radius * std::sin(place);
      const double ux = std::cos(way), uy = std::sin(way);
      const double nx = -uy, ny = ux;                  // to the left of A -> E
      // A, B (a little to the right of A -> E: a convex corner), E, then two
      // corners to the left, in counter-clockwise order, listed from B.
      const std::vector<double> x = {ax + 3.0 * ux - c.height * nx, ax + 6.0 * ux, ax + 5.0 * ux + 4.0 * nx,
                                     ax + 1.0 * ux + 5.0 * nx, ax};
      const std::vector<double> y = {ay + 3.0 * uy - c.height * ny, ay + 6.0 * uy, ay + 5.0 * uy + 4.0 * ny,
                                     ay + 1.0 * uy + 5.0 * ny, ay};
      for (const std::vector<int64_t>& polygon : {std::vector<int64_t>{0, 1, 2, 3, 4}, std::vector<int64_t>{0, 1, 3, 4}}) {
        std::vector<int64_t> tri;
        TriangulatePolygon(polygon, x, y, tri, c.radius + 10.0);
        ASSERT_EQ(tri.size(), 3 * (polygon.size() - 2));
        double area = 0.0;
        for (size_t t = 0; t < tri.size(); t += 3) {
          const auto i0 = static_cast<size_t>(tri[t]), i1 = static_cast<size_t>(tri[t + 1]),
                     i2 = static_cast<size_t>(tri[t + 2]);
          area += Cross2D(x[i0], y[i0], x[i1], y[i1], x[i2], y[i2]) / 2.0;
          EXPECT_GT(RoundedCross(x[i0], y[i0], x[i1], y[i1], x[i2], y[i2]), 0.0)
              << "radius " << c.radius << " height " << c.height << " step " << step << ": triangle " << i0 << " "
              << i1 << " " << i2;
        }
        double shoelace = 0.0;
        for (size_t i = 0; i < polygon.size(); ++i) {
          const auto p = static_cast<size_t>(polygon[i]), q = static_cast<size_t>(polygon[(i + 1) % polygon.size()]);
          shoelace += x[p] * y[q] - x[q] * y[p];
        }
        EXPECT_NEAR(area, shoelace / 2.0, 1e-6);
        ++polygons;
      }
    }
  }
  EXPECT_EQ(polygons, 4 * 36 * 2);
}

// The internal pair of the report: m 5.5, z 8 / 235, x -0.6 / 0.9968,
// alpha_n 14.5, beta 7.961 left, b 47.005, rim 9.298, backlash 0.2938, the
// ring's tip raised to clear the pinion, both exported as shown at several
// tolerances. Every facet read back faces the way its normal says, and the
// two bodies are closed.
TEST(StlFloat32Caps, InternalPairFarFromTheOriginKeepsEveryFacetTheRightWayRound) {
  const double m = 5.5, alphaDeg = 14.5, betaDeg = 7.961, b = 47.005, rim = 9.298, backlash = 0.2938;
  const int64_t z1 = 8, z2 = 235, hand = -1;
  const double x1 = -0.6, x2 = 0.9968;
  const double alpha = alphaDeg * kPi / 180.0, beta = betaDeg * kPi / 180.0;
  // The thinning of each gear for the backlash, and the working centre
  // distance of the internal pair (DIN 3992): inv alpha_w = inv alpha_t +
  // 2 tan alpha_n (x2 - x1) / (z2 - z1), a = (z2 - z1) m_t cos alpha_t / (2 cos alpha_w).
  const double allowance = backlash / (2.0 * std::cos(alpha));
  const double mt = m / std::cos(beta), alphaT = std::atan(std::tan(alpha) / std::cos(beta));
  const double target = Inv(alphaT) + 2.0 * std::tan(alpha) * (x2 - x1) / static_cast<double>(z2 - z1);
  double lo = 0.0, hi = 1.5;
  for (int i = 0; i < 200; ++i) (Inv(0.5 * (lo + hi)) < target ? lo : hi) = 0.5 * (lo + hi);
  const double a = static_cast<double>(z2 - z1) * mt * std::cos(alphaT) / (2.0 * std::cos(lo));

  GearRecord pinion;
  InitGearRecord(pinion, m, z1, x1, alphaDeg, b, 0.0, 0.0, betaDeg, hand);
  pinion.thicknessAllowance = allowance;
  ASSERT_EQ(BuildGearGeometry(pinion, 1), 1);
  GearRecord ring;
  BuildRingGearGeometry(ring, m, z2, x2, alphaDeg, b, rim, allowance, betaDeg, hand, 1, 0.0);
  ASSERT_EQ(ring.valid, 1);
  const double clearance = ComputeInternalMateRadius(pinion, ring, a) + 0.0001 * m;
  ASSERT_GT(clearance, ring.tipRadius);
  BuildRingGearGeometry(ring, m, z2, x2, alphaDeg, b, rim, allowance, betaDeg, hand, 1, clearance);
  ASSERT_EQ(ring.valid, 1);

  for (const double tolerance : {0.005, 0.01, 0.02}) {
    const std::string path = stltest::TempPath("float32_caps");
    ASSERT_GT(StlWriteFile(path, tolerance, ring, 0.0, &pinion, a, 0.0, 0.0), 0) << tolerance;
    const stltest::StlFile file = stltest::ReadStl(path);
    ASSERT_TRUE(file.ok);
    size_t turned = 0;
    for (const stltest::Facet& f : file.facets) {
      const stltest::Vec3 n = stltest::Cross(stltest::Sub(f.v[1], f.v[0]), stltest::Sub(f.v[2], f.v[0]));
      if (!(stltest::Dot(n, f.normal) > 0.0)) ++turned;
    }
    EXPECT_EQ(turned, 0u) << "tolerance " << tolerance;
    const stltest::MeshCheck check = stltest::CheckMesh(file.facets, 0.0);
    EXPECT_EQ(check.edgesOpen, 0u) << tolerance;
    EXPECT_EQ(check.badNormals, 0u) << tolerance;
    std::filesystem::remove(path);
  }
}

}  // namespace
