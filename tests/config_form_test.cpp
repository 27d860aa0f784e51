// The preferences dialog's logic through the fake dialog window and the fake
// platform: filling the controls, the hot-key checks on OK, the percentage
// field, the number fields, the colour buttons and Default, what OK stores
// and applies to the running ruler, Cancel, and the custom-unit preview.
#include "prefs/config_form.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_config_view.h"
#include "fake_platform.h"
#include "fake_tool_bar.h"
#include "lang/language.h"
#include "menu_text.h"
#include "settings/app_settings.h"
#include "toolbar/tool_bar_form.h"

namespace mensor {
namespace {

using C = ConfigControl;
using testing::DrawOp;
using testing::FakeConfigView;
using testing::FakePlatform;
using testing::FakeWindow;
using testing::MenuText;

constexpr Shortcut kCtrl = kShortcutCtrl;
constexpr Shortcut kShift = kShortcutShift;
constexpr Shortcut kAlt = kShortcutAlt;
constexpr Shortcut kF1 = 112;

// A running ruler started without app.ini, and a dialog opened on it.
class ConfigFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    InfoCaption = "Information";
    platform.screen = {1024, 768};
    main.FormCreate();
    window.Show();
    main.FormShow();
    config.Attach(view);
  }

  void Open() { view.ShowModal(); }
  // The ruler's menu as a right click opens it (nothing chosen).
  std::string RulerMenu() {
    main.ContextMenu({0, 0});
    return MenuText(platform.shown_menus.back());
  }
  bool RulerMenuHas(const std::string& lines) { return RulerMenu().find(lines) != std::string::npos; }

  FakePlatform platform;
  FakeWindow window;
  TMainForm main{platform, window};
  TConfigForm config{platform, main};
  FakeConfigView view{config};
};

TEST_F(ConfigFormTest, ShowingFillsTheControlsFromTheSettingsInTheirRanges) {
  AppSettings.MoveStep = 0;
  AppSettings.NextRulerWidth = 150;
  AppSettings.HotKey = kCtrl | 'H';
  AppSettings.HotKeyCalculator = kAlt | 'C';
  AppSettings.StaffDir = 1;
  AppSettings.ShowDisplayForm = false;
  Open();
  EXPECT_EQ(view.title, "Mensor Configure");
  EXPECT_EQ(view.texts[C::SpinEditMove], "1") << "a step of 0 shows as the minimum";
  EXPECT_EQ(view.texts[C::SpinEditWidth], "99") << "a width of 150 shows as the maximum";
  EXPECT_EQ(view.texts[C::EditTranValue], "60");
  EXPECT_EQ(view.position, 60);
  EXPECT_EQ(view.texts[C::SpinEditSmall] + "/" + view.texts[C::SpinEditLarge], "1/2");
  EXPECT_EQ(view.texts[C::SpinEditPixelPerUnit] + " " + view.texts[C::SpinEditTicksPerUnit] + " " +
                view.texts[C::SpinEditDisplayValueUnit],
            "50 10 1");
  EXPECT_EQ(view.hotkeys[C::SysHotKey], kCtrl | 'H');
  EXPECT_EQ(view.hotkeys[C::HotKeyCalculator], kAlt | 'C');
  EXPECT_EQ(view.items[C::RadioGroupStaffDir], 1);
  EXPECT_EQ(config.ButtonColor(C::BitBtnBKColor), 0xFF9B37u);
  EXPECT_EQ(view.pictures[C::BitBtnBKColor].picture.width, 26) << "swatch of a 32 x 21 button";
  EXPECT_EQ(view.page, kPageSys);
  EXPECT_EQ(view.preview_updates, 1) << "the preview is drawn";
  EXPECT_FALSE(view.Enabled(C::BitBtnWinBKColor)) << "read-out group follows its switch";
  EXPECT_FALSE(view.Enabled(C::Label15));
}

// ---- hot-key checks on OK ----

struct HotKeyCase {
  const char* name;
  std::vector<std::pair<ConfigControl, Shortcut>> fields;
  const char* message;  // nullptr: accepted
  ConfigControl focus;
};

class HotKeyCheckTest : public ConfigFormTest, public ::testing::WithParamInterface<HotKeyCase> {};

