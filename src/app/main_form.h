// TMainForm: the ruler window. It owns the geometry, the interaction state of
// the mouse gestures and of the marker, the see-through capture and the popup
// menu. The platform layer turns window messages into calls of the handlers
// below and carries out what they ask through Window and Platform.
//
// The implementation is split by subject:
//   main_form.cpp              creation, show, close, menu, input dispatch
//   ruler_commands.cpp         the popup menu's commands, one row each
//   main_form_geometry.cpp     outline, region, rubber band, label places, cursor
//   main_form_paint.cpp        FormPaint
//   main_form_mouse.cpp        move / stretch / rotate gestures and the read-out
//   main_form_orientation.cpp  Rotate, Horizontal, Vertical, Fit Screen, arrow keys
//   main_form_marker.cpp       cross-hair marker and scale line
//   main_form_seethrough.cpp   see-through mode
//   main_form_language.cpp     language packs: the language menu and the texts
//   main_form_monitors.cpp     where the ruler is among the monitors
//   main_form_snap.cpp         snapping to edges and Measure Gap
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/calibrate_form.h"
#include "app/geometry.h"
#include "app/gesture.h"
#include "app/reading_text.h"
#include "app/ruler_commands.h"
#include "app/ruler_unit.h"
#include "app/true_size.h"
#include "commands/ruler_link.h"
#include "snap/snapping.h"
#include "lang/language_pack.h"
#include "settings/app_settings.h"
#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/image.h"
#include "ui/menu.h"
#include "ui/platform.h"
#include "ui/shortcut_text.h"
#include "ui/types.h"

namespace mensor {

class TInfoForm;
class TConfigForm;
class ConfigView;
class TFormToolBar;


// The notification icon and the global hot key.
inline constexpr int kNotifyIconId = 200;
inline constexpr unsigned kNotifyIconMessage = 1024 + 100;
inline constexpr int kHideHotKeyId = 0;

// The ruler widths the preferences offer.
inline constexpr int kMinRulerWidth = 10;
inline constexpr int kMaxRulerWidth = 99;
// The lengths a stretch (and Measure Gap) gives the ruler.
inline constexpr int kMinStretchLength = 200;
inline constexpr int kMaxStretchLength = 1515;
// Start-up: the width a ruler gets when the saved one cannot work, and the
// test for that. Window sizes travel in 16-bit fields of some messages
// (WM_SIZE), so the ruler's square window stays within 32767 pixels.
inline constexpr int kDefaultRulerWidth = 60;
inline constexpr int kMaxWindowExtent = 32767;
constexpr bool RulerWidthWorks(int width, int length) {
  return width > 0 && width <= kMaxWindowExtent / 2 - length;
}

class TMainForm final : public RulerLink {
 public:
  TMainForm(Platform& platform, Window& window);
  ~TMainForm();
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // Windows created after the ruler; first used when the ruler is shown.
  void SetInfoForm(TInfoForm* info) { InfoForm = info; }
  // The tool bar also takes the ruler's language choices.
  void SetToolBar(TFormToolBar* tool_bar);

  // ---- lifecycle (main_form.cpp) ----
  void FormCreate();
  void FormShow();
  // Saves the settings and releases what the window holds. Returns false when
  // app.ini could not be written (the user has been told).
  bool FormClose();
  void PMenuExitClick();
  // True once FormClose has run.
  bool Closed() const { return closed_; }

  // ---- input as the platform delivers it (main_form.cpp routes it to the
  // window's handlers or to the label under the pointer) ----
  void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  void MouseMove(ShiftState shift, int x, int y);
  // The pointer left the window with no button held.
  void MouseLeave();
  void MouseUp(MouseButton button, ShiftState shift, int x, int y);
  void DoubleClick(int x, int y);
  // A key pressed while the ruler has the focus: menu shortcuts first, then
  // FormKeyDown. Returns true when the key was used.
  bool KeyDown(int key, ShiftState shift);
  // The mouse capture went elsewhere (a menu, a message box, the task
  // switcher) or the system cancelled modes: a move, stretch, rotation or
  // marker drag under way ends as if released where the pointer last was
  // (the place its outline shows). Nothing is left on the screen.
  void MouseCaptureLost();
  // Esc during a drag: the drag is cancelled and the ruler (and the scale
  // line) put back as they were at the press. False when no drag is under way.
  bool CancelDrag();
  // Right click: shows the popup menu at the screen point and runs the choice.
  // Not while a drag is under way: the menu would take the mouse from it.
  void ContextMenu(Point screen);
  // Runs the command of a menu entry (kRulerCommands, or a language pack's).
  void ExecuteCommand(int id);
  // The popup menu as it opens now: captions of the current language, check
  // marks from the state below, shortcuts from the settings.
  Menu PopupMenu() const;
  // The window moved or was (de)activated (see-through mode reacts).
  void WindowMoved();
  // by_click: the activation comes from a mouse press on the window.
  void WindowActivated(bool active, bool by_click = false);
  void HotKeyPressed(int id);
  void NotifyIconMessage(unsigned event);

