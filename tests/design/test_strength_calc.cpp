// The whole strength calculation of external, helical, rack and internal
// pairs against textbook values (ISO 6336 / DIN 3990) computed here, and its
// refusals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "design/strength_calc.h"
#include "design/strength_factors.h"
#include "design/virtual_gear.h"
#include "geometry/path_of_contact.h"
#include "strength_test_support.h"

using namespace strength_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// 5 kW at 1500 1/min.
const double kTorque5kW = 5000.0 * 60.0 / (2.0 * kPi * 1500.0);

std::string Text(const char* english, const char* dutch) {
  return NORVALE_TEST_LANG == 1 ? dutch : english;
}

const std::string kNoValidInput = Text("No valid input (geometry, torque or speed).",
                                       "Geen geldige invoer (geometrie, koppel of toerental).");
const std::string kNoRootSection =
    Text("Critical root section not found (unusual tooth shape).",
         "Kritieke tandvoetdoorsnede niet gevonden (ongewone tandvorm).");
const std::string kNoValidMaterial =
    Text("No valid input (material values, KA, life or minimum safety).",
         "Geen geldige invoer (materiaalwaarden, KA, levensduur of minimale veiligheid).");
const std::string kNoFiniteResult =
    Text("The calculation gave no finite result; check the inputs.",
         "De berekening gaf geen eindig resultaat; controleer de invoer.");

// The worked spur pair: mn 2, z 20 / 40, x 0, b 20, a 60, grade 7, KA 1,
// 5 kW at 1500 1/min, eps_alpha 1.6.
class WorkedSpurPair : public testing::Test {
 protected:
  void SetUp() override {
    gear1 = MakeGear(2.0, 20, 0.0, 20.0);
    gear2 = MakeGear(2.0, 40, 0.0, 20.0);
    ASSERT_EQ(gear1.valid, 1);
    ASSERT_EQ(gear2.valid, 1);
    in = MakeSteelInputs();
    in.torque1 = kTorque5kW;
  }
  int64_t Compute() { return ComputeGearStrength(gear1, gear2, kPairExternal, 60.0, 1.6, in, res); }

  GearRecord gear1, gear2;
  StrengthInputs in;
  StrengthResults res;
};

TEST_F(WorkedSpurPair, LoadAndFactorsMatchTheHandValues) {
  ASSERT_EQ(Compute(), 1) << res.message;
  EXPECT_EQ(res.valid, 1);
  EXPECT_TRUE(res.message.empty());
  EXPECT_NEAR(res.torque1, 31.831, 0.0005);
  EXPECT_NEAR(res.tangentialForce, 2000.0 * kTorque5kW / 40.0, 1e-9);  // 1591.5 N
  EXPECT_NEAR(res.pitchLineSpeed, 3.1416, 0.00005);
  EXPECT_NEAR(res.ratio, 2.0, 1e-12);
  EXPECT_NEAR(res.speed2, 750.0, 1e-9);
  EXPECT_EQ(res.faceWidthUsed, 20.0);
  EXPECT_EQ(res.epsBeta, 0.0);
  EXPECT_EQ(res.epsAlpha, 1.6);
  EXPECT_NEAR(res.kV, 1.161, 0.0005);
  EXPECT_NEAR(res.kHbeta, 1.164, 0.0005);
  EXPECT_NEAR(res.kFbeta, 1.127, 0.0005);
  EXPECT_EQ(res.kHalpha, 1.0);
  EXPECT_EQ(res.kFalpha, 1.0);
  EXPECT_NEAR(res.zH, 2.495, 0.0005);
  EXPECT_NEAR(res.zE, 189.8, 0.05);
  EXPECT_NEAR(res.zEps, 0.894, 0.0005);
  EXPECT_NEAR(res.zBeta, 1.0, 1e-12);
  EXPECT_NEAR(res.zLVR, 0.85, 1e-12);
  EXPECT_NEAR(res.yEps, 0.719, 0.0005);
  EXPECT_NEAR(res.yBeta, 1.0, 1e-12);
}

