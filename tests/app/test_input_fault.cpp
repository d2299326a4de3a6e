// Inputs that describe no design, met as a user meets them: a value typed
// out of range or unreadable, a project loaded with one, "Calculate modules"
// that finds nothing. The report then opens with a warning that names the
// field, its text and its range; the three exports refuse and write nothing;
// the strength window calculates nothing and "Copy report" never leaves an
// older report on the clipboard.
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/project_file.h"
#include "app_fixture.h"
#include "platform/file_dialogs.h"
#include "platform/registry.h"

namespace {

QLineEdit* LineEditOf(int64_t control) {
  QWidget* w = ControlWidget(control);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(w);
}

// The user selects the field's text and types the new one key by key (an
// empty text: the Delete key).
void TypeInto(int64_t control, const std::string& text) {
  QLineEdit* edit = LineEditOf(control);
  ASSERT_NE(edit, nullptr) << control;
  edit->setFocus();
  edit->selectAll();
  if (text.empty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, QString::fromStdString(text));
  }
}

void Click(int64_t control) { QTest::mouseClick(ControlWidget(control), Qt::LeftButton); }

void ClickTab(int tab) {
  auto* tabs = static_cast<QTabWidget*>(ControlWidget(kPanelTabs));
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string FirstLine(const std::string& text) { return text.substr(0, text.find("\r\n")); }

std::string Report() { return GadgetGetText(kEditorReport); }

const int64_t kModeOfTab[] = {kViewPair, kViewSingle, kViewRack, kViewInternal};

class InputFaultTest : public AppTest {
 protected:
  void SetUp() override {
    AppTest::SetUp();
    char pattern[] = "/tmp/norvale_fault_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    // The save dialog answers a path in the test folder, so an export that is
    // not refused really writes its file there.
    SetFileDialogResponder([this](bool, const std::string&, const std::string&, const std::string&) {
      return dialogAnswer_;
    });
    nextAnswer_ = kResultOk;
    startProject_ = BuildProjectFileText();
  }
  void TearDown() override {
    SetFileDialogResponder(nullptr);
    std::filesystem::remove_all(dir_);
    AppTest::TearDown();
  }

  void OpenStrengthWindow() {
    Click(kButtonStrength);
    Pump();
    ASSERT_TRUE(WindowIsVisible(kWindowStrength));
  }

  // Each export in turn: a message under "Norvale" that names the field, and
  // no file at the path the save dialog would give.
  void ExpectExportsRefused(const std::string& field) {
    const std::pair<int64_t, const char*> kinds[] = {
        {kButtonExportDxf, "out.dxf"}, {kButtonExportStep, "out.stp"}, {kButtonExportStl, "out.stl"}};
    for (const auto& [button, name] : kinds) {
      SCOPED_TRACE(name);
      dialogAnswer_ = dir_ + "/" + name;
      messages_.clear();
      Click(button);
      Pump();
      EXPECT_FALSE(std::filesystem::exists(dialogAnswer_));
      ASSERT_EQ(messages_.size(), 1u);
      EXPECT_EQ(messages_[0].title, "Norvale");
      EXPECT_TRUE(Contains(messages_[0].text, field)) << messages_[0].text;
    }
    messages_.clear();
  }

  // The strength window calculates nothing and names the field (when one is
  // given); "Copy report" replaces an older clipboard text by what it shows.
  void ExpectStrengthShowsNothing(const std::string& field) {
    EXPECT_EQ(gStrength.valid, 0);
    const std::string shown = GadgetGetText(kEditorStrengthReport);
    if (!field.empty()) {
      EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("Not calculated", "Niet berekend"));
      EXPECT_TRUE(Contains(shown, field)) << shown;
    }
    ClipboardSetText("an older report");
    Click(kButtonCopyReport);
    Pump();
    const std::string copied = ClipboardGetText();
    EXPECT_NE(copied, "an older report");
    EXPECT_TRUE(Contains(copied, shown)) << copied;
    EXPECT_FALSE(Contains(copied, Pick("Safety", "Veiligheid"))) << copied;
  }

  // The project file of the controls as the program started, with one key of a group
  // given another value, written to the test folder.
  std::string WriteProjectWith(const std::string& group, const std::string& key, const std::string& value,
                               int64_t tab) {
    std::string text = startProject_;
    const auto replace = [&text](const std::string& groupName, const std::string& k, const std::string& v) {
      const std::size_t start = text.find("[" + groupName + "]");
      EXPECT_NE(start, std::string::npos) << groupName;
      const std::size_t at = text.find("\r\n" + k + " = ", start);
      EXPECT_NE(at, std::string::npos) << k;
      const std::size_t end = text.find("\r\n", at + 2);
      text.replace(at, end - at, "\r\n" + k + " = " + v);
    };
    replace(group, key, value);
    const std::size_t tabAt = text.find("tabblad = ");
    EXPECT_NE(tabAt, std::string::npos);
    text.replace(tabAt, text.find("\r\n", tabAt) - tabAt, "tabblad = " + std::to_string(tab));
    const std::string path = dir_ + "/project.tdw";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
    return path;
  }

  void OpenProject(const std::string& path) {
    dialogAnswer_ = path;
    nextAnswer_ = kResultNo;  // do not save the changes made before
    Click(kButtonOpen);
    Pump();
    nextAnswer_ = kResultOk;
    dialogAnswer_.clear();
  }

  std::string dir_;
  std::string dialogAnswer_;
  std::string startProject_;
};

