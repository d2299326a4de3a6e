// Plane tools of the STL export: flattening a gear outline, reducing it within
// a chord tolerance and triangulating polygons by ear clipping.
//
// Conventions: points are (x[k], y[k]) in mm in the body's own frame (y up);
// a polygon is closed implicitly (its last point joins its first) and runs
// counter-clockwise; triangles are index triples, counter-clockwise too.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/gear_record.h"

// The polar angle atan2(y, x) in -pi .. pi within
// kStlApproximatePolarAngleError (rad) modulo 2 pi, at a fraction of the
// cost; NaN at the origin or for a coordinate that is not finite. For ruling
// out points far from a wanted angle before the exact angle is computed.
double StlApproximatePolarAngle(double x, double y);
inline constexpr double kStlApproximatePolarAngleError = 2e-5;

// Twice the signed area of the triangle a, b, c: positive when c lies to the
// left of the directed line from a to b.
inline double Cross2D(double ax, double ay, double bx, double by, double cx, double cy) {
  return (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
}

// Fills x, y and breaks from the outline of rec as one closed polygon. The
// shared first point of every curve after the first is taken once; breaks
// marks point 0 and every junction of two curves (1), other points 0. A last
// point repeating the first within 1e-9 mm is dropped.
void FlattenOutlineToArrays(const GearRecord& rec, std::vector<double>& x, std::vector<double>& y,
                            std::vector<uint8_t>& breaks);

// Ramer-Douglas-Peucker reduction of the stretch first..last (explicit stack,
// no recursion): sets keep[k] = 1 for the points kept within tolerance (mm),
// the two end points always. Flags outside the stretch, and flags already
// set, are left as they are.
void SimplifyPolyline(const std::vector<double>& x, const std::vector<double>& y, int64_t first,
                      int64_t last, double tolerance, std::vector<uint8_t>& keep);

// The largest distance by which curve, the samples of one smooth curve (the
// outline builders end a curve at every corner), bulges beyond the segments
// between its samples: c^2 k / 8 for a segment of length c, with the
// curvature k estimated from the neighbouring samples. A reduction within t
// less this keeps its chords within t of the curve itself, not only of its
// samples.
double OutlineCurveSampleBulge(const OutlineCurve& curve);

// Reduces the closed polygon x, y piece by piece between its marked points
// (breaks; breaks[0] is set to 1 here), keeping every marked point. newX and
// newY receive the kept points in input order; map holds for every input
// point its index in newX, newY or -1 when dropped. Returns the number kept.
int64_t SimplifyClosedOutline(const std::vector<double>& x, const std::vector<double>& y,
                              std::vector<uint8_t>& breaks, double tolerance, std::vector<double>& newX,
                              std::vector<double>& newY, std::vector<int64_t>& map);

// Ear clipping of the simple counter-clockwise polygon whose corners are the
// points indexList[i] of x, y. Appends c - 2 triangles (three indices each)
// to triangles, which is not emptied; nothing for fewer than 3 corners.
// extent: the largest coordinate (mm, either axis) the points reach once
// placed in the world (0: their own); ears too thin for float32 to hold
// there are cut only when nothing else is left.
void TriangulatePolygon(const std::vector<int64_t>& indexList, const std::vector<double>& x,
                        const std::vector<double>& y, std::vector<int64_t>& triangles, double extent = 0.0);
