// MainWindow: the ruler window's class, its window procedure and its Window
// interface. Each message becomes one call of TMainForm; the window decides
// nothing itself.
#include "ui/win32/main_window.h"


#include "app/main_form.h"
#include "ui/win32/convert.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/popup_menu.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MensorRuler";

// Modifier keys and mouse buttons of a mouse message. Alt is not part of the
// message's flags and is read from the keyboard state.
ShiftState MouseShift(WPARAM wparam) {
  ShiftState shift = 0;
  if (wparam & MK_SHIFT) shift |= kShift;
  if (wparam & MK_CONTROL) shift |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
  if (wparam & MK_LBUTTON) shift |= kLeftButton;
  if (wparam & MK_RBUTTON) shift |= kRightButton;
  if (wparam & MK_MBUTTON) shift |= kMiddleButton;
  return shift;
}

ShiftState KeyShift() {
  ShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
  return shift;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Win32Platform& platform) : instance_(instance), platform_(platform) {}

MainWindow::~MainWindow() {
  if (hwnd_ != nullptr) {
    form_ = nullptr;
    DestroyWindow(hwnd_);
  }
}

bool MainWindow::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  // NOTE: CS_DBLCLKS, or Windows never sends WM_LBUTTONDBLCLK (a double click
  // toggles Rotate mode).
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &MainWindow::WndProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APP));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                             LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: WM_ERASEBKGND fills with the ruler's colour.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kClassName;
  if (RegisterClassExW(&wc) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  // WS_POPUP: no border and no caption bar; the region cuts it to the ruler.
  // The size is replaced by the first layout.
  CreateWindowExW(0, kClassName, L"Mensor", WS_POPUP, 0, 0, 277, 433, nullptr, nullptr, instance_, this);
  return hwnd_ != nullptr;
}

LRESULT CALLBACK MainWindow::WndProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  MainWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (self == nullptr) return DefWindowProcW(hwnd, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return DefWindowProcW(hwnd, message, wparam, lparam);
  }
  return self->HandleMessage(message, wparam, lparam);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (open_menu_ != nullptr) {
    LRESULT result = 0;
    if (open_menu_->HandleMessage(message, wparam, lparam, result)) return result;
  }
  if (form_ == nullptr) return DefWindowProcW(hwnd_, message, wparam, lparam);
  if (message == taskbar_created_ && taskbar_created_ != 0) {
    platform_.RestoreNotifyIcons();
    return 0;
  }
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: OnEraseBackground(reinterpret_cast<HDC>(wparam)); return 1;
    case WM_LBUTTONDOWN: OnMouseDown(MouseButton::Left, wparam, lparam, false); return 0;
    case WM_MBUTTONDOWN: OnMouseDown(MouseButton::Middle, wparam, lparam, false); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(MouseButton::Right, wparam, lparam, false); return 0;
    case WM_LBUTTONDBLCLK: OnMouseDown(MouseButton::Left, wparam, lparam, true); return 0;
    case WM_MBUTTONDBLCLK: OnMouseDown(MouseButton::Middle, wparam, lparam, true); return 0;
    case WM_RBUTTONDBLCLK: OnMouseDown(MouseButton::Right, wparam, lparam, true); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wparam, lparam); return 0;
    case WM_LBUTTONUP: OnMouseUp(MouseButton::Left, wparam, lparam); return 0;
    case WM_MBUTTONUP: OnMouseUp(MouseButton::Middle, wparam, lparam); return 0;
    // The default handling of the right button's release sends WM_CONTEXTMENU.
    case WM_RBUTTONUP: OnMouseUp(MouseButton::Right, wparam, lparam); break;
    case WM_CONTEXTMENU: OnContextMenu(lparam); return 0;
    case WM_KEYDOWN: if (OnKeyDown(wparam)) return 0; break;
    case WM_SYSKEYDOWN: if (OnKeyDown(wparam)) return 0; break;
    case WM_SETCURSOR: if (OnSetCursor(wparam, lparam)) return TRUE; break;
    case WM_MOVE: form_->WindowMoved(); return 0;
    case WM_ACTIVATE: OnActivate(wparam, lparam); return 0;
    case WM_HOTKEY: form_->HotKeyPressed(static_cast<int>(wparam)); return 0;
    case kNotifyIconMessage: form_->NotifyIconMessage(static_cast<unsigned>(lparam)); return 0;
    // NOTE: a frameless popup is not limited to the screen's size by default,
    // but the ruler's square window may be several times the screen's height;
    // the maximum is lifted explicitly so no system ever clamps it.
    case WM_GETMINMAXINFO: reinterpret_cast<MINMAXINFO*>(lparam)->ptMaxTrackSize = {32767, 32767}; return 0;
    case WM_CLOSE: OnClose(); return 0;
    // The session ends without WM_CLOSE: the settings are saved all the same.
    case WM_ENDSESSION: if (wparam) form_->FormClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(hwnd_, message, wparam, lparam);
}

void MainWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  {
    GdiCanvas canvas(dc, platform_.fonts());
    form_->FormPaint(canvas);
  }
  EndPaint(hwnd_, &ps);
}

