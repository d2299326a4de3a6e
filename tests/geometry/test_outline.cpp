// Tooth outline by rack-cutter simulation: closed, counter-clockwise and
// z-fold symmetric chains, the fillet and flank against independent formulas,
// undercut trim, pointed teeth, overlapping fillets, the pin test, and the
// point helpers.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "geometry/involute.h"
#include "geometry/outline_builder.h"
#include "gear_test_support.h"

using namespace test_support;

namespace {

struct GearCase {
  const char* name;
  double m;
  int64_t z;
  double x, alpha, beta, allowance;
};

const GearCase kGears[] = {
    {"spur z20", 2, 20, 0, 20, 0, 0},
    {"helical z12 beta 30", 3, 12, 0.1, 20, 30, 0},
    {"shifted z12 x0.6", 3, 12, 0.6, 20, 0, 0},
    {"undercut z8", 2, 8, 0, 20, 0, 0},
    {"pointed z10 x1", 2, 10, 1.0, 20, 0, 0},
    {"overlapping fillets alpha 25", 2, 20, 0, 25, 0, 0},
    {"allowance z33 beta 15", 1.5, 33, -0.2, 20, 15, 0.1},
    {"large z200 beta 20", 1, 200, 0, 20, 20, 0},
    {"z 3", 5, 3, 0.4, 20, 0, 0},
    // Regression: the nominal tip circle (99.4) lies inside the base circle
    // (99.62) while the fillet ends below it; the flank points stood on the
    // base circle, outside the tip circle (or were NaN).
    {"tip inside the base circle", 2, 100, -1.3, 5, 0, 0},
};

double Radius(OutlinePoint p) { return std::hypot(p.x, p.y); }

}  // namespace

TEST(GearOutline, ClosedCounterClockwiseSymmetricChain) {
  for (const GearCase& g : kGears) {
    for (int density : {1, 4}) {
      SCOPED_TRACE(std::string(g.name) + " density " + std::to_string(density));
      const GearRecord rec = MakeGear(g.m, g.z, g.x, g.alpha, g.beta, g.allowance, density);
      ASSERT_EQ(rec.valid, 1);
      const Outline& out = rec.outline;
      ASSERT_EQ(out.size() % static_cast<size_t>(g.z), 0u);
      const size_t perTooth = out.size() / static_cast<size_t>(g.z);
      ASSERT_GE(perTooth, 4u);
      ASSERT_LE(perTooth, 6u);

      // Closed: every curve starts where the previous one ends.
      for (size_t c = 0; c < out.size(); ++c) {
        ASSERT_GE(out[c].points.size(), 2u);
        const OutlinePoint end = out[c].points.back();
        const OutlinePoint next = out[(c + 1) % out.size()].points.front();
        ASSERT_NEAR(end.x, next.x, 1e-9) << "curve " << c;
        ASSERT_NEAR(end.y, next.y, 1e-9) << "curve " << c;
      }

      // Every point between root and tip circle.
      for (const OutlineCurve& curve : out) {
        for (const OutlinePoint& p : curve.points) {
          ASSERT_GE(Radius(p), rec.rootRadius - 1e-9);
          ASSERT_LE(Radius(p), rec.tipRadius + 1e-9);
          ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        }
      }

      // Counter-clockwise, and an area between the root and the tip disc.
      const std::vector<OutlinePoint> polygon = JoinOutline(out);
      const double area = SignedArea(polygon);
      EXPECT_GT(area, kPi * rec.rootRadius * rec.rootRadius);
      EXPECT_LT(area, kPi * rec.tipRadius * rec.tipRadius);

      // z-fold: tooth t is tooth 0 turned by 2 pi t / z.
      for (int64_t t = 1; t < g.z; ++t) {
        const double a = 2.0 * kPi * static_cast<double>(t) / static_cast<double>(g.z);
        for (size_t c = 0; c < perTooth; ++c) {
          const auto& base = out[c].points;
          const auto& turned = out[static_cast<size_t>(t) * perTooth + c].points;
          ASSERT_EQ(base.size(), turned.size());
          for (size_t i = 0; i < base.size(); ++i) {
            ASSERT_NEAR(turned[i].x, base[i].x * std::cos(a) - base[i].y * std::sin(a), 1e-9);
            ASSERT_NEAR(turned[i].y, base[i].x * std::sin(a) + base[i].y * std::cos(a), 1e-9);
          }
        }
      }

      // Tooth 0 is symmetric about the x axis: the mirror of every point lies
      // on the outline.
      for (size_t c = 0; c < perTooth; ++c) {
        for (const OutlinePoint& p : out[c].points) {
          ASSERT_LT(DistanceToPolygon({p.x, -p.y}, polygon), 1e-9);
        }
      }
    }
  }
}

