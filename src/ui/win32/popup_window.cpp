// PopupWindow: window creation, the shared window procedure and the Window
// interface.
#include "ui/win32/popup_window.h"

#include "ui/win32/convert.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {

PopupWindow::PopupWindow(HINSTANCE instance, Win32Platform& platform, int show_command)
    : instance_(instance), platform_(platform), show_command_(show_command) {}

PopupWindow::~PopupWindow() {
  if (hwnd_ != nullptr) {
    // No more messages reach the derived class, which is gone already.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool PopupWindow::CreatePopup(const wchar_t* class_name, UINT class_style, const wchar_t* title,
                              DWORD ex_style) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = class_style;
  wc.lpfnWndProc = &PopupWindow::WndProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APP));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                             LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszClassName = class_name;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  // WS_POPUP: no border and no caption bar. The size is replaced by the form.
  CreateWindowExW(ex_style, class_name, title, WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, instance_, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK PopupWindow::WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  PopupWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<PopupWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<PopupWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT PopupWindow::Default(UINT message, WPARAM wparam, LPARAM lparam) {
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void PopupWindow::EraseBackground(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (!background_brush_) background_brush_.Reset(CreateSolidBrush(ToCOLORREF(background_)));
  FillRect(dc, &rc, background_brush_.Get());
}

bool PopupWindow::ApplyCursorFor(WPARAM wparam, LPARAM lparam) {
  if (reinterpret_cast<HWND>(wparam) != hwnd_ || LOWORD(lparam) != HTCLIENT) return false;
  ::SetCursor(platform_.CursorFor(cursor_));
  return true;
}

// --- Window ---

Rect PopupWindow::Bounds() const {
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  return FromRECT(rc);
}

void PopupWindow::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void PopupWindow::SetPolygonRegion(const std::vector<Point>& points) {
  if (points.size() < 3) {
    SetWindowRgn(hwnd_, nullptr, TRUE);
    return;
  }
  std::vector<POINT> pts;
  pts.reserve(points.size());
  for (Point p : points) pts.push_back(ToPOINT(p));
  Region region(CreatePolygonRgn(pts.data(), static_cast<int>(pts.size()), ALTERNATE));
  if (!region) return;
  // After a successful SetWindowRgn the system owns the region.
  if (SetWindowRgn(hwnd_, region.Get(), TRUE) != 0) region.Release();
}

void PopupWindow::Show() { ShowWindow(hwnd_, show_command_); }

void PopupWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool PopupWindow::IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_) != FALSE; }

bool PopupWindow::IsEnabled() const { return hwnd_ != nullptr && IsWindowEnabled(hwnd_) != FALSE; }

void PopupWindow::SetTopmost(bool topmost) {
  // Only the stacking class changes: no move, no size, no activation.
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void PopupWindow::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void PopupWindow::Focus() { SetFocus(hwnd_); }

void PopupWindow::SetBackgroundColor(Color color) {
  if (color == background_ && background_brush_) return;
  background_ = color;
  background_brush_.Reset(CreateSolidBrush(ToCOLORREF(color)));
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void PopupWindow::Invalidate() { ::InvalidateRect(hwnd_, nullptr, TRUE); }

void PopupWindow::InvalidateRect(const Rect& rect) {
  const RECT rc = ToRECT(rect);
  ::InvalidateRect(hwnd_, &rc, TRUE);
}

void PopupWindow::Repaint() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

std::unique_ptr<Canvas> PopupWindow::GetCanvas() {
  return std::make_unique<GdiCanvas>(WindowDc(hwnd_), platform_.fonts());
}

void PopupWindow::SetCursor(CursorShape shape) {
  cursor_ = shape;
  // The new shape shows at once when the pointer is over the window or the
  // window has the mouse (no WM_SETCURSOR comes during a capture); otherwise
  // at the next WM_SETCURSOR.
  POINT pt;
  if (GetCapture() == hwnd_ || (GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_))
    ::SetCursor(platform_.CursorFor(cursor_));
}

void PopupWindow::SetMouseCapture(bool capture) {
  if (capture) {
    ::SetCapture(hwnd_);
  } else if (GetCapture() == hwnd_) {
    ReleaseCapture();
  }
}

void PopupWindow::Close() {
  // Synchronous, like the toolkit's Close: the form's close handler has run
  // and the window is gone when this returns.
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

}  // namespace mensor::win32
