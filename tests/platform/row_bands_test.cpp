// The row bands: every row of a job is worked exactly once, by one band, the
// bands in order of their rows and at least the asked rows high; every band
// count, heights that do not divide, jobs in quick succession, and workers
// ended and started again between jobs.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include <sched.h>

#include "platform/canvas_bands.h"

namespace {

class RowBandsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    SetRowBandCount(0);
    StopRowBandWorkers();
  }
};

// Runs one job and checks what each row and band saw.
void ExpectEachRowOnce(int height, int minRows, int expectedBands, const std::string& what) {
  std::vector<std::atomic<int>> visits(static_cast<std::size_t>(height));
  std::vector<std::atomic<int>> bandTop(kMaxRowBands);
  std::vector<std::atomic<int>> bandBottom(kMaxRowBands);
  for (int b = 0; b < kMaxRowBands; ++b) {
    bandTop[static_cast<std::size_t>(b)] = -1;
    bandBottom[static_cast<std::size_t>(b)] = -1;
  }
  std::atomic<int> offCaller{0};
  const std::thread::id caller = std::this_thread::get_id();
  const int bands = RunInRowBands(height, minRows, [&](int band, int top, int bottom) {
    if (band == 0 && std::this_thread::get_id() != caller) ++offCaller;
    bandTop[static_cast<std::size_t>(band)] = top;
    bandBottom[static_cast<std::size_t>(band)] = bottom;
    for (int y = top; y < bottom; ++y) ++visits[static_cast<std::size_t>(y)];
  });
  EXPECT_EQ(bands, expectedBands) << what;
  EXPECT_EQ(offCaller.load(), 0) << what << ": band 0 runs on the calling thread";
  for (int y = 0; y < height; ++y) {
    ASSERT_EQ(visits[static_cast<std::size_t>(y)].load(), 1) << what << ", row " << y;
  }
  for (int b = 0; b < bands; ++b) {
    const int top = bandTop[static_cast<std::size_t>(b)];
    const int bottom = bandBottom[static_cast<std::size_t>(b)];
    EXPECT_EQ(top, b == 0 ? 0 : bandBottom[static_cast<std::size_t>(b - 1)].load()) << what << ", band " << b;
    EXPECT_GE(bottom - top, bands > 1 ? minRows : 0) << what << ", band " << b;
  }
  for (int b = bands; b < kMaxRowBands; ++b) EXPECT_EQ(bandTop[static_cast<std::size_t>(b)].load(), -1) << what;
}

TEST_F(RowBandsTest, EveryRowIsWorkedOnceByOneBand) {
  struct Case {
    int bands;  // set with SetRowBandCount
    int height;
    int minRows;
    int expected;
  };
  const std::vector<Case> cases = {
      {1, 860, 48, 1},      // one band: all on the caller
      {2, 860, 48, 2},      {3, 861, 48, 3},  {8, 1720, 48, 8},  {8, 860, 48, 8},
      {8, 383, 48, 7},      // 383 / 48: room for 7 bands only
      {8, 47, 48, 1},       // lower than one band
      {5, 1001, 1, 5},      // rows that do not divide
      {kMaxRowBands, 9, 1, 8},
  };
  for (const Case& c : cases) {
    SetRowBandCount(c.bands);
    ExpectEachRowOnce(c.height, c.minRows, c.expected,
                      std::to_string(c.bands) + " bands over " + std::to_string(c.height) + " rows");
  }
}

TEST_F(RowBandsTest, JobsInQuickSuccessionAndWorkersStartedAgain) {
  SetRowBandCount(8);
  for (int round = 0; round < 3; ++round) {
    for (int job = 0; job < 300; ++job) {
      // Band counts change from job to job (the height decides them).
      const int height = 48 + (job * 37) % 400;
      const int expected = std::min(8, height / 48);
      ExpectEachRowOnce(height, 48, expected, "round " + std::to_string(round) + ", job " + std::to_string(job));
      if (HasFatalFailure()) return;
    }
    StopRowBandWorkers();
  }
  // No rows: no band at all.
  bool called = false;
  EXPECT_EQ(RunInRowBands(0, 48, [&](int, int, int) { called = true; }), 0);
  EXPECT_FALSE(called);
}

// The bands follow the processors the program may run on (taskset, a
// container's CPU set), not those the machine has: under one CPU the output is
// worked in one band on the calling thread, under two in two.
TEST_F(RowBandsTest, BandsFollowTheProcessorsTheProgramMayRunOn) {
  cpu_set_t allowed;
  CPU_ZERO(&allowed);
  ASSERT_EQ(::sched_getaffinity(0, sizeof allowed, &allowed), 0);
  std::vector<int> cpus;
  for (int c = 0; c < CPU_SETSIZE; ++c) {
    if (CPU_ISSET(c, &allowed)) cpus.push_back(c);
  }
  ASSERT_FALSE(cpus.empty());
  EXPECT_EQ(GetRowBandCount(), std::min(static_cast<int>(cpus.size()), kMaxRowBands));

  struct Restore {
    cpu_set_t set;
    ~Restore() { ::sched_setaffinity(0, sizeof set, &set); }
  } restore{allowed};
  for (const std::size_t count : {std::size_t{1}, std::size_t{2}}) {
    if (cpus.size() < count) continue;
    cpu_set_t few;
    CPU_ZERO(&few);
    for (std::size_t i = 0; i < count; ++i) CPU_SET(cpus[i], &few);
    ASSERT_EQ(::sched_setaffinity(0, sizeof few, &few), 0);
    EXPECT_EQ(GetRowBandCount(), static_cast<int>(count));
    ExpectEachRowOnce(1000, 10, static_cast<int>(count), std::to_string(count) + " CPU(s)");
  }
}

}  // namespace
