// Writing and reading project files: the bound controls, the tab and the chosen rows.
#include "app/project_file.h"

#include <cmath>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_program.h"
#include "app/search_commands.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "design/number_text.h"
#include "geometry/format.h"
#include "geometry/tolerances.h"
#include "platform/gui.h"
#include "platform/ini_file.h"
#include "platform/safe_file.h"
#include "texts/main_window_texts.h"
#include "texts/project_texts.h"

namespace {

constexpr std::string_view kGroupMain = "Tandwiel";
constexpr std::string_view kGroupPairRow = "Keuze";
constexpr std::string_view kGroupInternalRow = "KeuzeBinnen";
constexpr std::string_view kFileComment = " Norvale-project";
constexpr int64_t kFileVersion = 1;

// Safety bound on the events dropped after loading, so that a stream of
// window-system work cannot keep the load from returning.
constexpr int kMaxDroppedEvents = 100000;

// One chosen row as stored in the file.
struct StoredRow {
  double module = 0.0;
  int64_t teeth1 = 0;
  int64_t teeth2 = 0;
  double helixAngleDeg = 0.0;
  std::string x1;
};

void ShowError(const std::string& text) {
  MessageDialog(texts::kProjectMessageTitle, text, kMessageOk | kMessageIconError);
}

void WriteChosenRow(IniWriter& writer, std::string_view group, const SearchResultRow& row, int64_t x1Field) {
  IniWriteValue(writer, group, "modul", FormatNumber(row.module, 6));
  IniWriteValue(writer, group, "z1", std::to_string(row.teeth1));
  IniWriteValue(writer, group, "z2", std::to_string(row.teeth2));
  IniWriteValue(writer, group, "beta", FormatNumber(row.helixAngleDeg, 6));
  IniWriteValue(writer, group, "x1", GadgetGetText(x1Field));
}

StoredRow ReadStoredRow(const IniDocument& doc, std::string_view group) {
  StoredRow row;
  row.module = ParseNumberText(IniReadText(doc, group, "modul", "0"));
  row.teeth1 = IniReadInteger(doc, group, "z1", 0);
  row.teeth2 = IniReadInteger(doc, group, "z2", 0);
  row.helixAngleDeg = ParseNumberText(IniReadText(doc, group, "beta", "0"));
  row.x1 = IniReadText(doc, group, "x1", "");
  return row;
}

// Index of the first row of the list that matches the stored row, -1 for none.
int64_t FindStoredRow(const std::vector<SearchResultRow>& rows, const StoredRow& stored) {
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const SearchResultRow& r = rows[i];
    if (std::fabs(r.module - stored.module) < kStoredRowModuleTolerance && r.teeth1 == stored.teeth1 &&
        r.teeth2 == stored.teeth2 && std::fabs(r.helixAngleDeg - stored.helixAngleDeg) < kStoredRowHelixToleranceDeg) {
      return static_cast<int64_t>(i);
    }
  }
  return -1;
}

// Whether a loaded state is one the control can show. A state outside its
// range would otherwise leave a blank combo box or a clamped track bar.
bool IsStateInRange(int64_t gadget, int64_t state) {
  switch (GadgetGetType(gadget)) {
    case kControlCheckBox:
      return state == 0 || state == 1;
    case kControlComboBox:
    case kControlListView:
    case kControlPanel:
      return state >= 0 && state < GadgetCountItems(gadget);
    case kControlTrackBar:
      return state >= GadgetGetAttribute(gadget, kAttrTrackBarMinimum) &&
             state <= GadgetGetAttribute(gadget, kAttrTrackBarMaximum);
    default:
      return false;
  }
}

void LoadBoundControls(const IniDocument& doc) {
  for (const ProjectField& field : gProjectFieldList) {
    if (field.kind == kProjectFieldState) {
      const int64_t current = GadgetGetState(field.gadget);
      const int64_t state = IniReadInteger(doc, field.section, field.key, current);
      if (state != current && IsStateInRange(field.gadget, state)) GadgetSetState(field.gadget, state);
    } else {
      const IniFoundValue text = IniFindValue(doc, field.section, field.key);
      if (text != nullptr) GadgetSetText(field.gadget, *text);
    }
  }
}

// The pair search with the loaded inputs, then the stored row (or row 0 with
// its own proposed x1 when the stored one is gone).
void RestorePairRow(const StoredRow& stored) {
  SearchPairCombinations();
  int64_t row = FindStoredRow(gPairSearchResults, stored);
  bool useStoredX1 = true;
  if (row < 0 && !gPairSearchResults.empty()) {
    row = 0;
    useStoredX1 = false;
  }
  if (row < 0) {
    gViewMode = kViewNone;
    return;
  }
  GadgetSetState(kListPairResults, row);
  SelectPairRow(row);
  if (useStoredX1 && !stored.x1.empty()) {
    GadgetSetText(kFieldPairShiftX1, stored.x1);
    ComputePairTab(1);
  }
}

