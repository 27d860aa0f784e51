// The edge finder; see edge_finder.h.
//
// The walk is the hot path of snapping (a whole screen's width per search at
// the pointer's rate), so positions advance in fixed point with 32 fraction
// bits: a pixel index is a shift, and the error over any walk on a screen is
// far below a pixel. The band's three pixels are summed, not averaged: a mean
// difference reaches the tolerance exactly when the difference of the sums
// reaches three times it.
#include "snap/edge_finder.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace mensor {
namespace {

constexpr int kFractionBits = 32;
constexpr double kOne = 4294967296.0;  // 2^32

std::int64_t Fixed(double value) { return std::llround(value * kOne); }

// A sharp edge that is anti-aliased, or crossed at a slant, spreads over up to
// this many consecutive steps, each of which reaches the tolerance.
constexpr int kMostStepsOfOneEdge = 3;

// Channel sums (blue, green, red) of the band's three pixels at one step.
using BandSum = std::array<int, 3>;

int LargestChannelStep(const BandSum& a, const BandSum& b) {
  return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

// Rounding divisions of whole numbers of any sign (b != 0).
std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (q * b != a && ((a < 0) != (b < 0))) ? q - 1 : q;
}
std::int64_t CeilDiv(std::int64_t a, std::int64_t b) { return -FloorDiv(-a, b); }

// The steps t, as a closed range, at which a line's pixels lie inside.
struct StepRange {
  std::int64_t first = 0;
  std::int64_t last = -1;
  void Narrow(std::int64_t from, std::int64_t to) {
    first = std::max(first, from);
    last = std::min(last, to);
  }
};

// Narrows `range` to the t with 0 <= start + t * step <= high.
void NarrowToAxis(StepRange& range, std::int64_t start, std::int64_t step, std::int64_t high) {
  if (step == 0) {
    if (start < 0 || start > high) range.Narrow(1, 0);
  } else if (step > 0) {
    range.Narrow(CeilDiv(-start, step), FloorDiv(high - start, step));
  } else {
    range.Narrow(CeilDiv(high - start, step), FloorDiv(-start, step));
  }
}

// Reads the band of each step: the pixel under the line and the pixels one
// pixel to either side of it, across the walk. On a walk along a row or a
// column those lie at a fixed offset from it in memory.
class BandReader {
 public:
  BandReader(const Image& image, const EdgeWalk& walk)
      : data_(image.bytes.data()),
        stride_(image.Stride()),
        width_(image.width),
        height_(image.height),
        x_(Fixed(walk.start.x)),
        y_(Fixed(walk.start.y)),
        step_x_(Fixed(walk.direction.x)),
        step_y_(Fixed(walk.direction.y)),
        // The direction turned by a right angle.
        across_x_(Fixed(-walk.direction.y)),
        across_y_(Fixed(walk.direction.x)) {}

  // True on a walk along a row or a column.
  bool Straight() const { return across_x_ == 0 || across_y_ == 0; }

  // The steps up to `most` at which all three pixels of the band lie inside
  // the picture: there FirstInside reads without checks.
  StepRange AllInside(std::int64_t most) const {
    StepRange range{0, most};
    for (int side = -1; side <= 1; ++side) {
      NarrowToAxis(range, x_ + side * across_x_, step_x_, (width_ << kFractionBits) - 1);
      NarrowToAxis(range, y_ + side * across_y_, step_y_, (height_ << kFractionBits) - 1);
    }
    return range;
  }

  // The band at step t; false when the pixel under the line lies outside
  // the picture (band pixels outside count as that one).
  bool Read(std::int64_t t, BandSum& sum) const {
    const std::int64_t x = x_ + t * step_x_;
    const std::int64_t y = y_ + t * step_y_;
    const std::uint8_t* centre = At(x, y);
    if (centre == nullptr) return false;
    const std::uint8_t* before = At(x - across_x_, y - across_y_);
    const std::uint8_t* after = At(x + across_x_, y + across_y_);
    Add(before != nullptr ? before : centre, centre, after != nullptr ? after : centre, sum);
    return true;
  }

  // True on a walk along a row one pixel a step: the bands of consecutive
  // steps are consecutive pixels of three rows.
  bool AlongRow() const { return step_y_ == 0 && (step_x_ == (std::int64_t{1} << kFractionBits) ||
                                                  step_x_ == -(std::int64_t{1} << kFractionBits)); }

