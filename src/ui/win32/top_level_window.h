// TopLevelWindow: what the program's own top-level windows share. It binds a
// window handle to its object (the procedure stores `this` at WM_NCCREATE and
// forwards every later message to the subclass), carries out the core's
// Window requests on that handle, fills the background in the colour the core
// chose and paints through a GdiCanvas. The subclasses only dispatch their
// messages to their forms.
#pragma once

#include "ui/win32/win32.h"

#include <functional>

#include "ui/menu.h"
#include "ui/platform.h"
#include "ui/win32/gdi.h"

namespace mensor::win32 {

class PopupMenu;
class Win32Platform;

class TopLevelWindow : public Window {
 public:
  ~TopLevelWindow() override;
  TopLevelWindow(const TopLevelWindow&) = delete;
  TopLevelWindow& operator=(const TopLevelWindow&) = delete;

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
  // Sends WM_CLOSE and returns when the subclass has handled it.
  void Close() override;
  void BeginUpdate() override;
  void EndUpdate() override;

  // Shows the menu at a screen point, owned by this window, with its measures
  // and fonts for dpi; returns the chosen command id, 0 for none.
  int TrackMenu(const Menu& menu, Point screen, int dpi);

 protected:
  TopLevelWindow(HINSTANCE instance, Win32Platform& platform);

  // Registers the class (once a process; its size, procedure and instance are
  // filled in here) and creates the window, hidden. False when the system
  // refused either. An owned window stays above its owner.
  bool CreateHidden(WNDCLASSEXW wc, DWORD ex_style, DWORD style, const wchar_t* title, int width,
                    int height, HWND owner = nullptr);
  // Every message after WM_NCCREATE up to WM_NCDESTROY, while the object
  // lives; before and after, the system's default handling runs.
  virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) = 0;

  // WM_PAINT: runs paint on a canvas over the paint DC.
  void PaintWith(const std::function<void(Canvas&)>& paint);
  // WM_ERASEBKGND: fills the client area with the background colour.
  void EraseBackground(HDC dc);
  // WM_SETCURSOR: shows the cursor the core chose over the client area; false
  // leaves the message to the default handling.
  bool ApplyCursorOnSetCursor(WPARAM wparam, LPARAM lparam);
  // WM_CONTEXTMENU: where the menu opens; from the keyboard (Shift+F10, the
  // menu key) the position is (-1, -1) and the menu opens at the pointer.
  Point ContextMenuPoint(LPARAM lparam) const;

  HINSTANCE instance_;
  Win32Platform& platform_;

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  // The menu being shown by TrackMenu: it answers its own drawing messages.
  PopupMenu* open_menu_ = nullptr;
  void ApplyCursor();
  // The part of the screen the window shows (its region, or its rectangle),
  // in screen coordinates; empty while it is hidden.
  Region ScreenArea() const;

  HWND hwnd_ = nullptr;
  Color background_ = 0;
  Brush background_brush_;
  CursorShape cursor_ = CursorShape::Default;
  // BeginUpdate calls not yet ended, and what the window showed at the first.
  int update_depth_ = 0;
  Region area_before_update_;
};

}  // namespace mensor::win32
