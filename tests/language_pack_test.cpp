// Language pack files: the reading rules, the encodings, rules A and B, and
// files that are no packs at all.
#include "lang/language_pack.h"

#include <string>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "text/text_encoding.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

std::optional<std::string> StringOf(const std::string& file, std::string_view key) {
  return LanguagePack::Parse(file).Find("String", key);
}

struct ReadingCase {
  const char* name;
  const char* file;
  const char* key;
  std::optional<std::string> value;
};

TEST(LanguagePackReading, FollowsTheProfileReaderRules) {
  const ReadingCase cases[] = {
      {"plain", "[String]\r\nE&xit=&Beenden\r\n", "E&xit", "&Beenden"},
      {"section and key in other case", "[string]\nPIXELS=Bildpunkte\n", "Pixels", "Bildpunkte"},
      {"blanks around key and value", "[String]\n  Scale \t=  Skala  \n", "Scale", "Skala"},
      {"text before the first = is the key", "[String]\nA=B=C\n", "A", "B=C"},
      {"double quotes removed", "[String]\nScale=\" Skala \"\n", "Scale", " Skala "},
      {"single quotes removed", "[String]\nScale=' Skala '\n", "Scale", " Skala "},
      {"only one pair of quotes", "[String]\nScale=\"\"x\"\"\n", "Scale", "\"x\""},
      {"unpaired quote kept", "[String]\nScale=\"Skala\n", "Scale", "\"Skala"},
      {"empty value", "[String]\nScale=\n", "Scale", ""},
      {"missing key", "[String]\nScale=Skala\n", "Big", std::nullopt},
      {"key in another section", "[Info]\nScale=Skala\n", "Scale", std::nullopt},
      {"first of two entries", "[String]\nScale=1\nScale=2\n", "Scale", "1"},
      {"lone CR line ends", "[String]\rBig=Gross\rSmall=Klein\r", "Small", "Klein"},
  };
  for (const ReadingCase& c : cases) EXPECT_EQ(StringOf(c.file, c.key), c.value) << c.name;
}

TEST(LanguagePackReading, NulInTheMiddleOfAValueCutsIt) {
  const std::string file("[String]\nBig=Gr\0oss\n", 20);
  EXPECT_EQ(StringOf(file, "Big"), "Gr");
}

TEST(LanguagePackReading, TakesAtMost2047CharactersOfAValueAlsoInCyrillic) {
  const std::string latin(3000, 'a');
  EXPECT_EQ(StringOf("[String]\nBig=" + latin + "\n", "Big"), std::string(2047, 'a'));

  std::string cyrillic;
  for (int i = 0; i < 3000; ++i) cyrillic += "\xD0\x96";  // U+0416
  std::string expected;
  for (int i = 0; i < 2047; ++i) expected += "\xD0\x96";
  EXPECT_EQ(StringOf("\xEF\xBB\xBF[String]\nBig=" + cyrillic + "\n", "Big"), expected);
}

TEST(LanguagePackReading, NameIsInfoLanguageWithoutBlanks) {
  EXPECT_EQ(LanguagePack::Parse("[Info]\nLanguage=  Deutsch \n").Name(), "Deutsch");
  EXPECT_EQ(LanguagePack::Parse("[info]\nlanguage=Deutsch\n").Name(), "Deutsch");
  EXPECT_EQ(LanguagePack::Parse("[Info]\nLanguage=   \n").Name(), "");
  EXPECT_EQ(LanguagePack::Parse("[Info]\nAuthor=Someone\n").Name(), "");
  EXPECT_EQ(LanguagePack::Parse("").Name(), "");
}

struct EncodingCase {
  const char* name;
  std::string bytes;
  std::string utf8;
};

