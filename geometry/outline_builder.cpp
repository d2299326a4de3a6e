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

namespace {

// Steps of the searches on the continuous trochoid of an undercut fillet
// (bisection for its crossing with the involute, golden section for its
// least angle): far below a micrometre, and a fixed count keeps the results
// reproducible.
constexpr int kFilletSearchSteps = 60;

// The cutter's tip rounding in the transverse section: radius rho (rho /
// cos beta across the rack), centred at (xc, yc) in the frame of the rack at
// rest, with the pitch line at distance r from the gear centre.
struct TipRounding {
  double r = 0.0;
  double rho = 0.0;
  double cosBeta = 1.0;
  double xc = 0.0;
  double yc = 0.0;
};

// The fillet point cut by the point J of the tip rounding: the rack is rolled
// to the angle phi at which the normal through that point passes the pitch
// point, shifted back by r phi and turned into the gear frame. The angle is
// measured from the tooth centre line (the v axis) towards u.
PolarPoint TrochoidPoint(const TipRounding& tool, double j) {
  const double r = tool.r;
  const double cosJ = std::cos(j);
  const double sinJ = std::sin(j);
  const double x = tool.xc + tool.rho * cosJ / tool.cosBeta;
  const double y = tool.yc + tool.rho * sinJ;
  const double nx = tool.cosBeta * cosJ;
  const double ny = sinJ;
  const double phi = (x - (y - r) * nx / ny) / r;
  const double xs = x - r * phi;
  const double u = xs * std::cos(phi) + y * std::sin(phi);
  const double v = -xs * std::sin(phi) + y * std::cos(phi);
  return {std::hypot(u, v), std::atan2(u, v)};
}

// True when a fillet point lies above the base circle and on or outside the
// involute: the involute, not the fillet, bounds the tooth there.
bool IsBeyondInvolute(const GearRecord& rec, const PolarPoint& pt) {
  return pt.radius > rec.baseRadius && pt.angle - ComputeInvolutePolarAngle(rec, pt.radius) >= 0.0;
}

// Undercut: the trochoid dips into the tooth (angle below the involute's)
// and comes out again; the tooth ends on the fillet up to the crossing and on
// the involute above it. The first sampled point beyond the involute brackets
// the crossing together with the point before it, also when that one lies
// inside the base circle (on a coarse sampling the whole dip may fall between
// two points). The crossing is then solved on the continuous trochoid, so it
// does not depend on the sampling, and the fillet ends exactly on the
// involute there. Without a bracket the fillet is left as it is.
void TrimUndercutFillet(const GearRecord& rec, const TipRounding& tool, std::vector<double>& keptJ,
                        std::vector<PolarPoint>& kept) {
  for (size_t i = 0; i < kept.size(); ++i) {
    if (!IsBeyondInvolute(rec, kept[i])) continue;
    if (i == 0) return;
    double inside = keptJ[i - 1];
    double beyond = keptJ[i];
    for (int k = 0; k < kFilletSearchSteps; ++k) {
      const double mid = 0.5 * (inside + beyond);
      if (IsBeyondInvolute(rec, TrochoidPoint(tool, mid))) {
        beyond = mid;
      } else {
        inside = mid;
      }
    }
    const double rx = TrochoidPoint(tool, beyond).radius;
    kept.resize(i);
    kept.push_back({rx, ComputeInvolutePolarAngle(rec, rx)});
    keptJ.resize(i);
    keptJ.push_back(beyond);
    return;
  }
}

// The least angle from the tooth centre line that the kept fillet reaches.
// An undercut fillet dips towards the centre line between its points, so
// there the least is sought on the continuous trochoid, over the two
// intervals beside the least sampled point (golden section); whether the
// cuts of both flanks meet across the centre line then does not depend on
// the sampling.
double LeastFilletAngle(const GearRecord& rec, const TipRounding& tool,
                        const std::vector<double>& keptJ, const std::vector<PolarPoint>& kept) {
  if (kept.empty()) return 0.0;
  size_t least = 0;
  for (size_t i = 1; i < kept.size(); ++i) {
    if (kept[i].angle < kept[least].angle) least = i;
  }
  double angle = kept[least].angle;
  if (rec.undercut != 1 || kept.size() < 2) return angle;
  const double invGolden = (std::sqrt(5.0) - 1.0) / 2.0;
  double a = keptJ[least == 0 ? 0 : least - 1];
  double b = keptJ[least + 1 < kept.size() ? least + 1 : least];
  double c = b - invGolden * (b - a);
  double d = a + invGolden * (b - a);
  double fc = TrochoidPoint(tool, c).angle;
  double fd = TrochoidPoint(tool, d).angle;
  for (int k = 0; k < kFilletSearchSteps; ++k) {
    if (fc < fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - invGolden * (b - a);
      fc = TrochoidPoint(tool, c).angle;
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + invGolden * (b - a);
      fd = TrochoidPoint(tool, d).angle;
    }
  }
  return std::min({angle, fc, fd});
}

}  // namespace

