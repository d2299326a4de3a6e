// Modal file dialogs for opening and saving, with a test hook that answers in their place.
#pragma once

#include <functional>
#include <string>
#include <string_view>

// Filters are pairs "description|pattern" joined by "|", e.g.
// "Norvale project (*.tdw)|*.tdw|All files (*.*)|*.*"; a pattern may list
// several globs separated by ";". selectedFilter is the index of the pair
// shown first.

// The open dialog: the chosen existing file's full path, or "" when cancelled.
std::string OpenFileRequester(std::string_view title, std::string_view defaultPath, std::string_view filter,
                              int selectedFilter);

// The save dialog: the chosen full path, or "" when cancelled. It asks no
// overwrite question of its own (the caller asks); a name typed without an
// extension gets that of the selected pattern ("*.tdw" gives ".tdw").
std::string SaveFileRequester(std::string_view title, std::string_view defaultPath, std::string_view filter,
                              int selectedFilter);

// Converts a "description|pattern|..." filter to the dialog's own form
// "description (pattern);;...". A pattern "*.*" becomes "*" so that names
// without a dot are listed too.
std::string ConvertFileFilter(std::string_view filter);

// Test hook: when set, both dialogs call it in their place. save is true for
// the save dialog; the result is the chosen path ("" = cancelled).
using FileDialogResponder = std::function<std::string(bool save, const std::string& title,
                                                      const std::string& defaultPath, const std::string& filter)>;
void SetFileDialogResponder(FileDialogResponder responder);
