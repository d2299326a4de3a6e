// Span, pins and balls measure only on the usable involute (form radius to
// tip; on a ring the tip circle to the root fillet). The oracle below is the
// textbook geometry worked out on its own:
// - span: the caliper planes are tangent to the base cylinder; in the
//   transverse section the measuring points lie on the base tangent, half the
//   transverse span Wk / cos beta_b either side of the tangent point, so they
//   touch at sqrt(rb^2 + (Wk / (2 cos beta_b))^2), with
//   Wk = mn cos alpha_n (pi (k - 0.5) + z inv alpha_t) + 2 xE mn sin alpha_n;
// - pins: inv alpha_Mt = s / d + inv alpha_t + DM / (db cos beta_b) - pi / z,
//   the contact DM / 2 (normal section) back along the line of action;
// - balls in a ring: inv alpha_Mt = inv alpha_t + e / d - DM / (db cos beta_b),
//   the contact DM / 2 further out; the ring's flank is hollow towards the
//   ball, so the ball rests on it only while its transverse radius
//   DM / (2 cos beta_b) stays below the flank's radius of curvature at the
//   contact, the roll length there.
// The first choice of k and pin follows the virtual spur gear of the normal
// section; where it touches off the usable flank, the k or grid pin touching
// it nearest mid-flank (by radius) is expected instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>

#include "gear_test_support.h"
#include "geometry/ring_gear.h"

using namespace test_support;

namespace {

// Inverse of inv(a) = tan a - a on (-pi/2, pi/2): Newton from above the root
// of |v| (inv is convex there), with the sign of v.
double OracleInverseInvolute(double v) {
  const double w = std::fabs(v);
  if (w == 0.0) return 0.0;
  double a = std::min(std::cbrt(3.0 * w), 1.55);
  for (int i = 0; i < 60; ++i) {
    const double t = std::tan(a);
    a -= (t - a - w) / (t * t);
  }
  return v < 0.0 ? -a : a;
}

double RoundToPinGrid(double d) {
  const double step = d < 1.0 ? 0.01 : 0.05;
  const double rounded = std::round(d / step) * step;
  return rounded > 0.0 ? rounded : step;
}

// The gear's textbook values, from its inputs.
struct Oracle {
  double mn, z, x, xE, an, at, mt, r, rb, betaB;
  double low, high;  // usable flank, from the record's form and tip radius

  Oracle(double m, int64_t teeth, double shift, double alphaDeg, double betaDeg, double allowance,
         const GearRecord& rec)
      : mn(m), z(static_cast<double>(teeth)), x(shift) {
    an = Deg(alphaDeg);
    const double beta = Deg(betaDeg);
    xE = x - allowance / (2.0 * m * std::tan(an));
    at = std::atan(std::tan(an) / std::cos(beta));
    mt = m / std::cos(beta);
    r = z * mt / 2.0;
    rb = r * std::cos(at);
    betaB = std::asin(std::sin(beta) * std::cos(an));
    low = std::max(rec.formRadius, rb);
    high = rec.tipRadius;
  }
  bool OnFlank(double radius) const { return radius >= low && radius <= high; }
  double Middle() const { return (low + high) / 2.0; }

  double Span(int64_t k) const {
    return mn * std::cos(an) * (kPi * (static_cast<double>(k) - 0.5) + z * TextbookInvolute(at)) +
           2.0 * xE * mn * std::sin(an);
  }
  double SpanContact(int64_t k) const { return std::hypot(rb, Span(k) / (2.0 * std::cos(betaB))); }

  // k of the virtual spur gear z' = z inv alpha_t / inv alpha_n.
  int64_t VirtualK() const {
    const double zv = z * TextbookInvolute(at) / TextbookInvolute(an);
    double k = 1.0;
    if (zv + 2.0 * x > 0.0) {
      const double c = zv * std::cos(an) / (zv + 2.0 * x);
      if (c < 1.0) k = std::round(zv * std::acos(c) / kPi + 0.5);
    }
    return static_cast<int64_t>(std::clamp(k, 1.0, z - 1.0));
  }

