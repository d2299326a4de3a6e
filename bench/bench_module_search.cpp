// Time of the widest module searches: series 1 and 2, with and without the
// helix-angle search, for the pair and the internal pair.
#include <benchmark/benchmark.h>

#include <vector>

#include "design/module_search.h"

namespace {

ModuleSearchInputs WidePairInputs(bool helixSearch) {
  ModuleSearchInputs in;
  in.centreDistance = 60.0;
  in.ratio = 2.0;
  in.pressureAngleDeg = 20.0;
  in.tolerance = 0.02;
  in.shiftMin = -0.5;
  in.shiftMax = 1.0;
  in.minTeeth = 12;
  in.helixAngleDeg = 45.0;
  in.helixSearch = helixSearch;
  in.series2 = true;
  return in;
}

void BM_PairSearchWidest(benchmark::State& state) {
  const ModuleSearchInputs in = WidePairInputs(state.range(0) != 0);
  std::vector<SearchResultRow> rows;
  for (auto _ : state) {
    FindPairCombinations(in, rows);
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_PairSearchWidest)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

void BM_InternalSearchWidest(benchmark::State& state) {
  ModuleSearchInputs in = WidePairInputs(state.range(0) != 0);
  in.centreDistance = 40.0;
  in.ratio = 3.0;
  in.minToothDifference = 8;
  std::vector<SearchResultRow> rows;
  for (auto _ : state) {
    FindInternalCombinations(in, rows);
    benchmark::DoNotOptimize(rows.data());
  }
  state.counters["rows"] = static_cast<double>(rows.size());
}
BENCHMARK(BM_InternalSearchWidest)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

}  // namespace
