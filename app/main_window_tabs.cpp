// The four tab pages of the main window: "Pair", "Single", "Rack", "Internal".
//
// Within a page the row cursor y starts at 8 and moves down by gRowStep per
// row; labels sit left, fields start at gFieldX (full, left half, right half),
// wide controls span from x 10 to the fields' right edge.
#include "app/main_window_tabs.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "app/control_ids.h"
#include "app/main_window.h"
#include "design/module_search.h"
#include "design/module_series.h"
#include "geometry/format.h"
#include "platform/gui.h"
#include "texts/main_window_texts.h"

namespace {

constexpr int kPageTop = 8;

int RightHalfX() { return gFieldX + gFieldWidth - gHalfFieldWidth; }
int WideWidth() { return gFieldX + gFieldWidth - 10; }

void FullEntry(int64_t control, int y, std::string_view text) {
  CreateTextEntryControl(control, gFieldX, y, gFieldWidth, gFieldHeight, text);
}
void LeftEntry(int64_t control, int y, std::string_view text) {
  CreateTextEntryControl(control, gFieldX, y, gHalfFieldWidth, gFieldHeight, text);
}
void RightEntry(int64_t control, int y, std::string_view text) {
  CreateTextEntryControl(control, RightHalfX(), y, gHalfFieldWidth, gFieldHeight, text);
}

// The hand combo "right" / "left" in the right half, item 0 chosen.
void HandCombo(int64_t control, int y) {
  CreateComboBoxControl(control, RightHalfX(), y, gHalfFieldWidth, gFieldHeight);
  GadgetAddItem(control, -1, texts::kHandRightItem);
  GadgetAddItem(control, -1, texts::kHandLeftItem);
  GadgetSetState(control, 0);
  WidenToFit(control);
}

// An editable module combo over the full field, filled from DIN 780 series 1
// and showing "2".
void ModuleCombo(int64_t control, int y) {
  CreateComboBoxControlFull(control, gFieldX, y, gFieldWidth, gFieldHeight, kComboEditable);
  for (double m : ModuleSeries1) {
    if (m < 0) break;
    GadgetAddItem(control, -1, FormatNumberTrimmed(m));
  }
  GadgetSetText(control, "2");
  WidenToFit(control);
}

void WideCheckBox(int64_t control, int y, std::string_view text) {
  CreateCheckBoxControl(control, 10, y, WideWidth(), gFieldHeight, text);
  WidenToFit(control);
}

void WideButton(int64_t control, int y, std::string_view text) {
  CreateButtonControl(control, 10, y, WideWidth(), gFieldHeight + 4, text);
  WidenToFit(control);
}

// The widest text of a number column: `intDigits` digits before and
// `decimals` after the point, a minus sign where negative values occur, every
// digit the widest of the list's font; returns the width its column needs.
int NumberColumnFitWidth(int64_t list, int column, int intDigits, int decimals, bool sign) {
  int need = 0;
  for (char digit = '0'; digit <= '9'; ++digit) {
    std::string text = sign ? "-" : "";
    text.append(std::size_t(intDigits), digit);
    if (decimals > 0) {
      text += '.';
      text.append(std::size_t(decimals), digit);
    }
    need = std::max(need, GadgetGetColumnFitWidth(list, column, text));
  }
  return need;
}

// The module column shows every module of both DIN 780 series.
int ModuleColumnFitWidth(int64_t list) {
  int need = 0;
  for (const auto* series : {&ModuleSeries1, &ModuleSeries2}) {
    for (double m : *series) {
      if (m < 0) break;
      need = std::max(need, GadgetGetColumnFitWidth(list, 0, FormatNumberTrimmed(m)));
    }
  }
  return need;
}

int DigitCount(int64_t n) { return int(std::to_string(n).size()); }

// Widens the columns of a result list where their metric widths would cut
// the widest value a search can list: z1 up to kMaxSearchTeeth, z2 up to
// kMaxRingTeeth (a ring gear), ratios below 100, ratio deviations within
// tolerances below 10 %, shift sums or differences of one digit, and helix
// angles up to 45 degrees, each with the decimals of its list text. The last
// column (beta) also takes the list's spare width.
void FitResultListColumns(int64_t list) {
  const int needs[7] = {
      ModuleColumnFitWidth(list),
      NumberColumnFitWidth(list, 1, DigitCount(kMaxSearchTeeth), 0, false),
      NumberColumnFitWidth(list, 2, DigitCount(kMaxRingTeeth), 0, false),
      NumberColumnFitWidth(list, 3, 2, 3, false),
      NumberColumnFitWidth(list, 4, 1, 2, true),
      NumberColumnFitWidth(list, 5, 1, 3, true),
      NumberColumnFitWidth(list, 6, 2, 3, false),
  };
  for (int column = 0; column < 7; ++column) {
    if (needs[column] > GadgetGetColumnWidth(list, column)) GadgetSetColumnWidth(list, column, needs[column]);
  }
  GadgetStretchLastColumn(list);
}

// The result list of a search at (10, y + 6); returns the row cursor below it.
int ResultList(int64_t control, int y, std::string_view shiftTitle) {
  const double s = gLineHeight / 15.0;
  auto width = [s](double w) { return int(std::lround(w * s)); };
  const int height = 6 * gLineHeight + 70;
  CreateListViewControl(control, 10, y + 6, WideWidth(), height, "m", width(42),
                        kListFullRowSelect | kListAlwaysShowSelection);
  GadgetAddColumn(control, 1, "z1", width(34));
  GadgetAddColumn(control, 2, "z2", width(34));
  GadgetAddColumn(control, 3, "i", width(46));
  GadgetAddColumn(control, 4, "Δi %", width(44));
  GadgetAddColumn(control, 5, shiftTitle, width(48));
  GadgetAddColumn(control, 6, "β °", width(48));
  FitResultListColumns(control);
  return y + 6 + height + 8;
}

// The static "x2 =" beside a profile-shift field, in the right half.
void X2Text(int64_t control, int y) {
  // 14 px beyond the half field (not 10), into the page margin: with a large
  // default font "x2 = 0.0000" would otherwise lose its last digit.
  CreateTextControl(control, RightHalfX(), y + (gFieldHeight - gLineHeight) / 2, gHalfFieldWidth + 14,
                    gLineHeight + 4, texts::kTextX2Prefix);
}

}  // namespace

