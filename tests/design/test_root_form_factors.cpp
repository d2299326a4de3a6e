// Root form factors found on the generated outline, against ISO 6336-3 in
// closed form and against the straight-tooth limits of racks and ring gears.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "design/root_form_factors.h"
#include "design/strength_results.h"
#include "design/virtual_gear.h"
#include "strength_test_support.h"

using namespace strength_test;

// ISO 6336-3 prints YFa 2.80 / YSa 1.55 for z 20, x 0 (load at the tip); the
// closed form below reproduces those. The outline is a polygon of 112 points
// per fillet and flank at density 8, so the 30 degree point and the tip
// tangent are found to a fraction of a point step: 1 % on YF (it goes with
// 1 / sFn^2), 0.5 % on YS, sFn and hFe.
TEST(RootFormFactors, ExternalGearsMatchTheIsoClosedForm) {
  struct Case {
    double m;
    int64_t z;
    double x;
  };
  const Case cases[] = {{1.0, 20, 0.0}, {2.0, 17, 0.0}, {1.0, 40, 0.0}, {3.0, 100, 0.0},
                        {1.0, 12, 0.4}, {0.5, 20, 0.5}, {1.0, 25, -0.3},
                        // undercut teeth: the 30 degree point lies on the trochoid
                        {1.0, 10, 0.0}, {1.0, 8, 0.3}, {1.0, 12, -0.2}};
  for (const Case& c : cases) {
    const GearRecord gear = MakeGear(c.m, c.z, c.x, 10.0);
    ASSERT_EQ(gear.valid, 1);
    RootSection s;
    ASSERT_EQ(ComputeRootFormFactors(gear, kPairExternal, s), 1) << c.z;
    const IsoRootSection iso = ComputeIsoExternalTipLoad(static_cast<double>(c.z), c.x);
    SCOPED_TRACE(testing::Message() << "z " << c.z << " x " << c.x);
    EXPECT_EQ(s.found, 1);
    EXPECT_NEAR(s.formFactor / iso.formFactor, 1.0, 0.01);
    EXPECT_NEAR(s.stressCorrection / iso.stressCorrection, 1.0, 0.005);
    EXPECT_NEAR(s.chord / (iso.chord * c.m), 1.0, 0.005);
    EXPECT_NEAR(s.momentArm / (iso.momentArm * c.m), 1.0, 0.005);
    EXPECT_NEAR(s.filletRadius / (iso.filletRadius * c.m), 1.0, 0.02);
    EXPECT_NEAR(s.loadAngle, iso.loadAngle, 0.5 * kDeg);
    EXPECT_DOUBLE_EQ(s.chord, 2.0 * s.pointX);
  }
}

TEST(RootFormFactors, StandardGearLiesInThePublishedBand) {
  // Published ISO 6336-3 / DIN 3990 charts: z 20, x 0 -> YFa about 2.80,
  // YSa about 1.55 (load at the tip).
  const GearRecord gear = MakeGear(2.0, 20, 0.0, 20.0);
  RootSection s;
  ASSERT_EQ(ComputeRootFormFactors(gear, kPairExternal, s), 1);
  EXPECT_NEAR(s.formFactor, 2.80, 0.05);
  EXPECT_NEAR(s.stressCorrection, 1.55, 0.03);
  // The critical point lies on the fillet: below the form circle, above the root.
  const double r = std::hypot(s.pointX, s.pointY);
  EXPECT_GT(r, gear.rootRadius);
  EXPECT_LT(r, gear.formRadius);
}

TEST(RootFormFactors, ScaleWithTheModule) {
  // YF and YS are ratios: the same tooth at another module gives the same.
  RootSection small, large;
  ASSERT_EQ(ComputeRootFormFactors(MakeGear(0.2, 30, 0.1, 2.0), kPairExternal, small), 1);
  ASSERT_EQ(ComputeRootFormFactors(MakeGear(8.0, 30, 0.1, 80.0), kPairExternal, large), 1);
  EXPECT_NEAR(small.formFactor, large.formFactor, 1e-9);
  EXPECT_NEAR(small.stressCorrection, large.stressCorrection, 1e-9);
  EXPECT_NEAR(large.chord / small.chord, 40.0, 1e-9);
}

TEST(RootFormFactors, LargeExternalGearApproachesItsRack) {
  // z 2000 against the straight tooth of the basic rack (ha 1, hf 1.25,
  // rho 0.38, 30 degree tangent): the involute and the trochoid are all but
  // straight and circular there.
  const IsoRootSection rack =
      ComputeStraightToothSection(kPi / 4.0, 1.0, 1.25, 0.38, 20.0 * kDeg, 30.0);
  RootSection s;
  ASSERT_EQ(ComputeRootFormFactors(MakeGear(1.0, 2000, 0.0, 10.0), kPairExternal, s), 1);
  EXPECT_NEAR(s.formFactor / rack.formFactor, 1.0, 0.01);
  EXPECT_NEAR(s.stressCorrection / rack.stressCorrection, 1.0, 0.01);
}

