// ComputeGearStrength: the indicative load-capacity calculation of one gear
// pair after ISO 6336 / DIN 3990, simplified. Contact stress (pitting) and
// root stress (tooth breakage), their permissible values and safety factors,
// and the torques the pair could transmit at the minimum safety factors.
#include "design/strength_calc.h"

#include <cmath>
#include <limits>
#include <numbers>
#include <string_view>

#include "design/root_form_factors.h"
#include "design/strength_applicability.h"
#include "design/strength_factors.h"
#include "design/virtual_gear.h"
#include "geometry/format.h"
#include "geometry/path_of_contact.h"
#include "texts/strength_calc_texts.h"

namespace {

constexpr double kPi = std::numbers::pi;

bool IsPositiveFinite(double v) { return v > 0.0 && std::isfinite(v); }

// The geometry the calculation needs: valid records of the right kinds, a
// usable face width and (for gear pairs) a centre distance at which the base
// circles give an operating pressure angle strictly between 0 and 90 degrees.
bool HasUsableGeometry(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                       double centreDistance) {
  if (gear1.valid != 1 || gear2.valid != 1) return false;
  if (pairKind == kPairRack) {
    if (gear2.isRack != 1) return false;
  } else if (pairKind == kPairInternal) {
    // u = z2 / z1 must exceed 1, or the ratio term (u - 1) / u is not positive.
    if (gear2.isInternal != 1 || !(gear2.teeth > gear1.teeth)) return false;
  } else if (pairKind != kPairExternal) {
    return false;
  }
  if (!IsPositiveFinite(gear1.faceWidth) || !IsPositiveFinite(gear2.faceWidth)) return false;
  if (pairKind == kPairRack) return true;
  const double baseSum = pairKind == kPairInternal ? gear2.baseRadius - gear1.baseRadius
                                                   : gear1.baseRadius + gear2.baseRadius;
  const double cosAlphaW = baseSum / centreDistance;
  return IsPositiveFinite(centreDistance) && cosAlphaW > 0.0 && cosAlphaW < 1.0;
}

// The values the caller vouches for (KA, a life, minimum safety factors,
// materials): checked all the same, since a zero or NaN here would otherwise
// come out as an infinite safety or a NaN shown as a result.
bool HasUsableMaterialInputs(const StrengthInputs& in) {
  if (!IsPositiveFinite(in.applicationFactor)) return false;
  if (!(in.lifeHours >= 0.0) || !std::isfinite(in.lifeHours)) return false;
  if (!IsPositiveFinite(in.minSafetyH) || !IsPositiveFinite(in.minSafetyF)) return false;
  for (int i = 0; i < 2; ++i) {
    if (!IsPositiveFinite(in.sigmaHlim[i]) || !IsPositiveFinite(in.sigmaFlim[i])) return false;
    if (!IsPositiveFinite(in.elasticModulus[i])) return false;
    if (!(in.poisson[i] >= 0.0 && in.poisson[i] < 1.0)) return false;
  }
  return true;
}

// True when every number the report prints is finite.
bool HasFiniteResults(const StrengthResults& r) {
  const double scalars[] = {r.tangentialForce, r.pitchLineSpeed, r.ratio, r.speed2, r.kV,
                            r.kHbeta, r.kHalpha, r.kFbeta, r.kFalpha, r.zH, r.zE, r.zEps,
                            r.zBeta, r.zLVR, r.yEps, r.yBeta, r.epsBeta, r.sigmaH,
                            r.torqueFactorFlank, r.torqueFactorRoot};
  for (double v : scalars) {
    if (!std::isfinite(v)) return false;
  }
  for (int i = 0; i < 2; ++i) {
    const double pair[] = {r.formFactor[i], r.stressCorrection[i], r.sizeFactor[i],
                           r.loadCycles[i], r.zNT[i], r.yNT[i], r.sigmaHP[i], r.safetyH[i],
                           r.sigmaF[i], r.sigmaFP[i], r.safetyF[i]};
    for (double v : pair) {
      if (!std::isfinite(v)) return false;
    }
  }
  return true;
}

// Bisection halvings of the transmissible torque; each halves the interval,
// so the torque is found to the last bit long before the count runs out.
constexpr int kTorqueBisections = 400;

// The torque T at which T Kv(T) reaches loadProduct. The contact stress
// squared and the root stress both grow with T Kv(T), and Kv depends on the
// load through w = KA Ft / b. T Kv(T) rises strictly with T (Kv falls with
// the load no faster than 1 / T), so the root lies between loadProduct / Kv
// at the lightest load and loadProduct / Kv at the heaviest, and a bisection
// between these two finds it.
template <typename DynamicFactorAt>
double SolveTorqueForLoadProduct(double loadProduct, DynamicFactorAt kvAt) {
  if (!(loadProduct > 0.0) || !std::isfinite(loadProduct)) return loadProduct > 0.0 ? loadProduct : 0.0;
  const double kvLightest = kvAt(0.0);
  const double kvHeaviest = kvAt(std::numeric_limits<double>::infinity());
  if (!(kvLightest >= kvHeaviest) || !(kvHeaviest > 0.0) || !std::isfinite(kvLightest)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  double lo = loadProduct / kvLightest;
  double hi = loadProduct / kvHeaviest;
  for (int i = 0; i < kTorqueBisections; ++i) {
    const double mid = 0.5 * (lo + hi);
    if (!(mid > lo && mid < hi)) break;
    if (mid * kvAt(mid) < loadProduct) {
      lo = mid;
    } else {
      hi = mid;
    }
  }
  return 0.5 * (lo + hi);
}

int64_t Fail(StrengthResults& results, std::string_view message) {
  results.valid = 0;
  results.message = message;
  return 0;
}

}  // namespace

int64_t ComputeGearStrength(const GearRecord& gear1, const GearRecord& gear2, int64_t pairKind,
                            double centreDistance, double epsAlpha, StrengthInputs& inputs,
                            StrengthResults& results) {
  // 1. Reset, check the input.
  results = StrengthResults{};
  if (!HasUsableGeometry(gear1, gear2, pairKind, centreDistance) ||
      !IsPositiveFinite(inputs.speed1) || !IsPositiveFinite(inputs.torque1) ||
      !IsPositiveFinite(epsAlpha)) {
    return Fail(results, texts::kStrengthNoValidInput);
  }
  if (!HasUsableMaterialInputs(inputs)) return Fail(results, texts::kStrengthNoValidMaterialInput);

  // 2. Accuracy grade 5..10, written back so that the report prints it.
  inputs.accuracyGrade = ClampAccuracyGrade(inputs.accuracyGrade);
  const int64_t grade = inputs.accuracyGrade;
  const bool isRack = pairKind == kPairRack;

  const double mn = gear1.normalModule;
  const double z1 = static_cast<double>(gear1.teeth);
  const double z2 = static_cast<double>(gear2.teeth);
  const double d1 = 2.0 * gear1.pitchRadius;
  const double alphaT = gear1.transversePressureAngle;
  const double betaB = gear1.baseHelixAngle;
  const double beta = gear1.helixAngle;
  const double ka = inputs.applicationFactor;

  // 3. Load: Ft = 2000 T1 / d1 (N, Nm, mm), v = pi d1 n1 / 60000 (m/s).
  const double b = MinDouble(gear1.faceWidth, gear2.faceWidth);
  const double t1 = inputs.torque1;
  const double n1 = inputs.speed1;
  const double ft = 2000.0 * t1 / d1;
  const double v = kPi * d1 * n1 / 60000.0;
  results.torque1 = t1;
  results.faceWidthUsed = b;
  results.tangentialForce = ft;
  results.pitchLineSpeed = v;

  // 4. Ratio, second speed, contact ratios.
  const double u = isRack ? 0.0 : z2 / z1;
  const double n2 = isRack ? 0.0 : n1 / u;
  results.ratio = u;
  results.speed2 = n2;
  results.epsAlpha = epsAlpha;
  const double epsBeta = ComputeOverlapRatio(gear1);
  results.epsBeta = epsBeta;

  // 5.-8. Load factors.
  const double kv =
      ComputeDynamicFactor(grade, z1, v, u, /*isRack=*/isRack ? 1 : 0, ka * ft / b, epsBeta);
  const double kHbeta = ComputeFaceLoadFactorFlank(grade, b, d1);
  const double toothDepth = (gear1.addendumFactor + gear1.dedendumFactor) * mn;
  const double kFbeta = ComputeFaceLoadFactorRoot(kHbeta, b, toothDepth);
  const double kHalpha = ComputeTransverseLoadFactor(grade);
  results.kV = kv;
  // Where the method does not hold; decided before anything can fail, so that
  // a failure can name the reason too.
  CheckStrengthApplicability(gear1, gear2, pairKind, centreDistance, epsAlpha, results);
  results.kHbeta = kHbeta;
  results.kFbeta = kFbeta;
  results.kHalpha = kHalpha;
  results.kFalpha = kHalpha;

  // 9. Operating pressure angle and the ratio term of the contact stress.
  double alphaW = alphaT;
  double ratioTerm = 1.0;
  if (pairKind == kPairExternal) {
    alphaW = std::acos((gear1.baseRadius + gear2.baseRadius) / centreDistance);
    ratioTerm = (u + 1.0) / u;
  } else if (pairKind == kPairInternal) {
    alphaW = std::acos((gear2.baseRadius - gear1.baseRadius) / centreDistance);
    ratioTerm = (u - 1.0) / u;
  }

  // 10.-13. Contact-stress factors.
  const double zH = ComputeZoneFactor(betaB, alphaT, alphaW);
  const double zE = ComputeElasticityFactor(inputs.elasticModulus[0], inputs.poisson[0],
                                            inputs.elasticModulus[1], inputs.poisson[1]);
  const double zEps = ComputeContactRatioFactorFlank(epsAlpha, epsBeta);
  const double zBeta = ComputeHelixFactorFlank(beta);
  const double zLVR = ComputeLubricationFactor(inputs.flankFinish, inputs.lubrication);
  results.zH = zH;
  results.zE = zE;
  results.zEps = zEps;
  results.zBeta = zBeta;
  results.zLVR = zLVR;

  // 14. Contact stress of the pair.
  const double sigmaH = zH * zE * zEps * zBeta * std::sqrt(ft / (d1 * b) * ratioTerm) *
                        std::sqrt(ka * kv * kHbeta * kHalpha);
  results.sigmaH = sigmaH;

  // 15. Root-stress factors of the pair.
  const double yEps = ComputeContactRatioFactorRoot(betaB, epsAlpha);
  const double yBeta = ComputeHelixFactorRoot(epsBeta, beta);
  results.yEps = yEps;
  results.yBeta = yBeta;

  // 16. Form factors on the virtual spur gears; the scratch records and their
  // outlines are freed when this returns, on every path.
  {
    GearRecord virtual1;
    GearRecord virtual2;
    BuildVirtualGear(gear1, kPairExternal, virtual1);
    BuildVirtualGear(gear2, pairKind, virtual2);
    ComputeRootFormFactors(virtual1, kPairExternal, results.rootSection[0]);
    ComputeRootFormFactors(virtual2, pairKind, results.rootSection[1]);
  }
  if (results.rootSection[0].found != 1 || results.rootSection[1].found != 1) {
    return Fail(results, texts::kStrengthRootSectionNotFound);
  }

  // 17. Load cycles; a rack tooth meets the pinion z1 / n times per pinion turn.
  const double cycles1 = n1 * 60.0 * inputs.lifeHours;
  const double cycles2 = isRack ? z1 * cycles1 / MaxDouble(z2, 1.0) : n2 * 60.0 * inputs.lifeHours;
  results.loadCycles[0] = cycles1;
  results.loadCycles[1] = cycles2;

  // 18. Permissible stresses and safety factors of both gears.
  const double yX = ComputeSizeFactorRoot(mn);
  for (int i = 0; i < 2; ++i) {
    const RootSection& section = results.rootSection[i];
    results.formFactor[i] = section.formFactor;
    results.stressCorrection[i] = section.stressCorrection;
    results.sizeFactor[i] = yX;
    results.zNT[i] = ComputeLifeFactorFlank(results.loadCycles[i], inputs.lifeClass[i]);
    results.yNT[i] = ComputeLifeFactorRoot(results.loadCycles[i], inputs.lifeClass[i]);
    results.sigmaHP[i] = inputs.sigmaHlim[i] * results.zNT[i] * zLVR;
    results.safetyH[i] = results.sigmaHP[i] / sigmaH;
    results.sigmaF[i] = ft / (b * mn) * section.formFactor * section.stressCorrection * yBeta *
                        yEps * ka * kv * kFbeta * kHalpha;
    results.sigmaFP[i] =
        inputs.sigmaFlim[i] * kTestGearStressCorrection * results.yNT[i] * yX;
    results.safetyF[i] = results.sigmaFP[i] / results.sigmaF[i];
  }

  // 19. Transmissible torques: the contact stress grows with sqrt(T Kv(T)),
  // the root stress with T Kv(T), every other factor is the same at any load.
  // The torques are those at which the smaller safety factor of each kind
  // reaches its minimum, with Kv taken at that torque.
  const double minSafetyH = MinDouble(results.safetyH[0], results.safetyH[1]);
  const double minSafetyF = MinDouble(results.safetyF[0], results.safetyF[1]);
  const double flankRatio = minSafetyH / inputs.minSafetyH;
  const auto kvAtTorque = [&](double torque) {
    const double force = 2000.0 * torque / d1;
    return ComputeDynamicFactor(grade, z1, v, u, isRack ? 1 : 0, ka * force / b, epsBeta);
  };
  results.torqueFactorFlank = SolveTorqueForLoadProduct(t1 * kv * flankRatio * flankRatio, kvAtTorque);
  results.torqueFactorRoot = SolveTorqueForLoadProduct(t1 * kv * minSafetyF / inputs.minSafetyF, kvAtTorque);

  if (!HasFiniteResults(results)) return Fail(results, texts::kStrengthNoFiniteResult);
  results.valid = 1;
  return 1;
}
