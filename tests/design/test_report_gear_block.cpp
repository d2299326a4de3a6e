// The report block of one gear: golden texts of spur and helical gears with
// even and odd teeth, and the warning lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "design/report.h"
#include "geometry/gear_geometry.h"
#include "report_test_support.h"

using namespace report_test;

namespace {

struct BlockCase {
  const char* name;
  double mn;
  int z;
  double x, betaDeg;
  int hand;
  double b, bore, as;
};

GearRecord BuildCase(const BlockCase& c) {
  GearRecord rec;
  InitGearRecord(rec, c.mn, c.z, c.x, 20.0, c.b, c.bore, 0.0, c.betaDeg, c.hand);
  rec.thicknessAllowance = c.as;
  BuildGearGeometry(rec, 1);
  return rec;
}

// Module as written in reports: 3 decimals without trailing zeros.
std::string ModuleText(double m) {
  std::string t = Fix(m, 3);
  while (t.back() == '0') t.pop_back();
  if (t.back() == '.') t.pop_back();
  return t;
}

// The block as the user must see it, from textbook values. The span and pin
// dimensions are computed for the record's k and pin diameter (choices made
// by the inspection rules), with the textbook formulas.
std::string ExpectedBlock(const BlockCase& c, const GearRecord& rec, const std::string& caption) {
  const TextbookGear g{c.mn, double(c.z), c.x, 20.0, c.betaDeg, c.as};
  const bool helical = c.betaDeg > 0.0;
  const std::string hand = c.hand < 0 ? Lang("left", "links") : Lang("right", "rechts");
  std::string t = caption + "\r\n";
  if (helical) {
    t += "  z  = " + std::to_string(c.z) + "     mn = " + ModuleText(c.mn) + " mm   mt = " + Fix(g.mt(), 4) + "\r\n";
    t += "  β  = " + Fix(c.betaDeg, 3) + "° " + hand + "   βb = " + Fix(Deg(g.betaB()), 3) + "°   αt = " +
         Fix(Deg(g.at()), 3) + "°\r\n";
  } else {
    t += "  z  = " + std::to_string(c.z) + "     m = " + ModuleText(c.mn) + " mm\r\n";
  }
  t += "  x  = " + Fix(c.x, 4) + "   (x min = " + Fix(g.xMin(), 3) + ")\r\n";
  t += "  d  = " + Fix(2 * g.r(), 3) + Lang("   pitch circle", "   steekcirkel") + "\r\n";
  t += "  da = " + Fix(2 * g.ra(), 3) + Lang("   tip circle", "   kopcirkel") + "\r\n";
  t += "  df = " + Fix(2 * g.rf(), 3) + Lang("   root circle", "   voetcirkel") + "\r\n";
  t += "  db = " + Fix(2 * g.rb(), 3) + Lang("   base circle", "   basiscirkel") + "\r\n";
  if (helical) {
    t += "  st = " + Fix(g.st(), 3) + Lang("   tooth thickness at d (transverse)", "   tanddikte op d (transversaal)") +
         "\r\n";
    t += "  pz = " + Fix(2 * kPi * g.r() / std::tan(g.beta()), 2) +
         Lang("   lead of the helix", "   spoed van de schroeflijn") + "\r\n";
  } else {
    t += "  s  = " + Fix(g.st(), 3) + Lang("   tooth thickness at d", "   tanddikte op d") + "\r\n";
  }
  if (c.as != 0.0) {
    t += "  As = " + Fix(c.as, 4) +
         Lang("   thickness allowance (tool at x = ", "   afmaat (gereedschap op x = ") + Fix(g.xE(), 4) + ")\r\n";
  }
  t += "  sa = " + Fix(g.sa(), 3) + Lang("   tooth thickness at da", "   tanddikte op da") + "\r\n";
  t += "  b  = " + Fix(c.b, 2) + Lang("   bore = ", "   boring = ") + Fix(c.bore, 2) + "\r\n";
  t += Lang("  Inspection dimensions (finished gear):", "  Controlematen (afgewerkt wiel):") + std::string("\r\n");
  const double wk = g.span(double(rec.spanTeeth));
  t += "  Wk = " + Fix(wk, 3) + Lang("   span over k = ", "   tandwijdte over k = ") +
       std::to_string(rec.spanTeeth) + "\r\n";
  const double spanWidth = wk * std::sin(g.betaB()) + 2.0;
  if (helical && spanWidth > c.b) {
    t += Lang("  ! b too narrow to measure Wk (min. ", "  ! b te smal om Wk te meten (min. ") + Fix(spanWidth, 1) +
         ")\r\n";
  }
  const std::string md = "  Md = " + Fix(g.overPins(rec.pinDiameter), 3);
  const std::string dm = Fix(rec.pinDiameter, 2);
  if (c.z % 2 != 0) {
    t += md + Lang("   over 2 balls Ø ", "   over 2 kogels Ø ") + dm + Lang(" (odd z)", " (z oneven)") + "\r\n";
  } else if (helical) {
    t += md + Lang("   over 2 balls Ø ", "   over 2 kogels Ø ") + dm + "\r\n";
  } else {
    t += md + Lang("   over 2 pins Ø ", "   over 2 pennen Ø ") + dm + "\r\n";
  }
  return t;
}

}  // namespace

