// Start-up, show, close, the popup menu, Hide/Show, the hot key and the
// notification icon of the ruler window, through the fake platform.
#include "app/main_form.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "menu_text.h"
#include "settings/app_settings.h"
#include "readout/info_form.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;
using testing::MenuText;

constexpr const char* kIni = "/mensor/app.ini";

class MainFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    InfoCaption = "Information";
    platform.screen = {1024, 768};
    window.on_close = [this] {
      form.FormClose();
      window.visible = false;
    };
  }

  void Start(const std::string& ini = "") {
    if (!ini.empty()) platform.files[kIni] = ini;
    form.FormCreate();
    window.Show();
    form.FormShow();
  }

  // The menu as a right click opens it (nothing chosen).
  std::string OpenedMenu() {
    form.ContextMenu({0, 0});
    return MenuText(platform.shown_menus.back());
  }

  FakePlatform platform;
  FakeWindow window;
  TMainForm form{platform, window};
};

TEST_F(MainFormTest, MenuOpensWithTheDefaultCheckMarksAndF1OnHelp) {
  Start();
  EXPECT_EQ(OpenedMenu(),
            "    &About...\n"
            "    &Help  F1\n"
            "----\n"
            "    H&ide\n"
            "    Always On &Top\n"
            "[x] Tra&nsparent\n"
            "    &Units >\n"
            "  (o) &Pixels\n"
            "      &CM\n"
            "      &Inches\n"
            "      Scal&ed Pixels\n"
            "  ----\n"
            "      Cu&stom\n"
            "  ----\n"
            "      &True Size\n"
            "      C&alibrate...\n"
            "----\n"
            "    &Rotate\n"
            "    Hori&zontal\n"
            "    &Vertical\n"
            "    &Fit Screen As Horizontal\n"
            "    Fit &Screen As Vertical\n"
            "----\n"
            "    Snap to &Edges\n"
            "    Measure &Gap  G\n"
            "----\n"
            "    Show Scale &Line\n"
            "[x] Show T&oolBar\n"
            "----\n"
            "    Copy &Measurement  Ctrl+C\n"
            "    &Calculator\n"
            "----\n"
            "    &Preferences...\n"
            "    &Language >\n"
            "  (o) &English (Default)\n"
            "  ----\n"
            "----\n"
            "    E&xit\n");
  const Menu& menu = platform.shown_menus.back();
  EXPECT_EQ(menu.band_caption, "Mensor 2.0");
  EXPECT_EQ(menu.band_color, 0xFF9B37u);
}

TEST_F(MainFormTest, WithoutSettingsFileAHorizontalRulerIsCentred) {
  Start();
  // Window 2 x (600 + 60) square; zero corner at ((1024-600) div 2, (768-60) div 2).
  EXPECT_EQ(window.bounds, (Rect{212 - 660, 354 - 660, 212 - 660 + 1320, 354 - 660 + 1320}));
  EXPECT_EQ(window.region, (std::vector<Point>{{660, 660}, {660, 600}, {1260, 600}, {1260, 660}}));
  EXPECT_EQ(form.Angle, kHorizontalAngle);
  EXPECT_EQ(form.NewAngle, kHorizontalAngle);
  EXPECT_EQ(window.background, 0xFF9B37u);
  EXPECT_TRUE(form.SeeThrough()) << "see-through is on by default";
  EXPECT_EQ(form.Unit, kUnitPixels);
  EXPECT_TRUE(form.ToolBarShown());
  EXPECT_FALSE(form.OnTop());
  EXPECT_FALSE(window.topmost);
  EXPECT_FALSE(form.NotYetShown);
  EXPECT_EQ(platform.ruler_cursor_from, (Point{16, 0}));
  EXPECT_EQ(platform.ruler_cursor_to, (Point{16, 32}));
  EXPECT_TRUE(platform.rotate_cursor_loaded);
  ASSERT_EQ(platform.notify_icons.count(kNotifyIconId), 1u);
  EXPECT_EQ(platform.notify_icons[kNotifyIconId].first, 1124u);
  EXPECT_EQ(platform.notify_icons[kNotifyIconId].second, "Mensor");
  EXPECT_TRUE(platform.hotkey_calls.empty()) << "HotKey 0 registers nothing";
  EXPECT_NE(form.ScreenCanvas, nullptr);
  EXPECT_EQ(AppSettings.NextRulerWidth, 60);
}

