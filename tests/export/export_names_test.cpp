// The export command's proposed file names (mode x choice, both languages)
// and the extension added to a chosen name.
#include <gtest/gtest.h>

#include <string>

#include "app/globals.h"
#include "export/export_command.h"

namespace {

const bool kDutch = NORVALE_TEST_LANG == 1;

TEST(ExportFileNameTest, NameByModeAndChoice) {
  ResetGlobals();
  gGear1.normalModule = 2.0;
  gGear1.teeth = 20;
  gGear2.normalModule = 2.5;  // as gear 2's own module, to see which one is used
  gGear2.teeth = 40;
  gRack.normalModule = 1.25;
  gRack.teeth = 30;
  gRing.normalModule = 0.8;
  gRing.teeth = 72;
  const struct {
    int64_t mode;
    int64_t choice;
    const char* english;
    const char* dutch;
  } cases[] = {
      {kViewPair, 1, "gear1_m2_z20", "wiel1_m2_z20"},
      {kViewPair, 2, "gear2_m2.5_z40", "wiel2_m2.5_z40"},
      {kViewPair, 0, "pair_m2_z20-40", "paar_m2_z20-40"},
      {kViewPair, 5, "pair_m2_z20-40", "paar_m2_z20-40"},  // any other choice acts as both
      {kViewPair, -1, "pair_m2_z20-40", "paar_m2_z20-40"},
      {kViewSingle, 1, "gear_m2_z20", "tandwiel_m2_z20"},
      {kViewSingle, 2, "gear_m2_z20", "tandwiel_m2_z20"},
      {kViewSingle, 0, "gear_m2_z20", "tandwiel_m2_z20"},
      {kViewRack, 1, "pinion_m2_z20", "rondsel_m2_z20"},
      {kViewRack, 2, "rack_m1.25_n30", "heugel_m1.25_n30"},
      {kViewRack, 0, "pinion_rack_m2_z20", "rondsel_heugel_m2_z20"},
      {kViewInternal, 1, "pinion_m2_z20", "rondsel_m2_z20"},
      {kViewInternal, 2, "ring_m0.8_z72", "ring_m0.8_z72"},
      {kViewInternal, 0, "internal_m2_z20-72", "binnen_m2_z20-72"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(MakeExportFileName(c.mode, c.choice), kDutch ? c.dutch : c.english)
        << "mode " << c.mode << " choice " << c.choice;
  }
  // The module with 3 decimals, trailing zeros cut.
  gGear1.normalModule = 1.125;
  EXPECT_EQ(MakeExportFileName(kViewSingle, 1), kDutch ? "tandwiel_m1.125_z20" : "gear_m1.125_z20");
  gGear1.normalModule = 0.3;
  EXPECT_EQ(MakeExportFileName(kViewSingle, 1), kDutch ? "tandwiel_m0.3_z20" : "gear_m0.3_z20");
  ResetGlobals();
}

TEST(ExportFileNameTest, ExtensionIsAddedOnlyToANameWithoutOne) {
  const struct {
    const char* chosen;
    const char* path;
  } cases[] = {
      {"drawing", "drawing.dxf"},
      {"/home/u/drawing", "/home/u/drawing.dxf"},
      {"drawing.txt", "drawing.txt"},          // any extension is kept as typed
      {"drawing.DXF", "drawing.DXF"},
      {"/home/u.v/drawing", "/home/u.v/drawing.dxf"},  // a point in a folder name does not count
      {"C:\\work.d\\drawing", "C:\\work.d\\drawing.dxf"},
      {"v1.2 final", "v1.2 final.dxf"},        // only the part after the last blank counts
      {"final v1.2", "final v1.2"},
      {"drawing.", "drawing.dxf"},             // a bare point is no extension
  };
  for (const auto& c : cases) EXPECT_EQ(AppendMissingExtension(c.chosen, "dxf"), c.path) << c.chosen;
  EXPECT_EQ(AppendMissingExtension("/tmp/solid", "stp"), "/tmp/solid.stp");
}

TEST(ExportFileNameTest, StlMessageGivesCountSizeAndTolerance) {
  const struct {
    int64_t triangles;
    double tolerance;
    const char* size;  // (50 n + 84) / 1024, rounded
    const char* tolerance4;
  } cases[] = {
      {1000, 0.01, "49", "0.0100"},     // 50084 / 1024 = 48.9
      {10, 0.0001, "1", "0.0001"},      // 584 / 1024 = 0.57
      {1, 1.0, "0", "1.0000"},          // 134 / 1024 = 0.13
      {20970, 0.05, "1024", "0.0500"},  // 1048584 / 1024 = 1024.0
  };
  for (const auto& c : cases) {
    const std::string n = std::to_string(c.triangles);
    const std::string expected =
        kDutch ? "STL geschreven: " + n + " driehoeken, " + c.size + " kB\r\nKoordafwijking max. " + c.tolerance4 + " mm"
               : "STL written: " + n + " triangles, " + c.size + " kB\r\nChord tolerance max. " + c.tolerance4 + " mm";
    EXPECT_EQ(MakeStlWrittenMessage(c.triangles, c.tolerance), expected);
  }
}

}  // namespace
