// The search inputs of the Pair and Internal tabs met as a user meets them:
// a value typed (or a box ticked) after "Calculate modules" is named in the
// report, refused by the exports and the strength window, and typing the old
// value back gives the design again. Also the messages around it: the button
// that changes a loaded project marks it, the view names a refused field in
// place of its hint and frames the pair shown again, and a rack that cannot
// be made is named as such.
#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/view_redraw.h"
#include "app_fixture.h"
#include "platform/file_dialogs.h"
#include "platform/registry.h"

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }
std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }
std::string Report() { return GadgetGetText(kEditorReport); }

const int64_t kModeOfTab[] = {kViewPair, kViewSingle, kViewRack, kViewInternal};

// The view's fit of a design spanning the model box, on the canvas as it is
// now: a margin of 40 px across and 60 px down.
double FitZoom(double width, double height) {
  const double w = static_cast<double>(GadgetGetWidth(kCanvasView));
  const double h = static_cast<double>(GadgetGetHeight(kCanvasView));
  return std::min((w - 40.0) / width, (h - 60.0) / height);
}

class SearchInputTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    char pattern[] = "/tmp/norvale_search_inputs_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    SetFileDialogResponder([this](bool, const std::string&, const std::string&, const std::string&) {
      return dialogAnswer_;
    });
    nextAnswer_ = kResultOk;
    ASSERT_TRUE(ActivateAndWaitForFocus(MainWindowWidget()));
  }
  void TearDown() override {
    SetFileDialogResponder(nullptr);
    std::filesystem::remove_all(dir_);
    AppTest::TearDown();
  }

  static QLineEdit* LineEditOf(int64_t control) {
    QWidget* w = ControlWidget(control);
    if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
    return qobject_cast<QLineEdit*>(w);
  }

  // The user puts the cursor in the field, selects its text and types the
  // new one key by key.
  void TypeInto(int64_t control, const std::string& text) {
    QLineEdit* edit = LineEditOf(control);
    ASSERT_NE(edit, nullptr) << control;
    ASSERT_TRUE(ActivateAndWaitForFocus(MainWindowWidget(), edit)) << control;
    edit->selectAll();
    if (text.empty()) {
      QTest::keyClick(edit, Qt::Key_Delete);
    } else {
      QTest::keyClicks(edit, QString::fromStdString(text));
    }
    Pump();
  }

  // The user ticks or clears a check box with the space bar.
  void Toggle(int64_t control) {
    auto* box = qobject_cast<QAbstractButton*>(ControlWidget(control));
    ASSERT_NE(box, nullptr) << control;
    ASSERT_TRUE(ActivateAndWaitForFocus(MainWindowWidget(), box)) << control;
    const bool was = box->isChecked();
    QTest::keyClick(box, Qt::Key_Space);
    Pump();
    ASSERT_NE(box->isChecked(), was) << control;
  }

  void Click(int64_t control) {
    QTest::mouseClick(ControlWidget(control), Qt::LeftButton);
    Pump();
  }

  void ClickTab(int tab) {
    QTabBar* bar = static_cast<QTabWidget*>(ControlWidget(kPanelTabs))->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    Pump();
    ASSERT_EQ(GadgetGetState(kPanelTabs), tab);
  }

  void ClickRow(int64_t list, int row) {
    auto* tree = static_cast<QTreeWidget*>(ControlWidget(list));
    QTreeWidgetItem* item = tree->topLevelItem(row);
    ASSERT_NE(item, nullptr);
    tree->scrollToItem(item);
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    Pump();
  }

  // An export of the kind to `name` in the test folder: the messages it
  // showed, and whether the file is there afterwards.
  bool Export(int64_t button, const std::string& name) {
    dialogAnswer_ = dir_ + "/" + name;
    std::filesystem::remove(dialogAnswer_);
    messages_.clear();
    Click(button);
    return std::filesystem::exists(dialogAnswer_);
  }

  // Each export in turn shows one message under "Norvale" that names the
  // field, and writes no file.
  void ExpectExportsRefused(const std::string& warning) {
    const std::pair<int64_t, const char*> kinds[] = {
        {kButtonExportDxf, "out.dxf"}, {kButtonExportStep, "out.stp"}, {kButtonExportStl, "out.stl"}};
    for (const auto& [button, name] : kinds) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(Export(button, name));
      ASSERT_EQ(messages_.size(), 1u);
      EXPECT_EQ(messages_[0].title, "Norvale");
      EXPECT_TRUE(Contains(messages_[0].text, warning)) << messages_[0].text;
    }
    messages_.clear();
  }

  void OpenStrengthWindow() {
    Click(kButtonStrength);
    ASSERT_TRUE(WindowIsVisible(kWindowStrength));
  }

  void ExpectStrengthNamesTheField(const std::string& warning) {
    EXPECT_EQ(gStrength.valid, 0);
    EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("Not calculated", "Niet berekend"));
    EXPECT_TRUE(Contains(GadgetGetText(kEditorStrengthReport), warning)) << GadgetGetText(kEditorStrengthReport);
  }

  // Whether the canvas shows anything but its background colour in the band
  // of rows y0..y1 (logical px) left of x = 600.
  static bool HasInkInBand(double y0, double y1) {
    const double right = std::min(600.0, static_cast<double>(GadgetGetWidth(kCanvasView)));
    for (double y = y0; y <= y1; y += 1.0) {
      for (double x = 0.0; x < right; x += 1.0) {
        const Rgba p = PixelAt(x, y);
        if (p.r != 250 || p.g != 250 || p.b != 252) return true;
      }
    }
    return false;
  }

  std::string dir_;
  std::string dialogAnswer_;
};

