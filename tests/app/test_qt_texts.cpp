// Qt's own texts in the program's language: the buttons of real message
// boxes, the labels and buttons of the real open and save dialogs, and the
// context menus of a text entry, an editable combo box and the report. In the
// Dutch program they are Dutch with Qt's Dutch catalogue and without it.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include <unistd.h>

#include "app/control_ids.h"
#include "app_fixture.h"
#include "platform/file_dialogs.h"
#include "platform/qt_translations.h"

namespace {

// A text as the user reads it: without the mnemonic marks and without the
// shortcut that a menu entry shows after a tab.
std::string Shown(const QString& text) {
  QString s = text.left(text.indexOf(QChar('\t')));
  s.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
  s.remove(QChar('&'));
  s.replace(QChar('\x01'), QChar('&'));
  return s.trimmed().toStdString();
}

std::vector<std::string> Sorted(std::vector<std::string> v) {
  std::sort(v.begin(), v.end());
  return v;
}

// Polls, while a modal loop runs, until the modal window of type T is shown
// and active, then calls fn with it (fn must close it). A window that never
// comes fails the test; after a minute whatever modal window is open is
// closed, so the test ends instead of hanging.
template <class T>
void WhenActive(std::function<void(T*)> fn, bool* seen) {
  *seen = false;
  auto* timer = new QTimer(qApp);
  auto clock = std::make_shared<QElapsedTimer>();
  clock->start();
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, clock, fn, seen]() {
    auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
    if (window != nullptr && window->isVisible() && window->isActiveWindow()) {
      timer->stop();
      timer->deleteLater();
      *seen = true;
      fn(window);
    } else if (clock->elapsed() > 60000) {
      timer->stop();
      timer->deleteLater();
      if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    }
  });
  timer->start();
}

class QtTextsTest : public AppTest {
 protected:
  void CheckMessageBoxButtons(const char* grabName);
  void CheckFileDialogs(const char* grabName);
  void CheckContextMenus();
};

struct MessageCase {
  const char* what;
  int64_t buttons;
  std::vector<std::string> english, dutch;  // the buttons shown
  std::string clickEnglish, clickDutch;     // the one the user clicks
  int64_t result;
};

void QtTextsTest::CheckMessageBoxButtons(const char* grabName) {
  const MessageCase cases[] = {
      {"save question", kMessageYesNoCancel, {"Yes", "No", "Cancel"}, {"Ja", "Nee", "Annuleren"}, "No", "Nee",
       kResultNo},
      {"yes or no", kMessageYesNo, {"Yes", "No"}, {"Ja", "Nee"}, "Yes", "Ja", kResultYes},
      {"notice", kMessageOk, {"OK"}, {"OK"}, "OK", "OK", kResultOk},
  };
  SetMessageResponder(nullptr);
  for (const MessageCase& c : cases) {
    std::vector<std::string> shown;
    bool seen = false;
    WhenActive<QMessageBox>(
        [&](QMessageBox* box) {
          for (QAbstractButton* b : box->buttons()) shown.push_back(Shown(b->text()));
          if (c.buttons == kMessageYesNoCancel && grabName != nullptr) box->grab().save(grabName);
          const std::string click = kLang == 0 ? c.clickEnglish : c.clickDutch;
          for (QAbstractButton* b : box->buttons()) {
            if (Shown(b->text()) == click) {
              b->click();
              return;
            }
          }
          box->close();
        },
        &seen);
    const int64_t answer = MessageDialog("Norvale", Pick("Save changes?", "Wijzigingen opslaan?"),
                                         c.buttons | kMessageIconQuestion);
    ASSERT_TRUE(seen) << c.what;
    EXPECT_EQ(Sorted(shown), Sorted(kLang == 0 ? c.english : c.dutch)) << c.what;
    EXPECT_EQ(answer, c.result) << c.what;
  }
}

struct DialogCase {
  bool save;
  std::vector<std::string> english, dutch;  // labels, then accept and reject buttons
};

void QtTextsTest::CheckFileDialogs(const char* grabName) {
  const DialogCase cases[] = {
      {true,
       {"Look in:", "File name:", "Files of type:", "Save", "Cancel"},
       {"Zoeken in:", "Bestandsnaam:", "Bestanden van type:", "Opslaan", "Annuleren"}},
      {false,
       {"Look in:", "File name:", "Files of type:", "Open", "Cancel"},
       {"Zoeken in:", "Bestandsnaam:", "Bestanden van type:", "Openen", "Annuleren"}},
  };
  // A folder of this process's own (ctest runs the tests of one program side
  // by side), with a project and a subfolder to list.
  const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                    ("norvale-qt-texts-" + std::to_string(kLang) + "-" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "parts");
  std::ofstream(dir / "gear.tdw") << "[Tandwiel]\n";
  const std::string folder = dir.string();
  for (const DialogCase& c : cases) {
    std::vector<std::string> read, labels, buttons;
    bool native = true;
    bool seen = false;
    WhenActive<QFileDialog>(
        [&](QFileDialog* dialog) {
          native = !dialog->testOption(QFileDialog::DontUseNativeDialog);
          for (auto which : {QFileDialog::LookIn, QFileDialog::FileName, QFileDialog::FileType, QFileDialog::Accept,
                             QFileDialog::Reject}) {
            read.push_back(Shown(dialog->labelText(which)));
          }
          // What the widgets on screen show.
          for (QLabel* label : dialog->findChildren<QLabel*>()) {
            if (label->isVisible() && !label->text().isEmpty()) labels.push_back(Shown(label->text()));
          }
          if (auto* box = dialog->findChild<QDialogButtonBox*>()) {
            for (QAbstractButton* b : box->buttons()) buttons.push_back(Shown(b->text()));
          }
          if (c.save && grabName != nullptr) dialog->grab().save(grabName);
          dialog->reject();
        },
        &seen);
    const std::string chosen =
        c.save ? SaveFileRequester(Pick("Save project", "Project opslaan"), folder + "/norvale.tdw",
                                   "Norvale project (*.tdw)|*.tdw", 0)
               : OpenFileRequester(Pick("Open project", "Project openen"), folder, "Norvale project (*.tdw)|*.tdw", 0);
    ASSERT_TRUE(seen) << (c.save ? "save" : "open");
    EXPECT_EQ(chosen, "");
    EXPECT_FALSE(native);
    const std::vector<std::string>& expected = kLang == 0 ? c.english : c.dutch;
    EXPECT_EQ(read, expected);
    EXPECT_EQ(Sorted(labels), Sorted({expected[0], expected[1], expected[2]}));
    EXPECT_EQ(Sorted(buttons), Sorted({expected[3], expected[4]}));
  }
  std::filesystem::remove_all(dir);
}

