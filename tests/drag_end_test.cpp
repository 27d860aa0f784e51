// How drags end other than by their own release, through the window's input
// dispatch as the platform delivers it: a mouse capture lost mid-gesture ends
// the gesture as a release where the pointer last was, Esc cancels it and puts
// the ruler back, no popup menu opens while a drag is under way, and a ruler
// whose place, size and shape change does so in one held update.
#include <map>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"
#include "readout/info_form.h"

namespace mensor {
namespace {

using testing::DrawOp;
using testing::FakePlatform;
using testing::FakeWindow;
using testing::RecordingCanvas;

constexpr int kLeft = -100;
constexpr int kTop = -400;
constexpr int kEscape = vk::kEscape;

// The lines an exclusive-or surface still shows: those drawn an odd number of
// times.
std::vector<DrawOp> Visible(const RecordingCanvas& canvas) {
  std::map<std::tuple<int, int, int, int>, int> count;
  for (const DrawOp& op : canvas.Lines()) ++count[{op.from.x, op.from.y, op.to.x, op.to.y}];
  std::vector<DrawOp> out;
  for (const DrawOp& op : canvas.Lines()) {
    auto it = count.find({op.from.x, op.from.y, op.to.x, op.to.y});
    if (it->second % 2 == 1) out.push_back(op);
    it->second = 0;
  }
  return out;
}

// A horizontal ruler 600 long and 60 wide in its window at (kLeft, kTop): the
// zero corner is the client point (660, 660), the far end runs from
// (1260, 600) to (1260, 660), and the marker "+" covers (673, 623)-(683, 644).
class Ruler {
 public:
  Ruler() {
    AppSettings = TAppSettings{};
    form.FormCreate();
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.MoveStep = 5;
    AppSettings.Transparence = false;
    AppSettings.ShowDisplayForm = true;
    form.InitialLayout();
    form.ResetStaffMarker();
    window.SetBounds(kLeft, kTop, 1320, 1320);
    window.visible = true;
    info.FormCreate();
    form.SetInfoForm(&info);
    window.log.clear();
    window.set_bounds_calls = window.region_calls = window.changes_not_held = 0;
    platform.screen_drawing = RecordingCanvas{};
  }
  ~Ruler() { AppSettings = TAppSettings{}; }
  Ruler(const Ruler&) = delete;
  Ruler& operator=(const Ruler&) = delete;

  // A command picked in the popup menu ("&Rotate", "Show Scale &Line").
  void Pick(int command) {
    platform.menu_choices.push_back(command);
    form.ContextMenu({0, 0});
    platform.shown_menus.clear();
  }
  void SetRotate(bool on) {
    if (on) Pick(kCmdCircum);
  }
  GestureKind Kind() const { return form.CurrentGesture().kind; }

  void Press(Point p) {
    held_ = kLeftButton;
    form.MouseDown(MouseButton::Left, held_, p.x, p.y);
  }
  void Drag(Point p) { form.MouseMove(held_, p.x, p.y); }
  void Release(Point p) {
    held_ = 0;
    form.MouseUp(MouseButton::Left, 0, p.x, p.y);
  }
  // A right click with the left button still held.
  void RightClick(Point p) {
    form.MouseDown(MouseButton::Right, held_ | kRightButton, p.x, p.y);
    form.MouseUp(MouseButton::Right, held_, p.x, p.y);
    form.ContextMenu({window.bounds.left + p.x, window.bounds.top + p.y});
  }

