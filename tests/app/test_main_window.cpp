// The main window as a user sees it: title, tabs, every control with its
// texts, tooltips and items in the linked language, a layout without
// overlaps at two font sizes, the layout metrics rule and the re-layout on resize.
#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollArea>
#include <QTabWidget>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {

// All static texts (labels) of a page or window, found through Qt.
std::vector<std::string> LabelTexts(QWidget* root) {
  std::vector<std::string> texts;
  for (QLabel* label : root->findChildren<QLabel*>()) texts.push_back(label->text().toStdString());
  return texts;
}

bool Contains(const std::vector<std::string>& list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

QTabWidget* Tabs() { return static_cast<QTabWidget*>(ControlWidget(kPanelTabs)); }

// Pairs of direct children of `parent` whose rectangles intersect, and
// children that stick out of the parent's rectangle.
std::vector<std::string> LayoutFaults(QWidget* parent, const QString& where) {
  std::vector<std::string> faults;
  const QList<QWidget*> children = parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  auto name = [](QWidget* w) {
    if (auto* l = qobject_cast<QLabel*>(w)) return std::string("label '") + l->text().toStdString() + "'";
    return std::string(w->metaObject()->className()) + " '" + w->toolTip().left(20).toStdString() + "'";
  };
  for (int i = 0; i < children.size(); ++i) {
    const QRect a = children[i]->geometry();
    if (!parent->rect().contains(a)) {
      faults.push_back(where.toStdString() + ": " + name(children[i]) + " outside its container");
    }
    for (int j = i + 1; j < children.size(); ++j) {
      if (a.intersects(children[j]->geometry())) {
        faults.push_back(where.toStdString() + ": " + name(children[i]) + " overlaps " + name(children[j]));
      }
    }
    // A single-line label must show its whole text.
    if (auto* label = qobject_cast<QLabel*>(children[i]); label != nullptr && !label->wordWrap()) {
      if (QFontMetrics(label->font()).horizontalAdvance(label->text()) > label->width()) {
        faults.push_back(where.toStdString() + ": " + name(label) + " is clipped");
      }
    }
  }
  return faults;
}

std::vector<std::string> AllLayoutFaults() {
  std::vector<std::string> faults;
  for (int tab = 0; tab < 4; ++tab) {
    GadgetSetState(kPanelTabs, tab);
    QApplication::processEvents();
    auto f = LayoutFaults(Tabs()->widget(tab), Tabs()->tabText(tab));
    faults.insert(faults.end(), f.begin(), f.end());
  }
  auto* column = static_cast<QScrollArea*>(ControlWidget(kScrollLeftColumn))->widget();
  auto f = LayoutFaults(column, "left column");
  faults.insert(faults.end(), f.begin(), f.end());
  GadgetSetState(kPanelTabs, 0);
  return faults;
}

}  // namespace

TEST_F(AppTest, WindowHasTitleAndFourTabs) {
  EXPECT_EQ(WindowGetTitle(0).rfind("Norvale - ", 0), 0u) << WindowGetTitle(0);
  ASSERT_EQ(GadgetCountItems(kPanelTabs), 4);
  const char* tabs[4][2] = {{"Pair", "Paar"}, {"Single", "Enkel"}, {"Rack", "Heugel"}, {"Internal", "Binnen"}};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(GadgetGetItemText(kPanelTabs, i, 0), tabs[i][kLang]);
  EXPECT_EQ(GadgetGetState(kPanelTabs), kTabPair);
}

