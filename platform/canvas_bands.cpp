// A small fork-join pool: the caller hands out one job split in row bands,
// draws band 0 itself and waits for the workers' bands. Workers wait a little
// while spinning after a job, since a frame hands out several jobs in quick
// succession, and then sleep until the next one.
#include "platform/canvas_bands.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include <sched.h>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace {

// Polls of a waiting worker before it sleeps (some tens of microseconds).
constexpr int kSpinPolls = 4000;

void PauseBriefly() {
#if defined(__x86_64__) || defined(__i386__)
  _mm_pause();
#else
  std::this_thread::yield();
#endif
}

// The processors this process may run on (taskset, a container's CPU set),
// not all the machine has: more bands than those only take turns.
int CoresBandCount() {
  cpu_set_t set;
  CPU_ZERO(&set);
  int cores = 0;
  if (::sched_getaffinity(0, sizeof set, &set) == 0) {
    cores = CPU_COUNT(&set);
  } else {
    cores = static_cast<int>(std::thread::hardware_concurrency());
  }
  return std::clamp(cores, 1, kMaxRowBands);
}

class BandPool {
 public:
  BandPool() = default;
  BandPool(const BandPool&) = delete;
  BandPool& operator=(const BandPool&) = delete;

  ~BandPool() { Stop(); }

  // Ends the workers; the next job starts them again.
  void Stop() {
    if (threads_.empty()) return;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      stopping_ = true;
      generation_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
    threads_.clear();
    const std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = false;
  }

  void Run(int bands, int height, const std::function<void(int, int, int)>& work) {
    EnsureWorkers(bands - 1);
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      work_ = &work;
      bands_ = bands;
      height_ = height;
      remaining_.store(bands - 1, std::memory_order_relaxed);
      generation_.fetch_add(1, std::memory_order_release);
    }
    wake_.notify_all();
    work(0, 0, BandTop(1, bands, height));
    // The workers' bands are as long as this one: spin first, then sleep.
    for (int i = 0; i < kSpinPolls && remaining_.load(std::memory_order_acquire) != 0; ++i) PauseBriefly();
    if (remaining_.load(std::memory_order_acquire) != 0) {
      std::unique_lock<std::mutex> lock(mutex_);
      done_.wait(lock, [this] { return remaining_.load(std::memory_order_acquire) == 0; });
    }
  }

  static int BandTop(int band, int bands, int height) {
    return static_cast<int>(static_cast<std::int64_t>(height) * band / bands);
  }

 private:
  void EnsureWorkers(int count) {
    while (static_cast<int>(threads_.size()) < count) {
      const int index = static_cast<int>(threads_.size());
      // A new worker waits for the next job, not one handed out before it.
      const std::uint64_t start = generation_.load(std::memory_order_acquire);
      threads_.emplace_back([this, index, start] { WorkerLoop(index, start); });
    }
  }

  void WorkerLoop(int index, std::uint64_t seen) {
    for (;;) {
      for (int i = 0; i < kSpinPolls && generation_.load(std::memory_order_acquire) == seen; ++i) PauseBriefly();
      const std::function<void(int, int, int)>* work = nullptr;
      int bands = 0;
      int height = 0;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        wake_.wait(lock, [&] { return generation_.load(std::memory_order_acquire) != seen; });
        if (stopping_) return;
        seen = generation_.load(std::memory_order_acquire);
        work = work_;
        bands = bands_;
        height = height_;
      }
      const int band = index + 1;
      if (band >= bands) continue;
      (*work)(band, BandTop(band, bands, height), BandTop(band + 1, bands, height));
      if (remaining_.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        // Taking the lock orders this wake-up after the caller's check.
        const std::lock_guard<std::mutex> lock(mutex_);
        done_.notify_one();
      }
    }
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  std::atomic<std::uint64_t> generation_{0};
  std::atomic<int> remaining_{0};
  const std::function<void(int, int, int)>* work_ = nullptr;
  int bands_ = 0;
  int height_ = 0;
  bool stopping_ = false;
  std::vector<std::thread> threads_;
};

BandPool& Pool() {
  static BandPool pool;
  return pool;
}

int gBandCount = 0;  // 0: one per core

}  // namespace

int GetRowBandCount() { return gBandCount > 0 ? gBandCount : CoresBandCount(); }

void SetRowBandCount(int count) { gBandCount = std::clamp(count, 0, kMaxRowBands); }

void StopRowBandWorkers() { Pool().Stop(); }

int RunInRowBands(int height, int minRows, const std::function<void(int band, int top, int bottom)>& work) {
  if (height <= 0) return 0;
  const int bands = std::clamp(height / std::max(minRows, 1), 1, GetRowBandCount());
  if (bands == 1) {
    work(0, 0, height);
    return 1;
  }
  Pool().Run(bands, height, work);
  return bands;
}
