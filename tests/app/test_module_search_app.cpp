// "Calculate modules" of the Pair and Internal tabs and the choice of a row,
// driven as a user would: the start-up search, refused and empty searches
// with their messages, and the row choice with its proposed x1.
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <cstdio>
#include <string>

#include "app/control_ids.h"
#include "app/search_commands.h"
#include "app_fixture.h"

namespace {

// x min against undercut of a spur gear (basic rack hf* 1.25, rho_f* 0.38):
// 1.25 - 0.38 (1 - sin a) - z sin^2 a / 2.
double SpurMinShift(double z, double alphaDeg) {
  const double a = alphaDeg * 3.14159265358979323846 / 180.0;
  return 1.25 - 0.38 * (1.0 - std::sin(a)) - z * std::sin(a) * std::sin(a) / 2.0;
}

std::string Fixed4(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", v);
  return buf;
}

class SearchAppTest : public AppTest {
 protected:
  void ClickButton(int64_t control) {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
    Pump();
  }
  void ClickRow(int64_t control, int row) {
    auto* list = static_cast<QTreeWidget*>(Widget(control));
    QTreeWidgetItem* item = list->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    Pump();
  }
  void ShowTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    Pump();
  }
};

const char* kPairBadInput = Pick("Check centre distance, ratio, pressure angle (10..35), β (0..45) and z min.",
                                 "Controleer hartafstand, verhouding, drukhoek (10..35), β (0..45) en z min.");
const char* kPairNoRowsShift = Pick("No combinations found. Increase the tolerance or the limits of Σx.",
                                    "Geen combinaties gevonden. Vergroot de tolerantie of de grenzen van Σx.");
const char* kPairNoRowsHelix = Pick("No combinations found. Increase the tolerance or the maximum β.",
                                    "Geen combinaties gevonden. Vergroot de tolerantie of de maximale β.");

}  // namespace

TEST_F(SearchAppTest, StartUpListsTheDefaultSearchAndAppliesRowZero) {
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(gPairSearchResults.size(), 15u);
  EXPECT_EQ(GadgetCountItems(kListPairResults), 15);
  EXPECT_EQ(GadgetGetState(kListPairResults), 0);
  EXPECT_EQ(gPairSelectedRow, 0);
  // Row 0: m 0.2 with 200 / 400 teeth, exact ratio, no shift.
  const char* columns[] = {"0.2", "200", "400", "2.000", "0.00", "0.000", "0.000"};
  for (int c = 0; c < 7; ++c) EXPECT_EQ(GadgetGetItemText(kListPairResults, 0, c), columns[c]) << c;
  // Both gears are far from undercut: the even split x1 = 0.
  EXPECT_EQ(GadgetGetText(kFieldPairShiftX1), "0.0000");
  EXPECT_EQ(gProjectModified, 0);

  // The pair is on screen with its report. m 0.2, z 200 / 400, x 0 at
  // a = a0 = 60: alpha_w = 20 deg, tips r + m, g_alpha = sqrt(ra1^2 - rb1^2)
  // + sqrt(ra2^2 - rb2^2) - a sin 20 deg, eps_alpha = g_alpha / (pi m cos 20 deg).
  EXPECT_EQ(gViewMode, kViewPair);
  const double alpha = 20.0 * 3.14159265358979323846 / 180.0;
  const double rb1 = 20.0 * std::cos(alpha), rb2 = 40.0 * std::cos(alpha);
  const double galpha = std::sqrt(20.2 * 20.2 - rb1 * rb1) + std::sqrt(40.2 * 40.2 - rb2 * rb2) - 60.0 * std::sin(alpha);
  const double epsAlpha = galpha / (3.14159265358979323846 * 0.2 * std::cos(alpha));
  char numbers[64];
  std::snprintf(numbers, sizeof numbers, "%.3f|%.3f", galpha, epsAlpha);
  const std::string g(numbers, std::string(numbers).find('|'));
  const std::string e(std::string(numbers).substr(g.size() + 1));
  const std::string section =
      std::string(Pick("GEAR PAIR\r\n  a  = 60.000   centre distance\r\n  a0 = 60.000   reference centre distance\r\n",
                       "TANDWIELPAAR\r\n  a  = 60.000   hartafstand\r\n  a0 = 60.000   nul-hartafstand\r\n")) +
      "  i  = 2.0000   (z2/z1)\r\n" + Pick("  αw = 20.000°  operating pressure angle\r\n", "  αw = 20.000°  bedrijfsdrukhoek\r\n") +
      "  Σx = 0.0000\r\n" + Pick("  k·m = 0.000   tip shortening\r\n", "  k·m = 0.000   kopverkorting\r\n") +
      Pick("  jn = 0.0000   normal backlash\r\n  jt = 0.0000   circumferential backlash at dw\r\n",
           "  jn = 0.0000   normale flankspeling\r\n  jt = 0.0000   omtreksspeling op dw\r\n") +
      "  gα = " + g + Pick("   length of path of contact A–E\r\n", "   lengte ingrijpingslijn A–E\r\n") +
      "  εα = " + e + Pick("   transverse contact ratio\r\n", "   profieloverdekking\r\n") + "\r\n" +
      Pick("GEAR 1 (blue)\r\n  z  = 200     m = 0.2 mm\r\n", "WIEL 1 (blauw)\r\n  z  = 200     m = 0.2 mm\r\n");
  const std::string report = GadgetGetText(kEditorReport);
  EXPECT_EQ(report.substr(0, section.size()), section);
  EXPECT_NE(report.find(Pick("\r\n\r\nGEAR 2 (orange)\r\n  z  = 400     m = 0.2 mm\r\n",
                             "\r\n\r\nWIEL 2 (oranje)\r\n  z  = 400     m = 0.2 mm\r\n")),
            std::string::npos);
}

