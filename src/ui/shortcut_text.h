// The text of a shortcut value as menus show it beside an item and hot-key
// fields show it, for example "Ctrl+Shift+A", "F1" or "Alt+Left", in the
// words of the current language ("Strg+Umschalt+A", "Alt+Links").
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "ui/types.h"

namespace mensor {

// The words shortcut texts are made of in one language: the modifiers
// ("Ctrl+", "Shift+", "Alt+", "Win+", each with its "+"), the text of an
// empty hot-key field ("None"), the names of keys that are words ("Space",
// "Left", "PgUp"...) and "Num", the name before the keys of the number pad.
// Made English; a language pack gives words by their English text.
class ShortcutWords {
 public:
  // Every English word, in the order a language pack lists them.
  static std::span<const std::string_view> EnglishWords();
  static constexpr int kCount = 25;

  ShortcutWords();

  // Gives the word english (one of EnglishWords, exactly) the text text.
  // False, and nothing changes, for any other english.
  bool Set(std::string_view english, std::string text);

 private:
  friend std::string ShortcutText(Shortcut shortcut, const ShortcutWords& words);
  friend std::string KeyName(int key, const ShortcutWords& words);
  friend std::string HotKeyFieldText(Shortcut value, const ShortcutWords& words);

  std::array<std::string, kCount> words_;
};

// Modifiers come first in the order Win, Ctrl, Alt, Shift, then the key's
// name. 0 gives the empty text; a key without a name of its own is shown as
// "#" and its decimal code.
std::string ShortcutText(Shortcut shortcut, const ShortcutWords& words);

// The name of a virtual-key code alone ("A", "F12", "Num 5", "PgUp").
std::string KeyName(int key, const ShortcutWords& words);

// What a hot-key field shows for its value: the shortcut's text, the
// modifiers alone while only they are held ("Ctrl+Shift+"), or "None".
std::string HotKeyFieldText(Shortcut value, const ShortcutWords& words);

}  // namespace mensor
