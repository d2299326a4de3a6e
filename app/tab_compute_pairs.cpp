// Compute drivers of the two pair tabs (external pair, internal pair) and the
// ring builder; both take the module, teeth and helix angle from the chosen
// search row.
#include <cmath>
#include <numbers>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/report_show.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "design/field_reading.h"
#include "design/hub_keyway_apply.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/internal_interference.h"
#include "geometry/ring_gear.h"
#include "platform/gui.h"
#include "texts/view_texts.h"

double gInternalShiftDifference = 0.0;

namespace {

constexpr double kRadPerDeg = std::numbers::pi / 180.0;
// Point density of the outlines of the view.
constexpr int kViewDensity = 1;
// The shortened ring tip clears the pinion's usable involute by 0.0001 m.
constexpr double kRingTipClearanceFactor = 0.0001;

const SearchResultRow* ChosenRow(const std::vector<SearchResultRow>& rows, int64_t chosen) {
  if (chosen < 0 || chosen >= static_cast<int64_t>(rows.size())) return nullptr;
  return &rows[static_cast<std::size_t>(chosen)];
}

void ShowShiftOfGear2(int64_t control, double x2) {
  GadgetSetText(control, std::string(texts::kShiftOfGear2Prefix) + FormatNumber(x2, 4));
}

}  // namespace

int64_t GetHandSign(int64_t control) { return GadgetGetState(control) == 1 ? -1 : 1; }

double ComputeAllowanceFromBacklash(double backlash, double pressureAngleDeg) {
  return backlash / (2.0 * std::cos(pressureAngleDeg * kRadPerDeg));
}

void ComputePairTab(int64_t fit) {
  const double alpha = ReadNumberField(kFieldPairPressureAngle);
  const int64_t hand = GetHandSign(kComboPairHand);
  const SearchResultRow* row = ChosenRow(gPairSearchResults, gPairSelectedRow);
  if (!row) return;

  const double centreDistance = ReadNumberField(kFieldPairCentreDistance);
  const double x1 = ReadNumberField(kFieldPairShiftX1);
  const double faceWidth = ReadNumberField(kFieldPairFaceWidth);
  const double bore1 = ReadNumberField(kFieldPairBore1);
  const double bore2 = ReadNumberField(kFieldPairBore2);
  const double backlash = ReadNumberField(kFieldPairBacklash);
  // A value that is no finite number, or no face width, gives no design: stop
  // before any record changes and say so in the report.
  if (!DescribeTabInputFault(kTabPair).empty()) {
    ShowInputFault(kViewPair);
    return;
  }

  gPairCentreDistance = centreDistance;
  const double m = row->module;
  const int64_t z1 = row->teeth1;
  const int64_t z2 = row->teeth2;
  const double beta = row->helixAngleDeg;
  const double shiftSum = row->shiftSum;

  const double x2 = shiftSum - x1;
  ShowShiftOfGear2(kTextPairX2, x2);

  // Tip shortening k = (z1 + z2) / (2 cos beta) + Σx - a / m (DIN 3960): the
  // tips lose what the centre distance falls short of the reference distance
  // widened by the shift sum, keeping the tip clearance. Never negative.
  double k = static_cast<double>(z1 + z2) / (2.0 * std::cos(beta * kRadPerDeg)) + shiftSum -
             gPairCentreDistance / m;
  if (!(k >= 0.0)) k = 0.0;

  InitGearRecord(gGear1, m, z1, x1, alpha, faceWidth, bore1, k, beta, hand);
  InitGearRecord(gGear2, m, z2, x2, alpha, faceWidth, bore2, k, beta, -hand);
  const double allowance = ComputeAllowanceFromBacklash(backlash, alpha);
  gGear1.thicknessAllowance = allowance;
  gGear2.thicknessAllowance = allowance;

  BuildGearGeometry(gGear1, kViewDensity);
  BuildGearGeometry(gGear2, kViewDensity);
  ApplyHubAndKeyway(gGear1, 0);
  ApplyHubAndKeyway(gGear2, 1);

  // A pair shown again after no design, or after another tab's, is framed
  // as on any change of mode.
  const bool fitNow = fit == 1 || gViewMode != kViewPair;
  gViewMode = kViewPair;
  if (fitNow) FitView();
  ReportShow();
  RedrawView();
}

