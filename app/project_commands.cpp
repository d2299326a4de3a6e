// The project commands: save and open with their dialogs and questions, the changed flag and the title.
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/project_file.h"
#include "platform/file_dialogs.h"
#include "platform/gui.h"
#include "texts/project_texts.h"

namespace {

// Whether the file-name part of a path has an extension (text after a ".").
bool HasExtension(std::string_view path) {
  const std::string name = ProjectFileNamePart(path);
  const std::size_t dot = name.find_last_of('.');
  return dot != std::string::npos && dot + 1 < name.size();
}

}  // namespace

int64_t SaveProjectWithPrompt(int64_t saveAs) {
  std::string path = gProjectPath;
  const std::string defaultName = gProjectPath.empty() ? std::string(kProjectDefaultName) : gProjectPath;
  if (path.empty() || saveAs == 1) {
    path = SaveFileRequester(texts::kProjectSaveDialogTitle, defaultName, texts::kProjectSaveFilter, 0);
    if (path.empty()) return 0;
    if (!HasExtension(path)) {
      // "name." has no extension either: it becomes "name.tdw", not "name..tdw".
      if (path.back() == '.') path.pop_back();
      path += kProjectExtension;
    }
    if (FileSizeOrKind(path) != -1 && path != gProjectPath) {
      const std::string question = std::string(texts::kProjectExistsBefore) + ProjectFileNamePart(path) +
                                   std::string(texts::kProjectExistsAfter);
      if (MessageDialog(texts::kProjectMessageTitle, question, kMessageYesNo) != kResultYes) return 0;
    }
  }
  return WriteProjectFile(path);
}

int64_t OpenProjectWithPrompt() {
  if (AskSaveChanges() == 0) return 0;
  const std::string path = OpenFileRequester(texts::kProjectOpenDialogTitle, gProjectPath, texts::kProjectOpenFilter, 0);
  if (path.empty()) return 0;
  return ReadProjectFile(path);
}

int64_t AskSaveChanges() {
  if (gProjectModified == 0) return 1;
  const int64_t answer =
      MessageDialog(texts::kProjectMessageTitle, texts::kProjectAskSaveChanges, kMessageYesNoCancel);
  if (answer == kResultYes) return SaveProjectWithPrompt(0);
  if (answer == kResultNo) return 1;
  return 0;
}

void MarkProjectModified() {
  if (gProjectModified != 0) return;
  gProjectModified = 1;
  UpdateWindowTitle();
}

void UpdateWindowTitle() {
  std::string title(texts::kProjectWindowTitlePrefix);
  title += gProjectPath.empty() ? std::string(texts::kProjectNewProjectName) : ProjectFileNamePart(gProjectPath);
  if (gProjectModified != 0) title += " *";
  title += texts::kProjectWindowTitleSuffix;
  WindowSetTitle(kWindowMain, title);
}
