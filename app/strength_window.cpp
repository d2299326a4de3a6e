// Window 1, the strength window: its controls and layout, the size callback,
// showing and hiding it, and the material combo that follows typed values.
//
// The left column holds the inputs at positions derived from the main window's
// layout metrics; the right column holds the verdict line and the report
// editor, which grow with the window.
#include "app/strength_window.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/material_tables.h"
#include "app/strength_report_update.h"
#include "app/view_redraw.h"
#include "design/field_reading.h"
#include "geometry/tolerances.h"
#include "platform/gui.h"
#include "texts/main_window_texts.h"
#include "texts/strength_window_texts.h"

namespace {

// Initial states of the combo boxes.
constexpr int64_t kAccuracyFirstGrade = 5;
constexpr int64_t kAccuracyGradeCount = 6;   // grades 5 to 10
constexpr int64_t kAccuracyInitialItem = 2;  // grade 7
constexpr int64_t kApplicationFactorInitialItem = 1;  // 1.25 light shocks
constexpr int64_t kShaftMaterialInitialItem = 2;      // C45: 40 and 490 N/mm^2
constexpr int64_t kGearMaterialInitialItem = 3;       // 42CrMo4 quenched and tempered

// Width of the full-width rows of the left column, all starting at x 10.
int FullRowWidth() { return gFieldX + gFieldWidth - 10; }
int RightHalfX() { return gFieldX + gFieldWidth - gHalfFieldWidth; }

// Right edge of the left column: the fields' edge, or further right where a
// control had to grow to show its texts.
int gStrengthLeftColumnRight = 0;

// WidenToFit, keeping the left column's right edge up to date.
void WidenLeftControl(int64_t control) {
  gStrengthLeftColumnRight = std::max(gStrengthLeftColumnRight, WidenToFit(control));
}

// x of the right column (verdict and report), 10 px right of the left column.
int RightColumnX() { return std::max(gFieldX + gFieldWidth, gStrengthLeftColumnRight) + 10; }

void CreateFullEntry(int64_t control, int y, std::string_view label, std::string_view text) {
  AddFieldLabel(y, label);
  CreateTextEntryControl(control, gFieldX, y, gFieldWidth, gFieldHeight, text);
}

// Two entries side by side under one label.
void CreateHalfEntries(int64_t left, int64_t right, int y, std::string_view label, std::string_view leftText,
                       std::string_view rightText) {
  AddFieldLabel(y, label);
  CreateTextEntryControl(left, gFieldX, y, gHalfFieldWidth, gFieldHeight, leftText);
  CreateTextEntryControl(right, RightHalfX(), y, gHalfFieldWidth, gFieldHeight, rightText);
}

void CreateFullCombo(int64_t control, int y, std::string_view label) {
  AddFieldLabel(y, label);
  CreateComboBoxControl(control, gFieldX, y, gFieldWidth, gFieldHeight);
}

// Fills a combo box with its items, chooses one and gives it room for the widest.
template <std::size_t N>
void FillCombo(int64_t control, const std::string_view (&items)[N], int64_t chosen) {
  for (std::string_view item : items) GadgetAddItem(control, -1, item);
  GadgetSetState(control, chosen);
  WidenLeftControl(control);
}

// Load kind, load value, speed, KA, service life, accuracy, finish,
// lubrication and the minimum safety factors.
void BuildLoadRows() {
  const int c = FullRowWidth();
  const int r = gRowStep;
  CreateComboBoxControl(kComboLoadKind, 10, 10, c, gFieldHeight);
  GadgetAddItem(kComboLoadKind, -1, texts::kLoadKindPower);
  GadgetAddItem(kComboLoadKind, -1, texts::kLoadKindTorque);
  GadgetSetState(kComboLoadKind, 0);
  WidenLeftControl(kComboLoadKind);

  // The label of the load value has a number: the load kind switches its text.
  CreateTextControl(kTextLoadLabel, 10, r + 10 + (gFieldHeight - gLineHeight) / 2, gFieldX - 12, gLineHeight + 4,
                    texts::kLoadLabelPower);
  CreateTextEntryControl(kFieldLoadValue, gFieldX, r + 10, gFieldWidth, gFieldHeight, "5");

  CreateFullEntry(kFieldSpeed, 2 * r + 10, texts::kLabelSpeed, "1500");
  GadgetSetToolTip(kFieldSpeed, texts::kSpeedTip);

  const int yKa = 3 * r + 10;
  AddFieldLabel(yKa, texts::kLabelApplicationFactor);
  CreateComboBoxControlFull(kComboApplicationFactor, gFieldX, yKa, gFieldWidth, gFieldHeight, kComboEditable);
  for (std::string_view item : texts::kApplicationFactorItems) GadgetAddItem(kComboApplicationFactor, -1, item);
  GadgetSetText(kComboApplicationFactor, texts::kApplicationFactorItems[kApplicationFactorInitialItem]);
  WidenLeftControl(kComboApplicationFactor);

  CreateFullEntry(kFieldServiceLife, 4 * r + 10, texts::kLabelServiceLife, "20000");

  CreateFullCombo(kComboAccuracy, 5 * r + 10, texts::kLabelAccuracy);
  for (int64_t i = 0; i < kAccuracyGradeCount; ++i) {
    GadgetAddItem(kComboAccuracy, -1,
                  std::string(texts::kAccuracyGradePrefix) + std::to_string(kAccuracyFirstGrade + i));
  }
  GadgetSetState(kComboAccuracy, kAccuracyInitialItem);
  WidenLeftControl(kComboAccuracy);

  CreateFullCombo(kComboFlankFinish, 6 * r + 10, texts::kLabelFlankFinish);
  FillCombo(kComboFlankFinish, texts::kFlankFinishItems, 0);

  CreateFullCombo(kComboLubrication, 7 * r + 10, texts::kLabelLubrication);
  FillCombo(kComboLubrication, texts::kLubricationItems, 0);

  CreateHalfEntries(kFieldMinSafetyH, kFieldMinSafetyF, 8 * r + 10, texts::kLabelMinSafety, "1,0", "1,4");
}

// The shaft and key block; returns y_s, the row of the shaft-material combo.
int BuildShaftRows() {
  const int c = FullRowWidth();
  const int r = gRowStep;
  CreateTextControl(kTextShaftHeading, 10, 9 * r + 16, c, gLineHeight + 4, texts::kShaftHeading);
  const int ys = 9 * r + gLineHeight + 22;
  CreateComboBoxControl(kComboShaftMaterial, 10, ys, c, gFieldHeight);
  for (const ShaftMaterialRow& row : gShaftMaterials) {
    GadgetAddItem(kComboShaftMaterial, -1, std::string(texts::kShaftMaterialPrefix) + row.name);
  }
  GadgetSetState(kComboShaftMaterial, kShaftMaterialInitialItem);
  WidenLeftControl(kComboShaftMaterial);

  CreateHalfEntries(kFieldShaftTauPerm, kFieldShaftYield, ys + r, texts::kLabelShaftStress, "40", "490");
  GadgetSetToolTip(kFieldShaftTauPerm, texts::kShaftTauTip);

  AddFieldLabel(ys + 2 * r, texts::kLabelKeys);
  CreateComboBoxControl(kComboKeyCount, gFieldX, ys + 2 * r, gHalfFieldWidth, gFieldHeight);
  for (std::string_view item : texts::kKeyCountItems) GadgetAddItem(kComboKeyCount, -1, item);
  GadgetSetState(kComboKeyCount, 0);
  CreateTextEntryControl(kFieldKeyLength, RightHalfX(), ys + 2 * r, gHalfFieldWidth, gFieldHeight, "");
  GadgetSetToolTip(kFieldKeyLength, texts::kKeyLengthTip);
  // The key length is a short number: it gives up room to a longer key count.
  WidenBeforeNeighbour(kComboKeyCount, kFieldKeyLength);
  return ys;
}

// One gear's material block: the combo at y and its two rows of values.
void BuildMaterialBlock(int64_t combo, int64_t sigmaH, int64_t sigmaF, int64_t e, int64_t nu, int y) {
  CreateComboBoxControl(combo, 10, y, FullRowWidth(), gFieldHeight);
  for (const MaterialRow& row : gMaterials) GadgetAddItem(combo, -1, row.name);
  GadgetSetState(combo, kGearMaterialInitialItem);
  WidenLeftControl(combo);
  CreateHalfEntries(sigmaH, sigmaF, y + gRowStep, texts::kLabelMaterialLimits, "", "");
  CreateHalfEntries(e, nu, y + 2 * gRowStep, texts::kLabelMaterialElastic, "", "");
}

}  // namespace

