// Interference test of the internal pair on the real outlines, checked
// against a plain polygon overlap of the same placed outlines.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

#include "geometry/gear_geometry.h"
#include "geometry/internal_interference.h"
#include "geometry/ring_gear.h"
#include "mesh_test_support.h"

namespace {

using meshtest::Inv;
using meshtest::InvInverse;
using meshtest::Rad;
constexpr double kPi = std::numbers::pi;

struct InternalPair {
  GearRecord pinion;
  GearRecord ring;
  double a = 0.0;
};

// Pinion and ring at density 3 (as the internal pair tests them) at the
// zero-backlash centre distance of the nominal shifts (DIN 3960):
// inv alpha_w = 2 tan alpha (x2 - x1) / (z2 - z1) + inv alpha,
// a = (z2 - z1) m cos alpha / (2 cos alpha_w). The allowances thin the
// pinion's teeth and widen the ring's spaces (backlash). With shortenTip the
// ring's tip is raised to where contact reaches the pinion's usable involute.
InternalPair MakePair(double m, int64_t z1, int64_t z2, double x1, double x2, double As,
                      bool shortenTip) {
  InternalPair p;
  const double alpha = Rad(20.0);
  const double invW = 2.0 * std::tan(alpha) * (x2 - x1) / static_cast<double>(z2 - z1) + Inv(alpha);
  p.a = static_cast<double>(z2 - z1) * m * std::cos(alpha) / (2.0 * std::cos(InvInverse(invW)));
  InitGearRecord(p.pinion, m, z1, x1, 20.0, 20.0, 0.0, 0.0, 0.0, 1);
  p.pinion.thicknessAllowance = As;
  BuildGearGeometry(p.pinion, 3);
  BuildRingGearGeometry(p.ring, m, z2, x2, 20.0, 20.0, 10.0, As, 0.0, 1, 3, 0.0);
  if (shortenTip) {
    const double mate = ComputeInternalMateRadius(p.pinion, p.ring, p.a);
    BuildRingGearGeometry(p.ring, m, z2, x2, 20.0, 20.0, 10.0, As, 0.0, 1, 3, mate);
  }
  return p;
}

// Deepest vertex of one placed outline in the other gear's material, by
// point-in-polygon over the same 24 positions: a pinion vertex outside the
// ring's space outline (in its rim) or a ring vertex inside the pinion.
double PolygonOverlap(const InternalPair& p) {
  const meshtest::Polygon pinionPoly = meshtest::JoinOutline(p.pinion.outline);
  const meshtest::Polygon ringPoly = meshtest::JoinOutline(p.ring.outline);
  const double z1 = static_cast<double>(p.pinion.teeth);
  const double z2 = static_cast<double>(p.ring.teeth);
  double worst = 0.0;
  for (int k = 0; k < 24; ++k) {
    const double theta1 = k * 2.0 * kPi / z1 / 24.0;
    const auto placedPinion = meshtest::PlacePolygon(pinionPoly, theta1, p.a, 0.0);
    const auto placedRing = meshtest::PlacePolygon(ringPoly, theta1 * z1 / z2, 0.0, 0.0);
    // Only points that can reach the other gear's teeth are tested: pinion
    // points beyond the ring's tip circle, ring points within the pinion's tip.
    for (const auto& v : placedPinion) {
      if (std::hypot(v.x, v.y) < p.ring.tipRadius - 1e-9) continue;
      if (!meshtest::IsInside(v, placedRing)) {
        worst = std::max(worst, meshtest::DistanceToBoundary(v, placedRing));
      }
    }
    for (const auto& v : placedRing) {
      if (std::hypot(v.x - p.a, v.y) > p.pinion.tipRadius + 1e-9) continue;
      if (meshtest::IsInside(v, placedPinion)) {
        worst = std::max(worst, meshtest::DistanceToBoundary(v, placedPinion));
      }
    }
  }
  return worst;
}

struct InterferenceCase {
  const char* name;
  double m;
  int64_t z1, z2;
  double x1, x2, As;
  bool shortenTip;
  bool interferes;
};

void PrintTo(const InterferenceCase& c, std::ostream* os) { *os << c.name; }

class InternalInterference : public ::testing::TestWithParam<InterferenceCase> {};

TEST_P(InternalInterference, AgreesWithPolygonOverlap) {
  const InterferenceCase& c = GetParam();
  const InternalPair p = MakePair(c.m, c.z1, c.z2, c.x1, c.x2, c.As, c.shortenTip);
  ASSERT_EQ(p.pinion.valid, 1);
  ASSERT_EQ(p.ring.valid, 1);
  const double penetration = ComputeInternalInterference(p.pinion, p.ring, p.a, 24);
  const double overlap = PolygonOverlap(p);
  if (c.interferes) {
    // Beyond what the report tolerates (0.002 m), and seen by both methods.
    EXPECT_GT(penetration, 0.002 * c.m);
    EXPECT_GT(overlap, 0.002 * c.m);
  } else {
    EXPECT_EQ(penetration, kNoInterference);
    EXPECT_LT(overlap, 1e-9);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InternalInterference,
    ::testing::Values(
        // Four teeth difference without shift: the teeth foul each other.
        InterferenceCase{"z20_z24_unshifted", 2.0, 20, 24, 0.0, 0.0, 0.0, false, true},
        // Standard ring tip: contact would start below the pinion's usable
        // involute (A lies before the form circle), so the ring tip cuts
        // into the pinion's root fillet.
        InterferenceCase{"z20_z60_standard_tip", 2.0, 20, 60, 0.0, 0.0, 0.0, false, true},
        // The same pairs made sound: ring tip shortened, small backlash.
        InterferenceCase{"z20_z60_shortened_tip", 2.0, 20, 60, 0.0, 0.0, 0.05, true, false},
        InterferenceCase{"z20_z80_shortened_tip", 2.0, 20, 80, 0.0, 0.0, 0.05, true, false},
        InterferenceCase{"z20_z60_shifted", 2.0, 20, 60, 0.3, 0.5, 0.05, true, false},
        InterferenceCase{"z16_z24_shifted", 3.0, 16, 24, 0.0, 0.5, 0.05, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// Why the standard tip of z 20 / 60 interferes, from the line of action alone:
// the ring's tip circle meets it at sqrt(ra2^2 - rb2^2) - a sin alpha from T1,
// before the pinion's form circle at sqrt(rF1^2 - rb1^2).
TEST(InternalInterferenceCause, StandardRingTipReachesBelowPinionFormCircle) {
  const InternalPair p = MakePair(2.0, 20, 60, 0.0, 0.0, 0.0, false);
  const double ra2 = 58.0, rb2 = 60.0 * std::cos(Rad(20.0)), rb1 = 20.0 * std::cos(Rad(20.0));
  const double startOfContact = std::sqrt(ra2 * ra2 - rb2 * rb2) - 40.0 * std::sin(Rad(20.0));
  const double rF1 = p.pinion.formRadius;
  EXPECT_LT(startOfContact, std::sqrt(rF1 * rF1 - rb1 * rb1));
}

TEST(InternalInterferenceNotRun, InvalidInputsReturnNotComputed) {
  const InternalPair p = MakePair(2.0, 20, 60, 0.0, 0.0, 0.05, true);
  GearRecord notBuilt = p.ring;
  notBuilt.valid = 0;
  GearRecord externalGear = p.pinion;  // not a ring gear
  EXPECT_EQ(ComputeInternalInterference(p.pinion, notBuilt, p.a, 24), kInterferenceNotComputed);
  EXPECT_EQ(ComputeInternalInterference(p.pinion, externalGear, p.a, 24), kInterferenceNotComputed);
  EXPECT_EQ(ComputeInternalInterference(p.pinion, p.ring, p.a, 0), kInterferenceNotComputed);
  EXPECT_EQ(ComputeInternalInterference(p.pinion, p.ring, std::nan(""), 24), kInterferenceNotComputed);
}

}  // namespace
