// The points of a gear's or rack's outline that a frame draws: the outline
// thinned at the frame's pixel size, once per outline and zoom, so that the
// frames of the animation turn and clip a few thousand points instead of
// every point the geometry computed.
#pragma once

#include <vector>

#include "geometry/outline.h"

// The outline's points in order (the curves one after another, shared end
// points kept twice), thinned as the closed figure they form at
// `devicePixelsPerMm`: points closer than kStrokePointSpacing device pixels to
// the last one kept, and runs within half kStraightRunTolerance of one
// segment, are left out (platform/canvas_drawing.h; the drawing output thins
// the turned figure again with the full tolerance). The points kept are the
// outline's own, unchanged. The first time an outline is asked for at a scale,
// every point comes back; it is thinned when asked for again. The list stays
// valid until the next call.
const std::vector<OutlinePoint>& GetDrawnOutlinePoints(const Outline& outline, double devicePixelsPerMm);