TEST_F(AppTest, EveryInputStartsWithItsText) {
  // Field 14 (x1) and text 15 (x2) are not listed: the start-up's row choice
  // writes them.
  const std::map<int64_t, std::string> initial = {
      {1, "60"},   {2, "2"},     {3, "20"},   {4, "0"},    {7, "2"},    {8, "-0.5"}, {9, "1.0"},  {10, "12"},
      {16, "10"},   {17, "0"},   {18, "8"},   {19, "12"},  {20, "2"},   {21, "20"},  {22, "0"},
      {23, "20"},  {24, "0"},    {26, "10"},  {27, "0"},   {28, "8"},   {29, "2"},   {30, "20"},  {31, "0"},
      {32, "20"},  {33, "0"},    {35, "20"},  {36, "8"},   {37, "0"},   {38, "20"},  {39, "15"},  {47, "0,01"},
      {53, "40"},  {54, "3"},    {55, "20"},  {56, "0"},   {59, "2"},   {60, "-0.5"}, {61, "1.0"}, {62, "12"},
      {63, "8"},   {67, "0"},    {69, "10"},  {70, "0"},   {71, "6"},   {72, "6"},
  };
  for (const auto& [control, text] : initial) {
    ASSERT_TRUE(GadgetExists(control)) << control;
    EXPECT_EQ(GadgetGetText(control), text) << "control " << control;
  }
  // Check boxes: "Line of action" and "Shorten ring tip" start checked.
  const std::map<int64_t, int64_t> checks = {{6, 0}, {11, 0}, {40, 0}, {42, 1}, {58, 0}, {64, 0}, {73, 1}};
  for (const auto& [control, state] : checks) {
    EXPECT_EQ(GadgetGetType(control), kControlCheckBox) << control;
    EXPECT_EQ(GadgetGetState(control), state) << control;
  }
  EXPECT_EQ(GadgetGetType(kTrackSpeed), kControlTrackBar);
  EXPECT_EQ(GadgetGetState(kTrackSpeed), 4);
  EXPECT_EQ(GadgetGetAttribute(kTrackSpeed, kAttrTrackBarMinimum), 1);
  EXPECT_EQ(GadgetGetAttribute(kTrackSpeed, kAttrTrackBarMaximum), 20);
  EXPECT_EQ(GadgetGetType(kEditorReport), kControlEditor);
  EXPECT_EQ(GadgetGetType(kCanvasView), kControlCanvas);
  EXPECT_EQ(GadgetGetType(kScrollLeftColumn), kControlScrollArea);
}

