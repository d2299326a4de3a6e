// Root form factor YF and stress correction factor YS on the generated tooth
// outline (ISO 6336-3, load applied at the tooth tip).
//
// Tooth coordinates: s is the distance from the tooth centre line, h the
// coordinate along it, growing towards the tip. The points used are one half
// tooth and the adjoining half gap, in outline order from the middle of the
// gap along the root, the fillet and the flank up to the tip.
#include "design/root_form_factors.h"

#include <cmath>
#include <numbers>
#include <vector>

#include "design/virtual_gear.h"
#include "geometry/tolerances.h"

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadToDeg = 180.0 / kPi;

// Slope y / x above which a point lies clearly above the +x axis (about
// 1e-6 rad, far beyond the sector's 1e-9 tolerance).
constexpr double kRootSectorQuickRejectSlope = 1e-6;

struct ToothPoint {
  double s = 0.0;
  double h = 0.0;
};

// Turns the outline points of the kept sector into tooth coordinates, in
// outline order (external gear: tooth 0 on the +x axis, the half below it;
// ring: the tooth centred at -tau/2 and the gap on the +x axis; rack: tooth 0
// centred at x = p/2 and the gap up to x = p, rack back excluded).
void CollectToothPoints(const GearRecord& gear, int64_t pairKind, std::vector<ToothPoint>& points) {
  const double tau = 2.0 * kPi / static_cast<double>(gear.teeth);
  const double p = kPi * gear.transverseModule;
  // From 6 teeth on, the sector of a gear or ring lies within 30 degrees below
  // the +x axis: a point left of the y axis, more than 45 degrees below the x
  // axis or clearly above it is skipped before the costly atan2 (same result,
  // some eight times fewer angles on a large gear).
  const bool quickReject = pairKind != kPairRack && gear.teeth >= kMinVirtualTeeth;
  for (const OutlineCurve& curve : gear.outline) {
    for (const OutlinePoint& pt : curve.points) {
      if (quickReject && (!(pt.x > 0.0) || pt.y > kRootSectorQuickRejectSlope * pt.x ||
                          pt.y < -pt.x)) {
        continue;
      }
      if (pairKind == kPairRack) {
        const double u = pt.x - p / 2.0;
        if (u >= -kRootSectorCentreTolerance && u <= p / 2.0 + kRootSectorGapTolerance &&
            pt.y > -gear.rackHeight + kRootSectorGapTolerance) {
          points.push_back({u, pt.y});
        }
        continue;
      }
      const double r = std::hypot(pt.x, pt.y);
      const double theta = std::atan2(pt.y, pt.x);
      if (pairKind == kPairInternal) {
        const double t = theta + tau / 2.0;
        if (t >= -kRootSectorCentreTolerance && t <= tau / 2.0 + kRootSectorGapTolerance) {
          points.push_back({r * std::sin(t), -r * std::cos(t)});
        }
      } else if (theta >= -tau / 2.0 - kRootSectorGapTolerance &&
                 theta <= kRootSectorCentreTolerance) {
        points.push_back({r * std::sin(-theta), r * std::cos(theta)});
      }
    }
  }
}

// Drops every point whose |ds| + |dh| to the last point kept is not above limit.
void ThinToothPoints(std::vector<ToothPoint>& points, double limit) {
  if (points.empty()) return;
  size_t kept = 1;
  for (size_t i = 1; i < points.size(); ++i) {
    const ToothPoint& last = points[kept - 1];
    if (std::fabs(points[i].s - last.s) + std::fabs(points[i].h - last.h) > limit) {
      points[kept++] = points[i];
    }
  }
  points.resize(kept);
}

// True when the point has reached the tip circle (gear: at or beyond it;
// ring: at or inside its inner tip circle) or the tip line (rack).
bool ReachesTip(const GearRecord& gear, int64_t pairKind, const ToothPoint& pt) {
  const double mn = gear.normalModule;
  const double ra = gear.tipRadius;
  if (pairKind == kPairRack) return pt.h >= ra - kRootRackTipTolerance;
  const double r = std::hypot(pt.s, pt.h);
  if (pairKind == kPairInternal) return r <= ra + kRootTipReachModules * mn;
  return r >= ra - kRootTipReachModules * mn;
}

// Angle (degrees) of the segment a -> b to the tooth centre line: 0 along it
// towards the tip, 90 across it.
double SegmentAngleDeg(const ToothPoint& a, const ToothPoint& b) {
  return std::atan2(std::fabs(b.s - a.s), b.h - a.h) * kRadToDeg;
}

}  // namespace

