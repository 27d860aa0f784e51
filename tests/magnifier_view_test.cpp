// The magnified view: where each copied pixel's block, the grid and the frame
// of the pixel under the pointer lie at factors 1, 2, 4 and 9; the pointer's
// place; the colour row's texts and swatch; copying the colour.
#include "toolbar/magnifier_view.h"

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"
#include "fake_tool_bar.h"
#include "lang/language.h"
#include "toolbar/tool_bar_form.h"
#include "ui/clipboard.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeToolBarControls;
using testing::FakeWindow;

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
    if (c.pointer == ViewLayout::Pointer::Beside) EXPECT_EQ(layout.pointer_at, c.pointer_at);
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

class MagnifierTick : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    LanguageIndex = -1;
    platform.screen = {1024, 768};
    bar.SetMainForm(&ruler);
    // Copied pixel (x, y) has red x, green y, blue 200.
    platform.fill_capture = [](Image& image) {
      for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) SetPixel(image, x, y, MakeColor(x, y, 200));
    };
    AppSettings.Magnifier = true;
    bar.FormCreate();
    window.visible = true;
    platform.cursor_pos = {500, 400};
  }
  Color At(int x, int y) const { return PixelOf(bar.Magnifier().Picture(), x - kView.left, y - kView.top); }

  FakePlatform platform;
  FakeWindow ruler_window;
  TMainForm ruler{platform, ruler_window};
  FakeWindow window;
  FakeToolBarControls controls;
  TFormToolBar bar{platform, window, controls};
};

TEST_F(MagnifierTick, FactorFourShowsBlocksGridFramePointerAndColourRow) {
  AppSettings.ShowCursor = true;
  bar.FormCreate();
  controls.factor_text = "4";
  bar.TimerMagnifierTimer();
  // Block (1, 0) spans x 6..9, y 37..40; its first column is a grid line.
  EXPECT_EQ(At(7, 38), MakeColor(1, 0, 200));
  EXPECT_EQ(At(6, 38), kGridColor);
  EXPECT_EQ(At(3, 41), kGridColor) << "the second row's first line";
  // The pixel under the pointer, (15, 14), keeps its colour inside a white
  // frame (its colour is dark).
  EXPECT_EQ(At(64, 97), MakeColor(15, 14, 200));
  EXPECT_EQ(At(62, 97), 0xFFFFFFu);
  EXPECT_EQ(At(66, 97), 0xFFFFFFu);
  EXPECT_EQ(At(64, 99), 0xFFFFFFu);
  ASSERT_EQ(controls.pointers.size(), 1u);
  EXPECT_EQ(controls.pointers[0], (FakeToolBarControls::PointerDraw{{120, 117}, {65, 63}}))
      << "at its own size into the view, beside the frame";

  // On the window: the picture at the view's place; the colour row once
  // painted shows the framed pixel.
  ASSERT_FALSE(window.direct.Images().empty());
  EXPECT_EQ(window.direct.Images().back().from, (Point{kView.left, kView.top}));
  testing::RecordingCanvas canvas;
  bar.FormPaint(canvas);
  std::vector<testing::DrawOp> row;
  for (const testing::DrawOp& op : canvas.ops)
    if ((op.kind == testing::DrawOp::Fill && op.rect.top >= TFormToolBar::kColorRow.top) ||
        (op.kind == testing::DrawOp::Text && op.from.y >= TFormToolBar::kColorRow.top))
      row.push_back(op);
  ASSERT_EQ(row.size(), 5u) << "panel, outline, swatch, two texts";
  EXPECT_EQ(row[2].rect, (Rect{6, 191, 26, 211})) << "the swatch inside its outline";
  EXPECT_EQ(row[2].color, MakeColor(15, 14, 200));
  EXPECT_EQ(row[3].text, "#0F0EC8");
  EXPECT_EQ(row[3].from, (Point{32, TFormToolBar::kColorRow.top + 3}));
  EXPECT_EQ(row[4].text, "15, 14, 200");
  EXPECT_EQ(row[4].from, (Point{32, TFormToolBar::kColorRow.top + 16}));
}

TEST_F(MagnifierTick, FactorTwoDrawsThePointerIntoTheCopyAfterTheColourIsRead) {
  AppSettings.ShowCursor = true;
  bar.FormCreate();
  controls.factor_text = "2";
  bar.TimerMagnifierTimer();
  ASSERT_EQ(controls.pointers.size(), 1u);
  EXPECT_EQ(controls.pointers[0], (FakeToolBarControls::PointerDraw{{60, 58}, {30, 29}}));
  EXPECT_EQ(bar.Magnifier().PixelColor(), MakeColor(30, 29, 200));
}

TEST_F(MagnifierTick, ClickOnTheColourRowAndCtrlCCopyTheHexText) {
  bar.TimerMagnifierTimer();  // factor 2: pixel (30, 29)
  // Over the tool bar the view stays as it was.
  platform.cursor_pos = {window.bounds.left + 60, window.bounds.top + TFormToolBar::kColorRow.top + 10};
  bar.TimerMagnifierTimer();
  EXPECT_EQ(bar.Magnifier().PixelColor(), MakeColor(30, 29, 200));
  EXPECT_TRUE(controls.timer);
  bar.MouseDown(MouseButton::Left, kLeftButton, 60, TFormToolBar::kColorRow.top + 10);
  bar.MouseUp(MouseButton::Left, 0, 60, TFormToolBar::kColorRow.top + 10);
  EXPECT_EQ(platform.clipboard, "#1E1DC8");
  platform.cursor_pos = {1000, 700};  // 30 from the right edge: pixel (36, 29)
  bar.TimerMagnifierTimer();
  EXPECT_TRUE(bar.KeyDown('C', kCtrl));
  EXPECT_EQ(platform.clipboard, "#241DC8");
  EXPECT_TRUE(platform.infos.empty());
}

TEST_F(MagnifierTick, AHeldClipboardIsToldOnceAndNothingBeforeTheFirstTick) {
  EXPECT_TRUE(bar.KeyDown('C', kCtrl));
  EXPECT_EQ(platform.clipboard_tries, 0) << "no pixel read yet";
  bar.TimerMagnifierTimer();
  platform.clipboard_answers.assign(10, ClipboardResult::Busy);
  bar.KeyDown('C', kCtrl);
  EXPECT_EQ(platform.clipboard_tries, kClipboardTries);
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0], "The colour could not be copied: another program is using the clipboard.");
  EXPECT_FALSE(platform.clipboard.has_value());
}

}  // namespace
}  // namespace mensor
