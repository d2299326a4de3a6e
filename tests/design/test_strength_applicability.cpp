// Where the strength method does not hold: a contact ratio below 1 (or one
// raised to 0.5), a dynamic factor beyond its speed range, tip interference
// of an internal pair and pointed teeth. The calculation is run on real
// records; each case is decided here from its own textbook formula, and the
// report and verdict of the result are checked in the build's language.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "design/strength_calc.h"
#include "design/strength_report.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"
#include "geometry/ring_gear.h"
#include "strength_test_support.h"

using namespace strength_test;

namespace {

std::string Pick(const char* english, const char* dutch) { return NORVALE_TEST_LANG == 1 ? dutch : english; }

// DIN 3960: eps_alpha = (sqrt(ra1^2 - rb1^2) + sqrt(ra2^2 - rb2^2) - a sin alpha_w) / pbt
// of a spur pair of module m with x = 0 (alpha_w = 20 deg) and tip radii ra1, ra2.
double HandContactRatio(double m, int z1, int z2, double ra1, double ra2) {
  const double alpha = 20.0 * kDeg;
  const double rb1 = 0.5 * m * z1 * std::cos(alpha);
  const double rb2 = 0.5 * m * z2 * std::cos(alpha);
  const double a = 0.5 * m * (z1 + z2);
  return (std::sqrt(ra1 * ra1 - rb1 * rb1) + std::sqrt(ra2 * ra2 - rb2 * rb2) - a * std::sin(alpha)) /
         (kPi * m * std::cos(alpha));
}

GearRecord ShortenedGear(double m, int64_t z, double k) {
  GearRecord g;
  InitGearRecord(g, m, z, 0.0, 20.0, 20.0, 0.0, k, 0.0, 1);
  BuildGearGeometry(g, 8);
  return g;
}

struct PairRun {
  StrengthReportData data;
  int64_t ok = 0;
  std::string report, verdict;
};

PairRun RunPair(const GearRecord& g1, const GearRecord& g2, int64_t kind, double a, double eps, StrengthInputs in) {
  PairRun run;
  run.data.inputs = in;
  run.ok = ComputeGearStrength(g1, g2, kind, a, eps, run.data.inputs, run.data.results);
  run.data.pairKind = kind;
  run.data.partnerName = kind == kPairRack       ? Pick("rack", "heugel")
                         : kind == kPairInternal ? "ring"
                                                 : Pick("gear 2", "wiel 2");
  if (run.ok == 1) {
    run.report = BuildStrengthReportText(run.data);
    run.verdict = FormatStrengthVerdict(run.data);
  }
  return run;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// A light load, so that every safety factor is well above its minimum.
StrengthInputs LightLoad() {
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = 2.0;
  return in;
}

const std::string kSufficient = Pick("Sufficient  (S_H ", "Voldoet  (S_H ");
const std::string kOutside = Pick("Outside the method  (S_H ", "Buiten de methode  (S_H ");
const std::string kContactWarning =
    Pick("  ! εα below 1: the load is not carried over from tooth to tooth; outside the method\r\n",
         "  ! εα kleiner dan 1: de last gaat niet van tand op tand over; buiten de methode\r\n");

TEST(StrengthApplicability, ContactRatioBelowOneIsWarnedAndNotRatedSufficient) {
  // Tip shortening k lowers both tip radii to r + (1 - k) m.
  struct Case {
    double k;
    bool belowOne;
  };
  const Case cases[] = {{0.0, false}, {0.55, true}, {0.7, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.k);
    const GearRecord g1 = ShortenedGear(2.0, 20, c.k);
    const GearRecord g2 = ShortenedGear(2.0, 40, c.k);
    const double eps = HandContactRatio(2.0, 20, 40, 20.0 + (1.0 - c.k) * 2.0, 40.0 + (1.0 - c.k) * 2.0);
    ASSERT_EQ(eps < 1.0, c.belowOne) << eps;
    ASSERT_GT(eps, 0.5);
    const PairRun run = RunPair(g1, g2, kPairExternal, 60.0, eps, LightLoad());
    ASSERT_EQ(run.ok, 1) << run.data.results.message;
    EXPECT_NEAR(run.data.results.meshContactRatio, eps, 1e-9);
    EXPECT_EQ(Contains(run.report, kContactWarning), c.belowOne);
    EXPECT_EQ(run.verdict.rfind(c.belowOne ? kOutside : kSufficient, 0), 0u) << run.verdict;
    // Outside the method a reached minimum is not rated "ok".
    EXPECT_EQ(Contains(run.report, " ok\r\n"), !c.belowOne);
    EXPECT_EQ(RateStrengthReport(run.data), c.belowOne ? kStrengthOutsideMethod : kStrengthSufficient);
  }
}

TEST(StrengthApplicability, ContactRatioRaisedToTheFloorIsSaid) {
  // k = 0.85: ra = r + 0.15 m; the hand ratio is about 0.35, and the caller
  // passes the floor 0.5.
  const GearRecord g1 = ShortenedGear(2.0, 20, 0.85);
  const GearRecord g2 = ShortenedGear(2.0, 40, 0.85);
  const double eps = HandContactRatio(2.0, 20, 40, 20.3, 40.3);
  ASSERT_LT(eps, 0.5);
  const PairRun run = RunPair(g1, g2, kPairExternal, 60.0, 0.5, LightLoad());
  ASSERT_EQ(run.ok, 1) << run.data.results.message;
  char value[16];
  std::snprintf(value, sizeof value, "%.3f", eps);
  EXPECT_TRUE(Contains(run.report, Pick("  ! εα of the mesh ", "  ! εα van de ingrijping ") + value +
                                       Pick(" is below 0.5: calculated with εα 0.500\r\n",
                                            " ligt onder 0.5: gerekend met εα 0.500\r\n")))
      << run.report;
  EXPECT_TRUE(Contains(run.report, kContactWarning));
  EXPECT_EQ(run.verdict.rfind(kOutside, 0), 0u) << run.verdict;
  // A ratio of 0.5 that is the mesh's own is not said to be raised.
  const PairRun honest = RunPair(ShortenedGear(2.0, 20, 0.0), ShortenedGear(2.0, 40, 0.0), kPairExternal, 60.0, 0.5,
                             LightLoad());
  EXPECT_FALSE(Contains(honest.report, Pick("  ! εα of the mesh ", "  ! εα van de ingrijping ")));
}

TEST(StrengthApplicability, DynamicFactorBeyondItsSpeedRange) {
  // z1 v / 100 sqrt(u^2 / (1 + u^2)) = 10 m/s, v = pi d1 n1 / 60000, solved for n1.
  struct Case {
    int64_t kind;
    double term;  // m/s
  };
  const Case cases[] = {{kPairExternal, 9.9}, {kPairExternal, 10.1}, {kPairRack, 9.9}, {kPairRack, 10.1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.term);
    const GearRecord g1 = MakeGear(2.0, 20, 0.0, 20.0);
    const GearRecord g2 = c.kind == kPairRack ? MakeRack(2.0, 12, 20.0) : MakeGear(2.0, 40, 0.0, 20.0);
    const double f = c.kind == kPairRack ? 1.0 : std::sqrt(4.0 / 5.0);
    const double v = c.term * 100.0 / (20.0 * f);
    StrengthInputs in = LightLoad();
    in.speed1 = v * 60000.0 / (kPi * 40.0);
    const PairRun run = RunPair(g1, g2, c.kind, c.kind == kPairRack ? 0.0 : 60.0, 1.6, in);
    ASSERT_EQ(run.ok, 1) << run.data.results.message;
    const bool beyond = c.term >= 10.0;
    const std::string line =
        std::string(c.kind == kPairRack ? "  ! z1·v/100 = " : "  ! z1·v/100·√(u²/(1+u²)) = ") +
        (beyond ? "10.10" : "9.90") +
        Pick(" m/s, not below 10 m/s: KV outside its method\r\n",
             " m/s, niet onder 10 m/s: KV buiten zijn methode\r\n");
    EXPECT_EQ(Contains(run.report, line), beyond) << run.report;
    EXPECT_EQ(run.verdict.rfind(beyond ? kOutside : kSufficient, 0), 0u) << run.verdict;
  }
}

TEST(StrengthApplicability, InternalPairWithTipInterference) {
  // Unshifted spur pairs, module 2, pinion z 20 cut by the basic rack (its
  // straight flank ends hfP - rhoP (1 - sin alpha) = 1.0 m below the datum,
  // so the pinion's usable involute starts at the roll length
  // r1 sin alpha - 1.0 m / sin alpha = 0.992 mm from T1). A tooth difference
  // of 4 interferes on entering mesh. Otherwise the ring's tip starts contact
  // at the roll length sqrt(ra2^2 - rb2^2) - a sin alpha, which must not fall
  // short of the pinion's usable involute.
  struct Case {
    int64_t z2;
    double ringTip;  // mm, 0 = standard (r2 - m)
    bool interferes;
  };
  const Case cases[] = {{24, 0.0, true}, {60, 0.0, true}, {60, 58.8, false}};
  const double sinA = std::sin(20.0 * kDeg);
  const double formRoll = 20.0 * sinA - 2.0 / sinA;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.z2);
    if (c.z2 - 20 >= 8) {
      const double rb2 = double(c.z2) * std::cos(20.0 * kDeg);
      const double ra2 = c.ringTip > 0.0 ? c.ringTip : double(c.z2) - 2.0;
      const double startRoll = std::sqrt(ra2 * ra2 - rb2 * rb2) - double(c.z2 - 20) * sinA;
      ASSERT_EQ(startRoll < formRoll, c.interferes) << startRoll;
    }
    const GearRecord pinion = MakeGear(2.0, 20, 0.0, 20.0);
    GearRecord ring;
    BuildRingGearGeometry(ring, 2.0, c.z2, 0.0, 20.0, 20.0, 6.0, 0.0, 0.0, 1, 1, c.ringTip);
    ASSERT_EQ(ring.valid, 1);
    if (c.ringTip > 0.0) {
      ASSERT_NEAR(ring.tipRadius, c.ringTip, 1e-9);
    }
    const double a = 0.5 * 2.0 * double(c.z2 - 20);
    const PairRun run = RunPair(pinion, ring, kPairInternal, a, 1.6, LightLoad());
    ASSERT_EQ(run.ok, 1) << run.data.results.message;
    EXPECT_EQ(run.data.results.internalInterference != 0, c.interferes);
    EXPECT_EQ(Contains(run.report, Pick("  ! tip interference of the internal pair (",
                                        "  ! kopinterferentie van het binnenpaar (")),
              c.interferes);
    EXPECT_EQ(run.verdict.rfind(c.interferes ? kOutside : kSufficient, 0), 0u) << run.verdict;
  }
}

