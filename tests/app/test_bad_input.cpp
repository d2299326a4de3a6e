// Numbers that are no finite value ("Infinity", "1e400", "-Infinity", "NaN")
// pasted into the fields as a user would: the shown design, its report (below
// a warning naming the text) and the title stay as they were; hub fields holding such a text count
// as empty.
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {

const char* const kBadTexts[] = {"Infinity", "1e400", "-Infinity", "NaN"};

// The line edit behind a text entry or an editable combo box.
QLineEdit* LineEditOf(int64_t control) {
  QWidget* w = ControlWidget(control);
  if (auto* combo = qobject_cast<QComboBox*>(w)) return combo->lineEdit();
  return qobject_cast<QLineEdit*>(w);
}

// A user replacing a field's whole text by pasting: one edit, so no
// intermediate text (the "1" of "1e400") is ever computed.
void PasteInto(int64_t control, const std::string& text) {
  QLineEdit* edit = LineEditOf(control);
  ASSERT_NE(edit, nullptr) << control;
  edit->selectAll();
  if (text.empty()) {
    QTest::keyClick(edit, Qt::Key_Delete);
    return;
  }
  QGuiApplication::clipboard()->setText(QString::fromStdString(text));
  QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
}

void ClickTab(int tab) {
  auto* tabs = static_cast<QTabWidget*>(ControlWidget(kPanelTabs));
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

std::string Report() { return GadgetGetText(kEditorReport); }

bool Contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

class BadInputTest : public AppTest {
 protected:
  // Pastes text into field, then, for a search field that the driver reads
  // only on another field's edit, pastes the trigger field's own text again.
  void Enter(int64_t field, const std::string& text, int64_t trigger) {
    PasteInto(field, text);
    if (trigger >= 0) PasteInto(trigger, GadgetGetText(trigger));
    Pump();
  }
};

struct FieldCase {
  int tab;
  int64_t field;
  const char* good;     // another finite value: it must change the report
  int64_t trigger = -1;  // the field whose edit recomputes, when not field itself
};

// Fault: "Infinity" and "1e400" passed the drivers' checks such as m > 0; the
// report then showed "m = +Infinity mm" beside the previous design's d and
// da (and "a = NaN" for the rack), and a NaN face width or bore gave a
// "valid" design with "bore = NaN".
TEST_F(BadInputTest, NoFiniteNumberLeavesTheShownDesignItsReportAndTheTitleAsTheyWere) {
  const FieldCase cases[] = {
      {kTabPair, kFieldPairShiftX1, "0.1"},
      {kTabPair, kFieldPairFaceWidth, "12"},
      {kTabPair, kFieldPairBacklash, "0.2"},
      {kTabPair, kFieldPairBore1, "7"},
      {kTabPair, kFieldPairBore2, "9"},
      {kTabPair, kFieldPairCentreDistance, "101", kFieldPairShiftX1},
      {kTabPair, kFieldPairPressureAngle, "22", kFieldPairShiftX1},
      {kTabSingle, kComboSingleModule, "3"},
      {kTabSingle, kFieldSingleTeeth, "25"},
      {kTabSingle, kFieldSingleShift, "0.1"},
      {kTabSingle, kFieldSinglePressureAngle, "22"},
      {kTabSingle, kFieldSingleHelixAngle, "10"},
      {kTabSingle, kFieldSingleFaceWidth, "15"},
      {kTabSingle, kFieldSingleThicknessAllowance, "0.02"},
      {kTabSingle, kFieldSingleBore, "10"},
      {kTabRack, kComboRackModule, "3"},
      {kTabRack, kFieldRackShift, "0.1"},
      {kTabRack, kFieldRackPressureAngle, "22"},
      {kTabRack, kFieldRackHelixAngle, "10"},
      {kTabRack, kFieldRackFaceWidth, "15"},
      {kTabRack, kFieldRackPinionBore, "10"},
      {kTabRack, kFieldRackBacklash, "0.2"},
      {kTabRack, kFieldRackHeight, "30"},
      {kTabInternal, kFieldIntShiftX1, "0.1"},
      {kTabInternal, kFieldIntFaceWidth, "15"},
      {kTabInternal, kFieldIntBacklash, "0.2"},
      {kTabInternal, kFieldIntPinionBore, "8"},
      {kTabInternal, kFieldIntRingRim, "9"},
      {kTabInternal, kFieldIntCentreDistance, "40.5", kFieldIntShiftX1},
      {kTabInternal, kFieldIntPressureAngle, "22", kFieldIntShiftX1},
  };
  const int64_t modeOfTab[] = {kViewPair, kViewSingle, kViewRack, kViewInternal};
  int shownTab = -1;
  for (const FieldCase& c : cases) {
    SCOPED_TRACE("tab " + std::to_string(c.tab) + ", field " + std::to_string(c.field));
    if (c.tab != shownTab) {
      ClickTab(c.tab);
      Pump();
      shownTab = c.tab;
    }
    ASSERT_EQ(GadgetGetState(kPanelTabs), c.tab);
    ASSERT_EQ(gViewMode, modeOfTab[c.tab]);
    const std::string original = GadgetGetText(c.field);
    const std::string before = Report();

    // The field is live: another finite value changes the report, and the
    // original value brings it back exactly.
    Enter(c.field, c.good, c.trigger);
    ASSERT_EQ(GadgetGetText(c.field), c.good);
    EXPECT_NE(Report(), before);
    Enter(c.field, original, c.trigger);
    ASSERT_EQ(Report(), before);

    const std::string title = WindowGetTitle(kWindowMain);
    ASSERT_TRUE(Contains(title, " *"));  // the edits above changed the project
    const std::string x2Pair = GadgetGetText(kTextPairX2);
    const std::string x2Internal = GadgetGetText(kTextIntX2);
    for (const char* bad : kBadTexts) {
      SCOPED_TRACE(std::string("text '") + bad + "'");
      Enter(c.field, bad, c.trigger);
      ASSERT_EQ(GadgetGetText(c.field), bad);
      // The shown design's report stays below a warning that names the text.
      const std::string report = Report();
      const std::size_t firstEnd = report.find("\r\n");
      ASSERT_NE(firstEnd, std::string::npos);
      EXPECT_EQ(report.substr(0, 4), "  ! ");
      EXPECT_TRUE(Contains(report.substr(0, firstEnd), bad)) << report.substr(0, firstEnd);
      ASSERT_GE(report.size(), before.size());
      const std::string design = report.substr(report.size() - before.size());
      EXPECT_EQ(design, before);
      EXPECT_FALSE(Contains(design, "Infinity") || Contains(design, "NaN"));
      EXPECT_EQ(WindowGetTitle(kWindowMain), title);
      EXPECT_EQ(gViewMode, modeOfTab[c.tab]);
      EXPECT_EQ(GadgetGetText(kTextPairX2), x2Pair);
      EXPECT_EQ(GadgetGetText(kTextIntX2), x2Internal);
      GadgetSetText(c.field, original);  // the program's own change: no recompute
    }
    // The original value typed again: the report without the warning.
    Enter(c.field, original, c.trigger);
    EXPECT_EQ(Report(), before);
    EXPECT_TRUE(messages_.empty());
  }
}

// The hub-and-keyway fields are optional: a text that is no finite number
// counts as the empty field (automatic hub diameter, no hub length, no
// custom key size), never as an endless hub.
TEST_F(BadInputTest, AHubOrKeyFieldHoldingNoFiniteNumberCountsAsEmpty) {
  ClickTab(kTabSingle);
  Pump();
  ASSERT_EQ(gViewMode, kViewSingle);
  PasteInto(kComboSingleModule, "3");
  PasteInto(kFieldSingleTeeth, "40");
  PasteInto(kFieldSingleBore, "30");
  QTest::mouseClick(ControlWidget(kButtonHubKeyway), Qt::LeftButton);
  Pump();
  ASSERT_TRUE(WindowIsVisible(kWindowHubKeyway));
  static_cast<QComboBox*>(ControlWidget(kComboHub1))->setCurrentIndex(1);  // hub on the left
  static_cast<QComboBox*>(ControlWidget(kComboKeyway1))->setCurrentIndex(2);  // custom keyway
  Pump();
  PasteInto(kFieldKeyWidth1, "8");
  PasteInto(kFieldKeyDepth1, "3.3");
  Pump();
  ASSERT_EQ(gGear1.valid, 1);
  ASSERT_EQ(gGear1.hubSide, 1);

  for (int64_t field : {kFieldHubDiameter1, kFieldHubLength1, kFieldKeyWidth1, kFieldKeyDepth1}) {
    SCOPED_TRACE("field " + std::to_string(field));
    const std::string original = GadgetGetText(field);
    PasteInto(field, "");
    Pump();
    const std::string asEmpty = Report();
    for (const char* bad : kBadTexts) {
      SCOPED_TRACE(std::string("text '") + bad + "'");
      PasteInto(field, bad);
      Pump();
      ASSERT_EQ(GadgetGetText(field), bad);
      EXPECT_EQ(Report(), asEmpty);
      EXPECT_FALSE(Contains(Report(), "Infinity") || Contains(Report(), "NaN"));
      EXPECT_EQ(gGear1.valid, 1);
    }
    PasteInto(field, original);
    Pump();
  }
}

// The strength window's inputs: a value that is no finite number ends in
// "Not calculated" or the input's default, never in a result or a line that
// shows "Infinity" or "NaN", and the design report stays as it was.
TEST_F(BadInputTest, StrengthInputsThatAreNoFiniteNumberShowNoNonFiniteResult) {
  QTest::mouseClick(ControlWidget(kButtonStrength), Qt::LeftButton);
  Pump();
  ASSERT_TRUE(WindowIsVisible(kWindowStrength));
  ASSERT_EQ(gViewMode, kViewPair);
  ASSERT_EQ(gStrength.valid, 1);
  const std::string design = Report();
  const int64_t fields[] = {kFieldLoadValue,   kFieldSpeed,           kComboApplicationFactor, kFieldServiceLife,
                            kFieldMinSafetyH,  kFieldMinSafetyF,      kFieldSigmaHlim1,        kFieldSigmaFlim1,
                            kFieldElasticModulus1, kFieldPoisson1,    kFieldSigmaHlim2,        kFieldShaftTauPerm,
                            kFieldShaftYield,  kFieldKeyLength};
  for (int64_t field : fields) {
    SCOPED_TRACE("field " + std::to_string(field));
    const std::string original = GadgetGetText(field);
    for (const char* bad : kBadTexts) {
      SCOPED_TRACE(std::string("text '") + bad + "'");
      PasteInto(field, bad);
      Pump();
      ASSERT_EQ(GadgetGetText(field), bad);
      // A line that names the input quotes its text; no other line may show it.
      std::string report = GadgetGetText(kEditorStrengthReport);
      const std::string quoted = " = " + std::string(bad);
      for (std::size_t at = report.find(quoted); at != std::string::npos; at = report.find(quoted)) {
        const std::size_t start = report.rfind("\r\n", at);
        const std::size_t lineStart = start == std::string::npos ? 0 : start + 2;
        ASSERT_EQ(report.compare(lineStart, 4, "  ! "), 0) << report;
        report.erase(lineStart, report.find("\r\n", at) + 2 - lineStart);
      }
      for (const std::string& shown : {report, GadgetGetText(kTextVerdict)}) {
        EXPECT_FALSE(Contains(shown, "Infinity") || Contains(shown, "NaN") || Contains(shown, "inf ")) << shown;
      }
      EXPECT_EQ(Report(), design);
    }
    PasteInto(field, original);
    Pump();
    EXPECT_EQ(gStrength.valid, 1);
  }
}

}  // namespace