  // ---- painting (main_form_paint.cpp) ----
  void FormPaint(Canvas& canvas);

  // ---- geometry (main_form_geometry.cpp) ----
  void SetOutline(double angle);
  void ApplyRegion();
  void LayOutRuler();
  void DrawRuler(int dx, int dy);
  void ComputeOutlineBounds();
  void ResetStaffMarker();
  void PlaceNumberLabel();
  void RebuildRulerCursor();
  // The initial horizontal layout of start-up.
  void InitialLayout();

  // ---- the gesture under way (read by the handlers, the key handling and
  // the commands that wait until a drag ends) ----
  const Gesture& CurrentGesture() const { return gesture_; }
  // A move, stretch or rotation of the ruler is under way.
  bool Pressing() const { return IsFormGesture(gesture_.kind); }
  bool StretchingEnd() const { return gesture_.kind == GestureKind::StretchEnd; }
  bool StretchingStart() const { return gesture_.kind == GestureKind::StretchStart; }
  // The marker is being dragged.
  bool StaffDragging() const { return gesture_.kind == GestureKind::MarkerDrag; }

  // ---- mouse gestures (main_form_mouse.cpp) ----
  void FormMouseDown(MouseButton button, ShiftState shift, int x, int y);
  void FormMouseMove(ShiftState shift, int x, int y);
  void FormMouseUp(MouseButton button, ShiftState shift, int x, int y);
  // Ends the gesture under way without changing the ruler (Esc).
  void CancelFormGesture();
  double GetDistance(int x, int y, int x1, int y1, int x2, int y2) const;
  static double GetAngle(double a);
  // A distance in pixels in the current unit (in pixels while the unit's
  // size is unknown).
  double PixelsInUnit(double pixels) const;

  // ---- the reading (what the read-out label shows) ----
  // Shows a reading in the read-out label; it becomes the reading that
  // "Copy &Measurement" copies. The distance and angle of the mouse
  // gestures and the marker come here, and so may any later measurement.
  void ShowReading(const Reading& reading);
  // The reading last shown, or before any the ruler's length in the
  // current unit.
  Reading CurrentReading() const;
  int iOnScale(int x, int y) const;

  // ---- orientation (main_form_orientation.cpp) ----
  void PMenuCircumClick();
  void PMenuLevalClick();
  void PMenuPlumbClick();
  void MenuFitScreenClick();
  void FitScreenAsHorizontal1Click();
  void FormDblClick();
  void FormKeyDown(int key, ShiftState shift);

  // ---- marker and scale line (main_form_marker.cpp) ----
  void LabelStaffMouseDown(MouseButton button, ShiftState shift, int x, int y);
  void LabelStaffMouseMove(ShiftState shift, int x, int y);
  void LabelStaffMouseUp(MouseButton button, ShiftState shift, int x, int y);
  // Ends the marker drag with the scale line back where it was (Esc).
  void CancelStaffDrag();
  void DrawStaff(int staff_size, int staff_dir, int x, int y);
  void DrawScaleLine(int staff_dir, int x, int y);
  void MenuShowScaleLineClick();
  // Held by FormPaint for the length of a paint: DrawScaleLine then draws on
  // the paint canvas instead of a separate window canvas, whose drawing the
  // paint would overwrite.
  class PaintScope {
   public:
    PaintScope(TMainForm& form, Canvas& canvas) : form_(form) { form_.paint_canvas_ = &canvas; }
    ~PaintScope() { form_.paint_canvas_ = nullptr; }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

   private:
    TMainForm& form_;
  };

  // ---- monitors (main_form_monitors.cpp) ----
  // The zero corner in screen pixels.
  Point ZeroCornerOnScreen() const;
  // The extremes of the corners in screen pixels, with the window where it
  // is or at (left, top).
  Box OutlineOnScreen() const;
  Box OutlineWithWindowAt(int left, int top) const;
  // Pixels per inch of the monitor holding the zero corner: the centimetre
  // and inch scales and read-outs use it.
  int RulerPixelsPerInch() const;
  // What the scale and the read-outs measure with on that monitor: its
  // pixels per inch, with True Size its physical density, with Scaled
  // Pixels the size of a scaled pixel.
  UnitDensity RulerDensity() const;
  // The platform tells that the ruler's window now is on a monitor of another
  // density.
  void DpiChanged();

