// Reading numbers from fields, writing texts only when they differ, the
// report editor's exact text, the load-kind switch, and the canvas's mouse
// and wheel handling.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <limits>
#include <string>

#include "app/control_ids.h"
#include "app_fixture.h"
#include "design/field_reading.h"
#include "geometry/format.h"
#include "platform/registry.h"

TEST_F(AppTest, ReadNumberFieldReadsTheTextOfEntriesAndEditableCombos) {
  struct Case {
    const char* text;
    double value;
  };
  const Case cases[] = {
      {" 12,5 ", 12.5}, {"1.000,5", 1.0}, {"", 0.0},    {"abc", 0.0},  {"12mm", 12.0},
      {"1,5e3", 1500.0}, {"-0.5", -0.5},  {"2", 2.0},   {"  -3,25", -3.25},
  };
  for (const Case& c : cases) {
    GadgetSetText(kFieldPairCentreDistance, c.text);
    EXPECT_DOUBLE_EQ(ReadNumberField(kFieldPairCentreDistance), c.value) << '"' << c.text << '"';
    GadgetSetText(kComboSingleModule, c.text);
    EXPECT_DOUBLE_EQ(ReadNumberField(kComboSingleModule), c.value) << "combo \"" << c.text << '"';
  }
  GadgetSetText(kFieldPairCentreDistance, "NaN");
  EXPECT_TRUE(std::isnan(ReadNumberField(kFieldPairCentreDistance)));
  GadgetSetText(kFieldPairCentreDistance, "-infinity");
  EXPECT_EQ(ReadNumberField(kFieldPairCentreDistance), -std::numeric_limits<double>::infinity());
}

TEST_F(AppTest, SetGadgetTextIfChangedLeavesAnEqualTextAlone) {
  auto* edit = static_cast<QLineEdit*>(ControlWidget(kFieldPairFaceWidth));
  QSignalSpy changes(edit, &QLineEdit::textChanged);
  edit->setCursorPosition(1);
  SetGadgetTextIfChanged(kFieldPairFaceWidth, "10");
  EXPECT_EQ(changes.count(), 0);
  EXPECT_EQ(edit->cursorPosition(), 1);
  SetGadgetTextIfChanged(kFieldPairFaceWidth, "10.0");
  EXPECT_EQ(changes.count(), 1);
  EXPECT_EQ(GadgetGetText(kFieldPairFaceWidth), "10.0");
  // Case matters: "1E3" differs from "1e3".
  SetGadgetTextIfChanged(kFieldPairFaceWidth, "1e3");
  SetGadgetTextIfChanged(kFieldPairFaceWidth, "1E3");
  EXPECT_EQ(changes.count(), 3);
  EXPECT_EQ(EventQueueLength(), 0);
}

TEST_F(AppTest, ReportEditorReturnsItsTextWithCrLf) {
  const std::string report = "  Pair\r\n  a = 60.000 mm\r\n  ! warning\r\n";
  GadgetSetText(kEditorReport, report);
  EXPECT_EQ(GadgetGetText(kEditorReport), report);
  auto* editor = static_cast<QPlainTextEdit*>(ControlWidget(kEditorReport));
  EXPECT_EQ(editor->toPlainText().toStdString(), "  Pair\n  a = 60.000 mm\n  ! warning\n");
  EXPECT_TRUE(editor->isReadOnly());
  EXPECT_EQ(editor->lineWrapMode(), QPlainTextEdit::NoWrap);
}

namespace {

// The strength window's load controls (75 to 78), made here when the
// strength window is not part of the program yet.
void EnsureLoadControls() {
  if (GadgetExists(kComboLoadKind)) return;
  WindowOpen(kWindowStrength, 0, 0, 400, 200, "load", kWindowTitleBar | kWindowInvisible, kWindowMain);
  CreateComboBoxControl(kComboLoadKind, 10, 10, 200, 24);
  GadgetAddItem(kComboLoadKind, -1, "power");
  GadgetAddItem(kComboLoadKind, -1, "torque");
  GadgetSetState(kComboLoadKind, 0);
  CreateTextEntryControl(kFieldLoadValue, 200, 40, 100, 24, "5");
  CreateTextControl(kTextLoadLabel, 10, 40, 180, 20, Pick("Power P [kW]", "Vermogen P [kW]"));
  CreateTextEntryControl(kFieldSpeed, 200, 70, 100, 24, "1500");
}

// What a user's choice in the combo does: the changed event, dispatched.
void UserChoosesLoadKind(int64_t kind) {
  static_cast<QComboBox*>(ControlWidget(kComboLoadKind))->setCurrentIndex(int(kind));
  QApplication::processEvents();
  PumpEvents();
}

}  // namespace