  // The k expected: the virtual gear's where it measures, else the one
  // nearest mid-flank, else none.
  std::optional<int64_t> ExpectedK() const {
    if (OnFlank(SpanContact(VirtualK()))) return VirtualK();
    std::optional<int64_t> best;
    for (int64_t k = 1; k <= static_cast<int64_t>(z) - 1; ++k) {
      if (!OnFlank(SpanContact(k))) continue;
      if (!best || std::fabs(SpanContact(k) - Middle()) < std::fabs(SpanContact(*best) - Middle())) best = k;
    }
    return best;
  }

  struct Seat {
    bool touches;
    double centre, contact;
  };
  Seat PinSeat(double dm) const {
    const double s = mt * (kPi / 2.0 + 2.0 * xE * std::tan(an));
    const double inv = s / (2.0 * r) + TextbookInvolute(at) + dm / (2.0 * rb * std::cos(betaB)) - kPi / z;
    if (!(inv > 0.0)) return {false, 0.0, 0.0};
    const double a = OracleInverseInvolute(inv);
    const double roll = rb * std::tan(a) - dm / (2.0 * std::cos(betaB));
    if (!(roll > 0.0)) return {false, 0.0, 0.0};
    return {true, rb / std::cos(a), std::hypot(roll, rb)};
  }
  double OverPins(double dm) const {
    const Seat seat = PinSeat(dm);
    const int64_t teeth = static_cast<int64_t>(z);
    return (teeth % 2 == 0 ? 2.0 * seat.centre : 2.0 * seat.centre * std::cos(kPi / (2.0 * z))) + dm;
  }

  // DIN 3960 pin of the virtual spur gear, aimed at r' + x m; none when that
  // lies inside the virtual base circle.
  std::optional<double> VirtualPin() const {
    const double zv = z * TextbookInvolute(at) / TextbookInvolute(an);
    const double rv = zv * mn / 2.0, rbv = rv * std::cos(an);
    const double aim = rv + x * mn;
    if (!(aim > rbv)) return std::nullopt;
    const double aM = std::acos(rbv / aim);
    const double sn = mn * (kPi / 2.0 + 2.0 * xE * std::tan(an));
    const double eta = kPi / zv + std::tan(aM) - TextbookInvolute(an) - sn / (2.0 * rv);
    return RoundToPinGrid(2.0 * rbv * (std::tan(eta) - std::tan(aM)));
  }

  // Every grid pin from 0.01 mm until one touches above the tip.
  std::optional<double> GridPinNearestMiddle() const {
    std::optional<double> best;
    double bestDistance = 0.0;
    for (int i = 1;; ++i) {
      const double dm = i < 100 ? 0.01 * i : 0.05 * (i - 80);
      const Seat seat = PinSeat(dm);
      if (seat.touches && seat.contact > high) break;
      if (dm > 4.0 * high) break;
      if (!seat.touches || !OnFlank(seat.contact)) continue;
      const double distance = std::fabs(seat.contact - Middle());
      if (!best || distance < bestDistance) {
        best = dm;
        bestDistance = distance;
      }
    }
    return best;
  }

