// One answer from every writer for a typed hub diameter: a hub the design
// accepts (inside the root circle by a quarter module, with half a millimetre
// of wall over the bore) is written by DXF, STEP and STL alike, and the STL
// mesh of it is closed and holds the hub's volume; a hub the design refuses
// leaves the gear without a hub in every file. Hubs between 0.98 rf and
// rf - 0.25 mn were written as DXF and STEP but refused as STL ("the hub
// reaches the root circle") although they stayed inside it.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <tuple>
#include <numbers>
#include <string>
#include <vector>

#include "design/hub_keyway_apply.h"
#include "export/dxf_file.h"
#include "export/step_file.h"
#include "export/stl_file.h"
#include "geometry/gear_geometry.h"
#include "stl_test_support.h"

namespace {

constexpr double kPi = std::numbers::pi;

std::string PathFor(const std::string& stem, const char* extension) {
  std::filesystem::path p = stltest::TempPath(stem);
  p.replace_extension(extension);
  std::filesystem::remove(p);
  return p.string();
}

struct HubRow {
  double diameter;
  const char* where;
};

struct GearRow {
  double betaDeg;
  double tolerance;  // STL chord tolerance
};

// Single gear m 2, z 60, b 20, bore 30, hubs on both sides L 15. Root radius
// rf = m (z / 2 - 1.25) = 57.5 mm (x = 0); the design takes a hub with
// D / 2 < rf - 0.25 m = 57.0 and D / 2 > 15 + 0.5.
constexpr double kModule = 2.0;
constexpr int64_t kTeeth = 60;
constexpr double kBore = 30.0;
constexpr double kFaceWidth = 20.0;
constexpr double kHubLength = 15.0;

// Writes the gear as DXF, STEP and STL (at the tolerance), each of which must
// take it, and reads the STL back; checks that the mesh is closed with one
// hole through it. Returns false (with a failure) when no STL was written.
bool WriteEveryExport(const GearRecord& gear, double tolerance, const std::string& stem, const std::string& what,
                      stltest::StlFile& file) {
  GearRecord dxf = gear;
  BuildGearGeometry(dxf, 4);
  EXPECT_EQ(DxfWriteFile(PathFor(stem, ".dxf"), dxf, 0.0, nullptr, 0.0, 0.0, 0.0), 1) << what;
  EXPECT_EQ(StepWriteFile(PathFor(stem, ".stp"), gear, 0.0, nullptr, 0.0, 0.0, 0.0), 1) << what;
  const std::string stl = PathFor(stem, ".stl");
  const bool written = StlWriteFile(stl, tolerance, gear, 0.3, nullptr, 0.0, 0.0, 0.0) > 0;
  if (written) {
    file = stltest::ReadStl(stl);
    const stltest::MeshCheck check = stltest::CheckMesh(file.facets, 0.0);
    EXPECT_EQ(check.edgesOpen, 0u) << what;
    EXPECT_EQ(check.edgesShared, 0u) << what;
    EXPECT_EQ(stltest::EulerCharacteristic(file.facets), 0) << what;
  } else {
    ADD_FAILURE() << "no STL: " << what;
  }
  for (const char* ext : {".dxf", ".stp", ".stl"}) std::filesystem::remove(PathFor(stem, ext));
  return written;
}

TEST(HubLimits, EveryWriterGivesTheSameAnswer) {
  const double rf = kModule * (kTeeth / 2.0 - 1.25);
  const double largest = 2.0 * (rf - 0.25 * kModule);  // 114.0
  const double smallest = 2.0 * (kBore / 2.0 + 0.5);   // 31.0
  const std::vector<HubRow> hubs = {
      {100.0, "well inside"},
      {0.98 * 2.0 * rf - 0.01, "just under 0.98 of the root circle"},
      {0.98 * 2.0 * rf + 0.01, "just over 0.98 of the root circle"},
      {113.85, "the reported hub"},
      {largest - 0.01, "just inside the largest hub"},
      {largest + 0.01, "just over the largest hub"},
      {2.0 * rf + 1.0, "over the root circle"},
      {smallest + 0.01, "just over the smallest hub"},
      {smallest - 0.01, "just under the smallest hub"},
  };
  const std::vector<GearRow> gears = {{0.0, 0.01}, {0.0, 1.0}, {15.0, 0.01}, {15.0, 1.0}};
  int n = 0;
  for (const GearRow& gr : gears) {
    for (const HubRow& h : hubs) {
      const std::string what = std::string(h.where) + " D " + std::to_string(h.diameter) + ", beta " +
                               std::to_string(gr.betaDeg) + ", tolerance " + std::to_string(gr.tolerance);
      GearRecord gear;
      InitGearRecord(gear, kModule, kTeeth, 0.0, 20.0, kFaceWidth, kBore, 0.0, gr.betaDeg, 1);
      ASSERT_EQ(BuildGearGeometry(gear, 1), 1);
      HubKeywayInputs in;
      in.hubSide = 3;
      in.hubDiameter = h.diameter;
      in.hubLength = kHubLength;
      ApplyHubKeywayInputs(gear, in);
      // The root radius of a helical gear is the transverse one.
      const double rfGear = kModule * (kTeeth / (2.0 * std::cos(gr.betaDeg * kPi / 180.0)) - 1.25);
      const bool accepted = h.diameter / 2.0 < rfGear - 0.25 * kModule && h.diameter / 2.0 > kBore / 2.0 + 0.5;
      ASSERT_EQ(GearHasHub(gear), accepted ? 1 : 0) << what << ": " << gear.warnings;

      stltest::StlFile file;
      if (!WriteEveryExport(gear, gr.tolerance, "hub_limits_" + std::to_string(n++), what, file)) continue;

      // The mesh is closed, with a hole through it, and holds the volume of
      // the gear and its hubs: teeth from the outline's area, less the bore,
      // plus two hub annuli. Chords inside the curves take at most the
      // tolerance times the perimeters off the cross-sections.
      GearRecord fine = gear;
      BuildGearGeometry(fine, 16);
      const auto outline = stltest::JoinOutline(fine.outline);
      const double bore = kPi * kBore * kBore / 4.0;
      const double rh = accepted ? h.diameter / 2.0 : 0.0;
      const double expected = (stltest::ShoelaceArea(outline) - bore) * kFaceWidth +
                              (accepted ? 2.0 * (kPi * rh * rh - bore) * kHubLength : 0.0);
      const double slack = gr.tolerance * (stltest::Perimeter(outline) + kPi * kBore) * kFaceWidth +
                           (accepted ? 2.0 * gr.tolerance * 2.0 * kPi * (rh + kBore / 2.0) * kHubLength : 0.0);
      const double volume = stltest::SignedVolume(file.facets);
      EXPECT_LE(volume, expected + 1e-6 * expected) << what;
      EXPECT_GE(volume, expected - slack) << what;
      // The gear's bottom face (z = 0) lies between the hub (or bore) and
      // the outline: its facets cover the ring they bound once. Overlapping
      // or folded facets would cover more than the area their boundary
      // encloses (the boundary: the edges of those facets without a partner
      // among them).
      std::vector<stltest::Facet> bottomFacets;
      double covered = 0.0;
      for (const stltest::Facet& f : file.facets) {
        if (f.v[0][2] == 0.0 && f.v[1][2] == 0.0 && f.v[2][2] == 0.0) {
          bottomFacets.push_back(f);
          covered += 0.5 * stltest::Norm(stltest::Cross(stltest::Sub(f.v[1], f.v[0]), stltest::Sub(f.v[2], f.v[0])));
        }
      }
      using Edge = std::tuple<double, double, double, double>;
      std::map<Edge, int> edges;
      for (const stltest::Facet& f : bottomFacets) {
        for (int e = 0; e < 3; ++e) ++edges[Edge{f.v[e][0], f.v[e][1], f.v[(e + 1) % 3][0], f.v[(e + 1) % 3][1]}];
      }
      double twiceEnclosed = 0.0;
      for (const auto& [edge, count] : edges) {
        const auto& [ax, ay, bx, by] = edge;
        if (edges.count(Edge{bx, by, ax, ay}) == 0) twiceEnclosed += count * (ax * by - bx * ay);
      }
      const double enclosed = std::fabs(twiceEnclosed) / 2.0;
      EXPECT_NEAR(covered, enclosed, 1e-6 * enclosed) << what;
      const double inner = accepted ? kPi * rh * rh : bore;
      const double ring = stltest::ShoelaceArea(outline) - inner;
      EXPECT_NEAR(enclosed, ring, gr.tolerance * (stltest::Perimeter(outline) + 2.0 * kPi * (rh + kBore / 2.0)))
          << what;
    }
  }
}

// The same for a plain bore close to the root circle: STEP and DXF wrote a
// bore up to the root, STL refused one within a chord tolerance of it ("the
// bore reaches the root circle"). Now all three write it, and the mesh is
// closed with the volume of the gear less the bore.
TEST(HubLimits, APlainBoreNearTheRootIsWrittenByEveryWriter) {
  const double rf = kModule * (kTeeth / 2.0 - 1.25);  // 57.5
  const struct {
    double bore;
    double tolerance;
  } rows[] = {{2.0 * (rf - 0.8), 1.0}, {2.0 * (rf - 0.2), 1.0}, {2.0 * (rf - 0.005), 0.01}, {2.0 * (rf - 2.0), 1.0}};
  int n = 0;
  for (const auto& row : rows) {
    const std::string what = "bore " + std::to_string(row.bore) + ", tolerance " + std::to_string(row.tolerance);
    GearRecord gear;
    InitGearRecord(gear, kModule, kTeeth, 0.0, 20.0, kFaceWidth, row.bore, 0.0, 0.0, 1);
    ASSERT_EQ(BuildGearGeometry(gear, 1), 1);
    stltest::StlFile file;
    if (!WriteEveryExport(gear, row.tolerance, "bore_limits_" + std::to_string(n++), what, file)) continue;
    GearRecord fine = gear;
    BuildGearGeometry(fine, 16);
    const auto outline = stltest::JoinOutline(fine.outline);
    const double bore = kPi * row.bore * row.bore / 4.0;
    const double expected = (stltest::ShoelaceArea(outline) - bore) * kFaceWidth;
    // Chords inside the outline take material off, chords inside the bore
    // leave some on: each by at most the tolerance times its perimeter.
    const double volume = stltest::SignedVolume(file.facets);
    EXPECT_LE(volume, expected + row.tolerance * kPi * row.bore * kFaceWidth) << what;
    EXPECT_GE(volume, expected - row.tolerance * stltest::Perimeter(outline) * kFaceWidth) << what;
  }
}

}  // namespace
