// The tool bar on two monitors through the fake platform: placement at
// start-up clamps into the monitor of the saved place (the primary one when
// that monitor is gone), a drag follows and snaps on the second monitor, and
// the magnifier's copy stays on the monitor under the pointer.
#include <string>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"
#include "fake_tool_bar.h"
#include "lang/language.h"
#include "settings/app_settings.h"
#include "toolbar/tool_bar_form.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeToolBarControls;
using testing::FakeWindow;

// The end-to-end layout: the primary 1024 x 768, an 800 x 600 monitor right
// of it.
constexpr Rect kPrimary{0, 0, 1024, 768};
constexpr Rect kSecond{1024, 0, 1824, 600};

class ToolBarMonitors : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    LanguageIndex = -1;
    platform.screen = {1024, 768};
    platform.monitors = {{kPrimary, kPrimary, 96, true}, {kSecond, kSecond, 96, false}};
    bar.SetMainForm(&ruler);
    ruler.SetToolBar(&bar);
  }

  void Start(const std::string& ini) {
    platform.files["/mensor/app.ini"] = ini;
    ruler.FormCreate();
    bar.FormCreate();
    ruler_window.Show();
    ruler.FormShow();
  }

  Point Place() const { return {window.bounds.left, window.bounds.top}; }

  FakePlatform platform;
  FakeWindow ruler_window;
  TMainForm ruler{platform, ruler_window};
  FakeWindow window;
  FakeToolBarControls controls;
  TFormToolBar bar{platform, window, controls};
};

TEST_F(ToolBarMonitors, StartUpClampsIntoTheMonitorOfTheSavedPlace) {
  struct Case {
    const char* what;
    Point saved;
    Point placed;
  };
  const Case cases[] = {
      {"on the second monitor: stays", {1500, 300}, {1500, 300}},
      {"near the second's right and bottom edges: flush with them", {1790, 580}, {1700, 565}},
      {"on a monitor that is gone: into the primary", {3000, 300}, {900, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Start("[ToolBar]\nShow=1\nMagnifier=0\nX=" + std::to_string(c.saved.x) + "\nY=" + std::to_string(c.saved.y) +
          "\n");
    EXPECT_EQ(Place(), c.placed);
    EXPECT_EQ((Point{AppSettings.ToolBarX, AppSettings.ToolBarY}), c.placed) << "stored back";
  }
}

TEST_F(ToolBarMonitors, DragOnTheSecondMonitorFollowsAndSnapsToItsEdges) {
  Start("[ToolBar]\nShow=1\nMagnifier=0\nX=1500\nY=300\n");
  struct Case {
    const char* what;
    Point motion;
    Point placed;
  };
  const Case cases[] = {
      {"free", {-30, 40}, {1470, 340}},
      {"its right edge", {295, 0}, {1700, 300}},
      {"its bottom edge", {0, 260}, {1500, 565}},
      {"its left edge, the seam", {-470, 0}, {1024, 300}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    window.bounds = {1500, 300, 1624, 335};
    const Point press{110, 10};
    platform.cursor_pos = {1500 + press.x + c.motion.x, 300 + press.y + c.motion.y};
    bar.MouseDown(MouseButton::Left, kLeftButton, press.x, press.y);
    bar.MouseMove(kLeftButton, press.x + c.motion.x, press.y + c.motion.y);
    bar.MouseUp(MouseButton::Left, 0, press.x + c.motion.x, press.y + c.motion.y);
    EXPECT_EQ(Place(), c.placed);
  }
}

TEST_F(ToolBarMonitors, MagnifierCopyStaysOnTheMonitorUnderThePointer) {
  Start("[ToolBar]\nShow=1\nMagnifier=1\nShowCursor=1\n");
  struct Case {
    Point pointer;
    Rect source;
    Point spot;
  };
  const Case cases[] = {
      {{1823, 300}, {1764, 271, 1824, 329}, {59, 29}},  // the second's right edge
      {{1030, 599}, {1024, 542, 1084, 600}, {6, 57}},   // its bottom left, beside the primary
      {{1000, 700}, {964, 671, 1024, 729}, {36, 29}},   // the primary, below the second
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pointer.x);
    platform.cursor_pos = c.pointer;
    bar.TimerMagnifierTimer();
    ASSERT_FALSE(controls.frames.empty());
    EXPECT_EQ(controls.frames.back().source, c.source);
    EXPECT_EQ(controls.frames.back().spot, c.spot);
  }
}

}  // namespace
}  // namespace mensor