TEST_F(MainFormTest, ReadOutLabelAndMarkerStartAtTheirPlaces) {
  Start("[Current]\r\nTransparence=0\r\n");
  EXPECT_EQ(form.LabelNumber.caption, "  ");
  const Size extent = platform.TextExtent(form.LabelNumber.font, "  ");
  EXPECT_EQ(form.LabelNumber.left, 660 + 30 - extent.cx / 2 + 2);
  EXPECT_EQ(form.LabelNumber.top, 660 - extent.cy / 2 + 50);
  // 14-point marker: s = 7, left = x0 + 20 - 7, top = y0 - 30 - 7.
  EXPECT_EQ(form.LabelStaff.left, 673);
  EXPECT_EQ(form.LabelStaff.top, 623);
}

TEST_F(MainFormTest, StartUpCorrectsLengthAndWidthThatCannotWork) {
  struct Case {
    const char* ini;
    int length;
    int width;
  } cases[] = {
      {"[Current]\r\nLength=1500\r\n", 600, 60},   // wider than the 1024 screen
      {"[Current]\r\nLength=1024\r\n", 1024, 60},  // exactly as wide fits
      {"[System]\r\nRulerWidth=0\r\n", 600, 60},
      {"[System]\r\nRulerWidth=-40\r\n", 600, 60},
      {"[System]\r\nRulerWidth=100000\r\n", 600, 60},
      {"[System]\r\nRulerWidth=99\r\n", 600, 99},
      // Wider than the preferences offer, but it works: kept.
      {"[System]\r\nRulerWidth=150\r\n", 600, 150},
      {"[System]\r\nRulerWidth=1\r\n", 600, 1},
      // The window, 2 x (L + W) square, stays within 32767 pixels.
      {"[System]\r\nRulerWidth=15783\r\n", 600, 15783},
      {"[System]\r\nRulerWidth=15784\r\n", 600, 60},
  };
  for (const Case& c : cases) {
    AppSettings = TAppSettings{};
    FakePlatform p;
    p.screen = {1024, 768};
    p.files[kIni] = c.ini;
    FakeWindow w;
    TMainForm f(p, w);
    f.FormCreate();
    EXPECT_EQ(AppSettings.Length, c.length) << c.ini;
    EXPECT_EQ(AppSettings.RulerWidth, c.width) << c.ini;
    EXPECT_EQ(AppSettings.NextRulerWidth, c.width) << c.ini;
    EXPECT_EQ(w.bounds.Width(), 2 * (c.length + c.width)) << c.ini;
    testing::RecordingCanvas canvas;
    f.FormPaint(canvas);  // a kept width paints as any other
    EXPECT_FALSE(canvas.ops.empty()) << c.ini;
  }
}

TEST_F(MainFormTest, UnitOutsideTheMenuChecksNoUnitItem) {
  Start("[Current]\r\nUnit=7\r\n");
  EXPECT_EQ(form.Unit, 7);
  const std::string menu = OpenedMenu();
  EXPECT_NE(menu.find("    &Units >\n"
                      "      &Pixels\n"
                      "      &CM\n"
                      "      &Inches\n"
                      "      Scal&ed Pixels\n"
                      "  ----\n"
                      "      Cu&stom\n"
                      "  ----\n"
                      "      &True Size\n"
                      "      C&alibrate...\n"),
            std::string::npos)
      << menu;
}

