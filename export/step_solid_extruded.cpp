// STEP solids of spur gears, spur ring gears and racks: the tooth outline
// extruded over the face width (straight, or oblique for a helical rack).
#include <cmath>

#include "export/outline_copy.h"
#include "export/step_bspline.h"
#include "export/step_number.h"
#include "export/step_profile_fit.h"
#include "export/step_solids.h"
#include "geometry/tolerances.h"

void StepAppendFace(std::string& list, int64_t face) {
  if (!list.empty()) list += ',';
  list += StepFormatRef(face);
}

int64_t StepWriteSideFace(int64_t bottomEdge, int64_t rightEdge, int64_t topEdge, int64_t leftEdge,
                          int64_t surface) {
  const std::vector<int64_t> edges = {
      StepWriteOrientedEdge(bottomEdge, 1), StepWriteOrientedEdge(rightEdge, 1),
      StepWriteOrientedEdge(topEdge, 0), StepWriteOrientedEdge(leftEdge, 0)};
  const int64_t loop = StepWriteEdgeLoopOver(edges);
  const int64_t bound = StepAddEntity("FACE_OUTER_BOUND(''," + StepFormatRef(loop) + ",.T.)");
  return StepAddEntity("ADVANCED_FACE('',(" + StepFormatRef(bound) + ")," + StepFormatRef(surface) +
                       ",.T.)");
}

int64_t StepWriteGearSolid(const GearRecord& gear, double x0, double y0, double phi) {
  if (gear.outline.empty()) return 0;
  if (gear.helixAngle > kStepSpurHelixLimit && gear.isRack == 0) {
    return StepWriteHelicalSolid(gear, x0, y0, phi);
  }
  return StepWriteExtrudedSolid(gear, x0, y0, phi);
}

