// Path of contact, contact ratios and current contact points of the external
// pair, the pinion and rack and the internal pair.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>
#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "mesh_test_support.h"

namespace {

using meshtest::Deg;
using meshtest::Inv;
using meshtest::InvInverse;
using meshtest::Rad;
constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

GearRecord MakeGear(double m, int64_t z, double x, double betaDeg, int64_t hand, double k,
                    int density, double b = 20.0) {
  GearRecord g;
  InitGearRecord(g, m, z, x, 20.0, b, 0.0, k, betaDeg, hand);
  BuildGearGeometry(g, density);
  return g;
}

// Zero-backlash centre distance of an external pair (DIN 3960):
// inv alpha_wt = 2 tan alpha_n (x1 + x2) / (z1 + z2) + inv alpha_t,
// a = (z1 + z2) mt cos alpha_t / (2 cos alpha_wt).
double ZeroBacklashCentreDistance(double m, int64_t z1, int64_t z2, double x1, double x2,
                                  double betaDeg, int sign) {
  const double alphaN = Rad(20.0);
  const double mt = m / std::cos(Rad(betaDeg));
  const double alphaT = std::atan(std::tan(alphaN) / std::cos(Rad(betaDeg)));
  const double zSum = static_cast<double>(z2 + sign * z1);
  const double invW = 2.0 * std::tan(alphaN) * (x2 + sign * x1) / zSum + Inv(alphaT);
  return zSum * mt * std::cos(alphaT) / (2.0 * std::cos(InvInverse(invW)));
}

// ---------------------------------------------------------------------------
// The spur pair m 2, z 20 / 40, x 0, tips r + m, at a = 60 (textbook values).
TEST(PairPathOfContact, SpurPairPositions) {
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 0.0, -1, 0.0, 1);
  PathOfContactRecord path;
  ASSERT_EQ(ComputePairPathOfContact(g1, g2, 60.0, 0.0, path), 1);
  EXPECT_EQ(path.valid, 1);
  EXPECT_NEAR(Deg(path.workingPressureAngle), 20.0, 1e-9);
  EXPECT_NEAR(path.posT2, 20.521, 1e-3);
  EXPECT_NEAR(path.posA, 1.782, 1e-3);
  EXPECT_NEAR(path.posB, 5.532, 1e-3);
  EXPECT_NEAR(path.posC, 6.840, 1e-3);
  EXPECT_NEAR(path.posD, 7.686, 1e-3);
  EXPECT_NEAR(path.posE, 11.436, 1e-3);
  EXPECT_NEAR(path.posE - path.posA, 9.655, 1e-3);  // g_alpha
  EXPECT_NEAR(ComputeTransverseContactRatio(g1, g2, 60.0), 1.635, 1e-3);
  EXPECT_NEAR(path.workingRadius1, 20.0, 1e-9);
  EXPECT_NEAR(path.workingRadius2, 40.0, 1e-9);
  // T1 on the base circle, the pitch point C on the centre line.
  EXPECT_NEAR(std::hypot(path.t1X, path.t1Y), 20.0 * std::cos(Rad(20.0)), 1e-9);
  EXPECT_NEAR(path.t1X + path.posC * path.directionX, 20.0, 1e-9);
  EXPECT_NEAR(path.t1Y + path.posC * path.directionY, 0.0, 1e-9);
}

// ---------------------------------------------------------------------------
// Published examples E1 (spur pair with tip shortening) and E2 (helical pair):
// operating pressure angle, operating pitch diameters (their sum is 2 a), tip
// and root diameters and contact ratios. eps_alpha is the published value for
// E1; for E2 it is computed here from the published diameters:
// eps_alpha = (sqrt(da1^2 - db1^2) + sqrt(da2^2 - db2^2) - 2 a sin alpha_wt) / (2 pi mt cos alpha_t).
struct PairExample {
  const char* name;
  double m, betaDeg;
  int64_t z1, z2;
  double x1, x2, a;
  double alphaWDeg, dw1, dw2, da1, da2, df1, df2, db1, db2;
  double epsAlpha;  // < 0: compute from the published diameters
  double b;
};
void PrintTo(const PairExample& c, std::ostream* os) { *os << c.name; }


