// Names of keys and shortcut values for menus.
#include "ui/shortcut_text.h"

namespace mensor {
namespace {

struct NamedKey {
  int key;
  const char* name;
};

// Virtual-key codes with a name that is not their character.
constexpr NamedKey kNamedKeys[] = {
    {0x08, "BkSp"},   {0x09, "Tab"},    {0x0D, "Enter"},  {0x13, "Pause"},  {0x1B, "Esc"},
    {0x20, "Space"},  {0x21, "PgUp"},   {0x22, "PgDn"},   {0x23, "End"},    {0x24, "Home"},
    {0x25, "Left"},   {0x26, "Up"},     {0x27, "Right"},  {0x28, "Down"},   {0x2C, "PrtSc"},
    {0x2D, "Ins"},    {0x2E, "Del"},    {0x6A, "Num *"},  {0x6B, "Num +"},  {0x6D, "Num -"},
    {0x6E, "Num ."},  {0x6F, "Num /"},  {0x90, "NumLock"}, {0x91, "ScrollLock"},
    {0xBA, ";"},      {0xBB, "="},      {0xBC, ","},      {0xBD, "-"},      {0xBE, "."},
    {0xBF, "/"},      {0xC0, "`"},      {0xDB, "["},      {0xDC, "\\"},     {0xDD, "]"},
    {0xDE, "'"},
};

// A prefix and a number. (Appending, rather than "literal" + std::to_string,
// keeps GCC 12 free of a false -Wrestrict warning.)
std::string Numbered(const char* prefix, int number) {
  std::string text = prefix;
  text += std::to_string(number);
  return text;
}

}  // namespace

std::string KeyName(int key) {
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return Numbered("Num ", key - 0x60);
  if (key >= 0x70 && key <= 0x87) return Numbered("F", key - 0x70 + 1);
  for (const NamedKey& k : kNamedKeys)
    if (k.key == key) return k.name;
  return Numbered("#", key);
}

std::string ShortcutText(Shortcut shortcut) {
  if (shortcut == 0) return {};
  std::string text;
  if (shortcut & 0x1000) text += "Win+";
  if (shortcut & kShortcutCtrl) text += "Ctrl+";
  if (shortcut & kShortcutAlt) text += "Alt+";
  if (shortcut & kShortcutShift) text += "Shift+";
  return text + KeyName(shortcut & 0xFF);
}

}  // namespace mensor