TEST_F(SearchAppTest, RefusedOrEmptySearchEmptiesTheListWithItsMessage) {
  struct Case {
    int64_t field;
    const char* text;
    bool helixSearch;
    const char* message;
    int64_t icon;
  };
  const Case cases[] = {
      {kFieldPairRatio, "Infinity", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairRatio, "NaN", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairCentreDistance, "0", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairPressureAngle, "9,99", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairZMin, "2", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairTolerance, "-Infinity", false, kPairBadInput, kMessageIconWarning},
      {kFieldPairRatio, "1e300", false, kPairNoRowsShift, kMessageIconInfo},
      {kFieldPairZMin, "401", false, kPairNoRowsShift, kMessageIconInfo},
      {kFieldPairZMin, "401", true, kPairNoRowsHelix, kMessageIconInfo},
  };
  for (const Case& c : cases) {
    // The start inputs and a chosen row first.
    const std::string defaults[] = {"60", "2", "20", "2", "12"};
    GadgetSetText(kFieldPairCentreDistance, defaults[0]);
    GadgetSetText(kFieldPairRatio, defaults[1]);
    GadgetSetText(kFieldPairPressureAngle, defaults[2]);
    GadgetSetText(kFieldPairTolerance, defaults[3]);
    GadgetSetText(kFieldPairZMin, defaults[4]);
    GadgetSetState(kCheckPairHelixSearch, 0);
    ClickButton(kButtonPairCalculate);
    ASSERT_EQ(gPairSelectedRow, 0) << c.text;
    ASSERT_TRUE(messages_.empty()) << c.text;
    const int64_t modeBefore = gViewMode;
    const std::string reportBefore = GadgetGetText(kEditorReport);
    const GearRecord gear1Before = gGear1;

    GadgetSetText(c.field, c.text);
    GadgetSetState(kCheckPairHelixSearch, c.helixSearch ? 1 : 0);
    ClickButton(kButtonPairCalculate);
    ASSERT_EQ(messages_.size(), 1u) << c.text;
    EXPECT_EQ(messages_[0].title, "Norvale");
    EXPECT_EQ(messages_[0].text, c.message) << c.text;
    EXPECT_EQ(messages_[0].flags, kMessageOk | c.icon) << c.text;
    EXPECT_TRUE(gPairSearchResults.empty()) << c.text;
    EXPECT_EQ(GadgetCountItems(kListPairResults), 0) << c.text;
    EXPECT_EQ(gPairSelectedRow, -1) << c.text;
    // With no chosen row the pair is gone, as after a tab switch without one:
    // no mode, no report, the hint (the records themselves stay).
    EXPECT_EQ(modeBefore, kViewPair);
    EXPECT_EQ(gViewMode, kViewNone) << c.text;
    EXPECT_NE(reportBefore, "");
    EXPECT_EQ(GadgetGetText(kEditorReport), "") << c.text;
    EXPECT_EQ(gGear1.teeth, gear1Before.teeth) << c.text;
    messages_.clear();
  }
}