class PairExamples : public ::testing::TestWithParam<PairExample> {};

TEST_P(PairExamples, MatchPublishedValues) {
  const PairExample& e = GetParam();
  // DIN 3960 tip shortening k = (x1 + x2) - y, y = a / mn - (z1 + z2) / (2 cos beta).
  const double y = e.a / e.m - (e.z1 + e.z2) / (2.0 * std::cos(Rad(e.betaDeg)));
  const double k = e.x1 + e.x2 - y;
  const GearRecord g1 = MakeGear(e.m, e.z1, e.x1, e.betaDeg, -1, k, 1, e.b);
  const GearRecord g2 = MakeGear(e.m, e.z2, e.x2, e.betaDeg, 1, k, 1, e.b);
  ASSERT_EQ(g1.valid, 1);
  ASSERT_EQ(g2.valid, 1);
  PathOfContactRecord path;
  ASSERT_EQ(ComputePairPathOfContact(g1, g2, e.a, 0.0, path), 1);
  EXPECT_NEAR(Deg(path.workingPressureAngle), e.alphaWDeg, 2e-4);
  EXPECT_NEAR(2.0 * path.workingRadius1, e.dw1, 1e-3);
  EXPECT_NEAR(2.0 * path.workingRadius2, e.dw2, 1e-3);
  EXPECT_NEAR(path.workingRadius1 + path.workingRadius2, e.a, 1e-6);
  EXPECT_NEAR(2.0 * g1.tipRadius, e.da1, 1e-3);
  EXPECT_NEAR(2.0 * g2.tipRadius, e.da2, 1e-3);
  EXPECT_NEAR(2.0 * g1.rootRadius, e.df1, 1e-3);
  EXPECT_NEAR(2.0 * g2.rootRadius, e.df2, 1e-3);

  double epsAlpha = e.epsAlpha;
  if (epsAlpha < 0.0) {
    const double alphaT = std::atan(std::tan(Rad(20.0)) / std::cos(Rad(e.betaDeg)));
    const double mt = e.m / std::cos(Rad(e.betaDeg));
    epsAlpha = (std::sqrt(e.da1 * e.da1 - e.db1 * e.db1) + std::sqrt(e.da2 * e.da2 - e.db2 * e.db2) -
                2.0 * e.a * std::sin(Rad(e.alphaWDeg))) /
               (2.0 * kPi * mt * std::cos(alphaT));
  }
  const double epsA = ComputeTransverseContactRatio(g1, g2, e.a);
  EXPECT_NEAR(epsA, epsAlpha, 2e-3);
  const double pbt = kPi * g1.transverseModule * std::cos(g1.transversePressureAngle);
  EXPECT_NEAR((path.posE - path.posA) / pbt, epsA, 1e-12);
  // Overlap ratio b sin beta / (pi mn) and total contact ratio.
  const double epsBeta = e.b * std::sin(Rad(e.betaDeg)) / (kPi * e.m);
  EXPECT_NEAR(ComputeOverlapRatio(g1), epsBeta, 1e-12);
  EXPECT_NEAR(epsA + ComputeOverlapRatio(g1), epsAlpha + epsBeta, 2e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Published, PairExamples,
    ::testing::Values(
        PairExample{"E1_spur_tip_shortening", 3.0, 0.0, 12, 24, 0.60, 0.36, 56.4999, 26.0886,
                    37.667, 75.333, 44.840, 79.400, 32.100, 66.660, 33.8289, 67.6579, 1.202, 20.0},
        PairExample{"E2_helical", 3.0, 30.0, 12, 60, 0.09809, 0.0, 125.0, 23.1126, 41.667,
                    208.333, 48.153, 213.842, 34.657, 200.346, 38.322, 191.611, -1.0, 30.0}),
    [](const auto& info) { return std::string(info.param.name); });

// E3: helical rack, mn 2.5, beta 10.96361 deg, pinion z 20, x 0, H 27.5.
// eps_alpha of pinion and rack from the published diameters:
// g_alpha = sqrt(ra^2 - rb^2) - r sin alpha_t + (ha - x m) / sin alpha_t.
TEST(RackPathOfContact, PublishedHelicalRackExample) {
  const double m = 2.5, beta = 10.96361;
  const GearRecord pinion = MakeGear(m, 20, 0.0, beta, 1, 0.0, 1, 20.0);
  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, m, 20.0, beta, -1, 10, 27.5, 20.0, 0.0, 1), 0);
  EXPECT_NEAR(Deg(pinion.transversePressureAngle), 20.34160, 1e-5);
  EXPECT_NEAR(2.0 * pinion.pitchRadius, 50.92956, 1e-5);
  EXPECT_NEAR(2.0 * pinion.baseRadius, 47.75343, 1e-5);
  EXPECT_NEAR(2.0 * pinion.tipRadius, 55.929, 1e-3);
  EXPECT_NEAR(2.0 * pinion.rootRadius, 44.679, 1e-3);
  // Centre to rack back d / 2 + H.
  EXPECT_NEAR(-(ComputeRackPitchLineOffset(pinion) - rack.rackHeight), 52.965, 1e-3);

  PathOfContactRecord path;
  ASSERT_EQ(ComputeRackPathOfContact(pinion, rack, 0.0, path), 1);
  EXPECT_NEAR(Deg(path.workingPressureAngle), 20.34160, 1e-5);
  EXPECT_NEAR(2.0 * path.workingRadius1, 50.92956, 1e-5);
  EXPECT_DOUBLE_EQ(path.workingRadius2, 0.0);
  EXPECT_NEAR(path.posT2, path.posE + 2.0 * m, 1e-12);
  // The pitch point lies on the pinion's pitch circle straight below its centre.
  EXPECT_NEAR(path.t1X + path.posC * path.directionX, 0.0, 1e-9);
  EXPECT_NEAR(path.t1Y + path.posC * path.directionY, -50.92956 / 2.0, 1e-5);

  const double alphaT = Rad(20.34160);
  const double mt = m / std::cos(Rad(beta));
  const double ra = 55.929 / 2.0, rb = 47.75343 / 2.0, r = 50.92956 / 2.0;
  const double gAlpha = std::sqrt(ra * ra - rb * rb) - r * std::sin(alphaT) + m / std::sin(alphaT);
  const double epsAlpha = gAlpha / (kPi * mt * std::cos(alphaT));
  EXPECT_NEAR((path.posE - path.posA) / (kPi * mt * std::cos(alphaT)), epsAlpha, 1e-4);
}

