// Line of action, contact ratios and current contact points of the three meshes.
#include "geometry/path_of_contact.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/involute.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kPi = std::numbers::pi;

bool IsFiniteNumber(double v) { return std::isfinite(v); }

// Root of ra^2 - rb^2: the roll length from the base circle to the tip circle.
// The callers have checked ra >= rb.
double RollLengthToTip(double tipRadius, double baseRadius) {
  return std::sqrt(tipRadius * tipRadius - baseRadius * baseRadius);
}

// Gear 1 (or the pinion) as the line of action needs it: a built record with
// a base circle inside its tip circle.
bool HasUsableInvolute(const GearRecord& g) {
  return g.valid == 1 && g.teeth >= 1 && g.baseRadius > 0.0 &&
         IsFiniteNumber(g.baseRadius) && IsFiniteNumber(g.tipRadius) &&
         g.tipRadius >= g.baseRadius && g.pitchRadius > 0.0 &&
         IsFiniteNumber(g.pitchThickness) && IsFiniteNumber(g.transverseModule) &&
         IsFiniteNumber(g.transversePressureAngle);
}

// Angle psi from the tooth centre line of gear 1 to the start of its involute
// on the base circle: s / (2 r) + inv(alpha_t).
double ComputeBaseHalfToothAngle(const GearRecord& g) {
  return g.pitchThickness / (2.0 * g.pitchRadius) + Involute(g.transversePressureAngle);
}

void ClearPath(PathOfContactRecord& record) { record = PathOfContactRecord{}; }

// The current contact points for the phase phi of gear 1's contacting flank:
// candidates lie one base pitch apart, p = rb1 (phi0 + i tau), and are kept
// within [A, E] (up to kContactPositionTolerance), at most four of them. The
// search starts at the first candidate at or past A, so that pinions with many
// teeth, whose A lies many base pitches beyond T1, still find their points.
void FindContactPoints(PathOfContactRecord& record, double baseRadius1,
                       int64_t teeth1, double phi) {
  const double tau = 2.0 * kPi / static_cast<double>(teeth1);
  const double basePitch = baseRadius1 * tau;
  const double phi0 = phi - tau * std::floor(phi / tau);  // into [0, tau)
  const double p0 = baseRadius1 * phi0;
  const double firstIndex =
      std::ceil((record.posA - kContactPositionTolerance - p0) / basePitch);
  const int64_t i0 = firstIndex > 0.0 ? static_cast<int64_t>(firstIndex) : 0;

  record.contactCount = 0;
  for (int64_t i = i0; i < i0 + 6; ++i) {
    const double p = baseRadius1 * (phi0 + static_cast<double>(i) * tau);
    if (p > record.posE + kContactPositionTolerance) break;
    if (p >= record.posA - kContactPositionTolerance && record.contactCount < 4) {
      record.contactPositions[record.contactCount++] = p;
    }
  }
}

// B, D and the contact points; then the record is valid only when every
// number in it is finite.
int FinishPath(PathOfContactRecord& record, const GearRecord& gear1, double phi) {
  const double pbt =
      kPi * gear1.transverseModule * std::cos(gear1.transversePressureAngle);
  record.posB = record.posE - pbt;
  record.posD = record.posA + pbt;
  const double values[] = {record.t1X, record.t1Y, record.directionX, record.directionY,
                           record.posT2, record.posA, record.posB, record.posC,
                           record.posD, record.posE, record.workingRadius1,
                           record.workingRadius2, record.workingPressureAngle, phi, pbt};
  for (double v : values) {
    if (!IsFiniteNumber(v)) {
      ClearPath(record);
      return 0;
    }
  }
  if (!(pbt > 0.0)) {
    ClearPath(record);
    return 0;
  }
  FindContactPoints(record, gear1.baseRadius, gear1.teeth, phi);
  record.valid = 1;
  return 1;
}

}  // namespace

int ComputePairPathOfContact(const GearRecord& gear1, const GearRecord& gear2,
                             double centreDistance, double theta,
                             PathOfContactRecord& record) {
  ClearPath(record);
  const double a = centreDistance;
  if (!HasUsableInvolute(gear1) || !HasUsableInvolute(gear2)) return 0;
  if (!(a > 0.0) || !IsFiniteNumber(a) || !IsFiniteNumber(theta)) return 0;
  const double rb1 = gear1.baseRadius;
  const double rb2 = gear2.baseRadius;
  // cos alpha_w = (rb1 + rb2) / a: the base circles must fit between the centres.
  const double cosAlphaW = (rb1 + rb2) / a;
  if (!(cosAlphaW <= 1.0)) return 0;
  const double alphaW = std::acos(cosAlphaW);

  record.workingPressureAngle = alphaW;
  record.workingRadius1 = rb1 / cosAlphaW;
  record.workingRadius2 = rb2 / cosAlphaW;
  record.t1X = rb1 * std::cos(alphaW);
  record.t1Y = -rb1 * std::sin(alphaW);
  record.directionX = std::sin(alphaW);
  record.directionY = std::cos(alphaW);
  record.posT2 = a * std::sin(alphaW);
  record.posA = a * std::sin(alphaW) - RollLengthToTip(gear2.tipRadius, rb2);
  record.posE = RollLengthToTip(gear1.tipRadius, rb1);
  record.posC = rb1 * std::tan(alphaW);
  const double phi = theta + ComputeBaseHalfToothAngle(gear1) + alphaW;
  return FinishPath(record, gear1, phi);
}

