// Every text of the three windows has room in its control, measured with the
// control's own font and style, in the linked language: each label, button,
// check box, combo box item and list title, and the widest values the two
// result lists can hold (a ring of 1000 teeth, beta with three decimals, every
// DIN 780 module). The widest values come from the module series and the
// search limits, not from what the lists happen to show.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTest>
#include <QTreeWidget>

#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app_fixture.h"
#include "design/module_search.h"
#include "design/module_series.h"
#include "geometry/format.h"
#include "platform/registry.h"

namespace {

std::string Describe(int64_t control, const QString& text) {
  return "control " + std::to_string(control) + " '" + text.toStdString() + "'";
}

int Advance(const QWidget* w, const QString& text) { return QFontMetrics(w->font()).horizontalAdvance(text); }

// The texts a static text can show: its own, and for the few whose text the
// program switches, the other texts as well.
std::vector<QString> LabelTexts(int64_t control, const QLabel* label) {
  std::vector<QString> texts = {label->text()};
  if (control == kTextLoadLabel) {
    texts = {Pick("Power P [kW]", "Vermogen P [kW]"), Pick("Torque T1 [Nm]", "Koppel T1 [Nm]")};
  }
  if (control == kTextPairX2 || control == kTextIntX2) texts.push_back("x2 = -1.2345");
  return texts;
}

void CheckLabel(int64_t control, const QLabel* label, std::vector<std::string>& faults) {
  for (const QString& text : LabelTexts(control, label)) {
    if (label->wordWrap()) {
      QLabel probe(text);  // the same label with this text, wrapped at its width
      probe.setFont(label->font());
      probe.setWordWrap(true);
      probe.setMargin(label->margin());
      const int needed = probe.heightForWidth(label->width());
      if (needed > label->height()) {
        faults.push_back(Describe(control, text) + " needs " + std::to_string(needed) + " px of height, has " +
                         std::to_string(label->height()));
      }
    } else {
      const int room = label->contentsRect().width() - 2 * label->margin();
      if (Advance(label, text) > room) {
        faults.push_back(Describe(control, text) + " needs " + std::to_string(Advance(label, text)) + " px, has " +
                         std::to_string(room));
      }
    }
  }
}

void CheckButton(int64_t control, const QPushButton* button, std::vector<std::string>& faults) {
  // The label is drawn in the style's contents rectangle of the button.
  QStyleOptionButton option;
  option.initFrom(button);
  option.text = button->text();
  const int room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).width();
  if (Advance(button, button->text()) > room) {
    faults.push_back(Describe(control, button->text()) + " needs " +
                     std::to_string(Advance(button, button->text())) + " px, has " + std::to_string(room));
  }
}

void CheckCheckBox(int64_t control, const QCheckBox* box, std::vector<std::string>& faults) {
  // The box, its spacing and the text, as the style sizes them.
  if (box->sizeHint().width() > box->width()) {
    faults.push_back(Describe(control, box->text()) + " needs " + std::to_string(box->sizeHint().width()) +
                     " px, has " + std::to_string(box->width()));
  }
}

void CheckCombo(int64_t control, const QComboBox* combo, std::vector<std::string>& faults) {
  // The shown item is drawn 1 px inside the edit field; an editable combo
  // shows it in its line edit, 2 px inside with the text cursor after it.
  int room = 0;
  if (combo->isEditable()) {
    room = combo->lineEdit()->width() - 2 * 2 - 1;
  } else {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.frame = combo->hasFrame();
    room = combo->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo).width() - 2;
  }
  for (int i = 0; i < combo->count(); ++i) {
    const QString text = combo->itemText(i);
    if (Advance(combo, text) > room) {
      faults.push_back(Describe(control, text) + " needs " + std::to_string(Advance(combo, text)) + " px, has " +
                       std::to_string(room));
    }
  }
}

// The widest module text of both DIN 780 series in the list's font.
QString WidestModule(const QWidget* list) {
  QString widest;
  for (const auto* series : {&ModuleSeries1, &ModuleSeries2}) {
    for (double m : *series) {
      if (m < 0) break;
      const QString text = QString::fromStdString(FormatNumberTrimmed(m));
      if (Advance(list, text) > Advance(list, widest)) widest = text;
    }
  }
  return widest;
}

// Titles, the rows shown and two rows of the widest values must fit their
// columns, all columns must be in view (no horizontal scrolling) and the last
// column must take the spare width.
void CheckList(int64_t control, QTreeWidget* list, std::vector<std::string>& faults) {
  const QString module = WidestModule(list);
  const QString z1 = QString::number(kMaxSearchTeeth);
  const QString z2 = QString::number(kMaxRingTeeth);
  const QStringList widest[] = {
      {module, z1, z2, "16.667", "-1.99", "-0.500", "14.036"},
      {module, z1, z2, "2.000", "0.00", "0.000", "45.000"},
  };
  for (const QStringList& row : widest) list->insertTopLevelItem(0, new QTreeWidgetItem(row));
  QApplication::processEvents();
  auto* view = static_cast<QAbstractItemView*>(list);
  for (int c = 0; c < list->columnCount(); ++c) {
    const QString title = list->headerItem()->text(c);
    const int width = list->columnWidth(c);
    const int titleNeed = list->header()->sectionSizeHint(c);
    const int cellNeed = view->sizeHintForColumn(c);  // the rows in view, by the item delegate
    if (titleNeed > width || cellNeed > width) {
      faults.push_back(Describe(control, title) + " column needs " + std::to_string(std::max(titleNeed, cellNeed)) +
                       " px, has " + std::to_string(width));
    }
  }
  if (list->horizontalScrollBar()->maximum() > 0) {
    faults.push_back(Describe(control, "") + " scrolls sideways");
  }
  if (list->header()->length() < list->viewport()->width()) {
    faults.push_back(Describe(control, "") + " leaves " +
                     std::to_string(list->viewport()->width() - list->header()->length()) + " px unused");
  }
  delete list->takeTopLevelItem(0);
  delete list->takeTopLevelItem(0);
}