TEST_F(WorkedSpurPair, StressesAndSafetiesFollowTheTextbook) {
  ASSERT_EQ(Compute(), 1) << res.message;
  // Every factor recomputed from its formula, independently of the code.
  const double ft = 2000.0 * kTorque5kW / 40.0;
  const double v = kPi * 40.0 * 1500.0 / 60000.0;
  const double kv = 1.0 + 20.0 * (26.8 / 100.0 + 0.0193) * v / 100.0 * std::sqrt(0.8);
  const double khb = 1.0 + 0.025 + (0.127 + 0.000622 * 20.0 - 1.44e-7 * 400.0);
  const double q = 20.0 / 4.5;
  const double kfb = std::pow(khb, q * q / (1.0 + q + q * q));
  const double zh = std::sqrt(2.0 / (std::cos(20.0 * kDeg) * std::sin(20.0 * kDeg)));
  const double ze = std::sqrt(206000.0 / (2.0 * kPi * 0.91));
  const double zeps = std::sqrt((4.0 - 1.6) / 3.0);
  const double sigmaH = zh * ze * zeps * std::sqrt(ft / (40.0 * 20.0) * 1.5) * std::sqrt(kv * khb);
  EXPECT_NEAR(res.sigmaH / sigmaH, 1.0, 1e-9);
  EXPECT_NEAR(res.sigmaH, 851.0, 1.0);

  // N1 = 1500 60 20000 = 1.8e9, N2 = 0.9e9; ZNT1 0.896 (class 0).
  EXPECT_NEAR(res.loadCycles[0], 1.8e9, 1e-3);
  EXPECT_NEAR(res.loadCycles[1], 0.9e9, 1e-3);
  EXPECT_NEAR(res.zNT[0], 0.896, 0.0005);
  EXPECT_NEAR(res.yNT[0], 0.880, 0.0005);
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const double sigmaHP = 1500.0 * res.zNT[i] * 0.85;
    EXPECT_NEAR(res.sigmaHP[i], sigmaHP, 1e-9);
    EXPECT_NEAR(res.safetyH[i], sigmaHP / sigmaH, 1e-9);
    // Root: YF, YS of z 20 and z 40 against ISO 6336-3 (load at the tip).
    const IsoRootSection iso = ComputeIsoExternalTipLoad(i == 0 ? 20.0 : 40.0, 0.0);
    EXPECT_NEAR(res.formFactor[i] / iso.formFactor, 1.0, 0.01);
    EXPECT_NEAR(res.stressCorrection[i] / iso.stressCorrection, 1.0, 0.005);
    const double yeps = 0.25 + 0.75 / 1.6;
    const double sigmaF =
        ft / (20.0 * 2.0) * iso.formFactor * iso.stressCorrection * yeps * kv * kfb;
    EXPECT_NEAR(res.sigmaF[i] / sigmaF, 1.0, 0.012);
    EXPECT_NEAR(res.sigmaF[i],
                ft / 40.0 * res.formFactor[i] * res.stressCorrection[i] * yeps * kv * kfb, 1e-9);
    EXPECT_EQ(res.sizeFactor[i], 1.0);
    EXPECT_NEAR(res.sigmaFP[i], 430.0 * 2.0 * res.yNT[i], 1e-9);
    EXPECT_NEAR(res.safetyF[i], res.sigmaFP[i] / res.sigmaF[i], 1e-12);
    EXPECT_EQ(res.rootSection[i].found, 1);
  }
  // The pinion's root is the weaker one (YF YS of z 20 above that of z 40).
  EXPECT_LT(res.safetyF[0], res.safetyF[1]);
  // Transmissible torques at S_Hmin 1 and S_Fmin 1.4. sigma_H^2 and sigma_F
  // grow with T Kv(T); at the limits the line load is above 100 N/mm, where
  // T Kv(T) = T (1 + c K2) + c K1 d1 b / 2000 with c = z1 v / 100 f, so the
  // torque at which T Kv(T) reaches T1 Kv(T1) S^2 (or S / S_min) is
  // (that product - c K1 d1 b / 2000) / (1 + c K2).
  const double minSH = std::min(res.safetyH[0], res.safetyH[1]);
  const double minSF = std::min(res.safetyF[0], res.safetyF[1]);
  const double c = 20.0 * v / 100.0 * std::sqrt(4.0 / 5.0);
  const double k1Term = c * 26.8 * 40.0 * 20.0 / 2000.0;
  const double flank = (kTorque5kW * kv * minSH * minSH - k1Term) / (1.0 + c * 0.0193);
  const double root = (kTorque5kW * kv * minSF / 1.4 - k1Term) / (1.0 + c * 0.0193);
  ASSERT_GT(2000.0 * flank / 40.0 / 20.0, 100.0);
  ASSERT_GT(2000.0 * root / 40.0 / 20.0, 100.0);
  EXPECT_NEAR(res.torqueFactorFlank, flank, 1e-9 * flank);
  EXPECT_NEAR(res.torqueFactorRoot, root, 1e-9 * root);
}