TEST_F(MainFormTest, SavedCheckMarksAndShortcutsReachTheMenu) {
  Start(
      "[System]\r\nWindowOnTop=1\r\nHotKey=24641\r\n[Current]\r\nTransparence=0\r\nShowScaleLine=1\r\nUnit=2\r\n"
      "[HotKey]\r\nAlwaysTop=16468\r\nTranser=4174\r\nCircum=32850\r\nLeval=16456\r\nPlumb=16470\r\n"
      "ShowScaleLine=16460\r\nShowToolBar=24642\r\nCalculator=8259\r\n[ToolBar]\r\nShow=0\r\n");
  EXPECT_TRUE(window.topmost);
  EXPECT_EQ(OpenedMenu(),
            "    &About...\n"
            "    &Help  F1\n"
            "----\n"
            "    H&ide  Ctrl+Shift+A\n"
            "[x] Always On &Top  Ctrl+T\n"
            "    Tra&nsparent  Win+N\n"
            "    &Units >\n"
            "      &Pixels\n"
            "      &CM\n"
            "  (o) &Inches\n"
            "      Scal&ed Pixels\n"
            "  ----\n"
            "      Cu&stom\n"
            "  ----\n"
            "      &True Size\n"
            "      C&alibrate...\n"
            "----\n"
            "    &Rotate  Alt+R\n"
            "    Hori&zontal  Ctrl+H\n"
            "    &Vertical  Ctrl+V\n"
            "    &Fit Screen As Horizontal\n"
            "    Fit &Screen As Vertical\n"
            "----\n"
            "    Snap to &Edges\n"
            "    Measure &Gap  G\n"
            "----\n"
            "[x] Show Scale &Line  Ctrl+L\n"
            "    Show T&oolBar  Ctrl+Shift+B\n"
            "----\n"
            "    Copy &Measurement  Ctrl+C\n"
            "    &Calculator  Shift+C\n"
            "----\n"
            "    &Preferences...\n"
            "    &Language >\n"
            "  (o) &English (Default)\n"
            "  ----\n"
            "----\n"
            "    E&xit\n");
}

TEST_F(MainFormTest, HotKeyIsRegisteredWithItsModifiersAndShownOnTheHideItem) {
  Start("[System]\r\nHotKey=24641\r\n");  // 0x6041 Ctrl+Shift+A
  ASSERT_EQ(platform.hotkey_calls.size(), 1u);
  EXPECT_EQ(platform.hotkey_calls[0].id, 0);
  EXPECT_EQ(platform.hotkey_calls[0].modifiers, 6u);
  EXPECT_EQ(platform.hotkey_calls[0].key, 0x41u);
  EXPECT_NE(OpenedMenu().find("    H&ide  Ctrl+Shift+A\n"), std::string::npos);
  EXPECT_TRUE(platform.infos.empty());
}

TEST_F(MainFormTest, HotKeyHeldElsewhereGivesOneBoxAndIsSavedAsZero) {
  platform.hotkey_succeeds = false;
  Start("[System]\r\nHotKey=24641\r\n");
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Fail to register hot key"});
  EXPECT_EQ(platform.info_captions, std::vector<std::string>{"Information"});
  EXPECT_EQ(AppSettings.HotKey, 0);
  EXPECT_NE(OpenedMenu().find("----\n    H&ide\n"), std::string::npos) << "no shortcut shown";
  form.PMenuExitClick();
  EXPECT_NE(platform.files[kIni].find("HotKey=0\r\n"), std::string::npos);
}

