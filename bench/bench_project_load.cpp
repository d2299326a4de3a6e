// Loading project files near the 64 MiB size limit: a complete project
// after millions of empty groups, one after millions of groups with one
// value each, and one whose centre distance is a single value line
// of 64 MiB. Each is read through the program's own load path (the program
// runs headless) and, for comparison, parsed alone.
//
// Besides the time, every benchmark reports the growth of the resident set
// while it ran ("peak_MiB": the high-water mark above the resident size at its
// start, which the kernel resets for us) and that growth per MiB of file
// ("peak_per_file").
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/globals.h"
#include "app/main_program.h"
#include "app/project_file.h"
#include "platform/gui.h"
#include "platform/ini_file.h"
#include "platform/safe_file.h"

namespace {

constexpr std::size_t kFileLimit = std::size_t{64} << 20;
constexpr std::size_t kFileSize = kFileLimit - 4096;  // just under the limit

enum FileKind { kManyEmptyGroups, kManyGroupsWithAValue, kOneLongLine, kFileKinds };
const char* const kKindNames[kFileKinds] = {"many empty groups", "many groups with a value", "one long line"};

std::string gBenchDir;
std::string gPaths[kFileKinds];

// A group name of lower-case letters and digits from a counter: 4 of them
// (8 million empty groups fill 64 MB, with every name used several times) or
// 5 (every group of the file has a name of its own).
std::string CounterName(std::size_t n, std::size_t width) {
  static const char kDigits[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string s(width, 'a');
  for (char& c : s) {
    c = kDigits[n % 36];
    n /= 36;
  }
  return s;
}

// Whether a name is one of the program's own groups.
bool IsGroupTheProgramReads(const std::string& name) { return name == "paar" || name == "naaf"; }

// A complete project as the program saves it, with the filler up to size
// placed before its first group, so that every look-up meets it.
std::string MakeFile(FileKind kind) {
  const std::string project = BuildProjectFileText();
  if (kind == kOneLongLine) {
    // The first value of [Paar] becomes 64 MiB of digits.
    std::string bytes = project;
    const std::size_t at = bytes.find("hartafstand = ") + 14;
    const std::size_t end = bytes.find("\r\n", at);
    const std::size_t fill = kFileSize - (bytes.size() - (end - at));
    bytes.replace(at, end - at, std::string(fill, '7'));
    return bytes;
  }
  const std::size_t head = project.find("\r\n[") + 2;
  std::string bytes = project.substr(0, head);
  bytes.reserve(kFileSize);
  for (std::size_t n = 0;; ++n) {
    const std::string name = CounterName(n, kind == kManyEmptyGroups ? 4 : 5);
    if (IsGroupTheProgramReads(name)) continue;
    std::string line = "[" + name + "]\r\n";
    if (kind == kManyGroupsWithAValue) line += "k=1\r\n";
    if (bytes.size() + line.size() + project.size() - head > kFileSize) break;
    bytes += line;
  }
  return bytes + project.substr(head);
}

long StatusKiB(const char* field) {
  std::ifstream in("/proc/self/status");
  std::string line;
  const std::string prefix = std::string(field) + ":";
  while (std::getline(in, line)) {
    if (line.compare(0, prefix.size(), prefix) == 0) return std::atol(line.c_str() + prefix.size());
  }
  return 0;
}

// Resets the high-water mark of the resident set to its current size and
// returns that size in KiB.
long ResetPeakResidentKiB() {
  std::ofstream("/proc/self/clear_refs") << "5";
  return StatusKiB("VmRSS");
}

void ReportMemory(benchmark::State& state, long startKiB, std::size_t fileBytes) {
  const double peakMiB = static_cast<double>(StatusKiB("VmHWM") - startKiB) / 1024.0;
  const double fileMiB = static_cast<double>(fileBytes) / double(1 << 20);
  state.counters["file_MiB"] = fileMiB;
  state.counters["peak_MiB"] = peakMiB;
  state.counters["peak_per_file"] = peakMiB / fileMiB;
}

// The whole load of the program: read, parse, set the controls, search,
// compute and show the loaded tab.
void BM_ReadProjectFile(benchmark::State& state) {
  const auto kind = static_cast<FileKind>(state.range(0));
  const long startKiB = ResetPeakResidentKiB();
  for (auto _ : state) {
    if (ReadProjectFile(gPaths[kind]) != 1) state.SkipWithError("the file was not loaded");
  }
  ReportMemory(state, startKiB, std::filesystem::file_size(gPaths[kind]));
  state.SetLabel(kKindNames[kind]);
}
BENCHMARK(BM_ReadProjectFile)->DenseRange(0, kFileKinds - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Reading and parsing alone, with the one look-up that decides whether the
// file is a project.
void BM_ParseProjectFile(benchmark::State& state) {
  const auto kind = static_cast<FileKind>(state.range(0));
  const long startKiB = ResetPeakResidentKiB();
  for (auto _ : state) {
    std::string bytes;
    if (!ReadFileBytes(gPaths[kind], bytes)) state.SkipWithError("the file was not read");
    const IniDocument doc = IniParse(bytes);
    benchmark::DoNotOptimize(IniReadInteger(doc, "Tandwiel", "versie", 0));
  }
  ReportMemory(state, startKiB, std::filesystem::file_size(gPaths[kind]));
  state.SetLabel(kKindNames[kind]);
}
BENCHMARK(BM_ParseProjectFile)->DenseRange(0, kFileKinds - 1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", /*overwrite=*/0);
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  if (!std::getenv("XDG_RUNTIME_DIR")) {
    const std::filesystem::path dir = temp / "norvale-bench-runtime";
    std::filesystem::create_directories(dir);
    std::filesystem::permissions(dir, std::filesystem::perms::owner_all);
    setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
  }
  std::string pattern = (temp / "norvale_bench_load_XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) return 1;
  gBenchDir = pattern;

  char* programArgs[] = {argv[0], nullptr};
  if (!AppStartup(1, programArgs)) return 1;
  // Message boxes (none are expected) are answered at once.
  SetMessageResponder([](const std::string&, const std::string&, int64_t) { return kResultOk; });
  PumpEvents();
  for (int kind = 0; kind < kFileKinds; ++kind) {
    gPaths[kind] = gBenchDir + "/load" + std::to_string(kind) + ".tdw";
    if (!WriteFileAtomically(gPaths[kind], MakeFile(static_cast<FileKind>(kind)))) return 1;
  }

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  EndProgram();
  std::filesystem::remove_all(gBenchDir);
  return 0;
}
