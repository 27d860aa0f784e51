// The edge finder over synthetic pictures: sharp boxes, a thin line, slow
// gradients, soft shadows, anti-aliased strokes, noise, colours that differ in
// one channel only, walks at several angles and at the picture's border.
#include "snap/edge_finder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <random>

namespace mensor {
namespace {

constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kYellow = MakeColor(255, 255, 0);
constexpr int kW = 200;
constexpr int kH = 120;

Image Plain(Color color) {
  Image image;
  image.Resize(kW, kH);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) SetPixel(image, x, y, color);
  }
  return image;
}

void Fill(Image& image, int left, int top, int right, int bottom, Color color) {
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) SetPixel(image, x, y, color);
  }
}

Color Grey(int v) { return MakeColor(v, v, v); }

// A box [100, 150) x [40, 80) on white.
Image BoxOnWhite(Color box) {
  Image image = Plain(kWhite);
  Fill(image, 100, 40, 150, 80, box);
  return image;
}
Image BlackBox() { return BoxOnWhite(kBlack); }
Image YellowBox() { return BoxOnWhite(kYellow); }

Image OneLine() {
  Image image = Plain(kWhite);
  Fill(image, 50, 0, 51, kH, kBlack);
  return image;
}

Image SlowGradient() {
  Image image = Plain(kWhite);
  for (int x = 0; x < kW; ++x) Fill(image, x, 0, x + 1, kH, Grey(x * 255 / (kW - 1)));
  return image;
}

// A dark box at x >= 100 with a shadow of three columns fading into white,
// each step 23.
Image SoftShadow() {
  Image image = Plain(kWhite);
  Fill(image, 97, 0, 98, kH, Grey(232));
  Fill(image, 98, 0, 99, kH, Grey(209));
  Fill(image, 99, 0, 100, kH, Grey(186));
  Fill(image, 100, 0, kW, kH, Grey(64));
  return image;
}

// A 3-pixel stroke through (100, 60) at 75 degrees, black on white, anti-
// aliased as text renderers do: each pixel's grey is its coverage, sampled
// 4 x 4. Its left border crosses row 60 at x = 98.58, its right at 101.69.
Image AntiAliasedStroke() {
  Image image = Plain(kWhite);
  const double a = 75.0 * std::numbers::pi / 180.0;
  const double nx = std::sin(a);
  const double ny = -std::cos(a);
  for (int y = 0; y < kH; ++y) {
    for (int x = 0; x < kW; ++x) {
      int inside = 0;
      for (int j = 0; j < 4; ++j) {
        for (int i = 0; i < 4; ++i) {
          const double px = x + (i + 0.5) / 4 - 100.0;
          const double py = y + (j + 0.5) / 4 - 60.0;
          if (std::abs(px * nx + py * ny) <= 1.5) ++inside;
        }
      }
      SetPixel(image, x, y, Grey(255 - inside * 255 / 16));
    }
  }
  return image;
}

// Every channel of every pixel moved by up to 8 either way.
Image WithNoise(Image image) {
  std::minstd_rand random(23);
  for (auto& byte : image.bytes) {
    const int noisy = byte + static_cast<int>(random() % 17) - 8;
    byte = static_cast<std::uint8_t>(std::clamp(noisy, 0, 255));
  }
  return image;
}
Image NoisyGrey() { return WithNoise(Plain(Grey(128))); }
Image NoisyBox() {
  Image image = Plain(Grey(240));
  Fill(image, 100, 40, 150, 80, Grey(20));
  return WithNoise(image);
}

// One-pixel black columns at the picture's first and last column.
Image BorderColumns() {
  Image image = Plain(kWhite);
  Fill(image, 0, 0, 1, kH, kBlack);
  Fill(image, kW - 1, 0, kW, kH, kBlack);
  return image;
}

// Grey 100 left of x = 100, grey 130 from there: a step of exactly 30.
Image StepOf30() {
  Image image = Plain(Grey(100));
  Fill(image, 100, 0, kW, kH, Grey(130));
  return image;
}

struct Case {
  const char* what;
  Image (*picture)();
  Vec2 start;
  double degrees;
  int tolerance;
  double limit;
  std::optional<double> ahead;
  std::optional<double> behind;
  double slack;
};

constexpr double kExact = 1e-9;
constexpr double kSlant = 0.6;

