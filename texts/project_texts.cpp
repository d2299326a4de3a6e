#include "texts/project_texts.h"
#include "texts/text_select.h"

namespace texts {
const std::string_view kProjectWriteFailedBefore = NV_TEXT("File '", "Kan '");
const std::string_view kProjectWriteFailedAfter = NV_TEXT("' could not be written.", "' niet schrijven.");
const std::string_view kProjectOpenFailedBefore = NV_TEXT("File '", "Kan '");
const std::string_view kProjectOpenFailedAfter = NV_TEXT("' could not be opened.", "' niet openen.");
const std::string_view kProjectNotAProjectBefore = NV_TEXT("'", "'");
const std::string_view kProjectNotAProjectAfter = NV_TEXT("' is not a Norvale project.", "' is geen Norvale-project.");
const std::string_view kProjectExistsBefore = NV_TEXT("'", "'");
const std::string_view kProjectExistsAfter = NV_TEXT("' already exists. Overwrite?", "' bestaat al. Overschrijven?");
const std::string_view kProjectAskSaveChanges =
    NV_TEXT("The project has been changed. Save changes?", "Het project is gewijzigd. Wijzigingen opslaan?");
const std::string_view kProjectSaveDialogTitle = NV_TEXT("Save project", "Project opslaan");
const std::string_view kProjectOpenDialogTitle = NV_TEXT("Open project", "Project openen");
const std::string_view kProjectSaveFilter = NV_TEXT("Norvale project (*.tdw)|*.tdw", "Norvale-project (*.tdw)|*.tdw");
const std::string_view kProjectOpenFilter =
    NV_TEXT("Norvale project (*.tdw)|*.tdw|All files (*.*)|*.*", "Norvale-project (*.tdw)|*.tdw|Alle bestanden (*.*)|*.*");
const std::string_view kProjectNewProjectName = NV_TEXT("new project", "nieuw project");
const std::string_view kProjectWindowTitlePrefix = NV_TEXT("Norvale - ", "Norvale - ");
const std::string_view kProjectWindowTitleSuffix =
    NV_TEXT("   (ISO 53 / DIN 867 / DIN 3960)", "   (ISO 53 / DIN 867 / DIN 3960)");
const std::string_view kProjectMessageTitle = NV_TEXT("Norvale", "Norvale");
}  // namespace texts
