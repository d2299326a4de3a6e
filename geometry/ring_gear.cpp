// Ring gear geometry: radii, trimmed tip and root, outline with root fillets,
// rim, and the dimension between two balls.
#include "geometry/ring_gear.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "geometry/involute.h"
#include "geometry/outline_builder.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kDegToRad = kPi / 180.0;

// Basic rack of the ring's cutter (pinion-type tool approximated by the
// rack): ha* 1.0, hf* 1.25 and the smaller tip rounding kRingTipRoundingFactor.
constexpr double kRingAddendumFactor = 1.0;
constexpr double kRingDedendumFactor = 1.25;

// Halvings of the bisections that trim the tip and root circles and find the
// fillet's tangent point.
constexpr int kRingBisections = 60;

double Psi(const GearRecord& rec, double radius) {
  return ComputeInvolutePolarAngle(rec, radius);
}

// Ball diameter rounded to the workshop grid: 0.05 mm, below 1 mm 0.01 mm,
// nearest with halves away from zero; a result <= 0 becomes one step.
double RoundBallDiameter(double ideal) {
  const double step = ideal < kPinDiameterFineLimit ? kPinDiameterFineStep : kPinDiameterStep;
  double rounded = std::round(ideal / step) * step;
  if (!(rounded > 0.0)) rounded = step;
  return rounded;
}

// Where a ball of diameter DM rests in a space of the ring: its centre radius
// and the radius at which it touches the flank. With
// inv alpha_Mt = inv alpha_t + e / (2 r) - DM / (2 rb cos beta_b), e the space
// width, the centre lies on the involute offset by the ball radius into the
// space; the contact lies DM / 2 (normal section) further along the line of
// action, towards the root. The ring's flank is hollow towards the space: a
// ball rests against it only while its radius stays below the flank's radius
// of curvature at the contact, the roll length there, that is while its centre
// lies short of the tangent point (inv alpha_Mt > 0). A larger ball would cut
// across the flank beside the contact and rest on the tip corners instead.
struct BallSeat {
  bool touches = false;
  double centreRadius = 0.0;
  double contactRadius = 0.0;
};

BallSeat SeatBall(const GearRecord& rec, double DM) {
  const double rb = rec.baseRadius;
  const double cosBetaB = std::cos(rec.baseHelixAngle);
  BallSeat seat;
  const double invM = Involute(rec.transversePressureAngle) + rec.pitchThickness / (2.0 * rec.pitchRadius) -
                      DM / (2.0 * rb * cosBetaB);
  if (!(invM > 0.0)) return seat;
  const double alphaMt = InverseInvolute(invM);
  const double rollToContact = rb * std::tan(alphaMt) + DM / (2.0 * cosBetaB);
  if (!(rollToContact > 0.0) || !std::isfinite(rollToContact)) return seat;
  seat.touches = true;
  seat.centreRadius = rb / std::cos(alphaMt);
  seat.contactRadius = std::hypot(rollToContact, rb);
  return seat;
}

// The ideal ball that touches the flank at contactRadius: with the contact
// roll L the centre lies at roll L - DM / (2 cos beta_b), so
// tan alpha_Mt = tan(L / rb - c) with c = inv alpha_t + e / (2 r), hence
// DM / (2 cos beta_b) = L - rb tan(L / rb - c). Returns 0 where none fits.
double IdealBallForContact(const GearRecord& rec, double contactRadius) {
  const double rb = rec.baseRadius;
  if (!(contactRadius > rb)) return 0.0;
  const double roll = std::sqrt(contactRadius * contactRadius - rb * rb);
  const double c = Involute(rec.transversePressureAngle) + rec.pitchThickness / (2.0 * rec.pitchRadius);
  const double angle = roll / rb - c;
  if (!(std::fabs(angle) < kPi / 2.0)) return 0.0;
  const double DM = 2.0 * (roll - rb * std::tan(angle)) * std::cos(rec.baseHelixAngle);
  return std::isfinite(DM) && DM > 0.0 ? DM : 0.0;
}