TEST_F(WorkedSpurPair, ContactRatioOfTheMeshGivesItsFactors) {
  // Handbook: m 2, z 20 / 40, a 60 has eps_alpha 1.635, so Z_eps =
  // sqrt((4 - 1.635) / 3) = 0.8879 and Y_eps = 0.25 + 0.75 / 1.635 = 0.7087.
  const double eps = ComputeTransverseContactRatio(gear1, gear2, 60.0);
  ASSERT_NEAR(eps, 1.635, 0.001);
  ASSERT_EQ(ComputeGearStrength(gear1, gear2, kPairExternal, 60.0, eps, in, res), 1);
  EXPECT_EQ(res.epsAlpha, eps);
  EXPECT_NEAR(res.zEps, 0.8879, 0.0003);
  EXPECT_NEAR(res.yEps, 0.7087, 0.0003);
}

TEST_F(WorkedSpurPair, FaceWidthIsTheNarrowerGear) {
  gear2.faceWidth = 15.0;
  ASSERT_EQ(Compute(), 1);
  EXPECT_EQ(res.faceWidthUsed, 15.0);
}

TEST_F(WorkedSpurPair, GradeIsClampedAndWrittenBack) {
  struct Case {
    int64_t asked, used;
  };
  for (const Case c : {Case{4, 5}, Case{0, 5}, Case{7, 7}, Case{11, 10}, Case{25, 10}}) {
    in.accuracyGrade = c.asked;
    ASSERT_EQ(Compute(), 1);
    EXPECT_EQ(in.accuracyGrade, c.used);
    const StrengthResults clamped = res;
    in.accuracyGrade = c.used;
    ASSERT_EQ(Compute(), 1);
    EXPECT_EQ(clamped.kV, res.kV) << c.asked;
    EXPECT_EQ(clamped.kHbeta, res.kHbeta) << c.asked;
    EXPECT_EQ(clamped.kHalpha, res.kHalpha) << c.asked;
  }
}

TEST_F(WorkedSpurPair, MaterialChoicesReachTheirFactors) {
  in.flankFinish = 1;
  in.lubrication = 1;
  in.lifeClass[1] = 1;
  ASSERT_EQ(Compute(), 1);
  EXPECT_NEAR(res.zLVR, 0.9, 1e-12);
  // Class 1 for gear 2 at N2 = 0.9e9: (2e6 / 0.9e9)^(ln(1 / 0.85) / ln(1e10 / 2e6)).
  EXPECT_NEAR(res.zNT[1], std::pow(2e6 / 0.9e9, std::log(1.0 / 0.85) / std::log(5000.0)), 1e-12);
  EXPECT_NEAR(res.zNT[0], 0.896, 0.0005);
}

