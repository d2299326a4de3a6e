// Reports of the gear pair, the pinion with its rack and the internal pair:
// golden pair sections from textbook mesh values (DIN 3960) and the worked
// examples, warning lines, and the dispatch by mode.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

struct PairCase {
  const char* name;
  double mn;
  int z1, z2;
  double x1, x2, betaDeg;
  int hand1;
  double b, a, as;
  double publishedEpsAlpha;  // 0 when none is published
};

// Tip shortening of a pair with a constant tip clearance: k = (z1 + z2) / (2 cos b) + x1 + x2 - a / m, not below 0.
double PairTipShortening(const PairCase& c) {
  const double k = (c.z1 + c.z2) / (2.0 * std::cos(Rad(c.betaDeg))) + c.x1 + c.x2 - c.a / c.mn;
  return k < 0.0 ? 0.0 : k;
}

void BuildPair(const PairCase& c, GearRecord& g1, GearRecord& g2) {
  const double k = PairTipShortening(c);
  InitGearRecord(g1, c.mn, c.z1, c.x1, 20.0, c.b, 0.0, k, c.betaDeg, c.hand1);
  InitGearRecord(g2, c.mn, c.z2, c.x2, 20.0, c.b, 0.0, k, c.betaDeg, -c.hand1);
  g1.thicknessAllowance = c.as;
  g2.thicknessAllowance = c.as;
  BuildGearGeometry(g1, 1);
  BuildGearGeometry(g2, 1);
}

std::string HandText(int hand) { return hand < 0 ? Lang("left", "links") : Lang("right", "rechts"); }

std::string ExpectedPairSection(const PairCase& c, double& epsGamma) {
  const double k = PairTipShortening(c);
  TextbookGear g1{c.mn, double(c.z1), c.x1, 20.0, c.betaDeg, c.as};
  TextbookGear g2{c.mn, double(c.z2), c.x2, 20.0, c.betaDeg, c.as};
  g1.k = k;
  g2.k = k;
  const bool helical = c.betaDeg > 0.0;
  // Operating transverse pressure angle and path of contact (DIN 3960):
  // cos aw = (rb1 + rb2) / a; g_alpha = sqrt(ra1^2 - rb1^2) + sqrt(ra2^2 - rb2^2) - a sin aw.
  const double aw = std::acos((g1.rb() + g2.rb()) / c.a);
  const double galpha = std::sqrt(g1.ra() * g1.ra() - g1.rb() * g1.rb()) +
                        std::sqrt(g2.ra() * g2.ra() - g2.rb() * g2.rb()) - c.a * std::sin(aw);
  const double epsAlpha = galpha / (kPi * g1.mt() * std::cos(g1.at()));
  const double epsBeta = c.b * std::sin(g1.beta()) / (kPi * c.mn);
  const double jn = 2.0 * c.as * std::cos(Rad(20.0));
  const double jt = jn / (std::cos(aw) * std::cos(g1.betaB()));
  if (c.publishedEpsAlpha > 0.0) {
    EXPECT_NEAR(epsAlpha, c.publishedEpsAlpha, 0.0015) << c.name;
  }
  epsGamma = epsAlpha + (helical ? epsBeta : 0.0);

  std::string t = Lang("GEAR PAIR", "TANDWIELPAAR") + std::string("\r\n");
  t += "  a  = " + Fix(c.a, 3) + Lang("   centre distance", "   hartafstand") + "\r\n";
  t += "  a0 = " + Fix(g1.mt() * (c.z1 + c.z2) / 2.0, 3) + Lang("   reference centre distance", "   nul-hartafstand") +
       "\r\n";
  t += "  i  = " + Fix(double(c.z2) / c.z1, 4) + "   (z2/z1)\r\n";
  if (helical) {
    t += "  β  = " + Fix(c.betaDeg, 3) + Lang("°   gear 1 ", "°   wiel 1 ") + HandText(c.hand1) +
         Lang(", gear 2 ", ", wiel 2 ") + HandText(-c.hand1) + "\r\n";
  }
  t += "  αw = " + Fix(Deg(aw), 3) + Lang("°  operating pressure angle", "°  bedrijfsdrukhoek") + "\r\n";
  t += "  Σx = " + Fix(c.x1 + c.x2, 4) + "\r\n";
  t += "  k·m = " + Fix(k * c.mn, 3) + Lang("   tip shortening", "   kopverkorting") + "\r\n";
  t += "  jn = " + Fix(jn, 4) + Lang("   normal backlash", "   normale flankspeling") + "\r\n";
  t += "  jt = " + Fix(jt, 4) + Lang("   circumferential backlash at dw", "   omtreksspeling op dw") + "\r\n";
  t += "  gα = " + Fix(galpha, 3) + Lang("   length of path of contact A–E", "   lengte ingrijpingslijn A–E") + "\r\n";
  t += "  εα = " + Fix(epsAlpha, 3) + Lang("   transverse contact ratio", "   profieloverdekking") + "\r\n";
  if (helical) {
    t += "  εβ = " + Fix(epsBeta, 3) + Lang("   overlap ratio", "   sprongoverdekking") + "\r\n";
    t += "  εγ = " + Fix(epsAlpha + epsBeta, 3) + Lang("   total contact ratio", "   totale overdekking") + "\r\n";
  }
  if (epsGamma < 1.1) t += Lang("  ! contact ratio too small", "  ! ingrijpingsgraad te klein") + std::string("\r\n");
  return t;
}

}  // namespace

