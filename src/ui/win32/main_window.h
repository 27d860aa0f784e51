// The ruler window: a borderless popup window (caption "Mensor") whose
// messages become calls of TMainForm's handlers, and whose Window interface
// carries out the core's requests (place, region, stacking, paint, cursor,
// capture, close).
#pragma once

#include "ui/win32/win32.h"

#include "ui/platform.h"
#include "ui/win32/gdi.h"

namespace mensor {
class TMainForm;
}

namespace mensor::win32 {

class PopupMenu;
class Win32Platform;

class MainWindow : public Window {
 public:
  MainWindow(HINSTANCE instance, Win32Platform& platform);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the hidden window. False when the system refused.
  bool Create();
  HWND hwnd() const { return hwnd_; }
  // The form that receives the messages; none while it does not exist.
  void SetForm(TMainForm* form) { form_ = form; }
  // The popup menu that is open (its owner-draw messages come here).
  void SetOpenMenu(PopupMenu* menu) { open_menu_ = menu; }

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

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);
  LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

  void OnPaint();
  void OnEraseBackground(HDC dc);
  void OnMouseDown(MouseButton button, WPARAM wparam, LPARAM lparam, bool double_click);
  void OnMouseMove(WPARAM wparam, LPARAM lparam);
  void OnMouseUp(MouseButton button, WPARAM wparam, LPARAM lparam);
  void OnContextMenu(LPARAM lparam);
  bool OnKeyDown(WPARAM key);
  bool OnSetCursor(WPARAM wparam, LPARAM lparam);
  void OnActivate(WPARAM wparam, LPARAM lparam);
  void OnClose();
  void ApplyCursor();

  HINSTANCE instance_;
  Win32Platform& platform_;
  HWND hwnd_ = nullptr;
  TMainForm* form_ = nullptr;
  PopupMenu* open_menu_ = nullptr;
  Color background_ = 0;
  Brush background_brush_;
  CursorShape cursor_ = CursorShape::Default;
  UINT taskbar_created_ = 0;
};

}  // namespace mensor::win32