TEST(StrengthCalc, HelicalPairsUseTheirOverlap) {
  // mn 2, z 20 / 40, beta 15 deg, a = mt 30, eps_alpha 1.5.
  const double beta = 15.0 * kDeg;
  const double alphaT = std::atan(std::tan(20.0 * kDeg) / std::cos(beta));
  const double betaB = std::asin(std::sin(beta) * std::cos(20.0 * kDeg));
  const double d1 = 40.0 / std::cos(beta);
  const double a = 60.0 / std::cos(beta);
  struct Case {
    double b;  // face width of both gears
  };
  for (const Case c : {Case{30.0}, Case{10.0}}) {
    const GearRecord g1 = MakeGear(2.0, 20, 0.0, c.b, 15.0, 1);
    const GearRecord g2 = MakeGear(2.0, 40, 0.0, c.b, 15.0, -1);
    StrengthInputs in = MakeSteelInputs();
    StrengthResults res;
    ASSERT_EQ(ComputeGearStrength(g1, g2, kPairExternal, a, 1.5, in, res), 1) << res.message;
    SCOPED_TRACE(c.b);
    const double epsBeta = c.b * std::sin(beta) / (kPi * 2.0);
    EXPECT_NEAR(res.epsBeta, epsBeta, 1e-12);
    const double ft = 2000.0 * 31.83 / d1;
    const double v = kPi * d1 * 1500.0 / 60000.0;
    const double w = std::max(ft / c.b, 100.0);
    const double f = std::sqrt(0.8);
    const double kvSpur = 1.0 + 20.0 * (26.8 / w + 0.0193) * v / 100.0 * f;
    const double kvHel = 1.0 + 20.0 * (23.9 / w + 0.0087) * v / 100.0 * f;
    const double kv = epsBeta >= 1.0 ? kvHel : kvSpur - (kvSpur - kvHel) * epsBeta;
    EXPECT_NEAR(res.kV, kv, 1e-12);
    const double zeps = epsBeta >= 1.0
                            ? std::sqrt(1.0 / 1.5)
                            : std::sqrt((4.0 - 1.5) / 3.0 * (1.0 - epsBeta) + epsBeta / 1.5);
    EXPECT_NEAR(res.zEps, zeps, 1e-12);
    EXPECT_NEAR(res.zBeta, 1.0 / std::sqrt(std::cos(beta)), 1e-12);
    EXPECT_NEAR(res.yBeta, 1.0 - std::min(epsBeta, 1.0) * 15.0 / 120.0, 1e-12);
    EXPECT_NEAR(res.yEps, 0.25 + 0.75 * std::pow(std::cos(betaB), 2) / 1.5, 1e-12);
    EXPECT_NEAR(res.zH,
                std::sqrt(2.0 * std::cos(betaB) / (std::cos(alphaT) * std::sin(alphaT))), 1e-9);
    // Root form factors of the virtual spur gears: zn = z / (cos beta
    // cos^2 beta_b) = 22.007 and 44.01, rounded to 22 and 44.
    const IsoRootSection iso1 = ComputeIsoExternalTipLoad(22.0, 0.0);
    const IsoRootSection iso2 = ComputeIsoExternalTipLoad(44.0, 0.0);
    EXPECT_NEAR(res.formFactor[0] / iso1.formFactor, 1.0, 0.01);
    EXPECT_NEAR(res.formFactor[1] / iso2.formFactor, 1.0, 0.01);
    const double sigmaF1 = ft / (c.b * 2.0) * res.formFactor[0] * res.stressCorrection[0] *
                           res.yBeta * res.yEps * kv * res.kFbeta * res.kFalpha;
    EXPECT_NEAR(res.sigmaF[0], sigmaF1, 1e-9 * sigmaF1);
  }
}

TEST(StrengthCalc, VirtualTeethOfHelicalGears) {
  struct Case {
    int64_t z;
    double betaDeg;
    int64_t zn;
  };
  // zn = z / (cos beta cos^2 beta_b), sin beta_b = sin beta cos 20 deg.
  const Case cases[] = {{20, 0.0, 20}, {20, 15.0, 22}, {40, 15.0, 44}, {12, 30.0, 18},
                        {5, 0.0, 6}, {30, 45.0, 76}};
  for (const Case& c : cases) {
    const GearRecord g = MakeGear(1.0, c.z, 0.0, 10.0, c.betaDeg, 1, 1);
    const double b = c.betaDeg * kDeg;
    const double bb = std::asin(std::sin(b) * std::cos(20.0 * kDeg));
    const double zn = static_cast<double>(c.z) / (std::cos(b) * std::cos(bb) * std::cos(bb));
    EXPECT_EQ(ComputeVirtualTeeth(g), std::max<int64_t>(6, std::llround(zn))) << c.z;
    EXPECT_EQ(ComputeVirtualTeeth(g), c.zn) << c.z << " " << c.betaDeg;
    GearRecord v;
    if (c.z >= 3) {
      ASSERT_EQ(BuildVirtualGear(g, kPairExternal, v), 1);
      EXPECT_EQ(v.teeth, c.zn);
      EXPECT_EQ(v.helixAngle, 0.0);
      EXPECT_EQ(v.normalModule, 1.0);
    }
  }
}

TEST(StrengthCalc, VirtualTeethBeyondEveryGearAreRefused) {
  // z 100000 at the steepest helix allowed (cos beta 0.1) would need a virtual
  // gear of over a million teeth; a corrupt tooth count would overflow the
  // conversion to an integer. Both give no virtual gear instead.
  GearRecord huge = MakeGear(1.0, 20, 0.0, 10.0, 0.0, 1, 1);
  huge.teeth = 100000;
  huge.helixAngle = std::acos(0.1);
  huge.baseHelixAngle = std::asin(std::sin(huge.helixAngle) * std::cos(20.0 * kDeg));
  EXPECT_EQ(ComputeVirtualTeeth(huge), 0);
  GearRecord v;
  EXPECT_EQ(BuildVirtualGear(huge, kPairExternal, v), 0);
  EXPECT_EQ(BuildVirtualGear(huge, kPairInternal, v), 0);
  huge.teeth = std::numeric_limits<int64_t>::max();
  EXPECT_EQ(ComputeVirtualTeeth(huge), 0);
  huge.helixAngle = kNaN;
  huge.teeth = 20;
  EXPECT_EQ(ComputeVirtualTeeth(huge), 0);
}

