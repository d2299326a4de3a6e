// The redraw of the view: device scale, clip rectangle, background, the design
// of the mode in its fixed mesh frame, and the hint or the status line.
#include "app/view_redraw.h"

#include <cmath>
#include <numbers>
#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_window.h"
#include "app/tab_compute.h"
#include "app/view_clip.h"
#include "app/view_draw.h"
#include "app/view_overlays.h"
#include "app/view_transform.h"
#include "geometry/format.h"
#include "geometry/path_of_contact.h"
#include "geometry/rack.h"
#include "platform/canvas_path.h"
#include "platform/gui.h"
#include "texts/view_texts.h"

namespace {

// Check box 42 "Line of action".
bool IsLineOfActionShown() { return GadgetGetState(kCheckLineOfAction) != 0; }

// Gears of the mode, each in the mesh's one fixed frame: the external pair with
// gear 1 at the origin and gear 2 at (a, 0); the rack below the pinion,
// shifted along by the pinion's turn; the ring at the origin turning at z1/z2
// with the pinion at (a, 0).
void DrawDesignOfMode() {
  switch (gViewMode) {
    case kViewPair:
      DrawGear(gGear1, 0.0, 0.0, gAnimAngle, kGear1Colour);
      DrawGear(gGear2, gPairCentreDistance, 0.0, ComputeGear2MeshAngle(), kGear2Colour);
      if (IsLineOfActionShown() && gGear1.valid && gGear2.valid) DrawPairContactOverlay();
      break;
    case kViewSingle:
      DrawGear(gGear1, 0.0, 0.0, gAnimAngle, kGear1Colour);
      break;
    case kViewRack: {
      const double shift = ComputeRackOffset(gGear1, gRack, gAnimAngle);
      DrawGear(gGear1, 0.0, 0.0, gAnimAngle, kGear1Colour);
      DrawRack(gRack, shift, ComputeRackPitchLineOffset(gGear1), kGear2Colour);
      if (IsLineOfActionShown() && gGear1.valid && gRack.valid) DrawRackContactOverlay(shift);
      break;
    }
    case kViewInternal: {
      const double ringAngle =
          gRing.teeth > 0 ? gAnimAngle * static_cast<double>(gGear1.teeth) / static_cast<double>(gRing.teeth)
                          : 0.0;
      DrawGear(gRing, 0.0, 0.0, ringAngle, kGear2Colour);
      DrawGear(gGear1, gInternalCentreDistance, 0.0, gAnimAngle, kGear1Colour);
      if (IsLineOfActionShown() && gGear1.valid && gRing.valid) DrawInternalContactOverlay();
      break;
    }
    default: {
      double y = 20.0;
      for (const std::string& line : ViewHintLines()) {
        DrawingText(20.0, y, line, gCanvasFont, kViewHintSize, kViewHintColour);
        y += kViewHintLineStep;
      }
      break;
    }
  }
}

}  // namespace

std::vector<std::string> ViewHintLines() {
  // "Calculate the modules and pick a row" would point the wrong way while a
  // row is chosen, or on the Single and Rack tabs: name the field instead.
  const std::string fault = DescribeShownInputFault();
  if (fault.empty()) return {std::string(texts::kViewHint)};
  std::vector<std::string> lines{std::string(texts::kViewInputFaultLead)};
  constexpr std::string_view kClauseEnd = "; ";
  std::size_t start = 0;
  for (std::size_t end = fault.find(kClauseEnd); end != std::string::npos; end = fault.find(kClauseEnd, start)) {
    lines.push_back(fault.substr(start, end + 1 - start));
    start = end + kClauseEnd.size();
  }
  lines.push_back(fault.substr(start));
  return lines;
}

double ComputeGear2MeshAngle() { return ComputeGear2MeshAngle(gGear1, gGear2, gAnimAngle); }

void RedrawView() {
  const int w = GadgetGetWidth(kCanvasView);
  const int h = GadgetGetHeight(kCanvasView);
  if (!DrawingStart(CanvasGetOutput(kCanvasView))) return;

  // Device pixels per logical pixel of this frame; all further coordinates are
  // logical pixels.
  if (w > 0) {
    double scale = static_cast<double>(DrawingOutputWidth()) / w;
    if (!(scale > 0.0) || !std::isfinite(scale)) scale = 1.0;
    gDeviceScale = scale;
  }
  DrawingScale(gDeviceScale, gDeviceScale);
  SetViewFrameSize(w, h);
  SetClipRectangle(w, h);
  PathClear();
  DrawingFillOutput(kViewBackground);

  DrawDesignOfMode();

  if (gViewMode != kViewNone) {
    DrawRootSectionOverlay();  // draws only while the strength window is shown
    std::string status(texts::kViewStatusPrefix);
    status += FormatNumber(gZoom, 2);
    status += texts::kViewStatusSuffix;
    DrawingText(10.0, h - 24.0, status, gCanvasFont, kViewStatusSize, kViewStatusColour);
  }

  PathClear();
  ClearViewFrameSize();
  DrawingStop();
}
