// Room for texts: the width a control or a list column needs to show a text
// whole, measured with the control's own font and style, and the last list
// column that takes the list's spare width.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetricsF>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTreeWidget>

#include <algorithm>
#include <cmath>

#include "platform/registry.h"

namespace {

int TextWidth(const QWidget* widget, const QString& text) {
  return int(std::ceil(QFontMetricsF(widget->font()).horizontalAdvance(text)));
}

int TextHeight(const QWidget* widget) { return int(std::ceil(QFontMetricsF(widget->font()).height())); }

int LabelFitWidth(const QLabel* label, const QString& text) {
  // The frame and contents margins, then the label's own margin on both sides.
  const int chrome = label->width() - label->contentsRect().width() + 2 * label->margin();
  return TextWidth(label, text) + chrome + std::max(0, label->indent());
}

int ButtonFitWidth(const QPushButton* button, const QString& text) {
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = text;
  if (button->autoDefault()) option.features |= QStyleOptionButton::AutoDefaultButton;
  if (button->isDefault()) option.features |= QStyleOptionButton::DefaultButton;
  // The style's margins and frame, taken on a content far wider than any
  // minimum button width the style may impose.
  constexpr int kWide = 1000;
  const int margins =
      button->style()->sizeFromContents(QStyle::CT_PushButton, &option, QSize(kWide, TextHeight(button)), button)
          .width() -
      kWide;
  return TextWidth(button, text) + std::max(0, margins);
}

int CheckBoxFitWidth(const QCheckBox* box, const QString& text) {
  QStyleOptionButton option;
  option.initFrom(box);
  option.text = text;
  return box->style()
      ->sizeFromContents(QStyle::CT_CheckBox, &option, QSize(TextWidth(box, text), TextHeight(box)), box)
      .width();
}

int ComboFitWidth(const QComboBox* combo, const QString& text) {
  QStyleOptionComboBox option;
  option.initFrom(combo);
  option.editable = combo->isEditable();
  option.frame = combo->hasFrame();
  // The shown item is drawn in the edit field, 1 px in from either side; an
  // editable combo shows it in its line edit, 2 px in from either side and
  // with room for the text cursor.
  const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo);
  const int inside = combo->isEditable() ? 2 * 2 + 1 : 2 * 1;
  return TextWidth(combo, text) + (combo->width() - field.width()) + inside;
}

QTreeWidget* ListWidget(int64_t control) { return qobject_cast<QTreeWidget*>(ControlWidget(control)); }

// Keeps the last column of a list as wide as the viewport leaves, never
// narrower than its set width. It lives as a child of the list and watches
// the viewport's size and the other columns' widths.
class LastColumnStretch final : public QObject {
 public:
  static constexpr const char* kName = "norvaleLastColumnStretch";

  explicit LastColumnStretch(QTreeWidget* list)
      : QObject(list), list_(list), viewport_(list->viewport()), setWidth_(0) {
    setObjectName(kName);
    const int last = list->columnCount() - 1;
    setWidth_ = last >= 0 ? list->columnWidth(last) : 0;
    list->viewport()->installEventFilter(this);
    QObject::connect(list->header(), &QHeaderView::sectionResized, this, [this](int section, int, int) {
      if (section != list_->columnCount() - 1) Apply();
    });
    Apply();
  }

  static LastColumnStretch* Of(QTreeWidget* list) {
    return static_cast<LastColumnStretch*>(list->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly));
  }

  void SetWidth(int width) {
    setWidth_ = width;
    Apply();
  }

  void Apply() {
    const int last = list_->columnCount() - 1;
    if (last < 0) return;
    int others = 0;
    for (int c = 0; c < last; ++c) others += list_->columnWidth(c);
    const int width = std::max(setWidth_, list_->viewport()->width() - others);
    if (list_->columnWidth(last) != width) list_->setColumnWidth(last, width);
  }

 protected:
  // The viewport is compared with the pointer kept at the start: while the
  // list is destroyed its viewport still sends events here, and the list is
  // then no longer a scroll area to ask.
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == viewport_ && event->type() == QEvent::Resize) Apply();
    return false;
  }

 private:
  QTreeWidget* list_;
  const QObject* viewport_;
  int setWidth_;
};

}  // namespace

int GadgetGetFitWidth(int64_t control, std::string_view text) {
  QWidget* widget = ControlWidget(control);
  if (widget == nullptr) return 0;
  const QString t = ToQString(text);
  if (auto* label = qobject_cast<QLabel*>(widget)) return LabelFitWidth(label, t);
  if (auto* button = qobject_cast<QPushButton*>(widget)) return ButtonFitWidth(button, t);
  if (auto* box = qobject_cast<QCheckBox*>(widget)) return CheckBoxFitWidth(box, t);
  if (auto* combo = qobject_cast<QComboBox*>(widget)) return ComboFitWidth(combo, t);
  return 0;
}

int GadgetGetColumnWidth(int64_t control, int column) {
  QTreeWidget* list = ListWidget(control);
  if (list == nullptr || column < 0 || column >= list->columnCount()) return 0;
  return list->columnWidth(column);
}

void GadgetSetColumnWidth(int64_t control, int column, int width) {
  QTreeWidget* list = ListWidget(control);
  if (list == nullptr || column < 0 || column >= list->columnCount()) return;
  LastColumnStretch* stretch = LastColumnStretch::Of(list);
  if (stretch != nullptr && column == list->columnCount() - 1) {
    stretch->SetWidth(width);
  } else {
    list->setColumnWidth(column, width);
  }
}

int GadgetGetColumnFitWidth(int64_t control, int column, std::string_view text) {
  QTreeWidget* list = ListWidget(control);
  if (list == nullptr || column < 0 || column >= list->columnCount()) return 0;
  // A cell as the list's item delegate lays it out: the text between the
  // style's item margins.
  QStyleOptionViewItem option;
  option.initFrom(list);
  option.widget = list;
  option.font = list->font();
  option.fontMetrics = QFontMetrics(option.font);
  option.text = ToQString(text);
  option.features = QStyleOptionViewItem::HasDisplay;
  option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
  const int cell = list->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), list).width();
  const int title = list->header()->sectionSizeHint(column);
  return std::max(cell, title);
}

void GadgetStretchLastColumn(int64_t control) {
  QTreeWidget* list = ListWidget(control);
  if (list == nullptr || LastColumnStretch::Of(list) != nullptr) return;
  new LastColumnStretch(list);  // owned by the list
}