TEST(StrengthCalc, PinionAndRack) {
  const GearRecord pinion = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord rack = MakeRack(2.0, 10, 20.0);
  ASSERT_EQ(rack.valid, 1);
  StrengthInputs in = MakeSteelInputs();
  StrengthResults res;
  ASSERT_EQ(ComputeGearStrength(pinion, rack, kPairRack, 0.0, 1.6, in, res), 1) << res.message;
  EXPECT_EQ(res.ratio, 0.0);
  EXPECT_EQ(res.speed2, 0.0);
  // Kv without the ratio term; the contact stress with the term 1 and
  // alpha_w = alpha_t.
  const double ft = 2000.0 * 31.83 / 40.0;
  const double v = kPi * 40.0 * 1500.0 / 60000.0;
  const double kv = 1.0 + 20.0 * (26.8 / 100.0 + 0.0193) * v / 100.0;
  EXPECT_NEAR(res.kV, kv, 1e-12);
  EXPECT_NEAR(res.zH, 2.495, 0.0005);
  const double sigmaH = res.zH * res.zE * res.zEps * std::sqrt(ft / (40.0 * 20.0)) *
                        std::sqrt(kv * res.kHbeta);
  EXPECT_NEAR(res.sigmaH, sigmaH, 1e-9 * sigmaH);
  // A rack tooth meets the pinion z1 / n times per pinion turn.
  EXPECT_NEAR(res.loadCycles[1], 20.0 * res.loadCycles[0] / 10.0, 1e-3);
  // The rack's root: the straight tooth of the basic rack at 30 degrees.
  const IsoRootSection straight =
      ComputeStraightToothSection(kPi / 4.0, 1.0, 1.25, 0.38, 20.0 * kDeg, 30.0);
  EXPECT_NEAR(res.formFactor[1] / straight.formFactor, 1.0, 0.01);
  EXPECT_NEAR(res.stressCorrection[1] / straight.stressCorrection, 1.0, 0.01);
  EXPECT_LT(res.formFactor[1], res.formFactor[0]);  // the rack tooth is the stronger
}

TEST(StrengthCalc, PinionAndRingGear) {
  // z 20 in a ring of 60, x 0: a = (60 - 20) / 2 * 2 = 40, alpha_w = 20 deg.
  const GearRecord pinion = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord ring = MakeRing(2.0, 60, 0.0, 20.0);
  ASSERT_EQ(ring.valid, 1);
  StrengthInputs in = MakeSteelInputs();
  StrengthResults res;
  ASSERT_EQ(ComputeGearStrength(pinion, ring, kPairInternal, 40.0, 1.8, in, res), 1)
      << res.message;
  EXPECT_NEAR(res.ratio, 3.0, 1e-12);
  EXPECT_NEAR(res.speed2, 500.0, 1e-9);
  EXPECT_NEAR(res.zH, 2.495, 0.0005);
  const double ft = 2000.0 * 31.83 / 40.0;
  // Internal mesh: ratio term (u - 1) / u.
  const double sigmaH = res.zH * res.zE * std::sqrt((4.0 - 1.8) / 3.0) *
                        std::sqrt(ft / (40.0 * 20.0) * 2.0 / 3.0) *
                        std::sqrt(res.kV * res.kHbeta * res.kHalpha);
  EXPECT_NEAR(res.sigmaH, sigmaH, 1e-9 * sigmaH);
  const double f = std::sqrt(9.0 / 10.0);
  const double v = kPi * 40.0 * 1500.0 / 60000.0;
  EXPECT_NEAR(res.kV, 1.0 + 20.0 * (26.8 / 100.0 + 0.0193) * v / 100.0 * f, 1e-12);
  EXPECT_NEAR(res.loadCycles[1], 500.0 * 60.0 * 20000.0, 1e-3);
  EXPECT_EQ(res.rootSection[1].found, 1);
  EXPECT_LT(res.rootSection[1].pointY, 0.0);  // found on the ring's tooth
  // A ring tooth is thicker at its root than the pinion tooth.
  EXPECT_LT(res.formFactor[1], res.formFactor[0]);
}

