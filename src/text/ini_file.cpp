// IniFile: parsing a profile file into lines, looking entries up and changing
// them in place.
#include "text/ini_file.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace mensor {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t npos = std::string::npos;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// "key=value", with CR, LF and NUL left out of the value: it must stay on
// its line.
std::string EntryText(std::string_view key, std::string_view value) {
  std::string out;
  out.reserve(key.size() + 1 + value.size());
  out.append(key);
  out.push_back('=');
  for (char c : value)
    if (c != '\r' && c != '\n' && c != '\0') out.push_back(c);
  return out;
}

std::string SectionText(std::string_view name) {
  std::string out;
  out.reserve(name.size() + 2);
  out.push_back('[');
  out.append(name);
  out.push_back(']');
  return out;
}

}  // namespace

std::string_view TrimBlanks(std::string_view s) {
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && IsBlank(s[begin])) ++begin;
  while (end > begin && IsBlank(s[end - 1])) --end;
  return s.substr(begin, end - begin);
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameNameIgnoringAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  return true;
}


IniFile::IniFile(std::string_view text) {
  if (text.substr(0, kBom.size()) == kBom) {
    bom_ = true;
    text.remove_prefix(kBom.size());
  }
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == npos) {
      lines_.push_back(ParseLine(std::string(text.substr(pos))));
      break;
    }
    lines_.push_back(ParseLine(std::string(text.substr(pos, end - pos))));
    // CRLF is one line end; a lone CR or LF is one as well.
    pos = (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2 : end + 1;
  }
}

IniFile::Line IniFile::ParseLine(std::string text) {
  Line line;
  line.text = std::move(text);
  const std::string_view whole = TrimBlanks(line.text);
  if (whole.empty()) {
    line.kind = Kind::Blank;
    return line;
  }
  if (whole.front() == '[') {
    const std::size_t close = whole.find(']');
    if (close != npos) {
      line.kind = Kind::Section;
      line.name = std::string(TrimBlanks(whole.substr(1, close - 1)));
      return line;
    }
  }
  const std::size_t equals = line.text.find('=');
  if (equals == npos) {
    line.kind = Kind::Other;
    return line;
  }
  line.kind = Kind::Entry;
  line.name = std::string(TrimBlanks(std::string_view(line.text).substr(0, equals)));
  const std::string_view after = std::string_view(line.text).substr(equals + 1);
  const std::string_view value = TrimBlanks(after);
  line.value_begin = value.empty() ? line.text.size()
                                   : static_cast<std::size_t>(value.data() - line.text.data());
  line.value_end = line.value_begin + value.size();
  return line;
}

std::size_t IniFile::FindSection(std::string_view name) const {
  const std::string_view wanted = TrimBlanks(name);
  for (std::size_t i = 0; i < lines_.size(); ++i)
    if (lines_[i].kind == Kind::Section && SameNameIgnoringAsciiCase(lines_[i].name, wanted)) return i;
  return npos;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && lines_[i].kind != Kind::Section) ++i;
  return i;
}

std::size_t IniFile::FindKey(std::size_t header, std::string_view key) const {
  const std::string_view wanted = TrimBlanks(key);
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i)
    if (lines_[i].kind == Kind::Entry && SameNameIgnoringAsciiCase(lines_[i].name, wanted)) return i;
  return npos;
}

std::optional<std::string> IniFile::Find(std::string_view section, std::string_view key,
                                         std::size_t max_length) const {
  const std::size_t header = FindSection(section);
  if (header == npos) return std::nullopt;
  const std::size_t index = FindKey(header, key);
  if (index == npos) return std::nullopt;
  const Line& line = lines_[index];
  std::string_view value =
      std::string_view(line.text).substr(line.value_begin, line.value_end - line.value_begin);
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  // The profile functions hand out C strings.
  value = value.substr(0, value.find('\0'));
  if (value.size() > max_length) value = value.substr(0, max_length);
  return std::string(value);
}

std::vector<std::string> IniFile::Keys(std::string_view section) const {
  std::vector<std::string> keys;
  const std::size_t header = FindSection(section);
  if (header == npos) return keys;
  std::unordered_set<std::string> seen;  // names in lower case
  const std::size_t end = SectionEnd(header);
  for (std::size_t i = header + 1; i < end; ++i) {
    if (lines_[i].kind != Kind::Entry) continue;
    std::string lower = lines_[i].name;
    for (char& c : lower) c = LowerAscii(c);
    if (seen.insert(std::move(lower)).second) keys.push_back(lines_[i].name);
  }
  return keys;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  std::optional<std::string> value = Find(section, key);
  return value ? std::move(*value) : std::string(fallback);
}

void IniFile::WriteString(std::string_view section, std::string_view key,
                          std::string_view value) {
  const std::string_view section_name = TrimBlanks(section);
  const std::string_view key_name = TrimBlanks(key);

  const std::size_t header = FindSection(section_name);
  if (header == npos) {
    if (!lines_.empty() && lines_.back().kind != Kind::Blank) lines_.push_back(ParseLine(""));
    lines_.push_back(ParseLine(SectionText(section_name)));
    lines_.push_back(ParseLine(EntryText(key_name, value)));
    return;
  }
  const std::size_t index = FindKey(header, key_name);
  if (index != npos) {
    lines_[index] = ParseLine(EntryText(lines_[index].name, value));
    return;
  }
  std::size_t insert_at = SectionEnd(header);
  while (insert_at > header + 1 && lines_[insert_at - 1].kind == Kind::Blank) --insert_at;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert_at),
                ParseLine(EntryText(key_name, value)));
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  const std::size_t header = FindSection(TrimBlanks(section));
  if (header == npos) return;
  const std::string_view key_name = TrimBlanks(key);
  const auto begin = lines_.begin() + static_cast<std::ptrdiff_t>(header + 1);
  const auto end = lines_.begin() + static_cast<std::ptrdiff_t>(SectionEnd(header));
  lines_.erase(std::remove_if(begin, end,
                              [&](const Line& line) {
                                return line.kind == Kind::Entry && SameNameIgnoringAsciiCase(line.name, key_name);
                              }),
               end);
}

std::string IniFile::Text() const {
  std::size_t size = bom_ ? kBom.size() : 0;
  for (const Line& line : lines_) size += line.text.size() + 2;
  std::string out;
  out.reserve(size);
  if (bom_) out += kBom;
  for (const Line& line : lines_) {
    out += line.text;
    out += "\r\n";
  }
  return out;
}

}  // namespace mensor
