// Procedures of the strength window, the hub-and-keyway window, the material
// tables, help and About, and the export command, as the dispatch calls them.
// PLACEHOLDER until those land: each one's header replaces its lines here and
// app/pending_later.cpp loses the matching definitions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Material tables.
void InitMaterialTable();
void InitShaftMaterialTable();
void FillMaterialFields(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                        int64_t fieldNu);

// Strength window and hub-and-keyway window.
void BuildStrengthWindow();
void BuildHubKeywayWindow();
void ShowStrengthWindow();
void HideStrengthWindow();
void ShowHubKeywayWindow();
void HideHubKeywayWindow();
void SyncMaterialCombo(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                       int64_t fieldNu);

// Strength report.
extern std::string gStrengthReportText;  // the last strength copy text, empty when none
void ReportUpdateStrength();

// Help and About.
int64_t OpenHelpFile();
int64_t ShowAboutBox(int64_t parentWindow, std::string_view version, const unsigned char* pictureStart,
                     const unsigned char* pictureEnd, int64_t language);

// Export command: 0 DXF, 1 STEP, 2 STL.
void ExportToFile(int64_t kind);
