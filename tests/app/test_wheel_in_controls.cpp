// The wheel over a result list or a report scrolls only that control, also
// when it turns on past the control's end; the left column stays where it is.
#include <QAbstractScrollArea>
#include <QApplication>
#include <QScrollBar>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>

#include "app/control_ids.h"
#include "app_fixture.h"

namespace {

// One notch of the wheel over w at a point, delivered as the window system
// delivers it: to the widget under the mouse, free to pass on to the widgets
// around it when that one leaves it unused.
void TurnWheel(QWidget* w, QPoint at, int angle) {
  QWheelEvent wheel(QPointF(at), QPointF(w->mapToGlobal(at)), QPoint(), QPoint(0, angle), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QSpontaneKeyEvent::setSpontaneous(&wheel);
  qApp->notify(w, &wheel);
}

TEST_F(AppTest, WheelOverAListOrTheReportScrollsOnlyThatControl) {
  WindowResize(0, kKeep, kKeep, 1100, 500);  // the column needs scrolling
  Pump();
  for (int i = 0; i < 80; ++i) GadgetAddItem(kListPairResults, -1, "row " + std::to_string(i));
  std::string report;
  for (int i = 0; i < 200; ++i) report += "  line " + std::to_string(i) + "\r\n";
  GadgetSetText(kEditorReport, report);
  Pump();
  auto* list = qobject_cast<QAbstractScrollArea*>(Widget(kListPairResults));
  auto* editor = qobject_cast<QAbstractScrollArea*>(Widget(kEditorReport));
  auto* column = qobject_cast<QAbstractScrollArea*>(Widget(kScrollLeftColumn));
  ASSERT_TRUE(list != nullptr && editor != nullptr && column != nullptr);
  const int columnEnd = column->verticalScrollBar()->maximum();
  ASSERT_GT(columnEnd, 20);
  struct Case {
    const char* what;
    QAbstractScrollArea* control;
    QWidget* under;  // the part under the mouse
  } cases[] = {
      {"list rows", list, list->viewport()},
      {"list scroll bar", list, list->verticalScrollBar()},
      {"report text", editor, editor->viewport()},
      {"report scroll bar", editor, editor->verticalScrollBar()},
  };
  for (const Case& c : cases) {
    QScrollBar* bar = c.control->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0) << c.what;
    // The column half-way, so that it could move either way.
    GadgetSetAttribute(kScrollLeftColumn, kAttrScrollAreaY, columnEnd / 2);
    Pump();
    const int64_t columnAt = GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaY);
    ASSERT_EQ(columnAt, columnEnd / 2) << c.what;
    bar->setValue(0);
    const QPoint at(c.under->width() / 2, c.under->height() / 2);
    // Down well past the end of the control, then up well past its start.
    const int notches = bar->maximum() + 10;  // at least a line per notch
    for (int i = 0; i < notches; ++i) TurnWheel(c.under, at, -120);
    Pump();
    EXPECT_EQ(bar->value(), bar->maximum()) << c.what;
    EXPECT_EQ(GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaY), columnAt) << c.what << " (down)";
    for (int i = 0; i < notches; ++i) TurnWheel(c.under, at, 120);
    Pump();
    EXPECT_EQ(bar->value(), 0) << c.what;
    EXPECT_EQ(GadgetGetAttribute(kScrollLeftColumn, kAttrScrollAreaY), columnAt) << c.what << " (up)";
  }
  EXPECT_EQ(EventQueueLength(), 0);
}

}  // namespace
