// The strength report, its verdict and its copy text, checked against texts
// written out by hand for a results record whose values were worked out by
// hand (m 2, z 20 / 40, b 20 mm, 5 kW at 1500 /min; shaft values from the
// torsion formula d = (16 KA T / (pi tau))^(1/3) and the key pressure
// p = 2 KA T / (d h' l')).
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "design/strength_report.h"

namespace {

const char* Pick(const char* english, const char* dutch) { return NORVALE_TEST_LANG == 1 ? dutch : english; }

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// The hand-made record: an external pair m 2, z 20 / 40, b 20, T1 = 9550 * 5 / 1500 Nm.
StrengthReportData HandPair() {
  StrengthReportData d;
  StrengthInputs& in = d.inputs;
  in.torque1 = 9550.0 * 5.0 / 1500.0;  // 31.8333 Nm
  in.speed1 = 1500;
  in.applicationFactor = 1.25;
  in.lifeHours = 20000;
  in.accuracyGrade = 7;
  in.minSafetyH = 1.0;
  in.minSafetyF = 1.4;
  in.sigmaHlim[0] = in.sigmaHlim[1] = 750;
  in.sigmaFlim[0] = in.sigmaFlim[1] = 300;
  in.elasticModulus[0] = in.elasticModulus[1] = 206000;
  in.poisson[0] = in.poisson[1] = 0.3;

  StrengthResults& r = d.results;
  r.valid = 1;
  r.torque1 = in.torque1;
  r.tangentialForce = 2000.0 * r.torque1 / 40.0;  // Ft = 2000 T / d1 = 1591.67 N
  r.pitchLineSpeed = 3.14159265 * 40.0 * 1500.0 / 60000.0;  // v = pi d1 n1 / 60000
  r.ratio = 2.0;
  r.speed2 = 750.0;
  r.faceWidthUsed = 20.0;
  r.kV = 1.0432;
  r.kHbeta = 1.1567;
  r.kFbeta = 1.1234;
  r.kHalpha = r.kFalpha = 1.0;
  r.zH = 2.4946;  // sqrt(2 / (cos^2 20 deg tan 20 deg)) for a spur pair at x = 0
  r.zE = 189.812;
  r.zEps = 0.8832;
  r.zBeta = 1.0;
  r.zLVR = 0.92;
  r.yEps = 0.7083;
  r.yBeta = 1.0;
  r.epsAlpha = 1.6367;
  r.epsBeta = 0.0;
  r.sigmaH = 812.44;
  r.loadCycles[0] = 20000.0 * 1500.0 * 60.0;  // 1.8e9
  r.loadCycles[1] = 20000.0 * 750.0 * 60.0;   // 9e8
  r.zNT[0] = 0.9123;
  r.zNT[1] = 0.9301;
  r.sigmaHP[0] = 684.2;
  r.sigmaHP[1] = 697.6;
  r.safetyH[0] = 0.8421;
  r.safetyH[1] = 0.8587;
  r.formFactor[0] = 2.812;
  r.formFactor[1] = 2.456;
  r.stressCorrection[0] = 1.553;
  r.stressCorrection[1] = 1.672;
  r.sigmaF[0] = 145.21;
  r.sigmaF[1] = 138.74;
  r.yNT[0] = 0.8912;
  r.yNT[1] = 0.9;
  r.sigmaFP[0] = 534.7;
  r.sigmaFP[1] = 540.0;
  r.safetyF[0] = 3.6823;
  r.safetyF[1] = 3.8921;
  r.torqueFactorFlank = 22.57;
  r.torqueFactorRoot = 83.76;

  d.pairKind = kPairExternal;
  d.partnerName = Pick("gear 2", "wiel 2");
  d.gear2Checked = 1;

  // Gear 1: bore 8 without keyway. d min = (16000 * 1.25 * 31.833 / (pi 40))^(1/3) = 17.18 mm.
  StrengthShaftColumn& s1 = d.shaft[0];
  s1.computed = 1;
  s1.torque = in.torque1;
  s1.minShaftDiameter = 17.18;
  s1.preferredShaftDiameter = 18;
  s1.shaftBore = 8;
  s1.message = "no keyway: shaft-hub connection (press fit, clamp or spline) not calculated";

  // Gear 2: bore 25, key 8 x 7 (h' = 7 - 4 = 3), l = 20, l' = 12, T2 = 63.667 Nm:
  // d min = 21.64, p = 2000 * 1.25 * 63.667 / (25 * 3 * 12) = 176.85,
  // p perm = min(0.9 * 750, 0.9 * 490, 387) = 387, S = 2.188, R = 13.48 mm.
  StrengthShaftColumn& s2 = d.shaft[1];
  s2.computed = 1;
  s2.torque = 2.0 * in.torque1;
  s2.minShaftDiameter = 21.64;
  s2.preferredShaftDiameter = 22;
  s2.shaftBore = 25;
  s2.hasKeyway = 1;
  s2.keyWidth = 8;
  s2.keyHeight = 7;
  s2.bearingHeight = 3;
  s2.keyLength = 20;
  s2.bearingLength = 12;
  s2.pressure = 176.85;
  s2.allowablePressure = 387;
  s2.safety = 387.0 / 176.85;
  s2.requiredKeyLength = 13.48;
  s2.message = "1 key is sufficient";
  return d;
}

const std::vector<std::string> kGoldenPairReport = {
    Pick("LOAD",
         "BELASTING"),
    "  T1 = 31.83 Nm   n1 = 1500 /min   n2 = 750.0 /min",
    "  Ft = 1591.7 N   v = 3.14 m/s   b = 20.0 mm",
    "",
    Pick("FACTORS",
         "FACTOREN"),
    "  KA 1.25   KV 1.043   KHβ 1.157   KFβ 1.123   KHα=KFα 1.00",
    "  ZH 2.495   ZE 189.8   Zε 0.883   Zβ 1.000   ZLZVZR 0.92",
    "  εα 1.637   εβ 0.000   Yε 0.708   Yβ 1.000",
    "",
    Pick("                                   gear 1     gear 2",
         "                                   wiel 1     wiel 2"),
    Pick("FLANK PRESSURE (pitting)",
         "FLANKDRUK (pitting)"),
    "  σH [N/mm²]                          812        812",
    "  σH,lim [N/mm²]                      750        750",
    Pick("  load cycles                  1800000000  900000000",
         "  lastwisselingen              1800000000  900000000"),
    "  ZNT                               0.912      0.930",
    "  σHG [N/mm²]                         684        698",
    "  S_H  (min 1.00)                 0.84 !!    0.86 !!",
    Pick("ROOT STRESS (tooth breakage)",
         "VOETSPANNING (tandbreuk)"),
    "  YF / YS                       2.81/1.55  2.46/1.67",
    "  σF [N/mm²]                          145        139",
    "  σF,lim [N/mm²]                      300        300",
    "  YNT                               0.891      0.900",
    "  σFG [N/mm²]                         535        540",
    "  S_F  (min 1.40)                 3.68 ok    3.89 ok",
    "",
    Pick("TRANSMISSIBLE (at the minimum safety factors)",
         "OVERDRAAGBAAR (bij de minimale veiligheden)"),
    // A limit of exactly 22.57 Nm is printed rounded down (22.57 typed back
    // would sit on the minimum safety to the last bit).
    Pick("  T1 max = 22.56 Nm   P max = 3.545 kW at 1500 /min",
         "  T1 max = 22.56 Nm   P max = 3.545 kW bij 1500 /min"),
    Pick("  limited by the flank pressure",
         "  bepaald door de flankdruk"),
    "",
    Pick("SHAFT AND KEY CONNECTION  (preliminary sizing)",
         "AS EN SPIEVERBINDING  (voordimensionering)"),
    Pick("  torque on the shaft [Nm]          31.83      63.67",
         "  koppel op de as [Nm]              31.83      63.67"),
    Pick("  d min torsion [mm]                 17.2       21.6",
         "  d min torsie [mm]                  17.2       21.6"),
    Pick("  standard size DIN 748 [mm]           18         22",
         "  normmaat DIN 748 [mm]                18         22"),
    Pick("  bore [mm]                        8.0 !!    25.0 ok",
         "  boring [mm]                      8.0 !!    25.0 ok"),
    Pick("  key b×h, bearing height k             -   8×7 k3.0",
         "  spie b×h, draagvlak k                 -   8×7 k3.0"),
    Pick("  key length / bearing [mm]             -  20.0/12.0",
         "  spielengte / dragend [mm]             -  20.0/12.0"),
    Pick("  p / p perm [N/mm²]                    -    177/387",
         "  p / p toel [N/mm²]                    -    177/387"),
    Pick("  S_p  (min 1.00)                       -    2.19 ok",
         "  S_p  (min 1.00)                       -    2.19 ok"),
    Pick("  required key length [mm]              -       13.5",
         "  benodigde spielengte [mm]             -       13.5"),
    Pick("  gear 1: no keyway: shaft-hub connection (press fit, clamp or spline) not calculated",
         "  wiel 1: no keyway: shaft-hub connection (press fit, clamp or spline) not calculated"),
    Pick("  ! gear 1: bore smaller than d min, choose at least 18 mm",
         "  ! wiel 1: boring kleiner dan d min, kies ten minste 18 mm"),
    Pick("  gear 2: 1 key is sufficient",
         "  wiel 2: 1 key is sufficient"),
    "",
    Pick("Indicative design calculation to ISO 6336 / DIN 3990 (simplified),",
         "Indicatieve ontwerpberekening naar ISO 6336 / DIN 3990 (vereenvoudigd),"),
    Pick("not a certified strength calculation.",
         "geen gecertificeerde sterkteberekening."),
};

// Lines of a CR LF text (the last line may end without CR LF).
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      return lines;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
}

