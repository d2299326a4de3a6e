// Performs exactly one export in a freshly started process and reports what
// it cost, for bench_export_fresh_process. The gear is built first (as the
// program has it built long before the user exports); only the export call is
// timed.
//
//   export_once <step|stl> <teeth> <helix degrees> <path> [count]
//
// Prints one line "export_ns=<n> cpu_ns=<n> faults=<n> maxrss_kb=<n>
// result=<n>" per export: the wall time of the export call, the processor
// time it took (less disturbed by other work on the machine), the minor page
// faults during it,
// the peak resident size of the process so far and the writer's result. A
// count above 1 repeats the export in the same process, to set the first
// export beside the later ones. Exit code 0 when every file was written.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/export_designs.h"
#include "export/step_file.h"
#include "export/stl_file.h"

namespace {

int64_t CpuNanoseconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec;
}

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: export_once <step|stl> <teeth> <helix degrees> <path> [count]\n");
    return 2;
  }
  const std::string kind = argv[1];
  const GearRecord gear = BenchExportGear(std::atoll(argv[2]), std::atof(argv[3]));
  const std::string path = argv[4];
  const int count = argc == 6 ? std::max(1, std::atoi(argv[5])) : 1;

  bool allWritten = true;
  for (int i = 0; i < count; ++i) {
    const long faultsBefore = MinorFaults();
    const int64_t cpuBefore = CpuNanoseconds();
    const auto start = std::chrono::steady_clock::now();
    int64_t result = 0;
    if (kind == "step") {
      result = StepWriteFileStamped(path, gear, 0.0, nullptr, 0.0, 0.0, 0.0, "2026-01-01T00:00:00");
    } else {
      result = StlWriteFile(path, kBenchStlTolerance, gear, 0.0, nullptr, 0.0, 0.0, 0.0);
    }
    const auto stop = std::chrono::steady_clock::now();
    const int64_t cpu = CpuNanoseconds() - cpuBefore;
    const long faults = MinorFaults() - faultsBefore;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(stop - start).count();
    std::printf("export_ns=%lld cpu_ns=%lld faults=%ld maxrss_kb=%ld result=%lld\n", static_cast<long long>(ns),
                static_cast<long long>(cpu), faults, usage.ru_maxrss, static_cast<long long>(result));
    allWritten = allWritten && result > 0;
  }
  return allWritten ? 0 : 1;
}
