// Inputs and results of the indicative load-capacity calculation (ISO 6336 /
// DIN 3990, simplified). Pairs of values hold gear 1 / pinion first, then
// gear 2 / rack / ring gear.
#pragma once

#include <cstdint>
#include <string>

// How gear 2 meets gear 1 in the strength calculation.
enum PairKind : int64_t {
  kPairExternal = 0,
  kPairInternal = 1,  // gear 2 is the ring gear
  kPairRack = 2,      // gear 2 is the rack
};

// The critical tooth-root section found on the generated outline.
struct RootSection {
  int64_t found = 0;             // 1 when every value below is set
  double formFactor = 0.0;       // YF
  double stressCorrection = 0.0; // YS
  double chord = 0.0;            // sFn, mm (2 * pointX)
  double momentArm = 0.0;        // hFe, mm
  double filletRadius = 0.0;     // rhoF, mm (1e6 for three collinear points)
  double loadAngle = 0.0;        // alphaFen, rad
  double pointX = 0.0;           // critical point's distance from the tooth centre line, mm
  double pointY = 0.0;           // its coordinate along the tooth centre line, mm
};

struct StrengthInputs {
  double torque1 = 0.0;           // Nm on gear 1 / the pinion
  double speed1 = 0.0;            // 1/min
  double applicationFactor = 0.0; // KA
  double lifeHours = 0.0;         // h
  int64_t accuracyGrade = 0;      // ISO 1328, clamped to 5..10 by the calculation
  int64_t flankFinish = 0;        // 0 hobbed / shaped, 1 ground
  int64_t lubrication = 0;        // 0 oil, 1 grease, 2 dry
  double minSafetyH = 0.0;        // S_Hmin
  double minSafetyF = 0.0;        // S_Fmin
  double sigmaHlim[2] = {0.0, 0.0};       // N/mm^2
  double sigmaFlim[2] = {0.0, 0.0};       // N/mm^2
  double elasticModulus[2] = {0.0, 0.0};  // N/mm^2
  double poisson[2] = {0.0, 0.0};
  int64_t lifeClass[2] = {0, 0};          // life-factor class of the material
};

struct StrengthResults {
  int64_t valid = 0;          // 1 when the calculation completed
  std::string message;        // why it stopped, when valid is 0
  double torque1 = 0.0;       // T1, Nm
  double tangentialForce = 0.0;  // Ft, N
  double pitchLineSpeed = 0.0;   // v, m/s
  double ratio = 0.0;            // u (0 for a rack)
  double speed2 = 0.0;           // n2, 1/min (0 for a rack)
  double faceWidthUsed = 0.0;    // b, mm
  double kV = 0.0;
  double kHbeta = 0.0;
  double kHalpha = 0.0;
  double kFbeta = 0.0;
  double kFalpha = 0.0;
  double zH = 0.0;
  double zE = 0.0;            // sqrt(N/mm^2)
  double zEps = 0.0;
  double zBeta = 0.0;
  double zLVR = 0.0;          // ZL * ZV * ZR
  double yEps = 0.0;
  double yBeta = 0.0;
  double epsAlpha = 0.0;      // transverse contact ratio as passed in
  double epsBeta = 0.0;       // overlap ratio
  double sigmaH = 0.0;        // contact stress of the pair, N/mm^2
  double formFactor[2] = {0.0, 0.0};        // YF
  double stressCorrection[2] = {0.0, 0.0};  // YS
  double sizeFactor[2] = {0.0, 0.0};        // YX
  double loadCycles[2] = {0.0, 0.0};        // N
  double zNT[2] = {0.0, 0.0};
  double yNT[2] = {0.0, 0.0};
  double sigmaHP[2] = {0.0, 0.0};           // N/mm^2
  double safetyH[2] = {0.0, 0.0};
  double sigmaF[2] = {0.0, 0.0};            // N/mm^2
  double sigmaFP[2] = {0.0, 0.0};           // N/mm^2
  double safetyF[2] = {0.0, 0.0};
  double torqueFactorFlank = 0.0;  // transmissible torque limited by the flank, Nm
  double torqueFactorRoot = 0.0;   // transmissible torque limited by the root, Nm
  RootSection rootSection[2];

  // Where the method does not hold (1 = so), decided from the records, the
  // pair kind, the centre distance and the contact ratio.
  int64_t contactRatioBelowOne = 0;   // eps_alpha used < 1
  int64_t contactRatioRaised = 0;     // the mesh's eps_alpha was below 0.5 and is calculated as 0.5
  double meshContactRatio = 0.0;      // eps_alpha of the mesh itself (-1 or 0 when undefined)
  double tipCircleContactRatio = 0.0; // eps_alpha of A..E from the tip circles (0 when undefined)
  int64_t filletContact[2] = {0, 0};  // the mate's tip meets the root fillet of gear 1, gear 2
  int64_t dynamicBeyondRange = 0;     // z1 v / 100 sqrt(u^2 / (1 + u^2)) >= 10 m/s
  double dynamicSpeedTerm = 0.0;      // that value, m/s
  int64_t internalInterference = 0;   // the teeth of the internal pair overlap
  double interferenceDepth = -1.0;    // largest overlap, mm (-1 not tested, -1e9 none)
  int64_t pointedTeeth[2] = {0, 0};   // gear 1, gear 2 pointed
};
