// Project commands: the save question on close and open, save and save as, failed saves, the title.
#include <QApplication>
#include <QTest>
#include <QWidget>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/registry.h"
#include "project_test_support.h"
#include "wait_for_state.h"

namespace project_test {
namespace {

const std::string kTitleTail = "   (ISO 53 / DIN 867 / DIN 3960)";

std::string SaveQuestion() {
  return ByLanguage("The project has been changed. Save changes?", "Het project is gewijzigd. Wijzigingen opslaan?");
}

std::string WriteFailed(const std::string& path) {
  return ByLanguage("File '" + path + "' could not be written.", "Kan '" + path + "' niet schrijven.");
}

using ProjectCommandTest = ProjectFixture;

TEST_F(ProjectCommandTest, TitleShowsNameAndOneStarWhileChanged) {
  Start();
  EXPECT_EQ(WindowGetTitle(0), "Norvale - " + ByLanguage("new project", "nieuw project") + kTitleTail);
  MarkProjectModified();
  MarkProjectModified();
  EXPECT_EQ(WindowGetTitle(0), "Norvale - " + ByLanguage("new project", "nieuw project") + " *" + kTitleTail);
  gProjectPath = "/some/where/gear.set.tdw";
  UpdateWindowTitle();
  EXPECT_EQ(WindowGetTitle(0), "Norvale - gear.set.tdw *" + kTitleTail);
  EXPECT_EQ(ProjectFileNamePart("C:\\work\\pair.tdw"), "pair.tdw");
}

TEST_F(ProjectCommandTest, CloseWithoutChangesQuitsWithoutAsking) {
  Start();
  HandleCloseEvent(0);
  EXPECT_EQ(gQuit, 1);
  EXPECT_TRUE(messages_.empty());
}

TEST_F(ProjectCommandTest, SaveQuestionOnCloseYesSavesNoDiscardsCancelKeeps) {
  const struct {
    const char* name;
    int64_t answer;
    const char* dialogFile;  // what the save dialog returns
    int64_t quit;
    bool written;
    int64_t modified;
    std::size_t dialogs;
  } cases[] = {
      {"yes", kResultYes, "closing.tdw", 1, true, 0, 1},
      {"yes, dialog cancelled", kResultYes, "", 0, false, 1, 1},
      {"no", kResultNo, "closing.tdw", 1, false, 1, 0},
      {"cancel", kResultCancel, "closing.tdw", 0, false, 1, 0},
  };
  for (const auto& c : cases) {
    Start();
    ::unlink(Path("closing.tdw").c_str());
    messages_.clear();
    dialogs_.clear();
    EditText(16, "13");
    ASSERT_EQ(gProjectModified, 1) << c.name;
    answers_ = {c.answer};
    dialogAnswer_ = *c.dialogFile ? Path(c.dialogFile) : "";
    HandleCloseEvent(0);
    ASSERT_EQ(messages_.size(), 1u) << c.name;
    EXPECT_EQ(messages_[0].text, SaveQuestion());
    EXPECT_EQ(messages_[0].flags, kMessageYesNoCancel);
    EXPECT_EQ(gQuit, c.quit) << c.name;
    EXPECT_EQ(FileSizeOrKind(Path("closing.tdw")) > 0, c.written) << c.name;
    EXPECT_EQ(gProjectModified, c.modified) << c.name;
    EXPECT_EQ(dialogs_.size(), c.dialogs) << c.name;
    EXPECT_EQ(GadgetGetText(16), "13") << c.name;
  }
}

TEST_F(ProjectCommandTest, SaveQuestionOnOpenYesSavesNoDiscardsCancelKeeps) {
  // The project to open: this program's own defaults with another face width.
  Start();
  EditText(16, "21");
  dialogAnswer_ = Path("other.tdw");
  ASSERT_EQ(SaveProjectWithPrompt(1), 1);

  const struct {
    const char* name;
    int64_t answer;
    bool opened;
    bool currentSaved;
  } cases[] = {
      {"yes", kResultYes, true, true},
      {"no", kResultNo, true, false},
      {"cancel", kResultCancel, false, false},
  };
  for (const auto& c : cases) {
    Start();
    dialogAnswer_ = Path("current.tdw");
    ::unlink(dialogAnswer_.c_str());
    ASSERT_EQ(SaveProjectWithPrompt(0), 1);
    EditText(16, "17");
    messages_.clear();
    dialogs_.clear();
    answers_ = {c.answer};
    dialogAnswer_ = Path("other.tdw");
    HandleMenuEvent(100);  // Ctrl+O
    ASSERT_EQ(messages_.size(), 1u) << c.name;
    EXPECT_EQ(messages_[0].text, SaveQuestion());
    // Yes saves to the current path without a dialog; only the open dialog shows.
    EXPECT_EQ(dialogs_.size(), c.answer == kResultCancel ? 0u : 1u) << c.name;
    if (!dialogs_.empty()) {
      EXPECT_FALSE(dialogs_[0].save);
      EXPECT_EQ(dialogs_[0].title, ByLanguage("Open project", "Project openen"));
      EXPECT_EQ(dialogs_[0].defaultPath, Path("current.tdw"));
    }
    EXPECT_EQ(GadgetGetText(16), c.opened ? "21" : "17") << c.name;
    EXPECT_EQ(gProjectPath, c.opened ? Path("other.tdw") : Path("current.tdw")) << c.name;
    EXPECT_EQ(gProjectModified, c.opened ? 0 : 1) << c.name;
    const bool saved = Slurp(Path("current.tdw")).find("\r\nbreedte = 17\r\n") != std::string::npos;
    EXPECT_EQ(saved, c.currentSaved) << c.name;
  }
}

TEST_F(ProjectCommandTest, SaveUsesPathSaveAsAsksAndOverwriteIsConfirmed) {
  Start();
  dialogAnswer_ = Path("a");
  HandleControlEvent(50, kSubClick);  // "Save" of a new project shows the dialog
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_EQ(dialogs_[0].title, ByLanguage("Save project", "Project opslaan"));
  EXPECT_EQ(dialogs_[0].filter, ByLanguage("Norvale project (*.tdw)|*.tdw", "Norvale-project (*.tdw)|*.tdw"));
  EXPECT_EQ(gProjectPath, Path("a.tdw"));

  EditText(16, "15");
  HandleMenuEvent(101);  // Ctrl+S with a path: no dialog
  EXPECT_EQ(dialogs_.size(), 1u);
  EXPECT_NE(Slurp(Path("a.tdw")).find("\r\nbreedte = 15\r\n"), std::string::npos);

  HandleControlEvent(51, kSubClick);  // "Save as..." to the same name: no question
  EXPECT_EQ(dialogs_.size(), 2u);
  EXPECT_EQ(dialogs_[1].defaultPath, Path("a.tdw"));
  EXPECT_TRUE(messages_.empty());

  Put(Path("b.tdw"), "old b");
  dialogAnswer_ = Path("b.tdw");
  answers_ = {kResultNo};
  EXPECT_EQ(SaveProjectWithPrompt(1), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, ByLanguage("'b.tdw' already exists. Overwrite?", "'b.tdw' bestaat al. Overschrijven?"));
  EXPECT_EQ(messages_[0].flags, kMessageYesNo);
  EXPECT_EQ(Slurp(Path("b.tdw")), "old b");
  EXPECT_EQ(gProjectPath, Path("a.tdw"));

  answers_ = {kResultYes};
  EXPECT_EQ(SaveProjectWithPrompt(1), 1);
  EXPECT_EQ(Slurp(Path("b.tdw")).substr(0, 3), "\xEF\xBB\xBF");
  EXPECT_EQ(gProjectPath, Path("b.tdw"));

  dialogAnswer_ = Path("c.txt");  // another extension is kept
  EXPECT_EQ(SaveProjectWithPrompt(1), 1);
  EXPECT_EQ(gProjectPath, Path("c.txt"));
  dialogAnswer_ = Path("d.");  // a trailing point is no extension
  EXPECT_EQ(SaveProjectWithPrompt(1), 1);
  EXPECT_EQ(gProjectPath, Path("d.tdw"));
}

// A save that fails must keep the old file, the project path and the changed
// flag, and say so naming the path.
TEST_F(ProjectCommandTest, FailedSaveKeepsOldFilePathAndFlag) {
  Start();
  const std::string path = Path("kept.tdw");
  dialogAnswer_ = path;
  ASSERT_EQ(SaveProjectWithPrompt(0), 1);
  const std::string old = Slurp(path);
  EditText(16, "19");
  ASSERT_EQ(gProjectModified, 1);
  const std::string changedTitle = WindowGetTitle(0);

  // 1. The disk fills up part of the way through (a file-size limit binds
  //    root as well; SIGXFSZ ignored so the write reports EFBIG).
  {
    rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto* previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 200;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    messages_.clear();
    const int64_t result = SaveProjectWithPrompt(0);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(result, 0);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, WriteFailed(path));
    EXPECT_EQ(Slurp(path), old);
  }
  // 2. A full device (written in place, never renamed over), and 3. a folder
  //    that is a regular file; root cannot get past either.
  messages_.clear();
  EXPECT_EQ(WriteProjectFile("/dev/full"), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, WriteFailed("/dev/full"));
  EXPECT_NE(messages_[0].flags & kMessageIconError, 0);
  Put(Path("plain"), "x");
  messages_.clear();
  dialogAnswer_ = Path("plain") + "/p.tdw";
  EXPECT_EQ(SaveProjectWithPrompt(1), 0);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, WriteFailed(dialogAnswer_));
  struct stat st {};
  ASSERT_EQ(::stat("/dev/full", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  // 4. A read-only folder (root writes there anyway).
  if (::geteuid() != 0) {
    ASSERT_EQ(::chmod(dir_.c_str(), 0500), 0);
    messages_.clear();
    EXPECT_EQ(SaveProjectWithPrompt(0), 0);
    ::chmod(dir_.c_str(), 0700);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].text, WriteFailed(path));
  }
  EXPECT_EQ(Slurp(path), old);
  EXPECT_EQ(gProjectPath, path);
  EXPECT_EQ(gProjectModified, 1);
  EXPECT_EQ(WindowGetTitle(0), changedTitle);
}

