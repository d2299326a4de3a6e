// Tooth outline of an external gear by simulating the rack cutter: root
// fillet (trochoid of the tool's tip rounding), involute flank, root and tip
// arcs, repeated for all teeth; and the point helpers.
#include "geometry/outline_builder.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/involute.h"
#include "geometry/tolerances.h"

int OutlineAddPolarPoint(OutlineCurve& curve, double radius, double angle) {
  curve.points.push_back({radius * std::cos(angle), radius * std::sin(angle)});
  return 0;
}

int PointListAdd(OutlineCurve& curve, double x, double y) {
  curve.points.push_back({x, y});
  return 0;
}

int OutlineAddSegment(GearRecord& rec, double x1, double y1, double x2, double y2) {
  if (std::fabs(x2 - x1) + std::fabs(y2 - y1) < kMinSegmentLength) return 0;
  OutlineCurve curve;
  curve.points = {{x1, y1}, {x2, y2}};
  rec.outline.push_back(std::move(curve));
  return 0;
}

int ComputeFlankPoint(const GearRecord& rec, double radius, OutlinePoint& out) {
  const double psi = ComputeInvolutePolarAngle(rec, radius);
  out = {radius * std::cos(psi), radius * std::sin(psi)};
  return 0;
}

double OffsetInvolutePoint(const GearRecord& rec, double radius, double c, double target,
                           OutlinePoint& p, OutlinePoint& q) {
  OutlinePoint p2;
  ComputeFlankPoint(rec, radius, p);
  ComputeFlankPoint(rec, radius + kFlankTangentStepModules * rec.normalModule, p2);
  const double dx = p2.x - p.x;
  const double dy = p2.y - p.y;
  const double length = std::hypot(dx, dy);
  const double tx = dx / length;
  const double ty = dy / length;
  double nx = ty;
  double ny = -tx;
  // (-sin psi, cos psi) is the direction of increasing polar angle at p.
  const double psi = ComputeInvolutePolarAngle(rec, radius);
  if (-nx * std::sin(psi) + ny * std::cos(psi) > 0.0) {
    nx = -nx;
    ny = -ny;
  }
  q = {p.x + c * nx, p.y + c * ny};
  return std::hypot(q.x, q.y) - (target - c);
}

void BuildRootFillet(const GearRecord& rec, int pointDensity, std::vector<PolarPoint>& kept,
                     double& rootArcHalfAngle) {
  const double pi = std::numbers::pi;
  const double m = rec.normalModule;
  const double r = rec.pitchRadius;
  const double alphaN = rec.pressureAngle;
  const double cosBeta = std::cos(rec.helixAngle);
  const double rf = rec.rootRadius;
  const double rho = rec.toolTipRadiusFactor * m;
  const int steps = 14 * pointDensity;

  // Cutter: datum line at rD from the gear centre, tip rounding of radius rho
  // centred at Yc = rf + rho. In the normal section the rounding centre lies
  // D from the gear's tooth centre line (the middle of the tool's tooth space):
  // half the space width pi m / 4 at the datum line, widened along the flank
  // down to the centre's height, plus the offset of the centre from the flank.
  const double datumRadius = r + rec.toolShift * m;
  const double yc = rf + rho;
  const double d = pi * m / 4.0 +
                   std::tan(alphaN) * ((datumRadius - yc) + rho * std::sin(alphaN)) +
                   rho * std::cos(alphaN);
  const double xc = d / cosBeta;
  rootArcHalfAngle = xc / r;

  // 1. The trochoid: the contact point runs over the tip rounding from its
  // lowest point (J = 3 pi / 2) to where it meets the straight flank
  // (J = pi + alpha_n). For each tool point, the rolling angle phi is the one
  // at which its normal passes the pitch point; then the rack is shifted back
  // by r phi and the point turned into the gear frame.
  std::vector<PolarPoint> raw;
  raw.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double j = 3.0 * pi / 2.0 - (pi / 2.0 - alphaN) * i / steps;
    const double cosJ = std::cos(j);
    const double sinJ = std::sin(j);
    const double x = xc + rho * cosJ / cosBeta;
    const double y = yc + rho * sinJ;
    const double nx = cosBeta * cosJ;
    const double ny = sinJ;
    const double phi = (x - (y - r) * nx / ny) / r;
    const double xs = x - r * phi;
    const double u = xs * std::cos(phi) + y * std::sin(phi);
    const double v = -xs * std::sin(phi) + y * std::cos(phi);
    raw.push_back({std::hypot(u, v), std::atan2(u, v)});
  }

  // 3. Clip at the half pitch: where the fillets of two neighbouring spaces
  // overlap, the fillet begins at the half-pitch angle, interpolated.
  const double halfPitch = pi / static_cast<double>(rec.teeth);
  kept.clear();
  kept.reserve(raw.size() + 1);
  bool seenBeyond = false;
  PolarPoint beyond;
  for (const PolarPoint& pt : raw) {
    if (pt.angle > halfPitch) {
      seenBeyond = true;
      beyond = pt;
      continue;
    }
    if (kept.empty() && seenBeyond) {
      const double t = (beyond.angle - halfPitch) / (beyond.angle - pt.angle);
      kept.push_back({beyond.radius + (pt.radius - beyond.radius) * t, halfPitch});
    }
    kept.push_back(pt);
  }

  // 4. Undercut: the trochoid dips into the tooth (angle below the involute's)
  // and comes out again; the outline follows it up to the crossing, found by
  // linear interpolation of d = angle - psi between two sampled points above
  // the base circle, d < 0 before and d >= 0 after.
  if (rec.undercut == 1) {
    const double rb = rec.baseRadius;
    const std::vector<PolarPoint> copy = kept;
    kept.clear();
    bool hasPrevious = false;
    double dPrevious = 0.0;
    double rPrevious = 0.0;
    for (const PolarPoint& pt : copy) {
      if (!(pt.radius > rb)) {
        hasPrevious = false;
        kept.push_back(pt);
        continue;
      }
      const double dHere = pt.angle - ComputeInvolutePolarAngle(rec, pt.radius);
      if (hasPrevious && dPrevious < 0.0 && dHere >= 0.0) {
        const double rx = rPrevious + (pt.radius - rPrevious) * dPrevious / (dPrevious - dHere);
        kept.push_back({rx, ComputeInvolutePolarAngle(rec, rx)});
        break;
      }
      hasPrevious = true;
      dPrevious = dHere;
      rPrevious = pt.radius;
      kept.push_back(pt);
    }
  }
}