// The internal search, silently; the stored row becomes the chosen row
// without computing (the Internal tab computes it when it is shown).
void RestoreInternalRow(const StoredRow& stored) {
  SearchInternalCombinations(1);
  const int64_t row = FindStoredRow(gInternalSearchResults, stored);
  if (row < 0) return;
  GadgetSetState(kListIntResults, row);
  gInternalSelectedRow = row;
  if (!stored.x1.empty()) GadgetSetText(kFieldIntShiftX1, stored.x1);
}

void ShowLoadedTab(int64_t tab) {
  if (tab < kTabPair || tab > kTabInternal) tab = kTabPair;
  GadgetSetState(kPanelTabs, tab);
  switch (tab) {
    case kTabSingle:
      ComputeSingleTab(1);
      break;
    case kTabRack:
      ComputeRackTab(1);
      break;
    case kTabInternal:
      if (gInternalSelectedRow < 0 && !gInternalSearchResults.empty()) {
        GadgetSetState(kListIntResults, 0);
        SelectInternalRow(0);
      }
      if (gInternalSelectedRow >= 0) {
        ComputeInternalTab(1);
      } else {
        ShowNoDesign();
      }
      break;
    default:
      // The pair row was applied while restoring it; without one, the old
      // design must not stay on screen.
      if (gPairSelectedRow < 0) ShowNoDesign();
      break;
  }
}

void DropPendingEvents() {
  for (int i = 0; i < kMaxDroppedEvents && EventPoll() != kEventNone; ++i) {
  }
}

}  // namespace

std::string ProjectFileNamePart(std::string_view path) {
  const std::size_t sep = path.find_last_of("/\\");
  return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

std::string BuildProjectFileText() {
  IniWriter writer;
  IniWriterStart(writer);
  IniWriteComment(writer, kFileComment);
  IniWriteValue(writer, kGroupMain, "versie", std::to_string(kFileVersion));
  IniWriteValue(writer, kGroupMain, "tabblad", std::to_string(GadgetGetState(kPanelTabs)));
  for (const ProjectField& field : gProjectFieldList) {
    const std::string value = field.kind == kProjectFieldState ? std::to_string(GadgetGetState(field.gadget))
                                                                : GadgetGetText(field.gadget);
    IniWriteValue(writer, field.section, field.key, value);
  }
  if (gPairSelectedRow >= 0 && gPairSelectedRow < static_cast<int64_t>(gPairSearchResults.size())) {
    WriteChosenRow(writer, kGroupPairRow, gPairSearchResults[static_cast<std::size_t>(gPairSelectedRow)],
                   kFieldPairShiftX1);
  }
  if (gInternalSelectedRow >= 0 && gInternalSelectedRow < static_cast<int64_t>(gInternalSearchResults.size())) {
    WriteChosenRow(writer, kGroupInternalRow,
                   gInternalSearchResults[static_cast<std::size_t>(gInternalSelectedRow)], kFieldIntShiftX1);
  }
  return writer.bytes;
}

int64_t WriteProjectFile(const std::string& path) {
  if (!WriteFileAtomically(path, BuildProjectFileText())) {
    ShowError(std::string(texts::kProjectWriteFailedBefore) + path + std::string(texts::kProjectWriteFailedAfter));
    return 0;
  }
  gProjectPath = path;
  gProjectModified = 0;
  UpdateWindowTitle();
  return 1;
}

int64_t ReadProjectFile(const std::string& path) {
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) {
    ShowError(std::string(texts::kProjectOpenFailedBefore) + path + std::string(texts::kProjectOpenFailedAfter));
    return 0;
  }
  const IniDocument doc = IniParse(bytes);
  if (IniReadInteger(doc, kGroupMain, "versie", 0) < kFileVersion) {
    ShowError(std::string(texts::kProjectNotAProjectBefore) + ProjectFileNamePart(path) +
              std::string(texts::kProjectNotAProjectAfter));
    return 0;
  }
  const int64_t tab = IniReadInteger(doc, kGroupMain, "tabblad", 0);
  LoadBoundControls(doc);
  const StoredRow pairRow = ReadStoredRow(doc, kGroupPairRow);
  const StoredRow internalRow = ReadStoredRow(doc, kGroupInternalRow);

  GadgetSetText(kTextLoadLabel, GadgetGetState(kComboLoadKind) == 0 ? texts::kLoadLabelPower
                                                                    : texts::kLoadLabelTorque);
  gAnimAngle = 0.0;
  RestorePairRow(pairRow);
  RestoreInternalRow(internalRow);
  ShowLoadedTab(tab);
  DropPendingEvents();

  gProjectPath = path;
  gProjectModified = 0;
  UpdateWindowTitle();
  return 1;
}
