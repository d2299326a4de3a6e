// Performs exactly one export in a freshly started process and reports what
// it cost, for bench_export_fresh_process. The gear is built first (as the
// program has it built long before the user exports); only the export call is
// timed.
//
//   export_once <step|stl> <teeth> <helix degrees> <path>
//
// Prints one line "export_ns=<n> faults=<n> maxrss_kb=<n> result=<n>": the
// wall time of the export call, the minor page faults during it, the peak
// resident size of the process and the writer's result. Exit code 0 when the
// file was written.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/export_designs.h"
#include "export/step_file.h"
#include "export/stl_file.h"

namespace {

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: export_once <step|stl> <teeth> <helix degrees> <path>\n");
    return 2;
  }
  const std::string kind = argv[1];
  const GearRecord gear = BenchExportGear(std::atoll(argv[2]), std::atof(argv[3]));
  const std::string path = argv[4];

  const long faultsBefore = MinorFaults();
  const auto start = std::chrono::steady_clock::now();
  int64_t result = 0;
  if (kind == "step") {
    result = StepWriteFileStamped(path, gear, 0.0, nullptr, 0.0, 0.0, 0.0, "2026-01-01T00:00:00");
  } else {
    result = StlWriteFile(path, kBenchStlTolerance, gear, 0.0, nullptr, 0.0, 0.0, 0.0);
  }
  const auto stop = std::chrono::steady_clock::now();
  const long faults = MinorFaults() - faultsBefore;

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(stop - start).count();
  std::printf("export_ns=%lld faults=%ld maxrss_kb=%ld result=%lld\n", static_cast<long long>(ns), faults,
              usage.ru_maxrss, static_cast<long long>(result));
  return result > 0 ? 0 : 1;
}
