// Start-up, the event loop and shut-down of the program.
#include "app/main_program.h"

#include "app/about_picture.h"
#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/help_about.h"
#include "app/hub_keyway_window.h"
#include "app/material_tables.h"
#include "app/strength_window.h"
#include "app/project_file.h"
#include "app/search_commands.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "platform/gui.h"
#include "texts/language.h"
#include "texts/main_window_texts.h"

bool AppStartup(int argc, char** argv) {
  // 1-3: every global to its initial value, then the platform layer.
  ResetGlobals();
  if (!PlatformStart(argc, argv)) return false;

  // 4: windows, tables, project bindings, the first search.
  BuildMainWindow();
  InitMaterialTable();
  InitShaftMaterialTable();
  BuildStrengthWindow();
  BuildHubKeywayWindow();
  RegisterProjectFields();
  SearchPairCombinations();

  // 5: a finished pair on screen when the defaults give one.
  if (!gPairSearchResults.empty()) {
    GadgetSetState(kListPairResults, 0);
    SelectPairRow(0);
  } else {
    RedrawView();
  }

  // 6-7: the title, then a project named on the command line. A missing file,
  // a folder or an empty file is ignored without a message.
  UpdateWindowTitle();
  if (CommandLineParameterCount() >= 1) {
    const std::string path = CommandLineParameter(0);
    if (FileSizeOrKind(path) >= 1) ReadProjectFile(path);
  }
  return true;
}

void DispatchEvent(int64_t kind) {
  switch (kind) {
    case kEventControl: HandleControlEvent(EventObject(), EventSubtype()); break;
    case kEventMenu: HandleMenuEvent(EventObject()); break;
    case kEventTimer: HandleTimerEvent(EventObject()); break;
    case kEventCloseWindow: HandleCloseEvent(EventWindow()); break;
    default: break;
  }
}

void RunEventLoop() {
  do {
    DispatchEvent(EventWait());
  } while (gQuit == 0);
}

int64_t PumpEvents() {
  int64_t count = 0;
  for (int64_t kind = EventPoll(); kind != kEventNone; kind = EventPoll()) {
    DispatchEvent(kind);
    ++count;
    if (gQuit != 0) break;
  }
  return count;
}

void EndProgram() { PlatformEnd(); }

int MainProgram(int argc, char** argv) {
  if (!AppStartup(argc, argv)) return 1;
  RunEventLoop();
  EndProgram();
  return 0;
}

void HandleMenuEvent(int64_t item) {
  switch (item) {
    case kMenuItemOpen: OpenProjectWithPrompt(); break;
    case kMenuItemSave: SaveProjectWithPrompt(0); break;
    case kMenuItemHelp: OpenHelpFile(); break;
    case kMenuItemAbout:
      ShowAboutBox(kWindowMain, texts::kVersionText, kAboutPicturePng, kAboutPicturePng + kAboutPicturePngSize,
                   texts::kLanguageNumber);
      break;
    default: break;
  }
}
