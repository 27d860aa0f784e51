// Tool tips; see tool_tips.h.
#include "ui/win32/tool_tips.h"

#include "ui/win32/convert.h"

namespace mensor::win32 {

HWND CreateToolTips(HINSTANCE instance, HWND owner) {
  return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, instance,
                         nullptr);
}

TTTOOLINFOW ToolInfo(HWND owner, UINT_PTR id) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.hwnd = owner;
  info.uId = id;
  return info;
}

void AddToolTip(HWND tips, HWND owner, UINT_PTR id, const Rect& rect, const wchar_t* text) {
  TTTOOLINFOW info = ToolInfo(owner, id);
  // TTF_SUBCLASS: the tool tip watches the window's mouse messages itself.
  info.uFlags = TTF_SUBCLASS;
  info.rect = ToRECT(rect);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

}  // namespace mensor::win32
