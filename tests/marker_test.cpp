// The cross-hair marker and the scale line through the fake platform: the
// cross on the screen, the scale line on the ruler, the read-out window during
// a drag, the refusal of the scale line with a screen-aligned cross.
#include <algorithm>
#include <map>
#include <tuple>

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

constexpr Color kGreen = 0x40FF00;
// Round(sqrt(1920^2 + 1080^2)) for the fake's 1920 x 1080 screen.
constexpr int kDiagonal = 2203;

// The lines left on a surface after exclusive-or drawing: those drawn an odd
// number of times.
std::vector<DrawOp> Visible(const RecordingCanvas& canvas) {
  std::map<std::tuple<int, int, int, int, Color, PenMode>, int> count;
  for (const DrawOp& op : canvas.Lines()) ++count[{op.from.x, op.from.y, op.to.x, op.to.y, op.color, op.mode}];
  std::vector<DrawOp> out;
  for (const DrawOp& op : canvas.Lines()) {
    auto it = count.find({op.from.x, op.from.y, op.to.x, op.to.y, op.color, op.mode});
    if (it->second % 2 == 1) {
      out.push_back(op);
      it->second = 0;
    }
  }
  return out;
}

struct Segment {
  Point from, to;
};

class MarkerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.ScaleSmall = 1;
    AppSettings.ScaleLarge = 2;
    AppSettings.ScaleRatio = 0.5;
    AppSettings.ScaleLine = kGreen;
    window.bounds = {100, 200, 1420, 1520};
    form.LabelStaff.width = 10;
    form.LabelStaff.height = 21;
    Horizontal();
    info_window.bounds = {0, 0, 100, 100};
    info.FormCreate();
    form.SetInfoForm(&info);
  }

  // L = 600, W = 60, zero corner at (660, 660); the marker where the
  // standard place of a 14-point "+" puts it.
  void Horizontal() {
    form.Angle = form.NewAngle = kHorizontalAngle;
    form.Outline = {Point{660, 660}, Point{660, 600}, Point{1260, 600}, Point{1260, 660}};
    form.ResetStaffMarker();
    ASSERT_EQ(form.LabelStaff.left, 673);
    ASSERT_EQ(form.LabelStaff.top, 623);
  }
  void Vertical() {
    form.Angle = form.NewAngle = kVerticalAngle;
    form.Outline = {Point{660, 660}, Point{720, 660}, Point{720, 1260}, Point{660, 1260}};
    form.ResetStaffMarker();
    ASSERT_EQ(form.LabelStaff.left, 684);
    ASSERT_EQ(form.LabelStaff.top, 673);
  }
  // The screen point of a point relative to the marker label.
  Point Screen(int x, int y) const {
    return {form.LabelStaff.left + window.bounds.left + x, form.LabelStaff.top + window.bounds.top + y};
  }

  // The mouse through the window's input dispatch, at points relative to the
  // marker label: a press there goes to the marker, and the marker keeps the
  // mouse until the release.
  void Press(int x, int y, MouseButton button = MouseButton::Left) {
    held_ = button == MouseButton::Left ? kLeftButton : button == MouseButton::Right ? kRightButton : kMiddleButton;
    form.MouseDown(button, held_, form.LabelStaff.left + x, form.LabelStaff.top + y);
  }
  void Move(int x, int y) { form.MouseMove(held_, form.LabelStaff.left + x, form.LabelStaff.top + y); }
  void Release(int x, int y, MouseButton button = MouseButton::Left) {
    held_ = 0;
    form.MouseUp(button, 0, form.LabelStaff.left + x, form.LabelStaff.top + y);
  }
  // A command picked in the popup menu.
  void Pick(int command) {
    platform.menu_choices.push_back(command);
    form.ContextMenu({0, 0});
  }
  void SetRotate(bool on) {
    if (form.RotateMode != on) Pick(kCmdCircum);
  }
  // The check mark of an item as the popup menu shows it.
  bool CheckedInMenu(const std::string& caption) {
    form.ContextMenu({0, 0});
    for (const MenuItem& item : platform.shown_menus.back().items)
      if (item.caption == caption) return item.checked;
    ADD_FAILURE() << "no item " << caption;
    return false;
  }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};
  FakeWindow info_window;
  TInfoForm info{platform, info_window};
  ShiftState held_ = 0;
};