std::string PressCalculate() { return Pick("; press \"Calculate modules\"", "; druk op \"Modulen berekenen\""); }

// "<field> = <typed> differs from the value the list was calculated for (<old>); press ..."
std::string Differs(const char* english, const char* dutch, const std::string& typed, const std::string& old) {
  return std::string(Pick(english, dutch)) + " = " + typed +
         Pick(" differs from the value the list was calculated for (",
              " wijkt af van de waarde waarvoor de lijst is berekend (") +
         old + ")" + PressCalculate();
}

std::string Ticked(const char* english, const char* dutch) {
  return "\"" + std::string(Pick(english, dutch)) + "\"" +
         Pick(" is ticked, but the list was calculated without it",
              " is aangevinkt, maar de lijst is zonder dit vinkje berekend") +
         PressCalculate();
}

struct SearchCase {
  int tab;
  int64_t control;
  const char* typed;  // nullptr: the check box is ticked
  std::string warning;  // empty: the same value, no warning
};

// Fault: the search inputs but the centre distance and the pressure angle
// were read only by "Calculate modules". A helix angle of 15° typed on the
// start-up pair left the report without a β line or a warning, and the STEP
// export wrote a straight spur pair; a ratio of 3 kept "i = 2.0000"; the
// other search fields and the two check boxes were taken without a word.
// The old values (the tabs' start-up inputs: a 60 / 40, i 2 / 3, α 20, β 0,
// tolerance 2 %, Σx and Δx -0.5 to 1.0, z min 12, tooth difference 8, both
// boxes clear) come from the list the program opens with.
TEST_F(SearchInputTest, ASearchInputChangedAfterTheListIsNamedRefusedAndRestoredByTheOldValue) {
  const SearchCase cases[] = {
      {kTabPair, kFieldPairHelixAngle, "15", Differs("Helix angle β [°]", "Schuinte β [°]", "15", "0")},
      {kTabPair, kFieldPairRatio, "3", Differs("Ratio i", "Overbrenging i", "3", "2")},
      {kTabPair, kFieldPairTolerance, "1", Differs("Tolerance i [±%]", "Tolerantie i [±%]", "1", "2")},
      {kTabPair, kFieldPairShiftSumMin, "-0.4", Differs("Σx min", "Σx min", "-0.4", "-0.5")},
      {kTabPair, kFieldPairShiftSumMax, "0,8", Differs("Σx max", "Σx max", "0,8", "1")},
      {kTabPair, kFieldPairZMin, "13", Differs("z min", "z min", "13", "12")},
      {kTabPair, kCheckPairHelixSearch, nullptr,
       Ticked("β search: Σx = 0, β ≤ given", "β zoeken: Σx = 0, β ≤ opgegeven")},
      {kTabPair, kCheckPairSeries2, nullptr,
       Ticked("Also DIN 780 series 2 (non-preferred modules)", "Ook DIN 780 reeks 2 (niet-voorkeur modulen)")},
      // The same value in another form is no change.
      {kTabPair, kFieldPairRatio, "2.0", ""},
      {kTabPair, kFieldPairRatio, " 2,0 ", ""},
      {kTabPair, kFieldPairHelixAngle, "0.000", ""},
      {kTabInternal, kFieldIntRatio, "4", Differs("Ratio i", "Overbrenging i", "4", "3")},
      {kTabInternal, kFieldIntHelixAngle, "10", Differs("Helix angle β [°]", "Schuinte β [°]", "10", "0")},
      {kTabInternal, kFieldIntTolerance, "3", Differs("Tolerance i [±%]", "Tolerantie i [±%]", "3", "2")},
      {kTabInternal, kFieldIntShiftDiffMin, "-0.25", Differs("Δx min", "Δx min", "-0.25", "-0.5")},
      {kTabInternal, kFieldIntShiftDiffMax, "0.5", Differs("Δx max", "Δx max", "0.5", "1")},
      {kTabInternal, kFieldIntZ1Min, "14", Differs("z1 min", "z1 min", "14", "12")},
      {kTabInternal, kFieldIntMinToothDiff, "9", Differs("Min. tooth difference", "Tandverschil min", "9", "8")},
      {kTabInternal, kCheckIntHelixSearch, nullptr,
       Ticked("β search: Δx = 0, β ≤ given", "β zoeken: Δx = 0, β ≤ opgegeven")},
      {kTabInternal, kCheckIntSeries2, nullptr,
       Ticked("Also DIN 780 series 2 (non-preferred modules)", "Ook DIN 780 reeks 2 (niet-voorkeur modulen)")},
      {kTabInternal, kFieldIntRatio, "3.0", ""},
  };
  OpenStrengthWindow();
  for (const SearchCase& c : cases) {
    SCOPED_TRACE("tab " + std::to_string(c.tab) + ", control " + std::to_string(c.control) + ", '" +
                 (c.typed ? c.typed : "tick") + "'");
    ClickTab(c.tab);
    ASSERT_EQ(gViewMode, kModeOfTab[c.tab]);
    const std::string before = Report();
    ASSERT_NE(before.substr(0, 4), "  ! ");
    const std::string old = GadgetGetText(c.control);

    if (c.typed) TypeInto(c.control, c.typed);
    else Toggle(c.control);
    if (c.warning.empty()) {
      EXPECT_EQ(Report(), before);
      EXPECT_EQ(gStrength.valid, 1);
    } else {
      EXPECT_EQ(FirstLine(Report()), "  ! " + c.warning);
      // The pair of the list stays drawn, and its report below the warning.
      EXPECT_EQ(gViewMode, kModeOfTab[c.tab]);
      EXPECT_TRUE(Contains(Report(), before));
      ExpectExportsRefused(c.warning);
      ExpectStrengthNamesTheField(c.warning);
    }

    // The old value typed back (the box cleared again) gives the design again.
    if (c.typed) TypeInto(c.control, old);
    else Toggle(c.control);
    EXPECT_EQ(Report(), before);
    EXPECT_EQ(gStrength.valid, 1);
  }
}

