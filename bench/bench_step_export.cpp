// Timing of the STEP export of one gear (entities built, file written) for a
// small and a large gear, spur and helical, with a keyed bore and hubs; the
// spur z 1000 beside z 200 shows whether the time grows with the tooth count
// and no faster.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "export/step_file.h"
#include "bench/export_designs.h"

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

}  // namespace
