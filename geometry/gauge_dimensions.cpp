// Inspection dimensions of an external gear: span Wk over k teeth and the
// dimension over two pins or balls (DIN 3960), on the cut tooth thickness.
#include "geometry/gauge_dimensions.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "geometry/involute.h"
#include "geometry/tolerances.h"

namespace {

// Number of teeth spanned so that the measuring points lie near the pitch
// circle of the virtual spur gear (z' teeth): k = round(z' alpha_x / pi + 0.5)
// with cos alpha_x = z' cos alpha_n / (z' + 2 x), limited to 1 .. z - 1.
int64_t ComputeSpanTeeth(double zVirtual, double x, double alphaN, int64_t z) {
  // For a heavily negative x the argument exceeds 1 (z' + 2x <= 0 as well):
  // the measuring point would lie inside the base circle, and one tooth gap
  // is spanned. Clamping also keeps acos from giving NaN.
  double cosAlphaX = 1.0;
  if (zVirtual + 2.0 * x > 0.0) {
    cosAlphaX = std::clamp(zVirtual * std::cos(alphaN) / (zVirtual + 2.0 * x), -1.0, 1.0);
  }
  const double kReal = std::round(zVirtual * std::acos(cosAlphaX) / std::numbers::pi + 0.5);
  int64_t k = 1;
  if (std::isfinite(kReal) && kReal > 1.0) {
    k = kReal < static_cast<double>(z) ? static_cast<int64_t>(kReal) : z;
  }
  k = std::max<int64_t>(k, 1);
  k = std::min<int64_t>(k, z - 1);
  return k;
}

}  // namespace

int ComputeInspectionDimensions(GearRecord& rec) {
  const double pi = std::numbers::pi;
  const int64_t zCount = rec.teeth;
  const double z = static_cast<double>(zCount);
  const double m = rec.normalModule;
  const double x = rec.profileShift;
  const double xE = rec.toolShift;
  const double alphaN = rec.pressureAngle;
  const double alphaT = rec.transversePressureAngle;
  const double betaB = rec.baseHelixAngle;
  const double cosBetaB = std::cos(betaB);
  const double mt = rec.transverseModule;
  const double r = rec.pitchRadius;
  const double rb = rec.baseRadius;
  const double ra = rec.tipRadius;
  const double s = rec.pitchThickness;
  const double invAlphaT = Involute(alphaT);
  const double invAlphaN = Involute(alphaN);

  // Virtual number of teeth of the normal section: z' = z inv(alpha_t) / inv(alpha_n).
  const double zVirtual = z * invAlphaT / invAlphaN;

  // Span over k teeth: (k - 1) base pitches plus the base thickness, turned
  // into the normal plane by cos beta_b. s carries the allowance; k does not.
  rec.spanTeeth = ComputeSpanTeeth(zVirtual, x, alphaN, zCount);
  const double k = static_cast<double>(rec.spanTeeth);
  rec.span = ((k - 1.0) * pi * mt * std::cos(alphaT) + rb * (s / r + 2.0 * invAlphaT)) * cosBetaB;
  const double halfSpanTransverse = rec.span / (2.0 * cosBetaB);
  rec.spanContactRadius = std::sqrt(halfSpanTransverse * halfSpanTransverse + rb * rb);
  rec.spanAxialLength = rec.span * std::sin(betaB);

  // Pin diameter, chosen on the virtual spur gear of the normal section so
  // that the pin touches the flank near the shifted pitch circle r' + x m.
  const double sn = m * (pi / 2.0 + 2.0 * xE * std::tan(alphaN));
  const double rVirtual = zVirtual * m / 2.0;
  const double rbVirtual = rVirtual * std::cos(alphaN);
  double rM0 = rVirtual + x * m;
  if (!(rM0 > rbVirtual)) rM0 = (ra - r) / 2.0 + rbVirtual + m;
  // Heavily negative shifts can put the fallback inside the base circle too,
  // where no pressure angle exists.
  if (!(rM0 > rbVirtual)) rM0 = rbVirtual + kPinFallbackLiftModules * m;
  const double alphaM = std::acos(rbVirtual / rM0);
  const double eta = pi / zVirtual + std::tan(alphaM) - invAlphaN - sn / (2.0 * rVirtual);
  double dm = 2.0 * rbVirtual * (std::tan(eta) - std::tan(alphaM));
  const double step = dm < kPinDiameterFineLimit ? kPinDiameterFineStep : kPinDiameterStep;
  dm = std::round(dm / step) * step;
  if (!(dm > 0.0)) dm = step;
  rec.pinDiameter = dm;

  // Pin centre: inv alpha_Mt = s / d + inv alpha_t + DM / (db cos beta_b) - pi / z.
  // The contact lies DM / 2 (normal section) back along the line of action
  // from the pin centre. Both positions keep their sign: a negative argument
  // (the rounded pin falls between the flanks below the base circle) or a
  // roll length at or below zero means the pin touches no involute, and an
  // undercut or fillet below the form radius is not the involute either. Such
  // a pin gives no dimension: overPins = 0 and, below the base circle,
  // pinContactRadius = 0, so the report warns and prints no value.
  const double invAlphaMt = s / (2.0 * r) + invAlphaT + dm / (2.0 * rb * cosBetaB) - pi / z;
  rec.overPins = 0.0;
  rec.pinContactRadius = 0.0;
  rec.pinProtrudes = 0;
  if (!(invAlphaMt > 0.0)) return 0;
  const double alphaMt = InverseInvolute(invAlphaMt);
  const double rM = rb / std::cos(alphaMt);
  const double rollToContact = rb * std::tan(alphaMt) - dm / (2.0 * cosBetaB);
  if (!(rollToContact > 0.0)) return 0;
  rec.pinContactRadius = std::sqrt(rollToContact * rollToContact + rb * rb);
  if (rec.pinContactRadius < rec.formRadius) return 0;
  if (zCount % 2 == 0) {
    rec.overPins = 2.0 * rM + dm;
  } else {
    rec.overPins = 2.0 * rM * std::cos(pi / (2.0 * z)) + dm;
  }
  rec.pinProtrudes = ra < rM + dm / 2.0 ? 1 : 0;
  return 0;
}