  std::optional<double> ExpectedPin() const {
    const std::optional<double> first = VirtualPin();
    if (first) {
      const Seat seat = PinSeat(*first);
      if (seat.touches && OnFlank(seat.contact)) return first;
    }
    return GridPinNearestMiddle();
  }
};

struct Design {
  double m;
  int64_t z;
  double x, alphaDeg, betaDeg, allowance;
};

std::string Name(const Design& d) {
  std::ostringstream s;
  s << "m " << d.m << " z " << d.z << " x " << d.x << " an " << d.alphaDeg << " b " << d.betaDeg << " As "
    << d.allowance;
  return s.str();
}

// Checks one gear's span and pin against the oracle; returns false when the
// gear could not be built.
bool CheckAgainstOracle(const Design& d) {
  const GearRecord rec = MakeGear(d.m, d.z, d.x, d.alphaDeg, d.betaDeg, d.allowance);
  if (rec.valid != 1) return false;
  const Oracle o(d.m, d.z, d.x, d.alphaDeg, d.betaDeg, d.allowance, rec);
  const std::optional<int64_t> k = o.ExpectedK();
  if (k) {
    EXPECT_EQ(rec.spanTeeth, *k) << Name(d);
    EXPECT_NEAR(rec.span, o.Span(*k), 1e-9) << Name(d);
    EXPECT_NEAR(rec.spanContactRadius, o.SpanContact(*k), 1e-9) << Name(d);
    EXPECT_TRUE(o.OnFlank(rec.spanContactRadius)) << Name(d);
  } else {
    // No k measures: the record's contact lies off the flank, so the report
    // prints only its warning.
    EXPECT_FALSE(rec.spanContactRadius >= rec.formRadius && rec.spanContactRadius <= rec.tipRadius)
        << Name(d);
  }
  const std::optional<double> pin = o.ExpectedPin();
  if (pin) {
    EXPECT_NEAR(rec.pinDiameter, *pin, 1e-9) << Name(d);
    EXPECT_NEAR(rec.overPins, o.OverPins(*pin), 1e-8) << Name(d);
    EXPECT_NEAR(rec.pinContactRadius, o.PinSeat(*pin).contact, 1e-8) << Name(d);
  } else {
    EXPECT_EQ(rec.overPins, 0.0) << Name(d);
  }
  if (rec.overPins > 0.0) {
    const Oracle::Seat seat = o.PinSeat(rec.pinDiameter);
    EXPECT_TRUE(seat.touches && o.OnFlank(seat.contact)) << Name(d);
  }
  return true;
}

}  // namespace

// m 3, z 40, x 0, beta 30: the virtual spur gear spans k = 7, whose points
// touch at 72.374, above the tip radius 72.282; a k counted in the transverse
// section touches on the flank.
TEST(UsableFlankGauges, HelicalSpanOnTheFlank) {
  const Design d{3.0, 40, 0.0, 20.0, 30.0, 0.0};
  const GearRecord rec = MakeGear(d.m, d.z, d.x, d.alphaDeg, d.betaDeg);
  ASSERT_EQ(rec.valid, 1);
  const Oracle o(d.m, d.z, d.x, d.alphaDeg, d.betaDeg, 0.0, rec);
  ASSERT_EQ(o.VirtualK(), 7);
  ASSERT_NEAR(o.Span(7), 60.094, 5e-4);
  ASSERT_NEAR(o.SpanContact(7), 72.374, 5e-4);
  ASSERT_NEAR(rec.tipRadius, 72.282, 5e-4);
  ASSERT_TRUE(o.ExpectedK().has_value());
  EXPECT_LT(*o.ExpectedK(), 7);
  EXPECT_TRUE(CheckAgainstOracle(d));
  EXPECT_TRUE(o.OnFlank(rec.spanContactRadius));
}

// m 2, z 8, x -0.5: r' + x m lies inside the virtual base circle, and the old
// aim above the tip gave a 16.85 mm pin on a gear of 18 mm tip diameter. The
// pin now touches the usable flank.
TEST(UsableFlankGauges, PinAimedAtTheFlankWhenThePitchCircleLiesBelowTheBase) {
  const Design d{2.0, 8, -0.5, 20.0, 0.0, 0.0};
  const GearRecord rec = MakeGear(d.m, d.z, d.x, d.alphaDeg, d.betaDeg);
  ASSERT_EQ(rec.valid, 1);
  const Oracle o(d.m, d.z, d.x, d.alphaDeg, d.betaDeg, 0.0, rec);
  ASSERT_FALSE(o.VirtualPin().has_value());
  // The old pin touched above the tip.
  ASSERT_TRUE(o.PinSeat(16.85).touches);
  ASSERT_GT(o.PinSeat(16.85).contact, rec.tipRadius);
  EXPECT_TRUE(CheckAgainstOracle(d));
  EXPECT_GT(rec.overPins, 0.0);
  EXPECT_LT(rec.pinDiameter, 2.0 * rec.tipRadius / 3.0);
}