// A box ticked for the search and cleared after it is named as well.
TEST_F(SearchInputTest, ABoxClearedAfterASearchWithItIsNamed) {
  ClickTab(kTabInternal);
  Toggle(kCheckIntSeries2);
  Click(kButtonIntCalculate);
  ASSERT_EQ(gViewMode, kViewInternal);
  const std::string before = Report();
  ASSERT_NE(before.substr(0, 4), "  ! ");
  Toggle(kCheckIntSeries2);
  EXPECT_EQ(FirstLine(Report()),
            "  ! \"" + std::string(Pick("Also DIN 780 series 2 (non-preferred modules)",
                                        "Ook DIN 780 reeks 2 (niet-voorkeur modulen)")) +
                "\"" +
                Pick(" is not ticked, but the list was calculated with it",
                     " is niet aangevinkt, maar de lijst is met dit vinkje berekend") +
                PressCalculate());
  Toggle(kCheckIntSeries2);
  EXPECT_EQ(Report(), before);
}

// Fault: the STEP export of the start-up pair with β = 15 typed wrote the
// spur pair of the list as if it were the helical pair of the fields.
TEST_F(SearchInputTest, StepExportOfTheStartUpPairWaitsForTheHelixAngleOfTheList) {
  ASSERT_EQ(gViewMode, kViewPair);
  TypeInto(kFieldPairHelixAngle, "15");
  EXPECT_FALSE(Export(kButtonExportStep, "pair.stp"));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_TRUE(Contains(messages_[0].text, Differs("Helix angle β [°]", "Schuinte β [°]", "15", "0")))
      << messages_[0].text;
  // β = 15 is no line of the report of the spur pair on screen, but its warning is.
  EXPECT_FALSE(Contains(Report(), "  β  = 15"));

  TypeInto(kFieldPairHelixAngle, "0");
  EXPECT_TRUE(Export(kButtonExportStep, "pair.stp"));
  EXPECT_TRUE(messages_.empty());
}

