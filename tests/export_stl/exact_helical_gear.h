// An exact external helical gear, written from textbook gear geometry apart
// from the program's outline code: the distance of a point in space from the
// gear's surface (tip and root cylinders, involute helicoid flanks and the
// root fillet that the rounded tip of the rack cutter sweeps).
//
// Cutter: the basic rack of the normal section (addendum 1.25 m, tip rounding
// 0.38 m, space width pi m / 2 on the datum line), its datum line x m beyond
// the pitch line. In the transverse section every length along the rack is
// stretched by 1 / cos beta, so the tip rounding becomes an ellipse. A point of
// the cutter cuts the gear when its normal passes through the pitch point.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <vector>

namespace exactgear {

inline double Inv(double a) { return std::tan(a) - a; }

struct HalfToothPoint {
  double radius = 0.0;
  double angle = 0.0;  // from the tooth centre line
};

class HelicalGear {
 public:
  // m normal module, z teeth, x profile shift, alphaDeg normal pressure angle,
  // betaDeg helix angle, hand +1 right / -1 left. Tooth 0 is centred on +x at
  // z = 0; no tip shortening. A thickness allowance As (normal section, mm)
  // thins the tooth by feeding the cutter in: it cuts at the shift
  // x - As / (2 m tan alpha_n) (the tooth thickness falls by 2 tan alpha_n
  // times the infeed), while the tip circle keeps x.
  HelicalGear(double m, int64_t z, double x, double alphaDeg, double betaDeg, int64_t hand,
              double allowance = 0.0)
      : m_(m), z_(z), hand_(hand) {
    const double pi = std::numbers::pi;
    alpha_ = alphaDeg * pi / 180.0;
    beta_ = betaDeg * pi / 180.0;
    const double mt = m / std::cos(beta_);
    alphaT_ = std::atan(std::tan(alpha_) / std::cos(beta_));
    r_ = mt * static_cast<double>(z) / 2.0;
    rb_ = r_ * std::cos(alphaT_);
    cosBetaB_ = std::cos(std::asin(std::sin(beta_) * std::cos(alpha_)));
    pitch_ = 2.0 * pi / static_cast<double>(z);
    const double xCut = x - allowance / (2.0 * m * std::tan(alpha_));
    const double s = mt * (pi / 2.0 + 2.0 * xCut * std::tan(alpha_));
    flankConstant_ = s / (2.0 * r_) + Inv(alphaT_);
    ra_ = r_ + m * (1.0 + x);
    rf_ = r_ + xCut * m - 1.25 * m;
    psiTip_ = FlankAngle(ra_);
    if (psiTip_ < 0.0) {
      // A pointed tooth ends where its flanks meet.
      double lo = rb_, hi = ra_;
      for (int i = 0; i < 200; ++i) {
        const double mid = 0.5 * (lo + hi);
        (FlankAngle(mid) <= 0.0 ? hi : lo) = mid;
      }
      ra_ = lo;
      psiTip_ = FlankAngle(ra_);
      pointed_ = true;
    }
    BuildFillet(xCut);
  }

  double rootRadius() const { return rf_; }
  double tipRadius() const { return ra_; }
  double pitchRadius() const { return r_; }
  bool undercut() const { return undercut_; }
  bool pointed() const { return pointed_; }

  // Polar angle of the flank at radius R, from the tooth centre line.
  double FlankAngle(double R) const { return flankConstant_ - Inv(std::acos(rb_ / std::max(R, rb_))); }

  // The point (x, y, zz) turned back to z = 0 and folded into the half tooth
  // of angles 0 .. pitch / 2 from the nearest tooth centre line. A right-hand
  // section turns counter-clockwise (seen from +z) by tan(beta) / r per mm.
  HalfToothPoint Fold(double x, double y, double zz) const {
    const double theta = std::atan2(y, x) - static_cast<double>(hand_) * std::tan(beta_) * zz / r_;
    const double q = std::round(theta / pitch_);
    return {std::hypot(x, y), std::fabs(theta - q * pitch_)};
  }

  // Distance (mm) of the point from the gear's side surface: exact for the
  // cylinders and the flank helicoids; for the fillet the distance within the
  // transverse plane, which is never less than the distance in space.
  double Distance(double x, double y, double zz) const {
    const HalfToothPoint p = Fold(x, y, zz);
    const double R = p.radius;
    const double a = p.angle;
    const double px = R * std::cos(a), py = R * std::sin(a);
    double best = std::numeric_limits<double>::infinity();
    if (a <= psiTip_) best = std::min(best, std::fabs(R - ra_));
    if (hasRootArc_ && a >= rootArcStart_) best = std::min(best, std::fabs(R - rf_));
    // Flank: the involutes of one base circle are parallel curves; the one
    // through the point lies rb |c - c0| off the flank along their common
    // normal, a tangent of the base circle, and the helicoids of one lead
    // lie cos(beta_b) times that apart in space.
    if (R > rb_) {
      const double alphaP = std::acos(rb_ / R);
      const double c = a + Inv(alphaP);
      const double roll = std::sqrt(R * R - rb_ * rb_) - rb_ * (c - flankConstant_);
      const double footRadius = std::hypot(rb_, roll);
      if (roll >= 0.0 && footRadius >= flankStart_ && footRadius <= ra_) {
        best = std::min(best, rb_ * std::fabs(c - flankConstant_) * cosBetaB_);
      }
    }
    // Corners: the ends of the flank.
    best = std::min(best, std::hypot(px - ra_ * std::cos(psiTip_), py - ra_ * std::sin(psiTip_)));
    const double fa = FlankAngle(flankStart_);
    best = std::min(best, std::hypot(px - flankStart_ * std::cos(fa), py - flankStart_ * std::sin(fa)));
    if (R - flankStart_ < best) best = std::min(best, FilletDistance(px, py));
    return best;
  }