TEST_F(SearchAppTest, RowChoiceAppliesTheProposedShiftOnceAndMarksTheProject) {
  ASSERT_GE(gPairSearchResults.size(), 4u);
  const SearchResultRow row = gPairSearchResults[3];
  // Spur rows of the default search: both gears have x min below half the
  // shift sum, so x1 is the even split.
  ASSERT_LT(SpurMinShift(double(row.teeth1), 20.0), row.shiftSum / 2.0);
  ASSERT_LT(SpurMinShift(double(row.teeth2), 20.0), row.shiftSum / 2.0);
  gProjectModified = 0;
  ClickRow(kListPairResults, 3);
  EXPECT_EQ(gPairSelectedRow, 3);
  EXPECT_EQ(GadgetGetText(kFieldPairShiftX1), Fixed4(row.shiftSum / 2.0));
  EXPECT_EQ(gProjectModified, 1);
  // The row defines the pair on screen.
  EXPECT_EQ(gViewMode, kViewPair);
  EXPECT_EQ(gGear1.teeth, row.teeth1);
  EXPECT_EQ(gGear2.teeth, row.teeth2);
  EXPECT_DOUBLE_EQ(gGear1.normalModule, row.module);
  EXPECT_NEAR(gGear1.profileShift + gGear2.profileShift, row.shiftSum, 1e-4);
  EXPECT_NE(GadgetGetText(kEditorReport).find("  z  = " + std::to_string(row.teeth1) + "     m = "), std::string::npos);

  // Clicking the chosen row again does nothing.
  gProjectModified = 0;
  GadgetSetText(kFieldPairShiftX1, "0.1234");
  ClickRow(kListPairResults, 3);
  EXPECT_EQ(gPairSelectedRow, 3);
  EXPECT_EQ(GadgetGetText(kFieldPairShiftX1), "0.1234");
  EXPECT_EQ(gProjectModified, 0);

  // "Calculate modules" of the Pair tab applies row 0, which changes the
  // design, so it marks the project as the Internal tab's button does.
  ClickButton(kButtonPairCalculate);
  EXPECT_EQ(gPairSelectedRow, 0);
  EXPECT_EQ(GadgetGetState(kListPairResults), 0);
  EXPECT_EQ(GadgetGetText(kFieldPairShiftX1), "0.0000");
  EXPECT_EQ(gProjectModified, 1);
}

TEST_F(SearchAppTest, InternalButtonAppliesRowZeroAndMarksTheProject) {
  ShowTab(3);
  gProjectModified = 0;
  GadgetSetText(kFieldIntShiftX1, "0.5");
  ClickButton(kButtonIntCalculate);
  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(gInternalSearchResults.size(), 19u);
  EXPECT_EQ(GadgetCountItems(kListIntResults), 19);
  EXPECT_EQ(GadgetGetState(kListIntResults), 0);
  EXPECT_EQ(gInternalSelectedRow, 0);
  // Row 0 is m 0.12 with 333 / 999 teeth: x min of 333 teeth is far below 0,
  // so the pinion gets x1 = 0.
  const char* columns[] = {"0.12", "333", "999", "3.000", "0.00"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(GadgetGetItemText(kListIntResults, 0, c), columns[c]) << c;
  EXPECT_EQ(GadgetGetText(kFieldIntShiftX1), "0.0000");
  EXPECT_EQ(gProjectModified, 1);
  EXPECT_EQ(gViewMode, kViewInternal);
  EXPECT_EQ(gGear1.teeth, 333);
  EXPECT_EQ(gRing.teeth, 999);
  EXPECT_EQ(GadgetGetText(kEditorReport).rfind(Pick("INTERNAL GEAR PAIR\r\n", "BINNENVERTANDING\r\n"), 0), 0u);
}

TEST_F(SearchAppTest, InternalSearchRefusesRatioOneAndIsQuietWhenSilent) {
  ShowTab(3);
  ClickButton(kButtonIntCalculate);
  ASSERT_EQ(gInternalSelectedRow, 0);
  messages_.clear();
  GadgetSetText(kFieldIntRatio, "1");
  SearchInternalCombinations(1);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(GadgetCountItems(kListIntResults), 0);
  EXPECT_EQ(gInternalSelectedRow, -1);

  ClickButton(kButtonIntCalculate);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            Pick("Check centre distance, ratio (> 1), pressure angle (10..35), β (0..45), z min and tooth difference.",
                 "Controleer hartafstand, verhouding (> 1), drukhoek (10..35), β (0..45), z min en tandverschil."));
  EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconWarning);

  messages_.clear();
  GadgetSetText(kFieldIntRatio, "3");
  GadgetSetText(kFieldIntZ1Min, "401");
  ClickButton(kButtonIntCalculate);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            Pick("No combinations found. Increase the tolerance, the limits of Δx or the maximum β.",
                 "Geen combinaties gevonden. Vergroot de tolerantie, de grenzen van Δx of de maximale β."));
  EXPECT_EQ(messages_[0].flags, kMessageOk | kMessageIconInfo);
  EXPECT_EQ(gInternalSelectedRow, -1);
}
