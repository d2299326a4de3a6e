// Timing of BuildGearGeometry (record and outline) for small and large gears,
// spur and helical, at the point densities of the display, DXF and STL.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "geometry/gear_geometry.h"

namespace {

// Arguments: teeth, helix angle in degrees, point density.
void BM_BuildGearGeometry(benchmark::State& state) {
  const int64_t teeth = state.range(0);
  const double helixDeg = static_cast<double>(state.range(1));
  const int density = static_cast<int>(state.range(2));
  GearRecord rec;
  InitGearRecord(rec, 2.0, teeth, 0.0, 20.0, 20.0, 0.0, 0.0, helixDeg, 1);
  size_t points = 0;
  for (auto _ : state) {
    BuildGearGeometry(rec, density);
    benchmark::DoNotOptimize(rec.outline.data());
  }
  for (const OutlineCurve& c : rec.outline) points += c.points.size();
  state.counters["points"] = static_cast<double>(points);
  state.counters["valid"] = static_cast<double>(rec.valid);
}

BENCHMARK(BM_BuildGearGeometry)
    ->ArgNames({"z", "beta", "n"})
    ->ArgsProduct({{20, 200}, {0, 20}, {1, 4, 16}})
    ->Unit(benchmark::kMicrosecond);

}  // namespace
