// Independent textbook values for the strength tests: ISO 6336-3 root form
// factors computed in closed form, and the records of the test gear pairs.
#pragma once

#include <cmath>
#include <numbers>

#include "design/strength_results.h"
#include "geometry/gear_geometry.h"
#include "geometry/gear_record.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"

namespace strength_test {

constexpr double kPi = std::numbers::pi;
constexpr double kDeg = kPi / 180.0;

// Root section in modules: chord sFn, bending arm hFe, fillet radius rhoF,
// load angle alpha_Fen (rad), and the factors YF and YS.
struct IsoRootSection {
  double chord = 0.0;
  double momentArm = 0.0;
  double filletRadius = 0.0;
  double loadAngle = 0.0;
  double formFactor = 0.0;
  double stressCorrection = 0.0;
};

inline double Involute(double a) { return std::tan(a) - a; }

inline double IsoStressCorrection(double sFn, double hFe, double rhoF) {
  const double l = sFn / hFe;
  const double qs = sFn / (2.0 * rhoF);
  return (1.2 + 0.13 * l) * std::pow(qs, 1.0 / (1.21 + 2.3 / l));
}

// ISO 6336-3 (method B geometry) for an external spur gear of z teeth and
// shift x cut by the basic rack hfP = 1.25, rhofP = 0.38, alpha_n = 20 deg,
// with the load at the tooth tip (da = d + 2 (1 + x)): the 30 degree tangent
// from the iteration theta = 2 G / z tan theta - H. Module 1.
inline IsoRootSection ComputeIsoExternalTipLoad(double z, double x) {
  const double an = 20.0 * kDeg;
  const double hfP = 1.25;
  const double rhoP = 0.38;
  const double e = kPi / 4.0 - hfP * std::tan(an) - (1.0 - std::sin(an)) * rhoP / std::cos(an);
  const double g = rhoP - hfP + x;
  const double h = 2.0 / z * (kPi / 2.0 - e) - kPi / 3.0;
  double theta = kPi / 6.0;
  for (int i = 0; i < 200; ++i) theta = 2.0 * g / z * std::tan(theta) - h;
  IsoRootSection r;
  r.chord = z * std::sin(kPi / 3.0 - theta) + std::sqrt(3.0) * (g / std::cos(theta) - rhoP);
  const double cosTheta = std::cos(theta);
  r.filletRadius = rhoP + 2.0 * g * g / (cosTheta * (z * cosTheta * cosTheta - 2.0 * g));
  const double db = z * std::cos(an);
  const double da = z + 2.0 * (1.0 + x);
  const double alphaA = std::acos(db / da);
  const double gammaA = (kPi / 2.0 + 2.0 * x * std::tan(an)) / z + Involute(an) - Involute(alphaA);
  r.loadAngle = alphaA - gammaA;
  r.momentArm = 0.5 * ((std::cos(gammaA) - std::sin(gammaA) * std::tan(r.loadAngle)) * da -
                       z * std::cos(kPi / 3.0 - theta) - g / std::cos(theta) + rhoP);
  r.formFactor = 6.0 * r.momentArm * std::cos(r.loadAngle) / (r.chord * r.chord * std::cos(an));
  r.stressCorrection = IsoStressCorrection(r.chord, r.momentArm, r.filletRadius);
  return r;
}

// A straight-flanked tooth (a rack tooth, or the limit of a ring gear's tooth
// for z -> infinity): half thickness s2 on the pitch line, addendum ha,
// dedendum hf, a root rounding of radius rho tangent to the flank and the root
// line, flank angle alpha to the centre line. The critical point is where the
// rounding's tangent makes limitDeg with the centre line; the load acts at the
// tip corner along the flank normal (alpha_Fen = alpha). Module 1.
inline IsoRootSection ComputeStraightToothSection(double s2, double ha, double hf, double rho,
                                                  double alpha, double limitDeg) {
  const double centreS = s2 + (hf - rho) * std::tan(alpha) + rho / std::cos(alpha);
  const double centreH = rho - hf;
  const double phi = limitDeg * kDeg;
  const double sCrit = centreS - rho * std::cos(phi);
  const double hCrit = centreH - rho * std::sin(phi);
  const double sTip = s2 - ha * std::tan(alpha);
  const double hLoad = ha - sTip * std::tan(alpha);
  IsoRootSection r;
  r.chord = 2.0 * sCrit;
  r.momentArm = hLoad - hCrit;
  r.filletRadius = rho;
  r.loadAngle = alpha;
  r.formFactor = 6.0 * r.momentArm / (r.chord * r.chord);
  r.stressCorrection = IsoStressCorrection(r.chord, r.momentArm, r.filletRadius);
  return r;
}

// An external gear built at the strength density.
inline GearRecord MakeGear(double m, int64_t z, double x, double b, double betaDeg = 0.0,
                           int64_t hand = 1, int density = 8) {
  GearRecord g;
  InitGearRecord(g, m, z, x, 20.0, b, 0.0, 0.0, betaDeg, hand);
  BuildGearGeometry(g, density);
  return g;
}

inline GearRecord MakeRack(double m, int64_t n, double b, double betaDeg = 0.0,
                           double alphaDeg = 20.0) {
  GearRecord g;
  BuildRackGeometry(g, m, alphaDeg, betaDeg, 1, n, 4.0 * m, b, 0.0, 1);
  return g;
}

inline GearRecord MakeRing(double m, int64_t z, double x, double b, double betaDeg = 0.0,
                           int density = 1) {
  GearRecord g;
  BuildRingGearGeometry(g, m, z, x, 20.0, b, 3.0 * m, 0.0, betaDeg, 1, density, 0.0);
  return g;
}

// Two steels (E 206000 N/mm^2, nu 0.3), hobbed, oil, grade 7, KA 1,
// 5 kW at 1500 1/min (T1 = 31.83 Nm), 20000 h.
inline StrengthInputs MakeSteelInputs() {
  StrengthInputs in;
  in.torque1 = 31.83;
  in.speed1 = 1500.0;
  in.applicationFactor = 1.0;
  in.lifeHours = 20000.0;
  in.accuracyGrade = 7;
  in.flankFinish = 0;
  in.lubrication = 0;
  in.minSafetyH = 1.0;
  in.minSafetyF = 1.4;
  for (int i = 0; i < 2; ++i) {
    in.sigmaHlim[i] = 1500.0;
    in.sigmaFlim[i] = 430.0;
    in.elasticModulus[i] = 206000.0;
    in.poisson[i] = 0.3;
    in.lifeClass[i] = 0;
  }
  return in;
}

}  // namespace strength_test