bool HasLine(const std::string& text, const std::string& line) {
  for (const std::string& l : Lines(text)) {
    if (l == line) return true;
  }
  return false;
}

}  // namespace

TEST(StrengthReportText, PairReportMatchesTheHandWrittenText) {
  const std::string text = BuildStrengthReportText(HandPair());
  // Compared line by line first, so that a failure names the line.
  const std::vector<std::string> lines = Lines(text);
  ASSERT_EQ(lines.size(), kGoldenPairReport.size());
  for (std::size_t i = 0; i < lines.size(); ++i) EXPECT_EQ(lines[i], kGoldenPairReport[i]) << "line " << i;
  EXPECT_EQ(text, JoinCrLf(kGoldenPairReport));  // CR LF everywhere, none after the last line
  EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1);
}

TEST(StrengthReportText, RackPairShowsRackSpeedAndNoPartnerShaft) {
  StrengthReportData d = HandPair();
  d.pairKind = kPairRack;
  d.partnerName = Pick("rack", "heugel");
  d.gear2Checked = 0;  // the rack gets no shaft check, whatever the column holds
  d.results.speed2 = 0;
  d.results.ratio = 0;
  const std::string text = BuildStrengthReportText(d);
  EXPECT_TRUE(HasLine(text, std::string("  T1 = 31.83 Nm   n1 = 1500 /min") + Pick("   v rack = ", "   v heugel = ") +
                                "3.142 m/s"));
  EXPECT_TRUE(HasLine(text, Pick("                                   gear 1       rack",
                                 "                                   wiel 1     heugel")));
  EXPECT_TRUE(HasLine(text, Pick("  torque on the shaft [Nm]          31.83          -",
                                 "  koppel op de as [Nm]              31.83          -")));
  EXPECT_TRUE(HasLine(text, Pick("  bore [mm]                        8.0 !!          -",
                                 "  boring [mm]                      8.0 !!          -")));
  // Neither column has a key: no key rows, and no message line of the rack.
  EXPECT_EQ(text.find(Pick("key b×h", "spie b×h")), std::string::npos);
  EXPECT_EQ(text.find(Pick("  rack: ", "  heugel: ")), std::string::npos);
}

