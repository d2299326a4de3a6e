// PLACEHOLDER until the view lands: delete this file with app/pending_view.h.
// The canvas keeps its plain background; zoom and pan follow the wheel and
// drag rules so the dispatch can be exercised.
#include "app/pending_view.h"

#include <cmath>

#include "app/globals.h"

void RedrawView() {}

void FitView() {}

void ZoomViewAtCursor(int w, int h, int mx, int my, int notches) {
  const double px = gViewCentreX + (mx - w / 2.0) / gZoom;
  const double py = gViewCentreY - (my - h / 2.0) / gZoom;
  double zoom = gZoom * std::pow(1.2, notches);
  if (zoom > 100000.0) zoom = 100000.0;
  if (zoom < 0.01) zoom = 0.01;
  const double cx = px - (mx - w / 2.0) / zoom;
  const double cy = py + (my - h / 2.0) / zoom;
  if (!std::isfinite(zoom) || !std::isfinite(cx) || !std::isfinite(cy)) return;
  gZoom = zoom;
  gViewCentreX = cx;
  gViewCentreY = cy;
}

void PanViewFromDrag(double startCentreX, double startCentreY, int startX, int startY, int mx, int my) {
  const double cx = startCentreX - (mx - startX) / gZoom;
  const double cy = startCentreY + (my - startY) / gZoom;
  if (!std::isfinite(cx) || !std::isfinite(cy)) return;
  gViewCentreX = cx;
  gViewCentreY = cy;
}
