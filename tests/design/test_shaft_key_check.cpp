// Shaft sizing and the parallel-key check: the DIN 6885-1 and DIN 748 tables
// against the standards' values, and the torsion and key-pressure formulas
// computed here.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "design/hub_keyway_apply.h"
#include "design/shaft_key_check.h"
#include "geometry/gear_geometry.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// d min from tau = 16 T / (pi d^3), T in N·mm.
double TorsionDiameter(double torqueNm, double ka, double tau) {
  return std::cbrt(16.0 * 1000.0 * ka * torqueNm / (kPi * tau));
}

// Key flank pressure p = F / (h' l' n phi) with F = 2 T / d.
double KeyPressure(double torqueNm, double ka, double d, double hBearing, double lBearing, int n) {
  const double phi = n == 2 ? 0.75 : 1.0;
  return 2000.0 * ka * torqueNm / (d * hBearing * lBearing * n * phi);
}

// m 2, z 40, x 0 (rf 37.5), face width b, the given bore with a DIN 6885-1
// keyway, and a hub when hubSide > 0.
GearRecord BuildKeyedGear(double bore, double faceWidth, int64_t keyway = kKeywayDin6885, int64_t hubSide = 0,
                          double hubLength = 0.0) {
  GearRecord rec;
  InitGearRecord(rec, 2.0, 40, 0.0, 20.0, faceWidth, bore, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  HubKeywayInputs in;
  in.keywayKind = keyway;
  in.hubSide = hubSide;
  in.hubLength = hubLength;
  ApplyHubKeywayInputs(rec, in);
  return rec;
}

}  // namespace

TEST(KeySizeTable, SpotRowsMatchDin6885) {
  // d, then b x h, t2 (hub), t1 (shaft) as DIN 6885-1 lists them.
  struct Case {
    double d;
    double b, h, t2, t1;
  };
  const Case cases[] = {
      {8.0, 2, 2, 1.0, 1.2},   {8.01, 3, 3, 1.4, 1.8},  {12.0, 4, 4, 1.8, 2.5},  {17.0, 5, 5, 2.3, 3.0},
      {20.0, 6, 6, 2.8, 3.5},  {25.0, 8, 7, 3.3, 4.0},  {35.0, 10, 8, 3.3, 5.0}, {40.0, 12, 8, 3.3, 5.0},
      {45.0, 14, 9, 3.8, 5.5}, {55.0, 16, 10, 4.3, 6.0}, {60.0, 18, 11, 4.4, 7.0}, {70.0, 20, 12, 4.9, 7.5},
      {80.0, 22, 14, 5.4, 9.0}, {90.0, 25, 14, 5.4, 9.0}, {100.0, 28, 16, 6.4, 10.0}, {120.0, 32, 18, 7.4, 11.0},
      {140.0, 36, 20, 8.4, 12.0}, {160.0, 40, 22, 9.4, 13.0}, {180.0, 45, 25, 10.4, 15.0},
      {230.0, 50, 28, 11.4, 17.0},
  };
  for (const Case& c : cases) {
    double b = -1, h = -1, t2 = -1, t1 = -1;
    EXPECT_EQ(LookupDin6885Key(c.d, b, h, t2, &t1), 1) << c.d;
    EXPECT_EQ(b, c.b) << c.d;
    EXPECT_EQ(h, c.h) << c.d;
    EXPECT_DOUBLE_EQ(t2, c.t2) << c.d;
    EXPECT_DOUBLE_EQ(t1, c.t1) << c.d;
  }
}

