// The STEP entity list and the small entity writers shared by the solid
// builders. Entity n is the n-th line of the DATA section, numbered from 1
// without gaps; a reference is "#" and the number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One entity line in its final form: #<n>=<text>;
using StepLine = std::string;

// The lines of the current export (app/globals.h holds the list for the whole
// run) and the number of the last entity created.
extern std::vector<StepLine> gStepEntityList;
extern int64_t gStepEntityCount;

// A full circle split into two half-circle edges (written by
// StepWriteCircleEdges): edge0 runs vertex0 -> vertex1, edge1 back.
struct StepCircleEdges {
  int64_t vertex0 = 0;
  int64_t vertex1 = 0;
  int64_t edge0 = 0;
  int64_t edge1 = 0;
  int64_t point0 = 0;
  int64_t point1 = 0;
};

// The bore contour at one height (written by StepWriteBoreLoop): 2 arcs of a
// plain bore, or 1 arc and 3 straight edges of a keyed bore, counter-clockwise.
// Edge j runs from vertex j to vertex (j + 1) mod count. x, y in world mm.
struct StepBoreLoop {
  int64_t count = 0;
  int64_t vertexIds[4] = {0, 0, 0, 0};
  int64_t pointIds[4] = {0, 0, 0, 0};
  int64_t edgeIds[4] = {0, 0, 0, 0};
  int64_t isArc[4] = {0, 0, 0, 0};
  double x[4] = {0.0, 0.0, 0.0, 0.0};
  double y[4] = {0.0, 0.0, 0.0, 0.0};
};

class SafeFileWriter;

// Empties the list and restarts the numbering at 1.
void StepResetEntities();

// Makes StepAddEntity write every line into file, ended by CR LF, as soon as
// it is made, instead of keeping it in gStepEntityList; nullptr goes back to
// the list. The file writer sets it for the DATA section of the file it
// writes, so that the entity text is never held in memory as a whole.
void StepStreamEntitiesTo(SafeFileWriter* file);

// Adds the line "#n=<text>;" with n the next number (to the list, or to the
// file while one is set); returns n.
int64_t StepAddEntity(std::string_view text);

// "#<n>"
std::string StepFormatRef(int64_t n);

// The fixed directions, written literally.
inline constexpr std::string_view kStepDirectionZ = "DIRECTION('',(0.,0.,1.))";
inline constexpr std::string_view kStepDirectionX = "DIRECTION('',(1.,0.,0.))";

int64_t StepWriteCartesianPoint(double x, double y, double z);
// A CARTESIAN_POINT, then the VERTEX_POINT on it; returns the vertex.
int64_t StepWriteVertexPoint(double x, double y, double z);
// A CARTESIAN_POINT at (x, y, z), then AXIS2_PLACEMENT_3D; returns the placement.
int64_t StepWriteAxisPlacement(double x, double y, double z, int64_t axisDirection,
                               int64_t refDirection);
// ORIENTED_EDGE('',*,*,#edge,.T.) or .F. when sameSense is 0.
int64_t StepWriteOrientedEdge(int64_t edge, int sameSense);
// EDGE_CURVE('',#from,#to,#curve,.T.)
int64_t StepWriteEdgeCurve(int64_t fromVertex, int64_t toVertex, int64_t curve);
// EDGE_LOOP over the given oriented edges, in order.
int64_t StepWriteEdgeLoopOver(const std::vector<int64_t>& orientedEdges);

// The circle of radius r about (x, y, z) in the plane of the placement, as two
// vertices at (x +- r, y, z) and two half-circle edges. Returns 0.
int64_t StepWriteCircleEdges(double x, double y, double z, double r, int64_t axisDirection,
                             int64_t refDirection, StepCircleEdges& circle);
// The circle as one loop: forward edge0, edge1 (counter-clockwise about the
// axis); else edge1 and edge0 reversed. Returns "#<loop>".
std::string StepWriteEdgeLoopOfPair(const StepCircleEdges& circle, int forward);
// The bore loop in its own direction (edges 0..count-1 forward). Returns "#<loop>".
std::string StepWriteEdgeLoop(const StepBoreLoop& loop);
// The bore loop reversed (edges count-1..0, each reversed). Returns "#<loop>".
std::string StepWriteEdgeLoopFromArray(const StepBoreLoop& loop);
