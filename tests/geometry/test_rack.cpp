// Rack: record values, outline, rejections and its placement against the pinion.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <limits>
#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "mesh_test_support.h"

namespace {

using meshtest::Rad;
constexpr double kPi = std::numbers::pi;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

struct RackValuesCase {
  const char* name;
  double m, alphaDeg, betaDeg;
  int64_t hand;
  int64_t n;
  double Hp, b, As;
};
void PrintTo(const RackValuesCase& c, std::ostream* os) { *os << c.name; }


class RackValues : public ::testing::TestWithParam<RackValuesCase> {};

// Thicknesses, heights, length and end-face shift from the basic rack
// profile: s = (pi m / 2 - As) / cos beta on the pitch line, tip line at
// ha = m, root line at hf = 1.25 m, tip thickness s - 2 m tan alpha_n / cos beta.
TEST_P(RackValues, MatchBasicRackProfile) {
  const RackValuesCase& c = GetParam();
  GearRecord rack;
  ASSERT_EQ(BuildRackGeometry(rack, c.m, c.alphaDeg, c.betaDeg, c.hand, c.n, c.Hp, c.b, c.As, 1), 0);
  const double cosBeta = std::cos(Rad(c.betaDeg));
  const double sNormal = kPi * c.m / 2.0 - c.As;
  EXPECT_EQ(rack.valid, 1);
  EXPECT_EQ(rack.isRack, 1);
  EXPECT_EQ(rack.pointed, 0);
  EXPECT_NEAR(rack.pitchThickness, sNormal / cosBeta, 1e-12);
  EXPECT_NEAR(rack.tipRadius, c.m, 1e-12);
  EXPECT_NEAR(rack.rootRadius, 1.25 * c.m, 1e-12);
  EXPECT_NEAR(rack.tipThickness, (sNormal - 2.0 * c.m * std::tan(Rad(c.alphaDeg))) / cosBeta, 1e-12);
  EXPECT_NEAR(rack.rackLength, c.n * kPi * c.m / cosBeta, 1e-9);
  EXPECT_NEAR(rack.transverseModule, c.m / cosBeta, 1e-12);
  EXPECT_NEAR(rack.transversePressureAngle, std::atan(std::tan(Rad(c.alphaDeg)) / cosBeta), 1e-12);
  EXPECT_NEAR(rack.topShift, std::tan(Rad(c.betaDeg)) * (c.hand == 0 ? 1 : c.hand) * c.b, 1e-9);
  EXPECT_DOUBLE_EQ(rack.pitchRadius, 0.0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RackValues,
    ::testing::Values(
        // m 2 spur: s = pi, tip 2, root 2.5, tip thickness 1.686
        RackValuesCase{"spur_m2", 2.0, 20.0, 0.0, 1, 6, 20.0, 20.0, 0.0},
        // helical, left hand, b 30: end faces shifted by -30 tan 20 deg = -10.919
        RackValuesCase{"helical_left", 2.0, 20.0, 20.0, -1, 5, 20.0, 30.0, 0.0},
        RackValuesCase{"allowance", 3.0, 20.0, 10.0, 0, 1, 15.0, 12.0, 0.15},
        RackValuesCase{"alpha22_5", 1.5, 22.5, 0.0, 1, 9, 8.0, 10.0, 0.05}),
    [](const auto& info) { return std::string(info.param.name); });

// The outline is one closed counter-clockwise chain inside the rack's box,
// with one tip land per tooth.
TEST(RackOutline, ClosedCounterClockwiseWithOneTipPerTooth) {
  for (int64_t n : {1, 2, 7}) {
    GearRecord rack;
    ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 15.0, 1, n, 12.0, 20.0, 0.0, 1), 0);
    const Outline& o = rack.outline;
    ASSERT_FALSE(o.empty());
    for (size_t c = 0; c < o.size(); ++c) {
      const auto& end = o[c].points.back();
      const auto& next = o[(c + 1) % o.size()].points.front();
      EXPECT_NEAR(end.x, next.x, 1e-9) << "n " << n << " curve " << c;
      EXPECT_NEAR(end.y, next.y, 1e-9) << "n " << n << " curve " << c;
    }
    const meshtest::Polygon poly = meshtest::JoinOutline(o);
    EXPECT_GT(meshtest::SignedArea(poly), 0.0);
    int tips = 0;
    for (const OutlineCurve& curve : o) {
      if (curve.points.size() == 2 && std::fabs(curve.points[0].y - 2.0) < 1e-12 &&
          std::fabs(curve.points[1].y - 2.0) < 1e-12) {
        ++tips;
      }
      for (const OutlinePoint& p : curve.points) {
        EXPECT_GE(p.x, -1e-12);
        EXPECT_LE(p.x, rack.rackLength + 1e-12);
        EXPECT_GE(p.y, -12.0 - 1e-12);
        EXPECT_LE(p.y, 2.0 + 1e-12);
      }
    }
    EXPECT_EQ(tips, n);
  }
}

