// AppSettings: reading app.ini with the defaults and corrections of each
// entry, writing it back in the fixed save order, and the shared helpers
// (information box, hot-key modifiers).
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

#include "text/ini_file.h"
#include "settings/settings_file.h"
#include "text/text_encoding.h"

namespace mensor {

TAppSettings AppSettings;
std::string InfoCaption = "Information";

namespace {

// Section names of app.ini.
constexpr std::string_view kSystem = "System";
constexpr std::string_view kFace = "Face";
constexpr std::string_view kCurrent = "Current";
constexpr std::string_view kHotKey = "HotKey";
constexpr std::string_view kToolBar = "ToolBar";
constexpr std::string_view kLanguage = "Language";

// The tool bar's default left edge: this far from the screen's right side.
constexpr int kToolBarRightMargin = 132;

constexpr Color kDefaultBackground = 0xFF9B37;  // light blue
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kGreen = 0x40FF00;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads entries of app.ini with the conversions of the settings.
class EntryReader {
 public:
  explicit EntryReader(const IniFile& ini) : ini_(ini) {}

  std::int32_t Integer(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const std::optional<std::string> text = ini_.Find(section, key);
    if (!text) return fallback;
    return ParseSettingsInteger(*text).value_or(fallback);
  }
  bool Boolean(std::string_view section, std::string_view key, bool fallback) const {
    return Integer(section, key, fallback ? 1 : 0) != 0;
  }
  Shortcut Key(std::string_view section, std::string_view key) const {
    return static_cast<Shortcut>(static_cast<std::uint32_t>(Integer(section, key, 0)) & 0xFFFF);
  }
  Color Colour(std::string_view section, std::string_view key, Color fallback) const {
    return static_cast<Color>(Integer(section, key, static_cast<std::int32_t>(fallback)));
  }
  std::string Text(std::string_view section, std::string_view key) const {
    return ini_.ReadString(section, key, "");
  }

 private:
  const IniFile& ini_;
};

// Writes entries of app.ini in the settings' notation.
class EntryWriter {
 public:
  explicit EntryWriter(IniFile& ini) : ini_(ini) {}

  void Integer(std::string_view section, std::string_view key, std::int32_t value) {
    ini_.WriteString(section, key, std::to_string(value));
  }
  void Boolean(std::string_view section, std::string_view key, bool value) {
    ini_.WriteString(section, key, value ? "1" : "0");
  }
  void Key(std::string_view section, std::string_view key, Shortcut value) {
    ini_.WriteString(section, key, std::to_string(static_cast<unsigned>(value)));
  }
  // Colours are written as signed 32-bit numbers.
  void Colour(std::string_view section, std::string_view key, Color value) {
    Integer(section, key, static_cast<std::int32_t>(value));
  }
  void Text(std::string_view section, std::string_view key, std::string_view value) {
    ini_.WriteString(section, key, value);
  }

