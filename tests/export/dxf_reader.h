// A tiny DXF reader for tests: splits a file into group code / value pairs and
// entities, and checks the frame of a release-12 drawing on the way.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "geometry/gear_record.h"

namespace dxf_test {

struct DxfGroup {
  int code = 0;
  std::string value;
};

struct DxfEntity {
  std::string type;               // "POLYLINE", "CIRCLE", "LINE", ...
  std::vector<DxfGroup> groups;   // the groups after the type
  std::vector<DxfEntity> vertices;  // a polyline's VERTEX entities
  std::string seqendLayer;        // a polyline's SEQEND layer

  // The value of the first group with this code ("" when none); how many there are.
  std::string Value(int code) const {
    for (const DxfGroup& g : groups) {
      if (g.code == code) return g.value;
    }
    return "";
  }
  int Count(int code) const {
    int n = 0;
    for (const DxfGroup& g : groups) n += g.code == code ? 1 : 0;
    return n;
  }
  double Number(int code) const { return std::strtod(Value(code).c_str(), nullptr); }
};

struct DxfDrawing {
  std::string error;  // empty when the file is well formed
  std::vector<DxfGroup> header;  // groups between HEADER and its ENDSEC
  std::vector<DxfEntity> entities;
  std::vector<std::string> valueLines;  // every value line, for format checks
};

inline DxfDrawing ReadDxf(const std::string& bytes) {
  DxfDrawing d;
  if (bytes.size() < 2 || bytes.compare(bytes.size() - 2, 2, "\r\n") != 0) {
    d.error = "the last line does not end in CR LF";
    return d;
  }
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  for (const std::string& line : lines) {
    if (line.find_first_of("\r\n") != std::string::npos) {
      d.error = "a line break that is not CR LF";
      return d;
    }
    for (const char c : line) {
      if (static_cast<unsigned char>(c) >= 0x80) {
        d.error = "a byte outside ASCII";
        return d;
      }
    }
  }
  if (lines.size() % 2 != 0) {
    d.error = "an odd number of lines";
    return d;
  }
  std::vector<DxfGroup> groups;
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    char* rest = nullptr;
    const long code = std::strtol(lines[i].c_str(), &rest, 10);
    if (lines[i].empty() || *rest != '\0') {
      d.error = "group code line '" + lines[i] + "' is not a number";
      return d;
    }
    groups.push_back({static_cast<int>(code), lines[i + 1]});
    d.valueLines.push_back(lines[i + 1]);
  }

  std::size_t i = 0;
  auto expect = [&](int code, const std::string& value) {
    if (i >= groups.size() || groups[i].code != code || groups[i].value != value) {
      d.error = "expected " + std::to_string(code) + " " + value + " at group " + std::to_string(i);
      return false;
    }
    ++i;
    return true;
  };
  if (!expect(0, "SECTION") || !expect(2, "HEADER")) return d;
  while (i < groups.size() && !(groups[i].code == 0 && groups[i].value == "ENDSEC")) d.header.push_back(groups[i++]);
  if (!expect(0, "ENDSEC") || !expect(0, "SECTION") || !expect(2, "ENTITIES")) return d;
  DxfEntity* polyline = nullptr;
  while (i < groups.size() && !(groups[i].code == 0 && groups[i].value == "ENDSEC")) {
    if (groups[i].code != 0) {
      d.error = "an entity does not start with group 0 at group " + std::to_string(i);
      return d;
    }
    DxfEntity e;
    e.type = groups[i++].value;
    while (i < groups.size() && groups[i].code != 0) e.groups.push_back(groups[i++]);
    if (e.type == "VERTEX") {
      if (polyline == nullptr) {
        d.error = "a VERTEX outside a polyline";
        return d;
      }
      polyline->vertices.push_back(e);
    } else if (e.type == "SEQEND") {
      if (polyline == nullptr) {
        d.error = "a SEQEND outside a polyline";
        return d;
      }
      polyline->seqendLayer = e.Value(8);
      polyline = nullptr;
    } else {
      if (polyline != nullptr) {
        d.error = "a polyline without SEQEND";
        return d;
      }
      d.entities.push_back(e);
      if (e.type == "POLYLINE") polyline = &d.entities.back();
    }
  }
  if (polyline != nullptr) {
    d.error = "a polyline without SEQEND at the end";
    return d;
  }
  if (!expect(0, "ENDSEC") || !expect(0, "EOF")) return d;
  if (i != groups.size()) d.error = "groups after EOF";
  return d;
}

// The outline's curves joined as one chain, each junction once, turned by
// angle and moved to (x, y), without the chain's closing repeat of its first
// point (the closed polyline does not repeat it).
inline std::vector<OutlinePoint> ExpectedVertices(const GearRecord& rec, double x, double y, double angle) {
  std::vector<OutlinePoint> chain;
  for (const OutlineCurve& curve : rec.outline) {
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
      if (i == 0 && !chain.empty()) continue;
      const OutlinePoint& p = curve.points[i];
      chain.push_back({x + p.x * std::cos(angle) - p.y * std::sin(angle),
                       y + p.x * std::sin(angle) + p.y * std::cos(angle)});
    }
  }
  if (chain.size() > 1 &&
      std::hypot(chain.back().x - chain.front().x, chain.back().y - chain.front().y) < 1e-9) {
    chain.pop_back();
  }
  return chain;
}

// The largest distance between a polyline's vertices and the expected points,
// or infinity when their numbers differ.
inline double MaxVertexDeviation(const DxfEntity& polyline, const std::vector<OutlinePoint>& expected) {
  if (polyline.vertices.size() != expected.size()) return INFINITY;
  double worst = 0.0;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const double dx = polyline.vertices[i].Number(10) - expected[i].x;
    const double dy = polyline.vertices[i].Number(20) - expected[i].y;
    worst = std::max(worst, std::hypot(dx, dy));
  }
  return worst;
}

}  // namespace dxf_test