TEST_F(MarkerTest, CrossForEachSizeAndDirection) {
  struct Case {
    const char* name;
    bool vertical;
    int size, dir;
    Segment first, second;  // relative to the cross centre S, or absolute for
    bool absolute;          // the big screen-aligned cross
  };
  const Point s = Screen(5, 10);
  const Case cases[] = {
      // A vertical ruler: across is horizontal, along is vertical; each arm
      // reaches 20 pixels to either side of the pointer.
      {"small, with ruler, vertical", true, 1, 0, {{-20, 0}, {20, 0}}, {{0, 20}, {0, -20}}, false},
      // A horizontal ruler: across is vertical (cos A rounds to 0).
      {"small, with ruler, horizontal", false, 1, 0, {{0, 20}, {0, -20}}, {{20, 0}, {-20, 0}}, false},
      {"big, with ruler, horizontal", false, 0, 0,
       {{0, kDiagonal}, {0, -kDiagonal}}, {{kDiagonal, 0}, {-kDiagonal, 0}}, false},
      {"big, with ruler, vertical", true, 0, 0,
       {{-kDiagonal, 0}, {kDiagonal, 0}}, {{0, kDiagonal}, {0, -kDiagonal}}, false},
      {"small, with screen", false, 1, 1, {{-20, 0}, {20, 0}}, {{0, -20}, {0, 20}}, false},
      {"big, with screen", false, 0, 1, {{0, s.y}, {1920, s.y}}, {{s.x, 0}, {s.x, 1080}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    platform.screen_drawing = RecordingCanvas{};
    c.vertical ? Vertical() : Horizontal();
    const Point centre = Screen(5, 10);
    AppSettings.StaffSize = c.size;
    AppSettings.StaffDir = c.dir;
    Press(5, 10);
    const std::vector<DrawOp> lines = platform.screen_drawing.Lines();
    ASSERT_EQ(lines.size(), 2u);
    const Point o = c.absolute ? Point{0, 0} : centre;
    const Segment expected[] = {c.first, c.second};
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(lines[i].from, (Point{o.x + expected[i].from.x, o.y + expected[i].from.y})) << i;
      EXPECT_EQ(lines[i].to, (Point{o.x + expected[i].to.x, o.y + expected[i].to.y})) << i;
      EXPECT_EQ(lines[i].color, 0xFFFFFFu);
      EXPECT_EQ(lines[i].mode, PenMode::Xor);
    }
    Release(5, 10);
    EXPECT_TRUE(Visible(platform.screen_drawing).empty()) << "the release erases the cross";
  }
}

TEST_F(MarkerTest, SmallCrossOnATurnedRulerRoundsEachArm) {
  // A = pi/6: Round(20 cos A) = 17, Round(20 sin A) = 10.
  form.Angle = 0.52359877559829882;
  AppSettings.StaffSize = 1;
  AppSettings.StaffDir = 0;
  Press(0, 0);
  const Point s = Screen(0, 0);
  const std::vector<DrawOp> lines = platform.screen_drawing.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from, (Point{s.x - 17, s.y + 10}));
  EXPECT_EQ(lines[0].to, (Point{s.x + 17, s.y - 10}));
  EXPECT_EQ(lines[1].from, (Point{s.x + 10, s.y + 17}));
  EXPECT_EQ(lines[1].to, (Point{s.x - 10, s.y - 17}));
}

TEST_F(MarkerTest, DragMovesTheCrossAndTheReleaseErasesIt) {
  AppSettings.StaffSize = 1;
  AppSettings.StaffDir = 1;
  Press(5, 10);
  Move(40, -30);
  std::vector<DrawOp> shown = Visible(platform.screen_drawing);
  ASSERT_EQ(shown.size(), 2u);
  const Point s = Screen(40, -30);
  EXPECT_EQ(shown[0].from, (Point{s.x - 20, s.y}));
  EXPECT_EQ(shown[1].from, (Point{s.x, s.y - 20}));
  Release(40, -30);
  EXPECT_TRUE(Visible(platform.screen_drawing).empty());
  EXPECT_FALSE(form.StaffDragging());
  EXPECT_FALSE(window.captured);
  EXPECT_GE(platform.screen_canvases_opened, 1) << "the press takes a fresh screen surface";
}