void BuildRootFillet(const GearRecord& rec, int pointDensity, std::vector<PolarPoint>& kept,
                     double& rootArcHalfAngle, double& leastAngle) {
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
  const TipRounding tool{r, rho, cosBeta, xc, yc};

  // 1. The trochoid: the contact point runs over the tip rounding from its
  // lowest point (J = 3 pi / 2) to where it meets the straight flank
  // (J = pi + alpha_n).
  std::vector<PolarPoint> raw;
  std::vector<double> rawJ;
  raw.reserve(static_cast<size_t>(steps) + 1);
  rawJ.reserve(static_cast<size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const double j = 3.0 * pi / 2.0 - (pi / 2.0 - alphaN) * i / steps;
    raw.push_back(TrochoidPoint(tool, j));
    rawJ.push_back(j);
  }

  // 3. Clip at the half pitch: where the fillets of two neighbouring spaces
  // overlap, the fillet begins at the half-pitch angle, interpolated.
  const double halfPitch = pi / static_cast<double>(rec.teeth);
  kept.clear();
  kept.reserve(raw.size() + 1);
  std::vector<double> keptJ;
  keptJ.reserve(raw.size() + 1);
  bool seenBeyond = false;
  size_t beyond = 0;
  for (size_t i = 0; i < raw.size(); ++i) {
    const PolarPoint& pt = raw[i];
    if (pt.angle > halfPitch) {
      seenBeyond = true;
      beyond = i;
      continue;
    }
    if (kept.empty() && seenBeyond) {
      const PolarPoint& prev = raw[beyond];
      const double t = (prev.angle - halfPitch) / (prev.angle - pt.angle);
      kept.push_back({prev.radius + (pt.radius - prev.radius) * t, halfPitch});
      keptJ.push_back(rawJ[beyond] + (rawJ[i] - rawJ[beyond]) * t);
    }
    kept.push_back(pt);
    keptJ.push_back(rawJ[i]);
  }

  // 4. Undercut trim.
  if (rec.undercut == 1) TrimUndercutFillet(rec, tool, keptJ, kept);
  leastAngle = LeastFilletAngle(rec, tool, keptJ, kept);
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

ToothTurn ComputeToothTurn(int64_t teeth, int64_t t) {
  const double phiT = 2.0 * std::numbers::pi / static_cast<double>(teeth) * static_cast<double>(t);
  return {std::cos(phiT), std::sin(phiT)};
}

void AppendGearTeeth(GearRecord& rec, int pointDensity, const std::vector<PolarPoint>& fillet,
                     const std::vector<PolarPoint>& flank, double rootArcHalfAngle, double tipHalfAngle,
                     int64_t toothCount) {
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
  rec.outline.reserve(static_cast<size_t>(toothCount) * tooth.size());
  rec.outline.insert(rec.outline.end(), tooth.begin(), tooth.end());
  for (int64_t t = 1; t < toothCount; ++t) {
    const ToothTurn turn = ComputeToothTurn(z, t);
    for (const OutlineCurve& source : tooth) {
      OutlineCurve& curve = rec.outline.emplace_back();
      curve.points.resize(source.points.size());
      for (size_t i = 0; i < source.points.size(); ++i) curve.points[i] = TurnOutlinePoint(source.points[i], turn);
    }
  }
}