// E4: internal pair m 3, z 16 / 24, x 0 / 0.5 at a = 13.1683.
// eps_alpha from the published diameters:
// g_alpha = sqrt(ra1^2 - rb1^2) - sqrt(ra2^2 - rb2^2) + a sin alpha_w.
TEST(InternalPathOfContact, PublishedInternalExample) {
  const GearRecord pinion = MakeGear(3.0, 16, 0.0, 0.0, 1, 0.0, 1);
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, 3.0, 24, 0.5, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
  EXPECT_NEAR(2.0 * pinion.tipRadius, 54.0, 1e-9);
  EXPECT_NEAR(2.0 * pinion.rootRadius, 40.5, 1e-9);
  EXPECT_NEAR(2.0 * ring.tipRadius, 69.0, 1e-9);
  EXPECT_NEAR(2.0 * ring.rootRadius, 82.5, 1e-9);
  EXPECT_NEAR(2.0 * ring.baseRadius, 67.6578, 1e-4);

  const double a = 13.1683;
  PathOfContactRecord path;
  ASSERT_EQ(ComputeInternalPathOfContact(pinion, ring, a, 0.0, path), 1);
  EXPECT_NEAR(Deg(path.workingPressureAngle), 31.09385, 2e-4);
  EXPECT_NEAR(path.workingRadius2 - path.workingRadius1, a, 1e-9);
  EXPECT_NEAR(path.posT2, -a * std::sin(path.workingPressureAngle), 1e-12);

  const double alphaW = Rad(31.09385);
  const double ra1 = 27.0, rb1 = 45.1052 / 2.0, ra2 = 34.5, rb2 = 67.6578 / 2.0;
  const double gAlpha = std::sqrt(ra1 * ra1 - rb1 * rb1) - std::sqrt(ra2 * ra2 - rb2 * rb2) +
                        a * std::sin(alphaW);
  const double pbt = kPi * 3.0 * std::cos(Rad(20.0));
  EXPECT_NEAR((path.posE - path.posA) / pbt, gAlpha / pbt, 2e-3);
}

