// The STEP entity list and the small entity writers shared by the solid builders.
#include "export/step_entities.h"

#include <charconv>

#include "export/step_number.h"
#include "platform/safe_file.h"

int64_t gStepEntityCount = 0;

namespace {

// The file that entity lines go to while one is being written.
SafeFileWriter* gStepEntityFile = nullptr;

}  // namespace

void StepResetEntities() {
  gStepEntityList.clear();
  gStepEntityCount = 0;
}

void StepStreamEntitiesTo(SafeFileWriter* file) { gStepEntityFile = file; }

int64_t StepAddEntity(std::string_view text) {
  ++gStepEntityCount;
  // "#<n>=": a 64-bit number has at most 20 digits.
  char head[24];
  head[0] = '#';
  char* end = std::to_chars(head + 1, head + sizeof head - 1, gStepEntityCount).ptr;
  *end++ = '=';
  const std::string_view prefix(head, static_cast<std::size_t>(end - head));
  if (gStepEntityFile != nullptr) {
    gStepEntityFile->Write(prefix);
    gStepEntityFile->Write(text);
    gStepEntityFile->Write(";\r\n");
    return gStepEntityCount;
  }
  StepLine line;
  line.reserve(prefix.size() + text.size() + 1);
  line += prefix;
  line += text;
  line += ';';
  gStepEntityList.push_back(std::move(line));
  return gStepEntityCount;
}

std::string StepFormatRef(int64_t n) {
  std::string ref(1, '#');
  ref += std::to_string(n);
  return ref;
}

int64_t StepWriteCartesianPoint(double x, double y, double z) {
  // Built in one string: points are the most frequent entity by far.
  std::string text;
  text.reserve(64);
  text += "CARTESIAN_POINT('',(";
  StepAppendCoordinate(text, x);
  text += ',';
  StepAppendCoordinate(text, y);
  text += ',';
  StepAppendCoordinate(text, z);
  text += "))";
  return StepAddEntity(text);
}

int64_t StepWriteVertexPoint(double x, double y, double z) {
  const int64_t point = StepWriteCartesianPoint(x, y, z);
  return StepAddEntity("VERTEX_POINT(''," + StepFormatRef(point) + ")");
}

int64_t StepWriteAxisPlacement(double x, double y, double z, int64_t axisDirection,
                               int64_t refDirection) {
  const int64_t point = StepWriteCartesianPoint(x, y, z);
  return StepAddEntity("AXIS2_PLACEMENT_3D(''," + StepFormatRef(point) + "," +
                       StepFormatRef(axisDirection) + "," + StepFormatRef(refDirection) + ")");
}

int64_t StepWriteOrientedEdge(int64_t edge, int sameSense) {
  return StepAddEntity("ORIENTED_EDGE('',*,*," + StepFormatRef(edge) +
                       (sameSense != 0 ? ",.T.)" : ",.F.)"));
}

int64_t StepWriteEdgeCurve(int64_t fromVertex, int64_t toVertex, int64_t curve) {
  return StepAddEntity("EDGE_CURVE(''," + StepFormatRef(fromVertex) + "," +
                       StepFormatRef(toVertex) + "," + StepFormatRef(curve) + ",.T.)");
}

int64_t StepWriteEdgeLoopOver(const std::vector<int64_t>& orientedEdges) {
  std::string text = "EDGE_LOOP('',(";
  for (std::size_t i = 0; i < orientedEdges.size(); ++i) {
    if (i > 0) text += ',';
    text += StepFormatRef(orientedEdges[i]);
  }
  text += "))";
  return StepAddEntity(text);
}

int64_t StepWriteCircleEdges(double x, double y, double z, double r, int64_t axisDirection,
                             int64_t refDirection, StepCircleEdges& circle) {
  // The vertices from the centre and radius as the file holds them: x + r
  // rounded on its own may differ from the rounded x plus the rounded r by a
  // unit of the last decimal, and the vertex would lie off the written circle.
  x = StepRoundCoordinate(x);
  y = StepRoundCoordinate(y);
  r = StepRoundCoordinate(r);
  circle.point0 = StepWriteCartesianPoint(x + r, y, z);
  circle.vertex0 = StepAddEntity("VERTEX_POINT(''," + StepFormatRef(circle.point0) + ")");
  circle.point1 = StepWriteCartesianPoint(x - r, y, z);
  circle.vertex1 = StepAddEntity("VERTEX_POINT(''," + StepFormatRef(circle.point1) + ")");
  const int64_t placement = StepWriteAxisPlacement(x, y, z, axisDirection, refDirection);
  const int64_t curve =
      StepAddEntity("CIRCLE(''," + StepFormatRef(placement) + "," + StepFormatCoordinate(r) + ")");
  circle.edge0 = StepWriteEdgeCurve(circle.vertex0, circle.vertex1, curve);
  circle.edge1 = StepWriteEdgeCurve(circle.vertex1, circle.vertex0, curve);
  return 0;
}

std::string StepWriteEdgeLoopOfPair(const StepCircleEdges& circle, int forward) {
  std::vector<int64_t> edges;
  if (forward != 0) {
    edges.push_back(StepWriteOrientedEdge(circle.edge0, 1));
    edges.push_back(StepWriteOrientedEdge(circle.edge1, 1));
  } else {
    edges.push_back(StepWriteOrientedEdge(circle.edge1, 0));
    edges.push_back(StepWriteOrientedEdge(circle.edge0, 0));
  }
  return StepFormatRef(StepWriteEdgeLoopOver(edges));
}

std::string StepWriteEdgeLoop(const StepBoreLoop& loop) {
  std::vector<int64_t> edges;
  for (int64_t i = 0; i < loop.count; ++i) edges.push_back(StepWriteOrientedEdge(loop.edgeIds[i], 1));
  return StepFormatRef(StepWriteEdgeLoopOver(edges));
}

std::string StepWriteEdgeLoopFromArray(const StepBoreLoop& loop) {
  std::vector<int64_t> edges;
  for (int64_t i = loop.count - 1; i >= 0; --i) edges.push_back(StepWriteOrientedEdge(loop.edgeIds[i], 0));
  return StepFormatRef(StepWriteEdgeLoopOver(edges));
}
