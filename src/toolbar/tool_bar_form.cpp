// TFormToolBar: creation, show, the ruler's placement, dragging with edge
// snapping, the magnifier switch and tick, the popup menu, keys and texts.
#include "toolbar/tool_bar_form.h"

#include <algorithm>

#include "commands/ruler_link.h"
#include "lang/language.h"
#include "settings/app_settings.h"
#include "lang/language_pack.h"
#include "toolbar/tool_bar_math.h"
#include "ui/text_fit.h"
#include "ui/clipboard.h"

namespace mensor {
namespace {

using Command = CommandRow<TFormToolBar>;
using F = TFormToolBar;

constexpr Command kRows[] = {
    {.id = kCmdHideToolBar, .name = "PMenuHideToolBar", .text = "&Hide ToolBar",
     .shortcut = &TAppSettings::HotKeyShowToolBar, .run = [](F& f) { f.PMenuHideToolBarClick(); }},
    {.kind = CommandKind::Separator},
    {.id = kCmdShowCursor, .name = "PMenuShowCursor", .text = "&Show Cursor", .kind = CommandKind::Check,
     .checked = [](const F&) { return AppSettings.ShowCursor; }, .run = [](F& f) { f.PMenuShowCursorClick(); }},
    {.id = kCmdShowGrid, .name = "PMenuShowGrid", .text = "Show &Grid", .kind = CommandKind::Check,
     .checked = [](const F&) { return AppSettings.ShowGrid; }, .run = [](F& f) { f.PMenuShowGridClick(); }},
    // Never shown; it only gives the tool bar F1 for the help file.
    {.id = kCmdToolBarHelp, .name = "Help1", .text = "Help", .translated = false, .fixed_shortcut = vk::kF1,
     .run = [](F& f) { f.Help1Click(); }, .visible = false},
};

constexpr TextRow TextOf(std::string_view key, std::string_view target) {
  return TextRow{key, target, Rule::B, key};
}

const std::vector<TextRow> kTextRows = [] {
  std::vector<TextRow> rows = {
      TextOf("Magnifier", "SpeedButtonMagnifier.Hint"),
      TextOf("Calculator", "SpeedButtonCalcu.Hint"),
      TextOf("Multiple", "LabelInfo"),
  };
  for (const TextRow& row : CommandTextRows<TFormToolBar>(kRows, Rule::B)) rows.push_back(row);
  rows.push_back(TextOf("The colour could not be copied: another program is using the clipboard.", "ColorNotCopiedText"));
  return rows;
}();

bool Inside(const Rect& r, int x, int y) { return r.Contains({x, y}); }

// The drag areas: the band around the buttons, PanelTool included.
bool OnDragArea(int x, int y) {
  return Inside(TFormToolBar::kBand, x, y) && !Inside(TFormToolBar::kMagnifierButton, x, y) &&
         !Inside(TFormToolBar::kCalculatorButton, x, y);
}

void Bevel(Canvas& canvas, const Rect& r, Color top_left, Color bottom_right) {
  canvas.SetPenColor(top_left);
  canvas.MoveTo(r.left, r.bottom - 1);
  canvas.LineTo(r.left, r.top);
  canvas.LineTo(r.right - 1, r.top);
  canvas.SetPenColor(bottom_right);
  canvas.LineTo(r.right - 1, r.bottom - 1);
  canvas.LineTo(r.left - 1, r.bottom - 1);
}

Rect Shrunk(const Rect& r, int by) { return {r.left + by, r.top + by, r.right - by, r.bottom - by}; }

}  // namespace

const CommandTable<TFormToolBar> kToolBarCommands{kRows};
const TextTable kToolBarTexts{kTextRows};

TFormToolBar::TFormToolBar(Platform& p, Window& w, ToolBarControls& c)
    : platform(p), window(w), controls(c), captions_(EnglishCaptions(kToolBarCommands)) {}

Menu TFormToolBar::PopupMenu() const {
  Menu menu;
  menu.items = CommandMenu(kToolBarCommands, *this, captions_, shortcut_words_);
  return menu;
}

Rect TFormToolBar::ScreenRect() const {
  // The monitor the tool bar is on (most of it), or the primary one.
  return MonitorOfRect(platform.Monitors(), window.Bounds()).bounds;
}

void TFormToolBar::SetTimer(bool on) {
  if (TimerMagnifier == on) return;
  TimerMagnifier = on;
  controls.SetTimerEnabled(on);
}

// ---- lifecycle ----

void TFormToolBar::FormCreate() {
  const Rect bounds = window.Bounds();
  window.SetBounds(bounds.left, bounds.top, kWidth, kBandHeight);
  window.SetTopmost(true);
  ApplyTexts(Texts);
  SpeedButtonMagnifierDown = AppSettings.Magnifier;
  SpeedButtonMagnifierClick();
  controls.SetFactorText(std::to_string(kInitialFactor));
}

void TFormToolBar::FormShow() { SetLanguage(LanguageIndex); }

void TFormToolBar::FormDestroy() { SetTimer(false); }

// ---- the ruler's side ----

void TFormToolBar::ShowPlaced() {
  const Rect bounds = window.Bounds();
  // Clamped into the monitor that holds the saved place (the primary one
  // when that monitor is gone).
  const Rect saved{AppSettings.ToolBarX, AppSettings.ToolBarY, AppSettings.ToolBarX + bounds.Width(),
                   AppSettings.ToolBarY + bounds.Height()};
  const Point at = PlaceToolBar({AppSettings.ToolBarX, AppSettings.ToolBarY},
                                {bounds.Width(), bounds.Height()}, MonitorOfRect(platform.Monitors(), saved).bounds);
  AppSettings.ToolBarX = at.x;
  AppSettings.ToolBarY = at.y;
  window.SetBounds(at.x, at.y, bounds.Width(), bounds.Height());
  if (SpeedButtonMagnifierDown) SetTimer(true);
  window.Show();
  FormShow();
  window.Invalidate();
  platform.ProcessMessages();
}

void TFormToolBar::HideAndStop() {
  window.Hide();
  SetTimer(false);
}

// ---- input routing ----

TFormToolBar::Button TFormToolBar::ButtonAt(int x, int y) {
  if (Inside(kMagnifierButton, x, y)) return Button::Magnifier;
  if (Inside(kCalculatorButton, x, y)) return Button::Calculator;
  return Button::None;
}

void TFormToolBar::SetHot(Button hot) {
  if (hot == hot_) return;
  hot_ = hot;
  window.InvalidateRect(kBand);
}

void TFormToolBar::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  if (!Dragging && pressed_ == Button::None) {
    if (button == MouseButton::Left && SpeedButtonMagnifierDown && Inside(kColorRow, x, y)) {
      CopyColor();
      return;
    }
    if (button == MouseButton::Left && ButtonAt(x, y) != Button::None) {
      pressed_ = ButtonAt(x, y);
    } else if (!OnDragArea(x, y)) {
      return;
    }
    mouse_captured_ = true;
    window.SetMouseCapture(true);
    if (pressed_ != Button::None) {
      window.InvalidateRect(kBand);
      return;
    }
  }
  if (pressed_ == Button::None) ToolBarMainMouseDown(button, shift, x, y);
}