struct TypedCase {
  int tab;
  int64_t field;
  const char* text;
  const char* english;  // the expected warning without its lead
  const char* dutch;
};

// Fault: a value out of range or unreadable stopped the tab's driver
// silently (and a new centre distance or pressure angle on a pair tab was
// not even read until the next edit, which then built the chosen row's pair
// with a shift sum made for other values); the report, the three exports and the strength window went on
// with the last design as if the fields described it, and a face width of 0
// gave a gear with "b = 0.00" and no warning.
TEST_F(InputFaultTest, ATypedValueThatDescribesNoDesignIsNamedRefusedAndNotCalculated) {
  const TypedCase cases[] = {
      {kTabSingle, kFieldSingleTeeth, "2", "Number of teeth z = 2 is outside the valid range 3 to 1000",
       "Aantal tanden z = 2 ligt buiten het geldige bereik 3 tot 1000"},
      {kTabSingle, kComboSingleModule, "0", "Module m [mm] = 0 must be more than 0",
       "Modul m [mm] = 0 moet groter zijn dan 0"},
      {kTabSingle, kFieldSinglePressureAngle, "9.99",
       "Pressure angle α [°] = 9.99 is outside the valid range 10 to 35",
       "Drukhoek α [°] = 9.99 ligt buiten het geldige bereik 10 tot 35"},
      {kTabSingle, kFieldSinglePressureAngle, "35.01",
       "Pressure angle α [°] = 35.01 is outside the valid range 10 to 35",
       "Drukhoek α [°] = 35.01 ligt buiten het geldige bereik 10 tot 35"},
      {kTabSingle, kFieldSingleHelixAngle, "45.01", "Helix angle β [°] = 45.01 is outside the valid range 0 to 45",
       "Schuinte β [°] = 45.01 ligt buiten het geldige bereik 0 tot 45"},
      {kTabSingle, kFieldSingleHelixAngle, "-0.1", "Helix angle β [°] = -0.1 is outside the valid range 0 to 45",
       "Schuinte β [°] = -0.1 ligt buiten het geldige bereik 0 tot 45"},
      {kTabSingle, kFieldSingleTeeth, "abc",
       "Number of teeth z = abc is no usable number; the valid range is 3 to 1000",
       "Aantal tanden z = abc is geen bruikbaar getal; het geldige bereik is 3 tot 1000"},
      {kTabSingle, kFieldSingleFaceWidth, "0", "Face width b [mm] = 0 must be more than 0",
       "Tandbreedte b [mm] = 0 moet groter zijn dan 0"},
      {kTabSingle, kFieldSingleShift, "nan", "Profile shift x = nan is no usable number",
       "Profielverschuiving x = nan is geen bruikbaar getal"},
      {kTabSingle, kFieldSingleBore, "-1", "Bore [mm] = -1 must not be less than 0",
       "Boring [mm] = -1 mag niet kleiner zijn dan 0"},
      {kTabRack, kFieldRackTeeth, "0", "Rack teeth n = 0 is outside the valid range 1 to 2000",
       "Heugeltanden n = 0 ligt buiten het geldige bereik 1 tot 2000"},
      {kTabRack, kFieldRackTeeth, "2001", "Rack teeth n = 2001 is outside the valid range 1 to 2000",
       "Heugeltanden n = 2001 ligt buiten het geldige bereik 1 tot 2000"},
      {kTabRack, kComboRackModule, "m", "Module m [mm] = m is no usable number; it must be more than 0",
       "Modul m [mm] = m is geen bruikbaar getal; het moet groter zijn dan 0"},
      {kTabRack, kFieldRackPinionTeeth, "1001", "Pinion teeth z = 1001 is outside the valid range 3 to 1000",
       "Tanden rondsel z = 1001 ligt buiten het geldige bereik 3 tot 1000"},
      {kTabPair, kFieldPairFaceWidth, "0", "Face width b [mm] = 0 must be more than 0",
       "Tandbreedte b [mm] = 0 moet groter zijn dan 0"},
      {kTabPair, kFieldPairFaceWidth, "", "Face width b [mm] = (empty) is no usable number; it must be more than 0",
       "Tandbreedte b [mm] = (leeg) is geen bruikbaar getal; het moet groter zijn dan 0"},
      // The centre distance and the pressure angle are inputs of the search: the
      // chosen row's shift sum is that of the values the list was made for.
      {kTabPair, kFieldPairCentreDistance, "80",
       "Centre distance a [mm] = 80 differs from the value the list was calculated for (60); press \"Calculate modules\"",
       "Hartafstand a [mm] = 80 wijkt af van de waarde waarvoor de lijst is berekend (60); druk op \"Modulen berekenen\""},
      {kTabPair, kFieldPairPressureAngle, "25",
       "Pressure angle α [°] = 25 differs from the value the list was calculated for (20); press \"Calculate modules\"",
       "Drukhoek α [°] = 25 wijkt af van de waarde waarvoor de lijst is berekend (20); druk op \"Modulen berekenen\""},
      {kTabInternal, kFieldIntCentreDistance, "41.5",
       "Centre distance a [mm] = 41.5 differs from the value the list was calculated for (40); press \"Calculate modules\"",
       "Hartafstand a [mm] = 41.5 wijkt af van de waarde waarvoor de lijst is berekend (40); druk op \"Modulen berekenen\""},
      {kTabInternal, kFieldIntPressureAngle, "14.5",
       "Pressure angle α [°] = 14.5 differs from the value the list was calculated for (20); press \"Calculate modules\"",
       "Drukhoek α [°] = 14.5 wijkt af van de waarde waarvoor de lijst is berekend (20); druk op \"Modulen berekenen\""},
      {kTabInternal, kFieldIntFaceWidth, "0", "Face width b [mm] = 0 must be more than 0",
       "Tandbreedte b [mm] = 0 moet groter zijn dan 0"},
      {kTabInternal, kFieldIntShiftX1, "nan", "Profile shift x1 = nan is no usable number",
       "Profielverschuiving x1 = nan is geen bruikbaar getal"},
      // A centre distance of 0 or less is no pair, whatever the list was made for.
      {kTabPair, kFieldPairCentreDistance, "0", "Centre distance a [mm] = 0 must be more than 0",
       "Hartafstand a [mm] = 0 moet groter zijn dan 0"},
      {kTabInternal, kFieldIntCentreDistance, "-5", "Centre distance a [mm] = -5 must be more than 0",
       "Hartafstand a [mm] = -5 moet groter zijn dan 0"},
  };
  OpenStrengthWindow();
  for (const TypedCase& c : cases) {
    SCOPED_TRACE(std::string("tab ") + std::to_string(c.tab) + ", field " + std::to_string(c.field) + ", '" +
                 c.text + "'");
    ClickTab(c.tab);
    Pump();
    ASSERT_EQ(gViewMode, kModeOfTab[c.tab]);
    const std::string valid = GadgetGetText(c.field);
    const std::string before = Report();
    ASSERT_FALSE(Contains(before, "  ! " + std::string(Pick("The drawing", "Tekening"))));
    const double zoom = gZoom;

    TypeInto(c.field, c.text);
    Pump();
    const std::string warning = Pick(c.english, c.dutch);
    EXPECT_EQ(FirstLine(Report()), "  ! " + warning);
    // The last valid drawing stays, and its report below the warning.
    EXPECT_EQ(gViewMode, kModeOfTab[c.tab]);
    EXPECT_EQ(gZoom, zoom);
    EXPECT_TRUE(Contains(Report(), before));
    ExpectExportsRefused(warning);
    ExpectStrengthShowsNothing(warning);

    // The valid value typed back gives the design and its report again.
    TypeInto(c.field, valid);
    Pump();
    EXPECT_EQ(Report(), before);
    EXPECT_NE(GadgetGetText(kTextVerdict), Pick("Not calculated", "Niet berekend"));
  }
}

