// Names of keys and shortcut values for menus and hot-key fields.
#include "ui/shortcut_text.h"

namespace mensor {
namespace {

// The words, by their place in kEnglish.
enum Word : int {
  kCtrl, kShift, kAlt, kWin, kNone,
  kSpace, kEnter, kTab, kEsc, kBackspace, kIns, kDel, kHome, kEnd, kPgUp, kPgDn,
  kLeft, kUp, kRight, kDown, kPrtSc, kPause, kNumLock, kScrollLock, kNum,
  kWordCount
};

constexpr std::string_view kEnglish[] = {
    "Ctrl+", "Shift+", "Alt+", "Win+", "None",
    "Space", "Enter", "Tab", "Esc", "BkSp", "Ins", "Del", "Home", "End", "PgUp", "PgDn",
    "Left", "Up", "Right", "Down", "PrtSc", "Pause", "NumLock", "ScrollLock", "Num",
};
static_assert(std::size(kEnglish) == kWordCount && kWordCount == ShortcutWords::kCount);

constexpr Shortcut kShortcutWin = 0x1000;

// Virtual-key codes whose name is a word.
struct WordKey {
  int key;
  Word word;
};
constexpr WordKey kWordKeys[] = {
    {0x08, kBackspace}, {0x09, kTab},   {0x0D, kEnter}, {0x13, kPause},   {0x1B, kEsc},  {0x20, kSpace},
    {0x21, kPgUp},      {0x22, kPgDn},  {0x23, kEnd},   {0x24, kHome},    {0x25, kLeft}, {0x26, kUp},
    {0x27, kRight},     {0x28, kDown},  {0x2C, kPrtSc}, {0x2D, kIns},     {0x2E, kDel},  {0x90, kNumLock},
    {0x91, kScrollLock},
};

// Virtual-key codes named by a sign: the number pad's after "Num", the others
// alone (the keys of a US layout).
struct SignKey {
  int key;
  const char* sign;
};
constexpr SignKey kPadSigns[] = {{0x6A, "*"}, {0x6B, "+"}, {0x6D, "-"}, {0x6E, "."}, {0x6F, "/"}};
constexpr SignKey kSigns[] = {
    {0xBA, ";"}, {0xBB, "="}, {0xBC, ","}, {0xBD, "-"}, {0xBE, "."}, {0xBF, "/"},
    {0xC0, "`"}, {0xDB, "["}, {0xDC, "\\"}, {0xDD, "]"}, {0xDE, "'"},
};

// A prefix and a number. (Appending, rather than "literal" + std::to_string,
// keeps GCC 12 free of a false -Wrestrict warning.)
std::string Numbered(const std::string& prefix, int number) {
  std::string text = prefix;
  text += std::to_string(number);
  return text;
}

int WordIndex(std::string_view english) {
  for (int i = 0; i < kWordCount; ++i)
    if (kEnglish[i] == english) return i;
  return -1;
}

std::string Modifiers(Shortcut shortcut, const std::array<std::string, ShortcutWords::kCount>& words) {
  std::string text;
  if (shortcut & kShortcutWin) text += words[kWin];
  if (shortcut & kShortcutCtrl) text += words[kCtrl];
  if (shortcut & kShortcutAlt) text += words[kAlt];
  if (shortcut & kShortcutShift) text += words[kShift];
  return text;
}

}  // namespace

std::span<const std::string_view> ShortcutWords::EnglishWords() { return kEnglish; }

ShortcutWords::ShortcutWords() {
  for (int i = 0; i < kWordCount; ++i) words_[i] = kEnglish[i];
}

bool ShortcutWords::Set(std::string_view english, std::string text) {
  const int index = WordIndex(english);
  if (index < 0) return false;
  words_[index] = std::move(text);
  return true;
}

std::string KeyName(int key, const ShortcutWords& words) {
  const auto& w = words.words_;
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
  if (key >= 0x60 && key <= 0x69) return Numbered(w[kNum] + " ", key - 0x60);
  if (key >= 0x70 && key <= 0x87) return Numbered("F", key - 0x70 + 1);
  for (const WordKey& k : kWordKeys)
    if (k.key == key) return w[k.word];
  for (const SignKey& k : kPadSigns)
    if (k.key == key) return w[kNum] + " " + k.sign;
  for (const SignKey& k : kSigns)
    if (k.key == key) return k.sign;
  return Numbered("#", key);
}

std::string ShortcutText(Shortcut shortcut, const ShortcutWords& words) {
  if (shortcut == 0) return {};
  return Modifiers(shortcut, words.words_) + KeyName(shortcut & 0xFF, words);
}

std::string HotKeyFieldText(Shortcut value, const ShortcutWords& words) {
  if (value == 0) return words.words_[kNone];
  if ((value & 0xFF) == 0) return Modifiers(value, words.words_);
  return ShortcutText(value, words);
}

}  // namespace mensor
