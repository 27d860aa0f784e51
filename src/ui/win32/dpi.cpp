// Pixel densities and dialog placement; see dpi.h.
#include "ui/win32/dpi.h"

#include "ui/monitors.h"
#include "ui/win32/convert.h"
#include "ui/win32/gdi.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {

int DpiOf(HWND hwnd) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto get_dpi = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (get_dpi != nullptr && hwnd != nullptr) {
    const UINT dpi = get_dpi(hwnd);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

int SystemDpi() {
  WindowDc screen(nullptr);
  const int dpi = GetDeviceCaps(screen.Get(), LOGPIXELSY);
  return dpi > 0 ? dpi : 96;
}

void KeepDpiChangesToUs(HWND hwnd) {
  using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
  static const auto set_behavior = User32Function<SetBehaviorFn>("SetDialogDpiChangeBehavior");
  constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
  if (set_behavior != nullptr) set_behavior(hwnd, kDisableAll, kDisableAll);
}

Size FrameSizeAt(HWND hwnd, int dpi) {
  RECT rc{0, 0, 0, 0};
  const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE));
  const DWORD ex_style = static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_EXSTYLE));
  using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi = User32Function<AdjustFn>("AdjustWindowRectExForDpi");
  if (adjust_for_dpi != nullptr) {
    adjust_for_dpi(&rc, style, FALSE, ex_style, static_cast<UINT>(dpi));
  } else {
    AdjustWindowRectEx(&rc, style, FALSE, ex_style);
  }
  return {rc.right - rc.left, rc.bottom - rc.top};
}

Rect WorkAreaOf(HWND hwnd) {
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST), &info))
    return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return FromRECT(info.rcWork);
}

void SetClientSizeAt(HWND hwnd, Size client, int dpi) {
  const Size frame = FrameSizeAt(hwnd, dpi);
  SetWindowPos(hwnd, nullptr, 0, 0, client.cx + frame.cx, client.cy + frame.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Point DialogAnchor(HWND owner) {
  RECT rc{};
  if (owner == nullptr || !GetWindowRect(owner, &rc)) {
    return {GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2};
  }
  return {rc.left + (rc.right - rc.left) / 2, rc.top + (rc.bottom - rc.top) / 2};
}

int MoveToDialogMonitor(Win32Platform& platform, HWND dialog, Point anchor) {
  const MonitorList monitors = platform.Monitors();
  const Rect place = DialogPlacement(monitors, anchor, {1, 1});
  SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  return MonitorOfPoint(monitors, anchor).pixels_per_inch;
}

void PlaceDialog(Win32Platform& platform, HWND dialog, Point anchor) {
  RECT rc{};
  GetWindowRect(dialog, &rc);
  const Rect place = DialogPlacement(platform.Monitors(), anchor, {rc.right - rc.left, rc.bottom - rc.top});
  SetWindowPos(dialog, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace mensor::win32
