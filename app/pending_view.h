// View procedures the dispatch calls (the view, fit, zoom and pan).
// PLACEHOLDER until the view lands: the view's own header replaces this one
// and app/pending_view.cpp is deleted with it.
#pragma once

void RedrawView();
void FitView();
// Wheel zoom about the cursor on a w x h canvas; refuses non-finite results.
void ZoomViewAtCursor(int w, int h, int mx, int my, int notches);
// Drag pan from the centre at the press by the mouse travel since the press.
void PanViewFromDrag(double startCentreX, double startCentreY, int startX, int startY, int mx, int my);