TEST_F(AppTest, ButtonsCheckBoxesAndLabelsInTheLinkedLanguage) {
  const std::map<int64_t, std::pair<const char*, const char*>> captions = {
      {49, {"Open...", "Openen..."}},
      {50, {"Save", "Opslaan"}},
      {51, {"Save as...", "Opslaan als..."}},
      {52, {"Help", "Help"}},
      {6, {"β search: Σx = 0, β ≤ given", "β zoeken: Σx = 0, β ≤ opgegeven"}},
      {11, {"Also DIN 780 series 2 (non-preferred modules)", "Ook DIN 780 reeks 2 (niet-voorkeur modulen)"}},
      {12, {"Calculate modules", "Modulen berekenen"}},
      {40, {"Rotate", "Draaien"}},
      {42, {"Line of action", "Ingrijpingslijn"}},
      {74, {"Strength...", "Sterkte..."}},
      {109, {"Hub/key...", "Naaf/spie..."}},
      {44, {"Export DXF...", "Export DXF..."}},
      {45, {"Export STEP...", "Export STEP..."}},
      {46, {"Export STL...", "Export STL..."}},
      {58, {"β search: Δx = 0, β ≤ given", "β zoeken: Δx = 0, β ≤ opgegeven"}},
      {64, {"Also DIN 780 series 2 (non-preferred modules)", "Ook DIN 780 reeks 2 (niet-voorkeur modulen)"}},
      {65, {"Calculate modules", "Modulen berekenen"}},
      {73, {"Shorten ring tip against interference", "Ringkop inkorten tegen interferentie"}},
      {68, {"x2 =", "x2 ="}},
  };
  for (const auto& [control, text] : captions) {
    EXPECT_EQ(GadgetGetText(control), Pick(text.first, text.second)) << "control " << control;
  }

  // Row labels of each page, in both languages.
  const std::vector<std::vector<std::pair<const char*, const char*>>> pageLabels = {
      {{"Centre distance a [mm]", "Hartafstand a [mm]"}, {"Ratio i = z2 / z1", "Overbrenging i = z2 / z1"},
       {"Pressure angle α [°]", "Drukhoek α [°]"}, {"Helix angle β [°] / hand", "Schuinte β [°] / spoed"},
       {"Tolerance i [±%]", "Tolerantie i [±%]"}, {"Σx  min / max", "Σx  min / max"}, {"z min", "z min"},
       {"Profile shift x1", "Profielverschuiving x1"}, {"Face width b [mm]", "Tandbreedte b [mm]"},
       {"Backlash jn [mm]", "Flankspeling jn [mm]"}, {"Bore d1 / d2 [mm]", "Boring d1 / d2 [mm]"}},
      {{"Module m [mm]", "Modul m [mm]"}, {"Number of teeth z", "Aantal tanden z"},
       {"Profile shift x", "Profielverschuiving x"}, {"Pressure angle α [°]", "Drukhoek α [°]"},
       {"Helix angle β [°] / hand", "Schuinte β [°] / spoed"}, {"Face width b [mm]", "Tandbreedte b [mm]"},
       {"Thickness allowance As [mm]", "Tanddikte-afmaat As [mm]"}, {"Bore [mm]", "Boring [mm]"},
       {"Changes are drawn immediately. Basic rack ISO 53 A: ha = 1,0 m   hf = 1,25 m   ρf = 0,38 m",
        "Wijzigingen worden direct getekend. Heugelprofiel ISO 53 A: ha = 1,0 m   hf = 1,25 m   ρf = 0,38 m"}},
      {{"Module m [mm]", "Modul m [mm]"}, {"Pinion teeth z", "Tanden rondsel z"},
       {"Profile shift x", "Profielverschuiving x"}, {"Pressure angle α [°]", "Drukhoek α [°]"},
       {"Helix angle β [°] / hand", "Schuinte β [°] / spoed"}, {"Face width b [mm]", "Tandbreedte b [mm]"},
       {"Pinion bore [mm]", "Boring rondsel [mm]"}, {"Backlash jn [mm]", "Flankspeling jn [mm]"},
       {"Rack teeth n", "Heugeltanden n"}, {"Rack height Hp [mm]", "Heugelhoogte Hp [mm]"}},
      {{"Centre distance a [mm]", "Hartafstand a [mm]"}, {"Ratio i = z2 / z1", "Overbrenging i = z2 / z1"},
       {"Pressure angle α [°]", "Drukhoek α [°]"}, {"Helix angle β [°] / hand", "Schuinte β [°] / spoed"},
       {"Tolerance i [±%]", "Tolerantie i [±%]"}, {"Δx = x2 - x1  min / max", "Δx = x2 - x1  min / max"},
       {"z1 min / min. tooth diff.", "z1 min / tandverschil min"}, {"Profile shift x1", "Profielverschuiving x1"},
       {"Face width b [mm]", "Tandbreedte b [mm]"}, {"Backlash jn [mm]", "Flankspeling jn [mm]"},
       {"Pinion bore / ring rim", "Boring rondsel / rand ring"}},
  };
  for (int tab = 0; tab < 4; ++tab) {
    const std::vector<std::string> labels = LabelTexts(Tabs()->widget(tab));
    for (const auto& [en, nl] : pageLabels[std::size_t(tab)]) {
      EXPECT_TRUE(Contains(labels, Pick(en, nl))) << "tab " << tab << ": " << Pick(en, nl);
    }
  }
  const std::vector<std::string> all = LabelTexts(MainWindowWidget());
  EXPECT_TRUE(Contains(all, Pick("STL chord tolerance [mm]", "STL-koordafwijking [mm]")));
}

