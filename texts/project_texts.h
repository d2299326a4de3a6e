// Texts of the project files: messages, dialog titles, filters and the window title.
#pragma once

#include <string_view>

namespace texts {
// "File '" + path + "' could not be written."
extern const std::string_view kProjectWriteFailedBefore;
extern const std::string_view kProjectWriteFailedAfter;
// "File '" + path + "' could not be opened."
extern const std::string_view kProjectOpenFailedBefore;
extern const std::string_view kProjectOpenFailedAfter;
// "'" + file name + "' is not a Norvale project."
extern const std::string_view kProjectNotAProjectBefore;
extern const std::string_view kProjectNotAProjectAfter;
// "'" + file name + "' already exists. Overwrite?"
extern const std::string_view kProjectExistsBefore;
extern const std::string_view kProjectExistsAfter;
extern const std::string_view kProjectAskSaveChanges;
extern const std::string_view kProjectSaveDialogTitle;
extern const std::string_view kProjectOpenDialogTitle;
extern const std::string_view kProjectSaveFilter;
extern const std::string_view kProjectOpenFilter;
extern const std::string_view kProjectNewProjectName;
extern const std::string_view kProjectWindowTitlePrefix;
extern const std::string_view kProjectWindowTitleSuffix;
extern const std::string_view kProjectMessageTitle;
}  // namespace texts