TEST(PairReport, GoldenPairSections) {
  const PairCase cases[] = {
      // E7: m 2, z 20 / 40, x 0, a 60: eps_alpha 1.635, g_alpha 9.655.
      {"E7 spur standard", 2.0, 20, 40, 0.0, 0.0, 0.0, 1, 20.0, 60.0, 0.0, 1.635},
      // E1: m 3, z 12 / 24, x 0.60 / 0.36 at a 56.4999, tips shortened: eps_alpha 1.202.
      {"E1 spur shifted", 3.0, 12, 24, 0.60, 0.36, 0.0, 1, 30.0, 56.4999, 0.0, 1.202},
      // E2: mn 3, beta 30 deg, z 12 left / 60 right, x 0.09809 / 0 at a 125, with backlash.
      {"E2 helical", 3.0, 12, 60, 0.09809, 0.0, 30.0, -1, 20.0, 125.0, 0.05, 0.0},
      // The E7 pair pulled apart to a = 61.5: eps_alpha falls below 1.1.
      {"spur pulled apart", 2.0, 20, 40, 0.0, 0.0, 0.0, 1, 20.0, 61.5, 0.0, 0.0},
      // A helical pair whose face carries it over 1.1 although eps_alpha alone would not.
      {"helical narrow contact", 2.0, 20, 40, 0.0, 0.0, 10.0, 1, 12.0, 61.9, 0.0, 0.0},
  };
  bool sawWarning = false;
  for (const PairCase& c : cases) {
    GearRecord g1, g2;
    BuildPair(c, g1, g2);
    ASSERT_EQ(g1.valid, 1) << c.name;
    ASSERT_EQ(g2.valid, 1) << c.name;
    double epsGamma = 0.0;
    const std::string expected = ExpectedPairSection(c, epsGamma);
    sawWarning = sawWarning || epsGamma < 1.1;
    EXPECT_EQ(ReportBuildPairSection(g1, g2, c.a), expected) << c.name;
  }
  EXPECT_TRUE(sawWarning);
}

TEST(PairReport, BacklashIsZeroWithoutAllowancesAndWarningNeedsLessThan11) {
  GearRecord g1, g2;
  BuildPair({"E7", 2.0, 20, 40, 0.0, 0.0, 0.0, 1, 20.0, 60.0, 0.0, 0.0}, g1, g2);
  const std::string text = ReportBuildPairSection(g1, g2, 60.0);
  EXPECT_NE(text.find("  jn = 0.0000"), std::string::npos);
  EXPECT_NE(text.find("  jt = 0.0000"), std::string::npos);
  EXPECT_EQ(text.find("  β  = "), std::string::npos);
  EXPECT_EQ(text.find("  εβ = "), std::string::npos);
  EXPECT_EQ(text.find("!"), std::string::npos);
}

TEST(PairReport, UndefinedMeshShowsNoContactValues) {
  // A centre distance below rb1 + rb2 has no operating pressure angle: no
  // NaN and no invented contact ratio may be printed.
  GearRecord g1, g2;
  BuildPair({"E7", 2.0, 20, 40, 0.0, 0.0, 0.0, 1, 20.0, 60.0, 0.0, 0.0}, g1, g2);
  const std::string text = ReportBuildPairSection(g1, g2, 50.0);
  EXPECT_EQ(text.find("NaN"), std::string::npos) << text;
  EXPECT_EQ(text.find("εα"), std::string::npos) << text;
  EXPECT_EQ(text.find("αw"), std::string::npos) << text;
  EXPECT_NE(text.find(Lang("  ! no valid mesh: contact values cannot be computed",
                           "  ! geen geldige ingrijping: overdekking niet te berekenen")),
            std::string::npos)
      << text;
  std::vector<std::string> lines;
  EXPECT_TRUE(SplitCrLf(text, lines));
}

TEST(MainReport, DispatchByMode) {
  GearRecord g1, g2, rack, ring;
  BuildPair({"E7", 2.0, 20, 40, 0.0, 0.0, 0.0, 1, 20.0, 60.0, 0.0, 0.0}, g1, g2);
  ReportDesign design;
  design.gear1 = &g1;
  design.gear2 = &g2;
  design.rack = &rack;
  design.ring = &ring;
  design.pairCentreDistance = 60.0;
  for (int64_t mode : {0, 5, -1}) {
    design.mode = mode;
    EXPECT_EQ(ReportBuildText(design), "") << mode;
  }
  design.mode = 1;
  EXPECT_EQ(ReportBuildText(design), ReportBuildPairSection(g1, g2, 60.0) + "\r\n" +
                                         ReportBuildGearBlock(g1, Lang("GEAR 1 (blue)", "WIEL 1 (blauw)")) + "\r\n" +
                                         ReportBuildGearBlock(g2, Lang("GEAR 2 (orange)", "WIEL 2 (oranje)")));
  design.mode = 2;
  EXPECT_EQ(ReportBuildText(design), ReportBuildGearBlock(g1, Lang("GEAR", "TANDWIEL")));
}