struct LoadedCase {
  const char* group;
  const char* key;
  const char* value;
  int tab;
  const char* english;
  const char* dutch;
};

// Fault: after loading a project whose Single (or Rack) tab held a value out
// of range, the tab showed, reported and exported the start-up pair.
TEST_F(InputFaultTest, AProjectLoadedWithAValueOutOfRangeShowsNoDesignOfAnotherTab) {
  const LoadedCase cases[] = {
      {"Enkel", "tanden", "2", kTabSingle, "Number of teeth z = 2 is outside the valid range 3 to 1000",
       "Aantal tanden z = 2 ligt buiten het geldige bereik 3 tot 1000"},
      {"Enkel", "modul", "0", kTabSingle, "Module m [mm] = 0 must be more than 0",
       "Modul m [mm] = 0 moet groter zijn dan 0"},
      {"Enkel", "drukhoek", "40", kTabSingle, "Pressure angle α [°] = 40 is outside the valid range 10 to 35",
       "Drukhoek α [°] = 40 ligt buiten het geldige bereik 10 tot 35"},
      {"Heugel", "tanden_heugel", "0", kTabRack, "Rack teeth n = 0 is outside the valid range 1 to 2000",
       "Heugeltanden n = 0 ligt buiten het geldige bereik 1 tot 2000"},
      {"Heugel", "beta", "50", kTabRack, "Helix angle β [°] = 50 is outside the valid range 0 to 45",
       "Schuinte β [°] = 50 ligt buiten het geldige bereik 0 tot 45"},
  };
  OpenStrengthWindow();
  for (const LoadedCase& c : cases) {
    SCOPED_TRACE(std::string(c.group) + "/" + c.key + "=" + c.value);
    ClickTab(kTabPair);
    Pump();
    ASSERT_EQ(gViewMode, kViewPair);
    const std::string path = WriteProjectWith(c.group, c.key, c.value, c.tab);
    OpenProject(path);
    ASSERT_EQ(gProjectPath, path);
    ASSERT_EQ(GadgetGetState(kPanelTabs), c.tab);

    const std::string warning = Pick(c.english, c.dutch);
    EXPECT_EQ(gViewMode, kViewNone);
    EXPECT_EQ(Report(), "  ! " + warning + "\r\n");
    ExpectExportsRefused(warning);
    ExpectStrengthShowsNothing(warning);
  }
}

