// The stretch of the path of contact on which both flanks are involutes: a
// tip that meets the line of action below the mate's form circle (or past
// its tangent point) touches the mate's root fillet, and that part of A..E
// carries no involute contact.
//
// Oracle: the line of action drawn from the textbook (DIN 3960) in the test,
// measured from T1: T2 = a sin aw, A from the mate's tip circle, E from gear
// 1's tip circle, F1 = sqrt(rF1^2 - rb1^2) and F2 = T2 - sqrt(rF2^2 - rb2^2)
// from the form radii the records give; for the rack the line where its root
// rounding meets its straight flank, hfP - rhoP (1 - sin an) below its pitch
// line. Usable path = [max(A, F1, T1), min(E, F2, T2)], eps = length / pbt.
// A tip counts as below a form circle only by more than 0.001 m: a mate cut
// by the same basic rack ends its involute 0.00003 m short of the rack's tip
// line, which is no contact in the fillet.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "mesh_test_support.h"

namespace {

using meshtest::Inv;
using meshtest::InvInverse;
using meshtest::Rad;
constexpr double kPi = std::numbers::pi;

// A pair or internal pair described as the user types it.
struct MeshCase {
  const char* name;
  double mn, alphaDeg, betaDeg;
  int64_t z1, z2;
  double x1, x2;
  double allowance;       // As of both gears (mm)
  double issueUsable;     // the usable eps_alpha the problem report estimated; 0 = none
  bool fullContact;       // no tip reaches a root fillet
};

// Textbook transverse values of one gear.
struct Textbook {
  double mt, at, r, rb;
};

Textbook TransverseValues(double mn, double alphaDeg, double betaDeg, int64_t z) {
  Textbook t;
  t.mt = mn / std::cos(Rad(betaDeg));
  t.at = std::atan(std::tan(Rad(alphaDeg)) / std::cos(Rad(betaDeg)));
  t.r = t.mt * static_cast<double>(z) / 2.0;
  t.rb = t.r * std::cos(t.at);
  return t;
}

double RollLength(double radius, double baseRadius) {
  return radius > baseRadius ? std::sqrt(radius * radius - baseRadius * baseRadius) : 0.0;
}

// The oracle's path on the line of action.
struct OraclePath {
  double posA, posE, posF1, posF2, start, end, pbt;
  double eps() const { return (posE - posA) / pbt; }
  double usable() const { return std::max(end - start, 0.0) / pbt; }
};

GearRecord BuildExternal(const MeshCase& c, int64_t z, double x, int64_t hand) {
  GearRecord g;
  InitGearRecord(g, c.mn, z, x, c.alphaDeg, 30.0, 0.0, 0.0, c.betaDeg, hand);
  g.thicknessAllowance = c.allowance;
  BuildGearGeometry(g, 1);
  return g;
}

// ---------------------------------------------------------------------------
// External pairs at the centre distance of their shift sum (no backlash):
// inv awt = 2 tan an (x1 + x2) / (z1 + z2) + inv at.
OraclePath ExternalOracle(const MeshCase& c, const GearRecord& g1, const GearRecord& g2, double& a) {
  const Textbook t1 = TransverseValues(c.mn, c.alphaDeg, c.betaDeg, c.z1);
  const Textbook t2 = TransverseValues(c.mn, c.alphaDeg, c.betaDeg, c.z2);
  const double zSum = static_cast<double>(c.z1 + c.z2);
  const double aw = InvInverse(2.0 * std::tan(Rad(c.alphaDeg)) * (c.x1 + c.x2) / zSum + Inv(t1.at));
  a = (t1.rb + t2.rb) / std::cos(aw);
  const double ra1 = t1.r + c.mn * (1.0 + c.x1);
  const double ra2 = t2.r + c.mn * (1.0 + c.x2);
  const double posT2 = a * std::sin(aw);
  OraclePath p;
  p.pbt = kPi * t1.mt * std::cos(t1.at);
  p.posA = posT2 - RollLength(ra2, t2.rb);
  p.posE = RollLength(ra1, t1.rb);
  p.posF1 = RollLength(g1.formRadius, t1.rb);
  p.posF2 = posT2 - RollLength(g2.formRadius, t2.rb);
  p.start = std::max({p.posA, p.posF1, 0.0});
  p.end = std::min({p.posE, p.posF2, posT2});
  return p;
}

TEST(InvoluteContact, ExternalPairsAgainstTheLineOfAction) {
  const MeshCase cases[] = {
      // The textbook pair m 2, z 20 / 40 at a = 60 (eps 1.635): full contact.
      {"spur 20/40", 2.0, 20.0, 0.0, 20, 40, 0.0, 0.0, 0.0, 0.0, true},
      {"helical 17/53 shifted", 3.0, 20.0, 15.0, 17, 53, 0.3, -0.1, 0.0, 0.0, true},
      // An undercut pinion: the mate's tip meets the line 59.3 mm before T1,
      // the pinion's involute starts 26.2 mm past it; about 0.83 is usable.
      {"mn 25, 12/63, 14.5 deg", 25.0, 14.5, 0.0, 12, 63, -0.18, 0.167, 0.0, 0.83, false},
      {"m 2, 9/60, 20 deg", 2.0, 20.0, 0.0, 9, 60, 0.0, 0.0, 0.0, 0.0, false},
  };
  for (const MeshCase& c : cases) {
    const GearRecord g1 = BuildExternal(c, c.z1, c.x1, 1);
    const GearRecord g2 = BuildExternal(c, c.z2, c.x2, -1);
    ASSERT_EQ(g1.valid, 1) << c.name;
    ASSERT_EQ(g2.valid, 1) << c.name;
    ASSERT_EQ(g1.pointed + g2.pointed, 0) << c.name;
    double a = 0.0;
    const OraclePath p = ExternalOracle(c, g1, g2, a);

    InvoluteContactRecord contact;
    ASSERT_EQ(ComputePairInvoluteContact(g1, g2, a, contact), 1) << c.name;
    EXPECT_NEAR(contact.contactRatio, p.eps(), 1e-9) << c.name;
    EXPECT_NEAR(contact.posForm1, p.posF1, 1e-9) << c.name;
    EXPECT_NEAR(contact.posForm2, p.posF2, 1e-9) << c.name;
    EXPECT_EQ(contact.belowForm1, p.posA < p.posF1 ? 1 : 0) << c.name;
    EXPECT_EQ(contact.belowForm2, p.posE > p.posF2 ? 1 : 0) << c.name;
    EXPECT_NEAR(contact.involuteContactRatio, p.usable(), 1e-9) << c.name;
    if (c.fullContact) {
      // Full involute contact keeps the contact ratio of the tip circles to the bit.
      EXPECT_EQ(contact.belowForm1 + contact.belowForm2, 0) << c.name;
      EXPECT_EQ(contact.involuteContactRatio, ComputeTransverseContactRatio(g1, g2, a)) << c.name;
    } else {
      EXPECT_LT(contact.involuteContactRatio, contact.contactRatio - 0.1) << c.name;
    }
    if (c.issueUsable > 0.0) {
      EXPECT_NEAR(contact.involuteContactRatio, c.issueUsable, 0.02) << c.name;
    }
  }
}

// The published pair: A 59.3 mm before T1 and the involute of the undercut
// pinion beginning 26.2 mm after it, eps 1.954 from the tip circles.
TEST(InvoluteContact, UndercutPinionOfTheModule25Pair) {
  const MeshCase c{"mn 25", 25.0, 14.5, 0.0, 12, 63, -0.18, 0.167, 0.0, 0.0, false};
  const GearRecord g1 = BuildExternal(c, c.z1, c.x1, 1);
  const GearRecord g2 = BuildExternal(c, c.z2, c.x2, -1);
  double a = 0.0;
  const OraclePath p = ExternalOracle(c, g1, g2, a);
  EXPECT_NEAR(p.posA, -59.3, 0.05);
  EXPECT_NEAR(p.eps(), 1.954, 1e-3);  // 1.954 with the tips shortened to a typed a of 937.17
  InvoluteContactRecord contact;
  ASSERT_EQ(ComputePairInvoluteContact(g1, g2, a, contact), 1);
  EXPECT_NEAR(contact.posForm1, 26.2, 0.5);
  EXPECT_NEAR(contact.posStart, contact.posForm1, 1e-12);
  EXPECT_NEAR(contact.posEnd, p.posE, 1e-9);
  EXPECT_EQ(contact.belowForm1, 1);
  EXPECT_EQ(contact.belowForm2, 0);
  EXPECT_LT(contact.involuteContactRatio, 1.0);
}

// ---------------------------------------------------------------------------
// Pinion and rack: the rack's tip line ha below... the pinion's pitch line
// offset r1 + x1 m; its straight flank ends hfP - rhoP (1 - sin an) below the
// pitch line (root rounding rhoP = 0.38 m touching the root line 1.25 m deep).
struct RackCase {
  const char* name;
  double m, alphaDeg;
  int64_t z;
  double x;
  double issueUsable;
  int below1, below2;  // which fillet the oracle must find touched
};

TEST(InvoluteContact, PinionAndRackAgainstTheLineOfAction) {
  const RackCase cases[] = {
      {"z 20 x 0.2, 20 deg", 2.0, 20.0, 20, 0.2, 0.0, 0, 0},
      // Undercut pinion z 10 at 14.5 deg: eps 2.116 from the tips, about 0.82 usable.
      {"z 10 x -0.065, 14.5 deg", 1.25, 14.5, 10, -0.065, 0.82, 1, 0},
      // At 14.5 deg the cutter's straight flank ends 1.25 - 0.38 (1 - sin an)
      // = 0.965 m deep, short of the mating rack's 1 m: the rack's tip meets
      // the fillet of every pinion. A large pinion's tip also goes deeper
      // than the rack's straight flank and meets the rack's root rounding.
      {"z 2000 x 0, 14.5 deg", 1.0, 14.5, 2000, 0.0, 0.0, 1, 1},
  };
  for (const RackCase& c : cases) {
    GearRecord pinion;
    InitGearRecord(pinion, c.m, c.z, c.x, c.alphaDeg, 20.0, 0.0, 0.0, 0.0, 1);
    BuildGearGeometry(pinion, 1);
    GearRecord rack;
    BuildRackGeometry(rack, c.m, c.alphaDeg, 0.0, 1, 8, 4.0 * c.m, 20.0, 0.0, 1);
    ASSERT_EQ(pinion.valid, 1) << c.name;
    ASSERT_EQ(rack.valid, 1) << c.name;

    const Textbook t = TransverseValues(c.m, c.alphaDeg, 0.0, c.z);
    const double sinA = std::sin(t.at);
    const double datum = t.r + c.x * c.m;  // rack pitch line from the pinion centre
    // A point of the line of action at p from T1 lies rb cos at + p sin at
    // from the pinion centre, measured across the rack.
    const auto positionAtDepth = [&](double depth) { return (depth - t.rb * std::cos(t.at)) / sinA; };
    OraclePath p;
    p.pbt = kPi * t.mt * std::cos(t.at);
    p.posA = positionAtDepth(datum - 1.0 * c.m);
    p.posE = RollLength(t.r + c.m * (1.0 + c.x), t.rb);
    p.posF1 = RollLength(pinion.formRadius, t.rb);
    p.posF2 = positionAtDepth(datum + (1.25 - 0.38 * (1.0 - std::sin(Rad(c.alphaDeg)))) * c.m);
    p.start = std::max({p.posA, p.posF1, 0.0});
    p.end = std::min(p.posE, p.posF2);
    const double tolerance = 1e-3 * c.m;
    ASSERT_EQ(p.posA < p.posF1 - tolerance ? 1 : 0, c.below1) << c.name;
    ASSERT_EQ(p.posE > p.posF2 + tolerance ? 1 : 0, c.below2) << c.name;
    if (c.below1 == 0) p.start = p.posA;
    if (c.below2 == 0) p.end = p.posE;

    InvoluteContactRecord contact;
    ASSERT_EQ(ComputeRackInvoluteContact(pinion, rack, contact), 1) << c.name;
    EXPECT_NEAR(contact.contactRatio, p.eps(), 1e-9) << c.name;
    EXPECT_NEAR(contact.posForm2, p.posF2, 1e-9) << c.name;
    EXPECT_EQ(contact.belowForm1, c.below1) << c.name;
    EXPECT_EQ(contact.belowForm2, c.below2) << c.name;
    EXPECT_NEAR(contact.involuteContactRatio, p.usable(), 1e-9) << c.name;
    if (c.below1 + c.below2 == 0) {
      EXPECT_EQ(contact.involuteContactRatio, contact.contactRatio) << c.name;
    }
    if (c.issueUsable > 0.0) {
      EXPECT_NEAR(p.eps(), 2.116, 5e-4) << c.name;
      EXPECT_NEAR(contact.involuteContactRatio, c.issueUsable, 0.02) << c.name;
    }
  }
}

// ---------------------------------------------------------------------------
// Internal pairs at the centre distance of their shift difference:
// inv awt = 2 tan an (x2 - x1) / (z2 - z1) + inv at, a = (rb2 - rb1) / cos awt.
// The ring's tip circle r2 - (1 - x2) m, raised to its base circle when it
// would lie inside it; the ring's involute runs from T2 past the pinion's tip.
TEST(InvoluteContact, InternalPairsAgainstTheLineOfAction) {
  const MeshCase cases[] = {
      // A standard ring's tip reaches into the pinion's fillet (a concave
      // tooth reaches deeper than a rack's); a shifted ring keeps clear.
      {"spur 20/60", 2.0, 20.0, 0.0, 20, 60, 0.0, 0.0, 0.0, 0.0, false},
      {"spur 20/60 ring x 1.0", 2.0, 20.0, 0.0, 20, 60, 0.0, 1.0, 0.0, 0.0, true},
      // The ring's tip reaches past T1 into the pinion's undercut root: eps 2.240, about 0.80 usable.
      {"mn 6, 10/31, 14.5 deg, 12.67 deg", 6.0, 14.5, 12.67, 10, 31, -0.055, 0.172, 0.0, 0.80, false},
      // Tooth difference 5: eps 2.271, of which about 0.51 lies below the pinion's form circle.
      {"mn 10, 19/24, As 0.321", 10.0, 20.0, 0.0, 19, 24, 0.138, 0.279, 0.321, 2.271 - 0.51, false},
  };
  for (const MeshCase& c : cases) {
    GearRecord pinion = BuildExternal(c, c.z1, c.x1, 1);
    GearRecord ring;
    BuildRingGearGeometry(ring, c.mn, c.z2, c.x2, c.alphaDeg, 30.0, 3.0 * c.mn, c.allowance, c.betaDeg, 1, 1, 0.0);
    ASSERT_EQ(pinion.valid, 1) << c.name;
    ASSERT_EQ(ring.valid, 1) << c.name;

    const Textbook t1 = TransverseValues(c.mn, c.alphaDeg, c.betaDeg, c.z1);
    const Textbook t2 = TransverseValues(c.mn, c.alphaDeg, c.betaDeg, c.z2);
    const double aw =
        InvInverse(2.0 * std::tan(Rad(c.alphaDeg)) * (c.x2 - c.x1) / static_cast<double>(c.z2 - c.z1) + Inv(t1.at));
    const double a = (t2.rb - t1.rb) / std::cos(aw);
    const double ra2 = std::max(t2.r - c.mn * (1.0 - c.x2), t2.rb);
    const double posT2 = -a * std::sin(aw);
    OraclePath p;
    p.pbt = kPi * t1.mt * std::cos(t1.at);
    p.posA = posT2 + RollLength(ra2, t2.rb);
    p.posE = RollLength(t1.r + c.mn * (1.0 + c.x1), t1.rb);
    p.posF1 = RollLength(pinion.formRadius, t1.rb);
    p.start = std::max({p.posA, p.posF1, 0.0});
    p.end = p.posE;

    InvoluteContactRecord contact;
    ASSERT_EQ(ComputeInternalInvoluteContact(pinion, ring, a, contact), 1) << c.name;
    EXPECT_NEAR(contact.contactRatio, p.eps(), 1e-9) << c.name;
    EXPECT_NEAR(contact.posForm1, p.posF1, 1e-9) << c.name;
    EXPECT_EQ(contact.belowForm1, p.posA < p.posF1 ? 1 : 0) << c.name;
    EXPECT_EQ(contact.belowForm2, 0) << c.name;
    EXPECT_NEAR(contact.involuteContactRatio, p.usable(), 1e-9) << c.name;
    EXPECT_EQ(contact.belowForm1 == 0, c.fullContact) << c.name;
    if (c.fullContact) {
      EXPECT_EQ(contact.involuteContactRatio, contact.contactRatio) << c.name;
    }
    if (c.issueUsable > 0.0) {
      EXPECT_NEAR(contact.involuteContactRatio, c.issueUsable, 0.06) << c.name;
    }
  }
}

// An undefined mesh (centre distance too small for the base circles) has no
// involute stretch either.
TEST(InvoluteContact, UndefinedMeshIsNotValid) {
  const MeshCase c{"spur 20/40", 2.0, 20.0, 0.0, 20, 40, 0.0, 0.0, 0.0, 0.0, true};
  const GearRecord g1 = BuildExternal(c, 20, 0.0, 1);
  const GearRecord g2 = BuildExternal(c, 40, 0.0, -1);
  InvoluteContactRecord contact;
  EXPECT_EQ(ComputePairInvoluteContact(g1, g2, 50.0, contact), 0);
  EXPECT_EQ(contact.valid, 0);
  EXPECT_EQ(contact.involuteContactRatio, 0.0);
}

}  // namespace
