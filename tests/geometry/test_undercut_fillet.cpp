// Undercut gears: where the root fillet crosses the involute, against an
// independent dense sampling of the generated fillet; the form radius does
// not depend on the point density, the tip circle stays nominal and no
// outline point stands in the tooth space outside the involute.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "geometry/involute.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {

double Radius(OutlinePoint p) { return std::hypot(p.x, p.y); }

// Textbook values of an external gear cut by the standard basic rack (hf*
// 1.25, rho_f* 0.38) without a thickness allowance, and the half tooth angle
// psi(R) = s / (2 r) + inv alpha_t - inv alpha_R with cos alpha_R = rb / R.
struct TextbookGear {
  double m, x, alphaN, cosBeta;
  double mt, alphaT, r, rb, s, rf, rho;

  TextbookGear(double module, int64_t z, double shift, double alphaDeg, double betaDeg)
      : m(module), x(shift), alphaN(Deg(alphaDeg)), cosBeta(std::cos(Deg(betaDeg))) {
    mt = m / cosBeta;
    alphaT = std::atan(std::tan(alphaN) / cosBeta);
    r = mt * static_cast<double>(z) / 2.0;
    rb = r * std::cos(alphaT);
    s = mt * (kPi / 2.0 + 2.0 * x * std::tan(alphaN));
    rf = r + x * m - 1.25 * m;
    // 0.38 m, or where that does not fit the tool tooth (half width pi m / 4
    // - hf tan alpha_n on the tip line) the largest rounding that does: it
    // meets the tip line rho tan(45 deg - alpha_n / 2) from the corner.
    const double fitting = (kPi / 4.0 - 1.25 * std::tan(alphaN)) / std::tan(kPi / 4.0 - alphaN / 2.0);
    rho = std::fmin(0.38, fitting) * m;
  }

  double HalfToothAngle(double radius) const {
    return s / (2.0 * r) + TextbookInvolute(alphaT) -
           TextbookInvolute(std::acos(std::fmin(1.0, rb / radius)));
  }
};

// The fillet as the envelope of the tool's tip rounding. The rack's frame has
// X along the pitch line, measured from the gear's tooth centre line, and Y
// the distance from the gear centre; the pitch line lies at Y = r. The
// rounding's centre lies rho above the tool's tip line (hf* m below the
// datum line at r + x m) and rho / cos alpha_n across from the straight
// flank, which runs pi m / 4 from the centre line at the datum line and
// slopes by tan alpha_n. In the transverse section X is stretched by
// 1 / cos beta, so the rounding is an ellipse. Rolling the rack by phi shifts
// it by -r phi and turns it by phi into the gear's frame (u across the centre
// line, v along it).
class FilletEnvelope {
 public:
  explicit FilletEnvelope(const TextbookGear& g) : g_(g) {
    const double depth = 1.25 * g.m - g.rho;  // centre below the datum line
    centreX_ = (kPi * g.m / 4.0 + depth * std::tan(g.alphaN) + g.rho / std::cos(g.alphaN)) /
               g.cosBeta;
    centreY_ = g.rf + g.rho;
  }

  // Gear-frame point (u, v) of the rounding point J at the rolling angle phi.
  OutlinePoint Carried(double j, double phi) const {
    const double x = centreX_ + g_.rho * std::cos(j) / g_.cosBeta - g_.r * phi;
    const double y = centreY_ + g_.rho * std::sin(j);
    return {x * std::cos(phi) + y * std::sin(phi), -x * std::sin(phi) + y * std::cos(phi)};
  }

  // The envelope point of the rounding point J: the rolling angle at which
  // the point's path is tangent to the rounding, i.e. the cross product of
  // the derivatives by J and by phi (finite differences) vanishes. That cross
  // product is linear in phi, so secant steps find it at once.
  OutlinePoint EnvelopePoint(double j) const {
    auto cross = [&](double phi) {
      const double h = 1e-6;
      const OutlinePoint dj0 = Carried(j - h, phi), dj1 = Carried(j + h, phi);
      const OutlinePoint dp0 = Carried(j, phi - h), dp1 = Carried(j, phi + h);
      return (dj1.x - dj0.x) * (dp1.y - dp0.y) - (dj1.y - dj0.y) * (dp1.x - dp0.x);
    };
    double p0 = 0.0, p1 = 0.1;
    double f0 = cross(p0), f1 = cross(p1);
    for (int k = 0; k < 6 && f1 != f0; ++k) {
      const double p2 = p1 - f1 * (p1 - p0) / (f1 - f0);
      p0 = p1;
      f0 = f1;
      p1 = p2;
      f1 = cross(p1);
    }
    return Carried(j, p1);
  }

