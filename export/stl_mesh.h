// Closed triangle meshes of gears, ring gears and racks for the STL export.
//
// Every mesher appends to gTriangleList triangles ordered counter-clockwise
// seen from outside the body (right-hand normal outwards), places the body's
// centre at (x, y) turned by angle (rad) about z, spans z = 0 .. face width
// (hubs beyond), and returns 1, or 0 when the body cannot be meshed. The
// record passed in is never changed: a copy is rebuilt at point density 16.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/gear_record.h"

// A rack goes to StlMeshRackBody (angle ignored), every other body to
// StlMeshGearBody. Returns the callee's result.
int StlMeshBody(const GearRecord& rec, double x, double y, double angle, double tolerance);

// Plain external gears (with or without a round bore) and ring gears; an
// external gear with a keyway or a hub is passed on to StlMeshGearWithBoreOrHub.
int StlMeshGearBody(const GearRecord& rec, double x, double y, double angle, double tolerance);

// External gear with a keyway and/or hubs below (z < 0) or above (z > b).
int StlMeshGearWithBoreOrHub(const GearRecord& rec, double x, double y, double angle, double tolerance);

// Rack at (x, y), never turned; a helical rack is sheared by its topShift.
int StlMeshRackBody(const GearRecord& rec, double x, double y, double tolerance);

// The prism swept from the plane section X, Y: caps (index triples, CCW in
// the plane) at the bottom and the top, walls along each contour (indices,
// each contour ended by -1). Layer L = 0 .. layers sits at z = width L /
// layers, turned by angle0 + twist L / layers about (cx, cy) and shifted by
// shift L / layers along x. edgeSag[d] is the sag (StlWallSplitsAtStart) of
// the contour edge that leaves point d; empty when the section is exact.
void StlSweepSection(const std::vector<double>& X, const std::vector<double>& Y,
                     const std::vector<int64_t>& capTriangles, const std::vector<int64_t>& contours,
                     const std::vector<double>& edgeSag, double cx, double cy, double angle0, double twist,
                     double shift, double width, int64_t layers);

// How to split the wall between the section edge d -> e (section frame,
// about the axis) on one layer and the same edge turned by layerTwist (rad)
// on the next: 1 along d -> e', 0 along e -> d'. sag is how far the true
// outline bulges beyond the chord d -> e to its right (outwards, the body
// lies left of its contours); negative when it lies inside.
//
// The middle of each diagonal misses the turned, swept outline by about
// sag + p a^2 / 8 +- L a / 4 (p the distance of the chord's line from the
// axis, a the layer twist, L the chord length; the sign + along d -> e'). The
// split takes the diagonal on which the last term works against the others,
// so with sag and twist each within half the chord tolerance the walls stay
// within it, whichever way the twist and the outline turn.
int StlWallSplitsAtStart(double dx, double dy, double ex, double ey, double sag, double layerTwist);

// The sag of the chord d -> e of a circle of radius r about the axis, as
// StlWallSplitsAtStart takes it.
double StlCircleChordSag(double dx, double dy, double ex, double ey, double r);

// The wall from z0 to z1 along the closed polygon of the first n points of X,
// Y (placed in the world already). For a counter-clockwise polygon and z0 <
// z1 it faces away from the enclosed area when outward is non-zero, into it
// when 0.
void StlAddSideWalls(const std::vector<double>& X, const std::vector<double>& Y, int64_t n, double z0,
                     double z1, int outward);

// The flat ring at height z between two closed loops around (cx, cy), facing
// +z (faceUp non-zero) or -z; a fan from the centre when nInner is 0.
void StlTriangulateBetweenLoops(const std::vector<double>& outerX, const std::vector<double>& outerY,
                                int64_t nOuter, const std::vector<double>& innerX,
                                const std::vector<double>& innerY, int64_t nInner, double cx, double cy,
                                double z, int faceUp);

// Angular step (rad) of a circle of radius r sampled within chord tolerance
// t: 2 acos(1 - t / r) when r > t, else pi / 2.
double StlCircleStep(double r, double t);

// The reduced section of a gear or ring gear, shared by the gear meshers.
struct StlGearSection {
  GearRecord copy;             // the record rebuilt at point density 16 (of an
                               // external gear the outline of tooth 0 alone)
  double tolerance = 0.0;      // effective chord tolerance (halved when helical)
  double pitchAngle = 0.0;     // p = 2 pi / z
  double sectorOffset = 0.0;   // o: 0.5 external, 0 ring gear
  std::vector<double> X, Y;    // the reduced outline (m points), extra points behind
  std::vector<double> sag;     // per outline point i: how far the fine outline bulges
                               // beyond the chord i -> i + 1 to its right (negative: inside);
                               // 0 throughout for a spur gear, whose walls need none
  int64_t m = 0;               // points of the reduced outline
  std::vector<int64_t> S;      // sector boundaries S[0..z], S[z] = S[0]
};

// Where the section's points reach in the world once turned and moved to
// (x, y): the largest coordinate, either axis, that float32 must hold for
// the caps' triangles (a pinion beside a large ring lies far out).
double StlWorldExtent(const StlGearSection& section, double x, double y);

// Rebuilds, flattens, marks the sector boundaries and reduces. Returns 1, or
// 0 when the copy is not valid or the boundaries are not exactly z.
int StlPrepareGearSection(const GearRecord& rec, double tolerance, StlGearSection& section);

// Twist w (rad) of a helical gear over its face width and the number of
// slices for the controlling radius R at tolerance t; w = 0 and one slice
// for a spur gear. Returns 0 when the twist is not finite.
int StlComputeTwist(const GearRecord& rec, const GearRecord& copy, double R, double t, double& twist,
                    int64_t& slices);

// Index into the circle points behind the outline: m + (q mod count).
int64_t StlCircleIndex(int64_t m, int64_t q, int64_t count);
