// A profile file (INI) held in memory: read entry by entry and changed entry
// by entry the way the Windows profile functions do, so that app.ini (and the
// language packs) behave alike on every platform and the whole new text can
// be written to disk in one step.
//
// What the reader accepts:
//  - line ends LF, CRLF or a lone CR; a UTF-8 byte-order mark at the start is
//    kept but not part of the first line;
//  - a section header is a line whose first non-blank character is '[' and
//    that holds a ']'; the name is the text between them without the blanks
//    around it (anything after the ']' is ignored);
//  - an entry is a line with an '=': the key is the text before the first
//    '=', the value the text after it, both without the blanks around them;
//  - every other line (comments, junk, lines without '=') is kept as it is
//    and never matches a key;
//  - section and key names match without regard to ASCII case; the first
//    section of a name and the first key of a name in it are the ones used.
// Any bytes are accepted (NUL bytes, binary data, lines of any length).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mensor {

// The text without the blanks (space, tab, vertical tab, form feed) around it.
std::string_view TrimBlanks(std::string_view s);
char LowerAscii(char c);
// Names compare without regard to ASCII case (other letters as they are).
bool SameNameIgnoringAsciiCase(std::string_view a, std::string_view b);

class IniFile {
 public:
  // The longest value a read returns; the Windows functions read into a
  // buffer of 2048 characters including the terminating NUL.
  static constexpr std::size_t kMaxValueLength = 2047;

  IniFile() = default;
  explicit IniFile(std::string_view text);

  // The value of key in section as the profile functions return it: blanks
  // around it removed, one pair of matching enclosing quotes (' or ")
  // removed, cut at a NUL byte and at max_length bytes. Nothing when the
  // section or the key is missing (an entry with an empty value is the empty
  // string, not nothing). Language packs, whose values are UTF-8, pass npos
  // and cut by characters themselves.
  std::optional<std::string> Find(std::string_view section, std::string_view key,
                                  std::size_t max_length = kMaxValueLength) const;
  // The names of the entries of section, as the file spells them, in the
  // order of the file and each once (the first of a name is the one Find
  // reads); empty when the section is missing.
  std::vector<std::string> Keys(std::string_view section) const;
  // Find, or fallback when the entry is missing.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view fallback) const;

  // Sets key in section to value. An existing entry is rewritten in place as
  // "key=value" (with the key as the file spells it); a missing key is added
  // after the last non-blank line of its section (before the blank lines that
  // end it); a missing section is added at the end of the file, after one
  // blank line that separates it from what comes before. A value is one line:
  // CR, LF and NUL characters in it are left out.
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  // Removes every entry called key from the first section called section
  // (so that no later entry of the name takes its place); the section's
  // header and other lines stay.
  void DeleteKey(std::string_view section, std::string_view key);

  // The whole file, every line ended with CRLF.
  std::string Text() const;

 private:
  enum class Kind { Blank, Section, Entry, Other };
  struct Line {
    std::string text;  // the line without its line end
    Kind kind = Kind::Other;
    std::string name;  // section or key name, blanks removed
    std::size_t value_begin = 0;  // Entry: the value is text[value_begin, value_end)
    std::size_t value_end = 0;
  };

  static Line ParseLine(std::string text);
  // Index of the header of the first section called name, or npos.
  std::size_t FindSection(std::string_view name) const;
  // One past the last line of the section whose header is at index header.
  std::size_t SectionEnd(std::size_t header) const;
  // Index of the first entry called key in the section at header, or npos.
  std::size_t FindKey(std::size_t header, std::string_view key) const;

  bool bom_ = false;
  std::vector<Line> lines_;
};

}  // namespace mensor
