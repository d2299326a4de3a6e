// Time of the STL export of the default pair (m 0.2, z 200 / 400, a 60,
// b 10) at a chord tolerance of 0.01 mm: meshing both gears and writing the
// file.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/globals.h"
#include "bench/export_designs.h"
#include "export/stl_file.h"
#include "export/stl_mesh.h"
#include "geometry/gear_geometry.h"
#include "geometry/path_of_contact.h"

namespace {

GearRecord DefaultPairGear(int64_t z) {
  GearRecord rec;
  InitGearRecord(rec, 0.2, z, 0.0, 20.0, 10.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(rec, 1);
  return rec;
}

void BM_StlDefaultPair(benchmark::State& state) {
  const GearRecord g1 = DefaultPairGear(200);
  const GearRecord g2 = DefaultPairGear(400);
  const double angle2 = ComputeGear2MeshAngle(g1, g2, 0.0);
  const std::string path = (std::filesystem::temp_directory_path() / "norvale_bench_pair.stl").string();
  int64_t triangles = 0;
  for (auto _ : state) {
    triangles = StlWriteFile(path, 0.01, g1, 0.0, &g2, 60.0, angle2, 0.0);
    benchmark::DoNotOptimize(triangles);
  }
  std::filesystem::remove(path);
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_StlDefaultPair)->Unit(benchmark::kMillisecond);

// One spur gear z 200 with keyed bore and hubs (the STEP benchmark's gear).
void BM_StlSpurGear(benchmark::State& state) {
  const GearRecord gear = BenchExportGear(state.range(0), 0.0);
  const std::string path = (std::filesystem::temp_directory_path() / "norvale_bench_spur.stl").string();
  int64_t triangles = 0;
  for (auto _ : state) {
    triangles = StlWriteFile(path, kBenchStlTolerance, gear, 0.0, nullptr, 0.0, 0.0, 0.0);
    benchmark::DoNotOptimize(triangles);
  }
  std::filesystem::remove(path);
  state.counters["triangles"] = static_cast<double>(triangles);
  if (triangles == 0) state.SkipWithError("the STL file was not written");
}
BENCHMARK(BM_StlSpurGear)->ArgName("z")->Arg(200)->Unit(benchmark::kMillisecond);

// The meshing alone, without the file.
void BM_StlMeshDefaultPair(benchmark::State& state) {
  const GearRecord g1 = DefaultPairGear(200);
  const GearRecord g2 = DefaultPairGear(400);
  const double angle2 = ComputeGear2MeshAngle(g1, g2, 0.0);
  for (auto _ : state) {
    gTriangleList.clear();
    StlMeshBody(g1, 0.0, 0.0, 0.0, 0.01);
    StlMeshBody(g2, 60.0, 0.0, angle2, 0.01);
    benchmark::DoNotOptimize(gTriangleList.data());
  }
  state.counters["triangles"] = static_cast<double>(gTriangleList.size());
  gTriangleList.clear();
}
BENCHMARK(BM_StlMeshDefaultPair)->Unit(benchmark::kMillisecond);

}  // namespace