TEST(RootFormFactors, RackMatchesTheStraightToothAt30Degrees) {
  // The virtual rack is built with 48 fillet steps, so the point at 30 degrees
  // is found within a step of 1.5 degrees of the rounding.
  for (double m : {0.2, 1.0, 5.0}) {
    GearRecord source = MakeRack(m, 10, 10.0, 15.0);
    ASSERT_EQ(source.valid, 1);
    GearRecord rack;
    ASSERT_EQ(BuildVirtualGear(source, kPairRack, rack), 1);
    RootSection s;
    ASSERT_EQ(ComputeRootFormFactors(rack, kPairRack, s), 1);
    const IsoRootSection ref =
        ComputeStraightToothSection(kPi / 4.0, 1.0, 1.25, 0.38, 20.0 * kDeg, 30.0);
    SCOPED_TRACE(m);
    EXPECT_NEAR(s.formFactor / ref.formFactor, 1.0, 0.01);
    EXPECT_NEAR(s.stressCorrection / ref.stressCorrection, 1.0, 0.01);
    EXPECT_NEAR(s.filletRadius / (0.38 * m), 1.0, 1e-6);  // points on one circle
    EXPECT_NEAR(s.loadAngle, 20.0 * kDeg, 1e-9);          // the straight flank
  }
}

TEST(RootFormFactors, RackBackNeverEntersTheSearch) {
  // A rack barely deeper than its root (back 0.01 m below the root line) gives
  // the same section as a deep one: the back and the end faces are left out.
  GearRecord shallow, deep;
  BuildRackGeometry(shallow, 2.0, 20.0, 0.0, 1, 3, 1.26 * 2.0, 10.0, 0.0, 8);
  BuildRackGeometry(deep, 2.0, 20.0, 0.0, 1, 3, 20.0, 10.0, 0.0, 8);
  RootSection a, b;
  ASSERT_EQ(ComputeRootFormFactors(shallow, kPairRack, a), 1);
  ASSERT_EQ(ComputeRootFormFactors(deep, kPairRack, b), 1);
  EXPECT_DOUBLE_EQ(a.formFactor, b.formFactor);
  EXPECT_DOUBLE_EQ(a.stressCorrection, b.stressCorrection);
  EXPECT_GT(a.pointY, -1.25 * 2.0);
}

TEST(RootFormFactors, RingGearUsesThe60DegreeTangent) {
  // A ring of many teeth has nearly straight teeth: ha 1, hf 1.25, root
  // rounding 0.25 m; the critical point is where the rounding is at 60 degrees.
  const GearRecord ring = MakeRing(1.0, 2000, 0.0, 10.0, 0.0, 8);
  ASSERT_EQ(ring.valid, 1);
  RootSection s;
  ASSERT_EQ(ComputeRootFormFactors(ring, kPairInternal, s), 1);
  const IsoRootSection at60 =
      ComputeStraightToothSection(kPi / 4.0, 1.0, 1.25, 0.25, 20.0 * kDeg, 60.0);
  const IsoRootSection at30 =
      ComputeStraightToothSection(kPi / 4.0, 1.0, 1.25, 0.25, 20.0 * kDeg, 30.0);
  EXPECT_NEAR(s.chord / at60.chord, 1.0, 0.005);
  EXPECT_NEAR(s.formFactor / at60.formFactor, 1.0, 0.01);
  EXPECT_NEAR(s.stressCorrection / at60.stressCorrection, 1.0, 0.01);
  EXPECT_GT(std::fabs(s.chord / at30.chord - 1.0), 0.02);  // clearly not the 30 degree point
  EXPECT_NEAR(s.filletRadius, 0.25, 0.25 * 0.01);
  EXPECT_LT(s.pointY, 0.0);  // h of a ring tooth is negative
}

TEST(RootFormFactors, RingGearsOfUsualSizesAreFound) {
  for (int64_t z : {24, 40, 60, 100}) {
    for (double x : {0.0, 0.5}) {
      GearRecord source = MakeRing(2.0, z, x, 20.0);
      ASSERT_EQ(source.valid, 1);
      GearRecord ring;
      ASSERT_EQ(BuildVirtualGear(source, kPairInternal, ring), 1);
      RootSection s;
      ASSERT_EQ(ComputeRootFormFactors(ring, kPairInternal, s), 1) << z << " " << x;
      EXPECT_GT(s.formFactor, 0.5);
      EXPECT_LT(s.formFactor, 3.0);
      EXPECT_GT(s.stressCorrection, 1.2);
      EXPECT_GT(s.momentArm, 0.0);
    }
  }
}

