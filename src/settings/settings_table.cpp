// The table of app.ini: every entry once, in the order a save writes it.
//
// To add a setting:
//  1. add its field to TAppSettings (app_settings.h), named after its key;
//  2. add one row below, where a save should write it: usually last of its
//     section, or last of the table for a new section. A row is
//       Entry("Section", "Key", &TAppSettings::Field, default)
//     with, where needed, .Range(low, high) (a value read outside it takes
//     the default), .ScreenDefault(...) (a default that depends on the
//     screen), .FallbackTo(value) or .KeptOnFallback() (what a failed load
//     does, instead of taking the default), .SavedFrom(&TAppSettings::Other)
//     (the save writes another field). The field's type gives the notation;
//     a SectionEntries field with an empty key holds a whole section of keys
//     not known in advance.
//  3. document it in docs/help/settings.html (the help test checks the key
//     and its default) and write the code that uses it.
// Reading, writing, the fallback of a failed load, the preferences' Default
// button and the help's check follow from the row. A rule that joins several
// entries goes into DeriveAfterLoad or CorrectBeforeSave.
#include "settings/settings_table.h"

#include <algorithm>
#include <cassert>

#include "text/ini_file.h"

namespace mensor {
namespace {

using S = TAppSettings;
using R = RulerEntries;

constexpr std::string_view kSystem = "System";
constexpr std::string_view kFace = "Face";
constexpr std::string_view kCurrent = "Current";
constexpr std::string_view kHotKey = "HotKey";
constexpr std::string_view kToolBar = "ToolBar";
constexpr std::string_view kLanguage = "Language";
constexpr std::string_view kCalibration = "Calibration";

// The tool bar's default left edge: this far from the screen's right side.
constexpr std::int32_t ToolBarDefaultX(Size screen) { return screen.cx - 132; }

constexpr std::int32_t kLightBlue = 0xFF9B37;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kYellow = 0x00FFFF;
constexpr std::int32_t kGreen = 0x40FF00;

constexpr SettingEntry kTable[] = {
    Entry(kSystem, "WindowOnTop", &R::WindowOnTop, false),
    Entry(kSystem, "MoveStep", &S::MoveStep, 1).Range(0, 99),
    Entry(kSystem, "HotKey", &S::HotKey, 0),
    Entry(kSystem, "JumpCursor", &S::JumpCursor, false),
    // A width chosen in the preferences applies from the next start.
    Entry(kSystem, "RulerWidth", &S::RulerWidth, 60).SavedFrom(&S::NextRulerWidth).KeptOnFallback(),
    // Written after the older System keys; an older version ignores it.
    Entry(kSystem, "SnapTolerance", &S::SnapTolerance, 30).Range(1, 255),
    // What "Copy &Measurement" puts on the clipboard: 0 value and unit, 1 the value only.
    Entry(kSystem, "CopyFormat", &S::CopyFormat, kCopyValueAndUnit).Range(kCopyValueAndUnit, kCopyValueOnly),

    Entry(kFace, "BackgroundColor", &S::BackgroundColor, kLightBlue),
    Entry(kFace, "ForegroundColor", &S::ForegroundColor, kWhite),
    Entry(kFace, "NumberColor", &S::NumberColor, kWhite),
    Entry(kFace, "StaffColor", &S::StaffColor, kWhite),
    Entry(kFace, "CurTextColor", &S::CurTextColor, kYellow),

    Entry(kCurrent, "Length", &S::Length, 600).Range(200, 1510),
    Entry(kCurrent, "StaffSize", &S::StaffSize, 0).Range(0, 1),
    Entry(kCurrent, "StaffDir", &S::StaffDir, 0).Range(0, 1),
    Entry(kCurrent, "Transparence", &S::Transparence, true).FallbackTo(false),
    Entry(kCurrent, "ScaleSmall", &S::ScaleSmall, 1),
    Entry(kCurrent, "ScaleLarge", &S::ScaleLarge, 2),
    Entry(kCurrent, "ShowScaleLine", &R::ShowScaleLine, false),

    Entry(kFace, "WinBKColor", &S::WinBKColor, 0),
    Entry(kFace, "WinNumberColor", &S::WinNumberColor, kWhite),
    Entry(kFace, "ScaleLine", &S::ScaleLine, kGreen),

    Entry(kCurrent, "ShowDisplayForm", &S::ShowDisplayForm, false),
    Entry(kCurrent, "TransValue", &S::TransValue, 60).FallbackTo(40),
    Entry(kCurrent, "Unit", &R::Unit, 0),
    Entry(kCurrent, "PixelPerUnit", &S::PixelPerUnit, 50),
    Entry(kCurrent, "TicksPerUnit", &S::TicksPerUnit, 10),
    Entry(kCurrent, "DisplayValueUnit", &S::DisplayValueUnit, 1),
    Entry(kCurrent, "TrueSize", &R::TrueSize, false),
    // The pixel unit in scaled pixels: a key of its own, so that Unit keeps
    // the values an older version reads.
    Entry(kCurrent, "ScaledPixels", &R::ScaledPixels, false),
    Entry(kCurrent, "SnapToEdges", &R::SnapToEdges, false),

    Entry(kHotKey, "AlwaysTop", &S::HotKeyAlwaysTop, 0),
    Entry(kHotKey, "Transer", &S::HotKeyTranser, 0),
    Entry(kHotKey, "Circum", &S::HotKeyCircum, 0),
    Entry(kHotKey, "Leval", &S::HotKeyLeval, 0),
    Entry(kHotKey, "Plumb", &S::HotKeyPlumb, 0),
    Entry(kHotKey, "ShowScaleLine", &S::HotKeyShowScaleLine, 0),
    Entry(kHotKey, "ShowToolBar", &S::HotKeyShowToolBar, 0),
    Entry(kHotKey, "Calculator", &S::HotKeyCalculator, 0),

    Entry(kToolBar, "Show", &R::ToolBarShow, true),
    Entry(kToolBar, "X", &S::ToolBarX).ScreenDefault(ToolBarDefaultX),
    Entry(kToolBar, "Y", &S::ToolBarY, 0),
    Entry(kToolBar, "ShowCursor", &S::ShowCursor, true),
    Entry(kToolBar, "Magnifier", &S::Magnifier, true).FallbackTo(false),
    Entry(kToolBar, "ShowGrid", &S::ShowGrid, true),

    Entry(kLanguage, "FileName", &S::LanguageFileName),

    Entry(kCalibration, "", &S::Calibration),
};

// Each entry and each field once: a second row would be read and written
// twice, and only one of the two would count.
constexpr bool EachEntryAndFieldOnce() {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  const auto same_name = [&](std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
  };
  for (std::size_t i = 0; i < std::size(kTable); ++i)
    for (std::size_t j = i + 1; j < std::size(kTable); ++j) {
      if (kTable[i].field == kTable[j].field) return false;
      if (same_name(kTable[i].section, kTable[j].section) && same_name(kTable[i].key, kTable[j].key)) return false;
    }
  return true;
}
static_assert(EachEntryAndFieldOnce(), "an entry or a field appears twice in the settings table");

}  // namespace

std::span<const SettingEntry> SettingsTable() { return kTable; }

const SettingEntry& SettingEntryOf(SettingField field) {
  const auto row = std::find_if(std::begin(kTable), std::end(kTable),
                                [&](const SettingEntry& entry) { return entry.field == field; });
  assert(row != std::end(kTable) && "a field without a row in the settings table");
  return *row;
}

std::string DefaultText(const SettingEntry& entry, Size screen) {
  const bool text = std::holds_alternative<std::string S::*>(entry.field) ||
                    std::holds_alternative<SectionEntries S::*>(entry.field);
  return text ? std::string() : std::to_string(entry.Default(screen));
}

void DeriveAfterLoad(TAppSettings& s) {
  if (s.ScaleLarge != 0) {
    s.ScaleRatio = static_cast<double>(s.ScaleSmall) / static_cast<double>(s.ScaleLarge);
  } else {
    s.ScaleRatio = 0.5;
    s.ScaleSmall = 1;
    s.ScaleLarge = 2;
  }
  s.NextRulerWidth = s.RulerWidth;
}

void CorrectBeforeSave(TAppSettings& s) {
  if (s.ScaleLarge == 0 || s.ScaleSmall == 0) {
    s.ScaleSmall = 1;
    s.ScaleLarge = 2;
  }
}

}  // namespace mensor
