// Mouse gestures on the ruler through the fake platform: stretching at either
// end, rotating, moving, the rubber band on the screen, the cursor and the
// read-out label.
#include <cmath>
#include <map>
#include <numbers>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::DrawOp;
using testing::FakePlatform;
using testing::FakeWindow;
using Segment = std::pair<Point, Point>;

constexpr double kPi = std::numbers::pi;
constexpr int kLeft = -100;
constexpr int kTop = -400;

ShiftState Held(MouseButton button) {
  switch (button) {
    case MouseButton::Left: return kLeftButton;
    case MouseButton::Right: return kRightButton;
    case MouseButton::Middle: return kMiddleButton;
  }
  return 0;
}

// The closed outline as it lands on the screen at offset (dx, dy).
std::vector<Segment> Band(const Corners& o, int dx, int dy) {
  std::vector<Segment> band;
  for (int i = 0; i < 4; ++i) {
    const Point a = o[i];
    const Point b = o[(i + 1) % 4];
    band.push_back({{a.x + dx, a.y + dy}, {b.x + dx, b.y + dy}});
  }
  return band;
}

// A horizontal ruler 600 long and 60 wide, its window at (kLeft, kTop): the
// zero corner is the client point (660, 660), the zero end runs up to
// (660, 600) and the far end from (1260, 600) to (1260, 660).
struct Ruler {
  // The app.ini it starts with (none: the defaults).
  explicit Ruler(const std::string& ini = "") {
    AppSettings = TAppSettings{};
    if (!ini.empty()) platform.files["/mensor/app.ini"] = ini;
    form.FormCreate();
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.PixelPerUnit = 50;
    AppSettings.Transparence = false;
    form.InitialLayout();
    window.SetBounds(kLeft, kTop, 1320, 1320);
    window.visible = true;
    window.log.clear();
    window.set_bounds_calls = 0;
    window.region_calls = 0;
    window.repaints = 0;
    platform.screen_drawing.ops.clear();
  }
  ~Ruler() { AppSettings = TAppSettings{}; }
  Ruler(const Ruler&) = delete;
  Ruler& operator=(const Ruler&) = delete;

  // Turns the ruler and lays it out again, as the orientation commands do.
  void Turn(double angle) {
    form.Angle = form.NewAngle = angle;
    form.LayOutRuler();
    window.set_bounds_calls = 0;
    window.region_calls = 0;
  }

  // Rotate mode on, as the user picks "&Rotate" in the popup menu.
  void RotateOn() {
    platform.menu_choices.push_back(kCmdCircum);
    form.ContextMenu({0, 0});
    ASSERT_TRUE(form.RotateMode);
  }
  void SetRotate(bool on) {
    if (on) RotateOn();
  }
  // A unit picked in the popup menu's "&Units".
  void PickUnit(int unit) {
    constexpr int kCommands[] = {kCmdPixels, kCmdCM, kCmdInch, kCmdCustom};
    platform.menu_choices.push_back(kCommands[unit]);
    form.ContextMenu({0, 0});
  }
  GestureKind Kind() const { return form.CurrentGesture().kind; }

  // A gesture through the window's input dispatch, as the platform delivers it.
  void Press(int x, int y, MouseButton button = MouseButton::Left) {
    held_ = Held(button);
    form.MouseDown(button, held_, x, y);
  }
  void Drag(int x, int y) { form.MouseMove(held_, x, y); }
  void Release(int x, int y, MouseButton button = MouseButton::Left) {
    held_ = 0;
    form.MouseUp(button, held_, x, y);
  }
  void Hover(int x, int y) { form.MouseMove(0, x, y); }

  // A client point of the window on the screen.
  Point OnScreen(Point client) const { return {window.bounds.left + client.x, window.bounds.top + client.y}; }

  std::vector<DrawOp> ScreenLines() const { return platform.screen_drawing.Lines(); }
  std::vector<Segment> DrawnSince(size_t first) const {
    std::vector<Segment> lines;
    const std::vector<DrawOp> all = ScreenLines();
    for (size_t i = first; i < all.size(); ++i) lines.push_back({all[i].from, all[i].to});
    return lines;
  }
  // True when every line drawn on the screen has been drawn an even number of
  // times, so that the exclusive-or pen has restored the screen.
  bool ScreenRestored() const {
    std::map<std::tuple<int, int, int, int>, int> count;
    for (const DrawOp& line : ScreenLines()) ++count[{line.from.x, line.from.y, line.to.x, line.to.y}];
    for (const auto& entry : count)
      if (entry.second % 2 != 0) return false;
    return true;
  }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};
  ShiftState held_ = 0;
};