void TFormToolBar::MouseMove(ShiftState shift, int x, int y) {
  if (Dragging) {
    ToolBarMainMouseMove(shift, x, y);
    return;
  }
  SetHot(ButtonAt(x, y));
}

void TFormToolBar::MouseLeave() {
  if (!Dragging) SetHot(Button::None);
}

void TFormToolBar::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  if (Dragging) {
    ToolBarMainMouseUp(button, shift, x, y);
  } else if (pressed_ != Button::None && button == MouseButton::Left) {
    const Button pressed = pressed_;
    pressed_ = Button::None;
    window.InvalidateRect(kBand);
    // A click counts only when the button is released over the button.
    if (pressed == Button::Magnifier && Inside(kMagnifierButton, x, y)) {
      SpeedButtonMagnifierDown = !SpeedButtonMagnifierDown;
      SpeedButtonMagnifierClick();
    } else if (pressed == Button::Calculator && Inside(kCalculatorButton, x, y)) {
      SpeedButtonCalcuClick();
    }
  }
  if (!Dragging && pressed_ == Button::None && mouse_captured_) {
    mouse_captured_ = false;
    window.SetMouseCapture(false);
  }
}

bool TFormToolBar::KeyDown(int key, ShiftState shift) {
  if (FormKeyDown(key, shift)) return true;
  if (ShortcutOf(key, shift) == (kShortcutCtrl | 'C') && SpeedButtonMagnifierDown) {
    CopyColor();
    return true;
  }
  // Hidden items keep their shortcuts (F1 for the help file).
  const Command* command = CommandByShortcut(kToolBarCommands, ShortcutOf(key, shift), /*hidden_too=*/true);
  if (command == nullptr) return false;
  ExecuteCommand(command->id);
  return true;
}

