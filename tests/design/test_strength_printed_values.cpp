// What the strength report prints must hold when the user acts on it:
// T1 max and P max typed back as the load never give "Insufficient" and are
// never 0 for a pair that carries torque; a safety printed at or above its
// printed minimum is not rated "!!", and the verdict agrees with its cells;
// the " ?" rating is explained; numbers are written with a point in both
// languages.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "design/strength_applicability.h"
#include "design/strength_calc.h"
#include "design/strength_report.h"
#include "geometry/gear_geometry.h"
#include "strength_test_support.h"

using namespace strength_test;

namespace {

std::string Pick(const char* english, const char* dutch) { return NORVALE_TEST_LANG == 1 ? dutch : english; }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// The number that follows `label` in the text, read as the strength window
// reads a typed field (a point as the decimal sign).
double NumberAfter(const std::string& text, const std::string& label) {
  const std::size_t at = text.find(label);
  if (at == std::string::npos) return std::nan("");
  const char* first = text.data() + at + label.size();
  double value = std::nan("");
  std::from_chars(first, text.data() + text.size(), value);
  return value;
}

struct LoadCase {
  const char* name;
  double m;
  int64_t z1, z2;
  double b;
  double sigmaHlim, sigmaFlim;
  double speed, torque, ka;
  int64_t finish;  // 1 ground
};

// The pair of the problem report (T1 max solved at 354.989 Nm, printed 354.99,
// typed back "Insufficient (S_H 1.00, S_F 1.47)"), a root-limited variant and
// small pairs whose limits printed as 0.00 Nm.
const LoadCase kLoadCases[] = {
    {"mn 3, 25 / 75, ground", 3.0, 25, 75, 30.0, 1500.0, 450.0, 3000.0, 600.0, 1.0, 1},
    {"mn 3, 25 / 75, weak root", 3.0, 25, 75, 30.0, 1500.0, 150.0, 3000.0, 600.0, 1.0, 1},
    {"mn 2, 20 / 40, KA 1.5", 2.0, 20, 40, 20.0, 1100.0, 340.0, 1450.0, 40.0, 1.5, 0},
    {"m 0.3, 12 / 13", 0.3, 12, 13, 0.5, 250.0, 60.0, 20000.0, 1.0, 2.0, 0},
    {"m 0.2, 10 / 20", 0.2, 10, 20, 0.5, 300.0, 100.0, 10000.0, 1.0, 2.0, 0},
    {"m 0.1, 8 / 12", 0.1, 8, 12, 0.3, 200.0, 50.0, 20000.0, 1.0, 2.5, 0},
    {"m 0.05, 7 / 9", 0.05, 7, 9, 0.2, 150.0, 40.0, 30000.0, 1.0, 3.0, 0},
};

struct PairRun {
  GearRecord g1, g2;
  double a = 0.0, eps = 0.0;
  StrengthReportData data;
  int64_t ok = 0;
};

PairRun RunLoad(const LoadCase& c, double torque) {
  PairRun run;
  run.g1 = MakeGear(c.m, c.z1, 0.0, c.b, 0.0, 1, 1);
  run.g2 = MakeGear(c.m, c.z2, 0.0, c.b, 0.0, -1, 1);
  run.a = c.m * double(c.z1 + c.z2) / 2.0;
  run.eps = std::max(ComputeStrengthContactRatio(run.g1, run.g2, kPairExternal, run.a), 0.5);
  StrengthInputs& in = run.data.inputs;
  in = MakeSteelInputs();
  in.torque1 = torque;
  in.speed1 = c.speed;
  in.applicationFactor = c.ka;
  in.accuracyGrade = 8;
  in.flankFinish = c.finish;
  for (int i = 0; i < 2; ++i) {
    in.sigmaHlim[i] = c.sigmaHlim;
    in.sigmaFlim[i] = c.sigmaFlim;
  }
  run.ok = ComputeGearStrength(run.g1, run.g2, kPairExternal, run.a, run.eps, in, run.data.results);
  run.data.pairKind = kPairExternal;
  run.data.partnerName = Pick("gear 2", "wiel 2");
  return run;
}

// The smaller safety of each kind over its minimum, exactly.
double WorstStressRatio(const PairRun& run) {
  const StrengthResults& r = run.data.results;
  const StrengthInputs& in = run.data.inputs;
  return std::min(std::min(r.safetyH[0], r.safetyH[1]) / in.minSafetyH,
                  std::min(r.safetyF[0], r.safetyF[1]) / in.minSafetyF);
}

TEST(StrengthPrintedLimits, TypedBackAsTheLoadTheLimitsAreNeverInsufficient) {
  for (const LoadCase& c : kLoadCases) {
    SCOPED_TRACE(c.name);
    const PairRun first = RunLoad(c, c.torque);
    ASSERT_EQ(first.ok, 1) << first.data.results.message;
    const double tMax = std::min(first.data.results.torqueFactorFlank, first.data.results.torqueFactorRoot);
    const double pMax = tMax * c.speed / 9550.0;
    ASSERT_GT(tMax, 0.0);
    const std::string report = BuildStrengthReportText(first.data);
    const double printedT = NumberAfter(report, "  T1 max = ");
    const double printedP = NumberAfter(report, " Nm   P max = ");
    // Rounded down, never to 0, and to at least four significant digits.
    EXPECT_GT(printedT, 0.0) << report;
    EXPECT_LE(printedT, tMax);
    EXPECT_GE(printedT, tMax * (1.0 - 1e-3));
    EXPECT_GT(printedP, 0.0) << report;
    EXPECT_LE(printedP, pMax);
    EXPECT_GE(printedP, pMax * (1.0 - 1e-3));
    // Typed back as a torque, and as a power at the same speed (T = 9550 P / n).
    for (double load : {printedT, ComputeTorqueFromPower(printedP, c.speed)}) {
      const PairRun again = RunLoad(c, load);
      ASSERT_EQ(again.ok, 1) << again.data.results.message;
      EXPECT_GE(WorstStressRatio(again), 1.0) << load;
      EXPECT_NE(RateStrengthReport(again.data), kStrengthInsufficient) << load;
    }
  }
}

// The example itself: solved at 354.989 Nm; the old print 354.99 lies above
// the limit (S_H 0.99996), the rounded-down 354.98 below it; P max =
// 354.989 * 3000 / 9550 = 111.5149 kW, rounded down.
TEST(StrengthPrintedLimits, ThePublishedPairPrintsItsLimitRoundedDown) {
  const PairRun first = RunLoad(kLoadCases[0], 600.0);
  ASSERT_EQ(first.ok, 1);
  EXPECT_NEAR(first.data.results.torqueFactorFlank, 354.989, 1e-3);
  const std::string report = BuildStrengthReportText(first.data);
  EXPECT_TRUE(Contains(report, "  T1 max = 354.98 Nm   P max = 111.514" +
                                   Pick(" kW at 3000 /min", " kW bij 3000 /min")))
      << report;
  EXPECT_LT(WorstStressRatio(RunLoad(kLoadCases[0], 354.99)), 1.0);
}

// ---------------------------------------------------------------------------
// A safety cell and its rating read the same numbers: the printed safety
// against the printed minimum ("S_F (min 1.51) 1.51" is tight, not "!!"),
// " ok" from 1.1 times the printed minimum on; the verdict is the worst cell.
StrengthReportData RatedPair() {
  StrengthReportData d;
  d.inputs = MakeSteelInputs();
  d.inputs.minSafetyH = 1.0;
  d.inputs.minSafetyF = 1.51;
  StrengthResults& r = d.results;
  r.valid = 1;
  r.torque1 = d.inputs.torque1;
  r.epsAlpha = 1.6;
  for (int i = 0; i < 2; ++i) {
    r.safetyH[i] = 2.0;
    r.safetyF[i] = 3.0;
    r.loadCycles[i] = 1e9;
  }
  r.torqueFactorFlank = 100.0;
  r.torqueFactorRoot = 100.0;
  d.pairKind = kPairExternal;
  d.partnerName = Pick("gear 2", "wiel 2");
  return d;
}

// A table row: two blanks, the label in 28 characters, each cell
// right-aligned in 11 (characters counted as code points).
std::size_t Chars(const std::string& t) {
  std::size_t n = 0;
  for (char ch : t) n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80 ? 1 : 0;
  return n;
}
std::string Row(const std::string& label, const std::string& cell1, const std::string& cell2) {
  return "  " + label + std::string(28 - Chars(label), ' ') + std::string(11 - Chars(cell1), ' ') + cell1 +
         std::string(11 - Chars(cell2), ' ') + cell2 + "\r\n";
}

TEST(StrengthPrintedRatings, ACellAndItsRatingReadTheSameNumbers) {
  const std::string ok = " ok";
  const std::string tight = Pick(" tight", " krap");
  const std::string fail = " !!";
  struct Case {
    double safetyF, minF, safetyH, bore, dMin;
    std::string cellF, cellH, cellBore;  // gear 1's cells
    StrengthVerdict verdict;
  };
  const Case cases[] = {
      // 1.5096 prints 1.51 = the printed minimum: tight (was "!!" and "Insufficient").
      {1.5096, 1.51, 2.0, 0.0, 0.0, "1.51" + tight, "2.00" + ok, "", kStrengthTight},
      // 1.5049 prints 1.50 < 1.51: failed, and so is the pair.
      {1.5049, 1.51, 2.0, 0.0, 0.0, "1.50" + fail, "2.00" + ok, "", kStrengthInsufficient},
      // 1.66 < 1.1 x 1.51 = 1.661: tight.
      {1.6609, 1.51, 2.0, 0.0, 0.0, "1.66" + tight, "2.00" + ok, "", kStrengthTight},
      // 1.54 = 1.1 x 1.40 exactly: ok.
      {1.5401, 1.40, 2.0, 0.0, 0.0, "1.54" + ok, "2.00" + ok, "", kStrengthSufficient},
      // S_H 1.0996 prints 1.10 = 1.1 x 1.00: ok.
      {3.0, 1.51, 1.0996, 0.0, 0.0, "3.00" + ok, "1.10" + ok, "", kStrengthSufficient},
      // S_H 0.99996 prints 1.00 = its minimum: tight, not "Insufficient (S_H 1.00, ...)".
      {3.0, 1.51, 0.99996, 0.0, 0.0, "3.00" + ok, "1.00" + tight, "", kStrengthTight},
      // A bore of 18.0 against d min 18.04 (printed 18.0): tight.
      {3.0, 1.51, 2.0, 18.0, 18.04, "3.00" + ok, "2.00" + ok, "18.0" + tight, kStrengthTight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellF + " / " + c.cellH + " / " + c.cellBore);
    StrengthReportData d = RatedPair();
    d.inputs.minSafetyF = c.minF;
    d.results.safetyF[0] = c.safetyF;
    d.results.safetyH[0] = d.results.safetyH[1] = c.safetyH;
    if (c.bore > 0.0) {
      d.shaft[0].computed = 1;
      d.shaft[0].shaftBore = c.bore;
      d.shaft[0].minShaftDiameter = c.dMin;
      d.shaft[0].preferredShaftDiameter = 20.0;
    }
    const std::string text = BuildStrengthReportText(d);
    char minF[16];
    std::snprintf(minF, sizeof minF, "%.2f", c.minF);
    EXPECT_TRUE(Contains(text, Row(std::string("S_F  (min ") + minF + ")", c.cellF, "3.00" + ok))) << text;
    EXPECT_TRUE(Contains(text, Row("S_H  (min 1.00)", c.cellH, c.cellH))) << text;
    if (c.bore > 0.0) {
      EXPECT_TRUE(Contains(text, Row(Pick("bore [mm]", "boring [mm]"), c.cellBore, "-"))) << text;
    }
    EXPECT_EQ(RateStrengthReport(d), c.verdict);
  }
}

// The verdict quotes the smallest safeties; the word agrees with them.
TEST(StrengthPrintedRatings, TheVerdictAgreesWithTheSafetiesItQuotes) {
  StrengthReportData d = RatedPair();
  d.results.safetyH[0] = 0.99996;
  d.results.safetyF[0] = 1.5096;
  EXPECT_EQ(FormatStrengthVerdict(d), Pick("Tight  (S_H 1.00, S_F 1.51)", "Krap  (S_H 1.00, S_F 1.51)"));
  d.results.safetyF[0] = 1.5049;
  EXPECT_EQ(FormatStrengthVerdict(d), Pick("Insufficient  (S_H 1.00, S_F 1.50)", "Voldoet niet  (S_H 1.00, S_F 1.50)"));
}

// ---------------------------------------------------------------------------
TEST(StrengthPrintedRatings, TheQuestionMarkRatingIsExplainedWhereItIsShown) {
  const std::string legend = Pick("  ? = minimum reached, but the method does not hold for this pair (see the lines with !)\r\n",
                                  "  ? = minimum gehaald, maar de methode geldt niet voor dit paar (zie de regels met !)\r\n");
  StrengthReportData d = RatedPair();
  EXPECT_FALSE(Contains(BuildStrengthReportText(d), legend));
  d.results.contactRatioBelowOne = 1;  // outside the method: reached minima are rated " ?"
  const std::string outside = BuildStrengthReportText(d);
  EXPECT_TRUE(Contains(outside, " ?\r\n"));
  ASSERT_TRUE(Contains(outside, legend)) << outside;
  EXPECT_EQ(outside.find(legend), outside.rfind(legend));
  // The legend follows the root table.
  EXPECT_GT(outside.find(legend), outside.find("S_F  (min "));
  // Missed minima only: "!!" and no legend.
  for (int i = 0; i < 2; ++i) {
    d.results.safetyH[i] = 0.5;
    d.results.safetyF[i] = 0.5;
  }
  const std::string failed = BuildStrengthReportText(d);
  EXPECT_FALSE(Contains(failed, " ?\r\n"));
  EXPECT_FALSE(Contains(failed, legend));
}

// ---------------------------------------------------------------------------
// Every warning line and the key row at once: no number with a decimal comma.
TEST(StrengthPrintedRatings, NumbersAreWrittenWithAPointInBothLanguages) {
  StrengthReportData d = RatedPair();
  StrengthResults& r = d.results;
  r.contactRatioRaised = 1;
  r.meshContactRatio = 0.3456;
  r.epsAlpha = 0.5;
  r.contactRatioBelowOne = 1;
  r.dynamicBeyondRange = 1;
  r.dynamicSpeedTerm = 12.345;
  r.internalInterference = 1;
  r.interferenceDepth = 0.0123;
  r.pointedTeeth[0] = r.pointedTeeth[1] = 1;
  r.filletContact[0] = r.filletContact[1] = 1;
  r.tipCircleContactRatio = 1.9545;
  d.gear2Checked = 1;
  for (int k = 0; k < 2; ++k) {
    d.shaft[k].computed = 1;
    d.shaft[k].hasKeyway = 1;
    d.shaft[k].torque = 12.5;
    d.shaft[k].minShaftDiameter = 12.34;
    d.shaft[k].preferredShaftDiameter = 14.0;
    d.shaft[k].shaftBore = 14.0;
    d.shaft[k].keyWidth = 5.0;
    d.shaft[k].keyHeight = 5.0;
    d.shaft[k].bearingHeight = 2.1;
    d.shaft[k].keyLength = 20.0;
    d.shaft[k].bearingLength = 15.0;
    d.shaft[k].pressure = 50.0;
    d.shaft[k].allowablePressure = 300.0;
    d.shaft[k].safety = 6.0;
    d.shaft[k].requiredKeyLength = 8.5;
  }
  const std::string text = BuildStrengthReportText(d);
  for (std::size_t i = 1; i + 1 < text.size(); ++i) {
    const bool digitBefore = text[i - 1] >= '0' && text[i - 1] <= '9';
    const bool digitAfter = text[i + 1] >= '0' && text[i + 1] <= '9';
    EXPECT_FALSE(text[i] == ',' && digitBefore && digitAfter) << text.substr(i < 40 ? 0 : i - 40, 80);
  }
  EXPECT_TRUE(Contains(text, Pick(" is below 0.5: ", " ligt onder 0.5: "))) << text;
  EXPECT_TRUE(Contains(text, "  S_p  (min 1.00)")) << text;
}

}  // namespace
