// The first export of a freshly started process: every sample (one
// iteration of one repetition) starts export_once as a new process, which builds the gear and performs one
// export. The reported time is that export call alone, measured inside the
// child; the counters add the processor time of that call, the whole
// process's wall time (start, gear, export, exit), the page faults during the
// export and the peak resident size.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

struct ChildReport {
  bool ok = false;
  double exportSeconds = 0.0;
  double cpuSeconds = 0.0;
  double faults = 0.0;
  double maxRssKb = 0.0;
};

// Runs the program with its arguments and reads its one report line.
ChildReport RunOnce(const std::vector<std::string>& args) {
  ChildReport report;
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return report;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
  posix_spawn_file_actions_addclose(&actions, pipeFds[1]);
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeFds[1]);
  std::string text;
  if (spawned == 0) {
    char buffer[256];
    ssize_t n = 0;
    while ((n = read(pipeFds[0], buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<std::size_t>(n));
  }
  close(pipeFds[0]);
  if (spawned != 0) return report;
  int status = 0;
  waitpid(pid, &status, 0);
  long long ns = 0;
  long long cpu = 0;
  long faults = 0;
  long rss = 0;
  long long result = 0;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
      std::sscanf(text.c_str(), "export_ns=%lld cpu_ns=%lld faults=%ld maxrss_kb=%ld result=%lld", &ns, &cpu,
                  &faults, &rss, &result) == 5) {
    report.ok = true;
    report.exportSeconds = static_cast<double>(ns) * 1e-9;
    report.cpuSeconds = static_cast<double>(cpu) * 1e-9;
    report.faults = static_cast<double>(faults);
    report.maxRssKb = static_cast<double>(rss);
  }
  return report;
}

// Arguments: teeth, helix angle in degrees.
void FreshProcessExport(benchmark::State& state, const char* kind, const char* extension) {
  const std::string path =
      (std::filesystem::temp_directory_path() / (std::string("norvale_bench_fresh_") + kind + extension)).string();
  const std::vector<std::string> args = {NORVALE_EXPORT_ONCE, kind, std::to_string(state.range(0)),
                                         std::to_string(state.range(1)), path};
  double processSeconds = 0.0;
  double cpuSeconds = 0.0;
  double faults = 0.0;
  double maxRss = 0.0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    const ChildReport report = RunOnce(args);
    const auto stop = std::chrono::steady_clock::now();
    if (!report.ok) {
      state.SkipWithError("the export in the child process failed");
      break;
    }
    state.SetIterationTime(report.exportSeconds);
    processSeconds += std::chrono::duration<double>(stop - start).count();
    cpuSeconds += report.cpuSeconds;
    faults += report.faults;
    maxRss = std::max(maxRss, report.maxRssKb);
  }
  const double n = static_cast<double>(state.iterations());
  if (n > 0) {
    state.counters["process_ms"] = processSeconds / n * 1e3;
    state.counters["export_cpu_ms"] = cpuSeconds / n * 1e3;
    state.counters["faults"] = faults / n;
    state.counters["maxrss_MB"] = maxRss / 1024.0;
  }
  std::filesystem::remove(path);
}

void BM_FreshProcessStep(benchmark::State& state) { FreshProcessExport(state, "step", ".stp"); }
void BM_FreshProcessStl(benchmark::State& state) { FreshProcessExport(state, "stl", ".stl"); }

// Helical z 20 STEP; spur z 200 and z 1000 STEP (the peak memory of the
// large file); spur z 200 STL.
BENCHMARK(BM_FreshProcessStep)
    ->ArgNames({"z", "beta"})
    ->Args({20, 20})
    ->Args({200, 0})
    ->Args({1000, 0})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreshProcessStl)
    ->ArgNames({"z", "beta"})
    ->Args({200, 0})
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(15)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
