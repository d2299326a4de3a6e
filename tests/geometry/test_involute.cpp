// Involute functions: inv, its inverse (also far outside the usual range),
// x min against undercut and the half tooth angle.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "geometry/involute.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {

// The plain algorithm: start (3 v)^(1/3), 30 Newton steps, no early exit.
double PlainNewtonInverse(double v) {
  double a = std::cbrt(3.0 * v);
  for (int i = 0; i < 30; ++i) {
    const double t = std::tan(a);
    a -= (t - a - v) / (t * t);
  }
  return a;
}

}  // namespace

TEST(Involute, IsTanMinusAngle) {
  EXPECT_DOUBLE_EQ(Involute(0.0), 0.0);
  // inv 20 deg = 0.014904383867336, the tabulated value.
  EXPECT_NEAR(Involute(Deg(20.0)), 0.0149043839, 1e-10);
  EXPECT_NEAR(Involute(Deg(45.0)), 1.0 - kPi / 4.0, 1e-15);
}

TEST(InverseInvolute, RecoversTheAngleOverTheWholeRange) {
  for (double a : {1e-3, 0.01, 0.1, Deg(20.0), 0.6, 1.0, 1.2, 1.29, 1.3, 1.4, 1.5, 1.55, 1.5707}) {
    SCOPED_TRACE(a);
    EXPECT_NEAR(InverseInvolute(TextbookInvolute(a)), a, 1e-12 * std::fmax(1.0, 1.0 / a));
  }
}

TEST(InverseInvolute, NormalArgumentsGiveThePlainNewtonResult) {
  for (double v : {1e-6, 1e-4, 0.005, 0.014904, 0.03, 0.1, 0.5, 1.0, 1.28}) {
    SCOPED_TRACE(v);
    EXPECT_EQ(InverseInvolute(v), PlainNewtonInverse(v));
  }
}

// Regression: from about v = 1.29 the start value (3 v)^(1/3) passes pi/2,
// where tan changes sign, and Newton diverged.
TEST(InverseInvolute, LargeArgumentsStayBelowHalfPi) {
  for (double v : {1.2919, 1.3, 2.0, 10.0, 1e3, 1e6}) {
    SCOPED_TRACE(v);
    const double a = InverseInvolute(v);
    ASSERT_TRUE(a > 0.0 && a < kPi / 2.0);
    EXPECT_NEAR(TextbookInvolute(a) / v, 1.0, 1e-9);
  }
}

// Regression: v <= 0 divided by zero (tan 0 = 0) and gave NaN.
TEST(InverseInvolute, NonPositiveAndNaNGiveZero) {
  for (double v : {0.0, -0.0, -1e-9, -1.0, -std::numeric_limits<double>::infinity(),
                   std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_EQ(InverseInvolute(v), 0.0) << v;
  }
  const double top = InverseInvolute(std::numeric_limits<double>::infinity());
  EXPECT_TRUE(top > 1.57 && top <= kPi / 2.0);
}

TEST(ComputeMinProfileShift, MatchesTheUndercutLimit) {
  // Worked example: z 12 at 20 deg gives 0.29813, the same as 1 - z sin^2(alpha) / 2.
  EXPECT_NEAR(ComputeMinProfileShift(12, 20.0, 0.0), 0.29813, 5e-5);
  EXPECT_NEAR(ComputeMinProfileShift(12, 20.0, 0.0), 1.0 - 12.0 * std::pow(std::sin(Deg(20)), 2) / 2.0,
              2e-3);
  struct Case {
    int64_t z;
    double alpha, beta;
  };
  for (Case c : {Case{20, 20, 0}, Case{12, 20, 30}, Case{17, 20, 15.8}, Case{30, 25, 10}}) {
    const double an = Deg(c.alpha);
    const double b = Deg(c.beta);
    const double at = std::atan(std::tan(an) / std::cos(b));
    // The tool's tip rounding: 0.38, or the largest that fits the tool tooth
    // (half width pi / 4 - 1.25 tan alpha_n on the tip line, a rounding rho
    // meeting it rho tan(45 deg - alpha_n / 2) from the corner).
    const double rho =
        std::fmin(0.38, (kPi / 4.0 - 1.25 * std::tan(an)) / std::tan(kPi / 4.0 - an / 2.0));
    const double expected =
        1.25 - rho * (1.0 - std::sin(an)) - c.z * std::sin(at) * std::sin(at) / (2.0 * std::cos(b));
    EXPECT_NEAR(ComputeMinProfileShift(c.z, c.alpha, c.beta), expected, 1e-12);
    // The record's own value uses its factors; with the standard ones they agree.
    const GearRecord rec = MakeGear(2.0, c.z, 0.5, c.alpha, c.beta);
    EXPECT_NEAR(rec.minProfileShift, expected, 1e-12);
  }
  // Worked numbers: m 2, z 20, x 0 gives -0.170.
  EXPECT_NEAR(ComputeMinProfileShift(20, 20.0, 0.0), -0.170, 5e-4);
}

TEST(ComputeInvolutePolarAngle, HalfToothAngleOnTheCircles) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0);
  // On the pitch circle the half tooth angle is s / (2 r) = pi / (2 z).
  EXPECT_NEAR(ComputeInvolutePolarAngle(rec, rec.pitchRadius), kPi / 40.0, 1e-14);
  // Worked numbers: psi(22) = 0.03159.
  EXPECT_NEAR(ComputeInvolutePolarAngle(rec, 22.0), 0.03159, 1e-5);
  // Below the base circle the value at the base circle: s / d + inv alpha_t.
  const double atBase = kPi / 40.0 + TextbookInvolute(Deg(20.0));
  EXPECT_NEAR(ComputeInvolutePolarAngle(rec, rec.baseRadius), atBase, 1e-14);
  EXPECT_EQ(ComputeInvolutePolarAngle(rec, 10.0), ComputeInvolutePolarAngle(rec, rec.baseRadius));
  EXPECT_GT(ComputeInvolutePolarAngle(rec, 20.0), ComputeInvolutePolarAngle(rec, 21.0));
}
