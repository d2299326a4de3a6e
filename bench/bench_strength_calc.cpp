// Timing of one ComputeGearStrength of an external spur pair (both virtual
// gears built at density 8 and searched for their root sections), and of its
// two costly steps on their own.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "design/root_form_factors.h"
#include "design/strength_calc.h"
#include "design/virtual_gear.h"
#include "geometry/gear_geometry.h"

namespace {

// Two steels, 5 kW at 1500 1/min, grade 7, 20000 h.
StrengthInputs MakeInputs() {
  StrengthInputs in;
  in.torque1 = 31.83;
  in.speed1 = 1500.0;
  in.applicationFactor = 1.0;
  in.lifeHours = 20000.0;
  in.accuracyGrade = 7;
  in.minSafetyH = 1.0;
  in.minSafetyF = 1.4;
  for (int i = 0; i < 2; ++i) {
    in.sigmaHlim[i] = 1500.0;
    in.sigmaFlim[i] = 430.0;
    in.elasticModulus[i] = 206000.0;
    in.poisson[i] = 0.3;
  }
  return in;
}

// Arguments: module in 1/10 mm, z1 (z2 = 2 z1, a = 60 mm for m 0.2 / z 200).
GearRecord MakeGear(double m, int64_t z) {
  GearRecord g;
  InitGearRecord(g, m, z, 0.0, 20.0, 20.0, 0.0, 0.0, 0.0, 1);
  BuildGearGeometry(g, 1);
  return g;
}

void BM_ComputeGearStrength(benchmark::State& state) {
  const double m = static_cast<double>(state.range(0)) / 10.0;
  const int64_t z1 = state.range(1);
  const GearRecord g1 = MakeGear(m, z1);
  const GearRecord g2 = MakeGear(m, 2 * z1);
  const double a = m * static_cast<double>(3 * z1) / 2.0;
  StrengthInputs in = MakeInputs();
  StrengthResults res;
  for (auto _ : state) {
    ComputeGearStrength(g1, g2, kPairExternal, a, 1.6, in, res);
    benchmark::DoNotOptimize(res.sigmaH);
  }
  state.counters["valid"] = static_cast<double>(res.valid);
}

void BM_BuildVirtualGear(benchmark::State& state) {
  const GearRecord g = MakeGear(static_cast<double>(state.range(0)) / 10.0, state.range(1));
  GearRecord v;
  for (auto _ : state) {
    BuildVirtualGear(g, kPairExternal, v);
    benchmark::DoNotOptimize(v.outline.data());
  }
}

void BM_ComputeRootFormFactors(benchmark::State& state) {
  const GearRecord g = MakeGear(static_cast<double>(state.range(0)) / 10.0, state.range(1));
  GearRecord v;
  BuildVirtualGear(g, kPairExternal, v);
  RootSection s;
  for (auto _ : state) {
    ComputeRootFormFactors(v, kPairExternal, s);
    benchmark::DoNotOptimize(s.formFactor);
  }
}

BENCHMARK(BM_ComputeGearStrength)->ArgNames({"m10", "z1"})->Args({2, 200})->Args({20, 20})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_BuildVirtualGear)->ArgNames({"m10", "z"})->Args({2, 200})->Args({2, 400})
    ->Args({20, 20})->Args({20, 40})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComputeRootFormFactors)->ArgNames({"m10", "z"})->Args({2, 200})->Args({2, 400})
    ->Args({20, 20})->Args({20, 40})->Unit(benchmark::kMicrosecond);

}  // namespace