// Controls of a window that overlap one another or stick out of it: a control
// that grew for its text must not run into its neighbours.
std::vector<std::string> Overlaps(int64_t window) {
  std::vector<std::string> faults;
  QWidget* root = FindWindow(window)->widget.data();
  const QList<QWidget*> children = root->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
  for (int i = 0; i < children.size(); ++i) {
    if (!children[i]->isVisible()) continue;
    const QRect a = children[i]->geometry();
    if (!root->rect().contains(a)) faults.push_back(children[i]->metaObject()->className() + std::string(" outside"));
    for (int j = i + 1; j < children.size(); ++j) {
      if (children[j]->isVisible() && a.intersects(children[j]->geometry())) {
        faults.push_back(children[i]->metaObject()->className() + std::string(" overlaps ") +
                         children[j]->metaObject()->className());
      }
    }
  }
  return faults;
}

class TextsFitTest : public AppTest {
 protected:
  void Click(int64_t control) {
    QTest::mouseClick(Widget(control), Qt::LeftButton);
    Pump();
  }
  void ShowTab(int64_t tab) {
    GadgetSetState(kPanelTabs, tab);
    Pump();
  }
  void Type(int64_t field, const char* text) {
    QWidget* w = Widget(field);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(w, text);
    Pump();
  }

  // Every control of a window that is on screen.
  std::vector<std::string> Misfits(int64_t window) {
    std::vector<std::string> faults;
    for (const auto& [number, entry] : Platform().controls) {
      QWidget* w = entry.widget.data();
      if (entry.window != window || w == nullptr || !w->isVisible()) continue;
      if (auto* label = qobject_cast<QLabel*>(w)) CheckLabel(number, label, faults);
      if (auto* button = qobject_cast<QPushButton*>(w)) CheckButton(number, button, faults);
      if (auto* box = qobject_cast<QCheckBox*>(w)) CheckCheckBox(number, box, faults);
      if (auto* combo = qobject_cast<QComboBox*>(w)) CheckCombo(number, combo, faults);
      if (auto* list = qobject_cast<QTreeWidget*>(w)) CheckList(number, list, faults);
    }
    return faults;
  }
};

}  // namespace

TEST_F(TextsFitTest, EveryTextOfTheMainWindowFits) {
  // The β search of the issue report: angles such as 11.4 and 14.036 degrees.
  ShowTab(kTabPair);
  Type(kFieldPairHelixAngle, "15");
  Click(kCheckPairHelixSearch);
  Click(kButtonPairCalculate);
  ASSERT_GT(GadgetCountItems(kListPairResults), 7) << "enough rows to need the scroll bar";
  ASSERT_TRUE(static_cast<QTreeWidget*>(Widget(kListPairResults))->verticalScrollBar()->isVisible());

  // A ring of 1000 teeth: a = m (z2 - z1) / 2 = 0.05 (1000 - 100) / 2 = 22.5 mm.
  ShowTab(kTabInternal);
  Type(kFieldIntCentreDistance, "22.5");
  Type(kFieldIntRatio, "10");
  Click(kButtonIntCalculate);
  bool ring1000 = false;
  for (int row = 0; row < GadgetCountItems(kListIntResults); ++row) {
    ring1000 = ring1000 || GadgetGetItemText(kListIntResults, row, 2) == "1000";
  }
  ASSERT_TRUE(ring1000);

  for (int64_t tab : {kTabPair, kTabSingle, kTabRack, kTabInternal}) {
    ShowTab(tab);
    for (const std::string& f : Misfits(kWindowMain)) ADD_FAILURE() << "tab " << tab << ": " << f;
  }
}

TEST_F(TextsFitTest, EveryTextOfTheStrengthAndHubWindowsFits) {
  Click(kButtonStrength);
  Click(kButtonHubKeyway);
  ASSERT_TRUE(WindowIsVisible(kWindowStrength));
  ASSERT_TRUE(WindowIsVisible(kWindowHubKeyway));
  // The load label switches with the load kind; both texts are checked.
  for (int64_t window : {kWindowStrength, kWindowHubKeyway}) {
    for (const std::string& f : Misfits(window)) ADD_FAILURE() << "window " << window << ": " << f;
    for (const std::string& f : Overlaps(window)) ADD_FAILURE() << "window " << window << ": " << f;
  }
}
