// The exact cross-sections of a spur gear and of a rack, worked out here from
// the generating rack and the basic rack profile, with no use of the
// program's outline routines:
// - a spur gear is what is left of its tip disc after the cutting rack
//   (straight flanks of pressure angle alpha, tip rounding rho) has rolled
//   over its pitch circle: straight flanks cut involutes, the rounding cuts
//   the trochoidal fillet (and any undercut), the tool's tip line the root;
// - a rack has straight flanks, tip and root lines and circular fillets
//   tangent to flank and root line.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>
#include <vector>

namespace exact {

constexpr double kPi = std::numbers::pi;

// Where a point lies against the exact outline: its distance (negative
// inside the material) and which part of the tooth is nearest.
enum class Part { kTip, kFlank, kFillet, kRoot };

struct Nearest {
  double distance = 0.0;
  Part part = Part::kFlank;
};

// A spur gear of module m, z teeth, profile shift x, pressure angle alpha
// (rad), addendum 1 m, tool addendum 1.25 m and tool tip rounding 0.38 m.
// Frame: gear centre at the origin, one tooth centred on the +x axis.
class SpurGear {
 public:
  SpurGear(double m, int z, double x, double alpha) : m_(m), z_(z), alpha_(alpha) {
    r_ = m * z / 2.0;
    datum_ = r_ + x * m;
    const double rf = datum_ - 1.25 * m;
    rho_ = 0.38 * m;
    ra_ = r_ + (1.0 + x) * m;
    yc_ = rf + rho_;
    // Half width of the tool tooth shrunk by rho: its flank is the tool's
    // flank moved rho into the tooth, its bottom the tip line moved up by rho.
    xc_ = kPi * m / 4.0 + (yc_ - datum_) * std::tan(alpha) - rho_ / std::cos(alpha);
  }

  double TipRadius() const { return ra_; }
  double RootRadius() const { return yc_ - rho_; }

  // Signed distance to the gear's cross-section and the part nearest.
  Nearest Locate(double px, double py) const {
    // The tooth of (px, py) turned onto the +y axis, the frame of the tool.
    const double pitch = 2.0 * kPi / z_;
    double angle = std::atan2(py, px);
    angle -= pitch * std::round(angle / pitch);
    const double radius = std::hypot(px, py);
    const double u = -radius * std::sin(angle);  // along the tool
    const double v = radius * std::cos(angle);   // towards the tool
    Part toolPart = Part::kFlank;
    const double toTool = DistanceToTool(u, v, toolPart);
    const double outsideTip = radius - ra_;
    if (outsideTip > -toTool) return {outsideTip, Part::kTip};
    return {-toTool, toolPart};
  }

  // Area of the cross-section: rays from the centre through one half tooth,
  // the material intervals of each found by sign changes of Locate.
  double Area(int rays = 300) const {
    const double half = kPi / z_;
    const double r0 = RootRadius() - 0.05 * m_;
    const double r1 = ra_ + 0.05 * m_;
    const int steps = static_cast<int>(std::ceil((r1 - r0) / (0.02 * m_)));
    const auto inside = [&](double rad, double th) { return Locate(rad * std::cos(th), rad * std::sin(th)).distance < 0.0; };
    double sum = 0.0;
    for (int i = 0; i <= rays; ++i) {
      const double th = half * i / rays;
      double integral = 0.5 * r0 * r0;  // all material below the root circle
      bool was = true;
      double from = r0;
      for (int k = 1; k <= steps; ++k) {
        const double ra = r0 + (r1 - r0) * (k - 1) / steps;
        const double rb = r0 + (r1 - r0) * k / steps;
        const bool now = inside(rb, th);
        if (now == was) continue;
        double lo = ra, hi = rb;
        for (int it = 0; it < 50; ++it) {
          const double mid = 0.5 * (lo + hi);
          (inside(mid, th) == was ? lo : hi) = mid;
        }
        const double cross = 0.5 * (lo + hi);
        if (was) integral += 0.5 * (cross * cross - from * from);
        from = cross;
        was = now;
      }
      sum += (i == 0 || i == rays ? 0.5 : 1.0) * integral;
    }
    return 2.0 * z_ * sum * half / rays;
  }

