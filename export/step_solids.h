// The B-rep solids of the STEP export: one MANIFOLD_SOLID_BREP per gear, rack
// or ring gear, built from the record's tooth outline and face width.
//
// Frame: the body's own outline point (px, py) lies at
// (x0 + px cos phi - py sin phi, y0 + px sin phi + py cos phi); the gear body
// spans z = 0 (bottom end face) to z = b (top end face), hubs lie outside it.
// Every face is oriented with its normal out of the material.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "export/step_entities.h"
#include "geometry/gear_record.h"

// Point density of the outline that the side faces of spur gears, spur ring
// gears and racks are interpolated through (the view draws at 1).
inline constexpr int kStepPointDensity = 2;

// Writes the solid of one body and returns the number of its
// MANIFOLD_SOLID_BREP, or 0 when the record has no outline to write.
int64_t StepWriteGearSolid(const GearRecord& gear, double x0, double y0, double phi);

// Spur gears, spur ring gears and racks (helical racks as an oblique prism).
int64_t StepWriteExtrudedSolid(const GearRecord& gear, double x0, double y0, double phi);

// Helical gears and helical ring gears: B-spline flank surfaces swept along
// the helix.
int64_t StepWriteHelicalSolid(const GearRecord& gear, double x0, double y0, double phi);

// Closes the solid after its side faces: end faces, bore or rim, hubs, the
// shell and the named solid. bottomEdges and topEdges hold the N outline
// edges at z = 0 and z = b in outline order; faceList is "#f,#f,...".
int64_t StepFinishSolid(const GearRecord& gear, double x0, double y0, double phi,
                        const std::vector<int64_t>& bottomEdges, const std::vector<int64_t>& topEdges,
                        int64_t n, std::string faceList);
int64_t StepFinishSolidPlain(const GearRecord& gear, double x0, double y0,
                             const std::vector<int64_t>& bottomEdges,
                             const std::vector<int64_t>& topEdges, int64_t n, std::string faceList);
int64_t StepFinishSolidWithHub(const GearRecord& gear, double x0, double y0, double phi,
                               const std::vector<int64_t>& bottomEdges,
                               const std::vector<int64_t>& topEdges, int64_t n, std::string faceList);

// The bore contour at height z (keyway on the gear's +x axis, turned by phi).
void StepWriteBoreLoop(const GearRecord& gear, double x0, double y0, double phi, double z,
                       int64_t axisDirection, int64_t refDirection, StepBoreLoop& loop);

// A point of the 6-decimal grid the file's coordinates lie on.
struct StepGridPoint {
  double x = 0.0;
  double y = 0.0;
};

// Of the grid points within kStepCircleSnapReach units of (px, py) rounded,
// the one nearest the circle about (cx, cy) of radius r (all three as
// written): a vertex there lies on its written circle as closely as the
// grid allows.
StepGridPoint StepNearestGridPointOnCircle(double cx, double cy, double r, double px, double py);

// Two half-cylinder faces (normal away from the axis) between two full
// circles at zLow and zHigh; returns ",#face1,#face2".
std::string StepWriteCylinderFaces(const StepCircleEdges& lower, const StepCircleEdges& upper,
                                   double x0, double y0, double zLow, double zHigh, double radius,
                                   int64_t axisDirection, int64_t refDirection);

// The face of one side run: loop bottom edge .T., right edge .T., top edge
// .F., left edge .F.; FACE_OUTER_BOUND and ADVANCED_FACE on the surface with
// sense .T. Returns the face.
int64_t StepWriteSideFace(int64_t bottomEdge, int64_t rightEdge, int64_t topEdge, int64_t leftEdge,
                          int64_t surface);

// Appends ",#face" to list, or "#face" when it is empty.
void StepAppendFace(std::string& list, int64_t face);