 private:
  // The fillet, from the root circle up to where the flank starts, densely
  // sampled (chords of a few micrometres at most, sag far below 1e-6 mm).
  void BuildFillet(double x) {
    const double pi = std::numbers::pi;
    const double rho = 0.38 * m_;
    const double rD = r_ + x * m_;
    const double yc = rf_ + rho;
    // Tip rounding centre in the normal section, from the middle of the
    // cutter's tooth space (the gear's tooth centre line): half the space
    // width on the datum line, the flank's run down to the centre's height,
    // and the centre's offset rho / cos(alpha) beyond the flank.
    const double d = pi * m_ / 4.0 + (rD - yc) * std::tan(alpha_) + rho / std::cos(alpha_);
    const double xc = d / std::cos(beta_);
    const double cb = std::cos(beta_);
    auto cut = [&](double J) {
      const double X = xc + rho * std::cos(J) / cb;
      const double Y = yc + rho * std::sin(J);
      const double nx = cb * std::cos(J), ny = std::sin(J);
      const double phi = (X - (Y - r_) * nx / ny) / r_;
      const double Xs = X - r_ * phi;
      const double u = Xs * std::cos(phi) + Y * std::sin(phi);
      const double v = -Xs * std::sin(phi) + Y * std::cos(phi);
      return HalfToothPoint{std::hypot(u, v), std::atan2(u, v)};
    };
    rootArcStart_ = xc / r_;
    hasRootArc_ = rootArcStart_ < pitch_ / 2.0;
    const int n = 40000;
    const double j0 = 1.5 * pi, j1 = pi + alpha_;
    std::vector<HalfToothPoint> pts;
    double prevJ = j0, prevD = 0.0;
    bool prevAbove = false;
    for (int i = 0; i <= n; ++i) {
      const double J = j0 + (j1 - j0) * i / n;
      const HalfToothPoint q = cut(J);
      if (q.angle > pitch_ / 2.0) continue;  // beyond the half pitch the neighbour's fillet lies
      if (q.radius > rb_) {
        const double dd = q.angle - FlankAngle(q.radius);
        if (prevAbove && prevD < 0.0 && dd >= 0.0) {
          // The fillet crosses the flank: undercut. Bisect for the crossing.
          double lo = prevJ, hi = J;
          for (int k = 0; k < 80; ++k) {
            const double mid = 0.5 * (lo + hi);
            const HalfToothPoint c = cut(mid);
            if (c.angle - FlankAngle(c.radius) < 0.0) lo = mid; else hi = mid;
          }
          pts.push_back(cut(lo));
          undercut_ = true;
          break;
        }
        prevD = dd;
        prevAbove = true;
      } else {
        prevAbove = false;
      }
      prevJ = J;
      pts.push_back(q);
    }
    flankStart_ = std::max(pts.back().radius, rb_);
    for (const HalfToothPoint& q : pts) fillet_.push_back({q.radius * std::cos(q.angle), q.radius * std::sin(q.angle)});
  }

  static double SegmentDistance(double px, double py, const std::array<double, 2>& a, const std::array<double, 2>& b) {
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double len2 = dx * dx + dy * dy;
    double t = len2 > 0.0 ? ((px - a[0]) * dx + (py - a[1]) * dy) / len2 : 0.0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(px - (a[0] + t * dx), py - (a[1] + t * dy));
  }

  double FilletDistance(double px, double py) const {
    const size_t n = fillet_.size();
    if (n < 2) return std::numeric_limits<double>::infinity();
    const size_t stride = 64;
    size_t bestIndex = 0;
    double coarse = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < n; i += stride) {
      const double d = std::hypot(px - fillet_[i][0], py - fillet_[i][1]);
      if (d < coarse) {
        coarse = d;
        bestIndex = i;
      }
    }
    const size_t lo = bestIndex > 3 * stride ? bestIndex - 3 * stride : 0;
    const size_t hi = std::min(n - 1, bestIndex + 3 * stride);
    double best = std::numeric_limits<double>::infinity();
    for (size_t i = lo; i < hi; ++i) best = std::min(best, SegmentDistance(px, py, fillet_[i], fillet_[i + 1]));
    return best;
  }

  double m_;
  int64_t z_;
  int64_t hand_;
  double alpha_ = 0.0, beta_ = 0.0, alphaT_ = 0.0;
  double r_ = 0.0, rb_ = 0.0, ra_ = 0.0, rf_ = 0.0, cosBetaB_ = 1.0, pitch_ = 0.0;
  double flankConstant_ = 0.0, psiTip_ = 0.0, flankStart_ = 0.0, rootArcStart_ = 0.0;
  bool hasRootArc_ = false, undercut_ = false, pointed_ = false;
  std::vector<std::array<double, 2>> fillet_;
};

}  // namespace exactgear
