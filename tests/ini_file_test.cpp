// IniFile: reading and writing entries the way the Windows profile functions
// do, and surviving any bytes thrown at it.
#include "text/ini_file.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace mensor {
namespace {

using namespace std::string_literals;

struct ReadCase {
  const char* name;
  std::string text;
  const char* section;
  const char* key;
  std::optional<std::string> expected;
};

TEST(IniFileRead, FindsValuesAsTheProfileFunctionsDo) {
  const std::vector<ReadCase> cases = {
      {"plain", "[S]\nk=1\n", "S", "k", "1"},
      {"section and key in other case", "[system]\nmovestep=5\n", "System", "MoveStep", "5"},
      {"blanks around names and value", "  [ System ]  \n  MoveStep   =   5  \n", "System",
       "MoveStep", "5"},
      {"tabs around names and value", "\t[S]\t\n\tk\t=\t7\t\n", "S", "k", "7"},
      {"blanks inside the value kept", "[S]\nk= a  b \n", "S", "k", "a  b"},
      {"double quotes removed", "[S]\nk=\" a b \"\n", "S", "k", " a b "},
      {"single quotes removed", "[S]\nk='x'\n", "S", "k", "x"},
      {"unmatched quotes kept", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
      {"one quote kept", "[S]\nk=\"\n", "S", "k", "\""},
      {"empty quotes give empty", "[S]\nk=\"\"\n", "S", "k", ""},
      {"only leading quote kept", "[S]\nk=\"x\n", "S", "k", "\"x"},
      {"empty value is not missing", "[S]\nk=\n", "S", "k", ""},
      {"equals sign inside the value", "[S]\nk=a=b\n", "S", "k", "a=b"},
      {"missing key", "[S]\nj=1\n", "S", "k", std::nullopt},
      {"missing section", "[T]\nk=1\n", "S", "k", std::nullopt},
      {"key of the next section", "[S]\n[T]\nk=1\n", "S", "k", std::nullopt},
      {"key before any section", "k=1\n[S]\n", "S", "k", std::nullopt},
      {"first key of a name wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
      {"first section of a name wins", "[S]\nj=1\n[s]\nk=3\n", "S", "k", std::nullopt},
      {"line without equals is no entry", "[S]\nk\nk=2\n", "S", "k", "2"},
      {"text after the bracket ignored", "[S] ; note\nk=1\n", "S", "k", "1"},
      {"header without bracket is no header", "[S\nk=1\n", "S", "k", std::nullopt},
      {"comment line kept out", "[S]\n;k=9\nk=1\n", "S", "k", "1"},
      {"CRLF line ends", "[S]\r\nk=1\r\n", "S", "k", "1"},
      {"lone CR line ends", "[S]\rk=1\r", "S", "k", "1"},
      {"mixed line ends", "[A]\r\n\r[S]\n\rk=1", "S", "k", "1"},
      {"no line end at all", "[S]", "S", "k", std::nullopt},
      {"cut at a NUL byte", "[S]\nk=ab\0cd\n"s, "S", "k", "ab"},
      {"byte-order mark skipped", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "1"},
      {"empty file", "", "S", "k", std::nullopt},
  };
  for (const ReadCase& c : cases) {
    const IniFile ini(c.text);
    EXPECT_EQ(ini.Find(c.section, c.key), c.expected) << c.name;
  }
}

TEST(IniFileRead, ValuesAreCutAt2047Characters) {
  const IniFile ini("[S]\nk=" + std::string(3000, 'v') + "\nq=\"" + std::string(2047, 'w') + "\"\n");
  EXPECT_EQ(ini.Find("S", "k"), std::string(2047, 'v'));
  // Quotes are removed before the value is cut.
  EXPECT_EQ(ini.Find("S", "q"), std::string(2047, 'w'));
  EXPECT_EQ(ini.ReadString("S", "missing", "fallback"), "fallback");
  EXPECT_EQ(ini.ReadString("S", "k", "fallback").size(), 2047u);
}

struct WriteCase {
  const char* name;
  std::string before;
  const char* section;
  const char* key;
  const char* value;
  std::string after;
};

TEST(IniFileWrite, ChangesTheFileAsTheProfileFunctionsDo) {
  const std::vector<WriteCase> cases = {
      {"value replaced in place, other lines kept", "; head\r\n[S]\r\nA=1\r\nB = 2\r\n; c\r\n",
       "S", "B", "9", "; head\r\n[S]\r\nA=1\r\nB=9\r\n; c\r\n"},
      {"the file's spelling of the key kept", "[s]\nmovestep = 3\n", "S", "MOVESTEP", "4",
       "[s]\r\nmovestep=4\r\n"},
      {"quoted value replaced", "[S]\nk=\"old\"\n", "S", "k", "new", "[S]\r\nk=new\r\n"},
      {"missing key before the blank lines ending the section", "[A]\nx=1\n\n\n[B]\ny=2\n", "A",
       "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n\r\n[B]\r\ny=2\r\n"},
      {"missing key after a trailing comment", "[A]\nx=1\n;note\n\n[B]\n", "A", "z", "3",
       "[A]\r\nx=1\r\n;note\r\nz=3\r\n\r\n[B]\r\n"},
      {"missing key into an empty section", "[A]\n\n[B]\n", "A", "z", "3",
       "[A]\r\nz=3\r\n\r\n[B]\r\n"},
      {"missing key at the end of the last section", "[A]\nx=1", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n"},
      {"missing key into the first of two same sections", "[A]\nx=1\n[a]\ny=1\n", "A", "y", "2",
       "[A]\r\nx=1\r\ny=2\r\n[a]\r\ny=1\r\n"},
      {"missing section after a blank line", "[A]\nx=1", "B", "y", "2",
       "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"missing section after an existing blank line", "[A]\nx=1\n\n", "B", "y", "2",
       "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n"},
      {"missing section into an empty file", "", "B", "y", "2", "[B]\r\ny=2\r\n"},
      {"empty value", "", "Language", "FileName", "", "[Language]\r\nFileName=\r\n"},
      {"line breaks left out of a value", "[S]\n", "S", "k", "a\r\nb",
       "[S]\r\nk=ab\r\n"},
      {"blanks around the names dropped", "", " S ", " k ", "1", "[S]\r\nk=1\r\n"},
      {"byte-order mark kept", "\xEF\xBB\xBF[S]\nk=1\n", "S", "k", "2",
       "\xEF\xBB\xBF[S]\r\nk=2\r\n"},
      {"every line end becomes CRLF", "a\rb\nc\r\n[S]\n\rk=1", "S", "k", "1",
       "a\r\nb\r\nc\r\n[S]\r\n\r\nk=1\r\n"},
  };
  for (const WriteCase& c : cases) {
    IniFile ini(c.before);
    ini.WriteString(c.section, c.key, c.value);
    EXPECT_EQ(ini.Text(), c.after) << c.name;
  }
}

TEST(IniFileRead, KeysOfASectionInFileOrderEachOnce) {
  const std::vector<std::tuple<const char*, std::string, std::vector<std::string>>> cases = {
      {"plain", "[S]\nb=1\na=2\n", {"b", "a"}},
      {"file's spelling, blanks dropped", "[s]\n  Key One = 1\n", {"Key One"}},
      {"a second entry of a name left out", "[S]\nk=1\nK=2\nj=3\n", {"k", "j"}},
      {"comments, junk and blank lines are no keys", "[S]\n;c\njunk\n\nk=1\n", {"k"}},
      {"an empty key is a key", "[S]\n=1\n", {""}},
      {"only the first section of the name", "[S]\na=1\n[T]\nb=1\n[s]\nc=1\n", {"a"}},
      {"missing section", "[T]\na=1\n", {}},
  };
  for (const auto& [name, text, keys] : cases) EXPECT_EQ(IniFile(text).Keys("S"), keys) << name;
}

TEST(IniFileWrite, NulBytesAreLeftOutOfAValue) {
  IniFile ini;
  ini.WriteString("S", "k", "a\0b"s);
  EXPECT_EQ(ini.Text(), "[S]\r\nk=ab\r\n");
}

// --- fuzz-style robustness ---------------------------------------------------

std::vector<std::string> SplitCrlf(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(pos, end - pos));
    pos = end + 2;
  }
  return lines;
}

// True when small is big with exactly `extra` lines inserted somewhere.
bool IsSubsequenceMissing(const std::vector<std::string>& small, const std::vector<std::string>& big,
                          std::size_t extra) {
  if (big.size() != small.size() + extra) return false;
  std::size_t j = 0;
  for (const std::string& line : big)
    if (j < small.size() && line == small[j]) ++j;
  return j == small.size();
}

// Writes one entry and checks what every profile writer must keep: the entry
// reads back, the text parses to the same entries again, and every other line
// stays where it was.
void WriteAndCheck(IniFile& ini, const std::string& section, const std::string& key,
                   const std::string& value, const std::string& context) {
  const std::vector<std::string> before = SplitCrlf(ini.Text());
  const bool had_key = ini.Find(section, key).has_value();
  ini.WriteString(section, key, value);
  ASSERT_EQ(ini.Find(section, key), value) << context;
  const std::string text = ini.Text();
  const IniFile again(text);
  ASSERT_EQ(again.Find(section, key), value) << context;
  ASSERT_EQ(again.Text(), text) << context;
  const std::vector<std::string> after = SplitCrlf(text);
  if (had_key) {
    ASSERT_EQ(after.size(), before.size()) << context;
    std::size_t changed = 0;
    for (std::size_t i = 0; i < after.size(); ++i) changed += after[i] != before[i];
    ASSERT_LE(changed, 1u) << context;
  } else {
    const bool added_key = IsSubsequenceMissing(before, after, 1);
    const bool added_section = IsSubsequenceMissing(before, after, 2) ||
                               IsSubsequenceMissing(before, after, 3);
    ASSERT_TRUE(added_key || added_section) << context;
  }
}

std::string RandomText(std::mt19937& rng, std::size_t max_length, bool structured) {
  // Structural characters are frequent so that sections, entries, quotes and
  // line ends collide in every possible way.
  static const std::string kAlphabet = "[]=\r\n \t\"';Sskvx01\xEF\xBB\xBF\xFF"s + '\0';
  std::uniform_int_distribution<std::size_t> length(0, max_length);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<std::size_t> pick(0, kAlphabet.size() - 1);
  std::string text(length(rng), '\0');
  for (char& c : text) c = structured ? kAlphabet[pick(rng)] : static_cast<char>(byte(rng));
  return text;
}

TEST(IniFileFuzz, RandomBytesNeverBreakReadingOrWriting) {
  std::mt19937 rng(20240611);
  const std::vector<std::string> sections = {"S", "s", "System", "x y", "Face"};
  const std::vector<std::string> keys = {"k", "K", "v", "MoveStep", "a b"};
  const std::vector<std::string> values = {"1", "", "value with blanks", "-2147483648", "x=y"};
  std::uniform_int_distribution<std::size_t> any(0, 4);
  for (int round = 0; round < 3000; ++round) {
    const bool structured = round % 3 != 0;
    const std::string text = RandomText(rng, structured ? 200 : 600, structured);
    IniFile ini(text);
    // Reading anything is fine and within the limits.
    for (const std::string& s : sections)
      for (const std::string& k : keys) {
        const std::optional<std::string> value = ini.Find(s, k);
        ASSERT_LE(value.value_or("").size(), IniFile::kMaxValueLength);
      }
    for (int write = 0; write < 4; ++write)
      WriteAndCheck(ini, sections[any(rng)], keys[any(rng)], values[any(rng)],
                    "round " + std::to_string(round));
  }
}

// before + count times c + after.
std::string Around(std::string_view before, std::size_t count, char c, std::string_view after) {
  std::string s(before);
  s.append(count, c);
  s.append(after);
  return s;
}

TEST(IniFileFuzz, PathologicalInputsStayFast) {
  const std::vector<std::pair<const char*, std::string>> inputs = {
      {"one huge line without line end", std::string(1 << 20, 'k')},
      {"huge value", Around("[S]\nk=", 1 << 20, '"', "")},
      {"huge section name", Around("[", 1 << 20, 'S', "]\nk=1")},
      {"only CRs", std::string(100000, '\r')},
      {"only LFs", std::string(100000, '\n')},
      {"LF CR pairs", [] {
         std::string s;
         for (int i = 0; i < 50000; ++i) s += "\n\r";
         return s;
       }()},
      {"only NUL bytes", std::string(100000, '\0')},
      {"only brackets", std::string(100000, '[')},
      {"only equals signs", std::string(100000, '=')},
      {"many sections of one name", [] {
         std::string s;
         for (int i = 0; i < 20000; ++i) s += "[S]\n";
         return s;
       }()},
      {"many entries in one section", [] {
         std::string s = "[S]\n";
         for (int i = 0; i < 20000; ++i) s += "j=" + std::to_string(i) + "\n";
         return s;
       }()},
      {"many blank lines after a section", Around("[S]\nj=1", 100000, '\n', "")},
  };
  for (const auto& [name, text] : inputs) {
    IniFile ini(text);
    (void)ini.Find("S", "k");
    WriteAndCheck(ini, "S", "k", "1", name);
    WriteAndCheck(ini, "S", "k", "2", name);
    WriteAndCheck(ini, "T", "k", "3", name);
  }
}

}  // namespace
}  // namespace mensor
