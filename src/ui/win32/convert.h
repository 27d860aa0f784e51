// Conversions between the core's value types and the Win32 ones, and between
// UTF-8 (inside the program) and UTF-16 (at the Win32 boundary). Nothing of
// Windows leaves src/ui/win32: everything crosses through here.
#pragma once

#include "ui/win32/win32.h"

#include <string>
#include <string_view>

#include "ui/types.h"

namespace mensor::win32 {

inline RECT ToRECT(const Rect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline Rect FromRECT(const RECT& r) { return Rect{r.left, r.top, r.right, r.bottom}; }
inline POINT ToPOINT(Point p) { return POINT{p.x, p.y}; }
inline Point FromPOINT(POINT p) { return Point{p.x, p.y}; }
inline Size FromSIZE(SIZE s) { return Size{s.cx, s.cy}; }

// The core's colours already have the COLORREF layout 0x00BBGGRR; the top byte
// is cleared so that no palette-index flag slips through.
inline COLORREF ToCOLORREF(Color c) { return static_cast<COLORREF>(c & 0x00FFFFFF); }
inline Color FromCOLORREF(COLORREF c) { return static_cast<Color>(c & 0x00FFFFFF); }

// Malformed UTF-8 turns into U+FFFD rather than failing.
inline std::wstring Utf8ToWide(std::string_view text) {
  if (text.empty()) return {};
  const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

inline std::string WideToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

// The whole text of a window.
inline std::wstring WindowText(HWND hwnd) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(hwnd)) + 1, L'\0');
  const int n = GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(n > 0 ? n : 0));
  return text;
}

}  // namespace mensor::win32