TEST_P(HotKeyCheckTest, RefusesF1AndDuplicatesWithTheFocusOnTheFirstOffender) {
  const HotKeyCase& c = GetParam();
  Open();
  view.page = kPageSys;
  for (const auto& [field, value] : c.fields) view.hotkeys[field] = value;
  config.BitBtnOKClick();
  if (c.message == nullptr) {
    EXPECT_EQ(platform.infos, std::vector<std::string>{});
    EXPECT_TRUE(view.closed);
    EXPECT_TRUE(config.Stored());
    return;
  }
  EXPECT_EQ(platform.infos, std::vector<std::string>{c.message});
  EXPECT_FALSE(view.closed) << "the dialog stays open";
  EXPECT_FALSE(config.Stored());
  EXPECT_EQ(view.page, kPageHotKey) << "the offending field's page is shown";
  ASSERT_TRUE(view.focus.has_value());
  EXPECT_EQ(static_cast<int>(*view.focus), static_cast<int>(c.focus));
  EXPECT_EQ(AppSettings.HotKeyCircum, 0) << "nothing stored";
  EXPECT_EQ(AppSettings.HotKeyPlumb, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HotKeyCheckTest,
    ::testing::Values(
        HotKeyCase{"SameKeyInRotateAndVertical",
                   {{C::HotKeyCircum, kCtrl | 'A'}, {C::HotKeyPlumb, kCtrl | 'A'}},
                   "Can not set the same hot key", C::HotKeyCircum},
        HotKeyCase{"CtrlAAndCtrlShiftA", {{C::HotKeyCircum, kCtrl | 'A'}, {C::HotKeyPlumb, kCtrl | kShift | 'A'}},
                   nullptr, C::SysHotKey},
        HotKeyCase{"TwoEmptyFields", {}, nullptr, C::SysHotKey},
        HotKeyCase{"PlainF1", {{C::HotKeyCalculator, kF1}}, "Can not set F1 hot key for the function.",
                   C::HotKeyCalculator},
        HotKeyCase{"CtrlF1", {{C::HotKeyCalculator, kCtrl | kF1}}, nullptr, C::SysHotKey},
        HotKeyCase{"PlainF1AsHideShow", {{C::SysHotKey, kF1}}, "Can not set F1 hot key for the function.",
                   C::SysHotKey},
        HotKeyCase{"HideShowSameAsAMenuKey", {{C::SysHotKey, kAlt | 'Q'}, {C::HotKeyShowToolBar, kAlt | 'Q'}},
                   "Can not set the same hot key", C::SysHotKey},
        HotKeyCase{"FirstInTableOrderWins",
                   {{C::HotKeyCalculator, kF1}, {C::HotKeyTrans, kCtrl | 'B'}, {C::HotKeyLeval, kCtrl | 'B'}},
                   "Can not set the same hot key", C::HotKeyTrans}),
    [](const ::testing::TestParamInfo<HotKeyCase>& p) { return std::string(p.param.name); });

// ---- the percentage field ----

struct PercentCase {
  const char* text;
  bool enter;  // Enter, else leaving the field
  int slider;
  const char* shown;
};

class PercentFieldTest : public ConfigFormTest, public ::testing::WithParamInterface<PercentCase> {};

TEST_P(PercentFieldTest, EnterAndLeavingSetTheSliderToTheClampedValue) {
  const PercentCase& c = GetParam();
  Open();
  view.position = 30;
  view.texts[C::EditTranValue] = c.text;
  if (c.enter) {
    EXPECT_FALSE(config.EditTranValueKeyPress(13)) << "Enter goes no further";
  } else {
    config.EditTranValueExit();
  }
  EXPECT_EQ(view.position, c.slider);
  EXPECT_EQ(view.texts[C::EditTranValue], c.shown);
}

INSTANTIATE_TEST_SUITE_P(Cases, PercentFieldTest,
                         ::testing::Values(PercentCase{"150", true, 100, "100"}, PercentCase{"5", false, 5, "5"},
                                           PercentCase{"abc", false, 60, "60"}, PercentCase{" 42 ", true, 42, "42"},
                                           PercentCase{"", true, 60, "60"}, PercentCase{"30", false, 30, "30"},
                                           PercentCase{"007", false, 7, "7"}));

TEST_F(ConfigFormTest, PercentFieldTakesDigitsBackspaceAndBlankOnly) {
  Open();
  for (char key : std::string("0123456789\b "))
    EXPECT_TRUE(config.EditTranValueKeyPress(key)) << static_cast<int>(key);
  for (char key : std::string("a-+.,x\t\x16"))
    EXPECT_FALSE(config.EditTranValueKeyPress(key)) << static_cast<int>(key);
}

TEST_F(ConfigFormTest, MovingTheSliderWritesThePercentage) {
  Open();
  view.position = 73;
  config.TrackBarTranChange();
  EXPECT_EQ(view.texts[C::EditTranValue], "73");
}

// ---- number fields ----

struct SpinCase {
  ConfigControl field;
  const char* typed;
  const char* after_leaving;
};

class SpinFieldTest : public ConfigFormTest, public ::testing::WithParamInterface<SpinCase> {};

TEST_P(SpinFieldTest, LeavingBringsTheValueIntoRangeAndNoIntegerGivesTheMinimum) {
  const SpinCase& c = GetParam();
  Open();
  view.texts[c.field] = c.typed;
  config.SpinEditExit(c.field);
  EXPECT_EQ(view.texts[c.field], c.after_leaving);
}

INSTANTIATE_TEST_SUITE_P(Cases, SpinFieldTest,
                         ::testing::Values(SpinCase{C::SpinEditMove, "0", "1"}, SpinCase{C::SpinEditMove, "99", "99"},
                                           SpinCase{C::SpinEditMove, "abc", "1"},
                                           SpinCase{C::SpinEditWidth, "150", "99"},
                                           SpinCase{C::SpinEditWidth, "9", "10"}, SpinCase{C::SpinEditLarge, "0", "1"},
                                           SpinCase{C::SpinEditTicksPerUnit, "5000", "1000"},
                                           SpinCase{C::SpinEditPixelPerUnit, "", "1"}));

// ---- OK ----

TEST_F(ConfigFormTest, OkWithNothingChangedStoresTheSameShowsNothingAndRepaints) {
  AppSettings.HotKeyCircum = kCtrl | 'R';
  const TAppSettings before = AppSettings;
  const int repaints = window.repaints;
  Open();
  config.BitBtnOKClick();
  EXPECT_EQ(platform.infos, std::vector<std::string>{});
  EXPECT_TRUE(view.closed);
  EXPECT_EQ(window.repaints, repaints + 1);
  EXPECT_TRUE(RulerMenuHas("\n    &Rotate  Ctrl+R\n"));
  EXPECT_EQ(AppSettings.MoveStep, before.MoveStep);
  EXPECT_EQ(AppSettings.BackgroundColor, before.BackgroundColor);
  EXPECT_EQ(AppSettings.TransValue, before.TransValue);
  EXPECT_EQ(AppSettings.ScaleRatio, before.ScaleRatio);
  EXPECT_EQ(AppSettings.PixelPerUnit, before.PixelPerUnit);
  EXPECT_EQ(AppSettings.NextRulerWidth, before.NextRulerWidth);
  EXPECT_EQ(AppSettings.HotKeyCircum, before.HotKeyCircum);
  EXPECT_TRUE(platform.hotkey_calls.empty()) << "the unchanged hot key is not registered again";
}

TEST_F(ConfigFormTest, OkStoresEveryFieldAndTheMenuShowsTheNewShortcuts) {
  Open();
  view.texts[C::SpinEditMove] = "7";
  view.checked[C::CheckBoxJumpCursor] = true;
  view.checked[C::CheckBoxShowDisplayForm] = true;
  view.items[C::RadioGroupStaffSize] = 1;
  view.position = 35;
  view.texts[C::SpinEditSmall] = "3";
  view.texts[C::SpinEditLarge] = "4";
  view.texts[C::SpinEditPixelPerUnit] = "40";
  view.texts[C::SpinEditTicksPerUnit] = "8";
  view.texts[C::SpinEditDisplayValueUnit] = "2";
  view.hotkeys[C::HotKeyAlwaysTop] = kCtrl | 'T';
  view.hotkeys[C::HotKeyShowToolBar] = kCtrl | kShift | 'B';
  view.hotkeys[C::HotKeyCalculator] = kAlt | 'C';
  config.BitBtnOKClick();
  EXPECT_EQ(AppSettings.MoveStep, 7);
  EXPECT_TRUE(AppSettings.JumpCursor);
  EXPECT_TRUE(AppSettings.ShowDisplayForm);
  EXPECT_EQ(AppSettings.StaffSize, 1);
  EXPECT_EQ(AppSettings.TransValue, 35);
  EXPECT_EQ(AppSettings.ScaleSmall, 3);
  EXPECT_EQ(AppSettings.ScaleLarge, 4);
  EXPECT_DOUBLE_EQ(AppSettings.ScaleRatio, 0.75);
  EXPECT_EQ(AppSettings.PixelPerUnit, 40);
  EXPECT_EQ(AppSettings.TicksPerUnit, 8);
  EXPECT_EQ(AppSettings.DisplayValueUnit, 2);
  EXPECT_EQ(AppSettings.HotKeyAlwaysTop, kCtrl | 'T');
  EXPECT_EQ(platform.infos, std::vector<std::string>{});
  const std::string menu = RulerMenu();
  EXPECT_NE(menu.find("\n    Always On &Top  Ctrl+T\n"), std::string::npos) << menu;
  EXPECT_NE(menu.find("\n[x] Show T&oolBar  Ctrl+Shift+B\n"), std::string::npos) << menu;
  EXPECT_NE(menu.find("\n    &Calculator  Alt+C\n"), std::string::npos) << menu;
  // The new keys act at once.
  EXPECT_TRUE(main.KeyDown('T', ShiftFlag::kCtrl));
  EXPECT_TRUE(window.topmost);
}

TEST_F(ConfigFormTest, EachHotKeyRowGivesItsCommandTheKeyTypedThere) {
  Open();
  const std::pair<ConfigControl, char> typed[] = {
      {C::HotKeyAlwaysTop, '1'}, {C::HotKeyTrans, '2'},          {C::HotKeyCircum, '3'},
      {C::HotKeyLeval, '4'},     {C::HotKeyPlumb, '5'},          {C::HotKeyShowScaleLine, '6'},
      {C::HotKeyShowToolBar, '7'}, {C::HotKeyCalculator, '8'},   {C::SysHotKey, '9'},
  };
  for (const auto& [field, key] : typed) view.hotkeys[field] = kCtrl | key;
  config.BitBtnOKClick();
  EXPECT_EQ(RulerMenu(),
            "    &About...\n"
            "    &Help  F1\n"
            "----\n"
            "    H&ide  Ctrl+9\n"
            "    Always On &Top  Ctrl+1\n"
            "[x] Tra&nsparent  Ctrl+2\n"
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
            "    &Rotate  Ctrl+3\n"
            "    Hori&zontal  Ctrl+4\n"
            "    &Vertical  Ctrl+5\n"
            "    &Fit Screen As Horizontal\n"
            "    Fit &Screen As Vertical\n"
            "----\n"
            "    Snap to &Edges\n"
            "    Measure &Gap  G\n"
            "----\n"
            "    Show Scale &Line  Ctrl+6\n"
            "[x] Show T&oolBar  Ctrl+7\n"
            "----\n"
            "    &Calculator  Ctrl+8\n"
            "----\n"
            "    &Preferences...\n"
            "    &Language >\n"
            "  (o) &English (Default)\n"
            "  ----\n"
            "----\n"
            "    E&xit\n");
}

TEST_F(ConfigFormTest, OkTakesTheSliderNotAnUnappliedPercentageText) {
  Open();
  view.position = 45;
  view.texts[C::EditTranValue] = "90";
  config.BitBtnOKClick();
  EXPECT_EQ(AppSettings.TransValue, 45);
}

TEST_F(ConfigFormTest, OkBringsAFieldConfirmedWithoutLeavingItIntoRange) {
  Open();
  view.texts[C::SpinEditTicksPerUnit] = "0";
  view.texts[C::SpinEditLarge] = "0";
  view.texts[C::SpinEditWidth] = "500";
  config.BitBtnOKClick();
  EXPECT_EQ(AppSettings.TicksPerUnit, 1) << "never a scale of zero ticks per unit";
  EXPECT_EQ(AppSettings.ScaleLarge, 1);
  EXPECT_EQ(AppSettings.NextRulerWidth, 99);
}

TEST_F(ConfigFormTest, AChangedWidthIsToldAndAppliesOnlyNextTime) {
  Open();
  view.texts[C::SpinEditWidth] = "40";
  view.texts[C::SpinEditMove] = "3";
  config.BitBtnOKClick();
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Ruler's width will apply next time you use it"});
  EXPECT_EQ(platform.info_captions, std::vector<std::string>{"Information"});
  EXPECT_EQ(AppSettings.NextRulerWidth, 40);
  EXPECT_EQ(AppSettings.RulerWidth, 60) << "the running ruler keeps its width";
  EXPECT_EQ(AppSettings.MoveStep, 3) << "the rest is stored";
  EXPECT_TRUE(view.closed);
}

TEST_F(ConfigFormTest, ScreenAlignedCrossTurnsAShownScaleLineOffWithTheRulersMessage) {
  main.ExecuteCommand(kCmdShowScaleLine);
  ASSERT_TRUE(main.ScaleLineShown());
  Open();
  view.items[C::RadioGroupStaffDir] = 1;
  config.BitBtnOKClick();
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0].rfind("Scale Line can not be show", 0), 0u) << platform.infos[0];
  EXPECT_TRUE(RulerMenuHas("\n    Show Scale &Line\n"));
  EXPECT_EQ(AppSettings.StaffDir, 1);
  EXPECT_TRUE(view.closed);
}