// One call of the calculation, spoilt in one way by a case of the table below.
struct StrengthCall {
  GearRecord g1, g2;
  StrengthInputs in;
  double a = 60.0;
  double eps = 1.6;
  int64_t kind = kPairExternal;
};

TEST(StrengthCalc, RefusesUnusableInput) {
  struct Case {
    const char* what;
    void (*spoil)(StrengthCall& c);
    const std::string* message;
  };
  const Case cases[] = {
      {"gear 1 invalid", [](StrengthCall& c) { c.g1.valid = 0; }, &kNoValidInput},
      {"gear 2 invalid", [](StrengthCall& c) { c.g2.valid = 0; }, &kNoValidInput},
      {"speed 0", [](StrengthCall& c) { c.in.speed1 = 0.0; }, &kNoValidInput},
      {"speed negative", [](StrengthCall& c) { c.in.speed1 = -100.0; }, &kNoValidInput},
      {"speed NaN", [](StrengthCall& c) { c.in.speed1 = kNaN; }, &kNoValidInput},
      {"speed infinite", [](StrengthCall& c) { c.in.speed1 = kInf; }, &kNoValidInput},
      {"torque 0", [](StrengthCall& c) { c.in.torque1 = 0.0; }, &kNoValidInput},
      {"torque NaN", [](StrengthCall& c) { c.in.torque1 = kNaN; }, &kNoValidInput},
      {"torque infinite", [](StrengthCall& c) { c.in.torque1 = kInf; }, &kNoValidInput},
      {"face width 0", [](StrengthCall& c) { c.g1.faceWidth = 0.0; }, &kNoValidInput},
      {"face width NaN", [](StrengthCall& c) { c.g2.faceWidth = kNaN; }, &kNoValidInput},
      {"centre distance 0", [](StrengthCall& c) { c.a = 0.0; }, &kNoValidInput},
      {"centre distance NaN", [](StrengthCall& c) { c.a = kNaN; }, &kNoValidInput},
      // rb1 + rb2 = 56.38 mm: no operating pressure angle below that.
      {"centre distance below the base circles", [](StrengthCall& c) { c.a = 56.0; },
       &kNoValidInput},
      {"eps alpha NaN", [](StrengthCall& c) { c.eps = kNaN; }, &kNoValidInput},
      {"eps alpha 0", [](StrengthCall& c) { c.eps = 0.0; }, &kNoValidInput},
      {"unknown pair kind", [](StrengthCall& c) { c.kind = 3; }, &kNoValidInput},
      {"rack kind without a rack", [](StrengthCall& c) { c.kind = kPairRack; }, &kNoValidInput},
      {"ring kind without a ring", [](StrengthCall& c) { c.kind = kPairInternal; },
       &kNoValidInput},
      {"E 0", [](StrengthCall& c) { c.in.elasticModulus[1] = 0.0; }, &kNoValidMaterial},
      {"E NaN", [](StrengthCall& c) { c.in.elasticModulus[0] = kNaN; }, &kNoValidMaterial},
      {"nu NaN", [](StrengthCall& c) { c.in.poisson[0] = kNaN; }, &kNoValidMaterial},
      {"sigma Hlim 0", [](StrengthCall& c) { c.in.sigmaHlim[1] = 0.0; }, &kNoValidMaterial},
      {"sigma Flim infinite", [](StrengthCall& c) { c.in.sigmaFlim[0] = kInf; },
       &kNoValidMaterial},
      {"KA NaN", [](StrengthCall& c) { c.in.applicationFactor = kNaN; }, &kNoValidMaterial},
      {"KA 0", [](StrengthCall& c) { c.in.applicationFactor = 0.0; }, &kNoValidMaterial},
      {"life NaN", [](StrengthCall& c) { c.in.lifeHours = kNaN; }, &kNoValidMaterial},
      {"life infinite", [](StrengthCall& c) { c.in.lifeHours = kInf; }, &kNoValidMaterial},
      {"S_Hmin 0", [](StrengthCall& c) { c.in.minSafetyH = 0.0; }, &kNoValidMaterial},
      {"S_Fmin NaN", [](StrengthCall& c) { c.in.minSafetyF = kNaN; }, &kNoValidMaterial},
  };
  const GearRecord good1 = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord good2 = MakeGear(2.0, 40, 0.0, 20.0);
  for (const Case& c : cases) {
    StrengthCall call{good1, good2, MakeSteelInputs()};
    c.spoil(call);
    StrengthResults res;
    res.valid = 1;  // left over from an earlier calculation
    res.sigmaH = 123.0;
    res.rootSection[0].found = 1;
    EXPECT_EQ(ComputeGearStrength(call.g1, call.g2, call.kind, call.a, call.eps, call.in, res), 0)
        << c.what;
    EXPECT_EQ(res.valid, 0) << c.what;
    EXPECT_EQ(res.message, *c.message) << c.what;
    EXPECT_EQ(res.sigmaH, 0.0) << c.what;
    EXPECT_EQ(res.rootSection[0].found, 0) << c.what;
  }
}

