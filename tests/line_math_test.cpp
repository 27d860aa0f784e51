// Distances from lines and directions from the zero corner.
#include "app/line_math.h"

#include <gtest/gtest.h>

#include <numbers>

namespace mensor {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(LineMath, DistanceIsMeasuredToTheInfiniteLine) {
  // The zero end of a horizontal ruler: the vertical line x = 660.
  const Point a{660, 660}, b{660, 600};
  EXPECT_DOUBLE_EQ(DistanceToLine({760, 630}, a, b), 100.0);
  EXPECT_DOUBLE_EQ(DistanceToLine({560, 2000}, a, b), 100.0) << "beyond the segment still counts";
  EXPECT_DOUBLE_EQ(DistanceToLine({3, 4}, {0, 0}, {4, -3}), 5.0);
  EXPECT_DOUBLE_EQ(DistanceToLine({7, 7}, {1, 1}, {1, 1}), 0.0) << "coinciding points give 0";
}

TEST(LineMath, NearMeansStrictlyCloserThanThreePixels) {
  const Point a{1260, 660}, b{1260, 600};
  EXPECT_TRUE(NearLine({1262, 630}, a, b));
  EXPECT_TRUE(NearLine({1258, 5000}, a, b));
  EXPECT_FALSE(NearLine({1263, 630}, a, b)) << "exactly 3 is not near";
  EXPECT_TRUE(NearLine({5, 5}, {5, 5}, {5, 5})) << "a point line is near only to itself";
  EXPECT_FALSE(NearLine({5, 6}, {5, 5}, {5, 5}));
}

TEST(LineMath, DirectionGrowsClockwiseOnTheScreenInZeroToTwoPi) {
  const Point o{100, 100};
  struct Case {
    Point p;
    double expected;
  } cases[] = {
      {{200, 100}, 2 * kPi},      // right: a = 0 with y <= 0 gives 2*pi, never 0
      {{100, 200}, kPi / 2},      // straight down
      {{100, 0}, 3 * kPi / 2},    // straight up
      {{100, 100}, 3 * kPi / 2},  // the corner itself
      {{0, 100}, kPi},            // left
      {{200, 200}, kPi / 4},      // down-right
      {{0, 200}, 3 * kPi / 4},    // down-left
      {{0, 0}, 5 * kPi / 4},      // up-left
      {{200, 0}, 7 * kPi / 4},    // up-right
  };
  for (const Case& c : cases)
    EXPECT_NEAR(DirectionFrom(o, c.p), c.expected, 1e-12) << c.p.x << "," << c.p.y;
}

}  // namespace
}  // namespace mensor
