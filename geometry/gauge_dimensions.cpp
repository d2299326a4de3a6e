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

// The usable involute of an external gear runs from the form radius (at
// least the base circle) to the tip circle; its middle is where a span or a
// pin measures best.
struct UsableFlank {
  double low;
  double high;
  bool Holds(double radius) const { return radius >= low && radius <= high; }
  double Middle() const { return (low + high) / 2.0; }
};

// Where a pin of diameter dm rests in the spaces: its centre radius and the
// radius at which it touches the flank; touches = false when it touches no
// involute (it falls between the flanks below the base circle). The centre's
// transverse pressure angle follows from
// inv alpha_Mt = s / d + inv alpha_t + DM / (db cos beta_b) - pi / z, and the
// contact lies DM / 2 (normal section) back along the line of action.
struct PinSeat {
  bool touches = false;
  double centreRadius = 0.0;
  double contactRadius = 0.0;
};

PinSeat SeatPin(const GearRecord& rec, double dm) {
  const double pi = std::numbers::pi;
  const double z = static_cast<double>(rec.teeth);
  const double rb = rec.baseRadius;
  const double cosBetaB = std::cos(rec.baseHelixAngle);
  PinSeat seat;
  const double invAlphaMt = rec.pitchThickness / (2.0 * rec.pitchRadius) +
                            Involute(rec.transversePressureAngle) + dm / (2.0 * rb * cosBetaB) - pi / z;
  if (!(invAlphaMt > 0.0)) return seat;
  const double alphaMt = InverseInvolute(invAlphaMt);
  const double rollToContact = rb * std::tan(alphaMt) - dm / (2.0 * cosBetaB);
  if (!(rollToContact > 0.0)) return seat;
  seat.touches = true;
  seat.centreRadius = rb / std::cos(alphaMt);
  seat.contactRadius = std::sqrt(rollToContact * rollToContact + rb * rb);
  return seat;
}

// The ideal pin diameter that touches the flank at contactRadius. With the
// contact roll L, the centre lies at roll L + DM / (2 cos beta_b) on the
// space's centre line, so tan alpha_Mt = L / rb - c with
// c = s / d + inv alpha_t - pi / z, hence
// DM / (2 cos beta_b) = rb tan(L / rb - c) - L. Returns 0 where no pin reaches.
double IdealPinForContact(const GearRecord& rec, double contactRadius) {
  const double pi = std::numbers::pi;
  const double rb = rec.baseRadius;
  if (!(contactRadius > rb)) return 0.0;
  const double roll = std::sqrt(contactRadius * contactRadius - rb * rb);
  const double c = rec.pitchThickness / (2.0 * rec.pitchRadius) + Involute(rec.transversePressureAngle) -
                   pi / static_cast<double>(rec.teeth);
  const double angle = roll / rb - c;
  if (!(angle > 0.0 && angle < pi / 2.0)) return 0.0;
  const double halfTransverse = rb * std::tan(angle) - roll;
  const double dm = 2.0 * halfTransverse * std::cos(rec.baseHelixAngle);
  return std::isfinite(dm) && dm > 0.0 ? dm : 0.0;
}

// The two pins of the workshop grid (0.01 mm below 1 mm, else 0.05 mm) on
// either side of an ideal diameter; a side below the first step is 0.
void BracketOnPinGrid(double ideal, double& below, double& above) {
  const double step = ideal < kPinDiameterFineLimit ? kPinDiameterFineStep : kPinDiameterStep;
  const double n = std::floor(ideal / step);
  below = n >= 1.0 ? n * step : 0.0;
  above = (n + 1.0) * step;
}

// The grid pin whose contact lies on the usable flank nearest its middle, or
// 0 when none does. The contact radius grows with the pin, so only the two
// grid pins around the ideal pin for the middle can be nearest.
double ChooseGridPin(const GearRecord& rec, const UsableFlank& flank) {
  if (!(flank.low < flank.high)) return 0.0;
  const double ideal = IdealPinForContact(rec, flank.Middle());
  if (!(ideal > 0.0)) return 0.0;
  double below = 0.0, above = 0.0;
  BracketOnPinGrid(ideal, below, above);
  double best = 0.0;
  double bestDistance = 0.0;
  for (const double dm : {below, above}) {
    if (!(dm > 0.0)) continue;
    const PinSeat seat = SeatPin(rec, dm);
    if (!seat.touches || !flank.Holds(seat.contactRadius)) continue;
    const double distance = std::fabs(seat.contactRadius - flank.Middle());
    if (best == 0.0 || distance < bestDistance) {
      best = dm;
      bestDistance = distance;
    }
  }
  return best;
}

// Transverse span over k teeth, (k - 1) base pitches plus the base
// thickness; the measuring points lie half of it either side of the tangent
// point of the caliper plane on the base circle.
double TransverseSpan(const GearRecord& rec, double k) {
  const double pi = std::numbers::pi;
  const double alphaT = rec.transversePressureAngle;
  return (k - 1.0) * pi * rec.transverseModule * std::cos(alphaT) +
         rec.baseRadius * (rec.pitchThickness / rec.pitchRadius + 2.0 * Involute(alphaT));
}

double SpanContactRadius(const GearRecord& rec, int64_t k) {
  const double half = TransverseSpan(rec, static_cast<double>(k)) / 2.0;
  return std::sqrt(half * half + rec.baseRadius * rec.baseRadius);
}