TEST_F(AppTest, LoadKindSwitchConvertsPowerAndTorqueAtTheSpeed) {
  EnsureLoadControls();
  GadgetSetText(kFieldLoadValue, "5");
  GadgetSetText(kFieldSpeed, "1500");
  // P = 5 kW at n = 1500 1/min: T = 9550 P / n = 31.833 Nm.
  UserChoosesLoadKind(1);
  EXPECT_EQ(GadgetGetText(kTextLoadLabel), Pick("Torque T1 [Nm]", "Koppel T1 [Nm]"));
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "31.83");
  // Fault: back to power the rounded torque gave P = 31.83 * 1500 / 9550 =
  // 4.999 kW. With nothing changed in between the typed 5 comes back.
  UserChoosesLoadKind(0);
  EXPECT_EQ(GadgetGetText(kTextLoadLabel), Pick("Power P [kW]", "Vermogen P [kW]"));
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "5");
  // A torque the user typed is converted: T = 40 Nm at 1500 1/min is
  // P = 40 * 1500 / 9550 = 6.2827 kW; and that typed 40 comes back in turn.
  UserChoosesLoadKind(1);
  GadgetSetText(kFieldLoadValue, "40");
  UserChoosesLoadKind(0);
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "6.283");
  UserChoosesLoadKind(1);
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "40");
  // Another speed in between: the shown power is converted at the new speed,
  // T = 6.283 * 9550 / 1000 = 60.0027 Nm, and the older 40 does not come back.
  UserChoosesLoadKind(0);
  GadgetSetText(kFieldSpeed, "1000");
  UserChoosesLoadKind(1);
  EXPECT_EQ(GadgetGetText(kFieldLoadValue), "60.00");
}

// Mended fault: with speed 0 the label used to stay "Power" although the
// number was then read as a torque. The label now always follows the combo;
// the number is kept as typed, as there is no speed to convert with.
TEST_F(AppTest, LoadKindSwitchAtSpeedZeroSetsTheLabelAndKeepsTheNumber) {
  EnsureLoadControls();
  const char* speeds[] = {"0", "", "-100", "NaN", "Infinity"};
  for (const char* speed : speeds) {
    GadgetSetState(kComboLoadKind, 0);
    GadgetSetText(kTextLoadLabel, Pick("Power P [kW]", "Vermogen P [kW]"));
    GadgetSetText(kFieldLoadValue, "7,5");
    GadgetSetText(kFieldSpeed, speed);
    UserChoosesLoadKind(1);
    EXPECT_EQ(GadgetGetText(kTextLoadLabel), Pick("Torque T1 [Nm]", "Koppel T1 [Nm]")) << speed;
    EXPECT_EQ(GadgetGetText(kFieldLoadValue), "7,5") << speed;
    UserChoosesLoadKind(0);
    EXPECT_EQ(GadgetGetText(kTextLoadLabel), Pick("Power P [kW]", "Vermogen P [kW]")) << speed;
    EXPECT_EQ(GadgetGetText(kFieldLoadValue), "7,5") << speed;
  }
}

