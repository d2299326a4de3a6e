// Closing a STEP solid: end faces, plain or keyed bore, ring-gear rim, hub
// cylinders and hub end faces, the closed shell and the named solid.
//
// Heights: the gear body spans z = 0 .. b; a left hub z = -L .. 0, a right hub
// b .. b + L. Faces are oriented out of the material: a bore wall's normal
// points towards the axis (ADVANCED_FACE sense .F. on a cylinder whose
// normal points away from it), a hole in an end face is bounded by a loop
// running against the outer one.
#include <cmath>
#include <string>

#include "export/step_number.h"
#include "export/step_solids.h"
#include "geometry/tolerances.h"
#include "geometry/gear_geometry.h"
#include "texts/step_texts.h"

namespace {

std::string FaceText(const std::string& bounds, int64_t surface, int sameSense) {
  return "ADVANCED_FACE('',(" + bounds + ")," + StepFormatRef(surface) + (sameSense != 0 ? ",.T.)" : ",.F.)");
}

int64_t WriteBound(const std::string& loopRef, int outer) {
  return StepAddEntity(std::string(outer != 0 ? "FACE_OUTER_BOUND(''," : "FACE_BOUND(''," ) + loopRef +
                       ",.T.)");
}

int64_t WritePlane(double x, double y, double z, int64_t dirZ, int64_t dirX) {
  const int64_t placement = StepWriteAxisPlacement(x, y, z, dirZ, dirX);
  return StepAddEntity("PLANE(''," + StepFormatRef(placement) + ")");
}

int64_t WriteCylinder(double x, double y, double z, double radius, int64_t dirZ, int64_t dirX) {
  const int64_t placement = StepWriteAxisPlacement(x, y, z, dirZ, dirX);
  return StepAddEntity("CYLINDRICAL_SURFACE(''," + StepFormatRef(placement) + "," +
                       StepFormatCoordinate(radius) + ")");
}

// The outline loop at the bottom (edges reversed, last to first) or the top
// (edges forward), as a bound of the end face.
int64_t WriteOutlineBound(const std::vector<int64_t>& edges, int64_t n, int top, int outer) {
  std::vector<int64_t> oriented;
  oriented.reserve(static_cast<std::size_t>(n));
  if (top != 0) {
    for (int64_t i = 0; i < n; ++i) oriented.push_back(StepWriteOrientedEdge(edges[static_cast<std::size_t>(i)], 1));
  } else {
    for (int64_t i = n - 1; i >= 0; --i) oriented.push_back(StepWriteOrientedEdge(edges[static_cast<std::size_t>(i)], 0));
  }
  return WriteBound(StepFormatRef(StepWriteEdgeLoopOver(oriented)), outer);
}

// "#outer" or "#outer,#inner" (inner 0 = none): the bounds of an end face.
std::string BoundsText(int64_t outer, int64_t inner) {
  std::string text = StepFormatRef(outer);
  if (inner != 0) {
    text += ',';
    text += StepFormatRef(inner);
  }
  return text;
}

int64_t WriteLoopOf(std::initializer_list<std::pair<int64_t, int>> edges) {
  std::vector<int64_t> oriented;
  for (const auto& [edge, sense] : edges) oriented.push_back(StepWriteOrientedEdge(edge, sense));
  return StepWriteEdgeLoopOver(oriented);
}

// Distance of (x, y) from the circle (cx, cy, r).
double OffCircle(double cx, double cy, double r, double x, double y) {
  return std::fabs(std::hypot(x - cx, y - cy) - r);
}

std::string SolidName(const GearRecord& gear) {
  if (gear.isRack != 0) return std::string(texts::kStepSolidRack);
  const std::string_view prefix = gear.isInternal != 0 ? texts::kStepSolidRingGear : texts::kStepSolidGear;
  return std::string(prefix) + std::to_string(gear.teeth);
}

int64_t WriteShellAndSolid(const GearRecord& gear, const std::string& faceList) {
  const int64_t shell = StepAddEntity("CLOSED_SHELL('',(" + faceList + "))");
  return StepAddEntity("MANIFOLD_SOLID_BREP('" + StepEncodeString(SolidName(gear)) + "'," +
                       StepFormatRef(shell) + ")");
}

}  // namespace

