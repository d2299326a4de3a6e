// The report prints a span, a dimension over pins or between balls only
// where its contact lies on the usable involute, and otherwise only the
// warning. Expected values from the textbook: the span's points touch at
// sqrt(rb^2 + (Wk / (2 cos beta_b))^2) with
// Wk = mn cos alpha_n (pi (k - 0.5) + z inv alpha_t) + 2 x mn sin alpha_n;
// pins sit where inv alpha_Mt = s / d + inv alpha_t + DM / (db cos beta_b) - pi / z,
// balls in a ring where inv alpha_Mt = inv alpha_t + e / d - DM / (db cos beta_b).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "geometry/ring_gear.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

// tan a - a = v on (-pi/2, pi/2), odd in v.
double InverseInvoluteOdd(double v) {
  const double w = std::fabs(v);
  if (w == 0.0) return 0.0;
  double a = std::min(std::cbrt(3.0 * w), 1.55);
  for (int i = 0; i < 60; ++i) a -= (std::tan(a) - a - w) / (std::tan(a) * std::tan(a));
  return v < 0.0 ? -a : a;
}

GearRecord Gear(double m, int64_t z, double x, double betaDeg) {
  GearRecord rec;
  InitGearRecord(rec, m, z, x, 20.0, 40.0, 0.0, 0.0, betaDeg, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

struct Helix {
  double at, rb, betaB, mt, r;
  Helix(double m, double z, double betaDeg) {
    const double beta = Rad(betaDeg);
    at = std::atan(std::tan(Rad(20.0)) / std::cos(beta));
    mt = m / std::cos(beta);
    r = z * mt / 2.0;
    rb = r * std::cos(at);
    betaB = std::asin(std::sin(beta) * std::cos(Rad(20.0)));
  }
};

double Span(double m, double z, double x, const Helix& h, int64_t k) {
  return m * std::cos(Rad(20.0)) * (kPi * (static_cast<double>(k) - 0.5) + z * Inv(h.at)) +
         2.0 * x * m * std::sin(Rad(20.0));
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  EXPECT_TRUE(SplitCrLf(text, lines));
  return lines;
}

bool Has(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool HasPrefix(const std::vector<std::string>& lines, const std::string& prefix) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
}

const std::string kSpanWarning() {
  return Lang("  ! Wk measuring points outside the involute", "  ! meetpunten Wk buiten de evolvente");
}

}  // namespace

// m 3, z 40, beta 30: the span over 7 teeth (Wk 60.094) touched above the
// tip; the report prints the span over the k whose points lie on the usable
// flank nearest its middle, without the warning.
TEST(UsableFlankReport, HelicalSpanPrintedOverTheCountThatMeasures) {
  const GearRecord rec = Gear(3.0, 40, 0.0, 30.0);
  ASSERT_EQ(rec.valid, 1);
  const Helix h(3.0, 40.0, 30.0);
  const double low = std::max(rec.formRadius, h.rb), high = rec.tipRadius, mid = (low + high) / 2.0;
  int64_t best = 0;
  double bestDistance = 1e9;
  for (int64_t k = 1; k < 40; ++k) {
    const double contact = std::hypot(h.rb, Span(3.0, 40.0, 0.0, h, k) / (2.0 * std::cos(h.betaB)));
    if (contact < low || contact > high) continue;
    if (std::fabs(contact - mid) < bestDistance) {
      best = k;
      bestDistance = std::fabs(contact - mid);
    }
  }
  ASSERT_GT(best, 0);
  const auto lines = Lines(ReportBuildGearBlock(rec, "GEAR"));
  EXPECT_TRUE(Has(lines, "  Wk = " + Fix(Span(3.0, 40.0, 0.0, h, best), 3) +
                             Lang("   span over k = ", "   tandwijdte over k = ") + std::to_string(best)));
  EXPECT_FALSE(Has(lines, "  Wk = 60.094" + std::string(Lang("   span over k = ", "   tandwijdte over k = ")) + "7"));
  EXPECT_FALSE(Has(lines, kSpanWarning()));
}

// m 0.5, z 5, x -0.8, beta 30: one tooth spans below the form radius, two
// above the tip: no caliper measures, so only the warning is printed.
TEST(UsableFlankReport, NoSpanWhereNoCountMeasures) {
  const GearRecord rec = Gear(0.5, 5, -0.8, 30.0);
  ASSERT_EQ(rec.valid, 1);
  const Helix h(0.5, 5.0, 30.0);
  for (int64_t k = 1; k < 5; ++k) {
    const double contact = std::hypot(h.rb, Span(0.5, 5.0, -0.8, h, k) / (2.0 * std::cos(h.betaB)));
    ASSERT_TRUE(contact < rec.formRadius || contact > rec.tipRadius) << k;
  }
  const auto lines = Lines(ReportBuildGearBlock(rec, "GEAR"));
  EXPECT_FALSE(HasPrefix(lines, "  Wk = "));
  EXPECT_TRUE(Has(lines, kSpanWarning()));
}

// m 2, z 8, x -0.5: the pin was aimed above the tip ("Md = 50.485 over 2 pins
// Ø 16.85" on an 18 mm tip diameter); the printed pin touches the usable flank
// and its Md follows from the textbook seat.
TEST(UsableFlankReport, SmallUndercutGearGetsAPinOnTheFlank) {
  const GearRecord rec = Gear(2.0, 8, -0.5, 0.0);
  ASSERT_EQ(rec.valid, 1);
  const Helix h(2.0, 8.0, 0.0);
  const double dm = rec.pinDiameter;
  const double s = 2.0 * (kPi / 2.0 - 2.0 * 0.5 * std::tan(Rad(20.0)));
  const double a = InverseInvoluteOdd(s / (2.0 * h.r) + Inv(h.at) + dm / (2.0 * h.rb) - kPi / 8.0);
  const double contact = std::hypot(h.rb * std::tan(a) - dm / 2.0, h.rb);
  EXPECT_GE(contact, rec.formRadius);
  EXPECT_LE(contact, rec.tipRadius);
  const double md = 2.0 * h.rb / std::cos(a) + dm;
  const auto lines = Lines(ReportBuildGearBlock(rec, "GEAR"));
  EXPECT_TRUE(Has(lines, "  Md = " + Fix(md, 3) + Lang("   over 2 pins Ø ", "   over 2 pennen Ø ") + Fix(dm, 2)));
  EXPECT_FALSE(HasPrefix(lines, "  Md = 50.485"));
  EXPECT_FALSE(Has(lines, Lang("  ! pin touches outside the involute", "  ! pen raakt buiten de evolvente")));
}

// Ring m 12, z 12, x -0.82, beta 45, As 0.36, rim 36: the tip lies at the base
// circle. Mi is printed over a ball that rests on the flank (its centre short
// of the tangent point, inv alpha_Mt > 0, so its radius stays below the flank's
// curvature at the contact), and no warning.
TEST(UsableFlankReport, RingWhoseTipLiesAtTheBaseCircleGetsMiOverABallThatRests) {
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, 12.0, 12, -0.82, 20.0, 40.0, 36.0, 0.36, 45.0, 1, 1, 0.0), 0);
  const Helix h(12.0, 12.0, 45.0);
  const double e = h.mt * (kPi / 2.0 - 2.0 * 0.82 * std::tan(Rad(20.0))) + 0.36 / std::cos(Rad(45.0));
  const double dm = ring.pinDiameter;
  const double inv = Inv(h.at) + e / (2.0 * h.r) - dm / (2.0 * h.rb * std::cos(h.betaB));
  ASSERT_GT(inv, 0.0);
  const double a = InverseInvoluteOdd(inv);
  const double roll = h.rb * std::tan(a) + dm / (2.0 * std::cos(h.betaB));
  ASSERT_GT(roll, dm / (2.0 * std::cos(h.betaB)));
  EXPECT_GE(std::hypot(roll, h.rb), ring.tipRadius);
  const double mi = 2.0 * h.rb / std::cos(a) - dm;
  const auto lines = Lines(ReportBuildRingGearBlock(ring, "RING"));
  EXPECT_TRUE(Has(lines, "  Mi = " + Fix(mi, 3) + Lang("   between 2 balls Ø ", "   tussen 2 kogels Ø ") + Fix(dm, 2)));
  EXPECT_FALSE(Has(lines, Lang("  ! ball touches outside the involute", "  ! kogel raakt buiten de evolvente")));
}
