// Painting the ruler's scale: time per paint and primitives drawn, on a canvas
// that only counts, for each unit and for the finest custom spacing the
// preferences allow (1 pixel per unit, 1000 ticks per unit: 1 500 001 ticks).
// Compare the figures of one run with each other, e.g. the finest custom
// spacing against the default pixel scale of the same length.
#include <benchmark/benchmark.h>

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

// A horizontal ruler of length L laid out as the window does it.
void PaintBench(benchmark::State& state, Setting setting, ScaleDrawing drawing) {
  const int L = static_cast<int>(state.range(0));
  const int W = 60;
  ScaleInput in;
  in.unit = setting.unit;
  in.zero = {L + W, L + W};
  in.angle = kHorizontalAngle;
  in.width = W;
  in.pixel_per_unit = setting.pixel_per_unit;
  in.ticks_per_unit = setting.ticks_per_unit;
  in.visible = {0, 0, 2 * (L + W), 2 * (L + W)};
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
