// Creating numbered controls in the current container, and the containers
// (tab panel pages, scroll areas) themselves.
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeWidget>

#include "platform/registry.h"
#include "platform/widgets.h"

namespace {

// Registers a widget made in the current container under a number; returns
// the number, or -1 (and deletes nothing) when there is no container.
int64_t Register(int64_t requested, int64_t kind, QWidget* widget, int x, int y, int width, int height) {
  PlatformState& p = Platform();
  const int64_t number = ChooseNumber(requested);
  if (ControlEntry* old = FindControl(number)) {
    delete old->widget.data();
    p.controls.erase(number);
  }
  ControlEntry entry;
  entry.kind = kind;
  entry.window = p.currentWindow;
  entry.widget = widget;
  p.controls[number] = std::move(entry);
  widget->setGeometry(x, y, width, height);
  widget->show();
  return number;
}

QWidget* Parent() { return CurrentContainerWidget(); }

}  // namespace

int64_t CreateButtonControlFull(int64_t control, int x, int y, int width, int height, std::string_view text,
                                int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* button = new PlatformButton(ToQString(text), parent);
  button->setAutoDefault(false);
  if (flags & kButtonDefault) button->setDefault(true);
  const int64_t number = Register(control, kControlButton, button, x, y, width, height);
  QObject::connect(button, &QPushButton::clicked, [number]() { PushControlEvent(number, kSubClick); });
  return number;
}

int64_t CreateButtonControl(int64_t control, int x, int y, int width, int height, std::string_view text) {
  return CreateButtonControlFull(control, x, y, width, height, text, 0);
}

int64_t CreateTextEntryControl(int64_t control, int x, int y, int width, int height, std::string_view text) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* edit = new QLineEdit(ToQString(text), parent);
  edit->setCursorPosition(0);
  const int64_t number = Register(control, kControlTextEntry, edit, x, y, width, height);
  // textEdited comes from the user only; setText never raises it.
  QObject::connect(edit, &QLineEdit::textEdited, [number]() { PushControlEvent(number, kSubChanged); });
  return number;
}

int64_t CreateTextControlFull(int64_t control, int x, int y, int width, int height, std::string_view text,
                              int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* label = new QLabel(ToQString(text), parent);
  label->setTextFormat(Qt::PlainText);
  Qt::Alignment align = Qt::AlignVCenter;
  if (flags & kTextCenter) align |= Qt::AlignHCenter;
  else if (flags & kTextRight) align |= Qt::AlignRight;
  else align |= Qt::AlignLeft;
  if (flags & kTextBorder) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAutoFillBackground(true);
  }
  // A text given room for two lines or more wraps at word boundaries.
  if (height >= 2 * label->fontMetrics().height()) {
    label->setWordWrap(true);
    align = (align & ~Qt::AlignVCenter) | Qt::AlignTop;
  }
  label->setAlignment(align);
  return Register(control, kControlText, label, x, y, width, height);
}

int64_t CreateTextControl(int64_t control, int x, int y, int width, int height, std::string_view text) {
  return CreateTextControlFull(control, x, y, width, height, text, 0);
}

int64_t CreateCheckBoxControl(int64_t control, int x, int y, int width, int height, std::string_view text) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* box = new QCheckBox(ToQString(text), parent);
  const int64_t number = Register(control, kControlCheckBox, box, x, y, width, height);
  // clicked comes from the user only (setChecked does not raise it).
  QObject::connect(box, &QCheckBox::clicked, [number]() { PushControlEvent(number, kSubClick); });
  return number;
}

int64_t CreateComboBoxControlFull(int64_t control, int x, int y, int width, int height, int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* combo = new QComboBox(parent);
  combo->installEventFilter(WheelToScrollAreaFilter::instance());
  combo->setFocusPolicy(Qt::StrongFocus);
  if (flags & kComboEditable) {
    combo->setEditable(true);
    // No inline completion ("0" would become "0.5") and Return adds no item.
    combo->setCompleter(nullptr);
    combo->setInsertPolicy(QComboBox::NoInsert);
  }
  const int64_t number = Register(control, kControlComboBox, combo, x, y, width, height);
  // Program-made index changes run under the guard and post nothing.
  QObject::connect(combo, &QComboBox::currentIndexChanged, [number]() { PushControlEvent(number, kSubChanged); });
  if (QLineEdit* edit = combo->lineEdit()) {
    QObject::connect(edit, &QLineEdit::textEdited, [number]() { PushControlEvent(number, kSubChanged); });
  }
  return number;
}

int64_t CreateComboBoxControl(int64_t control, int x, int y, int width, int height) {
  return CreateComboBoxControlFull(control, x, y, width, height, 0);
}