// ---------------------------------------------------------------------------
// Current contact points lie on both placed outlines. This ties together the
// phase of gear 1, ComputeGear2MeshAngle, the rack offset and the internal
// frame. Outlines at density 16 so the chords stay well within 1e-4 mm.

double DistanceToPlacedOutline(const meshtest::Polygon& poly, double angle, double dx,
                               double dy, double px, double py) {
  // Move the point into the gear's own frame instead of moving the outline.
  const double c = std::cos(angle), s = std::sin(angle);
  const double ux = px - dx, uy = py - dy;
  return meshtest::DistanceToBoundary({ux * c + uy * s, -ux * s + uy * c}, poly);
}

struct ExternalContactCase {
  const char* name;
  double m;
  int64_t z1, z2;
  double x1, x2, betaDeg;
};
void PrintTo(const ExternalContactCase& c, std::ostream* os) { *os << c.name; }


class ExternalContact : public ::testing::TestWithParam<ExternalContactCase> {};

TEST_P(ExternalContact, PointsLieOnBothOutlines) {
  const ExternalContactCase& c = GetParam();
  const GearRecord g1 = MakeGear(c.m, c.z1, c.x1, c.betaDeg, 1, 0.0, 16);
  const GearRecord g2 = MakeGear(c.m, c.z2, c.x2, c.betaDeg, -1, 0.0, 16);
  ASSERT_EQ(g1.valid, 1);
  ASSERT_EQ(g2.valid, 1);
  const double a = ZeroBacklashCentreDistance(c.m, c.z1, c.z2, c.x1, c.x2, c.betaDeg, +1);
  const meshtest::Polygon p1 = meshtest::JoinOutline(g1.outline);
  const meshtest::Polygon p2 = meshtest::JoinOutline(g2.outline);
  const double tau = 2.0 * kPi / static_cast<double>(c.z1);
  for (double theta : {0.0, 0.3 * tau, 0.71 * tau, 2.5, -1.0}) {
    PathOfContactRecord path;
    ASSERT_EQ(ComputePairPathOfContact(g1, g2, a, theta, path), 1);
    ASSERT_GE(path.contactCount, 1) << "theta " << theta;
    const double angle2 = ComputeGear2MeshAngle(g1, g2, theta);
    for (int64_t i = 0; i < path.contactCount; ++i) {
      const double p = path.contactPositions[i];
      EXPECT_GE(p, path.posA - 1e-9);
      EXPECT_LE(p, path.posE + 1e-9);
      if (i > 0) {
        EXPECT_GT(p, path.contactPositions[i - 1]);
      }
      const double px = path.t1X + p * path.directionX;
      const double py = path.t1Y + p * path.directionY;
      EXPECT_LT(DistanceToPlacedOutline(p1, theta, 0.0, 0.0, px, py), 1e-4)
          << "gear 1, theta " << theta << " point " << i;
      EXPECT_LT(DistanceToPlacedOutline(p2, angle2, a, 0.0, px, py), 1e-4)
          << "gear 2, theta " << theta << " point " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ExternalContact,
    ::testing::Values(ExternalContactCase{"spur_20_40", 2.0, 20, 40, 0.0, 0.0, 0.0},
                      ExternalContactCase{"E1_shifted_12_24", 3.0, 12, 24, 0.6, 0.36, 0.0},
                      ExternalContactCase{"helical_17_31", 2.0, 17, 31, 0.2, -0.1, 18.0},
                      // Fault pinned: pinions of about 88 teeth and more found no
                      // contact point, as A lies more than six base pitches past T1.
                      ExternalContactCase{"large_200_400", 1.0, 200, 400, 0.0, 0.0, 0.0},
                      ExternalContactCase{"large_95_97", 1.0, 95, 97, 0.0, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

struct RackContactCase {
  const char* name;
  double m;
  int64_t z;
  double x, betaDeg;
  int64_t n;
};
void PrintTo(const RackContactCase& c, std::ostream* os) { *os << c.name; }


class RackContact : public ::testing::TestWithParam<RackContactCase> {};

TEST_P(RackContact, PointsLieOnPinionAndRack) {
  const RackContactCase& c = GetParam();
  const GearRecord pinion = MakeGear(c.m, c.z, c.x, c.betaDeg, 1, 0.0, 16);
  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, c.m, 20.0, c.betaDeg, -1, c.n, 3.0 * c.m, 20.0, 0.0, 16), 0);
  const meshtest::Polygon pp = meshtest::JoinOutline(pinion.outline);
  const meshtest::Polygon rp = meshtest::JoinOutline(rack.outline);
  const double pitchY = ComputeRackPitchLineOffset(pinion);
  const double tau = 2.0 * kPi / static_cast<double>(c.z);
  for (double theta : {0.0, 0.4 * tau, 0.83 * tau, 1.9, -2.7}) {
    PathOfContactRecord path;
    ASSERT_EQ(ComputeRackPathOfContact(pinion, rack, theta, path), 1);
    ASSERT_GE(path.contactCount, 1) << "theta " << theta;
    const double offset = ComputeRackOffset(pinion, rack, theta);
    for (int64_t i = 0; i < path.contactCount; ++i) {
      const double p = path.contactPositions[i];
      const double px = path.t1X + p * path.directionX;
      const double py = path.t1Y + p * path.directionY;
      EXPECT_LT(DistanceToPlacedOutline(pp, theta, 0.0, 0.0, px, py), 1e-4)
          << "pinion, theta " << theta << " point " << i;
      EXPECT_LT(DistanceToPlacedOutline(rp, 0.0, offset, pitchY, px, py), 1e-4)
          << "rack, theta " << theta << " point " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RackContact,
    ::testing::Values(RackContactCase{"spur_even", 2.0, 20, 0.0, 0.0, 8},
                      RackContactCase{"spur_odd", 2.0, 20, 0.0, 0.0, 7},
                      RackContactCase{"helical_shifted_odd", 2.5, 15, 0.4, 12.0, 9},
                      RackContactCase{"large_pinion", 1.0, 150, 0.0, 0.0, 12}),
    [](const auto& info) { return std::string(info.param.name); });

struct InternalContactCase {
  const char* name;
  double m;
  int64_t z1, z2;
  double x1, x2;
};
void PrintTo(const InternalContactCase& c, std::ostream* os) { *os << c.name; }


class InternalContact : public ::testing::TestWithParam<InternalContactCase> {};

TEST_P(InternalContact, PointsLieOnPinionAndRing) {
  const InternalContactCase& c = GetParam();
  const GearRecord pinion = MakeGear(c.m, c.z1, c.x1, 0.0, 1, 0.0, 16);
  ASSERT_EQ(pinion.valid, 1);
  const double a = ZeroBacklashCentreDistance(c.m, c.z1, c.z2, c.x1, c.x2, 0.0, -1);
  // The ring's tip shortened as the internal pair does, so that contact
  // starts on the pinion's involute rather than its root fillet.
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, c.m, c.z2, c.x2, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
  const double mate = ComputeInternalMateRadius(pinion, ring, a);
  ASSERT_EQ(BuildRingGearGeometry(ring, c.m, c.z2, c.x2, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 16, mate), 0);
  const meshtest::Polygon pp = meshtest::JoinOutline(pinion.outline);
  const meshtest::Polygon rp = meshtest::JoinOutline(ring.outline);
  const double tau = 2.0 * kPi / static_cast<double>(c.z1);
  for (double theta : {0.0, 0.25 * tau, 0.6 * tau, 1.1, -2.0}) {
    PathOfContactRecord path;
    ASSERT_EQ(ComputeInternalPathOfContact(pinion, ring, a, theta, path), 1);
    ASSERT_GE(path.contactCount, 1) << "theta " << theta;
    const double ringAngle = theta * c.z1 / static_cast<double>(c.z2);
    for (int64_t i = 0; i < path.contactCount; ++i) {
      const double p = path.contactPositions[i];
      const double px = path.t1X + p * path.directionX;
      const double py = path.t1Y + p * path.directionY;
      EXPECT_LT(DistanceToPlacedOutline(pp, theta, a, 0.0, px, py), 1e-4)
          << "pinion, theta " << theta << " point " << i;
      EXPECT_LT(DistanceToPlacedOutline(rp, ringAngle, 0.0, 0.0, px, py), 1e-4)
          << "ring, theta " << theta << " point " << i;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, InternalContact,
    ::testing::Values(InternalContactCase{"z20_z60", 2.0, 20, 60, 0.0, 0.0},
                      InternalContactCase{"z16_z24_shifted", 3.0, 16, 24, 0.0, 0.5},
                      InternalContactCase{"z18_z45_both_shifted", 2.5, 18, 45, 0.3, 0.5},
                      InternalContactCase{"large_z120_z180", 1.0, 120, 180, 0.0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---------------------------------------------------------------------------
TEST(CurrentContactPoints, RepeatAfterOnePitch) {
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 0.0, -1, 0.0, 1);
  const double tau = 2.0 * kPi / 20.0;
  for (double theta : {0.0, 0.13, 1.7}) {
    PathOfContactRecord p0, p1;
    ComputePairPathOfContact(g1, g2, 60.0, theta, p0);
    ComputePairPathOfContact(g1, g2, 60.0, theta + tau, p1);
    ASSERT_EQ(p0.contactCount, p1.contactCount);
    for (int64_t i = 0; i < p0.contactCount; ++i) {
      EXPECT_NEAR(p0.contactPositions[i], p1.contactPositions[i], 1e-9);
    }
    // eps_alpha 1.635: one or two pairs in contact, one base pitch apart.
    EXPECT_GE(p0.contactCount, 1);
    EXPECT_LE(p0.contactCount, 2);
    if (p0.contactCount == 2) {
      EXPECT_NEAR(p0.contactPositions[1] - p0.contactPositions[0],
                  kPi * 2.0 * std::cos(Rad(20.0)), 1e-9);
    }
  }
}

// B and D lie one base pitch inside E and A. With eps_alpha < 1 they fall
// outside A..E (B below A, D beyond E): every contact there is single.
TEST(PairPathOfContact, SingleContactLimitsOneBasePitchFromTheEnds) {
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 0.0, -1, 0.0, 1);
  const double pbt = kPi * 2.0 * std::cos(Rad(20.0));
  for (double a : {60.0, 61.5}) {
    PathOfContactRecord path;
    ASSERT_EQ(ComputePairPathOfContact(g1, g2, a, 0.0, path), 1);
    EXPECT_NEAR(path.posB, path.posE - pbt, 1e-12);
    EXPECT_NEAR(path.posD, path.posA + pbt, 1e-12);
  }
  // Pulled apart by 1.5 mm the tips overlap by less than one base pitch.
  PathOfContactRecord path;
  ASSERT_EQ(ComputePairPathOfContact(g1, g2, 61.5, 0.0, path), 1);
  ASSERT_LT(ComputeTransverseContactRatio(g1, g2, 61.5), 1.0);
  EXPECT_LT(path.posB, path.posA);
  EXPECT_GT(path.posD, path.posE);
}

TEST(GearTwoAngle, TurnsAgainstGearOneAtTheRatio) {
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 0.0, -1, 0.0, 1);
  EXPECT_NEAR(ComputeGear2MeshAngle(g1, g2, 0.0), kPi / 40.0 + kPi, 1e-15);
  EXPECT_NEAR(ComputeGear2MeshAngle(g1, g2, 0.4) - ComputeGear2MeshAngle(g1, g2, 0.0), -0.2, 1e-15);
}

// ---------------------------------------------------------------------------
// No NaN is ever reported as a valid mesh.
TEST(PathOfContactInvalid, ExternalPairWithoutAMesh) {
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 0.0, -1, 0.0, 1);
  const double baseSum = g1.baseRadius + g2.baseRadius;  // 56.38
  GearRecord tipInsideBase = g2;
  tipInsideBase.tipRadius = tipInsideBase.baseRadius - 0.1;
  GearRecord notBuilt = g2;
  notBuilt.valid = 0;

  struct Case {
    const char* name;
    const GearRecord* second;
    double a, theta;
  };
  const Case cases[] = {{"a_below_base_sum", &g2, baseSum - 0.01, 0.0},
                        {"a_zero", &g2, 0.0, 0.0},
                        {"a_nan", &g2, kNaN, 0.0},
                        {"a_infinite", &g2, std::numeric_limits<double>::infinity(), 0.0},
                        {"theta_nan", &g2, 60.0, kNaN},
                        {"tip_inside_base", &tipInsideBase, 60.0, 0.0},
                        {"record_not_built", &notBuilt, 60.0, 0.0}};
  for (const Case& c : cases) {
    PathOfContactRecord path;
    path.valid = 1;
    path.contactCount = 3;
    EXPECT_EQ(ComputePairPathOfContact(g1, *c.second, c.a, c.theta, path), 0) << c.name;
    EXPECT_EQ(path.valid, 0) << c.name;
    EXPECT_EQ(path.contactCount, 0) << c.name;
    EXPECT_FALSE(std::isnan(path.posA) || std::isnan(path.posE) ||
                 std::isnan(path.workingPressureAngle))
        << c.name;
  }
  EXPECT_EQ(ComputeTransverseContactRatio(g1, g2, baseSum - 0.01), -1.0);
  EXPECT_EQ(ComputeTransverseContactRatio(g1, tipInsideBase, 60.0), -1.0);
}

TEST(PathOfContactInvalid, InternalPairAndRack) {
  const GearRecord pinion = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  GearRecord ring;
  ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 60, 0.0, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0), 0);
  const double baseDiff = ring.baseRadius - pinion.baseRadius;
  PathOfContactRecord path;
  EXPECT_EQ(ComputeInternalPathOfContact(pinion, ring, baseDiff - 0.01, 0.0, path), 0);
  EXPECT_EQ(path.valid, 0);
  EXPECT_EQ(ComputeInternalPathOfContact(pinion, ring, kNaN, 0.0, path), 0);
  EXPECT_EQ(ComputeInternalPathOfContact(pinion, ring, 40.0, 0.0, path), 1);
  // The ring as the pinion's mate the wrong way round: no mesh.
  EXPECT_EQ(ComputeInternalPathOfContact(ring, pinion, 40.0, 0.0, path), 0);

  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, 6, 10.0, 20.0, 0.0, 1), 0);
  GearRecord tipInsideBase = pinion;
  tipInsideBase.tipRadius = tipInsideBase.baseRadius - 0.1;
  EXPECT_EQ(ComputeRackPathOfContact(tipInsideBase, rack, 0.0, path), 0);
  EXPECT_EQ(path.contactCount, 0);
  GearRecord rejectedRack;
  BuildRackGeometry(rejectedRack, 2.0, 20.0, 0.0, 1, 6, 2.0, 20.0, 0.0, 1);
  EXPECT_EQ(ComputeRackPathOfContact(pinion, rejectedRack, 0.0, path), 0);
  EXPECT_EQ(ComputeRackPathOfContact(pinion, rack, kNaN, path), 0);
  EXPECT_EQ(ComputeRackPathOfContact(pinion, rack, 0.0, path), 1);
}

TEST(OverlapRatio, SpurIsZeroAndBadModuleIsNone) {
  const GearRecord spur = MakeGear(2.0, 20, 0.0, 0.0, 1, 0.0, 1);
  EXPECT_DOUBLE_EQ(ComputeOverlapRatio(spur), 0.0);
  GearRecord bad = spur;
  bad.normalModule = kNaN;
  EXPECT_EQ(ComputeOverlapRatio(bad), -1.0);
}

}  // namespace
