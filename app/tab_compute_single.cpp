// Compute drivers of the single-gear and rack tabs, the rack builder, and the
// recompute of whichever tab is shown.
#include <cmath>
#include <cstdint>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/report_show.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "design/field_reading.h"
#include "design/hub_keyway_apply.h"
#include "design/number_text.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "platform/gui.h"

namespace {

constexpr int kViewDensity = 1;

// The raw text of a field read as a whole number (tooth counts: "20.7" is 20).
int64_t ReadWholeNumberField(int64_t control) { return ParseWholeNumberText(GadgetGetText(control)); }

}  // namespace

void ComputeSingleTab(int64_t fit) {
  const double m = ReadNumberField(kComboSingleModule);
  const int64_t z = ReadWholeNumberField(kFieldSingleTeeth);
  const double alpha = ReadNumberField(kFieldSinglePressureAngle);
  const double beta = ReadNumberField(kFieldSingleHelixAngle);
  const double x = ReadNumberField(kFieldSingleShift);
  const double faceWidth = ReadNumberField(kFieldSingleFaceWidth);
  const double bore = ReadNumberField(kFieldSingleBore);
  const double allowance = ReadNumberField(kFieldSingleThicknessAllowance);
  // A value out of range, or no finite number, builds nothing: the report
  // never mixes it with a half-built new design, and says which field it is.
  if (!DescribeTabInputFault(kTabSingle).empty()) {
    ShowInputFault(kViewSingle);
    return;
  }

  InitGearRecord(gGear1, m, z, x, alpha, faceWidth, bore, 0.0, beta, GetHandSign(kComboSingleHand));
  // A single gear takes the allowance as given (no backlash to share).
  gGear1.thicknessAllowance = allowance;
  BuildGearGeometry(gGear1, kViewDensity);
  ApplyHubAndKeyway(gGear1, 0);

  const bool fitNow = gViewMode != kViewSingle || fit == 1;
  gViewMode = kViewSingle;
  if (fitNow) FitView();
  ReportShow();
  RedrawView();
}

void BuildRackFromInputs(int64_t density) {
  const int pointDensity = static_cast<int>(density);
  const double alpha = ReadNumberField(kFieldRackPressureAngle);
  // The rack has the pinion's hand: its teeth lie at the same angle.
  BuildRackGeometry(gRack, ReadNumberField(kComboRackModule), alpha, ReadNumberField(kFieldRackHelixAngle),
                    GetHandSign(kComboRackHand), ReadWholeNumberField(kFieldRackTeeth),
                    ReadNumberField(kFieldRackHeight), ReadNumberField(kFieldRackFaceWidth),
                    ComputeAllowanceFromBacklash(ReadNumberField(kFieldRackBacklash), alpha), pointDensity);
}

void ComputeRackTab(int64_t fit) {
  const double m = ReadNumberField(kComboRackModule);
  const int64_t z = ReadWholeNumberField(kFieldRackPinionTeeth);
  const double alpha = ReadNumberField(kFieldRackPressureAngle);
  const double beta = ReadNumberField(kFieldRackHelixAngle);
  const double x = ReadNumberField(kFieldRackShift);
  const double faceWidth = ReadNumberField(kFieldRackFaceWidth);
  const double bore = ReadNumberField(kFieldRackPinionBore);
  const double backlash = ReadNumberField(kFieldRackBacklash);
  if (!DescribeTabInputFault(kTabRack).empty()) {
    ShowInputFault(kViewRack);
    return;
  }

  InitGearRecord(gGear1, m, z, x, alpha, faceWidth, bore, 0.0, beta, GetHandSign(kComboRackHand));
  gGear1.thicknessAllowance = ComputeAllowanceFromBacklash(backlash, alpha);
  BuildGearGeometry(gGear1, kViewDensity);
  ApplyHubAndKeyway(gGear1, 0);
  BuildRackFromInputs(kViewDensity);

  const bool fitNow = gViewMode != kViewRack || fit == 1;
  gViewMode = kViewRack;
  if (fitNow) FitView();
  ReportShow();
  RedrawView();
}

void ComputeActiveTab() {
  switch (GadgetGetState(kPanelTabs)) {
    case kTabPair:
      ComputePairTab(0);
      break;
    case kTabSingle:
      ComputeSingleTab(0);
      break;
    case kTabRack:
      ComputeRackTab(0);
      break;
    case kTabInternal:
      ComputeInternalTab(0);
      break;
    default:
      break;
  }
}
