// PLACEHOLDER for the material tables, the strength window and its report:
// removed when they land.
#include "app/globals.h"
#include "app/material_tables.h"
#include "app/strength_report_update.h"
#include "app/strength_window.h"

std::string gStrengthReportText;

void InitMaterialTable() {}
void InitShaftMaterialTable() {}
void FillMaterialFields(int64_t, int64_t, int64_t, int64_t, int64_t) {}

void BuildStrengthWindow() {}
void ShowStrengthWindow() { gStrengthWindowShown = 1; }
void HideStrengthWindow() { gStrengthWindowShown = 0; }
void SyncMaterialCombo(int64_t, int64_t, int64_t, int64_t, int64_t) {}

void ReportUpdateStrength() {}
