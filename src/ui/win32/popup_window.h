// What every window of the program has in common: a borderless popup
// window whose procedure stores `this` at WM_NCCREATE and hands each message
// to the derived class, and the Window interface the core drives it through
// (place, region, stacking, background, paint requests, cursor, capture,
// close). The derived classes (one per file) register their own window class
// and translate their messages into calls of their form.
#pragma once

#include "ui/platform.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32.h"

namespace mensor::win32 {

class Win32Platform;

class PopupWindow : public Window {
 public:
  ~PopupWindow() override;
  PopupWindow(const PopupWindow&) = delete;
  PopupWindow& operator=(const PopupWindow&) = delete;

  HWND hwnd() const { return hwnd_; }

  // --- Window ---
  Rect Bounds() const override;
  void SetBounds(int left, int top, int width, int height) override;
  void SetPolygonRegion(const std::vector<Point>& points) override;
  void Show() override;
  void Hide() override;
  bool IsVisible() const override;
  bool IsEnabled() const override;
  void SetTopmost(bool topmost) override;
  void BringToFront() override;
  void Focus() override;
  void SetBackgroundColor(Color color) override;
  void Invalidate() override;
  void InvalidateRect(const Rect& rect) override;
  void Repaint() override;
  std::unique_ptr<Canvas> GetCanvas() override;
  void SetCursor(CursorShape shape) override;
  void SetMouseCapture(bool capture) override;
  void Close() override;

 protected:
  // show_command: how Show() shows the window (SW_SHOW activates it).
  PopupWindow(HINSTANCE instance, Win32Platform& platform, int show_command);

  // Registers the class (once) and creates the hidden window. The class has
  // no brush: WM_ERASEBKGND is answered with the background colour.
  bool CreatePopup(const wchar_t* class_name, UINT class_style, const wchar_t* title, DWORD ex_style);

  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;
  LRESULT Default(UINT message, WPARAM wparam, LPARAM lparam);

  // Fills the client area with the background colour.
  void EraseBackground(HDC dc);
  // Sets the cursor the core chose when the pointer is over the client area;
  // false for the default handling elsewhere.
  bool ApplyCursorFor(WPARAM wparam, LPARAM lparam);

  HINSTANCE instance_;
  Win32Platform& platform_;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

  HWND hwnd_ = nullptr;
  int show_command_;
  Color background_ = 0;
  Brush background_brush_;
  CursorShape cursor_ = CursorShape::Default;
};

}  // namespace mensor::win32
