// Drawing a hot-key control's text and placing its caret.
#include "ui/win32/hot_key_field.h"

#include "ui/win32/gdi.h"

namespace mensor::win32 {
namespace {

// Where the control starts its text: one border's width from its frame.
POINT TextOrigin() { return POINT{GetSystemMetrics(SM_CXBORDER), GetSystemMetrics(SM_CYBORDER)}; }

HFONT FieldFont(HWND field) { return reinterpret_cast<HFONT>(SendMessageW(field, WM_GETFONT, 0, 0)); }

void DrawFieldText(HWND field, HDC dc, const std::wstring& text) {
  SavedDcState saved(dc);
  if (const HFONT font = FieldFont(field)) SelectObject(dc, font);
  const bool disabled = !IsWindowEnabled(field);
  SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
  // NOTE: the control's WM_ERASEBKGND has filled the background (with the
  // parent's brush for edit fields, or the window or button face colour).
  SetBkMode(dc, TRANSPARENT);
  const POINT at = TextOrigin();
  TextOutW(dc, at.x, at.y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

void PaintHotKeyField(HWND field, HDC hdc, const std::wstring& text) {
  if (hdc != nullptr) {
    DrawFieldText(field, hdc, text);
    return;
  }
  PAINTSTRUCT ps;
  const HDC dc = BeginPaint(field, &ps);
  if (dc != nullptr) DrawFieldText(field, dc, text);
  EndPaint(field, &ps);
  PlaceHotKeyCaret(field, text);
}

void PlaceHotKeyCaret(HWND field, const std::wstring& text) {
  if (GetFocus() != field) return;
  WindowDc dc(field);
  if (!dc) return;
  SIZE size{};
  {
    SelectScope font(dc.Get(), FieldFont(field));
    GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  }
  const POINT at = TextOrigin();
  SetCaretPos(at.x + size.cx, at.y);
}

}  // namespace mensor::win32
