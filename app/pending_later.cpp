// PLACEHOLDER for the strength window, the hub-and-keyway window, the material
// tables, help and About, and the export command: each definition goes when
// the real one lands (and its declaration leaves app/pending_later.h).
#include "app/pending_later.h"

#include "app/control_ids.h"
#include "app/globals.h"

std::string gStrengthReportText;

void InitMaterialTable() {}
void InitShaftMaterialTable() {}
void FillMaterialFields(int64_t, int64_t, int64_t, int64_t, int64_t) {}

void BuildStrengthWindow() {}
void BuildHubKeywayWindow() {}
void ShowStrengthWindow() { gStrengthWindowShown = 1; }
void HideStrengthWindow() { gStrengthWindowShown = 0; }
void ShowHubKeywayWindow() { gHubWindowShown = 1; }
void HideHubKeywayWindow() { gHubWindowShown = 0; }
void SyncMaterialCombo(int64_t, int64_t, int64_t, int64_t, int64_t) {}

void ReportUpdateStrength() {}

int64_t OpenHelpFile() { return 0; }
int64_t ShowAboutBox(int64_t, std::string_view, const unsigned char*, const unsigned char*, int64_t) { return 0; }

void ExportToFile(int64_t) {}