  // FirstInside<true> for a walk AlongRow(): runs of kRun steps are first
  // looked at as a whole, by the largest channel step between neighbouring
  // pixels of the run (a loop without a branch per step, which the compiler
  // vectorises); only a run that has one is walked step by step.
  std::int64_t FirstAlongRow(std::int64_t from, std::int64_t to, int threshold, BandSum& previous) const {
    constexpr int kRun = 32;
    // The first step alone: the band before it may lie partly outside.
    if (FirstInside<true>(from, from, threshold, previous) == from) return from;
    std::int64_t t = from + 1;
    while (to - t + 1 >= kRun) {
      // The pixels of steps t - 1 to t + kRun - 1, lowest address first.
      const std::uint8_t* before = Unchecked(x_ + (t - 1) * step_x_, y_);
      const std::uint8_t* low = step_x_ > 0 ? before : before - 3 * kRun;
      if (RunHasStep(low, stride_, kRun, threshold)) break;
      t += kRun;
    }
    if (t != from + 1) Add(Unchecked(x_ + (t - 1) * step_x_, y_) - stride_, Unchecked(x_ + (t - 1) * step_x_, y_),
                           Unchecked(x_ + (t - 1) * step_x_, y_) + stride_, previous);
    return FirstInside<true>(t, to, threshold, previous);
  }

  // The first step from `from` to `to`, all within AllInside, whose band
  // differs from the one before it by at least `threshold` in a channel;
  // to + 1 when none does. `previous` is the band before `from` and ends as
  // the band before the step returned. kStraight: the walk is Straight().
  template <bool kStraight>
  std::int64_t FirstInside(std::int64_t from, std::int64_t to, int threshold, BandSum& previous) const {
    const std::ptrdiff_t side = across_x_ == 0 ? stride_ : 3;
    std::int64_t x = x_ + from * step_x_;
    std::int64_t y = y_ + from * step_y_;
    for (std::int64_t t = from; t <= to; ++t, x += step_x_, y += step_y_) {
      const std::uint8_t* centre = Unchecked(x, y);
      BandSum current;
      if constexpr (kStraight) {
        Add(centre - side, centre, centre + side, current);
      } else {
        Add(Unchecked(x - across_x_, y - across_y_), centre, Unchecked(x + across_x_, y + across_y_), current);
      }
      if (LargestChannelStep(current, previous) >= threshold) return t;
      previous = current;
    }
    return to + 1;
  }

 private:
  // Whether any two neighbouring pixels of `pixels` + 1 from `low` on (their
  // bands of three rows) differ by `threshold` in a channel.
  static bool RunHasStep(const std::uint8_t* low, std::ptrdiff_t stride, int pixels, int threshold) {
    const std::uint8_t* up = low - stride;
    const std::uint8_t* down = low + stride;
    int worst = 0;
    for (int i = 0; i < 3 * pixels; ++i) {
      const int a = up[i] + low[i] + down[i];
      const int b = up[i + 3] + low[i + 3] + down[i + 3];
      const int d = b > a ? b - a : a - b;
      worst = worst > d ? worst : d;
    }
    return worst >= threshold;
  }

  static void Add(const std::uint8_t* a, const std::uint8_t* b, const std::uint8_t* c, BandSum& sum) {
    for (int i = 0; i < 3; ++i) sum[i] = a[i] + b[i] + c[i];
  }

  const std::uint8_t* Unchecked(std::int64_t x, std::int64_t y) const {
    return data_ + (y >> kFractionBits) * stride_ + (x >> kFractionBits) * 3;
  }

  const std::uint8_t* At(std::int64_t x, std::int64_t y) const {
    const std::int64_t px = x >> kFractionBits;
    const std::int64_t py = y >> kFractionBits;
    if (px < 0 || px >= width_ || py < 0 || py >= height_) return nullptr;
    return Unchecked(x, y);
  }