 private:
  const TextbookGear& g_;
  double centreX_ = 0.0;
  double centreY_ = 0.0;
};

// Polar radius and angle from the tooth centre line (towards the tooth space).
struct Polar {
  double radius, angle;
};

Polar ToPolar(OutlinePoint uv) { return {std::hypot(uv.x, uv.y), std::atan2(uv.x, uv.y)}; }

// The radius where the fillet first comes out of the tooth through the
// involute: dense sampling of the rounding from its lowest point (J = 3 pi /
// 2) to the flank (J = pi + alpha_n), then bisection of the first interval in
// which the fillet passes from inside the involute (or the base circle) to
// outside it. Also reports whether the fillet radius rises all the way there.
struct Crossing {
  bool found = false;
  double radius = 0.0;
  bool radiusRises = true;
};

Crossing FindCrossing(const TextbookGear& g) {
  const FilletEnvelope envelope(g);
  auto outside = [&](double j) {
    const Polar p = ToPolar(envelope.EnvelopePoint(j));
    return p.radius > g.rb && p.angle >= g.HalfToothAngle(p.radius);
  };
  const int samples = 4000;
  Crossing result;
  double previousJ = 3.0 * kPi / 2.0;
  double previousRadius = ToPolar(envelope.EnvelopePoint(previousJ)).radius;
  for (int i = 1; i <= samples; ++i) {
    const double j = 3.0 * kPi / 2.0 - (kPi / 2.0 - g.alphaN) * i / samples;
    const double radius = ToPolar(envelope.EnvelopePoint(j)).radius;
    if (radius < previousRadius) result.radiusRises = false;
    if (outside(j)) {
      double in = previousJ, out = j;
      for (int k = 0; k < 50; ++k) {
        const double mid = 0.5 * (in + out);
        (outside(mid) ? out : in) = mid;
      }
      result.found = true;
      result.radius = ToPolar(envelope.EnvelopePoint(out)).radius;
      return result;
    }
    previousJ = j;
    previousRadius = radius;
  }
  return result;
}

// The least half angle that the fillet reaches below its crossing with the
// involute (the whole fillet when it does not cross): at or below 0 the
// fillets of both flanks meet across the tooth centre line.
double LeastFilletAngle(const TextbookGear& g) {
  const FilletEnvelope envelope(g);
  const Crossing crossing = FindCrossing(g);
  double least = INFINITY;
  for (int i = 0; i <= 4000; ++i) {
    const double j = 3.0 * kPi / 2.0 - (kPi / 2.0 - g.alphaN) * i / 4000;
    const Polar p = ToPolar(envelope.EnvelopePoint(j));
    if (crossing.found && p.radius > crossing.radius) break;
    least = std::fmin(least, p.angle);
  }
  return least;
}

struct UndercutCase {
  int64_t z;
  double x, alphaDeg, betaDeg;
};

// Spur and helical gears from deep undercut up to just below the undercut
// limit x min = 1.25 - 0.38 (1 - sin alpha_n) - z sin^2 alpha_t / (2 cos beta).
std::vector<UndercutCase> UndercutTable() {
  std::vector<UndercutCase> cases;
  for (double beta : {0.0, 20.0}) {
    for (int64_t z : {6, 7, 8, 10, 12, 14, 17}) {
      const double xMin = ComputeMinProfileShift(z, 20.0, beta);
      for (double x : {-0.6, -0.4, -0.2, 0.0}) {
        if (x < xMin - 0.03) cases.push_back({z, x, 20.0, beta});
      }
      for (double below : {0.5, 0.2, 0.05, 0.02}) {
        if (xMin - below >= -0.6) cases.push_back({z, xMin - below, 20.0, beta});
      }
    }
  }
  cases.push_back({9, -0.3, 14.5, 0.0});
  cases.push_back({7, -0.2, 25.0, 15.0});
  return cases;
}

std::string Describe(const UndercutCase& c, int density) {
  return "z " + std::to_string(c.z) + " x " + std::to_string(c.x) + " alpha " +
         std::to_string(c.alphaDeg) + " beta " + std::to_string(c.betaDeg) + " density " +
         std::to_string(density);
}

}  // namespace

