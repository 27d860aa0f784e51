// Snapping to edges through the ruler window's dispatch, with the fake
// platform's screen capture: stretching, moving, the read-out, Shift, a
// failed capture and Measure Gap, as one table of screens and gestures.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

// The window at (-100, -400) holds a horizontal ruler 600 long and 60 wide
// whose zero corner is the client point (660, 660), the screen point
// (560, 260): the body covers the screen's x 560..1160, y 200..260.
constexpr Point kWindow{-100, -400};
constexpr int kZeroX = 560;

enum class Action { StretchEnd, Move, Hover, HoverAndLeave, KeyG, MenuGap };

struct SnapCase {
  const char* name;
  std::vector<std::pair<int, int>> dark;  // dark columns [from, to) of the screen's x on white
  Action action;
  Point to;                 // client point: where the drag ends, the pointer hovers or the key is pressed
  bool shift = false;       // Shift held
  bool capture_fails = false;
  int length = 600;         // the ruler's length afterwards
  int zero_x = kZeroX;      // the zero corner's screen x afterwards
  double reading = 0;       // what the read-out shows (a distance in pixels)
  std::optional<double> mark = std::nullopt;  // the edge marked on the ruler
  std::string caption = "";      // the read-out's text, when it is no reading
};

const SnapCase kCases[] = {
    // The far end dragged to 604, 4 short of the edge at 608.
    {"stretch_snaps_to_the_edge_ahead", {{1168, 1300}}, Action::StretchEnd, {1264, 630}, false, false, 608, kZeroX, 604},
    {"stretch_snaps_back_to_an_edge", {{1159, 1300}}, Action::StretchEnd, {1264, 630}, false, false, 599, kZeroX, 604},
    {"stretch_beyond_reach_stays", {{1171, 1300}}, Action::StretchEnd, {1264, 630}, false, false, 604, kZeroX, 604},
    {"stretch_with_shift_stays", {{1168, 1300}}, Action::StretchEnd, {1264, 630}, true, false, 604, kZeroX, 604},
    {"stretch_without_capture_stays", {{1168, 1300}}, Action::StretchEnd, {1264, 630}, false, true, 604, kZeroX, 604},
    // The zero end dragged to 445, 5 short of the edge at 450.
    {"move_puts_the_zero_end_on_the_edge", {{400, 450}}, Action::Move, {785, 630}, false, false, 600, 450, 0},
    {"move_with_shift_stays", {{400, 450}}, Action::Move, {785, 630}, true, false, 600, 445, 0},
    {"move_without_capture_stays", {{400, 450}}, Action::Move, {785, 630}, false, true, 600, 445, 0},
    // Hovering at 343 beside the edge at 340 (the screen's x 900).
    {"hover_reads_the_edge_and_marks_it", {{900, 950}}, Action::Hover, {1003, 630}, false, false, 600, kZeroX, 340, 340},
    {"hover_with_shift_reads_the_pointer", {{900, 950}}, Action::Hover, {1003, 630}, true, false, 600, kZeroX, 343},
    {"hover_far_from_edges_reads_the_pointer", {{900, 950}}, Action::Hover, {1020, 630}, false, false, 600, kZeroX, 360},
    {"leaving_the_ruler_takes_the_mark_away", {{900, 950}}, Action::HoverAndLeave, {1003, 630}, false, false, 600, kZeroX,
     340},
    // A gap of 137 from 600 to 737 around the pointer at 650.
    {"gap_moves_the_zero_end_and_reads_it", {{300, 600}, {737, 900}}, Action::KeyG, {750, 630}, false, false, 600, 600,
     137, 137},
    {"gap_from_the_menu_measures_where_it_opened", {{300, 600}, {737, 900}}, Action::MenuGap, {750, 630}, false, false,
     600, 600, 137, 137},
    // A gap of 716 from 450 to 1166 stretches the ruler.
    {"gap_longer_than_the_ruler_stretches_it", {{400, 450}, {1166, 1300}}, Action::KeyG, {900, 630}, false, false, 716,
     450, 716, 716},
    {"gap_with_one_side_missing_moves_nothing", {{300, 600}}, Action::KeyG, {750, 630}, false, false, 600, kZeroX, 0,
     std::nullopt, "No edge"},
    {"gap_without_capture_moves_nothing", {{300, 600}, {737, 900}}, Action::KeyG, {750, 630}, false, true, 600, kZeroX, 0,
     std::nullopt, "No edge"},
};