StepGridPoint StepNearestGridPointOnCircle(double cx, double cy, double r, double px, double py) {
  // A point of 6 decimals lies on the circle only by chance; the point
  // rounded from an exact one may lie up to 0.7 units of the last decimal
  // off it. Of the grid points around it, the one nearest the circle (the
  // rounded point itself on a tie) keeps the vertex within a small fraction
  // of the file's accuracy of its circle nearly always, within half a unit
  // at worst.
  const double unit = kStepCoordinateUnit;
  const double x0 = StepRoundCoordinate(px);
  const double y0 = StepRoundCoordinate(py);
  StepGridPoint best{x0, y0};
  double bestOff = OffCircle(cx, cy, r, x0, y0);
  for (int i = -kStepCircleSnapReach; i <= kStepCircleSnapReach; ++i) {
    for (int j = -kStepCircleSnapReach; j <= kStepCircleSnapReach; ++j) {
      const double x = StepRoundCoordinate(x0 + i * unit);
      const double y = StepRoundCoordinate(y0 + j * unit);
      const double off = OffCircle(cx, cy, r, x, y);
      if (off < bestOff) {
        bestOff = off;
        best = {x, y};
      }
    }
  }
  return best;
}

int64_t StepFinishSolid(const GearRecord& gear, double x0, double y0, double phi,
                        const std::vector<int64_t>& bottomEdges, const std::vector<int64_t>& topEdges,
                        int64_t n, std::string faceList) {
  if (gear.isInternal == 0 && gear.isRack == 0 && (GearHasKeyway(gear) != 0 || GearHasHub(gear) != 0)) {
    return StepFinishSolidWithHub(gear, x0, y0, phi, bottomEdges, topEdges, n, std::move(faceList));
  }
  return StepFinishSolidPlain(gear, x0, y0, bottomEdges, topEdges, n, std::move(faceList));
}

void StepWriteBoreLoop(const GearRecord& gear, double x0, double y0, double phi, double z,
                       int64_t axisDirection, int64_t refDirection, StepBoreLoop& loop) {
  // Everything from the values the file holds: the circle's centre and
  // radius, the vertices on it, and each keyway side from its two written
  // vertices, so that every edge ends on its vertices digit for digit.
  const double cx = StepRoundCoordinate(x0);
  const double cy = StepRoundCoordinate(y0);
  const double radius = StepRoundCoordinate(gear.boreDiameter / 2.0);
  z = StepRoundCoordinate(z);
  const double halfKey = gear.keyWidth / 2.0;
  const double c = std::cos(phi);
  const double s = std::sin(phi);
  const int64_t placement = StepWriteAxisPlacement(cx, cy, z, axisDirection, refDirection);
  const int64_t circle =
      StepAddEntity("CIRCLE(''," + StepFormatRef(placement) + "," + StepFormatCoordinate(radius) + ")");

  double u[4] = {radius, -radius, 0.0, 0.0};
  double w[4] = {0.0, 0.0, 0.0, 0.0};
  int onCircle[4] = {1, 1, 0, 0};
  loop = StepBoreLoop{};
  if (GearHasKeyway(gear) != 0) {
    const double onBore = std::sqrt(radius * radius - halfKey * halfKey);
    const double bottom = radius + gear.hubKeywayDepth;
    loop.count = 4;
    u[0] = onBore, w[0] = halfKey;
    u[1] = onBore, w[1] = -halfKey;
    u[2] = bottom, w[2] = -halfKey;
    u[3] = bottom, w[3] = halfKey;
    loop.isArc[0] = 1;
  } else {
    loop.count = 2;
    loop.isArc[0] = 1;
    loop.isArc[1] = 1;
  }
  for (int64_t j = 0; j < loop.count; ++j) {
    const double px = cx + c * u[j] - s * w[j];
    const double py = cy + s * u[j] + c * w[j];
    if (onCircle[j] != 0) {
      const StepGridPoint q = StepNearestGridPointOnCircle(cx, cy, radius, px, py);
      loop.x[j] = q.x;
      loop.y[j] = q.y;
    } else {
      loop.x[j] = StepRoundCoordinate(px);
      loop.y[j] = StepRoundCoordinate(py);
    }
    loop.pointIds[j] = StepWriteCartesianPoint(loop.x[j], loop.y[j], z);
    loop.vertexIds[j] = StepAddEntity("VERTEX_POINT(''," + StepFormatRef(loop.pointIds[j]) + ")");
  }
  for (int64_t j = 0; j < loop.count; ++j) {
    const int64_t next = (j + 1) % loop.count;
    if (loop.isArc[j] != 0) {
      // The circle runs counter-clockwise: the keyed bore's arc is the long
      // way round from the first keyway side to the second.
      loop.edgeIds[j] = StepWriteEdgeCurve(loop.vertexIds[j], loop.vertexIds[next], circle);
      continue;
    }
    const double dx = loop.x[next] - loop.x[j];
    const double dy = loop.y[next] - loop.y[j];
    const double length = std::sqrt(dx * dx + dy * dy);
    const int64_t direction = StepAddEntity("DIRECTION('',(" + StepFormatDirection(dx / length) + "," +
                                            StepFormatDirection(dy / length) + ",0.))");
    const int64_t vector =
        StepAddEntity("VECTOR(''," + StepFormatRef(direction) + "," + StepFormatCoordinate(length) + ")");
    const int64_t line = StepAddEntity("LINE(''," + StepFormatRef(loop.pointIds[j]) + "," +
                                       StepFormatRef(vector) + ")");
    loop.edgeIds[j] = StepWriteEdgeCurve(loop.vertexIds[j], loop.vertexIds[next], line);
  }
}

