// Filling the main window's report editor from the design on screen.
#include "app/report_show.h"

#include <string>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/strength_report_update.h"
#include "app/tab_compute.h"
#include "design/report.h"
#include "design/report_lines.h"
#include "platform/gui.h"
#include "texts/input_fault_texts.h"

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
  const std::string report = ReportBuildText(design);
  // Inputs that describe no design come first, so a report of the last valid
  // design is never read as that of the fields.
  const std::string fault = DescribeShownInputFault();
  std::string text;
  if (!fault.empty()) {
    ReportAppendLine(text, {texts::kFaultReportLead, fault});
    if (!report.empty()) {
      ReportAppendLine(text, {texts::kFaultReportKeptDesign});
      text += kReportLineEnd;
    }
  }
  // Fields read as 0 from a text with no number: the design is made, named here.
  std::string notes;
  if (fault.empty() && !report.empty()) {
    for (const std::string& note : DescribeShownInputNotes()) ReportAppendLine(notes, {texts::kFaultReportLead, note});
    if (!notes.empty()) notes += kReportLineEnd;
  }
  GadgetSetText(kEditorReport, text + notes + report);
  ReportUpdateStrength();
}
