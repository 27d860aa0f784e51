// Rotate mode, Horizontal, Vertical, Fit Screen and the arrow keys of the
// ruler window, driven through the fake platform.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

enum class Lay { Horizontal, Vertical };

// A ruler of length 600 and width 60 on a 1920 x 1080 screen, MoveStep 5.
class Orientation : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppSettings;
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.MoveStep = 5;
    AppSettings.StaffDir = 0;
    platform.screen = {1920, 1080};
  }
  void TearDown() override { AppSettings = saved_; }

  // Lays the ruler with its zero corner at the window centre (660, 660) and
  // the window placed so that the zero corner is at screen (zx, zy).
  void LayRuler(Lay lay, int zx, int zy) {
    if (lay == Lay::Horizontal) {
      form.Angle = form.NewAngle = kHorizontalAngle;
      form.Outline = {Point{660, 660}, Point{660, 600}, Point{1260, 600}, Point{1260, 660}};
    } else {
      form.Angle = form.NewAngle = 0.0;
      form.Outline = {Point{660, 660}, Point{720, 660}, Point{720, 1260}, Point{660, 1260}};
    }
    window.bounds = {zx - 660, zy - 660, zx - 660 + 1320, zy - 660 + 1320};
  }

  Point ScreenZero() const {
    return {window.bounds.left + form.Outline[0].x, window.bounds.top + form.Outline[0].y};
  }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};

 private:
  TAppSettings saved_;
};

const Corners kHorizontalExample = {Point{660, 660}, Point{660, 600}, Point{1260, 600}, Point{1260, 660}};
const Corners kVerticalExample = {Point{660, 660}, Point{720, 660}, Point{720, 1260}, Point{660, 1260}};

// ---- Horizontal and Vertical ----

TEST_F(Orientation, CommandForTheCurrentExactAngleDoesNothingEvenOffScreen) {
  for (bool horizontal : {true, false}) {
    SCOPED_TRACE(horizontal ? "Horizontal" : "Vertical");
    LayRuler(horizontal ? Lay::Horizontal : Lay::Vertical, -4000, 5000);
    const Corners outline = form.Outline;
    const Rect before = window.bounds;
    form.LabelStaff.left = 11;
    form.LabelStaff.top = 22;

    if (horizontal)
      form.PMenuLevalClick();
    else
      form.PMenuPlumbClick();

    EXPECT_EQ(form.Outline, outline);
    EXPECT_EQ(window.bounds, before) << "an off-screen ruler stays off screen";
    EXPECT_EQ(window.set_bounds_calls, 0);
    EXPECT_EQ(window.region_calls, 0) << "no region applied";
    EXPECT_EQ(platform.ruler_cursor_builds, 0) << "no cursor rebuilt";
    EXPECT_EQ(window.repaints, 0);
    EXPECT_EQ((Point{form.LabelStaff.left, form.LabelStaff.top}), (Point{11, 22}));
  }
}

TEST_F(Orientation, HorizontalLaysTheVerticalExampleAboutItsZeroCorner) {
  LayRuler(Lay::Vertical, 400, 300);
  const Rect before = window.bounds;

  form.PMenuLevalClick();

  EXPECT_EQ(form.Outline, kHorizontalExample);
  EXPECT_EQ(Bits(form.Angle), 0xC012D97C7F3321D2u);
  EXPECT_EQ(Bits(form.NewAngle), 0xC012D97C7F3321D2u);
  EXPECT_EQ(window.bounds, before) << "neither moved nor resized with the zero corner on screen";
  EXPECT_EQ(window.region, std::vector<Point>(kHorizontalExample.begin(), kHorizontalExample.end()));
  // 14-point marker: s = 7, left x0 + 20 - 7, top y0 - 30 - 7.
  EXPECT_EQ(form.LabelStaff.left, 673);
  EXPECT_EQ(form.LabelStaff.top, 623);
  EXPECT_EQ(platform.ruler_cursor_from, (Point{16, -16}));
  EXPECT_EQ(platform.ruler_cursor_to, (Point{16, 48}));
  EXPECT_EQ(window.repaints, 1);
}

