// The single factors of the load-capacity calculation against textbook
// values (ISO 6336 / DIN 3990) worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "design/strength_factors.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

TEST(StrengthFactors, ElasticityFactorOfSteelOnSteel) {
  // ZE = 189.8 sqrt(N/mm^2) for E 206000, nu 0.3 (ISO 6336-2).
  EXPECT_NEAR(ComputeElasticityFactor(206000.0, 0.3, 206000.0, 0.3), 189.8, 0.05);
  // Steel on grey cast iron (E 120000, nu 0.25): 1 / (pi (0.91 / 206000 +
  // 0.9375 / 120000)), root 161.3.
  EXPECT_NEAR(ComputeElasticityFactor(206000.0, 0.3, 120000.0, 0.25),
              std::sqrt(1.0 / (kPi * (0.91 / 206000.0 + 0.9375 / 120000.0))), 1e-9);
  EXPECT_NEAR(ComputeElasticityFactor(206000.0, 0.3, 120000.0, 0.25), 161.3, 0.05);
}

TEST(StrengthFactors, ZoneFactor) {
  // alpha_n 20 deg, beta 0, x sum 0: ZH = 2.495.
  EXPECT_NEAR(ComputeZoneFactor(0.0, 20.0 * kDeg, 20.0 * kDeg), 2.495, 0.0005);
  // Helical, beta 15 deg, at the pitch point: ZH = sqrt(2 cos beta_b /
  // (cos alpha_t sin alpha_t)) with tan alpha_t = tan 20 / cos 15 and
  // sin beta_b = sin 15 cos 20. ISO 6336-2 charts give about 2.43.
  const double alphaT = std::atan(std::tan(20.0 * kDeg) / std::cos(15.0 * kDeg));
  const double betaB = std::asin(std::sin(15.0 * kDeg) * std::cos(20.0 * kDeg));
  const double zh = ComputeZoneFactor(betaB, alphaT, alphaT);
  EXPECT_NEAR(zh, std::sqrt(2.0 * std::cos(betaB) / (std::cos(alphaT) * std::sin(alphaT))), 1e-12);
  EXPECT_NEAR(zh, 2.43, 0.01);
}

TEST(StrengthFactors, ContactRatioFactors) {
  struct Case {
    double epsAlpha, epsBeta, zEps;
  };
  const Case cases[] = {
      {1.6, 0.0, std::sqrt(2.4 / 3.0)},                        // spur: 0.894
      {1.6, 0.5, std::sqrt(2.4 / 3.0 * 0.5 + 0.5 / 1.6)},      // helical, eps_beta < 1
      {1.6, 1.0, std::sqrt(1.0 / 1.6)},                        // from eps_beta 1 on
      {1.4, 2.3, std::sqrt(1.0 / 1.4)},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ComputeContactRatioFactorFlank(c.epsAlpha, c.epsBeta), c.zEps, 1e-12)
        << c.epsAlpha << " " << c.epsBeta;
  }
  EXPECT_NEAR(ComputeContactRatioFactorFlank(1.6, 0.0), 0.894, 0.0005);
  // Y_eps = 0.25 + 0.75 / eps_alpha for spur gears: 0.719 at 1.6.
  EXPECT_NEAR(ComputeContactRatioFactorRoot(0.0, 1.6), 0.71875, 1e-12);
  const double betaB = 14.076 * kDeg;
  EXPECT_NEAR(ComputeContactRatioFactorRoot(betaB, 1.5),
              0.25 + 0.75 * std::pow(std::cos(betaB), 2) / 1.5, 1e-12);
}

TEST(StrengthFactors, HelixFactors) {
  EXPECT_NEAR(ComputeHelixFactorFlank(0.0), 1.0, 1e-15);
  EXPECT_NEAR(ComputeHelixFactorFlank(20.0 * kDeg), 1.0 / std::sqrt(std::cos(20.0 * kDeg)), 1e-12);
  struct Case {
    double epsBeta, betaDeg, yBeta;
  };
  const Case cases[] = {
      {0.0, 0.0, 1.0},
      {0.8, 15.0, 1.0 - 0.8 * 15.0 / 120.0},  // 0.9
      {1.5, 15.0, 1.0 - 15.0 / 120.0},        // eps_beta counts up to 1
      {2.0, 40.0, 0.75},                      // beta counts up to 30 degrees
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ComputeHelixFactorRoot(c.epsBeta, c.betaDeg * kDeg), c.yBeta, 1e-12) << c.betaDeg;
  }
}