// The worked example keeps k 3, Wk 15.321 and pin 3.45; gears whose first k
// and pin already touch the flank keep them.
TEST(UsableFlankGauges, WorkedExampleKeepsItsSpanAndPin) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0);
  ASSERT_EQ(rec.valid, 1);
  EXPECT_EQ(rec.spanTeeth, 3);
  EXPECT_NEAR(rec.span, 15.321, 5e-4);
  EXPECT_NEAR(rec.pinDiameter, 3.45, 1e-12);
  EXPECT_TRUE(CheckAgainstOracle({2.0, 20, 0.0, 20.0, 0.0, 0.0}));
}

// Undercut, small and strongly shifted gears whose first k or pin touches
// off the usable flank, and a tiny helical gear where no k measures.
TEST(UsableFlankGauges, GearsWhoseFirstChoiceTouchesOffTheFlank) {
  const Design designs[] = {
      {1.0, 20, -0.60, 20.0, 0.0, 0.0}, {1.0, 21, -0.60, 20.0, 0.0, 0.0}, {1.0, 19, -0.57, 20.0, 0.0, 0.0},
      {1.0, 21, -0.62, 20.0, 0.0, 0.0}, {1.0, 26, -0.78, 20.0, 0.0, 0.0}, {1.0, 31, -0.89, 20.0, 0.0, 0.0},
      {2.0, 20, -0.65, 20.0, 0.0, 0.0}, {2.0, 20, -1.0, 20.0, 0.0, 0.0},  {2.0, 8, -0.5, 20.0, 0.0, 0.0},
      {0.5, 5, -0.8, 20.0, 30.0, 0.0},  {3.0, 40, 0.0, 20.0, 45.0, 0.0},  {3.0, 12, 1.0, 20.0, 30.0, 0.05},
  };
  for (const Design& d : designs) EXPECT_TRUE(CheckAgainstOracle(d)) << Name(d);
}

// A grid of designs: every span and pin the record gives touches the usable
// flank, one is given wherever some k or grid pin measures, and the first
// choice stays wherever it measures.
TEST(UsableFlankGauges, SweepTouchesOnlyTheUsableFlank) {
  int built = 0;
  for (const double m : {1.0, 2.5}) {
    for (const int64_t z : {6, 7, 8, 9, 10, 12, 14, 17, 20, 25, 31, 40, 60, 101}) {
      for (const double x : {-0.8, -0.5, -0.3, 0.0, 0.3, 0.6, 1.0}) {
        for (const double beta : {0.0, 15.0, 30.0, 45.0}) {
          for (const double alpha : {15.0, 20.0}) {
            for (const double allowance : {0.0, 0.1}) {
              if (CheckAgainstOracle({m, z, x, alpha, beta, allowance})) ++built;
            }
          }
        }
      }
    }
  }
  EXPECT_GT(built, 2000);
}

namespace {

// The ring's textbook ball seat; flank from max(ra, rb) to the root circle.
struct RingOracle {
  double z, at, r, rb, betaB, e;
  RingOracle(double m, int64_t teeth, double x, double alphaDeg, double betaDeg, double As) {
    z = static_cast<double>(teeth);
    const double an = Deg(alphaDeg), beta = Deg(betaDeg);
    const double mt = m / std::cos(beta);
    at = std::atan(std::tan(an) / std::cos(beta));
    r = z * mt / 2.0;
    rb = r * std::cos(at);
    betaB = std::asin(std::sin(beta) * std::cos(an));
    e = mt * (kPi / 2.0 + 2.0 * x * std::tan(an)) + As / std::cos(beta);
  }
  double InvolutePart(double dm) const { return TextbookInvolute(at) + e / (2.0 * r) - dm / (2.0 * rb * std::cos(betaB)); }
  double Angle(double dm) const {
    const double v = InvolutePart(dm);
    return v >= 0.0 ? OracleInverseInvolute(v) : -OracleInverseInvolute(-v);
  }
  // The ball lies against the flank: its radius below the flank's radius of
  // curvature at the contact.
  bool Rests(double dm) const { return ContactRoll(dm) > dm / (2.0 * std::cos(betaB)); }
  double ContactRoll(double dm) const { return rb * std::tan(Angle(dm)) + dm / (2.0 * std::cos(betaB)); }
  double Contact(double dm) const { return std::hypot(ContactRoll(dm), rb); }
  double Mi(double dm) const {
    const double rM = rb / std::cos(Angle(dm));
    return (static_cast<int64_t>(z) % 2 == 0 ? 2.0 * rM : 2.0 * rM * std::cos(kPi / (2.0 * z))) - dm;
  }
};

}  // namespace