 private:
  // Signed distance from (X, Y) to the tool tooth centred on X = 0: the
  // shrunk tooth (bottom segment and two flank rays) widened by rho.
  double DistanceToToothAt(double X, double Y, Part& part) const {
    const double ax = std::fabs(X);
    const double sa = std::sin(alpha_);
    const double ca = std::cos(alpha_);
    const bool inside = Y >= yc_ && ax <= xc_ + (Y - yc_) * std::tan(alpha_);
    double toBottom = ax <= xc_ ? std::fabs(Y - yc_) : std::hypot(ax - xc_, Y - yc_);
    const double t = std::max(0.0, (ax - xc_) * sa + (Y - yc_) * ca);
    const double toFlank = std::hypot(ax - xc_ - t * sa, Y - yc_ - t * ca);
    double d = std::min(toBottom, toFlank);
    if (inside) {
      part = Part::kFlank;
      return -d - rho_;
    }
    if (toFlank < toBottom) {
      part = t > 0.0 ? Part::kFlank : Part::kFillet;
    } else {
      part = ax <= xc_ ? Part::kRoot : Part::kFillet;
    }
    return d - rho_;
  }

  // The tool rolled by phi: the gear turned by phi, the tool moved r phi.
  double DistanceAtRoll(double u, double v, double phi, Part& part) const {
    const double c = std::cos(phi), s = std::sin(phi);
    const double X = c * u - s * v + r_ * phi;
    const double Y = s * u + c * v;
    Part a, b;
    const double da = DistanceToToothAt(X - kPi * m_ / 2.0, Y, a);
    const double db = DistanceToToothAt(X + kPi * m_ / 2.0, Y, b);
    part = da < db ? a : b;
    return std::min(da, db);
  }

  // Distance to the union of all tool positions: a fine scan of the roll
  // angle, then golden-section refinement around the best few.
  double DistanceToTool(double u, double v, Part& part) const {
    const double range = (kPi * m_ + 4.0 * m_) / r_;
    const int n = 600;
    const double h = 2.0 * range / n;
    std::vector<double> values(n + 1);
    for (int i = 0; i <= n; ++i) {
      Part p;
      values[i] = DistanceAtRoll(u, v, -range + h * i, p);
    }
    std::vector<int> order(n + 1);
    for (int i = 0; i <= n; ++i) order[i] = i;
    std::partial_sort(order.begin(), order.begin() + 4, order.end(),
                      [&](int a, int b) { return values[a] < values[b]; });
    double best = std::numeric_limits<double>::infinity();
    for (int k = 0; k < 4; ++k) {
      double lo = -range + h * (order[k] - 1), hi = -range + h * (order[k] + 1);
      const double g = (std::sqrt(5.0) - 1.0) / 2.0;
      double a = hi - g * (hi - lo), b = lo + g * (hi - lo);
      Part pa, pb;
      double fa = DistanceAtRoll(u, v, a, pa), fb = DistanceAtRoll(u, v, b, pb);
      for (int it = 0; it < 60; ++it) {
        if (fa < fb) {
          hi = b;
          b = a;
          fb = fa;
          a = hi - g * (hi - lo);
          fa = DistanceAtRoll(u, v, a, pa);
        } else {
          lo = a;
          a = b;
          fa = fb;
          b = lo + g * (hi - lo);
          fb = DistanceAtRoll(u, v, b, pb);
        }
      }
      Part p;
      const double f = DistanceAtRoll(u, v, 0.5 * (lo + hi), p);
      if (f < best) {
        best = f;
        part = p;
      }
    }
    return best;
  }

