// Project files: the bindings of controls to groups and keys, saving, loading,
// the changed flag and the window title that shows it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/project_field.h"

// ProjectField::kind.
enum ProjectFieldKind : int64_t {
  kProjectFieldText = 0,   // the control's text
  kProjectFieldState = 1,  // the control's integer state (combo item, check box, track bar)
};

// The file's extension and the save dialog's default name (both languages).
inline constexpr std::string_view kProjectExtension = ".tdw";
inline constexpr std::string_view kProjectDefaultName = "norvale.tdw";

// Appends one binding to gProjectFieldList and enters its control into
// gProjectFieldMap.
void RegisterProjectField(std::string_view section, std::string_view key, int64_t gadget, int64_t kind);
// Fills gProjectFieldList with the 93 bindings in file order, and
// gProjectFieldMap with their controls plus the two x1 fields 14 and 67.
void RegisterProjectFields();

// Writes the project to path, replacing an old file only once the new one is
// complete. 1 written (path stored, changed flag cleared), 0 failed (message
// shown; old file, path and flag untouched).
int64_t WriteProjectFile(const std::string& path);
// Loads the project at path into the controls and recomputes. 1 loaded, 0
// failed (message shown, nothing changed).
int64_t ReadProjectFile(const std::string& path);
// Save (saveAs 0: to the current path when there is one) or save as (1).
// 1 saved, 0 cancelled or failed.
int64_t SaveProjectWithPrompt(int64_t saveAs);
// Asks to save changes, then lets the user choose a project and loads it.
// 1 loaded, 0 otherwise.
int64_t OpenProjectWithPrompt();
// 1 = the caller may go on (nothing changed, changes saved or discarded),
// 0 = cancelled (or the save failed).
int64_t AskSaveChanges();
// Sets the changed flag and shows it in the title (once).
void MarkProjectModified();
// "Norvale - " + file name (or "new project") + " *" when changed + the standards.
void UpdateWindowTitle();

// The bytes of the project file for the current controls and chosen rows.
std::string BuildProjectFileText();
// The file-name part of a path: after the last "/" or "\", extension kept.
std::string ProjectFileNamePart(std::string_view path);