TEST(StrengthFactors, DynamicFactorOfTheWorkedSpurPair) {
  // z1 20, v = pi 40 1500 / 60000 = 3.1416 m/s, u 2, grade 7, w raised to 100:
  // Kv = 1 + 20 (26.8 / 100 + 0.0193) 3.1416 / 100 sqrt(4 / 5) = 1.161.
  const double v = kPi * 40.0 * 1500.0 / 60000.0;
  const double kv = ComputeDynamicFactor(7, 20.0, v, 2.0, 0, 79.6, 0.0);
  EXPECT_NEAR(kv, 1.161, 0.0005);
  EXPECT_NEAR(kv, 1.0 + 20.0 * (0.268 + 0.0193) * v / 100.0 * std::sqrt(0.8), 1e-12);
}

TEST(StrengthFactors, DynamicFactorMixesSpurAndHelicalByOverlap) {
  const double v = 10.0, z1 = 25.0, u = 3.0, w = 250.0;
  const double f = std::sqrt(9.0 / 10.0);
  struct Case {
    int64_t grade;
    double k1Spur, k1Helical;
  };
  const Case cases[] = {{5, 7.5, 6.7},   {6, 14.9, 13.3}, {7, 26.8, 23.9},
                        {8, 39.1, 34.8}, {9, 52.8, 47.0}, {10, 76.6, 68.2}};
  for (const Case& c : cases) {
    const double spur = 1.0 + z1 * (c.k1Spur / w + 0.0193) * v / 100.0 * f;
    const double helical = 1.0 + z1 * (c.k1Helical / w + 0.0087) * v / 100.0 * f;
    SCOPED_TRACE(c.grade);
    EXPECT_NEAR(ComputeDynamicFactor(c.grade, z1, v, u, 0, w, 0.0), spur, 1e-12);
    EXPECT_NEAR(ComputeDynamicFactor(c.grade, z1, v, u, 0, w, 1.0), helical, 1e-12);
    EXPECT_NEAR(ComputeDynamicFactor(c.grade, z1, v, u, 0, w, 2.5), helical, 1e-12);
    EXPECT_NEAR(ComputeDynamicFactor(c.grade, z1, v, u, 0, w, 0.25),
                spur - (spur - helical) * 0.25, 1e-12);
  }
  // A rack has no ratio term (f = 1); line loads below 100 N/mm count as 100.
  EXPECT_NEAR(ComputeDynamicFactor(7, z1, v, 0.0, 1, 40.0, 0.0),
              1.0 + z1 * (26.8 / 100.0 + 0.0193) * v / 100.0, 1e-12);
  // Grades outside 5..10 use the nearest table row.
  EXPECT_EQ(ComputeDynamicFactor(4, z1, v, u, 0, w, 0.0),
            ComputeDynamicFactor(5, z1, v, u, 0, w, 0.0));
  EXPECT_EQ(ComputeDynamicFactor(12, z1, v, u, 0, w, 0.0),
            ComputeDynamicFactor(10, z1, v, u, 0, w, 0.0));
}