// Fault: "Calculate modules" that found nothing emptied the list, yet the old
// pair stayed in the view, the report, the exports and the strength window,
// and a later edit (face width 30) changed nothing.
TEST_F(InputFaultTest, CalculateModulesThatFindsNothingClearsThePairAsATabSwitchWithoutARowDoes) {
  struct SearchCase {
    int tab;
    int64_t searchField;
    int64_t button;
    int64_t faceWidth;
  };
  const SearchCase cases[] = {
      {kTabPair, kFieldPairZMin, kButtonPairCalculate, kFieldPairFaceWidth},
      {kTabInternal, kFieldIntZ1Min, kButtonIntCalculate, kFieldIntFaceWidth},
  };
  OpenStrengthWindow();
  for (const SearchCase& c : cases) {
    SCOPED_TRACE("tab " + std::to_string(c.tab));
    ClickTab(c.tab);
    Pump();
    ASSERT_EQ(gViewMode, kModeOfTab[c.tab]);
    ASSERT_EQ(gStrength.valid, 1);
    const std::string zMin = GadgetGetText(c.searchField);
    TypeInto(c.searchField, "401");
    messages_.clear();
    Click(c.button);
    Pump();
    ASSERT_EQ(messages_.size(), 1u);  // "nothing found"
    EXPECT_EQ(GadgetCountItems(c.tab == kTabPair ? kListPairResults : kListIntResults), 0);
    EXPECT_EQ(gViewMode, kViewNone);
    EXPECT_EQ(Report(), "");
    TypeInto(c.faceWidth, "30");
    Pump();
    EXPECT_EQ(gViewMode, kViewNone);
    EXPECT_EQ(Report(), "");

    messages_.clear();
    dialogAnswer_ = dir_ + "/pair.dxf";
    Click(kButtonExportDxf);
    Pump();
    EXPECT_FALSE(std::filesystem::exists(dialogAnswer_));
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].title, "Norvale");
    EXPECT_EQ(messages_[0].text, Pick("There is no (valid) gear to export yet.",
                                      "Er is nog geen (geldig) tandwiel om te exporteren."));
    ExpectStrengthShowsNothing("");
    EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("No gear pair", "Geen tandwielpaar"));

    TypeInto(c.searchField, zMin);
    Click(c.button);
    Pump();
    EXPECT_EQ(gViewMode, kModeOfTab[c.tab]);
  }
}

