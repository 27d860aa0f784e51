// Texts of shortcut values as the popup menus and the hot-key fields show
// them, in English and in the words of each shipped language pack.
#include "ui/shortcut_text.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "lang/language_pack.h"

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
  const ShortcutWords english;
  for (const Case& c : cases) EXPECT_EQ(ShortcutText(c.value, english), c.text) << "value 0x" << std::hex << c.value;
}

// The words of a shipped pack, as every window reads them.
ShortcutWords PackWords(const std::string& file) {
  std::ifstream in(std::string(MENSOR_PACKS_DIR) + "/" + file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return PackTexts({}, LanguagePack::Parse(bytes.str())).shortcut_words;
}

struct LanguageCase {
  const char* pack;  // empty: English
  Shortcut value;
  const char* menu;   // UTF-8
  const char* field;  // what a hot-key field shows
};

TEST(ShortcutText, InTheWordsOfEachShippedPack) {
  const LanguageCase cases[] = {
      {"", 0, "", "None"},
      {"", 0x6041, "Ctrl+Shift+A", "Ctrl+Shift+A"},
      {"", 0x4000, "Ctrl+#0", "Ctrl+"},  // only Ctrl held while typing
      {"Deutsch.txt", 0, "", "Keine"},
      {"Deutsch.txt", 0x6041, "Strg+Umschalt+A", "Strg+Umschalt+A"},
      {"Deutsch.txt", 0x8025, "Alt+Links", "Alt+Links"},
      {"Deutsch.txt", 0x4020, "Strg+Leertaste", "Strg+Leertaste"},
      {"Deutsch.txt", 0x2022, "Umschalt+Bild ab", "Umschalt+Bild ab"},
      {"Deutsch.txt", 0x4008, "Strg+R\xC3\xBC" "cktaste", "Strg+R\xC3\xBC" "cktaste"},
      {"Deutsch.txt", 0x2000, "Umschalt+#0", "Umschalt+"},
      {"Deutsch.txt", 0x0065, "Num 5", "Num 5"},
      {"Deutsch.txt", 0x0070, "F1", "F1"},
      {"Francais.txt", 0, "", "Aucun"},
      {"Francais.txt", 0x6041, "Ctrl+Maj+A", "Ctrl+Maj+A"},
      {"Francais.txt", 0x8025, "Alt+Gauche", "Alt+Gauche"},
      {"Francais.txt", 0x0020, "Espace", "Espace"},
      {"Francais.txt", 0x402E, "Ctrl+Suppr", "Ctrl+Suppr"},
      {"Francais.txt", 0x001B, "\xC3\x89" "chap", "\xC3\x89" "chap"},
      {"Russian.txt", 0, "", "\xD0\x9D\xD0\xB5\xD1\x82"},
      {"Russian.txt", 0x6041, "Ctrl+Shift+A", "Ctrl+Shift+A"},
      {"Russian.txt", 0x8025, "Alt+\xD0\x92\xD0\xBB\xD0\xB5\xD0\xB2\xD0\xBE", "Alt+\xD0\x92\xD0\xBB\xD0\xB5\xD0\xB2\xD0\xBE"},
      {"Russian.txt", 0x4020, "Ctrl+\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB5\xD0\xBB",
       "Ctrl+\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB5\xD0\xBB"},
      {"Russian.txt", 0x402E, "Ctrl+Del", "Ctrl+Del"},
  };
  for (const LanguageCase& c : cases) {
    const ShortcutWords words = *c.pack ? PackWords(c.pack) : ShortcutWords{};
    EXPECT_EQ(ShortcutText(c.value, words), c.menu) << c.pack << " 0x" << std::hex << c.value;
    EXPECT_EQ(HotKeyFieldText(c.value, words), c.field) << c.pack << " 0x" << std::hex << c.value;
  }
}

TEST(ShortcutText, APackGivesTheWordsItHasAndEnglishForTheRest) {
  const LanguagePack pack = LanguagePack::Parse(
      "[Info]\nLanguage=Test\n[String]\nCtrl+=Wrong section\n[Keys]\nctrl+=Strg+\nShift+=  \nLeft=\"Links \"\n"
      "Unknown=Ignored\n");
  const ShortcutWords words = PackTexts({}, pack).shortcut_words;
  EXPECT_EQ(ShortcutText(0x6025, words), "Strg+Shift+Links ")
      << "keys without regard to case, a blank word is English, quotes keep a blank";
  EXPECT_EQ(HotKeyFieldText(0, words), "None");
  const ShortcutWords none = PackTexts({}, LanguagePack::Parse("[Info]\nLanguage=Test\n")).shortcut_words;
  EXPECT_EQ(ShortcutText(0xE025, none), "Ctrl+Alt+Shift+Left") << "a pack without the section is English";
}

TEST(ShortcutText, OnlyTheWordsOfShortcutsCanBeSet) {
  ShortcutWords words;
  EXPECT_FALSE(words.Set("A", "B")) << "letters keep their names";
  EXPECT_FALSE(words.Set("F1", "X"));
  EXPECT_TRUE(words.Set("Num", "Ziffernblock"));
  EXPECT_EQ(ShortcutText(0x006B, words), "Ziffernblock +");
  EXPECT_EQ(KeyName('A', words), "A");
}

}  // namespace
}  // namespace mensor
