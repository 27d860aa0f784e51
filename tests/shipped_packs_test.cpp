// The language packs shipped beside mensor.exe: the template holds every key
// of the four windows' tables and every word of shortcuts with its English
// text, and every real pack translates every key of the template, in its
// declared encoding, with an accelerator letter wherever the English text has
// one and no two items of one menu on the same letter.
#include <fstream>
#include <map>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "lang/language_pack.h"
#include "text/text_encoding.h"
#include "app/calibrate_form.h"
#include "app/ruler_commands.h"
#include "lang/text_tables.h"
#include "ui/shortcut_text.h"
#include "toolbar/tool_bar_form.h"

namespace mensor {
namespace {

const std::string kPacksDir = MENSOR_PACKS_DIR;

std::string ReadBytes(const std::string& name) {
  std::ifstream in(kPacksDir + "/" + name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return out;
}

// The entries of a section in file order (key as written, value).
std::vector<std::pair<std::string, std::string>> PackSectionEntries(const std::string& bytes,
                                                                const std::string& section) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::istringstream lines(DecodePackText(bytes, {}));
  std::string line;
  bool in_strings = false;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      in_strings = Lower(line) == "[" + Lower(section) + "]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (in_strings && equals != std::string::npos && line.front() != ';')
      entries.emplace_back(line.substr(0, equals), line.substr(equals + 1));
  }
  return entries;
}

std::vector<std::pair<std::string, std::string>> StringEntries(const std::string& bytes) {
  return PackSectionEntries(bytes, "String");
}

// Every key of the tables, once (keys compare without regard to case).
std::map<std::string, std::string> TableKeys() {
  std::map<std::string, std::string> keys;  // lower-case key -> key
  for (TextTable table : {kMainFormTexts, kToolBarTexts, kConfigFormTexts, kAboutFormTexts, kCalibrateFormTexts})
    for (const TextRow& row : table)
      if (!row.key.empty()) keys.emplace(Lower(row.key), std::string(row.key));
  return keys;
}

// The accelerator letter of a UTF-8 caption as a code point, folded to upper
// case for the Latin-1 and Cyrillic letters the packs use; 0 for none.
char32_t Accelerator(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    const auto b = [&](std::size_t k) { return static_cast<unsigned char>(caption[k]); };
    char32_t c = b(i + 1);
    if (c >= 0xC0 && c < 0xE0 && i + 2 < caption.size()) c = ((c & 0x1F) << 6) | (b(i + 2) & 0x3F);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7) || (c >= 0x430 && c <= 0x44F)) c -= 0x20;
    if (c >= 0x450 && c <= 0x45F) c -= 0x50;
    return c;
  }
  return 0;
}

TEST(ShippedPacks, TemplateHasEveryKeyWithItsEnglishTextAndNoName) {
  const std::string bytes = ReadBytes("template.txt");
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(LanguagePack::Parse(bytes).Name(), "") << "the template is no language";
  std::map<std::string, std::string> expected = TableKeys();
  std::set<std::string> seen;
  for (const auto& [key, value] : StringEntries(bytes)) {
    EXPECT_EQ(value, key) << "English text of " << key;
    EXPECT_TRUE(expected.count(Lower(key))) << "not a key of any window: " << key;
    EXPECT_TRUE(seen.insert(Lower(key)).second) << "twice: " << key;
  }
  for (const auto& [lower, key] : expected) EXPECT_TRUE(seen.count(lower)) << "missing: " << key;
}

TEST(ShippedPacks, TemplateListsTheWordsOfShortcutsInEnglish) {
  std::vector<std::string> keys;
  for (const auto& [key, value] : PackSectionEntries(ReadBytes("template.txt"), "Keys")) {
    EXPECT_EQ(value, key) << "English word of " << key;
    keys.push_back(key);
  }
  const std::span<const std::string_view> words = ShortcutWords::EnglishWords();
  EXPECT_EQ(keys, std::vector<std::string>(words.begin(), words.end()));
}

struct ShippedPack {
  const char* file;
  const char* name;  // UTF-8
  bool utf8_with_mark;
};

constexpr ShippedPack kPacks[] = {
    {"Deutsch.txt", "Deutsch", false},
    {"Francais.txt", "Fran\xC3\xA7" "ais", false},
    {"Russian.txt", "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9", true},
};

