// The tool bar window through the fake platform: creation, the ruler's
// placement and switch, dragging with snapping, the magnifier switch and
// tick, keys, the popup menu and the language pack's texts, and the same on
// two monitors.
#include "toolbar/tool_bar_form.h"
#include "ui/clipboard.h"

#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"
#include "fake_tool_bar.h"
#include "toolbar/tool_bar_math.h"
#include "lang/language.h"
#include "menu_text.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeToolBarControls;
using testing::FakeWindow;
using testing::MenuText;

constexpr Shortcut kCtrlT = kShortcutCtrl | 'T';

class ToolBarTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    LanguageIndex = -1;
    platform.screen = {1024, 768};
    bar.SetRuler(&ruler);
    ruler.SetToolBar(&bar);
  }

  // The program's start-up: the ruler, the tool bar, the ruler's first show.
  void Start(const std::string& ini) {
    platform.files["/mensor/app.ini"] = ini;
    ruler.FormCreate();
    bar.FormCreate();
    ruler_window.Show();
    ruler.FormShow();
  }

  // The tool bar's menu as a right click opens it (nothing chosen).
  std::string BarMenu() {
    bar.ContextMenu({0, 0});
    return MenuText(controls.shown_menus.back());
  }

  // The magnifier running at factor 2 with the pointer at (500, 400), off
  // the tool bar; copied pixel (x, y) has red x, green y, blue 200.
  void StartMagnifier(bool show_cursor) {
    Start(std::string("[ToolBar]\nShow=1\nX=0\nY=0\nMagnifier=1\nShowCursor=") + (show_cursor ? "1" : "0") + "\n");
    platform.fill_capture = [](Image& image) {
      for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) SetPixel(image, x, y, MakeColor(x, y, 200));
    };
    platform.cursor_pos = {500, 400};
  }
  Color At(int x, int y) const {
    const Rect view = TFormToolBar::kView;
    return PixelOf(bar.Magnifier().Picture(), x - view.left, y - view.top);
  }

  FakePlatform platform;
  FakeWindow ruler_window;
  TMainForm ruler{platform, ruler_window};
  FakeWindow window;
  FakeToolBarControls controls;
  TFormToolBar bar{platform, window, controls};
};

TEST_F(ToolBarTest, StartUpShowsItAtTheSavedPlaceWithTheMagnifierRunning) {
  Start("[ToolBar]\nShow=1\nX=300\nY=200\nMagnifier=1\nShowCursor=0\n");
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(window.topmost);
  EXPECT_EQ(window.bounds, (Rect{300, 200, 300 + 124, 200 + 216})) << "band, view, factor box and colour row";
  EXPECT_TRUE(bar.SpeedButtonMagnifierDown);
  EXPECT_TRUE(controls.timer);
  EXPECT_EQ(controls.factor_text, "2");
  EXPECT_EQ(BarMenu(),
            "    &Hide ToolBar\n"
            "----\n"
            "    &Show Cursor\n"
            "[x] Show &Grid\n");
}

TEST_F(ToolBarTest, StartUpWithTheMagnifierOffShowsOnlyTheBand) {
  Start("[ToolBar]\nShow=1\nX=300\nY=200\nMagnifier=0\nShowCursor=1\n");
  EXPECT_EQ(window.bounds, (Rect{300, 200, 300 + 124, 200 + 35}));
  EXPECT_FALSE(controls.timer);
  EXPECT_EQ(BarMenu(),
            "    &Hide ToolBar\n"
            "----\n"
            "[x] &Show Cursor\n"
            "[x] Show &Grid\n");
}

TEST_F(ToolBarTest, StartUpClampsTheSavedPlaceAndStoresItBack) {
  Start("[ToolBar]\nShow=1\nX=5\nY=3\nMagnifier=1\n");
  EXPECT_EQ(window.bounds.left, 0);
  EXPECT_EQ(window.bounds.top, 0);
  EXPECT_EQ(AppSettings.ToolBarX, 0);
  EXPECT_EQ(AppSettings.ToolBarY, 0);
}

