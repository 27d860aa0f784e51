// TopLevelWindow: the shared window procedure and the Window interface over a
// window handle.
#include "ui/win32/top_level_window.h"

#include "ui/win32/convert.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/popup_menu.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {

TopLevelWindow::TopLevelWindow(HINSTANCE instance, Win32Platform& platform)
    : instance_(instance), platform_(platform) {}

TopLevelWindow::~TopLevelWindow() {
  if (hwnd_ == nullptr) return;
  // NOTE: the subclass part of the object is gone already: the messages of
  // the destruction must not reach HandleMessage.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  DestroyWindow(hwnd_);
}

bool TopLevelWindow::CreateHidden(WNDCLASSEXW wc, DWORD ex_style, DWORD style, const wchar_t* title,
                                  int width, int height, HWND owner) {
  wc.cbSize = sizeof(wc);
  wc.lpfnWndProc = &TopLevelWindow::WndProc;
  wc.hInstance = instance_;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
  CreateWindowExW(ex_style, wc.lpszClassName, title, style, 0, 0, width, height, owner, nullptr,
                  instance_, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK TopLevelWindow::WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  TopLevelWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TopLevelWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TopLevelWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  if (self->open_menu_ != nullptr) {
    LRESULT result = 0;
    if (self->open_menu_->HandleMessage(message, wparam, lparam, result)) return result;
  }
  return self->HandleMessage(message, wparam, lparam);
}

int TopLevelWindow::TrackMenu(const Menu& menu, Point screen, int dpi) {
  PopupMenu popup(menu, platform_.fonts(), dpi);
  open_menu_ = &popup;
  // NOTE: the owner must be the foreground window, or the menu does not close
  // when the user clicks elsewhere (this matters when it opens from the
  // notification icon); the posted null message lets it close properly.
  SetForegroundWindow(hwnd_);
  const int id = static_cast<int>(TrackPopupMenuEx(popup.handle(),
                                                   TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN,
                                                   screen.x, screen.y, hwnd_, nullptr));
  PostMessageW(hwnd_, WM_NULL, 0, 0);
  open_menu_ = nullptr;
  return id;
}

Point TopLevelWindow::ContextMenuPoint(LPARAM lparam) const {
  const Point at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  return at.x == -1 && at.y == -1 ? platform_.CursorPos() : at;
}

void TopLevelWindow::PaintWith(const std::function<void(Canvas&)>& paint) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  {
    GdiCanvas canvas(dc, platform_.fonts());
    paint(canvas);
  }
  EndPaint(hwnd_, &ps);
}

void TopLevelWindow::EraseBackground(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (!background_brush_) background_brush_.Reset(CreateSolidBrush(ToCOLORREF(background_)));
  FillRect(dc, &rc, background_brush_.Get());
}

bool TopLevelWindow::ApplyCursorOnSetCursor(WPARAM wparam, LPARAM lparam) {
  if (reinterpret_cast<HWND>(wparam) != hwnd_ || LOWORD(lparam) != HTCLIENT) return false;
  ::SetCursor(platform_.CursorFor(cursor_));
  return true;
}

// --- Window ---

Rect TopLevelWindow::Bounds() const {
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  return FromRECT(rc);
}

void TopLevelWindow::SetBounds(int left, int top, int width, int height) {
  UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
  if (update_depth_ > 0) {
    // NOTE: while an update is held nothing is drawn (EndUpdate paints the
    // final state once). A window that only moves keeps its picture; one that
    // changes size drops it, as it no longer fits the new shape.
    flags |= SWP_NOREDRAW;
    const Rect now = Bounds();
    if (now.Width() != width || now.Height() != height) flags |= SWP_NOCOPYBITS;
  }
  SetWindowPos(hwnd_, nullptr, left, top, width, height, flags);
}

void TopLevelWindow::SetPolygonRegion(const std::vector<Point>& points) {
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
  if (SetWindowRgn(hwnd_, region.Get(), update_depth_ == 0 ? TRUE : FALSE) != 0) region.Release();
}

void TopLevelWindow::Show() { ShowWindow(hwnd_, SW_SHOW); }

void TopLevelWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool TopLevelWindow::IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_) != FALSE; }

bool TopLevelWindow::IsEnabled() const { return hwnd_ != nullptr && IsWindowEnabled(hwnd_) != FALSE; }

void TopLevelWindow::SetTopmost(bool topmost) {
  // Only the stacking class changes: no move, no size, no activation.
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TopLevelWindow::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TopLevelWindow::Focus() { SetFocus(hwnd_); }

void TopLevelWindow::SetBackgroundColor(Color color) {
  if (color == background_ && background_brush_) return;
  background_ = color;
  background_brush_.Reset(CreateSolidBrush(ToCOLORREF(color)));
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void TopLevelWindow::Invalidate() { ::InvalidateRect(hwnd_, nullptr, TRUE); }

void TopLevelWindow::InvalidateRect(const Rect& rect) {
  const RECT rc = ToRECT(rect);
  ::InvalidateRect(hwnd_, &rc, TRUE);
}

void TopLevelWindow::Repaint() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
  // While an update is held, EndUpdate paints.
  if (update_depth_ == 0) UpdateWindow(hwnd_);
}

std::unique_ptr<Canvas> TopLevelWindow::GetCanvas() {
  return std::make_unique<GdiCanvas>(WindowDc(hwnd_), platform_.fonts());
}

void TopLevelWindow::SetCursor(CursorShape shape) {
  cursor_ = shape;
  ApplyCursor();
}

void TopLevelWindow::ApplyCursor() {
  // The new shape shows at once when the pointer is over the window or the
  // window has the mouse; otherwise at the next WM_SETCURSOR.
  POINT pt;
  if (GetCapture() == hwnd_ || (GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_))
    ::SetCursor(platform_.CursorFor(cursor_));
}

void TopLevelWindow::SetMouseCapture(bool capture) {
  if (capture) {
    ::SetCapture(hwnd_);
  } else if (GetCapture() == hwnd_) {
    ReleaseCapture();
  }
}

void TopLevelWindow::Close() {
  // Synchronous, like the toolkit's Close: the close handling has run when
  // this returns.
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

void TopLevelWindow::BeginUpdate() {
  if (update_depth_++ > 0 || hwnd_ == nullptr) return;
  area_before_update_ = ScreenArea();
}

void TopLevelWindow::EndUpdate() {
  if (update_depth_ == 0 || --update_depth_ > 0) return;
  Region before = std::move(area_before_update_);
  if (hwnd_ == nullptr) return;
  // The window's new picture, in one paint.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  // What the window covered before and covers no more: the windows below
  // repaint it (SWP_NOREDRAW left that to us).
  if (!before) return;
  Region now = ScreenArea();
  if (now) CombineRgn(before.Get(), before.Get(), now.Get(), RGN_DIFF);
  RedrawWindow(nullptr, nullptr, before.Get(), RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

Region TopLevelWindow::ScreenArea() const {
  Region area(CreateRectRgn(0, 0, 0, 0));
  if (!area || !IsWindowVisible(hwnd_)) return area;
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  // The window region is in window coordinates; no region is the rectangle.
  if (GetWindowRgn(hwnd_, area.Get()) == ERROR)
    SetRectRgn(area.Get(), 0, 0, rc.right - rc.left, rc.bottom - rc.top);
  OffsetRgn(area.Get(), rc.left, rc.top);
  return area;
}

}  // namespace mensor::win32