TEST_F(MarkerTest, PointerIsHiddenDuringTheDragOnly) {
  Press(5, 10);
  EXPECT_EQ(platform.cursor_display_count, -1);
  Press(6, 10);  // a second press without a release
  EXPECT_EQ(platform.cursor_display_count, -1);
  Move(30, 10);
  EXPECT_EQ(platform.cursor_display_count, -1);
  Release(30, 10);
  EXPECT_EQ(platform.cursor_display_count, 0);
  form.LabelStaffMouseUp(MouseButton::Left, 0, 30, 10);  // a release without a drag
  EXPECT_EQ(platform.cursor_display_count, 0);
  EXPECT_TRUE(Visible(platform.screen_drawing).empty());
}

TEST_F(MarkerTest, ReleaseOfADragRepaintsTheRulerToTakeAwayTracesOfTheCross) {
  Press(5, 10);
  Move(30, 10);
  const int before = window.invalidations;
  Release(30, 10);
  EXPECT_EQ(window.invalidations, before + 1) << "the release of a drag asks for a paint";
  form.LabelStaffMouseUp(MouseButton::Left, 0, 30, 10);
  EXPECT_EQ(window.invalidations, before + 1) << "a release without a drag paints nothing";
}

TEST_F(MarkerTest, PressesThatDoNothing) {
  struct Case {
    const char* name;
    MouseButton button;
    bool rotate;
  };
  const Case cases[] = {
      {"left in Rotate mode", MouseButton::Left, true},
      {"right", MouseButton::Right, false},
      {"middle", MouseButton::Middle, false},
  };
  AppSettings.ShowDisplayForm = true;
  Pick(kCmdShowScaleLine);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetRotate(c.rotate);
    if (!c.rotate) {
      // A scale line left by an earlier drag.
      Press(5, 10);
      Move(4, 9);
      Release(4, 9);
    }
    const Point line = form.ScaleLinePoint;
    platform.screen_drawing = RecordingCanvas{};
    window.direct = RecordingCanvas{};
    const int canvases = platform.screen_canvases_opened;
    const Rect info_bounds = info_window.bounds;
    Press(5, 10, c.button);
    Move(30, 10);
    EXPECT_FALSE(form.StaffDragging());
    EXPECT_EQ(form.CurrentGesture().kind, GestureKind::MarkerHeld) << "the marker holds the mouse";
    EXPECT_EQ(form.ScaleLinePoint, line);
    EXPECT_EQ(platform.cursor_display_count, 0);
    EXPECT_EQ(platform.screen_canvases_opened, canvases);
    EXPECT_TRUE(platform.screen_drawing.ops.empty());
    EXPECT_TRUE(window.direct.ops.empty());
    EXPECT_EQ(info_window.bounds, info_bounds);
    EXPECT_FALSE(info_window.visible);
    Release(30, 10, c.button);
    EXPECT_EQ(form.CurrentGesture().kind, GestureKind::None);
    EXPECT_FALSE(window.captured);
  }
}

TEST_F(MarkerTest, DragLeavesTheScaleLineAtTheRatioOfTheDistance) {
  struct Case {
    const char* name;
    bool vertical;
    double ratio;
    Point to;  // relative to the label
    Segment line;
  };
  const Case cases[] = {
      // Horizontal: the end point (760, 640) lies 100 pixels from the zero
      // end, so the line stands at x = 660 + 50 across the whole width.
      {"horizontal, 1/2", false, 0.5, {87, 17}, {{710, 660 + kDiagonal}, {710, 660 - kDiagonal}}},
      // Vertical: (690, 750) lies 90 pixels from the zero end; a third is 30.
      {"vertical, 1/3", true, 1.0 / 3, {6, 77}, {{650 - kDiagonal, 690}, {650 + kDiagonal, 690}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    window.direct = RecordingCanvas{};
    window.direct.SetPenColor(0x123456);
    c.vertical ? Vertical() : Horizontal();
    AppSettings.ScaleRatio = c.ratio;
    Pick(kCmdShowScaleLine);
    Press(5, 10);
    Move(c.to.x - 20, c.to.y);
    Move(c.to.x, c.to.y);
    Release(c.to.x, c.to.y);
    const std::vector<DrawOp> shown = Visible(window.direct);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].from, c.line.from);
    EXPECT_EQ(shown[0].to, c.line.to);
    EXPECT_EQ(shown[0].color, kGreen);
    EXPECT_EQ(shown[0].mode, PenMode::Xor);
    EXPECT_EQ(form.ScaleLinePoint, c.to);
    EXPECT_EQ(window.direct.PenColor(), 0x123456u) << "the pen colour is restored";
    Pick(kCmdShowScaleLine);
    EXPECT_TRUE(Visible(window.direct).empty()) << "switching the item off erases the line";
  }
}