namespace {

struct RackCase {
  const char* name;
  double mn, betaDeg;
  int hand, z;
  double x, hp, b, asPinion;
  int n;
};

void BuildRackPair(const RackCase& c, GearRecord& pinion, GearRecord& rack) {
  InitGearRecord(pinion, c.mn, c.z, c.x, 20.0, c.b, 0.0, 0.0, c.betaDeg, c.hand);
  pinion.thicknessAllowance = c.asPinion;
  BuildGearGeometry(pinion, 1);
  BuildRackGeometry(rack, c.mn, 20.0, c.betaDeg, c.hand, c.n, c.hp, c.b, 0.0, 1);
}

}  // namespace

TEST(RackReport, GoldenPairSectionAndRackBlock) {
  const RackCase cases[] = {
      // E3: mn 2.5, beta 10.96361 deg, z 20, x 0, Hp 27.5: centre to rack back 52.965.
      {"E3 helical", 2.5, 10.96361, 1, 20, 0.0, 27.5, 30.0, 0.05, 12},
      {"spur, left-hand field ignored", 2.0, 0.0, 1, 20, 0.2, 15.0, 20.0, 0.0, 9},
  };
  for (const RackCase& c : cases) {
    GearRecord pinion, rack;
    BuildRackPair(c, pinion, rack);
    ASSERT_EQ(pinion.valid, 1) << c.name;
    ASSERT_EQ(rack.valid, 1) << c.name;
    const TextbookGear g{c.mn, double(c.z), c.x, 20.0, c.betaDeg, c.asPinion};
    const bool helical = c.betaDeg > 0.0;
    const double pitchLine = g.r() + c.x * c.mn;
    const double pt = kPi * g.mt();
    // Pinion and rack: g_alpha = sqrt(ra^2 - rb^2) - rb tan at + (ha* - x) m / sin at.
    const double galpha = std::sqrt(g.ra() * g.ra() - g.rb() * g.rb()) - g.rb() * std::tan(g.at()) +
                          (1.0 - c.x) * c.mn / std::sin(g.at());
    const double epsAlpha = galpha / (pt * std::cos(g.at()));
    const double epsBeta = helical ? c.b * std::sin(g.beta()) / (kPi * c.mn) : 0.0;

    std::string t = Lang("PINION WITH RACK", "RONDSEL MET TANDHEUGEL") + std::string("\r\n");
    t += "  a  = " + Fix(pitchLine, 3) + Lang("   pinion axis – rack pitch line", "   as rondsel – steeklijn heugel") +
         "\r\n";
    t += "  H  = " + Fix(pitchLine + c.hp, 3) + Lang("   pinion axis – rack back", "   as rondsel – heugelrug") + "\r\n";
    if (helical) {
      t += "  β  = " + Fix(c.betaDeg, 3) + Lang("°   pinion ", "°   rondsel ") + HandText(c.hand) +
           Lang(", rack teeth at the same angle", ", heugeltanden onder dezelfde hoek") + "\r\n";
      t += "  pt = " + Fix(pt, 4) + Lang("   pitch along the rack (pn = ", "   steek langs de heugel (pn = ") +
           Fix(kPi * c.mn, 4) + ")\r\n";
    } else {
      t += "  p  = " + Fix(pt, 4) + Lang("   pitch", "   steek") + "\r\n";
    }
    t += "  v  = " + Fix(c.z * pt, 3) + Lang("   travel per revolution", "   verplaatsing per omwenteling") + "\r\n";
    t += "  jn = " + Fix(c.asPinion * std::cos(Rad(20.0)), 4) + Lang("   normal backlash", "   normale flankspeling") +
         "\r\n";
    t += "  εα = " + Fix(epsAlpha, 3) + Lang("   transverse contact ratio", "   profieloverdekking") + "\r\n";
    if (helical) {
      t += "  εβ = " + Fix(epsBeta, 3) + Lang("   overlap ratio", "   sprongoverdekking") + "\r\n";
      t += "  εγ = " + Fix(epsAlpha + epsBeta, 3) + Lang("   total contact ratio", "   totale overdekking") + "\r\n";
    }
    t += "\r\n" + std::string(Lang("RACK (orange)", "HEUGEL (oranje)")) + "\r\n";
    t += "  n  = " + std::to_string(c.n) + Lang(" teeth   L = ", " tanden   L = ") + Fix(c.n * pt, 3) +
         Lang("   length", "   lengte") + "\r\n";
    t += "  s  = " + Fix(pt / 2.0, 3) + Lang("   tooth thickness at the pitch line", "   tanddikte op de steeklijn") +
         "\r\n";
    t += "  ha = " + Fix(c.mn, 3) + "   hf = " + Fix(1.25 * c.mn, 3) +
         Lang("   addendum / dedendum", "   kop-/voethoogte") + "\r\n";
    t += "  Hp = " + Fix(c.hp, 3) + Lang("   back to pitch line   b = ", "   rug tot steeklijn   b = ") + Fix(c.b, 2) +
         "\r\n";
    t += "\r\n" + ReportBuildGearBlock(pinion, Lang("PINION (blue)", "RONDSEL (blauw)"));
    EXPECT_EQ(ReportBuildRackPair(pinion, rack), t) << c.name;
  }
}