// ---- far-end stretch ----

TEST(MouseGesture, FarEndStretchAddsThePointersMovementWithinTheRange) {
  const std::pair<int, int> cases[] = {{50, 650},  {-500, 200}, {-399, 201},
                                       {-400, 200}, {915, 1515}, {2000, 1515}};
  for (const auto& [dx, length] : cases) {
    SCOPED_TRACE(dx);
    Ruler r;
    const Point zero_before = r.OnScreen(r.form.Outline[0]);
    r.Press(1260, 630);
    r.Drag(1260 + dx, 630);
    EXPECT_EQ(AppSettings.Length, length) << "written at once";
    EXPECT_EQ(r.window.set_bounds_calls, 0) << "the window stands until the release";
    EXPECT_EQ(r.window.region_calls, 0);
    r.Release(1260 + dx, 630);

    const int side = 2 * (length + 60);
    EXPECT_EQ(r.window.bounds.Width(), side);
    EXPECT_EQ(r.window.bounds.Height(), side);
    EXPECT_EQ(r.form.Outline[0], (Point{length + 60, length + 60}));
    EXPECT_EQ(r.form.Outline[3], (Point{2 * length + 60, length + 60}));
    EXPECT_EQ(r.OnScreen(r.form.Outline[0]), zero_before) << "the zero corner keeps its place";
    EXPECT_EQ(r.Kind(), GestureKind::None);
    EXPECT_FALSE(r.window.captured);
  }
}

TEST(MouseGesture, FarEndStretchDrawsTheStretchedOutlineAtTheWindowsPlace) {
  Ruler r;
  r.Press(1261, 630);
  r.Drag(1311, 631);
  const Corners at650 = {Point{660, 660}, Point{660, 600}, Point{1310, 600}, Point{1310, 660}};
  EXPECT_EQ(r.DrawnSince(0), Band(at650, kLeft, kTop));
  for (const DrawOp& line : r.ScreenLines()) {
    EXPECT_EQ(line.mode, PenMode::Xor);
    EXPECT_EQ(line.color, 0xFFFFFFu);
  }
  // The next movement erases that band before it draws the next one.
  r.Drag(1341, 631);
  const Corners at680 = {Point{660, 660}, Point{660, 600}, Point{1340, 600}, Point{1340, 660}};
  std::vector<Segment> expected = Band(at650, kLeft, kTop);
  for (const Segment& line : Band(at680, kLeft, kTop)) expected.push_back(line);
  EXPECT_EQ(r.DrawnSince(4), expected);
}

TEST(MouseGesture, StretchReshapesTheWindowInOneUpdateWithoutHidingIt) {
  {
    Ruler r;
    r.Press(1260, 630);
    r.Drag(1310, 630);
    r.Release(1310, 630);
    EXPECT_EQ(r.window.log, (std::vector<std::string>{"capture", "hold", "paint", "release"}));
    EXPECT_TRUE(r.window.visible);
  }
  {
    Ruler r;
    AppSettings.Transparence = true;
    r.Press(1260, 630);
    r.Drag(1310, 630);
    r.Release(1310, 630);
    EXPECT_EQ(r.window.log, (std::vector<std::string>{"capture", "hold", "paint", "release"}));
    EXPECT_EQ(AppSettings.Length, 650);
  }
}

TEST(MouseGesture, WhileCalibratingTheRulerStretchesAndTheDialogFollowsIt) {
  Ruler r;
  r.platform.identity = "FAK-0001-00000001";
  r.form.ExecuteCommand(kCmdCalibrate);
  TCalibrateForm* calibration = r.form.CalibrationForm();
  ASSERT_NE(calibration, nullptr);
  EXPECT_EQ(calibration->Pixels(), 600);
  r.Press(1260, 630);
  r.Drag(1200, 630);
  EXPECT_EQ(calibration->Pixels(), 540) << "during the stretch";
  r.Drag(1088, 630);
  r.Release(1088, 630);
  EXPECT_EQ(calibration->Pixels(), 428);
  r.form.ExecuteCommand(kCmdCalibrate);
  EXPECT_EQ(r.platform.dialogs_created, 1) << "opened again it only comes to the front";
  calibration->ButtonClick(TCalibrateForm::kOK);  // the bank card's 85.60 mm
  EXPECT_FALSE(r.form.CalibrationOpen());
  EXPECT_EQ(AppSettings.Calibration.Find("FAK-0001-00000001"), "5000");
  EXPECT_EQ(r.form.Calibration, (Calibrations{{"FAK-0001-00000001", "5000"}}));
  EXPECT_TRUE(r.form.TrueSize);

  // Open while the ruler closes: it ends as with Cancel.
  r.form.ExecuteCommand(kCmdCalibrate);
  ASSERT_TRUE(r.form.CalibrationOpen());
  EXPECT_EQ(r.platform.dialogs_created, 2);
  r.Press(1088, 630);
  r.Drag(1188, 630);
  r.Release(1188, 630);
  EXPECT_TRUE(r.form.FormClose());
  EXPECT_FALSE(r.form.CalibrationOpen());
  EXPECT_EQ(AppSettings.Calibration.Find("FAK-0001-00000001"), "5000");
}

