// Reading and changing numbered controls: text, state, items, attributes,
// geometry, fonts. Every change made here runs under the ProgramChange guard,
// so it posts no event.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QStyle>
#include <QStyleOptionTabWidgetFrame>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "platform/registry.h"

namespace {

// An editor shows text with LF line ends only; CR LF and lone CR become LF.
QString ToEditorText(std::string_view text) {
  QString s = ToQString(text);
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  s.replace(QChar('\r'), QChar('\n'));
  return s;
}

// The inner height of a tab page. Before the panel is first shown Qt has not
// laid its pages out, so the page rectangle is computed from the style as Qt
// itself does it.
QRect TabPageRect(QTabWidget* panel) {
  QStyleOptionTabWidgetFrame option;
  option.initFrom(panel);
  option.lineWidth = panel->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, panel);
  option.shape = QTabBar::RoundedNorth;
  option.tabBarSize = panel->tabBar()->sizeHint();
  option.rect = QRect(0, 0, panel->width(), panel->height());
  option.tabBarRect = QRect(QPoint(0, 0), option.tabBarSize);
  option.selectedTabRect = QRect();
  return panel->style()->subElementRect(QStyle::SE_TabWidgetTabContents, &option, panel);
}

}  // namespace

bool GadgetExists(int64_t control) { return FindControl(control) != nullptr; }

int64_t GadgetGetType(int64_t control) {
  ControlEntry* e = FindControl(control);
  return e != nullptr ? e->kind : kControlNone;
}

std::string GadgetGetText(int64_t control) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return {};
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlTextEntry: return FromQString(static_cast<QLineEdit*>(w)->text());
    case kControlText: return FromQString(static_cast<QLabel*>(w)->text());
    case kControlButton: return FromQString(static_cast<QPushButton*>(w)->text());
    case kControlCheckBox: return FromQString(static_cast<QCheckBox*>(w)->text());
    case kControlComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      return FromQString(combo->isEditable() ? combo->lineEdit()->text() : combo->currentText());
    }
    case kControlEditor: return FromHeapString(e->shadowText);
    case kControlPanel: {
      auto* panel = static_cast<QTabWidget*>(w);
      return FromQString(panel->tabText(panel->currentIndex()));
    }
    case kControlListView: {
      auto* list = static_cast<QTreeWidget*>(w);
      QTreeWidgetItem* item = list->currentItem();
      return item != nullptr ? FromQString(item->text(0)) : std::string();
    }
    default: return {};
  }
}

void GadgetSetText(int64_t control, std::string_view text) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  ProgramChange change;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlTextEntry: {
      auto* edit = static_cast<QLineEdit*>(w);
      edit->setText(ToQString(text));
      edit->setCursorPosition(0);
      break;
    }
    case kControlText: static_cast<QLabel*>(w)->setText(ToQString(text)); break;
    case kControlButton: static_cast<QPushButton*>(w)->setText(ToQString(text)); break;
    case kControlCheckBox: static_cast<QCheckBox*>(w)->setText(ToQString(text)); break;
    case kControlComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      if (combo->isEditable()) {
        combo->setEditText(ToQString(text));
        combo->lineEdit()->setCursorPosition(0);
      } else {
        const int index = combo->findText(ToQString(text), Qt::MatchExactly);
        if (index >= 0) combo->setCurrentIndex(index);
      }
      break;
    }
    case kControlEditor:
      e->shadowText = ToHeapString(text);
      static_cast<QPlainTextEdit*>(w)->setPlainText(ToEditorText(text));
      break;
    case kControlPanel: {
      auto* panel = static_cast<QTabWidget*>(w);
      if (panel->currentIndex() >= 0) panel->setTabText(panel->currentIndex(), ToQString(text));
      break;
    }
    default: break;
  }
}

int64_t GadgetGetState(int64_t control) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return 0;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlPanel: return static_cast<QTabWidget*>(w)->currentIndex();
    case kControlComboBox: return static_cast<QComboBox*>(w)->currentIndex();
    case kControlCheckBox: return static_cast<QCheckBox*>(w)->isChecked() ? 1 : 0;
    case kControlTrackBar: return static_cast<QSlider*>(w)->value();
    case kControlListView: {
      auto* list = static_cast<QTreeWidget*>(w);
      const QList<QTreeWidgetItem*> selected = list->selectedItems();
      if (selected.isEmpty()) return -1;
      return list->indexOfTopLevelItem(selected.front());
    }
    default: return 0;
  }
}