TEST_F(MainFormTest, ExitFromTheMenuSavesReleasesAndRemovesTheIcon) {
  Start("[Current]\r\nLength=1510\r\nMoveStep=5\r\n[Mine]\r\nKeep=me\r\n");
  platform.menu_choices.push_back(kCmdExit);
  form.ContextMenu({300, 400});
  EXPECT_EQ(platform.menu_points, (std::vector<Point>{{300, 400}}));
  EXPECT_TRUE(form.Closed());
  EXPECT_EQ(platform.notify_icons.count(kNotifyIconId), 0u);
  EXPECT_EQ(form.ScreenCanvas, nullptr);
  EXPECT_EQ(form.ScreenShot, nullptr);
  const std::string& saved = platform.files[kIni];
  EXPECT_NE(saved.find("[Mine]\r\nKeep=me\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("Length=600\r\n"), std::string::npos) << "1510 does not fit 1024";
  EXPECT_NE(saved.find("[System]\r\nWindowOnTop=0\r\nMoveStep=1\r\n"), std::string::npos)
      << "MoveStep 5 stood under [Current], so System's MoveStep takes its default";
}

TEST_F(MainFormTest, RefusedSaveTellsTheUserTheFullPath) {
  Start();
  platform.refuse_writes = true;
  EXPECT_FALSE(form.FormClose());
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Unable to write to /mensor/app.ini"});
  EXPECT_EQ(platform.files.count(kIni), 0u);
}

TEST_F(MainFormTest, UnitItemsCheckOnlyThemselvesAndRepaint) {
  Start();
  const int repaints = window.repaints;
  form.ExecuteCommand(kCmdInch);
  EXPECT_EQ(form.Unit, kUnitInches);
  EXPECT_EQ(window.repaints, repaints + 1);
  EXPECT_NE(OpenedMenu().find("      &Pixels\n"
                              "      &CM\n"
                              "  (o) &Inches\n"
                              "      Scal&ed Pixels\n"
                              "  ----\n"
                              "      Cu&stom\n"
                              "  ----\n"
                              "      &True Size\n"
                              "      C&alibrate...\n"),
            std::string::npos);
}

// The Units radio group: Scaled Pixels is the pixel unit with its own mark;
// any other unit clears it again.
TEST_F(MainFormTest, ScaledPixelsIsARadioItemOfItsOwn) {
  struct Case {
    std::vector<int> commands;
    int unit;
    bool scaled;
    const char* units;  // the radio items as the menu shows them
  };
  const Case cases[] = {
      {{kCmdScaledPixels}, kUnitPixels, true, "      &Pixels\n      &CM\n      &Inches\n  (o) Scal&ed Pixels\n"},
      {{kCmdScaledPixels, kCmdPixels}, kUnitPixels, false,
       "  (o) &Pixels\n      &CM\n      &Inches\n      Scal&ed Pixels\n"},
      {{kCmdScaledPixels, kCmdCM}, kUnitCentimetres, false,
       "      &Pixels\n  (o) &CM\n      &Inches\n      Scal&ed Pixels\n"},
      {{kCmdInch, kCmdScaledPixels}, kUnitPixels, true, "      &Pixels\n      &CM\n      &Inches\n  (o) Scal&ed Pixels\n"},
  };
  Start();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.units);
    for (int command : c.commands) form.ExecuteCommand(command);
    EXPECT_EQ(form.Unit, c.unit);
    EXPECT_EQ(form.ScaledPixels, c.scaled);
    EXPECT_NE(OpenedMenu().find(c.units), std::string::npos);
  }
}

TEST_F(MainFormTest, BadCalibrationsAreIgnoredAndKeptInTheFileAsTheyStand) {
  platform.identity = "FAK-0001-00000001";
  const std::string section =
      "[Calibration]\r\nFAK-0001-00000001=0\r\nfak-0001-00000001=-5000\r\nNOT-CONNECTED=5000\r\n"
      "A=499\r\nB=50001\r\nC=abc\r\n";
  Start("[Current]\r\nUnit=1\r\nTrueSize=1\r\n" + section);
  EXPECT_EQ(form.RulerDensity().pixels_per_mm, 0) << "the scale Windows assumes";
  ASSERT_TRUE(form.FormClose());
  EXPECT_NE(platform.files[kIni].find(section), std::string::npos) << platform.files[kIni];
}