void BuildRingFromInputs(int64_t density) {
  const int pointDensity = static_cast<int>(density);
  const double alpha = ReadNumberField(kFieldIntPressureAngle);
  const double x2 = gInternalShiftDifference + ReadNumberField(kFieldIntShiftX1);
  const double allowance = ComputeAllowanceFromBacklash(ReadNumberField(kFieldIntBacklash), alpha);
  const SearchResultRow* row = ChosenRow(gInternalSearchResults, gInternalSelectedRow);
  if (!row) return;

  const double faceWidth = ReadNumberField(kFieldIntFaceWidth);
  const double rim = ReadNumberField(kFieldIntRingRim);
  const int64_t hand = GetHandSign(kComboIntHand);  // the ring has the pinion's hand
  BuildRingGearGeometry(gRing, row->module, row->teeth2, x2, alpha, faceWidth, rim, allowance,
                        row->helixAngleDeg, hand, pointDensity, 0.0);

  // Tip shortening: raise the ring's tip circle to the radius where the line of
  // action meets the start of the pinion's usable involute, so that the ring
  // tip clears the pinion's root fillet.
  if (GadgetGetState(kCheckIntShortenTip) == 1 && gGear1.valid && gRing.valid) {
    const double clearanceRadius = ComputeInternalMateRadius(gGear1, gRing, gInternalCentreDistance) +
                                   kRingTipClearanceFactor * row->module;
    if (gRing.tipRadius < clearanceRadius) {
      BuildRingGearGeometry(gRing, row->module, row->teeth2, x2, alpha, faceWidth, rim, allowance,
                            row->helixAngleDeg, hand, pointDensity, clearanceRadius);
    }
  }
}

void ComputeInternalTab(int64_t fit) {
  const double alpha = ReadNumberField(kFieldIntPressureAngle);
  const SearchResultRow* row = ChosenRow(gInternalSearchResults, gInternalSelectedRow);
  if (!row) return;

  const double centreDistance = ReadNumberField(kFieldIntCentreDistance);
  const double x1 = ReadNumberField(kFieldIntShiftX1);
  const double faceWidth = ReadNumberField(kFieldIntFaceWidth);
  const double bore = ReadNumberField(kFieldIntPinionBore);
  const double backlash = ReadNumberField(kFieldIntBacklash);
  // The ring builder reads the rim thickness (and the fields above) itself;
  // the check covers them all.
  if (!DescribeTabInputFault(kTabInternal).empty()) {
    ShowInputFault(kViewInternal);
    return;
  }

  gInternalCentreDistance = centreDistance;
  gInternalShiftDifference = row->shiftSum;

  ShowShiftOfGear2(kTextIntX2, gInternalShiftDifference + x1);

  InitGearRecord(gGear1, row->module, row->teeth1, x1, alpha, faceWidth, bore, 0.0, row->helixAngleDeg,
                 GetHandSign(kComboIntHand));
  gGear1.thicknessAllowance = ComputeAllowanceFromBacklash(backlash, alpha);
  BuildGearGeometry(gGear1, kViewDensity);
  ApplyHubAndKeyway(gGear1, 0);

  BuildRingFromInputs(kViewDensity);

  // Interference over one pinion pitch, on copies with a finer outline; the
  // shown records keep the view's density.
  gInternalPenetration = ComputeInternalPairPenetration(gGear1, gRing, gInternalCentreDistance);

  const bool fitNow = fit == 1 || gViewMode != kViewInternal;
  gViewMode = kViewInternal;
  if (fitNow) FitView();
  ReportShow();
  RedrawView();
}
