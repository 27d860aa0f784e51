// The rows of the ruler's popup menu. The Units radio items show Unit, the
// check items the ruler's state fields; the commands that lay the ruler out
// anew change its place, size and shape in one step, shown by one paint.
#include "app/ruler_commands.h"

#include "app/main_form.h"

namespace mensor {
namespace {

using Command = CommandRow<TMainForm>;
using K = CommandKind;
using F = TMainForm;

constexpr Command kRows[] = {
    {.id = kCmdAbout, .name = "PMenuAbout", .text = "&About...", .run = [](F& f) { f.PMenuAboutClick(); }},
    {.id = kCmdHelp, .name = "PMenuHelp", .text = "&Help", .fixed_shortcut = vk::kF1,
     .run = [](F& f) { f.PMenuHelpClick(); }},
    {.kind = K::Separator},
    // The caption shows the state; "HideCaption" and "ShowCaption" carry its texts.
    {.id = kCmdHide, .name = "PMenuHide", .shortcut = &TAppSettings::HotKey, .run = [](F& f) { f.PMenuHideClick(); },
     .caption_of = [](const F& f) { return f.RulerHidden ? f.ShowCaption : f.HideCaption; }},
    {.id = kCmdOnTop, .name = "PMenuOnTop", .text = "Always On &Top", .kind = K::Check,
     .shortcut = &TAppSettings::HotKeyAlwaysTop, .checked = [](const F& f) { return f.OnTop(); },
     .run = [](F& f) { f.PMenuOnTopClick(); }},
    {.id = kCmdTranser, .name = "PMenuTranser", .text = "Tra&nsparent", .kind = K::Check,
     .shortcut = &TAppSettings::HotKeyTranser, .checked = [](const F& f) { return f.SeeThrough(); },
     .run = [](F& f) { f.PMenuTranserClick(); }},
    {.name = "PMenuUnit", .text = "&Units", .kind = K::Submenu},
    {.id = kCmdPixels, .name = "PMenuPels", .text = "&Pixels", .kind = K::Radio, .in = "PMenuUnit",
     .checked = [](const F& f) { return f.Unit == kUnitPixels && !f.ScaledPixels; },
     .run = [](F& f) { f.PMenuUnitClick(kUnitPixels); }},
    {.id = kCmdCM, .name = "PMenuCM", .text = "&CM", .kind = K::Radio, .in = "PMenuUnit",
     .checked = [](const F& f) { return f.Unit == kUnitCentimetres; },
     .run = [](F& f) { f.PMenuUnitClick(kUnitCentimetres); }},
    {.id = kCmdInch, .name = "PMenuInch", .text = "&Inches", .kind = K::Radio, .in = "PMenuUnit",
     .checked = [](const F& f) { return f.Unit == kUnitInches; },
     .run = [](F& f) { f.PMenuUnitClick(kUnitInches); }},
    {.id = kCmdScaledPixels, .name = "PMenuScaledPixels", .text = "Scal&ed Pixels", .kind = K::Radio,
     .in = "PMenuUnit", .checked = [](const F& f) { return f.Unit == kUnitPixels && f.ScaledPixels; },
     .run = [](F& f) { f.PMenuScaledPixelsClick(); }},
    {.kind = K::Separator, .in = "PMenuUnit"},
    {.id = kCmdCustom, .name = "PMenuCustom", .text = "Cu&stom", .kind = K::Radio, .in = "PMenuUnit",
     .checked = [](const F& f) { return f.Unit == kUnitCustom; },
     .run = [](F& f) { f.PMenuUnitClick(kUnitCustom); }},
    {.kind = K::Separator, .in = "PMenuUnit"},
    {.id = kCmdTrueSize, .name = "PMenuTrueSize", .text = "&True Size", .kind = K::Check, .in = "PMenuUnit",
     .checked = [](const F& f) { return f.TrueSize; }, .run = [](F& f) { f.PMenuTrueSizeClick(); }},
    {.id = kCmdCalibrate, .name = "PMenuCalibrate", .text = "C&alibrate...", .in = "PMenuUnit",
     .run = [](F& f) { f.PMenuCalibrateClick(); }},
    {.kind = K::Separator},
    {.id = kCmdCircum, .name = "PMenuCircum", .text = "&Rotate", .kind = K::Check,
     .shortcut = &TAppSettings::HotKeyCircum, .checked = [](const F& f) { return f.RotateMode; },
     .run = [](F& f) { f.PMenuCircumClick(); }},
    {.id = kCmdLeval, .name = "PMenuLeval", .text = "Hori&zontal", .shortcut = &TAppSettings::HotKeyLeval,
     .run = [](F& f) {
       const WindowUpdate update(f.window);
       f.PMenuLevalClick();
     }},
    {.id = kCmdPlumb, .name = "PMenuPlumb", .text = "&Vertical", .shortcut = &TAppSettings::HotKeyPlumb,
     .run = [](F& f) {
       const WindowUpdate update(f.window);
       f.PMenuPlumbClick();
     }},
    {.id = kCmdFitHorizontal, .name = "MenuFitScreen", .text = "&Fit Screen As Horizontal",
     .run = [](F& f) {
       const WindowUpdate update(f.window);
       f.MenuFitScreenClick();
     }},
    {.id = kCmdFitVertical, .name = "FitScreenAsHorizontal1", .text = "Fit &Screen As Vertical",
     .run = [](F& f) {
       const WindowUpdate update(f.window);
       f.FitScreenAsHorizontal1Click();
     }},
    // Never shown, never checked: no command sets it.
    {.id = kCmdDrawLine, .name = "PMenuDrawLine", .text = "&DrawLine", .kind = K::Radio, .visible = false},
    {.kind = K::Separator},
    {.id = kCmdSnapToEdges, .name = "PMenuSnapToEdges", .text = "Snap to &Edges", .kind = K::Check,
     .checked = [](const F& f) { return f.SnapToEdges; }, .run = [](F& f) { f.PMenuSnapToEdgesClick(); }},
    {.id = kCmdMeasureGap, .name = "PMenuMeasureGap", .text = "Measure &Gap", .fixed_shortcut = 'G',
     .run = [](F& f) { f.PMenuMeasureGapClick(); }},
    {.kind = K::Separator},
    {.id = kCmdShowScaleLine, .name = "MenuShowScaleLine", .text = "Show Scale &Line", .kind = K::Check,
     .shortcut = &TAppSettings::HotKeyShowScaleLine, .checked = [](const F& f) { return f.ScaleLineShown(); },
     .run = [](F& f) { f.MenuShowScaleLineClick(); }},
    {.id = kCmdToolBar, .name = "PMenuToolBar", .text = "Show T&oolBar", .kind = K::Check,
     .shortcut = &TAppSettings::HotKeyShowToolBar, .checked = [](const F& f) { return f.ToolBarShown(); },
     .run = [](F& f) { f.PMenuToolBarClick(); }},
    {.kind = K::Separator},
    {.id = kCmdCalculator, .name = "PMenuCalculator", .text = "&Calculator", .shortcut = &TAppSettings::HotKeyCalculator,
     .run = [](F& f) { f.PMenuCalculatorClick(); }},
    {.kind = K::Separator},
    {.id = kCmdConfig, .name = "PMenuConfig", .text = "&Preferences...", .run = [](F& f) { f.PMenuConfigClick(); }},
    // Then one radio item per language pack.
    {.name = "PMenuLanguage", .text = "&Language", .translated = false, .kind = K::Submenu,
     .entries = [](const F& f, std::vector<MenuItem>& items) { f.AddLanguageEntries(items); }},
    {.id = kCmdEnglish, .name = "PMenuEnglish", .text = "&English (Default)", .translated = false, .kind = K::Radio,
     .in = "PMenuLanguage", .checked = [](const F& f) { return f.CheckedLanguage() == -1; },
     .run = [](F& f) { f.LanguageMenuClick(kCmdEnglish); }},
    {.kind = K::Separator, .in = "PMenuLanguage"},
    {.kind = K::Separator},
    {.id = kCmdExit, .name = "PMenuExit", .text = "E&xit", .run = [](F& f) { f.PMenuExitClick(); }},
};

constexpr TextRow Row(std::string_view key, std::string_view target) { return TextRow{key, target, Rule::A, key}; }

const std::vector<TextRow> kTextRows = [] {
  std::vector<TextRow> rows = CommandTextRows<TMainForm>(kRows, Rule::A);
  for (const TextRow& row : {
           Row("H&ide", "HideCaption"),
           Row("Sh&ow", "ShowCaption"),
           Row("Fail to find Calculator in Windows", "CalculatorErrorText"),
           Row("Fail to register hot key", "HotKeyErrorText"),
           Row("Information", "InfoCaption"),
           Row("No edge", "NoGapText"),
       })
    rows.push_back(row);
  return rows;
}();

}  // namespace

const CommandTable<TMainForm> kRulerCommands{kRows};
const TextTable kMainFormTexts{kTextRows};

}  // namespace mensor