TEST_F(AppTest, ToolTipsInTheLinkedLanguage) {
  const std::map<int64_t, std::pair<const char*, const char*>> tips = {
      {49, {"Open project (Ctrl+O)", "Project openen (Ctrl+O)"}},
      {50, {"Save project (Ctrl+S)", "Project opslaan (Ctrl+S)"}},
      {52, {"User guide (F1) and About Norvale", "Handleiding (F1) en Over Norvale"}},
      {41, {"Animation speed", "Snelheid van de animatie"}},
      {42, {"Show line of action", "Ingrijpingslijn tonen"}},
      {74,
       {"Strength calculation (flank pressure and root stress) of the active pair",
        "Sterkteberekening (flankdruk en voetspanning) van het actieve paar"}},
      {109, {"Hub and keyway (DIN 6885) for gear 1 and gear 2", "Naaf en spiebaan (DIN 6885) voor wiel 1 en wiel 2"}},
      {47,
       {"Maximum distance between the triangle mesh and the true shape",
        "Maximale afstand tussen het driehoeksnet en de echte vorm"}},
      {4,
       {"Helix angle (the maximum when 'search' is on); then Calculate modules",
        "Schuintehoek (bij 'zoeken' de maximale); daarna Modulen berekenen"}},
      {6,
       {"Chooses for each combination the helix angle at which the centre distance fits without profile shift",
        "Kiest per combinatie de schuintehoek waarbij de hartafstand zonder profielverschuiving klopt"}},
      {34,
       {"Hand of the pinion; the rack teeth are at the same angle",
        "Spoed van het rondsel; de heugeltanden staan onder dezelfde hoek"}},
      {39, {"Distance from the rack back to the pitch line", "Afstand van de heugelrug tot de steeklijn"}},
      {56,
       {"Helix angle (the maximum when 'search' is on); then Calculate modules",
        "Schuintehoek (bij 'zoeken' de maximale); daarna Modulen berekenen"}},
      {57,
       {"Hand of pinion and ring (equal for internal gears)", "Spoed van rondsel en ring (bij binnenvertanding gelijk)"}},
      {62, {"Smallest number of pinion teeth", "Kleinste tandental van het rondsel"}},
      {63, {"Smallest tooth difference z2 - z1", "Kleinste tandverschil z2 - z1"}},
      {71, {"Bore of the pinion [mm]", "Boring van het rondsel [mm]"}},
      {72,
       {"Rim thickness of the ring outside the root circle [mm]", "Randdikte van de ring buiten de voetcirkel [mm]"}},
      {73,
       {"Ring tip circle large enough for the ring tip to clear the pinion root fillet",
        "Kopcirkel van de ring zo groot dat de ringkop de voetronding van het rondsel niet raakt"}},
  };
  for (const auto& [control, tip] : tips) {
    EXPECT_EQ(GadgetGetToolTip(control), Pick(tip.first, tip.second)) << "control " << control;
  }
  EXPECT_EQ(GadgetGetToolTip(51), "");
}