struct RackRejectCase {
  const char* name;
  double m, betaDeg;
  int64_t n;
  double Hp, As;
};
void PrintTo(const RackRejectCase& c, std::ostream* os) { *os << c.name; }


class RackRejected : public ::testing::TestWithParam<RackRejectCase> {};

TEST_P(RackRejected, LeavesInvalidRecordWithoutOutline) {
  const RackRejectCase& c = GetParam();
  GearRecord rack;
  rack.valid = 1;
  rack.outline.resize(3);
  EXPECT_EQ(BuildRackGeometry(rack, c.m, 20.0, c.betaDeg, 1, c.n, c.Hp, 10.0, c.As, 1), 1);
  EXPECT_EQ(rack.valid, 0);
  EXPECT_TRUE(rack.outline.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RackRejected,
    ::testing::Values(
        RackRejectCase{"module_zero", 0.0, 0.0, 5, 10.0, 0.0},
        RackRejectCase{"module_nan", kNaN, 0.0, 5, 10.0, 0.0},
        RackRejectCase{"no_teeth", 2.0, 0.0, 0, 10.0, 0.0},
        RackRejectCase{"helix_85", 2.0, 85.0, 5, 10.0, 0.0},
        RackRejectCase{"back_on_root_line", 2.0, 0.0, 5, 2.5, 0.0},
        RackRejectCase{"height_nan", 2.0, 0.0, 5, kNaN, 0.0},
        // An allowance of half the normal pitch removes the whole tooth.
        RackRejectCase{"allowance_half_pitch", 2.0, 0.0, 5, 10.0, kPi},
        RackRejectCase{"allowance_beyond_half_pitch", 2.0, 0.0, 5, 10.0, 4.0},
        RackRejectCase{"allowance_nan", 2.0, 0.0, 5, 10.0, kNaN}),
    [](const auto& info) { return std::string(info.param.name); });

// Racks above about 23.2 deg: the straight flanks of a gap leave on the root
// line a half width w = pn / 2 - s2 - hf tan alpha_n (s2 = (pn / 2 - As) / 2),
// and a rounding of radius rho tangent to the root line and a flank touches
// the root line rho tan(45 deg - alpha_n / 2) from their corner. Where two
// roundings of 0.38 m do not fit (rho tan(45 deg - alpha_n / 2) > w), the rack
// is cut with the largest that does: rho = w / tan(45 deg - alpha_n / 2), the
// two meeting in the middle of the gap. The cross-section then has the area
// of the sharp-cornered profile plus, per corner, the rounding's fill
// rho^2 (tan(45 deg - alpha_n / 2) - (90 deg - alpha_n) / 2), all stretched by
// 1 / cos beta; a polygon that crosses itself would not.
TEST(RackSteepFlanks, RootRoundingsShrinkToTheGap) {
  struct SteepCase {
    double m, alphaDeg, betaDeg;
    int64_t n;
    double Hp, As;
  };
  const SteepCase cases[] = {
      {1.5, 25.0, 0.0, 9, 8.0, 0.05}, {2.0, 25.0, 0.0, 6, 10.0, 0.0}, {2.0, 23.5, 0.0, 5, 6.0, 0.0},
      {3.0, 28.0, 15.0, 4, 12.0, 0.0}, {1.0, 30.0, 0.0, 7, 5.0, 0.02}, {2.0, 32.0, 20.0, 3, 9.0, 0.0},
      {2.0, 22.0, 0.0, 5, 6.0, 0.0},  // the full 0.38 m fits
  };
  int reduced = 0;
  for (const SteepCase& c : cases) {
    const double alpha = Rad(c.alphaDeg);
    const double pn = kPi * c.m;
    const double s2 = (pn / 2.0 - c.As) / 2.0;
    const double hf = 1.25 * c.m, ha = c.m;
    const double halfGap = pn / 2.0 - s2 - hf * std::tan(alpha);
    const double perRadius = std::tan(kPi / 4.0 - alpha / 2.0);
    const double rho = std::fmin(0.38 * c.m, halfGap / perRadius);
    if (rho < 0.38 * c.m) ++reduced;

    GearRecord rack;
    ASSERT_EQ(BuildRackGeometry(rack, c.m, c.alphaDeg, c.betaDeg, 1, c.n, c.Hp, 10.0, c.As, 16), 0)
        << c.alphaDeg;
    EXPECT_EQ(rack.valid, 1);
    EXPECT_NEAR(rack.toolTipRadiusFactor * c.m, rho, 1e-12) << c.alphaDeg;
    EXPECT_NEAR(rack.rootRadius, hf, 1e-12);

    const double sharp = pn * (c.Hp - hf) + (ha + hf) * (2.0 * s2 + (hf - ha) * std::tan(alpha));
    const double fill = rho * rho * (perRadius - (kPi / 2.0 - alpha) / 2.0);
    const double area = static_cast<double>(c.n) * (sharp + 2.0 * fill) / std::cos(Rad(c.betaDeg));
    const auto polygon = meshtest::JoinOutline(rack.outline);
    EXPECT_NEAR(meshtest::SignedArea(polygon), area, 1e-4 * c.m * c.m) << c.alphaDeg;
    // Every point lies within the rack's bounds: no rounding reaches below the root line.
    for (const auto& p : polygon) {
      EXPECT_GE(p.y, -c.Hp - 1e-12);
      if (p.y > -c.Hp + 1e-9) {
        EXPECT_GE(p.y, -hf - 1e-12);
      }
    }
  }
  EXPECT_EQ(reduced, 6);
}

// Beyond about 32.1 deg (no allowance) the flanks of a gap meet above the root
// line, where no rounding fits at all: still rejected.
TEST(RackSteepFlanks, GapClosedAboveTheRootLineIsRejected) {
  GearRecord rack;
  EXPECT_EQ(BuildRackGeometry(rack, 2.0, 33.0, 0.0, 1, 5, 10.0, 10.0, 0.0, 1), 1);
  EXPECT_EQ(rack.valid, 0);
  EXPECT_TRUE(rack.outline.empty());
  EXPECT_EQ(FindRackRejection(rack), RackRejection::kGapClosed);
  // An allowance widens the gap enough: As = 0.3 gives w = pi - (pi - 0.3) / 2 - 2.5 tan 33 deg > 0.
  EXPECT_EQ(BuildRackGeometry(rack, 2.0, 33.0, 0.0, 1, 5, 10.0, 10.0, 0.3, 1), 0);
}

// A large allowance leaves a pointed tooth whose flanks meet at s2 / tan alpha_n.
TEST(RackOutline, LargeAllowanceGivesPointedTooth) {
  GearRecord rack;
  const double As = kPi - 0.2;  // s2 = 0.1
  ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, 3, 10.0, 10.0, As, 1), 0);
  EXPECT_EQ(rack.pointed, 1);
  EXPECT_NEAR(rack.tipRadius, 0.1 / std::tan(Rad(20.0)), 1e-12);
  EXPECT_DOUBLE_EQ(rack.tipThickness, 0.0);
}

