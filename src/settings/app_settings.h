// The process-wide settings record AppSettings and its file app.ini beside the
// executable: reading with defaults and corrections, writing in a fixed order.
// Also the small shared helpers every window uses: the one information box,
// the hot-key modifier conversion and the colour-button picture.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "settings/section_entries.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/types.h"

namespace mensor {

// How Copy Measurement copies a reading: the entry CopyFormat of app.ini.
enum CopyFormat : int { kCopyValueAndUnit = 0, kCopyValueOnly = 1 };

struct TAppSettings {
  // System
  int MoveStep = 0;
  Shortcut HotKey = 0;
  bool JumpCursor = false;
  int RulerWidth = 60;
  int SnapTolerance = 0;  // the edge finder's tolerance, 1..255
  int CopyFormat = kCopyValueAndUnit;  // a CopyFormat
  // Face
  Color BackgroundColor = 0;
  Color ForegroundColor = 0;
  Color NumberColor = 0;
  Color StaffColor = 0;
  Color CurTextColor = 0;
  Color WinBKColor = 0;
  Color WinNumberColor = 0;
  Color ScaleLine = 0;
  // Current
  bool ShowDisplayForm = false;
  int Length = 0;
  int StaffSize = 0;
  int StaffDir = 0;
  bool Transparence = false;
  int ScaleSmall = 0;
  int ScaleLarge = 0;
  int TransValue = 0;
  int PixelPerUnit = 0;
  int TicksPerUnit = 0;
  int DisplayValueUnit = 0;
  // HotKey
  Shortcut HotKeyAlwaysTop = 0;
  Shortcut HotKeyTranser = 0;
  Shortcut HotKeyCircum = 0;
  Shortcut HotKeyLeval = 0;
  Shortcut HotKeyPlumb = 0;
  Shortcut HotKeyShowScaleLine = 0;
  Shortcut HotKeyShowToolBar = 0;
  Shortcut HotKeyCalculator = 0;
  // ToolBar
  int ToolBarX = 0;
  int ToolBarY = 0;
  bool ShowCursor = false;
  bool Magnifier = false;
  bool ShowGrid = false;
  // Language
  std::string LanguageFileName;
  // Calibration: pixels per metre by monitor identity
  SectionEntries Calibration;

  // Derived, never written to the file.
  double ScaleRatio = 0.0;
  int NextRulerWidth = 0;
  // app.ini exists but could not be read completely at start-up (in use for
  // too long, unreadable, too large): the save keeps it as it is rather than
  // put defaults in place of the user's settings.
  bool KeepFile = false;

  friend bool operator==(const TAppSettings&, const TAppSettings&) = default;
};

// The one settings record of the process (zero-filled but RulerWidth = 60 at
// program start).
extern TAppSettings AppSettings;

// The entries of app.ini that the ruler window holds itself (check marks of
// its menu and its unit).
struct RulerEntries {
  bool WindowOnTop = false;    // System / WindowOnTop
  bool ShowScaleLine = false;  // Current / ShowScaleLine
  int Unit = 0;                // Current / Unit
  bool ToolBarShow = true;     // ToolBar / Show
  bool TrueSize = false;       // Current / TrueSize
  bool ScaledPixels = false;   // Current / ScaledPixels
  bool SnapToEdges = false;    // Current / SnapToEdges

  friend bool operator==(const RulerEntries&, const RulerEntries&) = default;
};

// Caption of every information box; a language pack may replace it.
extern std::string InfoCaption;

// Reads app.ini in the executable's folder into AppSettings and entries, with
// the defaults and corrections of each entry, and sets NextRulerWidth to the
// width read. A file in use by another program is waited for briefly. A
// missing file is no error (every entry takes its default); nor is one that
// cannot be read completely, but then AppSettings.KeepFile is set. Returns
// false only when an error (out of memory) interrupted the reading; the
// caller then applies ApplyLoadFallback.
bool LoadSettings(Platform& platform, RulerEntries& entries);
// The values start-up puts in place when loading failed. RulerWidth keeps what
// was read; NextRulerWidth follows it.
void ApplyLoadFallback(const Platform& platform);
// Writes every entry to app.ini in the save order, in the encoding the file
// has (a new file: 8-bit), through symbolic links, without ever leaving a
// damaged file. Keeps the file as it is when it was not read completely at
// start-up or is read-only. False when nothing was written; error_text then
// holds the message for the user.
bool SaveSettings(Platform& platform, const RulerEntries& entries, std::string& error_text);
// The messages of a save that did not happen; %s is the file's full path.
inline constexpr std::string_view kSaveFailedText = "Unable to write to %s";
inline constexpr std::string_view kSaveKeptUnreadText =
    "Your settings file %s could not be read completely when the ruler started, so it has been "
    "left as it was. The settings of this session were not saved.";
inline constexpr std::string_view kSaveKeptReadOnlyText =
    "Your settings file %s is read-only, so it has been left as it was. The settings of this "
    "session were not saved.";
// The full path of app.ini.
std::string SettingsFilePath(const Platform& platform);

// An integer entry's text as the settings read it: after leading blanks
// either an optional sign and decimal digits within the 32-bit signed range,
// or one of the markers "$", "x", "X", "0x", "0X" and one to eight hex digits
// taken as a 32-bit pattern; a text longer than two characters that starts
// with "0x" or "0X" is hexadecimal as well. Nothing for any other text (the
// entry then takes its default).
std::optional<std::int32_t> ParseSettingsInteger(std::string_view text);
// An optional sign and decimal digits within the 32-bit signed range, nothing
// else around them.
std::optional<std::int32_t> ParseDecimalInt32(std::string_view text);

// The program's one message box, with the caption InfoCaption.
void ShowInfo(Platform& platform, const std::string& text);
// Bit 7-i of the result is bit i of value (i = 0..7); the high byte is 0.
std::uint16_t ReverseBits8(std::uint16_t value);
// The RegisterHotKey modifier flags of a shortcut value: Alt 1, Ctrl 2,
// Shift 4, Win 8.
unsigned HotKeyModifiers(Shortcut shortcut);

}  // namespace mensor
