// Win32Platform: text onto the clipboard as CF_UNICODETEXT. One try; the core
// retries while another program holds the clipboard (src/ui/clipboard.cpp).
#include <cstring>

#include "ui/win32/convert.h"
#include "ui/win32/win32_platform.h"

namespace mensor::win32 {

ClipboardResult Win32Platform::CopyText(const std::string& text) {
  const std::wstring wide = Utf8ToWide(text);
  const SIZE_T bytes = (wide.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) return ClipboardResult::Failed;
  void* target = GlobalLock(memory);
  if (target == nullptr) {
    GlobalFree(memory);
    return ClipboardResult::Failed;
  }
  std::memcpy(target, wide.c_str(), bytes);
  GlobalUnlock(memory);
  // NOTE: the clipboard needs an owner window: with none, EmptyClipboard
  // leaves it without owner and SetClipboardData fails. OpenClipboard fails
  // while another program has it open, which passes in a moment.
  if (!OpenClipboard(MainHwnd())) {
    GlobalFree(memory);
    return ClipboardResult::Busy;
  }
  ClipboardResult result = ClipboardResult::Failed;
  if (EmptyClipboard() && SetClipboardData(CF_UNICODETEXT, memory) != nullptr) {
    result = ClipboardResult::Done;  // the system owns the memory now
  } else {
    GlobalFree(memory);
  }
  CloseClipboard();
  return result;
}

}  // namespace mensor::win32
