// See-through mode through the fake platform: the capture sequence and its
// order, the tint as the ruler shows it, the reactions to moves and
// activations, and the release of the capture when the mode ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

// A window that writes its shows, hides, focus requests and repaints into the
// platform's event log, so one list holds the whole sequence of a capture.
class LoggingWindow : public FakeWindow {
 public:
  explicit LoggingWindow(std::vector<std::string>& events) : events_(events) {}
  void Show() override {
    FakeWindow::Show();
    events_.push_back("show");
  }
  void Hide() override {
    FakeWindow::Hide();
    events_.push_back("hide");
  }
  void Focus() override {
    FakeWindow::Focus();
    events_.push_back("focus");
  }
  void Repaint() override {
    events_.push_back("repaint");
    FakeWindow::Repaint();
  }

 private:
  std::vector<std::string>& events_;
};

struct Bgr {
  int b, g, r;
  friend bool operator==(const Bgr&, const Bgr&) = default;
};

constexpr std::uint8_t kPaddingMark = 0xA5;
const std::vector<std::string> kCaptureOutOfTheWay = {"hide", "release-activation", "sleep 100", "capture", "show"};

class SeeThrough : public ::testing::Test {
 protected:
  SeeThrough() : saved_(AppSettings), window(platform.events), form(platform, window) {
    AppSettings.Transparence = false;
    AppSettings.TransValue = 60;
    AppSettings.BackgroundColor = 0xFF9B37;
    // An odd width, so each row of the capture carries one padding byte.
    platform.screen = {5, 3};
    platform.fill_capture = [this](Image& image) {
      platform.events.push_back("capture");
      for (int y = 0; y < image.height; ++y) {
        std::uint8_t* row = image.Row(y);
        for (int x = 0; x < image.width; ++x) {
          row[3 * x] = static_cast<std::uint8_t>(screen_pixel.b);
          row[3 * x + 1] = static_cast<std::uint8_t>(screen_pixel.g);
          row[3 * x + 2] = static_cast<std::uint8_t>(screen_pixel.r);
        }
        std::fill(row + 3 * image.width, row + image.Stride(), kPaddingMark);
      }
    };
    // The paint handler, and the flag its see-through step sets after drawing
    // the slice of the capture.
    window.on_paint = [this](Canvas& canvas) {
      form.FormPaint(canvas);
      if (form.ScreenShot) form.RecaptureAllowed = true;
    };
    // The ruler as it is after start-up: shown, enabled.
    form.NotYetShown = false;
    window.visible = true;
  }
  ~SeeThrough() override { AppSettings = saved_; }

  // Every pixel of the capture the same (the padding checked apart).
  void ExpectCaptureEverywhere(Bgr want) {
    ASSERT_NE(form.ScreenShot, nullptr);
    const Image& image = *form.ScreenShot;
    ASSERT_EQ(image.width, platform.screen.cx);
    ASSERT_EQ(image.height, platform.screen.cy);
    for (int y = 0; y < image.height; ++y) {
      const std::uint8_t* row = image.Row(y);
      for (int x = 0; x < image.width; ++x)
        EXPECT_EQ((Bgr{row[3 * x], row[3 * x + 1], row[3 * x + 2]}), want) << "pixel (" << x << ", " << y << ")";
      EXPECT_EQ(row[3 * image.width], kPaddingMark) << "padding of row " << y;
    }
  }

  std::vector<std::string> Events() const { return platform.events; }

  TAppSettings saved_;
  Bgr screen_pixel{255, 255, 255};
  FakePlatform platform;
  LoggingWindow window;
  TMainForm form;
};

TEST_F(SeeThrough, MenuSwitchesOnCapturesOutOfTheWayThenFocuses) {
  form.PMenuTranserClick();

  EXPECT_TRUE(form.SeeThrough());
  EXPECT_TRUE(AppSettings.Transparence);
  EXPECT_TRUE(form.HookInstalled);
  EXPECT_EQ(form.Transparency, 60);
  EXPECT_EQ(form.TranspColor, 0xFF9B37u);
  EXPECT_FALSE(form.RecaptureAllowed) << "cleared by the capture until the next paint";
  EXPECT_EQ(platform.captures, 1);
  std::vector<std::string> want = kCaptureOutOfTheWay;
  want.push_back("focus");
  EXPECT_EQ(Events(), want);
  // 60 % of white under 0xFF9B37.
  ExpectCaptureEverywhere({255, 215, 175});
}

TEST_F(SeeThrough, TintFollowsPercentAndColourOfTheSettings) {
  struct Case {
    int trans_value;
    Color background;
    Bgr screen;
    Bgr want;
  };
  const Case cases[] = {
      {60, 0xFF9B37, {255, 255, 255}, {255, 215, 175}},
      {100, 0xFF9B37, {10, 20, 30}, {10, 20, 30}},      // only the screen
      {0, 0xFF9B37, {10, 20, 30}, {0xFF, 0x9B, 0x37}},  // only the colour
      {256 + 60, 0xFF9B37, {255, 255, 255}, {255, 215, 175}},  // the low byte counts
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("TransValue " + std::to_string(c.trans_value));
    form.SwitchSeeThroughOff();
    AppSettings.TransValue = c.trans_value;
    AppSettings.BackgroundColor = c.background;
    screen_pixel = c.screen;
    form.PMenuTranserClick();
    ExpectCaptureEverywhere(c.want);
  }
}

