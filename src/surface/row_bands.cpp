// Row bands: helper threads live for the whole call and meet the calling thread at
// a barrier before and after every band; the barrier also publishes the band's
// bounds and the finished rows between threads.
#include "surface/row_bands.h"

#include <algorithm>
#include <atomic>
#include <barrier>
#include <thread>
#include <vector>

namespace tessaly {

bool RunRowBands(int rows, int band_rows, const std::function<void(int, int)>& work,
                 const RowPoll& poll, int threads) {
  if (rows <= 0) return true;
  band_rows = std::max(1, band_rows);
  if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
  threads = std::clamp(threads, 1, kMaxRowThreads);

  if (threads == 1) {
    for (int y = 0; y < rows; y += band_rows) {
      work(y, std::min(rows, y + band_rows));
      if (poll && poll()) return false;
    }
    return true;
  }

  std::barrier sync(threads);
  std::atomic<bool> finished{false};
  int band_start = 0;
  int band_end = 0;
  // Part t of the current band: rows [start + t·n/T, start + (t+1)·n/T).
  auto part = [&](int t, int& first, int& end) {
    const int n = band_end - band_start;
    first = band_start + static_cast<int>(static_cast<long long>(n) * t / threads);
    end = band_start + static_cast<int>(static_cast<long long>(n) * (t + 1) / threads);
  };

  std::vector<std::thread> helpers;
  helpers.reserve(threads - 1);
  for (int t = 1; t < threads; ++t) {
    helpers.emplace_back([&, t] {
      for (;;) {
        sync.arrive_and_wait();
        if (finished.load(std::memory_order_relaxed)) return;
        int first = 0, end = 0;
        part(t, first, end);
        if (first < end) work(first, end);
        sync.arrive_and_wait();
      }
    });
  }

  bool completed = true;
  for (int y = 0; y < rows; y += band_rows) {
    band_start = y;
    band_end = std::min(rows, y + band_rows);
    sync.arrive_and_wait();
    int first = 0, end = 0;
    part(0, first, end);
    if (first < end) work(first, end);
    sync.arrive_and_wait();
    if (poll && poll()) {
      completed = false;
      break;
    }
  }
  finished.store(true, std::memory_order_relaxed);
  sync.arrive_and_wait();
  for (std::thread& helper : helpers) helper.join();
  return completed;
}

}  // namespace tessaly