TEST(GearOutline, PointCountGrowsWithTheDensity) {
  // A gear with root arcs and no undercut: per tooth two arcs of 4 n + 1
  // points and four fillet or flank curves of 14 n + 1 points.
  const GearRecord coarse = MakeGear(2.0, 20, 0.0, 20.0, 0.0, 0.0, 1);
  ASSERT_EQ(coarse.outline.size(), 120u);
  for (int n : {1, 2, 4, 8, 16}) {
    SCOPED_TRACE(n);
    const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, 0.0, 0.0, n);
    ASSERT_EQ(rec.outline.size(), 120u);
    size_t points = 0;
    for (const OutlineCurve& c : rec.outline) points += c.points.size();
    EXPECT_EQ(points, 20u * static_cast<size_t>(64 * n + 6));
    // The end points of every curve do not move with the density.
    for (size_t c = 0; c < rec.outline.size(); ++c) {
      EXPECT_NEAR(rec.outline[c].points.front().x, coarse.outline[c].points.front().x, 1e-9);
      EXPECT_NEAR(rec.outline[c].points.back().y, coarse.outline[c].points.back().y, 1e-9);
    }
  }
}

// The outline starts with the root arc between the last tooth and tooth 0, at
// the half angle theta_c of the tool's tip rounding centre. In the normal
// section the centre lies pi m / 4 + tan alpha_n (hf* m - rho + rho sin alpha_n)
// + rho cos alpha_n from the tooth centre line (x = 0 here).
TEST(GearOutline, StartsOnTheRootCircleAtTheToolTip) {
  for (double beta : {0.0, 20.0}) {
    const GearRecord rec = MakeGear(2.0, 20, 0.0, 20.0, beta);
    ASSERT_EQ(rec.valid, 1);
    const double an = Deg(20.0);
    const double rho = 0.38 * 2.0;
    const double d = kPi * 2.0 / 4.0 + std::tan(an) * (1.25 * 2.0 - rho + rho * std::sin(an)) +
                     rho * std::cos(an);
    const double thetaC = d / std::cos(Deg(beta)) / rec.pitchRadius;
    const OutlinePoint first = rec.outline.front().points.front();
    EXPECT_NEAR(Radius(first), rec.rootRadius, 1e-12);
    EXPECT_NEAR(std::atan2(first.y, first.x), -2.0 * kPi / 20.0 + thetaC, 1e-12);
    // The root arc runs on the root circle to the first fillet.
    for (const OutlinePoint& p : rec.outline.front().points) EXPECT_NEAR(Radius(p), rec.rootRadius, 1e-12);
  }
}

// The flank is the involute: on the first flank of tooth 0 (at negative
// angles) each point's half angle is s / d + inv alpha_t - inv alpha_y with
// cos alpha_y = rb / ry; and the simulated fillet ends on the same involute.
TEST(GearOutline, FlankFollowsTheInvolute) {
  for (const GearCase& g : {kGears[0], kGears[1], kGears[2], kGears[6]}) {
    SCOPED_TRACE(g.name);
    const GearRecord rec = MakeGear(g.m, g.z, g.x, g.alpha, g.beta, g.allowance, 2);
    ASSERT_EQ(rec.valid, 1);
    ASSERT_EQ(rec.undercut, 0);
    const double an = Deg(g.alpha);
    const double at = std::atan(std::tan(an) / std::cos(Deg(g.beta)));
    const double mt = g.m / std::cos(Deg(g.beta));
    const double xE = g.x - g.allowance / (2.0 * g.m * std::tan(an));
    const double s = mt * (kPi / 2.0 + 2.0 * xE * std::tan(an));
    const double d = mt * static_cast<double>(g.z);
    const double rb = d / 2.0 * std::cos(at);
    auto halfAngle = [&](double ry) {
      return s / d + TextbookInvolute(at) - TextbookInvolute(std::acos(std::fmin(1.0, rb / ry)));
    };
    // Curves of tooth 0: root arc, fillet, flank, tip arc, flank, fillet.
    const OutlineCurve& fillet = rec.outline[1];
    const OutlineCurve& flank = rec.outline[2];
    for (const OutlinePoint& p : flank.points) {
      EXPECT_NEAR(-std::atan2(p.y, p.x), halfAngle(Radius(p)), 1e-9);
    }
    const OutlinePoint filletEnd = fillet.points.back();
    EXPECT_NEAR(-std::atan2(filletEnd.y, filletEnd.x), halfAngle(Radius(filletEnd)), 1e-9);
    EXPECT_NEAR(Radius(filletEnd), rec.formRadius, 1e-12);
    // The flank ends on the tip circle, where the tip arc begins.
    EXPECT_NEAR(Radius(flank.points.back()), rec.tipRadius, 1e-9);
  }
}

