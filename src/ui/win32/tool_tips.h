// Tool tips over rectangles of a window's client area.
#pragma once

#include "ui/win32/win32.h"

#include "ui/types.h"

namespace mensor::win32 {

// A tool-tip window owned by owner (so that it goes with it); null when the
// system gives none.
HWND CreateToolTips(HINSTANCE instance, HWND owner);

// The description of the tool id of owner, for the tool-tip messages.
TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id);

// Adds the tool id over rect of owner's client area, showing text.
void AddToolTip(HWND tips, HWND owner, UINT_PTR id, const Rect& rect, const wchar_t* text);

}  // namespace mensor::win32