// From inside the box at (125.5, 60.5) its borders lie 24.5 right, 25.5 left,
// 19.5 down and 20.5 up; the slanted distances are those of the exact ray.
const Case kCases[] = {
    {"box, along the row", BlackBox, {125.5, 60.5}, 0, 30, 100, 24.5, 25.5, kExact},
    {"box at 30 degrees", BlackBox, {125.5, 60.5}, 30, 30, 100, 28.29, 29.44, kSlant},
    {"box at 45 degrees", BlackBox, {125.5, 60.5}, 45, 30, 100, 27.58, 28.99, kSlant},
    {"box, down the column", BlackBox, {125.5, 60.5}, 90, 30, 100, 19.5, 20.5, kExact},
    {"box at 217 degrees", BlackBox, {125.5, 60.5}, 217, 30, 100, 31.93, 30.68, kSlant},
    {"box from outside", BlackBox, {80.5, 60.5}, 0, 30, 100, 19.5, std::nullopt, kExact},
    {"yellow on white: only blue differs", YellowBox, {125.5, 60.5}, 0, 30, 100, 24.5, 25.5, kExact},
    {"yellow on white at 217 degrees", YellowBox, {125.5, 60.5}, 217, 30, 100, 31.93, 30.68, kSlant},
    {"one-pixel line from the left", OneLine, {40.5, 60.5}, 0, 30, 100, 9.5, std::nullopt, kExact},
    {"one-pixel line from the right", OneLine, {60.5, 60.5}, 0, 30, 100, std::nullopt, 9.5, kExact},
    {"one-pixel line from on it", OneLine, {50.5, 60.5}, 0, 30, 100, 0.5, 0.5, kExact},
    {"slow gradient", SlowGradient, {100.5, 60.5}, 0, 30, 500, std::nullopt, std::nullopt, kExact},
    {"soft shadow: one edge, at the box", SoftShadow, {80.5, 60.5}, 0, 30, 100, 19.5, std::nullopt, kExact},
    {"soft shadow from inside the box", SoftShadow, {120.5, 60.5}, 0, 30, 100, std::nullopt, 20.5, kExact},
    {"soft shadow from within it", SoftShadow, {98.5, 60.5}, 0, 30, 100, 1.5, std::nullopt, kExact},
    {"anti-aliased stroke", AntiAliasedStroke, {60.5, 60.5}, 0, 30, 100, 38.08, std::nullopt, 0.3},
    {"anti-aliased stroke from the right", AntiAliasedStroke, {140.5, 60.5}, 0, 30, 100, std::nullopt, 38.81,
     0.3},
    {"noise of 8 is no edge", NoisyGrey, {5.5, 60.5}, 0, 30, 500, std::nullopt, std::nullopt, kExact},
    {"noise of 8 at 30 degrees", NoisyGrey, {5.5, 5.5}, 30, 30, 500, std::nullopt, std::nullopt, kExact},
    {"noise of 8 down the column", NoisyGrey, {100.5, 0.5}, 90, 30, 500, std::nullopt, std::nullopt, kExact},
    {"noisy box", NoisyBox, {125.5, 60.5}, 0, 30, 100, 24.5, 25.5, kExact},
    {"noisy box at 217 degrees", NoisyBox, {125.5, 60.5}, 217, 30, 100, 31.93, 30.68, kSlant},
    {"step of 30 at tolerance 30", StepOf30, {90.5, 60.5}, 0, 30, 100, 9.5, std::nullopt, kExact},
    {"step of 30 at tolerance 31", StepOf30, {90.5, 60.5}, 0, 31, 100, std::nullopt, std::nullopt, kExact},
    {"edges in the first and last column", BorderColumns, {100.5, 60.5}, 0, 30, 1000, 98.5, 99.5, kExact},
    {"along the picture's top row, band cut by the border", BorderColumns, {100.5, 0.5}, 0, 30, 1000, 98.5, 99.5,
     kExact},
    {"along the box's top row, band two thirds in", BlackBox, {125.5, 40.5}, 0, 30, 100, 24.5, 25.5, kExact},
    {"off the picture: the border is no edge", BlackBox, {125.5, 10.5}, 90, 30, 1000, 29.5, std::nullopt, kExact},
    {"start outside the picture", BlackBox, {-5.5, 60.5}, 0, 30, 1000, std::nullopt, std::nullopt, kExact},
    {"edge beyond the limit", BlackBox, {80.5, 60.5}, 0, 30, 19, std::nullopt, std::nullopt, kExact},
    {"edge just at the limit", BlackBox, {80.5, 60.5}, 0, 30, 19.5, 19.5, std::nullopt, kExact},
};

void ExpectDistance(const char* what, const char* side, std::optional<double> found,
                    std::optional<double> expected, double slack) {
  if (!expected) {
    EXPECT_FALSE(found.has_value()) << what << ": no edge " << side << ", found one at " << found.value_or(0);
    return;
  }
  ASSERT_TRUE(found.has_value()) << what << ": an edge " << side << " at " << *expected;
  EXPECT_NEAR(*found, *expected, slack) << what << ": the edge " << side;
}

// The picture with its last column repeated once more: 201 pixels make rows
// of 603 bytes, padded to 604, where the 200 of the others need no padding
// (the finder reads pixels four bytes at a time where padding allows).
Image Widened(const Image& image) {
  Image wide;
  wide.Resize(image.width + 1, image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x <= image.width; ++x) SetPixel(wide, x, y, PixelOf(image, std::min(x, image.width - 1), y));
  }
  return wide;
}

TEST(EdgeFinder, FindsTheFirstEdgeEachWayOverSyntheticPictures) {
  for (const Case& c : kCases) {
    const Image image = c.picture();
    const double a = c.degrees * std::numbers::pi / 180.0;
    const EdgeWalk walk{c.start, {std::cos(a), std::sin(a)}, c.tolerance, c.limit};
    for (const Image& picture : {image, Widened(image)}) {
      const EdgeDistances found = FindEdges(picture, walk);
      ExpectDistance(c.what, "ahead", found.ahead, c.ahead, c.slack);
      ExpectDistance(c.what, "behind", found.behind, c.behind, c.slack);
    }
  }
}

TEST(EdgeFinder, NoEdgesInAnEmptyPictureOrFromAnImpossibleStart) {
  const Image box = BlackBox();
  const Image empty;
  const struct {
    const char* what;
    const Image& image;
    EdgeWalk walk;
  } cases[] = {
      {"empty picture", empty, {{0.5, 0.5}, {1, 0}, 30, 100}},
      {"start not a number", box, {{std::nan(""), 60.5}, {1, 0}, 30, 100}},
      {"start far beyond the picture", box, {{-1e300, 60.5}, {1, 0}, 30, 1e300}},
      {"direction not a number", box, {{125.5, 60.5}, {std::nan(""), 0}, 30, 100}},
  };
  for (const auto& c : cases) {
    const EdgeDistances found = FindEdges(c.image, c.walk);
    EXPECT_FALSE(found.ahead.has_value()) << c.what;
    EXPECT_FALSE(found.behind.has_value()) << c.what;
  }
}

}  // namespace
}  // namespace mensor
