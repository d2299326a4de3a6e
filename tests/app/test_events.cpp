// Events as the program sees them: a user's edit posts one changed event, the
// program's own changes post none; the close box, shortcuts, the Help menu,
// the animation timer and the list rows reach their handlers.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <cmath>
#include <numbers>

#include "app/control_ids.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {

struct SeenEvent {
  int64_t kind, window, object, subtype;
};

// Takes every queued event without dispatching it.
std::vector<SeenEvent> DrainEvents() {
  std::vector<SeenEvent> seen;
  for (int64_t kind = EventPoll(); kind != kEventNone; kind = EventPoll()) {
    seen.push_back({kind, EventWindow(), EventObject(), EventSubtype()});
  }
  return seen;
}

// A click on the box itself (a check box reacts only on its box and text).
void ClickCheckBox(int64_t control) {
  QWidget* box = ControlWidget(control);
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

const char* kSaveQuestion[2] = {"The project has been changed. Save changes?",
                                "Het project is gewijzigd. Wijzigingen opslaan?"};

}  // namespace

TEST_F(AppTest, TypingIntoAFieldPostsOneChangedEvent) {
  DrainEvents();
  auto* edit = static_cast<QLineEdit*>(Widget(kFieldPairCentreDistance));
  edit->setFocus();
  QTest::keyClick(edit, Qt::Key_End);
  QTest::keyClicks(edit, "5");
  const std::vector<SeenEvent> seen = DrainEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].kind, kEventControl);
  EXPECT_EQ(seen[0].window, 0);
  EXPECT_EQ(seen[0].object, kFieldPairCentreDistance);
  EXPECT_EQ(seen[0].subtype, kSubChanged);
  EXPECT_EQ(GadgetGetText(kFieldPairCentreDistance), "605");
}

TEST_F(AppTest, TypingIntoAnEditableComboPostsOneChangedEvent) {
  DrainEvents();
  auto* combo = static_cast<QComboBox*>(Widget(kComboSingleModule));
  combo->lineEdit()->selectAll();
  QTest::keyClicks(combo->lineEdit(), "0");
  const std::vector<SeenEvent> seen = DrainEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].object, kComboSingleModule);
  EXPECT_EQ(seen[0].subtype, kSubChanged);
  // No inline completion: "0" stays "0", not the first module starting with 0.
  EXPECT_EQ(GadgetGetText(kComboSingleModule), "0");
}

TEST_F(AppTest, ChangesMadeByTheProgramPostNoEvent) {
  DrainEvents();
  GadgetAddItem(kListPairResults, -1, "2\n20\n40\n2.000\n0.00\n0.000\n0.000");
  GadgetAddItem(kListPairResults, -1, "2.5\n16\n32\n2.000\n0.00\n0.000\n0.000");
  GadgetSetText(kFieldPairCentreDistance, "70");
  GadgetSetText(kComboSingleModule, "3");
  GadgetSetState(kComboPairHand, 1);
  GadgetSetState(kComboSingleModule, 5);
  GadgetSetState(kPanelTabs, kTabRack);
  GadgetSetState(kListPairResults, 1);
  GadgetSetState(kListPairResults, -1);
  GadgetSetState(kCheckPairSeries2, 1);
  GadgetSetState(kTrackSpeed, 12);
  GadgetSetText(kEditorReport, "report\r\n");
  GadgetClearItems(kListPairResults);
  GadgetClearItems(kComboExportWhat);
  GadgetSetText(kTextPairX2, "x2 = 0.1");
  QApplication::processEvents();
  EXPECT_EQ(EventQueueLength(), 0);
  EXPECT_TRUE(DrainEvents().empty());
}

TEST_F(AppTest, UserClicksPostControlEvents) {
  DrainEvents();
  ClickCheckBox(kCheckPairSeries2);
  auto seen = DrainEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].object, kCheckPairSeries2);
  EXPECT_EQ(GadgetGetState(kCheckPairSeries2), 1);

  QTest::mouseClick(Widget(kButtonPairCalculate), Qt::LeftButton);
  seen = DrainEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].object, kButtonPairCalculate);

  // A user choosing another combo item posts one changed event.
  auto* hand = static_cast<QComboBox*>(Widget(kComboPairHand));
  hand->setFocus();
  QTest::keyClick(hand, Qt::Key_Down);
  seen = DrainEvents();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].object, kComboPairHand);
  EXPECT_EQ(seen[0].subtype, kSubChanged);
  EXPECT_EQ(GadgetGetState(kComboPairHand), 1);
}