TEST(StrengthCalc, MissingRootSectionKeepsTheLoadValues) {
  // A 32 degree rack (thinned to fit its fillets) has no 30 degree tangent
  // on its root: the rack's section is not found.
  GearRecord pinion;
  InitGearRecord(pinion, 1.0, 20, 0.0, 32.0, 10.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(pinion, 1);
  GearRecord rack;
  BuildRackGeometry(rack, 1.0, 32.0, 0.0, 1, 10, 4.0, 10.0, 0.8, 1);
  ASSERT_EQ(pinion.valid, 1);
  ASSERT_EQ(rack.valid, 1);
  StrengthInputs in = MakeSteelInputs();
  StrengthResults res;
  EXPECT_EQ(ComputeGearStrength(pinion, rack, kPairRack, 0.0, 1.2, in, res), 0);
  EXPECT_EQ(res.valid, 0);
  EXPECT_EQ(res.message, kNoRootSection);
  EXPECT_EQ(res.rootSection[1].found, 0);
  EXPECT_NEAR(res.tangentialForce, 2000.0 * 31.83 / 20.0, 1e-9);
  EXPECT_GT(res.kV, 1.0);
  EXPECT_GT(res.kHbeta, 1.0);
  EXPECT_GT(res.zH, 0.0);
  EXPECT_NEAR(res.zE, 189.8, 0.05);
  EXPECT_GT(res.sigmaH, 0.0);
  EXPECT_GT(res.yEps, 0.0);
  EXPECT_EQ(res.safetyH[0], 0.0);  // nothing after the root sections
  EXPECT_EQ(res.torqueFactorRoot, 0.0);
}

TEST(StrengthCalc, NaNIsNeverReportedAsValid) {
  // eps_alpha 13 is impossible but passes the input check; Z_eps of a spur
  // pair then takes the root of a negative number.
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 20.0);
  StrengthInputs in = MakeSteelInputs();
  StrengthResults res;
  EXPECT_EQ(ComputeGearStrength(g1, g2, kPairExternal, 60.0, 13.0, in, res), 0);
  EXPECT_EQ(res.valid, 0);
  EXPECT_EQ(res.message, kNoFiniteResult);
}

TEST(StrengthCalc, SmallModuleDefaultPair) {
  // The program's default pair: m 0.2, z 200 / 400, a 60.
  const GearRecord g1 = MakeGear(0.2, 200, 0.0, 2.0);
  const GearRecord g2 = MakeGear(0.2, 400, 0.0, 2.0);
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = 1.0;
  StrengthResults res;
  ASSERT_EQ(ComputeGearStrength(g1, g2, kPairExternal, 60.0, 1.9, in, res), 1) << res.message;
  const IsoRootSection iso1 = ComputeIsoExternalTipLoad(200.0, 0.0);
  EXPECT_NEAR(res.formFactor[0] / iso1.formFactor, 1.0, 0.01);
  EXPECT_NEAR(res.tangentialForce, 2000.0 / 40.0, 1e-9);
}

