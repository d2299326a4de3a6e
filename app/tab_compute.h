// The compute drivers of the four tabs: read a tab's inputs (and, for the two
// pair tabs, the chosen search row) into the global gear records, set the mode,
// refresh the report and redraw; and the rack and ring builders that the
// export uses too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// fit = 1 frames the view on the new design, 0 keeps the view (the single and
// rack drivers also frame it when the mode was another one).
void ComputePairTab(int64_t fit);
void ComputeSingleTab(int64_t fit);
void ComputeRackTab(int64_t fit);
void ComputeInternalTab(int64_t fit);

// Recomputes the tab shown in tab panel 0, keeping the view.
void ComputeActiveTab();

// Builds gRack from the rack tab's fields at the given point density.
void BuildRackFromInputs(int64_t density);

// Builds gRing from the chosen internal row and the internal tab's fields at the
// given point density, with the tip shortened against interference when asked.
void BuildRingFromInputs(int64_t density);

// -1 when the hand combo box shows "left" (state 1), else +1.
int64_t GetHandSign(int64_t control);

// The thickness allowance of each gear for a normal backlash jn at the normal
// pressure angle alpha (degrees): As = jn / (2 cos alpha).
double ComputeAllowanceFromBacklash(double backlash, double pressureAngleDeg);

// The Δx = x2 - x1 of the chosen internal row, kept by ComputeInternalTab so
// that a rebuild of the ring uses the same Δx as the shown design.
extern double gInternalShiftDifference;

// Why the inputs of a tab (0 pair .. 3 internal) describe no design: a warning
// that names the first field its driver cannot use, with the field's text and
// its valid range, e.g. "Number of teeth z = 2 is outside the valid range 3 to
// 1000". Empty when every field is usable, and for a pair tab with no chosen
// row (which describes no design to begin with).
std::string DescribeTabInputFault(int64_t tab);
// The same for the tab shown in tab panel 0.
std::string DescribeShownInputFault();

// Fields of the tab that may be left empty for 0 and hold a text with no
// number: each is read as the field reader takes it and the design is made,
// but the report names it, e.g. "Bore d1 [mm] = abc is no usable number; read
// as 0". Empty for a pair tab with no chosen row.
std::vector<std::string> DescribeTabInputNotes(int64_t tab);
std::vector<std::string> DescribeShownInputNotes();

// What a driver does when its tab's inputs describe no design: the last design
// of the tab (mode tabMode) stays drawn, the design of any other tab is
// cleared, and the report is shown again with the warning on its first line.
void ShowInputFault(int64_t tabMode);