TEST(StrengthApplicability, PointedTeeth) {
  // Tip thickness at the standard tip d + 2 m (1 + x): s_a = da (pi / (2 z)
  // + 2 x tan alpha / z + inv alpha - inv alpha_a); z 10 with x = 0.9 comes
  // to a point, z 20 with x = 0 does not.
  const auto inv = [](double a) { return std::tan(a) - a; };
  struct Case {
    int64_t z;
    double x;
  };
  const Case cases[] = {{10, 0.9}, {20, 0.0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.z);
    const double alpha = 20.0 * kDeg;
    const double da = 2.0 * (c.z + 2.0 * (1.0 + c.x));
    const double alphaA = std::acos(2.0 * c.z * std::cos(alpha) / da);
    const double sa = da * (kPi / (2.0 * c.z) + 2.0 * c.x * std::tan(alpha) / c.z + inv(alpha) - inv(alphaA));
    const bool pointed = sa <= 0.0;
    const GearRecord g1 = MakeGear(2.0, c.z, c.x, 20.0);
    const GearRecord g2 = MakeGear(2.0, 40, 0.0, 20.0);
    // inv alpha_w = 2 x tan alpha / (z1 + z2) + inv alpha, a = (rb1 + rb2) / cos alpha_w.
    const double invW = 2.0 * c.x * std::tan(alpha) / (c.z + 40.0) + inv(alpha);
    double alphaW = alpha;
    for (int i = 0; i < 100; ++i) alphaW = std::atan(invW + alphaW);
    const double a = (c.z + 40.0) * std::cos(alpha) / std::cos(alphaW);
    const double eps = ComputeTransverseContactRatio(g1, g2, a);
    const PairRun run = RunPair(g1, g2, kPairExternal, a, eps > 0.5 ? eps : 0.5, LightLoad());
    ASSERT_EQ(run.ok, 1) << run.data.results.message;
    EXPECT_EQ(Contains(run.report, Pick("  ! gear 1: pointed teeth; outside the method\r\n",
                                        "  ! wiel 1: puntige tanden; buiten de methode\r\n")),
              pointed)
        << run.report;
    if (pointed) {
      EXPECT_EQ(run.verdict.rfind(kOutside, 0), 0u) << run.verdict;
    }
  }
}

