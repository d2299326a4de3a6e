// STEP files of every kind of body read back by a CAD kernel: each must
// transfer to valid, closed solids without free edges, with the volume of
// closed-form cross-sections (outline polygon area, bore circle, keyway
// rectangle less its circular cap, hub annulus) times the lengths.
#include <gtest/gtest.h>

#include <BRepAlgoAPI_Common.hxx>
#include <BRepGProp.hxx>
#include <GProp_GProps.hxx>
#include <STEPControl_Reader.hxx>
#include <TopExp_Explorer.hxx>
#include <TopoDS_Shape.hxx>

#include <cmath>
#include <filesystem>
#include <functional>
#include <numbers>
#include <string>
#include <unistd.h>
#include <vector>

#include "export/step_file.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "tests/export_step_cad/cross_section_areas.h"
#include "tests/export_step_cad/step_kernel_read.h"

namespace {

constexpr double kPi = std::numbers::pi;

GearRecord Gear(double m, int64_t z, double bore, double betaDeg, int64_t hand, double b) {
  GearRecord r;
  InitGearRecord(r, m, z, 0.0, 20.0, b, bore, 0.0, betaDeg, hand);
  BuildGearGeometry(r, 1);
  return r;
}

using cadtest::KeyedHoleArea;
using cadtest::OutlineArea;

struct CadCase {
  const char* name;
  std::function<GearRecord()> build;
  std::function<double(const GearRecord&)> volume;
};

const CadCase kCases[] = {
    {"spur", [] { return Gear(2.0, 20, 0.0, 0.0, 1, 20.0); }, [](const GearRecord& g) { return OutlineArea(g) * 20.0; }},
    {"spur_bore", [] { return Gear(2.0, 20, 12.0, 0.0, 1, 20.0); },
     [](const GearRecord& g) { return (OutlineArea(g) - kPi * 36.0) * 20.0; }},
    {"keyed_bore_hubs",
     [] {
       GearRecord g = Gear(3.0, 30, 20.0, 0.0, 1, 20.0);
       g.keyWidth = 6.0;
       g.hubKeywayDepth = 2.8;
       g.hubSide = 3;
       g.hubDiameter = 50.0;
       g.hubLength = 15.0;
       return g;
     },
     [](const GearRecord& g) {
       const double hole = KeyedHoleArea(10.0, 3.0, 2.8);
       return (OutlineArea(g) - hole) * 20.0 + 2.0 * (kPi * 25.0 * 25.0 - hole) * 15.0;
     }},
    {"helical_bore", [] { return Gear(2.0, 19, 10.0, 20.0, 1, 20.0); },
     [](const GearRecord& g) { return (OutlineArea(g) - kPi * 25.0) * 20.0; }},
    {"helical_left_keyed_hub",
     [] {
       GearRecord g = Gear(2.5, 24, 16.0, 15.0, -1, 20.0);
       g.keyWidth = 5.0;
       g.hubKeywayDepth = 2.3;
       g.hubSide = 1;
       g.hubDiameter = 35.0;
       g.hubLength = 8.0;
       return g;
     },
     [](const GearRecord& g) {
       const double hole = KeyedHoleArea(8.0, 2.5, 2.3);
       return (OutlineArea(g) - hole) * 20.0 + (kPi * 17.5 * 17.5 - hole) * 8.0;
     }},
    {"rack",
     [] {
       GearRecord g;
       BuildRackGeometry(g, 2.0, 20.0, 0.0, 1, 8, 6.0, 20.0, 0.0, 1);
       return g;
     },
     [](const GearRecord& g) { return OutlineArea(g) * 20.0; }},
    // At 25 deg the root roundings shrink to meet in the middle of each gap.
    {"rack_25_deg",
     [] {
       GearRecord g;
       BuildRackGeometry(g, 2.0, 25.0, 0.0, 1, 8, 6.0, 20.0, 0.0, 1);
       return g;
     },
     [](const GearRecord& g) { return OutlineArea(g) * 20.0; }},
    // An oblique prism has the volume of the straight one (Cavalieri).
    {"helical_rack",
     [] {
       GearRecord g;
       BuildRackGeometry(g, 2.0, 20.0, 15.0, -1, 8, 6.0, 20.0, 0.0, 1);
       return g;
     },
     [](const GearRecord& g) { return OutlineArea(g) * 20.0; }},
    // The ring's outline runs clockwise: its (negative) area is the hole.
    {"ring",
     [] {
       GearRecord g;
       BuildRingGearGeometry(g, 2.0, 40, 0.0, 20.0, 20.0, 6.0, 0.0, 0.0, 1, 1, 0.0);
       return g;
     },
     [](const GearRecord& g) { return (kPi * g.rimRadius * g.rimRadius + OutlineArea(g)) * 20.0; }},
    {"helical_ring",
     [] {
       GearRecord g;
       BuildRingGearGeometry(g, 2.0, 40, 0.0, 20.0, 20.0, 6.0, 0.0, 12.0, 1, 1, 0.0);
       return g;
     },
     [](const GearRecord& g) { return (kPi * g.rimRadius * g.rimRadius + OutlineArea(g)) * 20.0; }},
};

class StepCadReadback : public ::testing::TestWithParam<CadCase> {};

TEST_P(StepCadReadback, LoadsAsAValidClosedSolidOfTheRightVolume) {
  const CadCase& c = GetParam();
  const GearRecord gear = c.build();
  ASSERT_EQ(gear.valid, 1);
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("norvale_cad_" + std::to_string(::getpid()) + "_" + c.name + ".stp"))
                               .string();
  ASSERT_EQ(StepWriteFileStamped(path, gear, 0.35, nullptr, 0.0, 0.0, 0.0, "2026-01-01T00:00:00"), 1);

