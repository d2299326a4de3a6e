// Mouse and wheel events of the view canvas: focus on enter, zoom about the
// cursor, drag to pan, double-click to fit.
#include <cmath>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_program.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "platform/gui.h"

void HandleCanvasEvent(int64_t subtype) {
  // The control reports device pixels; the view works in logical pixels.
  const double scale = (gDeviceScale > 0 && std::isfinite(gDeviceScale)) ? gDeviceScale : 1.0;
  const int64_t mx = std::llround(double(GadgetGetAttribute(kCanvasView, kAttrCanvasMouseX)) / scale);
  const int64_t my = std::llround(double(GadgetGetAttribute(kCanvasView, kAttrCanvasMouseY)) / scale);
  gMouseX = mx;
  gMouseY = my;
  switch (subtype) {
    case kSubMouseEnter: GadgetSetFocus(kCanvasView); break;
    case kSubWheel: {
      const int notches = int(GadgetGetAttribute(kCanvasView, kAttrCanvasWheelDelta));
      ZoomViewAtCursor(GadgetGetWidth(kCanvasView), GadgetGetHeight(kCanvasView), int(mx), int(my), notches);
      RedrawView();
      break;
    }
    case kSubLeftDown:
      gDragging = 1;
      gDragStartX = mx;
      gDragStartY = my;
      gDragStartCentreX = gViewCentreX;
      gDragStartCentreY = gViewCentreY;
      break;
    case kSubLeftUp: gDragging = 0; break;
    case kSubMouseMove:
      if (gDragging != 0) {
        PanViewFromDrag(gDragStartCentreX, gDragStartCentreY, int(gDragStartX), int(gDragStartY), int(mx), int(my));
        RedrawView();
      }
      break;
    case kSubDoubleClick:
      FitView();
      RedrawView();
      break;
    default: break;
  }
}