TEST_F(Orientation, VerticalLaysTheHorizontalExampleAboutItsZeroCorner) {
  LayRuler(Lay::Horizontal, 400, 300);
  const Rect before = window.bounds;

  form.PMenuPlumbClick();

  EXPECT_EQ(form.Outline, kVerticalExample);
  EXPECT_EQ(Bits(form.Angle), 0u);
  EXPECT_EQ(Bits(form.NewAngle), 0u);
  EXPECT_EQ(window.bounds, before);
  EXPECT_EQ(window.region, std::vector<Point>(kVerticalExample.begin(), kVerticalExample.end()));
  // left 30 + x0 + 1 - 7, top y0 + 20 - 7.
  EXPECT_EQ(form.LabelStaff.left, 684);
  EXPECT_EQ(form.LabelStaff.top, 673);
  EXPECT_EQ(platform.ruler_cursor_from, (Point{48, 16}));
  EXPECT_EQ(platform.ruler_cursor_to, (Point{-16, 16}));
  EXPECT_EQ(window.repaints, 1);
}

TEST_F(Orientation, TurnedRulerNearTheAxisIsLaidAgainFromTheExactForms) {
  struct Case {
    const char* what;
    double angle;
    bool horizontal;  // the command given
  } cases[] = {
      {"a full turn from horizontal", kHorizontalAngle + 2 * std::numbers::pi, true},
      {"one step below horizontal", std::nextafter(kHorizontalAngle, -10.0), true},
      {"a full turn from vertical", 2 * std::numbers::pi, false},
      {"a hair off vertical", 1e-12, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    LayRuler(c.horizontal ? Lay::Horizontal : Lay::Vertical, 400, 300);
    form.Angle = form.NewAngle = c.angle;
    window.region_calls = 0;
    if (c.horizontal)
      form.PMenuLevalClick();
    else
      form.PMenuPlumbClick();
    EXPECT_EQ(form.Outline, c.horizontal ? kHorizontalExample : kVerticalExample);
    EXPECT_EQ(Bits(form.Angle), c.horizontal ? 0xC012D97C7F3321D2u : 0u);
    EXPECT_EQ(window.region_calls, 1);
  }
}

TEST_F(Orientation, MarkerPlaceRoundsHalvesToEven) {
  // An 11-point marker: s = 5.5, so every place ends in .5.
  form.LabelStaff.font.points = 11;
  LayRuler(Lay::Vertical, 400, 300);
  form.PMenuLevalClick();
  EXPECT_EQ(form.LabelStaff.left, 674) << "660 + 20 - 5.5 = 674.5";
  EXPECT_EQ(form.LabelStaff.top, 624) << "660 - 30 - 5.5 = 624.5";
  form.PMenuPlumbClick();
  EXPECT_EQ(form.LabelStaff.left, 686) << "30 + 660 + 1 - 5.5 = 685.5";
  EXPECT_EQ(form.LabelStaff.top, 674) << "660 + 20 - 5.5 = 674.5";
}

TEST_F(Orientation, ZeroCornerIsBroughtIntoViewByEachCommandsOwnRule) {
  // Re-centring puts the zero corner at (960, .) or (., 540).
  struct Case {
    bool horizontal;  // the command; the ruler starts in the other orientation
    Point zero;       // zero corner on the screen before
    Point expected;   // and after
  } cases[] = {
      {true, {0, 300}, {960, 300}},       // on the left edge: re-centred
      {false, {0, 300}, {0, 300}},        // on the left edge: stays
      {true, {1, 300}, {1, 300}},
      {true, {1920, 300}, {960, 300}},    // on the right edge: re-centred
      {false, {1920, 300}, {1920, 300}},  // stays
      {false, {1921, 300}, {960, 300}},
      {false, {-1, 300}, {960, 300}},
      {true, {400, 0}, {400, 540}},       // on the top edge: re-centred
      {false, {400, 0}, {400, 0}},        // stays
      {true, {400, 1080}, {400, 540}},
      {false, {400, 1080}, {400, 1080}},
      {false, {400, 1081}, {400, 540}},
      {false, {400, -600}, {400, -600}},  // the far end on the top edge: stays
      {false, {400, -601}, {400, 540}},   // the whole ruler above the screen
      {true, {-5, -5}, {960, 540}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.horizontal ? "Horizontal" : "Vertical") << " from ("
                                      << c.zero.x << ", " << c.zero.y << ")");
    LayRuler(c.horizontal ? Lay::Vertical : Lay::Horizontal, c.zero.x, c.zero.y);
    if (c.horizontal)
      form.PMenuLevalClick();
    else
      form.PMenuPlumbClick();
    EXPECT_EQ(ScreenZero(), c.expected);
    EXPECT_EQ(window.bounds.Width(), 1320);
    EXPECT_EQ(window.bounds.Height(), 1320);
  }
}

// ---- Fit Screen ----