TEST(KeySizeTable, RowsAreContiguousAndTheKeyHasClearanceInTheHub) {
  EXPECT_EQ(KeySizeTable[0].diameterOver, 6.0);
  EXPECT_EQ(KeySizeTable[kKeySizeRows - 1].diameterUpTo, 230.0);
  for (int i = 0; i < kKeySizeRows; ++i) {
    const KeySizeRow& r = KeySizeTable[i];
    if (i > 0) {
      EXPECT_EQ(r.diameterOver, KeySizeTable[i - 1].diameterUpTo) << i;
    }
    EXPECT_LT(r.width, r.diameterOver) << i;
    // Shaft and hub depths together exceed the key height by 0.2 to 0.4 mm
    // (the key's top clearance in the hub).
    EXPECT_GT(r.shaftDepth + r.hubDepth, r.height + 0.15) << i;
    EXPECT_LE(r.shaftDepth + r.hubDepth, r.height + 0.45) << i;
    EXPECT_LT(r.shaftDepth, r.height) << i;
  }
}

TEST(KeySizeTable, DiametersOutsideTheTableGiveNoKey) {
  for (double d : {6.0, 5.0, 0.0, -10.0, 230.0001, 231.0, kNaN, kInf}) {
    double b = 1, h = 1, t2 = 1, t1 = 99;
    EXPECT_EQ(LookupDin6885Key(d, b, h, t2, &t1), 0) << d;
    EXPECT_EQ(b, 0.0);
    EXPECT_EQ(h, 0.0);
    EXPECT_EQ(t2, 0.0);
    EXPECT_EQ(t1, 99.0) << "t1 is left alone";
  }
  double b = 0, h = 0, t2 = 0;
  EXPECT_EQ(LookupDin6885Key(30.0, b, h, t2), 1) << "t1 may be left out";
  EXPECT_EQ(b, 8.0);
}

TEST(ShaftDiameterSeries, HoldsTheDin748Values) {
  const double expected[] = {6,   7,   8,   9,   10,  11,  12,  14,  16,  18,  19,  20,  22,  24,  25,  28,  30, 32,
                             35,  38,  40,  42,  45,  48,  50,  55,  56,  60,  63,  65,  70,  71,  75,  80,  85, 90,
                             95,  100, 110, 120, 125, 130, 140, 150, 160, 170, 180, 190, 200, 220, 240, 250};
  static_assert(sizeof expected / sizeof expected[0] == 52);
  for (int i = 0; i < 52; ++i) EXPECT_EQ(ShaftDiameterSeries[i], expected[i]) << i;
  EXPECT_LT(ShaftDiameterSeries[52], 0.0) << "the series ends with a negative marker";
}

TEST(ShaftDiameterSeries, PreferredDiameterIsTheNextStandardValue) {
  struct Case {
    double d, expected;
  };
  const Case cases[] = {
      {5.0, 6.0},    {6.0, 6.0},       {23.35, 24.0},   {24.0 + 1e-10, 24.0}, {24.0001, 25.0},
      {52.0, 55.0},  {55.5, 56.0},     {245.0, 250.0},  {250.0, 250.0},       {250.2, 251.0},
      {300.0, 300.0}, {0.0, 6.0},
  };
  for (const Case& c : cases) EXPECT_EQ(FindPreferredShaftDiameter(c.d), c.expected) << c.d;
}