void TFormToolBar::ContextMenu(Point screen) {
  const int id = controls.TrackPopupMenu(PopupMenu(), screen);
  if (id != 0) ExecuteCommand(id);
}

void TFormToolBar::ExecuteCommand(int id) {
  if (const Command* command = CommandById(kToolBarCommands, id)) command->run(*this);
}

CursorShape TFormToolBar::CursorAt(Point p) const {
  return OnDragArea(p.x, p.y) ? CursorShape::SizeAll : CursorShape::Arrow;
}

void TFormToolBar::FormPaint(Canvas& canvas) {
  canvas.SetPenMode(PenMode::Copy);
  canvas.FillRect(kBand, kBandColor);
  // The divider between the two buttons and PanelTool's lowered inner bevel.
  const int divider = kMagnifierButton.right + 2;
  canvas.SetPenColor(kBevelShadow);
  canvas.MoveTo(divider, kMagnifierButton.top + 2);
  canvas.LineTo(divider, kMagnifierButton.bottom - 2);
  canvas.SetPenColor(kBevelHighlight);
  canvas.MoveTo(divider + 1, kMagnifierButton.top + 2);
  canvas.LineTo(divider + 1, kMagnifierButton.bottom - 2);
  Bevel(canvas, kPanelTool, kBevelShadow, kBevelHighlight);
  // A flat button shows an edge only while it is down or held (sunken) or
  // under the pointer (raised).
  const auto edge = [&](Button button, const Rect& rect, bool down) {
    if (down || pressed_ == button)
      Bevel(canvas, rect, kBevelShadow, kBevelHighlight);
    else if (hot_ == button)
      Bevel(canvas, rect, kBevelHighlight, kBevelShadow);
  };
  edge(Button::Magnifier, kMagnifierButton, SpeedButtonMagnifierDown);
  edge(Button::Calculator, kCalculatorButton, false);

  // The view's frame: a raised outer and a lowered inner bevel around the
  // view (white before the first tick).
  Bevel(canvas, kPanelScreen, kBevelHighlight, kBevelShadow);
  Bevel(canvas, Shrunk(kPanelScreen, 1), kBevelShadow, kBevelHighlight);
  magnifier_.Paint(canvas, kView, kViewColor);

  canvas.FillRect(kColorRow, kBandColor);
  Bevel(canvas, kColorRow, kBevelHighlight, kBevelShadow);
  Bevel(canvas, Shrunk(kColorRow, 1), kBevelShadow, kBevelHighlight);
  magnifier_.PaintColorRow(canvas, kColorRow);

  canvas.FillRect(kPanelMultiple, kBandColor);
  Bevel(canvas, kPanelMultiple, kBevelHighlight, kBevelShadow);
  Bevel(canvas, Shrunk(kPanelMultiple, 1), kBevelShadow, kBevelHighlight);
  const Font bold = CaptionFont();
  canvas.SetFont(bold);
  canvas.TextOut(kLabelInfo.x, kLabelInfo.y, LabelInfoCaption);
  // Underlined caption: a line under the text, one pixel below its cell.
  const Size text = platform.TextExtent(bold, LabelInfoCaption);
  canvas.SetPenColor(0);
  canvas.MoveTo(kLabelInfo.x, kLabelInfo.y + text.cy - 1);
  canvas.LineTo(kLabelInfo.x + text.cx, kLabelInfo.y + text.cy - 1);
}

