// The ruler on a desktop of several monitors, driven through the fake
// platform: the monitor queries, the recovery of a ruler lying off every
// monitor (Horizontal, Vertical, Hide/Show, arrow keys), Fit Screen, the
// see-through capture, the cross-hair, and the density of the monitor holding
// the zero corner. Each layout keeps the 1920 x 1080 primary at (0, 0), so the
// one-monitor rows give the results of a single screen.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/main_form.h"
#include "fake_platform.h"
#include "readout/info_form.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::DrawOp;
using testing::FakeWindow;

constexpr Rect kPrimary{0, 0, 1920, 1080};

Monitor Make(Rect bounds, int ppi = 96, bool primary = false) { return {bounds, bounds, ppi, primary}; }

const MonitorList kOne = {Make(kPrimary, 96, true)};
// A shorter monitor to the right: below it (y 768 ... 1080) lies no monitor.
const MonitorList kSideBySide = {Make(kPrimary, 96, true), Make({1920, 0, 2944, 768})};
// A monitor left of the primary, at negative x.
const MonitorList kLeftOfPrimary = {Make(kPrimary, 96, true), Make({-1280, 0, 0, 1024})};
// A 144 pixels-per-inch monitor beside a 96 one.
const MonitorList kMixedDensity = {Make(kPrimary, 96, true), Make({1920, 0, 4800, 1620}, 144)};

// ---- the queries ----

