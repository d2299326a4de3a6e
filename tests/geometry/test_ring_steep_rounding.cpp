// Ring gears at steep pressure angles: the cutter's tip roundings of 0.25 m
// shrink to what fits the tooth space at its root, and the outline then
// reaches the root circle the record gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "gear_test_support.h"
#include "geometry/ring_gear.h"

using namespace test_support;

namespace {

// Textbook ring of module m, z teeth, x = 0, spur: the half angle of a tooth
// space is psi(R) = s / (2 r) + inv alpha - inv(acos(rb / R)) with s = pi m / 2.
struct TextbookRing {
  double m, z, alpha;
  double r() const { return m * z / 2.0; }
  double rb() const { return r() * std::cos(alpha); }
  double rf() const { return r() + 1.25 * m; }
  double psi(double radius) const {
    return kPi * m / 4.0 / r() + TextbookInvolute(alpha) - TextbookInvolute(std::acos(rb() / radius));
  }
  // Least distance from (cx, 0) to the flank between the base circle and rf.
  double distanceToFlank(double cx) const {
    double least = 1e300;
    const int steps = 200000;
    for (int i = 0; i <= steps; ++i) {
      const double radius = std::max(rb(), r() - m) + (rf() - std::max(rb(), r() - m)) * i / steps;
      least = std::min(least, std::hypot(radius * std::cos(psi(radius)) - cx, radius * std::sin(psi(radius))));
    }
    return least;
  }
  // The largest rounding that touches the root circle on the space's centre
  // line and the flank: centre at (rf - rho, 0), distance to the flank rho.
  double fittingRounding() const {
    double lo = 0.0, hi = 0.25 * m;
    if (distanceToFlank(rf() - hi) >= hi) return 0.25;
    for (int i = 0; i < 50; ++i) {
      const double mid = 0.5 * (lo + hi);
      if (distanceToFlank(rf() - mid) >= mid) lo = mid; else hi = mid;
    }
    return lo / m;
  }
};

double GreatestOutlineRadius(const GearRecord& rec) {
  double greatest = 0.0;
  for (const OutlineCurve& c : rec.outline) {
    for (const OutlinePoint& p : c.points) greatest = std::max(greatest, std::hypot(p.x, p.y));
  }
  return greatest;
}

struct RingCase {
  double m;
  int z;
  double alphaDeg;
};

class RingSteepRounding : public ::testing::TestWithParam<RingCase> {};

TEST_P(RingSteepRounding, RoundingsFitTheSpaceAndTheOutlineReachesTheRoot) {
  const RingCase& c = GetParam();
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, c.m, c.z, 0.0, c.alphaDeg, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
  ASSERT_EQ(ring.valid, 1);
  const TextbookRing t{c.m, double(c.z), Deg(c.alphaDeg)};
  EXPECT_NEAR(ring.rootRadius, t.rf(), 1e-9);
  EXPECT_NEAR(ring.toolTipRadiusFactor, t.fittingRounding(), 1e-4);
  EXPECT_NEAR(GreatestOutlineRadius(ring), ring.rootRadius, 1e-6 * c.m);
}

INSTANTIATE_TEST_SUITE_P(Cases, RingSteepRounding,
                         ::testing::Values(RingCase{2.0, 20, 20.0},  // 0.25 m fits
                                           RingCase{2.0, 20, 25.0}, RingCase{2.0, 20, 28.0},
                                           RingCase{2.0, 40, 27.0}, RingCase{3.0, 80, 28.0}));

}  // namespace