std::string StepWriteCylinderFaces(const StepCircleEdges& lower, const StepCircleEdges& upper,
                                   double x0, double y0, double zLow, double zHigh, double radius,
                                   int64_t axisDirection, int64_t refDirection) {
  const int64_t vector = StepAddEntity("VECTOR(''," + StepFormatRef(axisDirection) + "," +
                                       StepFormatCoordinate(zHigh - zLow) + ")");
  const int64_t line0 =
      StepAddEntity("LINE(''," + StepFormatRef(lower.point0) + "," + StepFormatRef(vector) + ")");
  const int64_t seam0 = StepWriteEdgeCurve(lower.vertex0, upper.vertex0, line0);
  const int64_t line1 =
      StepAddEntity("LINE(''," + StepFormatRef(lower.point1) + "," + StepFormatRef(vector) + ")");
  const int64_t seam1 = StepWriteEdgeCurve(lower.vertex1, upper.vertex1, line1);
  const int64_t cylinder = WriteCylinder(x0, y0, zLow, radius, axisDirection, refDirection);
  const int64_t loop1 = WriteLoopOf({{lower.edge0, 1}, {seam1, 1}, {upper.edge0, 0}, {seam0, 0}});
  const int64_t face1 = StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop1), 1)), cylinder, 1));
  const int64_t loop2 = WriteLoopOf({{lower.edge1, 1}, {seam0, 1}, {upper.edge1, 0}, {seam1, 0}});
  const int64_t face2 = StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop2), 1)), cylinder, 1));
  std::string faces(1, ',');
  faces += StepFormatRef(face1);
  faces += ',';
  faces += StepFormatRef(face2);
  return faces;
}