TEST_F(Orientation, FitScreenMakesTheRulerAsLongAsTheScreen) {
  struct Case {
    bool horizontal;
    Size screen;
    int length;
    Rect bounds;
    Point zero_on_screen;
    Corners outline;
    Point marker;
  } cases[] = {
      {true, {1920, 1080}, 1920, {-1980, -1470, 1980, 2490}, {0, 510},
       {Point{1980, 1980}, Point{1980, 1920}, Point{3900, 1920}, Point{3900, 1980}}, {1993, 1943}},
      {false, {1920, 1080}, 1080, {-210, -1140, 2070, 1140}, {930, 0},
       {Point{1140, 1140}, Point{1200, 1140}, Point{1200, 2220}, Point{1140, 2220}}, {1164, 1153}},
      // Longer than a stretch may make it: not clamped.
      {true, {2560, 1440}, 2560, {-2620, -1930, 2620, 3310}, {0, 690},
       {Point{2620, 2620}, Point{2620, 2560}, Point{5180, 2560}, Point{5180, 2620}}, {2633, 2583}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << (c.horizontal ? "as horizontal" : "as vertical") << " on "
                                      << c.screen.cx << " x " << c.screen.cy);
    platform.screen = c.screen;
    AppSettings.Length = 600;
    // Start from the other orientation, turned a little.
    LayRuler(c.horizontal ? Lay::Vertical : Lay::Horizontal, 400, 300);
    form.Angle = form.NewAngle = 0.5;
    window.repaints = 0;

    if (c.horizontal)
      form.MenuFitScreenClick();
    else
      form.FitScreenAsHorizontal1Click();

    EXPECT_EQ(AppSettings.Length, c.length);
    EXPECT_EQ(window.bounds, c.bounds);
    EXPECT_EQ(ScreenZero(), c.zero_on_screen);
    EXPECT_EQ(form.Outline, c.outline);
    EXPECT_EQ(window.region, std::vector<Point>(c.outline.begin(), c.outline.end()));
    EXPECT_EQ(Bits(form.Angle), c.horizontal ? 0xC012D97C7F3321D2u : 0u);
    EXPECT_EQ(Bits(form.NewAngle), Bits(form.Angle));
    EXPECT_EQ((Point{form.LabelStaff.left, form.LabelStaff.top}), c.marker);
    EXPECT_EQ(platform.ruler_cursor_from, c.horizontal ? (Point{16, -16}) : (Point{48, 16}));
    EXPECT_EQ(platform.ruler_cursor_to, c.horizontal ? (Point{16, 48}) : (Point{-16, 16}));
    EXPECT_EQ(window.repaints, 1);
  }
}

// ---- Arrow keys ----

