// Bore, keyway and hub lines of a gear's report block.
#include <gtest/gtest.h>

#include <string>

#include "design/hub_keyway_report.h"
#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

// m 2, z 40, x 0: rf = 40 - 2.5 = 37.5 mm.
GearRecord BuildGear(double bore) {
  GearRecord rec;
  InitGearRecord(rec, 2.0, 40, 0.0, 20.0, 20.0, bore, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

}  // namespace

TEST(HubKeywayReport, LinesForKeywayBoreHubAndWarnings) {
  struct Case {
    const char* name;
    double bore;
    void (*edit)(GearRecord&);
    std::string expected;
  };
  const Case cases[] = {
      {"no bore, nothing", 0.0, [](GearRecord&) {}, ""},
      {"bore with enough material", 20.0, [](GearRecord&) {}, ""},
      // rf - d/2 = 37.5 - 36.2 = 1.30 < m = 2.
      {"bore near the root", 72.4, [](GearRecord&) {},
       Lang("  ! too little material between bore and root (1.30 mm)\r\n",
            "  ! te weinig materiaal tussen boring en voet (1.30 mm)\r\n")},
      // DIN key for a 30 mm bore: b 8, h 7, t2 3.3.
      {"DIN keyway", 30.0,
       [](GearRecord& r) {
         r.keyWidth = 8.0;
         r.hubKeywayDepth = 3.3;
         r.keyHeight = 7.0;
         r.keyFromDin = 1;
       },
       Lang("  keyway b × t2 = 8.0 × 3.3  (DIN 6885-1, key 8 × 7)\r\n",
            "  spiebaan b × t2 = 8.0 × 3.3  (DIN 6885-1, spie 8 × 7)\r\n")},
      // Keyway floor at 35 + 1.6 = 36.6: 0.90 mm left below the root circle.
      {"custom keyway near the root", 70.0,
       [](GearRecord& r) {
         r.keyWidth = 10.0;
         r.hubKeywayDepth = 1.6;
       },
       Lang("  keyway b × t2 = 10.0 × 1.6  (custom size)\r\n"
            "  ! too little material between keyway and root (0.90 mm)\r\n",
            "  spiebaan b × t2 = 10.0 × 1.6  (eigen maten)\r\n"
            "  ! te weinig materiaal tussen spiebaan en voet (0.90 mm)\r\n")},
      {"hub on both sides", 20.0,
       [](GearRecord& r) {
         r.hubSide = 3;
         r.hubDiameter = 36.0;
         r.hubLength = 12.5;
       },
       Lang("  hub Ø 36.0 × 12.5 on both sides   (total length 45.0)\r\n",
            "  naaf Ø 36.0 × 12.5 aan beide kanten   (totale lengte 45.0)\r\n")},
      {"hub left", 0.0,
       [](GearRecord& r) {
         r.hubSide = 1;
         r.hubDiameter = 45.0;
         r.hubLength = 10.0;
       },
       Lang("  hub Ø 45.0 × 10.0 left   (total length 30.0)\r\n", "  naaf Ø 45.0 × 10.0 links   (totale lengte 30.0)\r\n")},
      {"two warnings in one line", 0.0, [](GearRecord& r) { r.warnings = "keyway: no bore; hub: length 0; "; },
       "  ! keyway: no bore; hub: length 0\r\n"},
  };
  for (const Case& c : cases) {
    GearRecord rec = BuildGear(c.bore);
    ASSERT_EQ(rec.valid, 1) << c.name;
    c.edit(rec);
    EXPECT_EQ(ReportBuildHubKeywayLines(rec), c.expected) << c.name;
    // The lines sit right after the face width and bore line of the block.
    const std::string block = ReportBuildGearBlock(rec, "GEAR");
    EXPECT_NE(block.find(c.expected + Lang("  Inspection dimensions", "  Controlematen")), std::string::npos) << c.name;
  }
}