TEST_F(MarkerTest, PressWithoutMovingLeavesExactlyOneLine) {
  Pick(kCmdShowScaleLine);
  Press(5, 10);
  Release(5, 10);
  std::vector<DrawOp> shown = Visible(window.direct);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(window.direct.Lines().size(), 1u);
  // (678, 633) lies 18 pixels from the zero end: the line stands at 9.
  EXPECT_EQ(shown[0].from, (Point{669, 660 + kDiagonal}));
  EXPECT_EQ(form.ScaleLinePoint, (Point{5, 10}));

  // A repaint draws the line again, on the paint's own canvas.
  window.on_paint = [this](Canvas& canvas) { form.FormPaint(canvas); };
  window.Repaint();
  std::vector<DrawOp> painted;
  for (const DrawOp& op : window.last_paint.Lines())
    if (op.color == kGreen && op.mode == PenMode::Xor) painted.push_back(op);
  ASSERT_EQ(painted.size(), 1u);
  EXPECT_EQ(painted[0].from, shown[0].from);
  EXPECT_EQ(painted[0].to, shown[0].to);
  EXPECT_EQ(window.direct.Lines().size(), 1u) << "nothing drawn beside the paint";

  // The next press erases the line shown so far before it draws its own.
  Press(5, 10);
  Move(87, 17);
  Release(87, 17);
  shown = Visible(window.direct);
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].from, (Point{710, 660 + kDiagonal}));
}

TEST_F(MarkerTest, NoScaleLineWithTheScreenAlignedCross) {
  // The item was switched on before the preferences turned the cross.
  Pick(kCmdShowScaleLine);
  AppSettings.StaffDir = 1;
  Press(5, 10);
  Move(87, 17);
  Release(87, 17);
  EXPECT_TRUE(window.direct.ops.empty());
}

TEST_F(MarkerTest, ScaleLineDrawnDuringAPaintGoesOnThePaintCanvas) {
  RecordingCanvas paint;
  paint.SetPenColor(0xABCDEF);
  {
    const TMainForm::PaintScope scope(form, paint);
    form.DrawScaleLine(0, 87, 17);
  }
  EXPECT_TRUE(window.direct.ops.empty());
  ASSERT_EQ(paint.Lines().size(), 1u);
  EXPECT_EQ(paint.Lines()[0].from, (Point{710, 660 + kDiagonal}));
  EXPECT_EQ(paint.PenColor(), 0xABCDEFu);
  form.DrawScaleLine(0, 87, 17);
  EXPECT_EQ(window.direct.Lines().size(), 1u) << "outside a paint: the window canvas";
}

TEST_F(MarkerTest, ScaleLineCommandRefusedWithTheScreenAlignedCross) {
  // A line left by a drag, then the preferences turn the cross.
  Pick(kCmdShowScaleLine);
  Press(5, 10);
  Move(87, 17);
  Release(87, 17);
  window.direct = RecordingCanvas{};
  AppSettings.StaffDir = 1;
  form.ExecuteCommand(kCmdShowScaleLine);
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0],
            "Scale Line can not be show\r"
            "when staff guage's direction is Vertical with Screen!\r"
            "You can set the staff guage's direction in system page in Preferences Form!");
  EXPECT_EQ(platform.info_captions[0], "Information");
  EXPECT_FALSE(CheckedInMenu("Show Scale &Line"));
  EXPECT_TRUE(window.direct.ops.empty());

  form.ExecuteCommand(kCmdShowScaleLine);
  EXPECT_EQ(platform.infos.size(), 2u);
  EXPECT_FALSE(CheckedInMenu("Show Scale &Line")) << "the item stays unchecked";
}

