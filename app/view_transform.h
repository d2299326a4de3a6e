// The view transform: model millimetres (x right, y up) to canvas logical
// pixels (origin top-left, x right, y down), and the arithmetic of fit, wheel
// zoom and drag pan on the view state (gZoom, gViewCentreX, gViewCentreY).
#pragma once

#include <cstdint>

#include "geometry/path_of_contact.h"

// A point on the canvas in logical pixels (y down).
struct CanvasPoint {
  double x = 0.0;
  double y = 0.0;
};

// Limits of the wheel zoom in pixels per mm (a fit may go outside them).
inline constexpr double kViewZoomMin = 0.01;
inline constexpr double kViewZoomMax = 100000.0;
// One wheel notch scales the view by this factor.
inline constexpr double kViewZoomStep = 1.2;
// Margins of the fit: 40 px across and 60 px down in all.
inline constexpr double kFitMarginX = 40.0;
inline constexpr double kFitMarginY = 60.0;

// The canvas size (logical pixels) that WorldToScreen works with: the canvas
// control's current size, or the size fixed for the frame being drawn.
void GetViewCanvasSize(int* w, int* h);
// Fixes the canvas size for one frame, so that the thousands of WorldToScreen
// calls of a redraw do not each ask the platform; the frame ends with
// ClearViewFrameSize. The canvas cannot change size while a frame is drawn.
void SetViewFrameSize(int w, int h);
void ClearViewFrameSize();

// Model point (mm) -> canvas point (logical px):
// X = w/2 + (x - gViewCentreX) * gZoom,  Y = h/2 - (y - gViewCentreY) * gZoom.
CanvasPoint WorldToScreen(double x, double y);

// WorldToScreen with the canvas size and the view state read once, for the
// long point lists of a frame: the same arithmetic, hence the same points.
struct ScreenMapping {
  double halfWidth = 0.0;   // w/2
  double halfHeight = 0.0;  // h/2
  double centreX = 0.0;     // gViewCentreX
  double centreY = 0.0;     // gViewCentreY
  double zoom = 1.0;        // gZoom
  CanvasPoint Map(double x, double y) const {
    return {halfWidth + (x - centreX) * zoom, halfHeight - (y - centreY) * zoom};
  }
};
ScreenMapping GetScreenMapping();

// The point T1 + t u of a line of action (origin T1, unit direction u, t in mm
// along it) on the canvas.
CanvasPoint PathPointToScreen(const PathOfContactRecord& path, double t);

// 1 when the canvas point lies inside the clip rectangle (the canvas widened by
// the clip margin), all four bounds inclusive.
int64_t IsPointInView(CanvasPoint p);

// Model extents of a design, in mm.
struct ViewExtents {
  double xMin = 0.0;
  double xMax = 0.0;
  double yMin = 0.0;
  double yMax = 0.0;
};

// The extents of the current mode's design; 0 for mode 0 (nothing to frame).
int64_t ComputeViewExtents(ViewExtents* extents);

// Frames the extents on a canvas of w x h logical pixels: centre in the middle,
// zoom = min((w - 40) / width, (h - 60) / height), 1.0 when that is not positive.
// An extent that is zero, negative, NaN or infinite would give no usable scale:
// the view is then left as it was and 0 is returned; else 1.
int64_t FitViewToExtents(const ViewExtents& extents, int w, int h);

// Frames the current mode's design on the canvas (mode 0: unchanged).
void FitView();

// Wheel turned by `notches` (positive = zoom in) with the cursor at (mx, my)
// on a w x h canvas: zoom by 1.2^notches within [0.01, 100000] px/mm and keep
// the model point under the cursor. A step that would make the zoom or the
// centre non-finite is refused (the view keeps its last values).
void ZoomViewAtCursor(int w, int h, int mx, int my, int notches);

// Drag pan: the centre at the press moved by the mouse travel since the press
// (the model follows the mouse; screen y grows downward, model y upward).
void PanViewFromDrag(double startCentreX, double startCentreY, int startX, int startY, int mx,
                     int my);