int64_t StepWriteExtrudedSolid(const GearRecord& gear, double x0, double y0, double phi) {
  // The side faces follow an outline finer than the view's: each curved run
  // is interpolated through its points, so the face passes through every
  // point of the finer outline and lies close to the tooth between them.
  // Should the finer outline ever have other runs than the shown one, the
  // shown one is written: the solid keeps the faces of the body on screen.
  const GearRecord fine = CopyAtPointDensity(gear, kStepPointDensity);
  const std::vector<OutlineCurve>& outline =
      fine.outline.size() == gear.outline.size() ? fine.outline : gear.outline;
  // Every point is placed at the coordinates the file will hold, and the
  // lines, planes and extrusion are built from those: a top point is its
  // bottom point moved by exactly the written (shift, 0, b), and an oblique
  // plane holds its four written vertices. Built from the unrounded values,
  // an oblique face would miss its own vertices by up to a micrometre,
  // beyond the file's accuracy, and a reader would have to repair its edges.
  const double b = StepRoundCoordinate(gear.faceWidth);
  const double shift = StepRoundCoordinate(gear.topShift);  // helical rack: hand tan(beta) b, else 0
  const double c = std::cos(phi);
  const double s = std::sin(phi);
  const auto placeX = [&](const OutlinePoint& q) { return StepRoundCoordinate(x0 + c * q.x - s * q.y); };
  const auto placeY = [&](const OutlinePoint& q) { return StepRoundCoordinate(y0 + s * q.x + c * q.y); };

  const int64_t dirZ = StepAddEntity(kStepDirectionZ);
  StepAddEntity(kStepDirectionX);

  // The extrusion vector (shift, 0, b): the direction need not be unit length.
  int64_t extrusion = 0;
  if (shift == 0.0) {
    extrusion = StepAddEntity("VECTOR(''," + StepFormatRef(dirZ) + "," + StepFormatCoordinate(b) + ")");
  } else {
    const int64_t dir = StepAddEntity("DIRECTION('',(" + StepFormatCoordinate(shift) + ",0.," +
                                      StepFormatCoordinate(b) + "))");
    extrusion = StepAddEntity("VECTOR(''," + StepFormatRef(dir) + "," +
                              StepFormatCoordinate(std::sqrt(shift * shift + b * b)) + ")");
  }

  const std::size_t n = outline.size();
  std::vector<int64_t> bottomVertices(n + 1), topVertices(n + 1), verticalEdges(n + 1);
  std::vector<int64_t> bottomEdges(n), topEdges(n);
  for (std::size_t j = 0; j < n; ++j) {
    const OutlinePoint& first = outline[j].points.front();
    const double px = placeX(first);
    const double py = placeY(first);
    const int64_t bottomPoint = StepWriteCartesianPoint(px, py, 0.0);
    bottomVertices[j] = StepAddEntity("VERTEX_POINT(''," + StepFormatRef(bottomPoint) + ")");
    topVertices[j] = StepWriteVertexPoint(px + shift, py, b);
    const int64_t line = StepAddEntity("LINE(''," + StepFormatRef(bottomPoint) + "," +
                                       StepFormatRef(extrusion) + ")");
    verticalEdges[j] = StepWriteEdgeCurve(bottomVertices[j], topVertices[j], line);
  }
  bottomVertices[n] = bottomVertices[0];
  topVertices[n] = topVertices[0];
  verticalEdges[n] = verticalEdges[0];

  std::string faceList;
  for (std::size_t j = 0; j < n; ++j) {
    const OutlineCurve& curve = outline[j];
    int64_t bottomCurve = 0;
    int64_t topCurve = 0;
    int64_t surface = 0;
    if (curve.points.size() != 2) {
      const StepProfileFit fit = StepFitProfile(StepDistinctPoints(curve));
      if (fit.degree < 0) {
        gStepNumberFault = 1;  // cannot happen with distinct points; never write a broken face
        continue;
      }
      // Placed with the same products as the vertices, so that the curves
      // end on them digit for digit.
      std::vector<StepPoint3> bottom, top;
      for (const OutlinePoint& q : fit.controls) {
        bottom.push_back({placeX(q), placeY(q), 0.0});
        top.push_back({placeX(q) + shift, placeY(q), b});
      }
      bottomCurve = StepWriteBsplineCurve(fit.degree, bottom, fit.mults, fit.knotValues);
      topCurve = StepWriteBsplineCurve(fit.degree, top, fit.mults, fit.knotValues);
      surface = StepAddEntity("SURFACE_OF_LINEAR_EXTRUSION(''," + StepFormatRef(bottomCurve) + "," +
                              StepFormatRef(extrusion) + ")");
    } else {
      const OutlinePoint& p0 = curve.points[0];
      const OutlinePoint& p1 = curve.points[1];
      const double ax = placeX(p0);
      const double ay = placeY(p0);
      const double dx = placeX(p1) - ax;
      const double dy = placeY(p1) - ay;
      const double length = std::sqrt(dx * dx + dy * dy);
      const double ux = dx / length;
      const double uy = dy / length;
      const int64_t dirU = StepAddEntity("DIRECTION('',(" + StepFormatDirection(ux) + "," +
                                         StepFormatDirection(uy) + ",0.))");
      const int64_t bottomStart = StepWriteCartesianPoint(ax, ay, 0.0);
      const int64_t bottomVector =
          StepAddEntity("VECTOR(''," + StepFormatRef(dirU) + "," + StepFormatCoordinate(length) + ")");
      bottomCurve = StepAddEntity("LINE(''," + StepFormatRef(bottomStart) + "," +
                                  StepFormatRef(bottomVector) + ")");
      const int64_t topStart = StepWriteCartesianPoint(ax + shift, ay, b);
      const int64_t topVector =
          StepAddEntity("VECTOR(''," + StepFormatRef(dirU) + "," + StepFormatCoordinate(length) + ")");
      topCurve = StepAddEntity("LINE(''," + StepFormatRef(topStart) + "," + StepFormatRef(topVector) + ")");
      // Plane normal u x (shift, 0, b): out of the material for an outline
      // running counter-clockwise around the material.
      const double nx = b * uy;
      const double ny = -b * ux;
      const double nz = -uy * shift;
      const double nl = std::sqrt(nx * nx + ny * ny + nz * nz);
      const int64_t origin = StepWriteCartesianPoint(ax, ay, 0.0);
      const int64_t normal = StepAddEntity("DIRECTION('',(" + StepFormatDirection(nx / nl) + "," +
                                           StepFormatDirection(ny / nl) + "," +
                                           StepFormatDirection(nz / nl) + "))");
      const int64_t placement = StepAddEntity("AXIS2_PLACEMENT_3D(''," + StepFormatRef(origin) + "," +
                                              StepFormatRef(normal) + "," + StepFormatRef(dirU) + ")");
      surface = StepAddEntity("PLANE(''," + StepFormatRef(placement) + ")");
    }
    bottomEdges[j] = StepWriteEdgeCurve(bottomVertices[j], bottomVertices[j + 1], bottomCurve);
    topEdges[j] = StepWriteEdgeCurve(topVertices[j], topVertices[j + 1], topCurve);
    const int64_t face =
        StepWriteSideFace(bottomEdges[j], verticalEdges[j + 1], topEdges[j], verticalEdges[j], surface);
    StepAppendFace(faceList, face);
  }
  return StepFinishSolid(gear, x0, y0, phi, bottomEdges, topEdges, static_cast<int64_t>(n),
                         std::move(faceList));
}