TEST_F(ConfigFormTest, MessagesOfOneOkComeInTheOrderOfTheSteps) {
  main.ExecuteCommand(kCmdShowScaleLine);
  platform.hotkey_succeeds = false;
  Open();
  view.texts[C::SpinEditWidth] = "40";
  view.items[C::RadioGroupStaffDir] = 1;
  view.hotkeys[C::SysHotKey] = kCtrl | kAlt | 'R';
  config.BitBtnOKClick();
  ASSERT_EQ(platform.infos.size(), 3u);
  EXPECT_EQ(platform.infos[0], "Ruler's width will apply next time you use it");
  EXPECT_EQ(platform.infos[1].rfind("Scale Line can not be show", 0), 0u) << platform.infos[1];
  EXPECT_EQ(platform.infos[2], "Fail to register hot key");
  EXPECT_FALSE(main.ScaleLineShown());
}

TEST_F(ConfigFormTest, SeeThroughTintTakesTheNewColourAndPercentage) {
  ASSERT_TRUE(AppSettings.Transparence) << "see-through is on without app.ini";
  Open();
  view.chooser_answers.push_back(0x123456);
  config.BitBtnKeDuColorClick(C::BitBtnBKColor);
  view.position = 25;
  config.BitBtnOKClick();
  EXPECT_EQ(main.TranspColor, 0x123456u);
  EXPECT_EQ(main.Transparency, 25);
  EXPECT_EQ(AppSettings.BackgroundColor, 0x123456u);
}