// Ring m 12, z 12, x -0.82, beta 45, As 0.36, rim 36: the tip lies at the
// base circle. The ball aimed at the shifted pitch circle (16.65) has its
// centre beyond the tangent point: larger than the flank's curvature there, it
// cannot rest on the flank (it would sit on the tip corners), so no dimension
// is given over it. A smaller grid ball rests on the flank and measures.
TEST(UsableFlankGauges, RingWhoseTipLiesAtTheBaseCircleIsMeasuredOverABallThatRests) {
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, 12.0, 12, -0.82, 20.0, 40.0, 36.0, 0.36, 45.0, 1, 1, 0.0), 0);
  ASSERT_EQ(ring.valid, 1);
  const RingOracle o(12.0, 12, -0.82, 20.0, 45.0, 0.36);
  EXPECT_NEAR(ring.baseRadius, o.rb, 1e-9);
  EXPECT_FALSE(o.Rests(16.65));
  const double dm = ring.pinDiameter;
  ASSERT_GT(dm, 0.0);
  ASSERT_GT(ring.overPins, 0.0);
  EXPECT_TRUE(o.Rests(dm)) << dm;
  EXPECT_GE(o.Contact(dm), std::max(ring.tipRadius, o.rb));
  EXPECT_LE(o.Contact(dm), ring.rootRadius);
  EXPECT_NEAR(ring.pinContactRadius, o.Contact(dm), 1e-8);
  EXPECT_NEAR(ring.overPins, o.Mi(dm), 1e-8);
}

// Rings over a grid: every dimension between balls touches the flank.
TEST(UsableFlankGauges, RingSweepTouchesOnlyTheFlank) {
  int measured = 0;
  for (const int64_t z : {12, 13, 16, 20, 31, 40, 60}) {
    for (const double x : {-0.82, -0.5, 0.0, 0.5}) {
      for (const double beta : {0.0, 30.0, 45.0}) {
        for (const double As : {0.0, 0.36}) {
          GearRecord ring;
          if (BuildRingGearGeometry(ring, 12.0, z, x, 20.0, 40.0, 36.0, As, beta, 1, 1, 0.0) != 0) continue;
          const RingOracle o(12.0, z, x, 20.0, beta, As);
          SCOPED_TRACE(testing::Message() << "z " << z << " x " << x << " b " << beta << " As " << As);
          // A grid ball touching the inner half of the flank (well clear of
          // the root fillet) measures, so the ring has a dimension.
          const double start = std::max(ring.tipRadius, o.rb);
          const double innerHalf = (start + ring.rootRadius) / 2.0;
          bool someBall = false;
          for (int i = 1; i < 100 + 20 * static_cast<int>(ring.rootRadius) && !someBall; ++i) {
            const double dm = i < 100 ? 0.01 * i : 0.05 * (i - 80);
            someBall = o.Rests(dm) && o.Contact(dm) >= start && o.Contact(dm) <= innerHalf;
          }
          if (someBall) {
            EXPECT_GT(ring.overPins, 0.0);
          }
          if (ring.overPins <= 0.0) continue;
          const double dm = ring.pinDiameter;
          EXPECT_TRUE(o.Rests(dm)) << dm;
          EXPECT_GE(o.Contact(dm), std::max(ring.tipRadius, o.rb) - 1e-9);
          EXPECT_LE(o.Contact(dm), ring.rootRadius);
          EXPECT_NEAR(ring.overPins, o.Mi(dm), 1e-8);
          ++measured;
        }
      }
    }
  }
  EXPECT_GT(measured, 100);
}