void GadgetSetState(int64_t control, int64_t state) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  ProgramChange change;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlPanel: {
      auto* panel = static_cast<QTabWidget*>(w);
      if (state >= 0 && state < panel->count()) panel->setCurrentIndex(int(state));
      break;
    }
    case kControlComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      combo->setCurrentIndex(state >= 0 && state < combo->count() ? int(state) : -1);
      break;
    }
    case kControlCheckBox: static_cast<QCheckBox*>(w)->setChecked(state != 0); break;
    case kControlTrackBar: static_cast<QSlider*>(w)->setValue(int(state)); break;
    case kControlListView: {
      auto* list = static_cast<QTreeWidget*>(w);
      list->clearSelection();
      if (state >= 0 && state < list->topLevelItemCount()) {
        QTreeWidgetItem* item = list->topLevelItem(int(state));
        list->setCurrentItem(item);
        item->setSelected(true);
        list->scrollToItem(item);
      }
      break;
    }
    default: break;
  }
}

void GadgetAddItem(int64_t control, int position, std::string_view text) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  ProgramChange change;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlComboBox: {
      auto* combo = static_cast<QComboBox*>(w);
      const int at = (position < 0 || position > combo->count()) ? combo->count() : position;
      combo->insertItem(at, ToQString(text));
      break;
    }
    case kControlListView: {
      auto* list = static_cast<QTreeWidget*>(w);
      auto* item = new QTreeWidgetItem();
      const QStringList columns = ToQString(text).split(QChar('\n'));
      for (int c = 0; c < columns.size() && c < list->columnCount(); ++c) item->setText(c, columns[c]);
      const int at = (position < 0 || position > list->topLevelItemCount()) ? list->topLevelItemCount() : position;
      list->insertTopLevelItem(at, item);
      break;
    }
    case kControlPanel: {
      auto* panel = static_cast<QTabWidget*>(w);
      auto* page = new QWidget();
      const int at = (position < 0 || position > panel->count()) ? panel->count() : position;
      panel->insertTab(at, page, ToQString(text));
      // The new page receives the next controls.
      auto& containers = Platform().containers;
      if (!containers.empty() && containers.back().control == control) containers.back().parent = page;
      break;
    }
    default: break;
  }
}

void GadgetClearItems(int64_t control) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  ProgramChange change;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlComboBox: static_cast<QComboBox*>(w)->clear(); break;
    case kControlListView: static_cast<QTreeWidget*>(w)->clear(); break;
    case kControlEditor:
      e->shadowText.clear();
      static_cast<QPlainTextEdit*>(w)->clear();
      break;
    default: break;
  }
}

int64_t GadgetCountItems(int64_t control) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return 0;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlComboBox: return static_cast<QComboBox*>(w)->count();
    case kControlListView: return static_cast<QTreeWidget*>(w)->topLevelItemCount();
    case kControlPanel: return static_cast<QTabWidget*>(w)->count();
    default: return 0;
  }
}

std::string GadgetGetItemText(int64_t control, int item, int column) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return {};
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlComboBox: return FromQString(static_cast<QComboBox*>(w)->itemText(item));
    case kControlPanel: return FromQString(static_cast<QTabWidget*>(w)->tabText(item));
    case kControlListView: {
      auto* list = static_cast<QTreeWidget*>(w);
      if (item < 0) return FromQString(list->headerItem()->text(column));
      QTreeWidgetItem* row = list->topLevelItem(item);
      return row != nullptr ? FromQString(row->text(column)) : std::string();
    }
    default: return {};
  }
}

int64_t GadgetGetAttribute(int64_t control, int64_t attribute) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return 0;
  QWidget* w = e->widget;
  switch (e->kind) {
    case kControlCanvas:
      if (attribute == kAttrCanvasMouseX) return e->mouseX;
      if (attribute == kAttrCanvasMouseY) return e->mouseY;
      if (attribute == kAttrCanvasWheelDelta) return e->wheel;
      return 0;
    case kControlPanel: {
      auto* panel = static_cast<QTabWidget*>(w);
      const QRect page = panel->isVisible() && panel->currentWidget() != nullptr
                             ? panel->currentWidget()->geometry()
                             : TabPageRect(panel);
      if (attribute == kAttrPanelItemWidth) return page.width();
      if (attribute == kAttrPanelItemHeight) return page.height();
      return 0;
    }
    case kControlScrollArea: {
      auto* area = static_cast<QScrollArea*>(w);
      if (attribute == kAttrScrollAreaInnerWidth) return area->widget()->width();
      if (attribute == kAttrScrollAreaInnerHeight) return area->widget()->height();
      if (attribute == kAttrScrollAreaX) return area->horizontalScrollBar()->value();
      if (attribute == kAttrScrollAreaY) return area->verticalScrollBar()->value();
      if (attribute == kAttrScrollStep) return area->verticalScrollBar()->singleStep();
      return 0;
    }
    case kControlTrackBar: {
      auto* slider = static_cast<QSlider*>(w);
      if (attribute == kAttrTrackBarMinimum) return slider->minimum();
      if (attribute == kAttrTrackBarMaximum) return slider->maximum();
      return 0;
    }
    default: return 0;
  }
}