TEST(RackReport, InvalidRackHasOnlyItsInvalidLineAndNoContactRatios) {
  GearRecord pinion, rack;
  BuildRackPair({"low rack", 2.0, 0.0, 1, 20, 0.0, 2.5, 20.0, 0.0, 9}, pinion, rack);  // Hp = hf
  ASSERT_EQ(rack.valid, 0);
  const std::string text = ReportBuildRackPair(pinion, rack);
  EXPECT_EQ(text.find("εα"), std::string::npos);
  const std::string rackBlock = std::string("\r\n") + Lang("RACK (orange)", "HEUGEL (oranje)") + "\r\n" +
                                Lang("  ! invalid: Hp must be larger than hf = 1.25 m",
                                     "  ! ongeldig: Hp moet groter zijn dan hf = 1.25 m") +
                                "\r\n\r\n";
  EXPECT_NE(text.find(rackBlock), std::string::npos) << text;
}

// The rack block of racks at steep pressure angles, and the reason given for a
// rack that cannot be built. A 25 deg rack of m 2 has a half gap on the root
// line of w = pi / 2 - 2.5 tan 25 deg = 0.4050 mm (no allowance), too narrow
// for two roundings of 0.76 mm: they shrink to w / tan(32.5 deg) = 0.636 mm.
TEST(RackReport, SteepRackRoundingsAndTheTrueReasonOfARejection) {
  struct Case {
    const char* name;
    double alphaDeg, hp, as;
    std::string line;  // expected in the rack block
  };
  const double rho25 = (kPi / 2.0 - 2.5 * std::tan(Rad(25.0))) / std::tan(Rad(32.5));
  const Case cases[] = {
      {"25 deg", 25.0, 20.0, 0.0,
       Lang("  ! root roundings reduced to ρ = ", "  ! voetrondingen verkleind tot ρ = ") + Fix(rho25, 3) +
           Lang(" mm to fit the tooth gap", " mm om in de tandholte te passen")},
      {"Hp on the root line", 20.0, 2.5, 0.0,
       Lang("  ! invalid: Hp must be larger than hf = 1.25 m", "  ! ongeldig: Hp moet groter zijn dan hf = 1.25 m")},
      {"35 deg, gap closed", 35.0, 20.0, 0.0,
       Lang("  ! invalid: the flanks of a tooth gap meet above the root line (α too large)",
            "  ! ongeldig: de flanken van een tandholte raken elkaar boven de voetlijn (α te groot)")},
      {"allowance removes the tooth", 20.0, 20.0, 3.2,
       Lang("  ! invalid: the thickness allowance As leaves no rack tooth",
            "  ! ongeldig: de afmaat As laat geen heugeltand over")},
  };
  for (const Case& c : cases) {
    GearRecord pinion, rack;
    InitGearRecord(pinion, 2.0, 20, 0.0, c.alphaDeg, 20.0, 0.0, 0.0, 0.0, 1);
    BuildGearGeometry(pinion, 1);
    BuildRackGeometry(rack, 2.0, c.alphaDeg, 0.0, 1, 9, c.hp, 20.0, c.as, 1);
    const std::string text = ReportBuildRackPair(pinion, rack);
    EXPECT_NE(text.find(c.line + "\r\n"), std::string::npos) << c.name << "\n" << text;
    const bool built = rack.valid != 0;
    EXPECT_EQ(text.find("εα") != std::string::npos, built) << c.name;
    if (!built) {
      EXPECT_EQ(text.find(Lang("Hp must be", "Hp moet")) != std::string::npos, c.hp <= 2.5) << c.name;
    }
  }
}