  // Nothing of a band or a cross is left on the screen.
  bool ScreenClear() const { return Visible(platform.screen_drawing).empty(); }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};
  FakeWindow info_window;
  TInfoForm info{platform, info_window};
  ShiftState held_ = 0;
};

struct DragCase {
  const char* name;
  bool rotate;
  Point press, to;
};
// Each gesture pressed and dragged once, not released.
const DragCase kGestures[] = {
    {"move", false, {900, 630}, {950, 700}},
    {"far-end stretch", false, {1260, 630}, {1330, 630}},
    {"zero-end stretch", false, {660, 630}, {610, 640}},
    {"rotation", true, {960, 630}, {630, 360}},
};

// What the ruler looks like to the user: place and size of the window, its
// outline, angle and length.
struct RulerState {
  Rect bounds;
  Corners outline;
  double angle;
  int length;
  friend bool operator==(const RulerState&, const RulerState&) = default;
};
RulerState StateOf(const Ruler& r) {
  return {r.window.bounds, r.form.Outline, r.form.Angle, AppSettings.Length};
}
// The ruler after the gesture's own press, drag and release.
RulerState Released(const DragCase& g) {
  Ruler r;
  r.SetRotate(g.rotate);
  r.Press(g.press);
  r.Drag(g.to);
  r.Release(g.to);
  return StateOf(r);
}

TEST(DragEnd, LostCaptureEndsEachGestureAsAReleaseWhereThePointerLastWas) {
  for (const DragCase& g : kGestures) {
    SCOPED_TRACE(g.name);
    const RulerState released = Released(g);
    Ruler r;
    r.SetRotate(g.rotate);
    const RulerState before = StateOf(r);
    r.Press(g.press);
    r.Drag(g.to);
    r.form.MouseCaptureLost();
    EXPECT_EQ(StateOf(r), released);
    EXPECT_FALSE(before == released) << "the gesture changed something";
    EXPECT_TRUE(r.ScreenClear()) << "the band is erased";
    EXPECT_EQ(r.Kind(), GestureKind::None);
    EXPECT_TRUE(r.form.LabelNumber.visible);
    EXPECT_FALSE(r.window.captured);

    // The pointer passing over the ruler afterwards moves nothing, and a
    // second lost capture finds nothing to end.
    r.form.MouseMove(0, g.to.x + 40, g.to.y + 20);
    r.form.MouseCaptureLost();
    EXPECT_EQ(StateOf(r), released);
    EXPECT_TRUE(r.ScreenClear());
  }
}

TEST(DragEnd, EscCancelsEachGestureAndPutsTheRulerBack) {
  for (const DragCase& g : kGestures) {
    SCOPED_TRACE(g.name);
    Ruler r;
    r.SetRotate(g.rotate);
    const RulerState before = StateOf(r);
    r.Press(g.press);
    r.Drag(g.to);
    EXPECT_TRUE(r.form.KeyDown(kEscape, 0));
    EXPECT_EQ(StateOf(r), before);
    EXPECT_EQ(r.form.NewAngle, r.form.Angle);
    EXPECT_TRUE(r.ScreenClear());
    EXPECT_EQ(r.Kind(), GestureKind::None);
    EXPECT_TRUE(r.form.LabelNumber.visible);
    EXPECT_FALSE(r.window.captured);
    EXPECT_EQ(r.window.set_bounds_calls + r.window.region_calls, 0) << "the window was never touched";

    // The pointer goes on and the button comes up: nothing more happens.
    r.Drag({g.to.x + 30, g.to.y + 30});
    r.Release({g.to.x + 30, g.to.y + 30});
    EXPECT_EQ(StateOf(r), before);
    EXPECT_TRUE(r.ScreenClear());
  }
}

TEST(DragEnd, AfterALostCaptureTheNextDragMovesByThePointersMotionAndKeysWork) {
  Ruler r;
  r.Press({900, 630});
  r.Drag({950, 700});
  r.form.MouseCaptureLost();
  const Rect at = r.window.bounds;
  EXPECT_EQ(at.left, kLeft + 50);
  EXPECT_EQ(at.top, kTop + 70);

  // The release that the other window took arrives nowhere; the next press
  // starts a fresh drag with its own capture.
  r.Press({900, 630});
  EXPECT_TRUE(r.window.captured);
  r.Drag({880, 640});
  r.Release({880, 640});
  EXPECT_EQ(r.window.bounds.left, at.left - 20);
  EXPECT_EQ(r.window.bounds.top, at.top + 10);
  EXPECT_TRUE(r.ScreenClear());

  EXPECT_TRUE(r.form.KeyDown(vk::kRight, 0)) << "arrow keys are no longer refused";
  EXPECT_EQ(r.window.bounds.left, at.left - 15);
}

TEST(DragEnd, AMovementWithNoButtonHeldEndsADragWhoseReleaseWentElsewhere) {
  Ruler r;
  r.Press({900, 630});
  r.Drag({950, 700});
  // The button came up over another window that had taken the mouse without
  // telling: the drag ends where the pointer last was, not where it is now.
  r.form.MouseMove(0, 1000, 600);
  EXPECT_EQ(r.Kind(), GestureKind::None);
  EXPECT_EQ(r.window.bounds.left, kLeft + 50);
  EXPECT_EQ(r.window.bounds.top, kTop + 70);
  EXPECT_TRUE(r.ScreenClear());
  EXPECT_FALSE(r.window.captured);
}

TEST(DragEnd, ACaptureLostWhileTheReleaseChangesTheWindowEndsNothingTwice) {
  // The system may report a lost capture while the release moves or reshapes
  // the window; the gesture is over by then. Released with another button
  // still down, too: that button then holds the mouse and starts nothing.
  for (const ShiftState still_held : {ShiftState{0}, ShiftState{kMiddleButton}}) {
    for (const DragCase& g : kGestures) {
      SCOPED_TRACE(::testing::Message() << g.name << (still_held ? ", middle still held" : ""));
      const RulerState released = Released(g);
      Ruler r;
      r.SetRotate(g.rotate);
      r.Press(g.press);
      r.Drag(g.to);
      int lost = 0;
      r.window.on_change = [&] {
        ++lost;
        r.form.MouseCaptureLost();
      };
      r.form.MouseUp(MouseButton::Left, still_held, g.to.x, g.to.y);
      r.window.on_change = nullptr;
      EXPECT_GT(lost, 0);
      EXPECT_EQ(StateOf(r), released);
      EXPECT_TRUE(r.ScreenClear()) << "the band is erased once";
      EXPECT_FALSE(r.form.Pressing());
      r.form.MouseUp(MouseButton::Middle, 0, g.to.x, g.to.y);
      EXPECT_EQ(StateOf(r), released);
      EXPECT_TRUE(r.ScreenClear());
      EXPECT_FALSE(r.window.captured);
    }
  }
}

TEST(DragEnd, TheLastButtonUpEndsADragWhoseOwnReleaseWentElsewhere) {
  // The left button's release went to another window unseen; a right click
  // follows and its release reports no button down any more.
  Ruler r;
  r.Press({900, 630});
  r.Drag({950, 700});
  r.form.MouseDown(MouseButton::Right, kLeftButton | kRightButton, 950, 700);
  r.form.MouseUp(MouseButton::Right, 0, 950, 700);
  EXPECT_EQ(r.Kind(), GestureKind::None);
  EXPECT_EQ(r.window.bounds.left, kLeft + 50);
  EXPECT_EQ(r.window.bounds.top, kTop + 70);
  EXPECT_TRUE(r.ScreenClear());
  EXPECT_FALSE(r.window.captured);
}

// ---- the marker ----

struct MarkerEnd {
  const char* name;
  bool esc;
};

TEST(DragEnd, MarkerDragEndsCleanlyOnALostCaptureOrEsc) {
  const MarkerEnd cases[] = {{"capture lost", false}, {"Esc", true}};
  for (const MarkerEnd& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    r.Pick(kCmdShowScaleLine);
    // A first drag leaves a scale line for the marker point (30, 8).
    r.Press({676, 626});
    r.Drag({703, 631});
    r.Release({703, 631});
    const std::vector<DrawOp> first_line = Visible(r.window.direct);
    ASSERT_EQ(first_line.size(), 1u);
    ASSERT_EQ(r.form.ScaleLinePoint, (Point{30, 8}));

    // The second drag is ended early at the marker point (130, 8).
    r.Press({676, 626});
    r.Drag({803, 631});
    ASSERT_TRUE(r.form.StaffDragging());
    ASSERT_TRUE(r.info_window.visible) << "the read-out window shows during the drag";
    ASSERT_EQ(r.platform.cursor_display_count, -1);
    if (c.esc) {
      EXPECT_TRUE(r.form.KeyDown(kEscape, 0));
    } else {
      r.form.MouseCaptureLost();
    }
    EXPECT_FALSE(r.form.StaffDragging());
    EXPECT_TRUE(r.ScreenClear()) << "the cross is erased";
    EXPECT_EQ(r.platform.cursor_display_count, 0) << "the pointer shows again";
    EXPECT_FALSE(r.info_window.visible) << "the read-out window is hidden";
    EXPECT_FALSE(r.window.captured);
    const std::vector<DrawOp> line = Visible(r.window.direct);
    ASSERT_EQ(line.size(), 1u) << "exactly one scale line";
    if (c.esc) {
      EXPECT_EQ(r.form.ScaleLinePoint, (Point{30, 8})) << "back where it was";
      EXPECT_EQ(line[0], first_line[0]);
    } else {
      EXPECT_EQ(r.form.ScaleLinePoint, (Point{130, 8})) << "where the drag left it";
      EXPECT_NE(line[0], first_line[0]);
    }

    // The next press on the marker takes the mouse and drags normally.
    r.Press({676, 626});
    EXPECT_TRUE(r.window.captured);
    EXPECT_TRUE(r.form.StaffDragging());
    r.Release({676, 626});
    EXPECT_TRUE(r.ScreenClear());
    EXPECT_EQ(r.platform.cursor_display_count, 0);
  }
}

// ---- the popup menu ----

TEST(DragEnd, NoPopupMenuWhileADragIsUnderWay) {
  struct Case {
    const char* name;
    Point press;
  };
  const Case cases[] = {{"gesture", {900, 630}}, {"marker", {676, 626}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    r.Press(c.press);
    r.Drag({c.press.x + 30, c.press.y + 5});
    r.RightClick({c.press.x + 30, c.press.y + 5});
    r.form.NotifyIconMessage(516);  // a right click on the notification icon
    EXPECT_TRUE(r.platform.shown_menus.empty());
    EXPECT_TRUE(r.window.captured) << "the drag keeps the mouse";
    r.Release({c.press.x + 30, c.press.y + 5});
    EXPECT_TRUE(r.ScreenClear());

    r.RightClick({900, 630});
    EXPECT_EQ(r.platform.shown_menus.size(), 1u) << "after the drag the menu opens";
  }
}

// ---- one held update for a new place, size and shape ----

TEST(OneStepLayout, StretchAndLayoutCommandsChangeTheWindowInOneHeldUpdate) {
  struct Case {
    const char* name;
    int command;  // 0: a far-end stretch by the mouse
  };
  const Case cases[] = {
      {"stretch", 0},
      {"vertical", kCmdPlumb},
      {"fit screen as horizontal", kCmdFitHorizontal},
      {"fit screen as vertical", kCmdFitVertical},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Ruler r;
    if (c.command == 0) {
      r.Press({1260, 630});
      r.Drag({1310, 630});
      r.Release({1310, 630});
    } else {
      r.form.ExecuteCommand(c.command);
    }
    EXPECT_GT(r.window.region_calls, 0);
    EXPECT_EQ(r.window.changes_not_held, 0) << "every change inside the update";
    EXPECT_EQ(r.window.updates_held, 0);
    std::vector<std::string> log;
    for (const std::string& entry : r.window.log)
      if (entry != "capture" && entry != "release") log.push_back(entry);
    EXPECT_EQ(log, (std::vector<std::string>{"hold", "paint"})) << "never hidden";
    EXPECT_TRUE(r.window.visible);
  }
}

}  // namespace
}  // namespace mensor