TEST(StrengthReportText, ShaftCheckThatDidNotRunPrintsDashesAndAnEmptyMessage) {
  // tau perm 0: the check leaves its record reset.
  StrengthReportData d = HandPair();
  d.shaft[0] = StrengthShaftColumn{};
  d.shaft[1] = StrengthShaftColumn{};
  const std::string text = BuildStrengthReportText(d);
  EXPECT_TRUE(HasLine(text, Pick("  d min torsion [mm]                    -          -",
                                 "  d min torsie [mm]                     -          -")));
  EXPECT_TRUE(HasLine(text, Pick("  gear 1: ", "  wiel 1: ")));
  EXPECT_TRUE(HasLine(text, Pick("  gear 2: ", "  wiel 2: ")));
  EXPECT_EQ(text.find("\r\n  ! "), std::string::npos);  // no bore warning
}

TEST(StrengthReportText, LimitNamesRootOnlyWhenRootTorqueIsSmaller) {
  struct Case {
    double flank, root;
    const char* en;
    const char* nl;
    const char* maxLineEn;
  };
  const Case cases[] = {
      {22.57, 83.76, "  limited by the flank pressure", "  bepaald door de flankdruk",
       "  T1 max = 22.56 Nm   P max = 3.545 kW at 1500 /min"},  // rounded down: 22.57 is the limit
      {50.0, 50.0, "  limited by the flank pressure", "  bepaald door de flankdruk",
       "  T1 max = 49.99 Nm   P max = 7.853 kW at 1500 /min"},  // 50 * 1500 / 9550 = 7.8534
      {90.0, 40.0, "  limited by the root stress", "  bepaald door de voetspanning",
       "  T1 max = 39.99 Nm   P max = 6.282 kW at 1500 /min"},  // 40 * 1500 / 9550 = 6.2827
  };
  for (const Case& c : cases) {
    StrengthReportData d = HandPair();
    d.results.torqueFactorFlank = c.flank;
    d.results.torqueFactorRoot = c.root;
    const std::string text = BuildStrengthReportText(d);
    EXPECT_TRUE(HasLine(text, Pick(c.en, c.nl))) << c.flank << " / " << c.root;
    std::string maxLine = c.maxLineEn;
    if (NORVALE_TEST_LANG == 1) maxLine.replace(maxLine.find(" kW at "), 7, " kW bij ");
    EXPECT_TRUE(HasLine(text, maxLine)) << maxLine;
  }
}