TEST(MonitorQueries, VirtualScreenNearestAndTouching) {
  EXPECT_EQ(VirtualScreenOf(kOne), kPrimary);
  EXPECT_EQ(VirtualScreenOf(kSideBySide), (Rect{0, 0, 2944, 1080}));
  EXPECT_EQ(VirtualScreenOf(kLeftOfPrimary), (Rect{-1280, 0, 1920, 1080}));

  struct Case {
    const char* name;
    Point p;
    Rect expected;
  };
  const Case cases[] = {
      {"on the second", {2000, 100}, {1920, 0, 2944, 768}},
      {"on the seam: the right one", {1920, 100}, {1920, 0, 2944, 768}},
      {"in the gap, nearer the primary", {2000, 900}, kPrimary},
      {"in the gap, nearer the second", {2500, 800}, {1920, 0, 2944, 768}},
      {"beyond the right end", {5000, 100}, {1920, 0, 2944, 768}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(MonitorOfPoint(kSideBySide, c.p).bounds, c.expected);
  }

  // Closed boxes: an edge on a monitor's edge counts as on it.
  EXPECT_FALSE(TouchesAnyMonitor(kSideBySide, {2000, 800, 2600, 860})) << "in the gap below the second";
  EXPECT_TRUE(TouchesAnyMonitor(kSideBySide, {2000, 768, 2600, 828})) << "touching its bottom edge";
  EXPECT_FALSE(TouchesAnyMonitor(kOne, {1921, 100, 2500, 160}));
  EXPECT_TRUE(TouchesAnyMonitor(kOne, {1920, 100, 2500, 160}));
}

TEST(MonitorQueries, ScaleForDensity) {
  EXPECT_EQ(ScaleForDensity(30, 96), 30);
  EXPECT_EQ(ScaleForDensity(30, 144), 45);
  EXPECT_EQ(ScaleForDensity(11, 144), 17) << "16.5 rounds up";
  EXPECT_EQ(ScaleForDensity(11, 120), 14) << "13.75";
  EXPECT_EQ(ScaleForDensity(11, 0), 11) << "no density reported";
}

TEST(MonitorQueries, DialogPlacement) {
  // A task bar of 40 rows at the bottom of the 1024 x 768 monitor.
  MonitorList with_bar = kSideBySide;
  with_bar[1].work_area.bottom = 728;
  struct Case {
    const char* name;
    const MonitorList& monitors;
    Point anchor;
    Size size;
    Rect expected;
  };
  const Case cases[] = {
      {"one monitor: the screen's centre", kOne, {300, 200}, {470, 370}, {725, 355, 1195, 725}},
      {"anchor off every monitor: the nearest", kOne, {-500, 200}, {470, 370}, {725, 355, 1195, 725}},
      {"on the second", kSideBySide, {2000, 100}, {470, 370}, {2197, 199, 2667, 569}},
      {"left of the primary", kLeftOfPrimary, {-10, 10}, {470, 370}, {-875, 327, -405, 697}},
      {"taller than the work area: its top edge shows", with_bar, {2000, 100}, {470, 800}, {2197, 0, 2667, 800}},
      {"moved up off the task bar", with_bar, {2000, 100}, {470, 700}, {2197, 28, 2667, 728}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DialogPlacement(c.monitors, c.anchor, c.size), c.expected);
  }
}

TEST(MonitorQueries, DialogPlacementBesideTheRuler) {
  MonitorList with_bar = kSideBySide;
  with_bar[1].work_area.bottom = 728;
  struct Case {
    const char* name;
    const MonitorList& monitors;
    Box ruler;
    Rect expected;  // of a dialog of 400 x 240, anchored at the ruler's first corner
  };
  const Case cases[] = {
      {"below, centred across the ruler", kOne, {660, 510, 1260, 570}, {760, 579, 1160, 819}},
      {"no room below: above", kOne, {660, 1000, 1260, 1060}, {760, 752, 1160, 992}},
      {"as high as the monitor: right of it", kOne, {900, 0, 960, 1079}, {969, 419, 1369, 659}},
      {"at the right edge too: left of it", kOne, {1860, 0, 1919, 1079}, {1452, 419, 1852, 659}},
      {"no room anywhere: centred", kOne, {0, 0, 1919, 1079}, {760, 420, 1160, 660}},
      {"on the second, above its task bar", with_bar, {2100, 600, 2700, 660}, {2200, 352, 2600, 592}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DialogPlacementBeside(c.monitors, {c.ruler.min_x, c.ruler.max_y}, {400, 240}, c.ruler), c.expected);
  }
}

// ---- the ruler among the monitors ----

enum class Lay { Horizontal, Vertical };

// A ruler of length 600 and width 60, MoveStep 5, its window placed by the
// screen position of its zero corner.
class MultiMonitor : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppSettings;
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.MoveStep = 5;
    AppSettings.StaffDir = 0;
    AppSettings.JumpCursor = false;
    AppSettings.Transparence = false;
    platform.screen = {1920, 1080};
  }
  void TearDown() override { AppSettings = saved_; }

  void Use(const MonitorList& monitors) { platform.monitors = monitors; }

  void LayRuler(Lay lay, Point zero) {
    if (lay == Lay::Horizontal) {
      form.Angle = form.NewAngle = kHorizontalAngle;
      form.Outline = {Point{660, 660}, Point{660, 600}, Point{1260, 600}, Point{1260, 660}};
    } else {
      form.Angle = form.NewAngle = kVerticalAngle;
      form.Outline = {Point{660, 660}, Point{720, 660}, Point{720, 1260}, Point{660, 1260}};
    }
    window.bounds = {zero.x - 660, zero.y - 660, zero.x - 660 + 1320, zero.y - 660 + 1320};
  }

  Point Zero() const { return form.ZeroCornerOnScreen(); }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};

 private:
  TAppSettings saved_;
};

struct Recovery {
  const char* name;
  const MonitorList* monitors;
  Point zero;
  Point expected;
};