TEST(GearBlockReport, GoldenTextsOfSpurAndHelicalGears) {
  // Designs well inside every limit, so that no warning is due.
  const BlockCase cases[] = {
      {"spur even z 20, bore", 2.0, 20, 0.0, 0.0, 1, 20.0, 10.0, 0.0},
      {"spur odd z 21 with allowance", 2.0, 21, 0.2, 0.0, 1, 15.0, 0.0, 0.05},
      {"helical E2 pinion, left", 3.0, 12, 0.09809, 30.0, -1, 40.0, 0.0, 0.0},
      {"helical z 20 right, narrow face", 2.0, 20, 0.1, 20.0, 1, 5.0, 8.0, 0.0},
      {"helical odd z 33", 1.5, 33, -0.1, 15.0, 1, 25.0, 0.0, 0.03},
  };
  for (const BlockCase& c : cases) {
    const GearRecord rec = BuildCase(c);
    ASSERT_EQ(rec.valid, 1) << c.name;
    // The pin or ball diameter is a rounded choice (0.05 mm steps) of about 1.7 m.
    EXPECT_NEAR(rec.pinDiameter, 1.7 * c.mn, 0.2 * c.mn) << c.name;
    const std::string caption = Lang("GEAR 1 (blue)", "WIEL 1 (blauw)");
    const std::string text = ReportBuildGearBlock(rec, caption);
    EXPECT_EQ(text, ExpectedBlock(c, rec, caption)) << c.name;
    std::vector<std::string> lines;
    EXPECT_TRUE(SplitCrLf(text, lines)) << c.name;
  }
}

TEST(GearBlockReport, WarningLinesFollowTheRecordsFlags) {
  BlockCase base{"spur", 2.0, 20, 0.0, 0.0, 1, 20.0, 10.0, 0.0};
  const GearRecord built = BuildCase(base);
  ASSERT_EQ(built.valid, 1);
  struct Case {
    const char* name;
    void (*edit)(GearRecord&);
    std::vector<std::string> warnings;  // in order
  };
  const std::string kSpan = Lang("  ! Wk measuring points outside the involute", "  ! meetpunten Wk buiten de evolvente");
  const std::string kPin = Lang("  ! pin does not protrude beyond the tip circle", "  ! pen steekt niet buiten de kopcirkel");
  const std::string kPinInv = Lang("  ! pin touches outside the involute", "  ! pen raakt buiten de evolvente");
  const std::string kUnder = Lang("  ! undercut (x < x min)", "  ! ondersnijding (x < x min)");
  const std::string kPointed = Lang("  ! pointed tooth, tip circle reduced", "  ! spitse tand, kopcirkel verkleind");
  const std::string kTip = Lang("  ! tip thickness < 0.25 m", "  ! kopdikte < 0.25 m");
  const std::string kBore = Lang("  ! bore larger than root circle", "  ! boring groter dan voetcirkel");
  const std::string kInvalid = Lang("  ! invalid geometry", "  ! geometrie ongeldig");
  const Case cases[] = {
      {"none", [](GearRecord&) {}, {}},
      {"span above tip", [](GearRecord& r) { r.spanContactRadius = r.tipRadius + 0.01; }, {kSpan}},
      {"span below form", [](GearRecord& r) { r.spanContactRadius = r.formRadius - 0.01; }, {kSpan}},
      {"pin inside tip", [](GearRecord& r) { r.pinProtrudes = 0; }, {kPin}},
      {"pin below form", [](GearRecord& r) { r.pinContactRadius = r.formRadius - 0.01; }, {kPinInv}},
      {"undercut", [](GearRecord& r) { r.undercut = 1; }, {kUnder}},
      {"pointed hides the tip check", [](GearRecord& r) { r.pointed = 1; r.tipThickness = 0.0; }, {kPointed}},
      {"tip thin", [](GearRecord& r) { r.tipThickness = 0.499; }, {kTip}},
      {"tip exactly 0.25 m", [](GearRecord& r) { r.tipThickness = 0.5; }, {}},
      {"bore equals root",
       [](GearRecord& r) { r.boreDiameter = 2.0 * r.rootRadius; },
       {Lang("  ! too little material between bore and root (0.00 mm)",
             "  ! te weinig materiaal tussen boring en voet (0.00 mm)"),
        kBore}},
      {"invalid, all of them",
       [](GearRecord& r) {
         r.valid = 0;
         r.undercut = 1;
         r.pinProtrudes = 0;
         r.boreDiameter = 100.0;
         r.tipThickness = 0.1;
       },
       {Lang("  ! too little material between bore and root (-32.50 mm)",
             "  ! te weinig materiaal tussen boring en voet (-32.50 mm)"),
        kUnder, kTip, kBore, kInvalid}},
  };
  for (const Case& c : cases) {
    GearRecord rec = built;
    c.edit(rec);
    std::vector<std::string> lines;
    ASSERT_TRUE(SplitCrLf(ReportBuildGearBlock(rec, "GEAR"), lines)) << c.name;
    std::vector<std::string> warnings;
    for (const std::string& line : lines) {
      if (line.rfind("  ! ", 0) == 0) warnings.push_back(line);
    }
    EXPECT_EQ(warnings, c.warnings) << c.name;
  }
}

