// The dispatch of control, timer and close events to the procedures that
// handle them, with the rule that marks the project changed.
#include <cmath>
#include <numbers>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_program.h"
#include "app/help_about.h"
#include "app/hub_keyway_window.h"
#include "app/material_tables.h"
#include "app/strength_report_update.h"
#include "app/strength_window.h"
#include "export/export_command.h"
#include "app/project_file.h"
#include "app/report_show.h"
#include "app/search_commands.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "design/field_reading.h"
#include "geometry/format.h"
#include "platform/gui.h"
#include "texts/main_window_texts.h"

namespace {

// Values of field 105/106 within this of the chosen shaft material's keep it.
constexpr double kMaterialValueTolerance = 1e-6;
// The animation turns gear 1 by speed x 0.05 degrees per tick.
constexpr double kAnimationStepDeg = 0.05;
// Conversion between power and torque: P [kW] = T [Nm] * n [1/min] / 9550.
constexpr double kPowerTorqueFactor = 9550.0;

bool IsTab(int64_t tab) { return GadgetGetState(kPanelTabs) == tab; }

// A change of a registered project field (text changed, or any event of a
// check box or track bar) marks the project changed.
void ApplyChangedFlagRule(int64_t control, int64_t subtype) {
  if (gProjectFieldMap.find(std::to_string(control)) == gProjectFieldMap.end()) return;
  const int64_t type = GadgetGetType(control);
  if (subtype == kSubChanged || type == kControlCheckBox || type == kControlTrackBar) MarkProjectModified();
}

}  // namespace

// No design on the tab: mode 0, empty report (but for a warning about the
// tab's inputs), the view shows its hint, and the strength window follows.
void ShowNoDesign() {
  gViewMode = kViewNone;
  ReportShow();
  RedrawView();
}

namespace {

void HandleTabSwitch() {
  gAnimAngle = 0;
  MarkProjectModified();
  switch (GadgetGetState(kPanelTabs)) {
    case kTabSingle: ComputeSingleTab(1); break;
    case kTabRack: ComputeRackTab(1); break;
    case kTabInternal:
      if (gInternalSelectedRow >= 0) {
        ComputeInternalTab(1);
      } else {
        SearchInternalCombinations(0);
        if (!gInternalSearchResults.empty()) {
          GadgetSetState(kListIntResults, 0);
          SelectInternalRow(0);
        } else {
          ShowNoDesign();
        }
      }
      break;
    case kTabPair:
      if (gPairSelectedRow >= 0) ComputePairTab(1);
      else ShowNoDesign();
      break;
    default: break;
  }
}

// Single tab: module, teeth, pressure angle, helix angle and hand change the
// size of the gear and refit the view; the others do not.
int64_t SingleTabFit(int64_t control) {
  switch (control) {
    case kComboSingleModule:
    case kFieldSingleTeeth:
    case kFieldSinglePressureAngle:
    case kFieldSingleHelixAngle:
    case kComboSingleHand: return 1;
    default: return 0;
  }
}

// Rack tab: module, pinion teeth, rack teeth and rack height refit the view.
int64_t RackTabFit(int64_t control) {
  switch (control) {
    case kComboRackModule:
    case kFieldRackPinionTeeth:
    case kFieldRackTeeth:
    case kFieldRackHeight: return 1;
    default: return 0;
  }
}

void HandleShaftMaterialCombo() {
  const int64_t row = GadgetGetState(kComboShaftMaterial);
  if (row >= 0 && row <= 4 && row < int64_t(gShaftMaterials.size())) {
    SetGadgetTextIfChanged(kFieldShaftTauPerm, FormatNumber(gShaftMaterials[std::size_t(row)].allowableShear, 0));
    SetGadgetTextIfChanged(kFieldShaftYield, FormatNumber(gShaftMaterials[std::size_t(row)].yieldStrength, 0));
  }
  ReportUpdateStrength();
}

void HandleShaftMaterialValue() {
  const int64_t row = GadgetGetState(kComboShaftMaterial);
  if (row >= 0 && row <= 4 && row < int64_t(gShaftMaterials.size())) {
    const ShaftMaterialRow& m = gShaftMaterials[std::size_t(row)];
    // Written so that a field that is not a number (NaN) also counts as changed.
    const bool tauMatches = std::abs(ReadNumberField(kFieldShaftTauPerm) - m.allowableShear) <= kMaterialValueTolerance;
    const bool yieldMatches = std::abs(ReadNumberField(kFieldShaftYield) - m.yieldStrength) <= kMaterialValueTolerance;
    if (!tauMatches || !yieldMatches) GadgetSetState(kComboShaftMaterial, 5);
  }
  ReportUpdateStrength();
}

}  // namespace