// The entries of the context menu that a right click on w pops up.
std::vector<std::string> ContextMenuOf(QWidget* w) {
  std::vector<std::string> entries;
  const QPoint at(5, 5);
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, w->mapToGlobal(at));
  QApplication::sendEvent(w, &event);
  QElapsedTimer clock;
  clock.start();
  QMenu* menu = nullptr;
  while (clock.elapsed() < 60000) {
    menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    if (menu != nullptr && menu->isVisible()) break;
    menu = nullptr;
    QApplication::processEvents(QEventLoop::AllEvents, 5);
  }
  if (menu == nullptr) return entries;
  for (QAction* a : menu->actions()) {
    if (!a->isSeparator() && a->isVisible()) entries.push_back(Shown(a->text()));
  }
  menu->close();
  return entries;
}

void QtTextsTest::CheckContextMenus() {
  const std::vector<std::string> editEnglish = {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"};
  const std::vector<std::string> editDutch = {"Ongedaan maken", "Opnieuw",     "Knippen",         "Kopiëren",
                                              "Plakken",        "Verwijderen", "Alles selecteren"};
  auto* combo = qobject_cast<QComboBox*>(Widget(kComboSingleModule));
  ASSERT_NE(combo, nullptr);
  ASSERT_NE(combo->lineEdit(), nullptr);
  auto* report = qobject_cast<QPlainTextEdit*>(Widget(kEditorReport));
  ASSERT_NE(report, nullptr);
  struct Case {
    const char* what;
    QWidget* target;
    std::vector<std::string> english, dutch;
  } cases[] = {
      {"text entry", Widget(kFieldPairCentreDistance), editEnglish, editDutch},
      {"editable combo box", combo->lineEdit(), editEnglish, editDutch},
      // The report is read-only: copying is all it offers.
      {"report", report->viewport(), {"Copy", "Select All"}, {"Kopiëren", "Alles selecteren"}},
  };
  for (const Case& c : cases) {
    ASSERT_NE(c.target, nullptr) << c.what;
    EXPECT_EQ(ContextMenuOf(c.target), kLang == 0 ? c.english : c.dutch) << c.what;
  }
}

std::string GrabName(const char* what, bool withCatalogue) {
  return std::string(what) + (kLang == 0 ? "_en" : "_nl") + (withCatalogue ? "" : "_own_texts") + ".png";
}

TEST_F(QtTextsTest, MessageBoxButtonsSpeakTheProgramsLanguage) {
  CheckMessageBoxButtons(GrabName("message_box", true).c_str());
}

TEST_F(QtTextsTest, FileDialogLabelsAndButtonsSpeakTheProgramsLanguage) {
  CheckFileDialogs(GrabName("save_dialog", true).c_str());
}

TEST_F(QtTextsTest, ContextMenusOfTextFieldsAndReportSpeakTheProgramsLanguage) { CheckContextMenus(); }

// The Dutch program loads Qt's Dutch catalogue where it is installed; the
// English program loads none.
TEST_F(QtTextsTest, QtsCatalogueIsLoadedInTheDutchProgramOnly) {
  const bool installed = QFile::exists(QtCatalogueFolder() + QStringLiteral("/qtbase_nl.qm"));
  EXPECT_EQ(InstallQtTranslations(kLang, QtCatalogueFolder()), kLang != 0 && installed);
  // Text only Qt's catalogue has (the file dialog's "file not found" notice).
  const QString missing = QFileDialog::tr("%1\nFile not found.\nPlease verify the correct file name was given.");
  EXPECT_EQ(missing.startsWith(QStringLiteral("%1\nFile not found")), kLang == 0 || !installed)
      << missing.toStdString();
}

// Without Qt's catalogue (a machine where it is not installed) the program's
// own texts keep the dialogs and menus Dutch.
TEST_F(QtTextsTest, WithoutQtsCatalogueTheProgramsOwnTextsServe) {
  const std::string nowhere = (std::filesystem::temp_directory_path() / "norvale-no-catalogue").string();
  std::filesystem::remove_all(nowhere);
  EXPECT_FALSE(InstallQtTranslations(kLang, QString::fromStdString(nowhere)));
  CheckMessageBoxButtons(GrabName("message_box", false).c_str());
  CheckFileDialogs(GrabName("save_dialog", false).c_str());
  CheckContextMenus();
}

}  // namespace
