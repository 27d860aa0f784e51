// InfoWindow: the read-out window's class and its message dispatch.
#include "ui/win32/info_window.h"

#include "settings/info_form.h"
#include "ui/win32/gdi_canvas.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {

// NOTE: shown without activation, so the ruler keeps the activation (and in
// see-through mode takes no new capture when the drag ends).
InfoWindow::InfoWindow(HINSTANCE instance, Win32Platform& platform)
    : PopupWindow(instance, platform, SW_SHOWNOACTIVATE) {}

bool InfoWindow::Create() {
  // WS_EX_TOOLWINDOW: no task-bar button; WS_EX_NOACTIVATE: a click on it
  // does not activate it either.
  return CreatePopup(L"MensorReadOut", 0, L"Read-out", WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
}

LRESULT InfoWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (form_ == nullptr) return Default(message, wparam, lparam);
  switch (message) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wparam)); return 1;
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    default: break;
  }
  return Default(message, wparam, lparam);
}

void InfoWindow::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd(), &ps);
  {
    GdiCanvas canvas(dc, platform_.fonts());
    form_->FormPaint(canvas);
  }
  EndPaint(hwnd(), &ps);
}

}  // namespace mensor::win32