  const std::uint8_t* data_;
  std::ptrdiff_t stride_;
  std::int64_t width_;
  std::int64_t height_;
  std::int64_t x_;
  std::int64_t y_;
  std::int64_t step_x_;
  std::int64_t step_y_;
  std::int64_t across_x_;
  std::int64_t across_y_;
};

int LargestChannel(const BandSum& a, const BandSum& b) {
  int best = 0;
  for (int c = 1; c < 3; ++c) {
    if (std::abs(a[c] - b[c]) > std::abs(a[best] - b[best])) best = c;
  }
  return best;
}


// What BandReader::FirstInside does, at steps that need checks; -1 when the
// line leaves the picture first.
std::int64_t FirstChecked(const BandReader& band, std::int64_t from, std::int64_t to, int threshold,
                          BandSum& previous) {
  for (std::int64_t t = from; t <= to; ++t) {
    BandSum current;
    if (!band.Read(t, current)) return -1;
    if (LargestChannelStep(current, previous) >= threshold) return t;
    previous = current;
  }
  return to + 1;
}

}  // namespace

std::optional<double> FindEdge(const Image& image, const EdgeWalk& walk) {
  if (image.Empty() || !(walk.limit >= 0.5)) return std::nullopt;
  // Far outside any picture (or not a number): the fixed-point positions
  // would overflow.
  constexpr double kFarthest = 1 << 28;
  if (!(std::abs(walk.start.x) < kFarthest && std::abs(walk.start.y) < kFarthest &&
        std::abs(walk.direction.x) <= 1.0 && std::abs(walk.direction.y) <= 1.0)) {
    return std::nullopt;
  }
  const int tolerance = std::clamp(walk.tolerance, kMinEdgeTolerance, kMaxEdgeTolerance);
  const int threshold = 3 * tolerance;
  // A unit step stays inside a w x h picture for fewer than w + h steps, which
  // also keeps a huge limit from overflowing the fixed-point positions.
  const double most_steps = static_cast<double>(image.width) + image.height + 1;
  const auto steps = static_cast<std::int64_t>(std::min(std::floor(walk.limit + 0.5), most_steps));

  const BandReader band(image, walk);
  BandSum previous{};
  if (!band.Read(0, previous)) return std::nullopt;
  // The steps where the whole band lies inside are read without checks, those
  // before and after them with checks.
  const StepRange inside = band.AllInside(steps);
  const std::int64_t fast_first = std::max<std::int64_t>(inside.first, 1);
  std::int64_t t = 1;
  if (fast_first <= inside.last) {
    t = FirstChecked(band, 1, fast_first - 1, threshold, previous);
    if (t == fast_first) {
      t = band.AlongRow()   ? band.FirstAlongRow(fast_first, inside.last, threshold, previous)
          : band.Straight() ? band.FirstInside<true>(fast_first, inside.last, threshold, previous)
                            : band.FirstInside<false>(fast_first, inside.last, threshold, previous);
    }
    if (t == inside.last + 1) t = FirstChecked(band, t, steps, threshold, previous);
  } else {
    t = FirstChecked(band, 1, steps, threshold, previous);
  }
  if (t < 1 || t > steps) return std::nullopt;

  // The edge lies at the mean of the places of its steps, weighted by their
  // size: the steps that follow at once, each reaching the tolerance and
  // going the same way in the channel that changed most. So an anti-aliased
  // border is found where its colour is half-way, while a thin line (down,
  // then up again) keeps both its edges.
  BandSum current{};
  band.Read(t - 1, previous);
  band.Read(t, current);
  const int step = LargestChannelStep(current, previous);
  const int channel = LargestChannel(current, previous);
  const bool rising = current[channel] > previous[channel];
  double weighted = step * (t - 0.5);
  double weight = step;
  for (int k = 1; k < kMostStepsOfOneEdge; ++k) {
    BandSum next{};
    if (!band.Read(t + k, next)) break;
    const int next_step = LargestChannelStep(next, current);
    const int change = next[channel] - current[channel];
    if (next_step < threshold || change == 0 || (change > 0) != rising) break;
    weighted += next_step * (t + k - 0.5);
    weight += next_step;
    current = next;
  }
  return weighted / weight;
}

EdgeDistances FindEdges(const Image& image, const EdgeWalk& walk) {
  EdgeWalk back = walk;
  back.direction = {-walk.direction.x, -walk.direction.y};
  return {FindEdge(image, walk), FindEdge(image, back)};
}

}  // namespace mensor