// Fault: a project loaded on the Internal tab whose search found nothing
// cleared the design, but the strength window kept the older pair's results
// and "Copy report" copied them.
TEST_F(InputFaultTest, AProjectWhoseInternalSearchFindsNothingLeavesNoStrengthResultToCopy) {
  ClickTab(kTabInternal);
  Pump();
  ASSERT_EQ(gViewMode, kViewInternal);
  OpenStrengthWindow();
  ASSERT_EQ(gStrength.valid, 1);
  const std::string path = WriteProjectWith("Binnen", "z_min", "401", kTabInternal);
  OpenProject(path);
  ASSERT_EQ(gProjectPath, path);
  ASSERT_EQ(GadgetGetState(kPanelTabs), kTabInternal);
  EXPECT_EQ(GadgetCountItems(kListIntResults), 0);
  EXPECT_EQ(gViewMode, kViewNone);
  EXPECT_EQ(Report(), "");
  ExpectStrengthShowsNothing("");
  EXPECT_EQ(GadgetGetText(kTextVerdict), Pick("No gear pair", "Geen tandwielpaar"));
}

}  // namespace

namespace {

struct ZeroFieldCase {
  int tab;
  int64_t field;
  const char* text;
  const char* english;  // the line that names the field, "" for none
  const char* dutch;
};

}  // namespace

