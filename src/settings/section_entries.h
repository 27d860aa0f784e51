// SectionEntries: a section of app.ini whose keys are not known in advance
// (one entry per monitor, say), held in the settings record as the file has
// it. Values stay text, so that one the program cannot read is kept in the
// file as it stands; a save writes only the entries set since they were read,
// an existing one in its place and a new one at the end of its section, and
// removes the entries removed since.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mensor {

class IniFile;

class SectionEntries {
 public:
  struct Entry {
    std::string key;    // as the file spells it
    std::string value;  // as a read of the entry gives it
    bool changed = false;
    friend bool operator==(const Entry&, const Entry&) = default;
  };

  // The entries of section in ini, in the order of the file, none changed.
  static SectionEntries Read(const IniFile& ini, std::string_view section);
  // Writes the changed entries into section of ini, in the order held.
  void Write(IniFile& ini, std::string_view section) const;

  // The value of key (names match without regard to ASCII case); nothing
  // when there is no such entry.
  std::optional<std::string> Find(std::string_view key) const;
  // The value of key read as a settings integer; nothing when the entry is
  // missing or holds no integer.
  std::optional<std::int32_t> Integer(std::string_view key) const;
  // Gives key the value: an entry of that name changes in place, a new one
  // goes last. False, and nothing changes, for a key that no line of the
  // file could hold: empty, with '=', a line break or a NUL in it, blanks
  // around it, or starting with '[' or ';'. Line breaks and NULs are left out
  // of the value, as the file keeps it on one line.
  bool Set(std::string_view key, std::string_view value);
  bool SetInteger(std::string_view key, std::int32_t value);
  // Removes the entry of key; a save then removes it from the file. False
  // when there is no such entry.
  bool Remove(std::string_view key);

  const std::vector<Entry>& entries() const { return entries_; }

  friend bool operator==(const SectionEntries&, const SectionEntries&) = default;

 private:
  std::vector<Entry> entries_;
  std::vector<std::string> removed_;  // keys to remove from the file
};

}  // namespace mensor