TEST_F(MultiMonitor, HorizontalAndVerticalKeepARulerOnAnyMonitor) {
  // The turned ruler's zero corner, before and after the command.
  const Recovery horizontal[] = {
      {"one monitor: beyond the right edge, re-centred across", &kOne, {2400, 400}, {960, 400}},
      {"on the second monitor", &kSideBySide, {2400, 400}, {2400, 400}},
      {"below the shorter second: its middle row", &kSideBySide, {2500, 900}, {2500, 384}},
      {"on the monitor at negative x", &kLeftOfPrimary, {-600, 500}, {-600, 500}},
      {"left of the negative monitor: its middle column", &kLeftOfPrimary, {-2000, 500}, {-640, 500}},
      {"exactly on the seam: out of view as on a screen edge", &kSideBySide, {1920, 400}, {2432, 400}},
  };
  for (const Recovery& c : horizontal) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Vertical, c.zero);
    form.PMenuLevalClick();
    EXPECT_EQ(form.Angle, kHorizontalAngle);
    EXPECT_EQ(Zero(), c.expected);
  }
  const Recovery vertical[] = {
      {"one monitor: beyond the right edge, re-centred across", &kOne, {2400, 400}, {960, 400}},
      {"on the second monitor", &kSideBySide, {2400, 400}, {2400, 400}},
      {"exactly on the seam stays", &kSideBySide, {1920, 400}, {1920, 400}},
      {"below the shorter second: its middle row", &kSideBySide, {2500, 900}, {2500, 384}},
      {"left of the negative monitor: its middle column", &kLeftOfPrimary, {-2000, 500}, {-640, 500}},
  };
  for (const Recovery& c : vertical) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Horizontal, c.zero);
    form.PMenuPlumbClick();
    EXPECT_EQ(form.Angle, kVerticalAngle);
    EXPECT_EQ(Zero(), c.expected);
  }
}

TEST_F(MultiMonitor, ShowBringsARulerOffEveryMonitorToTheNearestMonitorsCentre) {
  const Recovery cases[] = {
      {"one monitor: to the screen centre", &kOne, {2400, 400}, {960, 540}},
      {"on the second monitor it stays", &kSideBySide, {2400, 400}, {2400, 400}},
      {"right of the second", &kSideBySide, {3500, 400}, {2432, 384}},
      {"in the gap below the second, nearer to it", &kSideBySide, {2100, 1000}, {2432, 384}},
      {"left of the negative monitor", &kLeftOfPrimary, {-2500, 500}, {-640, 512}},
  };
  for (const Recovery& c : cases) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Horizontal, c.zero);
    form.PMenuHideClick();  // hide
    form.PMenuHideClick();  // show
    EXPECT_TRUE(window.visible);
    EXPECT_EQ(Zero(), c.expected);
  }
}

TEST_F(MultiMonitor, ArrowKeysBringARulerBackToTheNearestMonitorsEdge) {
  struct Case {
    const char* name;
    const MonitorList* monitors;
    Point zero;
    int key;
    Point expected;
  };
  const Case cases[] = {
      {"one monitor: leftmost corner to the right edge", &kOne, {3500, 400}, vk::kLeft, {1920, 400}},
      {"right of the second: to its right edge", &kSideBySide, {3500, 400}, vk::kLeft, {2944, 400}},
      {"on the second: one step", &kSideBySide, {2400, 400}, vk::kLeft, {2395, 400}},
      {"below the second: top corners to its bottom edge", &kSideBySide, {2400, 900}, vk::kUp, {2400, 828}},
      {"left of the negative monitor: rightmost corner to its left edge", &kLeftOfPrimary, {-2500, 500},
       vk::kRight, {-1880, 500}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Horizontal, c.zero);
    form.FormKeyDown(c.key, 0);
    EXPECT_EQ(Zero(), c.expected);
  }
}

