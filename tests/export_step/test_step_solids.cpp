// STEP solids of every kind of body, read back and checked as B-reps: closed
// and consistently oriented, the expected genus and faces, the vertices on
// the placed tooth outline.
#include <gtest/gtest.h>

#include <functional>
#include <ostream>

#include "step_test_support.h"

namespace {

using namespace step_test;

struct SolidCase {
  const char* name;
  std::function<GearRecord()> build;
  double x0, y0, phi;       // placement (written as body B when x0, y0 or phi is set)
  int64_t genus;
  int64_t extraFaces;       // faces besides one per outline curve
  const char* solidName;    // English build
  const char* solidNameNl;  // Dutch build
};
void PrintTo(const SolidCase& c, std::ostream* os) { *os << c.name; }

GearRecord WithHub(GearRecord g, int64_t side, double diameter, double length, double keyWidth, double depth) {
  g.hubSide = side;
  g.hubDiameter = diameter;
  g.hubLength = length;
  g.keyWidth = keyWidth;
  g.hubKeywayDepth = depth;
  return g;
}

const SolidCase kCases[] = {
    {"spur", [] { return MakeGear(2.0, 20); }, 0, 0, 0, 0, 2, "Gear z=20", "Tandwiel z=20"},
    {"spur_turned", [] { return MakeGear(2.0, 17); }, 0, 0, 0.3, 0, 2, "Gear z=17", "Tandwiel z=17"},
    {"spur_plain_bore", [] { return MakeGear(2.0, 20, 12.0); }, 0, 0, 0, 1, 4, "Gear z=20", "Tandwiel z=20"},
    // Keyed bore through hubs on both sides: 4 bore walls, 2 x 2 hub halves,
    // 2 gear end faces, 2 hub end faces.
    {"keyed_bore_both_hubs", [] { return WithHub(MakeGear(3.0, 30, 20.0), 3, 50.0, 15.0, 6.0, 2.8); }, 0, 0, 0.2, 1,
     12, "Gear z=30", "Tandwiel z=30"},
    {"keyway_no_hub", [] { return WithHub(MakeGear(3.0, 30, 20.0), 0, 0.0, 0.0, 6.0, 2.8); }, 0, 0, 0, 1, 6,
     "Gear z=30", "Tandwiel z=30"},
    {"hub_left_no_bore", [] { return WithHub(MakeGear(3.0, 30), 1, 50.0, 15.0, 0.0, 0.0); }, 0, 0, 0, 0, 5,
     "Gear z=30", "Tandwiel z=30"},
    {"hub_right_plain_bore", [] { return WithHub(MakeGear(3.0, 30, 20.0), 2, 50.0, 10.0, 0.0, 0.0); }, 0, 0, 0, 1, 7,
     "Gear z=30", "Tandwiel z=30"},
    {"rack", [] { return MakeRack(2.0, 8); }, 0, 0, 0, 0, 2, "Rack", "Tandheugel"},
    {"helical_rack", [] { return MakeRack(2.0, 8, 15.0, -1); }, 0, 0, 0, 0, 2, "Rack", "Tandheugel"},
    // A long rack turned by an odd angle: its 190 mm back line and the planes
    // of its straight runs must still pass through their far vertices (a
    // direction rounded to 6 decimals would miss them by up to 0.1 mm).
    {"long_rack_turned", [] { return MakeRack(2.0, 30, 10.0, 1); }, 7.0, -40.0, 0.37, 0, 2, "Rack", "Tandheugel"},
    {"ring", [] { return MakeRing(2.0, 40); }, 0, 0, 0, 1, 4, "Ring gear z=40", "Ringwiel z=40"},
    {"helical_ring", [] { return MakeRing(2.0, 40, 12.0, 1); }, 0, 0, 0.1, 1, 4, "Ring gear z=40", "Ringwiel z=40"},
    {"helical_right", [] { return MakeGear(2.0, 19, 10.0, 20.0, 1); }, 0, 0, 0, 1, 4, "Gear z=19", "Tandwiel z=19"},
    {"helical_left_placed", [] { return MakeGear(2.0, 19, 0.0, 20.0, -1); }, 45.0, -3.0, 0.7, 0, 2, "Gear z=19",
     "Tandwiel z=19"},
    {"helical_keyed_hub", [] { return WithHub(MakeGear(2.5, 24, 16.0, 15.0, 1), 3, 35.0, 8.0, 5.0, 2.3); }, 0, 0, 0, 1,
     12, "Gear z=24", "Tandwiel z=24"},
};

class StepSolid : public ::testing::TestWithParam<SolidCase> {};

TEST_P(StepSolid, IsAClosedOrientedBrepOfTheExpectedShape) {
  const SolidCase& c = GetParam();
  const GearRecord gear = c.build();
  ASSERT_EQ(gear.valid, 1);
  const bool asB = c.x0 != 0.0 || c.y0 != 0.0;
  const GearRecord helper = MakeGear(1.0, 12);
  const Written w = asB ? WriteAndRead(std::string(c.name) + ".stp", helper, 0.0, &gear, c.x0, c.phi, c.y0)
                        : WriteAndRead(std::string(c.name) + ".stp", gear, c.phi);
  ASSERT_EQ(w.result, 1);
  const auto fileFaults = step_checks::CheckFileWide(w.file);
  EXPECT_TRUE(fileFaults.empty()) << fileFaults.front();

  const std::vector<int64_t> solids = IdsOf(w.file, "MANIFOLD_SOLID_BREP");
  ASSERT_EQ(solids.size(), asB ? 2u : 1u);
  const step_checks::SolidSummary s = step_checks::CheckSolid(w.file, solids.back());
  for (const std::string& fault : s.faults) ADD_FAILURE() << fault;
  EXPECT_EQ(s.genus, c.genus);
  const int64_t n = static_cast<int64_t>(gear.outline.size());
  EXPECT_EQ(s.faces, n + c.extraFaces);
  EXPECT_EQ(s.name, NORVALE_TEST_LANG == 1 ? c.solidNameNl : c.solidName);

  // Every outline curve starts at a vertex at z = 0, and its copy at z = b
  // (turned by the total twist of a helical gear, shifted for a helical rack).
  const double b = gear.faceWidth;
  double twist = 0.0;
  if (gear.isRack == 0 && gear.helixAngle > 0.0) {
    const double r = gear.normalModule * static_cast<double>(gear.teeth) / (2.0 * std::cos(gear.helixAngle));
    twist = std::tan(gear.helixAngle) * static_cast<double>(gear.hand) * b / r;
  }
  const double shift =
      gear.isRack != 0 ? std::tan(gear.helixAngle) * static_cast<double>(gear.hand) * b : 0.0;
  int64_t missing = 0;
  for (const OutlineCurve& curve : gear.outline) {
    const OutlinePoint& q = curve.points.front();
    for (int top = 0; top < 2; ++top) {
      const double a = c.phi + (top != 0 ? twist : 0.0);
      const step_reader::Point3 want{c.x0 + std::cos(a) * q.x - std::sin(a) * q.y + (top != 0 ? shift : 0.0),
                                     c.y0 + std::sin(a) * q.x + std::cos(a) * q.y, top != 0 ? b : 0.0};
      bool found = false;
      // A top vertex of a helical rack is its written bottom vertex moved by
      // the written shift: two roundings to 6 decimals along x.
      for (const auto& p : s.vertexPoints) found = found || step_reader::Distance(p, want) < 1.2e-6;
      missing += found ? 0 : 1;
    }
  }
  EXPECT_EQ(missing, 0);
}

INSTANTIATE_TEST_SUITE_P(Bodies, StepSolid, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// The surfaces of each kind of body: a spur gear's curved runs are linear
// extrusions of B-splines, straight runs planes; a helical gear's flanks are
// B-spline surfaces, and a keyed bore has one cylinder part and three planes.
TEST(StepSolidSurfaces, MatchTheKindOfBody) {
  const GearRecord spur = MakeGear(2.0, 20);
  int64_t straight = 0;
  for (const OutlineCurve& curve : spur.outline) straight += curve.points.size() == 2 ? 1 : 0;
  const Written ws = WriteAndRead("kinds_spur.stp", spur, 0.0);
  const auto s = step_checks::CheckSolid(ws.file, IdsOf(ws.file, "MANIFOLD_SOLID_BREP").at(0));
  EXPECT_EQ(s.surfaceKinds.at("SURFACE_OF_LINEAR_EXTRUSION"), static_cast<int64_t>(spur.outline.size()) - straight);
  EXPECT_EQ(s.surfaceKinds.at("PLANE"), straight + 2);

  const GearRecord rack = MakeRack(2.0, 5);
  const Written wr = WriteAndRead("kinds_rack.stp", rack, 0.0);
  const auto r = step_checks::CheckSolid(wr.file, IdsOf(wr.file, "MANIFOLD_SOLID_BREP").at(0));
  int64_t rackStraight = 0;
  for (const OutlineCurve& curve : rack.outline) rackStraight += curve.points.size() == 2 ? 1 : 0;
  EXPECT_GT(rackStraight, 0);
  EXPECT_EQ(r.surfaceKinds.at("PLANE"), rackStraight + 2);

  GearRecord keyed = MakeGear(2.0, 40, 20.0, 10.0);
  keyed.keyWidth = 6.0;
  keyed.hubKeywayDepth = 2.8;
  const Written wk = WriteAndRead("kinds_keyed.stp", keyed, 0.0);
  const auto k = step_checks::CheckSolid(wk.file, IdsOf(wk.file, "MANIFOLD_SOLID_BREP").at(0));
  EXPECT_EQ(k.surfaceKinds.at("B_SPLINE_SURFACE_WITH_KNOTS"), static_cast<int64_t>(keyed.outline.size()));
  EXPECT_EQ(k.surfaceKinds.at("CYLINDRICAL_SURFACE"), 1);
  EXPECT_EQ(k.surfaceKinds.at("PLANE"), 3 + 2);
  EXPECT_EQ(k.faults.size(), 0u);

  // A helix angle of 1e-9 rad or less is written as a spur gear.
  for (const double beta : {1e-9, 2e-9}) {
    GearRecord nearlySpur = spur;
    nearlySpur.helixAngle = beta;
    const Written wn = WriteAndRead("kinds_nearly_spur.stp", nearlySpur, 0.0);
    ASSERT_EQ(wn.result, 1);
    EXPECT_EQ(IdsOf(wn.file, "B_SPLINE_SURFACE_WITH_KNOTS").empty(), beta <= 1e-9) << beta;
  }
}

// The keyway vertices lie where the keyway meets the bore circle,
// (sqrt(R^2 - w^2), +-w), and at the keyway bottom R + t2, turned with the gear.
TEST(StepSolidSurfaces, KeywayVerticesTurnWithTheGear) {
  GearRecord g = MakeGear(3.0, 30, 20.0);
  g.keyWidth = 6.0;
  g.hubKeywayDepth = 2.8;
  const double phi = 0.9;
  const Written w = WriteAndRead("keyway_vertices.stp", g, phi);
  const auto s = step_checks::CheckSolid(w.file, IdsOf(w.file, "MANIFOLD_SOLID_BREP").at(0));
  const double R = 10.0, hw = 3.0, onBore = std::sqrt(R * R - hw * hw), bottom = R + 2.8;
  const double local[4][2] = {{onBore, hw}, {onBore, -hw}, {bottom, -hw}, {bottom, hw}};
  for (const auto& uv : local) {
    for (double z : {0.0, 20.0}) {
      const step_reader::Point3 want{std::cos(phi) * uv[0] - std::sin(phi) * uv[1],
                                     std::sin(phi) * uv[0] + std::cos(phi) * uv[1], z};
      bool found = false;
      // A vertex on the bore circle sits on the grid point nearest the written
      // circle, at most 3.5 units of the 6th decimal from the exact place in
      // x and in y.
      for (const auto& p : s.vertexPoints) found = found || step_reader::Distance(p, want) < 5e-6;
      EXPECT_TRUE(found) << uv[0] << "," << uv[1] << " at z " << z;
    }
  }
}

}  // namespace
