// SectionEntries: reading a section of free keys, looking entries up and
// changing them, writing back what changed.
#include "settings/section_entries.h"

#include <algorithm>

#include "settings/app_settings.h"
#include "text/ini_file.h"

namespace mensor {
namespace {

bool IsStorableKey(std::string_view key) {
  if (key.empty() || key.front() == '[' || key.front() == ';') return false;
  if (TrimBlanks(key).size() != key.size()) return false;
  return key.find_first_of(std::string_view("=\r\n\0", 4)) == std::string_view::npos;
}

}  // namespace

SectionEntries SectionEntries::Read(const IniFile& ini, std::string_view section) {
  SectionEntries read;
  for (std::string& key : ini.Keys(section)) {
    std::string value = ini.ReadString(section, key, "");
    read.entries_.push_back({std::move(key), std::move(value), false});
  }
  return read;
}

void SectionEntries::Write(IniFile& ini, std::string_view section) const {
  for (const std::string& key : removed_) ini.DeleteKey(section, key);
  for (const Entry& entry : entries_)
    if (entry.changed) ini.WriteString(section, entry.key, entry.value);
}

std::optional<std::string> SectionEntries::Find(std::string_view key) const {
  for (const Entry& entry : entries_)
    if (SameNameIgnoringAsciiCase(entry.key, key)) return entry.value;
  return std::nullopt;
}

std::optional<std::int32_t> SectionEntries::Integer(std::string_view key) const {
  const std::optional<std::string> text = Find(key);
  if (!text) return std::nullopt;
  return ParseSettingsInteger(*text);
}

bool SectionEntries::Set(std::string_view key, std::string_view value) {
  if (!IsStorableKey(key)) return false;
  std::string text;
  for (char c : value)
    if (c != '\r' && c != '\n' && c != '\0') text.push_back(c);
  const auto same = [&](const Entry& entry) { return SameNameIgnoringAsciiCase(entry.key, key); };
  if (auto it = std::find_if(entries_.begin(), entries_.end(), same); it != entries_.end()) {
    if (it->value != text) {
      it->value = std::move(text);
      it->changed = true;
    }
    return true;
  }
  entries_.push_back({std::string(key), std::move(text), true});
  return true;
}

bool SectionEntries::Remove(std::string_view key) {
  const auto same = [&](const Entry& entry) { return SameNameIgnoringAsciiCase(entry.key, key); };
  const auto it = std::find_if(entries_.begin(), entries_.end(), same);
  if (it == entries_.end()) return false;
  removed_.push_back(it->key);
  entries_.erase(it);
  return true;
}

bool SectionEntries::SetInteger(std::string_view key, std::int32_t value) {
  return Set(key, std::to_string(value));
}

}  // namespace mensor
