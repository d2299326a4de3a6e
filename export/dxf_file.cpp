// The DXF (release 12) drawing of the exported gears: header, entities, coordinate format.
//
// Coordinates are model mm with y up. Each gear's points are given in its own
// frame (gear centre, or the rack's reference point, at the origin) and are
// turned by the gear's angle about that origin, then moved to its place:
//   X = x + px cos(angle) - py sin(angle),  Y = y + px sin(angle) + py cos(angle).
// Circles and the rack's pitch line are placed unturned.
#include "export/dxf_file.h"

#include <cmath>
#include <vector>

#include "export/body_fault.h"
#include "geometry/bore_outline.h"
#include "geometry/format.h"
#include "geometry/gear_geometry.h"
#include "geometry/tolerances.h"
#include "platform/safe_file.h"
#include "texts/dxf_texts.h"

namespace {

// Colour numbers of the AutoCAD colour index (group 62).
constexpr int kDxfColourHub = 8;    // grey
constexpr int kDxfColourPitch = 5;  // blue

// The start of the file: a header naming release 12 (AC1009) and millimetres
// as the drawing unit, then the start of the only other section. Layers are
// named only in the entities; a reader creates them with default settings.
constexpr std::string_view kDxfHead =
    "0\r\nSECTION\r\n2\r\nHEADER\r\n9\r\n$ACADVER\r\n1\r\nAC1009\r\n9\r\n$INSUNITS\r\n70\r\n4\r\n0\r\nENDSEC\r\n"
    "0\r\nSECTION\r\n2\r\nENTITIES";
constexpr std::string_view kDxfTail = "0\r\nENDSEC\r\n0\r\nEOF";

// A group: its code line and its value line.
void WriteGroup(DxfFile& file, int code, std::string_view value) {
  DxfWriteLine(file, std::to_string(code));
  DxfWriteLine(file, value);
}

void WriteCoordinate(DxfFile& file, int code, double v) {
  if (!std::isfinite(v)) file.allFinite = 0;
  WriteGroup(file, code, FormatCoordinate(v));
}

// A point of a gear's own frame, turned and placed.
struct Placement {
  double x = 0.0;
  double y = 0.0;
  double c = 1.0;  // cos(angle)
  double s = 0.0;  // sin(angle)
};

OutlinePoint Place(const Placement& at, const OutlinePoint& p) {
  return {at.x + p.x * at.c - p.y * at.s, at.y + p.x * at.s + p.y * at.c};
}

// A closed polyline through the points (already placed). The chain may repeat
// its first point at the end; that point is left out, as flag 70 = 1 closes
// the polyline by itself.
void WriteClosedPolyline(DxfFile& file, std::string_view layer, const std::vector<OutlinePoint>& points) {
  std::size_t count = points.size();
  if (count > 1 && std::fabs(points[count - 1].x - points[0].x) + std::fabs(points[count - 1].y - points[0].y) <
                       kDxfClosingPointTolerance) {
    --count;
  }
  // The polyline's own elevation point is written as literal zeros.
  WriteGroup(file, 0, "POLYLINE");
  WriteGroup(file, 8, layer);
  WriteGroup(file, 66, "1");
  WriteGroup(file, 70, "1");
  WriteGroup(file, 10, "0.0");
  WriteGroup(file, 20, "0.0");
  WriteGroup(file, 30, "0.0");
  for (std::size_t i = 0; i < count; ++i) {
    WriteGroup(file, 0, "VERTEX");
    WriteGroup(file, 8, layer);
    WriteCoordinate(file, 10, points[i].x);
    WriteCoordinate(file, 20, points[i].y);
    WriteGroup(file, 30, "0.0");
  }
  WriteGroup(file, 0, "SEQEND");
  WriteGroup(file, 8, layer);
}

void WriteCircle(DxfFile& file, std::string_view layer, int colour, double x, double y, double radius) {
  WriteGroup(file, 0, "CIRCLE");
  WriteGroup(file, 8, layer);
  if (colour > 0) WriteGroup(file, 62, std::to_string(colour));
  WriteCoordinate(file, 10, x);
  WriteCoordinate(file, 20, y);
  WriteGroup(file, 30, "0.0");
  WriteCoordinate(file, 40, radius);
}

// The outline's curves joined into one chain. Consecutive curves share their
// junction point, so every curve after the first one written (empty curves do
// not count) starts without it.
std::vector<OutlinePoint> JoinOutline(const Outline& outline, const Placement& at) {
  std::vector<OutlinePoint> chain;
  bool firstStillToWrite = true;
  for (const OutlineCurve& curve : outline) {
    for (std::size_t i = 0; i < curve.points.size(); ++i) {
      if (i == 0 && !firstStillToWrite) continue;
      chain.push_back(Place(at, curve.points[i]));
      firstStillToWrite = false;
    }
  }
  return chain;
}

bool HasOutlinePoints(const GearRecord& rec) {
  for (const OutlineCurve& curve : rec.outline) {
    if (!curve.points.empty()) return true;
  }
  return false;
}

}  // namespace

