// The single factors of the load-capacity calculation (ISO 6336 / DIN 3990,
// simplified), each after its textbook formula.
#include "design/strength_factors.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/format.h"

namespace {

constexpr double kPi = std::numbers::pi;

// K1 of the dynamic factor by grade 5..10 (DIN 3990 method B).
constexpr double kDynamicK1Spur[6] = {7.5, 14.9, 26.8, 39.1, 52.8, 76.6};
constexpr double kDynamicK1Helical[6] = {6.7, 13.3, 23.9, 34.8, 47.0, 68.2};

// Smallest face width to tooth depth b / h that NF is taken at.
constexpr double kMinFaceWidthToDepth = 3.0;

// Face width (mm) up to which Cpf has no term in b.
constexpr double kCpfWidthLimit = 25.0;

// Life factors fall from 1 at the knee to this value at kLifeEndCycles cycles
// and stay there.
constexpr double kLifeEndFactor = 0.85;
constexpr double kLifeEndCycles = 1e10;

// One life curve: the static value zMax up to n0 cycles, 1 at the knee nLim,
// both pieces straight lines in log-log coordinates.
double EvaluateLifeCurve(double n, double zMax, double n0, double nLim) {
  if (n <= n0) return zMax;
  if (n <= nLim) return std::pow(nLim / n, std::log(zMax) / std::log(nLim / n0));
  const double exponent = std::log(1.0 / kLifeEndFactor) / std::log(kLifeEndCycles / nLim);
  return MaxDouble(kLifeEndFactor, std::pow(nLim / n, exponent));
}

}  // namespace

int64_t ClampAccuracyGrade(int64_t grade) {
  return std::clamp(grade, kMinAccuracyGrade, kMaxAccuracyGrade);
}

double LookUpDynamicK1(int64_t grade, int helical) {
  const auto index = static_cast<size_t>(ClampAccuracyGrade(grade) - kMinAccuracyGrade);
  return helical != 0 ? kDynamicK1Helical[index] : kDynamicK1Spur[index];
}

double ComputeDynamicFactor(int64_t grade, double z1, double pitchLineSpeed, double ratio,
                            int isRack, double specificLoad, double epsBeta) {
  const double w = MaxDouble(specificLoad, kDynamicMinLineLoad);
  const double f = isRack != 0 ? 1.0 : std::sqrt(ratio * ratio / (1.0 + ratio * ratio));
  const double k1Spur = LookUpDynamicK1(grade, /*helical=*/0);
  const double k1Helical = LookUpDynamicK1(grade, /*helical=*/1);
  const double kvSpur = 1.0 + z1 * (k1Spur / w + kDynamicK2Spur) * pitchLineSpeed / 100.0 * f;
  const double kvHelical =
      1.0 + z1 * (k1Helical / w + kDynamicK2Helical) * pitchLineSpeed / 100.0 * f;
  if (epsBeta < 1.0) return kvSpur - (kvSpur - kvHelical) * epsBeta;
  return kvHelical;
}

double ComputeFaceLoadFactorFlank(int64_t grade, double faceWidth, double pitchDiameter1) {
  const double b = faceWidth;
  const double r = MaxDouble(b / pitchDiameter1, 0.5);
  double cpf = b <= kCpfWidthLimit ? r / 10.0 - 0.025 : r / 10.0 - 0.0375 + 0.000492 * b;
  if (cpf < 0.0) cpf = 0.0;
  // Cma of the usual gear units (DIN 3990): open to enclosed by grade band.
  const int64_t g = ClampAccuracyGrade(grade);
  double a0 = 0.247, a1 = 0.000657, a2 = -1.19e-7;  // grades 9 and 10
  if (g <= 6) {
    a0 = 0.0675;
    a1 = 0.000504;
    a2 = -1.44e-7;
  } else if (g <= 8) {
    a0 = 0.127;
    a1 = 0.000622;
    a2 = -1.44e-7;
  }
  const double cma = a0 + a1 * b + a2 * b * b;
  return 1.0 + cpf + cma;
}

double ComputeFaceLoadFactorRoot(double kHbeta, double faceWidth, double toothDepth) {
  // ISO 6336-1 takes b / h = 3 for narrower teeth.
  const double q = MaxDouble(faceWidth / toothDepth, kMinFaceWidthToDepth);
  const double nf = q * q / (1.0 + q + q * q);
  return std::pow(kHbeta, nf);
}

double ComputeTransverseLoadFactor(int64_t grade) {
  switch (ClampAccuracyGrade(grade)) {
    case 8: return 1.1;
    case 9: return 1.2;
    case 10: return 1.4;
    default: return 1.0;
  }
}

double ComputeZoneFactor(double baseHelixAngle, double transversePressureAngle,
                         double workingPressureAngle) {
  const double cosAlphaT = std::cos(transversePressureAngle);
  return std::sqrt(2.0 * std::cos(baseHelixAngle) * std::cos(workingPressureAngle) /
                   (cosAlphaT * cosAlphaT * std::sin(workingPressureAngle)));
}

double ComputeElasticityFactor(double e1, double nu1, double e2, double nu2) {
  return std::sqrt(1.0 / (kPi * ((1.0 - nu1 * nu1) / e1 + (1.0 - nu2 * nu2) / e2)));
}

double ComputeContactRatioFactorFlank(double epsAlpha, double epsBeta) {
  if (epsBeta < 1.0) {
    return std::sqrt((4.0 - epsAlpha) / 3.0 * (1.0 - epsBeta) + epsBeta / epsAlpha);
  }
  return std::sqrt(1.0 / epsAlpha);
}

double ComputeHelixFactorFlank(double helixAngle) { return 1.0 / std::sqrt(std::cos(helixAngle)); }

double ComputeLubricationFactor(int64_t flankFinish, int64_t lubrication) {
  double z = flankFinish == 1 ? 1.0 : 0.85;
  if (lubrication == 1) z *= 0.9;
  if (lubrication == 2) z *= 0.7;
  return z;
}

double ComputeContactRatioFactorRoot(double baseHelixAngle, double epsAlpha) {
  const double cosBetaB = std::cos(baseHelixAngle);
  return 0.25 + 0.75 * cosBetaB * cosBetaB / epsAlpha;
}

double ComputeHelixFactorRoot(double epsBeta, double helixAngle) {
  const double betaDeg = helixAngle * 180.0 / kPi;
  return 1.0 - MinDouble(epsBeta, 1.0) * MinDouble(betaDeg, 30.0) / 120.0;
}

double ComputeSizeFactorRoot(double normalModule) {
  if (normalModule > 5.0) return MaxDouble(0.85, 1.03 - 0.006 * normalModule);
  return 1.0;
}

double ComputeLifeFactorFlank(double loadCycles, int64_t lifeClass) {
  if (lifeClass == 1) return EvaluateLifeCurve(loadCycles, 1.3, 1e5, 2e6);
  return EvaluateLifeCurve(loadCycles, 1.6, 1e5, 5e7);
}

double ComputeLifeFactorRoot(double loadCycles, int64_t lifeClass) {
  if (lifeClass == 1) return EvaluateLifeCurve(loadCycles, 1.6, 1e3, 3e6);
  return EvaluateLifeCurve(loadCycles, 2.5, 1e4, 3e6);
}
