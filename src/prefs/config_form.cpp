// TConfigForm: showing, the controls' handlers, the preview and OK.
#include "prefs/config_form.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "commands/ruler_link.h"
#include "lang/language.h"
#include "lang/language_pack.h"
#include "lang/text_tables.h"
#include "prefs/config_layout.h"
#include "settings/app_settings.h"
#include "settings/color_swatch.h"
#include "settings/settings_table.h"

namespace mensor {
namespace {

using C = ConfigControl;

// The colour buttons and what each shows. The order is the order of
// button_colors_.
struct ColorBinding {
  ConfigControl button;
  Color TAppSettings::*setting;
};
constexpr ColorBinding kColors[] = {
    {C::BitBtnKeDuColor, &TAppSettings::ForegroundColor},
    {C::BitBtnNumberColor, &TAppSettings::NumberColor},
    {C::BitBtnCurTextColor, &TAppSettings::CurTextColor},
    {C::BitBtnBKColor, &TAppSettings::BackgroundColor},
    {C::BitBtnStaffColor, &TAppSettings::StaffColor},
    {C::BitBtnScaleColor, &TAppSettings::ScaleLine},
    {C::BitBtnWinNumColor, &TAppSettings::WinNumberColor},
    {C::BitBtnWinBKColor, &TAppSettings::WinBKColor},
};

int ColorSlot(ConfigControl button) {
  for (int i = 0; i < static_cast<int>(std::size(kColors)); ++i)
    if (kColors[i].button == button) return i;
  return -1;
}

// The dialog's field for each setting that holds a shortcut of the ruler's
// commands (one row of the "Hot Key" page each). Which rows there are, and
// the order OK checks them in, follow the ruler's commands.
struct HotKeyField {
  Shortcut TAppSettings::*setting;
  ConfigControl field;
};
constexpr HotKeyField kHotKeyFields[] = {
    {&TAppSettings::HotKey, C::SysHotKey},
    {&TAppSettings::HotKeyAlwaysTop, C::HotKeyAlwaysTop},
    {&TAppSettings::HotKeyTranser, C::HotKeyTrans},
    {&TAppSettings::HotKeyCircum, C::HotKeyCircum},
    {&TAppSettings::HotKeyLeval, C::HotKeyLeval},
    {&TAppSettings::HotKeyPlumb, C::HotKeyPlumb},
    {&TAppSettings::HotKeyShowScaleLine, C::HotKeyShowScaleLine},
    {&TAppSettings::HotKeyShowToolBar, C::HotKeyShowToolBar},
    {&TAppSettings::HotKeyCalculator, C::HotKeyCalculator},
};

// Where the texts of the dialog's language table go: its controls by their
// names (radio items by group and index).
struct TextTarget {
  std::string_view name;
  ConfigControl control;
};
constexpr TextTarget kTextTargets[] = {
    {"TabSheetSys", C::TabSheetSys},
    {"GroupBox1", C::GroupBox1},
    {"Label1", C::Label1},
    {"Label4", C::Label4},
    {"RadioGroupStaffSize", C::RadioGroupStaffSize},
    {"RadioGroupStaffSize.Items[0]", C::StaffSizeBig},
    {"RadioGroupStaffSize.Items[1]", C::StaffSizeSmall},
    {"RadioGroupStaffDir", C::RadioGroupStaffDir},
    {"RadioGroupStaffDir.Items[0]", C::StaffDirRuler},
    {"RadioGroupStaffDir.Items[1]", C::StaffDirScreen},
    {"GroupBoxTran", C::GroupBoxTran},
    {"CheckBoxJumpCursor", C::CheckBoxJumpCursor},
    {"LabelSnapTolerance", C::LabelSnapTolerance},
    {"LabelCopyAs", C::LabelCopyAs},
    {"ComboBoxCopyFormat.Items[0]", C::CopyFormatValueAndUnit},
    {"ComboBoxCopyFormat.Items[1]", C::CopyFormatValueOnly},
    {"GroupBox6", C::GroupBox6},
    {"Label14", C::Label14},
    {"Label26", C::Label26},
    {"TabSheetBackground", C::TabSheetBackground},
    {"GroupBox2", C::GroupBox2},
    {"Label3", C::Label3},
    {"Label2", C::Label2},
    {"Label6", C::Label6},
    {"Label7", C::Label7},
    {"Label16", C::Label16},
    {"Label24", C::Label24},
    {"CheckBoxShowDisplayForm", C::CheckBoxShowDisplayForm},
    {"Label15", C::Label15},
    {"Label12", C::Label12},
    {"BitBtnDefault", C::BitBtnDefault},
    {"TabSheetCustom", C::TabSheetCustom},
    {"GroupBox3", C::GroupBox3},
    {"Label8", C::Label8},
    {"Label9", C::Label9},
    {"Label10", C::Label10},
    {"Label11", C::Label11},
    {"TabSheetHotKey", C::TabSheetHotKey},
    {"GroupBox5", C::GroupBox5},
    {"Label5", C::Label5},
    {"Label17", C::Label17},
    {"Label18", C::Label18},
    {"Label19", C::Label19},
    {"Label20", C::Label20},
    {"Label21", C::Label21},
    {"Label25", C::Label25},
    {"LabelShowToolBar", C::LabelShowToolBar},
    {"Label22", C::Label22},
    {"BitBtnOK", C::BitBtnOK},
    {"BitBtnCancel", C::BitBtnCancel},
};

constexpr Shortcut kPlainF1 = vk::kF1;
// What the percentage field gives for a text that is no integer.
constexpr int kTranValueFallback = 60;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;

}  // namespace

std::optional<int> ParseFieldInteger(const std::string& text) {
  std::string_view digits = text;
  while (!digits.empty() && (digits.front() == ' ' || digits.front() == '\t')) digits.remove_prefix(1);
  while (!digits.empty() && (digits.back() == ' ' || digits.back() == '\t')) digits.remove_suffix(1);
  return ParseDecimalInt32(digits);
}

TConfigForm::TConfigForm(Platform& platform, RulerLink& ruler) : platform_(platform), ruler_(ruler) {}

std::vector<TConfigForm::HotKeyRow> TConfigForm::HotKeyRows() const {
  std::vector<HotKeyRow> rows;
  for (Shortcut TAppSettings::*setting : ruler_.ShortcutSettings())
    for (const HotKeyField& f : kHotKeyFields)
      if (f.setting == setting) rows.push_back({f.field, setting});
  return rows;
}

Color TConfigForm::ButtonColor(ConfigControl button) const {
  const int slot = ColorSlot(button);
  return slot < 0 ? 0 : button_colors_[slot];
}

void TConfigForm::PaintColorSwatch(ConfigControl button, Color color) {
  const Size size = view().ControlSize(button);
  view().SetButtonPicture(button, mensor::PaintColorSwatch(size.cx, size.cy, color));
  const int slot = ColorSlot(button);
  if (slot >= 0) button_colors_[slot] = color;
}

int TConfigForm::SpinValue(ConfigControl field) const {
  return ParseFieldInteger(view().Text(field)).value_or(LayoutOf(field).min);
}

int TConfigForm::SpinValueInRange(ConfigControl field) const {
  const ConfigLayoutEntry& entry = LayoutOf(field);
  return std::clamp(SpinValue(field), entry.min, entry.max);
}

void TConfigForm::SetSpinValue(ConfigControl field, int value) {
  const ConfigLayoutEntry& entry = LayoutOf(field);
  view().SetText(field, std::to_string(std::clamp(value, entry.min, entry.max)));
}

void TConfigForm::SetSliderPosition(int position) {
  const ConfigLayoutEntry& slider = LayoutOf(C::TrackBarTran);
  position = std::clamp(position, slider.min, slider.max);
  if (view().Position(C::TrackBarTran) == position) return;
  view().SetPosition(C::TrackBarTran, position);
  TrackBarTranChange();
}

// ---- texts ----

void TConfigForm::SetLanguage(int index) { Apply(LanguageTexts(platform_, kConfigFormTexts, index)); }

void TConfigForm::SetDefaultLanguage() { Apply(EnglishTexts(kConfigFormTexts)); }

void TConfigForm::Apply(const WindowTexts& texts) {
  view().SetShortcutWords(texts.shortcut_words);
  for (const TargetText& t : texts.items) {
    if (t.target == "DialogTitle") {
      DialogTitle = t.text;
    } else if (t.target == "RegisterHotKeyErrorText") {
      RegisterHotKeyErrorText = t.text;
    } else if (t.target == "WidthNextTimeText") {
      WidthNextTimeText = t.text;
    } else if (t.target == "F1HotKeyText") {
      F1HotKeyText = t.text;
    } else if (t.target == "SameHotKeyText") {
      SameHotKeyText = t.text;
    } else {
      for (const TextTarget& target : kTextTargets)
        if (target.name == t.target) view().SetText(target.control, t.text);
    }
  }
}

// ---- showing ----

void TConfigForm::FormShow() {
  // 1. Texts, then the title.
  SetLanguage(LanguageIndex);
  view().SetTitle(DialogTitle);

  // 2. The controls from the settings; number fields bring the values into
  // their ranges.
  SetSpinValue(C::SpinEditMove, AppSettings.MoveStep);
  view().SetHotKey(C::SysHotKey, AppSettings.HotKey);
  SetSpinValue(C::SpinEditWidth, AppSettings.NextRulerWidth);
  SetSpinValue(C::SpinEditSnapTolerance, AppSettings.SnapTolerance);
  for (const ColorBinding& c : kColors) PaintColorSwatch(c.button, AppSettings.*c.setting);
  view().SetChecked(C::CheckBoxJumpCursor, AppSettings.JumpCursor);
  view().SetChecked(C::CheckBoxShowDisplayForm, AppSettings.ShowDisplayForm);
  SetSpinValue(C::SpinEditSmall, AppSettings.ScaleSmall);
  SetSpinValue(C::SpinEditLarge, AppSettings.ScaleLarge);
  view().SetItemIndex(C::RadioGroupStaffSize, AppSettings.StaffSize);
  view().SetItemIndex(C::RadioGroupStaffDir, AppSettings.StaffDir);
  view().SetItemIndex(C::ComboBoxCopyFormat, AppSettings.CopyFormat);
  SetSpinValue(C::SpinEditPixelPerUnit, AppSettings.PixelPerUnit);
  SetSpinValue(C::SpinEditTicksPerUnit, AppSettings.TicksPerUnit);
  SetSpinValue(C::SpinEditDisplayValueUnit, AppSettings.DisplayValueUnit);
  // The percentage field shows the slider's position (a hand-edited value
  // outside 0..100 as the slider takes it).
  SetSliderPosition(AppSettings.TransValue);
  view().SetText(C::EditTranValue, std::to_string(view().Position(C::TrackBarTran)));
  for (const HotKeyRow& h : HotKeyRows())
    if (h.field != C::SysHotKey) view().SetHotKey(h.field, AppSettings.*h.setting);

  // 3.-5. The first page, the preview, the read-out group.
  view().SetActivePage(kPageSys);
  PreviewRuler();
  CheckBoxShowDisplayFormClick();
}

// ---- controls ----

void TConfigForm::CheckBoxShowDisplayFormClick() {
  const bool on = view().Checked(C::CheckBoxShowDisplayForm);
  for (ConfigControl c : {C::BitBtnWinNumColor, C::BitBtnWinBKColor, C::Label15, C::Label12})
    view().SetEnabled(c, on);
}

void TConfigForm::BitBtnKeDuColorClick(ConfigControl button) {
  if (ColorSlot(button) < 0) return;
  if (const std::optional<Color> chosen = view().ChooseColor(ButtonColor(button))) PaintColorSwatch(button, *chosen);
}

void TConfigForm::BitBtnDefaultClick() {
  // The defaults of the settings' entries.
  for (const ColorBinding& c : kColors) PaintColorSwatch(c.button, DefaultOf(c.setting));
  view().SetChecked(C::CheckBoxShowDisplayForm, DefaultOf(&TAppSettings::ShowDisplayForm));
  CheckBoxShowDisplayFormClick();
}

void TConfigForm::TrackBarTranChange() {
  view().SetText(C::EditTranValue, std::to_string(view().Position(C::TrackBarTran)));
}

int TConfigForm::EditTranValueValue() const {
  const ConfigLayoutEntry& field = LayoutOf(C::EditTranValue);
  const int value = ParseFieldInteger(view().Text(C::EditTranValue)).value_or(kTranValueFallback);
  return std::clamp(value, field.min, field.max);
}

bool TConfigForm::EditTranValueKeyPress(char key) {
  constexpr char kBackspace = 8;
  constexpr char kEnter = 13;
  if (key == kEnter) {
    const int value = EditTranValueValue();
    SetSliderPosition(value);
    view().SetText(C::EditTranValue, std::to_string(value));
    return false;
  }
  return (key >= '0' && key <= '9') || key == kBackspace || key == ' ';
}

void TConfigForm::EditTranValueExit() {
  const int value = EditTranValueValue();
  SetSliderPosition(value);
  // The field shows the value taken also when the slider stood there already
  // (a text like "150" or "abc" must not stay beside a slider at 100 or 60).
  view().SetText(C::EditTranValue, std::to_string(value));
}

void TConfigForm::SpinEditExit(ConfigControl field) {
  const ConfigLayoutEntry& entry = LayoutOf(field);
  if (entry.kind != ConfigKind::SpinEdit) return;
  const std::string text = view().Text(field);
  const int value = SpinValueInRange(field);
  if (text != std::to_string(value)) view().SetText(field, std::to_string(value));
}

void TConfigForm::SpinEditPixelPerUnitChange(ConfigControl field) {
  if (SpinValue(field) != 0) PreviewRuler();
}

// ---- preview ----

void DrawPreviewScale(Canvas& canvas, int width, int height, int pixel_per_unit, int ticks_per_unit,
                      int display_value_unit, int ruler_width, int font_points) {
  if (pixel_per_unit < 1 || ticks_per_unit < 1 || display_value_unit < 1) return;
  const double step = static_cast<double>(pixel_per_unit) / ticks_per_unit;
  const long long every = static_cast<long long>(display_value_unit) * ticks_per_unit;
  const long long n = std::llrint(width / step);
  const double s = font_points;
  const int number_y = static_cast<int>(std::lrint((ruler_width / 2) - s / 2));
  // Plain ticks closer than a pixel land on the same column: one drawing of
  // that column is enough (the pixels are the same).
  long long last_plain_x = std::numeric_limits<long long>::min();
  for (long long i = 0; i <= n; ++i) {
    const long long x = std::llrint(i * step);
    const int xi = static_cast<int>(x);
    if (i % every != 0) {
      if (x == last_plain_x) continue;
      last_plain_x = x;
      canvas.MoveTo(xi, 0);
      canvas.LineTo(xi, 10);
      canvas.MoveTo(xi, ruler_width - 10);
      canvas.LineTo(xi, ruler_width);
    } else {
      canvas.MoveTo(xi, 0);
      canvas.LineTo(xi, 18);
      canvas.MoveTo(xi, height - 18);
      canvas.LineTo(xi, height);
      canvas.TextOut(static_cast<int>(std::llrint(i * step - s / 2)), number_y, std::to_string(i / every));
    }
  }
}

void TConfigForm::PreviewRuler() {
  const Size size = view().PreviewSize();
  Canvas& canvas = view().PreviewCanvas();
  canvas.FillRect({0, 0, size.cx, size.cy}, kWhite);
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenColor(kBlack);
  Font font;  // the picture's default font
  font.color = kBlack;
  canvas.SetFont(font);
  // A field holding a value outside its range (0 while the user types, or
  // more than 1000) is drawn as the value leaving the field will give it, so
  // that the preview never divides by zero and shows what OK stores.
  DrawPreviewScale(canvas, size.cx, size.cy, SpinValueInRange(C::SpinEditPixelPerUnit),
                   SpinValueInRange(C::SpinEditTicksPerUnit), SpinValueInRange(C::SpinEditDisplayValueUnit),
                   AppSettings.RulerWidth, font.points);
  view().PreviewChanged();
}

// ---- OK and Cancel ----

bool TConfigForm::CheckHotKeys() {
  const std::vector<HotKeyRow> rows = HotKeyRows();
  for (const HotKeyRow& h : rows) {
    const Shortcut value = view().HotKey(h.field);
    const std::string* message = nullptr;
    if (value == kPlainF1) {
      message = &F1HotKeyText;
    } else if (value != 0) {
      for (const HotKeyRow& other : rows)
        if (other.field != h.field && view().HotKey(other.field) == value) message = &SameHotKeyText;
    }
    if (message == nullptr) continue;
    ShowInfo(platform_, *message);
    // The offending field is shown and focused, so the user sees which one.
    view().SetActivePage(kPageHotKey);
    if (view().Enabled(h.field)) view().Focus(h.field);
    return false;
  }
  return true;
}

void TConfigForm::BitBtnOKClick() {
  // 1. Hot keys: plain F1 and duplicates are refused.
  if (!CheckHotKeys()) return;

  // 2. Keyboard step and the width of the next start. Number fields give
  // the value leaving them would give, also when Enter confirmed a text typed
  // without leaving the field.
  AppSettings.MoveStep = SpinValueInRange(C::SpinEditMove);
  AppSettings.NextRulerWidth = SpinValueInRange(C::SpinEditWidth);
  if (AppSettings.NextRulerWidth != AppSettings.RulerWidth) ShowInfo(platform_, WidthNextTimeText);
  AppSettings.SnapTolerance = SpinValueInRange(C::SpinEditSnapTolerance);

  // 3. Jump to cursor, the colours, the read-out window.
  AppSettings.JumpCursor = view().Checked(C::CheckBoxJumpCursor);
  AppSettings.ForegroundColor = ButtonColor(C::BitBtnKeDuColor);
  AppSettings.BackgroundColor = ButtonColor(C::BitBtnBKColor);
  AppSettings.NumberColor = ButtonColor(C::BitBtnNumberColor);
  AppSettings.StaffColor = ButtonColor(C::BitBtnStaffColor);
  AppSettings.CurTextColor = ButtonColor(C::BitBtnCurTextColor);
  AppSettings.WinBKColor = ButtonColor(C::BitBtnWinBKColor);
  AppSettings.ScaleLine = ButtonColor(C::BitBtnScaleColor);
  AppSettings.ShowDisplayForm = view().Checked(C::CheckBoxShowDisplayForm);
  AppSettings.WinNumberColor = ButtonColor(C::BitBtnWinNumColor);

  // What Copy Measurement copies (no choice: the default).
  const int copy_format = view().ItemIndex(C::ComboBoxCopyFormat);
  AppSettings.CopyFormat = copy_format == kCopyValueOnly ? kCopyValueOnly : kCopyValueAndUnit;

  // 4. The cross-hair; a screen-aligned cross refuses the scale line.
  AppSettings.StaffSize = std::clamp(view().ItemIndex(C::RadioGroupStaffSize), 0, 1);
  AppSettings.StaffDir = std::clamp(view().ItemIndex(C::RadioGroupStaffDir), 0, 1);
  ruler_.CrossHairChanged();

  // 5. See-through percentage: the slider's (a text not yet applied in the
  // percentage field does not count).
  AppSettings.TransValue = view().Position(C::TrackBarTran);

  // 6. Scale ratio.
  AppSettings.ScaleSmall = SpinValueInRange(C::SpinEditSmall);
  AppSettings.ScaleLarge = SpinValueInRange(C::SpinEditLarge);
  if (AppSettings.ScaleLarge != 0)
    AppSettings.ScaleRatio = static_cast<double>(AppSettings.ScaleSmall) / AppSettings.ScaleLarge;

  // 7. See-through tint of the next capture.
  ruler_.SeeThroughTintChanged();

  // 8. Custom unit.
  AppSettings.PixelPerUnit = SpinValueInRange(C::SpinEditPixelPerUnit);
  AppSettings.TicksPerUnit = SpinValueInRange(C::SpinEditTicksPerUnit);
  AppSettings.DisplayValueUnit = SpinValueInRange(C::SpinEditDisplayValueUnit);

  // 9. The eight menu hot keys: the ruler's and the tool bar's menus show
  // them from now on.
  for (const HotKeyRow& h : HotKeyRows())
    if (h.field != C::SysHotKey) AppSettings.*h.setting = view().HotKey(h.field);

  // 10. The global Hide/Show hot key, registered again when it changed.
  const Shortcut hide = view().HotKey(C::SysHotKey);
  if (hide != AppSettings.HotKey) ruler_.ChangeHideHotKey(hide, RegisterHotKeyErrorText);

  // 11. The ruler shows the new settings; the dialog closes.
  stored_ = true;
  ruler_.SettingsApplied();
  view().Close();
}

void TConfigForm::BitBtnCancelClick() { view().Close(); }

}  // namespace mensor
