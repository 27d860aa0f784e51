// TFormToolBar: the floating tool bar. A borderless window above all others,
// 124 pixels wide, that the user moves by its band. It carries the magnifier
// (a live, enlarged picture of the screen around the mouse pointer, ten times
// a second), the enlargement factor box and a button that starts the
// calculator. The ruler window shows and hides it; its own popup menu hides
// it too.
//
// The platform layer creates the window hidden, calls FormCreate once, turns
// its mouse, key, timer and paint messages into the calls below and carries
// out what the form asks through Window, Platform and ToolBarControls.
#pragma once

#include <string>

#include "commands/command_table.h"
#include "lang/language_pack.h"
#include "toolbar/magnifier_view.h"
#include "toolbar/tool_bar_controls.h"
#include "ui/canvas.h"
#include "ui/menu.h"
#include "ui/platform.h"
#include "ui/shortcut_text.h"
#include "ui/types.h"

namespace mensor {

class RulerLink;
class TFormToolBar;

// Command ids of the tool bar's popup menu.
enum ToolBarCommand : int {
  kCmdHideToolBar = 1,
  kCmdShowCursor,
  kCmdToolBarHelp,
  kCmdShowGrid,
};

// The tool bar's popup menu, in menu order (commands/command_table.h).
extern const CommandTable<TFormToolBar> kToolBarCommands;
// The tool bar's texts, all rule B: its hints and label, then the captions
// of its commands.
extern const TextTable kToolBarTexts;

// The English texts of the tool bar beside its menu; a language pack
// replaces them.
struct ToolBarTexts {
  std::string magnifier = "Magnifier";        // hint of the magnifier button
  std::string calculator = "Calculator";      // hint of the calculator button
  std::string multiple = "Multiple";          // caption beside the factor box
  std::string color_not_copied = "The colour could not be copied: another program is using the clipboard.";
};

class TFormToolBar {
 public:
  // ---- layout, in client pixels ----
  static constexpr int kWidth = 124;
  // CoolBarMain, PanelScreen, PanelMultiple and the colour row stacked; the
  // last panel's bottom bevel is cut off by the window's height.
  static constexpr int kBandHeight = 35;
  static constexpr int kScreenPanelHeight = 121;
  static constexpr int kMultiplePanelHeight = 30;
  static constexpr int kColorRowHeight = 32;
  static constexpr int kMagnifierHeight =
      kBandHeight + kScreenPanelHeight + kMultiplePanelHeight + kColorRowHeight - 2;  // 216
  static constexpr Color kBandColor = 16765606;  // red 166, green 210, blue 255
  static constexpr Color kViewColor = 0xFFFFFF;
  static constexpr Color kBevelShadow = 0x808080;
  static constexpr Color kBevelHighlight = 0xFFFFFF;
  static constexpr Rect kMagnifierButton{0, 3, 35, 31};
  static constexpr Rect kCalculatorButton{40, 3, 75, 31};
  static constexpr Rect kPanelTool{75, 3, 101, 31};
  static constexpr Rect kBand{0, 0, kWidth, kBandHeight};
  static constexpr Rect kPanelScreen{0, kBandHeight, kWidth, kBandHeight + kScreenPanelHeight};
  // ImageScreen: PanelScreen inside its two-pixel bevels.
  static constexpr Rect kView{2, kBandHeight + 2, kWidth - 2, kBandHeight + kScreenPanelHeight - 2};
  static constexpr Rect kPanelMultiple{0, kPanelScreen.bottom, kWidth, kPanelScreen.bottom + kMultiplePanelHeight};
  static constexpr Rect kColorRow{0, kPanelMultiple.bottom, kWidth, kPanelMultiple.bottom + kColorRowHeight};
  static constexpr Point kLabelInfo{5, kPanelMultiple.top + 9};
  static constexpr Rect kFactorBox{54, kPanelMultiple.top + 4, 54 + 67, kPanelMultiple.top + 4 + 22};
  static constexpr Size kMagnifierGlyph{24, 24};
  static constexpr Size kCalculatorGlyph{31, 21};
  static constexpr int kTimerInterval = 100;  // milliseconds
  static constexpr int kInitialFactor = 2;

  TFormToolBar(Platform& platform, Window& window, ToolBarControls& controls);
  TFormToolBar(const TFormToolBar&) = delete;
  TFormToolBar& operator=(const TFormToolBar&) = delete;

  // The ruler window, whose "Show T&oolBar" this window's own menu clears.
  void SetRuler(RulerLink* ruler) { Ruler = ruler; }