TEST(StrengthFactors, FaceLoadFactors) {
  // Worked pair: b 20, d1 40, grade 7: Cpf = 0.5 / 10 - 0.025 = 0.025,
  // Cma = 0.127 + 0.000622 20 - 1.44e-7 400 = 0.13938, KH_beta = 1.164.
  const double kh = ComputeFaceLoadFactorFlank(7, 20.0, 40.0);
  EXPECT_NEAR(kh, 1.0 + 0.025 + 0.127 + 0.000622 * 20.0 - 1.44e-7 * 400.0, 1e-12);
  EXPECT_NEAR(kh, 1.164, 0.0005);
  // KF_beta = KH_beta^NF, h = 2.25 mn = 4.5, q = 4.444, NF = 0.784 -> 1.127.
  const double q = 20.0 / 4.5;
  const double nf = q * q / (1.0 + q + q * q);
  EXPECT_NEAR(nf, 0.784, 0.0005);
  EXPECT_NEAR(ComputeFaceLoadFactorRoot(kh, 20.0, 4.5), std::pow(kh, nf), 1e-12);
  EXPECT_NEAR(ComputeFaceLoadFactorRoot(kh, 20.0, 4.5), 1.127, 0.0005);

  struct Case {
    int64_t grade;
    double b, d1, expected;
  };
  auto cma = [](double a0, double a1, double a2, double b) { return a0 + a1 * b + a2 * b * b; };
  const Case cases[] = {
      // b <= 25 mm: Cpf without the b term; b / d1 = 0.25 is raised to 0.5.
      {5, 25.0, 100.0, 1.0 + 0.025 + cma(0.0675, 0.000504, -1.44e-7, 25.0)},
      // b just above 25 mm takes the other branch.
      {6, 25.1, 100.4,
       1.0 + (0.05 - 0.0375 + 0.000492 * 25.1) + cma(0.0675, 0.000504, -1.44e-7, 25.1)},
      // b / d1 above 0.5 is used as it is.
      {8, 60.0, 50.0,
       1.0 + (0.12 - 0.0375 + 0.000492 * 60.0) + cma(0.127, 0.000622, -1.44e-7, 60.0)},
      {9, 10.0, 10.0, 1.0 + (0.1 - 0.025) + cma(0.247, 0.000657, -1.19e-7, 10.0)},
      {10, 100.0, 400.0, 1.0 + (0.05 - 0.0375 + 0.0492) + cma(0.247, 0.000657, -1.19e-7, 100.0)},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ComputeFaceLoadFactorFlank(c.grade, c.b, c.d1), c.expected, 1e-12)
        << c.grade << " " << c.b;
  }
}

TEST(StrengthFactors, NarrowFacesTakeNFAtBOverHOfThree) {
  // ISO 6336-1: NF = (b/h)^2 / (1 + b/h + (b/h)^2) with b/h = 3 where the
  // teeth are narrower, i.e. NF = 9 / 13 below b/h = 3.
  const double kh = 1.35;
  struct Case {
    double b, h, nf;
  };
  const Case cases[] = {
      {6.0, 4.5, 9.0 / 13.0},          // b/h = 1.33
      {2.0, 4.5, 9.0 / 13.0},          // b/h = 0.44
      {13.4, 4.5, 9.0 / 13.0},         // b/h = 2.98
      {13.5, 4.5, 9.0 / 13.0},         // b/h = 3 exactly
      {18.0, 4.5, 16.0 / 21.0},        // b/h = 4 is used as it is
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ComputeFaceLoadFactorRoot(kh, c.b, c.h), std::pow(kh, c.nf), 1e-12) << c.b;
  }
}

TEST(StrengthFactors, TransverseLoadFactorAndGradeClamp) {
  const double expected[] = {1.0, 1.0, 1.0, 1.1, 1.2, 1.4};  // grades 5..10
  for (int64_t g = 5; g <= 10; ++g) EXPECT_EQ(ComputeTransverseLoadFactor(g), expected[g - 5]) << g;
  EXPECT_EQ(ClampAccuracyGrade(4), 5);
  EXPECT_EQ(ClampAccuracyGrade(-3), 5);
  EXPECT_EQ(ClampAccuracyGrade(7), 7);
  EXPECT_EQ(ClampAccuracyGrade(11), 10);
  EXPECT_EQ(ComputeTransverseLoadFactor(12), 1.4);
}