TEST(RackPlacement, PitchLineAtShiftedPitchRadius) {
  GearRecord pinion;
  InitGearRecord(pinion, 2.5, 20, 0.3, 20.0, 20.0, 0.0, 0.0, 0.0, 1);
  ASSERT_EQ(BuildGearGeometry(pinion, 1), 1);
  EXPECT_NEAR(ComputeRackPitchLineOffset(pinion), -(25.0 + 0.3 * 2.5), 1e-12);
}

TEST(RackPlacement, OffsetRepeatsAfterItsPeriod) {
  GearRecord pinion, rack;
  InitGearRecord(pinion, 2.0, 18, 0.0, 20.0, 20.0, 0.0, 0.0, 0.0, 1);
  ASSERT_EQ(BuildGearGeometry(pinion, 1), 1);
  for (int64_t n : {3, 8, 13}) {
    ASSERT_EQ(BuildRackGeometry(rack, 2.0, 20.0, 0.0, 1, n, 10.0, 20.0, 0.0, 1), 0);
    const double pt = kPi * 2.0;
    const double k = static_cast<double>(std::max<int64_t>(1, n / 4));
    for (double theta : {0.1, 1.3, -2.2}) {
      const double a = ComputeRackOffset(pinion, rack, theta);
      const double b = ComputeRackOffset(pinion, rack, theta + k * pt / pinion.pitchRadius);
      EXPECT_NEAR(a, b, 1e-9) << "n " << n << " theta " << theta;
    }
  }
}

