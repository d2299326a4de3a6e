// Tooth outline of an external gear by simulating the rack cutter, and the
// point helpers shared by the gear, rack and ring gear builders.
#pragma once

#include <cstdint>
#include <vector>

#include "geometry/gear_record.h"
#include "geometry/outline.h"

// One point of a working list: polar radius and the angle from the tooth
// centre line (the first flank of tooth t lies at phi_t - angle).
struct PolarPoint {
  double radius = 0.0;
  double angle = 0.0;
};

// Appends (radius cos angle, radius sin angle) to the curve. Returns 0.
int OutlineAddPolarPoint(OutlineCurve& curve, double radius, double angle);

// Appends (x, y) to the curve. Returns 0.
int PointListAdd(OutlineCurve& curve, double x, double y);

// Appends a two-point curve to rec.outline, unless |dx| + |dy| < 1e-9. Returns 0.
int OutlineAddSegment(GearRecord& rec, double x1, double y1, double x2, double y2);

// The involute flank point at radius of a tooth centred on the x axis:
// (radius cos psi, radius sin psi). Returns 0.
int ComputeFlankPoint(const GearRecord& rec, double radius, OutlinePoint& out);

// p = flank point at radius; q = p + c nv with nv the flank normal that does
// not point towards increasing polar angle. Returns |q| - (target - c): zero
// where a circle of radius c touching the flank also touches the circle of
// radius target.
double OffsetInvolutePoint(const GearRecord& rec, double radius, double c, double target,
                           OutlinePoint& p, OutlinePoint& q);

// --- Steps of BuildGearGeometry (external gears) ---

// The trochoid swept by the tool's tip rounding, clipped at the half pitch and,
// for an undercut gear, trimmed where it crosses the involute (solved on the
// continuous trochoid, so the end does not depend on the density). Needs the
// record's transverse values, toolShift, rootRadius and undercut. Writes the
// kept points (root end first), the root arc half angle theta_c and the
// least angle from the tooth centre line that the kept fillet reaches (for
// an undercut gear also between its points).
void BuildRootFillet(const GearRecord& rec, int pointDensity, std::vector<PolarPoint>& kept,
                     double& rootArcHalfAngle, double& leastAngle);

// The involute flank from the fillet end (rs, a_s) to the tip radius ra,
// 14 n steps equally spaced in roll angle. tipHalfAngle is psi(ra) raised to 0.
void BuildInvoluteFlank(const GearRecord& rec, int pointDensity, const PolarPoint& flankStart,
                        double tipRadius, double tipHalfAngle, std::vector<PolarPoint>& flank);

// Appends the curves of the first toothCount teeth (all z, or just tooth 0)
// to rec.outline (root arc, fillet, flank, tip arc, flank, fillet),
// counter-clockwise from tooth 0. Tooth t is tooth 0 turned by ComputeToothTurn.
void AppendGearTeeth(GearRecord& rec, int pointDensity, const std::vector<PolarPoint>& fillet,
                     const std::vector<PolarPoint>& flank, double rootArcHalfAngle,
                     double tipHalfAngle, int64_t toothCount);

// The turn of tooth t of z about the gear centre: cos and sin of 2 pi t / z.
struct ToothTurn {
  double c = 1.0;
  double s = 0.0;
};
ToothTurn ComputeToothTurn(int64_t teeth, int64_t t);

// A point of tooth 0 turned to its place on another tooth.
inline OutlinePoint TurnOutlinePoint(const OutlinePoint& p, const ToothTurn& turn) {
  return {p.x * turn.c - p.y * turn.s, p.x * turn.s + p.y * turn.c};
}
