// Pixel densities and dialog placement on a desktop of several monitors.
#pragma once

#include "ui/win32/win32.h"

#include "ui/types.h"

namespace mensor::win32 {

class Win32Platform;

// NOTE: the functions of newer Windows versions are looked up at run time,
// so the program still starts where they are missing.
template <typename Fn>
Fn ModuleFunction(HMODULE module, const char* name) {
  return module == nullptr ? nullptr : reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}
template <typename Fn>
Fn User32Function(const char* name) {
  return ModuleFunction<Fn>(GetModuleHandleW(L"user32.dll"), name);
}

// The system's pixels per inch (96 when the system tells none).
int SystemDpi();

// The pixels per inch of the monitor the window is on (the system's where
// the system cannot tell per window).
int DpiOf(HWND hwnd);

// A dialog lays itself out again when its pixels per inch change; the
// system's own re-scaling of dialogs would fight with that.
void KeepDpiChangesToUs(HWND hwnd);

// The pixels the window's frame adds to its client area at dpi.
Size FrameSizeAt(HWND hwnd, int dpi);

// The work area of the monitor the window is on (or nearest to).
Rect WorkAreaOf(HWND hwnd);

// Resizes the window, where it is, so that its client area is `client`, with
// the frame measured at dpi.
void SetClientSizeAt(HWND hwnd, Size client, int dpi);

// The point a dialog of `owner` opens around: the owner's centre (the
// ruler's zero corner), or the primary monitor's centre without an owner.
Point DialogAnchor(HWND owner);

// Moves the hidden dialog to the monitor it will open on, so that the system
// gives it that monitor's density from now on, and returns that density.
int MoveToDialogMonitor(Win32Platform& platform, HWND dialog, Point anchor);

// Moves the dialog, at its current size, to where it opens around anchor.
void PlaceDialog(Win32Platform& platform, HWND dialog, Point anchor);

}  // namespace mensor::win32