TEST_F(SeeThrough, StartUpCaptureDoesNotHideOrShowButStillWaits) {
  form.NotYetShown = true;
  AppSettings.Transparence = true;
  form.SwitchSeeThroughOn(false);

  const std::vector<std::string> want = {"release-activation", "sleep 100", "capture"};
  EXPECT_EQ(Events(), want) << "no hide, no show and no focus before the first show";
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(form.HookInstalled);
  ExpectCaptureEverywhere({255, 215, 175});
}

TEST_F(SeeThrough, StartUpWithTheModeSavedAsOnCapturesWithoutShowingTheWindow) {
  AppSettings.Transparence = true;
  form.NotYetShown = true;
  window.visible = false;
  form.FormCreate();

  EXPECT_TRUE(form.SeeThrough());
  EXPECT_TRUE(form.HookInstalled);
  EXPECT_EQ(platform.captures, 1);
  // Start-up does much else; only the steps of a capture are looked at.
  const std::vector<std::string> capture_steps = {"hide", "show", "focus", "release-activation", "sleep 100", "capture"};
  std::vector<std::string> seen;
  for (const std::string& e : Events())
    if (std::find(capture_steps.begin(), capture_steps.end(), e) != capture_steps.end()) seen.push_back(e);
  EXPECT_EQ(seen, (std::vector<std::string>{"release-activation", "sleep 100", "capture"}));
  EXPECT_FALSE(window.visible) << "the capture does not show the window before its first show";
}

TEST_F(SeeThrough, ActivationRecapturesOnlyAfterAPaint) {
  form.PMenuTranserClick();
  platform.events.clear();

  form.WindowActivated(true);
  EXPECT_EQ(platform.captures, 1) << "the activation of the capture's own re-show is ignored";

  form.WindowMoved();  // paints, which allows the next capture
  ASSERT_TRUE(form.RecaptureAllowed);
  form.WindowActivated(false);
  EXPECT_EQ(platform.captures, 1) << "a deactivation takes no capture";

  platform.events.clear();
  form.WindowActivated(true);
  EXPECT_EQ(platform.captures, 2);
  std::vector<std::string> want = kCaptureOutOfTheWay;
  want.push_back("focus");
  EXPECT_EQ(Events(), want);
  EXPECT_FALSE(form.RecaptureAllowed);
}