int64_t StepFinishSolidWithHub(const GearRecord& gear, double x0, double y0, double phi,
                               const std::vector<int64_t>& bottomEdges,
                               const std::vector<int64_t>& topEdges, int64_t n, std::string faceList) {
  // Heights, centre and radii as the file holds them (see StepWriteBoreLoop):
  // a hub's height is the written face width plus the written hub length, not
  // their sum rounded on its own.
  const double b = StepRoundCoordinate(gear.faceWidth);
  const double hubLength = StepRoundCoordinate(gear.hubLength);
  x0 = StepRoundCoordinate(x0);
  y0 = StepRoundCoordinate(y0);
  const int hasHub = GearHasHub(gear);
  const int leftHub = hasHub != 0 && (gear.hubSide == 1 || gear.hubSide == 3) ? 1 : 0;
  const int rightHub = hasHub != 0 && (gear.hubSide == 2 || gear.hubSide == 3) ? 1 : 0;
  const double zLow = leftHub != 0 ? -hubLength : 0.0;
  const double zHigh = rightHub != 0 ? b + hubLength : b;
  const int hasBore = gear.boreDiameter > 0.0 ? 1 : 0;
  const double hubRadius = StepRoundCoordinate(gear.hubDiameter / 2.0);

  const int64_t dirZ = StepAddEntity(kStepDirectionZ);
  const int64_t dirX = StepAddEntity(kStepDirectionX);

  // Bore walls from zLow to zHigh, through the hubs.
  StepBoreLoop loopA;
  StepBoreLoop loopB;
  if (hasBore != 0) {
    StepWriteBoreLoop(gear, x0, y0, phi, zLow, dirZ, dirX, loopA);
    StepWriteBoreLoop(gear, x0, y0, phi, zHigh, dirZ, dirX, loopB);
    const int64_t vector =
        StepAddEntity("VECTOR(''," + StepFormatRef(dirZ) + "," + StepFormatCoordinate(zHigh - zLow) + ")");
    int64_t verticals[4] = {0, 0, 0, 0};
    for (int64_t j = 0; j < loopA.count; ++j) {
      const int64_t line =
          StepAddEntity("LINE(''," + StepFormatRef(loopA.pointIds[j]) + "," + StepFormatRef(vector) + ")");
      verticals[j] = StepWriteEdgeCurve(loopA.vertexIds[j], loopB.vertexIds[j], line);
    }
    for (int64_t j = 0; j < loopA.count; ++j) {
      const int64_t k = (j + 1) % loopA.count;
      const int64_t loop =
          WriteLoopOf({{loopA.edgeIds[j], 0}, {verticals[j], 1}, {loopB.edgeIds[j], 1}, {verticals[k], 0}});
      const int64_t bound = WriteBound(StepFormatRef(loop), 1);
      if (loopA.isArc[j] != 0) {
        const int64_t cylinder = WriteCylinder(x0, y0, zLow, StepRoundCoordinate(gear.boreDiameter / 2.0), dirZ, dirX);
        StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(bound), cylinder, 0)));
      } else {
        // Keyway side: normal (-dy, dx) / L, to the left of the counter-clockwise
        // bore contour, i.e. into the hole and out of the material.
        const double dx = loopA.x[k] - loopA.x[j];
        const double dy = loopA.y[k] - loopA.y[j];
        const double length = std::sqrt(dx * dx + dy * dy);
        const int64_t normal = StepAddEntity("DIRECTION('',(" + StepFormatDirection(-dy / length) + "," +
                                             StepFormatDirection(dx / length) + ",0.))");
        const int64_t along = StepAddEntity("DIRECTION('',(" + StepFormatDirection(dx / length) + "," +
                                            StepFormatDirection(dy / length) + ",0.))");
        const int64_t placement = StepAddEntity("AXIS2_PLACEMENT_3D(''," + StepFormatRef(loopA.pointIds[j]) +
                                                "," + StepFormatRef(normal) + "," + StepFormatRef(along) + ")");
        const int64_t plane = StepAddEntity("PLANE(''," + StepFormatRef(placement) + ")");
        StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(bound), plane, 1)));
      }
    }
  }

  // Hub cylinders.
  StepCircleEdges leftLow, leftHigh, rightLow, rightHigh;
  if (leftHub != 0) {
    StepWriteCircleEdges(x0, y0, zLow, hubRadius, dirZ, dirX, leftLow);
    StepWriteCircleEdges(x0, y0, 0.0, hubRadius, dirZ, dirX, leftHigh);
    faceList += StepWriteCylinderFaces(leftLow, leftHigh, x0, y0, zLow, 0.0, hubRadius, dirZ, dirX);
  }
  if (rightHub != 0) {
    StepWriteCircleEdges(x0, y0, b, hubRadius, dirZ, dirX, rightLow);
    StepWriteCircleEdges(x0, y0, zHigh, hubRadius, dirZ, dirX, rightHigh);
    faceList += StepWriteCylinderFaces(rightLow, rightHigh, x0, y0, b, zHigh, hubRadius, dirZ, dirX);
  }

  // Gear end faces: the outline, with the hub circle or the bore as a hole.
  const int64_t bottomOuter = WriteOutlineBound(bottomEdges, n, /*top=*/0, /*outer=*/1);
  const int64_t topOuter = WriteOutlineBound(topEdges, n, /*top=*/1, /*outer=*/1);
  int64_t bottomInner = 0;
  if (leftHub != 0) {
    bottomInner = WriteBound(StepWriteEdgeLoopOfPair(leftHigh, 1), 0);
  } else if (hasBore != 0) {
    bottomInner = WriteBound(StepWriteEdgeLoop(loopA), 0);
  }
  int64_t topInner = 0;
  if (rightHub != 0) {
    topInner = WriteBound(StepWriteEdgeLoopOfPair(rightLow, 0), 0);
  } else if (hasBore != 0) {
    topInner = WriteBound(StepWriteEdgeLoopFromArray(loopB), 0);
  }
  const int64_t bottomPlane = WritePlane(x0, y0, 0.0, dirZ, dirX);
  StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(bottomOuter, bottomInner), bottomPlane, 0)));
  const int64_t topPlane = WritePlane(x0, y0, b, dirZ, dirX);
  StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(topOuter, topInner), topPlane, 1)));

  // Hub end faces, with the bore as a hole.
  if (leftHub != 0) {
    const int64_t outer = WriteBound(StepWriteEdgeLoopOfPair(leftLow, 0), 1);
    const int64_t inner = hasBore != 0 ? WriteBound(StepWriteEdgeLoop(loopA), 0) : 0;
    const int64_t plane = WritePlane(x0, y0, zLow, dirZ, dirX);
    StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(outer, inner), plane, 0)));
  }
  if (rightHub != 0) {
    const int64_t outer = WriteBound(StepWriteEdgeLoopOfPair(rightHigh, 1), 1);
    const int64_t inner = hasBore != 0 ? WriteBound(StepWriteEdgeLoopFromArray(loopB), 0) : 0;
    const int64_t plane = WritePlane(x0, y0, zHigh, dirZ, dirX);
    StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(outer, inner), plane, 1)));
  }
  return WriteShellAndSolid(gear, faceList);
}

