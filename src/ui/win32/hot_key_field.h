// The text of the system's hot-key control drawn in the words of the current
// language: the control still takes the keys and holds the value; only what
// it shows ("Strg+Umschalt+A", "Keine") is drawn here, where the control
// itself would draw it, with the caret after it.
#pragma once

#include "ui/win32/win32.h"

#include <string>

namespace mensor::win32 {

// Paints the field's text in its font (grey on the button face while it is
// disabled). hdc: the DC of WM_PRINTCLIENT, or null for WM_PAINT.
void PaintHotKeyField(HWND field, HDC hdc, const std::wstring& text);

// Puts the caret after the text (the control places it after its own text
// when it takes the focus).
void PlaceHotKeyCaret(HWND field, const std::wstring& text);

}  // namespace mensor::win32