TEST_F(MultiMonitor, CtrlArrowsStepThePointerAcrossTheSeamButNotOffTheDesktop) {
  struct Case {
    const char* name;
    const MonitorList* monitors;
    Point pointer;
    int key;
    Point expected;
  };
  const Case cases[] = {
      {"one monitor: stops at the left edge", &kOne, {0, 100}, vk::kLeft, {0, 100}},
      {"one monitor: may reach x = SW", &kOne, {1919, 100}, vk::kRight, {1920, 100}},
      {"on the second monitor", &kSideBySide, {2000, 100}, vk::kRight, {2001, 100}},
      {"back across the seam", &kSideBySide, {1920, 100}, vk::kLeft, {1919, 100}},
      {"at the second's right end", &kSideBySide, {2944, 100}, vk::kRight, {2944, 100}},
      {"below the second's bottom", &kSideBySide, {2000, 768}, vk::kDown, {2000, 768}},
      {"into the negative monitor", &kLeftOfPrimary, {0, 100}, vk::kLeft, {-1, 100}},
      {"at its left end", &kLeftOfPrimary, {-1280, 100}, vk::kLeft, {-1280, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    platform.cursor_pos = c.pointer;
    form.FormKeyDown(c.key, kCtrl);
    EXPECT_EQ(platform.cursor_pos, c.expected);
  }
}

TEST_F(MultiMonitor, FitScreenFitsTheMonitorOfTheZeroCorner) {
  struct Case {
    const char* name;
    const MonitorList* monitors;
    Point zero;
    bool horizontal;
    int length;
    Point expected;
  };
  const Case cases[] = {
      {"one monitor, horizontal", &kOne, {300, 400}, true, 1920, {0, 510}},
      {"one monitor, vertical", &kOne, {300, 400}, false, 1080, {930, 0}},
      {"second monitor, horizontal", &kSideBySide, {2400, 400}, true, 1024, {1920, 354}},
      {"second monitor, vertical", &kSideBySide, {2400, 400}, false, 768, {2402, 0}},
      {"negative monitor, horizontal", &kLeftOfPrimary, {-600, 500}, true, 1280, {-1280, 482}},
      {"below the second: its nearest monitor", &kSideBySide, {2500, 900}, true, 1024, {1920, 354}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Horizontal, c.zero);
    if (c.horizontal)
      form.MenuFitScreenClick();
    else
      form.FitScreenAsHorizontal1Click();
    EXPECT_EQ(AppSettings.Length, c.length);
    EXPECT_EQ(window.bounds.Width(), 2 * (c.length + 60));
    EXPECT_EQ(Zero(), c.expected);
  }
}

TEST_F(MultiMonitor, SeeThroughCapturesTheVirtualScreenAndPaintsTheSliceUnderTheRuler) {
  Use(kLeftOfPrimary);
  AppSettings.Transparence = true;
  form.SwitchSeeThroughOn(false);
  EXPECT_EQ(platform.capture_area, (Rect{-1280, 0, 1920, 1080}));
  ASSERT_EQ(form.ScreenShot->width, 3200);

  // Zero corner at (-1000, 500) on the negative monitor: the band's top-left
  // pixel (-1000, 440) is the capture's (280, 440).
  LayRuler(Lay::Horizontal, {-1000, 500});
  testing::RecordingCanvas canvas;
  form.FormPaint(canvas);
  ASSERT_FALSE(canvas.Images().empty());
  EXPECT_EQ(canvas.Images().front().src, (Rect{280, 440, 880, 500}));
}

TEST_F(MultiMonitor, BigCrossSpansTheVirtualScreen) {
  Use(kLeftOfPrimary);
  LayRuler(Lay::Horizontal, {-1000, 500});
  form.ScreenCanvas = platform.OpenScreenCanvas();
  const Rect bounds = window.bounds;
  const Point s{form.LabelStaff.left + bounds.left + 3, form.LabelStaff.top + bounds.top + 4};

  form.DrawStaff(/*staff_size=*/0, /*staff_dir=*/1, 3, 4);
  std::vector<DrawOp> lines = platform.screen_drawing.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].from, (Point{-1280, s.y}));
  EXPECT_EQ(lines[0].to, (Point{1920, s.y}));
  EXPECT_EQ(lines[1].from, (Point{s.x, 0}));
  EXPECT_EQ(lines[1].to, (Point{s.x, 1080}));

  // Along the horizontal ruler: arms of Round(sqrt(3200^2 + 1080^2)) = 3377.
  platform.screen_drawing.ops.clear();
  form.DrawStaff(/*staff_size=*/0, /*staff_dir=*/0, 3, 4);
  lines = platform.screen_drawing.Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].from, (Point{s.x + 3377, s.y}));
  EXPECT_EQ(lines[1].to, (Point{s.x - 3377, s.y}));
}