TEST_F(ToolBarTest, StartUpWithShowOffLeavesItHiddenAndTheFirstTickStopsTheTimer) {
  Start("[ToolBar]\nShow=0\nMagnifier=1\n");
  EXPECT_FALSE(window.visible);
  const int captures = platform.captures;
  bar.TimerMagnifierTimer();
  EXPECT_FALSE(controls.timer) << "no ticks while nothing shows them";
  EXPECT_EQ(platform.captures, captures) << "no screen copy";
}

TEST_F(ToolBarTest, RulerItemHidesAndStopsAndRestartsOnlyWhenTheButtonIsDown) {
  Start("[ToolBar]\nShow=1\nX=300\nY=200\nMagnifier=1\n");
  ruler.ExecuteCommand(kCmdToolBar);
  EXPECT_FALSE(ruler.ToolBarShown());
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(controls.timer);
  EXPECT_TRUE(bar.SpeedButtonMagnifierDown) << "the button stays down";

  ruler.ExecuteCommand(kCmdToolBar);
  EXPECT_TRUE(ruler.ToolBarShown());
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(controls.timer);

  // With the button up, showing it again starts no timer.
  bar.SpeedButtonMagnifierDown = false;
  bar.SpeedButtonMagnifierClick();
  ruler.ExecuteCommand(kCmdToolBar);
  ruler.ExecuteCommand(kCmdToolBar);
  EXPECT_TRUE(window.visible);
  EXPECT_FALSE(controls.timer);
}

TEST_F(ToolBarTest, ShowToolBarShortcutHidesItFromTheToolBar) {
  Start("[HotKey]\nShowToolBar=" + std::to_string(kCtrlT) + "\n[ToolBar]\nShow=1\nMagnifier=1\n");
  EXPECT_EQ(BarMenu(),
            "    &Hide ToolBar  Ctrl+T\n"
            "----\n"
            "[x] &Show Cursor\n"
            "[x] Show &Grid\n");
  EXPECT_TRUE(bar.KeyDown('T', kCtrl));
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(controls.timer);
  EXPECT_FALSE(ruler.ToolBarShown()) << "the ruler's item follows";
  // The same key on the ruler shows it again.
  EXPECT_TRUE(ruler.KeyDown('T', kCtrl));
  EXPECT_TRUE(window.visible);
  EXPECT_TRUE(controls.timer);
}

TEST_F(ToolBarTest, ShowToolBarShortcutInThePacksWordsAndBackInEnglish) {
  Start("[HotKey]\nShowToolBar=" + std::to_string(kCtrlT | kShortcutShift) +
        "\n[ToolBar]\nShow=1\n[Language]\nFileName=de.txt\n");
  platform.files["/mensor/Languages/de.txt"] = "[String]\n&Hide ToolBar=&Verbergen\n[Keys]\nCtrl+=Strg+\nShift+=Umschalt+\n";
  bar.SetLanguage(0);
  EXPECT_EQ(BarMenu(),
            "    &Verbergen  Strg+Umschalt+T\n"
            "----\n"
            "[x] &Show Cursor\n"
            "[x] Show &Grid\n");
  bar.SetDefaultLanguage();
  EXPECT_EQ(BarMenu(),
            "    &Hide ToolBar  Ctrl+Shift+T\n"
            "----\n"
            "[x] &Show Cursor\n"
            "[x] Show &Grid\n");
}

TEST_F(ToolBarTest, OnlyAltF4IsSwallowed) {
  struct Case {
    ShiftState shift;
    bool swallowed;
  };
  const Case cases[] = {
      {kAlt, true},
      {kAlt | kCtrl, false},
      {kAlt | kShift, false},
      {kAlt | kLeftButton, false},
      {0, false},
  };
  for (const Case& c : cases) EXPECT_EQ(bar.FormKeyDown(vk::kF4, c.shift), c.swallowed) << "shift " << c.shift;
  EXPECT_FALSE(bar.FormKeyDown('A', kAlt));
}