void SwitchLoadKind() {
  const int64_t kind = GadgetGetState(kComboLoadKind);
  // The label always follows the combo, so the field is never read as the
  // other quantity; the number is converted only with a usable speed.
  GadgetSetText(kTextLoadLabel, kind == 1 ? texts::kLoadLabelTorque : texts::kLoadLabelPower);
  const double n1 = ReadNumberField(kFieldSpeed);
  if (!(n1 > 0) || !std::isfinite(n1)) return;
  if (kind != 0 && kind != 1) return;
  const std::string shown = GadgetGetText(kFieldLoadValue);
  const std::string speed = GadgetGetText(kFieldSpeed);
  // Back to the kind the user typed in, with nothing changed since: the typed
  // value itself (5 kW stays 5, not the 4.999 of a rounded torque).
  if (gLoadKindMemory.typedKind == kind && shown == gLoadKindMemory.written && speed == gLoadKindMemory.speed) {
    GadgetSetText(kFieldLoadValue, gLoadKindMemory.typed);
    gLoadKindMemory = LoadKindMemory{};
    return;
  }
  const double value = ReadNumberField(kFieldLoadValue);
  const std::string converted = kind == 1 ? FormatNumber(value * kPowerTorqueFactor / n1, 2)   // P [kW] -> T [Nm]
                                          : FormatNumber(value * n1 / kPowerTorqueFactor, 3);  // T [Nm] -> P [kW]
  gLoadKindMemory = {shown, converted, speed, 1 - kind};
  GadgetSetText(kFieldLoadValue, converted);
}