namespace {

struct InternalCase {
  const char* name;
  double mn, betaDeg;
  int z1, z2;
  double x1, x2, rim, b;
};

void BuildInternal(const InternalCase& c, GearRecord& pinion, GearRecord& ring) {
  InitGearRecord(pinion, c.mn, c.z1, c.x1, 20.0, c.b, 0.0, 0.0, c.betaDeg, 1);
  BuildGearGeometry(pinion, 1);
  BuildRingGearGeometry(ring, c.mn, c.z2, c.x2, 20.0, c.b, c.rim, 0.0, c.betaDeg, 1, 1, 0.0);
}

// The ring block from textbook values of an internal gear: ra = r - m (1 - x),
// rf = r + m (1.25 + x), space width e = mt (pi / 2 + 2 x tan an), and the
// dimension between two balls Mi = 2 rM - DM (even z) with
// inv aMt = inv at + e / (2 r) - DM / (2 rb cos bb), rM = rb / cos aMt.
std::string ExpectedRingBlock(const InternalCase& c, const GearRecord& ring) {
  const TextbookGear g{c.mn, double(c.z2), c.x2, 20.0, c.betaDeg, 0.0};
  const double ra = g.r() - c.mn * (1.0 - c.x2);
  const double rf = g.r() + c.mn * (1.25 + c.x2);
  const double e = g.mt() * (kPi / 2.0 + 2.0 * c.x2 * std::tan(g.an()));
  const double psiTip = e / (2.0 * g.r()) + Inv(g.at()) - Inv(std::acos(g.rb() / ra));
  const double sa = 2.0 * ra * (kPi / c.z2 - psiTip);
  const double dm = ring.pinDiameter;
  const double aMt = InvInverse(Inv(g.at()) + e / (2.0 * g.r()) - dm / (2.0 * g.rb() * std::cos(g.betaB())));
  const double rM = g.rb() / std::cos(aMt);
  const double mi = (c.z2 % 2 == 0 ? 2.0 * rM : 2.0 * rM * std::cos(kPi / (2.0 * c.z2))) - dm;
  const bool helical = c.betaDeg > 0.0;

  std::string t = Lang("RING GEAR (orange)", "RING (oranje)") + std::string("\r\n");
  if (helical) {
    t += "  z  = " + std::to_string(c.z2) + "     mn = " + Fix(c.mn, 0) + " mm   mt = " + Fix(g.mt(), 4) + "\r\n";
    t += "  β  = " + Fix(c.betaDeg, 3) + "° " + HandText(1) + "   αt = " + Fix(Deg(g.at()), 3) + "°\r\n";
  } else {
    t += "  z  = " + std::to_string(c.z2) + "     m = " + Fix(c.mn, 0) + " mm\r\n";
  }
  t += "  x  = " + Fix(c.x2, 4) + Lang("   (x > 0: wider space)", "   (x > 0: holte breder)") + "\r\n";
  t += "  d  = " + Fix(2 * g.r(), 3) + Lang("   pitch circle", "   steekcirkel") + "\r\n";
  t += "  da = " + Fix(2 * ra, 3) + Lang("   tip circle (inner)", "   kopcirkel (binnen)") + "\r\n";
  t += "  df = " + Fix(2 * rf, 3) + Lang("   root circle", "   voetcirkel") + "\r\n";
  t += "  db = " + Fix(2 * g.rb(), 3) + Lang("   base circle", "   basiscirkel") + "\r\n";
  t += "  Da = " + Fix(2 * (rf + c.rim), 3) + Lang("   outside diameter", "   buitendiameter") + "\r\n";
  t += "  e  = " + Fix(e, 3) + Lang("   space width at d", "   holtebreedte op d") + "\r\n";
  t += "  sa = " + Fix(sa, 3) + Lang("   tooth thickness at the tip", "   tanddikte aan de kop") + "\r\n";
  t += "  b  = " + Fix(c.b, 2) + "\r\n";
  t += Lang("  Inspection dimension (finished gear):", "  Controlemaat (afgewerkt wiel):") + std::string("\r\n");
  t += "  Mi = " + Fix(mi, 3) + Lang("   between 2 balls Ø ", "   tussen 2 kogels Ø ") + Fix(dm, 2) + "\r\n";
  if (!(rM - dm / 2.0 < ra)) {
    t += Lang("  ! ball does not protrude inside the tip circle", "  ! kogel steekt niet binnen de kopcirkel uit") +
         std::string("\r\n");
  }
  return t;
}

}  // namespace