TEST(StrengthReportText, DryRunningAddsItsWarningBeforeTheFootnote) {
  StrengthReportData d = HandPair();
  d.inputs.lubrication = 2;
  const std::vector<std::string> lines = Lines(BuildStrengthReportText(d));
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[lines.size() - 5], "");
  EXPECT_EQ(lines[lines.size() - 4], Pick("  ! dry running: indicative only (wear determines the life)",
                                          "  ! droog lopen: alleen indicatief (slijtage bepaalt de levensduur)"));
  EXPECT_EQ(lines[lines.size() - 3], "");
}

TEST(StrengthVerdict, WorstRatioDecidesTheWord) {
  // worst = min(min S_F / S_Fmin, min S_H / S_Hmin, bore / d min, S_p).
  struct Case {
    double sh, sf, bore, dmin, sp;
    StrengthVerdict verdict;
  };
  const Case cases[] = {
      {1.1, 3.0, 0, 0, 5.0, kStrengthSufficient},   // exactly 1.1: sufficient
      {1.0, 3.0, 0, 0, 5.0, kStrengthTight},        // exactly 1.0: tight
      {0.99, 3.0, 0, 0, 5.0, kStrengthInsufficient},
      {2.0, 1.4 * 1.05, 0, 0, 5.0, kStrengthTight},  // the root decides: 1.05
      {2.0, 3.0, 20, 19, 5.0, kStrengthTight},      // the bore decides: 20 / 19 = 1.053
      {2.0, 3.0, 20, 21, 5.0, kStrengthInsufficient},
      {2.0, 3.0, 0, 0, 0.0, kStrengthInsufficient},  // a key without bearing length
      {2.0, 3.0, 0, 0, 1.2, kStrengthSufficient},
  };
  for (const Case& c : cases) {
    StrengthReportData d = HandPair();
    d.inputs.minSafetyH = 1.0;
    d.inputs.minSafetyF = 1.4;
    d.results.safetyH[0] = d.results.safetyH[1] = c.sh;
    d.results.safetyF[0] = d.results.safetyF[1] = c.sf;
    d.shaft[0] = StrengthShaftColumn{};
    d.shaft[1] = StrengthShaftColumn{};
    d.shaft[0].computed = 1;
    d.shaft[0].shaftBore = c.bore;
    d.shaft[0].minShaftDiameter = c.dmin;
    d.shaft[1].computed = 1;
    d.shaft[1].hasKeyway = 1;
    d.shaft[1].safety = c.sp;
    EXPECT_EQ(RateStrength(ComputeWorstStrengthRatio(d)), c.verdict)
        << "S_H " << c.sh << " S_F " << c.sf << " bore " << c.bore << "/" << c.dmin << " S_p " << c.sp;
  }
}

