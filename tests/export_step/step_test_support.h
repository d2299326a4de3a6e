// Helpers of the STEP export tests: building bodies, writing a file into a
// private folder and reading it back.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <numbers>
#include <string>
#include <unistd.h>

#include "export/step_file.h"
#include "geometry/gear_geometry.h"
#include "geometry/rack.h"
#include "geometry/ring_gear.h"
#include "platform/safe_file.h"
#include "step_checks.h"
#include "step_reader.h"

namespace step_test {

inline constexpr double kPi = std::numbers::pi;
inline double Rad(double deg) { return deg * kPi / 180.0; }

// An external gear, standard basic rack, built at display density.
inline GearRecord MakeGear(double m, int64_t z, double bore = 0.0, double betaDeg = 0.0, int64_t hand = 1,
                           double b = 20.0, double x = 0.0) {
  GearRecord rec;
  InitGearRecord(rec, m, z, x, 20.0, b, bore, 0.0, betaDeg, hand);
  BuildGearGeometry(rec, 1);
  return rec;
}

inline GearRecord MakeRack(double m, int64_t n, double betaDeg = 0.0, int64_t hand = 1, double b = 20.0) {
  GearRecord rec;
  BuildRackGeometry(rec, m, 20.0, betaDeg, hand, n, 3.0 * m, b, 0.0, 1);
  return rec;
}

inline GearRecord MakeRing(double m, int64_t z, double betaDeg = 0.0, int64_t hand = 1, double b = 20.0) {
  GearRecord rec;
  BuildRingGearGeometry(rec, m, z, 0.0, 20.0, b, 3.0 * m, 0.0, betaDeg, hand, 1, 0.0);
  return rec;
}

// A folder of its own per test program run, removed at exit by the OS's tmp policy.
inline std::filesystem::path TempDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("norvale_step_test_" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

inline const char* kStamp = "2026-03-05T07:04:09";

struct Written {
  int64_t result = 0;
  std::string bytes;
  step_reader::File file;
};

inline Written WriteAndRead(const std::string& name, const GearRecord& a, double angleA,
                            const GearRecord* b = nullptr, double xB = 0.0, double angleB = 0.0,
                            double yB = 0.0) {
  Written w;
  const std::string path = (TempDir() / name).string();
  std::filesystem::remove(path);
  w.result = StepWriteFileStamped(path, a, angleA, b, xB, angleB, yB, kStamp);
  if (w.result == 1 && ReadFileBytes(path, w.bytes)) w.file = step_reader::ReadFile(w.bytes);
  return w;
}

// Ids of the entities with the given name, in file order.
inline std::vector<int64_t> IdsOf(const step_reader::File& f, const std::string& name) {
  std::vector<int64_t> ids;
  for (int64_t id : f.order) {
    if (f.entities.at(id).name == name) ids.push_back(id);
  }
  return ids;
}

}  // namespace step_test
