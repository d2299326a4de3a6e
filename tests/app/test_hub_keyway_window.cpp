// The hub-and-keyway window: its controls and layout, showing and hiding it,
// and how its choices change the design, the report, the drawing and the
// project file.
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "app/control_ids.h"
#include "app/hub_keyway_window.h"
#include "app/main_window.h"
#include "app/project_file.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "app_fixture.h"
#include "geometry/gear_geometry.h"
#include "platform/registry.h"

namespace {

// A user's choice in a combo box (posts its change event).
void Choose(int64_t combo, int index) { static_cast<QComboBox*>(ControlWidget(combo))->setCurrentIndex(index); }

// A user replacing the text of an entry.
void Type(int64_t entry, const char* text) {
  auto* edit = static_cast<QLineEdit*>(ControlWidget(entry));
  edit->selectAll();
  if (*text == '\0') {
    QTest::keyClick(edit, Qt::Key_Delete);
  } else {
    QTest::keyClicks(edit, text);
  }
}

void ClickTab(int tab) {
  auto* tabs = static_cast<QTabWidget*>(ControlWidget(kPanelTabs));
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
}

std::string Report() { return GadgetGetText(kEditorReport); }

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// printf fixed-point text, independent of the program's formatter.
std::string Fix(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

// The canvas pixel (RGB) at a model point, at the current device scale.
uint32_t ModelPixelRgb(double x, double y) {
  const CanvasPoint p = WorldToScreen(x, y);
  const double scale = ControlWidget(kCanvasView)->devicePixelRatioF();
  return CanvasGetPixel(kCanvasView, int(std::floor(p.x * scale)), int(std::floor(p.y * scale))) >> 8;
}

}  // namespace

TEST_F(AppTest, HubWindowIsBuiltHiddenWithItsControlsAndTexts) {
  ASSERT_TRUE(WindowExists(kWindowHubKeyway));
  EXPECT_FALSE(WindowIsVisible(kWindowHubKeyway));
  EXPECT_EQ(gHubWindowShown, 0);
  EXPECT_EQ(WindowGetTitle(kWindowHubKeyway), Pick("Hub and keyway", "Naaf en spiebaan"));

  EXPECT_EQ(GadgetGetText(kTextHubGear1), Pick("Gear 1 / pinion", "Wiel 1 / rondsel"));
  EXPECT_EQ(GadgetGetText(kTextHubGear2), Pick("Gear 2 (gear pair only)", "Wiel 2 (alleen bij het tandwielpaar)"));
  EXPECT_EQ(GadgetGetText(kButtonHubClose), Pick("Close", "Sluiten"));
  EXPECT_FALSE(GadgetExists(120));

  for (int64_t k : {0, 1}) {
    SCOPED_TRACE(k);
    const int64_t keyway = HubControl(kComboKeyway1, k);
    ASSERT_EQ(GadgetGetType(keyway), kControlComboBox);
    ASSERT_EQ(GadgetCountItems(keyway), 3);
    EXPECT_EQ(GadgetGetItemText(keyway, 0, 0), Pick("none", "geen"));
    EXPECT_EQ(GadgetGetItemText(keyway, 1, 0), "DIN 6885-1");
    EXPECT_EQ(GadgetGetItemText(keyway, 2, 0), Pick("custom size", "eigen maten"));
    EXPECT_EQ(GadgetGetState(keyway), 0);

    const int64_t hub = HubControl(kComboHub1, k);
    ASSERT_EQ(GadgetGetType(hub), kControlComboBox);
    ASSERT_EQ(GadgetCountItems(hub), 4);
    const char* sides[4][2] = {{"none", "geen"}, {"left", "links"}, {"right", "rechts"}, {"both sides", "beide kanten"}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(GadgetGetItemText(hub, i, 0), Pick(sides[i][0], sides[i][1]));
    EXPECT_EQ(GadgetGetState(hub), 0);

    for (int64_t entry : {kFieldKeyWidth1, kFieldKeyDepth1, kFieldHubDiameter1, kFieldHubLength1}) {
      EXPECT_EQ(GadgetGetType(HubControl(entry, k)), kControlTextEntry) << entry;
    }
    EXPECT_EQ(GadgetGetText(HubControl(kFieldKeyWidth1, k)), "");
    EXPECT_EQ(GadgetGetText(HubControl(kFieldKeyDepth1, k)), "");
    EXPECT_EQ(GadgetGetText(HubControl(kFieldHubDiameter1, k)), "");
    EXPECT_EQ(GadgetGetText(HubControl(kFieldHubLength1, k)), "10");
    EXPECT_EQ(GadgetGetToolTip(HubControl(kFieldKeyDepth1, k)),
              Pick("Depth of the keyway in the hub, measured from the bore",
                   "Diepte van de spiebaan in de naaf, gemeten vanaf de boring"));
    EXPECT_EQ(GadgetGetToolTip(HubControl(kFieldHubDiameter1, k)), Pick("Empty or 0: automatic", "Leeg of 0: automatisch"));
    EXPECT_EQ(GadgetGetToolTip(HubControl(kFieldHubLength1, k)),
              Pick("Length outside the gear, per side", "Lengte buiten het tandwiel, per kant"));
    // Width and depth are inputs only for a custom keyway.
    EXPECT_FALSE(ControlWidget(HubControl(kFieldKeyWidth1, k))->isEnabled());
    EXPECT_FALSE(ControlWidget(HubControl(kFieldKeyDepth1, k))->isEnabled());
  }
}

TEST_F(AppTest, HubWindowLayoutFollowsTheMetrics) {
  const int L = gLineHeight, F = gFieldHeight, R = gRowStep;
  const int c = gFieldX + gFieldWidth - 10;
  const int rightX = gFieldX + gFieldWidth - gHalfFieldWidth;
  const int block = L + 6 + 4 * R + 10;
  struct Place {
    int64_t control;
    int x, y, w, h;
  };
  for (int k : {0, 1}) {
    const int y = 10 + k * block;
    const Place places[] = {
        {k == 0 ? kTextHubGear1 : kTextHubGear2, 10, y, c, L + 4},
        {HubControl(kComboKeyway1, k), gFieldX, y + L + 6, gFieldWidth, F},
        {HubControl(kFieldKeyWidth1, k), gFieldX, y + L + 6 + R, gHalfFieldWidth, F},
        {HubControl(kFieldKeyDepth1, k), rightX, y + L + 6 + R, gHalfFieldWidth, F},
        {HubControl(kComboHub1, k), gFieldX, y + L + 6 + 2 * R, gFieldWidth, F},
        {HubControl(kFieldHubDiameter1, k), gFieldX, y + L + 6 + 3 * R, gHalfFieldWidth, F},
        {HubControl(kFieldHubLength1, k), rightX, y + L + 6 + 3 * R, gHalfFieldWidth, F},
    };
    for (const Place& p : places) {
      EXPECT_EQ(GadgetGetX(p.control), p.x) << p.control;
      EXPECT_EQ(GadgetGetY(p.control), p.y) << p.control;
      EXPECT_EQ(GadgetGetWidth(p.control), p.w) << p.control;
      EXPECT_EQ(GadgetGetHeight(p.control), p.h) << p.control;
    }
  }
  const int noteY = 10 + 2 * block;
  const int closeY = noteY + 3 * L + 6;
  EXPECT_EQ(GadgetGetX(kButtonHubClose), c / 2 + 10);
  EXPECT_EQ(GadgetGetY(kButtonHubClose), closeY);
  EXPECT_EQ(GadgetGetWidth(kButtonHubClose), c / 2);
  EXPECT_EQ(GadgetGetHeight(kButtonHubClose), F + 6);
  EXPECT_EQ(WindowGetInnerWidth(kWindowHubKeyway), gFieldX + gFieldWidth + 20);
  EXPECT_EQ(WindowGetInnerHeight(kWindowHubKeyway), closeY + F + 16);
  // The Close button lies inside the window with the margin to its right.
  EXPECT_LE(GadgetGetX(kButtonHubClose) + GadgetGetWidth(kButtonHubClose) + 10,
            WindowGetInnerWidth(kWindowHubKeyway));
}

TEST_F(AppTest, HubKeyButtonShowsTheWindowAndCloseHidesIt) {
  QTest::mouseClick(Widget(kButtonHubKeyway), Qt::LeftButton);
  Pump();
  EXPECT_TRUE(WindowIsVisible(kWindowHubKeyway));
  EXPECT_EQ(gHubWindowShown, 1);

  QTest::mouseClick(Widget(kButtonHubClose), Qt::LeftButton);
  Pump();
  EXPECT_FALSE(WindowIsVisible(kWindowHubKeyway));
  EXPECT_EQ(gHubWindowShown, 0);

  // Shown again, its close box hides it too, and the fields keep their texts.
  QTest::mouseClick(Widget(kButtonHubKeyway), Qt::LeftButton);
  Pump();
  ASSERT_TRUE(WindowIsVisible(kWindowHubKeyway));
  Type(kFieldHubLength2, "17");
  Pump();
  FindWindow(kWindowHubKeyway)->widget->close();
  Pump();
  EXPECT_FALSE(WindowIsVisible(kWindowHubKeyway));
  EXPECT_EQ(gHubWindowShown, 0);
  EXPECT_TRUE(WindowExists(kWindowHubKeyway));
  EXPECT_EQ(GadgetGetText(kFieldHubLength2), "17");
  EXPECT_TRUE(WindowIsVisible(kWindowMain));
}

TEST_F(AppTest, StandardKeywaysChangeBothGearsAndTheReport) {
  ASSERT_EQ(gViewMode, kViewPair);
  ASSERT_EQ(GadgetGetText(kFieldPairBore1), "8");
  ASSERT_EQ(GadgetGetText(kFieldPairBore2), "12");
  EXPECT_FALSE(Contains(Report(), Pick("keyway b", "spiebaan b")));
  gProjectModified = 0;

  // DIN 6885-1: bore 8 takes the 2 x 2 key (t2 1.0), bore 12 the 4 x 4 key (t2 1.8).
  Choose(kComboKeyway1, 1);
  Pump();
  EXPECT_EQ(gGear1.keyWidth, 2.0);
  EXPECT_DOUBLE_EQ(gGear1.hubKeywayDepth, 1.0);
  EXPECT_EQ(gGear2.keyWidth, 0.0);
  EXPECT_EQ(GadgetGetText(kFieldKeyWidth1), "2");
  EXPECT_EQ(GadgetGetText(kFieldKeyDepth1), "1.0");
  EXPECT_EQ(gProjectModified, 1);
  EXPECT_TRUE(Contains(Report(), Pick("  keyway b × t2 = 2.0 × 1.0  (DIN 6885-1, key 2 × 2)\r\n",
                                      "  spiebaan b × t2 = 2.0 × 1.0  (DIN 6885-1, spie 2 × 2)\r\n")));

  Choose(kComboKeyway2, 1);
  Pump();
  EXPECT_EQ(gGear2.keyWidth, 4.0);
  EXPECT_DOUBLE_EQ(gGear2.hubKeywayDepth, 1.8);
  EXPECT_EQ(GadgetGetText(kFieldKeyWidth2), "4");
  EXPECT_EQ(GadgetGetText(kFieldKeyDepth2), "1.8");
  EXPECT_TRUE(Contains(Report(), Pick("  keyway b × t2 = 4.0 × 1.8  (DIN 6885-1, key 4 × 4)\r\n",
                                      "  spiebaan b × t2 = 4.0 × 1.8  (DIN 6885-1, spie 4 × 4)\r\n")));
  // The shown sizes are no inputs.
  EXPECT_FALSE(ControlWidget(kFieldKeyWidth2)->isEnabled());

  // A larger bore takes the next key at once.
  auto* bore = static_cast<QLineEdit*>(ControlWidget(kFieldPairBore1));
  bore->selectAll();
  QTest::keyClicks(bore, "25");
  Pump();
  EXPECT_EQ(gGear1.keyWidth, 8.0);
  EXPECT_EQ(GadgetGetText(kFieldKeyWidth1), "8");
  EXPECT_EQ(GadgetGetText(kFieldKeyDepth1), "3.3");

  // Back to none: the keyway goes, the report line too.
  Choose(kComboKeyway1, 0);
  Choose(kComboKeyway2, 0);
  Pump();
  EXPECT_EQ(GearHasKeyway(gGear1), 0);
  EXPECT_EQ(GearHasKeyway(gGear2), 0);
  EXPECT_FALSE(Contains(Report(), Pick("keyway b", "spiebaan b")));
}

TEST_F(AppTest, CustomKeywayTakesTheTypedSizes) {
  Choose(kComboKeyway1, 2);
  Pump();
  EXPECT_TRUE(ControlWidget(kFieldKeyWidth1)->isEnabled());
  EXPECT_TRUE(ControlWidget(kFieldKeyDepth1)->isEnabled());
  EXPECT_FALSE(ControlWidget(kFieldKeyWidth2)->isEnabled()) << "gear 2 keeps its own choice";
  Type(kFieldKeyWidth1, "3");
  Type(kFieldKeyDepth1, "1,5");
  Pump();
  EXPECT_EQ(gGear1.keyWidth, 3.0);
  EXPECT_EQ(gGear1.hubKeywayDepth, 1.5);
  EXPECT_EQ(gGear1.keyFromDin, 0);
  EXPECT_TRUE(Contains(Report(), Pick("  keyway b × t2 = 3.0 × 1.5  (custom size)\r\n",
                                      "  spiebaan b × t2 = 3.0 × 1.5  (eigen maten)\r\n")));
  // As wide as the bore (8): no keyway and a warning line.
  Type(kFieldKeyWidth1, "8");
  Pump();
  EXPECT_EQ(GearHasKeyway(gGear1), 0);
  EXPECT_TRUE(Contains(Report(), Pick("  ! keyway wider than the bore\r\n", "  ! spiebaan breder dan de boring\r\n")));
}

TEST_F(AppTest, HubChoicesChangeTheGearAndTheReport) {
  ASSERT_EQ(gViewMode, kViewPair);
  Choose(kComboHub1, 3);
  Pump();
  // Automatic diameter: min(max(1.8 d, d + 2 max(3, m)), 2 rf - 2 m), d = 8.
  const double m = gGear1.normalModule;
  const double rf = gGear1.rootRadius;
  const double automatic = std::min(std::max(1.8 * 8.0, 8.0 + 2.0 * std::max(3.0, m)), 2.0 * rf - 2.0 * m);
  ASSERT_EQ(GearHasHub(gGear1), 1) << gGear1.warnings;
  EXPECT_EQ(gGear1.hubSide, 3);
  EXPECT_NEAR(gGear1.hubDiameter, automatic, 1e-9);
  EXPECT_EQ(gGear1.hubLength, 10.0);
  EXPECT_EQ(GadgetGetText(kFieldHubDiameter1), "") << "the automatic diameter is not written back";
  // Face width 10 and two hubs of 10.
  const std::string hubLine = kLang == 0
                                  ? "  hub Ø " + Fix(automatic, 1) + " × 10.0 on both sides   (total length 30.0)\r\n"
                                  : "  naaf Ø " + Fix(automatic, 1) + " × 10.0 aan beide kanten   (totale lengte 30.0)\r\n";
  EXPECT_TRUE(Contains(Report(), hubLine)) << Report();

  Type(kFieldHubDiameter1, "20");
  Type(kFieldHubLength1, "12,5");
  Choose(kComboHub1, 1);
  Pump();
  EXPECT_EQ(gGear1.hubDiameter, 20.0);
  EXPECT_EQ(gGear1.hubLength, 12.5);
  EXPECT_TRUE(Contains(Report(), Pick("  hub Ø 20.0 × 12.5 left   (total length 22.5)\r\n",
                                      "  naaf Ø 20.0 × 12.5 links   (totale lengte 22.5)\r\n")));

  // A hub of length 0 is refused with a warning line.
  Type(kFieldHubLength1, "0");
  Pump();
  EXPECT_EQ(GearHasHub(gGear1), 0);
  EXPECT_TRUE(Contains(Report(), Pick("  ! hub: length 0\r\n", "  ! naaf: lengte 0\r\n")));
}

TEST_F(AppTest, GearOneSettingsApplyToEveryTabGearTwoOnlyToThePair) {
  Choose(kComboKeyway1, 1);
  Choose(kComboKeyway2, 1);
  Choose(kComboHub2, 3);
  Pump();
  ASSERT_EQ(GearHasKeyway(gGear2), 1);
  ClickTab(kTabSingle);
  Pump();
  ASSERT_EQ(gViewMode, kViewSingle);
  EXPECT_EQ(GearHasKeyway(gGear1), 1);
  const std::string report = Report();
  EXPECT_TRUE(Contains(report, Pick("(DIN 6885-1, key 2 × 2)", "(DIN 6885-1, spie 2 × 2)")));
  EXPECT_FALSE(Contains(report, Pick("hub Ø", "naaf Ø")));
  // Rack and internal pair: the pinion gets its keyway; rack and ring none.
  ClickTab(kTabRack);
  Pump();
  ASSERT_EQ(gViewMode, kViewRack);
  EXPECT_EQ(GearHasKeyway(gGear1), 1);
  EXPECT_EQ(GearHasKeyway(gRack), 0);
  ClickTab(kTabInternal);
  Pump();
  if (gViewMode == kViewInternal) {
    // The pinion's default bore of 6 mm is below the smallest DIN 6885-1 key.
    ASSERT_EQ(GadgetGetText(kFieldIntPinionBore), "6");
    EXPECT_EQ(GearHasKeyway(gGear1), 0);
    EXPECT_TRUE(Contains(Report(), Pick("  ! keyway: no DIN 6885 size for this bore (6 < d <= 230 mm)\r\n",
                                        "  ! spiebaan: geen DIN 6885-maat voor deze boring (6 < d <= 230 mm)\r\n")));
    EXPECT_EQ(GearHasKeyway(gRing), 0);
    EXPECT_EQ(GearHasHub(gRing), 0);
  }
}

TEST_F(AppTest, TheDrawnBoreTakesTheKeyway) {
  ClickTab(kTabSingle);
  Pump();
  ASSERT_EQ(gViewMode, kViewSingle);
  // 60 teeth of module 2: root circle 57.5 mm round a 40 mm bore.
  Type(kFieldSingleTeeth, "60");
  Type(kFieldSingleBore, "40");
  Pump();
  ASSERT_EQ(gGear1.teeth, 60);
  RedrawView();
  ASSERT_EQ(gAnimAngle, 0.0);
  // DIN 6885-1 for a 40 mm bore: 12 x 8, t2 3.3; the keyway lies on +x.
  const double inKeyway = 20.0 + 3.3 / 2.0;
  const uint32_t bodyBefore = ModelPixelRgb(inKeyway, 3.0);
  const uint32_t oppositeBefore = ModelPixelRgb(-inKeyway, 3.0);
  EXPECT_EQ(bodyBefore, oppositeBefore) << "gear body on both sides";
  const uint32_t holeBefore = ModelPixelRgb(0.0, 10.0);

  Choose(kComboKeyway1, 1);
  Pump();
  RedrawView();
  ASSERT_EQ(GearHasKeyway(gGear1), 1);
  EXPECT_EQ(ModelPixelRgb(inKeyway, 3.0), holeBefore) << "the keyway is cut out of the body";
  EXPECT_EQ(ModelPixelRgb(-inKeyway, 3.0), oppositeBefore) << "only on one side";
  EXPECT_EQ(ModelPixelRgb(20.0 + 3.3 + 1.0, 3.0), bodyBefore) << "and only as deep as t2";

  // With hubs on both sides, for a person to look at.
  Choose(kComboHub1, 3);
  Pump();
  RedrawView();
  ASSERT_EQ(GearHasHub(gGear1), 1);
  EXPECT_TRUE(CanvasSavePng(kCanvasView, std::string("hub_keyway_view_") + (kLang == 0 ? "en" : "nl") + ".png"));
}

TEST_F(AppTest, ProjectFileKeepsTheHubAndKeywayChoices) {
  char pattern[] = "/tmp/norvale_hub_XXXXXX";
  ASSERT_NE(::mkdtemp(pattern), nullptr);
  const std::string path = std::string(pattern) + "/hub.tdw";

  Choose(kComboKeyway1, 2);
  Pump();  // the width and depth become inputs
  Type(kFieldKeyWidth1, "3");
  Type(kFieldKeyDepth1, "1,4");
  Choose(kComboHub1, 2);
  Type(kFieldHubDiameter1, "22");
  Type(kFieldHubLength1, "7,5");
  Choose(kComboKeyway2, 1);
  Choose(kComboHub2, 3);
  Type(kFieldHubLength2, "9");
  Pump();
  ASSERT_EQ(gGear1.keyWidth, 3.0);
  ASSERT_EQ(GearHasHub(gGear2), 1);
  const GearRecord gear1 = gGear1;
  const GearRecord gear2 = gGear2;
  ASSERT_EQ(WriteProjectFile(path), 1);

  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  const std::string file = bytes.str();
  for (const char* line : {"[Naaf]\r\n", "spiebaan1 = 2\r\n", "spie_b1 = 3\r\n", "spie_t1 = 1,4\r\n", "naaf1 = 2\r\n",
                           "naaf_D1 = 22\r\n", "naaf_L1 = 7,5\r\n", "spiebaan2 = 1\r\n", "spie_b2 = 4\r\n",
                           "spie_t2 = 1.8\r\n", "naaf2 = 3\r\n", "naaf_L2 = 9\r\n"}) {
    EXPECT_TRUE(Contains(file, line)) << line;
  }

  // Undo everything as a user would, then load.
  Choose(kComboKeyway1, 0);
  Choose(kComboHub1, 0);
  Choose(kComboKeyway2, 0);
  Choose(kComboHub2, 0);
  Type(kFieldHubLength1, "10");
  Type(kFieldHubDiameter1, "");
  Pump();
  ASSERT_EQ(GearHasKeyway(gGear1), 0);
  ASSERT_EQ(ReadProjectFile(path), 1);
  Pump();
  EXPECT_EQ(GadgetGetState(kComboKeyway1), 2);
  EXPECT_EQ(GadgetGetText(kFieldKeyWidth1), "3");
  EXPECT_EQ(GadgetGetText(kFieldKeyDepth1), "1,4");
  EXPECT_EQ(GadgetGetState(kComboHub1), 2);
  EXPECT_EQ(GadgetGetText(kFieldHubDiameter1), "22");
  EXPECT_EQ(GadgetGetText(kFieldHubLength1), "7,5");
  EXPECT_EQ(GadgetGetState(kComboKeyway2), 1);
  EXPECT_EQ(GadgetGetState(kComboHub2), 3);
  EXPECT_EQ(GadgetGetText(kFieldHubLength2), "9");
  EXPECT_TRUE(ControlWidget(kFieldKeyWidth1)->isEnabled());
  EXPECT_FALSE(ControlWidget(kFieldKeyWidth2)->isEnabled());
  // The loaded project gives the same gears.
  EXPECT_EQ(gGear1.keyWidth, gear1.keyWidth);
  EXPECT_EQ(gGear1.hubKeywayDepth, gear1.hubKeywayDepth);
  EXPECT_EQ(gGear1.hubSide, gear1.hubSide);
  EXPECT_EQ(gGear1.hubDiameter, gear1.hubDiameter);
  EXPECT_EQ(gGear1.hubLength, gear1.hubLength);
  EXPECT_EQ(gGear2.keyWidth, gear2.keyWidth);
  EXPECT_EQ(gGear2.hubSide, gear2.hubSide);
  EXPECT_EQ(gGear2.hubDiameter, gear2.hubDiameter);
  EXPECT_EQ(gGear2.hubLength, 9.0);
  EXPECT_TRUE(messages_.empty());
  std::system(("rm -rf '" + std::string(pattern) + "'").c_str());
}

TEST_F(AppTest, HubWindowGrabsToPng) {
  ShowHubKeywayWindow();
  Choose(kComboKeyway1, 1);
  Choose(kComboHub1, 3);
  Choose(kComboKeyway2, 2);
  Pump();
  QWidget* window = FindWindow(kWindowHubKeyway)->widget;
  const QImage image = window->grab().toImage();
  ASSERT_FALSE(image.isNull());
  const double scale = window->devicePixelRatioF();
  EXPECT_EQ(image.width(), int(WindowGetInnerWidth(kWindowHubKeyway) * scale));
  EXPECT_EQ(image.height(), int(WindowGetInnerHeight(kWindowHubKeyway) * scale));
  const std::string name =
      std::string("hub_window_") + (kLang == 0 ? "en" : "nl") + (scale > 1 ? "_x2" : "") + ".png";
  EXPECT_TRUE(image.save(QString::fromStdString(name)));
  HideHubKeywayWindow();
}

TEST_F(AppTest, F1InTheHubWindowAsksForTheUserGuide) {
  ShowHubKeywayWindow();
  QWidget* window = FindWindow(kWindowHubKeyway)->widget;
  ASSERT_TRUE(ActivateAndWaitForFocus(window));
  while (EventPoll() != kEventNone) {
  }
  QTest::keyClick(window, Qt::Key_F1);
  ASSERT_EQ(EventPoll(), kEventMenu);
  EXPECT_EQ(EventWindow(), kWindowHubKeyway);
  EXPECT_EQ(EventObject(), kMenuItemHelp);
  HideHubKeywayWindow();
}
