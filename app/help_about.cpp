// The Help menu's two services: opening the HTML user guide and the About box.
#include "app/help_about.h"

#include <filesystem>
#include <functional>
#include <system_error>

#include "platform/gui.h"
#include "texts/help_about_texts.h"

#ifndef NORVALE_HELP_FOLDER
#define NORVALE_HELP_FOLDER ""
#endif

std::string gHelpFileBuildFolder = NORVALE_HELP_FOLDER;
AboutBoxState gAboutBox;

namespace {

// Layout of the About box in logical pixels. It is the one window with fixed
// positions: a 256 px picture on the left, the texts in a column at x 290.
constexpr int kAboutWidth = 600;
constexpr int kAboutHeight = 300;
constexpr int kPictureX = 16;
constexpr int kPictureY = 16;
constexpr int kPictureSize = 256;
constexpr int kTextX = 290;
constexpr int kTextWidth = 300;
constexpr int kVersionY = 24;
constexpr int kVersionHeight = 46;
constexpr int kLineHeight = 20;
constexpr int kMakerY = 80;
constexpr int kCredit1Y = 120;
constexpr int kCredit2Y = 142;
constexpr int kCreatedUsingY = 182;
constexpr int kToolchainY = 204;
constexpr int kCloseX = 490;
constexpr int kCloseY = 256;
constexpr int kCloseWidth = 94;
constexpr int kCloseHeight = 28;
constexpr double kTitlePointSize = 12.0;
// Escape and Return raise this menu event on the About window.
constexpr int64_t kAboutMenuClose = 1;

// A folder with a trailing separator ("" stays "").
std::string WithTrailingSeparator(std::string folder) {
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  return folder;
}

// Frees what the About box holds and forgets its numbers.
void ReleaseAboutBox() {
  if (gAboutBox.window >= 0) WindowClose(gAboutBox.window);
  if (gAboutBox.picture >= 0) ImageFree(gAboutBox.picture);
  if (gAboutBox.titleFont >= 0) FontFree(gAboutBox.titleFont);
  gAboutBox = AboutBoxState{};
}

}  // namespace

std::vector<std::string> BuildHelpCandidateFolders() {
  return {FilePathFolder(ProgramPath()), WithTrailingSeparator(gHelpFileBuildFolder),
          WithTrailingSeparator(CurrentDirectory())};
}

std::string FindHelpFile(const std::vector<std::string>& folders, std::string_view name) {
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    std::string path = folder;
    path += name;
    // A missing file gives -1, a folder -2; an empty file counts as missing.
    if (FileSizeOrKind(path) >= 1) return path;
  }
  return {};
}

int64_t OpenHelpFile() {
  const std::string path = FindHelpFile(BuildHelpCandidateFolders(), texts::kHelpFileName);
  if (!path.empty()) {
    if (OpenWithShell(path)) return 0;
    // A desktop with no program for HTML refuses quietly: say where the guide
    // lies, so the user can open it another way.
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path, error);
    std::string message(texts::kHelpNotOpenedStart);
    message += error ? path : full.lexically_normal().string();
    return MessageDialog(texts::kHelpMessageTitle, message, kMessageOk | kMessageIconWarning);
  }
  std::string message(texts::kHelpNotFoundStart);
  message += texts::kHelpFileName;
  message += texts::kHelpNotFoundEnd;
  return MessageDialog(texts::kHelpMessageTitle, message, kMessageOk | kMessageIconWarning);
}

std::string ComposeToolchainText() {
  std::string text;
#if defined(__clang__)
  text = "Clang " + std::to_string(__clang_major__) + "." + std::to_string(__clang_minor__) + "." +
         std::to_string(__clang_patchlevel__);
#elif defined(__GNUC__)
  text = "GCC " + std::to_string(__GNUC__) + "." + std::to_string(__GNUC_MINOR__) + "." +
         std::to_string(__GNUC_PATCHLEVEL__);
#elif defined(_MSC_VER)
  text = "MSVC " + std::to_string(_MSC_VER);
#else
  text = "C++ compiler";
#endif
#if defined(_WIN32)
  const char* system = "Windows";
#elif defined(__APPLE__)
  const char* system = "macOS";
#elif defined(__linux__)
  const char* system = "Linux";
#else
  const char* system = "unknown system";
#endif
#if defined(__x86_64__) || defined(_M_X64)
  const char* machine = "x86-64";
#elif defined(__aarch64__) || defined(_M_ARM64)
  const char* machine = "ARM64";
#elif defined(__i386__) || defined(_M_IX86)
  const char* machine = "x86";
#else
  const char* machine = "";
#endif
  text += " (";
  text += system;
  if (machine[0] != '\0') {
    text += ' ';
    text += machine;
  }
  text += ")";
  return text;
}