// z 8 at 20 deg is undercut (rb 7.5175). At density 4 the sampled fillet
// points at radii 7.5546 (inside the involute) and 7.7246 (outside) bracket
// the crossing, and the fillet is cut there. At density 1 only the last
// fillet point (8.136) lies above rb: the crossing lies between it and the
// point before, inside the base circle, and the fillet is cut at the same
// radius as at density 4.
TEST(GearOutline, UndercutFilletIsTrimmedAtTheCrossing) {
  const GearRecord fine = MakeGear(2.0, 8, 0.0, 20.0, 0.0, 0.0, 4);
  ASSERT_EQ(fine.valid, 1);
  ASSERT_EQ(fine.undercut, 1);
  EXPECT_NEAR(fine.baseRadius, 7.5175, 1e-4);
  EXPECT_GT(fine.formRadius, 7.5546);
  EXPECT_LT(fine.formRadius, 7.7246);
  // The trimmed fillet is shorter than the full 14 n + 1 points and ends on the involute.
  const OutlineCurve& fillet = fine.outline[1];
  EXPECT_LT(fillet.points.size(), 57u);
  const OutlinePoint end = fillet.points.back();
  EXPECT_NEAR(-std::atan2(end.y, end.x), ComputeInvolutePolarAngle(fine, Radius(end)), 1e-12);

  const GearRecord coarse = MakeGear(2.0, 8, 0.0, 20.0, 0.0, 0.0, 1);
  ASSERT_EQ(coarse.valid, 1);
  EXPECT_NEAR(coarse.formRadius, fine.formRadius, 1e-9);
  // 14 sampled points inside the involute, then the crossing.
  ASSERT_EQ(coarse.outline[1].points.size(), 15u);
  EXPECT_LT(Radius(coarse.outline[1].points[13]), coarse.baseRadius);
  EXPECT_NEAR(coarse.tipRadius, 10.0, 1e-12);
}

TEST(GearOutline, PointedToothHasNoTipArc) {
  const GearRecord rec = MakeGear(2.0, 10, 1.0);
  ASSERT_EQ(rec.valid, 1);
  ASSERT_EQ(rec.pointed, 1);
  // Root arc, fillet, flank, flank, fillet.
  ASSERT_EQ(rec.outline.size(), 50u);
  const OutlinePoint tip1 = rec.outline[2].points.back();
  const OutlinePoint tip2 = rec.outline[3].points.front();
  EXPECT_NEAR(std::atan2(tip1.y, tip1.x), 0.0, 1e-9);
  EXPECT_NEAR(tip1.x, tip2.x, 1e-9);
  EXPECT_NEAR(tip1.y, tip2.y, 1e-9);
  EXPECT_NEAR(Radius(tip1), rec.tipRadius, 1e-9);
}

// At 25 deg the tool's tip roundings are as wide as the tool tooth allows:
// neighbouring fillets meet on the root circle, there is no root arc and
// every fillet begins at the half pitch angle.
TEST(GearOutline, OverlappingFilletsMeetAtTheHalfPitch) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0, 25.0);
  ASSERT_EQ(rec.valid, 1);
  ASSERT_EQ(rec.outline.size(), 100u);
  const double half = kPi / 20.0;
  for (int64_t t = 0; t < 20; ++t) {
    const OutlinePoint start = rec.outline[static_cast<size_t>(t) * 5].points.front();
    const double expected = 2.0 * kPi * static_cast<double>(t) / 20.0 - half;
    EXPECT_NEAR(std::remainder(std::atan2(start.y, start.x) - expected, 2.0 * kPi), 0.0, 1e-12);
  }
  // The two roundings of the tool tooth meet on its tip line, so the fillet
  // starts on the root circle.
  EXPECT_NEAR(Radius(rec.outline[0].points.front()), rec.rootRadius, 1e-9);
}