// Fault: fields whose range holds 0 (bores, backlash, profile shift, thickness
// allowance, ring rim) refused the whole design when left empty, although an
// empty field reads as 0 ("0 for none"). A text with no number there is read
// as the reader takes it (0) and named, but the design is made and exported.
TEST_F(InputFaultTest, FieldsThatMayBeEmptyReadAsZeroAndAreNamedWhenTheyHoldNoNumber) {
  const ZeroFieldCase cases[] = {
      {kTabPair, kFieldPairBore1, "", "", ""},
      {kTabPair, kFieldPairBacklash, "", "", ""},
      {kTabPair, kFieldPairShiftX1, "", "", ""},
      {kTabPair, kFieldPairBore2, "abc", "Bore d2 [mm] = abc is no usable number; read as 0",
       "Boring d2 [mm] = abc is geen bruikbaar getal; gelezen als 0"},
      {kTabSingle, kFieldSingleThicknessAllowance, "", "", ""},
      {kTabSingle, kFieldSingleShift, "x", "Profile shift x = x is no usable number; read as 0",
       "Profielverschuiving x = x is geen bruikbaar getal; gelezen als 0"},
      {kTabRack, kFieldRackBacklash, "", "", ""},
      {kTabRack, kFieldRackPinionBore, "", "", ""},
      {kTabInternal, kFieldIntBacklash, "", "", ""},
      {kTabInternal, kFieldIntPinionBore, "-", "Pinion bore [mm] = - is no usable number; read as 0",
       "Boring rondsel [mm] = - is geen bruikbaar getal; gelezen als 0"},
  };
  for (const ZeroFieldCase& c : cases) {
    SCOPED_TRACE(std::string("tab ") + std::to_string(c.tab) + ", field " + std::to_string(c.field) + ", '" +
                 c.text + "'");
    ClickTab(c.tab);
    Pump();
    ASSERT_EQ(gViewMode, kModeOfTab[c.tab]);
    const std::string valid = GadgetGetText(c.field);
    // The design of the field at 0, as the oracle of the empty or unreadable field.
    TypeInto(c.field, "0");
    Pump();
    const std::string atZero = Report();
    ASSERT_FALSE(atZero.empty());
    TypeInto(c.field, c.text);
    Pump();
    const std::string note = Pick(c.english, c.dutch);
    EXPECT_EQ(Report(), note.empty() ? atZero : "  ! " + note + "\r\n\r\n" + atZero);
    EXPECT_EQ(gViewMode, kModeOfTab[c.tab]);
    dialogAnswer_ = dir_ + "/zero.stp";
    messages_.clear();
    Click(kButtonExportStep);
    Pump();
    EXPECT_TRUE(std::filesystem::exists(dialogAnswer_));
    std::filesystem::remove(dialogAnswer_);
    TypeInto(c.field, valid);
    Pump();
  }
}

// Fault: a stored project with a cleared bore, backlash or shift loaded and
// exported before inputs were checked, and was then refused.
TEST_F(InputFaultTest, AProjectWithClearedFieldsLoadsAndExports) {
  const struct {
    const char* group;
    const char* key;
    int tab;
  } cases[] = {{"Paar", "boring1", kTabPair},
               {"Paar", "flankspeling", kTabPair},
               {"Enkel", "boring", kTabSingle},
               {"Heugel", "flankspeling", kTabRack},
               {"Binnen", "boring_rondsel", kTabInternal}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.group) + "/" + c.key);
    const std::string path = WriteProjectWith(c.group, c.key, "", c.tab);
    OpenProject(path);
    ASSERT_EQ(gProjectPath, path);
    EXPECT_EQ(gViewMode, kModeOfTab[c.tab]);
    EXPECT_EQ(FirstLine(Report()).find("  ! "), std::string::npos) << Report();
    dialogAnswer_ = dir_ + "/cleared.dxf";
    Click(kButtonExportDxf);
    Pump();
    EXPECT_TRUE(std::filesystem::exists(dialogAnswer_));
    std::filesystem::remove(dialogAnswer_);
  }
}

// Fault: a backlash below 0 on the Pair and Rack tabs gave no warning,
// although the flanks then overlap (the Internal tab already said so). The
// start-up pair and rack are spur with alpha_w = alpha = 20 deg, so the
// flanks overlap by -jn / cos 20 deg on the operating pitch circle.
TEST_F(InputFaultTest, ABacklashBelowZeroOnThePairAndRackTabsIsReportedAsOverlappingFlanks) {
  const std::pair<int, int64_t> fields[] = {{kTabPair, kFieldPairBacklash}, {kTabRack, kFieldRackBacklash}};
  char expected[16];
  std::snprintf(expected, sizeof expected, "%.4f", 0.5 / std::cos(20.0 * 3.14159265358979323846 / 180.0));
  const std::string line = Pick("  ! INTERFERENCE: teeth overlap by ", "  ! INTERFERENTIE: tanden dringen ") +
                           std::string(expected) + Pick(" mm", " mm in elkaar");
  for (const auto& [tab, field] : fields) {
    SCOPED_TRACE("tab " + std::to_string(tab));
    ClickTab(tab);
    Pump();
    const std::string valid = GadgetGetText(field);
    EXPECT_FALSE(Contains(Report(), line));
    TypeInto(field, "-0.5");
    Pump();
    EXPECT_TRUE(Contains(Report(), line)) << Report();
    TypeInto(field, valid);
    Pump();
    EXPECT_FALSE(Contains(Report(), line));
  }
}
