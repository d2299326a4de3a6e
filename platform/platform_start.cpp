// Starting and shutting down the platform layer.
#include <QApplication>

#include <clocale>

#include "platform/canvas_recording.h"
#include "platform/qt_translations.h"
#include "platform/registry.h"
#include "texts/language.h"

void KeepCommandLine(int argc, char** argv);

namespace {
// The application object, when this layer made it (a test makes its own).
std::unique_ptr<QApplication> gOwnApplication;
// QApplication keeps references to argc and argv for its whole life.
int gArgc = 0;
std::vector<std::string> gArgStorage;
std::vector<char*> gArgv;
bool gRunning = false;
}  // namespace

bool PlatformStart(int argc, char** argv) {
  if (gRunning) return true;
  TextHeapCreate();
  if (QApplication::instance() == nullptr) {
    gArgStorage.clear();
    for (int i = 0; i < argc; ++i) gArgStorage.emplace_back(argv[i] != nullptr ? argv[i] : "");
    if (gArgStorage.empty()) gArgStorage.emplace_back("norvale");
    gArgv.clear();
    for (std::string& s : gArgStorage) gArgv.push_back(s.data());
    gArgv.push_back(nullptr);
    gArgc = int(gArgStorage.size());
    gOwnApplication = std::make_unique<QApplication>(gArgc, gArgv.data());
  }
  // Qt sets the locale from the environment on Unix; numbers are always read
  // and written with "." whatever the user's regional settings.
  std::setlocale(LC_NUMERIC, "C");
  // Message boxes, file dialogs and context menus speak the program's language.
  InstallQtTranslations(texts::kLanguageNumber, QtCatalogueFolder());
  QApplication::setQuitOnLastWindowClosed(false);
  KeepCommandLine(argc, argv);
  PlatformState& p = Platform();
  p.nextFreeNumber = 1000;
  gRunning = true;
  return true;
}

bool PlatformIsRunning() { return gRunning; }

void PlatformEnd() {
  if (!gRunning) return;
  // Controls, windows, events, screens, images, the drawing bands, fonts;
  // the text heap last.
  ShutdownControls();
  ShutdownWindows();
  ShutdownEvents();
  ShutdownSystem();
  ShutdownImages();
  ShutdownRecording();
  ShutdownFonts();
  RemoveQtTranslations();
  gOwnApplication.reset();
  TextHeapDestroy();
  gRunning = false;
}
