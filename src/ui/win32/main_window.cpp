// MainWindow: the ruler window's class and its messages. Each message becomes
// one call of TMainForm; the window decides nothing itself.
#include "ui/win32/main_window.h"

#include "app/main_form.h"
#include "ui/win32/input_state.h"
#include "ui/win32/resource.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MensorRuler";

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, Win32Platform& platform) : TopLevelWindow(instance, platform) {}

bool MainWindow::Create() {
  WNDCLASSEXW wc{};
  // NOTE: CS_DBLCLKS, or Windows never sends WM_LBUTTONDBLCLK (a double click
  // toggles Rotate mode).
  wc.style = CS_DBLCLKS;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_APP));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                             LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: WM_ERASEBKGND fills with the ruler's colour.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kClassName;

  taskbar_created_ = RegisterWindowMessageW(L"TaskbarCreated");
  // WS_POPUP: no border and no caption bar; the region cuts it to the ruler.
  // The size is replaced by the first layout.
  return CreateHidden(wc, 0, WS_POPUP, L"Mensor", 277, 433);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (form_ == nullptr) return DefWindowProcW(hwnd(), message, wparam, lparam);
  if (message == taskbar_created_ && taskbar_created_ != 0) {
    platform_.RestoreNotifyIcons();
    return 0;
  }
  switch (message) {
    case WM_PAINT: PaintWith([this](Canvas& canvas) { form_->FormPaint(canvas); }); return 0;
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wparam)); return 1;
    case WM_LBUTTONDOWN: OnMouseDown(MouseButton::Left, wparam, lparam, false); return 0;
    case WM_MBUTTONDOWN: OnMouseDown(MouseButton::Middle, wparam, lparam, false); return 0;
    case WM_RBUTTONDOWN: OnMouseDown(MouseButton::Right, wparam, lparam, false); return 0;
    case WM_LBUTTONDBLCLK: OnMouseDown(MouseButton::Left, wparam, lparam, true); return 0;
    case WM_MBUTTONDBLCLK: OnMouseDown(MouseButton::Middle, wparam, lparam, true); return 0;
    case WM_RBUTTONDBLCLK: OnMouseDown(MouseButton::Right, wparam, lparam, true); return 0;
    case WM_MOUSEMOVE: OnMouseMove(wparam, lparam); return 0;
    case WM_MOUSELEAVE:
      tracking_leave_ = false;
      form_->MouseLeave();
      return 0;
    case WM_LBUTTONUP: OnMouseUp(MouseButton::Left, wparam, lparam); return 0;
    case WM_MBUTTONUP: OnMouseUp(MouseButton::Middle, wparam, lparam); return 0;
    // The default handling of the right button's release sends WM_CONTEXTMENU.
    case WM_RBUTTONUP: OnMouseUp(MouseButton::Right, wparam, lparam); break;
    case WM_CONTEXTMENU: OnContextMenu(lparam); return 0;
    // A menu, a message box or the task switcher took the mouse, or the
    // system cancelled modes: a drag under way ends there. Our own release
    // of the capture (lparam null) comes after the drag has ended.
    case WM_CAPTURECHANGED: if (reinterpret_cast<HWND>(lparam) != hwnd()) form_->MouseCaptureLost(); return 0;
    // The default handling releases the capture (see WM_CAPTURECHANGED).
    case WM_CANCELMODE: form_->MouseCaptureLost(); break;
    case WM_KEYDOWN: if (OnKeyDown(wparam)) return 0; break;
    case WM_SYSKEYDOWN: if (OnKeyDown(wparam)) return 0; break;
    case WM_SETCURSOR: if (ApplyCursorOnSetCursor(wparam, lparam)) return TRUE; break;
    case WM_MOVE: form_->WindowMoved(); return 0;
    // NOTE: the suggested rectangle of a per-monitor-aware window is not
    // applied: the ruler's size is its length in pixels on every monitor;
    // only its centimetre and inch scales follow the new density.
    case WM_DPICHANGED: form_->DpiChanged(); return 0;
    // A monitor came, went or changed: its EDID is read anew and the scale
    // follows its density.
    case WM_DISPLAYCHANGE: platform_.DisplaysChanged(); form_->DpiChanged(); return 0;
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
  return DefWindowProcW(hwnd(), message, wparam, lparam);
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
  if (!tracking_leave_) {
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, hwnd(), 0};
    tracking_leave_ = TrackMouseEvent(&track) != FALSE;
  }
  form_->MouseMove(MouseShift(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

void MainWindow::OnMouseUp(MouseButton button, WPARAM wparam, LPARAM lparam) {
  form_->MouseUp(button, MouseShift(wparam), GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam));
}

void MainWindow::OnContextMenu(LPARAM lparam) {
  form_->ContextMenu(ContextMenuPoint(lparam));
}

bool MainWindow::OnKeyDown(WPARAM key) { return form_->KeyDown(static_cast<int>(key), KeyShift()); }

void MainWindow::OnActivate(WPARAM wparam, LPARAM lparam) {
  // The default handling first: it gives the activated window the keyboard
  // focus, which the form may then move.
  DefWindowProcW(hwnd(), WM_ACTIVATE, wparam, lparam);
  form_->WindowActivated(LOWORD(wparam) != WA_INACTIVE, LOWORD(wparam) == WA_CLICKACTIVE);
}

void MainWindow::OnClose() {
  // The settings are saved by the form; the program ends even when that
  // failed (the user has been told).
  form_->FormClose();
  DestroyWindow(hwnd());
}

}  // namespace mensor::win32