// A press on the inactive ruler activates it before the press arrives: the
// capture waits for the end of the click (hidden at the press, the window
// would miss the release and a right click would open no menu).
TEST_F(SeeThrough, ActivationByAClickCapturesWhenTheClickIsOver) {
  const std::vector<std::string> capture_and_focus = {"hide", "release-activation", "sleep 100", "capture", "show",
                                                      "focus"};
  std::vector<std::string> menu_then_capture = {"menu"};
  menu_then_capture.insert(menu_then_capture.end(), capture_and_focus.begin(), capture_and_focus.end());
  // A left or middle release ends its gesture with a paint, then captures.
  std::vector<std::string> paint_then_capture = {"repaint"};
  paint_then_capture.insert(paint_then_capture.end(), capture_and_focus.begin(), capture_and_focus.end());
  struct Case {
    const char* name;
    bool by_click;
    MouseButton button;  // the button clicked after the activation
    int menu_choice;     // of the right click's menu; 0 closes it
    std::vector<std::string> at_activation, at_release, after_menu;
  };
  const Case cases[] = {
      {"left click", true, MouseButton::Left, 0, {}, paint_then_capture, {"menu"}},
      {"middle click", true, MouseButton::Middle, 0, {}, paint_then_capture, {"menu"}},
      {"right click, menu closed", true, MouseButton::Right, 0, {}, {}, menu_then_capture},
      {"right click, see-through switched off", true, MouseButton::Right, kCmdTranser, {}, {}, {"menu", "repaint"}},
      {"activation by the keyboard", false, MouseButton::Right, 0, capture_and_focus, {}, {"menu"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (!form.ScreenShot) form.PMenuTranserClick();
    form.WindowMoved();  // a paint since the last capture
    platform.menu_choices.clear();
    if (c.menu_choice != 0) platform.menu_choices.push_back(c.menu_choice);

    platform.events.clear();
    form.WindowActivated(true, c.by_click);
    EXPECT_EQ(Events(), c.at_activation) << "at the activation";

    platform.events.clear();
    form.MouseDown(c.button, 0, 300, 20);
    form.MouseUp(c.button, 0, 300, 20);
    EXPECT_EQ(Events(), c.at_release) << "at the release";

    platform.events.clear();
    form.ContextMenu({300, 20});
    EXPECT_EQ(Events(), c.after_menu) << "at the menu and after it";
  }
}

TEST_F(SeeThrough, ClickActivationBeforeAnyPaintSinceTheLastCaptureTakesNone) {
  form.PMenuTranserClick();
  platform.events.clear();
  form.WindowActivated(true, true);  // the re-show of the capture itself
  form.MouseDown(MouseButton::Left, 0, 300, 20);
  form.MouseUp(MouseButton::Left, 0, 300, 20);
  form.ContextMenu({300, 20});
  EXPECT_EQ(platform.captures, 1);
}

TEST_F(SeeThrough, ActivationFocusesOnlyAnEnabledWindow) {
  form.PMenuTranserClick();
  window.enabled = false;
  window.Repaint();
  platform.events.clear();
  form.WindowActivated(true);
  EXPECT_EQ(Events(), kCaptureOutOfTheWay);
}

TEST_F(SeeThrough, MoveRepaintsFromTheStoredCapture) {
  form.PMenuTranserClick();
  const Image* capture = form.ScreenShot.get();
  platform.events.clear();
  const int repaints = window.repaints;

  form.WindowMoved();
  EXPECT_EQ(window.repaints, repaints + 1);
  EXPECT_EQ(platform.captures, 1);
  EXPECT_EQ(Events(), (std::vector<std::string>{"repaint"}));
  EXPECT_EQ(form.ScreenShot.get(), capture);
}

TEST_F(SeeThrough, SwitchingOffReleasesTheCaptureAndNothingTouchesItAfterwards) {
  form.PMenuTranserClick();
  platform.events.clear();

  form.PMenuTranserClick();
  EXPECT_FALSE(form.SeeThrough());
  EXPECT_FALSE(AppSettings.Transparence);
  EXPECT_FALSE(form.HookInstalled);
  EXPECT_EQ(form.ScreenShot, nullptr);
  EXPECT_EQ(Events(), (std::vector<std::string>{"repaint"})) << "one paint, in the plain colour";
  EXPECT_TRUE(window.last_paint.Images().empty());

  const int repaints = window.repaints;
  form.WindowMoved();
  window.Repaint();
  form.RecaptureAllowed = true;
  form.WindowActivated(true);
  form.TakeScreenShoot();
  form.SetTranspColor(0x123456);
  form.SetTransparency(10);
  EXPECT_EQ(platform.captures, 1);
  EXPECT_EQ(window.repaints, repaints + 1) << "only the paint asked for here";
  EXPECT_TRUE(window.last_paint.Images().empty());
  EXPECT_EQ(form.ScreenShot, nullptr);
  EXPECT_EQ(form.TranspColor, 0x123456u) << "stored for the next capture";
  EXPECT_EQ(form.Transparency, 10);
}

TEST_F(SeeThrough, SwitchingOffAndOnMakesANewCaptureAndHook) {
  form.PMenuTranserClick();
  form.PMenuTranserClick();
  AppSettings.BackgroundColor = 0x000000;
  AppSettings.TransValue = 50;
  form.PMenuTranserClick();

  EXPECT_TRUE(form.HookInstalled);
  EXPECT_EQ(platform.captures, 2);
  ExpectCaptureEverywhere({127, 127, 127});

  form.WindowMoved();
  form.WindowActivated(true);
  EXPECT_EQ(platform.captures, 3) << "the hook reacts again";
}

TEST_F(SeeThrough, ClosingReleasesTheCaptureAndTheHook) {
  form.PMenuTranserClick();
  form.FormClose();
  EXPECT_EQ(form.ScreenShot, nullptr);
  EXPECT_FALSE(form.HookInstalled);
  const int repaints = window.repaints;
  form.WindowMoved();
  form.WindowActivated(true);
  EXPECT_EQ(window.repaints, repaints);
  EXPECT_EQ(platform.captures, 1);
}

TEST_F(SeeThrough, NewColourOrPercentCapturesAgainAndRepaints) {
  form.PMenuTranserClick();
  platform.events.clear();

  form.SetTranspColor(0xFF9B37);
  form.SetTransparency(60);
  EXPECT_TRUE(Events().empty()) << "equal values change nothing";

  form.SetTransparency(0);
  std::vector<std::string> want = kCaptureOutOfTheWay;
  want.push_back("repaint");
  EXPECT_EQ(Events(), want);
  ExpectCaptureEverywhere({0xFF, 0x9B, 0x37});

  platform.events.clear();
  form.SetTranspColor(0x0000FF);
  EXPECT_EQ(Events(), want);
  ExpectCaptureEverywhere({0, 0, 255});
  EXPECT_EQ(platform.captures, 3);
}

TEST_F(SeeThrough, HiddenRulerStaysHiddenThroughACapture) {
  // The tray icon's menu can switch the mode on while the ruler is hidden.
  window.visible = false;
  form.PMenuTranserClick();
  EXPECT_EQ(Events(), (std::vector<std::string>{"release-activation", "sleep 100", "capture"}));
  EXPECT_FALSE(window.visible);
}

}  // namespace
}  // namespace mensor