// ---- zero-end stretch ----

TEST(MouseGesture, ZeroEndStretchKeepsTheFarEndInPlace) {
  Ruler r;
  const Point far_before = r.OnScreen(r.form.Outline[3]);
  r.Press(660, 630);
  EXPECT_FALSE(r.form.LabelNumber.visible) << "the read-out is hidden during the drag";
  r.Drag(610, 630);
  EXPECT_EQ(AppSettings.Length, 650);
  EXPECT_EQ(r.form.Outline[0], (Point{610, 660}));
  EXPECT_EQ(r.form.Outline[1], (Point{610, 600}));
  EXPECT_EQ(r.window.set_bounds_calls, 0);
  r.Release(610, 630);

  EXPECT_EQ(AppSettings.Length, 650);
  EXPECT_EQ(r.form.Outline[0], (Point{710, 710}));
  EXPECT_EQ(r.window.bounds, (Rect{kLeft - 100, kTop - 50, kLeft - 100 + 1420, kTop - 50 + 1420}));
  EXPECT_EQ(r.OnScreen(r.form.Outline[3]), far_before);
  EXPECT_TRUE(r.form.LabelNumber.visible);
  EXPECT_EQ(r.Kind(), GestureKind::None);
}

TEST(MouseGesture, ZeroEndStretchOfATurnedRulerKeepsTheFarEndInPlace) {
  Ruler r;
  r.Turn(kPi / 4);
  const Corners before = r.form.Outline;
  const Point far_before = r.OnScreen(before[3]);
  const Point far_opposite_before = r.OnScreen(before[2]);
  // The middle of the zero end, dragged 30 pixels left and up.
  const Point grab{(before[0].x + before[1].x) / 2, (before[0].y + before[1].y) / 2};
  r.Press(grab.x, grab.y);
  ASSERT_TRUE(r.form.StretchingStart());
  r.Drag(grab.x - 30, grab.y - 30);
  r.Release(grab.x - 30, grab.y - 30);
  EXPECT_EQ(AppSettings.Length, 642) << "the x axis: Round(30 / sin(pi/4)) = 42";
  EXPECT_EQ(r.OnScreen(r.form.Outline[3]), far_before);
  EXPECT_EQ(r.OnScreen(r.form.Outline[2]), far_opposite_before);
}

// ---- rotation ----