TEST(LanguagePackEncoding, ByteOrderMarksUtf8AndTheAnsiCodePage) {
  const EncodingCase cases[] = {
      {"ANSI (Windows-1252) without mark", "Gr\xF6\xDF" "e \x80", "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC"},
      {"UTF-8 with mark", "\xEF\xBB\xBF\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4",
       "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4"},
      {"UTF-8 without mark", "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4",
       "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4"},
      {"the same bytes as ANSI are not UTF-8", "\xC4" "a", "\xC3\x84" "a"},
      {"malformed UTF-8 after a mark", "\xEF\xBB\xBF" "a\xC3(", "a\xEF\xBF\xBD("},
      {"UTF-16 little endian", std::string("\xFF\xFE\x12\x04" "a\0", 6), "\xD0\x92" "a"},
      {"UTF-16 big endian", std::string("\xFE\xFF\x04\x12\0a", 6), "\xD0\x92" "a"},
      {"UTF-16 lone surrogate and odd byte", std::string("\xFF\xFE\x00\xD8" "a", 5),
       "\xEF\xBF\xBD\xEF\xBF\xBD"},
      {"UTF-16 without mark", std::string("[\0I\0]\0\r\0\n\0\x12\x04", 12), "[I]\r\n\xD0\x92"},
      {"plain ASCII", "abc", "abc"},
  };
  for (const EncodingCase& c : cases) EXPECT_EQ(DecodePackText(c.bytes, {}), c.utf8) << c.name;
}

TEST(LanguagePackEncoding, AnsiTextGoesThroughThePlatformsCodePage) {
  int calls = 0;
  const AnsiDecoder cp1251 = [&](std::string_view text) {
    ++calls;
    return std::string(text == "\xC2\xFB\xF5\xEE\xE4" ? "\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4" : "?");
  };
  const LanguagePack pack = LanguagePack::Parse("\xC2\xFB\xF5\xEE\xE4", cp1251);
  EXPECT_EQ(calls, 1);
  const LanguagePack utf8 = LanguagePack::Parse("\xEF\xBB\xBF[Info]\nLanguage=\xD0\x96\n", cp1251);
  EXPECT_EQ(calls, 1) << "a pack with a byte-order mark never goes through the code page";
  EXPECT_EQ(utf8.Name(), "\xD0\x96");
}

TEST(LanguagePackEncoding, CutUtf8CountsCharactersNotBytes) {
  EXPECT_EQ(CutUtf8("ab\xD0\x96" "cd", 3), "ab\xD0\x96");
  EXPECT_EQ(CutUtf8("ab", 3), "ab");
  EXPECT_EQ(CutUtf8("\xF0\x9F\x98\x80x", 1), "\xF0\x9F\x98\x80");
}