  // ---- lifecycle ----
  void FormCreate();
  // Runs each time the window is shown: texts of the current language.
  void FormShow();
  void FormDestroy();

  // ---- what the ruler window uses ----
  // Places the window by the saved position (kept inside the screen, stored
  // back), shows it and starts the magnifier when its button is down.
  void ShowPlaced();
  // Hides the window and stops the magnifier (the button stays as it is).
  void HideAndStop();
  bool Visible() const { return window.IsVisible(); }

  // ---- input as the platform delivers it (client coordinates) ----
  void MouseDown(MouseButton button, ShiftState shift, int x, int y);
  void MouseMove(ShiftState shift, int x, int y);
  void MouseUp(MouseButton button, ShiftState shift, int x, int y);
  // The pointer left the window (a flat button under it shows no edge then).
  void MouseLeave();
  // A key while the tool bar has the focus (the factor box included): the
  // window's key handler first, then the popup menu's shortcuts. True when
  // the key was used and must not be processed further.
  bool KeyDown(int key, ShiftState shift);
  void ContextMenu(Point screen);
  void ExecuteCommand(int id);
  // The popup menu as it opens now. "&Hide ToolBar" has the shortcut that
  // shows the tool bar from the ruler; "&Show Cursor" shows
  // AppSettings.ShowCursor.
  Menu PopupMenu() const;
  // The pointer shape over a client point.
  CursorShape CursorAt(Point p) const;
  // Everything but the button glyphs, which the platform draws at
  // kMagnifierButton and kCalculatorButton.
  void FormPaint(Canvas& canvas);
  // Copies the framed pixel's colour as "#RRGGBB" (a click on the colour
  // row, Ctrl+C); says so once when the clipboard stays held. Nothing while
  // no pixel has been read.
  void CopyColor();
  // The magnified view as the last tick left it.
  const MagnifierView& Magnifier() const { return magnifier_; }

  // ---- handlers ----
  // True when the key is swallowed (Alt+F4).
  bool FormKeyDown(int key, ShiftState shift);
  void ToolBarMainMouseDown(MouseButton button, ShiftState shift, int x, int y);
  void ToolBarMainMouseMove(ShiftState shift, int x, int y);
  void ToolBarMainMouseUp(MouseButton button, ShiftState shift, int x, int y);
  void SpeedButtonMagnifierClick();
  void SpeedButtonCalcuClick();
  void TimerMagnifierTimer();
  void PMenuHideToolBarClick();
  void PMenuShowCursorClick();
  void PMenuShowGridClick();
  void Help1Click();
  void SetLanguage(int index);
  void SetDefaultLanguage();

  // ---- state (public: the tests read and prepare it) ----
  Platform& platform;
  Window& window;
  ToolBarControls& controls;
  RulerLink* Ruler = nullptr;

  ToolBarTexts Texts;
  // The factor box's caption as painted (cut when too long) and the box's place.
  std::string LabelInfoCaption = "Multiple";
  Rect FactorBox = kFactorBox;
  bool SpeedButtonMagnifierDown = false;
  bool TimerMagnifier = false;  // the timer's on/off switch

  bool Dragging = false;
  int PressX = 0;
  int PressY = 0;
  int DragLeft = 0;
  int DragTop = 0;

  // The screen the tool bar lives on, for snapping, placement and capture.
  Rect ScreenRect() const;
  Size ViewSize() const { return {kView.Width(), kView.Height()}; }

 private:
  void ApplyTexts(const ToolBarTexts& texts);
  // The texts of the tool bar's rows, as resolved from its text table.
  void ApplyTexts(const WindowTexts& resolved);
  void SetTimer(bool on);
  // The caption's font: bold (drawn underlined).
  static Font CaptionFont();
  // The caption measured in its font and the factor box beside it.
  void LayOutFactorRow();
  enum class Button { None, Magnifier, Calculator };
  static Button ButtonAt(int x, int y);
  void SetHot(Button hot);
  // Which button the left button went down on, until it is released.
  Button pressed_ = Button::None;
  // The button under the pointer: a flat button shows a raised edge then.
  Button hot_ = Button::None;
  bool mouse_captured_ = false;
  // The captions of kToolBarCommands' rows in the current language, by row,
  // and the words of its shortcuts.
  std::vector<std::string> captions_;
  ShortcutWords shortcut_words_;
  MagnifierView magnifier_;
};

}  // namespace mensor