TEST(StrengthVerdict, UncheckedPartnerDoesNotCount) {
  StrengthReportData d = HandPair();
  d.results.safetyH[0] = d.results.safetyH[1] = 2.0;
  d.gear2Checked = 0;
  d.shaft[0] = StrengthShaftColumn{};
  d.shaft[1].hasKeyway = 1;
  d.shaft[1].safety = 0.1;  // left over in a column that was not checked
  EXPECT_EQ(RateStrength(ComputeWorstStrengthRatio(d)), kStrengthSufficient);
}

TEST(StrengthVerdict, NotANumberIsInsufficient) {
  StrengthReportData d = HandPair();
  d.results.safetyH[0] = d.results.safetyH[1] = 2.0;
  d.shaft[0] = d.shaft[1] = StrengthShaftColumn{};
  d.results.safetyF[1] = std::nan("");
  EXPECT_EQ(RateStrength(ComputeWorstStrengthRatio(d)), kStrengthInsufficient);
  EXPECT_EQ(FormatStrengthVerdict(d),
            Pick("Insufficient  (S_H 2.00, S_F NaN)", "Voldoet niet  (S_H 2.00, S_F NaN)"));
  d.results.safetyF[1] = 3.0;
  d.shaft[0].shaftBore = 20;
  d.shaft[0].minShaftDiameter = std::nan("");
  d.shaft[0].hasKeyway = 1;
  d.shaft[0].safety = std::nan("");
  EXPECT_EQ(RateStrength(ComputeWorstStrengthRatio(d)), kStrengthInsufficient);
}

TEST(StrengthVerdict, TextNamesTheSmallestSafetyFactors) {
  // Hand pair: min S_H = 0.8421, min S_F = 3.6823, and the bore of gear 1 is too small.
  EXPECT_EQ(FormatStrengthVerdict(HandPair()),
            Pick("Insufficient  (S_H 0.84, S_F 3.68)", "Voldoet niet  (S_H 0.84, S_F 3.68)"));
  StrengthReportData d = HandPair();
  d.results.safetyH[0] = 1.25;
  d.results.safetyH[1] = 1.5;
  d.shaft[0].shaftBore = 20;  // 20 / 17.18 = 1.16
  EXPECT_EQ(FormatStrengthVerdict(d), Pick("Sufficient  (S_H 1.25, S_F 3.68)", "Voldoet  (S_H 1.25, S_F 3.68)"));
  d.results.safetyH[0] = 1.05;
  EXPECT_EQ(FormatStrengthVerdict(d), Pick("Tight  (S_H 1.05, S_F 3.68)", "Krap  (S_H 1.05, S_F 3.68)"));
}

TEST(StrengthCopyText, QuotesInputsVerdictAndReport) {
  StrengthReportData d = HandPair();
  d.inputs.applicationFactor = 1.0;  // typed 0.8, raised to 1.0
  d.inputs.accuracyGrade = 4;        // no grade chosen: printed as grade 5
  StrengthCopyFields f;
  f.designReport = "GEAR PAIR\r\n  a = 60.000 mm";
  f.loadLabel = "Power P [kW]";
  f.loadValue = "5";
  f.speed = "1500";
  f.serviceLife = "0";
  f.flankFinish = "ground";
  f.lubrication = "oil";
  f.material1 = "C45 normalised";
  f.sigmaH1 = "560";
  f.sigmaF1 = "220";
  f.material2 = "Custom material";
  f.sigmaH2 = "612,5";
  f.sigmaF2 = "233";
  const std::string text = BuildStrengthCopyText(d, f, "VERDICT", "REPORT\r\nLAST");
  const std::string expected = std::string(Pick("STRENGTH CALCULATION (indicative, ISO 6336 / DIN 3990)",
                                                "STERKTEBEREKENING (indicatief, ISO 6336 / DIN 3990)")) +
                               "\r\n"
                               "\r\n"
                               "GEAR PAIR\r\n  a = 60.000 mm\r\n" +
                               Pick("INPUT", "INVOER") +
                               "\r\n"
                               "  Power P [kW] = 5   n1 = 1500 /min   KA = 1.00" +
                               Pick("   service life ", "   levensduur ") + "0 h\r\n" +
                               Pick("  ISO 1328 grade ", "  ISO 1328 klasse ") + "5, ground, oil\r\n" +
                               Pick("  gear 1: ", "  wiel 1: ") + "C45 normalised (560 / 220 N/mm2)\r\n" +
                               Pick("  gear 2: ", "  wiel 2: ") + "Custom material (612,5 / 233 N/mm2)\r\n"
                               "\r\n" +
                               Pick("RESULT: ", "RESULTAAT: ") +
                               "VERDICT\r\n"
                               "\r\n"
                               "REPORT\r\nLAST";
  EXPECT_EQ(text, expected);
}

