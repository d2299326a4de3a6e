// Internal to the platform layer: the Qt widgets behind numbered windows and
// the canvas control.
#pragma once

#include <QImage>
#include <QObject>
#include <QPushButton>
#include <QWidget>

#include <cstdint>

// A numbered top-level window: the close box posts a close event and leaves
// the decision to the program; size changes go to the bound callback.
class PlatformWindow : public QWidget {
 public:
  PlatformWindow(int64_t number, QWidget* owner, Qt::WindowFlags flags);
  int64_t number() const { return number_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int64_t number_;
};

// The canvas control: paints a back buffer kept in device pixels. The program
// scales its drawing by the device-pixel factor itself, so the buffer carries
// no device-pixel ratio of its own.
class CanvasWidget : public QWidget {
 public:
  CanvasWidget(int64_t number, QWidget* parent);
  QImage& backBuffer();  // resized to the widget's device size when needed

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void post(int64_t subtype, QPointF position, int wheel);
  int64_t number_;
  QImage buffer_;
  int wheelRemainder_ = 0;  // eighths of a degree not yet a whole notch
};

// A push button whose label, when the style's margins leave it too little
// room, is drawn with narrow margins instead of being clipped (long Dutch
// labels on buttons sized for the column).
class PlatformButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// Passes the wheel over an unfocused combo box, slider or tab bar on to the
// scroll area around it, so the column scrolls instead of the value changing.
class WheelToScrollAreaFilter : public QObject {
 public:
  using QObject::QObject;
  static WheelToScrollAreaFilter* instance();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Keeps the wheel over a list view or an editor in that control: at the end
// of its own range the turn would otherwise pass on to the scroll area around
// it and move the whole column.
class WheelStaysInControlFilter : public QObject {
 public:
  using QObject::QObject;
  static WheelStaysInControlFilter* instance();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