TEST(MouseGesture, RotationFollowsThePointerAndReadsTheAngleTurned) {
  struct Case {
    const char* name;
    Point to;  // relative to the zero corner
    const char* readout;
    double angle;  // the committed Angle after the release
  };
  const Case cases[] = {
      {"quarter turn anticlockwise", {-30, -300}, "90.00 ", -kPi},
      {"quarter turn clockwise", {30, 300}, "270.00", 0.0},
      {"half turn", {-300, 30}, "180.00", -kPi / 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    r.RotateOn();
    // Pressed on the body, 300 right of and 30 above the zero corner.
    r.Press(960, 630);
    r.Drag(660 + c.to.x, 660 + c.to.y);
    EXPECT_EQ(r.form.LabelNumber.caption, c.readout);
    EXPECT_EQ(r.form.Angle, kHorizontalAngle) << "committed only at the release";
    EXPECT_EQ(r.window.region_calls, 0);
    r.Release(660 + c.to.x, 660 + c.to.y);
    EXPECT_NEAR(r.form.Angle, c.angle, 1e-9);
    EXPECT_EQ(r.form.NewAngle, r.form.Angle);
    EXPECT_EQ(r.window.region_calls, 1);
    EXPECT_EQ(r.window.set_bounds_calls, 0) << "size and place stay";
    EXPECT_EQ(r.form.Outline[0], (Point{660, 660}));
  }
}

TEST(MouseGesture, RotationCommitTurnsRegionMarkerAndCursor) {
  Ruler r;
  r.RotateOn();
  const int builds = r.platform.ruler_cursor_builds;
  r.Press(960, 630);
  r.Drag(630, 360);
  r.Release(630, 360);
  // A quarter turn anticlockwise: the ruler now runs up from the zero corner
  // with its body to the left.
  const std::vector<Point> region = {{660, 660}, {600, 660}, {600, 60}, {660, 60}};
  EXPECT_EQ(r.window.region, region);
  EXPECT_EQ(r.platform.ruler_cursor_builds, builds + 1);
  EXPECT_EQ(r.platform.ruler_cursor_from, (Point{-16, 16}));
  EXPECT_EQ(r.platform.ruler_cursor_to, (Point{48, 16}));
  // The 14-point marker 20 pixels up the ruler, 31 across: Round(660 - 31 - 7)
  // and Round(640 - 7).
  EXPECT_EQ(r.form.LabelStaff.left, 622);
  EXPECT_EQ(r.form.LabelStaff.top, 633);
}

TEST(MouseGesture, PressNearAnEndInRotateModeStretches) {
  struct Case {
    Point press;
    bool far_end, zero_end;
  };
  const Case cases[] = {
      {{1262, 630}, true, false}, {{1258, 630}, true, false}, {{1263, 630}, false, false},
      {{658, 630}, false, true},  {{662, 630}, false, true},  {{657, 630}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::tuple{c.press.x, c.press.y}));
    Ruler r;
    r.RotateOn();
    r.Press(c.press.x, c.press.y);
    EXPECT_EQ(r.form.StretchingEnd(), c.far_end);
    EXPECT_EQ(r.form.StretchingStart(), c.zero_end);
    EXPECT_EQ(r.Kind() == GestureKind::Rotate, !c.far_end && !c.zero_end);
    r.Release(c.press.x, c.press.y);
  }
  Ruler r;
  r.RotateOn();
  r.Press(1262, 630);
  r.Drag(1312, 630);
  r.Release(1312, 630);
  EXPECT_EQ(AppSettings.Length, 650);
  EXPECT_EQ(r.form.Angle, kHorizontalAngle);
}

// ---- move ----

TEST(MouseGesture, MoveDrawsTheBandAtTheDraggedPlaceAndMovesOnceAtTheRelease) {
  Ruler r;
  const Corners outline = r.form.Outline;
  r.Press(900, 630);
  r.Drag(950, 640);
  EXPECT_EQ(r.DrawnSince(0), Band(outline, kLeft + 50, kTop + 10));
  r.Drag(870, 610);
  EXPECT_EQ(r.window.set_bounds_calls, 0);
  r.Release(870, 610);
  EXPECT_EQ(r.window.bounds, (Rect{kLeft - 30, kTop - 20, kLeft - 30 + 1320, kTop - 20 + 1320}));
  EXPECT_EQ(r.window.set_bounds_calls, 1);
  EXPECT_EQ(r.form.Outline, outline);
  EXPECT_EQ(r.window.region_calls, 0);
}

// ---- the rubber band as a whole ----