// The user's own roads to the commands: Ctrl+S, Ctrl+O and the close box of
// the main window, through the window system and the event queue.
TEST_F(ProjectCommandTest, ShortcutsAndCloseBoxReachTheProjectCommands) {
  Start();
  QWidget* window = FindWindow(0)->widget.data();
  ASSERT_NE(window, nullptr);
  window->show();
  ASSERT_TRUE(ActivateAndWaitForFocus(window));

  dialogAnswer_ = Path("keys.tdw");
  QTest::keyClick(window, Qt::Key_S, Qt::ControlModifier);
  PumpEvents();
  ASSERT_EQ(dialogs_.size(), 1u);
  EXPECT_TRUE(dialogs_[0].save);
  EXPECT_EQ(gProjectPath, Path("keys.tdw"));

  dialogAnswer_ = "";  // the open dialog is cancelled
  QTest::keyClick(window, Qt::Key_O, Qt::ControlModifier);
  PumpEvents();
  ASSERT_EQ(dialogs_.size(), 2u);
  EXPECT_FALSE(dialogs_[1].save);

  EditText(16, "14");
  answers_ = {kResultCancel};
  window->close();
  PumpEvents();
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, SaveQuestion());
  EXPECT_EQ(gQuit, 0);
  EXPECT_TRUE(window->isVisible());  // Cancel keeps the window open

  answers_ = {kResultNo};
  window->close();
  PumpEvents();
  EXPECT_EQ(gQuit, 1);
}

TEST_F(ProjectCommandTest, CommandLineFileThatIsMissingEmptyOrAFolderIsIgnoredSilently) {
  Put(Path("empty.tdw"), "");
  for (const std::string& arg : {Path("missing.tdw"), Path("empty.tdw"), dir_}) {
    Start({arg});
    EXPECT_TRUE(messages_.empty()) << arg;
    EXPECT_EQ(gProjectPath, "") << arg;
    EXPECT_EQ(WindowGetTitle(0), "Norvale - " + ByLanguage("new project", "nieuw project") + kTitleTail);
  }
}

}  // namespace
}  // namespace project_test
