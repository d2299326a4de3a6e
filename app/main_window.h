// The main window: layout metrics from the default control font, the left
// column with the four tabs, view and export controls and the report, and the
// view canvas.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Layout metrics in logical pixels, set once by ComputeUiMetrics before any
// control is made; the strength and hub windows use them too.
extern int gLineHeight;      // height of "Ag" in the default control font (15 when < 10)
extern int gFieldHeight;     // gLineHeight + 8
extern int gRowStep;         // gFieldHeight + 5
extern int gFieldX;          // widest label + 22
extern int gFieldWidth;      // ceil(150 * s), s = gLineHeight / 15
extern int gHalfFieldWidth;  // (gFieldWidth - 6) / 2
extern int gPanelWidth;      // gFieldX + gFieldWidth + 18
extern int gAreaWidth;       // gPanelWidth + 38, width of the left column
extern int gReportTop;       // y of the report editor inside the left column

// Fonts: "Consolas" 9 pt for the report editors, "Segoe UI" 10 pt for the
// canvas texts (with the system's monospace / sans fallbacks).
extern int64_t gReportFont;
extern int64_t gCanvasFont;

// Builds window 0 with all its controls, the pop-up menu and the shortcuts,
// binds its size callback and lays it out once.
void BuildMainWindow();
// The layout metrics from a line height and a widest label (logical pixels);
// a line height below 10 counts as 15.
void SetUiMetrics(int lineHeight, int widestLabel);
// Sets the layout metrics from the default control font and the widest of
// the given labels.
void ComputeUiMetrics(const std::vector<std::string_view>& labels);
// The label of an input row at row cursor y in the current container.
void AddFieldLabel(int y, std::string_view text);
// Where the width the metrics give would cut a control's text, the control
// grows to the right to its widest text (a combo box: its widest item) in its
// own font; its position stays. Returns the control's right edge.
int WidenToFit(int64_t control);
// WidenToFit for a control with `next` to its right in the same row: should
// the control grow into the gap before `next`, `next` starts later by as
// much and keeps its right edge.
void WidenBeforeNeighbour(int64_t control, int64_t next);
// Size callback of window 0: re-fits the column height, the report editor and
// the canvas, then redraws. Returns 0.
int64_t LayoutMainWindow();
