// InfoWindow: the read-out window's class and its messages.
#include "ui/win32/info_window.h"

#include "readout/info_form.h"

namespace mensor::win32 {
namespace {

constexpr wchar_t kClassName[] = L"MensorReadOut";

}  // namespace

InfoWindow::InfoWindow(HINSTANCE instance, Win32Platform& platform) : TopLevelWindow(instance, platform) {}

bool InfoWindow::Create() {
  WNDCLASSEXW wc{};
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  // No class brush: WM_ERASEBKGND fills with the panel colour.
  wc.hbrBackground = nullptr;
  wc.lpszClassName = kClassName;
  // WS_POPUP: no border and no caption bar.
  // WS_EX_TOPMOST: it floats above every window, the ruler included.
  // WS_EX_TOOLWINDOW: no task-bar button.
  // WS_EX_NOACTIVATE: it is shown during a marker drag, which must keep the
  // ruler active and holding the mouse.
  // The size is replaced by the form's creation.
  return CreateHidden(wc, WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, WS_POPUP, L"Mensor Read-out",
                      30, 40);
}

void InfoWindow::Show() { ShowWindow(hwnd(), SW_SHOWNOACTIVATE); }

LRESULT InfoWindow::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  if (form_ == nullptr) return DefWindowProcW(hwnd(), message, wparam, lparam);
  switch (message) {
    case WM_PAINT: PaintWith([this](Canvas& canvas) { form_->FormPaint(canvas); }); return 0;
    case WM_ERASEBKGND: EraseBackground(reinterpret_cast<HDC>(wparam)); return 1;
    // NOTE: a click on it neither activates it nor lands on it: the pointer
    // belongs to the window below (the ruler, while a marker drag runs).
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_NCHITTEST: return HTTRANSPARENT;
    // NOTE: the read-out sizes itself for the monitor of the marker when a
    // drag starts; the system's suggested rectangle is not applied.
    case WM_DPICHANGED: return 0;
    default: break;
  }
  return DefWindowProcW(hwnd(), message, wparam, lparam);
}

}  // namespace mensor::win32