TEST(MouseGesture, EveryBandDrawnIsErasedByTheRelease) {
  struct Case {
    const char* name;
    bool rotate;
    Point press;
    std::vector<Point> path;
  };
  const std::vector<Case> cases = {
      {"far end", false, {1260, 630}, {{1270, 630}, {1300, 650}, {1000, 630}, {1000, 630}, {1400, 600}}},
      {"zero end", false, {660, 630}, {{650, 630}, {600, 600}, {900, 630}, {640, 640}}},
      {"rotation", true, {960, 630}, {{950, 600}, {700, 300}, {300, 700}, {1000, 1000}}},
      {"move", false, {900, 630}, {{901, 630}, {1200, 100}, {-50, 900}, {900, 630}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    r.SetRotate(c.rotate);
    r.Press(c.press.x, c.press.y);
    for (Point p : c.path) r.Drag(p.x, p.y);
    EXPECT_EQ(r.ScreenLines().size(), 4 * (2 * c.path.size() - 1)) << "one band on the screen";
    r.Release(c.path.back().x, c.path.back().y);
    EXPECT_EQ(r.ScreenLines().size(), 8 * c.path.size());
    for (const DrawOp& line : r.ScreenLines()) EXPECT_EQ(line.mode, PenMode::Xor);
    EXPECT_TRUE(r.ScreenRestored());
  }
}

TEST(MouseGesture, PressAndReleaseWithoutMovementDrawsNothingAndMovesNothing) {
  const Point presses[] = {{1260, 630}, {660, 630}, {900, 630}};
  for (bool rotate : {false, true}) {
    for (Point p : presses) {
      SCOPED_TRACE(::testing::PrintToString(std::tuple{rotate, p.x}));
      Ruler r;
      r.SetRotate(rotate);
      const Rect bounds = r.window.bounds;
      const Corners outline = r.form.Outline;
      r.Press(p.x, p.y);
      r.Release(p.x, p.y);
      EXPECT_TRUE(r.ScreenLines().empty());
      EXPECT_EQ(r.window.bounds, bounds);
      EXPECT_EQ(r.form.Outline, outline);
      EXPECT_EQ(r.form.Angle, kHorizontalAngle);
      EXPECT_EQ(AppSettings.Length, 600);
      EXPECT_EQ(r.Kind(), GestureKind::None);
      EXPECT_GE(r.window.repaints, 1);
    }
  }
}

TEST(MouseGesture, DoubleClickLeavingRotateModeLeavesTheRulerInPlace) {
  // The second press of a double click starts a rotation, then the double
  // click switches Rotate mode off, so the release ends a move that had no
  // place of its own: the window stays, also after an earlier move.
  for (bool moved_before : {false, true}) {
    SCOPED_TRACE(moved_before ? "after a move" : "first gesture");
    Ruler r;
    if (moved_before) {
      r.Press(900, 630);
      r.Drag(950, 640);
      r.Release(950, 640);
    }
    r.RotateOn();
    const Rect bounds = r.window.bounds;
    r.Press(900, 630);
    r.Release(900, 630);
    r.form.MouseDown(MouseButton::Left, kLeftButton | kDoubleClick, 900, 630);
    r.form.DoubleClick(900, 630);
    EXPECT_FALSE(r.form.RotateMode);
    r.Release(900, 630);
    EXPECT_EQ(r.window.bounds, bounds);
    EXPECT_EQ(r.form.Angle, kHorizontalAngle);

    // Held on after such a double click, the pointer moves the ruler.
    r.RotateOn();
    r.form.MouseDown(MouseButton::Left, kLeftButton | kDoubleClick, 900, 630);
    r.held_ = kLeftButton;
    r.form.DoubleClick(900, 630);
    r.Drag(920, 600);
    r.Release(920, 600);
    EXPECT_EQ(r.window.bounds.left, bounds.left + 20);
    EXPECT_EQ(r.window.bounds.top, bounds.top - 30);
    EXPECT_TRUE(r.ScreenRestored());
  }
}

TEST(MouseGesture, DoubleClickEnteringRotateModeTurnsTheRulerHeldOn) {
  // The second press of a double click begins a move; the double click
  // switches Rotate mode on, and the pointer held on turns the ruler about
  // its zero corner instead of moving it.
  Ruler r;
  const Rect bounds = r.window.bounds;
  r.Press(960, 630);
  r.Release(960, 630);
  r.form.MouseDown(MouseButton::Left, kLeftButton | kDoubleClick, 960, 630);
  r.held_ = kLeftButton;
  r.form.DoubleClick(960, 630);
  ASSERT_TRUE(r.form.RotateMode);
  r.Drag(630, 360);
  const Corners at_quarter = {Point{660, 660}, Point{600, 660}, Point{600, 60}, Point{660, 60}};
  EXPECT_EQ(r.DrawnSince(0), Band(at_quarter, kLeft, kTop)) << "the band turns at the window's place";
  EXPECT_EQ(r.form.LabelNumber.caption, "90.00 ");
  r.Release(630, 360);
  EXPECT_NEAR(r.form.Angle, -kPi, 1e-9);
  EXPECT_EQ(r.window.bounds, bounds);
  EXPECT_TRUE(r.ScreenRestored());
}

TEST(MouseGesture, EachPressTakesAFreshScreenSurface) {
  Ruler r;
  const int opened = r.platform.screen_canvases_opened;
  r.Press(900, 630);
  r.Release(900, 630);
  r.Press(1260, 630);
  r.Release(1260, 630);
  EXPECT_EQ(r.platform.screen_canvases_opened, opened + 2);
}

TEST(MouseGesture, ReleaseWithoutPressOnlyRepaints) {
  Ruler r;
  const Rect bounds = r.window.bounds;
  r.Release(1000, 630);
  r.Release(1260, 630, MouseButton::Middle);
  EXPECT_EQ(r.window.repaints, 2);
  EXPECT_EQ(r.window.bounds, bounds);
  EXPECT_EQ(r.window.set_bounds_calls, 0);
  EXPECT_EQ(r.window.region_calls, 0);
  EXPECT_TRUE(r.ScreenLines().empty());
  EXPECT_EQ(AppSettings.Length, 600);
}

// ---- buttons and labels ----

TEST(MouseGesture, MiddleButtonActsAsTheLeft) {
  {
    Ruler r;
    r.Press(1260, 630, MouseButton::Middle);
    r.Drag(1310, 630);
    r.Release(1310, 630, MouseButton::Middle);
    EXPECT_EQ(AppSettings.Length, 650);
  }
  {
    Ruler r;
    r.Press(900, 630, MouseButton::Middle);
    r.Drag(910, 635);
    r.Release(910, 635, MouseButton::Middle);
    EXPECT_EQ(r.window.bounds.left, kLeft + 10);
    EXPECT_EQ(r.window.bounds.top, kTop + 5);
  }
}

TEST(MouseGesture, RightButtonStartsNothing) {
  Ruler r;
  const int opened = r.platform.screen_canvases_opened;
  r.Press(1260, 630, MouseButton::Right);
  EXPECT_FALSE(r.form.Pressing());
  r.Drag(1310, 630);
  r.Release(1310, 630, MouseButton::Right);
  EXPECT_EQ(AppSettings.Length, 600);
  EXPECT_EQ(r.platform.screen_canvases_opened, opened);
  EXPECT_TRUE(r.ScreenLines().empty());
  EXPECT_EQ(r.window.repaints, 0);
  EXPECT_EQ(r.window.set_bounds_calls, 0);
}

TEST(MouseGesture, SecondButtonDuringAGestureJoinsIt) {
  Ruler r;
  r.Press(1260, 630);
  r.Drag(1300, 630);
  r.form.MouseDown(MouseButton::Middle, kLeftButton | kMiddleButton, 1300, 630);
  EXPECT_TRUE(r.form.StretchingEnd());
  r.form.MouseMove(kLeftButton | kMiddleButton, 1310, 630);
  r.form.MouseUp(MouseButton::Left, kMiddleButton, 1310, 630);
  r.form.MouseUp(MouseButton::Middle, 0, 1310, 630);
  EXPECT_EQ(AppSettings.Length, 650);
  EXPECT_TRUE(r.ScreenRestored());
}

TEST(MouseGesture, ThePressOnTheReadOutLabelStartsNothing) {
  Ruler r;
  r.Hover(900, 630);
  const Label& number = r.form.LabelNumber;
  const int x = number.left + number.width / 2;
  const int y = number.top + number.height / 2;
  ASSERT_TRUE(number.BoundsRect().Contains({x, y}));
  const std::string caption = number.caption;
  r.window.cursor = CursorShape::Cross;
  r.Press(x, y);
  EXPECT_EQ(r.Kind(), GestureKind::ReadOutHeld);
  EXPECT_TRUE(r.window.captured) << "the label holds the mouse until the release";
  r.Drag(x + 40, y);
  EXPECT_EQ(number.caption, caption) << "movements go to the label, not to the read-out";
  EXPECT_EQ(r.window.cursor, CursorShape::Cross);
  r.Release(x + 40, y);
  EXPECT_TRUE(r.ScreenLines().empty());
  EXPECT_EQ(r.window.bounds.left, kLeft);
}

// ---- read-out ----

TEST(MouseGesture, ReadOutShowsTheDistanceFromTheZeroEndInTheUnit) {
  struct Case {
    int unit;
    int ppi;
    int pixel_per_unit;
    int x;
    const char* text;
  };
  const Case cases[] = {
      {kUnitPixels, 96, 50, 672, "12  "},
      {kUnitPixels, 96, 50, 660, "0   "},
      {kUnitPixels, 96, 50, 1160, "500 "},
      {kUnitPixels, 96, 50, 650, "10  "},  // the zero end's line goes on beyond the ruler
      {kUnitCentimetres, 96, 50, 756, "2.54  "},
      {kUnitCentimetres, 120, 50, 780, "2.54  "},
      {kUnitInches, 96, 50, 708, "0.50  "},
      {kUnitCustom, 96, 50, 785, "2.50  "},
      {7, 96, 40, 760, "2.50  "},  // a hand-edited unit measures as custom
      {kUnitCustom, 96, 0, 672, "12.00 "},  // a unit of no pixels stays in pixels
      {kUnitCentimetres, 0, 50, 672, "12.00 "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const bool in_menu = c.unit <= kUnitCustom;
    Ruler r(in_menu ? "" : "[Current]\r\nUnit=" + std::to_string(c.unit) + "\r\n");
    if (in_menu) r.PickUnit(c.unit);
    r.platform.ppi = c.ppi;
    AppSettings.PixelPerUnit = c.pixel_per_unit;
    r.Hover(c.x, 650);
    EXPECT_EQ(r.form.LabelNumber.caption, c.text);
  }
}

TEST(MouseGesture, ReadOutLabelStaysAtItsStandardPlace) {
  Ruler r;
  // The label is placed before its text changes, so the first movement
  // centres the start-up text "  " (12 x 13) and the second one "340 " (24 x 13).
  r.Hover(1000, 650);
  EXPECT_EQ(r.form.LabelNumber.left, 710 - 6);
  r.Hover(1000, 650);
  const Rect first = r.form.LabelNumber.BoundsRect();
  // 50 pixels along the ruler, half a width across: left = 710 - 12 and
  // top = Round(660 - 30 - 6.5).
  EXPECT_EQ(first.left, 698);
  EXPECT_EQ(first.top, 624);
  r.RotateOn();
  r.Press(960, 630);
  r.Drag(630, 360);
  EXPECT_EQ(r.form.LabelNumber.top, 624) << "it does not follow a rotation under way";
  r.Release(630, 360);
}

TEST(MouseGesture, RotateModeReadOutWithoutDragIsZero) {
  Ruler r;
  r.RotateOn();
  r.Hover(900, 630);
  EXPECT_EQ(r.form.LabelNumber.caption, "0.00  ");
}

// ---- cursor ----

TEST(MouseGesture, CursorFollowsThePointersPlace) {
  struct Case {
    const char* name;
    double angle;
    bool rotate;
    int along, across;  // from the zero corner
    CursorShape cursor;
  };
  const Case cases[] = {
      {"far end, horizontal", kHorizontalAngle, false, 600, 30, CursorShape::SizeWE},
      {"zero end, horizontal", kHorizontalAngle, false, 0, 30, CursorShape::SizeWE},
      {"far end, vertical", kVerticalAngle, false, 600, 30, CursorShape::SizeNS},
      {"zero end, vertical", kVerticalAngle, false, 0, 30, CursorShape::SizeNS},
      {"far end, running down-right", kPi / 4, false, 600, 30, CursorShape::SizeNWSE},
      {"far end, running up-right", 3 * kPi / 4, false, 600, 30, CursorShape::SizeNESW},
      {"far end, running up-left", 5 * kPi / 4, false, 600, 30, CursorShape::SizeNWSE},
      {"far end, running down-left", -kPi / 4, false, 600, 30, CursorShape::SizeNESW},
      {"zero end in rotate mode", kHorizontalAngle, true, 0, 30, CursorShape::SizeWE},
      {"body in rotate mode", kHorizontalAngle, true, 300, 30, CursorShape::Rotate},
      {"zero-edge scale", kHorizontalAngle, false, 300, 17, CursorShape::Ruler},
      {"opposite-edge scale", kHorizontalAngle, false, 300, 43, CursorShape::Ruler},
      {"middle of the body", kHorizontalAngle, false, 300, 30, CursorShape::Default},
      {"just off the zero-edge scale", kHorizontalAngle, false, 300, 18, CursorShape::Default},
      {"zero-edge scale, turned", kPi / 4, false, 300, 5, CursorShape::Ruler},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    r.Turn(c.angle);
    r.SetRotate(c.rotate);
    r.window.cursor = CursorShape::Cross;
    // Along d = (sin, cos), across e = (cos, -sin).
    const long double s = std::sin(static_cast<long double>(c.angle));
    const long double co = std::cos(static_cast<long double>(c.angle));
    const Point o = r.form.Outline[0];
    r.Hover(static_cast<int>(std::lrint(o.x + s * c.along + co * c.across)),
            static_cast<int>(std::lrint(o.y + co * c.along - s * c.across)));
    EXPECT_EQ(r.window.cursor, c.cursor);
  }
}

TEST(MouseGesture, CursorStaysWhenTheFarEndsSlopeFitsNoSizingCursor) {
  Ruler r;
  // The far corner of the opposite edge straight below the zero corner, with
  // a far end that is neither level nor upright.
  r.form.Outline = {Point{500, 500}, Point{520, 490}, Point{500, 450}, Point{480, 460}};
  r.window.cursor = CursorShape::Cross;
  r.Hover(490, 455);
  EXPECT_EQ(r.window.cursor, CursorShape::Cross);
}

// ---- hand-edited sizes ----

TEST(MouseGesture, StretchNeverDividesByZero) {
  // A vertical ruler wider than long picks the x axis, which it runs exactly
  // across (sin 0 = 0); the y axis is taken instead.
  Ruler r;
  AppSettings.RulerWidth = 610;
  AppSettings.Length = 600;
  r.Turn(kVerticalAngle);
  ASSERT_EQ(r.form.Outline[3], (Point{1210, 1810}));
  r.Press(1500, 1810);
  ASSERT_TRUE(r.form.StretchingEnd());
  r.Drag(1507, 1850);
  EXPECT_EQ(AppSettings.Length, 640);
  r.Drag(1507, 1810);
  EXPECT_EQ(AppSettings.Length, 600);
  r.Release(1507, 1810);
  EXPECT_EQ(AppSettings.Length, 600);
  EXPECT_EQ(r.form.Outline[0], (Point{1210, 1210}));
}

TEST(MouseGesture, StretchAlongANearlyZeroDivisorStaysFiniteAndClamped) {
  // Width equal to length, horizontal: the y axis is chosen, and the cosine of
  // the horizontal angle is tiny but not zero, so any vertical movement jumps
  // to one end of the range.
  const std::pair<bool, int> cases[] = {{false, 1}, {false, -1}, {true, 1}, {true, -1}, {false, 0}};
  for (const auto& [zero_end, dy] : cases) {
    SCOPED_TRACE(::testing::PrintToString(std::tuple{zero_end, dy}));
    Ruler r;
    AppSettings.RulerWidth = 600;
    r.Turn(kHorizontalAngle);
    const Point at = zero_end ? r.form.Outline[0] : r.form.Outline[3];
    r.Press(at.x, at.y - 300);
    ASSERT_TRUE(zero_end ? r.form.StretchingStart() : r.form.StretchingEnd());
    r.Drag(at.x, at.y - 300 + dy);
    const int length = AppSettings.Length;
    if (dy == 0)
      EXPECT_EQ(length, 600);
    else
      EXPECT_TRUE(length == 200 || length == 1515) << length;
    r.Release(at.x, at.y - 300 + dy);
    EXPECT_EQ(r.window.bounds.Width(), 2 * (length + 600));
    EXPECT_EQ(r.form.Outline[0], (Point{length + 600, length + 600}));
  }
}

// ---- the helpers ----

TEST(MouseHelpers, GetAngleTurnsRadiansIntoDegreesFromZeroTo360) {
  const std::pair<double, double> cases[] = {
      {0.0, 0.0},     {kPi / 2, 90.0}, {-kPi / 2, 270.0},
      {kPi, 180.0},   {-kPi, 180.0},   {-1e-9, 360.0 - 1e-9 * 180 / kPi},
  };
  for (const auto& [radians, degrees] : cases) EXPECT_NEAR(TMainForm::GetAngle(radians), degrees, 1e-9) << radians;
}

TEST(MouseHelpers, GetDistanceOfADegenerateLineIsZeroOrMinusOne) {
  Ruler r;
  EXPECT_EQ(r.form.GetDistance(5, 5, 5, 5, 5, 5), 0);
  EXPECT_EQ(r.form.GetDistance(6, 5, 5, 5, 5, 5), -1);
  r.PickUnit(kUnitInches);
  EXPECT_EQ(r.form.GetDistance(6, 5, 5, 5, 5, 5), -1) << "not converted";
  EXPECT_DOUBLE_EQ(r.form.GetDistance(0, 0, 0, 96, 10, 96), 1.0);
}

TEST(MouseHelpers, iOnScaleNamesTheEdgeWhoseBandHoldsThePoint) {
  Ruler r;
  const std::pair<Point, int> cases[] = {
      {{900, 660}, 1}, {{900, 643}, 1}, {{900, 642}, 0}, {{900, 618}, 0}, {{900, 617}, 2},
      {{900, 583}, 2}, {{900, 582}, 0}, {{2000, 650}, 1}, {{900, 677}, 1},
  };
  for (const auto& [p, band] : cases) EXPECT_EQ(r.form.iOnScale(p.x, p.y), band) << p.x << "," << p.y;

  // Coinciding corners count only at the corner itself.
  r.form.Outline = {Point{10, 10}, Point{20, 10}, Point{20, 10}, Point{10, 10}};
  EXPECT_EQ(r.form.iOnScale(10, 10), 1);
  EXPECT_EQ(r.form.iOnScale(20, 10), 2);
  EXPECT_EQ(r.form.iOnScale(11, 10), 0);
}

}  // namespace
}  // namespace mensor
