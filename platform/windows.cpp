// Numbered windows, their timers and keyboard shortcuts, and pop-up menus.
#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QWindow>

#include "platform/registry.h"
#include "platform/widgets.h"

namespace {

Qt::WindowFlags ToQtFlags(int64_t flags, bool owned) {
  Qt::WindowFlags f = (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint;
  if (flags & kWindowTitleBar) f |= Qt::WindowTitleHint;
  if (flags & kWindowSystemMenu) f |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  if (flags & kWindowMinimizeBox) f |= Qt::WindowMinimizeButtonHint;
  if (flags & kWindowMaximizeBox) f |= Qt::WindowMaximizeButtonHint;
  return f;
}

int64_t OpenWindow(int64_t requested, int x, int y, int width, int height, std::string_view title, int64_t flags,
                   int64_t parentWindow) {
  if (QApplication::instance() == nullptr) return -1;
  PlatformState& p = Platform();
  const int64_t number = ChooseNumber(requested);
  if (WindowEntry* old = FindWindow(number)) delete old->widget.data();
  QWidget* owner = nullptr;
  if (WindowEntry* parent = FindWindow(parentWindow)) owner = parent->widget;
  // A modal window is no Qt child of its owner: disabling the owner (as the
  // modal loop does) would disable it too, since Qt disables a widget's child
  // windows with it. It stays on top of the owner as its transient child.
  const bool modal = (flags & kWindowModal) != 0;
  auto* window = new PlatformWindow(number, modal ? nullptr : owner, ToQtFlags(flags, owner != nullptr));
  if (modal && owner != nullptr) {
    window->setAttribute(Qt::WA_NativeWindow);
    window->winId();  // creates the QWindow now
    if (window->windowHandle() != nullptr && owner->window()->windowHandle() != nullptr) {
      window->windowHandle()->setTransientParent(owner->window()->windowHandle());
    }
  }
  window->setWindowTitle(ToQString(title));
  window->setAttribute(Qt::WA_DeleteOnClose, false);
  WindowEntry entry;
  entry.widget = window;
  entry.parent = parentWindow;
  entry.fixedSize = (flags & kWindowSizeable) == 0;
  p.windows[number] = entry;
  if (entry.fixedSize) window->setFixedSize(width, height);
  else window->resize(width, height);
  QPoint position(x, y);
  if ((flags & kWindowParentCentered) && owner != nullptr) {
    const QRect g = owner->frameGeometry();
    position = QPoint(g.x() + (g.width() - width) / 2, g.y() + (g.height() - height) / 2);
  } else if (flags & kWindowScreenCentered) {
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
      const QRect g = screen->availableGeometry();
      position = QPoint(g.x() + (g.width() - width) / 2, g.y() + (g.height() - height) / 2);
    }
  }
  window->move(position);
  if (flags & kWindowModal) window->setWindowModality(Qt::ApplicationModal);
  p.containers.clear();
  p.containers.push_back({-1, window});
  p.currentWindow = number;
  if ((flags & kWindowInvisible) == 0) window->show();
  return number;
}

Qt::Key ToQtKey(int64_t key) {
  switch (key) {
    case kKeyF1: return Qt::Key_F1;
    case kKeyEscape: return Qt::Key_Escape;
    case kKeyReturn: return Qt::Key_Return;
    default: return Qt::Key(key);  // ASCII letters and digits are Qt's key codes
  }
}

// The window from which the last pop-up menu was shown.
int64_t gPopupWindow = -1;
PopupResponder gPopupResponder;

}  // namespace

int64_t WindowOpenTopLevel(int64_t window, int x, int y, int width, int height, std::string_view title,
                           int64_t flags) {
  return OpenWindow(window, x, y, width, height, title, flags, -1);
}

int64_t WindowOpen(int64_t window, int x, int y, int width, int height, std::string_view title, int64_t flags,
                   int64_t parentWindow) {
  return OpenWindow(window, x, y, width, height, title, flags, parentWindow);
}

bool WindowExists(int64_t window) { return FindWindow(window) != nullptr; }

void WindowClose(int64_t window) {
  PlatformState& p = Platform();
  auto it = p.windows.find(window);
  if (it == p.windows.end()) return;
  QWidget* widget = it->second.widget;
  p.windows.erase(it);
  // Controls of the window go with it.
  for (auto c = p.controls.begin(); c != p.controls.end();) {
    if (c->second.window == window) c = p.controls.erase(c);
    else ++c;
  }
  if (p.currentWindow == window) {
    p.containers.clear();
    p.currentWindow = -1;
  }
  delete widget;
}

void WindowSetTitle(int64_t window, std::string_view title) {
  if (WindowEntry* e = FindWindow(window)) e->widget->setWindowTitle(ToQString(title));
}

std::string WindowGetTitle(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr ? FromQString(e->widget->windowTitle()) : std::string();
}

void WindowSetSizeLimits(int64_t window, int minWidth, int minHeight, int maxWidth, int maxHeight) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr || e->fixedSize) return;
  e->widget->setMinimumSize(minWidth == kNoLimit ? 0 : minWidth, minHeight == kNoLimit ? 0 : minHeight);
  e->widget->setMaximumSize(maxWidth == kNoLimit ? QWIDGETSIZE_MAX : maxWidth,
                            maxHeight == kNoLimit ? QWIDGETSIZE_MAX : maxHeight);
}

void WindowResize(int64_t window, int x, int y, int width, int height) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return;
  QWidget* w = e->widget;
  if (x != kKeep || y != kKeep) w->move(x == kKeep ? w->x() : x, y == kKeep ? w->y() : y);
  if (width != kKeep || height != kKeep) {
    const QSize size(width == kKeep ? w->width() : width, height == kKeep ? w->height() : height);
    if (e->fixedSize) w->setFixedSize(size);
    else w->resize(size);
  }
}

