// The tool bar's arithmetic: magnifier capture and pointer spot, the factor
// box's reading, placement, drag snapping and growing at the screen bottom.
#include "toolbar/tool_bar_math.h"

#include <gtest/gtest.h>

namespace mensor {
namespace {

constexpr Rect kScreen{0, 0, 1024, 768};
constexpr Size kView{120, 117};

TEST(MagnifierCaptureTest, CopyAndPointerSpotAroundThePointer) {
  struct Case {
    const char* what;
    Point pointer;
    int factor;
    Rect source;
    Point spot;
  };
  const Case cases[] = {
      {"centre, m = 2: 60 x 58 around the pointer", {500, 400}, 2, {470, 371, 530, 429}, {30, 29}},
      {"top-left corner, m = 2", {0, 0}, 2, {0, 0, 60, 58}, {0, 0}},
      {"right edge, m = 2", {1023, 300}, 2, {964, 271, 1024, 329}, {59, 29}},
      {"bottom edge, m = 2", {300, 767}, 2, {270, 710, 330, 768}, {30, 57}},
      {"m = 1: 120 x 116, nearly unenlarged", {500, 400}, 1, {440, 342, 560, 458}, {60, 58}},
      {"m = 3: 40 x 38", {500, 400}, 3, {480, 381, 520, 419}, {20, 19}},
      {"m = 9: 12 x 12", {5, 5}, 9, {0, 0, 12, 12}, {5, 5}},
  };
  for (const Case& c : cases) {
    const MagnifierCapture capture = ComputeMagnifierCapture(c.pointer, c.factor, kView, kScreen);
    EXPECT_EQ(capture.source, c.source) << c.what;
    EXPECT_EQ(capture.spot, c.spot) << c.what;
  }
}

TEST(MagnifierCaptureTest, ClampsToAScreenThatDoesNotStartAtTheOrigin) {
  // A monitor left of the primary one.
  const Rect left_monitor{-800, 0, 0, 600};
  const MagnifierCapture capture = ComputeMagnifierCapture({-800, 599}, 2, kView, left_monitor);
  EXPECT_EQ(capture.source, (Rect{-800, 542, -740, 600}));
  EXPECT_EQ(capture.spot, (Point{0, 57}));
}

TEST(FactorTest, TextBecomesTheFactor) {
  struct Case {
    const char* text;
    int factor;
    bool reset_box;
  };
  const Case cases[] = {
      {"2", 2, false}, {"9", 9, false}, {"1", 1, false}, {" 3 ", 3, false},
      {"0", 1, true},                    // a typed 0 is set to 1
      {"-", 1, false}, {"x", 1, false},  // not a number: counts as 1, the text stays
      {"", 1, false},  {"12", 9, false},
  };
  for (const Case& c : cases) {
    const FactorReading reading = FactorFromText(c.text);
    EXPECT_EQ(reading.factor, c.factor) << '"' << c.text << '"';
    EXPECT_EQ(reading.reset_box, c.reset_box) << '"' << c.text << '"';
  }
}

TEST(PlaceToolBarTest, SavedPositionIsKeptInsideTheScreen) {
  constexpr Size kSize{124, 184};
  struct Case {
    Point saved;
    Point placed;
  };
  const Case cases[] = {
      {{5, 3}, {0, 0}},            // near the top-left: onto the edges
      {{10, 10}, {0, 0}},          // 10 still snaps
      {{11, 11}, {11, 11}},        // 11 does not
      {{889, 573}, {889, 573}},    // far sides 11 pixels from the right and bottom edges
      {{890, 574}, {900, 584}},    // 10 pixels: flush with the edges
      {{5000, -40}, {900, 0}},     // far outside
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceToolBar(c.saved, kSize, kScreen), c.placed) << c.saved.x << ", " << c.saved.y;
  }
}

TEST(DragTest, WindowFollowsTheMouseAndSnapsWithinTenPixelsOfEachEdge) {
  constexpr Size kSize{124, 35};
  struct Case {
    const char* what;
    Point start;
    Point motion;
    Point window;
  };
  const Case cases[] = {
      {"free move", {400, 300}, {-20, 15}, {380, 315}},
      {"left edge", {400, 300}, {-390, 0}, {0, 300}},
      {"top edge", {400, 300}, {0, -291}, {400, 0}},
      {"right edge", {400, 300}, {491, 0}, {900, 300}},
      {"bottom edge", {400, 300}, {0, 424}, {400, 733}},
      {"11 pixels from the left stays", {400, 300}, {-389, 0}, {11, 300}},
  };
  for (const Case& c : cases) {
    const DragStep step = StepDrag(c.start, c.start, c.motion, kSize, kScreen);
    EXPECT_EQ(step.window, c.window) << c.what;
  }
}

TEST(DragTest, OnlyAWindowWhollyOnTheScreenFollows) {
  EXPECT_TRUE(FollowsDrag({0, 0, 124, 35}, kScreen));
  EXPECT_TRUE(FollowsDrag({900, 733, 1024, 768}, kScreen));
  EXPECT_FALSE(FollowsDrag({-1, 0, 123, 35}, kScreen));
  EXPECT_FALSE(FollowsDrag({901, 0, 1025, 35}, kScreen));
  EXPECT_FALSE(FollowsDrag({0, 734, 124, 769}, kScreen));
}

TEST(GrowTest, WindowGrowingPastTheBottomMovesUp) {
  EXPECT_EQ(TopAfterGrowing(733, 184, kScreen), 584);
  EXPECT_EQ(TopAfterGrowing(584, 184, kScreen), 584);
  EXPECT_EQ(TopAfterGrowing(100, 184, kScreen), 100);
}

}  // namespace
}  // namespace mensor