// Inspection values are printed only where they can be measured: undercut
// gears whose first pin falls between the flanks below the base circle (m 1,
// z 20, x -0.60: the 1.60 mm pin finds no involute) take a smaller grid pin
// that touches the usable flank; a pin that touches no involute at all has no
// dimension over pins and warns instead; a gear whose geometry could not be
// built lists no inspection values at all.
TEST(GearBlockReport, NoInspectionValueThatCannotBeMeasured) {
  const std::string kPinInv = Lang("  ! pin touches outside the involute", "  ! pen raakt buiten de evolvente");
  const std::string kHeading = Lang("  Inspection dimensions (finished gear):", "  Controlematen (afgewerkt wiel):");
  struct Case {
    const char* name;
    BlockCase gear;
    bool valid, heading, md, warning;
    bool noSeat;  // the pin is made to touch no involute
  };
  const Case cases[] = {
      {"first pin below the base circle", {"z20", 1.0, 20, -0.60, 0.0, 1, 10.0, 0.0, 0.0}, true, true, true,
       false, false},
      {"odd z, first ball below the form radius", {"z21", 1.0, 21, -0.60, 0.0, 1, 10.0, 0.0, 0.0}, true, true,
       true, false, false},
      {"pin touching no involute", {"z20", 1.0, 20, -0.60, 0.0, 1, 10.0, 0.0, 0.0}, true, true, false, true,
       true},
      {"measurable", {"z25", 1.0, 25, -0.72, 0.0, 1, 10.0, 0.0, 0.0}, true, true, true, false, false},
      {"invalid geometry", {"z20", 1.0, 20, -4.0, 0.0, 1, 10.0, 0.0, 0.0}, false, false, false, false, false},
  };
  for (const Case& c : cases) {
    GearRecord rec = BuildCase(c.gear);
    if (c.noSeat) {
      rec.overPins = 0.0;
      rec.pinContactRadius = 0.0;
    }
    ASSERT_EQ(rec.valid != 0, c.valid) << c.name;
    std::vector<std::string> lines;
    ASSERT_TRUE(SplitCrLf(ReportBuildGearBlock(rec, "GEAR"), lines)) << c.name;
    bool heading = false, md = false, wk = false, warning = false;
    for (const std::string& line : lines) {
      heading = heading || line == kHeading;
      md = md || line.rfind("  Md = ", 0) == 0;
      wk = wk || line.rfind("  Wk = ", 0) == 0;
      warning = warning || line == kPinInv;
    }
    EXPECT_EQ(heading, c.heading) << c.name;
    EXPECT_EQ(wk, c.heading) << c.name;
    EXPECT_EQ(md, c.md) << c.name;
    EXPECT_EQ(warning, c.warning) << c.name;
    if (!c.valid) {
      EXPECT_EQ(lines.back(), Lang("  ! invalid geometry", "  ! geometrie ongeldig")) << c.name;
    }
  }
}

TEST(GearBlockReport, NoNegativeZeroInAnyValue) {
  // x = -0.00001 and an allowance of -1e-14 print as zero without a sign.
  GearRecord rec = BuildCase({"spur", 2.0, 20, -0.00001, 0.0, 1, 20.0, 0.0, 0.0});
  rec.thicknessAllowance = -1e-14;
  rec.toolShift = -3e-14;
  const std::string text = ReportBuildGearBlock(rec, "GEAR");
  EXPECT_EQ(text.find("-0.000"), std::string::npos) << text;
  EXPECT_NE(text.find("  x  = 0.0000   (x min = "), std::string::npos) << text;
  EXPECT_NE(text.find("  As = 0.0000"), std::string::npos) << text;
}