TEST_F(ConfigFormTest, ANewHideShowKeyIsRegisteredAgainAndShownOnTheMenu) {
  Open();
  view.hotkeys[C::SysHotKey] = kCtrl | kAlt | 'R';
  config.BitBtnOKClick();
  ASSERT_EQ(platform.hotkey_calls.size(), 1u);
  EXPECT_EQ(platform.hotkey_calls[0].id, 0);
  EXPECT_EQ(platform.hotkey_calls[0].modifiers, 3u) << "MOD_ALT | MOD_CONTROL";
  EXPECT_EQ(platform.hotkey_calls[0].key, static_cast<unsigned>('R'));
  EXPECT_EQ(AppSettings.HotKey, kCtrl | kAlt | 'R');
  EXPECT_TRUE(RulerMenuHas("\n    H&ide  Ctrl+Alt+R\n"));
}

TEST_F(ConfigFormTest, ARefusedHideShowKeyIsToldAndZeroWhileTheRestIsStored) {
  AppSettings.HotKey = kCtrl | 'H';
  platform.registered_hotkeys[0] = {2, 'H'};
  platform.hotkey_succeeds = false;
  Open();
  view.hotkeys[C::SysHotKey] = kCtrl | kAlt | 'R';
  view.texts[C::SpinEditMove] = "9";
  config.BitBtnOKClick();
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Fail to register hot key"});
  EXPECT_EQ(AppSettings.HotKey, 0);
  EXPECT_TRUE(RulerMenuHas("\n    H&ide\n"));
  EXPECT_EQ(platform.registered_hotkeys.count(0), 0u) << "the old key is released";
  EXPECT_EQ(AppSettings.MoveStep, 9);
  EXPECT_TRUE(view.closed);
}