TEST(StrengthFactors, LubricationAndSizeFactors) {
  EXPECT_NEAR(ComputeLubricationFactor(0, 0), 0.85, 1e-15);
  EXPECT_NEAR(ComputeLubricationFactor(1, 0), 1.0, 1e-15);
  EXPECT_NEAR(ComputeLubricationFactor(0, 1), 0.85 * 0.9, 1e-15);
  EXPECT_NEAR(ComputeLubricationFactor(1, 2), 0.7, 1e-15);
  // YX: 1.0 up to mn 5, 1.03 - 0.006 mn above, never below 0.85.
  EXPECT_EQ(ComputeSizeFactorRoot(0.2), 1.0);
  EXPECT_EQ(ComputeSizeFactorRoot(5.0), 1.0);
  EXPECT_NEAR(ComputeSizeFactorRoot(6.0), 0.994, 1e-12);
  EXPECT_NEAR(ComputeSizeFactorRoot(30.0), 0.85, 1e-12);
  EXPECT_NEAR(ComputeSizeFactorRoot(40.0), 0.85, 1e-12);
}

TEST(StrengthFactors, LifeFactorsAtTheCornerPoints) {
  struct Case {
    const char* what;
    bool flank;
    int64_t lifeClass;
    double cycles, expected, tolerance;
  };
  const Case cases[] = {
      {"ZNT static", true, 0, 1e4, 1.6, 1e-12},
      {"ZNT static end", true, 0, 1e5, 1.6, 1e-12},
      {"ZNT knee", true, 0, 5e7, 1.0, 1e-12},
      {"ZNT 1e6", true, 0, 1e6, 1.344, 0.0005},
      {"ZNT 1.8e9", true, 0, 1.8e9, 0.896, 0.0005},
      {"ZNT end", true, 0, 1e10, 0.85, 1e-12},
      {"ZNT beyond", true, 0, 1e13, 0.85, 1e-12},
      {"ZNT other class", true, 3, 1e5, 1.6, 1e-12},
      {"ZNT class 1 static", true, 1, 1e5, 1.3, 1e-12},
      {"ZNT class 1 knee", true, 1, 2e6, 1.0, 1e-12},
      {"ZNT class 1 1.8e9", true, 1, 1.8e9, 0.878, 0.0005},
      {"ZNT class 1 end", true, 1, 1e10, 0.85, 1e-12},
      {"YNT static", false, 0, 1e4, 2.5, 1e-12},
      {"YNT 1e5", false, 0, 1e5, 1.727, 0.0005},
      {"YNT knee", false, 0, 3e6, 1.0, 1e-12},
      {"YNT 1.8e9", false, 0, 1.8e9, 0.880, 0.0005},
      {"YNT end", false, 0, 1e10, 0.85, 1e-12},
      {"YNT class 1 static", false, 1, 1e3, 1.6, 1e-12},
      {"YNT class 1 knee", false, 1, 3e6, 1.0, 1e-12},
      {"YNT zero cycles", false, 1, 0.0, 1.6, 1e-12},
  };
  for (const Case& c : cases) {
    const double got = c.flank ? ComputeLifeFactorFlank(c.cycles, c.lifeClass)
                               : ComputeLifeFactorRoot(c.cycles, c.lifeClass);
    EXPECT_NEAR(got, c.expected, c.tolerance) << c.what;
  }
}

TEST(StrengthFactors, LifeCurvesAreContinuousAndFalling) {
  // Straight lines in log-log coordinates: sampled from 1e2 to 1e12 cycles,
  // each value is at most the previous one and no step jumps.
  for (int64_t lifeClass : {0, 1}) {
    double lastFlank = ComputeLifeFactorFlank(100.0, lifeClass);
    double lastRoot = ComputeLifeFactorRoot(100.0, lifeClass);
    for (double e = 2.0; e <= 12.0; e += 0.001) {
      const double n = std::pow(10.0, e);
      const double flank = ComputeLifeFactorFlank(n, lifeClass);
      const double root = ComputeLifeFactorRoot(n, lifeClass);
      ASSERT_LE(flank, lastFlank + 1e-12) << e;
      ASSERT_LE(root, lastRoot + 1e-12) << e;
      ASSERT_LT(lastFlank - flank, 0.002) << e;
      ASSERT_LT(lastRoot - root, 0.002) << e;
      lastFlank = flank;
      lastRoot = root;
    }
  }
}

}  // namespace