int64_t ShowAboutBox(int64_t parentWindow, std::string_view version, const unsigned char* pictureStart,
                     const unsigned char* pictureEnd, int64_t language) {
  // 1. Texts by language number; the version text as our own copy.
  const int lang = language == 0 ? 0 : 1;
  const std::string versionText(version);

  // A box left over from an earlier call (none in normal use) goes first.
  ReleaseAboutBox();

  // 2. The picture, decoded afresh at every opening; a failure leaves none.
  PngDecoderRegister();
  if (pictureStart != nullptr && pictureEnd != nullptr && std::less<const unsigned char*>()(pictureStart, pictureEnd)) {
    gAboutBox.picture = ImageCatch(kAnyNumber, pictureStart, pictureEnd);
  }

  // 3. The window, owned by and centred on the parent, not resizable.
  gAboutBox.window = WindowOpen(kAnyNumber, 0, 0, kAboutWidth, kAboutHeight, texts::kAboutTitle[lang],
                                kWindowTitleBar | kWindowSystemMenu | kWindowParentCentered | kWindowModal,
                                parentWindow);
  if (gAboutBox.window < 0) {
    gAboutBox.window = -1;
    ReleaseAboutBox();
    return 0;
  }
  const int64_t window = gAboutBox.window;

  // 4. Controls.
  if (gAboutBox.picture >= 0) {
    gAboutBox.imageControl =
        CreateImageControl(kAnyNumber, kPictureX, kPictureY, kPictureSize, kPictureSize, gAboutBox.picture);
  }
  gAboutBox.versionText = CreateTextControl(kAnyNumber, kTextX, kVersionY, kTextWidth, kVersionHeight, versionText);
  gAboutBox.titleFont = FontLoadFull("Segoe UI", kTitlePointSize, /*bold=*/true);
  if (gAboutBox.titleFont >= 0) GadgetSetFont(gAboutBox.versionText, gAboutBox.titleFont);
  CreateTextControl(kAnyNumber, kTextX, kMakerY, kTextWidth, kLineHeight, texts::kAboutMakerLine[lang]);
  CreateTextControl(kAnyNumber, kTextX, kCredit1Y, kTextWidth, kLineHeight, texts::kAboutCreditLine1[lang]);
  CreateTextControl(kAnyNumber, kTextX, kCredit2Y, kTextWidth, kLineHeight, texts::kAboutCreditLine2[lang]);
  CreateTextControl(kAnyNumber, kTextX, kCreatedUsingY, kTextWidth, kLineHeight, texts::kAboutCreatedUsing[lang]);
  gAboutBox.toolchainText =
      CreateTextControl(kAnyNumber, kTextX, kToolchainY, kTextWidth, kLineHeight, ComposeToolchainText());
  gAboutBox.closeButton = CreateButtonControlFull(kAnyNumber, kCloseX, kCloseY, kCloseWidth, kCloseHeight,
                                                  texts::kAboutClose[lang], kButtonDefault);

  // 5. Escape and Return close the box.
  WindowAddShortcut(window, kKeyEscape, kAboutMenuClose);
  WindowAddShortcut(window, kKeyReturn, kAboutMenuClose);

  // 6. The parent takes no input while the box is open; the keys go to the box.
  WindowDisable(parentWindow, true);
  WindowActivate(window);

  // 7. The box's own loop. Events of every other window are read and dropped:
  // the main loop does not run, so the animation stands still and input to
  // the other windows is lost. The loop also ends should the window vanish.
  for (;;) {
    const int64_t kind = EventWait();
    if (!WindowExists(window)) break;
    if (EventWindow() != window) continue;
    if (kind == kEventCloseWindow || kind == kEventMenu) break;
    if (kind == kEventControl && EventObject() == gAboutBox.closeButton) break;
  }

  // 8. Back to the parent.
  WindowDisable(parentWindow, false);
  ReleaseAboutBox();
  WindowActivate(parentWindow);
  return 0;
}