TEST_F(MarkerTest, ScaleLineCommandTogglesAndErases) {
  form.ExecuteCommand(kCmdShowScaleLine);
  EXPECT_TRUE(CheckedInMenu("Show Scale &Line"));
  EXPECT_TRUE(window.direct.ops.empty()) << "no line until the next drag";

  for (int round = 0; round < 2; ++round) {
    SCOPED_TRACE(round);
    Press(5, 10);
    Move(87, 17);
    Release(87, 17);
    ASSERT_EQ(Visible(window.direct).size(), 1u);
    form.ExecuteCommand(kCmdShowScaleLine);
    EXPECT_FALSE(CheckedInMenu("Show Scale &Line"));
    EXPECT_TRUE(Visible(window.direct).empty()) << "switching off erases the line";
    // Switched on again, it shows no line until the next drag.
    form.ExecuteCommand(kCmdShowScaleLine);
    EXPECT_TRUE(Visible(window.direct).empty());
  }
  EXPECT_TRUE(platform.infos.empty());
}

TEST_F(MarkerTest, ReadOutWindowFollowsTheDrag) {
  for (bool show : {true, false}) {
    SCOPED_TRACE(show ? "shown" : "not shown");
    AppSettings.ShowDisplayForm = show;
    info_window.log.clear();
    Press(5, 10);
    // (8 - 30) div 2 = -11 and (8 - 40) div 2 = -16 from the label's screen
    // place (773, 823).
    EXPECT_EQ(info_window.bounds, (Rect{762, 807, 792, 847}));
    EXPECT_EQ(info_window.visible, show);
    EXPECT_EQ(info.LabelNumber.caption, "778  \r833  ");
    Move(-700, -900);
    EXPECT_EQ(info.LabelNumber.caption, "73   \r-77  ");
    EXPECT_EQ(info_window.bounds, (Rect{762, 807, 792, 847})) << "the window stays";
    Release(-700, -900);
    EXPECT_FALSE(info_window.visible);
    EXPECT_EQ(std::count(info_window.log.begin(), info_window.log.end(), "show"), show ? 1 : 0);
    EXPECT_EQ(info.LabelNumber.caption, "73   \r-77  ") << "the text stays";
  }
}

TEST_F(MarkerTest, NoReadOutWindowIsNoFault) {
  form.SetInfoForm(nullptr);
  AppSettings.ShowDisplayForm = true;
  Press(5, 10);
  Move(6, 11);
  Release(6, 11);
  EXPECT_EQ(platform.cursor_display_count, 0);
  EXPECT_TRUE(Visible(platform.screen_drawing).empty());
}

TEST_F(MarkerTest, ReadOutLabelShowsTheDistanceFromTheZeroEndNeverAnAngle) {
  enum class Pointer { Hover, Drag, HeldInRotateMode };
  struct Case {
    const char* name;
    int unit_command;
    Pointer pointer;
    int along;  // pixels from the zero end
    const char* text;
  };
  const Case cases[] = {
      {"pixels, over the marker", kCmdPixels, Pointer::Hover, 18, "18  "},
      {"pixels, during a drag", kCmdPixels, Pointer::Drag, 87, "87  "},
      {"pixels, a long drag", kCmdPixels, Pointer::Drag, 1000, "1000"},
      {"pixels, held in Rotate mode", kCmdPixels, Pointer::HeldInRotateMode, 100, "100 "},
      {"centimetres, during a drag", kCmdCM, Pointer::Drag, 96, "2.54  "},
      {"inches, held in Rotate mode", kCmdInch, Pointer::HeldInRotateMode, 48, "0.50  "},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Pick(c.unit_command);
    SetRotate(c.pointer == Pointer::HeldInRotateMode);
    // The client point (660 + along, 640), relative to the label at (673, 623).
    if (c.pointer == Pointer::Hover) {
      form.MouseMove(0, 660 + c.along, 640);
    } else {
      Press(5, 10);
      Move(c.along - 13, 17);
    }
    EXPECT_EQ(form.LabelNumber.caption, c.text);
    if (c.pointer != Pointer::Hover) Release(c.along - 13, 17);
  }
}

TEST_F(MarkerTest, CrossCursorOverTheMarkerUnlessRotating) {
  form.MouseMove(0, 676, 626);
  EXPECT_EQ(window.cursor, CursorShape::Cross);
  window.cursor = CursorShape::Default;
  SetRotate(true);
  form.MouseMove(0, 676, 626);
  EXPECT_EQ(window.cursor, CursorShape::Default);
  SetRotate(false);
  window.cursor = CursorShape::Default;
  Press(3, 3);
  Move(4, 4);
  EXPECT_EQ(window.cursor, CursorShape::Default) << "not during a drag";
}

}  // namespace
}  // namespace mensor
