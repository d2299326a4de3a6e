// Internal to the platform layer (uses Qt): the registry of numbered windows,
// controls, fonts and images, the event queue and the "program is changing a
// control" guard. Platform files that add operations (vector drawing, INI
// files, file dialogs) include this header; app/ and design/ never do.
#pragma once

#include <QFont>
#include <QImage>
#include <QPointer>
#include <QWidget>

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gui.h"
#include "platform/text_heap.h"

class QTimer;
class QShortcut;
#include <QMenu>

// UTF-8 <-> QString.
QString ToQString(std::string_view text);
std::string FromQString(const QString& text);

// One queued event.
struct PlatformEvent {
  int64_t kind = kEventNone;
  int64_t window = -1;
  int64_t object = -1;
  int64_t subtype = 0;
  int mouseX = 0;  // canvas events: device pixels
  int mouseY = 0;
  int wheel = 0;   // notches
};

struct WindowEntry {
  QPointer<QWidget> widget;
  int64_t parent = -1;
  EventCallback sizeCallback = nullptr;
  bool fixedSize = false;  // not resizable by the user
  std::map<int64_t, QTimer*> timers;  // owned by the widget
  std::vector<QShortcut*> shortcuts;  // owned by the widget
};

struct ControlEntry {
  int64_t kind = kControlNone;
  int64_t window = -1;
  QPointer<QWidget> widget;
  HeapString shadowText;  // editor: the text exactly as set (CR LF kept)
  int64_t font = kDefaultFont;
  // Canvas: attributes of the last canvas event.
  int mouseX = 0;
  int mouseY = 0;
  int wheel = 0;
};

struct FontEntry {
  QFont font;
};

struct PlatformState {
  std::map<int64_t, WindowEntry> windows;
  std::map<int64_t, ControlEntry> controls;
  std::map<int64_t, FontEntry> fonts;
  std::map<int64_t, QImage> images;
  std::map<int64_t, std::unique_ptr<QMenu>> menus;
  std::deque<PlatformEvent> queue;
  PlatformEvent current;
  // Containers that receive new controls: the innermost last.
  struct Container {
    int64_t control = -1;        // the panel or scroll area (-1: a window)
    QPointer<QWidget> parent;    // where new controls go
  };
  std::vector<Container> containers;
  int64_t currentWindow = -1;
  int64_t nextFreeNumber = 1000;
  int programChanging = 0;  // > 0 while the program sets a control
};

PlatformState& Platform();

// A number chosen by the layer when `requested` is kAnyNumber.
int64_t ChooseNumber(int64_t requested);

// Pushes an event unless the program is changing a control.
void PushEvent(const PlatformEvent& event);
// Pushes a control event for the registered control (by widget) from a user action.
void PushControlEvent(int64_t control, int64_t subtype);

// While alive, signals of controls post no events.
struct ProgramChange {
  ProgramChange() { ++Platform().programChanging; }
  ~ProgramChange() { --Platform().programChanging; }
  ProgramChange(const ProgramChange&) = delete;
  ProgramChange& operator=(const ProgramChange&) = delete;
};

ControlEntry* FindControl(int64_t control);
WindowEntry* FindWindow(int64_t window);
QWidget* ControlWidget(int64_t control);

// The window that a new control belongs to and the widget it goes into.
QWidget* CurrentContainerWidget();

// Calls the bound size callback of a window (from resize events).
void NotifyWindowResized(int64_t window);

// Fonts: the QFont of a font number (kDefaultFont = the application font).
QFont FontOf(int64_t font);

// Drawing: the painter of the current drawing output (nullptr when none).
// Vector drawing operations paint through it.
class QPainter;
QPainter* CurrentDrawingPainter();
// The back buffer of a canvas (device pixels; nullptr when no canvas).
QImage* CanvasBackBuffer(int64_t canvas);
// Repaints a canvas from its back buffer.
void CanvasPresent(int64_t canvas);

// Shut-down steps, in the order PlatformEnd calls them.
void ShutdownControls();
void ShutdownWindows();
void ShutdownEvents();
void ShutdownImages();
void ShutdownFonts();
void ShutdownSystem();