// ---- handlers ----

bool TFormToolBar::FormKeyDown(int key, ShiftState shift) {
  // Alt+F4 alone would close the tool bar; only the menus hide it.
  return key == vk::kF4 && (shift & (kModifierMask | kMouseButtons)) == kAlt;
}

void TFormToolBar::ToolBarMainMouseDown(MouseButton, ShiftState, int x, int y) {
  Dragging = true;
  PressX = x;
  PressY = y;
  const Rect bounds = window.Bounds();
  DragLeft = bounds.left;
  DragTop = bounds.top;
}

void TFormToolBar::ToolBarMainMouseMove(ShiftState, int x, int y) {
  const Rect bounds = window.Bounds();
  if (!Dragging) return;
  // The tool bar follows while it lies wholly on a monitor, and snaps to the
  // edges of the monitor under the pointer, so a drag carries it across the
  // seam of two monitors.
  const MonitorList monitors = platform.Monitors();
  if (std::none_of(monitors.begin(), monitors.end(),
                   [&](const Monitor& m) { return FollowsDrag(bounds, m.bounds); }))
    return;
  const Rect screen = MonitorOfPoint(monitors, platform.CursorPos()).bounds;
  const Size size{bounds.Width(), bounds.Height()};
  const DragStep step =
      StepDrag({DragLeft, DragTop}, {bounds.left, bounds.top}, {x - PressX, y - PressY}, size, screen);
  DragLeft = step.drag.x;
  DragTop = step.drag.y;
  if (step.window.x != bounds.left || step.window.y != bounds.top)
    window.SetBounds(step.window.x, step.window.y, size.cx, size.cy);
}

void TFormToolBar::ToolBarMainMouseUp(MouseButton, ShiftState, int, int) {
  Dragging = false;
  const Rect bounds = window.Bounds();
  AppSettings.ToolBarX = bounds.left;
  AppSettings.ToolBarY = bounds.top;
}

void TFormToolBar::SpeedButtonMagnifierClick() {
  AppSettings.Magnifier = SpeedButtonMagnifierDown;
  const Rect bounds = window.Bounds();
  if (SpeedButtonMagnifierDown) {
    const int top = TopAfterGrowing(bounds.top, kMagnifierHeight, ScreenRect());
    window.SetBounds(bounds.left, top, bounds.Width(), kMagnifierHeight);
    SetTimer(true);
  } else {
    window.SetBounds(bounds.left, bounds.top, bounds.Width(), kBandHeight);
    SetTimer(false);
  }
  window.InvalidateRect(kBand);
}

void TFormToolBar::SpeedButtonCalcuClick() {
  // Unlike the ruler's menu command, the button tells nothing on a failure.
  platform.StartProgram("calc.exe");
}

void TFormToolBar::TimerMagnifierTimer() {
  SetTimer(false);
  // A tool bar that is not on the screen has nothing to show; showing it
  // again starts the timer.
  if (!window.IsVisible()) return;
  const Point pointer = platform.CursorPos();
  // NOTE: over the tool bar itself the view keeps what it showed, so that
  // the colour row can be clicked (or the factor typed) for the pixel the
  // pointer came from.
  if (window.Bounds().Contains(pointer)) {
    SetTimer(true);
    return;
  }
  const FactorReading factor = FactorFromText(controls.FactorText());
  if (factor.reset_box) controls.SetFactorText(std::to_string(factor.factor));
  // The copy stays on the monitor under the pointer.
  const Rect screen = MonitorOfPoint(platform.Monitors(), pointer).bounds;
  const MagnifierCapture capture = ComputeMagnifierCapture(pointer, factor.factor, ViewSize(), screen);
  const std::optional<Color> shown = magnifier_.PixelColor();
  magnifier_.Update(platform, controls, capture, factor.factor, kView,
                    AppSettings.ShowCursor, AppSettings.ShowGrid);
  if (std::unique_ptr<Canvas> canvas = window.GetCanvas()) {
    magnifier_.Paint(*canvas, kView, kViewColor);
    // The row's texts are drawn over its panel: only a new colour repaints it.
    if (magnifier_.PixelColor() != shown) window.InvalidateRect(kColorRow);
  }
  SetTimer(true);
}

