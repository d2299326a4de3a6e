// The single factors of the load-capacity calculation (ISO 6336 / DIN 3990,
// simplified): load factors K, contact-stress factors Z, root-stress factors Y
// and the life factors. Each is a pure function of numbers, so that it can be
// checked on its own against the textbook formula.
#pragma once

#include <cstdint>

// Lowest and highest ISO 1328 accuracy grade of the factor tables.
inline constexpr int64_t kMinAccuracyGrade = 5;
inline constexpr int64_t kMaxAccuracyGrade = 10;

// K2 of the dynamic factor (DIN 3990 method B): spur and helical gears.
inline constexpr double kDynamicK2Spur = 0.0193;
inline constexpr double kDynamicK2Helical = 0.0087;

// Minimum line load of the dynamic factor, N/mm.
inline constexpr double kDynamicMinLineLoad = 100.0;

// Stress correction factor of the standard test gear (ISO 6336-5): 2.0.
inline constexpr double kTestGearStressCorrection = 2.0;

// The grade clamped to 5..10.
int64_t ClampAccuracyGrade(int64_t grade);

// K1 of the dynamic factor for a grade (clamped to 5..10), spur (helical 0)
// or helical (helical 1).
double LookUpDynamicK1(int64_t grade, int helical);

// Dynamic factor Kv (v in m/s, specificLoad = KA Ft / b in N/mm).
// w = max(KA Ft / b, 100) N/mm; f = 1 for a rack (isRack 1), else
// sqrt(u^2 / (1 + u^2)); Kv = 1 + z1 (K1 / w + K2) v / 100 f for the spur and
// the helical values, mixed linearly in eps_beta below 1, the helical value
// from eps_beta 1 on.
double ComputeDynamicFactor(int64_t grade, double z1, double pitchLineSpeed, double ratio,
                            int isRack, double specificLoad, double epsBeta);

// Face load factor KH_beta = 1 + Cpf + Cma (b in mm, d1 in mm):
// Cpf = r / 10 - 0.025 (b <= 25 mm) or r / 10 - 0.0375 + 0.000492 b, with
// r = b / d1 raised to 0.5, never negative; Cma = A0 + A1 b + A2 b^2 per grade.
double ComputeFaceLoadFactorFlank(int64_t grade, double faceWidth, double pitchDiameter1);

// KF_beta = KH_beta^NF, NF = q^2 / (1 + q + q^2), q = b / h, h the tooth depth,
// q taken as 3 when b / h is smaller (ISO 6336-1).
double ComputeFaceLoadFactorRoot(double kHbeta, double faceWidth, double toothDepth);

// KH_alpha (= KF_alpha): 1.0 for grades 5 to 7, 1.1 for 8, 1.2 for 9, 1.4 for 10.
double ComputeTransverseLoadFactor(int64_t grade);

// Zone factor ZH = sqrt(2 cos beta_b cos alpha_w / (cos^2 alpha_t sin alpha_w)).
double ComputeZoneFactor(double baseHelixAngle, double transversePressureAngle,
                         double workingPressureAngle);

// Elasticity factor ZE = sqrt(1 / (pi ((1 - nu1^2) / E1 + (1 - nu2^2) / E2))).
double ComputeElasticityFactor(double e1, double nu1, double e2, double nu2);

// Contact ratio factor Z_eps = sqrt((4 - eps_a) / 3 (1 - eps_b) + eps_b / eps_a)
// for eps_b < 1, else sqrt(1 / eps_a).
double ComputeContactRatioFactorFlank(double epsAlpha, double epsBeta);

// Helix angle factor Z_beta = 1 / sqrt(cos beta).
double ComputeHelixFactorFlank(double helixAngle);

// ZL ZV ZR together: 1.0 ground (flankFinish 1), else 0.85; times 0.9 for
// grease (lubrication 1), 0.7 dry (2), unchanged for oil (0).
double ComputeLubricationFactor(int64_t flankFinish, int64_t lubrication);

// Contact ratio factor of the root Y_eps = 0.25 + 0.75 cos^2 beta_b / eps_a.
double ComputeContactRatioFactorRoot(double baseHelixAngle, double epsAlpha);

// Helix angle factor of the root Y_beta = 1 - min(eps_b, 1) min(beta deg, 30) / 120.
double ComputeHelixFactorRoot(double epsBeta, double helixAngle);

// Size factor of the root YX = max(0.85, 1.03 - 0.006 mn) above mn = 5 mm, else 1.
double ComputeSizeFactorRoot(double normalModule);

// Life factor of the contact stress ZNT for N load cycles. Class 1 (nitrided
// steel, grey cast iron): 1.3 up to 1e5, 1 at 2e6; other classes: 1.6 up to
// 1e5, 1 at 5e7; straight in log-log, then falling to 0.85 at 1e10.
double ComputeLifeFactorFlank(double loadCycles, int64_t lifeClass);

// Life factor of the root stress YNT. Class 1: 1.6 up to 1e3, 1 at 3e6; other
// classes: 2.5 up to 1e4, 1 at 3e6; then falling to 0.85 at 1e10.
double ComputeLifeFactorRoot(double loadCycles, int64_t lifeClass);