void MainWindow::OnEraseBackground(HDC dc) {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  if (!background_brush_) background_brush_.Reset(CreateSolidBrush(ToCOLORREF(background_)));
  FillRect(dc, &rc, background_brush_.Get());
}

void MainWindow::OnMouseDown(MouseButton button, WPARAM wparam, LPARAM lparam, bool double_click) {
  const int x = GET_X_LPARAM(lparam);
  const int y = GET_Y_LPARAM(lparam);
  ShiftState shift = MouseShift(wparam);
  if (double_click) shift |= kDoubleClick;
  form_->MouseDown(button, shift, x, y);
  // A double click of the left button is also a click event of the window.
  if (double_click && button == MouseButton::Left && form_ != nullptr) form_->DoubleClick(x, y);
}

void MainWindow::OnMouseMove(WPARAM wparam, LPARAM lparam) {
  form_->MouseMove(MouseShift(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

void MainWindow::OnMouseUp(MouseButton button, WPARAM wparam, LPARAM lparam) {
  form_->MouseUp(button, MouseShift(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

void MainWindow::OnContextMenu(LPARAM lparam) {
  Point at{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  // From the keyboard (Shift+F10, the menu key) the position is (-1, -1):
  // the menu opens at the pointer then.
  if (at.x == -1 && at.y == -1) at = platform_.CursorPos();
  form_->ContextMenu(at);
}

bool MainWindow::OnKeyDown(WPARAM key) { return form_->KeyDown(static_cast<int>(key), KeyShift()); }

bool MainWindow::OnSetCursor(WPARAM wparam, LPARAM lparam) {
  if (reinterpret_cast<HWND>(wparam) != hwnd_ || LOWORD(lparam) != HTCLIENT) return false;
  ::SetCursor(platform_.CursorFor(cursor_));
  return true;
}

void MainWindow::OnActivate(WPARAM wparam, LPARAM lparam) {
  // The default handling first: it gives the activated window the keyboard
  // focus, which the form may then move.
  DefWindowProcW(hwnd_, WM_ACTIVATE, wparam, lparam);
  form_->WindowActivated(LOWORD(wparam) != WA_INACTIVE);
}

void MainWindow::OnClose() {
  // The settings are saved by the form; the program ends even when that
  // failed (the user has been told).
  form_->FormClose();
  DestroyWindow(hwnd_);
}

// --- Window ---

Rect MainWindow::Bounds() const {
  RECT rc{};
  GetWindowRect(hwnd_, &rc);
  return FromRECT(rc);
}

void MainWindow::SetBounds(int left, int top, int width, int height) {
  SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetPolygonRegion(const std::vector<Point>& points) {
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

void MainWindow::Show() { ShowWindow(hwnd_, SW_SHOW); }

void MainWindow::Hide() { ShowWindow(hwnd_, SW_HIDE); }

bool MainWindow::IsVisible() const { return hwnd_ != nullptr && IsWindowVisible(hwnd_) != FALSE; }

bool MainWindow::IsEnabled() const { return hwnd_ != nullptr && IsWindowEnabled(hwnd_) != FALSE; }

void MainWindow::SetTopmost(bool topmost) {
  // Only the stacking class changes: no move, no size, no activation.
  SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void MainWindow::BringToFront() {
  SetWindowPos(hwnd_, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void MainWindow::Focus() { SetFocus(hwnd_); }

void MainWindow::SetBackgroundColor(Color color) {
  if (color == background_ && background_brush_) return;
  background_ = color;
  background_brush_.Reset(CreateSolidBrush(ToCOLORREF(color)));
  if (hwnd_ != nullptr) ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void MainWindow::Invalidate() { ::InvalidateRect(hwnd_, nullptr, TRUE); }

void MainWindow::InvalidateRect(const Rect& rect) {
  const RECT rc = ToRECT(rect);
  ::InvalidateRect(hwnd_, &rc, TRUE);
}

void MainWindow::Repaint() {
  ::InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
}

std::unique_ptr<Canvas> MainWindow::GetCanvas() {
  return std::make_unique<GdiCanvas>(WindowDc(hwnd_), platform_.fonts());
}

void MainWindow::SetCursor(CursorShape shape) {
  cursor_ = shape;
  ApplyCursor();
}

void MainWindow::ApplyCursor() {
  // The new shape shows at once when the pointer is over the window or the
  // window has the mouse; otherwise at the next WM_SETCURSOR.
  POINT pt;
  if (GetCapture() == hwnd_ || (GetCursorPos(&pt) && WindowFromPoint(pt) == hwnd_))
    ::SetCursor(platform_.CursorFor(cursor_));
}

void MainWindow::SetMouseCapture(bool capture) {
  if (capture) {
    ::SetCapture(hwnd_);
  } else if (GetCapture() == hwnd_) {
    ReleaseCapture();
  }
}

void MainWindow::Close() {
  // Synchronous, like the toolkit's Close: the form's close handler has run
  // and the window is gone when this returns.
  if (hwnd_ != nullptr) SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

}  // namespace mensor::win32