TEST(InternalReport, GoldenReports) {
  const InternalCase cases[] = {
      // The internal search's m 2 row of its start inputs: 20 / 60 teeth at a = a0 = 40.
      {"spur 20 / 60", 2.0, 0.0, 20, 60, 0.0, 0.0, 10.0, 20.0},
      {"helical 20 / 60 at 15 deg", 2.0, 15.0, 20, 60, 0.0, 0.0, 8.0, 20.0},
      {"spur 24 / 40 shifted", 2.0, 0.0, 24, 40, 0.3, 0.5, 10.0, 15.0},
      // A strongly shifted ring keeps its tip clear of the pinion's fillet.
      {"spur 20 / 60, ring x 1.0", 2.0, 0.0, 20, 60, 0.0, 1.0, 10.0, 20.0},
  };
  int filletCases = 0;
  for (const InternalCase& c : cases) {
    GearRecord pinion, ring;
    BuildInternal(c, pinion, ring);
    ASSERT_EQ(pinion.valid, 1) << c.name;
    ASSERT_EQ(ring.valid, 1) << c.name;
    const TextbookGear g1{c.mn, double(c.z1), c.x1, 20.0, c.betaDeg, 0.0};
    const TextbookGear g2{c.mn, double(c.z2), c.x2, 20.0, c.betaDeg, 0.0};
    // Centre distance of the shifted internal pair (DIN 3960):
    // inv awt = 2 tan an (x2 - x1) / (z2 - z1) + inv at, a = a0 cos at / cos awt.
    const double a0 = g1.mt() * (c.z2 - c.z1) / 2.0;
    const double awt = InvInverse(2.0 * std::tan(g1.an()) * (c.x2 - c.x1) / (c.z2 - c.z1) + Inv(g1.at()));
    const double a = a0 * std::cos(g1.at()) / std::cos(awt);
    const double ra2 = g2.r() - c.mn * (1.0 - c.x2);
    const double rf2 = g2.r() + c.mn * (1.25 + c.x2);
    // Contact from the ring's tip (A) to the pinion's tip (E), measured from T1.
    const double posA = std::sqrt(ra2 * ra2 - g2.rb() * g2.rb()) - a * std::sin(awt);
    const double posE = std::sqrt(g1.ra() * g1.ra() - g1.rb() * g1.rb());
    const double epsAlpha = (posE - posA) / (kPi * g1.mt() * std::cos(g1.at()));
    const double epsBeta = c.betaDeg > 0.0 ? c.b * std::sin(g1.beta()) / (kPi * c.mn) : 0.0;
    const double c1 = rf2 - (a + g1.ra());
    const double c2 = ra2 - (a + g1.rf());
    const bool helical = c.betaDeg > 0.0;

    std::string t = Lang("INTERNAL GEAR PAIR", "BINNENVERTANDING") + std::string("\r\n");
    t += "  a  = " + Fix(a, 3) + Lang("   centre distance", "   hartafstand") + "\r\n";
    t += "  a0 = " + Fix(a0, 3) + Lang("   reference centre distance", "   nul-hartafstand") + "\r\n";
    t += "  i  = " + Fix(double(c.z2) / c.z1, 4) +
         Lang("   (z2/z1, same direction of rotation)", "   (z2/z1, zelfde draairichting)") + "\r\n";
    if (helical) {
      t += "  β  = " + Fix(c.betaDeg, 3) + Lang("°   pinion and ring both ", "°   rondsel en ring beide ") +
           HandText(1) + "\r\n";
    }
    t += "  αw = " + Fix(Deg(awt), 3) + Lang("°  operating pressure angle", "°  bedrijfsdrukhoek") + "\r\n";
    t += "  Δx = " + Fix(c.x2 - c.x1, 4) + "   (x2 - x1)\r\n";
    t += "  jn = 0.0000" + std::string(Lang("   normal backlash", "   normale flankspeling")) + "\r\n";
    t += "  gα = " + Fix(posE - posA, 3) +
         Lang("   length of path of contact A–E", "   lengte ingrijpingslijn A–E") + "\r\n";
    t += "  εα = " + Fix(epsAlpha, 3) + Lang("   transverse contact ratio", "   profieloverdekking") + "\r\n";
    if (helical) {
      t += "  εβ = " + Fix(epsBeta, 3) + Lang("   overlap ratio", "   sprongoverdekking") + "\r\n";
      t += "  εγ = " + Fix(epsAlpha + epsBeta, 3) + Lang("   total contact ratio", "   totale overdekking") + "\r\n";
    }
    t += "  c1 = " + Fix(c1, 3) + Lang("   tip clearance pinion tip – ring root", "   kopspeling rondselkop – ringvoet") +
         "\r\n";
    t += "  c2 = " + Fix(c2, 3) + Lang("   tip clearance ring tip – pinion root", "   kopspeling ringkop – rondselvoet") +
         "\r\n";
    // The pinion's usable involute begins where the tool's straight flank
    // ends (DIN 3960, no undercut): its roll length from T1 is
    // r sin at - (hfP* - rhoF* (1 - sin an) - x) m / sin at.
    const double formRoll = g1.r() * std::sin(g1.at()) -
                            (1.25 - 0.38 * (1.0 - std::sin(g1.an())) - c.x1) * c.mn / std::sin(g1.at());
    ASSERT_GT(std::fabs(posA - formRoll), 1e-3) << c.name;
    // Where the ring's tip reaches into the pinion's fillet, only F1..E is
    // involute contact.
    const double usableEpsAlpha =
        posA < formRoll ? (posE - formRoll) / (kPi * g1.mt() * std::cos(g1.at())) : epsAlpha;
    if (usableEpsAlpha + epsBeta < 1.1) {
      t += Lang("  ! contact ratio too small", "  ! ingrijpingsgraad te klein") + std::string("\r\n");
    }
    if (c1 < 0.1 * c.mn || c2 < 0.1 * c.mn) {
      t += Lang("  ! tip clearance smaller than 0.1 m", "  ! kopspeling kleiner dan 0.1 m") + std::string("\r\n");
    }
    filletCases += posA < formRoll ? 1 : 0;
    if (posA < formRoll) {
      t += Lang("  ! ring tip touches the pinion root fillet (switch on 'shorten ring tip')",
                "  ! ringkop raakt de voetronding van het rondsel (zet 'ringkop inkorten' aan)") +
           std::string("\r\n");
      t += Lang("  ! the tip of the ring gear meets the root fillet of the pinion: usable εα = ",
                "  ! de kop van de ring raakt de voetronding van het rondsel: bruikbare εα = ") +
           Fix(usableEpsAlpha, 3) + "\r\n";
    }
    t += Lang("  no interference (checked over one full pitch)",
              "  geen interferentie (gecontroleerd over een volle steek)") +
         std::string("\r\n");
    t += "\r\n" + ReportBuildGearBlock(pinion, Lang("PINION (blue)", "RONDSEL (blauw)"));
    t += "\r\n" + ExpectedRingBlock(c, ring);
    EXPECT_EQ(ReportBuildInternalPair(pinion, ring, a, -1e9), t) << c.name;
  }
  // The table holds designs with and without the root-fillet warning.
  EXPECT_GT(filletCases, 0);
  EXPECT_LT(filletCases, 4);
}