void BuildStrengthWindow() {
  const int c = FullRowWidth();
  const int r = gRowStep;
  const int l = gLineHeight;

  // Step 1: the window, owned by the main window, hidden until asked for.
  int w1 = gFieldX + gFieldWidth + 460;
  int h1 = 22 * r + 40;
  WindowOpen(kWindowStrength, 0, 0, w1, h1, texts::kStrengthWindowTitle,
             kWindowTitleBar | kWindowSystemMenu | kWindowSizeable | kWindowParentCentered | kWindowInvisible,
             kWindowMain);

  // Step 2: the left column.
  gStrengthLeftColumnRight = 0;
  BuildLoadRows();
  const int ys = BuildShaftRows();
  const int y1 = ys + 3 * r + 6;
  CreateTextControl(kTextMaterial1Heading, 10, y1, c, l + 4, texts::kMaterial1Heading);
  const int ym1 = y1 + l + 6;
  BuildMaterialBlock(kComboMaterial1, kFieldSigmaHlim1, kFieldSigmaFlim1, kFieldElasticModulus1, kFieldPoisson1, ym1);
  CreateTextControl(kTextMaterial2Heading, 10, ym1 + 3 * r + 6, c, l + 4, texts::kMaterial2Heading);
  const int ym2 = ym1 + 3 * r + l + 12;
  BuildMaterialBlock(kComboMaterial2, kFieldSigmaHlim2, kFieldSigmaFlim2, kFieldElasticModulus2, kFieldPoisson2, ym2);

  // Step 3: the two buttons; with large fonts the window grows to fit them.
  const int yb = ym2 + 3 * r + 10;
  const int bw = (c - 6) / 2;
  CreateButtonControl(kButtonCopyReport, 10, yb, bw, gFieldHeight + 6, texts::kButtonCopyReportText);
  CreateButtonControl(kButtonStrengthClose, c - bw + 10, yb, bw, gFieldHeight + 6, texts::kButtonStrengthCloseText);
  WidenBeforeNeighbour(kButtonCopyReport, kButtonStrengthClose);
  WidenLeftControl(kButtonStrengthClose);
  if (yb + gFieldHeight + 16 > h1) {
    h1 = yb + gFieldHeight + 16;
    WindowResize(kWindowStrength, kKeep, kKeep, kKeep, h1);
  }

  // Step 4: the right column, verdict line over the report editor. Where the
  // left column grew, the right column starts later and the window grows by
  // as much.
  const int wr = w1 - gFieldX - gFieldWidth - 20;
  const int xr = RightColumnX();
  if (xr + wr + 10 > w1) {
    w1 = xr + wr + 10;
    WindowResize(kWindowStrength, kKeep, kKeep, w1, kKeep);
  }
  CreateTextControlFull(kTextVerdict, xr, 10, wr, gFieldHeight + 6, "", kTextCenter | kTextBorder);
  CreateEditorControl(kEditorStrengthReport, xr, gFieldHeight + 22, wr, h1 - gFieldHeight - 32, kEditorReadOnly);
  GadgetSetFont(kEditorStrengthReport, gReportFont);

  // Step 5: the value fields show the preset materials.
  FillMaterialFields(kComboMaterial1, kFieldSigmaHlim1, kFieldSigmaFlim1, kFieldElasticModulus1, kFieldPoisson1);
  FillMaterialFields(kComboMaterial2, kFieldSigmaHlim2, kFieldSigmaFlim2, kFieldElasticModulus2, kFieldPoisson2);

  // Step 6: never smaller than built; F1 opens the user guide; re-layout on size.
  WindowSetSizeLimits(kWindowStrength, w1, h1, kNoLimit, kNoLimit);
  WindowAddShortcut(kWindowStrength, kKeyF1, kMenuItemHelp);
  EventBindCallback(kWindowStrength, kEventSizeWindow, LayoutStrengthWindow);
}

