// The gears that the export benchmarks write, shared by the in-process
// benchmarks and the one-export program that runs in a fresh process.
#pragma once

#include <cstdint>

#include "geometry/gear_geometry.h"
#include "geometry/gear_record.h"

// Module 2, face width 30 mm, pressure angle 20 degrees, with a bore, a DIN
// 6885-1 keyway and hubs on both sides sized to fit inside the root circle.
inline GearRecord BenchExportGear(int64_t teeth, double helixDeg) {
  const bool small = teeth < 50;
  GearRecord rec;
  InitGearRecord(rec, 2.0, teeth, 0.0, 20.0, 30.0, small ? 12.0 : 40.0, 0.0, helixDeg, 1);
  BuildGearGeometry(rec, 1);
  rec.keyWidth = small ? 4.0 : 12.0;
  rec.hubKeywayDepth = small ? 1.8 : 3.3;
  rec.hubSide = 3;
  rec.hubDiameter = small ? 28.0 : 70.0;
  rec.hubLength = 20.0;
  return rec;
}

// The chord tolerance of the STL benchmarks (mm).
inline constexpr double kBenchStlTolerance = 0.01;
