// Filling the main window's report editor from the design on screen.
#include "app/report_show.h"

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/strength_report_update.h"
#include "design/report.h"
#include "platform/gui.h"

void ReportShow() {
  ReportDesign design;
  design.mode = gViewMode;
  design.gear1 = &gGear1;
  design.gear2 = &gGear2;
  design.rack = &gRack;
  design.ring = &gRing;
  design.pairCentreDistance = gPairCentreDistance;
  design.internalCentreDistance = gInternalCentreDistance;
  design.internalPenetration = gInternalPenetration;
  GadgetSetText(kEditorReport, ReportBuildText(design));
  ReportUpdateStrength();
}
