// AppSettings: reading app.ini with the defaults and corrections of each
// entry, writing it back in the fixed save order, both row by row of the
// settings table (settings_table.cpp), and the shared helpers (information
// box, hot-key modifiers).
//
// app.ini is read once into memory and written once: the save builds the
// complete new text (the old text with every entry changed in save order, as
// entry-by-entry profile writes would leave it) and hands it to
// WriteFileSafely, which replaces the file in one step (settings_file.h). A
// save that is cut short therefore never leaves a half-written file behind;
// only where no replacement is possible is the file rewritten in place.
#include "settings/app_settings.h"

#include <exception>
#include <limits>
#include <string>
#include <type_traits>
#include <variant>

#include "text/ini_file.h"
#include "settings/settings_file.h"
#include "settings/settings_table.h"
#include "text/text_encoding.h"

namespace mensor {

TAppSettings AppSettings;
std::string InfoCaption = "Information";

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The member type and the record of a field of the table.
template <typename Member>
struct FieldOf;
template <typename T, typename Record>
struct FieldOf<T Record::*> {
  using Type = T;
  using In = Record;
};

// Fields whose entries are 32-bit numbers in the file.
template <typename T>
constexpr bool kNumeric = !std::is_same_v<T, std::string> && !std::is_same_v<T, SectionEntries>;

// The record a field of the table lives in.
template <typename Record, typename Settings, typename Entries>
auto& RecordOf(Settings& settings, Entries& entries) {
  if constexpr (std::is_same_v<Record, TAppSettings>) {
    return settings;
  } else {
    return entries;
  }
}

void ReadEntry(const IniFile& ini, const SettingEntry& row, Size screen, TAppSettings& settings,
               RulerEntries& entries) {
  std::visit(
      [&](auto member) {
        using Field = FieldOf<decltype(member)>;
        auto& field = RecordOf<typename Field::In>(settings, entries).*member;
        if constexpr (std::is_same_v<typename Field::Type, SectionEntries>) {
          field = SectionEntries::Read(ini, row.section);
        } else if constexpr (std::is_same_v<typename Field::Type, std::string>) {
          field = ini.ReadString(row.section, row.key, "");
        } else {
          // Numbers, flags, shortcuts and colours pass through the file as
          // 32-bit values: a cast to the field's type keeps what the type
          // holds (bool: any non-zero value is true; Shortcut: the low 16
          // bits; Color: the pattern), and a cast back gives what the file
          // gets (bool 1 or 0, a shortcut 0..65535, a colour as a signed
          // number).
          const std::int32_t fallback = row.Default(screen);
          const std::optional<std::string> text = ini.Find(row.section, row.key);
          std::int32_t value = text ? ParseSettingsInteger(*text).value_or(fallback) : fallback;
          if (value < row.min || value > row.max) value = fallback;
          field = static_cast<typename Field::Type>(value);
        }
      },
      row.field);
}

void WriteEntry(IniFile& ini, const SettingEntry& row, const TAppSettings& settings, const RulerEntries& entries) {
  std::visit(
      [&](auto member) {
        using Field = FieldOf<decltype(member)>;
        const auto& field = RecordOf<typename Field::In>(settings, entries).*member;
        if constexpr (std::is_same_v<typename Field::Type, SectionEntries>) {
          field.Write(ini, row.section);
        } else if constexpr (std::is_same_v<typename Field::Type, std::string>) {
          ini.WriteString(row.section, row.key, field);
        } else {
          const std::int32_t value = row.saved_from ? settings.*row.saved_from : static_cast<std::int32_t>(field);
          ini.WriteString(row.section, row.key, std::to_string(value));
        }
      },
      row.field);
}

// A failed load: the row's fallback, for the fields of AppSettings only.
void FallBack(const SettingEntry& row, Size screen, TAppSettings& settings) {
  if (row.on_fallback == SettingEntry::OnFallback::Keep) return;
  std::visit(
      [&](auto member) {
        using Field = FieldOf<decltype(member)>;
        if constexpr (std::is_same_v<typename Field::In, TAppSettings>) {
          auto& field = settings.*member;
          if constexpr (kNumeric<typename Field::Type>) {
            const bool own = row.on_fallback == SettingEntry::OnFallback::TakeValue;
            field = static_cast<typename Field::Type>(own ? row.fallback_value : row.Default(screen));
          } else {
            field = {};
          }
        }
      },
      row.field);
}

void ReadAll(const IniFile& ini, Size screen, TAppSettings& settings, RulerEntries& entries) {
  for (const SettingEntry& row : SettingsTable()) ReadEntry(ini, row, screen, settings, entries);
  DeriveAfterLoad(settings);
}

void WriteAll(IniFile& ini, TAppSettings& settings, const RulerEntries& entries) {
  CorrectBeforeSave(settings);
  for (const SettingEntry& row : SettingsTable()) WriteEntry(ini, row, settings, entries);
}

}  // namespace

