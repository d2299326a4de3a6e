// Polling waits for window, focus and timer states.
#include "wait_for_state.h"

#include <QApplication>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "platform/registry.h"

namespace {
// How long a wait for a state may take before the test fails.
constexpr int kStateWaitLimitMs = 60000;
}  // namespace

bool ActivateAndWaitForFocus(QWidget* window, QWidget* focus) {
  if (window == nullptr) return false;
  const QPointer<QWidget> top = window->window();
  const QPointer<QWidget> wanted = focus;
  const auto gone = [&]() { return top == nullptr || (focus != nullptr && wanted == nullptr); };
  const auto ready = [&]() {
    if (QApplication::activeWindow() != top || QGuiApplication::focusWindow() != top->windowHandle()) {
      // Asked again while it is not so: an activation still queued for the
      // window that was active before may take it back.
      top->raise();
      top->activateWindow();
      return false;
    }
    if (wanted != nullptr && QApplication::focusWidget() != wanted) {
      wanted->setFocus(Qt::OtherFocusReason);
      return false;
    }
    const QWidget* current = QApplication::focusWidget();
    return current == nullptr || current->window() == top;
  };
  return QTest::qWaitFor([&]() { return gone() || ready(); }, kStateWaitLimitMs) && !gone();
}

bool WaitForTimerTicks(int64_t window, int64_t timer, int count) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return false;
  const auto it = e->timers.find(timer);
  if (it == e->timers.end()) return false;
  int fired = 0;
  const QMetaObject::Connection c = QObject::connect(it->second, &QTimer::timeout, [&fired]() { ++fired; });
  const bool reached = QTest::qWaitFor([&fired, count]() { return fired >= count; }, kStateWaitLimitMs);
  QObject::disconnect(c);
  return reached;
}

bool LetTimerRoundsPass(int rounds, int intervalMs) {
  QTimer probe;
  int fired = 0;
  QObject::connect(&probe, &QTimer::timeout, [&fired]() { ++fired; });
  probe.start(intervalMs);
  return QTest::qWaitFor([&fired, rounds]() { return fired >= rounds; }, kStateWaitLimitMs);
}