TEST(StrengthApplicability, AnInsufficientPairStaysInsufficient) {
  // Outside the method a failed minimum is still reported as such.
  const GearRecord g1 = ShortenedGear(2.0, 20, 0.7);
  const GearRecord g2 = ShortenedGear(2.0, 40, 0.7);
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = 400.0;
  const PairRun run = RunPair(g1, g2, kPairExternal, 60.0, 0.8, in);
  ASSERT_EQ(run.ok, 1);
  EXPECT_EQ(run.verdict.rfind(Pick("Insufficient  (S_H ", "Voldoet niet  (S_H "), 0), 0u) << run.verdict;
  EXPECT_TRUE(Contains(run.report, " !!"));
}

}  // namespace

namespace {

// The gear-1 cell (11 characters before the last 11) of the row with `label`.
std::string FirstCell(const std::string& report, const std::string& label) {
  std::size_t at = report.find("\r\n" + label);
  if (at == std::string::npos) return "";
  at += 2;
  const std::size_t end = report.find("\r\n", at);
  const std::string line = report.substr(at, end - at);
  return line.size() >= 22 ? line.substr(line.size() - 22, 11) : "";
}

}  // namespace

TEST(StrengthApplicability, ExtremeTorquesPrintWholeNumbers) {
  // The worked spur pair at 1e-9 Nm and at 1e12 Nm: the root safety and the
  // root stress come out far beyond the 11 characters of a cell.
  const GearRecord g1 = MakeGear(2.0, 20, 0.0, 20.0);
  const GearRecord g2 = MakeGear(2.0, 40, 0.0, 20.0);
  StrengthInputs in = MakeSteelInputs();
  in.torque1 = 1e-9;
  const PairRun light = RunPair(g1, g2, kPairExternal, 60.0, 1.6, in);
  ASSERT_EQ(light.ok, 1);
  const std::string safety = FirstCell(light.report, "  S_F  (min 1.40)");
  ASSERT_GE(safety.size(), 3u);
  EXPECT_EQ(safety.substr(safety.size() - 3), " ok") << safety;
  EXPECT_NEAR(std::strtod(safety.c_str(), nullptr) / light.data.results.safetyF[0], 1.0, 0.005) << safety;

  in.torque1 = 1e12;
  const PairRun heavy = RunPair(g1, g2, kPairExternal, 60.0, 1.6, in);
  ASSERT_EQ(heavy.ok, 1);
  const std::string stress = FirstCell(heavy.report, "  σF [N/mm²]");
  EXPECT_NEAR(std::strtod(stress.c_str(), nullptr) / heavy.data.results.sigmaF[0], 1.0, 0.005) << stress;
}
