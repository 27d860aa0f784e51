// The entries of app.ini as data: one SettingEntry per entry (section, key,
// the field it fills, its default, the correction of a bad value, the value
// a failed load puts in place), listed in the order a save writes them. The
// table itself is in settings_table.cpp; reading, writing, the load fallback,
// the preferences' "Default" button and the help's check of the documented
// entries all follow from it.
#pragma once

#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "settings/app_settings.h"
#include "settings/section_entries.h"
#include "ui/types.h"

namespace mensor {

// The field an entry fills: a member of TAppSettings, or of RulerEntries for
// the entries the ruler window holds. Its type gives the notation in
// the file: int and Color signed decimal, bool "1" or "0", Shortcut unsigned
// decimal (only the low 16 bits of what is read count), std::string the text
// as it stands, SectionEntries a whole section of keys not known in advance.
using SettingField =
    std::variant<int TAppSettings::*, bool TAppSettings::*, Shortcut TAppSettings::*, Color TAppSettings::*,
                 std::string TAppSettings::*, SectionEntries TAppSettings::*, int RulerEntries::*,
                 bool RulerEntries::*>;

struct SettingEntry {
  // What a failed load (ApplyLoadFallback) does with the field. Fields of
  // RulerEntries are never touched by it.
  enum class OnFallback { TakeDefault, TakeValue, Keep };

  std::string_view section;
  std::string_view key;  // empty for a SectionEntries field: the whole section
  SettingField field;
  // The default as a 32-bit value (bool 0 or 1, a colour as its pattern);
  // text and section fields default to empty.
  std::int32_t default_value = 0;
  // When set, the default depends on the screen and this gives it.
  std::int32_t (*screen_default)(Size screen) = nullptr;
  // A value read outside [min, max] takes the default.
  std::int32_t min = std::numeric_limits<std::int32_t>::min();
  std::int32_t max = std::numeric_limits<std::int32_t>::max();
  OnFallback on_fallback = OnFallback::TakeDefault;
  std::int32_t fallback_value = 0;  // for TakeValue
  // When set, a save writes this field instead of the one the load fills.
  int TAppSettings::*saved_from = nullptr;

  // The modifiers of a row of the table.
  constexpr SettingEntry Range(std::int32_t low, std::int32_t high) const {
    SettingEntry e = *this;
    e.min = low;
    e.max = high;
    return e;
  }
  constexpr SettingEntry ScreenDefault(std::int32_t (*of_screen)(Size)) const {
    SettingEntry e = *this;
    e.screen_default = of_screen;
    return e;
  }
  constexpr SettingEntry FallbackTo(std::int32_t value) const {
    SettingEntry e = *this;
    e.on_fallback = OnFallback::TakeValue;
    e.fallback_value = value;
    return e;
  }
  constexpr SettingEntry KeptOnFallback() const {
    SettingEntry e = *this;
    e.on_fallback = OnFallback::Keep;
    return e;
  }
  constexpr SettingEntry SavedFrom(int TAppSettings::*field_written) const {
    SettingEntry e = *this;
    e.saved_from = field_written;
    return e;
  }

  // The default for a screen of this size.
  std::int32_t Default(Size screen) const { return screen_default ? screen_default(screen) : default_value; }
};

// A row of the table: the entry section / key filling field, with its default.
constexpr SettingEntry Entry(std::string_view section, std::string_view key, SettingField field,
                             std::int32_t default_value = 0) {
  SettingEntry e;
  e.section = section;
  e.key = key;
  e.field = field;
  e.default_value = default_value;
  return e;
}

// Every entry of app.ini, in save order.
std::span<const SettingEntry> SettingsTable();

// The row that fills field; every field named here has one.
const SettingEntry& SettingEntryOf(SettingField field);

// The default of a field of the settings record, as its row gives it.
template <typename T>
T DefaultOf(T TAppSettings::*field, Size screen = {}) {
  return static_cast<T>(SettingEntryOf(field).Default(screen));
}

// The text a save writes for the row's default (empty for text entries).
std::string DefaultText(const SettingEntry& entry, Size screen);

// The rules that join several entries. After reading: the scale ratio from
// its two parts (a zero denominator gives 1:2), and the width for the next
// start equal to the one read.
void DeriveAfterLoad(TAppSettings& settings);
// Before writing: a ratio with a zero part is written as 1:2 (the ratio in
// use stays as it is).
void CorrectBeforeSave(TAppSettings& settings);


}  // namespace mensor
