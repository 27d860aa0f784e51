// Snapping over a synthetic screen: which line beside the ruler is looked
// at, where a stretched end and a moved zero end jump, and the gap between
// the edges around a place, for horizontal, vertical and slanted rulers.
#include "snap/snapping.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <optional>

namespace mensor {
namespace {

constexpr Color kWhite = MakeColor(255, 255, 255);
constexpr Color kBlack = MakeColor(0, 0, 0);

// A 1024 x 768 screen whose capture starts at screen point `origin`.
class Screen {
 public:
  explicit Screen(Point origin = {0, 0}) : origin_(origin) {
    image_.Resize(1024, 768);
    std::fill(image_.bytes.begin(), image_.bytes.end(), std::uint8_t{255});
  }
  // Fills the screen rectangle [left, right) x [top, bottom).
  Screen& Box(int left, int top, int right, int bottom, Color color = kBlack) {
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) SetPixel(image_, x - origin_.x, y - origin_.y, color);
    }
    return *this;
  }
  ScreenCapture Capture() const { return {image_, origin_}; }
  Image& image() { return image_; }

 private:
  Point origin_;
  Image image_;
};

// A horizontal ruler 60 wide whose zero corner (its lower-left) is at
// (100, 300), and a vertical one from (700, 100), body to the right.
const RulerAxis kHorizontal{{100, 300}, {1, 0}, {0, -1}, 60};
const RulerAxis kVertical{{700, 100}, {0, 1}, {1, 0}, 60};
constexpr Point kNearZeroEdge{150, 295};
constexpr Point kNearOppositeEdge{150, 250};

// Boxes beside those rulers: A below the horizontal one (axis 400 to 500),
// B above it (from axis 200), C left of the vertical one (from axis 200),
// D below the horizontal one just before its zero end, and a two-pixel line
// below it at axis 700.
Screen Scene(Point origin = {0, 0}) {
  Screen screen(origin);
  screen.Box(500, 300, 600, 400).Box(300, 200, 350, 238).Box(650, 300, 698, 350).Box(60, 300, 96, 400);
  screen.Box(800, 300, 802, 400);
  return screen;
}

TEST(Snapping, LooksJustBeyondTheGraduatedEdgeNearestThePointer) {
  struct Case {
    const char* what;
    SnapLine line;
    Vec2 origin;
  };
  const Case cases[] = {
      {"horizontal, near the zero edge: below", LineBeyondEdge(kHorizontal, kNearZeroEdge), {100, 303.5}},
      {"horizontal, near the opposite edge: above", LineBeyondEdge(kHorizontal, kNearOppositeEdge), {100, 236.5}},
      {"vertical, near the zero edge: left", LineBeyondEdge(kVertical, {705, 150}), {696.5, 100}},
      {"vertical, near the opposite edge: right", LineBeyondEdge(kVertical, {755, 150}), {763.5, 100}},
      {"see-through: under the pointer", LineUnderRuler(kHorizontal, {150, 280}), {100, 280.5}},
      {"see-through: kept off the zero edge", LineUnderRuler(kHorizontal, {150, 299}), {100, 298.5}},
      {"see-through: kept off the opposite edge", LineUnderRuler(kHorizontal, {150, 240}), {100, 241.5}},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(c.line.origin.x, c.origin.x, 1e-9) << c.what;
    EXPECT_NEAR(c.line.origin.y, c.origin.y, 1e-9) << c.what;
  }
}

TEST(Snapping, AnEndJumpsToTheNearestEdgeWithinSixPixels) {
  Screen scene = Scene();
  Screen shifted = Scene({-50, -20});
  const SnapLine below = LineBeyondEdge(kHorizontal, kNearZeroEdge);
  const SnapLine above = LineBeyondEdge(kHorizontal, kNearOppositeEdge);
  const SnapLine left = LineBeyondEdge(kVertical, {705, 150});
  struct Case {
    const char* what;
    const Screen& screen;
    SnapLine line;
    double at;
    std::optional<double> edge;
  };
  const Case cases[] = {
      {"4 short of the box", scene, below, 396, 400},
      {"6 short", scene, below, 394, 400},
      {"7 short: too far", scene, below, 393, std::nullopt},
      {"on the edge", scene, below, 400, 400},
      {"5 into the box", scene, below, 405, 400},
      {"6 into the box", scene, below, 406, 400},
      {"7 into the box: too far", scene, below, 407, std::nullopt},
      {"before the box's far side", scene, below, 497, 500},
      {"beyond the box's far side", scene, below, 503, 500},
      {"the zero end, beyond the zero corner", scene, below, 0, -4},
      {"two edges as near: the one nearer the zero end", scene, below, 701, 700},
      {"the box above, near the opposite edge", scene, above, 196, 200},
      {"nothing below there", scene, below, 196, std::nullopt},
      {"vertical ruler, box to its left", scene, left, 196, 200},
      {"a capture that starts above and left of the screen", shifted, below, 396, 400},
  };
  for (const Case& c : cases) {
    const std::optional<double> edge = NearestEdge(c.screen.Capture(), c.line, c.at, 30);
    ASSERT_EQ(edge.has_value(), c.edge.has_value()) << c.what;
    if (c.edge) {
      EXPECT_NEAR(*edge, *c.edge, 1e-9) << c.what;
    }
  }
}

