// Shared fixture of the project-file tests: a started program, answered dialogs, a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_program.h"
#include "app/project_file.h"
#include "platform/file_dialogs.h"
#include "platform/gui.h"

namespace project_test {

// "English text" in the English test program, "Dutch text" in the Dutch one.
inline std::string ByLanguage(const std::string& english, const std::string& dutch) {
  return NORVALE_TEST_LANG == 1 ? dutch : english;
}

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void Put(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

struct Message {
  std::string title;
  std::string text;
  int64_t flags;
};

struct DialogCall {
  bool save;
  std::string title;
  std::string defaultPath;
  std::string filter;
};

// The value of every control a project holds, to compare before and after.
struct ControlSnapshot {
  std::vector<std::string> values;
  bool operator==(const ControlSnapshot&) const = default;
};

inline ControlSnapshot TakeSnapshot() {
  ControlSnapshot s;
  for (const ProjectField& f : gProjectFieldList) {
    s.values.push_back(std::to_string(f.gadget) + "=" +
                       (f.kind == kProjectFieldState ? std::to_string(GadgetGetState(f.gadget)) : GadgetGetText(f.gadget)));
  }
  s.values.push_back("14=" + GadgetGetText(14));
  s.values.push_back("67=" + GadgetGetText(67));
  s.values.push_back("tab=" + std::to_string(GadgetGetState(0)));
  return s;
}

class ProjectFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/norvale_project_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
    SetMessageResponder([this](const std::string& title, const std::string& text, int64_t flags) {
      messages_.push_back({title, text, flags});
      if (answers_.empty()) return (flags & 3) == kMessageOk ? kResultOk : kResultCancel;
      const int64_t a = answers_.front();
      answers_.pop_front();
      return a;
    });
    SetFileDialogResponder(
        [this](bool save, const std::string& title, const std::string& defaultPath, const std::string& filter) {
          dialogs_.push_back({save, title, defaultPath, filter});
          return dialogAnswer_;
        });
  }

  void TearDown() override {
    if (started_) EndProgram();
    SetMessageResponder(nullptr);
    SetFileDialogResponder(nullptr);
    std::system(("rm -rf '" + dir_ + "'").c_str());
  }

  // Starts the program with the given command-line arguments.
  void Start(const std::vector<std::string>& args = {}) {
    if (started_) EndProgram();
    std::vector<std::string> words = {"norvale"};
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);
    ASSERT_TRUE(AppStartup(static_cast<int>(words.size()), argv.data()));
    started_ = true;
    PumpEvents();
  }

  // A user's edit of a text control: the new text, then its change event.
  void EditText(int64_t control, const std::string& text) {
    GadgetSetText(control, text);
    HandleControlEvent(control, kSubChanged);
  }
  // A user's choice in a combo box, check box, track bar, list or tab panel.
  void ChooseState(int64_t control, int64_t state) {
    GadgetSetState(control, state);
    HandleControlEvent(control, kSubChanged);
  }

  std::string Path(const std::string& name) const { return dir_ + "/" + name; }

  std::string dir_;
  bool started_ = false;
  std::vector<Message> messages_;
  std::deque<int64_t> answers_;  // answers of the next message boxes, in order
  std::vector<DialogCall> dialogs_;
  std::string dialogAnswer_;  // what the file dialogs return ("" = cancelled)
};

}  // namespace project_test