// Fault: "Calculate modules" of the Pair tab replaced a loaded project's row
// and x1 by row 0 without the " *" of a changed project, so closing the
// program asked nothing and the change was lost.
TEST_F(SearchInputTest, CalculateModulesOnThePairTabMarksALoadedProjectChanged) {
  ClickRow(kListPairResults, 3);
  ASSERT_EQ(gPairSelectedRow, 3);
  dialogAnswer_ = dir_ + "/row3.tdw";
  Click(kButtonSaveAs);
  ASSERT_EQ(gProjectPath, dialogAnswer_);
  Click(kButtonOpen);  // the same project again, from its file
  ASSERT_EQ(gProjectPath, dir_ + "/row3.tdw");
  ASSERT_EQ(gPairSelectedRow, 3);
  const std::string title = WindowGetTitle(kWindowMain);
  ASSERT_FALSE(Contains(title, " *")) << title;

  Click(kButtonPairCalculate);
  EXPECT_EQ(gPairSelectedRow, 0);
  EXPECT_TRUE(Contains(WindowGetTitle(kWindowMain), "row3.tdw *")) << WindowGetTitle(kWindowMain);

  // Closing asks about the change; Cancel keeps the program running.
  messages_.clear();
  nextAnswer_ = kResultCancel;
  MainWindowWidget()->close();
  Pump();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, Pick("The project has been changed. Save changes?",
                                    "Het project is gewijzigd. Wijzigingen opslaan?"));
  EXPECT_EQ(gQuit, 0);
}

// Fault: after a tab switch with a refused field the empty view said
// "Calculate the modules and pick a row, or make a single gear." on the
// Single tab, and on the Pair tab while a row was highlighted; once the value
// was mended the pair came back at the other tab's zoom, off the canvas.
TEST_F(SearchInputTest, AfterATabSwitchTheViewNamesTheRefusedFieldAndFitsTheDesignOnceMended) {
  struct HintCase {
    int tab;
    int64_t control;
    const char* refused;
    const char* mended;
    const char* named;  // what the view says of the field, English and Dutch
    const char* namedNl;
    double width, height, centreX;  // model box of the mended design (mm)
  };
  // Single gear m 2, z 20: tip radius 22. Start-up pair m 0.2, z 200 / 400,
  // x 0 at a = 60: tip radii 20.2 and 40.2, so x from -20.2 to 100.2.
  const HintCase cases[] = {
      {kTabSingle, kFieldSingleTeeth, "2", "20", "Number of teeth z = 2", "Aantal tanden z = 2", 44.0, 44.0, 0.0},
      {kTabPair, kFieldPairCentreDistance, "80", "60", "Centre distance a [mm] = 80", "Hartafstand a [mm] = 80",
       120.4, 80.4, 40.0},
      {kTabPair, kFieldPairHelixAngle, "15", "0", "Helix angle β [°] = 15", "Schuinte β [°] = 15", 120.4, 80.4,
       40.0},
  };
  for (const HintCase& c : cases) {
    SCOPED_TRACE(c.named);
    ClickTab(c.tab);
    TypeInto(c.control, c.refused);
    ClickTab(c.tab == kTabSingle ? kTabRack : kTabSingle);
    ASSERT_NE(gViewMode, kViewNone);
    ClickTab(c.tab);
    EXPECT_EQ(gViewMode, kViewNone);
    if (gViewMode != kViewNone) continue;
    EXPECT_EQ(GadgetGetState(kListPairResults), 0);  // a row stays highlighted

    // The canvas shows the lines one under the other: a second line of text
    // where the one-line hint leaves the background.
    RedrawView();
    EXPECT_TRUE(HasInkInBand(20.0, 36.0));
    EXPECT_TRUE(HasInkInBand(48.0, 60.0));
    const std::vector<std::string> lines = ViewHintLines();
    std::string joined;
    for (const std::string& line : lines) joined += line;
    EXPECT_EQ(joined.find(Pick("Calculate the modules", "Bereken de modulen")), std::string::npos) << joined;
    EXPECT_GE(lines.size(), 2u);
    if (lines.size() >= 2) {
      EXPECT_EQ(lines[0], Pick("No design is drawn: a field of this tab is refused.",
                               "Er is geen ontwerp getekend: een veld van dit tabblad wordt geweigerd."));
      EXPECT_EQ(lines[1].rfind(Pick(c.named, c.namedNl), 0), 0u) << lines[1];
    }

    gZoom = 0.5;  // as the user may have left it
    TypeInto(c.control, c.mended);
    ASSERT_EQ(gViewMode, kModeOfTab[c.tab]);
    EXPECT_NEAR(gZoom, FitZoom(c.width, c.height), 1e-9);
    EXPECT_NEAR(gViewCentreX, c.centreX, 1e-9);
    EXPECT_NEAR(gViewCentreY, 0.0, 1e-9);
  }
}