TEST_F(ToolBarTest, F1OpensTheHelpFile) {
  Start("[ToolBar]\nShow=1\n");
  EXPECT_TRUE(bar.KeyDown(vk::kF1, 0));
  ASSERT_EQ(platform.opened_documents.size(), 1u);
  EXPECT_EQ(platform.opened_documents[0], "/mensor/help.chm");
}

TEST_F(ToolBarTest, DraggingTheBandSnapsAndSavesTheSnappedPlace) {
  Start("[ToolBar]\nShow=1\nX=400\nY=300\nMagnifier=0\n");
  struct Case {
    const char* what;
    Point press;   // on the band or PanelTool, client coordinates
    Point motion;  // of the mouse, in one step
    Point placed;
  };
  const Case cases[] = {
      {"left edge, from the band", {110, 10}, {-392, 0}, {0, 300}},
      {"top edge, from PanelTool", {80, 10}, {0, -295}, {400, 0}},
      {"right edge", {110, 10}, {495, 0}, {900, 300}},
      {"bottom edge", {110, 10}, {0, 425}, {400, 733}},
      {"free", {110, 10}, {-30, 40}, {370, 340}},
  };
  for (const Case& c : cases) {
    window.bounds = {400, 300, 524, 335};
    bar.MouseDown(MouseButton::Left, kLeftButton, c.press.x, c.press.y);
    EXPECT_TRUE(bar.Dragging) << c.what;
    // The window moves with the mouse, so later moves come relative to it.
    bar.MouseMove(kLeftButton, c.press.x + c.motion.x, c.press.y + c.motion.y);
    bar.MouseUp(MouseButton::Left, 0, c.press.x + c.motion.x, c.press.y + c.motion.y);
    EXPECT_EQ((Point{window.bounds.left, window.bounds.top}), c.placed) << c.what;
    EXPECT_EQ((Point{AppSettings.ToolBarX, AppSettings.ToolBarY}), c.placed) << c.what << ": saved";
  }
  EXPECT_FALSE(window.captured);
}

TEST_F(ToolBarTest, AWindowPartlyOffTheScreenDoesNotFollow) {
  Start("[ToolBar]\nShow=1\n");
  window.bounds = {-20, 100, 104, 135};
  bar.MouseDown(MouseButton::Left, kLeftButton, 110, 10);
  bar.MouseMove(kLeftButton, 150, 10);
  EXPECT_EQ(window.bounds.left, -20);
}

TEST_F(ToolBarTest, ButtonsActOnAClickReleasedOverThem) {
  Start("[ToolBar]\nShow=1\nX=300\nY=730\nMagnifier=0\n");
  EXPECT_EQ(window.bounds.top, 733) << "placed flush with the bottom";
  // The magnifier button at the bottom of the screen: the window grows to
  // 216 and moves up so that its bottom is the screen's bottom.
  bar.MouseDown(MouseButton::Left, kLeftButton, 17, 17);
  bar.MouseUp(MouseButton::Left, 0, 17, 17);
  EXPECT_TRUE(bar.SpeedButtonMagnifierDown);
  EXPECT_TRUE(AppSettings.Magnifier);
  EXPECT_EQ(window.bounds, (Rect{300, 552, 424, 768}));
  EXPECT_TRUE(controls.timer);
  // Released elsewhere: nothing.
  bar.MouseDown(MouseButton::Left, kLeftButton, 17, 17);
  bar.MouseUp(MouseButton::Left, 0, 17, 60);
  EXPECT_TRUE(bar.SpeedButtonMagnifierDown);
  // Up again: only the band.
  bar.MouseDown(MouseButton::Left, kLeftButton, 17, 17);
  bar.MouseUp(MouseButton::Left, 0, 17, 17);
  EXPECT_EQ(window.bounds, (Rect{300, 552, 424, 587}));
  EXPECT_FALSE(controls.timer);
  EXPECT_FALSE(AppSettings.Magnifier);

  platform.program_starts = false;
  bar.MouseDown(MouseButton::Left, kLeftButton, 57, 17);
  bar.MouseUp(MouseButton::Left, 0, 57, 17);
  ASSERT_EQ(platform.started_programs.size(), 1u);
  EXPECT_EQ(platform.started_programs[0], "calc.exe");
  EXPECT_TRUE(platform.infos.empty()) << "the button tells nothing when the calculator is missing";
}