std::string FormatCoordinate(double v) {
  if (std::fabs(v) < kCoordinateZero) v = 0.0;
  return FormatNumber(v, 6);
}

void DxfWriteLine(DxfFile& file, std::string_view text) {
  file.text += text;
  file.text += "\r\n";
}

void DxfWriteGearEntities(DxfFile& file, const GearRecord& rec, double x, double y, double angle) {
  const std::string_view outlineLayer = texts::kDxfLayerOutline;
  const Placement at{x, y, std::cos(angle), std::sin(angle)};

  // 1. The tooth outline.
  WriteClosedPolyline(file, outlineLayer, JoinOutline(rec.outline, at));

  // 2. The bore: the contour with its keyway, or a plain circle.
  if (rec.boreDiameter > 0.0) {
    if (rec.isInternal == 0 && GearHasKeyway(rec) != 0) {
      std::vector<OutlinePoint> bore;
      BuildBoreOutline(rec, bore, kDxfBoreChordTolerance);
      for (OutlinePoint& p : bore) p = Place(at, p);
      WriteClosedPolyline(file, outlineLayer, bore);
    } else {
      WriteCircle(file, outlineLayer, 0, x, y, rec.boreDiameter / 2.0);
    }
  }

  // 3. The hub (not on a ring gear).
  if (GearHasHub(rec) != 0 && rec.isInternal == 0) {
    WriteCircle(file, texts::kDxfLayerHub, kDxfColourHub, x, y, rec.hubDiameter / 2.0);
  }

  // 4. The rim of a ring gear.
  if (rec.isInternal != 0 && rec.rimRadius > 0.0) {
    WriteCircle(file, outlineLayer, 0, x, y, rec.rimRadius);
  }

  // 5. The pitch line of a rack (from its reference point, as long as the
  //    rack), or the pitch circle.
  if (rec.isRack != 0) {
    WriteGroup(file, 0, "LINE");
    WriteGroup(file, 8, texts::kDxfLayerPitch);
    WriteGroup(file, 62, std::to_string(kDxfColourPitch));
    WriteCoordinate(file, 10, x);
    WriteCoordinate(file, 20, y);
    WriteGroup(file, 30, "0.0");
    WriteCoordinate(file, 11, x + rec.rackLength);
    WriteCoordinate(file, 21, y);
    WriteGroup(file, 31, "0.0");
  } else {
    WriteCircle(file, texts::kDxfLayerPitch, kDxfColourPitch, x, y, rec.pitchRadius);
  }
}

int64_t DxfWriteFile(const std::string& path, const GearRecord& a, double angleA, const GearRecord* b,
                     double xB, double angleB, double yB) {
  // A gear without an outline would give an empty polyline: no drawing of it.
  if (!HasOutlinePoints(a) || (b != nullptr && !HasOutlinePoints(*b))) return RefuseBody(BodyFault::kShape);

  DxfFile file;
  DxfWriteLine(file, kDxfHead);
  DxfWriteGearEntities(file, a, 0.0, 0.0, angleA);
  if (b != nullptr) DxfWriteGearEntities(file, *b, xB, yB, angleB);
  DxfWriteLine(file, kDxfTail);
  if (file.allFinite == 0) return RefuseBody(BodyFault::kNotFinite);

  return WriteFileAtomically(path, file.text) ? 1 : 0;
}