  // ---- see-through mode (main_form_seethrough.cpp) ----
  void PMenuTranserClick();
  // Switches the mode on (start-up uses it with from_menu = false: the
  // setting is already on, and no focus step).
  void SwitchSeeThroughOn(bool from_menu);
  void SwitchSeeThroughOff();
  void TakeScreenShoot();
  // The capture an activation by a click left for the end of that click
  // (the release, or the menu a right click opens); nothing when none waits.
  void TakeScreenShootAfterClick();
  void SetTranspColor(Color color);
  void SetTransparency(std::uint8_t percent);

  // ---- snapping to edges (main_form_snap.cpp) ----
  // "Snap to &Edges": ends, moves and the read-out jump to edges nearby.
  void PMenuSnapToEdgesClick();
  // "Measure &Gap": the ruler's zero end onto the nearest edge before the
  // pointer (or the place the menu opened at), the gap to the nearest edge
  // after it marked and shown in the read-out.
  void PMenuMeasureGapClick();
  // The ruler as snapping sees it, on the screen.
  RulerAxis SnapAxis() const;
  // Snapping is on and not suspended by Shift.
  bool Snaps(ShiftState shift) const { return SnapToEdges && (shift & kShift) == 0; }
  // The place along the axis (a distance from the zero end, in pixels) of
  // the edge the read-out or Measure Gap marks, drawn by the paint in the
  // scale line's colour; none: no mark.
  std::optional<double> SnapMark;
  bool SnapToEdges = false;
  // Shown by Measure Gap when one side has no edge; a language pack may
  // replace it.
  std::string NoGapText = "No edge";

  // ---- language packs (main_form_language.cpp) ----
  // Fills the pack list from ExeDir\Languages (creating the folder when
  // missing) and adds a radio entry for every pack with a name.
  void LoadLanguagePackage();
  // Sets LanguageIndex from AppSettings.LanguageFileName, checks its entry
  // and applies it.
  void RestoreLanguage();
  // A language entry was chosen (id kCmdEnglish or kCmdLanguageFirst + i).
  void LanguageMenuClick(int id);
  // Applies pack index (-1 English) to the menu and the messages; a pack
  // whose file is gone gives English and checks "&English (Default)".
  void SetLanguage(int index);
  void SetDefaultLanguage();
  // Called by LanguageMenuClick with the new index while "Show T&oolBar" is
  // checked: the tool bar's SetLanguage (set by the code that makes it).
  std::function<void(int)> ToolBarSetLanguage;
  // The pack index of the checked language entry (-1: "&English (Default)").
  // It differs from LanguageIndex while the chosen pack's file is gone.
  int CheckedLanguage() const { return checked_language_; }
  // The radio items of the language packs, after "&English (Default)".
  void AddLanguageEntries(std::vector<MenuItem>& items) const;

  // ---- window commands (main_form.cpp) ----
  // Registers value (0: none) as the global Hide/Show hot key; a refused one
  // is told with error_text and becomes 0. The result is stored and shown on
  // the menu item.
  void RegisterHideHotKey(Shortcut value, const std::string& error_text);
  void PMenuHideClick();
  void PMenuOnTopClick();
  void PMenuCalculatorClick();
  // Copies CurrentReading as CopiedText in the CopyFormat of the settings;
  // says so once when another program keeps the clipboard.
  void PMenuCopyMeasurementClick();
  void PMenuHelpClick();
  // A unit of the Units submenu; Pixels counts device pixels again.
  void PMenuUnitClick(int unit);
  // "Scal&ed Pixels": the pixel unit in the pixels applications see.
  void PMenuScaledPixelsClick();
  // "&True Size": switches the physical density of centimetres and inches.
  void PMenuTrueSizeClick();
  // "C&alibrate...": the calibration dialog for the monitor of the zero
  // corner, modeless beside the ruler, which stays usable: the dialog follows
  // its length and place as the ruler is stretched and moved (an opening
  // while it is open only brings it to the front). A calibration switches
  // True Size on.
  void PMenuCalibrateClick();
  // The calibration dialog is open.
  bool CalibrationOpen() const { return calibrate_.IsOpen(); }
  // The open calibration dialog's form, or null.
  TCalibrateForm* CalibrationForm() { return CalibrationOpen() ? calibrate_.form.get() : nullptr; }
  void PMenuToolBarClick();
  // "&About...": the about box, modal (src/about/).
  void PMenuAboutClick();