// The form radius is where the fillet really crosses the involute, at every
// density; the tip keeps the nominal circle r + m (1 + x), unless the flanks
// meet below it; between the
// crossing and the tip no point of the tooth lies outside the involute; and
// the fillet climbs steadily from the root to the crossing, where it ends on
// the involute. Regression: the crossing was looked for among the sampled
// fillet points only; where the fillet passed the involute between the last
// point inside the base circle and the first outside it, the whole fillet was
// kept. It then ran up to 1.8 mm into the tooth space, the form radius rose
// above the tip circle (z 8, x -0.4: 9.285 instead of 7.750) and the tip
// circle with it. An earlier fault: two sampled points with d >= 0 were taken
// as a crossing, extrapolated behind the previous point (z 6 at x min - 0.2,
// density 4), and the fillet's radius fell back.
TEST(UndercutFillet, EndsWhereItCrossesTheInvoluteAtEveryDensity) {
  const double m = 2.0;
  const double tol = 0.002 * m;
  for (const UndercutCase& c : UndercutTable()) {
    const TextbookGear g(m, c.z, c.x, c.alphaDeg, c.betaDeg);
    const Crossing crossing = FindCrossing(g);
    ASSERT_TRUE(crossing.found) << Describe(c, 0);
    ASSERT_TRUE(crossing.radiusRises) << Describe(c, 0);
    ASSERT_GT(crossing.radius, g.rb);
    // The nominal tip circle, or where the flanks meet when they meet below it.
    double tip = g.r + m * (1.0 + c.x);
    const bool pointed = g.HalfToothAngle(tip) < 0.0;
    if (pointed) {
      double lo = crossing.radius, hi = tip;
      for (int k = 0; k < 60; ++k) {
        const double mid = 0.5 * (lo + hi);
        (g.HalfToothAngle(mid) > 0.0 ? lo : hi) = mid;
      }
      tip = lo;
    }
    const double tipHalfAngle = std::fmax(0.0, g.HalfToothAngle(tip));

    for (int density : {1, 2, 3, 4, 8, 16}) {
      SCOPED_TRACE(Describe(c, density));
      const GearRecord rec = MakeGear(m, c.z, c.x, c.alphaDeg, c.betaDeg, 0.0, density);
      ASSERT_EQ(rec.valid, 1);
      ASSERT_EQ(rec.undercut, 1);
      EXPECT_NEAR(rec.formRadius, crossing.radius, tol);
      EXPECT_EQ(rec.pointed, pointed ? 1 : 0);
      EXPECT_NEAR(rec.tipRadius, tip, 1e-9);
      EXPECT_NEAR(rec.tipThickness, 2.0 * tip * tipHalfAngle, 1e-9);

      // Tooth 0 is centred on the x axis: its points at polar angle theta
      // have the half angle |theta|.
      const size_t perTooth = rec.outline.size() / static_cast<size_t>(c.z);
      double worstOutside = -INFINITY;
      for (size_t k = 0; k < perTooth; ++k) {
        for (const OutlinePoint& p : rec.outline[k].points) {
          const double radius = Radius(p);
          if (radius < crossing.radius || radius > rec.tipRadius + 1e-9) continue;
          const double halfAngle = std::fabs(std::atan2(p.y, p.x));
          const double outside = radius * (halfAngle - g.HalfToothAngle(radius));
          worstOutside = std::fmax(worstOutside, outside);
        }
      }
      EXPECT_LT(worstOutside, tol);

      // Curves of tooth 0: root arc (absent where neighbouring fillets
      // overlap), fillet, flank, tip arc (absent on a pointed tooth), flank,
      // fillet.
      const size_t filletIndex = perTooth - (pointed ? 4 : 5);
      const auto& fillet = rec.outline[filletIndex].points;
      for (size_t i = 1; i < fillet.size(); ++i) {
        ASSERT_GE(Radius(fillet[i]), Radius(fillet[i - 1])) << "point " << i;
      }
      const OutlinePoint end = fillet.back();
      EXPECT_NEAR(Radius(end), rec.formRadius, 1e-12);
      EXPECT_NEAR(-std::atan2(end.y, end.x), g.HalfToothAngle(Radius(end)), 1e-12);
    }
  }
}