TEST_F(ToolBarTest, TickCopiesAroundThePointerAndRestartsTheTimer) {
  Start("[ToolBar]\nShow=1\nMagnifier=1\nShowCursor=1\n");
  platform.cursor_pos = {0, 0};
  controls.timer_log.clear();
  bar.TimerMagnifierTimer();
  EXPECT_EQ(platform.capture_area, (Rect{0, 0, 60, 58}));
  // Factor 2: the pointer goes into the copy with its hot spot on the pixel.
  ASSERT_EQ(controls.pointers.size(), 1u);
  EXPECT_EQ(controls.pointers[0], (FakeToolBarControls::PointerDraw{{60, 58}, {0, 0}}));
  EXPECT_EQ(controls.timer_log, (std::vector<bool>{false, true})) << "off while it works, then on";

  // "&Show Cursor" from the popup menu: the next tick draws no pointer.
  controls.menu_choices.push_back(kCmdShowCursor);
  bar.ContextMenu({500, 100});
  EXPECT_FALSE(AppSettings.ShowCursor);
  bar.TimerMagnifierTimer();
  EXPECT_EQ(controls.pointers.size(), 1u) << "no pointer drawn by the second tick";
}

TEST_F(ToolBarTest, TickReadsTheFactorBox) {
  Start("[ToolBar]\nShow=1\nMagnifier=1\n");
  platform.cursor_pos = {500, 400};
  struct Case {
    const char* typed;
    int width;
    int height;
    const char* box_after;
  };
  const Case cases[] = {
      {"3", 40, 38, "3"},
      {"1", 120, 116, "1"},
      {"0", 120, 116, "1"},  // a typed 0 becomes 1
      {"", 120, 116, ""},    // an empty box counts as 1
      {"a", 120, 116, "a"},  // so does a non-number
  };
  for (const Case& c : cases) {
    controls.factor_text = c.typed;
    bar.TimerMagnifierTimer();
    EXPECT_EQ(platform.capture_area.Width(), c.width) << '"' << c.typed << '"';
    EXPECT_EQ(platform.capture_area.Height(), c.height) << '"' << c.typed << '"';
    EXPECT_EQ(controls.factor_text, c.box_after) << '"' << c.typed << '"';
  }
}

TEST_F(ToolBarTest, HideToolBarFromItsMenu) {
  Start("[ToolBar]\nShow=1\nMagnifier=1\n");
  controls.menu_choices.push_back(kCmdHideToolBar);
  bar.ContextMenu({500, 100});
  EXPECT_FALSE(window.visible);
  EXPECT_FALSE(controls.timer);
  EXPECT_FALSE(ruler.ToolBarShown());
  // Hidden from a menu, the ruler's next show leaves it hidden.
  ruler_window.Hide();
  ruler.FormShow();
  EXPECT_FALSE(window.visible);
}

