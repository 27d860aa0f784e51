// Copying text to the clipboard with a short wait for another program that
// holds it open: a few tries a moment apart, then a failure the caller tells
// the user about. Never waits long: a copy finishes within kClipboardWait.
#pragma once

#include <string>

#include "ui/platform.h"

namespace mensor {

inline constexpr int kClipboardTries = 5;
inline constexpr int kClipboardPause = 30;  // milliseconds between tries
inline constexpr int kClipboardWait = (kClipboardTries - 1) * kClipboardPause;

// True when the text is on the clipboard.
bool CopyToClipboard(Platform& platform, const std::string& text);

}  // namespace mensor