TEST_F(ConfigFormTest, EmptyingTheHideShowKeyReleasesIt) {
  AppSettings.HotKey = kCtrl | 'H';
  platform.registered_hotkeys[0] = {2, 'H'};
  Open();
  view.hotkeys[C::SysHotKey] = 0;
  config.BitBtnOKClick();
  EXPECT_TRUE(platform.registered_hotkeys.empty());
  EXPECT_TRUE(platform.hotkey_calls.empty());
  EXPECT_EQ(AppSettings.HotKey, 0);
}

// ---- colour buttons, Default, Cancel ----

TEST_F(ConfigFormTest, AColourButtonOffersItsColourAndKeepsTheChoiceUntilOk) {
  Open();
  view.chooser_answers.push_back(0x0000FF);
  config.BitBtnKeDuColorClick(C::BitBtnStaffColor);
  EXPECT_EQ(view.chooser_presets, std::vector<Color>{0xFFFFFF});
  EXPECT_EQ(config.ButtonColor(C::BitBtnStaffColor), 0x0000FFu);
  EXPECT_EQ(view.pictures[C::BitBtnStaffColor].transparent, 0xFFFFFFu) << "corner of a non-white swatch";
  EXPECT_EQ(AppSettings.StaffColor, 0xFFFFFFu) << "nothing stored before OK";
  view.chooser_answers.push_back(std::nullopt);
  config.BitBtnKeDuColorClick(C::BitBtnStaffColor);
  EXPECT_EQ(config.ButtonColor(C::BitBtnStaffColor), 0x0000FFu) << "a cancelled chooser changes nothing";
}

