// System services: screens and DPI, clipboard, command line, files, the shell
// and message boxes, each with the hook a headless test needs.
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

#include <cmath>
#include <filesystem>
#include <system_error>

#include "platform/registry.h"

namespace {
std::vector<std::string> gCommandLine;
std::string gProgramFolderOverride;
ShellOpenHook gShellOpenHook;
MessageResponder gMessageResponder;

std::string StripQuotes(std::string s) {
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return s;
}
}  // namespace

void KeepCommandLine(int argc, char** argv) {
  gCommandLine.clear();
  for (int i = 1; i < argc; ++i) gCommandLine.push_back(StripQuotes(argv[i] != nullptr ? argv[i] : ""));
}

int64_t DesktopsExamine() {
  if (QGuiApplication::instance() == nullptr) return 0;
  return int64_t(QGuiApplication::screens().size());
}

int DesktopGetWidth(int64_t desktop) {
  const auto screens = QGuiApplication::screens();
  if (desktop < 0 || desktop >= screens.size()) return 0;
  return int(std::lround(screens[desktop]->geometry().width() * screens[desktop]->devicePixelRatio()));
}

int DesktopGetHeight(int64_t desktop) {
  const auto screens = QGuiApplication::screens();
  if (desktop < 0 || desktop >= screens.size()) return 0;
  return int(std::lround(screens[desktop]->geometry().height() * screens[desktop]->devicePixelRatio()));
}

double DpiScaleX() {
  QScreen* screen = QGuiApplication::instance() != nullptr ? QGuiApplication::primaryScreen() : nullptr;
  const double scale = screen != nullptr ? screen->devicePixelRatio() : 1.0;
  return scale > 0 ? scale : 1.0;
}

double DpiScaleY() { return DpiScaleX(); }

int DpiUnscaleX(int devicePixels) { return int(std::lround(devicePixels / DpiScaleX())); }
int DpiUnscaleY(int devicePixels) { return int(std::lround(devicePixels / DpiScaleY())); }

void ClipboardSetText(std::string_view text) {
  if (QGuiApplication::instance() == nullptr) return;
  QGuiApplication::clipboard()->setText(ToQString(text));
}

std::string ClipboardGetText() {
  if (QGuiApplication::instance() == nullptr) return {};
  return FromQString(QGuiApplication::clipboard()->text());
}

int64_t CommandLineParameterCount() { return int64_t(gCommandLine.size()); }

std::string CommandLineParameter(int64_t index) {
  if (index < 0 || index >= int64_t(gCommandLine.size())) return {};
  return gCommandLine[std::size_t(index)];
}

void SetCommandLineParameters(const std::vector<std::string>& parameters) {
  gCommandLine.clear();
  for (const std::string& p : parameters) gCommandLine.push_back(StripQuotes(p));
}

int64_t FileSizeOrKind(const std::string& path) {
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (ec || !std::filesystem::exists(status)) return -1;
  if (std::filesystem::is_directory(status)) return -2;
  if (!std::filesystem::is_regular_file(status)) return 0;
  const auto size = std::filesystem::file_size(path, ec);
  return ec ? -1 : int64_t(size);
}

std::string ProgramPath() {
  std::string path;
  if (QCoreApplication::instance() != nullptr) path = FromQString(QCoreApplication::applicationFilePath());
  if (path.empty()) {
    std::error_code ec;
    path = std::filesystem::read_symlink("/proc/self/exe", ec).string();
  }
  if (!gProgramFolderOverride.empty()) {
    const std::size_t slash = path.find_last_of("/\\");
    std::string folder = gProgramFolderOverride;
    if (folder.back() != '/' && folder.back() != '\\') folder += '/';
    path = folder + (slash == std::string::npos ? path : path.substr(slash + 1));
  }
  return path;
}

std::string FilePathFolder(std::string_view path) {
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string CurrentDirectory() {
  std::error_code ec;
  std::string dir = std::filesystem::current_path(ec).string();
  if (ec) return {};
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

void SetProgramFolderOverride(const std::string& folder) { gProgramFolderOverride = folder; }

void SetShellOpenHook(ShellOpenHook hook) { gShellOpenHook = std::move(hook); }

bool OpenWithShell(const std::string& path) {
  if (gShellOpenHook) return gShellOpenHook(path);
  if (QGuiApplication::instance() == nullptr) return false;
  return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(path)));
}

void SetMessageResponder(MessageResponder responder) { gMessageResponder = std::move(responder); }

int64_t MessageDialog(std::string_view title, std::string_view text, int64_t flags) {
  const int64_t buttons = flags & 0xF;
  if (gMessageResponder) return gMessageResponder(std::string(title), std::string(text), flags);
  if (QApplication::instance() == nullptr) return buttons == kMessageOk ? kResultOk : kResultCancel;
  QMessageBox box;
  box.setWindowTitle(ToQString(title));
  box.setText(ToQString(text));
  if (flags & kMessageIconError) box.setIcon(QMessageBox::Critical);
  else if (flags & kMessageIconWarning) box.setIcon(QMessageBox::Warning);
  else if (flags & kMessageIconQuestion) box.setIcon(QMessageBox::Question);
  else if (flags & kMessageIconInfo) box.setIcon(QMessageBox::Information);
  if (buttons == kMessageYesNoCancel) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
  } else if (buttons == kMessageYesNo) {
    box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
  } else {
    box.setStandardButtons(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
  }
  const int answer = box.exec();
  switch (answer) {
    case QMessageBox::Yes: return kResultYes;
    case QMessageBox::No: return kResultNo;
    case QMessageBox::Ok: return kResultOk;
    default: return buttons == kMessageYesNo ? kResultNo : (buttons == kMessageOk ? kResultOk : kResultCancel);
  }
}

void ShutdownSystem() {}