TEST_F(AppTest, CombosAndListsHoldTheirItems) {
  for (int64_t hand : {5, 25, 34, 57}) {
    ASSERT_EQ(GadgetCountItems(hand), 2);
    EXPECT_EQ(GadgetGetItemText(hand, 0, 0), Pick("right", "rechts"));
    EXPECT_EQ(GadgetGetItemText(hand, 1, 0), Pick("left", "links"));
    EXPECT_EQ(GadgetGetState(hand), 0);
  }
  // DIN 780 series 1: 34 modules from 0.05 to 60, trimmed; the text shows 2.
  for (int64_t module : {20, 29}) {
    ASSERT_EQ(GadgetCountItems(module), 34);
    EXPECT_EQ(GadgetGetItemText(module, 0, 0), "0.05");
    EXPECT_EQ(GadgetGetItemText(module, 16, 0), "1.25");
    EXPECT_EQ(GadgetGetItemText(module, 18, 0), "2");
    EXPECT_EQ(GadgetGetItemText(module, 33, 0), "60");
    EXPECT_EQ(GadgetGetText(module), "2");
  }
  ASSERT_EQ(GadgetCountItems(kComboExportWhat), 3);
  EXPECT_EQ(GadgetGetItemText(kComboExportWhat, 0, 0),
            Pick("Export: both together, as shown", "Exporteren: beide samen, zoals in beeld"));
  EXPECT_EQ(GadgetGetItemText(kComboExportWhat, 1, 0),
            Pick("Export: gear 1 / pinion only", "Exporteren: alleen wiel 1 / rondsel"));
  EXPECT_EQ(GadgetGetItemText(kComboExportWhat, 2, 0),
            Pick("Export: gear 2 / rack / ring only", "Exporteren: alleen wiel 2 / heugel / ring"));
  EXPECT_EQ(GadgetGetState(kComboExportWhat), 0);

  const std::vector<std::string> pairColumns = {"m", "z1", "z2", "i", "Δi %", "Σx", "β °"};
  const std::vector<std::string> internalColumns = {"m", "z1", "z2", "i", "Δi %", "Δx", "β °"};
  for (int c = 0; c < 7; ++c) {
    EXPECT_EQ(GadgetGetItemText(kListPairResults, -1, c), pairColumns[std::size_t(c)]);
    EXPECT_EQ(GadgetGetItemText(kListIntResults, -1, c), internalColumns[std::size_t(c)]);
  }
}

// The metrics rule, checked against the values worked out by hand for a line
// height of 15 (s = 1) and 30 (s = 2), and the fallback for a failed measurement.
TEST(UiMetrics, FollowTheLineHeightAndTheWidestLabel) {
  struct Case {
    int lineHeight, widest;
    int fieldHeight, rowStep, fieldWidth, halfWidth, fieldX, panelWidth, areaWidth;
  };
  const Case cases[] = {
      {15, 160, 23, 28, 150, 72, 182, 350, 388},
      {30, 160, 38, 43, 300, 147, 182, 500, 538},
      {16, 100, 24, 29, 160, 77, 122, 300, 338},   // 150 * 16/15 = 160 exactly, not 161
      {17, 100, 25, 30, 170, 82, 122, 310, 348},   // ceil(170.0)
      {9, 0, 23, 28, 150, 72, 22, 190, 228},       // below 10 px: taken as 15
  };
  for (const Case& c : cases) {
    SetUiMetrics(c.lineHeight, c.widest);
    EXPECT_EQ(gFieldHeight, c.fieldHeight) << c.lineHeight;
    EXPECT_EQ(gRowStep, c.rowStep) << c.lineHeight;
    EXPECT_EQ(gFieldWidth, c.fieldWidth) << c.lineHeight;
    EXPECT_EQ(gHalfFieldWidth, c.halfWidth) << c.lineHeight;
    EXPECT_EQ(gFieldX, c.fieldX) << c.lineHeight;
    EXPECT_EQ(gPanelWidth, c.panelWidth) << c.lineHeight;
    EXPECT_EQ(gAreaWidth, c.areaWidth) << c.lineHeight;
  }
}

TEST_F(AppTest, ProjectButtonsFollowTheMetrics) {
  // bw = (P - 18) / 4; x at 8, bw + 14, 2 bw + 20, P - bw + 8.
  const int bw = (gPanelWidth - 18) / 4;
  EXPECT_EQ(GadgetGetWidth(49), bw);
  EXPECT_EQ(GadgetGetX(49), 8);
  EXPECT_EQ(GadgetGetX(50), bw + 14);
  EXPECT_EQ(GadgetGetX(51), 2 * bw + 20);
  // "Save as..." may be wider than bw to show its text (the Dutch one is);
  // "Help" then starts as much later, keeping the gap and its right edge.
  const int gap = (gPanelWidth - bw + 8) - (3 * bw + 20);
  EXPECT_GE(GadgetGetWidth(51), bw);
  EXPECT_EQ(GadgetGetX(52), std::max(gPanelWidth - bw + 8, GadgetGetX(51) + GadgetGetWidth(51) + gap));
  EXPECT_EQ(GadgetGetX(52) + GadgetGetWidth(52), gPanelWidth + 8);
  EXPECT_EQ(GadgetGetHeight(49), gFieldHeight + 4);
  // The fields start right of the widest measured label.
  EXPECT_EQ(GadgetGetX(kFieldPairCentreDistance), gFieldX);
  EXPECT_EQ(GadgetGetWidth(kFieldPairCentreDistance), gFieldWidth);
  EXPECT_EQ(GadgetGetX(kFieldPairBore2) + GadgetGetWidth(kFieldPairBore2), gFieldX + gFieldWidth);
  EXPECT_GE(gLineHeight, 10);
}

