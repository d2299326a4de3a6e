// The binary STL file writer: the triangle list, the header and the facets.
#include "export/stl_file.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "app/globals.h"
#include "export/body_fault.h"
#include "export/stl_mesh.h"
#include "geometry/format.h"
#include "platform/safe_file.h"
#include "texts/stl_texts.h"

namespace {

constexpr size_t kStlHeaderBytes = 80;
constexpr size_t kStlFacetBytes = 50;

// True when every coordinate of gTriangleList is finite and within the
// range of float32.
bool AreTrianglesWritable() {
  const double limit = static_cast<double>(std::numeric_limits<float>::max());
  for (const StlTriangle& t : gTriangleList) {
    for (int v = 0; v < 3; ++v) {
      if (!(std::fabs(t.x[v]) <= limit) || !(std::fabs(t.y[v]) <= limit) || !(std::fabs(t.z[v]) <= limit)) {
        return false;
      }
    }
  }
  return true;
}

// The IEEE bits of v as four bytes, little-endian whatever the host.
void PutF32LittleEndian(float v, char* out) {
  uint32_t bits = 0;
  static_assert(sizeof bits == sizeof v);
  std::memcpy(&bits, &v, sizeof bits);
  out[0] = static_cast<char>(bits & 0xFFu);
  out[1] = static_cast<char>((bits >> 8) & 0xFFu);
  out[2] = static_cast<char>((bits >> 16) & 0xFFu);
  out[3] = static_cast<char>(bits >> 24);
}

}  // namespace

void StlAddTriangle(double x0, double y0, double z0, double x1, double y1, double z1, double x2, double y2,
                    double z2) {
  StlTriangle t;
  t.x[0] = x0;
  t.x[1] = x1;
  t.x[2] = x2;
  t.y[0] = y0;
  t.y[1] = y1;
  t.y[2] = y2;
  t.z[0] = z0;
  t.z[1] = z1;
  t.z[2] = z2;
  gTriangleList.push_back(t);
}

void StlAddTriangleOriented(double ax, double ay, double bx, double by, double cx, double cy, double z,
                            int faceUp) {
  // z component of (b - a) x (c - a): positive for a counter-clockwise a, b, c.
  const double c = (bx - ax) * (cy - ay) - (by - ay) * (cx - ax);
  if (c == 0.0) return;
  if ((c > 0.0) == (faceUp != 0)) {
    StlAddTriangle(ax, ay, z, bx, by, z, cx, cy, z);
  } else {
    StlAddTriangle(ax, ay, z, cx, cy, z, bx, by, z);
  }
}

std::string FormatStlHeader(double chordTolerance) {
  std::string header(texts::kStlHeaderPrefix);
  header += FormatNumber(chordTolerance, 4);
  header += " mm";
  header.resize(kStlHeaderBytes, ' ');
  return header;
}

int64_t StlWriteTriangleFile(const std::string& path, double chordTolerance) {
  // The count field is 32 bits wide: a larger mesh cannot be written.
  if (gTriangleList.size() > std::numeric_limits<uint32_t>::max()) return 0;
  // A placement or a body far out of range would give coordinates that are
  // not finite in f32: such a file is no usable mesh.
  if (!AreTrianglesWritable()) return RefuseBody(BodyFault::kNotFinite);

  // The facets are streamed through a temporary file that replaces path only
  // when every write, the flush and the close succeeded, so a failed export
  // never leaves a cut-off mesh behind nor reports it as written.
  SafeFileWriter file(path);
  file.Write(FormatStlHeader(chordTolerance));
  file.WriteU32(static_cast<uint32_t>(gTriangleList.size()));
  for (const StlTriangle& t : gTriangleList) {
    // Normal by the right-hand rule from the vertex order, in f64:
    // N = (P1 - P0) x (P2 - P0), written as (0, 0, 0) for a zero-area triangle.
    const double ux = t.x[1] - t.x[0], uy = t.y[1] - t.y[0], uz = t.z[1] - t.z[0];
    const double wx = t.x[2] - t.x[0], wy = t.y[2] - t.y[0], wz = t.z[2] - t.z[0];
    double nx = uy * wz - uz * wy;
    double ny = uz * wx - ux * wz;
    double nz = ux * wy - uy * wx;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    if (len > 0.0) {
      nx /= len;
      ny /= len;
      nz /= len;
    } else {
      nx = ny = nz = 0.0;
    }
    // The facet is put together in place and handed to the writer whole.
    char facet[kStlFacetBytes];
    const float fields[12] = {static_cast<float>(nx),     static_cast<float>(ny),     static_cast<float>(nz),
                              static_cast<float>(t.x[0]), static_cast<float>(t.y[0]), static_cast<float>(t.z[0]),
                              static_cast<float>(t.x[1]), static_cast<float>(t.y[1]), static_cast<float>(t.z[1]),
                              static_cast<float>(t.x[2]), static_cast<float>(t.y[2]), static_cast<float>(t.z[2])};
    for (int f = 0; f < 12; ++f) PutF32LittleEndian(fields[f], facet + 4 * f);
    facet[48] = 0;  // attribute byte count
    facet[49] = 0;
    file.Write(std::string_view(facet, sizeof facet));
  }
  if (!file.Finish()) return 0;
  const auto count = static_cast<int64_t>(gTriangleList.size());
  gTriangleList.clear();
  return count;
}

int64_t StlWriteFile(const std::string& path, double chordTolerance, const GearRecord& a, double angleA,
                     const GearRecord* b, double xB, double angleB, double yB) {
  // NaN fails this test as well; an infinite tolerance would reduce every
  // curve to its end points and give no usable mesh.
  if (!(chordTolerance > 0.0) || !std::isfinite(chordTolerance)) return 0;
  gTriangleList.clear();
  if (StlMeshBody(a, 0.0, 0.0, angleA, chordTolerance) == 0) return 0;
  if (b != nullptr && StlMeshBody(*b, xB, yB, angleB, chordTolerance) == 0) return 0;
  return StlWriteTriangleFile(path, chordTolerance);
}

std::string FormatStlResultMessage(int64_t triangleCount, double chordTolerance) {
  // File size in kB, rounded to the nearest whole number.
  const double kilobytes =
      (static_cast<double>(kStlHeaderBytes) + 4.0 + static_cast<double>(kStlFacetBytes) * triangleCount) /
      1024.0;
  std::string text(texts::kStlResultWritten);
  text += std::to_string(triangleCount);
  text += texts::kStlResultTriangles;
  text += FormatNumber(kilobytes, 0);
  text += texts::kStlResultKilobytes;
  text += FormatNumber(chordTolerance, 4);
  text += texts::kStlResultMillimetres;
  return text;
}
