// The transmissible torque "T1 max" of the strength calculation: the
// calculation run again at the printed torque must reach the minimum safety
// of the limiting kind, and keep the other kind at or above its minimum.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "design/strength_calc.h"
#include "geometry/path_of_contact.h"
#include "strength_test_support.h"

using namespace strength_test;

namespace {

struct LimitCase {
  const char* name;
  GearRecord gear1, gear2;
  int64_t pairKind;
  double centreDistance;
  StrengthInputs inputs;
};

// The printed T1 max: min of the two torques with two decimals.
double PrintedMaxTorque(const StrengthResults& r) {
  return std::round(std::min(r.torqueFactorFlank, r.torqueFactorRoot) * 100.0) / 100.0;
}

double ContactRatio(const LimitCase& c) {
  if (c.pairKind == kPairExternal) return ComputeTransverseContactRatio(c.gear1, c.gear2, c.centreDistance);
  PathOfContactRecord path;
  ComputeInternalPathOfContact(c.gear1, c.gear2, c.centreDistance, 0.0, path);
  return (path.posE - path.posA) / (kPi * c.gear1.transverseModule * std::cos(c.gear1.transversePressureAngle));
}

StrengthInputs Inputs(double torque, double speed, int64_t grade, double sigmaFlim) {
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = torque;
  in.speed1 = speed;
  in.accuracyGrade = grade;
  for (int i = 0; i < 2; ++i) in.sigmaFlim[i] = sigmaFlim;
  return in;
}

std::vector<LimitCase> Cases() {
  std::vector<LimitCase> cases;
  // External spur pair mn 3, z 25 / 75, b 30, grade 8, 3000 /min, 600 Nm:
  // the flank limits, and Kv rises from 1.26 at 600 Nm to 1.60 at the limit.
  cases.push_back({"external", MakeGear(3.0, 25, 0.0, 30.0), MakeGear(3.0, 75, 0.0, 30.0), kPairExternal, 150.0,
                   Inputs(600.0, 3000.0, 8, 430.0)});
  // Internal spur pair mn 5, z 47 / 111, b 30, grade 10, 858 /min, a weak
  // root: the root limits at a line load below 100 N/mm, where Kv is 4.59
  // against 1.30 at the given 5830 Nm.
  cases.push_back({"internal", MakeGear(5.0, 47, 0.0, 30.0), MakeRing(5.0, 111, 0.0, 30.0), kPairInternal, 160.0,
                   Inputs(5830.0, 858.0, 10, 60.0)});
  // The same internal pair with a common steel root: the limit lies above
  // 100 N/mm.
  cases.push_back({"internal steel", MakeGear(5.0, 47, 0.0, 30.0), MakeRing(5.0, 111, 0.0, 30.0), kPairInternal,
                   160.0, Inputs(5830.0, 858.0, 10, 430.0)});
  // A helical pair at light load, far below its limits.
  cases.push_back({"helical", MakeGear(2.0, 20, 0.0, 30.0, 15.0), MakeGear(2.0, 53, 0.0, 30.0, 15.0, -1),
                   kPairExternal, 2.0 * 73.0 / 2.0 / std::cos(15.0 * kDeg), Inputs(12.0, 2900.0, 6, 430.0)});
  return cases;
}

TEST(StrengthLimits, RerunAtThePrintedMaxTorqueReachesTheMinimumSafety) {
  for (LimitCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(c.gear1.valid, 1);
    ASSERT_EQ(c.gear2.valid, 1);
    const double eps = std::max(ContactRatio(c), 0.5);
    StrengthResults first;
    ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, c.inputs, first), 1)
        << first.message;
    const bool rootLimits = first.torqueFactorRoot < first.torqueFactorFlank;

    StrengthInputs atLimit = c.inputs;
    atLimit.torque1 = PrintedMaxTorque(first);
    StrengthResults again;
    ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, atLimit, again), 1);
    const double flank = std::min(again.safetyH[0], again.safetyH[1]) / atLimit.minSafetyH;
    const double root = std::min(again.safetyF[0], again.safetyF[1]) / atLimit.minSafetyF;
    if (rootLimits) {
      EXPECT_NEAR(root, 1.0, 0.005);
      EXPECT_GE(flank, 1.0);
    } else {
      EXPECT_NEAR(flank, 1.0, 0.005);
      EXPECT_GE(root, 1.0);
    }
    // Both torques, not only the smaller one, are where their kind reaches
    // its minimum (unrounded, so to far better than 0.5 %).
    atLimit.torque1 = first.torqueFactorFlank;
    ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, atLimit, again), 1);
    EXPECT_NEAR(std::min(again.safetyH[0], again.safetyH[1]) / atLimit.minSafetyH, 1.0, 1e-9);
    atLimit.torque1 = first.torqueFactorRoot;
    ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, atLimit, again), 1);
    EXPECT_NEAR(std::min(again.safetyF[0], again.safetyF[1]) / atLimit.minSafetyF, 1.0, 1e-9);
  }
}

TEST(StrengthLimits, LimitDoesNotDependOnTheTorqueItIsFoundFrom) {
  // The limit is a property of the pair: any load torque, light or heavy,
  // leads to the same transmissible torques.
  for (LimitCase& c : Cases()) {
    SCOPED_TRACE(c.name);
    const double eps = std::max(ContactRatio(c), 0.5);
    StrengthResults reference;
    ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, c.inputs, reference), 1);
    for (double factor : {0.01, 0.3, 3.0, 40.0}) {
      StrengthInputs in = c.inputs;
      in.torque1 *= factor;
      StrengthResults r;
      ASSERT_EQ(ComputeGearStrength(c.gear1, c.gear2, c.pairKind, c.centreDistance, eps, in, r), 1);
      EXPECT_NEAR(r.torqueFactorFlank / reference.torqueFactorFlank, 1.0, 1e-9) << factor;
      EXPECT_NEAR(r.torqueFactorRoot / reference.torqueFactorRoot, 1.0, 1e-9) << factor;
    }
  }
}

}  // namespace