void TFormToolBar::CopyColor() {
  const std::optional<Color> color = magnifier_.PixelColor();
  if (!color) return;
  if (!CopyToClipboard(platform, HexText(*color))) ShowInfo(platform, Texts.color_not_copied);
}

void TFormToolBar::PMenuHideToolBarClick() {
  HideAndStop();
  if (Ruler != nullptr) Ruler->ToolBarHidden();
}

void TFormToolBar::PMenuShowCursorClick() { AppSettings.ShowCursor = !AppSettings.ShowCursor; }

void TFormToolBar::PMenuShowGridClick() {
  AppSettings.ShowGrid = !AppSettings.ShowGrid;
  // The view shows the change at once, also while the pointer rests over the
  // tool bar (where the ticks keep the view as it is).
  if (magnifier_.ShowGrid(controls, kView, AppSettings.ShowGrid)) window.InvalidateRect(kView);
}

void TFormToolBar::Help1Click() { platform.OpenDocument(platform.JoinPath(ExeDir, "help.chm")); }

// ---- texts ----

void TFormToolBar::SetDefaultLanguage() { ApplyTexts(EnglishTexts(kToolBarTexts)); }

// The texts but the message follow "present means used": a key given empty
// in the pack leaves its text empty.
void TFormToolBar::SetLanguage(int index) { ApplyTexts(LanguageTexts(platform, kToolBarTexts, index)); }

void TFormToolBar::ApplyTexts(const WindowTexts& resolved) {
  ToolBarTexts texts;
  const std::pair<const char*, std::string*> targets[] = {{"SpeedButtonMagnifier.Hint", &texts.magnifier},
                                                         {"SpeedButtonCalcu.Hint", &texts.calculator},
                                                         {"LabelInfo", &texts.multiple}};
  for (const auto& [target, text] : targets)
    if (const std::string* value = resolved.Text(target)) *text = *value;
  // A message is never empty: an empty translation leaves it English.
  if (const std::string* value = resolved.Text("ColorNotCopiedText"); value != nullptr && !value->empty())
    texts.color_not_copied = *value;
  for (const TargetText& t : resolved.items) SetCommandCaption(kToolBarCommands, captions_, t.target, t.text);
  shortcut_words_ = resolved.shortcut_words;
  ApplyTexts(texts);
}

void TFormToolBar::ApplyTexts(const ToolBarTexts& texts) {
  Texts = texts;
  controls.SetHints(texts.magnifier, texts.calculator);
  LayOutFactorRow();
  window.InvalidateRect(kPanelMultiple);
}

Font TFormToolBar::CaptionFont() {
  Font bold;
  bold.bold = true;
  bold.color = 0;
  return bold;
}

void TFormToolBar::LayOutFactorRow() {
  const Font font = CaptionFont();
  const TextWidth width = [&](std::string_view t) { return platform.TextExtent(font, t).cx; };
  const FactorRow row = mensor::LayOutFactorRow(width(Texts.multiple), kLabelInfo, kFactorBox);
  LabelInfoCaption = CutToWidth(Texts.multiple, row.caption_room, width);
  FactorBox = row.box;
  const Size shown = platform.TextExtent(font, LabelInfoCaption);
  const Rect caption{kLabelInfo.x, kLabelInfo.y, kLabelInfo.x + shown.cx, kLabelInfo.y + shown.cy};
  controls.PlaceFactorBox(FactorBox, caption, LabelInfoCaption == Texts.multiple ? std::string() : Texts.multiple);
}

}  // namespace mensor