// The gears named in the fault report, at the display density: the fillet
// crossing of z 8, x -0.4 lies near 7.750 mm by an independent sampling, and
// the tip circle is the nominal 9.2 mm.
TEST(UndercutFillet, ReportedPinionHasItsTrueFormRadius) {
  const TextbookGear g(2.0, 8, -0.4, 20.0, 0.0);
  const Crossing crossing = FindCrossing(g);
  ASSERT_TRUE(crossing.found);
  EXPECT_NEAR(crossing.radius, 7.750, 0.001);
  for (double beta : {0.0, 20.0}) {
    SCOPED_TRACE(beta);
    const GearRecord rec = MakeGear(2.0, 8, -0.4, 20.0, beta, 0.0, 1);
    ASSERT_EQ(rec.valid, 1);
    const TextbookGear tg(2.0, 8, -0.4, 20.0, beta);
    EXPECT_NEAR(rec.formRadius, FindCrossing(tg).radius, 0.004);
    EXPECT_NEAR(rec.tipRadius, tg.r + 2.0 * 0.6, 1e-12);
  }
}

// Where the fillets of both flanks dip across the tooth centre line the
// tooth is cut through, and the gear is rejected at every density alike; a
// slightly larger shift leaves a sound tooth at every density. The oracle:
// the least half angle of the fillet up to its crossing with the involute,
// densely sampled.
TEST(UndercutFillet, ToothCutThroughByBothFilletsIsRejectedAtEveryDensity) {
  struct Case {
    int64_t z;
    double betaDeg;
    double severedX;  // a shift that cuts the tooth through, root circle still above 0
  };
  for (Case c :
       {Case{6, 0.0, -0.9}, Case{8, 0.0, -1.2}, Case{8, 20.0, -1.3}, Case{10, 0.0, -1.4}}) {
    // The least fillet angle falls with the shift; bisect the shift at which
    // it reaches the centre line.
    auto leastAngle = [&](double x) {
      return LeastFilletAngle(TextbookGear(2.0, c.z, x, 20.0, c.betaDeg));
    };
    double severed = c.severedX, sound = -0.5;
    ASSERT_LT(leastAngle(severed), 0.0);
    ASSERT_GT(leastAngle(sound), 0.0);
    for (int k = 0; k < 30; ++k) {
      const double mid = 0.5 * (severed + sound);
      (leastAngle(mid) > 0.0 ? sound : severed) = mid;
    }
    for (int density : {1, 3, 4, 8, 16}) {
      SCOPED_TRACE("z " + std::to_string(c.z) + " beta " + std::to_string(c.betaDeg) +
                   " density " + std::to_string(density) + " limit x " + std::to_string(sound));
      EXPECT_EQ(MakeGear(2.0, c.z, severed - 0.002, 20.0, c.betaDeg, 0.0, density).valid, 0);
      EXPECT_EQ(MakeGear(2.0, c.z, sound + 0.002, 20.0, c.betaDeg, 0.0, density).valid, 1);
    }
  }
}

// A thickness allowance moves the cutter towards the centre (tool shift
// xE = x - As / (2 m tan alpha_n)) and undercuts the thinned tooth. It stays a
// tooth while its fillets keep clear of the centre line and the flanks have
// not met where the involute begins; m 2, z 20, x 0. Regression: at As 2.5
// the untrimmed fillet reached above the radius where the flanks meet, and
// the sound (pointed) tooth was rejected.
TEST(UndercutFillet, ThinnedToothIsValidWhileItsFilletsKeepClearOfTheCentreLine) {
  for (double allowance : {1.0, 2.0, 2.5, 2.8, 3.0, 3.2}) {
    const double toolShift = -allowance / (2.0 * 2.0 * std::tan(Deg(20.0)));
    const TextbookGear g(2.0, 20, toolShift, 20.0, 0.0);
    const Crossing crossing = FindCrossing(g);
    ASSERT_TRUE(crossing.found);
    const double least = LeastFilletAngle(g);
    ASSERT_GT(std::fabs(least), 1e-3) << "a case on the edge decides nothing";
    const int expected = least > 0.0 && g.HalfToothAngle(crossing.radius) > 0.0 ? 1 : 0;
    for (int density : {1, 4, 16}) {
      SCOPED_TRACE("As " + std::to_string(allowance) + " density " + std::to_string(density));
      const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, 0.0, allowance, density);
      EXPECT_EQ(rec.valid, expected);
      if (expected == 1) {
        EXPECT_NEAR(rec.formRadius, crossing.radius, 0.004);
      }
    }
  }
}
