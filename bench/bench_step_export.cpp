// Timing of the STEP export of one gear (entities built, file written) for a
// small and a large gear, spur and helical, with a keyed bore and hubs.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "export/step_file.h"
#include "geometry/gear_geometry.h"

namespace {

// Arguments: teeth, helix angle in degrees.
void BM_StepWriteFile(benchmark::State& state) {
  const int64_t teeth = state.range(0);
  const double helixDeg = static_cast<double>(state.range(1));
  // Bore, DIN 6885-1 keyway and hub sized to fit inside the root circle.
  const bool small = teeth < 50;
  GearRecord rec;
  InitGearRecord(rec, 2.0, teeth, 0.0, 20.0, 30.0, small ? 12.0 : 40.0, 0.0, helixDeg, 1);
  BuildGearGeometry(rec, 1);
  rec.keyWidth = small ? 4.0 : 12.0;
  rec.hubKeywayDepth = small ? 1.8 : 3.3;
  rec.hubSide = 3;
  rec.hubDiameter = small ? 28.0 : 70.0;
  rec.hubLength = 20.0;
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
    ->Unit(benchmark::kMillisecond);

}  // namespace