void GadgetSetAttribute(int64_t control, int64_t attribute, int64_t value) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  ProgramChange change;
  QWidget* w = e->widget;
  if (e->kind == kControlScrollArea) {
    auto* area = static_cast<QScrollArea*>(w);
    QWidget* inner = area->widget();
    if (attribute == kAttrScrollAreaInnerWidth) inner->resize(int(value), inner->height());
    else if (attribute == kAttrScrollAreaInnerHeight) inner->resize(inner->width(), int(value));
    else if (attribute == kAttrScrollAreaX) area->horizontalScrollBar()->setValue(int(value));
    else if (attribute == kAttrScrollAreaY) area->verticalScrollBar()->setValue(int(value));
    else if (attribute == kAttrScrollStep) area->verticalScrollBar()->setSingleStep(int(std::max<int64_t>(1, value)));
  } else if (e->kind == kControlTrackBar) {
    auto* slider = static_cast<QSlider*>(w);
    if (attribute == kAttrTrackBarMinimum) slider->setMinimum(int(value));
    else if (attribute == kAttrTrackBarMaximum) slider->setMaximum(int(value));
  }
}

void GadgetSetToolTip(int64_t control, std::string_view text) {
  if (QWidget* w = ControlWidget(control)) w->setToolTip(ToQString(text));
}

std::string GadgetGetToolTip(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr ? FromQString(w->toolTip()) : std::string();
}

void GadgetSetFocus(int64_t control) {
  if (QWidget* w = ControlWidget(control)) w->setFocus(Qt::OtherFocusReason);
}

bool GadgetHasFocus(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr && w->hasFocus();
}

void GadgetDisable(int64_t control, bool disabled) {
  if (QWidget* w = ControlWidget(control)) w->setEnabled(!disabled);
}

void GadgetHide(int64_t control, bool hidden) {
  if (QWidget* w = ControlWidget(control)) w->setVisible(!hidden);
}

void GadgetSetFrontColor(int64_t control, int64_t rgb) {
  QWidget* w = ControlWidget(control);
  if (w == nullptr) return;
  QPalette palette = w->palette();
  const QPalette defaults = w->style()->standardPalette();
  const QColor colour = rgb < 0 ? defaults.color(QPalette::WindowText) : QColor::fromRgb(QRgb(rgb));
  palette.setColor(QPalette::WindowText, colour);
  palette.setColor(QPalette::Text, rgb < 0 ? defaults.color(QPalette::Text) : colour);
  w->setPalette(palette);
}

void GadgetSetBackColor(int64_t control, int64_t rgb) {
  QWidget* w = ControlWidget(control);
  if (w == nullptr) return;
  QPalette palette = w->palette();
  const QPalette defaults = w->style()->standardPalette();
  palette.setColor(QPalette::Window, rgb < 0 ? defaults.color(QPalette::Window) : QColor::fromRgb(QRgb(rgb)));
  w->setPalette(palette);
  w->setAutoFillBackground(true);
}

int GadgetGetX(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr ? w->x() : 0;
}

int GadgetGetY(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr ? w->y() : 0;
}

int GadgetGetWidth(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr ? w->width() : 0;
}

int GadgetGetHeight(int64_t control) {
  QWidget* w = ControlWidget(control);
  return w != nullptr ? w->height() : 0;
}

void GadgetResize(int64_t control, int x, int y, int width, int height) {
  QWidget* w = ControlWidget(control);
  if (w == nullptr) return;
  ProgramChange change;
  w->setGeometry(x == kKeep ? w->x() : x, y == kKeep ? w->y() : y, width == kKeep ? w->width() : width,
                 height == kKeep ? w->height() : height);
}

void GadgetSetFont(int64_t control, int64_t font) {
  ControlEntry* e = FindControl(control);
  if (e == nullptr) return;
  e->font = font;
  e->widget->setFont(FontOf(font));
}

int64_t GadgetGetFont(int64_t control) {
  ControlEntry* e = FindControl(control);
  return e != nullptr ? e->font : kDefaultFont;
}