int64_t StepFinishSolidPlain(const GearRecord& gear, double x0, double y0,
                             const std::vector<int64_t>& bottomEdges,
                             const std::vector<int64_t>& topEdges, int64_t n, std::string faceList) {
  // Centre, radius and height as the file holds them: the vertices x0 +- R
  // from the written x0 and R (see StepWriteBoreLoop).
  const double b = StepRoundCoordinate(gear.faceWidth);
  x0 = StepRoundCoordinate(x0);
  y0 = StepRoundCoordinate(y0);
  const int ring = gear.isInternal != 0 ? 1 : 0;
  const double radius = StepRoundCoordinate(
      ring != 0 ? gear.rimRadius : (gear.isRack != 0 ? 0.0 : gear.boreDiameter / 2.0));

  const int64_t dirZ = StepAddEntity(kStepDirectionZ);
  const int64_t dirX = StepAddEntity(kStepDirectionX);

  int64_t bottomCylinderBound = 0;
  int64_t topCylinderBound = 0;
  if (radius > 0.0) {
    const int64_t vector =
        StepAddEntity("VECTOR(''," + StepFormatRef(dirZ) + "," + StepFormatCoordinate(b) + ")");
    const int64_t v0 = StepWriteVertexPoint(x0 + radius, y0, 0.0);
    const int64_t v1 = StepWriteVertexPoint(x0 - radius, y0, 0.0);
    const int64_t v2 = StepWriteVertexPoint(x0 + radius, y0, b);
    const int64_t v3 = StepWriteVertexPoint(x0 - radius, y0, b);
    const int64_t bottomPlacement = StepWriteAxisPlacement(x0, y0, 0.0, dirZ, dirX);
    const int64_t bottomCircle = StepAddEntity("CIRCLE(''," + StepFormatRef(bottomPlacement) + "," +
                                               StepFormatCoordinate(radius) + ")");
    const int64_t topPlacement = StepWriteAxisPlacement(x0, y0, b, dirZ, dirX);
    const int64_t topCircle = StepAddEntity("CIRCLE(''," + StepFormatRef(topPlacement) + "," +
                                            StepFormatCoordinate(radius) + ")");
    const int64_t e0 = StepWriteEdgeCurve(v0, v1, bottomCircle);
    const int64_t e1 = StepWriteEdgeCurve(v1, v0, bottomCircle);
    const int64_t e2 = StepWriteEdgeCurve(v2, v3, topCircle);
    const int64_t e3 = StepWriteEdgeCurve(v3, v2, topCircle);
    const int64_t p0 = StepWriteCartesianPoint(x0 + radius, y0, 0.0);
    const int64_t line0 = StepAddEntity("LINE(''," + StepFormatRef(p0) + "," + StepFormatRef(vector) + ")");
    const int64_t s0 = StepWriteEdgeCurve(v0, v2, line0);
    const int64_t p1 = StepWriteCartesianPoint(x0 - radius, y0, 0.0);
    const int64_t line1 = StepAddEntity("LINE(''," + StepFormatRef(p1) + "," + StepFormatRef(vector) + ")");
    const int64_t s1 = StepWriteEdgeCurve(v1, v3, line1);
    const int64_t cylinder = WriteCylinder(x0, y0, 0.0, radius, dirZ, dirX);
    if (ring != 0) {
      // Rim: normal away from the axis.
      const int64_t loop1 = WriteLoopOf({{e0, 1}, {s1, 1}, {e2, 0}, {s0, 0}});
      StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop1), 1)), cylinder, 1)));
      const int64_t loop2 = WriteLoopOf({{e1, 1}, {s0, 1}, {e3, 0}, {s1, 0}});
      StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop2), 1)), cylinder, 1)));
      bottomCylinderBound = WriteBound(StepFormatRef(WriteLoopOf({{e1, 0}, {e0, 0}})), 1);
      topCylinderBound = WriteBound(StepFormatRef(WriteLoopOf({{e2, 1}, {e3, 1}})), 1);
    } else {
      // Bore: normal towards the axis.
      const int64_t loop1 = WriteLoopOf({{e0, 0}, {s0, 1}, {e2, 1}, {s1, 0}});
      StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop1), 1)), cylinder, 0)));
      const int64_t loop2 = WriteLoopOf({{e1, 0}, {s1, 1}, {e3, 1}, {s0, 0}});
      StepAppendFace(faceList, StepAddEntity(FaceText(StepFormatRef(WriteBound(StepFormatRef(loop2), 1)), cylinder, 0)));
      bottomCylinderBound = WriteBound(StepFormatRef(WriteLoopOf({{e0, 1}, {e1, 1}})), 0);
      topCylinderBound = WriteBound(StepFormatRef(WriteLoopOf({{e3, 0}, {e2, 0}})), 0);
    }
  }

  // A ring gear's teeth lie inside its rim: the outline bounds a hole.
  const int outlineOuter = ring != 0 ? 0 : 1;
  const int64_t bottomOutline = WriteOutlineBound(bottomEdges, n, /*top=*/0, outlineOuter);
  const int64_t topOutline = WriteOutlineBound(topEdges, n, /*top=*/1, outlineOuter);
  const int64_t bottomPlane = WritePlane(x0, y0, 0.0, dirZ, dirX);
  StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(bottomOutline, bottomCylinderBound), bottomPlane, 0)));
  const int64_t topPlane = WritePlane(x0, y0, b, dirZ, dirX);
  StepAppendFace(faceList, StepAddEntity(FaceText(BoundsText(topOutline, topCylinderBound), topPlane, 1)));
  return WriteShellAndSolid(gear, faceList);
}
