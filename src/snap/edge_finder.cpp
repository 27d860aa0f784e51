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

class BandReader {
 public:
  BandReader(const Image& image, Vec2 direction)
      : data_(image.bytes.data()),
        stride_(image.Stride()),
        width_(static_cast<std::uint64_t>(image.width)),
        height_(static_cast<std::uint64_t>(image.height)),
        // One pixel across the line: the direction turned by a right angle.
        across_x_(Fixed(-direction.y)),
        across_y_(Fixed(direction.x)) {}

  // The band at the fixed-point position (x, y); false when the pixel under
  // the line lies outside the picture.
  bool Read(std::int64_t x, std::int64_t y, BandSum& sum) const {
    const std::uint8_t* centre = At(x >> kFractionBits, y >> kFractionBits);
    if (centre == nullptr) return false;
    const std::uint8_t* left = At((x - across_x_) >> kFractionBits, (y - across_y_) >> kFractionBits);
    const std::uint8_t* right = At((x + across_x_) >> kFractionBits, (y + across_y_) >> kFractionBits);
    if (left == nullptr) left = centre;
    if (right == nullptr) right = centre;
    for (int c = 0; c < 3; ++c) sum[c] = left[c] + centre[c] + right[c];
    return true;
  }

 private:
  const std::uint8_t* At(std::int64_t x, std::int64_t y) const {
    // NOTE: a negative index turns into a huge unsigned one, so one compare
    // per axis rejects both sides.
    if (static_cast<std::uint64_t>(x) >= width_ || static_cast<std::uint64_t>(y) >= height_) return nullptr;
    return data_ + static_cast<std::ptrdiff_t>(y) * stride_ + static_cast<std::ptrdiff_t>(x) * 3;
  }

  const std::uint8_t* data_;
  std::ptrdiff_t stride_;
  std::uint64_t width_;
  std::uint64_t height_;
  std::int64_t across_x_;
  std::int64_t across_y_;
};

int LargestChannelStep(const BandSum& a, const BandSum& b) {
  return std::max({std::abs(a[0] - b[0]), std::abs(a[1] - b[1]), std::abs(a[2] - b[2])});
}

int LargestChannel(const BandSum& a, const BandSum& b) {
  int best = 0;
  for (int c = 1; c < 3; ++c) {
    if (std::abs(a[c] - b[c]) > std::abs(a[best] - b[best])) best = c;
  }
  return best;
}

}  // namespace

std::optional<double> FindEdge(const Image& image, const EdgeWalk& walk) {
  if (image.Empty() || !(walk.limit >= 0.5)) return std::nullopt;
  const int tolerance = std::clamp(walk.tolerance, kMinEdgeTolerance, kMaxEdgeTolerance);
  const int threshold = 3 * tolerance;
  // A unit step stays inside a w x h picture for fewer than w + h steps, which
  // also keeps a huge limit from overflowing the fixed-point positions.
  const double most_steps = static_cast<double>(image.width) + image.height + 1;
  const int steps = static_cast<int>(std::min(std::floor(walk.limit + 0.5), most_steps));

  const BandReader band(image, walk.direction);
  std::int64_t x = Fixed(walk.start.x);
  std::int64_t y = Fixed(walk.start.y);
  const std::int64_t step_x = Fixed(walk.direction.x);
  const std::int64_t step_y = Fixed(walk.direction.y);
  BandSum previous{};
  if (!band.Read(x, y, previous)) return std::nullopt;
  for (int t = 1; t <= steps; ++t) {
    x += step_x;
    y += step_y;
    BandSum current{};
    if (!band.Read(x, y, current)) return std::nullopt;
    const int step = LargestChannelStep(current, previous);
    if (step >= threshold) {
      // The edge lies at the mean of the places of its steps, weighted by
      // their size: the steps that follow at once, each reaching the
      // tolerance and going the same way in the channel that changed most.
      // So an anti-aliased border is found where its colour is half-way,
      // while a thin line (down, then up again) keeps both its edges.
      const int channel = LargestChannel(current, previous);
      const bool rising = current[channel] > previous[channel];
      double weighted = step * (t - 0.5);
      double weight = step;
      for (int k = 1; k < kMostStepsOfOneEdge; ++k) {
        x += step_x;
        y += step_y;
        BandSum next{};
        if (!band.Read(x, y, next)) break;
        const int next_step = LargestChannelStep(next, current);
        const int change = next[channel] - current[channel];
        if (next_step < threshold || change == 0 || (change > 0) != rising) break;
        weighted += next_step * (t + k - 0.5);
        weight += next_step;
        current = next;
      }
      return weighted / weight;
    }
    previous = current;
  }
  return std::nullopt;
}

EdgeDistances FindEdges(const Image& image, const EdgeWalk& walk) {
  EdgeWalk back = walk;
  back.direction = {-walk.direction.x, -walk.direction.y};
  return {FindEdge(image, walk), FindEdge(image, back)};
}

}  // namespace mensor