TEST_F(MultiMonitor, CentimetreAndInchScalesTakeTheDensityOfTheZeroCornersMonitor) {
  Use(kMixedDensity);
  form.Unit = kUnitInches;
  struct Case {
    Point zero;
    double one_hundred_forty_four_pixels;  // inches read out for 144 pixels
    int ppi;
  };
  const Case cases[] = {{{400, 400}, 1.5, 96}, {{2400, 400}, 1.0, 144}, {{1900, 400}, 1.5, 96}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    LayRuler(Lay::Horizontal, c.zero);
    EXPECT_DOUBLE_EQ(form.GetDistance(660 + 144, 630, 660, 660, 660, 600), c.one_hundred_forty_four_pixels);
    testing::RecordingCanvas canvas;
    form.FormPaint(canvas);
    EXPECT_EQ(form.PaintedPixelsPerInch, c.ppi);
  }

  // The pixel scale never changes: only the other units repaint on a move
  // onto a monitor of another density.
  for (int unit : {kUnitPixels, kUnitCentimetres}) {
    SCOPED_TRACE(unit);
    form.Unit = unit;
    LayRuler(Lay::Horizontal, {400, 400});
    testing::RecordingCanvas canvas;
    form.FormPaint(canvas);
    const int before = window.invalidations;
    LayRuler(Lay::Horizontal, {2400, 400});
    form.WindowMoved();
    EXPECT_EQ(window.invalidations - before, unit == kUnitPixels ? 0 : 1);
    form.DpiChanged();
    EXPECT_EQ(window.invalidations - before, unit == kUnitPixels ? 0 : 2);
  }
}

TEST_F(MultiMonitor, TrueSizeFollowsTheRulerToAMonitorOfAnotherSize) {
  // Both monitors at 96 pixels per inch; the primary 5 pixels per millimetre,
  // the second 2.5.
  MonitorList monitors = kMixedDensity;
  monitors[1].pixels_per_inch = 96;
  monitors[0].physical_mm = Size{384, 216};
  monitors[1].physical_mm = Size{1152, 648};
  Use(monitors);
  form.Unit = kUnitCentimetres;
  for (const bool true_size : {true, false}) {
    SCOPED_TRACE(true_size);
    form.TrueSize = true_size;
    LayRuler(Lay::Horizontal, {400, 400});
    EXPECT_DOUBLE_EQ(form.GetDistance(660 + 100, 630, 660, 660, 660, 600), true_size ? 2.0 : 100 * 2.54 / 96);
    testing::RecordingCanvas canvas;
    form.FormPaint(canvas);
    const int before = window.invalidations;
    LayRuler(Lay::Horizontal, {2400, 400});
    form.WindowMoved();
    EXPECT_EQ(window.invalidations - before, true_size ? 1 : 0) << "repainted only when the density changed";
    EXPECT_DOUBLE_EQ(form.GetDistance(660 + 100, 630, 660, 660, 660, 600), true_size ? 4.0 : 100 * 2.54 / 96);
  }
}

TEST_F(MultiMonitor, ReadOutWindowTakesTheMarkersMonitorDensityAndStaysOnIt) {
  FakeWindow info_window;
  TInfoForm info{platform, info_window};
  info_window.bounds = {0, 0, 100, 100};
  info.FormCreate();
  form.SetInfoForm(&info);
  form.LabelStaff.width = 10;
  form.LabelStaff.height = 21;
  struct Case {
    const char* name;
    const MonitorList* monitors;
    Point zero;
    Rect expected;
  };
  // The marker sits at client (673, 623) for the zero corner at (660, 660);
  // the press is at (2, 2) of the marker.
  const Case cases[] = {
      {"one monitor, at the left edge: hangs off as on one screen", &kOne, {-10, 400}, {-8, 347, 22, 387}},
      {"144 ppi monitor: 45 x 60", &kMixedDensity, {2400, 400}, {2395, 337, 2440, 397}},
      {"just right of the seam: moved onto the marker's monitor", &kMixedDensity, {1920, 400},
       {1920, 337, 1965, 397}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Use(*c.monitors);
    LayRuler(Lay::Horizontal, c.zero);
    form.ResetStaffMarker();
    form.LabelStaffMouseDown(MouseButton::Left, kLeftButton, 2, 2);
    EXPECT_EQ(info_window.bounds, c.expected);
    form.LabelStaffMouseUp(MouseButton::Left, 0, 2, 2);
  }
  EXPECT_EQ(info.LabelNumber.font.height, -17);
}

}  // namespace
}  // namespace mensor