TEST(InternalReport, InterferenceLineAboveTwoThousandthsOfTheModule) {
  GearRecord pinion, ring;
  BuildInternal({"spur", 2.0, 0.0, 20, 60, 0.0, 0.0, 10.0, 20.0}, pinion, ring);
  const std::string noInterference = Lang("  no interference (checked over one full pitch)",
                                          "  geen interferentie (gecontroleerd over een volle steek)");
  struct Case {
    double penetration;
    std::string line;
  };
  const Case cases[] = {
      {-1e9, noInterference},
      {0.004, noInterference},  // exactly 0.002 m
      {0.0041, Lang("  ! INTERFERENCE: teeth overlap by 0.004 mm", "  ! INTERFERENTIE: tanden dringen 0.004 mm in elkaar")},
      {0.1234, Lang("  ! INTERFERENCE: teeth overlap by 0.123 mm", "  ! INTERFERENTIE: tanden dringen 0.123 mm in elkaar")},
  };
  for (const Case& c : cases) {
    const std::string text = ReportBuildInternalPair(pinion, ring, 40.0, c.penetration);
    EXPECT_NE(text.find("\r\n" + c.line + "\r\n"), std::string::npos) << c.penetration << "\n" << text;
    const bool hint = text.find(Lang("    (larger tooth difference, other x or less addendum needed)",
                                     "    (groter tandverschil, andere x of minder kophoogte nodig)")) != std::string::npos;
    EXPECT_EQ(hint, c.line != noInterference) << c.penetration;
  }
}

TEST(InternalReport, InvalidMemberShowsHeaderInvalidLineAndRingBlockOnly) {
  GearRecord pinion, ring;
  BuildInternal({"no rim", 2.0, 0.0, 20, 60, 0.0, 0.0, 0.0, 20.0}, pinion, ring);
  ASSERT_EQ(ring.valid, 0);
  const std::string caption = Lang("RING GEAR (orange)", "RING (oranje)");
  const std::string expected = Lang("INTERNAL GEAR PAIR", "BINNENVERTANDING") + std::string("\r\n") +
                               Lang("  ! invalid geometry (rim thickness > 0?)", "  ! geometrie ongeldig (randdikte > 0?)") +
                               "\r\n\r\n" + ReportBuildRingGearBlock(ring, caption);
  EXPECT_EQ(ReportBuildInternalPair(pinion, ring, 40.0, -1.0), expected);
  EXPECT_NE(expected.find(Lang("  ! invalid geometry\r\n", "  ! geometrie ongeldig\r\n")), std::string::npos);
}

TEST(InternalReport, RingTipShorteningLine) {
  GearRecord pinion, ring;
  BuildInternal({"spur", 2.0, 0.0, 20, 60, 0.0, 0.0, 10.0, 20.0}, pinion, ring);
  const std::string label = "  k·m = ";
  EXPECT_EQ(ReportBuildRingGearBlock(ring, "R").find(label), std::string::npos);
  // Ask for a tip radius 0.4 mm above the standard one: k m = 0.400.
  BuildRingGearGeometry(ring, 2.0, 60, 0.0, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 1, ring.tipRadius + 0.4);
  EXPECT_NE(ReportBuildRingGearBlock(ring, "R").find(label + "0.400" +
                                                     Lang("   tip reduction (against interference)",
                                                          "   kopinkorting (tegen interferentie)")),
            std::string::npos);
}

TEST(InternalReport, RingBlockOfAPublishedRing) {
  // m 2, z 40, x 0, rim 10: ra 38, rf 42.5, tooth thickness at the tip 1.934,
  // balls 3.30 mm, Mi 75.626, outside diameter 2 (42.5 + 10).
  GearRecord ring;
  BuildRingGearGeometry(ring, 2.0, 40, 0.0, 20.0, 20.0, 10.0, 0.0, 0.0, 1, 1, 0.0);
  ASSERT_EQ(ring.valid, 1);
  const std::string text = ReportBuildRingGearBlock(ring, "R");
  const std::string lines[] = {
      std::string("  da = 76.000") + Lang("   tip circle (inner)", "   kopcirkel (binnen)") + "\r\n",
      std::string("  df = 85.000") + Lang("   root circle", "   voetcirkel") + "\r\n",
      std::string("  Da = 105.000") + Lang("   outside diameter", "   buitendiameter") + "\r\n",
      std::string("  sa = 1.934") + Lang("   tooth thickness at the tip", "   tanddikte aan de kop") + "\r\n",
      std::string("  Mi = 75.626") + Lang("   between 2 balls Ø ", "   tussen 2 kogels Ø ") + "3.30\r\n",
  };
  for (const std::string& line : lines) EXPECT_NE(text.find(line), std::string::npos) << line << text;
  EXPECT_EQ(text.find("!"), std::string::npos) << text;
}