TEST(StrengthCalc, ZoneFactorUsesTheOperatingPressureAngleOfTheWorkedExamples) {
  // ZH = sqrt(2 cos beta_b cos alpha_w / (cos^2 alpha_t sin alpha_w)) with the
  // printed operating pressure angles of three handbook pairs.
  struct Case {
    const char* what;
    double mn;
    int64_t z1, z2;
    double x1, x2, betaDeg, a, alphaTDeg, alphaWDeg;
    int64_t kind;
  };
  const Case cases[] = {
      {"E1 external spur", 3.0, 12, 24, 0.60, 0.36, 0.0, 56.4999, 20.0, 26.0886, kPairExternal},
      {"E2 helical", 3.0, 12, 60, 0.09809, 0.0, 30.0, 125.0, 22.79588, 23.1126, kPairExternal},
      {"E4 internal", 3.0, 16, 24, 0.0, 0.50, 0.0, 13.1683, 20.0, 31.09385, kPairInternal},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const GearRecord g1 = MakeGear(c.mn, c.z1, c.x1, 20.0, c.betaDeg, -1, 1);
    GearRecord g2 = c.kind == kPairInternal ? MakeRing(c.mn, c.z2, c.x2, 20.0)
                                            : MakeGear(c.mn, c.z2, c.x2, 20.0, c.betaDeg, 1, 1);
    ASSERT_EQ(g1.valid, 1);
    ASSERT_EQ(g2.valid, 1);
    StrengthInputs in = MakeSteelInputs();
    StrengthResults res;
    ASSERT_EQ(ComputeGearStrength(g1, g2, c.kind, c.a, 1.3, in, res), 1) << res.message;
    const double betaB = std::asin(std::sin(c.betaDeg * kDeg) * std::cos(20.0 * kDeg));
    const double alphaT = c.alphaTDeg * kDeg;
    const double alphaW = c.alphaWDeg * kDeg;
    const double zh = std::sqrt(2.0 * std::cos(betaB) * std::cos(alphaW) /
                                (std::cos(alphaT) * std::cos(alphaT) * std::sin(alphaW)));
    // The printed angles have 4 to 5 decimals (and a 4 decimals).
    EXPECT_NEAR(res.zH / zh, 1.0, 2e-4);
    const double u = static_cast<double>(c.z2) / static_cast<double>(c.z1);
    EXPECT_NEAR(res.ratio, u, 1e-12);
  }
}

TEST(StrengthCalc, TransmissibleTorquesDoNotDependOnTheTorqueAtLightLoad) {
  // While KA Ft / b stays below 100 N/mm, Kv does not change: sigma_H grows
  // with sqrt(T1) and sigma_F with T1, so the torques the pair could transmit
  // come out the same for any load torque.
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 20.0);
  StrengthInputs in = MakeSteelInputs();
  StrengthResults light, heavier;
  in.torque1 = 10.0;  // Ft / b = 25 N/mm
  ASSERT_EQ(ComputeGearStrength(g1, g2, kPairExternal, 60.0, 1.6, in, light), 1);
  in.torque1 = 20.0;
  ASSERT_EQ(ComputeGearStrength(g1, g2, kPairExternal, 60.0, 1.6, in, heavier), 1);
  EXPECT_NEAR(heavier.sigmaH / light.sigmaH, std::sqrt(2.0), 1e-12);
  EXPECT_NEAR(heavier.sigmaF[0] / light.sigmaF[0], 2.0, 1e-12);
  EXPECT_NEAR(heavier.torqueFactorFlank / light.torqueFactorFlank, 1.0, 1e-12);
  EXPECT_NEAR(heavier.torqueFactorRoot / light.torqueFactorRoot, 1.0, 1e-12);
}

TEST(StrengthCalc, SizeFactorOfLargeModulesLowersThePermissibleRootStress) {
  // mn 6: YX = 1.03 - 0.006 6 = 0.994 for both gears.
  const GearRecord g1 = MakeGear(6.0, 20, 0.0, 60.0);
  const GearRecord g2 = MakeGear(6.0, 40, 0.0, 60.0);
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = 2000.0;
  StrengthResults res;
  ASSERT_EQ(ComputeGearStrength(g1, g2, kPairExternal, 180.0, 1.6, in, res), 1) << res.message;
  for (int i = 0; i < 2; ++i) {
    EXPECT_NEAR(res.sizeFactor[i], 0.994, 1e-12);
    EXPECT_NEAR(res.sigmaFP[i], 430.0 * 2.0 * res.yNT[i] * 0.994, 1e-9);
  }
  // The root-form factors do not depend on the module.
  const IsoRootSection iso = ComputeIsoExternalTipLoad(20.0, 0.0);
  EXPECT_NEAR(res.formFactor[0] / iso.formFactor, 1.0, 0.01);
  // Ft / b = 2000 2000 / 120 / 60 = 555.6 N/mm: the line load is used as it is.
  const double ft = 2000.0 * 2000.0 / 120.0;
  const double v = kPi * 120.0 * 1500.0 / 60000.0;
  EXPECT_NEAR(res.kV, 1.0 + 20.0 * (26.8 / (ft / 60.0) + 0.0193) * v / 100.0 * std::sqrt(0.8),
              1e-12);
}

}  // namespace