TEST(StrengthLoad, TorqueFromPower) {
  // T = 9550 P / n: 5 kW at 1500 /min give 31.83 Nm.
  EXPECT_NEAR(ComputeTorqueFromPower(5, 1500), 31.8333, 1e-4);
  EXPECT_EQ(ComputeTorqueFromPower(5, 0), 0.0);
  EXPECT_EQ(ComputeTorqueFromPower(5, -10), 0.0);
  EXPECT_EQ(ComputeTorqueFromPower(5, std::nan("")), 0.0);
}

TEST(StrengthReportText, LoadCyclesTooLongForTheColumnAreNotCut) {
  // 9 999 999 999 still fits with the space before the cell; 1e10 and more
  // would be cut to a wrong whole number, or run into the cell of gear 1:
  // 2e6 h at 1500 /min give 1.8e11 cycles.
  struct Case {
    double cycles;
    const char* cell;
  };
  const Case cases[] = {
      {9999999999.0, "9999999999"},
      {54000000000.0, "5.40e10"},
      {2e6 * 1500 * 60, "1.80e11"},
      {9.996e15, "1.00e16"},
      {4.5e20, "4.50e20"},
  };
  for (const Case& c : cases) {
    StrengthReportData d = HandPair();
    d.results.loadCycles[1] = c.cycles;
    const std::string text = BuildStrengthReportText(d);
    const std::string cell = c.cell;
    const std::string line = std::string(Pick("  load cycles                  ", "  lastwisselingen              ")) +
                             "1800000000" + std::string(11 - cell.size(), ' ') + cell;
    EXPECT_TRUE(HasLine(text, line)) << c.cycles;
  }
}

namespace {

// The two value cells of the row that starts with `label` (11 characters each).
bool FindCells(const std::string& text, const std::string& label, std::string& cell1, std::string& cell2) {
  for (const std::string& l : Lines(text)) {
    if (l.rfind(label, 0) != 0) continue;
    // Value columns are the last 22 characters; the cells hold ASCII only.
    if (l.size() < 22) return false;
    cell1 = l.substr(l.size() - 22, 11);
    cell2 = l.substr(l.size() - 11);
    return true;
  }
  return false;
}

std::string Trimmed(const std::string& s) {
  const std::size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first);
}

}  // namespace

