// PLACEHOLDER until the project files land: delete this file with
// app/pending_project.h and texts/pending_texts.*. The changed flag and the
// save question work; saving and loading do nothing yet.
#include "app/pending_project.h"

#include "app/globals.h"
#include "platform/gui.h"
#include "texts/pending_texts.h"

void RegisterProjectFields() {}

void UpdateWindowTitle() {}

int64_t ReadProjectFile(const std::string&) { return 0; }

int64_t OpenProjectWithPrompt() { return 0; }

int64_t SaveProjectWithPrompt(int64_t) { return 0; }

int64_t AskSaveChanges() {
  if (gProjectModified == 0) return 1;
  const int64_t answer = MessageDialog(texts::kPendingMessageTitle, texts::kPendingAskSaveChanges,
                                       kMessageYesNoCancel | kMessageIconQuestion);
  if (answer == kResultYes) return SaveProjectWithPrompt(0);
  if (answer == kResultNo) return 1;
  return 0;
}

void MarkProjectModified() {
  if (gProjectModified != 0) return;
  gProjectModified = 1;
  UpdateWindowTitle();
}
