// The registry of numbered objects, the event queue and the current event.
#include "platform/registry.h"

#include <QCoreApplication>
#include <QEventLoop>

PlatformState& Platform() {
  static PlatformState state;
  return state;
}

QString ToQString(std::string_view text) { return QString::fromUtf8(text.data(), qsizetype(text.size())); }

std::string FromQString(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), std::size_t(bytes.size()));
}

int64_t ChooseNumber(int64_t requested) {
  if (requested != kAnyNumber) return requested;
  return Platform().nextFreeNumber++;
}

ControlEntry* FindControl(int64_t control) {
  auto& controls = Platform().controls;
  auto it = controls.find(control);
  if (it == controls.end() || !it->second.widget) return nullptr;
  return &it->second;
}

WindowEntry* FindWindow(int64_t window) {
  auto& windows = Platform().windows;
  auto it = windows.find(window);
  if (it == windows.end() || !it->second.widget) return nullptr;
  return &it->second;
}

QWidget* ControlWidget(int64_t control) {
  ControlEntry* entry = FindControl(control);
  return entry != nullptr ? entry->widget.data() : nullptr;
}

QWidget* CurrentContainerWidget() {
  auto& containers = Platform().containers;
  while (!containers.empty() && !containers.back().parent) containers.pop_back();
  if (!containers.empty()) return containers.back().parent;
  return nullptr;
}

void PushEvent(const PlatformEvent& event) {
  PlatformState& p = Platform();
  if (event.kind == kEventControl && p.programChanging > 0) return;
  if (event.kind == kEventTimer) {
    // A tick still waiting in the queue stands for this one too: a slow
    // redraw must not let ticks pile up.
    for (const PlatformEvent& queued : p.queue) {
      if (queued.kind == kEventTimer && queued.window == event.window && queued.object == event.object) return;
    }
  }
  p.queue.push_back(event);
}

void PushControlEvent(int64_t control, int64_t subtype) {
  if (Platform().programChanging > 0) return;
  ControlEntry* entry = FindControl(control);
  if (entry == nullptr) return;
  PlatformEvent e;
  e.kind = kEventControl;
  e.window = entry->window;
  e.object = control;
  e.subtype = subtype;
  PushEvent(e);
}

namespace {
int64_t TakeNextEvent() {
  PlatformState& p = Platform();
  if (p.queue.empty()) return kEventNone;
  p.current = p.queue.front();
  p.queue.pop_front();
  if (p.current.kind == kEventControl) {
    if (ControlEntry* entry = FindControl(p.current.object); entry != nullptr && entry->kind == kControlCanvas) {
      entry->mouseX = p.current.mouseX;
      entry->mouseY = p.current.mouseY;
      entry->wheel = p.current.wheel;
    }
  }
  return p.current.kind;
}
}  // namespace

int64_t EventWait() {
  PlatformState& p = Platform();
  while (p.queue.empty()) {
    if (QCoreApplication::instance() == nullptr) return kEventNone;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  return TakeNextEvent();
}

int64_t EventPoll() {
  if (Platform().queue.empty() && QCoreApplication::instance() != nullptr) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents(QEventLoop::AllEvents);
  }
  return TakeNextEvent();
}

int64_t EventObject() { return Platform().current.object; }
int64_t EventSubtype() { return Platform().current.subtype; }
int64_t EventWindow() { return Platform().current.window; }
int64_t EventQueueLength() { return int64_t(Platform().queue.size()); }

void EventBindCallback(int64_t window, int64_t kind, EventCallback callback) {
  if (kind != kEventSizeWindow) return;
  if (WindowEntry* entry = FindWindow(window)) entry->sizeCallback = callback;
}

void NotifyWindowResized(int64_t window) {
  WindowEntry* entry = FindWindow(window);
  if (entry != nullptr && entry->sizeCallback != nullptr) entry->sizeCallback();
}

void ShutdownEvents() {
  PlatformState& p = Platform();
  p.queue.clear();
  p.current = PlatformEvent{};
  p.programChanging = 0;
}
