// Clipping of shapes to the canvas plus a margin, and circles as polylines cut
// to what can be seen, so that any zoom up to 100000 px/mm draws quickly.
// All coordinates are canvas logical pixels (y down) unless said otherwise.
#pragma once

#include <cstdint>
#include <vector>

#include "app/view_transform.h"

// The clip rectangle: the canvas plus kClipMargin pixels on every side, set
// once per frame by SetClipRectangle.
extern double gClipXMin;
extern double gClipXMax;
extern double gClipYMin;
extern double gClipYMax;
// Entry and exit parameters (0 <= t0 <= t1 <= 1) along the last segment that
// ClipSegment found visible.
extern double gClipT0;
extern double gClipT1;

inline constexpr double kClipMargin = 40.0;

// The four clip edges, in the order in which polygons are clipped.
enum ClipEdge : int { kClipEdgeLeft = 0, kClipEdgeRight = 1, kClipEdgeTop = 2, kClipEdgeBottom = 3 };

// Continuation state of DrawClippedSegment: whether the next visible piece may
// continue the current figure.
enum class SegmentJoin { kNewFigure, kContinue };

using CanvasPointList = std::vector<CanvasPoint>;

// gClipXMin = gClipYMin = -40, gClipXMax = w + 40, gClipYMax = h + 40.
void SetClipRectangle(double w, double h);

// 1 when p lies on the inner side of edge k or on it.
int64_t IsInsideClipEdge(CanvasPoint p, int k);

// The crossing of segment P-Q with the line of edge k (P and Q lie on different
// sides of it).
CanvasPoint IntersectClipEdge(CanvasPoint p, CanvasPoint q, int k);

// Clips the closed polygon to the rectangle (Sutherland-Hodgman, edges in the
// order left, right, top, bottom) and adds the result to the current path as one
// closed figure when at least 3 points remain. The list is working storage and
// holds the clipped polygon afterwards.
void DrawClippedPolygon(CanvasPointList* points);

// Clips the segment P-Q (Liang-Barsky): 0 when nothing of it is visible, else 1
// with gClipT0 and gClipT1 set.
int64_t ClipSegment(CanvasPoint p, CanvasPoint q);

// Adds the visible part of P-Q to the current path. A piece continues the
// current figure only when *join allows it and the piece starts at P uncut;
// afterwards *join allows continuing only when the piece reached Q uncut.
void DrawClippedSegment(CanvasPoint p, CanvasPoint q, SegmentJoin* join);

// The visible part of the circle with centre (cx, cy) and radius r (model mm) as
// canvas points: the whole circle (no repeated end point) when its pixel radius
// R is below twice the clip rectangle's diagonal, else only the arc that faces
// the view, closed as a sector through the centre when `sector` is set. Chords
// stay within about a quarter pixel of the arc. Returns 1 with points, 0 (empty
// list) when the circle cannot be seen.
int64_t BuildArcPolyline(double cx, double cy, double r, CanvasPointList* points, int sector);
