// The tool bar window: a borderless window above all others, without a
// task-bar button, whose messages become calls of TFormToolBar. It paints the
// core's picture and the two button glyphs, holds the
// factor box (an edit box with an up-down control) and the buttons' tooltips,
// runs the magnifier's timer and draws the mouse pointer into the view.
#pragma once

#include "ui/win32/win32.h"

#include "toolbar/tool_bar_controls.h"
#include "ui/win32/gdi.h"
#include "ui/win32/top_level_window.h"

namespace mensor {
class TFormToolBar;
}

namespace mensor::win32 {

class Win32Platform;

class ToolBarWindow : public TopLevelWindow, public ToolBarControls {
 public:
  ToolBarWindow(HINSTANCE instance, Win32Platform& platform);
  ~ToolBarWindow() override;

  // Creates the hidden window and its controls. False when the system
  // refused.
  bool Create();
  // The form that receives the messages; none while it does not exist.
  void SetForm(TFormToolBar* form) { form_ = form; }

  // Shows the window without taking the activation from the ruler, whose
  // keys stay with the user until the tool bar is clicked.
  void Show() override;

  // --- ToolBarControls ---
  void SetTimerEnabled(bool enabled) override;
  std::string FactorText() const override;
  void SetFactorText(const std::string& text) override;
  void DrawPointer(Image& picture, Point at) override;
  void SetHints(const std::string& magnifier, const std::string& calculator) override;
  void PlaceFactorBox(const Rect& box, const Rect& caption, const std::string& caption_hint) override;
  int TrackPopupMenu(const Menu& menu, Point screen) override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The factor box's messages pass here first: keys reach the form before
  // the box (the window previews them), and its context menu is the tool
  // bar's.
  static LRESULT CALLBACK FactorBoxProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                        UINT_PTR id, DWORD_PTR data);
  bool OnKey(WPARAM key);
  void OnPaint();
  void DrawGlyph(HDC dc, HBITMAP glyph, Size size, const Rect& button, bool down) const;

  TFormToolBar* form_ = nullptr;
  HWND factor_box_ = nullptr;
  HWND factor_spin_ = nullptr;
  HWND tooltip_ = nullptr;
  Bitmap magnifier_glyph_;
  Bitmap calculator_glyph_;
  UINT count_message_ = 0;
  bool tracking_leave_ = false;  // WM_MOUSELEAVE asked for
};

}  // namespace mensor::win32