std::optional<std::int32_t> ParseSettingsInteger(std::string_view text) {
  std::string converted;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    converted = "$";
    converted += text.substr(2);
    text = converted;
  }
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;

  std::size_t marker = 0;
  if (text[0] == '$' || text[0] == 'x' || text[0] == 'X') {
    marker = 1;
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    marker = 2;
  }
  if (marker != 0) {
    const std::string_view digits = text.substr(marker);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t pattern = 0;
    for (char c : digits) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      pattern = (pattern << 4) | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(pattern);
  }

  return ParseDecimalInt32(text);
}

std::optional<std::int32_t> ParseDecimalInt32(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return std::nullopt;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

std::string SettingsFilePath(const Platform& platform) {
  return platform.JoinPath(platform.ExeDir(), "app.ini");
}

bool LoadSettings(Platform& platform, RulerEntries& entries) {
  try {
    RemoveStaleTempFiles(platform, platform.ResolveLinks(SettingsFilePath(platform)));
    const FileRead file = ReadFileWaiting(platform, SettingsFilePath(platform), kReadBusyBudgetMs);
    // Anything but a whole file or no file at all means the user's settings
    // are unknown: start on defaults, and never let them replace the file.
    const bool whole = file.result == FileResult::Done;
    AppSettings.KeepFile = !whole && file.result != FileResult::Missing;
    const IniFile ini(DecodeText(whole ? std::string_view(file.bytes) : std::string_view()).text);
    ReadAll(ini, platform.ScreenSize(), AppSettings, entries);
    return true;
  } catch (const std::exception&) {
    // Out of memory on a monstrous file: the caller puts its fallback values
    // in place, and the file stays as it is.
    AppSettings.KeepFile = true;
    return false;
  }
}

void ApplyLoadFallback(const Platform& platform) {
  for (const SettingEntry& row : SettingsTable()) FallBack(row, platform.ScreenSize(), AppSettings);
  DeriveAfterLoad(AppSettings);
}

namespace {

std::string WithPath(std::string_view text, const std::string& path) {
  std::string out(text);
  const std::size_t at = out.find("%s");
  if (at != std::string::npos) out.replace(at, 2, path);
  return out;
}

}  // namespace

bool SaveSettings(Platform& platform, const RulerEntries& entries, std::string& error_text) {
  const std::string path = SettingsFilePath(platform);
  if (AppSettings.KeepFile) {
    error_text = WithPath(kSaveKeptUnreadText, path);
    return false;
  }
  try {
    // A link stays a link: the file it points to gets the new text.
    const std::string target = platform.ResolveLinks(path);
    // The file as it is now, so that lines the program does not know, and
    // entries other programs changed meanwhile, are kept.
    const FileRead old = ReadFileWaiting(platform, target, kReadBusyBudgetMs);
    if (old.result == FileResult::Done && old.read_only) {
      // A read-only file is the user saying "keep these settings".
      error_text = WithPath(kSaveKeptReadOnlyText, path);
      return false;
    }
    if (old.result == FileResult::Done || old.result == FileResult::Missing) {
      const DecodedText decoded = DecodeText(old.bytes);
      IniFile ini(decoded.text);
      WriteAll(ini, AppSettings, entries);
      RemoveStaleTempFiles(platform, target);
      if (WriteFileSafely(platform, target, EncodeText(decoded.encoding, ini.Text()),
                          old.result == FileResult::Done) != WriteOutcome::Failed)
        return true;
    }
  } catch (const std::exception&) {
  }
  error_text = WithPath(kSaveFailedText, path);
  return false;
}

void ShowInfo(Platform& platform, const std::string& text) { platform.ShowInfo(text, InfoCaption); }

std::uint16_t ReverseBits8(std::uint16_t value) {
  std::uint16_t result = 0;
  for (int i = 0; i < 8; ++i)
    if (value & (1u << i)) result |= static_cast<std::uint16_t>(1u << (7 - i));
  return result;
}

unsigned HotKeyModifiers(Shortcut shortcut) {
  return ReverseBits8(static_cast<std::uint16_t>((shortcut & 0xF000) >> 8));
}

}  // namespace mensor