TEST_F(AppTest, TabSwitchResetsTheAngleAndMarksTheProject) {
  gAnimAngle = 1.0;
  ASSERT_EQ(gProjectModified, 0);
  auto* tabs = static_cast<QTabWidget*>(Widget(kPanelTabs));
  QTabBar* bar = tabs->tabBar();
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kTabSingle).center());
  Pump();
  EXPECT_EQ(GadgetGetState(kPanelTabs), kTabSingle);
  EXPECT_EQ(gAnimAngle, 0.0);
  EXPECT_EQ(gProjectModified, 1);
}

TEST_F(AppTest, CloseBoxQuitsAtOnceWhenNothingChanged) {
  ASSERT_EQ(gProjectModified, 0);
  MainWindowWidget()->close();
  Pump();
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(gQuit, 1);
}

TEST_F(AppTest, CloseBoxAsksWhenChangedAndCancelKeepsTheWindow) {
  gProjectModified = 1;
  nextAnswer_ = kResultCancel;
  MainWindowWidget()->close();
  Pump();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, kSaveQuestion[kLang]);
  EXPECT_EQ(messages_[0].flags & 0xF, kMessageYesNoCancel);
  EXPECT_EQ(gQuit, 0);
  EXPECT_TRUE(WindowIsVisible(0));

  nextAnswer_ = kResultNo;
  MainWindowWidget()->close();
  Pump();
  EXPECT_EQ(messages_.size(), 2u);
  EXPECT_EQ(gQuit, 1);
}

TEST_F(AppTest, ShortcutsArriveAsMenuEvents) {
  QWidget* window = MainWindowWidget();
  ASSERT_TRUE(ActivateAndWaitForFocus(window));
  DrainEvents();
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    int64_t item;
  };
  const Case cases[] = {{Qt::Key_F1, Qt::NoModifier, kMenuItemHelp},
                        {Qt::Key_O, Qt::ControlModifier, kMenuItemOpen},
                        {Qt::Key_S, Qt::ControlModifier, kMenuItemSave}};
  for (const Case& c : cases) {
    QTest::keyClick(window, c.key, c.modifiers);
    const std::vector<SeenEvent> seen = DrainEvents();
    ASSERT_EQ(seen.size(), 1u) << c.item;
    EXPECT_EQ(seen[0].kind, kEventMenu);
    EXPECT_EQ(seen[0].window, 0);
    EXPECT_EQ(seen[0].object, c.item);
  }
}

TEST_F(AppTest, HelpButtonShowsThePopupMenu) {
  std::vector<std::pair<int64_t, std::string>> shown;
  SetPopupResponder([&shown](int64_t menu, const std::vector<std::pair<int64_t, std::string>>& items) {
    EXPECT_EQ(menu, kMenuHelpPopup);
    shown = items;
    return kMenuItemAbout;
  });
  QTest::mouseClick(Widget(kButtonHelp), Qt::LeftButton);
  QApplication::processEvents();
  ASSERT_EQ(EventPoll(), kEventControl);
  DispatchEvent(kEventControl);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].first, kMenuItemHelp);
  EXPECT_EQ(shown[0].second, Pick("User guide\tF1", "Handleiding\tF1"));
  EXPECT_EQ(shown[1].first, kMenuItemAbout);
  EXPECT_EQ(shown[1].second, Pick("About Norvale", "Over Norvale"));
  // The chosen item comes back as a menu event of window 0.
  ASSERT_EQ(EventPoll(), kEventMenu);
  EXPECT_EQ(EventObject(), kMenuItemAbout);
  EXPECT_EQ(EventWindow(), 0);
}

TEST_F(AppTest, TimerTicksOnlyWhileRotateIsCheckedAndADesignIsShown) {
  ClickCheckBox(kCheckRotate);
  Pump();
  ASSERT_TRUE(WindowHasTimer(0, kTimerAnimation));

  // No design: ticks neither turn nor redraw.
  gViewMode = kViewNone;
  ASSERT_TRUE(WaitForTimerTicks(0, kTimerAnimation, 3));
  Pump();
  EXPECT_EQ(gAnimAngle, 0.0);

  // A design: each tick turns gear 1 by speed x 0.05 degrees (speed 4 at start).
  gViewMode = kViewPair;
  ASSERT_TRUE(WaitForTimerTicks(0, kTimerAnimation, 3));
  Pump();
  const double step = 4 * 0.05 * std::numbers::pi / 180.0;
  ASSERT_GT(gAnimAngle, 0.0);
  const double ticks = gAnimAngle / step;
  EXPECT_NEAR(ticks, std::round(ticks), 1e-9);

  // Unchecked: the timer is gone and the angle stays.
  ClickCheckBox(kCheckRotate);
  Pump();
  EXPECT_FALSE(WindowHasTimer(0, kTimerAnimation));
  const double stopped = gAnimAngle;
  ASSERT_TRUE(LetTimerRoundsPass(3, kAnimationIntervalMs));
  Pump();
  EXPECT_EQ(gAnimAngle, stopped);
}

