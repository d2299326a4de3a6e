// The help file and the About box.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Finds the user guide (help_en.html / help_nl.html) in the program's folder,
// then in the fixed build-time folder, then in the current directory, and
// opens the first non-empty copy with the system's viewer. Returns 0 when it
// was opened, else the result of the warning message that names the file.
int64_t OpenHelpFile();

// Shows the modal About box over parentWindow: the picture decoded from the
// PNG block [pictureStart, pictureEnd) (none when the block is empty or not a
// readable PNG), the version text and a "Close" button; texts by language
// number (0 English, any other Dutch). Returns 0 when the box has closed.
int64_t ShowAboutBox(int64_t parentWindow, std::string_view version, const unsigned char* pictureStart,
                     const unsigned char* pictureEnd, int64_t language);

// The fixed folder of the build machine that OpenHelpFile searches second
// (with a trailing separator; empty skips it). Set from the build; a test may
// change it.
extern std::string gHelpFileBuildFolder;

// The candidate folders of the help file, in search order; each ends with a
// path separator or is empty (skipped).
std::vector<std::string> BuildHelpCandidateFolders();

// The first folder + name that exists as a file of at least one byte; empty
// folders are skipped. "" when there is none.
std::string FindHelpFile(const std::vector<std::string>& folders, std::string_view name);

// The numbers of the open About box and its parts (-1 when there is none),
// for the box's own loop and for tests that look at it while it is open.
struct AboutBoxState {
  int64_t window = -1;
  int64_t picture = -1;       // decoded image
  int64_t imageControl = -1;  // only with a picture
  int64_t versionText = -1;
  int64_t toolchainText = -1;
  int64_t closeButton = -1;
  int64_t titleFont = -1;     // "Segoe UI" 12 pt bold, -1 when it could not be loaded
};
extern AboutBoxState gAboutBox;

// The toolchain line of the About box: compiler name and version with the
// platform in parentheses, e.g. "GCC 12.2.0 (Linux x86-64)".
std::string ComposeToolchainText();
