// One magnifier tick's portable work (timer switch, pointer, factor box,
// capture rectangle and pointer spot, the view composed from the copy:
// blocks, frame, the picture drawn) through the fake platform, against a
// plain memcpy of the largest copy a tick makes (120 x 116 pixels, 24 bits)
// in the same loop. The counter "x_memcpy" is the tick time divided by the
// copy time: composing writes each of the view's 14 040 pixels once, so a
// few tens of copies' time is what to expect.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <vector>

#include "fake_platform.h"
#include "fake_tool_bar.h"
#include "settings/app_settings.h"
#include "toolbar/tool_bar_form.h"
#include "ui/image.h"

namespace {

using Clock = std::chrono::steady_clock;

void BM_MagnifierTick(benchmark::State& state) {
  mensor::AppSettings = mensor::TAppSettings{};
  mensor::AppSettings.Magnifier = true;
  mensor::testing::FakePlatform platform;
  platform.screen = {1920, 1080};
  mensor::testing::FakeWindow window;
  mensor::testing::FakeToolBarControls controls;
  mensor::TFormToolBar bar(platform, window, controls);
  bar.FormCreate();
  window.visible = true;
  controls.factor_text = "2";
  std::vector<std::uint8_t> capture(static_cast<std::size_t>(mensor::Image::StrideFor(120)) * 116, 7);
  std::vector<std::uint8_t> copy(capture.size());

  double tick_seconds = 0.0;
  double copy_seconds = 0.0;
  int i = 0;
  for (auto _ : state) {
    // The pointer wanders over the screen and its edges.
    platform.cursor_pos = {(i * 37) % 1940 - 10, (i * 23) % 1100 - 10};
    ++i;
    const auto t0 = Clock::now();
    bar.TimerMagnifierTimer();
    benchmark::DoNotOptimize(bar.Magnifier().Picture().bytes.data());
    const auto t1 = Clock::now();
    state.PauseTiming();
    controls.timer_log.clear();
    const auto c0 = Clock::now();
    std::memcpy(copy.data(), capture.data(), capture.size());
    benchmark::ClobberMemory();
    const auto c1 = Clock::now();
    state.ResumeTiming();
    tick_seconds += std::chrono::duration<double>(t1 - t0).count();
    copy_seconds += std::chrono::duration<double>(c1 - c0).count();
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["tick_us"] = 1e6 * tick_seconds / n;
  state.counters["memcpy_us"] = 1e6 * copy_seconds / n;
  state.counters["x_memcpy"] = tick_seconds / copy_seconds;
}

BENCHMARK(BM_MagnifierTick)->Unit(benchmark::kMicrosecond);

}  // namespace