TEST_F(AppTest, TimerTicksDoNotPileUpWhileTheProgramIsBusy) {
  // Ten ticks fire while nobody takes events from the queue: at most one
  // waits there. Draining may take long on a loaded machine, so one more
  // tick may arrive while the queue is emptied, never ten.
  WindowAddTimer(0, kTimerAnimation, 40);
  ASSERT_TRUE(WaitForTimerTicks(0, kTimerAnimation, 10));
  int ticks = 0;
  for (int64_t kind = EventPoll(); kind != kEventNone; kind = EventPoll()) {
    if (kind == kEventTimer) ++ticks;
  }
  EXPECT_LE(ticks, 2);
  WindowRemoveTimer(0, kTimerAnimation);
}

TEST_F(AppTest, AnimationAngleWrapsOncePastAFullTurn) {
  // Speed 20 turns 1 degree per tick: 6.28 + 0.0174533 - 2 pi = 0.0142680 rad.
  GadgetSetState(kTrackSpeed, 20);
  gViewMode = kViewPair;
  gAnimAngle = 6.28;
  HandleTimerEvent(kTimerAnimation);
  EXPECT_NEAR(gAnimAngle, 0.0142680, 5e-8);
  // Another timer number is not the animation.
  HandleTimerEvent(kTimerAnimation + 1);
  EXPECT_NEAR(gAnimAngle, 0.0142680, 5e-8);
}

TEST_F(AppTest, ClickingTheChosenRowDoesNothingAnotherRowIsApplied) {
  SearchResultRow a;
  a.module = 2;
  a.teeth1 = 20;
  a.teeth2 = 40;
  a.ratio = 2;
  SearchResultRow b = a;
  b.module = 2.5;
  b.teeth1 = 16;
  b.teeth2 = 32;
  gPairSearchResults = {a, b};
  GadgetClearItems(kListPairResults);
  GadgetAddItem(kListPairResults, -1, "2\n20\n40\n2.000\n0.00\n0.000\n0.000");
  GadgetAddItem(kListPairResults, -1, "2.5\n16\n32\n2.000\n0.00\n0.000\n0.000");
  GadgetSetState(kListPairResults, 0);
  gPairSelectedRow = 0;
  gProjectModified = 0;

  auto* list = static_cast<QTreeWidget*>(Widget(kListPairResults));
  const QPoint row0 = list->visualItemRect(list->topLevelItem(0)).center();
  const QPoint row1 = list->visualItemRect(list->topLevelItem(1)).center();
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row0);
  Pump();
  EXPECT_EQ(gPairSelectedRow, 0);
  EXPECT_EQ(gProjectModified, 0);

  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row1);
  Pump();
  EXPECT_EQ(GadgetGetState(kListPairResults), 1);
  EXPECT_EQ(gPairSelectedRow, 1);
  EXPECT_EQ(gProjectModified, 1);
}

// The changed-flag rule: a registered field marks the project changed on a
// text change, a registered check box or track bar on any event; other
// controls do not.
TEST_F(AppTest, OnlyRegisteredControlsMarkTheProjectChanged) {
  gProjectFieldMap["1"] = 1;
  gProjectFieldMap["11"] = 1;
  gProjectFieldMap.erase("2");
  gProjectModified = 0;

  auto* unregistered = static_cast<QLineEdit*>(ControlWidget(kFieldPairRatio));
  QTest::keyClicks(unregistered, "5");
  Pump();
  EXPECT_EQ(gProjectModified, 0);

  auto* registered = static_cast<QLineEdit*>(ControlWidget(kFieldPairCentreDistance));
  QTest::keyClicks(registered, "5");
  Pump();
  EXPECT_EQ(gProjectModified, 1);

  gProjectModified = 0;
  ClickCheckBox(kCheckPairSeries2);
  Pump();
  EXPECT_EQ(gProjectModified, 1);
}
