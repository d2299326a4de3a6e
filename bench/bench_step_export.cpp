// Timing of the STEP export of one gear (entities built, file written) for a
// small and a large gear, spur and helical, with a keyed bore and hubs; the
// spur z 1000 beside z 200 shows whether the time grows with the tooth count
// and no faster.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "export/step_file.h"
#include "bench/export_designs.h"
#include "geometry/gear_geometry.h"

namespace {

// Arguments: teeth, helix angle in degrees.
void BM_StepWriteFile(benchmark::State& state) {
  const int64_t teeth = state.range(0);
  const double helixDeg = static_cast<double>(state.range(1));
  const GearRecord rec = BenchExportGear(teeth, helixDeg);
  const std::string path = (std::filesystem::temp_directory_path() / "norvale_bench_step.stp").string();
  int64_t written = 0;
  for (auto _ : state) {
    written = StepWriteFileStamped(path, rec, 0.0, nullptr, 0.0, 0.0, 0.0, "2026-01-01T00:00:00");
    benchmark::DoNotOptimize(written);
  }
  state.counters["curves"] = static_cast<double>(rec.outline.size());
  state.counters["written"] = static_cast<double>(written);
  if (written == 1) {
    state.counters["kB"] = static_cast<double>(std::filesystem::file_size(path)) / 1024.0;
    std::filesystem::remove(path);
  } else {
    state.SkipWithError("the STEP file was not written");
  }
}

BENCHMARK(BM_StepWriteFile)
    ->ArgNames({"z", "beta"})
    ->ArgsProduct({{20, 200}, {0, 20}})
    ->Args({1000, 0})
    ->Unit(benchmark::kMillisecond);

// A helical gear of growing face width: the axial sections grow with the
// twist (one per 0.1 rad), and so does the work per outline point, which
// should grow linearly with them. Argument: face width in mm.
void BM_StepHelicalFaceWidth(benchmark::State& state) {
  GearRecord rec;
  InitGearRecord(rec, 2.0, 12, 0.0, 20.0, static_cast<double>(state.range(0)), 0.0, 0.0, 45.0, 1);
  BuildGearGeometry(rec, 1);
  const std::string path = (std::filesystem::temp_directory_path() / "norvale_bench_step_helical.stp").string();
  int64_t written = 0;
  for (auto _ : state) {
    written = StepWriteFileStamped(path, rec, 0.0, nullptr, 0.0, 0.0, 0.0, "2026-01-01T00:00:00");
    benchmark::DoNotOptimize(written);
  }
  const double twist = std::tan(rec.helixAngle) * rec.faceWidth / rec.pitchRadius;
  state.counters["sections"] = std::max(4.0, std::ceil(twist / 0.1) + 1.0);
  if (written == 1) {
    state.counters["MB"] = static_cast<double>(std::filesystem::file_size(path)) / 1e6;
    std::filesystem::remove(path);
  } else {
    state.SkipWithError("the STEP file was not written");
  }
}

BENCHMARK(BM_StepHelicalFaceWidth)->RangeMultiplier(2)->Range(10, 320)->Unit(benchmark::kMillisecond);

}  // namespace