TEST_F(AppTest, NoControlsOverlapOrAreClipped) {
  const std::vector<std::string> faults = AllLayoutFaults();
  for (const std::string& f : faults) ADD_FAILURE() << f;
}

TEST_F(AppTest, LargerDefaultFontStillLaysOutCleanly) {
  const int smallLine = gLineHeight;
  const int smallFieldX = gFieldX;
  EndProgram();
  const QFont saved = QApplication::font();
  QFont large = saved;
  large.setPointSizeF(saved.pointSizeF() * 1.6);
  QApplication::setFont(large);
  static char name[] = "norvale_test";
  char* argv[] = {name, nullptr};
  ASSERT_TRUE(AppStartup(1, argv));
  Pump();
  EXPECT_GT(gLineHeight, smallLine);
  EXPECT_GT(gFieldX, smallFieldX);
  const std::vector<std::string> faults = AllLayoutFaults();
  for (const std::string& f : faults) ADD_FAILURE() << f;
  QApplication::setFont(saved);
}

TEST_F(AppTest, ResizeRelaysOutCanvasReportAndColumn) {
  WindowResize(0, kKeep, kKeep, 1100, 700);
  Pump();
  ASSERT_EQ(WindowGetInnerWidth(0), 1100);
  ASSERT_EQ(WindowGetInnerHeight(0), 700);
  EXPECT_EQ(GadgetGetWidth(kCanvasView), 1100 - gAreaWidth - 12);
  EXPECT_EQ(GadgetGetHeight(kCanvasView), 700 - 16);
  EXPECT_EQ(GadgetGetX(kCanvasView), gAreaWidth + 4);
  const int report = std::max(700 - gReportTop - 8, 120);
  EXPECT_EQ(GadgetGetHeight(kEditorReport), report);
  EXPECT_EQ(GadgetGetHeight(kScrollLeftColumn), 700);
  EXPECT_EQ(GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaInnerHeight), gReportTop + report + 8);
  // The left column keeps its width.
  EXPECT_EQ(GadgetGetWidth(kScrollLeftColumn), gAreaWidth);

  // As small as the window may get: the report keeps 120 px.
  WindowResize(0, kKeep, kKeep, 10, 10);
  Pump();
  EXPECT_EQ(WindowGetInnerWidth(0), gAreaWidth + 400);
  EXPECT_EQ(WindowGetInnerHeight(0), 420);
  EXPECT_EQ(GadgetGetHeight(kEditorReport), 120);
  EXPECT_EQ(GadgetGetWidth(kCanvasView), 400 - 12);
  EXPECT_EQ(GadgetGetWidth(kScrollLeftColumn), gAreaWidth);
}

TEST_F(AppTest, ReportAndCanvasFonts) {
  EXPECT_EQ(GadgetGetFont(kEditorReport), gReportFont);
  EXPECT_TRUE(FontIsFixedPitch(gReportFont)) << FontGetFamily(gReportFont);
  EXPECT_DOUBLE_EQ(FontGetPointSize(gReportFont), 9.0);
  EXPECT_FALSE(FontIsFixedPitch(gCanvasFont)) << FontGetFamily(gCanvasFont);
  EXPECT_DOUBLE_EQ(FontGetPointSize(gCanvasFont), 10.0);
}