int WindowGetInnerWidth(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr ? e->widget->width() : 0;
}

int WindowGetInnerHeight(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr ? e->widget->height() : 0;
}

int WindowGetX(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr ? e->widget->x() : 0;
}

int WindowGetY(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr ? e->widget->y() : 0;
}

void WindowSetState(int64_t window, int64_t state) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return;
  if (state == kWindowStateHidden) {
    e->widget->hide();
    if (WindowEntry* owner = FindWindow(e->parent)) owner->widget->activateWindow();
  } else {
    e->widget->show();
    e->widget->raise();
    e->widget->activateWindow();
  }
}

bool WindowIsVisible(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr && e->widget->isVisible();
}

void WindowDisable(int64_t window, bool disabled) {
  if (WindowEntry* e = FindWindow(window)) e->widget->setEnabled(!disabled);
}

bool WindowIsDisabled(int64_t window) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr && !e->widget->isEnabled();
}

void WindowActivate(int64_t window) {
  if (WindowEntry* e = FindWindow(window)) {
    e->widget->raise();
    e->widget->activateWindow();
  }
}

void WindowAddTimer(int64_t window, int64_t timer, int milliseconds) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return;
  WindowRemoveTimer(window, timer);
  auto* t = new QTimer(e->widget);
  t->setInterval(milliseconds);
  QObject::connect(t, &QTimer::timeout, [window, timer]() {
    PlatformEvent ev;
    ev.kind = kEventTimer;
    ev.window = window;
    ev.object = timer;
    PushEvent(ev);
  });
  e->timers[timer] = t;
  t->start();
}

void WindowRemoveTimer(int64_t window, int64_t timer) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return;
  auto it = e->timers.find(timer);
  if (it == e->timers.end()) return;
  delete it->second;
  e->timers.erase(it);
  // A tick already queued belongs to the stopped timer: drop it.
  auto& queue = Platform().queue;
  for (auto q = queue.begin(); q != queue.end();) {
    if (q->kind == kEventTimer && q->window == window && q->object == timer) q = queue.erase(q);
    else ++q;
  }
}

bool WindowHasTimer(int64_t window, int64_t timer) {
  WindowEntry* e = FindWindow(window);
  return e != nullptr && e->timers.count(timer) != 0;
}

void WindowAddShortcut(int64_t window, int64_t shortcut, int64_t menuItem) {
  WindowEntry* e = FindWindow(window);
  if (e == nullptr) return;
  Qt::KeyboardModifiers modifiers;
  if (shortcut & kShortcutControl) modifiers |= Qt::ControlModifier;
  if (shortcut & kShortcutShift) modifiers |= Qt::ShiftModifier;
  if (shortcut & kShortcutAlt) modifiers |= Qt::AltModifier;
  const int64_t key = shortcut & ~(kShortcutControl | kShortcutShift | kShortcutAlt);
  auto add = [&](Qt::Key qtKey) {
    auto* s = new QShortcut(QKeySequence(QKeyCombination(modifiers, qtKey)), e->widget);
    s->setContext(Qt::WindowShortcut);
    QObject::connect(s, &QShortcut::activated, [window, menuItem]() {
      PlatformEvent ev;
      ev.kind = kEventMenu;
      ev.window = window;
      ev.object = menuItem;
      PushEvent(ev);
    });
    e->shortcuts.push_back(s);
  };
  add(ToQtKey(key));
  if (key == kKeyReturn) add(Qt::Key_Enter);  // the keypad's Enter too
}

uintptr_t WindowGetHandle(int64_t window) { return FindWindow(window) != nullptr ? uintptr_t(window) + 1 : 0; }

bool MenuCreatePopup(int64_t menu) {
  if (QApplication::instance() == nullptr) return false;
  Platform().menus[menu] = std::make_unique<QMenu>();
  return true;
}

void MenuAddItem(int64_t menu, int64_t item, std::string_view text) {
  auto& menus = Platform().menus;
  auto it = menus.find(menu);
  if (it == menus.end()) return;
  QAction* action = it->second->addAction(ToQString(text));
  action->setData(QVariant::fromValue<qlonglong>(item));
}

void SetPopupResponder(PopupResponder responder) { gPopupResponder = std::move(responder); }

void MenuShowPopup(int64_t menu, uintptr_t windowHandle) {
  auto& menus = Platform().menus;
  auto it = menus.find(menu);
  if (it == menus.end() || windowHandle == 0) return;
  gPopupWindow = int64_t(windowHandle) - 1;
  int64_t chosen = -1;
  if (gPopupResponder) {
    std::vector<std::pair<int64_t, std::string>> items;
    for (QAction* a : it->second->actions()) items.emplace_back(a->data().toLongLong(), FromQString(a->text()));
    chosen = gPopupResponder(menu, items);
  } else if (QAction* a = it->second->exec(QCursor::pos())) {
    chosen = a->data().toLongLong();
  }
  if (chosen < 0) return;
  PlatformEvent ev;
  ev.kind = kEventMenu;
  ev.window = gPopupWindow;
  ev.object = chosen;
  PushEvent(ev);
}

void ShutdownWindows() {
  PlatformState& p = Platform();
  p.menus.clear();
  auto windows = std::move(p.windows);
  p.windows.clear();
  p.containers.clear();
  p.currentWindow = -1;
  // Owned windows are deleted with their owners: delete owners last.
  for (auto& [number, entry] : windows) {
    if (entry.parent >= 0 && entry.widget) delete entry.widget.data();
  }
  for (auto& [number, entry] : windows) {
    if (entry.widget) delete entry.widget.data();
  }
  gPopupResponder = nullptr;
}
