// The text of a shortcut value as menus show it beside an item, for example
// "Ctrl+Shift+A", "F1" or "Alt+Left".
#pragma once

#include <string>

#include "ui/types.h"

namespace mensor {

// Modifiers come first in the order Win, Ctrl, Alt, Shift, each followed by
// "+", then the key's name. 0 gives the empty text; a key without a name of
// its own is shown as "#" and its decimal code.
std::string ShortcutText(Shortcut shortcut);

// The name of a virtual-key code alone ("A", "F12", "Num 5", "PgUp").
std::string KeyName(int key);

}  // namespace mensor