TEST(StrengthReportText, LongNumbersAreNotCutAndRatingWordsStayWhole) {
  // Each cell must read back as its value (to the three digits of a
  // mantissa) and keep its rating word.
  struct Case {
    const char* label;
    double value;
    void (*set)(StrengthReportData&, double);
    const char* rating;  // expected rating word, "" for none
  };
  const Case cases[] = {
      {"  S_F  (min 1.40)", 191651661134.24, [](StrengthReportData& d, double v) { d.results.safetyF[0] = v; }, " ok"},
      {"  S_F  (min 1.40)", 123456.78, [](StrengthReportData& d, double v) { d.results.safetyF[0] = v; }, " ok"},
      {"  S_H  (min 1.00)", 1.5e7, [](StrengthReportData& d, double v) { d.results.safetyH[0] = v; }, " ok"},
      {"  σF [N/mm²]", 40507891908.0, [](StrengthReportData& d, double v) { d.results.sigmaF[0] = v; }, ""},
      {"  σH [N/mm²]", 2.5e13, [](StrengthReportData& d, double v) { d.results.sigmaH = v; }, ""},
      {"  σFG [N/mm²]", 9.9999e11, [](StrengthReportData& d, double v) { d.results.sigmaFP[0] = v; }, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    StrengthReportData d = HandPair();
    c.set(d, c.value);
    const std::string text = BuildStrengthReportText(d);
    std::string cell1, cell2;
    ASSERT_TRUE(FindCells(text, c.label, cell1, cell2));
    std::string number = Trimmed(cell1);
    const std::string rating = c.rating;
    if (!rating.empty()) {
      ASSERT_GE(number.size(), rating.size());
      EXPECT_EQ(number.substr(number.size() - rating.size()), rating) << cell1;
      number.resize(number.size() - rating.size());
    }
    EXPECT_NEAR(std::strtod(number.c_str(), nullptr) / c.value, 1.0, 0.005) << cell1;
    EXPECT_EQ(number.find(' '), std::string::npos) << cell1;
  }
}

TEST(StrengthReportText, TightRatingAfterALargeSafetyKeepsItsWord) {
  // A minimum of 140 and S = 150: "150.00 tight" would be 12 characters; the
  // number gives up decimals before its word is cut.
  StrengthReportData d = HandPair();
  d.inputs.minSafetyF = 140.0;
  d.results.safetyF[0] = 150.0;
  const std::string text = BuildStrengthReportText(d);
  std::string cell1, cell2;
  ASSERT_TRUE(FindCells(text, "  S_F  (min 140.00)", cell1, cell2));
  // " krap" leaves room for the whole number.
  EXPECT_EQ(cell1, Pick("  150 tight", " 150.0 krap"));
}

TEST(StrengthReportText, LongKeyPressureAndShaftValuesAreNotCut) {
  StrengthReportData d = HandPair();
  d.shaft[1].pressure = 3.25e9;
  d.shaft[1].torque = 1e12;
  const std::string text = BuildStrengthReportText(d);
  std::string cell1, cell2;
  ASSERT_TRUE(FindCells(text, Pick("  p / p perm [N/mm²]", "  p / p toel [N/mm²]"), cell1, cell2));
  EXPECT_EQ(cell2, " 3.25e9/387");
  ASSERT_TRUE(FindCells(text, Pick("  torque on the shaft [Nm]", "  koppel op de as [Nm]"), cell1, cell2));
  EXPECT_EQ(cell2, "    1.00e12");
}

// Fault: a cell that filled its whole column ran into the cell before it, so
// 1.08e11 and 54000000000 load cycles read as "1.08e1154000000000". Every
// cell keeps a space before it, at any size of its number.
TEST(StrengthReportText, CellsOfTheTwoGearsNeverRunTogether) {
  StrengthReportData d = HandPair();
  d.results.loadCycles[0] = 1.08e11;
  d.results.loadCycles[1] = 5.4e10;
  d.results.sigmaH = 12345678901.0;
  d.results.sigmaF[0] = 98765432109.0;
  d.results.sigmaF[1] = 12345678901.0;
  d.results.safetyH[0] = d.results.safetyH[1] = 1234567.0;
  d.results.safetyF[0] = d.results.safetyF[1] = 7654321.0;
  d.inputs.minSafetyF = 140.0;
  d.shaft[0].torque = d.shaft[1].torque = 12345678.9;
  const std::string text = BuildStrengthReportText(d);
  const char* labels[] = {Pick("  load cycles", "  lastwisselingen"), "  σH [N/mm²]", "  σF [N/mm²]",
                          "  S_H  (min", "  S_F  (min", Pick("  torque on the shaft [Nm]", "  koppel op de as [Nm]")};
  for (const char* label : labels) {
    std::string cell1, cell2;
    ASSERT_TRUE(FindCells(text, label, cell1, cell2)) << label;
    EXPECT_EQ(cell1[0], ' ') << label << ": '" << cell1 << cell2 << "'";
    EXPECT_EQ(cell2[0], ' ') << label << ": '" << cell1 << cell2 << "'";
    // Each cell reads back as its own number.
    EXPECT_GT(std::strtod(Trimmed(cell2).c_str(), nullptr), 0.0) << label;
  }
}