// The grid ball (0.01 mm below 1 mm, else 0.05 mm) resting on the flank
// [low, high] nearest its middle, or 0 when none does. The contact moves
// towards the tip as the ball grows, so only the two grid balls around the
// ideal ball for the aim can be nearest.
double ChooseGridBall(const GearRecord& rec, double low, double high) {
  if (!(low < high)) return 0.0;
  const double mid = (low + high) / 2.0;
  // A ball rests on the flank only where the contact roll exceeds rb c (its
  // centre short of the tangent point): aim at mid-flank, or as near it as
  // a resting ball can touch.
  const double rb = rec.baseRadius;
  const double c = Involute(rec.transversePressureAngle) + rec.pitchThickness / (2.0 * rec.pitchRadius);
  const double target = c > 0.0 ? std::max(mid, std::hypot(rb, rb * c)) : mid;
  if (!(target < high)) return 0.0;
  const double ideal = IdealBallForContact(rec, target);
  if (!(ideal > 0.0)) return 0.0;
  const double step = ideal < kPinDiameterFineLimit ? kPinDiameterFineStep : kPinDiameterStep;
  const double n = std::floor(ideal / step);
  double best = 0.0;
  double bestDistance = 0.0;
  for (const double DM : {n * step, (n + 1.0) * step}) {
    if (!(DM > 0.0)) continue;
    const BallSeat seat = SeatBall(rec, DM);
    if (!seat.touches || seat.contactRadius < low || seat.contactRadius > high) continue;
    const double distance = std::fabs(seat.contactRadius - mid);
    if (best == 0.0 || distance < bestDistance) {
      best = DM;
      bestDistance = distance;
    }
  }
  return best;
}

// Dimension between two balls (DIN 3960): the ball touching both flanks of a
// space on its centre line, in the normal section. Writes pinDiameter,
// overPins, pinContactRadius and pinProtrudes. The involute flank runs from
// the tip circle (at least the base circle) out to flankEnd, where the root
// fillet begins. A ball aimed at the shifted pitch circle that touches off
// it is replaced by the grid ball touching nearest mid-flank; where none
// does, there is no dimension (overPins = 0).
void ComputeRingBallDimension(GearRecord& rec, double flankEnd) {
  const double m = rec.normalModule;
  const double z = static_cast<double>(rec.teeth);
  const double r = rec.pitchRadius;
  const double rb = rec.baseRadius;
  const double ra = rec.tipRadius;
  const double rf = rec.rootRadius;
  const double cosBetaB = std::cos(rec.baseHelixAngle);

  // Aim the contact at the shifted pitch circle, or mid-flank when that lies
  // off the flank.
  const double flankStart = ra > rb ? ra : rb;
  double rM0 = r + rec.profileShift * m;
  if (rM0 <= flankStart || rM0 >= rf) rM0 = (flankStart + rf) / 2.0;

  OutlinePoint p1, p2;
  ComputeFlankPoint(rec, rM0, p1);
  ComputeFlankPoint(rec, rM0 + kFlankTangentStepModules * m, p2);
  const double tx = p2.x - p1.x, ty = p2.y - p1.y;
  const double tl = std::hypot(tx, ty);
  double nx = ty / tl, ny = -tx / tl;
  if (ny > 0.0) { nx = -nx; ny = -ny; }
  // The normal at p1 meets the space's centre line (y = 0) at the ball centre.
  const double ideal = 2.0 * std::fabs(p1.y / ny) * cosBetaB;
  double DM = RoundBallDiameter(ideal);

  const auto onFlank = [&](const BallSeat& seat) {
    return seat.touches && seat.contactRadius >= flankStart && seat.contactRadius <= flankEnd;
  };
  BallSeat seat = SeatBall(rec, DM);
  if (!onFlank(seat)) {
    const double gridBall = ChooseGridBall(rec, flankStart, flankEnd);
    if (gridBall > 0.0) {
      DM = gridBall;
      seat = SeatBall(rec, DM);
    }
  }
  rec.pinDiameter = DM;
  rec.overPins = 0.0;
  rec.pinContactRadius = seat.contactRadius;
  rec.pinProtrudes = 0;
  if (!onFlank(seat)) return;  // off the real flank: no dimension
  const double rM = seat.centreRadius;
  const bool even = rec.teeth % 2 == 0;
  rec.overPins = (even ? 2.0 * rM : 2.0 * rM * std::cos(kPi / (2.0 * z))) - DM;
  rec.pinProtrudes = rM - DM / 2.0 < ra ? 1 : 0;
}

}  // namespace

