// The see-through tint. The image is treated row by row as a flat run of
// bytes: the colour's share of each byte, (100 - T) * channel, repeats with
// period three (blue, green, red), so it is laid out once for a whole row and
// the inner loop becomes a plain element-wise mix that the compiler turns into
// 16-bit vector arithmetic (widen, multiply, add, divide, narrow).
#include "app/tint.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace mensor {
namespace {

// The largest value divided: (100 - T) * 255 + 255 * T for T in 0..100.
constexpr std::uint32_t kMaxDividend = 100 * 255;

// x div 100 as the high half of a 16-bit product and a shift, which maps onto
// one vector multiply-high per eight lanes. 41944 = ceil(2^22 / 100); the error
// x * (41944 - 2^22 / 100) / 2^22 stays below 0.006 for x <= 25500, less than
// the 0.01 that would carry into the next quotient. The check below proves it
// for every dividend at compile time.
constexpr std::uint16_t kDiv100Multiplier = 41944;

constexpr std::uint16_t Div100(std::uint16_t x) {
  const auto high = static_cast<std::uint16_t>((static_cast<std::uint32_t>(x) * kDiv100Multiplier) >> 16);
  return static_cast<std::uint16_t>(high >> 6);
}

constexpr bool Div100ExactUpToMax() {
  for (std::uint32_t x = 0; x <= kMaxDividend; ++x)
    if (Div100(static_cast<std::uint16_t>(x)) != x / 100) return false;
  return true;
}
static_assert(Div100ExactUpToMax(), "multiply-shift must equal div 100 for every dividend");

// bytes[i] = (share[i] + bytes[i] * t) div 100 for i < n, with share[i] + 255 * t
// never above kMaxDividend.
void MixRow(std::uint8_t* __restrict bytes, const std::uint16_t* __restrict share, std::size_t n,
            std::uint16_t t) {
  for (std::size_t i = 0; i < n; ++i) {
    const auto sum = static_cast<std::uint16_t>(share[i] + bytes[i] * t);
    bytes[i] = static_cast<std::uint8_t>(Div100(sum));
  }
}

}  // namespace

void TintImage(Image& image, Color colour, std::uint8_t percent) {
  if (image.Empty()) return;
  const std::size_t stride = static_cast<std::size_t>(image.Stride());
  const std::size_t rows = static_cast<std::size_t>(image.height);
  if (image.bytes.size() < stride * rows) return;  // not a complete picture

  const std::uint16_t t = std::min<std::uint16_t>(percent, 100);
  const std::uint16_t keep = static_cast<std::uint16_t>(100 - t);
  const std::size_t row_bytes = static_cast<std::size_t>(image.width) * 3;

  // The colour's share in the byte order of a row: blue, green, red.
  std::vector<std::uint16_t> share(row_bytes);
  const std::uint16_t bgr[3] = {static_cast<std::uint16_t>(keep * BlueOf(colour)),
                                static_cast<std::uint16_t>(keep * GreenOf(colour)),
                                static_cast<std::uint16_t>(keep * RedOf(colour))};
  for (std::size_t i = 0; i < row_bytes; ++i) share[i] = bgr[i % 3];

  for (std::size_t y = 0; y < rows; ++y) MixRow(image.bytes.data() + y * stride, share.data(), row_bytes, t);
}

}  // namespace mensor