TEST_F(ConfigFormTest, DefaultPaintsTheDefaultColoursAndSwitchesTheReadOutOff) {
  AppSettings.BackgroundColor = 0x112233;
  AppSettings.WinBKColor = 0x445566;
  AppSettings.ShowDisplayForm = true;
  Open();
  EXPECT_TRUE(view.Enabled(C::BitBtnWinBKColor));
  config.BitBtnDefaultClick();
  EXPECT_EQ(config.ButtonColor(C::BitBtnBKColor), 0xFF9B37u);
  EXPECT_EQ(config.ButtonColor(C::BitBtnWinBKColor), 0x000000u);
  EXPECT_EQ(config.ButtonColor(C::BitBtnScaleColor), 0x40FF00u);
  EXPECT_EQ(config.ButtonColor(C::BitBtnCurTextColor), 0x00FFFFu);
  EXPECT_FALSE(view.Checked(C::CheckBoxShowDisplayForm));
  EXPECT_FALSE(view.Enabled(C::BitBtnWinBKColor));
  EXPECT_FALSE(view.Enabled(C::Label12));
}

TEST_F(ConfigFormTest, DefaultThenCancelChangesNothing) {
  AppSettings.BackgroundColor = 0x112233;
  AppSettings.ShowDisplayForm = true;
  Open();
  config.BitBtnDefaultClick();
  view.texts[C::SpinEditMove] = "5";
  config.BitBtnCancelClick();
  EXPECT_TRUE(view.closed);
  EXPECT_FALSE(config.Stored());
  EXPECT_EQ(AppSettings.BackgroundColor, 0x112233u);
  EXPECT_TRUE(AppSettings.ShowDisplayForm);
  EXPECT_EQ(AppSettings.MoveStep, 1);
  EXPECT_EQ(platform.infos, std::vector<std::string>{});
}

// ---- the preview ----