int BuildRingGearGeometry(GearRecord& rec, double m, int64_t z, double x, double alphaDeg,
                          double b, double rimThickness, double As, double betaDeg,
                          int64_t hand, int pointDensity, double requestedTipRadius) {
  rec.outline.clear();
  rec.valid = 0;
  rec.isInternal = 1;
  rec.isRack = 0;
  rec.normalModule = m;
  rec.teeth = z;
  rec.profileShift = x;
  rec.pressureAngle = alphaDeg * kDegToRad;
  rec.helixAngle = std::fabs(betaDeg) * kDegToRad;
  rec.hand = hand == 0 ? 1 : hand;
  rec.faceWidth = b;
  rec.boreDiameter = 0.0;
  rec.thicknessAllowance = As;
  rec.rimThickness = rimThickness;
  rec.tipShortening = 0.0;
  rec.requestedTipRadius = requestedTipRadius;
  rec.addendumFactor = kRingAddendumFactor;
  rec.dedendumFactor = kRingDedendumFactor;
  rec.toolTipRadiusFactor = kRingTipRoundingFactor;

  const double alphaN = rec.pressureAngle;
  const double beta = rec.helixAngle;
  const double cosBeta = std::cos(beta);
  if (!(m > 0.0) || !std::isfinite(m) || z < 6 || z > kMaxGearTeeth) return 1;
  if (!(cosBeta >= kMinHelixCosine)) return 1;
  if (!(alphaN > 0.0 && alphaN < kPi / 2.0)) return 1;
  if (!std::isfinite(x) || !std::isfinite(As) || !std::isfinite(b)) return 1;
  if (pointDensity < kMinPointDensity || pointDensity > kMaxPointDensity) return 1;
  const int n = pointDensity;
  const double zd = static_cast<double>(z);

  rec.transverseModule = m / cosBeta;
  rec.transversePressureAngle = std::atan(std::tan(alphaN) / cosBeta);
  rec.baseHelixAngle = std::asin(std::sin(beta) * std::cos(alphaN));
  rec.pitchRadius = rec.transverseModule * zd / 2.0;
  rec.baseRadius = rec.pitchRadius * std::cos(rec.transversePressureAngle);
  const double r = rec.pitchRadius;
  const double rb = rec.baseRadius;

  // The allowance widens the spaces: the tool cuts at xE = x + As / (2 m tan alpha_n).
  rec.toolShift = x + As / (2.0 * m * std::tan(alphaN));
  rec.pitchThickness = rec.transverseModule * (kPi / 2.0 + 2.0 * rec.toolShift * std::tan(alphaN));

  double ra = r - m * (rec.addendumFactor - x);
  double rf = r + m * (rec.dedendumFactor + rec.toolShift);

  // Tip shortening of the pair: raise the tip to the requested radius, when
  // that lies between the standard tip and 0.1 m short of the root.
  if (ra < requestedTipRadius && requestedTipRadius < rf - 0.1 * m) {
    rec.tipShortening = (requestedTipRadius - ra) / m;
    ra = requestedTipRadius;
  }
  rec.undercut = 0;
  if (ra < rb) {  // no involute inside the base circle
    rec.undercut = 1;
    ra = rb;
  }

  // Neighbouring spaces meet at the tip circle: raise the tip to where the
  // half space angle equals half the angular pitch.
  const double halfPitch = kPi / zd;
  rec.pointed = 0;
  if (Psi(rec, ra) >= halfPitch) {
    double lo = ra, hi = rf;
    for (int i = 0; i < kRingBisections; ++i) {
      const double mid = (lo + hi) / 2.0;
      if (Psi(rec, mid) < halfPitch) hi = mid; else lo = mid;
    }
    ra = hi;
    rec.pointed = 1;
  }
  // Spaces that overlap even at the root circle leave no tooth at all.
  if (!(ra < rf)) return 1;
  // A space with no width even at the tip circle leaves no outline to build.
  if (!(Psi(rec, ra) > 0.0)) return 1;
  // The space closes before the root circle: lower the root to where it closes.
  if (Psi(rec, rf) <= 0.0) {
    double lo = ra, hi = rf;
    for (int i = 0; i < kRingBisections; ++i) {
      const double mid = (lo + hi) / 2.0;
      if (Psi(rec, mid) <= 0.0) hi = mid; else lo = mid;
    }
    rf = lo;
  }

  rec.tipRadius = ra;
  rec.rootRadius = rf;
  rec.formRadius = ra;
  rec.tipThickness = 2.0 * ra * (halfPitch - Psi(rec, ra));
  rec.rimRadius = rf + rimThickness;
  if (!(rimThickness > 0.0) || !std::isfinite(rimThickness)) return 1;

  // Root fillet of radius rho touching the flank and the root circle: the
  // flank radius rT where OffsetInvolutePoint changes sign.
  OutlinePoint p, q;
  double rT = rf;
  const auto findFillet = [&](double radius) {
    double lo = ra + kRingFilletSearchStartModules * m, hi = rf;
    const double gLo = OffsetInvolutePoint(rec, lo, radius, rf, p, q);
    const double gHi = OffsetInvolutePoint(rec, hi, radius, rf, p, q);
    if (!(gLo < 0.0 && gHi > 0.0)) return false;
    for (int i = 0; i < kRingBisections; ++i) {
      const double mid = (lo + hi) / 2.0;
      if (OffsetInvolutePoint(rec, mid, radius, rf, p, q) < 0.0) lo = mid; else hi = mid;
    }
    rT = (lo + hi) / 2.0;
    OffsetInvolutePoint(rec, rT, radius, rf, p, q);
    return true;
  };
  double rho = rec.toolTipRadiusFactor * m;
  bool hasFillet = findFillet(rho);
  bool roundingsMeet = false;
  // The cutter's tip roundings must fit its tooth, which fills the space: at
  // steep pressure angles a space is too narrow at the root for two roundings
  // of 0.25 m, whose centres would lie beyond its centre line. The cutter then
  // has the largest roundings that fit: they meet on the centre line at the
  // root circle.
  if (hasFillet && std::atan2(q.y, q.x) < 0.0) {
    double lo = 0.0, hi = rho;
    for (int i = 0; i < kRingBisections; ++i) {
      const double mid = (lo + hi) / 2.0;
      if (findFillet(mid) && std::atan2(q.y, q.x) >= 0.0) lo = mid; else hi = mid;
    }
    rho = lo;
    rec.toolTipRadiusFactor = rho / m;
    roundingsMeet = true;
    hasFillet = rho > 0.0 && findFillet(rho);
    if (!hasFillet) rT = rf;
  }

  // Involute flank from the tip circle to rT, 14 n steps equal in roll angle.
  std::vector<PolarPoint> flank;
  const int flankSteps = 14 * n;
  const double u0 = std::tan(std::acos(rb / ra));
  const double u1 = std::tan(std::acos(rb / rT));
  for (int i = 0; i <= flankSteps; ++i) {
    const double u = u0 + (u1 - u0) * i / flankSteps;
    const double radius = rb * std::sqrt(u * u + 1.0);
    flank.push_back({radius, Psi(rec, radius)});
  }
  flank.back() = {rT, Psi(rec, rT)};

  // Fillet arc about q from the flank point p to the root circle.
  std::vector<PolarPoint> fillet;
  double psiRoot = Psi(rec, rf);
  if (hasFillet) {
    const double a1 = std::atan2(p.y - q.y, p.x - q.x);
    double a2 = std::atan2(q.y, q.x);
    while (a2 - a1 > kPi) a2 -= 2.0 * kPi;
    while (a1 - a2 > kPi) a2 += 2.0 * kPi;
    const int filletSteps = 8 * n;
    for (int i = 1; i <= filletSteps; ++i) {
      const double a = a1 + (a2 - a1) * i / filletSteps;
      const double fx = q.x + rho * std::cos(a);
      const double fy = q.y + rho * std::sin(a);
      fillet.push_back({std::hypot(fx, fy), std::atan2(fy, fx)});
    }
    fillet.back().radius = rf;
    // Roundings that were fitted to the space meet on its centre line: no
    // sliver of root arc between them.
    if (roundingsMeet) fillet.back().angle = 0.0;
    // When the space is narrower at the root than the tool's rounding, the
    // fillets of its two flanks meet on the space's centre line before the
    // root circle: end the fillet there, so that the outline does not cross
    // itself (no root arc then).
    PolarPoint previous = flank.back();
    for (size_t i = 0; i < fillet.size(); ++i) {
      if (fillet[i].angle <= 0.0) {
        const double t = previous.angle / (previous.angle - fillet[i].angle);
        const double radius = previous.radius + (fillet[i].radius - previous.radius) * t;
        fillet.resize(i);
        fillet.push_back({radius, 0.0});
        break;
      }
      previous = fillet[i];
    }
    psiRoot = fillet.back().angle;
  }
  const double psiTip = Psi(rec, ra);

  // The z spaces, clockwise: flank, fillet, root arc, fillet, flank, tip land.
  const int arcSteps = 4 * n;
  for (int64_t t = 0; t < z; ++t) {
    const double phi = -2.0 * kPi * static_cast<double>(t) / zd;
    OutlineCurve c1;
    for (const PolarPoint& e : flank) OutlineAddPolarPoint(c1, e.radius, phi + e.angle);
    rec.outline.push_back(std::move(c1));
    if (hasFillet) {
      OutlineCurve c2;
      OutlineAddPolarPoint(c2, flank.back().radius, phi + flank.back().angle);
      for (const PolarPoint& e : fillet) OutlineAddPolarPoint(c2, e.radius, phi + e.angle);
      rec.outline.push_back(std::move(c2));
    }
    if (psiRoot > kRingArcMinHalfAngle) {
      OutlineCurve c3;
      for (int j = 0; j <= arcSteps; ++j) {
        OutlineAddPolarPoint(c3, rf, phi + psiRoot - 2.0 * psiRoot * j / arcSteps);
      }
      rec.outline.push_back(std::move(c3));
    }
    if (hasFillet) {
      OutlineCurve c4;
      for (auto it = fillet.rbegin(); it != fillet.rend(); ++it) {
        OutlineAddPolarPoint(c4, it->radius, phi - it->angle);
      }
      OutlineAddPolarPoint(c4, flank.back().radius, phi - flank.back().angle);
      rec.outline.push_back(std::move(c4));
    }
    OutlineCurve c5;
    for (auto it = flank.rbegin(); it != flank.rend(); ++it) {
      OutlineAddPolarPoint(c5, it->radius, phi - it->angle);
    }
    rec.outline.push_back(std::move(c5));
    if (halfPitch - psiTip > kRingArcMinHalfAngle) {
      OutlineCurve c6;
      for (int j = 0; j <= arcSteps; ++j) {
        OutlineAddPolarPoint(c6, ra,
                             phi - psiTip - (2.0 * halfPitch - 2.0 * psiTip) * j / arcSteps);
      }
      rec.outline.push_back(std::move(c6));
    }
  }

  rec.topShift = 0.0;
  ComputeRingBallDimension(rec, rT);
  rec.spanTeeth = 0;
  rec.span = 0.0;
  rec.valid = 1;
  return 0;
}