  // ---- state the menu shows ----
  bool OnTop() const { return on_top_; }
  // See-through mode is on (AppSettings.Transparence).
  bool SeeThrough() const { return AppSettings.Transparence; }
  bool ScaleLineShown() const { return scale_line_shown_; }
  bool ToolBarShown() const { return tool_bar_shown_; }

  // ---- what the preferences and the tool bar use (RulerLink) ----
  void ToolBarHidden() override;
  std::vector<Shortcut TAppSettings::*> ShortcutSettings() const override {
    return mensor::ShortcutSettings(kRulerCommands);
  }
  void CrossHairChanged() override;
  void SeeThroughTintChanged() override;
  void ChangeHideHotKey(Shortcut value, const std::string& error_text) override;
  void SettingsApplied() override;

  // ---- preferences (main_form_prefs.cpp) ----
  // Opens the preferences dialog modally, made anew for this opening, and
  // destroys it when it closes.
  void PMenuConfigClick();
  // Makes the dialog window for a dialog's logic (the platform layer sets
  // it); without it "&Preferences..." does nothing.
  std::function<std::unique_ptr<ConfigView>(TConfigForm&)> MakeConfigView;
  // True while the preferences dialog is open (it is never opened twice).
  bool ConfigOpen = false;

  // ---- state (public: the handlers' tests read and prepare it) ----
  Platform& platform;
  Window& window;
  TInfoForm* InfoForm = nullptr;
  TFormToolBar* FormToolBar = nullptr;

  Label LabelStaff;
  Label LabelNumber;

  // Geometry.
  Corners Outline{};
  double Angle = kHorizontalAngle;
  double NewAngle = kHorizontalAngle;
  double PressAngle = 0.0;
  OutlineBoundsRect OutlineBounds;
  std::unique_ptr<Canvas> ScreenCanvas;

  int Unit = kUnitPixels;
  // True Size: centimetres and inches at each monitor's physical density
  // (calibrated, reported by its EDID, or else assumed).
  bool TrueSize = false;
  // The pixel unit counts the scaled pixels applications see.
  bool ScaledPixels = false;
  // The calibrations of app.ini by monitor identity.
  Calibrations Calibration;

  // Start-up and see-through.
  bool NotYetShown = true;
  std::unique_ptr<Image> ScreenShot;  // present only while see-through is on
  bool HookInstalled = false;         // the window hook of see-through mode
  Color TranspColor = 0;
  std::uint8_t Transparency = 0;
  bool RecaptureAllowed = false;
  // An activation by a click asked for a capture that waits for the click to
  // end: hiding the window under the pressed button would lose its release.
  bool RecaptureAfterClick = false;
  // Screen position of the capture's top-left pixel (the virtual screen's).
  Point ScreenShotOrigin;
  // The density the last paint drew the scale for (0 before the first).
  int PaintedPixelsPerInch = 0;
  double PaintedPixelsPerMm = 0;
  bool PaintedScaledPixels = false;
  bool TrayIconAdded = false;

  // Mouse gestures (the gesture under way is gesture_).
  bool RotateMode = false;

  // Marker and scale line.
  Point ScaleLinePoint;

  // The reading the read-out label shows (none before the first).
  std::optional<Reading> LastReading;

  // Captions of the Hide/Show item: HideCaption while the ruler is shown,
  // ShowCaption while it is hidden. The state is RulerHidden, not the
  // caption: a language pack may give both captions the same text.
  std::string HideCaption = "H&ide";
  std::string ShowCaption = "Sh&ow";
  bool RulerHidden = false;
  // Messages; a language pack may replace them.
  std::string CalculatorErrorText = "Fail to find Calculator in Windows";
  std::string HotKeyErrorText = "Fail to register hot key";
  std::string CopyFailedText = "The measurement could not be copied: another program is using the clipboard.";
  // The pack list: the names of the "*.txt" files in ExeDir\Languages,
  // sorted without regard to case; a pack is known by its position here.
  std::vector<std::string> FileListBoxLanguage;

  // Window font size in points (the numbers of the scale, placement maths).
  int FontPoints = 8;
  // The window colour the last paint set. A paint sets it only when it
  // changes, since setting it asks for another paint.
  std::optional<Color> PaintedBackgroundColor;