 private:
  IniFile& ini_;
};

void ReadAll(const EntryReader& in, const Platform& platform, RulerEntries& entries) {
  TAppSettings& s = AppSettings;

  entries.WindowOnTop = in.Boolean(kSystem, "WindowOnTop", false);
  s.MoveStep = in.Integer(kSystem, "MoveStep", 1);
  if (s.MoveStep < 0 || s.MoveStep > 99) s.MoveStep = 1;
  s.HotKey = in.Key(kSystem, "HotKey");
  s.JumpCursor = in.Boolean(kSystem, "JumpCursor", false);
  s.RulerWidth = in.Integer(kSystem, "RulerWidth", 60);

  s.BackgroundColor = in.Colour(kFace, "BackgroundColor", kDefaultBackground);
  s.ForegroundColor = in.Colour(kFace, "ForegroundColor", kWhite);
  s.NumberColor = in.Colour(kFace, "NumberColor", kWhite);
  s.StaffColor = in.Colour(kFace, "StaffColor", kWhite);
  s.CurTextColor = in.Colour(kFace, "CurTextColor", kYellow);
  s.WinBKColor = in.Colour(kFace, "WinBKColor", 0);
  s.WinNumberColor = in.Colour(kFace, "WinNumberColor", kWhite);
  s.ScaleLine = in.Colour(kFace, "ScaleLine", kGreen);

  s.ShowDisplayForm = in.Boolean(kCurrent, "ShowDisplayForm", false);
  s.Length = in.Integer(kCurrent, "Length", 600);
  if (s.Length < 200 || s.Length > 1510) s.Length = 600;
  s.StaffSize = in.Integer(kCurrent, "StaffSize", 0);
  if (s.StaffSize < 0 || s.StaffSize > 1) s.StaffSize = 0;
  s.StaffDir = in.Integer(kCurrent, "StaffDir", 0);
  if (s.StaffDir < 0 || s.StaffDir > 1) s.StaffDir = 0;
  s.Transparence = in.Boolean(kCurrent, "Transparence", true);
  s.ScaleSmall = in.Integer(kCurrent, "ScaleSmall", 1);
  s.ScaleLarge = in.Integer(kCurrent, "ScaleLarge", 2);
  if (s.ScaleLarge != 0) {
    s.ScaleRatio = static_cast<double>(s.ScaleSmall) / static_cast<double>(s.ScaleLarge);
  } else {
    s.ScaleRatio = 0.5;
    s.ScaleSmall = 1;
    s.ScaleLarge = 2;
  }
  entries.ShowScaleLine = in.Boolean(kCurrent, "ShowScaleLine", false);
  s.TransValue = in.Integer(kCurrent, "TransValue", 60);
  entries.Unit = in.Integer(kCurrent, "Unit", 0);
  s.PixelPerUnit = in.Integer(kCurrent, "PixelPerUnit", 50);
  s.TicksPerUnit = in.Integer(kCurrent, "TicksPerUnit", 10);
  s.DisplayValueUnit = in.Integer(kCurrent, "DisplayValueUnit", 1);

  s.HotKeyAlwaysTop = in.Key(kHotKey, "AlwaysTop");
  s.HotKeyTranser = in.Key(kHotKey, "Transer");
  s.HotKeyCircum = in.Key(kHotKey, "Circum");
  s.HotKeyLeval = in.Key(kHotKey, "Leval");
  s.HotKeyPlumb = in.Key(kHotKey, "Plumb");
  s.HotKeyShowScaleLine = in.Key(kHotKey, "ShowScaleLine");
  s.HotKeyShowToolBar = in.Key(kHotKey, "ShowToolBar");
  s.HotKeyCalculator = in.Key(kHotKey, "Calculator");

  entries.ToolBarShow = in.Boolean(kToolBar, "Show", true);
  s.ToolBarX = in.Integer(kToolBar, "X", platform.ScreenSize().cx - kToolBarRightMargin);
  s.ToolBarY = in.Integer(kToolBar, "Y", 0);
  s.ShowCursor = in.Boolean(kToolBar, "ShowCursor", true);
  s.Magnifier = in.Boolean(kToolBar, "Magnifier", true);

  s.LanguageFileName = in.Text(kLanguage, "FileName");

  s.NextRulerWidth = s.RulerWidth;
}

void WriteAll(EntryWriter& out, const RulerEntries& entries) {
  TAppSettings& s = AppSettings;

  out.Boolean(kSystem, "WindowOnTop", entries.WindowOnTop);
  out.Integer(kSystem, "MoveStep", s.MoveStep);
  out.Key(kSystem, "HotKey", s.HotKey);
  out.Boolean(kSystem, "JumpCursor", s.JumpCursor);
  // A width chosen in the preferences applies from the next start.
  out.Integer(kSystem, "RulerWidth", s.NextRulerWidth);

  out.Colour(kFace, "BackgroundColor", s.BackgroundColor);
  out.Colour(kFace, "ForegroundColor", s.ForegroundColor);
  out.Colour(kFace, "NumberColor", s.NumberColor);
  out.Colour(kFace, "StaffColor", s.StaffColor);
  out.Colour(kFace, "CurTextColor", s.CurTextColor);

  out.Integer(kCurrent, "Length", s.Length);
  out.Integer(kCurrent, "StaffSize", s.StaffSize);
  out.Integer(kCurrent, "StaffDir", s.StaffDir);
  out.Boolean(kCurrent, "Transparence", s.Transparence);
  // A ratio with a zero part is stored as 1:2; ScaleRatio stays as it is.
  if (s.ScaleLarge == 0 || s.ScaleSmall == 0) {
    s.ScaleSmall = 1;
    s.ScaleLarge = 2;
  }
  out.Integer(kCurrent, "ScaleSmall", s.ScaleSmall);
  out.Integer(kCurrent, "ScaleLarge", s.ScaleLarge);
  out.Boolean(kCurrent, "ShowScaleLine", entries.ShowScaleLine);

  out.Colour(kFace, "WinBKColor", s.WinBKColor);
  out.Colour(kFace, "WinNumberColor", s.WinNumberColor);
  out.Colour(kFace, "ScaleLine", s.ScaleLine);

  out.Boolean(kCurrent, "ShowDisplayForm", s.ShowDisplayForm);
  out.Integer(kCurrent, "TransValue", s.TransValue);
  out.Integer(kCurrent, "Unit", entries.Unit);
  out.Integer(kCurrent, "PixelPerUnit", s.PixelPerUnit);
  out.Integer(kCurrent, "TicksPerUnit", s.TicksPerUnit);
  out.Integer(kCurrent, "DisplayValueUnit", s.DisplayValueUnit);

  out.Key(kHotKey, "AlwaysTop", s.HotKeyAlwaysTop);
  out.Key(kHotKey, "Transer", s.HotKeyTranser);
  out.Key(kHotKey, "Circum", s.HotKeyCircum);
  out.Key(kHotKey, "Leval", s.HotKeyLeval);
  out.Key(kHotKey, "Plumb", s.HotKeyPlumb);
  out.Key(kHotKey, "ShowScaleLine", s.HotKeyShowScaleLine);
  out.Key(kHotKey, "ShowToolBar", s.HotKeyShowToolBar);
  out.Key(kHotKey, "Calculator", s.HotKeyCalculator);

  out.Boolean(kToolBar, "Show", entries.ToolBarShow);
  out.Integer(kToolBar, "X", s.ToolBarX);
  out.Integer(kToolBar, "Y", s.ToolBarY);
  out.Boolean(kToolBar, "ShowCursor", s.ShowCursor);
  out.Boolean(kToolBar, "Magnifier", s.Magnifier);

  out.Text(kLanguage, "FileName", s.LanguageFileName);
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
    ReadAll(EntryReader(ini), platform, entries);
    return true;
  } catch (const std::exception&) {
    // Out of memory on a monstrous file: the caller puts its fallback values
    // in place, and the file stays as it is.
    AppSettings.KeepFile = true;
    return false;
  }
}

void ApplyLoadFallback(const Platform& platform) {
  TAppSettings& s = AppSettings;
  s.MoveStep = 1;
  s.HotKey = 0;
  s.HotKeyAlwaysTop = 0;
  s.HotKeyTranser = 0;
  s.HotKeyCircum = 0;
  s.HotKeyLeval = 0;
  s.HotKeyPlumb = 0;
  s.HotKeyShowScaleLine = 0;
  s.HotKeyShowToolBar = 0;
  s.HotKeyCalculator = 0;
  s.BackgroundColor = kDefaultBackground;
  s.ForegroundColor = kWhite;
  s.NumberColor = kWhite;
  s.StaffColor = kWhite;
  s.WinNumberColor = kWhite;
  s.CurTextColor = kYellow;
  s.WinBKColor = 0;
  s.ScaleLine = kGreen;
  s.ShowDisplayForm = false;
  s.JumpCursor = false;
  s.Transparence = false;
  s.Magnifier = false;
  s.ShowCursor = true;
  s.Length = 600;
  s.StaffSize = 0;
  s.StaffDir = 0;
  s.PixelPerUnit = 50;
  s.TicksPerUnit = 10;
  s.DisplayValueUnit = 1;
  s.TransValue = 40;
  s.ScaleSmall = 1;
  s.ScaleLarge = 2;
  s.ScaleRatio = 0.5;
  s.ToolBarX = platform.ScreenSize().cx - kToolBarRightMargin;
  s.ToolBarY = 0;
  s.LanguageFileName.clear();
  s.NextRulerWidth = s.RulerWidth;
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
      EntryWriter out(ini);
      WriteAll(out, entries);
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
