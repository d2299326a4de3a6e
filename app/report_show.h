// Filling the main window's report editor from the design on screen.
#pragma once

// Builds the report of gViewMode from the global gear records, sets it as the
// text of editor 48 (empty for no design), then lets the strength window
// refresh itself.
void ReportShow();
