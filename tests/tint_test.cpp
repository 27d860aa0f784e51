// The see-through tint against the per-channel formula
//   new = ((100 - T) * colour + old * T) div 100
// for every old value, every colour byte and every T, plus row padding and
// widths that leave vector remainders.
#include "app/tint.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

namespace mensor {
namespace {

int Expected(int old_value, int colour_byte, int t) { return ((100 - t) * colour_byte + old_value * t) / 100; }

struct Bgr {
  int b, g, r;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

Bgr PixelAt(const Image& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + 3 * x;
  return {p[0], p[1], p[2]};
}

Image SolidImage(int width, int height, Bgr pixel) {
  Image image;
  image.Resize(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = image.Row(y) + 3 * x;
      p[0] = static_cast<std::uint8_t>(pixel.b);
      p[1] = static_cast<std::uint8_t>(pixel.g);
      p[2] = static_cast<std::uint8_t>(pixel.r);
    }
  return image;
}

TEST(Tint, EveryOldValueColourByteAndPercentMatchesTheFormula) {
  // One row of 256 grey pixels (old = x in all three channels) per T and
  // colour; red runs through every byte value, green and blue through the
  // same values shifted, so each channel meets every colour byte.
  int mismatches = 0;
  std::string first;
  for (int t = 0; t <= 100; ++t) {
    for (int c = 0; c < 256; ++c) {
      const int red = c, green = (c + 85) & 0xFF, blue = (c + 170) & 0xFF;
      Image image;
      image.Resize(256, 1);
      for (int x = 0; x < 256; ++x)
        for (int k = 0; k < 3; ++k) image.bytes[3 * x + k] = static_cast<std::uint8_t>(x);
      TintImage(image, MakeColor(red, green, blue), static_cast<std::uint8_t>(t));
      for (int x = 0; x < 256; ++x) {
        const Bgr want{Expected(x, blue, t), Expected(x, green, t), Expected(x, red, t)};
        const Bgr got = PixelAt(image, x, 0);
        if (got != want && mismatches++ == 0)
          first = "T=" + std::to_string(t) + " colour byte=" + std::to_string(c) + " old=" + std::to_string(x);
      }
    }
  }
  EXPECT_EQ(mismatches, 0) << "first mismatch at " << first;
}

TEST(Tint, GoldenPixels) {
  struct Case {
    int t;
    Color colour;
    Bgr old_pixel;
    Bgr want;
  };
  const Case cases[] = {
      // White under the default ruler colour 0xFF9B37 at 60 %.
      {60, 0xFF9B37, {255, 255, 255}, {255, 215, 175}},
      // 0 %: only the colour.
      {0, 0xFF9B37, {12, 34, 56}, {0xFF, 0x9B, 0x37}},
      // 100 %: only the screen.
      {100, 0xFF9B37, {12, 34, 56}, {12, 34, 56}},
      // Halves truncate: 12750 div 100 = 127.
      {50, 0x000000, {255, 255, 255}, {127, 127, 127}},
      // 99 * 255 = 25245 -> 252.
      {1, 0xFFFFFF, {0, 0, 0}, {252, 252, 252}},
      // Above 100 counts as 100.
      {101, 0xFFFFFF, {1, 2, 3}, {1, 2, 3}},
      {255, 0x000000, {200, 100, 50}, {200, 100, 50}},
  };
  for (const Case& c : cases) {
    Image image = SolidImage(3, 2, c.old_pixel);
    TintImage(image, c.colour, static_cast<std::uint8_t>(c.t));
    for (int y = 0; y < 2; ++y)
      for (int x = 0; x < 3; ++x)
        EXPECT_EQ(PixelAt(image, x, y), c.want) << "T=" << c.t << " at (" << x << ", " << y << ")";
  }
}

TEST(Tint, OddWidthsKeepPaddingAndTintEveryPixel) {
  // Widths 1..70 cover every row padding (0..3 bytes) and every remainder of
  // the 16- and 8-byte vector steps.
  std::mt19937 random(12345);
  const Color colour = MakeColor(0x37, 0x9B, 0xFF);
  const int t = 37;
  for (int width = 1; width <= 70; ++width) {
    const int height = 3;
    Image image;
    image.Resize(width, height);
    for (auto& byte : image.bytes) byte = static_cast<std::uint8_t>(random());
    const std::vector<std::uint8_t> before = image.bytes;
    TintImage(image, colour, t);
    const int stride = image.Stride();
    for (int y = 0; y < height; ++y) {
      for (int i = 0; i < stride; ++i) {
        const std::size_t at = static_cast<std::size_t>(y * stride + i);
        if (i >= 3 * width) {
          EXPECT_EQ(image.bytes[at], before[at]) << "padding byte " << i << " of row " << y << ", width " << width;
          continue;
        }
        const int channel[3] = {BlueOf(colour), GreenOf(colour), RedOf(colour)};
        EXPECT_EQ(image.bytes[at], Expected(before[at], channel[i % 3], t))
            << "byte " << i << " of row " << y << ", width " << width;
      }
    }
  }
}

TEST(Tint, EmptyImageIsLeftAlone) {
  Image image;
  TintImage(image, 0xFFFFFF, 0);
  EXPECT_TRUE(image.bytes.empty());
}

}  // namespace
}  // namespace mensor