double ComputeInternalMateRadius(const GearRecord& pinion, const GearRecord& ring, double a) {
  const double rb1 = pinion.baseRadius;
  const double rb2 = ring.baseRadius;
  const double rF1 = pinion.formRadius;
  const double cosAlphaW = (rb2 - rb1) / a;
  if (!(cosAlphaW > 0.0 && cosAlphaW <= 1.0)) return 0.0;
  const double alphaW = std::acos(cosAlphaW);
  const double formRoll = rF1 * rF1 - rb1 * rb1 > 0.0 ? std::sqrt(rF1 * rF1 - rb1 * rb1) : 0.0;
  const double along = a * std::sin(alphaW) + formRoll;
  const double result = std::sqrt(along * along + rb2 * rb2);
  return std::isfinite(result) ? result : 0.0;
}

int RebuildRingGearGeometry(GearRecord& rec, int pointDensity) {
  // The inputs are read before the build overwrites the record.
  constexpr double kRadToDeg = 180.0 / kPi;
  return BuildRingGearGeometry(rec, rec.normalModule, rec.teeth, rec.profileShift, rec.pressureAngle * kRadToDeg,
                               rec.faceWidth, rec.rimThickness, rec.thicknessAllowance, rec.helixAngle * kRadToDeg,
                               rec.hand, pointDensity, rec.requestedTipRadius);
}