TEST_F(ToolBarTest, FlatButtonShowsARaisedEdgeUnderThePointerAndASunkenOneWhenDown) {
  Start("[ToolBar]\nShow=1\nMagnifier=0\n");
  // The left edge of the magnifier button, drawn bottom to top: its colour
  // tells the edge apart (highlight: raised, shadow: sunken).
  const auto left_edge = [this]() -> std::optional<Color> {
    testing::RecordingCanvas canvas;
    bar.FormPaint(canvas);
    for (const testing::DrawOp& op : canvas.Lines())
      if (op.from == Point{0, 30} && op.to == Point{0, 3}) return op.color;
    return std::nullopt;
  };
  EXPECT_EQ(left_edge(), std::nullopt) << "flat";
  bar.MouseMove(0, 17, 17);
  EXPECT_EQ(left_edge(), TFormToolBar::kBevelHighlight) << "under the pointer";
  bar.MouseLeave();
  EXPECT_EQ(left_edge(), std::nullopt) << "pointer gone";
  bar.MouseDown(MouseButton::Left, kLeftButton, 17, 17);
  bar.MouseUp(MouseButton::Left, 0, 17, 17);
  bar.MouseLeave();
  EXPECT_EQ(left_edge(), TFormToolBar::kBevelShadow) << "down";
}

TEST_F(ToolBarTest, EnglishTexts) {
  Start("[ToolBar]\nShow=1\n");
  EXPECT_EQ(controls.magnifier_hint, "Magnifier");
  EXPECT_EQ(controls.calculator_hint, "Calculator");
  EXPECT_EQ(bar.Texts.multiple, "Multiple");
}

TEST_F(ToolBarTest, LanguagePackTextsArePresentMeansUsed) {
  Start("[ToolBar]\nShow=1\n[Language]\nFileName=de.txt\n");
  platform.files["/mensor/Languages/de.txt"] =
      "[String]\nMagnifier=Lupe\nCalculator=\nMultiple=Faktor\n&Hide ToolBar=&Verbergen\n";
  bar.SetLanguage(0);
  EXPECT_EQ(controls.magnifier_hint, "Lupe");
  EXPECT_EQ(controls.calculator_hint, "") << "present but empty: empty";
  EXPECT_EQ(bar.Texts.multiple, "Faktor");
  EXPECT_EQ(BarMenu(),
            "    &Verbergen\n"
            "----\n"
            "[x] &Show Cursor\n"
            "[x] Show &Grid\n")
      << "missing: English";

  platform.files.erase("/mensor/Languages/de.txt");
  bar.SetLanguage(0);
  EXPECT_EQ(controls.magnifier_hint, "Magnifier") << "a pack that is gone gives English";
}

TEST_F(ToolBarTest, TheFactorBoxMakesRoomForItsCaption) {
  // The stand-in font: 6 pixels a byte (Cyrillic letters take two bytes).
  struct Case {
    const char* what;
    std::string caption;
    Rect box;
    std::string painted;
    std::string hint;
  };
  const Case cases[] = {
      {"a short caption keeps the box in its place", "Mal", {54, 160, 121, 182}, "Mal", ""},
      {"8 letters, 48 pixels: the box 4 pixels right of them", "Multiple", {57, 160, 121, 182}, "Multiple", ""},
      {"the box keeps 32 pixels: 80 for the caption, cut", "Vergroesserung", {89, 160, 121, 182},
       "Vergroesse\xE2\x80\xA6", "Vergroesserung"},
  };
  for (const Case& c : cases) {
    platform.files["/mensor/Languages/x.txt"] = "[String]\nMultiple=" + c.caption + "\n";
    AppSettings.LanguageFileName = "x.txt";
    bar.SetLanguage(0);
    EXPECT_EQ(controls.factor_box, c.box) << c.what;
    EXPECT_EQ(bar.LabelInfoCaption, c.painted) << c.what;
    EXPECT_EQ(controls.caption_hint, c.hint) << c.what;
    testing::RecordingCanvas canvas;
    bar.FormPaint(canvas);
    bool drawn = false;
    for (const testing::DrawOp& op : canvas.Texts()) drawn |= op.text == c.painted && op.from == (Point{5, 165});
    EXPECT_TRUE(drawn) << c.what;
    EXPECT_LE(5 + platform.TextExtent(Font{}, c.painted).cx + kCaptionGap, c.box.left) << c.what << ": clear of the box";
  }
}

// ---- on two monitors ----