int BuildPairPage() {
  GadgetAddItem(kPanelTabs, -1, texts::kTabPairTitle);
  int y = kPageTop;
  AddFieldLabel(y, texts::kLabelCentreDistance);
  FullEntry(kFieldPairCentreDistance, y, "60");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelRatio);
  FullEntry(kFieldPairRatio, y, "2");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPressureAngle);
  FullEntry(kFieldPairPressureAngle, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelHelixAngleHand);
  LeftEntry(kFieldPairHelixAngle, y, "0");
  GadgetSetToolTip(kFieldPairHelixAngle, texts::kHelixAngleTip);
  HandCombo(kComboPairHand, y);
  y += gRowStep;
  WideCheckBox(kCheckPairHelixSearch, y, texts::kCheckPairHelixSearchText);
  GadgetSetToolTip(kCheckPairHelixSearch, texts::kCheckPairHelixSearchTip);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelTolerance);
  FullEntry(kFieldPairTolerance, y, "2");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelShiftSumRange);
  LeftEntry(kFieldPairShiftSumMin, y, "-0.5");
  RightEntry(kFieldPairShiftSumMax, y, "1.0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelZMin);
  FullEntry(kFieldPairZMin, y, "12");
  y += gRowStep;
  WideCheckBox(kCheckPairSeries2, y, texts::kCheckSeries2Text);
  y += gRowStep;
  WideButton(kButtonPairCalculate, y, texts::kButtonCalculateText);
  y += gRowStep;
  y = ResultList(kListPairResults, y, "Σx");
  AddFieldLabel(y, texts::kLabelProfileShiftX1);
  LeftEntry(kFieldPairShiftX1, y, "0");
  X2Text(kTextPairX2, y);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelFaceWidth);
  FullEntry(kFieldPairFaceWidth, y, "10");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelBacklash);
  FullEntry(kFieldPairBacklash, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelBores);
  LeftEntry(kFieldPairBore1, y, "8");
  RightEntry(kFieldPairBore2, y, "12");
  y += gRowStep;
  return y;
}

int BuildSinglePage() {
  GadgetAddItem(kPanelTabs, -1, texts::kTabSingleTitle);
  int y = kPageTop;
  AddFieldLabel(y, texts::kLabelModule);
  ModuleCombo(kComboSingleModule, y);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelTeeth);
  FullEntry(kFieldSingleTeeth, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelProfileShift);
  FullEntry(kFieldSingleShift, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPressureAngle);
  FullEntry(kFieldSinglePressureAngle, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelHelixAngleHand);
  LeftEntry(kFieldSingleHelixAngle, y, "0");
  HandCombo(kComboSingleHand, y);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelFaceWidth);
  FullEntry(kFieldSingleFaceWidth, y, "10");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelThicknessAllowance);
  FullEntry(kFieldSingleThicknessAllowance, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelBore);
  FullEntry(kFieldSingleBore, y, "8");
  y += gRowStep;
  const int noteHeight = 4 * gLineHeight;
  CreateTextControl(kAnyNumber, 10, y + 10, WideWidth(), noteHeight, texts::kSingleNote);
  return y + 10 + noteHeight;
}