namespace {

void SendWheel(QWidget* canvas, QPoint at, int angleDelta) {
  QWheelEvent wheel(QPointF(at), QPointF(canvas->mapToGlobal(at)), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(canvas, &wheel);
  QApplication::processEvents();
  PumpEvents();
}

}  // namespace

TEST_F(AppTest, WheelZoomsAboutTheCursor) {
  QWidget* canvas = ControlWidget(kCanvasView);
  const double w = canvas->width();
  const double h = canvas->height();
  gZoom = 2.0;
  gViewCentreX = 10.0;
  gViewCentreY = -5.0;
  const QPoint at(100, 80);
  // The model point under the cursor before the step.
  const double px = gViewCentreX + (at.x() - w / 2) / gZoom;
  const double py = gViewCentreY - (at.y() - h / 2) / gZoom;
  SendWheel(canvas, at, 120);
  EXPECT_DOUBLE_EQ(gZoom, 2.4);
  EXPECT_NEAR(gViewCentreX + (at.x() - w / 2) / gZoom, px, 1e-9);
  EXPECT_NEAR(gViewCentreY - (at.y() - h / 2) / gZoom, py, 1e-9);
  EXPECT_EQ(gMouseX, at.x());
  EXPECT_EQ(gMouseY, at.y());

  // The lower limit: from 0.011 one notch towards the user gives 0.01, not 0.00917.
  gZoom = 0.011;
  SendWheel(canvas, at, -120);
  EXPECT_DOUBLE_EQ(gZoom, 0.01);
  gZoom = 90000;
  SendWheel(canvas, at, 240);
  EXPECT_DOUBLE_EQ(gZoom, 100000);
}

// Mended fault: a wheel step whose result is not finite is refused, the view
// keeps its last finite values.
TEST_F(AppTest, WheelStepWithANonFiniteResultIsRefused) {
  QWidget* canvas = ControlWidget(kCanvasView);
  gZoom = 1e-310;  // a fit of a huge extent may leave such a scale
  gViewCentreX = 1.0e308;
  gViewCentreY = -1.0e308;
  SendWheel(canvas, QPoint(5, 5), 120);
  EXPECT_EQ(gZoom, 1e-310);
  EXPECT_EQ(gViewCentreX, 1.0e308);
  EXPECT_EQ(gViewCentreY, -1.0e308);
}

TEST_F(AppTest, DraggingPansByTheMouseTravelSinceThePress) {
  QWidget* canvas = ControlWidget(kCanvasView);
  gZoom = 4.0;
  gViewCentreX = 1.0;
  gViewCentreY = 2.0;
  QTest::mousePress(canvas, Qt::LeftButton, {}, QPoint(200, 200));
  QTest::mouseMove(canvas, QPoint(205, 203));
  QTest::mouseMove(canvas, QPoint(210, 210));
  QApplication::processEvents();
  PumpEvents();
  EXPECT_DOUBLE_EQ(gViewCentreX, 1.0 - 10 / 4.0);
  EXPECT_DOUBLE_EQ(gViewCentreY, 2.0 + 10 / 4.0);
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, QPoint(210, 210));
  QApplication::processEvents();
  PumpEvents();
  EXPECT_EQ(gDragging, 0);
  // Moves without a pressed button do nothing.
  QTest::mouseMove(canvas, QPoint(300, 300));
  QApplication::processEvents();
  PumpEvents();
  EXPECT_DOUBLE_EQ(gViewCentreX, 1.0 - 10 / 4.0);
}

TEST_F(AppTest, MouseEnteringTheCanvasGivesItTheFocus) {
  QWidget* window = MainWindowWidget();
  ASSERT_TRUE(ActivateAndWaitForFocus(window));
  GadgetSetFocus(kFieldPairRatio);
  ASSERT_FALSE(GadgetHasFocus(kCanvasView));
  QWidget* canvas = ControlWidget(kCanvasView);
  QEnterEvent enter(QPointF(30, 30), QPointF(30, 30), QPointF(canvas->mapToGlobal(QPoint(30, 30))));
  QApplication::sendEvent(canvas, &enter);
  Pump();
  EXPECT_TRUE(GadgetHasFocus(kCanvasView));
  EXPECT_EQ(gMouseX, 30);
}

// The wheel over an unfocused combo box in the left column scrolls the
// column and leaves the combo's choice alone.
TEST_F(AppTest, WheelOverAnUnfocusedComboScrollsTheColumn) {
  WindowResize(0, kKeep, kKeep, 1100, 500);  // the column needs scrolling
  Pump();
  GadgetSetFocus(kFieldPairRatio);
  QWidget* combo = ControlWidget(kComboExportWhat);
  const int64_t before = GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaY);
  QWheelEvent wheel(QPointF(10, 5), QPointF(combo->mapToGlobal(QPoint(10, 5))), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(combo, &wheel);
  Pump();
  EXPECT_EQ(GadgetGetState(kComboExportWhat), 0);
  EXPECT_GT(GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaY), before);
  EXPECT_EQ(EventQueueLength(), 0);
}

TEST_F(AppTest, EventWaitBlocksUntilAnEventArrives) {
  PumpEvents();
  WindowAddTimer(0, 7, 20);
  EXPECT_EQ(EventWait(), kEventTimer);
  EXPECT_EQ(EventObject(), 7);
  EXPECT_EQ(EventWindow(), 0);
  WindowRemoveTimer(0, 7);
}

TEST_F(AppTest, ClipboardHoldsTheTextSet) {
  ClipboardSetText("Σx = 0.25\r\nβ = 12°");
  EXPECT_EQ(ClipboardGetText(), "Σx = 0.25\r\nβ = 12°");
}
