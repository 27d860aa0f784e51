// The see-through tint over full-screen captures, against a plain memcpy of the
// same buffer. Each iteration tints the capture and then copies it, both timed
// here, so both meet the same machine load; the counter "x_memcpy" is the tint
// time divided by the copy time (goal: at most 2).
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "app/tint.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_TintCapture(benchmark::State& state) {
  const int width = static_cast<int>(state.range(0));
  const int height = static_cast<int>(state.range(1));
  mensor::Image image;
  image.Resize(width, height);
  for (std::size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] = static_cast<std::uint8_t>(i * 7);
  std::vector<std::uint8_t> copy(image.bytes.size());

  double tint_seconds = 0.0;
  double copy_seconds = 0.0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    mensor::TintImage(image, 0xFF9B37, 60);
    benchmark::ClobberMemory();
    const auto t1 = Clock::now();
    state.PauseTiming();
    const auto c0 = Clock::now();
    std::memcpy(copy.data(), image.bytes.data(), image.bytes.size());
    benchmark::ClobberMemory();
    const auto c1 = Clock::now();
    state.ResumeTiming();
    tint_seconds += std::chrono::duration<double>(t1 - t0).count();
    copy_seconds += std::chrono::duration<double>(c1 - c0).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(image.bytes.size()));
  state.counters["tint_ms"] = 1e3 * tint_seconds / n;
  state.counters["memcpy_ms"] = 1e3 * copy_seconds / n;
  state.counters["x_memcpy"] = tint_seconds / copy_seconds;
}

BENCHMARK(BM_TintCapture)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMillisecond);

}  // namespace