TEST(ShippedPacks, EveryPackTranslatesEveryKeyOfTheTemplate) {
  std::set<std::string> template_keys;
  for (const auto& entry : StringEntries(ReadBytes("template.txt"))) template_keys.insert(Lower(entry.first));
  ASSERT_EQ(template_keys.size(), TableKeys().size());

  for (const ShippedPack& p : kPacks) {
    const std::string bytes = ReadBytes(p.file);
    ASSERT_FALSE(bytes.empty()) << p.file;
    const bool has_mark = bytes.starts_with("\xEF\xBB\xBF");
    EXPECT_EQ(has_mark, p.utf8_with_mark) << p.file;
    if (!p.utf8_with_mark) {
      EXPECT_FALSE(IsWellFormedUtf8(bytes)) << p.file << " is meant as Windows-1252";
    }
    const LanguagePack pack = LanguagePack::Parse(bytes);
    EXPECT_EQ(pack.Name(), p.name) << p.file;

    std::set<std::string> keys;
    for (const auto& [key, value] : StringEntries(bytes)) {
      EXPECT_TRUE(keys.insert(Lower(key)).second) << p.file << ": twice: " << key;
      EXPECT_TRUE(template_keys.count(Lower(key))) << p.file << ": not in the template: " << key;
    }
    for (const std::string& key : template_keys) {
      const std::optional<std::string> value = pack.Find("String", key);
      ASSERT_TRUE(value.has_value()) << p.file << ": missing " << key;
      EXPECT_FALSE(value->empty()) << p.file << ": empty " << key;
    }
    std::set<std::string> words;
    for (std::string_view word : ShortcutWords::EnglishWords()) words.insert(std::string(word));
    for (const auto& [key, value] : PackSectionEntries(bytes, "Keys"))
      EXPECT_TRUE(words.erase(key)) << p.file << ": [Keys] " << key << " is no word, or twice";
    EXPECT_EQ(words, std::set<std::string>{}) << p.file << ": words missing from [Keys]";
    for (std::string_view word : ShortcutWords::EnglishWords())
      EXPECT_FALSE(pack.Find("Keys", word).value_or("").empty()) << p.file << ": empty " << word;
  }
}

TEST(ShippedPacks, MenuItemsKeepAnAcceleratorAndNoTwoShareOne) {
  // The ruler's top menu (Hide and Show share an item) and the Units submenu;
  // "&Language" keeps its English caption.
  const std::vector<std::vector<std::string>> menus = {
      {"&About...", "&Help", "H&ide", "Always On &Top", "Tra&nsparent", "&Units", "&Rotate", "Hori&zontal",
       "&Vertical", "&Fit Screen As Horizontal", "Fit &Screen As Vertical", "Snap to &Edges", "Measure &Gap", "Show Scale &Line",
       "Show T&oolBar", "&Calculator", "&Preferences...", "E&xit"},
      {"&About...", "&Help", "Sh&ow", "Always On &Top", "Tra&nsparent", "&Units", "&Rotate", "Hori&zontal",
       "&Vertical", "&Fit Screen As Horizontal", "Fit &Screen As Vertical", "Snap to &Edges", "Measure &Gap", "Show Scale &Line",
       "Show T&oolBar", "&Calculator", "&Preferences...", "E&xit"},
      {"&Pixels", "&CM", "&Inches", "Scal&ed Pixels", "Cu&stom", "&True Size", "C&alibrate..."},
  };
  for (const ShippedPack& p : kPacks) {
    const LanguagePack pack = LanguagePack::Parse(ReadBytes(p.file));
    for (const auto& menu : menus) {
      std::map<char32_t, std::string> letters;
      if (menu.front() == "&About...") letters[U'L'] = "&Language";
      for (const std::string& key : menu) {
        const std::string caption = pack.Find("String", key).value_or("");
        const char32_t letter = Accelerator(caption);
        EXPECT_NE(letter, 0u) << p.file << ": " << caption;
        const auto [it, fresh] = letters.emplace(letter, caption);
        EXPECT_TRUE(fresh) << p.file << ": " << caption << " and " << it->second;
      }
    }
    for (const char* key : {"&Hide ToolBar", "&Show Cursor", "&OK", "&Cancel"})
      EXPECT_NE(Accelerator(pack.Find("String", key).value_or("")), 0u) << p.file << ": " << key;
  }
}

}  // namespace
}  // namespace mensor