int ComputeRackPathOfContact(const GearRecord& pinion, const GearRecord& rack,
                             double theta, PathOfContactRecord& record) {
  ClearPath(record);
  if (!HasUsableInvolute(pinion) || rack.valid != 1 || rack.isRack != 1) return 0;
  if (!IsFiniteNumber(theta)) return 0;
  const double alphaT = pinion.transversePressureAngle;
  // The rack's straight flank needs a pressure angle: the tip line is crossed
  // at (d - rb1 cos alpha_t) / sin alpha_t.
  if (!(std::sin(alphaT) > 0.0)) return 0;
  const double rb1 = pinion.baseRadius;

  record.workingPressureAngle = alphaT;
  record.workingRadius1 = pinion.pitchRadius;
  record.workingRadius2 = 0.0;
  record.t1X = -rb1 * std::sin(alphaT);
  record.t1Y = -rb1 * std::cos(alphaT);
  record.directionX = std::cos(alphaT);
  record.directionY = -std::sin(alphaT);
  record.posC = rb1 * std::tan(alphaT);
  // Distance of the rack's tip line from the pinion centre.
  const double d = pinion.pitchRadius + pinion.profileShift * rack.normalModule -
                   rack.addendumFactor * rack.normalModule;
  record.posA = (d - rb1 * std::cos(alphaT)) / std::sin(alphaT);
  record.posE = RollLengthToTip(pinion.tipRadius, rb1);
  record.posT2 = record.posE + 2.0 * pinion.normalModule;
  const double phi = theta + ComputeBaseHalfToothAngle(pinion) + alphaT + kPi / 2.0;
  return FinishPath(record, pinion, phi);
}

int ComputeInternalPathOfContact(const GearRecord& pinion, const GearRecord& ring,
                                 double centreDistance, double theta,
                                 PathOfContactRecord& record) {
  ClearPath(record);
  const double a = centreDistance;
  if (!HasUsableInvolute(pinion) || !HasUsableInvolute(ring)) return 0;
  if (!(a > 0.0) || !IsFiniteNumber(a) || !IsFiniteNumber(theta)) return 0;
  const double rb1 = pinion.baseRadius;
  const double rb2 = ring.baseRadius;
  // cos alpha_w = (rb2 - rb1) / a: the pinion's base circle must reach the
  // ring's from inside; a smaller ring than pinion has no mesh.
  const double cosAlphaW = (rb2 - rb1) / a;
  if (!(cosAlphaW > 0.0 && cosAlphaW <= 1.0)) return 0;
  const double alphaW = std::acos(cosAlphaW);

  record.workingPressureAngle = alphaW;
  record.workingRadius1 = rb1 / cosAlphaW;
  record.workingRadius2 = rb2 / cosAlphaW;
  record.t1X = a + rb1 * std::cos(alphaW);
  record.t1Y = -rb1 * std::sin(alphaW);
  record.directionX = std::sin(alphaW);
  record.directionY = std::cos(alphaW);
  record.posT2 = -a * std::sin(alphaW);
  record.posA = RollLengthToTip(ring.tipRadius, rb2) - a * std::sin(alphaW);
  record.posE = RollLengthToTip(pinion.tipRadius, rb1);
  record.posC = rb1 * std::tan(alphaW);
  const double phi = theta + ComputeBaseHalfToothAngle(pinion) + alphaW;
  return FinishPath(record, pinion, phi);
}

double ComputeTransverseContactRatio(const GearRecord& gear1, const GearRecord& gear2,
                                     double centreDistance) {
  PathOfContactRecord path;
  if (ComputePairPathOfContact(gear1, gear2, centreDistance, 0.0, path) != 1) {
    return -1.0;
  }
  // g_alpha = sqrt(ra1^2 - rb1^2) + sqrt(ra2^2 - rb2^2) - a sin alpha_w = E - A.
  const double lengthOfContact = path.posE - path.posA;
  const double pbt =
      kPi * gear1.transverseModule * std::cos(gear1.transversePressureAngle);
  return lengthOfContact / pbt;
}

