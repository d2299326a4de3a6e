// Start-up, the event loop with its dispatch, and shut-down.
//
// MainProgram = AppStartup + RunEventLoop + EndProgram. Tests start the
// program with AppStartup, act like a user, call PumpEvents, and end with
// EndProgram (which may be followed by another AppStartup).
#pragma once

#include <cstdint>

// Starts the platform layer, sets every global, builds the windows, registers
// the project fields, runs the first pair search and applies its first row,
// sets the title and opens the project named by the first argument. Returns
// false when the platform layer cannot start.
bool AppStartup(int argc, char** argv);
// Dispatches the current event (of the given kind) to its handler.
void DispatchEvent(int64_t kind);
// Waits for and dispatches events until gQuit is set.
void RunEventLoop();
// Processes pending window-system work and dispatches every queued event,
// without waiting; returns the number of events dispatched.
int64_t PumpEvents();
// Shuts the platform layer down (all windows close with it).
void EndProgram();
// The whole program; returns the process exit code (0).
int MainProgram(int argc, char** argv);

// Handlers of the dispatch, one per event kind (exposed for tests).
void HandleControlEvent(int64_t control, int64_t subtype);
void HandleMenuEvent(int64_t item);
void HandleTimerEvent(int64_t timer);
void HandleCloseEvent(int64_t window);
void HandleCanvasEvent(int64_t subtype);
// The load-kind switch of combo 75 (power <-> torque of field 76).
void SwitchLoadKind();
// What a tab without a design shows: mode 0, an empty report, the view's hint.
void ShowNoDesign();