// The end-to-end layout: the primary 1024 x 768, an 800 x 600 monitor right
// of it. Placement at start-up clamps into the monitor of the saved place
// (the primary one when that monitor is gone), a drag follows and snaps on the
// second monitor, and the magnifier's copy stays on the monitor under the
// pointer.
constexpr Rect kPrimary{0, 0, 1024, 768};
constexpr Rect kSecond{1024, 0, 1824, 600};

TEST_F(ToolBarTest, MagnifierFactorFourShowsBlocksGridFramePointerAndColourRow) {
  StartMagnifier(true);
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
  EXPECT_EQ(window.direct.Images().back().from, (Point{TFormToolBar::kView.left, TFormToolBar::kView.top}));
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

TEST_F(ToolBarTest, ShowGridSwitchesTheGridAtOnceEvenWithThePointerOverTheToolBar) {
  StartMagnifier(true);
  controls.factor_text = "4";
  bar.TimerMagnifierTimer();
  ASSERT_EQ(At(6, 38), kGridColor);
  // The menu is used over the tool bar, where the ticks keep the view.
  platform.cursor_pos = {window.bounds.left + 60, window.bounds.top + 10};
  bar.ExecuteCommand(kCmdShowGrid);
  EXPECT_FALSE(AppSettings.ShowGrid);
  EXPECT_EQ(At(6, 38), MakeColor(1, 0, 200)) << "the block where the grid line was";
  EXPECT_EQ(At(61, 97), 0xFFFFFFu) << "the frame, now just outside the block";
  EXPECT_EQ(controls.pointers.size(), 2u) << "the pointer drawn again beside it";
  bar.ExecuteCommand(kCmdShowGrid);
  EXPECT_TRUE(AppSettings.ShowGrid);
  EXPECT_EQ(At(6, 38), kGridColor);
}

TEST_F(ToolBarTest, MagnifierFactorTwoDrawsThePointerIntoTheCopyAfterTheColourIsRead) {
  StartMagnifier(true);
  bar.TimerMagnifierTimer();
  ASSERT_EQ(controls.pointers.size(), 1u);
  EXPECT_EQ(controls.pointers[0], (FakeToolBarControls::PointerDraw{{60, 58}, {30, 29}}));
  EXPECT_EQ(bar.Magnifier().PixelColor(), MakeColor(30, 29, 200));
}

TEST_F(ToolBarTest, MagnifierClickOnTheColourRowAndCtrlCCopyTheHexText) {
  StartMagnifier(false);
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

TEST_F(ToolBarTest, MagnifierAHeldClipboardIsToldOnceAndNothingBeforeTheFirstTick) {
  StartMagnifier(false);
  EXPECT_TRUE(bar.KeyDown('C', kCtrl));
  EXPECT_EQ(platform.clipboard_tries, 0) << "no pixel read yet";
  platform.capture_fails = true;
  bar.TimerMagnifierTimer();
  EXPECT_FALSE(bar.Magnifier().PixelColor().has_value()) << "an unreadable screen names no colour";
  bar.KeyDown('C', kCtrl);
  EXPECT_EQ(platform.clipboard_tries, 0) << "and nothing is copied";
  platform.capture_fails = false;
  bar.TimerMagnifierTimer();
  platform.clipboard_answers.assign(10, ClipboardResult::Busy);
  bar.KeyDown('C', kCtrl);
  EXPECT_EQ(platform.clipboard_tries, kClipboardTries);
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0], "The colour could not be copied: another program is using the clipboard.");
  EXPECT_FALSE(platform.clipboard.has_value());
}


class ToolBarMonitors : public ToolBarTest {
 protected:
  void SetUp() override {
    ToolBarTest::SetUp();
    platform.monitors = {{kPrimary, kPrimary, 96, true}, {kSecond, kSecond, 96, false}};
  }
  Point Place() const { return {window.bounds.left, window.bounds.top}; }
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
    EXPECT_EQ(platform.capture_area, c.source);
    EXPECT_EQ(bar.Magnifier().Layout().pixel, c.spot);
  }
}

}  // namespace
}  // namespace mensor
