// One edge search over a line of 3840 pixels (a 4K screen's width, with no
// edge on it, so the walk goes the whole way), against a plain memcpy of the
// pixels the search reads (its band of three pixels per step), timed in the
// same iteration so both meet the same machine load. Both are timed in the
// thread's own processor time, since on a shared machine the wall clock
// mostly counts the time other programs ran. Counters: "search_us"
// and "memcpy_us" per search, and "x_memcpy", their ratio (goals: at most
// 50 us and at most 20 times the copy).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <ctime>
#include <numbers>
#include <vector>

#include "snap/edge_finder.h"

namespace {

// The processor time this thread has used, in seconds.
double ThreadSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + 1e-9 * static_cast<double>(now.tv_nsec);
}

constexpr int kLine = 3840;
// Searches per timing, so that reading the clock costs little beside them.
constexpr int kBatch = 8;

void BM_EdgeSearch(benchmark::State& state) {
  const double degrees = static_cast<double>(state.range(0));
  mensor::Image image;
  image.Resize(kLine + 2, 2160);
  // A gentle texture, every step far below the tolerance.
  for (int y = 0; y < image.height; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int i = 0; i < image.width * 3; ++i) row[i] = static_cast<std::uint8_t>(100 + (i + y) % 7);
  }
  const double a = degrees * std::numbers::pi / 180.0;
  const mensor::EdgeWalk walk{{0.5, 1.5}, {std::cos(a), std::sin(a)}, 30, kLine - 1};
  const std::size_t band_bytes = static_cast<std::size_t>(3) * kLine * 3;
  std::vector<std::uint8_t> copy(band_bytes);

  double search_seconds = 0.0;
  double copy_seconds = 0.0;
  for (auto _ : state) {
    const double t0 = ThreadSeconds();
    for (int i = 0; i < kBatch; ++i) {
      auto found = mensor::FindEdge(image, walk);
      benchmark::DoNotOptimize(found);
    }
    const double t1 = ThreadSeconds();
    for (int i = 0; i < kBatch; ++i) {
      std::memcpy(copy.data(), image.bytes.data(), band_bytes);
      benchmark::ClobberMemory();
    }
    const double t2 = ThreadSeconds();
    search_seconds += t1 - t0;
    copy_seconds += t2 - t1;
  }
  const double n = static_cast<double>(state.iterations()) * kBatch;
  state.counters["search_us"] = 1e6 * search_seconds / n;
  state.counters["memcpy_us"] = 1e6 * copy_seconds / n;
  state.counters["x_memcpy"] = search_seconds / copy_seconds;
}

// Along a row, and across the screen at 30 degrees.
BENCHMARK(BM_EdgeSearch)->Arg(0)->Arg(30)->Unit(benchmark::kMicrosecond);

}  // namespace
