// Checks of a STEP file read back by step_reader.h: numbering, references,
// AP214 entity names and arities, B-spline knot counts, and per solid the
// closed, consistently oriented B-rep (edge uses, loop continuity, vertices
// on their curves, planar face orientation, Euler-Poincare genus).
#pragma once

#include <cmath>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "step_reader.h"

namespace step_checks {

using step_reader::Entity;
using step_reader::File;
using step_reader::Model;
using step_reader::Param;
using step_reader::Point3;
using step_reader::Ref;

// Simple entities of AP214 that this export may use, with their number of
// attributes (ISO 10303-41, -42, -43 and -214).
inline const std::map<std::string, std::size_t>& Ap214Arity() {
  static const std::map<std::string, std::size_t> arity = {
      {"APPLICATION_CONTEXT", 1},
      {"APPLICATION_PROTOCOL_DEFINITION", 4},
      {"PRODUCT_CONTEXT", 3},
      {"PRODUCT", 4},
      {"PRODUCT_DEFINITION_FORMATION", 3},
      {"PRODUCT_DEFINITION_CONTEXT", 3},
      {"PRODUCT_DEFINITION", 4},
      {"PRODUCT_DEFINITION_SHAPE", 3},
      {"UNCERTAINTY_MEASURE_WITH_UNIT", 4},
      {"DIRECTION", 2},
      {"CARTESIAN_POINT", 2},
      {"AXIS2_PLACEMENT_3D", 4},
      {"VERTEX_POINT", 2},
      {"VECTOR", 3},
      {"LINE", 3},
      {"CIRCLE", 3},
      {"PLANE", 2},
      {"CYLINDRICAL_SURFACE", 3},
      {"SURFACE_OF_LINEAR_EXTRUSION", 3},
      {"B_SPLINE_CURVE_WITH_KNOTS", 9},
      {"B_SPLINE_SURFACE_WITH_KNOTS", 13},
      {"EDGE_CURVE", 5},
      {"ORIENTED_EDGE", 5},
      {"EDGE_LOOP", 2},
      {"FACE_BOUND", 3},
      {"FACE_OUTER_BOUND", 3},
      {"ADVANCED_FACE", 4},
      {"CLOSED_SHELL", 2},
      {"MANIFOLD_SOLID_BREP", 2},
      {"ADVANCED_BREP_SHAPE_REPRESENTATION", 3},
      {"SHAPE_DEFINITION_REPRESENTATION", 2},
  };
  return arity;
}

inline const std::set<std::string>& Ap214ComplexParts() {
  static const std::set<std::string> parts = {
      "LENGTH_UNIT", "NAMED_UNIT", "SI_UNIT", "PLANE_ANGLE_UNIT", "SOLID_ANGLE_UNIT",
      "GEOMETRIC_REPRESENTATION_CONTEXT", "GLOBAL_UNCERTAINTY_ASSIGNED_CONTEXT",
      "GLOBAL_UNIT_ASSIGNED_CONTEXT", "REPRESENTATION_CONTEXT"};
  return parts;
}

inline int64_t SumOf(const Param& list) {
  int64_t sum = 0;
  for (const Param& p : list.items) sum += static_cast<int64_t>(p.number);
  return sum;
}

// File-wide checks; returns the faults found (empty when sound).
inline std::vector<std::string> CheckFileWide(const File& f) {
  std::vector<std::string> faults = f.errors;
  for (std::size_t i = 0; i < f.order.size(); ++i) {
    if (f.order[i] != static_cast<int64_t>(i + 1)) {
      faults.push_back("entity " + std::to_string(f.order[i]) + " at position " + std::to_string(i + 1));
      break;
    }
  }
  for (const auto& [id, e] : f.entities) {
    std::vector<int64_t> refs;
    step_reader::CollectRefs(e.args, refs);
    for (int64_t r : refs) {
      if (f.entities.count(r) == 0) faults.push_back(Ref(id) + " refers to missing #" + std::to_string(r));
    }
    if (e.name == "(complex)") {
      for (const Param& part : e.args) {
        if (Ap214ComplexParts().count(part.text) == 0) faults.push_back("complex part " + part.text);
      }
      continue;
    }
    const auto it = Ap214Arity().find(e.name);
    if (it == Ap214Arity().end()) {
      faults.push_back("not an AP214 entity of this export: " + e.name);
      continue;
    }
    if (e.args.size() != it->second) {
      faults.push_back(e.name + " #" + std::to_string(id) + " has " + std::to_string(e.args.size()) + " attributes");
    }
    if (e.name == "B_SPLINE_CURVE_WITH_KNOTS" && e.args.size() == 9) {
      const int64_t degree = static_cast<int64_t>(e.args[1].number);
      const int64_t n = static_cast<int64_t>(e.args[2].items.size());
      if (SumOf(e.args[6]) != n + degree + 1 || e.args[6].items.size() != e.args[7].items.size() ||
          degree < 1 || n < degree + 1) {
        faults.push_back("knots of curve #" + std::to_string(id));
      }
    }
    if (e.name == "B_SPLINE_SURFACE_WITH_KNOTS" && e.args.size() == 13) {
      const int64_t du = static_cast<int64_t>(e.args[1].number);
      const int64_t dv = static_cast<int64_t>(e.args[2].number);
      const int64_t nu = static_cast<int64_t>(e.args[3].items.size());
      const int64_t nv = nu > 0 ? static_cast<int64_t>(e.args[3].items[0].items.size()) : 0;
      bool rowsEqual = true;
      for (const Param& row : e.args[3].items) rowsEqual = rowsEqual && static_cast<int64_t>(row.items.size()) == nv;
      if (!rowsEqual || SumOf(e.args[8]) != nu + du + 1 || SumOf(e.args[9]) != nv + dv + 1 ||
          e.args[8].items.size() != e.args[10].items.size() || e.args[9].items.size() != e.args[11].items.size()) {
        faults.push_back("knots of surface #" + std::to_string(id));
      }
    }
  }
  return faults;
}

struct SolidSummary {
  std::string name;
  int64_t faces = 0, edges = 0, vertices = 0, holes = 0;
  int64_t genus = -1;
  std::map<std::string, int64_t> surfaceKinds;  // faces per surface entity name
  std::vector<Point3> vertexPoints;
  std::vector<std::string> faults;
};

// Arc of a CIRCLE edge from a to b, counter-clockwise about the circle's
// axis: its middle point.
inline Point3 ArcMiddle(const Model& m, const Entity& circle, const Point3& a, const Point3& b) {
  const Entity& placement = m.Get(circle.args.at(1).ref, "AXIS2_PLACEMENT_3D");
  const Point3 c = m.PointOf(placement.args.at(1).ref);
  const Point3 z = m.DirectionOf(placement.args.at(2).ref);
  const Point3 x = m.DirectionOf(placement.args.at(3).ref);
  const Point3 y{z.y * x.z - z.z * x.y, z.z * x.x - z.x * x.z, z.x * x.y - z.y * x.x};
  const auto angle = [&](const Point3& p) {
    const Point3 d{p.x - c.x, p.y - c.y, p.z - c.z};
    return std::atan2(d.x * y.x + d.y * y.y + d.z * y.z, d.x * x.x + d.y * x.y + d.z * x.z);
  };
  const double a1 = angle(a);
  double sweep = angle(b) - a1;
  while (sweep <= 1e-12) sweep += 2.0 * std::numbers::pi;
  while (sweep > 2.0 * std::numbers::pi + 1e-12) sweep -= 2.0 * std::numbers::pi;
  const double mid = a1 + sweep / 2.0;
  const double r = circle.args.at(2).number;
  return {c.x + r * (std::cos(mid) * x.x + std::sin(mid) * y.x), c.y + r * (std::cos(mid) * x.y + std::sin(mid) * y.y),
          c.z + r * (std::cos(mid) * x.z + std::sin(mid) * y.z)};
}

inline Point3 Cross(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// Newell's normal of a closed polygon: twice its vector area, pointing the
// way the polygon turns counter-clockwise about.
inline Point3 NewellNormal(const std::vector<Point3>& polygon) {
  Point3 n;
  for (std::size_t i = 0; i < polygon.size(); ++i) {
    const Point3& a = polygon[i];
    const Point3& b = polygon[(i + 1) % polygon.size()];
    n.x += (a.y - b.y) * (a.z + b.z);
    n.y += (a.z - b.z) * (a.x + b.x);
    n.z += (a.x - b.x) * (a.y + b.y);
  }
  return n;
}

inline Point3 ControlPoint(const Model& m, const Param& ref) { return m.PointOf(ref.ref); }

// Walks the solid's shell and checks it; tolerance for geometric coincidence in mm.
inline SolidSummary CheckSolid(const File& f, int64_t solidId, double tol = 2e-6) {
  Model m(f);
  SolidSummary s;
  const Entity& solid = m.Get(solidId, "MANIFOLD_SOLID_BREP");
  s.name = solid.args.at(0).text;
  const Entity& shell = m.Get(solid.args.at(1).ref, "CLOSED_SHELL");
  std::map<int64_t, std::pair<int, int>> edgeUses;  // edge -> uses with .T., with .F.
  std::set<int64_t> vertexIds;
  int64_t bounds = 0;
  for (const Param& faceRef : shell.args.at(1).items) {
    const Entity& face = m.Get(faceRef.ref, "ADVANCED_FACE");
    ++s.faces;
    const Entity& surface = m.GetAny(face.args.at(2).ref);
    ++s.surfaceKinds[surface.name];
    const bool faceSense = face.args.at(3).text == "T";
    int outerCount = 0;
    for (const Param& boundRef : face.args.at(1).items) {
      const Entity& bound = m.GetAny(boundRef.ref);
      const bool outer = bound.name == "FACE_OUTER_BOUND";
      if (!outer && bound.name != "FACE_BOUND") s.faults.push_back("bound is " + bound.name);
      outerCount += outer ? 1 : 0;
      ++bounds;
      if (bound.args.at(2).text != "T") s.faults.push_back("bound orientation .F.");
      const Entity& loop = m.Get(bound.args.at(1).ref, "EDGE_LOOP");
      std::vector<Point3> polygon;
      std::vector<Point3> arcMiddles;  // a point inside each circular arc of the loop
      std::vector<int64_t> starts, ends;
      for (const Param& oeRef : loop.args.at(1).items) {
        const Entity& oe = m.Get(oeRef.ref, "ORIENTED_EDGE");
        const bool sense = oe.args.at(4).text == "T";
        const int64_t edgeId = oe.args.at(3).ref;
        const Entity& edge = m.Get(edgeId, "EDGE_CURVE");
        (sense ? edgeUses[edgeId].first : edgeUses[edgeId].second)++;
        const int64_t v1 = edge.args.at(1).ref;
        const int64_t v2 = edge.args.at(2).ref;
        vertexIds.insert(v1);
        vertexIds.insert(v2);
        starts.push_back(sense ? v1 : v2);
        ends.push_back(sense ? v2 : v1);
        const Point3 p1 = m.VertexPoint(v1);
        const Point3 p2 = m.VertexPoint(v2);
        polygon.push_back(sense ? p1 : p2);
        const Entity& curve = m.GetAny(edge.args.at(3).ref);
        if (curve.name == "CIRCLE") {
          polygon.push_back(ArcMiddle(m, curve, p1, p2));
          arcMiddles.push_back(polygon.back());
        }
      }
      for (std::size_t i = 0; i < starts.size(); ++i) {
        if (ends[i] != starts[(i + 1) % starts.size()]) {
          s.faults.push_back("loop #" + std::to_string(loop.id) + " not continuous");
          break;
        }
      }
      // Curved faces: the outer loop turns counter-clockwise about the
      // surface normal taken with the face's sense (approximated from chords
      // of the surface, enough for the sign).
      if (outer && surface.name != "PLANE" && polygon.size() >= 3) {
        const Point3 newell = NewellNormal(polygon);
        Point3 normal;
        if (surface.name == "SURFACE_OF_LINEAR_EXTRUSION") {
          const Entity& curve = m.Get(surface.args.at(1).ref, "B_SPLINE_CURVE_WITH_KNOTS");
          const Point3 a = m.PointOf(curve.args.at(2).items.front().ref);
          const Point3 b = m.PointOf(curve.args.at(2).items.back().ref);
          const Entity& vector = m.Get(surface.args.at(2).ref, "VECTOR");
          normal = Cross({b.x - a.x, b.y - a.y, b.z - a.z}, m.DirectionOf(vector.args.at(1).ref));
        } else if (surface.name == "B_SPLINE_SURFACE_WITH_KNOTS") {
          const auto& rows = surface.args.at(3).items;
          const Point3 p00 = m.PointOf(rows.front().items.front().ref);
          const Point3 pu = m.PointOf(rows.back().items.front().ref);
          const Point3 pv = m.PointOf(rows.front().items.back().ref);
          normal = Cross({pu.x - p00.x, pu.y - p00.y, pu.z - p00.z}, {pv.x - p00.x, pv.y - p00.y, pv.z - p00.z});
        } else if (surface.name == "CYLINDRICAL_SURFACE") {
          const Entity& placement = m.Get(surface.args.at(1).ref, "AXIS2_PLACEMENT_3D");
          const Point3 c = m.PointOf(placement.args.at(1).ref);
          const Point3 z = m.DirectionOf(placement.args.at(2).ref);
          // The arcs' middle points lie on the face (its vertices may all lie
          // on the far side of an arc longer than half the circle).
          Point3 mid;
          for (const Point3& p : arcMiddles) mid = {mid.x + p.x, mid.y + p.y, mid.z + p.z};
          const double k = 1.0 / static_cast<double>(std::max<std::size_t>(1, arcMiddles.size()));
          const Point3 w{mid.x * k - c.x, mid.y * k - c.y, mid.z * k - c.z};
          const double h = w.x * z.x + w.y * z.y + w.z * z.z;
          normal = {w.x - h * z.x, w.y - h * z.y, w.z - h * z.z};  // radial, away from the axis
        } else {
          s.faults.push_back("face surface is " + surface.name);
        }
        if (!faceSense) normal = {-normal.x, -normal.y, -normal.z};
        if (!(newell.x * normal.x + newell.y * normal.y + newell.z * normal.z > 0.0)) {
          s.faults.push_back("face #" + std::to_string(face.id) + " (" + surface.name +
                             ") is oriented against its loop");
        }
      }
      // Planar faces: the loop turns counter-clockwise about the face normal
      // for the outer bound, clockwise for a hole (Newell's normal).
      if (surface.name == "PLANE" && polygon.size() >= 3) {
        const Entity& placement = m.Get(surface.args.at(1).ref, "AXIS2_PLACEMENT_3D");
        Point3 normal = m.DirectionOf(placement.args.at(2).ref);
        if (!faceSense) normal = {-normal.x, -normal.y, -normal.z};
        const Point3 newell = NewellNormal(polygon);
        // Every vertex of the face on its plane.
        const Point3 origin = m.PointOf(placement.args.at(1).ref);
        for (int64_t v : starts) {
          const Point3 p = m.VertexPoint(v);
          const double off = (p.x - origin.x) * normal.x + (p.y - origin.y) * normal.y + (p.z - origin.z) * normal.z;
          if (std::fabs(off) > tol) {
            s.faults.push_back("vertex #" + std::to_string(v) + " off the plane of face #" + std::to_string(face.id));
          }
        }
        const double along = newell.x * normal.x + newell.y * normal.y + newell.z * normal.z;
        if (outer ? !(along > 0.0) : !(along < 0.0)) {
          s.faults.push_back(std::string(outer ? "outer" : "inner") + " bound of plane face #" +
                             std::to_string(face.id) + " turns the wrong way");
        }
      }
    }
    if (outerCount > 1) s.faults.push_back("two outer bounds on face #" + std::to_string(face.id));
  }
  // Every edge twice, once each way: a closed, consistently oriented shell.
  for (const auto& [edgeId, uses] : edgeUses) {
    if (uses.first != 1 || uses.second != 1) {
      s.faults.push_back("edge #" + std::to_string(edgeId) + " used " + std::to_string(uses.first) + "x .T. and " +
                         std::to_string(uses.second) + "x .F.");
    }
    // The vertices lie on the edge's curve, at its ends where it has ends.
    const Entity& edge = m.Get(edgeId, "EDGE_CURVE");
    const Point3 p1 = m.VertexPoint(edge.args.at(1).ref);
    const Point3 p2 = m.VertexPoint(edge.args.at(2).ref);
    const Entity& curve = m.GetAny(edge.args.at(3).ref);
    if (curve.name == "B_SPLINE_CURVE_WITH_KNOTS") {
      const auto& cps = curve.args.at(2).items;
      if (step_reader::Distance(ControlPoint(m, cps.front()), p1) > tol ||
          step_reader::Distance(ControlPoint(m, cps.back()), p2) > tol) {
        s.faults.push_back("B-spline edge #" + std::to_string(edgeId) + " does not end at its vertices");
      }
    } else if (curve.name == "LINE") {
      const Point3 origin = m.PointOf(curve.args.at(1).ref);
      const Entity& vector = m.Get(curve.args.at(2).ref, "VECTOR");
      const Point3 d = m.DirectionOf(vector.args.at(1).ref);
      for (const Point3& p : {p1, p2}) {
        const Point3 w{p.x - origin.x, p.y - origin.y, p.z - origin.z};
        const double t = w.x * d.x + w.y * d.y + w.z * d.z;
        const Point3 foot{origin.x + t * d.x, origin.y + t * d.y, origin.z + t * d.z};
        if (step_reader::Distance(foot, p) > tol) {
          s.faults.push_back("vertex off line of edge #" + std::to_string(edgeId));
        }
      }
    } else if (curve.name == "CIRCLE") {
      const Entity& placement = m.Get(curve.args.at(1).ref, "AXIS2_PLACEMENT_3D");
      const Point3 c = m.PointOf(placement.args.at(1).ref);
      const Point3 z = m.DirectionOf(placement.args.at(2).ref);
      const double r = curve.args.at(2).number;
      for (const Point3& p : {p1, p2}) {
        const Point3 w{p.x - c.x, p.y - c.y, p.z - c.z};
        const double h = w.x * z.x + w.y * z.y + w.z * z.z;
        const double radial = std::sqrt(std::max(0.0, w.x * w.x + w.y * w.y + w.z * w.z - h * h));
        if (std::fabs(h) > tol || std::fabs(radial - r) > tol) {
          s.faults.push_back("vertex off circle of edge #" + std::to_string(edgeId));
        }
      }
    } else {
      s.faults.push_back("edge curve is " + curve.name);
    }
  }
  s.edges = static_cast<int64_t>(edgeUses.size());
  s.vertices = static_cast<int64_t>(vertexIds.size());
  s.holes = bounds - s.faces;
  // Euler-Poincare for one closed shell: V - E + F - H = 2 (1 - G).
  const int64_t chi = s.vertices - s.edges + s.faces - s.holes;
  if (chi % 2 != 0) s.faults.push_back("odd Euler characteristic");
  s.genus = 1 - chi / 2;
  for (int64_t v : vertexIds) s.vertexPoints.push_back(m.VertexPoint(v));
  for (const std::string& e : m.errors) s.faults.push_back(e);
  return s;
}

}  // namespace step_checks
