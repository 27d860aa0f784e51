// Texts of shortcut values as the popup menu shows them.
#include "ui/shortcut_text.h"

#include <gtest/gtest.h>

namespace mensor {
namespace {

struct Case {
  Shortcut value;
  const char* text;
};

TEST(ShortcutText, NamesModifiersThenKey) {
  const Case cases[] = {
      {0, ""},
      {112, "F1"},                      // the fixed Help shortcut
      {0x6041, "Ctrl+Shift+A"},         // Ctrl+Shift+A
      {0x8070, "Alt+F1"},
      {0xE052, "Ctrl+Alt+Shift+R"},     // every modifier, fixed order
      {0x4000 | 'R', "Ctrl+R"},
      {0x1000 | 'E', "Win+E"},
      {0x2000 | 0x25, "Shift+Left"},
      {0x4000 | 0x28, "Ctrl+Down"},
      {0x87, "F24"},
      {0x30, "0"},
      {0x39, "9"},
      {0x60, "Num 0"},
      {0x69, "Num 9"},
      {0x6A, "Num *"},
      {0x2E, "Del"},
      {0x21, "PgUp"},
      {0x20, "Space"},
      {0x4000 | 0xBD, "Ctrl+-"},
      {0x4000, "Ctrl+#0"},              // modifiers without a key
      {0xFF, "#255"},                   // no name of its own
  };
  for (const Case& c : cases) EXPECT_EQ(ShortcutText(c.value), c.text) << "value 0x" << std::hex << c.value;
}

}  // namespace
}  // namespace mensor