TEST(Snapping, AMovedZeroEndJumpsAlongTheAxis) {
  const Screen scene = Scene();
  const SnapLine below = LineBeyondEdge(kHorizontal, kNearZeroEdge);
  const SnapLine left = LineBeyondEdge(kVertical, {705, 150});
  struct Case {
    const char* what;
    SnapLine line;
    Point offset;
    Point snapped;
  };
  const Case cases[] = {
      {"5 short of the box", below, {395, 0}, {400, 0}},
      {"5 short, a little lower", below, {395, 2}, {400, 2}},
      {"6 into the box", below, {406, 0}, {400, 0}},
      {"7 short: stays", below, {393, 0}, {393, 0}},
      {"vertical, 5 above the box", left, {0, 195}, {0, 200}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SnapMoveOffset(scene.Capture(), c.line, c.offset, 30), c.snapped) << c.what;
  }
}

// Two bands across a ruler turned by 30 degrees, from axis 100 to 150 and from
// 287 to 350: a gap of 137 along the ruler.
Screen SlantedBands(const RulerAxis& ruler) {
  Screen screen;
  for (int y = 0; y < 768; ++y) {
    for (int x = 0; x < 1024; ++x) {
      const double s = (x + 0.5 - ruler.zero.x) * ruler.along.x + (y + 0.5 - ruler.zero.y) * ruler.along.y;
      if ((s >= 100 && s < 150) || (s >= 287 && s < 350)) SetPixel(screen.image(), x, y, kBlack);
    }
  }
  return screen;
}

TEST(Snapping, TheGapBetweenTheEdgesAroundAPlace) {
  const double a = 30.0 * std::numbers::pi / 180.0;
  const RulerAxis slanted{{200, 200}, {std::cos(a), std::sin(a)}, {std::sin(a), -std::cos(a)}, 60};
  const Screen bands = SlantedBands(slanted);
  const Screen scene = Scene();
  const SnapLine below = LineBeyondEdge(kHorizontal, kNearZeroEdge);
  struct Case {
    const char* what;
    const Screen& screen;
    SnapLine line;
    double at;
    double reach;
    std::optional<EdgeGap> gap;
    double slack;
  };
  const Case cases[] = {
      {"inside the box", scene, below, 450, 1515, EdgeGap{400, 500}, 1e-9},
      {"between two boxes", scene, below, 300, 1515, EdgeGap{-4, 400}, 1e-9},
      {"the far box out of reach", scene, below, 300, 300, std::nullopt, 0},
      {"nothing beyond the last edge", scene, below, 900, 1515, std::nullopt, 0},
      {"slanted ruler, near the zero edge", bands, LineBeyondEdge(slanted, {260, 240}), 200, 1515,
       EdgeGap{150, 287}, 0.5},
      {"slanted ruler, near the opposite edge", bands, LineBeyondEdge(slanted, {260, 180}), 200, 1515,
       EdgeGap{150, 287}, 0.5},
  };
  for (const Case& c : cases) {
    const std::optional<EdgeGap> gap = GapAround(c.screen.Capture(), c.line, c.at, 30, c.reach);
    ASSERT_EQ(gap.has_value(), c.gap.has_value()) << c.what;
    if (!c.gap) continue;
    EXPECT_NEAR(gap->first, c.gap->first, c.slack) << c.what;
    EXPECT_NEAR(gap->second, c.gap->second, c.slack) << c.what;
    EXPECT_NEAR(gap->Length(), c.gap->Length(), 2 * c.slack) << c.what;
  }
}

}  // namespace
}  // namespace mensor
