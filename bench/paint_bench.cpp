// Painting the ruler's scale: time per paint and primitives drawn, on a canvas
// that only counts, for each unit and for the finest custom spacing the
// preferences allow (1 pixel per unit, 1000 ticks per unit: 1 500 001 ticks).
// PaintRatio sets the finest custom spacing against the default pixel scale
// of the same ruler, both painted in each iteration; its counter `ratio` is
// what to watch (the goal: 3 or less on the horizontal ruler).
#include <benchmark/benchmark.h>

#include <chrono>

#include "app/main_form.h"
#include "app/scale_painter.h"

namespace mensor {
namespace {

class CountingCanvas : public Canvas {
 public:
  void SetPenColor(Color color) override { pen_ = color; }
  Color PenColor() const override { return pen_; }
  void SetPenMode(PenMode) override {}
  void MoveTo(int x, int y) override { last_ ^= x ^ y; }
  void LineTo(int x, int y) override {
    last_ ^= x ^ y;
    ++primitives;
  }
  void FillRect(const Rect& r, Color) override {
    last_ ^= r.left ^ r.top ^ r.right ^ r.bottom;
    ++primitives;
  }
  void SetFont(const Font&) override {}
  void TextOut(int x, int y, std::string_view text) override {
    last_ ^= x ^ y ^ static_cast<int>(text.size());
    ++primitives;
  }
  void DrawImage(const Image&, const Rect&, Point) override {}

  long long primitives = 0;
  int Checksum() const { return last_; }

 private:
  Color pen_ = 0;
  int last_ = 0;
};

struct Setting {
  int unit;
  int pixel_per_unit = 50;
  int ticks_per_unit = 10;
};

// A ruler of length L laid out as the window does it: the zero corner in the
// middle of a window that holds the ruler turned any way.
ScaleInput Layout(Setting setting, int L, int W = 60, double angle = kHorizontalAngle) {
  ScaleInput in;
  in.unit = setting.unit;
  in.zero = {L + W, L + W};
  in.angle = angle;
  in.width = W;
  in.pixel_per_unit = setting.pixel_per_unit;
  in.ticks_per_unit = setting.ticks_per_unit;
  in.visible = {0, 0, 2 * (L + W), 2 * (L + W)};
  return in;
}

// A horizontal ruler of length L.
void PaintBench(benchmark::State& state, Setting setting, ScaleDrawing drawing) {
  const ScaleInput in = Layout(setting, static_cast<int>(state.range(0)));
  long long primitives = 0;
  for (auto _ : state) {
    CountingCanvas canvas;
    PaintScale(canvas, in, drawing);
    benchmark::DoNotOptimize(canvas.Checksum());
    primitives = canvas.primitives;
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}

void Args(benchmark::internal::Benchmark* b) { b->Arg(600)->Arg(1500)->Unit(benchmark::kMicrosecond); }

const Setting kPixels{kUnitPixels};
const Setting kCentimetres{kUnitCentimetres};
const Setting kInches{kUnitInches};
const Setting kCustomDefault{kUnitCustom, 50, 10};
const Setting kCustomFinest{kUnitCustom, 1, 1000};

// The finest custom spacing against the default pixel scale on the same
// ruler, timed alternately in one loop so that both see the same machine.
void PaintRatio(benchmark::State& state, double angle, int width) {
  using Clock = std::chrono::steady_clock;
  const int L = static_cast<int>(state.range(0));
  const ScaleInput pixels = Layout(kPixels, L, width, angle);
  const ScaleInput finest = Layout(kCustomFinest, L, width, angle);
  Clock::duration pixels_time{}, finest_time{};
  long long finest_primitives = 0;
  for (auto _ : state) {
    CountingCanvas a, b;
    const auto t0 = Clock::now();
    PaintScale(a, pixels);
    const auto t1 = Clock::now();
    PaintScale(b, finest);
    const auto t2 = Clock::now();
    benchmark::DoNotOptimize(a.Checksum() ^ b.Checksum());
    pixels_time += t1 - t0;
    finest_time += t2 - t1;
    finest_primitives = b.primitives;
  }
  const double n = static_cast<double>(state.iterations());
  const double pixels_us = std::chrono::duration<double, std::micro>(pixels_time).count() / n;
  const double finest_us = std::chrono::duration<double, std::micro>(finest_time).count() / n;
  state.counters["pixels_us"] = pixels_us;
  state.counters["finest_us"] = finest_us;
  state.counters["ratio"] = finest_us / pixels_us;
  state.counters["finest_primitives"] = static_cast<double>(finest_primitives);
}

BENCHMARK_CAPTURE(PaintRatio, horizontal, kHorizontalAngle, 60)->Apply(Args);
BENCHMARK_CAPTURE(PaintRatio, vertical, kVerticalAngle, 60)->Apply(Args);
// Numbers over the ticks: each column keeps its order with its number.
BENCHMARK_CAPTURE(PaintRatio, horizontal_width_20, kHorizontalAngle, 20)->Apply(Args);
// Turned: every column is drawn line by line.
BENCHMARK_CAPTURE(PaintRatio, turned, 2.5, 60)->Apply(Args);

BENCHMARK_CAPTURE(PaintBench, pixels, kPixels, ScaleDrawing::Fast)->Apply(Args);
BENCHMARK_CAPTURE(PaintBench, centimetres, kCentimetres, ScaleDrawing::Fast)->Apply(Args);
BENCHMARK_CAPTURE(PaintBench, inches, kInches, ScaleDrawing::Fast)->Apply(Args);
BENCHMARK_CAPTURE(PaintBench, custom_default, kCustomDefault, ScaleDrawing::Fast)->Apply(Args);
BENCHMARK_CAPTURE(PaintBench, custom_finest, kCustomFinest, ScaleDrawing::Fast)->Apply(Args);
// The same two scales drawn tick by tick, for comparison.
BENCHMARK_CAPTURE(PaintBench, pixels_exhaustive, kPixels, ScaleDrawing::Exhaustive)->Apply(Args);
BENCHMARK_CAPTURE(PaintBench, custom_finest_exhaustive, kCustomFinest, ScaleDrawing::Exhaustive)
    ->Arg(600)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace mensor