// The span tooth count whose measuring points lie on the usable flank
// nearest its middle, counted in the transverse section; 0 when no k in
// 1 .. z - 1 puts them there. The contact radius grows with k, so only the
// two counts around the one for the middle can be nearest.
int64_t ChooseSpanTeeth(const GearRecord& rec, const UsableFlank& flank) {
  if (!(flank.low < flank.high) || rec.teeth < 2) return 0;
  const double pi = std::numbers::pi;
  const double rb = rec.baseRadius;
  const double mid = flank.Middle();
  const double roll = std::sqrt(std::max(mid * mid - rb * rb, 0.0));
  const double basePitch = pi * rec.transverseModule * std::cos(rec.transversePressureAngle);
  const double kIdeal = (2.0 * roll - TransverseSpan(rec, 1.0)) / basePitch + 1.0;
  if (!std::isfinite(kIdeal)) return 0;
  const double zLimit = static_cast<double>(rec.teeth - 1);
  const double kLow = std::clamp(std::floor(kIdeal), 1.0, zLimit);
  const double kHigh = std::clamp(std::floor(kIdeal) + 1.0, 1.0, zLimit);
  int64_t best = 0;
  double bestDistance = 0.0;
  for (const double kd : {kLow, kHigh}) {
    const auto k = static_cast<int64_t>(kd);
    const double contact = SpanContactRadius(rec, k);
    if (!flank.Holds(contact)) continue;
    const double distance = std::fabs(contact - mid);
    if (best == 0 || distance < bestDistance) {
      best = k;
      bestDistance = distance;
    }
  }
  return best;
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
  const double rb = rec.baseRadius;
  const double ra = rec.tipRadius;
  const double invAlphaT = Involute(alphaT);
  const double invAlphaN = Involute(alphaN);
  const UsableFlank flank{std::max(rec.formRadius, rb), ra};

  // Virtual number of teeth of the normal section: z' = z inv(alpha_t) / inv(alpha_n).
  const double zVirtual = z * invAlphaT / invAlphaN;

  // Span over k teeth: (k - 1) base pitches plus the base thickness, turned
  // into the normal plane by cos beta_b. s carries the allowance; k does not.
  // The k of the virtual spur gear stays where its measuring points lie on
  // the usable flank; on a helical gear it often puts them above the tip, and
  // then the k counted in the transverse section nearest mid-flank is taken.
  // Where no k measures, the virtual gear's k stays, off the flank, and the
  // report gives only its warning.
  rec.spanTeeth = ComputeSpanTeeth(zVirtual, x, alphaN, zCount);
  if (!flank.Holds(SpanContactRadius(rec, rec.spanTeeth))) {
    const int64_t kFlank = ChooseSpanTeeth(rec, flank);
    if (kFlank > 0) rec.spanTeeth = kFlank;
  }
  const double k = static_cast<double>(rec.spanTeeth);
  rec.span = TransverseSpan(rec, k) * cosBetaB;
  rec.spanContactRadius = SpanContactRadius(rec, rec.spanTeeth);
  rec.spanAxialLength = rec.span * std::sin(betaB);

  // Pin diameter, chosen on the virtual spur gear of the normal section so
  // that the pin touches the flank near the shifted pitch circle r' + x m.
  // Where that circle lies inside the virtual base circle the pin is aimed at
  // the middle of the usable flank instead.
  const double sn = m * (pi / 2.0 + 2.0 * xE * std::tan(alphaN));
  const double rVirtual = zVirtual * m / 2.0;
  const double rbVirtual = rVirtual * std::cos(alphaN);
  const double rM0 = rVirtual + x * m;
  double dm = 0.0;
  if (rM0 > rbVirtual) {
    const double alphaM = std::acos(rbVirtual / rM0);
    const double eta = pi / zVirtual + std::tan(alphaM) - invAlphaN - sn / (2.0 * rVirtual);
    dm = 2.0 * rbVirtual * (std::tan(eta) - std::tan(alphaM));
  } else {
    dm = ChooseGridPin(rec, flank);
    if (!(dm > 0.0)) dm = IdealPinForContact(rec, flank.Middle());
  }
  const double step = dm < kPinDiameterFineLimit ? kPinDiameterFineStep : kPinDiameterStep;
  dm = std::round(dm / step) * step;
  if (!(dm > 0.0)) dm = step;

  // A pin that touches off the usable flank (above the tip, below the form
  // radius, or no involute at all) is replaced by the grid pin touching
  // nearest mid-flank. Where no grid pin measures, the first pin stays
  // without a dimension: overPins = 0 and, where it touches no involute,
  // pinContactRadius = 0, so the report warns and prints no value.
  PinSeat seat = SeatPin(rec, dm);
  if (!seat.touches || !flank.Holds(seat.contactRadius)) {
    const double gridPin = ChooseGridPin(rec, flank);
    if (gridPin > 0.0) {
      dm = gridPin;
      seat = SeatPin(rec, dm);
    }
  }
  rec.pinDiameter = dm;
  rec.overPins = 0.0;
  rec.pinContactRadius = seat.contactRadius;
  rec.pinProtrudes = 0;
  if (!seat.touches || !flank.Holds(seat.contactRadius)) return 0;
  const double rM = seat.centreRadius;
  if (zCount % 2 == 0) {
    rec.overPins = 2.0 * rM + dm;
  } else {
    rec.overPins = 2.0 * rM * std::cos(pi / (2.0 * z)) + dm;
  }
  rec.pinProtrudes = ra < rM + dm / 2.0 ? 1 : 0;
  return 0;
}