TEST_F(MainFormTest, TrueSizeAndScaledPixelsAreSavedAndComeBack) {
  Start("[Current]\r\nUnit=1\r\n[Calibration]\r\nGSM5B09:12345=5000\r\n");
  EXPECT_FALSE(form.TrueSize);
  EXPECT_EQ(form.Calibration, (Calibrations{{"GSM5B09:12345", "5000"}}));
  form.ExecuteCommand(kCmdTrueSize);
  EXPECT_TRUE(form.TrueSize);
  EXPECT_NE(OpenedMenu().find("  ----\n  [x] &True Size\n"), std::string::npos) << OpenedMenu();
  form.ExecuteCommand(kCmdScaledPixels);
  ASSERT_TRUE(form.FormClose());
  const std::string saved = platform.files[kIni];
  EXPECT_NE(saved.find("[Current]\r\nUnit=0\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("DisplayValueUnit=1\r\nTrueSize=1\r\nScaledPixels=1\r\n"), std::string::npos) << saved;
  EXPECT_NE(saved.find("[Calibration]\r\nGSM5B09:12345=5000\r\n"), std::string::npos) << saved;

  AppSettings = TAppSettings{};
  FakeWindow next_window;
  TMainForm next(platform, next_window);
  next.FormCreate();
  EXPECT_TRUE(next.TrueSize);
  EXPECT_TRUE(next.ScaledPixels);
  EXPECT_EQ(next.Unit, kUnitPixels);
}

TEST_F(MainFormTest, AlwaysOnTopTogglesTheStacking) {
  Start();
  form.ExecuteCommand(kCmdOnTop);
  EXPECT_TRUE(window.topmost);
  EXPECT_NE(OpenedMenu().find("\n[x] Always On &Top\n"), std::string::npos);
  form.ExecuteCommand(kCmdOnTop);
  EXPECT_FALSE(window.topmost);
  EXPECT_NE(OpenedMenu().find("\n    Always On &Top\n"), std::string::npos);
  form.PMenuExitClick();
  EXPECT_NE(platform.files[kIni].find("[System]\r\nWindowOnTop=0\r\n"), std::string::npos);
}

TEST_F(MainFormTest, HideAndTheHotKeyShowTheRulerAgain) {
  Start();
  form.ExecuteCommand(kCmdHide);
  EXPECT_FALSE(window.visible);
  EXPECT_NE(OpenedMenu().find("----\n    Sh&ow\n"), std::string::npos);
  form.HotKeyPressed(1);
  EXPECT_FALSE(window.visible) << "other hot-key ids are ignored";
  form.HotKeyPressed(0);
  EXPECT_TRUE(window.visible);
  EXPECT_NE(OpenedMenu().find("----\n    H&ide\n"), std::string::npos);
}

TEST_F(MainFormTest, HideIsRefusedDuringAGesture) {
  Start();
  // A press on the ruler's body (the zero corner is the client point (660, 660)).
  form.MouseDown(MouseButton::Left, kLeftButton, 900, 630);
  form.HotKeyPressed(kHideHotKeyId);
  EXPECT_TRUE(window.visible);
  EXPECT_FALSE(form.RulerHidden);
  form.MouseUp(MouseButton::Left, 0, 900, 630);
  form.HotKeyPressed(kHideHotKeyId);
  EXPECT_FALSE(window.visible) << "after the release the hot key hides the ruler";
}

// Records the raising of both windows in one list, so that their order shows.
class StackingWindow : public FakeWindow {
 public:
  StackingWindow(std::vector<std::string>& raised, std::string name)
      : raised_(raised), name_(std::move(name)) {}
  void BringToFront() override {
    FakeWindow::BringToFront();
    raised_.push_back(name_);
  }

 private:
  std::vector<std::string>& raised_;
  std::string name_;
};

TEST_F(MainFormTest, ShowRaisesTheRulerThenTheReadOutWindowKeepingItsVisibility) {
  std::vector<std::string> raised;
  StackingWindow ruler_window(raised, "ruler");
  StackingWindow info_window(raised, "read-out");
  TMainForm ruler{platform, ruler_window};
  TInfoForm info{platform, info_window};
  ruler.FormCreate();
  info.FormCreate();
  ruler.SetInfoForm(&info);
  ruler_window.Show();
  ruler.FormShow();

  for (const bool shown : {false, true}) {
    SCOPED_TRACE(shown ? "read-out window shown" : "read-out window hidden");
    if (shown) info.Show();
    raised.clear();
    ruler.PMenuHideClick();
    EXPECT_TRUE(raised.empty()) << "hiding raises nothing";
    EXPECT_EQ(info_window.visible, shown) << "hiding the ruler leaves the read-out window";
    ruler.PMenuHideClick();
    EXPECT_EQ(raised, (std::vector<std::string>{"ruler", "read-out"}));
    EXPECT_EQ(info_window.visible, shown);
  }
}

TEST_F(MainFormTest, ShowWithJumpCursorPutsTheZeroCornerUnderThePointer) {
  Start("[System]\r\nJumpCursor=1\r\n");
  form.PMenuHideClick();
  platform.cursor_pos = {500, 400};
  form.PMenuHideClick();
  EXPECT_EQ(window.bounds.left, -160);
  EXPECT_EQ(window.bounds.top, -260);
}

TEST_F(MainFormTest, ShowBringsARulerWhollyOffScreenBackToTheCentre) {
  Start();
  window.bounds = {3000, 100, 3000 + 1320, 100 + 1320};
  form.PMenuHideClick();
  form.PMenuHideClick();
  EXPECT_EQ(window.bounds.left, 512 - 660);
  EXPECT_EQ(window.bounds.top, 384 - 660);
}

TEST_F(MainFormTest, NotifyIconDoubleClickTogglesAndRightPressOpensTheMenu) {
  Start();
  form.NotifyIconMessage(515);
  EXPECT_FALSE(window.visible);
  form.NotifyIconMessage(515);
  EXPECT_TRUE(window.visible);
  platform.cursor_pos = {20, 30};
  form.NotifyIconMessage(516);
  EXPECT_EQ(platform.menu_points, (std::vector<Point>{{20, 30}}));
  form.NotifyIconMessage(512);
  EXPECT_EQ(platform.shown_menus.size(), 1u) << "other mouse messages are ignored";
}

TEST_F(MainFormTest, MenuShortcutRunsTheCommandWithTheRulerFocused) {
  Start("[HotKey]\r\nAlwaysTop=16468\r\n");  // Ctrl+T
  EXPECT_TRUE(form.KeyDown('T', kCtrl));
  EXPECT_TRUE(window.topmost);
  EXPECT_FALSE(form.KeyDown('T', 0)) << "T alone is no shortcut";
  EXPECT_TRUE(window.topmost);
}

}  // namespace
}  // namespace mensor