TEST_F(ConfigFormTest, PreviewOf50PixelsTenTicksNumberEveryUnit) {
  Open();
  const std::vector<DrawOp> lines = view.preview.Lines();
  const std::vector<DrawOp> texts = view.preview.Texts();
  // Cleared to white first.
  ASSERT_FALSE(view.preview.ops.empty());
  EXPECT_EQ(view.preview.ops[0].kind, DrawOp::Fill);
  EXPECT_EQ(view.preview.ops[0].rect, (Rect{0, 0, 333, 61}));
  EXPECT_EQ(view.preview.ops[0].color, 0xFFFFFFu);
  // n = 333 / 5 = 66.6 -> 67: ticks 0..67 at x = 0, 5, ..., 335, two lines each.
  ASSERT_EQ(lines.size(), 68u * 2);
  for (int i = 0; i <= 67; ++i) {
    const DrawOp& top = lines[2 * i];
    const DrawOp& bottom = lines[2 * i + 1];
    const int x = 5 * i;
    EXPECT_EQ(top.from, (Point{x, 0})) << i;
    if (i % 10 == 0) {
      EXPECT_EQ(top.to, (Point{x, 18})) << i;
      EXPECT_EQ(bottom.from, (Point{x, 61 - 18})) << i;
      EXPECT_EQ(bottom.to, (Point{x, 61})) << i;
    } else {
      EXPECT_EQ(top.to, (Point{x, 10})) << i;
      EXPECT_EQ(bottom.from, (Point{x, 60 - 10})) << i;
      EXPECT_EQ(bottom.to, (Point{x, 60})) << i;
    }
    EXPECT_EQ(top.color, 0u);
  }
  ASSERT_EQ(texts.size(), 7u);
  for (int k = 0; k <= 6; ++k) {
    EXPECT_EQ(texts[k].text, std::to_string(k));
    EXPECT_EQ(texts[k].from, (Point{50 * k - 4, 26})) << "round(i x step - 8 / 2), round(60 div 2 - 4)";
  }
}

TEST_F(ConfigFormTest, AFieldChangedToZeroKeepsThePictureAndAnotherZeroIsDrawnAsOne) {
  Open();
  const int drawn = view.preview_updates;
  view.texts[C::SpinEditTicksPerUnit] = "0";
  config.SpinEditPixelPerUnitChange(C::SpinEditTicksPerUnit);
  EXPECT_EQ(view.preview_updates, drawn) << "a change to 0 leaves the picture";
  view.preview.ops.clear();
  view.texts[C::SpinEditPixelPerUnit] = "100";
  config.SpinEditPixelPerUnitChange(C::SpinEditPixelPerUnit);
  EXPECT_EQ(view.preview_updates, drawn + 1);
  // Ticks per unit 0 draws as 1: a numbered tick every 100 pixels, 0..3.
  const std::vector<DrawOp> texts = view.preview.Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_EQ(texts[3].text, "3");
  EXPECT_EQ(texts[3].from.x, 296);
}

TEST(PreviewScaleTest, TicksCloserThanAPixelDrawEachColumnOnce) {
  testing::RecordingCanvas canvas;
  // One pixel per 1000 ticks: 333 000 ticks, numbered every 1000 x 1000.
  DrawPreviewScale(canvas, 333, 61, 1, 1000, 1000, 60, 8);
  const std::vector<DrawOp> lines = canvas.Lines();
  EXPECT_EQ(canvas.Texts().size(), 1u) << "only tick 0 has a number";
  // Column 0 numbered, then one plain tick for each column 0..333.
  EXPECT_EQ(lines.size(), 2u + 2u * 334u);
}

// ---- opening from the ruler menu ----

TEST_F(ConfigFormTest, PreferencesMenuOpensANewDialogOnceAtATime) {
  int made = 0;
  int nested = 0;
  main.MakeConfigView = [&](TConfigForm& form) -> std::unique_ptr<ConfigView> {
    ++made;
    auto v = std::make_unique<FakeConfigView>(form);
    v->while_shown = [&](FakeConfigView& shown) {
      EXPECT_TRUE(main.ConfigOpen);
      main.ExecuteCommand(kCmdConfig);  // from the notification icon's menu
      nested = made;
      shown.texts[C::SpinEditMove] = "4";
      form.BitBtnOKClick();
    };
    return v;
  };
  main.ExecuteCommand(kCmdConfig);
  EXPECT_EQ(made, 1);
  EXPECT_EQ(nested, 1) << "no second dialog while one is open";
  EXPECT_FALSE(main.ConfigOpen);
  EXPECT_EQ(AppSettings.MoveStep, 4);
}

TEST_F(ConfigFormTest, OkGivesTheToolBarsHideItemTheShowToolBarKey) {
  FakeWindow bar_window;
  testing::FakeToolBarControls bar_controls;
  TFormToolBar bar{platform, bar_window, bar_controls};
  main.SetToolBar(&bar);
  main.MakeConfigView = [&](TConfigForm& form) -> std::unique_ptr<ConfigView> {
    auto v = std::make_unique<FakeConfigView>(form);
    v->while_shown = [&](FakeConfigView& shown) {
      shown.hotkeys[C::HotKeyShowToolBar] = kCtrl | kShift | 'B';
      form.BitBtnOKClick();
    };
    return v;
  };
  main.ExecuteCommand(kCmdConfig);
  main.SetToolBar(nullptr);
  bar.ContextMenu({0, 0});
  EXPECT_EQ(MenuText(bar_controls.shown_menus.back()),
            "    &Hide ToolBar  Ctrl+Shift+B\n"
            "----\n"
            "[x] &Show Cursor\n");
  EXPECT_TRUE(RulerMenuHas("\n[x] Show T&oolBar  Ctrl+Shift+B\n"));
}