  // The entries the ruler window saves in app.ini.
  RulerEntries CurrentEntries() const;

  // Label changes repaint the parts of the window the label covered and
  // covers now. Auto-sized labels take the size of their new text.
  void SetLabelCaption(Label& label, const std::string& caption);
  void MoveLabel(Label& label, int left, int top);
  void SetLabelVisible(Label& label, bool visible);

 private:
  // Puts a window text of the language tables on its target.
  void ApplyLanguageTexts(const WindowTexts& texts);
  // The label under a client point that takes mouse input there, or null.
  Label* LabelAt(int x, int y);
  // The handlers that take a press at a client point.
  MouseTarget TargetAt(int x, int y);
  // Ends the drag under way (release or cancel) and gives the capture back.
  void EndDrag(bool cancel);
  // Takes the gesture out of the state before its handler finishes it, so
  // that a capture lost meanwhile finds nothing to end. What stays is the
  // mouse held by the same target while `held` has buttons down.
  Gesture TakeGesture(ShiftState held);

  // State shown by check marks (the others: RotateMode, Unit, see-through).
  bool on_top_ = false;
  bool scale_line_shown_ = false;
  bool tool_bar_shown_ = false;
  // The captions of kRulerCommands' rows in the current language, by row,
  // and the words of its shortcuts.
  std::vector<std::string> captions_;
  ShortcutWords shortcut_words_;
  // One radio item per language pack with a name: its command id, its pack
  // index and its caption (the pack's name).
  struct LanguageEntry {
    int id;
    int index;
    std::string caption;
  };
  std::vector<LanguageEntry> language_entries_;
  int checked_language_ = -1;

  bool closed_ = false;
  // The canvas of the paint under way, or null (see PaintScope).
  Canvas* paint_canvas_ = nullptr;
  // The gesture under way and which handlers own the mouse, from press to
  // release.
  Gesture gesture_;
  // The last client point the mouse reported.
  Point last_pointer_;
  // The calibration dialog (see PMenuCalibrateClick), and the ruler's length
  // and zero corner it was last told.
  CalibrateDialog calibrate_;
  int calibrate_pixels_ = 0;
  Point calibrate_zero_;
  // Tells the open calibration dialog the ruler's length and place when
  // they changed.
  void FollowRulerInCalibration();
  void CalibrationEnded(TCalibrateForm::Outcome outcome);
  // Where the popup menu was opened (screen), while its command runs.
  std::optional<Point> menu_point_;

  // Snapping (main_form_snap.cpp): the picture of the gesture under way, or
  // of the read-out while the pointer moves over the ruler with no button.
  struct SnapSource {
    std::unique_ptr<Image> own;  // a capture of its own, or null: ScreenShot
    const Image* image = nullptr;
    Point origin;        // screen position of image's top-left pixel
    SnapLine line;       // where the gesture looks, on the screen at the press
    int tolerance = kDefaultEdgeTolerance;
    bool sees_ruler = false;  // the picture shows the ruler itself
    RulerAxis axis;           // the ruler at the press
    int length = 0;
    bool hover = false;       // taken for the read-out, not for a gesture
  };
  std::optional<SnapSource> snap_;
  // Takes the picture for a gesture or the read-out begun at client point p:
  // the see-through capture, or a capture of `area` of the screen. None when
  // the screen cannot be read.
  void BeginSnap(Point p, const Rect& area, bool hover);
  // Drops the picture (the ruler moved, a gesture ended): the next gesture or
  // read-out takes a new one.
  void EndSnap() {
    snap_.reset();
    hover_tried_ = false;
  }
  // The read-out has tried its capture since the last EndSnap (a failed one
  // is not tried again at every movement).
  bool hover_tried_ = false;
  // The line snapping looks along for the pointer at a screen point, and the
  // part of the screen the gesture under way (or the read-out) reads.
  SnapLine SnapLineAt(Point screen) const;
  Rect SnapArea(Point p) const;
  // The screen rectangle a search along line from a to b reads.
  Rect AreaAlong(const SnapLine& line, double a, double b) const;
  // Snapping in the gestures (main_form_mouse.cpp calls these).
  int SnappedLength(const Gesture& g, int length) const;
  Point SnappedMove(Point offset) const;
  // The read-out's edge near the pointer (client point), or none.
  std::optional<double> HoverEdge(Point p);
  void SetSnapMark(std::optional<double> mark);
  void DrawSnapMark(Canvas& canvas) const;
};

}  // namespace mensor