void HandleControlEvent(int64_t control, int64_t subtype) {
  ApplyChangedFlagRule(control, subtype);
  const bool changed = subtype == kSubChanged;

  if (control >= kComboSingleModule && control <= kFieldSingleBore) {
    if (changed && IsTab(kTabSingle)) ComputeSingleTab(SingleTabFit(control));
    return;
  }
  if (control >= kComboRackModule && control <= kFieldRackHeight) {
    if (changed && IsTab(kTabRack)) ComputeRackTab(RackTabFit(control));
    return;
  }

  switch (control) {
    case kPanelTabs:
      if (changed) HandleTabSwitch();
      break;

    // A search input other than the one the list was calculated for leaves
    // the pair of the list drawn, with the warning that it is not the pair of
    // the fields, until the modules are calculated again (or the value the
    // list was calculated for is typed back).
    case kFieldPairCentreDistance:
    case kFieldPairRatio:
    case kFieldPairPressureAngle:
    case kFieldPairHelixAngle:
    case kFieldPairTolerance:
    case kFieldPairShiftSumMin:
    case kFieldPairShiftSumMax:
    case kFieldPairZMin:
    case kComboPairHand:
    case kFieldPairShiftX1:
    case kFieldPairFaceWidth:
    case kFieldPairBacklash:
    case kFieldPairBore1:
    case kFieldPairBore2:
      if (changed && IsTab(kTabPair)) ComputePairTab(0);
      break;

    case kCheckPairHelixSearch:
    case kCheckPairSeries2:
      if (IsTab(kTabPair)) ComputePairTab(0);
      break;

    case kButtonPairCalculate:
      SearchPairCombinations();
      if (!gPairSearchResults.empty()) {
        GadgetSetState(kListPairResults, 0);
        SelectPairRow(0);
        // Row 0 and its proposed x1 replace the design of a loaded project.
        MarkProjectModified();
      } else {
        // The emptied list leaves no chosen row: as a tab switch without one.
        ShowNoDesign();
      }
      break;

    case kListPairResults:
      if (changed || subtype == kSubClick) {
        const int64_t row = GadgetGetState(kListPairResults);
        if (row >= 0 && row != gPairSelectedRow) {
          SelectPairRow(row);
          MarkProjectModified();
        }
      }
      break;

    case kCheckRotate:
      if (GadgetGetState(kCheckRotate) != 0) WindowAddTimer(kWindowMain, kTimerAnimation, kAnimationIntervalMs);
      else WindowRemoveTimer(kWindowMain, kTimerAnimation);
      break;

    case kCheckLineOfAction: RedrawView(); break;
    case kButtonExportDxf: ExportToFile(0); break;
    case kButtonExportStep: ExportToFile(1); break;
    case kButtonExportStl: ExportToFile(2); break;
    case kButtonOpen: OpenProjectWithPrompt(); break;
    case kButtonSave: SaveProjectWithPrompt(0); break;
    case kButtonSaveAs: SaveProjectWithPrompt(1); break;
    case kButtonHelp: MenuShowPopup(kMenuHelpPopup, WindowGetHandle(kWindowMain)); break;

    case kFieldIntCentreDistance:
    case kFieldIntRatio:
    case kFieldIntPressureAngle:
    case kFieldIntHelixAngle:
    case kFieldIntTolerance:
    case kFieldIntShiftDiffMin:
    case kFieldIntShiftDiffMax:
    case kFieldIntZ1Min:
    case kFieldIntMinToothDiff:
    case kComboIntHand:
    case kFieldIntShiftX1:
    case kFieldIntFaceWidth:
    case kFieldIntBacklash:
    case kFieldIntPinionBore:
    case kFieldIntRingRim:
      if (changed && IsTab(kTabInternal)) ComputeInternalTab(0);
      break;

    case kCheckIntHelixSearch:
    case kCheckIntSeries2:
    case kCheckIntShortenTip:
      if (IsTab(kTabInternal)) ComputeInternalTab(0);
      break;

    case kButtonIntCalculate:
      SearchInternalCombinations(0);
      if (!gInternalSearchResults.empty()) {
        GadgetSetState(kListIntResults, 0);
        SelectInternalRow(0);
        MarkProjectModified();
      } else {
        ShowNoDesign();
      }
      break;

    case kListIntResults:
      if (changed || subtype == kSubClick) {
        const int64_t row = GadgetGetState(kListIntResults);
        if (row >= 0 && row != gInternalSelectedRow) {
          SelectInternalRow(row);
          MarkProjectModified();
        }
      }
      break;

    case kButtonStrength: ShowStrengthWindow(); break;
    case kButtonHubKeyway: ShowHubKeywayWindow(); break;
    case kButtonHubClose: HideHubKeywayWindow(); break;

    case kComboKeyway1:
    case kComboHub1:
    case kComboKeyway2:
    case kComboHub2:
    case kFieldKeyWidth1:
    case kFieldKeyDepth1:
    case kFieldHubDiameter1:
    case kFieldHubLength1:
    case kFieldKeyWidth2:
    case kFieldKeyDepth2:
    case kFieldHubDiameter2:
    case kFieldHubLength2:
      if (changed) ComputeActiveTab();
      break;

    case kComboLoadKind:
      if (changed) {
        SwitchLoadKind();
        ReportUpdateStrength();
      }
      break;

    case kFieldLoadValue:
    case kFieldSpeed:
    case kComboApplicationFactor:
    case kFieldServiceLife:
    case kComboAccuracy:
    case kComboFlankFinish:
    case kComboLubrication:
    case kFieldMinSafetyH:
    case kFieldMinSafetyF:
    case kComboKeyCount:
    case kFieldKeyLength:
      if (changed) ReportUpdateStrength();
      break;

    case kComboMaterial1:
      if (changed) {
        FillMaterialFields(kComboMaterial1, kFieldSigmaHlim1, kFieldSigmaFlim1, kFieldElasticModulus1, kFieldPoisson1);
        ReportUpdateStrength();
      }
      break;

    case kComboMaterial2:
      if (changed) {
        FillMaterialFields(kComboMaterial2, kFieldSigmaHlim2, kFieldSigmaFlim2, kFieldElasticModulus2, kFieldPoisson2);
        ReportUpdateStrength();
      }
      break;

    case kFieldSigmaHlim1:
    case kFieldSigmaFlim1:
    case kFieldElasticModulus1:
    case kFieldPoisson1:
      if (changed) {
        SyncMaterialCombo(kComboMaterial1, kFieldSigmaHlim1, kFieldSigmaFlim1, kFieldElasticModulus1, kFieldPoisson1);
        ReportUpdateStrength();
      }
      break;

    case kFieldSigmaHlim2:
    case kFieldSigmaFlim2:
    case kFieldElasticModulus2:
    case kFieldPoisson2:
      if (changed) {
        SyncMaterialCombo(kComboMaterial2, kFieldSigmaHlim2, kFieldSigmaFlim2, kFieldElasticModulus2, kFieldPoisson2);
        ReportUpdateStrength();
      }
      break;

    case kComboShaftMaterial:
      if (changed) HandleShaftMaterialCombo();
      break;

    case kFieldShaftTauPerm:
    case kFieldShaftYield:
      if (changed) HandleShaftMaterialValue();
      break;

    case kButtonCopyReport:
      CopyStrengthReport();
      break;

    case kButtonStrengthClose: HideStrengthWindow(); break;

    case kCanvasView: HandleCanvasEvent(subtype); break;

    default: break;  // the rest: only the changed-flag rule
  }
}

void HandleTimerEvent(int64_t timer) {
  if (timer != kTimerAnimation || gViewMode == kViewNone) return;
  const double speed = double(GadgetGetState(kTrackSpeed));
  gAnimAngle += speed * kAnimationStepDeg * std::numbers::pi / 180.0;
  if (gAnimAngle > 2 * std::numbers::pi) gAnimAngle -= 2 * std::numbers::pi;
  RedrawView();
}

void HandleCloseEvent(int64_t window) {
  if (window == kWindowStrength) {
    HideStrengthWindow();
  } else if (window == kWindowHubKeyway) {
    HideHubKeywayWindow();
  } else if (window == kWindowMain) {
    // Cancel in the save question, or a failed save, keeps the program running.
    if (AskSaveChanges() != 0) gQuit = 1;
  }
}
