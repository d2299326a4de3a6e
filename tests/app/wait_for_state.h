// Waits, polling, for what a GUI test needs before it sends keys or counts on
// a timer. Each gives up after a limit generous enough for a loaded machine
// with the sanitizers on, and says whether the state was reached.
#pragma once

#include <cstdint>

class QWidget;

// Makes `window` the application's active window with the keyboard focus in
// it (in `focus`, when given). QTest::qWaitForWindowActive is not enough: it
// counts a window as active while the window that owns it has the focus, and
// then the window's own shortcuts do not fire.
bool ActivateAndWaitForFocus(QWidget* window, QWidget* focus = nullptr);
// Processes Qt events until timer `timer` of window `window` has fired
// `count` times (its events are queued, not dispatched).
bool WaitForTimerTicks(int64_t window, int64_t timer, int count);
// Processes Qt events until a probe timer of `intervalMs` has fired `rounds`
// times: a timer of that interval had as many chances to fire.
bool LetTimerRoundsPass(int rounds, int intervalMs);