// A pin of the computed diameter at its computed centre (in the gap between
// tooth 0 and tooth 1) touches the outline: 1 um larger would cut it, 1 um
// smaller would not reach it.
TEST(GearOutline, PinTouchesTheOutline) {
  struct Case {
    double m;
    int64_t z;
    double x, allowance;
  };
  for (Case c : {Case{1, 20, 0, 0}, Case{2, 21, 0.3, 0}, Case{3, 12, 0.6, 0}, Case{2, 40, -0.2, 0.1},
                 Case{4, 17, 0.1, 0.05}}) {
    SCOPED_TRACE(c.z);
    const GearRecord rec = MakeGear(c.m, c.z, c.x, 20.0, 0.0, c.allowance, 16);
    ASSERT_EQ(rec.valid, 1);
    const double z = static_cast<double>(c.z);
    const double dm = rec.pinDiameter;
    const double centreRadius =
        c.z % 2 == 0 ? (rec.overPins - dm) / 2.0 : (rec.overPins - dm) / (2.0 * std::cos(kPi / (2.0 * z)));
    const OutlinePoint centre{centreRadius * std::cos(kPi / z), centreRadius * std::sin(kPi / z)};
    const double gap = DistanceToPolygon(centre, JoinOutline(rec.outline)) - dm / 2.0;
    EXPECT_LT(std::fabs(gap), 1e-3);
  }
}

TEST(OutlineHelpers, PointsAndSegments) {
  OutlineCurve curve;
  EXPECT_EQ(OutlineAddPolarPoint(curve, 2.0, kPi / 2.0), 0);
  EXPECT_EQ(PointListAdd(curve, 3.0, -4.0), 0);
  ASSERT_EQ(curve.points.size(), 2u);
  EXPECT_NEAR(curve.points[0].x, 0.0, 1e-15);
  EXPECT_NEAR(curve.points[0].y, 2.0, 1e-15);
  EXPECT_EQ(curve.points[1].x, 3.0);
  EXPECT_EQ(curve.points[1].y, -4.0);

  GearRecord rec;
  EXPECT_EQ(OutlineAddSegment(rec, 1.0, 1.0, 1.0 + 4e-10, 1.0 + 4e-10), 0);  // |dx| + |dy| < 1e-9
  EXPECT_TRUE(rec.outline.empty());
  OutlineAddSegment(rec, 1.0, 1.0, 1.0 + 6e-10, 1.0 + 6e-10);
  OutlineAddSegment(rec, 0.0, 0.0, 5.0, 0.0);
  ASSERT_EQ(rec.outline.size(), 2u);
  EXPECT_EQ(rec.outline[1].points.size(), 2u);
  EXPECT_EQ(rec.outline[1].points[1].x, 5.0);
}

// The involute's normal at any point is tangent to the base circle; the
// offset point lies c along it, into the tooth (towards decreasing polar
// angle on the upper flank).
TEST(OutlineHelpers, FlankPointAndOffset) {
  const GearRecord rec = MakeGear(2.0, 20, 0.0);
  OutlinePoint p;
  EXPECT_EQ(ComputeFlankPoint(rec, 21.0, p), 0);
  EXPECT_NEAR(Radius(p), 21.0, 1e-12);
  EXPECT_NEAR(std::atan2(p.y, p.x), ComputeInvolutePolarAngle(rec, 21.0), 1e-12);

  OutlinePoint q;
  OutlinePoint p2;
  const double c = 0.5;
  const double g = OffsetInvolutePoint(rec, 21.0, c, 23.0, p2, q);
  EXPECT_NEAR(p2.x, p.x, 1e-15);
  EXPECT_NEAR(p2.y, p.y, 1e-15);
  EXPECT_NEAR(std::hypot(q.x - p.x, q.y - p.y), c, 1e-12);
  const double nx = (q.x - p.x) / c;
  const double ny = (q.y - p.y) / c;
  EXPECT_NEAR(std::fabs(p.x * ny - p.y * nx), rec.baseRadius, 1e-5);
  EXPECT_LT(std::atan2(q.y, q.x), std::atan2(p.y, p.x));
  EXPECT_NEAR(g, Radius(q) - (23.0 - c), 1e-15);
}