void BuildInvoluteFlank(const GearRecord& rec, int pointDensity, const PolarPoint& flankStart,
                        double tipRadius, double tipHalfAngle, std::vector<PolarPoint>& flank) {
  const double rb = rec.baseRadius;
  const int steps = 14 * pointDensity;
  flank.clear();
  flank.reserve(static_cast<size_t>(steps) + 1);
  flank.push_back(flankStart);
  // Equal steps of the roll parameter u = tan(alpha_y) = sqrt(ry^2 - rb^2) / rb.
  const double u0 = std::tan(std::acos(rb / std::max(flankStart.radius, rb)));
  const double u1 = std::tan(std::acos(std::min(1.0, rb / tipRadius)));
  for (int i = 1; i <= steps; ++i) {
    const double u = u0 + (u1 - u0) * i / steps;
    const double radius = rb * std::sqrt(u * u + 1.0);
    flank.push_back({radius, ComputeInvolutePolarAngle(rec, radius)});
  }
  // A pointed tooth: both flanks end exactly on the tooth centre line.
  if (tipHalfAngle == 0.0) flank.back().angle = 0.0;
}

void AppendGearTeeth(GearRecord& rec, int pointDensity, const std::vector<PolarPoint>& fillet,
                     const std::vector<PolarPoint>& flank, double rootArcHalfAngle,
                     double tipHalfAngle) {
  const double pi = std::numbers::pi;
  const int64_t z = rec.teeth;
  const double pitchAngle = 2.0 * pi / static_cast<double>(z);
  const int arcSteps = 4 * pointDensity;
  const bool hasRootArc = rootArcHalfAngle < pi / static_cast<double>(z) - kRootArcAngleTolerance;
  const bool hasFillet = fillet.size() >= 2;
  const bool hasTipArc = tipHalfAngle > kTipArcMinHalfAngle;
  const double rf = rec.rootRadius;
  const double ra = rec.tipRadius;

  // The curves of tooth 0 (centred on the x axis), in outline order.
  std::vector<OutlineCurve> tooth;
  tooth.reserve(6);
  if (hasRootArc) {
    // The gap between the last tooth and tooth 0.
    OutlineCurve& arc = tooth.emplace_back();
    const double start = -pitchAngle + rootArcHalfAngle;
    const double sweep = pitchAngle - 2.0 * rootArcHalfAngle;
    for (int j = 0; j <= arcSteps; ++j) OutlineAddPolarPoint(arc, rf, start + sweep * j / arcSteps);
  }
  if (hasFillet) {
    OutlineCurve& curve = tooth.emplace_back();
    for (const PolarPoint& pt : fillet) OutlineAddPolarPoint(curve, pt.radius, -pt.angle);
  }
  {
    OutlineCurve& curve = tooth.emplace_back();
    for (const PolarPoint& pt : flank) OutlineAddPolarPoint(curve, pt.radius, -pt.angle);
  }
  if (hasTipArc) {
    OutlineCurve& arc = tooth.emplace_back();
    for (int j = 0; j <= arcSteps; ++j) {
      OutlineAddPolarPoint(arc, ra, -tipHalfAngle + 2.0 * tipHalfAngle * j / arcSteps);
    }
  }
  {
    OutlineCurve& curve = tooth.emplace_back();
    for (auto it = flank.rbegin(); it != flank.rend(); ++it) {
      OutlineAddPolarPoint(curve, it->radius, it->angle);
    }
  }
  if (hasFillet) {
    OutlineCurve& curve = tooth.emplace_back();
    for (auto it = fillet.rbegin(); it != fillet.rend(); ++it) {
      OutlineAddPolarPoint(curve, it->radius, it->angle);
    }
  }

  // Tooth t is tooth 0 turned by phi_t = 2 pi t / z. Turning the points of
  // tooth 0 gives the same points as placing each at radius and angle
  // phi_t -+ a (to rounding) at a fraction of the cost: the STL copies have
  // some 200,000 points.
  rec.outline.reserve(static_cast<size_t>(z) * tooth.size());
  rec.outline.insert(rec.outline.end(), tooth.begin(), tooth.end());
  for (int64_t t = 1; t < z; ++t) {
    const double phiT = pitchAngle * static_cast<double>(t);
    const double c = std::cos(phiT);
    const double s = std::sin(phiT);
    for (const OutlineCurve& source : tooth) {
      OutlineCurve& curve = rec.outline.emplace_back();
      curve.points.resize(source.points.size());
      for (size_t i = 0; i < source.points.size(); ++i) {
        const OutlinePoint& p = source.points[i];
        curve.points[i] = {p.x * c - p.y * s, p.x * s + p.y * c};
      }
    }
  }
}