  const cadtest::KernelRead read = cadtest::ReadStepWithKernel(path);
  std::filesystem::remove(path);
  ASSERT_TRUE(read.read);
  EXPECT_EQ(read.solids, 1);
  EXPECT_TRUE(read.shellsClosed);
  EXPECT_TRUE(read.valid);
  EXPECT_EQ(read.freeWires, 0);
  // Read as written: nothing the reader had to warn about or repair.
  for (const std::string& text : read.transferMessages) ADD_FAILURE() << "transfer: " << text;
  // The flanks are B-splines through a finer outline, the area a polygon's:
  // they differ by far less than 0.1 %.
  const double expected = c.volume(gear);
  EXPECT_NEAR(read.volume, expected, 1e-3 * expected);
}

INSTANTIATE_TEST_SUITE_P(Bodies, StepCadReadback, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Common volume of the two solids of a pair file: body A at the origin
// turned by angleA, body B at (a, 0) turned by angleB.
double OverlapOf(const GearRecord& bodyA, double angleA, const GearRecord& bodyB, double a, double angleB,
                 const std::string& name) {
  const std::string path =
      (std::filesystem::temp_directory_path() / ("norvale_cad_" + std::to_string(::getpid()) + "_" + name + ".stp"))
          .string();
  if (StepWriteFileStamped(path, bodyA, angleA, &bodyB, a, angleB, 0.0, "2026-01-01T00:00:00") != 1) {
    return -1.0;
  }
  STEPControl_Reader reader;
  reader.ReadFile(path.c_str());
  reader.TransferRoots();
  std::filesystem::remove(path);
  std::vector<TopoDS_Shape> solids;
  for (TopExp_Explorer e(reader.OneShape(), TopAbs_SOLID); e.More(); e.Next()) solids.push_back(e.Current());
  if (solids.size() != 2) return -1.0;
  BRepAlgoAPI_Common common(solids[0], solids[1]);
  GProp_GProps props;
  BRepGProp::VolumeProperties(common.Shape(), props);
  return props.Mass();
}

// An external pair in the mesh position of gear 1's angle.
double PairOverlap(const GearRecord& g1, double angle1, const GearRecord& g2, double a, const std::string& name) {
  return OverlapOf(g1, angle1, g2, a, ComputeGear2MeshAngle(g1, g2, angle1), name);
}

// A helical pair written together at the reference centre distance, teeth
// thinned by a little backlash: the flanks twist in step over the whole face
// width, so the solids do not overlap at any mesh angle. Gear 2 with the
// same hand as gear 1 (a pair that cannot mesh) does overlap.
TEST(StepCadPair, HelicalPairInMeshDoesNotOverlap) {
  for (int64_t hand : {1, -1}) {
    GearRecord g1, g2, same;
    InitGearRecord(g1, 2.0, 20, 0.0, 20.0, 30.0, 0.0, 0.0, 25.0, hand);
    InitGearRecord(g2, 2.0, 37, 0.0, 20.0, 30.0, 0.0, 0.0, 25.0, -hand);
    InitGearRecord(same, 2.0, 37, 0.0, 20.0, 30.0, 0.0, 0.0, 25.0, hand);
    for (GearRecord* g : {&g1, &g2, &same}) {
      g->thicknessAllowance = 0.05;
      ASSERT_EQ(BuildGearGeometry(*g, 1), 1);
    }
    const double a = 2.0 * (20 + 37) / (2.0 * std::cos(25.0 * kPi / 180.0));
    for (double angle : {0.0, 0.13}) {
      EXPECT_LT(PairOverlap(g1, angle, g2, a, "pair"), 1e-6) << "hand " << hand << " angle " << angle;
    }
    EXPECT_GT(PairOverlap(g1, 0.0, same, a, "same_hand"), 1.0) << "hand " << hand;
  }
}

// An internal helical pair: the ring (the pinion's hand) at the origin turned
// by theta z1 / z2, the pinion at (a, 0) turned by theta, a = m (z2 - z1) /
// (2 cos beta). In mesh the solids do not overlap; a ring of the other hand does.
TEST(StepCadPair, InternalHelicalPairInMeshDoesNotOverlap) {
  GearRecord pinion, ring, otherHand;
  InitGearRecord(pinion, 2.0, 20, 0.0, 20.0, 30.0, 0.0, 0.0, 20.0, 1);
  pinion.thicknessAllowance = 0.05;
  ASSERT_EQ(BuildGearGeometry(pinion, 1), 1);
  ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 50, 0.0, 20.0, 30.0, 6.0, 0.05, 20.0, 1, 1, 0.0), 0);
  ASSERT_EQ(BuildRingGearGeometry(otherHand, 2.0, 50, 0.0, 20.0, 30.0, 6.0, 0.05, 20.0, -1, 1, 0.0), 0);
  const double a = 2.0 * (50 - 20) / (2.0 * std::cos(20.0 * kPi / 180.0));
  const double theta = 0.11;
  EXPECT_LT(OverlapOf(ring, theta * 20.0 / 50.0, pinion, a, theta, "internal"), 1e-6);
  EXPECT_GT(OverlapOf(otherHand, theta * 20.0 / 50.0, pinion, a, theta, "internal_other"), 1.0);
}

}  // namespace