int BuildRackPage() {
  GadgetAddItem(kPanelTabs, -1, texts::kTabRackTitle);
  int y = kPageTop;
  AddFieldLabel(y, texts::kLabelModule);
  ModuleCombo(kComboRackModule, y);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPinionTeeth);
  FullEntry(kFieldRackPinionTeeth, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelProfileShift);
  FullEntry(kFieldRackShift, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPressureAngle);
  FullEntry(kFieldRackPressureAngle, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelHelixAngleHand);
  LeftEntry(kFieldRackHelixAngle, y, "0");
  HandCombo(kComboRackHand, y);
  GadgetSetToolTip(kComboRackHand, texts::kRackHandTip);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelFaceWidth);
  FullEntry(kFieldRackFaceWidth, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPinionBore);
  FullEntry(kFieldRackPinionBore, y, "8");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelBacklash);
  FullEntry(kFieldRackBacklash, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelRackTeeth);
  FullEntry(kFieldRackTeeth, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelRackHeight);
  FullEntry(kFieldRackHeight, y, "15");
  GadgetSetToolTip(kFieldRackHeight, texts::kRackHeightTip);
  y += gRowStep;
  return y;
}

int BuildInternalPage() {
  GadgetAddItem(kPanelTabs, -1, texts::kTabInternalTitle);
  int y = kPageTop;
  AddFieldLabel(y, texts::kLabelCentreDistance);
  FullEntry(kFieldIntCentreDistance, y, "40");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelRatio);
  FullEntry(kFieldIntRatio, y, "3");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPressureAngle);
  FullEntry(kFieldIntPressureAngle, y, "20");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelHelixAngleHand);
  LeftEntry(kFieldIntHelixAngle, y, "0");
  GadgetSetToolTip(kFieldIntHelixAngle, texts::kHelixAngleTip);
  HandCombo(kComboIntHand, y);
  GadgetSetToolTip(kComboIntHand, texts::kInternalHandTip);
  y += gRowStep;
  WideCheckBox(kCheckIntHelixSearch, y, texts::kCheckIntHelixSearchText);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelTolerance);
  FullEntry(kFieldIntTolerance, y, "2");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelShiftDiffRange);
  LeftEntry(kFieldIntShiftDiffMin, y, "-0.5");
  RightEntry(kFieldIntShiftDiffMax, y, "1.0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelZ1MinToothDiff);
  LeftEntry(kFieldIntZ1Min, y, "12");
  GadgetSetToolTip(kFieldIntZ1Min, texts::kZ1MinTip);
  RightEntry(kFieldIntMinToothDiff, y, "8");
  GadgetSetToolTip(kFieldIntMinToothDiff, texts::kMinToothDiffTip);
  y += gRowStep;
  WideCheckBox(kCheckIntSeries2, y, texts::kCheckSeries2Text);
  y += gRowStep;
  WideButton(kButtonIntCalculate, y, texts::kButtonCalculateText);
  y += gRowStep;
  y = ResultList(kListIntResults, y, "Δx");
  AddFieldLabel(y, texts::kLabelProfileShiftX1);
  LeftEntry(kFieldIntShiftX1, y, "0");
  X2Text(kTextIntX2, y);
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelFaceWidth);
  FullEntry(kFieldIntFaceWidth, y, "10");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelBacklash);
  FullEntry(kFieldIntBacklash, y, "0");
  y += gRowStep;
  AddFieldLabel(y, texts::kLabelPinionBoreRingRim);
  LeftEntry(kFieldIntPinionBore, y, "6");
  GadgetSetToolTip(kFieldIntPinionBore, texts::kPinionBoreTip);
  RightEntry(kFieldIntRingRim, y, "6");
  GadgetSetToolTip(kFieldIntRingRim, texts::kRingRimTip);
  y += gRowStep;
  WideCheckBox(kCheckIntShortenTip, y, texts::kCheckShortenRingTipText);
  GadgetSetState(kCheckIntShortenTip, 1);
  GadgetSetToolTip(kCheckIntShortenTip, texts::kCheckShortenRingTipTip);
  y += gRowStep;
  return y;
}
