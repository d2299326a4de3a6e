// The Qt widgets behind numbered windows and the canvas control.
#include "platform/widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QScrollBar>
#include <QWheelEvent>

#include <cmath>

#include "platform/registry.h"

PlatformWindow::PlatformWindow(int64_t number, QWidget* owner, Qt::WindowFlags flags)
    : QWidget(owner, flags), number_(number) {}

void PlatformWindow::closeEvent(QCloseEvent* event) {
  // The program decides: a Cancel in its save question must leave the window open.
  event->ignore();
  PlatformEvent e;
  e.kind = kEventCloseWindow;
  e.window = number_;
  e.object = -1;
  PushEvent(e);
}

void PlatformWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  NotifyWindowResized(number_);
}

CanvasWidget::CanvasWidget(int64_t number, QWidget* parent) : QWidget(parent), number_(number) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& CanvasWidget::backBuffer() {
  const double dpr = devicePixelRatioF();
  const QSize device(std::max(1, int(std::lround(width() * dpr))), std::max(1, int(std::lround(height() * dpr))));
  if (buffer_.size() != device) {
    buffer_ = QImage(device, QImage::Format_ARGB32_Premultiplied);
    buffer_.fill(QColor(250, 250, 252));
  }
  return buffer_;
}

void CanvasWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (buffer_.isNull()) {
    painter.fillRect(rect(), QColor(250, 250, 252));
    return;
  }
  // The buffer holds device pixels: draw it 1:1 onto the device.
  painter.drawImage(QRectF(QPointF(0, 0), QSizeF(width(), height())), buffer_,
                    QRectF(0, 0, buffer_.width(), buffer_.height()));
}

void CanvasWidget::post(int64_t subtype, QPointF position, int wheel) {
  const double dpr = devicePixelRatioF();
  PlatformEvent e;
  e.kind = kEventControl;
  e.object = number_;
  e.subtype = subtype;
  e.mouseX = int(std::lround(position.x() * dpr));
  e.mouseY = int(std::lround(position.y() * dpr));
  e.wheel = wheel;
  if (ControlEntry* entry = FindControl(number_)) e.window = entry->window;
  PushEvent(e);
}

void CanvasWidget::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) post(kSubLeftDown, event->position(), 0);
  else if (event->button() == Qt::RightButton) post(kSubRightDown, event->position(), 0);
}

void CanvasWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) post(kSubLeftUp, event->position(), 0);
  else if (event->button() == Qt::RightButton) post(kSubRightUp, event->position(), 0);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) { post(kSubMouseMove, event->position(), 0); }

void CanvasWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  // Not the base class: it would deliver a second press.
  if (event->button() == Qt::LeftButton) post(kSubDoubleClick, event->position(), 0);
}

void CanvasWidget::wheelEvent(QWheelEvent* event) {
  // 120 eighths of a degree make one notch; fine-grained wheels add up.
  wheelRemainder_ += event->angleDelta().y();
  const int notches = wheelRemainder_ / 120;
  wheelRemainder_ -= notches * 120;
  if (notches != 0) post(kSubWheel, event->position(), notches);
  event->accept();
}

void CanvasWidget::enterEvent(QEnterEvent* event) { post(kSubMouseEnter, event->position(), 0); }

void CanvasWidget::leaveEvent(QEvent*) { post(kSubMouseLeave, mapFromGlobal(QCursor::pos()), 0); }

WheelToScrollAreaFilter* WheelToScrollAreaFilter::instance() {
  static QPointer<WheelToScrollAreaFilter> filter;
  if (!filter) filter = new WheelToScrollAreaFilter(qApp);
  return filter;
}

bool WheelToScrollAreaFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Wheel) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->hasFocus()) return false;
  for (QWidget* w = widget->parentWidget(); w != nullptr; w = w->parentWidget()) {
    if (auto* area = qobject_cast<QScrollArea*>(w)) {
      QApplication::sendEvent(area->verticalScrollBar(), event);
      return true;
    }
  }
  return false;
}

WheelStaysInControlFilter* WheelStaysInControlFilter::instance() {
  static QPointer<WheelStaysInControlFilter> filter;
  if (!filter) filter = new WheelStaysInControlFilter(qApp);
  return filter;
}

bool WheelStaysInControlFilter::eventFilter(QObject*, QEvent* event) {
  // The control itself sees the wheel only after its viewport or scroll bar
  // has had it (and left it unused at the end of the range): it stops here.
  if (event->type() != QEvent::Wheel) return false;
  event->accept();
  return true;
}

void PlatformButton::paintEvent(QPaintEvent* event) {
  QStyleOptionButton option;
  initStyleOption(&option);
  const QRect contents = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
  const int textWidth = option.fontMetrics.horizontalAdvance(option.text);
  if (textWidth <= contents.width() || option.text.isEmpty()) {
    QPushButton::paintEvent(event);
    return;
  }
  // Bevel from the style; the label with 3 px margins, in a font made up to
  // a fifth smaller when even that is too narrow, elided as a last resort.
  QStylePainter painter(this);
  QStyleOptionButton bevel = option;
  bevel.text.clear();
  painter.drawControl(QStyle::CE_PushButton, bevel);
  const QRect room = rect().adjusted(3, 0, -3, 0);
  QFont labelFont = font();
  const double fullSize = labelFont.pointSizeF();
  bool fits = false;
  for (double size = fullSize; size > 0 && size >= 0.8 * fullSize && !fits; size -= 0.25) {
    labelFont.setPointSizeF(size);
    fits = QFontMetrics(labelFont).horizontalAdvance(option.text) <= room.width();
  }
  painter.setFont(labelFont);
  const QString text =
      fits ? option.text : QFontMetrics(labelFont).elidedText(option.text, Qt::ElideRight, room.width());
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  painter.drawText(room, Qt::AlignCenter | Qt::TextSingleLine, text);
}