class SnapGesture : public ::testing::TestWithParam<SnapCase> {};

TEST_P(SnapGesture, LandsWhereTheEdgesAre) {
  const SnapCase& c = GetParam();
  AppSettings = TAppSettings{};
  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};
  form.FormCreate();
  AppSettings.Length = 600;
  AppSettings.RulerWidth = 60;
  AppSettings.Transparence = false;
  form.InitialLayout();
  window.SetBounds(kWindow.x, kWindow.y, 1320, 1320);
  window.visible = true;
  platform.capture_fails = c.capture_fails;
  platform.fill_capture = [&](Image& image) {
    for (int y = 0; y < image.height; ++y)
      for (int x = 0; x < image.width; ++x) {
        const int sx = platform.capture_area.left + x;
        bool dark = false;
        for (const auto& [from, to] : c.dark) dark = dark || (sx >= from && sx < to);
        SetPixel(image, x, y, dark ? 0x202020 : 0xFFFFFF);
      }
  };
  // Checked in the menu, as the user does.
  platform.menu_choices.push_back(kCmdSnapToEdges);
  form.ContextMenu({0, 0});
  ASSERT_TRUE(form.SnapToEdges);

  const ShiftState shift = c.shift ? ShiftState{kShift} : ShiftState{0};
  const Point screen{kWindow.x + c.to.x, kWindow.y + c.to.y};
  switch (c.action) {
    case Action::StretchEnd:
    case Action::Move: {
      const Point press = c.action == Action::Move ? Point{900, 630} : Point{1260, 630};
      form.MouseDown(MouseButton::Left, kLeftButton | shift, press.x, press.y);
      form.MouseMove(kLeftButton | shift, c.to.x, c.to.y);
      form.MouseUp(MouseButton::Left, shift, c.to.x, c.to.y);
      EXPECT_EQ(form.CurrentGesture().kind, GestureKind::None) << "the gesture ended";
      break;
    }
    case Action::Hover: form.MouseMove(shift, c.to.x, c.to.y); break;
    case Action::HoverAndLeave:
      form.MouseMove(shift, c.to.x, c.to.y);
      EXPECT_TRUE(form.SnapMark) << "the mark while the pointer is over the ruler";
      form.MouseLeave();
      break;
    case Action::KeyG:
      platform.cursor_pos = screen;
      form.MouseMove(0, c.to.x, c.to.y);
      EXPECT_TRUE(form.KeyDown('G', 0)) << "G is Measure Gap's key";
      break;
    case Action::MenuGap:
      platform.cursor_pos = {0, 0};  // the pointer went on to the menu
      platform.menu_choices.push_back(kCmdMeasureGap);
      form.ContextMenu(screen);
      break;
  }

  EXPECT_EQ(AppSettings.Length, c.length) << "the ruler's length";
  EXPECT_EQ(form.ZeroCornerOnScreen(), (Point{c.zero_x, 260})) << "the zero corner on the screen";
  if (c.caption.empty()) {
    if (c.action != Action::StretchEnd && c.action != Action::Move) {
      EXPECT_EQ(form.CurrentReading(), (Reading{Reading::Distance, c.reading, kUnitPixels})) << "the reading";
    }
    EXPECT_EQ(form.SnapMark, c.mark) << "the mark";
  } else {
    EXPECT_EQ(form.LabelNumber.caption, c.caption) << "the read-out says so";
  }
  AppSettings = TAppSettings{};
}

INSTANTIATE_TEST_SUITE_P(Table, SnapGesture, ::testing::ValuesIn(kCases),
                         [](const auto& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace mensor