// Fault: a rack height at or below the dedendum hf = 1.25 m left the report
// printing "H = A + Hp" of the refused height, and the export said "There is
// no (valid) gear to export yet." with a valid pinion on screen, naming
// neither the rack nor its height.
TEST_F(SearchInputTest, ARackHeightNotAboveTheDedendumIsNamedRefusedAndNotCalculated) {
  ClickTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  OpenStrengthWindow();
  const std::string before = Report();
  // Pinion m 2, z 20, x 0: the rack's pitch line lies A = r1 = 20 below the
  // pinion axis and its back H = A + Hp; hf = 1.25 m = 2.5.
  struct HeightCase {
    const char* typed;
    bool refused;
    const char* back;  // "H = A + Hp" of the typed height
  };
  const HeightCase cases[] = {{"2.5", true, "  H  = 22.500"}, {"2.4", true, "  H  = 22.400"},
                              {"2.6", false, "  H  = 22.600"}};
  const std::string field = Pick("Rack height Hp [mm] = ", "Heugelhoogte Hp [mm] = ");
  for (const HeightCase& c : cases) {
    SCOPED_TRACE(c.typed);
    TypeInto(kFieldRackHeight, c.typed);
    const std::string first = FirstLine(Report());
    if (c.refused) {
      EXPECT_EQ(first.rfind("  ! " + field + c.typed, 0), 0u) << first;
      if (first.size() < 4 + field.size() + 3) continue;
      EXPECT_TRUE(Contains(first.substr(4 + field.size() + 3), "2.5")) << first;  // the dedendum hf
      EXPECT_FALSE(Contains(Report(), c.back));
      EXPECT_TRUE(Contains(Report(), before));
      ExpectExportsRefused(first.substr(4));
      ExpectStrengthNamesTheField(first.substr(4));
    } else {
      EXPECT_NE(first.substr(0, 4), "  ! ");
      EXPECT_TRUE(Contains(Report(), c.back));
      EXPECT_EQ(gRack.valid, 1);
    }
  }
  TypeInto(kFieldRackHeight, "15");
  EXPECT_EQ(Report(), before);
}

TEST_F(SearchInputTest, ARackThatCannotBeMadeIsNamedByTheExport) {
  ClickTab(kTabRack);
  ASSERT_EQ(gViewMode, kViewRack);
  // The tooth gaps of the rack close above its root line when the flanks meet
  // there: pi m / 4 < hf tan α, i.e. α > atan(pi / 5) = 32.14°. At 33° the
  // pinion is still a gear, the rack is none: the export names the rack.
  // Fault: the export said "There is no (valid) gear to export yet." here.
  TypeInto(kFieldRackPressureAngle, "33");
  ASSERT_EQ(gGear1.valid, 1);
  ASSERT_EQ(gRack.valid, 0);
  EXPECT_FALSE(Export(kButtonExportDxf, "rack.dxf"));
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text,
            Pick("Nothing was exported: the rack cannot be made from these inputs (the report says why).",
                 "Er is niets geëxporteerd: de heugel kan met deze invoer niet worden gemaakt (het rapport zegt "
                 "waarom)."));
  TypeInto(kFieldRackPressureAngle, "32");
  ASSERT_EQ(gRack.valid, 1);
  EXPECT_TRUE(Export(kButtonExportDxf, "rack.dxf"));
  EXPECT_TRUE(messages_.empty());
}

}  // namespace