int64_t LayoutStrengthWindow() {
  // The left column never moves; the right column takes the rest of the window.
  const int xr = RightColumnX();
  const int w = WindowGetInnerWidth(kWindowStrength);
  const int h = WindowGetInnerHeight(kWindowStrength);
  GadgetResize(kTextVerdict, kKeep, kKeep, w - xr - 10, kKeep);
  GadgetResize(kEditorStrengthReport, kKeep, kKeep, w - xr - 10, h - GadgetGetY(kEditorStrengthReport) - 10);
  return 0;
}

void ShowStrengthWindow() {
  gStrengthWindowShown = 1;
  WindowSetState(kWindowStrength, kWindowStateShown);
  ReportUpdateStrength();
  RedrawView();  // the view now marks the critical root sections
}

void HideStrengthWindow() {
  gStrengthWindowShown = 0;
  WindowSetState(kWindowStrength, kWindowStateHidden);
  RedrawView();
}

void SyncMaterialCombo(int64_t combo, int64_t fieldSigmaH, int64_t fieldSigmaF, int64_t fieldE,
                       int64_t fieldNu) {
  const int64_t r = GadgetGetState(combo);
  // Only a preset material can stop matching; the custom row and no selection stay.
  if (r < 0 || r >= kCustomMaterialRow || r >= int64_t(gMaterials.size())) return;
  const MaterialRow& m = gMaterials[std::size_t(r)];
  const auto differs = [](int64_t field, double preset) {
    // Written so that a NaN read counts as a difference.
    return !(std::abs(ReadNumberField(field) - preset) <= kMaterialMatchTolerance);
  };
  if (differs(fieldSigmaH, m.sigmaHlim) || differs(fieldSigmaF, m.sigmaFlim) || differs(fieldE, m.elasticModulus) ||
      differs(fieldNu, m.poisson)) {
    GadgetSetState(combo, kCustomMaterialRow);
  }
}
