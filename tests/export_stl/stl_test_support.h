// Helpers of the STL tests: reading a binary STL file back and checking a
// triangle mesh for closure, orientation, volume and degenerate facets.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "geometry/outline.h"

namespace stltest {

using Vec3 = std::array<double, 3>;

struct Facet {
  Vec3 normal{};
  std::array<Vec3, 3> v{};
  uint16_t attribute = 0;
};

struct StlFile {
  bool ok = false;          // readable, and the size fits the count
  std::string header;       // the 80 header bytes
  uint32_t count = 0;       // the count field
  uint64_t fileSize = 0;
  std::vector<Facet> facets;
};

// Little-endian fields decoded byte by byte, independent of the host order.
inline uint32_t ReadU32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
         (static_cast<uint32_t>(p[3]) << 24);
}
inline double ReadF32(const unsigned char* p) {
  const uint32_t bits = ReadU32(p);
  float f = 0.0f;
  std::memcpy(&f, &bits, sizeof f);
  return static_cast<double>(f);
}

inline StlFile ReadStl(const std::string& path) {
  StlFile out;
  std::ifstream in(path, std::ios::binary);
  if (!in) return out;
  std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  out.fileSize = bytes.size();
  if (bytes.size() < 84) return out;
  out.header.assign(reinterpret_cast<const char*>(bytes.data()), 80);
  out.count = ReadU32(bytes.data() + 80);
  if (bytes.size() != 84 + 50 * static_cast<uint64_t>(out.count)) return out;
  for (uint32_t i = 0; i < out.count; ++i) {
    const unsigned char* p = bytes.data() + 84 + 50 * static_cast<size_t>(i);
    Facet f;
    for (int k = 0; k < 3; ++k) f.normal[k] = ReadF32(p + 4 * k);
    for (int v = 0; v < 3; ++v) {
      for (int k = 0; k < 3; ++k) f.v[v][k] = ReadF32(p + 12 + 12 * v + 4 * k);
    }
    f.attribute = static_cast<uint16_t>(p[48] | (p[49] << 8));
    out.facets.push_back(f);
  }
  out.ok = true;
  return out;
}

inline Vec3 Sub(const Vec3& a, const Vec3& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Dot(const Vec3& a, const Vec3& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }
inline double Norm(const Vec3& a) { return std::sqrt(Dot(a, a)); }

// Signed volume by the divergence theorem: sum of v0 . (v1 x v2) / 6;
// positive when every facet is counter-clockwise seen from outside.
inline double SignedVolume(const std::vector<Facet>& facets) {
  double sum = 0.0;
  for (const Facet& f : facets) sum += Dot(f.v[0], Cross(f.v[1], f.v[2]));
  return sum / 6.0;
}

struct MeshCheck {
  size_t edgesOpen = 0;       // directed edges with no opposite partner
  size_t edgesShared = 0;     // directed edges used more than once (same direction)
  size_t degenerate = 0;      // facets of (near) zero area
  size_t badNormals = 0;      // stored normal not the unit right-hand normal
};

// Every edge must be used by exactly two facets, once in each direction;
// vertices are matched exactly (the same f64 gives the same f32).
inline MeshCheck CheckMesh(const std::vector<Facet>& facets, double minArea = 1e-10) {
  using Key = std::tuple<double, double, double, double, double, double>;
  std::map<Key, int> directed;
  MeshCheck check;
  for (const Facet& f : facets) {
    for (int e = 0; e < 3; ++e) {
      const Vec3& a = f.v[e];
      const Vec3& b = f.v[(e + 1) % 3];
      ++directed[Key{a[0], a[1], a[2], b[0], b[1], b[2]}];
    }
    const Vec3 n = Cross(Sub(f.v[1], f.v[0]), Sub(f.v[2], f.v[0]));
    const double len = Norm(n);
    if (0.5 * len < minArea) ++check.degenerate;
    if (len > 0.0) {
      const Vec3 unit{n[0] / len, n[1] / len, n[2] / len};
      if (Norm(Sub(unit, f.normal)) > 1e-3) ++check.badNormals;
    }
  }
  for (const auto& [key, count] : directed) {
    if (count > 1) ++check.edgesShared;
    const auto& [ax, ay, az, bx, by, bz] = key;
    const auto it = directed.find(Key{bx, by, bz, ax, ay, az});
    if (it == directed.end() || it->second != 1) ++check.edgesOpen;
  }
  return check;
}

// Euler characteristic V - E + F of the mesh (vertices matched exactly):
// 2 for each closed body without a hole, 0 for a body with a bore.
inline int64_t EulerCharacteristic(const std::vector<Facet>& facets) {
  using Vertex = std::tuple<double, double, double>;
  std::map<Vertex, int64_t> ids;
  auto id = [&](const Vec3& v) {
    const auto [it, added] = ids.try_emplace(Vertex{v[0], v[1], v[2]}, static_cast<int64_t>(ids.size()));
    return it->second;
  };
  std::map<std::pair<int64_t, int64_t>, int> edges;
  for (const Facet& f : facets) {
    const int64_t a = id(f.v[0]), b = id(f.v[1]), c = id(f.v[2]);
    for (auto [p, q] : {std::pair{a, b}, std::pair{b, c}, std::pair{c, a}}) {
      ++edges[p < q ? std::pair{p, q} : std::pair{q, p}];
    }
  }
  return static_cast<int64_t>(ids.size()) - static_cast<int64_t>(edges.size()) +
         static_cast<int64_t>(facets.size());
}

// Outline as one closed polygon: the shared first point of later curves and
// a closing repeat of the start are skipped.
inline std::vector<OutlinePoint> JoinOutline(const Outline& outline) {
  std::vector<OutlinePoint> poly;
  for (size_t c = 0; c < outline.size(); ++c) {
    const auto& pts = outline[c].points;
    for (size_t i = (c == 0 ? 0 : 1); i < pts.size(); ++i) poly.push_back(pts[i]);
  }
  if (poly.size() > 1 && std::hypot(poly.front().x - poly.back().x, poly.front().y - poly.back().y) < 1e-9) {
    poly.pop_back();
  }
  return poly;
}

// Shoelace area, positive counter-clockwise.
inline double ShoelaceArea(const std::vector<OutlinePoint>& poly) {
  double twice = 0.0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const OutlinePoint& a = poly[i];
    const OutlinePoint& b = poly[(i + 1) % poly.size()];
    twice += a.x * b.y - b.x * a.y;
  }
  return 0.5 * twice;
}

inline double Perimeter(const std::vector<OutlinePoint>& poly) {
  double sum = 0.0;
  for (size_t i = 0; i < poly.size(); ++i) {
    const OutlinePoint& a = poly[i];
    const OutlinePoint& b = poly[(i + 1) % poly.size()];
    sum += std::hypot(b.x - a.x, b.y - a.y);
  }
  return sum;
}

inline double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double len2 = dx * dx + dy * dy;
  double t = len2 > 0.0 ? ((px - ax) * dx + (py - ay) * dy) / len2 : 0.0;
  t = std::fmax(0.0, std::fmin(1.0, t));
  return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

// A fresh path in the test's temporary folder.
inline std::string TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() / "norvale_stl_tests";
  std::filesystem::create_directories(dir);
  const auto path = dir / (name + "_" + std::to_string(NORVALE_TEST_LANG) + ".stl");
  std::filesystem::remove(path);
  return path.string();
}

}  // namespace stltest
