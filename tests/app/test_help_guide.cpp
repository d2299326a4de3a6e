// The user guide of the linked language covers the program: every label,
// button, check box, tab title, list column title, combo box item (but the
// module numbers), menu item and window title of the three windows appears in
// help_en.html / help_nl.html under the program's own text. The texts are read
// from the running program's controls, not from a list kept in the test.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <cstdint>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/help_about.h"
#include "app_fixture.h"
#include "platform/registry.h"

namespace {

// UTF-8 of one code point.
std::string Utf8(uint32_t c) {
  std::string out;
  if (c < 0x80) {
    out += char(c);
  } else if (c < 0x800) {
    out += char(0xC0 | (c >> 6));
    out += char(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += char(0xE0 | (c >> 12));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  } else {
    out += char(0xF0 | (c >> 18));
    out += char(0x80 | ((c >> 12) & 0x3F));
    out += char(0x80 | ((c >> 6) & 0x3F));
    out += char(0x80 | (c & 0x3F));
  }
  return out;
}

// Runs of blanks, tabs and line ends become one blank.
std::string CollapseBlanks(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    const bool isBlank = c == ' ' || c == '\t' || c == '\n' || c == '\r';
    if (isBlank) {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// The text a reader sees: without the head's style, without tags, with the
// character references decoded.
std::string VisibleText(const std::string& html) {
  std::string text;
  std::size_t i = 0;
  const std::size_t bodyStart = html.find("<body");
  if (bodyStart != std::string::npos) i = bodyStart;
  while (i < html.size()) {
    const char c = html[i];
    if (c == '<') {
      const std::size_t end = html.find('>', i);
      if (end == std::string::npos) break;
      text += ' ';
      i = end + 1;
    } else if (c == '&') {
      const std::size_t end = html.find(';', i);
      const std::string name = end == std::string::npos ? "" : html.substr(i + 1, end - i - 1);
      std::string decoded;
      if (name == "amp") decoded = "&";
      else if (name == "lt") decoded = "<";
      else if (name == "gt") decoded = ">";
      else if (name == "quot") decoded = "\"";
      else if (name == "apos") decoded = "'";
      else if (name == "nbsp") decoded = " ";
      else if (name == "ndash") decoded = Utf8(0x2013);
      else if (name == "mdash") decoded = Utf8(0x2014);
      else if (name.size() > 2 && (name[1] == 'x' || name[1] == 'X') && name[0] == '#') {
        decoded = Utf8(uint32_t(std::stoul(name.substr(2), nullptr, 16)));
      } else if (name.size() > 1 && name[0] == '#') {
        decoded = Utf8(uint32_t(std::stoul(name.substr(1))));
      }
      if (decoded.empty()) {
        text += c;  // not a reference the guide uses: kept as it stands
        ++i;
      } else {
        text += decoded;
        i = end + 1;
      }
    } else {
      text += c;
      ++i;
    }
  }
  return CollapseBlanks(text);
}

std::string ReadGuide() {
  std::ifstream in(gHelpFileBuildFolder + Pick("help_en.html", "help_nl.html"), std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

bool IsNumber(const QString& text) {
  bool ok = false;
  text.toDouble(&ok);
  return ok;
}

class HelpGuideTest : public AppTest {
 protected:
  // Every text of the controls of one window that a user reads.
  void CollectWindowTexts(int64_t window) {
    for (const auto& [number, entry] : Platform().controls) {
      QWidget* w = entry.widget.data();
      if (entry.window != window || w == nullptr) continue;
      // Texts that show values, not names: x2 and the strength verdict.
      if (number == kTextPairX2 || number == kTextIntX2 || number == kTextVerdict) continue;
      if (auto* label = qobject_cast<QLabel*>(w)) Add(label->text());
      if (auto* button = qobject_cast<QPushButton*>(w)) Add(button->text());
      if (auto* box = qobject_cast<QCheckBox*>(w)) Add(box->text());
      if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int t = 0; t < tabs->count(); ++t) Add(tabs->tabText(t));
      }
      if (auto* list = qobject_cast<QTreeWidget*>(w)) {
        for (int c = 0; c < list->columnCount(); ++c) Add(list->headerItem()->text(c));
      }
      if (auto* combo = qobject_cast<QComboBox*>(w)) {
        for (int item = 0; item < combo->count(); ++item) {
          if (!IsNumber(combo->itemText(item))) Add(combo->itemText(item));
        }
      }
    }
  }
  void Add(const QString& text) {
    const std::string t = CollapseBlanks(text.toStdString());
    if (!t.empty()) texts_.insert(t);
  }
  std::set<std::string> texts_;
};

}  // namespace

TEST(HelpGuideText, ReferencesAreDecodedAndBlanksCollapsed) {
  EXPECT_EQ(VisibleText("<head><title>x</title></head><body><p>Σx&nbsp; min&#32;/ <b>max</b></p></body>"),
            "Σx min / max");
  EXPECT_EQ(VisibleText("<body>&#946; &#x3B1; &lt;&amp;&gt; A&ndash;E</body>"), "β α <&> A–E");
}

TEST_F(HelpGuideTest, EveryTextOfTheThreeWindowsIsInTheGuide) {
  if (gHelpFileBuildFolder.empty()) GTEST_SKIP() << "built without a help folder";
  const std::string guide = VisibleText(ReadGuide());
  ASSERT_GT(guide.size(), 20000u) << "the guide is missing or thin";

  CollectWindowTexts(kWindowMain);
  CollectWindowTexts(kWindowStrength);
  CollectWindowTexts(kWindowHubKeyway);
  // The load value's label switches with the load kind: the other text too.
  static_cast<QComboBox*>(Widget(kComboLoadKind))->setCurrentIndex(1);
  Pump();
  ASSERT_EQ(GadgetGetText(kTextLoadLabel), Pick("Torque T1 [Nm]", "Koppel T1 [Nm]"));
  Add(QString::fromStdString(GadgetGetText(kTextLoadLabel)));
  // The Help button's menu, without the shortcut shown after a tab.
  std::size_t menuItems = 0;
  SetPopupResponder([this, &menuItems](int64_t, const std::vector<std::pair<int64_t, std::string>>& items) {
    for (const auto& item : items) Add(QString::fromStdString(item.second.substr(0, item.second.find('\t'))));
    menuItems = items.size();
    return int64_t(-1);
  });
  QTest::mouseClick(Widget(kButtonHelp), Qt::LeftButton);
  Pump();
  ASSERT_EQ(menuItems, 2u);
  Add(QString::fromStdString(WindowGetTitle(kWindowStrength)));
  Add(QString::fromStdString(WindowGetTitle(kWindowHubKeyway)));
  ASSERT_GT(texts_.size(), 100u);

  for (const std::string& text : texts_) {
    EXPECT_NE(guide.find(text), std::string::npos) << "not in the guide: '" << text << "'";
  }
}