TEST(LanguagePackRobustness, BigAndBinaryFilesParseWithoutHarm) {
  std::string big = "[Info]\r\nLanguage=Big\r\n[String]\r\n";
  while (big.size() < (1u << 20)) big += "Some key " + std::to_string(big.size()) + "=Some value\r\n";
  big += "E&xit=&Quit\r\n";
  const LanguagePack pack = LanguagePack::Parse(big);
  EXPECT_EQ(pack.Name(), "Big");
  EXPECT_EQ(pack.Find("String", "E&xit"), "&Quit");

  std::string junk;
  unsigned state = 12345;
  for (int i = 0; i < 300000; ++i) {
    state = state * 1103515245u + 12345u;
    junk.push_back(static_cast<char>(state >> 16));
  }
  const LanguagePack garbage = LanguagePack::Parse(junk);
  (void)garbage.Name();
  EXPECT_FALSE(garbage.Find("String", "E&xit").has_value());
  for (const std::string& mark : {std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE"), std::string("\xFE\xFF")}) {
    const std::string text = DecodePackText(mark + junk, {});
    EXPECT_TRUE(IsWellFormedUtf8(text));
  }
}

// ---- rules A and B, on a made-up table ----

constexpr TextRow kRows[] = {
    {"Moving by keyboard", "GroupA", Rule::A, "Moving by keyboard"},
    {"Magnifier", "HintB", Rule::B, "Magnifier"},
    {"Configure", "Title", Rule::A, "Mensor Configure", "Mensor "},
    {"Value Color", "Label6", Rule::A, "Value Color"},
    {"", "Label15", Rule::A, "Value Color", "", "Label6"},
};

struct RuleCase {
  const char* name;
  const char* string_section;
  const char* group_a;
  const char* hint_b;
  const char* title;
  const char* copy;
};

TEST(LanguagePackRules, BlankMeansEnglishUnderAPresentMeansUsedUnderB) {
  const RuleCase cases[] = {
      {"keys missing", "", "Moving by keyboard", "Magnifier", "Mensor Configure", "Value Color"},
      {"keys blank", "Moving by keyboard=\nMagnifier=\nConfigure=  \nValue Color= \n", "Moving by keyboard",
       "", "Mensor Configure", "Value Color"},
      {"quoted blanks", "Moving by keyboard=\" \"\nMagnifier=\" \"\n", "Moving by keyboard", " ",
       "Mensor Configure", "Value Color"},
      {"keys given", "Moving by keyboard=Tastatur\nMagnifier=Lupe\nConfigure=Einstellungen\nValue Color=Wert\n",
       "Tastatur", "Lupe", "Mensor Einstellungen", "Wert"},
  };
  for (const RuleCase& c : cases) {
    const LanguagePack pack = LanguagePack::Parse(std::string("[String]\n") + c.string_section);
    const WindowTexts texts = PackTexts(kRows, pack);
    EXPECT_FALSE(texts.english);
    ASSERT_EQ(texts.items.size(), 5u);
    EXPECT_EQ(*texts.Text("GroupA"), c.group_a) << c.name;
    EXPECT_EQ(*texts.Text("HintB"), c.hint_b) << c.name;
    EXPECT_EQ(*texts.Text("Title"), c.title) << c.name;
    EXPECT_EQ(*texts.Text("Label15"), c.copy) << c.name;
  }
}

TEST(LanguagePackRules, EnglishTextsAreTheRowsOwn) {
  const WindowTexts texts = EnglishTexts(kRows);
  EXPECT_TRUE(texts.english);
  std::vector<std::string> got;
  for (const TargetText& t : texts.items) got.push_back(std::string(t.target) + "=" + t.text);
  EXPECT_EQ(got, (std::vector<std::string>{"GroupA=Moving by keyboard", "HintB=Magnifier",
                                           "Title=Mensor Configure", "Label6=Value Color",
                                           "Label15=Value Color"}));
  EXPECT_EQ(texts.Text("Nothing"), nullptr);
}

// ---- reading the current pack from the Languages folder ----

class LanguageTextsTest : public ::testing::Test {
 protected:
  void SetUp() override { AppSettings = TAppSettings{}; }
  testing::FakePlatform platform;
};

TEST_F(LanguageTextsTest, ReadsTheNamedPackAgainAtEveryCall) {
  platform.files["/mensor/Languages/de.txt"] = "[String]\nMagnifier=Lupe\n";
  AppSettings.LanguageFileName = "de.txt";
  EXPECT_EQ(*LanguageTexts(platform, kRows, 0).Text("HintB"), "Lupe");
  platform.files["/mensor/Languages/de.txt"] = "[String]\nMagnifier=Vergr\xF6\xDF" "erung\n";
  EXPECT_EQ(*LanguageTexts(platform, kRows, 0).Text("HintB"), "Vergr\xC3\xB6\xC3\x9F" "erung")
      << "changed file, decoded from the code page";
}

TEST_F(LanguageTextsTest, EnglishForIndexMinusOneAndForAVanishedFile) {
  platform.files["/mensor/Languages/de.txt"] = "[String]\nMagnifier=Lupe\n";
  AppSettings.LanguageFileName = "de.txt";
  EXPECT_TRUE(LanguageTexts(platform, kRows, -1).english);
  platform.files.clear();
  const WindowTexts texts = LanguageTexts(platform, kRows, 0);
  EXPECT_TRUE(texts.english);
  EXPECT_EQ(*texts.Text("HintB"), "Magnifier");
}

}  // namespace
}  // namespace mensor