double ComputeFilletCircleRadius(double s1, double h1, double s2, double h2, double s3, double h3) {
  const double d = 2.0 * (s1 * (h2 - h3) + s2 * (h3 - h1) + s3 * (h1 - h2));
  if (std::fabs(d) < kFilletCollinearDeterminant) return kStraightFilletRadius;
  const double q1 = s1 * s1 + h1 * h1;
  const double q2 = s2 * s2 + h2 * h2;
  const double q3 = s3 * s3 + h3 * h3;
  const double sc = (q1 * (h2 - h3) + q2 * (h3 - h1) + q3 * (h1 - h2)) / d;
  const double hc = (q1 * (s3 - s2) + q2 * (s1 - s3) + q3 * (s2 - s1)) / d;
  return std::hypot(s1 - sc, h1 - hc);
}

// Load at the tip, bending arm and chord at the critical section (ISO 6336-3).
double ComputeToothFormFactor(double chord, double momentArm, double loadAngle,
                              double normalModule, double pressureAngle) {
  const double sRel = chord / normalModule;
  return 6.0 * (momentArm / normalModule) * std::cos(loadAngle) /
         (sRel * sRel * std::cos(pressureAngle));
}

// Notch effect of the fillet at the critical section (ISO 6336-3).
double ComputeStressCorrectionFactor(double chord, double momentArm, double filletRadius) {
  const double l = chord / momentArm;
  double qs = chord / (2.0 * filletRadius);
  if (!(qs >= kMinNotchParameter)) qs = kMinNotchParameter;
  if (qs > kMaxNotchParameter) qs = kMaxNotchParameter;
  return (1.2 + 0.13 * l) * std::pow(qs, 1.0 / (1.21 + 2.3 / l));
}

int64_t ComputeRootFormFactors(const GearRecord& gear, int64_t pairKind, RootSection& section) {
  section.found = 0;
  if (gear.valid != 1) return 0;
  if (pairKind != kPairExternal && pairKind != kPairInternal && pairKind != kPairRack) return 0;
  if (pairKind != kPairRack && !(gear.teeth > 0)) return 0;
  const double mn = gear.normalModule;
  const double limitDeg =
      pairKind == kPairInternal ? kRootTangentAngleInternal : kRootTangentAngleExternal;

  std::vector<ToothPoint> points;
  CollectToothPoints(gear, pairKind, points);
  ThinToothPoints(points, kRootPointDuplicateModules * mn);
  if (points.size() < kMinRootPoints) return 0;

  size_t iTip = 0;
  bool hasTip = false;
  for (size_t i = 0; i < points.size(); ++i) {
    if (ReachesTip(gear, pairKind, points[i])) {
      iTip = i;
      hasTip = true;
      break;
    }
  }
  if (!hasTip || iTip < kMinRootTipIndex) return 0;

  // Critical point: climbing from the root, where the contour's tangent turns
  // to the limit angle (ISO 6336-3: the 30 degree tangent of external teeth).
  size_t iC = 0;
  bool hasCritical = false;
  for (size_t i = 1; i + 1 <= iTip; ++i) {
    if (SegmentAngleDeg(points[i - 1], points[i]) > limitDeg &&
        SegmentAngleDeg(points[i], points[i + 1]) <= limitDeg) {
      iC = i;
      hasCritical = true;
      break;
    }
  }
  if (!hasCritical) return 0;

  section.pointX = points[iC].s;
  section.pointY = points[iC].h;
  section.chord = 2.0 * points[iC].s;

  // Fillet radius from the circle through iC - k, iC, iC + k.
  size_t k = kFilletFitSpan;
  if (iC < k) k = iC;
  if (iC + k > iTip) k = iTip - iC;
  if (k < 1) return 0;
  const ToothPoint& f1 = points[iC - k];
  const ToothPoint& f2 = points[iC];
  const ToothPoint& f3 = points[iC + k];
  section.filletRadius = ComputeFilletCircleRadius(f1.s, f1.h, f2.s, f2.h, f3.s, f3.h);

  // Load line: the normal of the last flank segment at the tip, pointing
  // towards the tooth centre line, and where it crosses that line.
  const double ds = points[iTip].s - points[iTip - 1].s;
  const double dh = points[iTip].h - points[iTip - 1].h;
  const double length = std::hypot(ds, dh);
  if (!(length > 0.0)) return 0;
  double ns = -dh / length;
  double nh = ds / length;
  if (ns > 0.0) {
    ns = -ns;
    nh = -nh;
  }
  if (!(std::fabs(ns) >= kLoadLineMinCrossing)) return 0;
  const double hA = points[iTip].h - points[iTip].s * nh / ns;

  section.momentArm = hA - points[iC].h;
  section.loadAngle = std::atan(std::fabs(nh / ns));
  if (!(section.momentArm > 0.0) || !(section.chord > 0.0)) return 0;

  section.formFactor = ComputeToothFormFactor(section.chord, section.momentArm,
                                              section.loadAngle, mn, gear.pressureAngle);
  section.stressCorrection =
      ComputeStressCorrectionFactor(section.chord, section.momentArm, section.filletRadius);

  if (!std::isfinite(section.formFactor) || !std::isfinite(section.stressCorrection)) return 0;
  section.found = 1;
  return 1;
}
