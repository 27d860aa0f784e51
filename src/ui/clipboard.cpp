// Copying to the clipboard: retries while another program holds it.
#include "ui/clipboard.h"

namespace mensor {

bool CopyToClipboard(Platform& platform, const std::string& text) {
  for (int attempt = 1;; ++attempt) {
    const ClipboardResult result = platform.CopyText(text);
    if (result == ClipboardResult::Done) return true;
    if (result != ClipboardResult::Busy || attempt == kClipboardTries) return false;
    platform.Sleep(kClipboardPause);
  }
}

}  // namespace mensor