TEST(FieldIntegerTest, SignedDecimalWithBlanksAroundIt) {
  EXPECT_EQ(ParseFieldInteger("42"), 42);
  EXPECT_EQ(ParseFieldInteger("  -7 "), -7);
  EXPECT_EQ(ParseFieldInteger("+3"), 3);
  EXPECT_EQ(ParseFieldInteger("2147483647"), 2147483647);
  EXPECT_EQ(ParseFieldInteger("2147483648"), std::nullopt);
  EXPECT_EQ(ParseFieldInteger("-2147483648"), -2147483647 - 1);
  EXPECT_EQ(ParseFieldInteger(""), std::nullopt);
  EXPECT_EQ(ParseFieldInteger("-"), std::nullopt);
  EXPECT_EQ(ParseFieldInteger("1 2"), std::nullopt);
  EXPECT_EQ(ParseFieldInteger("abc"), std::nullopt);
}

// ---- language packs ----

TEST_F(ConfigFormTest, APackGivesItsTextsTitleAndMessages) {
  platform.files["/mensor/Languages/de.txt"] =
      "[Info]\nLanguage=Deutsch\n[String]\nConfigure=Einstellungen\nPixels=Punkte\nShow ToolBar=\n"
      "Big=Gross\nMoving by keyboard=  \nCan not set the same hot key=Doppelt belegt\n";
  AppSettings.LanguageFileName = "de.txt";
  LanguageIndex = 0;
  Open();
  LanguageIndex = -1;
  EXPECT_EQ(view.title, "Mensor Einstellungen");
  EXPECT_EQ(view.texts[C::Label4], "Punkte");
  EXPECT_EQ(view.texts[C::Label26], "Punkte") << "\"pixels\" is the same entry";
  EXPECT_EQ(view.texts[C::StaffSizeBig], "Gross");
  EXPECT_EQ(view.texts[C::LabelShowToolBar], "") << "present means used";
  EXPECT_EQ(view.texts[C::GroupBox1], "Moving by keyboard") << "blank means English";
  EXPECT_EQ(view.texts[C::Label1], "Use arrow keys to move");
  view.hotkeys[C::HotKeyCircum] = kCtrl | 'A';
  view.hotkeys[C::HotKeyPlumb] = kCtrl | 'A';
  config.BitBtnOKClick();
  EXPECT_EQ(platform.infos, std::vector<std::string>{"Doppelt belegt"});
}

TEST_F(ConfigFormTest, HotKeyFieldsShowTheirKeysInThePacksWords) {
  platform.files["/mensor/Languages/de.txt"] =
      "[Info]\nLanguage=Deutsch\n[Keys]\nCtrl+=Strg+\nAlt+=Alt+\nNone=Keine\nSpace=Leertaste\n";
  AppSettings.LanguageFileName = "de.txt";
  AppSettings.HotKeyCircum = kCtrl | 0x20;
  AppSettings.HotKeyPlumb = kAlt | 0x25;
  LanguageIndex = 0;
  Open();
  LanguageIndex = -1;
  EXPECT_EQ(view.HotKeyText(C::HotKeyCircum), "Strg+Leertaste");
  EXPECT_EQ(view.HotKeyText(C::HotKeyPlumb), "Alt+Left") << "a word the pack lacks is English";
  EXPECT_EQ(view.HotKeyText(C::HotKeyCalculator), "Keine");
}

TEST_F(ConfigFormTest, AMissingPackGivesEnglish) {
  AppSettings.LanguageFileName = "gone.txt";
  LanguageIndex = 3;
  Open();
  LanguageIndex = -1;
  EXPECT_EQ(view.title, "Mensor Configure");
  EXPECT_EQ(view.texts[C::GroupBox2], "  Mensor Color  ");
  EXPECT_EQ(view.HotKeyText(C::HotKeyCalculator), "None");
}

}  // namespace
}  // namespace mensor