TEST(RootFormFactors, PointedToothStillHasALoadLine) {
  // z 10 with x 1.2 is pointed: the tip is where the flanks meet.
  const GearRecord gear = MakeGear(1.0, 10, 1.2, 10.0);
  ASSERT_EQ(gear.valid, 1);
  ASSERT_EQ(gear.pointed, 1);
  RootSection s;
  ASSERT_EQ(ComputeRootFormFactors(gear, kPairExternal, s), 1);
  EXPECT_TRUE(std::isfinite(s.formFactor));
  EXPECT_GT(s.formFactor, 0.0);
  EXPECT_GT(s.loadAngle, 20.0 * kDeg);
}

TEST(RootFormFactors, RejectsWhatHasNoRootSection) {
  RootSection s;
  s.found = 1;
  GearRecord invalid = MakeGear(1.0, 20, 0.0, 10.0);
  invalid.valid = 0;
  EXPECT_EQ(ComputeRootFormFactors(invalid, kPairExternal, s), 0);
  EXPECT_EQ(s.found, 0);

  // A 32 degree rack (thinned so that its fillets fit): its straight flank is
  // steeper than 30 degrees to the centre line all the way, so no tangent
  // turns through the limit.
  GearRecord steep;
  BuildRackGeometry(steep, 1.0, 32.0, 0.0, 1, 3, 4.0, 10.0, 0.8, 8);
  ASSERT_EQ(steep.valid, 1);
  s.found = 1;
  EXPECT_EQ(ComputeRootFormFactors(steep, kPairRack, s), 0);
  EXPECT_EQ(s.found, 0);

  // An outline with too few points.
  GearRecord bare = MakeGear(1.0, 20, 0.0, 10.0);
  bare.outline.resize(1);
  bare.outline[0].points.resize(3);
  EXPECT_EQ(ComputeRootFormFactors(bare, kPairExternal, s), 0);

  // An unknown pair kind.
  EXPECT_EQ(ComputeRootFormFactors(MakeGear(1.0, 20, 0.0, 10.0), 5, s), 0);
}

TEST(RootFormFactors, FilletCircleThroughThreePoints) {
  // Points of the circle of radius 2 about (1, -3).
  auto at = [](double a, double& s, double& h) {
    s = 1.0 + 2.0 * std::cos(a);
    h = -3.0 + 2.0 * std::sin(a);
  };
  double s1, h1, s2, h2, s3, h3;
  at(0.1, s1, h1);
  at(0.7, s2, h2);
  at(2.0, s3, h3);
  EXPECT_NEAR(ComputeFilletCircleRadius(s1, h1, s2, h2, s3, h3), 2.0, 1e-12);
  // Collinear points: a straight "fillet".
  EXPECT_EQ(ComputeFilletCircleRadius(0.0, 0.0, 1.0, 2.0, 2.0, 4.0), 1e6);
}

TEST(RootFormFactors, NotchParameterIsClampedToOneAndEight) {
  const double sFn = 2.0, hFe = 1.8;
  const double l = sFn / hFe;
  const double exponent = 1.0 / (1.21 + 2.3 / l);
  // A straight fillet (rho 1e6) counts as qs = 1.
  EXPECT_NEAR(ComputeStressCorrectionFactor(sFn, hFe, 1e6), 1.2 + 0.13 * l,
              1e-12);
  // A very sharp fillet (rho below sFn / 16) counts as qs = 8.
  const double sharp = (1.2 + 0.13 * l) * std::pow(8.0, exponent);
  EXPECT_NEAR(ComputeStressCorrectionFactor(sFn, hFe, sFn / 40.0), sharp, 1e-12);
  EXPECT_NEAR(ComputeStressCorrectionFactor(sFn, hFe, sFn / 16.0), sharp, 1e-12);
  // In between, the formula itself: qs = 2.
  EXPECT_NEAR(ComputeStressCorrectionFactor(sFn, hFe, 0.5),
              (1.2 + 0.13 * l) * std::pow(2.0, exponent), 1e-12);
}

TEST(RootFormFactors, FormFactorFormula) {
  // YF = 6 (hFe / mn) cos alpha_Fen / ((sFn / mn)^2 cos alpha_n), worked by
  // hand: hFe 3.8, sFn 3.9, mn 2, alpha_Fen 25 deg, alpha_n 20 deg.
  const double expected = 6.0 * 1.9 * std::cos(25.0 * kDeg) / (1.95 * 1.95 * std::cos(20.0 * kDeg));
  EXPECT_NEAR(ComputeToothFormFactor(3.9, 3.8, 25.0 * kDeg, 2.0, 20.0 * kDeg), expected, 1e-12);
}