namespace {

// Roll length on the line of action from the base circle to the form circle:
// sqrt(rF^2 - rb^2), 0 when the form radius is not above the base radius.
double RollLengthToForm(const GearRecord& g) {
  const double rF = g.formRadius;
  const double rb = g.baseRadius;
  return rF > rb ? std::sqrt(rF * rF - rb * rb) : 0.0;
}

// The involute stretch [max(A, lowLimit), min(E, highLimit)] of a defined path,
// with F1 and F2 given; the flags say which limit cut the tip-circle path.
int FinishInvoluteContact(const GearRecord& gear1, const PathOfContactRecord& path,
                          double lowLimit, double highLimit, double form1, double form2,
                          InvoluteContactRecord& record) {
  record = InvoluteContactRecord{};
  if (path.valid != 1) return 0;
  const double pbt =
      kPi * gear1.transverseModule * std::cos(gear1.transversePressureAngle);
  record.posForm1 = form1;
  record.posForm2 = form2;
  const double tolerance = kInvoluteContactToleranceModules * gear1.normalModule;
  record.belowForm1 = path.posA < lowLimit - tolerance ? 1 : 0;
  record.belowForm2 = path.posE > highLimit + tolerance ? 1 : 0;
  record.posStart = record.belowForm1 != 0 ? lowLimit : path.posA;
  record.posEnd = record.belowForm2 != 0 ? highLimit : path.posE;
  if (record.posEnd < record.posStart) record.posEnd = record.posStart;
  record.contactRatio = (path.posE - path.posA) / pbt;
  record.involuteContactRatio = record.belowForm1 == 0 && record.belowForm2 == 0
                                    ? record.contactRatio
                                    : (record.posEnd - record.posStart) / pbt;
  if (!IsFiniteNumber(record.involuteContactRatio) || !IsFiniteNumber(record.contactRatio)) {
    record = InvoluteContactRecord{};
    return 0;
  }
  record.valid = 1;
  return 1;
}

}  // namespace

int ComputePairInvoluteContact(const GearRecord& gear1, const GearRecord& gear2,
                               double centreDistance, InvoluteContactRecord& record) {
  PathOfContactRecord path;
  ComputePairPathOfContact(gear1, gear2, centreDistance, 0.0, path);
  // Gear 1's involute runs from F1 (>= T1 = 0) outwards, gear 2's from F2
  // (<= T2) back towards T1.
  const double form1 = RollLengthToForm(gear1);
  const double form2 = path.posT2 - RollLengthToForm(gear2);
  return FinishInvoluteContact(gear1, path, form1, std::min(form2, path.posT2), form1, form2,
                               record);
}

int ComputeRackInvoluteContact(const GearRecord& pinion, const GearRecord& rack,
                               InvoluteContactRecord& record) {
  PathOfContactRecord path;
  ComputeRackPathOfContact(pinion, rack, 0.0, path);
  const double form1 = RollLengthToForm(pinion);
  // The rack's root rounding (radius rho, touching the root line hf below the
  // pitch line) meets the straight flank hf - rho (1 - sin alpha_n) below the
  // pitch line; the line of action crosses that line, at the distance dF from
  // the pinion centre, at (dF - rb1 cos alpha_t) / sin alpha_t.
  const double m = rack.normalModule;
  const double formDepth = (rack.dedendumFactor - rack.toolTipRadiusFactor *
                                                      (1.0 - std::sin(rack.pressureAngle))) * m;
  const double dF = pinion.pitchRadius + pinion.profileShift * m + formDepth;
  const double alphaT = pinion.transversePressureAngle;
  const double form2 = (dF - pinion.baseRadius * std::cos(alphaT)) / std::sin(alphaT);
  return FinishInvoluteContact(pinion, path, form1, form2, form1, form2, record);
}

int ComputeInternalInvoluteContact(const GearRecord& pinion, const GearRecord& ring,
                                   double centreDistance, InvoluteContactRecord& record) {
  PathOfContactRecord path;
  ComputeInternalPathOfContact(pinion, ring, centreDistance, 0.0, path);
  // T2 lies before T1 on this line and the ring's involute runs from T2 past
  // the pinion's tip; only the pinion's form circle limits the start.
  const double form1 = RollLengthToForm(pinion);
  return FinishInvoluteContact(pinion, path, std::max(form1, path.posT2), path.posE, form1,
                               path.posE, record);
}

double ComputeOverlapRatio(const GearRecord& gear) {
  const double m = gear.normalModule;
  if (!(m > 0.0) || !IsFiniteNumber(m) || !IsFiniteNumber(gear.faceWidth) ||
      !IsFiniteNumber(gear.helixAngle)) {
    return -1.0;
  }
  return gear.faceWidth * std::sin(gear.helixAngle) / (kPi * m);
}

double ComputeGear2MeshAngle(const GearRecord& gear1, const GearRecord& gear2,
                             double gear1Angle) {
  if (!(gear2.teeth > 0)) return 0.0;
  const double z1 = static_cast<double>(gear1.teeth);
  const double z2 = static_cast<double>(gear2.teeth);
  return kPi / z2 - gear1Angle * z1 / z2 + kPi;
}