  double m_;
  int z_;
  double alpha_;
  double r_ = 0.0, datum_ = 0.0, rho_ = 0.0, ra_ = 0.0, yc_ = 0.0, xc_ = 0.0;
};

// A straight rack of n teeth, module m, pressure angle alpha (rad), height
// hp from the back to the pitch line: pitch line y = 0, teeth towards +y,
// tooth k centred at x = pi m (k + 0.5), addendum 1 m, dedendum 1.25 m,
// fillets of 0.38 m. The boundary as pieces: segments and arcs.
class Rack {
 public:
  Rack(double m, int n, double alpha, double hp) {
    const double pt = kPi * m;
    const double hf = 1.25 * m, ha = m, rho = 0.38 * m;
    const double ta = std::tan(alpha);
    const double yc = rho - hf;
    const double xc = pt / 4.0 - yc * ta + rho / std::cos(alpha);  // fillet centre from the tooth centre
    const double tipHalf = pt / 4.0 - ha * ta;
    const double tx = xc - rho * std::cos(alpha);  // where fillet meets flank
    const double ty = yc - rho * std::sin(alpha);
    const double length = n * pt;
    Add(Segment(0.0, -hp, length, -hp, Part::kRoot));
    Add(Segment(length, -hp, length, -hf, Part::kRoot));
    Add(Segment(0.0, -hp, 0.0, -hf, Part::kRoot));
    for (int k = 0; k < n; ++k) {
      const double c = pt * (k + 0.5);
      for (double side : {-1.0, 1.0}) {
        pieces_.push_back({true, c + side * xc, yc, rho, 0.0, 0.0, Part::kFillet, side});
        Add(Segment(c + side * tx, ty, c + side * tipHalf, ha, Part::kFlank));
      }
      Add(Segment(c - tipHalf, ha, c + tipHalf, ha, Part::kTip));
      const double left = k == 0 ? 0.0 : c - pt + xc;
      Add(Segment(left, -hf, c - xc, -hf, Part::kRoot));
    }
    Add(Segment(pt * (n - 0.5) + xc, -hf, length, -hf, Part::kRoot));
    // The cross-section: the boundary walked densely, left to right along the
    // top, closed by the ends and the back.
    std::vector<std::pair<double, double>> top;
    top.push_back({0.0, -hf});
    for (int k = 0; k < n; ++k) {
      const double c = pt * (k + 0.5);
      for (int i = 0; i <= 4000; ++i) {  // left fillet: from the root line up to the flank
        const double a = 1.5 * kPi + (0.5 * kPi - alpha) * i / 4000.0;
        top.push_back({c - xc + rho * std::cos(a), yc + rho * std::sin(a)});
      }
      top.push_back({c - tipHalf, ha});
      top.push_back({c + tipHalf, ha});
      for (int i = 0; i <= 4000; ++i) {  // right fillet: from the flank down to the root line
        const double a = kPi + alpha + (0.5 * kPi - alpha) * i / 4000.0;
        top.push_back({c + xc + rho * std::cos(a), yc + rho * std::sin(a)});
      }
    }
    top.push_back({length, -hf});
    top.push_back({length, -hp});
    top.push_back({0.0, -hp});
    double twice = 0.0;
    for (std::size_t i = 0; i < top.size(); ++i) {
      const auto& p = top[i];
      const auto& q = top[(i + 1) % top.size()];
      twice += p.first * q.second - q.first * p.second;
    }
    area_ = 0.5 * std::fabs(twice);
  }

  double Area() const { return area_; }

  // Unsigned distance to the boundary and the nearest part.
  Nearest Locate(double px, double py) const {
    Nearest best{std::numeric_limits<double>::infinity(), Part::kRoot};
    for (const Piece& p : pieces_) {
      double d = 0.0;
      if (p.arc) {
        // The fillet arc of the gap side: from the root line (straight down
        // from the centre) round to the flank, the quarter towards the tooth.
        const double dx = px - p.x0, dy = py - p.y0;
        const bool within = dy <= 0.0 && p.side * dx <= 0.0;
        d = within ? std::fabs(std::hypot(dx, dy) - p.r) : std::numeric_limits<double>::infinity();
      } else {
        const double ex = p.x1 - p.x0, ey = p.y1 - p.y0;
        const double t = std::clamp(((px - p.x0) * ex + (py - p.y0) * ey) / (ex * ex + ey * ey), 0.0, 1.0);
        d = std::hypot(px - p.x0 - t * ex, py - p.y0 - t * ey);
      }
      if (d < best.distance) best = {d, p.part};
    }
    return best;
  }

 private:
  struct Piece {
    bool arc;
    double x0, y0, r;  // arc: centre and radius; segment: start
    double x1, y1;     // segment end
    Part part;
    double side;  // arc: -1 left fillet of a tooth, +1 right
  };
  static Piece Segment(double x0, double y0, double x1, double y1, Part part) {
    return {false, x0, y0, 0.0, x1, y1, part, 0.0};
  }
  void Add(const Piece& p) {
    if (std::hypot(p.x1 - p.x0, p.y1 - p.y0) > 0.0) pieces_.push_back(p);
  }

  std::vector<Piece> pieces_;
  double area_ = 0.0;
};

}  // namespace exact