TEST_F(Orientation, ArrowKeysMoveTheRulerOrWithExactlyCtrlThePointer) {
  struct Case {
    int key;
    ShiftState shift;
    Point window_move;
    Point pointer_move;
  } cases[] = {
      {vk::kRight, 0, {5, 0}, {0, 0}},
      {vk::kLeft, 0, {-5, 0}, {0, 0}},
      {vk::kUp, 0, {0, -5}, {0, 0}},
      {vk::kDown, 0, {0, 5}, {0, 0}},
      {vk::kRight, kCtrl, {0, 0}, {1, 0}},
      {vk::kLeft, kCtrl, {0, 0}, {-1, 0}},
      {vk::kUp, kCtrl, {0, 0}, {0, -1}},
      {vk::kDown, kCtrl, {0, 0}, {0, 1}},
      {vk::kRight, kShift, {5, 0}, {0, 0}},
      {vk::kRight, kCtrl | kShift, {5, 0}, {0, 0}},
      {vk::kRight, kAlt, {5, 0}, {0, 0}},
      {vk::kRight, kCtrl | kAlt, {5, 0}, {0, 0}},
      {vk::kRight, kCtrl | kLeftButton, {0, 0}, {1, 0}},  // a held button is no modifier
      {36, 0, {0, 0}, {0, 0}},                            // Home
      {41, 0, {0, 0}, {0, 0}},
      {'A', kCtrl, {0, 0}, {0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "key " << c.key << " shift " << c.shift);
    LayRuler(Lay::Horizontal, 400, 300);
    platform.cursor_pos = {100, 200};
    const Rect before = window.bounds;
    form.FormKeyDown(c.key, c.shift);
    EXPECT_EQ(window.bounds.left - before.left, c.window_move.x);
    EXPECT_EQ(window.bounds.top - before.top, c.window_move.y);
    EXPECT_EQ(window.bounds.Width(), 1320);
    EXPECT_EQ(window.bounds.Height(), 1320);
    EXPECT_EQ(platform.cursor_pos, (Point{100 + c.pointer_move.x, 200 + c.pointer_move.y}));
  }
}

TEST_F(Orientation, CtrlArrowsKeepThePointerWithinTheScreen) {
  struct Case {
    int key;
    Point from;
    Point to;
  } cases[] = {
      {vk::kLeft, {0, 50}, {0, 50}},
      {vk::kLeft, {1, 50}, {0, 50}},
      {vk::kUp, {50, 0}, {50, 0}},
      {vk::kUp, {50, 1}, {50, 0}},
      {vk::kRight, {1920, 50}, {1920, 50}},
      {vk::kRight, {1919, 50}, {1920, 50}},
      {vk::kDown, {50, 1080}, {50, 1080}},
      {vk::kDown, {50, 1079}, {50, 1080}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "key " << c.key << " from (" << c.from.x << ", " << c.from.y << ")");
    platform.cursor_pos = c.from;
    form.FormKeyDown(c.key, kCtrl);
    EXPECT_EQ(platform.cursor_pos, c.to);
  }
  EXPECT_EQ(window.set_bounds_calls, 0);
}

TEST_F(Orientation, RulerWhollyOffScreenComesBackToTheEdgeItLeftBy) {
  // The horizontal example spans x 660..1260 and y 600..660 in the window.
  struct Case {
    int key;
    Point zero;        // zero corner on the screen before
    Point first;       // window (left, top) after the first press
    Point second;      // and after a second press
  } cases[] = {
      // Leftmost corner at 2220, beyond the right edge: back to exactly 1920.
      {vk::kLeft, {2220, 300}, {1920 - 660, -360}, {1920 - 660 - 5, -360}},
      // Exactly on the right edge is not beyond it: a plain step.
      {vk::kLeft, {1920, 300}, {1920 - 660 - 5, -360}, {1920 - 660 - 10, -360}},
      // Top side at 1200, below the screen: back to row 1080.
      {vk::kUp, {400, 1260}, {-260, 1080 - 600}, {-260, 1080 - 605}},
      // Rightmost corner at -1, left of the screen: back to column 0.
      {vk::kRight, {-601, 300}, {-1260, -360}, {-1255, -360}},
      {vk::kRight, {-600, 300}, {-1255, -360}, {-1250, -360}},
      // Bottom side at -1, above the screen: back to row 0.
      {vk::kDown, {400, -1}, {-260, -660}, {-260, -655}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "key " << c.key << " zero at (" << c.zero.x << ", " << c.zero.y << ")");
    LayRuler(Lay::Horizontal, c.zero.x, c.zero.y);
    form.FormKeyDown(c.key, 0);
    EXPECT_EQ((Point{window.bounds.left, window.bounds.top}), c.first);
    form.FormKeyDown(c.key, 0);
    EXPECT_EQ((Point{window.bounds.left, window.bounds.top}), c.second);
  }
}

TEST_F(Orientation, RecoveryUsesTheTurnedOutlinesBounds) {
  // A ruler at pi/4 (the corners of the general rule): leftmost x is the zero
  // corner's 660, topmost y is 618.
  form.Angle = form.NewAngle = std::numbers::pi / 4;
  form.Outline = {Point{660, 660}, Point{702, 618}, Point{1126, 1042}, Point{1084, 1084}};
  window.bounds = {3000, 3000, 4320, 4320};
  form.FormKeyDown(vk::kLeft, 0);
  EXPECT_EQ(window.bounds.left, 1920 - 660);
  form.FormKeyDown(vk::kUp, 0);
  EXPECT_EQ(window.bounds.top, 1080 - 618);
}

TEST_F(Orientation, ArrowKeysAreRefusedDuringAMarkerDragOrAGesture) {
  struct Case {
    const char* name;
    Point press;  // a client point of the horizontal ruler
  } cases[] = {
      {"marker drag", {676, 626}},
      {"move", {900, 630}},
      {"far-end stretch", {1260, 630}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    LayRuler(Lay::Horizontal, 400, 300);
    form.LabelStaff.left = 673;
    form.LabelStaff.top = 623;
    form.LabelStaff.width = 10;
    form.LabelStaff.height = 20;
    platform.cursor_pos = {100, 200};
    window.set_bounds_calls = 0;
    const Rect before = window.bounds;
    form.MouseDown(MouseButton::Left, kLeftButton, c.press.x, c.press.y);
    for (int key : {vk::kLeft, vk::kUp, vk::kRight, vk::kDown}) {
      EXPECT_FALSE(form.KeyDown(key, 0));
      EXPECT_FALSE(form.KeyDown(key, kCtrl));
      EXPECT_FALSE(form.KeyDown(key, kShift));
    }
    EXPECT_EQ(window.bounds, before);
    EXPECT_EQ(window.set_bounds_calls, 0);
    EXPECT_EQ(platform.cursor_pos, (Point{100, 200}));
    form.MouseUp(MouseButton::Left, 0, c.press.x, c.press.y);
    const int left = window.bounds.left;
    EXPECT_TRUE(form.KeyDown(vk::kRight, 0)) << "after the release the keys act";
    EXPECT_EQ(window.bounds.left, left + 5);
  }
}

// ---- Rotate mode ----

TEST_F(Orientation, DoubleClickTogglesRotateModeAndBack) {
  LayRuler(Lay::Horizontal, 400, 300);
  form.LabelStaff.left = 673;
  form.LabelStaff.top = 623;
  form.LabelStaff.width = 10;
  form.LabelStaff.height = 20;
  window.cursor = CursorShape::Ruler;

  form.DoubleClick(900, 630);
  EXPECT_TRUE(form.RotateMode);
  EXPECT_EQ(window.cursor, CursorShape::Ruler) << "switching on leaves the cursor to the next move";

  form.DoubleClick(900, 630);
  EXPECT_FALSE(form.RotateMode);
  EXPECT_EQ(window.cursor, CursorShape::Arrow);

  form.DoubleClick(675, 630);
  EXPECT_FALSE(form.RotateMode) << "a double click on the marker is the marker's";
}

TEST_F(Orientation, RotateOnForgetsTheScaleLineWhenItIsShown) {
  struct Case {
    const char* what;
    bool show_scale_line;
    Point line;
    Point line_after;
  } cases[] = {
      {"line shown", true, {5, 7}, {0, 0}},
      {"item on, no line yet", true, {5, 0}, {0, 0}},
      {"item off", false, {5, 7}, {5, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    if (form.ScaleLineShown() != c.show_scale_line) form.ExecuteCommand(kCmdShowScaleLine);
    form.ScaleLinePoint = c.line;
    form.PMenuCircumClick();
    ASSERT_TRUE(form.RotateMode);
    EXPECT_EQ(form.ScaleLinePoint, c.line_after);
    EXPECT_EQ(form.ScaleLineShown(), c.show_scale_line) << "the item itself stays";

    // Switching off touches no scale-line state.
    form.ScaleLinePoint = {9, 9};
    form.PMenuCircumClick();
    ASSERT_FALSE(form.RotateMode);
    EXPECT_EQ(form.ScaleLinePoint, (Point{9, 9}));
  }
}

// ---- Menu routing ----

TEST_F(Orientation, MenuShortcutWinsOverTheArrowKeys) {
  AppSettings.HotKeyLeval = kShortcutCtrl | vk::kRight;
  AppSettings.HotKeyCircum = kShortcutCtrl | 'H';
  LayRuler(Lay::Vertical, 400, 300);
  platform.cursor_pos = {100, 200};

  EXPECT_TRUE(form.KeyDown(vk::kRight, kCtrl));
  EXPECT_EQ(form.Outline, kHorizontalExample) << "Horizontal ran";
  EXPECT_EQ(platform.cursor_pos, (Point{100, 200})) << "the pointer did not move";

  EXPECT_TRUE(form.KeyDown('H', kCtrl));
  EXPECT_TRUE(form.RotateMode);
  EXPECT_FALSE(form.KeyDown('H', 0)) << "plain H is no shortcut";

  // Ctrl+left has no shortcut and reaches the arrow keys.
  EXPECT_TRUE(form.KeyDown(vk::kLeft, kCtrl));
  EXPECT_EQ(platform.cursor_pos, (Point{99, 200}));
}

TEST_F(Orientation, PopupMenuRunsTheOrientationCommands) {
  LayRuler(Lay::Horizontal, 400, 300);
  for (int id : {kCmdPlumb, kCmdFitVertical, kCmdCircum}) platform.menu_choices.push_back(id);
  form.ContextMenu({500, 500});
  EXPECT_EQ(form.Outline, kVerticalExample);
  form.ContextMenu({500, 500});
  EXPECT_EQ(AppSettings.Length, 1080);
  form.ContextMenu({500, 500});
  EXPECT_TRUE(form.RotateMode);
}

}  // namespace
}  // namespace mensor
