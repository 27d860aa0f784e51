// The magnified view: where each copied pixel's block, the grid and the frame
// of the pixel under the pointer lie at factors 1, 2, 4 and 9; the pointer's
// place; the colour texts. (The tick itself: tool_bar_test.cpp.)
#include "toolbar/magnifier_view.h"

#include <gtest/gtest.h>

#include "toolbar/tool_bar_form.h"

namespace mensor {
namespace {

constexpr Rect kView = TFormToolBar::kView;  // 120 x 117 at (2, 37)

struct FactorCase {
  int factor;
  Size copy;
  Rect block;          // the block of the pixel under the pointer (the copy's centre)
  Rect frame;          // the frame's outline, right and bottom exclusive
  int grid_lines;      // vertical and horizontal
  ViewLayout::Pointer pointer;
  Point pointer_at;    // the hot spot of a pointer drawn beside the frame
};

const FactorCase kFactors[] = {
    // The frame lies just outside the block at small factors...
    {1, {120, 116}, {62, 95, 63, 96}, {61, 94, 64, 97}, 0, ViewLayout::Pointer::InCopy, {}},
    {2, {60, 58}, {62, 95, 64, 97}, {61, 94, 65, 98}, 0, ViewLayout::Pointer::InCopy, {}},
    // ...and on the grid lines around the block from factor 4 on, where the
    // pointer goes beside it.
    {4, {30, 28}, {62, 95, 66, 99}, {62, 95, 67, 100}, 29 + 27, ViewLayout::Pointer::Beside, {67, 100}},
    {9, {12, 12}, {62, 95, 72, 105}, {62, 95, 73, 106}, 11 + 11, ViewLayout::Pointer::Beside, {73, 106}},
};

// The four sides of an outline, as ViewMarks gives them.
std::vector<ViewMark> Sides(const Rect& f, Color c) {
  return {{{f.left, f.top, f.right, f.top + 1}, c},
          {{f.left, f.bottom - 1, f.right, f.bottom}, c},
          {{f.left, f.top, f.left + 1, f.bottom}, c},
          {{f.right - 1, f.top, f.right, f.bottom}, c}};
}

TEST(MagnifierView, BlocksGridFrameAndPointerAtEachFactor) {
  for (const FactorCase& c : kFactors) {
    SCOPED_TRACE(c.factor);
    const MagnifierCapture capture = ComputeMagnifierCapture({500, 400}, c.factor, {120, 117}, {0, 0, 1024, 768});
    ASSERT_EQ((Size{capture.source.Width(), capture.source.Height()}), c.copy);
    const ViewLayout layout = LayOutView(c.copy, capture.spot, c.factor, kView, true, true);
    EXPECT_EQ(BlockOf(layout, layout.pixel), c.block);
    EXPECT_EQ(layout.columns.front(), kView.left);
    EXPECT_EQ(layout.columns.back(), kView.right) << "the blocks fill the view";
    EXPECT_EQ(layout.rows.back(), kView.bottom);
    const std::vector<ViewMark> marks = ViewMarks(layout, 0xFFFFFF);
    ASSERT_EQ(marks.size(), static_cast<std::size_t>(c.grid_lines) + 4);
    EXPECT_EQ(std::vector<ViewMark>(marks.end() - 4, marks.end()), Sides(c.frame, 0x000000)) << "black on white";
    EXPECT_EQ(layout.pointer, c.pointer);
    if (c.pointer == ViewLayout::Pointer::Beside) {
      EXPECT_EQ(layout.pointer_at, c.pointer_at);
    }
  }
}

TEST(MagnifierView, GridLinesAtTheFirstColumnAndRowOfEachBlockButTheFirst) {
  const ViewLayout layout = LayOutView({30, 28}, {15, 14}, 4, kView, false, true);
  const std::vector<ViewMark> marks = ViewMarks(layout, 0);
  EXPECT_EQ(marks[0], (ViewMark{{6, 37, 7, 154}, kGridColor})) << "between the first two columns";
  EXPECT_EQ(marks[28], (ViewMark{{118, 37, 119, 154}, kGridColor})) << "between the last two";
  EXPECT_EQ(marks[29], (ViewMark{{2, 41, 122, 42}, kGridColor})) << "117 / 28 rows: the first is 4 high";
  EXPECT_EQ(marks[30], (ViewMark{{2, 45, 122, 46}, kGridColor}));
  EXPECT_EQ(marks.back().color, 0xFFFFFFu) << "white frame around black";
  EXPECT_EQ(layout.pointer, ViewLayout::Pointer::None) << "\"&Show Cursor\" off";

  const ViewLayout without = LayOutView({30, 28}, {15, 14}, 4, kView, false, false);
  EXPECT_EQ(ViewMarks(without, 0).size(), 4u) << "grid off: the frame alone";
  EXPECT_EQ(ViewMarks(without, 0)[0].rect, (Rect{61, 94, 67, 95})) << "then around the block";
}

TEST(MagnifierView, AFrameAtTheViewsEdgeIsCut) {
  const ViewLayout layout = LayOutView({60, 58}, {0, 0}, 2, kView, false, true);
  EXPECT_EQ(ViewMarks(layout, 0xFFFFFF),
            (std::vector<ViewMark>{{{2, 39, 5, 40}, 0}, {{4, 37, 5, 40}, 0}})) << "bottom and right sides only";
}

TEST(MagnifierView, ColourTexts) {
  struct Case {
    Color color;
    const char* hex;
    const char* rgb;
    Color frame;
  };
  const Case cases[] = {
      {MakeColor(166, 210, 255), "#A6D2FF", "166, 210, 255", 0x000000},
      {MakeColor(0, 0, 0), "#000000", "0, 0, 0", 0xFFFFFF},
      {MakeColor(255, 0, 0), "#FF0000", "255, 0, 0", 0xFFFFFF},
      {MakeColor(0, 255, 0), "#00FF00", "0, 255, 0", 0x000000},
      {MakeColor(10, 128, 250), "#0A80FA", "10, 128, 250", 0xFFFFFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(HexText(c.color), c.hex);
    EXPECT_EQ(RgbText(c.color), c.rgb);
    EXPECT_EQ(ContrastingColor(c.color), c.frame) << c.hex;
  }
}

}  // namespace
}  // namespace mensor
