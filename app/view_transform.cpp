// The view transform and the arithmetic of fit, wheel zoom and drag pan.
#include "app/view_transform.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/view_clip.h"
#include "geometry/rack.h"
#include "platform/gui.h"

namespace {

// The canvas size fixed for the frame being drawn; negative when no frame is.
int gFrameWidth = -1;
int gFrameHeight = -1;

bool IsFiniteExtents(const ViewExtents& e) {
  return std::isfinite(e.xMin) && std::isfinite(e.xMax) && std::isfinite(e.yMin) &&
         std::isfinite(e.yMax);
}

}  // namespace

void GetViewCanvasSize(int* w, int* h) {
  if (gFrameWidth >= 0) {
    *w = gFrameWidth;
    *h = gFrameHeight;
    return;
  }
  *w = GadgetGetWidth(kCanvasView);
  *h = GadgetGetHeight(kCanvasView);
}

void SetViewFrameSize(int w, int h) {
  gFrameWidth = std::max(w, 0);
  gFrameHeight = std::max(h, 0);
}

void ClearViewFrameSize() {
  gFrameWidth = -1;
  gFrameHeight = -1;
}

CanvasPoint WorldToScreen(double x, double y) {
  int w = 0;
  int h = 0;
  GetViewCanvasSize(&w, &h);
  return {0.5 * w + (x - gViewCentreX) * gZoom, 0.5 * h - (y - gViewCentreY) * gZoom};
}

ScreenMapping GetScreenMapping() {
  int w = 0;
  int h = 0;
  GetViewCanvasSize(&w, &h);
  return {0.5 * w, 0.5 * h, gViewCentreX, gViewCentreY, gZoom};
}

CanvasPoint PathPointToScreen(const PathOfContactRecord& path, double t) {
  return WorldToScreen(path.t1X + t * path.directionX, path.t1Y + t * path.directionY);
}

int64_t IsPointInView(CanvasPoint p) {
  return (p.x >= gClipXMin && p.x <= gClipXMax && p.y >= gClipYMin && p.y <= gClipYMax) ? 1 : 0;
}

int64_t ComputeViewExtents(ViewExtents* extents) {
  switch (gViewMode) {
    case kViewPair: {
      const double ra1 = gGear1.tipRadius;
      const double ra2 = gGear2.tipRadius;
      const double rMax = std::max(ra1, ra2);
      *extents = {-ra1, gPairCentreDistance + ra2, -rMax, rMax};
      return 1;
    }
    case kViewSingle: {
      const double ra1 = gGear1.tipRadius;
      *extents = {-ra1, ra1, -ra1, ra1};
      return 1;
    }
    case kViewRack: {
      // The rack runs L/2 either side of the pinion axis; one transverse pitch
      // more on each side leaves room for its travel.
      const double ra1 = gGear1.tipRadius;
      const double halfLength = 0.5 * gRack.rackLength;
      const double pitch = std::numbers::pi * gRack.transverseModule;
      const double yp = ComputeRackPitchLineOffset(gGear1);
      *extents = {std::min(-ra1, -halfLength - pitch), std::max(ra1, halfLength + pitch),
                  yp - gRack.rackHeight, ra1};
      return 1;
    }
    case kViewInternal: {
      // The pinion lies inside the ring and adds nothing.
      const double r = std::max(gRing.rimRadius, 1.0);
      *extents = {-r, r, -r, r};
      return 1;
    }
    default:
      return 0;
  }
}

int64_t FitViewToExtents(const ViewExtents& e, int w, int h) {
  const double width = e.xMax - e.xMin;
  const double height = e.yMax - e.yMin;
  // A design with a zero, negative or non-finite extent gives no usable scale
  // (a record whose tip or rim radius is 0, NaN or infinite): keep the view.
  if (!IsFiniteExtents(e) || !(width > 0.0) || !(height > 0.0) || !std::isfinite(width) ||
      !std::isfinite(height)) {
    return 0;
  }
  double zoom = std::min((w - kFitMarginX) / width, (h - kFitMarginY) / height);
  if (!(zoom > 0.0)) zoom = 1.0;  // a canvas smaller than the margins
  const double cx = 0.5 * (e.xMin + e.xMax);
  const double cy = 0.5 * (e.yMin + e.yMax);
  if (!std::isfinite(zoom) || !std::isfinite(cx) || !std::isfinite(cy)) return 0;
  gViewCentreX = cx;
  gViewCentreY = cy;
  gZoom = zoom;
  return 1;
}

void FitView() {
  ViewExtents extents;
  if (!ComputeViewExtents(&extents)) return;
  int w = 0;
  int h = 0;
  GetViewCanvasSize(&w, &h);
  FitViewToExtents(extents, w, h);
}

void ZoomViewAtCursor(int w, int h, int mx, int my, int notches) {
  const double offsetX = mx - 0.5 * w;
  const double offsetY = my - 0.5 * h;
  // The model point under the cursor.
  const double wx = gViewCentreX + offsetX / gZoom;
  const double wy = gViewCentreY - offsetY / gZoom;
  double zoom = gZoom * std::pow(kViewZoomStep, notches);
  if (zoom > kViewZoomMax) zoom = kViewZoomMax;
  if (zoom < kViewZoomMin) zoom = kViewZoomMin;
  const double cx = wx - offsetX / zoom;
  const double cy = wy + offsetY / zoom;
  if (!std::isfinite(zoom) || !std::isfinite(cx) || !std::isfinite(cy)) return;
  gZoom = zoom;
  gViewCentreX = cx;
  gViewCentreY = cy;
}

void PanViewFromDrag(double startCentreX, double startCentreY, int startX, int startY, int mx,
                     int my) {
  const double cx = startCentreX - (mx - startX) / gZoom;
  const double cy = startCentreY + (my - startY) / gZoom;
  if (!std::isfinite(cx) || !std::isfinite(cy)) return;
  gViewCentreX = cx;
  gViewCentreY = cy;
}
