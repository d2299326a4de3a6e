// An automatic hub diameter is one that every writer takes: the DXF, STEP and
// STL exports of one design with it all write their file (large gears whose
// automatic hub came within the band the STL mesh leaves under the teeth were
// written as DXF and STEP but refused as STL).
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "design/hub_keyway_apply.h"
#include "export/dxf_file.h"
#include "export/step_file.h"
#include "export/stl_file.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "stl_test_support.h"

namespace {

struct LargeGear {
  double m;
  int64_t z;
  double betaDeg;
  double bore;
  int64_t keyway;  // 0 none, 1 standard
  int64_t hubSide;
};

std::string PathFor(const std::string& stem, const char* extension) {
  const std::filesystem::path stl = stltest::TempPath(stem);
  std::filesystem::path p = stl;
  p.replace_extension(extension);
  std::filesystem::remove(p);
  return p.string();
}

TEST(AutomaticHub, EveryWriterExportsTheDesign) {
  const std::vector<LargeGear> gears = {
      {2.75, 218, 0.0, 400.0, 0, 1},  // the pinion of the reported rack pair
      {2.75, 218, 0.0, 400.0, 0, 3},
      {2.75, 218, 15.0, 500.0, 0, 2},
      {3.0, 160, 0.0, 300.0, 0, 3},
      {4.0, 120, 10.0, 420.0, 0, 1},
      {2.0, 300, 0.0, 200.0, 1, 3},  // a standard keyway
      {5.0, 90, 0.0, 400.0, 0, 3},
      {1.5, 400, 20.0, 560.0, 0, 1},
  };
  int n = 0;
  for (const LargeGear& g : gears) {
    GearRecord pinion;
    InitGearRecord(pinion, g.m, g.z, 0.0, 20.0, 30.0, g.bore, 0.0, g.betaDeg, 1);
    BuildGearGeometry(pinion, 1);
    ASSERT_EQ(pinion.valid, 1);
    HubKeywayInputs in;
    in.keywayKind = g.keyway;
    in.hubSide = g.hubSide;
    in.hubDiameter = 0.0;  // automatic
    in.hubLength = 20.0;
    ApplyHubKeywayInputs(pinion, in);
    const std::string name = "m " + std::to_string(g.m) + " z " + std::to_string(g.z) + " bore " +
                             std::to_string(g.bore);
    // These bores leave room for a hub: the automatic diameter is accepted.
    ASSERT_EQ(GearHasHub(pinion), 1) << name << ": " << pinion.warnings;
    std::printf("%s: hub %.3f of root %.3f\n", name.c_str(), pinion.hubDiameter, 2.0 * pinion.rootRadius);

    GearRecord rack;
    BuildRackGeometry(rack, g.m, 20.0, g.betaDeg, -1, 12, 3.0 * g.m, 30.0, 0.0, 1);
    ASSERT_EQ(rack.valid, 1);
    const double xRack = ComputeRackOffset(pinion, rack, 0.0);
    const double yRack = ComputeRackPitchLineOffset(pinion);

    const std::string stem = "autohub_" + std::to_string(n++);
    // The pinion alone, and the pinion with its rack.
    for (const GearRecord* other : {static_cast<const GearRecord*>(nullptr), static_cast<const GearRecord*>(&rack)}) {
      const std::string what = name + (other != nullptr ? " with rack" : " alone");
      GearRecord dxf = pinion;
      BuildGearGeometry(dxf, 4);
      GearRecord dxfRack = rack;
      if (other != nullptr) BuildRackGeometry(dxfRack, g.m, 20.0, g.betaDeg, -1, 12, 3.0 * g.m, 30.0, 0.0, 4);
      EXPECT_EQ(DxfWriteFile(PathFor(stem, ".dxf"), dxf, 0.0, other != nullptr ? &dxfRack : nullptr, xRack, 0.0,
                             yRack),
                1)
          << what;
      EXPECT_EQ(StepWriteFile(PathFor(stem, ".stp"), pinion, 0.0, other, xRack, 0.0, yRack), 1) << what;
      EXPECT_GT(StlWriteFile(PathFor(stem, ".stl"), 0.05, pinion, 0.0, other, xRack, 0.0, yRack), 0) << what;
    }
  }
}

// A bore that leaves no room for a hub wall gets no automatic hub, and then
// every writer exports the gear without one.
TEST(AutomaticHub, NoRoomForAHubGivesNoHubInAnyFile) {
  GearRecord pinion;
  InitGearRecord(pinion, 2.75, 218, 0.0, 20.0, 30.0, 585.0, 0.0, 0.0, 1);
  BuildGearGeometry(pinion, 1);
  ASSERT_EQ(pinion.valid, 1);
  HubKeywayInputs in;
  in.hubSide = 3;
  in.hubLength = 20.0;
  ApplyHubKeywayInputs(pinion, in);
  EXPECT_EQ(GearHasHub(pinion), 0);
  EXPECT_FALSE(pinion.warnings.empty());
  GearRecord dxf = pinion;
  BuildGearGeometry(dxf, 4);
  EXPECT_EQ(DxfWriteFile(PathFor("autohub_none", ".dxf"), dxf, 0.0, nullptr, 0.0, 0.0, 0.0), 1);
  EXPECT_EQ(StepWriteFile(PathFor("autohub_none", ".stp"), pinion, 0.0, nullptr, 0.0, 0.0, 0.0), 1);
  EXPECT_GT(StlWriteFile(PathFor("autohub_none", ".stl"), 0.05, pinion, 0.0, nullptr, 0.0, 0.0, 0.0), 0);
}

}  // namespace