struct RackMeshCase {
  const char* name;
  double m;
  int64_t z;
  double x, betaDeg;
  int64_t n;
};
void PrintTo(const RackMeshCase& c, std::ostream* os) { *os << c.name; }


class RackMesh : public ::testing::TestWithParam<RackMeshCase> {};

// Over one pitch of travel the placed rack and pinion outlines touch (zero
// backlash) but never overlap. Fault pinned: with an odd number of rack teeth
// the rack was shifted by half a pitch too much, so a rack tooth sat in the
// pinion tooth.
TEST_P(RackMesh, OutlinesNeverOverlapOverOnePitch) {
  const RackMeshCase& c = GetParam();
  GearRecord pinion, rack;
  InitGearRecord(pinion, c.m, c.z, c.x, 20.0, 20.0, 0.0, 0.0, c.betaDeg, 1);
  ASSERT_EQ(BuildGearGeometry(pinion, 4), 1);
  ASSERT_EQ(BuildRackGeometry(rack, c.m, 20.0, c.betaDeg, -1, c.n, 4.0 * c.m, 20.0, 0.0, 4), 0);
  const meshtest::Polygon pinionPoly = meshtest::JoinOutline(pinion.outline);
  const meshtest::Polygon rackPoly = meshtest::JoinOutline(rack.outline);
  const double tau = 2.0 * kPi / static_cast<double>(c.z);
  const double pitchY = ComputeRackPitchLineOffset(pinion);
  const int steps = 24;
  for (int k = 0; k <= steps; ++k) {
    const double theta = 0.37 + tau * k / steps;
    const meshtest::Polygon p = meshtest::PlacePolygon(pinionPoly, theta, 0.0, 0.0);
    const meshtest::Polygon r =
        meshtest::PlacePolygon(rackPoly, 0.0, ComputeRackOffset(pinion, rack, theta), pitchY);
    EXPECT_LT(meshtest::MaxPenetration(p, r), 1e-3) << "theta " << theta;
    // Zero backlash: some pinion vertex lies close to the rack.
    double nearest = 1e9;
    for (const auto& v : p) nearest = std::min(nearest, meshtest::DistanceToBoundary(v, r));
    EXPECT_LT(nearest, 0.02 * c.m) << "theta " << theta;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RackMesh,
    ::testing::Values(RackMeshCase{"even_spur", 2.0, 20, 0.0, 0.0, 6},
                      RackMeshCase{"odd_spur", 2.0, 20, 0.0, 0.0, 5},
                      RackMeshCase{"odd_single_tooth_period", 2.0, 20, 0.0, 0.0, 3},
                      RackMeshCase{"odd_shifted_helical", 2.5, 17, 0.3, 15.0, 9},
                      RackMeshCase{"even_shifted_helical", 2.5, 17, 0.3, 15.0, 8}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
