// One edit of the default pair (compute both gears, report, redraw) and one
// animation redraw alone, on a 1280 x 860 canvas at device scale 1 and 2.
// The program runs headless; the device scale is set for the whole process,
// so the program runs itself a second time for scale 2.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/control_ids.h"
#include "app/globals.h"
#include "app/main_program.h"
#include "app/tab_compute.h"
#include "app/view_redraw.h"
#include "app/view_transform.h"
#include "design/search_result.h"
#include "platform/gui.h"

namespace {

constexpr int kCanvasWidth = 1280;
constexpr int kCanvasHeight = 860;

void SetLabel(benchmark::State& state) {
  state.SetLabel("z " + std::to_string(gGear1.teeth) + "/" + std::to_string(gGear2.teeth) + ", device scale " +
                 std::to_string(static_cast<int>(gDeviceScale)) + ", canvas " +
                 std::to_string(GadgetGetWidth(kCanvasView)) + "x" + std::to_string(GadgetGetHeight(kCanvasView)));
}

// A user edit of the pair tab: recompute both gears of the chosen row, report,
// redraw.
void BM_EditPairAndRedraw(benchmark::State& state) {
  for (auto _ : state) ComputePairTab(0);
  SetLabel(state);
}
BENCHMARK(BM_EditPairAndRedraw)->Unit(benchmark::kMillisecond);

// One tick of the animation: the whole frame repainted at a new angle.
void BM_RedrawAnimationFrame(benchmark::State& state) {
  double angle = 0.0;
  for (auto _ : state) {
    angle += 0.0035;
    gAnimAngle = angle;
    RedrawView();
  }
  gAnimAngle = 0.0;
  SetLabel(state);
}
BENCHMARK(BM_RedrawAnimationFrame)->Unit(benchmark::kMillisecond);

// The same frame zoomed 1000 times into the mesh: clipping keeps it cheap.
void BM_RedrawZoomedIn(benchmark::State& state) {
  const double zoom = gZoom;
  const double cx = gViewCentreX;
  gZoom = zoom * 1000.0;
  gViewCentreX = gGear1.pitchRadius;
  for (auto _ : state) RedrawView();
  gZoom = zoom;
  gViewCentreX = cx;
  SetLabel(state);
}
BENCHMARK(BM_RedrawZoomedIn)->Unit(benchmark::kMillisecond);

// For comparison, a pair of ordinary size: m 2, z 20 / 40 at a = 60.
void BM_EditSmallPairAndRedraw(benchmark::State& state) {
  const std::vector<SearchResultRow> rows = gPairSearchResults;
  const int64_t chosen = gPairSelectedRow;
  const std::string distance = GadgetGetText(kFieldPairCentreDistance);
  SearchResultRow row;
  row.module = 2.0;
  row.teeth1 = 20;
  row.teeth2 = 40;
  gPairSearchResults = {row};
  gPairSelectedRow = 0;
  GadgetSetText(kFieldPairCentreDistance, "60");
  ComputePairTab(1);
  for (auto _ : state) ComputePairTab(0);
  SetLabel(state);
  gPairSearchResults = rows;
  gPairSelectedRow = chosen;
  GadgetSetText(kFieldPairCentreDistance, distance);
  ComputePairTab(1);
}
BENCHMARK(BM_EditSmallPairAndRedraw)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  int scale = 1;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--device-scale=", 15) == 0) {
      scale = std::atoi(argv[i] + 15);
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  if (scale < 1) scale = 1;
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "norvale-bench-runtime";
    std::filesystem::create_directories(dir);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  setenv("QT_SCALE_FACTOR", std::to_string(scale).c_str(), 1);

  char* programArgs[] = {argv[0], nullptr};
  if (!AppStartup(1, programArgs)) return 1;
  PumpEvents();
  GadgetResize(kCanvasView, kKeep, kKeep, kCanvasWidth, kCanvasHeight);
  PumpEvents();
  if (gPairSelectedRow < 0) {
    // No search result (should not happen with the default inputs): the
    // textbook pair m 2, z 20 / 40 at a = 60.
    SearchResultRow row;
    row.module = 2.0;
    row.teeth1 = 20;
    row.teeth2 = 40;
    gPairSearchResults = {row};
    gPairSelectedRow = 0;
  }
  ComputePairTab(1);

  // The run at device scale 2 gets the same benchmark flags.
  std::string again = std::string("\"") + argv[0] + "\" --device-scale=2";
  for (int i = 1; i < argc; ++i) again += std::string(" \"") + argv[i] + "\"";

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndProgram();

  if (scale == 1) return std::system(again.c_str()) == 0 ? 0 : 1;
  return 0;
}