TEST(InternalReport, TinyNegativeShiftDifferencePrintsAsZero) {
  // Rows of the internal search can carry a shift difference of about -3e-14
  // for an exact reference centre distance; no "-0" may appear.
  GearRecord pinion, ring;
  BuildInternal({"spur", 2.0, 0.0, 20, 60, 0.0, -3e-14, 10.0, 20.0}, pinion, ring);
  ASSERT_EQ(ring.valid, 1);
  const std::string text = ReportBuildInternalPair(pinion, ring, 40.0, -1e9);
  EXPECT_EQ(text.find("-0.0"), std::string::npos) << text;
  EXPECT_NE(text.find("  Δx = 0.0000   (x2 - x1)\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("  x  = 0.0000" + std::string(Lang("   (x > 0: wider space)", "   (x > 0: holte breder)"))),
            std::string::npos)
      << text;
}

// A ring gear's ball dimension is printed only where the ball touches the
// flanks: a ring (m 8, z 40, x -0.688, beta 22.6 deg) with its tip shortened
// to radii around the aimed contact r + x m, where the rounded ball may touch
// inside the tip circle, takes a grid ball on the flank; a ball too wide for
// the space warns; an invalid ring lists no inspection value.
TEST(InternalReport, RingBlockHasNoBallDimensionThatCannotBeMeasured) {
  const std::string kBall = Lang("  ! ball touches outside the involute", "  ! kogel raakt buiten de evolvente");
  const double beta = Rad(22.6);
  const double alphaT = std::atan(std::tan(Rad(20.0)) / std::cos(beta));
  const double cosBetaB = std::cos(std::atan(std::tan(beta) * std::cos(alphaT)));
  const double mt = 8.0 / std::cos(beta);
  const double r = 20.0 * mt, rb = r * std::cos(alphaT);
  const double e = mt * (kPi / 2.0 - 2.0 * 0.688 * std::tan(Rad(20.0)));
  GearRecord ring;
  std::string text;
  int measured = 0, warned = 0;
  for (int i = 0; i <= 60; ++i) {
    const double requestedTip = r - 0.688 * 8.0 - 0.02 + 0.0005 * i;
    ASSERT_EQ(BuildRingGearGeometry(ring, 8.0, 40, -0.688, 20.0, 20.0, 10.0, 0.0, 22.6, 1, 1, requestedTip), 0);
    // The ball's contact radius, as in the textbook: inv alpha_M = inv alpha_t
    // + e / (2 r) - DM / (2 rb cos beta_b), contact DM / 2 further along the line.
    const double DM = ring.pinDiameter;
    const double alphaM = InvInverse(Inv(alphaT) + e / (2.0 * r) - DM / (2.0 * rb * cosBetaB));
    const double contact = std::hypot(rb * std::tan(alphaM) + DM / (2.0 * cosBetaB), rb);
    const bool onFlank = contact >= ring.tipRadius;
    text = ReportBuildRingGearBlock(ring, "R");
    EXPECT_EQ(text.find("  Mi = ") != std::string::npos, onFlank) << requestedTip << "\n" << text;
    EXPECT_EQ(text.find(kBall + "\r\n") != std::string::npos, !onFlank) << requestedTip << "\n" << text;
    (onFlank ? measured : warned) += 1;
  }
  // A ball aimed at r + x m that would touch inside the tip gives way to a
  // grid ball on the flank: every shortened ring here measures.
  EXPECT_EQ(measured, 61);
  EXPECT_EQ(warned, 0);

  // A ball wider than the space at the base circle has no position at all.
  GearRecord wide = ring;
  wide.overPins = 0.0;
  text = ReportBuildRingGearBlock(wide, "R");
  EXPECT_EQ(text.find("  Mi = 0.000"), std::string::npos) << text;

  // Rim 0: invalid, no inspection heading, no ball line, no ball warning.
  ASSERT_EQ(BuildRingGearGeometry(ring, 2.0, 40, 0.0, 20.0, 20.0, 0.0, 0.0, 0.0, 1, 1, 0.0), 1);
  text = ReportBuildRingGearBlock(ring, "R");
  EXPECT_EQ(text.find("  Mi = "), std::string::npos) << text;
  EXPECT_EQ(text.find(Lang("  Inspection dimension", "  Controlemaat")), std::string::npos) << text;
  EXPECT_EQ(text.find(kBall), std::string::npos) << text;
}