int64_t CreateListViewControl(int64_t control, int x, int y, int width, int height, std::string_view firstTitle,
                              int firstWidth, int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* list = new QTreeWidget(parent);
  list->setRootIsDecorated(false);
  list->setItemsExpandable(false);
  list->setUniformRowHeights(true);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  list->setSelectionBehavior((flags & kListFullRowSelect) ? QAbstractItemView::SelectRows
                                                          : QAbstractItemView::SelectItems);
  list->setAllColumnsShowFocus(true);
  list->header()->setStretchLastSection(false);
  list->header()->setSectionsMovable(false);
  list->setColumnCount(1);
  list->headerItem()->setText(0, ToQString(firstTitle));
  list->setColumnWidth(0, firstWidth);
  if (flags & kListAlwaysShowSelection) {
    // Keep the chosen row visibly highlighted when the list loses the focus.
    QPalette palette = list->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    list->setPalette(palette);
  }
  list->installEventFilter(WheelStaysInControlFilter::instance());
  const int64_t number = Register(control, kControlListView, list, x, y, width, height);
  QObject::connect(list, &QTreeWidget::itemSelectionChanged, [number]() { PushControlEvent(number, kSubChanged); });
  QObject::connect(list, &QTreeWidget::itemClicked, [number]() { PushControlEvent(number, kSubClick); });
  QObject::connect(list, &QTreeWidget::itemDoubleClicked, [number]() { PushControlEvent(number, kSubDoubleClick); });
  return number;
}

void GadgetAddColumn(int64_t control, int position, std::string_view title, int width) {
  auto* list = qobject_cast<QTreeWidget*>(ControlWidget(control));
  if (list == nullptr) return;
  const int count = list->columnCount();
  const int column = (position < 0 || position > count) ? count : position;
  list->setColumnCount(count + 1);
  // Shift the titles and widths right of the new column.
  for (int c = count; c > column; --c) {
    list->headerItem()->setText(c, list->headerItem()->text(c - 1));
    list->setColumnWidth(c, list->columnWidth(c - 1));
  }
  list->headerItem()->setText(column, ToQString(title));
  list->setColumnWidth(column, width);
}

int64_t CreateTrackBarControl(int64_t control, int x, int y, int width, int height, int minimum, int maximum) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* slider = new QSlider(Qt::Horizontal, parent);
  slider->installEventFilter(WheelToScrollAreaFilter::instance());
  slider->setFocusPolicy(Qt::StrongFocus);
  {
    ProgramChange change;
    slider->setRange(minimum, maximum);
  }
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  const int64_t number = Register(control, kControlTrackBar, slider, x, y, width, height);
  QObject::connect(slider, &QSlider::valueChanged, [number]() { PushControlEvent(number, kSubChanged); });
  return number;
}

int64_t CreateEditorControl(int64_t control, int x, int y, int width, int height, int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* editor = new QPlainTextEdit(parent);
  editor->setLineWrapMode(QPlainTextEdit::NoWrap);
  editor->setReadOnly((flags & kEditorReadOnly) != 0);
  editor->installEventFilter(WheelStaysInControlFilter::instance());
  const int64_t number = Register(control, kControlEditor, editor, x, y, width, height);
  QObject::connect(editor, &QPlainTextEdit::textChanged, [number]() { PushControlEvent(number, kSubChanged); });
  return number;
}

int64_t CreateCanvasControl(int64_t control, int x, int y, int width, int height, int64_t flags) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  PlatformState& p = Platform();
  const int64_t number = ChooseNumber(control);
  auto* canvas = new CanvasWidget(number, parent);
  canvas->setFocusPolicy((flags & kCanvasKeyboard) ? Qt::StrongFocus : Qt::ClickFocus);
  (void)p;
  return Register(number, kControlCanvas, canvas, x, y, width, height);
}

int64_t CreateImageControl(int64_t control, int x, int y, int width, int height, int64_t image) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* label = new QLabel(parent);
  auto& images = Platform().images;
  if (auto it = images.find(image); it != images.end()) label->setPixmap(QPixmap::fromImage(it->second));
  return Register(control, kControlImage, label, x, y, width, height);
}

int64_t CreatePanelControl(int64_t control, int x, int y, int width, int height) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* panel = new QTabWidget(parent);
  panel->tabBar()->installEventFilter(WheelToScrollAreaFilter::instance());
  const int64_t number = Register(control, kControlPanel, panel, x, y, width, height);
  QObject::connect(panel, &QTabWidget::currentChanged, [number]() { PushControlEvent(number, kSubChanged); });
  Platform().containers.push_back({number, panel});
  return number;
}

int64_t CreateScrollAreaControl(int64_t control, int x, int y, int width, int height, int innerWidth,
                                int innerHeight, int scrollStep) {
  QWidget* parent = Parent();
  if (parent == nullptr) return -1;
  auto* area = new QScrollArea(parent);
  area->setWidgetResizable(false);
  area->setFrameShape(QFrame::NoFrame);
  auto* inner = new QWidget();
  inner->resize(innerWidth, innerHeight);
  area->setWidget(inner);
  area->verticalScrollBar()->setSingleStep(std::max(1, scrollStep));
  area->horizontalScrollBar()->setSingleStep(std::max(1, scrollStep));
  const int64_t number = Register(control, kControlScrollArea, area, x, y, width, height);
  Platform().containers.push_back({number, inner});
  return number;
}

void GadgetContainerEnd() {
  auto& containers = Platform().containers;
  if (containers.size() > 1 || (!containers.empty() && containers.back().control >= 0)) containers.pop_back();
}

void ShutdownControls() {
  // The widgets belong to their windows and go with them.
  Platform().controls.clear();
}