namespace mensor {
namespace {

TEST_F(MainFormTest, MenuShortcutsWaitUntilADragEnds) {
  Start("[HotKey]\r\nLeval=16456\r\n");  // Ctrl+H: Horizontal
  form.PMenuPlumbClick();
  const Corners before = form.Outline;
  // A move of the vertical ruler's body, then a drag of the marker.
  const Point body{690, 900};
  const Point marker{form.LabelStaff.left + 3, form.LabelStaff.top + 3};
  for (const Point press : {body, marker}) {
    form.MouseDown(MouseButton::Left, kLeftButton, press.x, press.y);
    form.MouseMove(kLeftButton, press.x + 20, press.y + 10);
    EXPECT_FALSE(form.KeyDown('H', kCtrl));
    EXPECT_EQ(form.Outline, before) << "the outline the drag erases stays as drawn";
    form.MouseUp(MouseButton::Left, 0, press.x + 20, press.y + 10);
  }
  EXPECT_TRUE(form.KeyDown('H', kCtrl));
  EXPECT_EQ(form.Angle, kHorizontalAngle);
}

}  // namespace
}  // namespace mensor

namespace mensor {
namespace {

TEST_F(MainFormTest, CalculatorStartsOrTellsWhyNot) {
  Start();
  form.ExecuteCommand(kCmdCalculator);
  EXPECT_EQ(platform.started_programs, std::vector<std::string>{"calc.exe"});
  EXPECT_TRUE(platform.infos.empty());
  platform.program_starts = false;
  form.ExecuteCommand(kCmdCalculator);
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Fail to find Calculator in Windows"});
}

TEST_F(MainFormTest, HelpOpensTheHelpFileBesideTheProgramAlsoByF1) {
  Start();
  form.ExecuteCommand(kCmdHelp);
  EXPECT_TRUE(form.KeyDown(vk::kF1, 0));
  EXPECT_EQ(platform.opened_documents, (std::vector<std::string>{"/mensor/help.chm", "/mensor/help.chm"}));
}

}  // namespace
}  // namespace mensor
