// TMainForm: creation in its fixed order, show, close, the popup menu, the
// window commands, and the routing of mouse and keyboard input to the window's
// handlers or to the label under the pointer.
#include "app/main_form.h"

#include <algorithm>
#include <utility>

#include "about/about_form.h"
#include "lang/language.h"
#include "readout/info_form.h"
#include "toolbar/tool_bar_form.h"
#include "ui/clipboard.h"

namespace mensor {
namespace {

constexpr Color kBandColor = 0xFF9B37;

}  // namespace

TMainForm::TMainForm(Platform& p, Window& w) : platform(p), window(w) {
  LabelStaff.name = "LabelStaff";
  LabelStaff.caption.assign(1, '+');
  LabelStaff.font.face = "Arial";
  LabelStaff.font.height = -19;
  LabelStaff.font.points = 14;
  LabelNumber.name = "LabelNumber";
  captions_ = EnglishCaptions(kRulerCommands);
}

TMainForm::~TMainForm() = default;

Menu TMainForm::PopupMenu() const {
  Menu menu;
  menu.band_caption = "Mensor 2.0";
  menu.band_color = kBandColor;
  menu.items = CommandMenu(kRulerCommands, *this, captions_, shortcut_words_);
  return menu;
}

RulerEntries TMainForm::CurrentEntries() const {
  RulerEntries entries;
  entries.WindowOnTop = on_top_;
  entries.ShowScaleLine = scale_line_shown_;
  entries.Unit = Unit;
  entries.ToolBarShow = tool_bar_shown_;
  entries.TrueSize = TrueSize;
  entries.ScaledPixels = ScaledPixels;
  entries.SnapToEdges = SnapToEdges;
  return entries;
}

void TMainForm::SetLabelCaption(Label& label, const std::string& caption) {
  if (label.visible) window.InvalidateRect(label.BoundsRect());
  label.caption = caption;
  if (label.auto_size) {
    Size size = platform.TextExtent(label.font, caption);
    label.width = size.cx;
    label.height = size.cy;
  }
  if (label.visible) window.InvalidateRect(label.BoundsRect());
}

void TMainForm::MoveLabel(Label& label, int left, int top) {
  if (label.left == left && label.top == top) return;
  if (label.visible) window.InvalidateRect(label.BoundsRect());
  label.left = left;
  label.top = top;
  if (label.visible) window.InvalidateRect(label.BoundsRect());
}

void TMainForm::SetLabelVisible(Label& label, bool visible) {
  if (label.visible == visible) return;
  label.visible = visible;
  window.InvalidateRect(label.BoundsRect());
}

void TMainForm::SetToolBar(TFormToolBar* tool_bar) {
  FormToolBar = tool_bar;
  ToolBarSetLanguage = nullptr;
  if (tool_bar != nullptr) ToolBarSetLanguage = [tool_bar](int index) { tool_bar->SetLanguage(index); };
}

void TMainForm::FormCreate() {
  // 1. The executable's folder; no scale line remembered.
  ExeDir = platform.ExeDir();
  ScaleLinePoint = {0, 0};

  // 2.-4. Settings, the width that applies next time, a length that fits.
  RulerEntries entries;
  if (!LoadSettings(platform, entries)) {
    ApplyLoadFallback(platform);
    entries.WindowOnTop = true;
  }
  on_top_ = entries.WindowOnTop;
  scale_line_shown_ = entries.ShowScaleLine;
  tool_bar_shown_ = entries.ToolBarShow;
  Unit = entries.Unit;
  TrueSize = entries.TrueSize;
  ScaledPixels = entries.ScaledPixels;
  SnapToEdges = entries.SnapToEdges;
  Calibration = CalibrationsOf(AppSettings.Calibration);
  if (platform.ScreenSize().cx < AppSettings.Length) AppSettings.Length = 600;
  // A hand-edited width beyond what the preferences offer works and is kept;
  // only a width that cannot work (no band at all, or a window of 2 x (L + W)
  // pixels square beyond what the system handles) takes the default.
  if (!RulerWidthWorks(AppSettings.RulerWidth, AppSettings.Length)) AppSettings.RulerWidth = kDefaultRulerWidth;
  AppSettings.NextRulerWidth = AppSettings.RulerWidth;

  // 5. The language menu, the saved language and its texts.
  LoadLanguagePackage();
  RestoreLanguage();

  // 6. Cursors: the horizontal ruler's picture as cursor 100, the rotate icon
  // as cursor 101.
  platform.SetRulerCursor({16, 0}, {16, 32});
  platform.LoadRotateCursor();

  // 7.-8. The menu takes its shortcuts from the settings and its check marks
  // from the state each time it opens.

  // 9. See-through mode; the window is not visible yet, so the capture does
  // not hide it.
  NotYetShown = true;
  if (AppSettings.Transparence) SwitchSeeThroughOn(false);

  // 10. Stacking.
  window.SetTopmost(on_top_);

  // 11. Colours (painting sets the drawing colours again each time).
  LabelNumber.font.color = AppSettings.CurTextColor;
  LabelStaff.font.color = AppSettings.StaffColor;
  window.SetBackgroundColor(AppSettings.BackgroundColor);

  // 12.-13. A horizontal ruler, centred on the screen.
  InitialLayout();
  const Size screen = platform.ScreenSize();
  const int W = AppSettings.RulerWidth;
  Rect bounds = window.Bounds();
  window.SetBounds((screen.cx - AppSettings.Length) / 2 - Outline[0].x,
                   (screen.cy - W) / 2 - Outline[0].y, bounds.Width(), bounds.Height());

  // 14. The read-out label, two blanks, near the zero corner.
  SetLabelCaption(LabelNumber, "  ");
  MoveLabel(LabelNumber, Outline[0].x + W / 2 - LabelNumber.width / 2 + 2,
            Outline[0].y - LabelNumber.height / 2 + 50);

  // 15. The marker at its standard place.
  SetLabelCaption(LabelStaff, LabelStaff.caption);
  ResetStaffMarker();

  // 16. The notification icon.
  TrayIconAdded = platform.AddNotifyIcon(kNotifyIconId, kNotifyIconMessage, "Mensor");

  // 17.-18. The global Hide/Show hot key, then its shortcut text on the item.
  RegisterHideHotKey(AppSettings.HotKey, HotKeyErrorText);

  // 19. The whole-screen surface for the rubber band and the cross-hair.
  ScreenCanvas = platform.OpenScreenCanvas();
  ScreenCanvas->SetPenColor(0xFFFFFF);
  ScreenCanvas->SetPenMode(PenMode::Xor);
}

void TMainForm::FormShow() {
  NotYetShown = false;
  // The tool bar comes back with the ruler when it is switched on.
  if (FormToolBar != nullptr && tool_bar_shown_) FormToolBar->ShowPlaced();
}

bool TMainForm::FormClose() {
  if (closed_) return true;
  closed_ = true;
  // An open calibration ends as with Cancel.
  if (calibrate_.IsOpen()) calibrate_.form->Cancel();
  std::string error;
  const bool saved = SaveSettings(platform, CurrentEntries(), error);
  if (!saved) ShowInfo(platform, error);
  ScreenCanvas.reset();
  if (ScreenShot || HookInstalled) {
    HookInstalled = false;
    ScreenShot.reset();
  }
  if (TrayIconAdded) {
    platform.RemoveNotifyIcon(kNotifyIconId);
    TrayIconAdded = false;
  }
  return saved;
}

void TMainForm::PMenuExitClick() { window.Close(); }

void TMainForm::PMenuOnTopClick() {
  on_top_ = !on_top_;
  window.SetTopmost(on_top_);
}

void TMainForm::PMenuCalculatorClick() {
  if (!platform.StartProgram("calc.exe")) ShowInfo(platform, CalculatorErrorText);
}

void TMainForm::PMenuCopyMeasurementClick() {
  if (!CopyToClipboard(platform, CopiedText(CurrentReading(), AppSettings.CopyFormat)))
    ShowInfo(platform, CopyFailedText);
}

void TMainForm::PMenuToolBarClick() {
  tool_bar_shown_ = !tool_bar_shown_;
  if (FormToolBar == nullptr) return;
  if (tool_bar_shown_) {
    FormToolBar->ShowPlaced();
  } else {
    FormToolBar->HideAndStop();
  }
}

void TMainForm::PMenuHelpClick() { platform.OpenDocument(platform.JoinPath(ExeDir, "help.chm")); }

void TMainForm::PMenuAboutClick() { ShowAboutBox(platform); }

void TMainForm::PMenuUnitClick(int unit) {
  Unit = unit;
  ScaledPixels = false;
  window.Repaint();
}

void TMainForm::PMenuScaledPixelsClick() {
  Unit = kUnitPixels;
  ScaledPixels = true;
  window.Repaint();
}

void TMainForm::PMenuTrueSizeClick() {
  TrueSize = !TrueSize;
  window.Repaint();
}

void TMainForm::PMenuCalibrateClick() {
  if (calibrate_.IsOpen()) {
    calibrate_.window->Activate();
    return;
  }
  // The dialog of an earlier opening goes now, outside its own handlers.
  calibrate_ = {};
  calibrate_pixels_ = AppSettings.Length;
  calibrate_zero_ = ZeroCornerOnScreen();
  calibrate_ = OpenCalibrateDialog(platform, OutlineOnScreen(), calibrate_zero_, calibrate_pixels_,
                                   AppSettings.Calibration,
                                   [this](TCalibrateForm::Outcome outcome) { CalibrationEnded(outcome); });
}

void TMainForm::CalibrationEnded(TCalibrateForm::Outcome outcome) {
  if (outcome == TCalibrateForm::Outcome::None) return;
  Calibration = CalibrationsOf(AppSettings.Calibration);
  // A new calibration is there to be used.
  if (outcome == TCalibrateForm::Outcome::Calibrated) TrueSize = true;
  window.Repaint();
}

void TMainForm::FollowRulerInCalibration() {
  if (!calibrate_.IsOpen()) return;
  const Point zero = ZeroCornerOnScreen();
  if (AppSettings.Length == calibrate_pixels_ && zero == calibrate_zero_) return;
  calibrate_pixels_ = AppSettings.Length;
  calibrate_zero_ = zero;
  calibrate_.form->RulerChanged(calibrate_pixels_, platform.Monitors(), zero);
}

// ---- input routing ----

Label* TMainForm::LabelAt(int x, int y) {
  // The marker lies above the read-out label (declared first, painted last).
  if (LabelStaff.visible && LabelStaff.BoundsRect().Contains({x, y})) return &LabelStaff;
  if (LabelNumber.visible && LabelNumber.BoundsRect().Contains({x, y})) return &LabelNumber;
  return nullptr;
}

MouseTarget TMainForm::TargetAt(int x, int y) {
  const Label* label = LabelAt(x, y);
  return label == &LabelStaff ? MouseTarget::Marker : label == &LabelNumber ? MouseTarget::ReadOut : MouseTarget::Form;
}

void TMainForm::MouseDown(MouseButton button, ShiftState shift, int x, int y) {
  last_pointer_ = {x, y};
  // The first button takes the mouse for what is under the pointer; further
  // buttons go to the same handlers until the last one is up.
  if (gesture_.kind == GestureKind::None) {
    gesture_ = Gesture{HeldKindOf(TargetAt(x, y))};
    window.SetMouseCapture(true);
  }
  switch (TargetOf(gesture_.kind)) {
    case MouseTarget::Marker:
      LabelStaffMouseDown(button, shift, x - LabelStaff.left, y - LabelStaff.top);
      break;
    case MouseTarget::Form:
      FormMouseDown(button, shift, x, y);
      break;
    case MouseTarget::ReadOut:
      break;
  }
}

void TMainForm::MouseMove(ShiftState shift, int x, int y) {
  // NOTE: a movement with no button held while a drag is under way means its
  // release went elsewhere unnoticed: the drag ends there, before the
  // movement could go on moving a ruler nobody holds.
  if (gesture_.kind != GestureKind::None && (shift & kMouseButtons) == 0) MouseCaptureLost();
  last_pointer_ = {x, y};
  const MouseTarget target = gesture_.kind != GestureKind::None ? TargetOf(gesture_.kind) : TargetAt(x, y);
  switch (target) {
    case MouseTarget::Marker:
      LabelStaffMouseMove(shift, x - LabelStaff.left, y - LabelStaff.top);
      break;
    case MouseTarget::Form:
      FormMouseMove(shift, x, y);
      break;
    case MouseTarget::ReadOut:
      break;
  }
}

void TMainForm::MouseUp(MouseButton button, ShiftState shift, int x, int y) {
  last_pointer_ = {x, y};
  const bool owned = gesture_.kind != GestureKind::None;
  // A release without our press goes to the window's own handler.
  switch (TargetOf(gesture_.kind)) {
    case MouseTarget::Marker:
      LabelStaffMouseUp(button, shift, x - LabelStaff.left, y - LabelStaff.top);
      break;
    case MouseTarget::Form:
      FormMouseUp(button, shift, x, y);
      break;
    case MouseTarget::ReadOut:
      break;
  }
  if ((shift & kMouseButtons) != 0) return;
  // The last button is up. A drag its release did not end (the button of
  // another press) ends here as released; a press that started nothing lets
  // go of the mouse.
  if (owned && (Pressing() || StaffDragging())) {
    EndDrag(/*cancel=*/false);
  } else if (owned) {
    gesture_ = Gesture{};
    window.SetMouseCapture(false);
  }
  // A right click ends with its menu (ContextMenu).
  if (button != MouseButton::Right) TakeScreenShootAfterClick();
}

Gesture TMainForm::TakeGesture(ShiftState held) {
  const bool stays = gesture_.kind != GestureKind::None && (held & kMouseButtons) != 0;
  const Gesture rest{stays ? HeldKindOf(TargetOf(gesture_.kind)) : GestureKind::None};
  return std::exchange(gesture_, rest);
}

void TMainForm::MouseCaptureLost() {
  if (gesture_.kind != GestureKind::None) EndDrag(/*cancel=*/false);
}

bool TMainForm::CancelDrag() {
  if (gesture_.kind == GestureKind::None) return false;
  EndDrag(/*cancel=*/true);
  return true;
}

void TMainForm::EndDrag(bool cancel) {
  const Point p = last_pointer_;
  // The handlers take the gesture out of the state before they change the
  // window, so that a capture lost meanwhile finds nothing to end.
  switch (TargetOf(gesture_.kind)) {
    case MouseTarget::Marker:
      if (cancel) {
        CancelStaffDrag();
      } else {
        LabelStaffMouseUp(MouseButton::Left, 0, p.x - LabelStaff.left, p.y - LabelStaff.top);
      }
      break;
    case MouseTarget::Form:
      if (cancel) {
        CancelFormGesture();
      } else {
        FormMouseUp(MouseButton::Left, 0, p.x, p.y);
      }
      break;
    case MouseTarget::ReadOut:
      break;
  }
  gesture_ = Gesture{};
  // Given back last: releasing it may report a lost capture again, which
  // finds nothing under way by then.
  window.SetMouseCapture(false);
}

void TMainForm::DoubleClick(int x, int y) {
  if (LabelAt(x, y) != nullptr) return;
  FormDblClick();
  // NOTE: the double click's second press has already begun a gesture on the
  // body, as a move or a rotation by the mode of that moment; it goes on as
  // the gesture of the mode the double click switched to. No band is on the
  // screen yet, so nothing drawn depends on the change.
  if (gesture_.kind == GestureKind::Move || gesture_.kind == GestureKind::Rotate)
    gesture_.kind = RotateMode ? GestureKind::Rotate : GestureKind::Move;
}

bool TMainForm::KeyDown(int key, ShiftState shift) {
  // While a drag draws its rubber band or cross on the screen, a command that
  // changed the outline would leave a trace behind when the drag erases it.
  // Esc cancels the drag.
  if (Pressing() || StaffDragging()) return key == vk::kEscape && CancelDrag();
  EndSnap();
  if (const CommandRow<TMainForm>* command =
          CommandByShortcut(kRulerCommands, ShortcutOf(key, shift), /*hidden_too=*/false)) {
    ExecuteCommand(command->id);
    return true;
  }
  FormKeyDown(key, shift);
  return key >= vk::kLeft && key <= vk::kDown;
}

void TMainForm::ContextMenu(Point screen) {
  if (gesture_.kind != GestureKind::None) return;
  const int id = platform.TrackPopupMenu(PopupMenu(), screen);
  menu_point_ = screen;
  if (id != 0) ExecuteCommand(id);
  menu_point_.reset();
  TakeScreenShootAfterClick();
}

void TMainForm::ExecuteCommand(int id) {
  // A command may change the ruler or what lies around it: the read-out's
  // picture is taken anew.
  EndSnap();
  if (const CommandRow<TMainForm>* command = CommandById(kRulerCommands, id)) {
    if (command->run != nullptr) command->run(*this);
  } else if (id >= kCmdLanguageFirst) {
    LanguageMenuClick(id);
  }
  // Other ids: commands of windows that do not exist yet.
}

void TMainForm::WindowMoved() {
  FollowRulerInCalibration();
  EndSnap();
  if (HookInstalled) {
    window.Repaint();
  } else {
    // Moved onto a monitor of another density: the centimetre and inch
    // scales follow.
    DpiChanged();
  }
}

void TMainForm::RegisterHideHotKey(Shortcut value, const std::string& error_text) {
  if (value != 0 && !platform.RegisterHotKey(kHideHotKeyId, HotKeyModifiers(value), value & 0xFF)) {
    ShowInfo(platform, error_text);
    value = 0;
  }
  AppSettings.HotKey = value;
}

void TMainForm::PMenuHideClick() {
  if (Pressing()) return;
  if (!RulerHidden) {
    RulerHidden = true;
    window.Hide();
    return;
  }
  RulerHidden = false;
  const int L = AppSettings.Length;
  const int W = AppSettings.RulerWidth;
  Rect bounds = window.Bounds();
  int left = bounds.left;
  int top = bounds.top;
  if (AppSettings.JumpCursor) {
    const Point pointer = platform.CursorPos();
    left = pointer.x - L - W;
    top = pointer.y - L - W;
  }
  // A ruler wholly off every monitor comes back with its zero corner at the
  // centre of the monitor nearest to it.
  const Point o = Outline[0];
  const Box box = OutlineWithWindowAt(left, top);
  const MonitorList monitors = platform.Monitors();
  if (!TouchesAnyMonitor(monitors, box)) {
    const Rect screen = NearestMonitor(monitors, box).bounds;
    left = screen.left + screen.Width() / 2 - o.x;
    top = screen.top + screen.Height() / 2 - o.y;
  }
  if (left != bounds.left || top != bounds.top) window.SetBounds(left, top, bounds.Width(), bounds.Height());
  window.Show();
  FormShow();
  window.BringToFront();
  // The read-out window stays above the ruler, shown or hidden as it was.
  if (InfoForm != nullptr) InfoForm->BringToFront();
}

// ---- what the preferences and the tool bar use ----

void TMainForm::ToolBarHidden() { tool_bar_shown_ = false; }

void TMainForm::CrossHairChanged() {
  // A screen-aligned cross refuses the scale line (the command tells so).
  if (AppSettings.StaffDir == 1 && scale_line_shown_) MenuShowScaleLineClick();
}

void TMainForm::SeeThroughTintChanged() {
  if (!AppSettings.Transparence) return;
  TranspColor = AppSettings.BackgroundColor;
  Transparency = static_cast<std::uint8_t>(AppSettings.TransValue & 0xFF);
}

void TMainForm::ChangeHideHotKey(Shortcut value, const std::string& error_text) {
  platform.UnregisterHotKey(kHideHotKeyId);
  RegisterHideHotKey(value, error_text);
}

void TMainForm::SettingsApplied() { window.Repaint(); }

void TMainForm::HotKeyPressed(int id) {
  if (id == kHideHotKeyId) PMenuHideClick();
}

void TMainForm::NotifyIconMessage(unsigned event) {
  constexpr unsigned kLeftDoubleClick = 515;
  constexpr unsigned kRightPress = 516;
  if (event == kLeftDoubleClick) {
    PMenuHideClick();
  } else if (event == kRightPress) {
    ContextMenu(platform.CursorPos());
  }
}

}  // namespace mensor
