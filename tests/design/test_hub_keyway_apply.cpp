// Hub and keyway application: standard and custom keyways, automatic and given
// hub diameters, the checks and their warnings, and what the bore contour and
// the report lines make of them.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "design/hub_keyway_apply.h"
#include "design/hub_keyway_report.h"
#include "geometry/bore_outline.h"
#include "geometry/gear_geometry.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Module 2, pressure angle 20°, spur: rf = z + 2x - 2.5 (mm).
GearRecord BuildGear(int64_t z, double x, double bore) {
  GearRecord rec;
  InitGearRecord(rec, 2.0, z, x, 20.0, 20.0, bore, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

HubKeywayInputs Keyway(int64_t kind, double width = 0.0, double depth = 0.0) {
  HubKeywayInputs in;
  in.keywayKind = kind;
  in.keyWidth = width;
  in.keyDepth = depth;
  return in;
}

HubKeywayInputs Hub(int64_t side, double diameter, double length) {
  HubKeywayInputs in;
  in.hubSide = side;
  in.hubDiameter = diameter;
  in.hubLength = length;
  return in;
}

void ExpectNoHubOrKeyway(const GearRecord& rec) {
  EXPECT_EQ(rec.keyWidth, 0.0);
  EXPECT_EQ(rec.hubKeywayDepth, 0.0);
  EXPECT_EQ(rec.keyHeight, 0.0);
  EXPECT_EQ(rec.keyBearingHeight, 0.0);
  EXPECT_EQ(rec.keyFromDin, 0);
  EXPECT_EQ(rec.hubSide, 0);
  EXPECT_EQ(rec.hubDiameter, 0.0);
  EXPECT_EQ(rec.hubLength, 0.0);
}

const char* kNoDinSize[2] = {"keyway: no DIN 6885 size for this bore (6 < d <= 230 mm); ",
                             "spiebaan: geen DIN 6885-maat voor deze boring (6 < d <= 230 mm); "};

}  // namespace

TEST(HubKeywayApply, StandardKeywaySizedFromTheBore) {
  struct Case {
    double bore;
    double b, t2, h, t1;  // DIN 6885-1
  };
  const Case cases[] = {{8.0, 2, 1.0, 2, 1.2}, {8.5, 3, 1.4, 3, 1.8}, {20.0, 6, 2.8, 6, 3.5}, {30.0, 8, 3.3, 7, 4.0},
                        {50.0, 14, 3.8, 9, 5.5}};
  for (const Case& c : cases) {
    GearRecord rec = BuildGear(60, 0.0, c.bore);
    ApplyHubKeywayInputs(rec, Keyway(kKeywayDin6885));
    EXPECT_EQ(rec.keyFromDin, 1) << c.bore;
    EXPECT_EQ(rec.keyWidth, c.b);
    EXPECT_DOUBLE_EQ(rec.hubKeywayDepth, c.t2);
    EXPECT_EQ(rec.keyHeight, c.h);
    EXPECT_NEAR(rec.keyBearingHeight, c.h - c.t1, 1e-12);
    EXPECT_TRUE(rec.warnings.empty()) << rec.warnings;
    EXPECT_EQ(GearHasKeyway(rec), 1);
    EXPECT_DOUBLE_EQ(ComputeBoreOuterRadius(rec), c.bore / 2 + c.t2);
  }
}

TEST(HubKeywayApply, NoStandardKeywayOutsideTheTable) {
  for (double bore : {6.0, 231.0, 0.0}) {
    GearRecord rec = BuildGear(150, 0.0, bore);  // rf 147.5: room for a 231 mm bore
    ASSERT_EQ(rec.valid, 1);
    ApplyHubKeywayInputs(rec, Keyway(kKeywayDin6885));
    ExpectNoHubOrKeyway(rec);
    EXPECT_EQ(rec.warnings, kNoDinSize[NORVALE_TEST_LANG]) << bore;
  }
}

constexpr const char* kWidthWarning = "keyway: width b must be more than 0, no keyway cut; ";
constexpr const char* kWidthWarningNl = "spiebaan: breedte b moet groter zijn dan 0, geen spiebaan; ";
constexpr const char* kDepthWarning = "keyway: depth t2 must be more than 0, no keyway cut; ";
constexpr const char* kDepthWarningNl = "spiebaan: diepte t2 moet groter zijn dan 0, geen spiebaan; ";

TEST(HubKeywayApply, CustomKeyway) {
  struct Case {
    const char* name;
    double bore, width, depth;
    double expectedWidth;
    const char* english;
    const char* dutch;
  };
  const Case cases[] = {
      {"as wide as the bore", 10.0, 10.0, 2.0, 0.0, "keyway wider than the bore; ", "spiebaan breder dan de boring; "},
      {"wider than the bore", 10.0, 12.0, 2.0, 0.0, "keyway wider than the bore; ", "spiebaan breder dan de boring; "},
      {"just narrower", 10.0, 9.9, 2.0, 9.9, "", ""},
      {"no bore", 0.0, 5.0, 2.0, 0.0, "keyway: no bore; ", "spiebaan: geen boring; "},
      // Regression: an infinite bore took any custom keyway.
      {"infinite bore", kInf, 5.0, 2.0, 0.0, "keyway: no bore; ", "spiebaan: geen boring; "},
      // Regression: a custom keyway of width 0, "abc" (read as 0) or below 0,
      // or of depth 0 or below 0, was dropped without a word.
      {"empty fields", 20.0, 0.0, 0.0, 0.0, kWidthWarning, kWidthWarningNl},
      {"not a number", 20.0, kNaN, kInf, 0.0, kWidthWarning, kWidthWarningNl},
      {"width below 0", 20.0, -1.0, 2.0, 0.0, kWidthWarning, kWidthWarningNl},
      {"depth 0", 20.0, 5.0, 0.0, 0.0, kDepthWarning, kDepthWarningNl},
      {"depth below 0", 20.0, 5.0, -1.0, 0.0, kDepthWarning, kDepthWarningNl},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = BuildGear(40, 0.0, c.bore);
    ApplyHubKeywayInputs(rec, Keyway(kKeywayCustom, c.width, c.depth));
    EXPECT_EQ(rec.keyWidth, c.expectedWidth);
    EXPECT_EQ(rec.keyFromDin, 0);
    EXPECT_EQ(rec.keyHeight, 0.0);
    EXPECT_EQ(rec.warnings, Lang(c.english, c.dutch));
    EXPECT_TRUE(std::isfinite(rec.hubKeywayDepth));
    EXPECT_NEAR(rec.keyBearingHeight, 0.9 * rec.hubKeywayDepth, 1e-12);
  }
  GearRecord rec = BuildGear(40, 0.0, 10.0);
  ApplyHubKeywayInputs(rec, Keyway(kKeywayCustom, 9.9, 2.0));
  EXPECT_EQ(GearHasKeyway(rec), 1);
  EXPECT_DOUBLE_EQ(rec.hubKeywayDepth, 2.0);
  EXPECT_DOUBLE_EQ(rec.keyBearingHeight, 1.8);
}

TEST(HubKeywayApply, AutomaticHubDiameter) {
  struct Case {
    const char* name;
    int64_t z;
    double x, bore;
    HubKeywayInputs keyway;
    double expected;  // D worked out by hand
  };
  const Case cases[] = {
      // rf 40, bore 20: min(max(1.8 * 20, 20 + 2 * 3), 2 * 40 - 2 * 2) = 36.
      {"bore 20", 42, 0.25, 20.0, Keyway(kKeywayNone), 36.0},
      // rf 30, no bore: 1.2 * 30.
      {"no bore", 32, 0.25, 0.0, Keyway(kKeywayNone), 36.0},
      // rf 40, bore 30 with DIN keyway t2 3.3: ro = 18.3; max(54, 36.6 + 6) = 54.
      {"bore 30 with keyway", 42, 0.25, 30.0, Keyway(kKeywayDin6885), 54.0},
      // rf 40, bore 40: max(72, 46) = 72, but at most 80 - 4 = 76.
      {"large bore", 42, 0.25, 40.0, Keyway(kKeywayNone), 72.0},
      // rf 40, bore 42.5: max(76.5, 48.5) is cut to 76.
      {"cut to the root", 42, 0.25, 42.5, Keyway(kKeywayNone), 76.0},
      // rf 40, bore 12 with a custom keyway 4 x 9: ro = 15; max(21.6, 30 + 6) = 36.
      {"deep custom keyway", 42, 0.25, 12.0, Keyway(kKeywayCustom, 4.0, 9.0), 36.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = BuildGear(c.z, c.x, c.bore);
    HubKeywayInputs in = c.keyway;
    in.hubSide = 3;
    in.hubLength = 12.0;
    for (double automatic : {0.0, -3.0, kNaN}) {
      in.hubDiameter = automatic;
      ApplyHubKeywayInputs(rec, in);
      EXPECT_TRUE(rec.warnings.empty()) << rec.warnings;
      EXPECT_NEAR(rec.hubDiameter, c.expected, 1e-9);
      EXPECT_EQ(rec.hubSide, 3);
      EXPECT_EQ(rec.hubLength, 12.0);
      EXPECT_EQ(GearHasHub(rec), 1);
    }
  }
}

TEST(HubKeywayApply, HubChecks) {
  // rf 40 (m 2, z 42, x 0.25), bore 20: the hub must stay below
  // rf - 0.25 m = 39.5 and above 10 + 0.5 in radius.
  struct Case {
    const char* name;
    HubKeywayInputs in;
    bool accepted;
    const char* english;
    const char* dutch;
  };
  const Case cases[] = {
      {"left", Hub(1, 50, 15), true, "", ""},
      {"right", Hub(2, 50, 15), true, "", ""},
      {"just inside the root", Hub(3, 78.99, 15), true, "", ""},
      {"at the root limit", Hub(3, 79, 15), false, "hub larger than the root circle (max. 79.0 mm); ",
       "naaf groter dan de voetcirkel (max. 79.0 mm); "},
      {"infinite diameter", Hub(3, kInf, 15), true, "", ""},
      {"at the bore limit", Hub(1, 21, 15), false, "hub smaller than bore/keyway; ", "naaf kleiner dan boring/spiebaan; "},
      {"just above the bore limit", Hub(1, 21.01, 15), true, "", ""},
      {"length 0", Hub(2, 50, 0), false, "hub: length 0; ", "naaf: lengte 0; "},
      {"negative length", Hub(2, 50, -4), false, "hub: length 0; ", "naaf: lengte 0; "},
      {"length not a number", Hub(2, 50, kNaN), false, "hub: length 0; ", "naaf: lengte 0; "},
      // Regression: an "inf" typed as the length gave an endless hub.
      {"infinite length", Hub(2, 50, kInf), false, "hub: length 0; ", "naaf: lengte 0; "},
      {"no hub side", Hub(0, 50, 15), false, "", ""},
      {"side out of range", Hub(4, 50, 15), false, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = BuildGear(42, 0.25, 20.0);
    ASSERT_NEAR(rec.rootRadius, 40.0, 1e-9);
    ApplyHubKeywayInputs(rec, c.in);
    EXPECT_EQ(GearHasHub(rec), c.accepted ? 1 : 0);
    if (c.accepted) {
      EXPECT_EQ(rec.hubSide, c.in.hubSide);
      EXPECT_TRUE(std::isfinite(rec.hubDiameter));
      EXPECT_LT(rec.hubDiameter / 2, 39.5);
    } else {
      EXPECT_EQ(rec.hubSide, 0);
      EXPECT_EQ(rec.hubDiameter, 0.0);
      EXPECT_EQ(rec.hubLength, 0.0);
    }
    EXPECT_EQ(rec.warnings, Lang(c.english, c.dutch));
  }
}

TEST(HubKeywayApply, TheHubClearsAnAcceptedKeyway) {
  // rf 40, bore 30, DIN keyway t2 3.3: ro 18.3, so D 37.6 is too small and
  // 37.7 is enough; without the keyway 31.1 would do.
  GearRecord rec = BuildGear(42, 0.25, 30.0);
  HubKeywayInputs in = Keyway(kKeywayDin6885);
  in.hubSide = 1;
  in.hubLength = 10.0;
  in.hubDiameter = 37.6;
  ApplyHubKeywayInputs(rec, in);
  EXPECT_EQ(GearHasHub(rec), 0);
  EXPECT_EQ(rec.warnings, Lang("hub smaller than bore/keyway; ", "naaf kleiner dan boring/spiebaan; "));
  in.hubDiameter = 37.7;
  ApplyHubKeywayInputs(rec, in);
  EXPECT_EQ(GearHasHub(rec), 1);
  in.keywayKind = kKeywayNone;
  in.hubDiameter = 31.1;
  ApplyHubKeywayInputs(rec, in);
  EXPECT_EQ(GearHasHub(rec), 1);
}

TEST(HubKeywayApply, RingsRacksAndInvalidGearsGetNothing) {
  HubKeywayInputs in = Keyway(kKeywayDin6885);
  in.hubSide = 3;
  in.hubLength = 10;
  const GearRecord good = BuildGear(42, 0.25, 20.0);
  struct Case {
    const char* name;
    void (*edit)(GearRecord&);
  };
  const Case cases[] = {
      {"ring gear", [](GearRecord& r) { r.isInternal = 1; }},
      {"rack", [](GearRecord& r) { r.isRack = 1; }},
      {"not valid", [](GearRecord& r) { r.valid = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = good;
    rec.hubSide = 2;
    rec.hubDiameter = 30;
    rec.hubLength = 5;
    rec.keyWidth = 6;
    rec.hubKeywayDepth = 2.8;
    rec.keyHeight = 6;
    rec.keyBearingHeight = 2.5;
    rec.keyFromDin = 1;
    rec.warnings = "old; ";
    c.edit(rec);
    ApplyHubKeywayInputs(rec, in);
    ExpectNoHubOrKeyway(rec);
    EXPECT_TRUE(rec.warnings.empty());
  }
}

TEST(HubKeywayApply, EachApplicationStartsAfresh) {
  GearRecord rec = BuildGear(42, 0.25, 20.0);
  HubKeywayInputs in = Keyway(kKeywayDin6885);
  in.hubSide = 3;
  in.hubLength = 10;
  ApplyHubKeywayInputs(rec, in);
  ASSERT_EQ(GearHasHub(rec), 1);
  ASSERT_EQ(GearHasKeyway(rec), 1);
  ApplyHubKeywayInputs(rec, HubKeywayInputs{});
  ExpectNoHubOrKeyway(rec);
  ApplyHubKeywayInputs(rec, Keyway(kKeywayCustom, 30, 2));
  ApplyHubKeywayInputs(rec, HubKeywayInputs{});
  EXPECT_TRUE(rec.warnings.empty()) << "warnings do not pile up";
}

TEST(HubKeywayApply, TheBoreContourTakesTheKeyway) {
  // Bore 20 with the DIN keyway 6 x 2.8: corners (sqrt(100 - 9), ±3) and
  // (10 + 2.8, ±3), in the order arc, lower side, bottom, upper side.
  GearRecord rec = BuildGear(42, 0.25, 20.0);
  std::vector<OutlinePoint> plain;
  BuildBoreOutline(rec, plain, 0.001);
  ApplyHubKeywayInputs(rec, Keyway(kKeywayDin6885));
  std::vector<OutlinePoint> keyed;
  BuildBoreOutline(rec, keyed, 0.001);
  ASSERT_GE(keyed.size(), 4u);
  EXPECT_NE(keyed.size(), plain.size());
  const double c = std::sqrt(91.0);
  const size_t n = keyed.size();
  EXPECT_NEAR(keyed[0].x, c, 1e-9);
  EXPECT_NEAR(keyed[0].y, 3.0, 1e-9);
  EXPECT_NEAR(keyed[n - 3].x, c, 1e-9);
  EXPECT_NEAR(keyed[n - 3].y, -3.0, 1e-9);
  EXPECT_NEAR(keyed[n - 2].x, 12.8, 1e-9);
  EXPECT_NEAR(keyed[n - 2].y, -3.0, 1e-9);
  EXPECT_NEAR(keyed[n - 1].x, 12.8, 1e-9);
  EXPECT_NEAR(keyed[n - 1].y, 3.0, 1e-9);
  // Every arc point lies on the bore circle.
  for (size_t i = 0; i + 2 < n; ++i) EXPECT_NEAR(std::hypot(keyed[i].x, keyed[i].y), 10.0, 1e-9) << i;
}

TEST(HubKeywayApply, ReportLinesFollowTheApplication) {
  struct Case {
    const char* name;
    double bore;
    HubKeywayInputs in;
    std::string english, dutch;
  };
  auto keyedHub = [] {
    HubKeywayInputs in = Keyway(kKeywayDin6885);
    in.hubSide = 3;
    in.hubLength = 15;
    in.hubDiameter = 50;
    return in;
  };
  auto twoWarnings = [] {
    HubKeywayInputs in = Keyway(kKeywayCustom, 25, 3);
    in.hubSide = 1;
    in.hubLength = 0;
    return in;
  };
  const Case cases[] = {
      {"nothing", 20.0, HubKeywayInputs{}, "", ""},
      {"DIN keyway and hubs on both sides", 30.0, keyedHub(),
       "  keyway b × t2 = 8.0 × 3.3  (DIN 6885-1, key 8 × 7)\r\n"
       "  hub Ø 50.0 × 15.0 on both sides   (total length 50.0)\r\n",
       "  spiebaan b × t2 = 8.0 × 3.3  (DIN 6885-1, spie 8 × 7)\r\n"
       "  naaf Ø 50.0 × 15.0 aan beide kanten   (totale lengte 50.0)\r\n"},
      {"two warnings on one line", 20.0, twoWarnings(), "  ! keyway wider than the bore; hub: length 0\r\n",
       "  ! spiebaan breder dan de boring; naaf: lengte 0\r\n"},
      {"one warning without its separator", 20.0, Hub(2, 50, 0), "  ! hub: length 0\r\n", "  ! naaf: lengte 0\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GearRecord rec = BuildGear(42, 0.25, c.bore);
    ApplyHubKeywayInputs(rec, c.in);
    EXPECT_EQ(ReportBuildHubKeywayLines(rec), NORVALE_TEST_LANG == 1 ? c.dutch : c.english);
  }
}

TEST(HubKeywayApply, TheKeywayLiesUnderATooth) {
  // The keyway lies on the +x axis of the gear; a tooth is centred there, so
  // the outline point nearest to that direction lies on the tip circle.
  for (int64_t z : {17, 40, 41}) {
    GearRecord rec = BuildGear(z, 0.0, 20.0);
    ApplyHubKeywayInputs(rec, Keyway(kKeywayDin6885));
    ASSERT_EQ(GearHasKeyway(rec), 1);
    double best = 10.0, radius = 0.0;
    for (const OutlineCurve& curve : rec.outline) {
      for (const OutlinePoint& p : curve.points) {
        const double a = std::fabs(std::atan2(p.y, p.x));
        if (a < best) {
          best = a;
          radius = std::hypot(p.x, p.y);
        }
      }
    }
    EXPECT_NEAR(radius, rec.tipRadius, 1e-6) << z;
  }
}