TEST(CheckShaftKey, MinimumShaftDiameterFromTheTorsionFormula) {
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  struct Case {
    double torque, ka, tau;
  };
  for (const Case& c : {Case{100, 1.0, 40}, Case{100, 1.25, 40}, Case{2500, 1.5, 25}, Case{0.5, 1.0, 60}}) {
    KeyCheckResult r;
    CheckShaftKey(gear, c.torque, c.ka, c.tau, 490, 441, 1, 0, r);
    ASSERT_EQ(r.computed, 1);
    const double d = TorsionDiameter(c.torque, c.ka, c.tau);
    EXPECT_NEAR(r.minShaftDiameter, d, 1e-9 * d);
    // At d min the torsional stress equals the permissible one.
    EXPECT_NEAR(16.0 * 1000.0 * c.ka * c.torque / (kPi * std::pow(r.minShaftDiameter, 3)), c.tau, 1e-9 * c.tau);
    EXPECT_EQ(r.preferredShaftDiameter, FindPreferredShaftDiameter(d));
    EXPECT_EQ(r.torque, c.torque);
    EXPECT_EQ(r.shaftBore, 25.0);
  }
  KeyCheckResult r;
  CheckShaftKey(gear, 100, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_NEAR(r.minShaftDiameter, 23.35, 0.005);
  EXPECT_EQ(r.preferredShaftDiameter, 24.0);
}

TEST(CheckShaftKey, KeyPressureAndVerdicts) {
  // Bore 25, DIN key 8 x 7 (t1 4.0, so h' = 3), face width 20, no hub.
  // p allow = min(441, 0.9 * 490, 387) = 387.
  struct Case {
    const char* name;
    double torque;
    int keys;
    double keyLengthIn;
    double keyLength;  // l used
    const char* english;
    const char* dutch;
    bool withLength;  // the message ends with R and " mm" (or the overload tail)
  };
  const Case cases[] = {
      {"one key carries it", 100, 1, 0, 20, "1 key is sufficient", "1 spie volstaat", false},
      {"two keys carry it", 250, 2, 0, 20, "2 keys (180 degrees) are sufficient", "2 spieen (180 graden) volstaan",
       false},
      {"two keys would carry it", 250, 1, 0, 20, "2 keys (180 degrees) needed, or a key length of at least ",
       "2 spieen (180 graden) nodig, of een spielengte van ten minste ", true},
      {"a longer key fits", 100, 1, 12, 12, "make the key longer: at least ", "spie langer maken: ten minste ", true},
      {"overloaded", 400, 1, 0, 20, "key overloaded: larger shaft, longer hub (key ",
       "spie te zwaar belast: grotere as, langere naaf (spie ", true},
      {"two keys overloaded never ask for two keys", 400, 2, 0, 20, "key overloaded: larger shaft, longer hub (key ",
       "spie te zwaar belast: grotere as, langere naaf (spie ", true},
      {"key length beyond the bore is cut to it", 100, 1, 50, 20, "1 key is sufficient", "1 spie volstaat", false},
  };
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  ASSERT_EQ(gear.keyFromDin, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    KeyCheckResult r;
    CheckShaftKey(gear, c.torque, 1.0, 40, 490, 441, c.keys, c.keyLengthIn, r);
    ASSERT_EQ(r.computed, 1);
    EXPECT_EQ(r.hasKeyway, 1);
    EXPECT_EQ(r.keyCount, c.keys);
    EXPECT_DOUBLE_EQ(r.bearingHeight, 3.0);
    EXPECT_DOUBLE_EQ(r.boreLength, 20.0);
    EXPECT_DOUBLE_EQ(r.keyLength, c.keyLength);
    EXPECT_DOUBLE_EQ(r.bearingLength, c.keyLength - 8.0);
    EXPECT_DOUBLE_EQ(r.allowablePressure, 387.0);
    const double p = KeyPressure(c.torque, 1.0, 25.0, 3.0, c.keyLength - 8.0, c.keys);
    EXPECT_NEAR(r.pressure, p, 1e-9 * p);
    EXPECT_NEAR(r.safety, 387.0 / p, 1e-9);
    // The length at which p would equal p allow, plus the round end b.
    const double phi = c.keys == 2 ? 0.75 : 1.0;
    const double required = 2000.0 * c.torque / (25.0 * 3.0 * c.keys * phi * 387.0) + 8.0;
    EXPECT_NEAR(r.requiredKeyLength, required, 1e-9);
    std::string expected = Lang(c.english, c.dutch);
    if (c.withLength) {
      expected += Fix(required, 1);
      if (std::string(c.english).starts_with("key overloaded")) {
        expected += Lang(" mm needed) or spline", " mm nodig) of spievertanding");
      } else {
        expected += " mm";
      }
    }
    EXPECT_EQ(r.message, expected);
  }
}

TEST(CheckShaftKey, WorkedValuesOfABore25Key) {
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  KeyCheckResult r;
  CheckShaftKey(gear, 100, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_NEAR(r.pressure, 222.2, 0.05);
  EXPECT_NEAR(r.safety, 1.74, 0.005);
  CheckShaftKey(gear, 250, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_NEAR(r.safety, 0.697, 0.0005);
  EXPECT_NE(r.message.find("25.2"), std::string::npos) << r.message;
  CheckShaftKey(gear, 400, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_NEAR(r.safety, 0.435, 0.0005);
  EXPECT_NE(r.message.find("35.6"), std::string::npos) << r.message;
}

TEST(CheckShaftKey, HubsLengthenTheBoreAndTheKey) {
  struct Case {
    int64_t side;
    double expectedBoreLength;
  };
  for (const Case& c : {Case{1, 35.0}, Case{2, 35.0}, Case{3, 50.0}}) {
    const GearRecord gear = BuildKeyedGear(25.0, 20.0, kKeywayDin6885, c.side, 15.0);
    ASSERT_EQ(GearHasHub(gear), 1) << gear.warnings;
    KeyCheckResult r;
    CheckShaftKey(gear, 250, 1.0, 40, 490, 441, 1, 0, r);
    EXPECT_DOUBLE_EQ(r.boreLength, c.expectedBoreLength);
    EXPECT_DOUBLE_EQ(r.keyLength, c.expectedBoreLength);
    const double p = KeyPressure(250, 1.0, 25.0, 3.0, c.expectedBoreLength - 8.0, 1);
    EXPECT_NEAR(r.pressure, p, 1e-9 * p);
  }
}

TEST(CheckShaftKey, ACustomKeywayBearsWithNineTenthsOfItsDepth) {
  GearRecord gear;
  InitGearRecord(gear, 2.0, 40, 0.0, 20.0, 30.0, 30.0, 0.0, 0.0, 1);
  BuildGearGeometry(gear, 1);
  HubKeywayInputs in;
  in.keywayKind = kKeywayCustom;
  in.keyWidth = 10.0;
  in.keyDepth = 4.0;
  ApplyHubKeywayInputs(gear, in);
  KeyCheckResult r;
  CheckShaftKey(gear, 150, 1.25, 40, 490, 441, 1, 0, r);
  EXPECT_DOUBLE_EQ(r.bearingHeight, 3.6);
  const double p = KeyPressure(150, 1.25, 30.0, 3.6, 20.0, 1);
  EXPECT_NEAR(r.pressure, p, 1e-9 * p);
  // A bearing height left at 0 falls back on 0.9 t2 as well.
  gear.keyBearingHeight = 0.0;
  CheckShaftKey(gear, 150, 1.25, 40, 490, 441, 1, 0, r);
  EXPECT_DOUBLE_EQ(r.bearingHeight, 3.6);
}

TEST(CheckShaftKey, PermissiblePressureIsTheLeastOfHubShaftAndKey) {
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  struct Case {
    double reShaft, pHub, expected;
  };
  for (const Case& c : {Case{490, 441, 387}, Case{300, 441, 270}, Case{490, 125, 125}, Case{1000, 1000, 387}}) {
    KeyCheckResult r;
    CheckShaftKey(gear, 100, 1.0, 40, c.reShaft, c.pHub, 1, 0, r);
    EXPECT_DOUBLE_EQ(r.allowablePressure, c.expected);
  }
}

TEST(CheckShaftKey, GearsWithoutKeywayOrBearingLength) {
  KeyCheckResult r;
  CheckShaftKey(BuildKeyedGear(25.0, 20.0, kKeywayNone), 100, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_EQ(r.computed, 1);
  EXPECT_EQ(r.hasKeyway, 0);
  EXPECT_EQ(r.message, Lang("no keyway: shaft-hub connection (press fit, clamp or spline) not calculated",
                            "geen spiebaan: as-naafverbinding (pers-, klem- of spievertanding) niet berekend"));
  EXPECT_EQ(r.pressure, 0.0);

  CheckShaftKey(BuildKeyedGear(0.0, 20.0, kKeywayNone), 100, 1.0, 40, 490, 441, 1, 0, r);
  EXPECT_EQ(r.computed, 1);
  EXPECT_GT(r.minShaftDiameter, 0.0);
  EXPECT_EQ(r.message, Lang("no bore: gear solid on the shaft, or enter a bore",
                            "geen boring: wiel op de as (massief) of boring nog opgeven"));

  // A key of length 6 is shorter than its width 8.
  CheckShaftKey(BuildKeyedGear(25.0, 20.0), 100, 1.0, 40, 490, 441, 1, 6.0, r);
  EXPECT_EQ(r.message, Lang("key shorter than its width: no bearing length",
                            "spie korter dan haar breedte: geen dragende lengte"));
  EXPECT_EQ(r.safety, 0.0);
  EXPECT_EQ(r.pressure, 0.0);
  EXPECT_DOUBLE_EQ(r.bearingLength, -2.0);
}

TEST(CheckShaftKey, KeyCountIsClampedToOneOrTwo) {
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  KeyCheckResult r;
  CheckShaftKey(gear, 100, 1.0, 40, 490, 441, 0, 0, r);
  EXPECT_EQ(r.keyCount, 1);
  CheckShaftKey(gear, 100, 1.0, 40, 490, 441, 5, 0, r);
  EXPECT_EQ(r.keyCount, 2);
}

TEST(CheckShaftKey, NoCheckWithoutTorqueStressOrApplicationFactor) {
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  struct Case {
    double torque, ka, tau;
  };
  // KA 0 or NaN would make every key "sufficient" (pressure 0): no check.
  const Case cases[] = {{0, 1, 40},    {-5, 1, 40},   {kNaN, 1, 40}, {kInf, 1, 40}, {100, 1, 0},
                        {100, 1, kNaN}, {100, 0, 40}, {100, kNaN, 40}, {100, -1, 40}};
  for (const Case& c : cases) {
    KeyCheckResult r;
    r.computed = 7;
    r.message = "old";
    CheckShaftKey(gear, c.torque, c.ka, c.tau, 490, 441, 1, 0, r);
    EXPECT_EQ(r.computed, 0) << c.torque << " " << c.ka << " " << c.tau;
    EXPECT_TRUE(r.message.empty());
    EXPECT_EQ(r.minShaftDiameter, 0.0);
  }
}

TEST(CheckShaftKey, AYieldStrengthOfZeroIsNoPermissiblePressure) {
  // Regression: a shaft yield strength typed as 0 (or not a number) gave a
  // permissible pressure of 0 and an endless required key length ("key inf mm
  // needed"), or was skipped altogether; it is reported as missing instead.
  // So is one typed as "Infinity", which passed the test "> 0".
  const GearRecord gear = BuildKeyedGear(25.0, 20.0);
  for (double reShaft : {0.0, -1.0, kNaN, kInf, -kInf}) {
    KeyCheckResult r;
    CheckShaftKey(gear, 100, 1.0, 40, reShaft, 441, 1, 0, r);
    EXPECT_EQ(r.computed, 1);
    EXPECT_EQ(r.safety, 0.0);
    EXPECT_EQ(r.message, Lang("no permissible key pressure: check the yield strengths of shaft and hub",
                              "geen toelaatbare spiedruk: vloeigrenzen van as en naaf controleren"));
  }
  for (double pHub : {0.0, kInf}) {
    KeyCheckResult r;
    CheckShaftKey(gear, 100, 1.0, 40, 490, pHub, 1, 0, r);
    EXPECT_EQ(r.safety, 0.0);
    EXPECT_FALSE(r.message.empty());
  }
}
