// app.ini byte for byte against the files in tests/golden/: the file a first
// save writes, the file of a session with every setting changed, and a file
// with lines and sections the program does not know, as a save leaves it.
//
// After a deliberate change of the file's layout, run the tests once with
// MENSOR_UPDATE_GOLDEN=1 to write the new files, and review their diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "settings_test_support.h"

namespace mensor {
namespace {

namespace fs = std::filesystem;

const fs::path kGoldenDir = fs::path(MENSOR_SOURCE_DIR) / "tests" / "golden";

std::string ReadGolden(const std::string& name) {
  std::ifstream in(kGoldenDir / name, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Compares text with the golden file name, or writes it there when asked to.
void ExpectGolden(const std::string& name, const std::string& text) {
  if (const char* update = std::getenv("MENSOR_UPDATE_GOLDEN"); update != nullptr && *update == '1') {
    std::ofstream(kGoldenDir / name, std::ios::binary) << text;
    return;
  }
  ASSERT_TRUE(fs::exists(kGoldenDir / name)) << "missing golden file " << name;
  EXPECT_EQ(text, ReadGolden(name)) << "app.ini differs from tests/golden/" << name;
}

// A value for every setting, each different from its default.
TAppSettings ChangedSettings() {
  TAppSettings s;
  s.MoveStep = 3;
  s.HotKey = 0x6041;
  s.JumpCursor = true;
  s.RulerWidth = 60;
  s.NextRulerWidth = 75;
  s.BackgroundColor = 0x112233;
  s.ForegroundColor = 0x445566;
  s.NumberColor = 0x778899;
  s.StaffColor = 0xAABBCC;
  s.CurTextColor = 0xDDEEFF;
  s.WinBKColor = 0x010203;
  s.WinNumberColor = 0x040506;
  s.ScaleLine = 0xFFFFFFFF;
  s.ShowDisplayForm = true;
  s.Length = 1200;
  s.StaffSize = 1;
  s.StaffDir = 1;
  s.Transparence = false;
  s.ScaleSmall = 3;
  s.ScaleLarge = 4;
  s.ScaleRatio = 0.75;
  s.TransValue = 45;
  s.SnapTolerance = 77;
  s.PixelPerUnit = 37;
  s.TicksPerUnit = 8;
  s.DisplayValueUnit = 2;
  s.HotKeyAlwaysTop = 0x4054;
  s.HotKeyTranser = 0x404E;
  s.HotKeyCircum = 0x4052;
  s.HotKeyLeval = 0x8048;
  s.HotKeyPlumb = 0x8056;
  s.HotKeyShowScaleLine = 0x2053;
  s.HotKeyShowToolBar = 0xE042;
  s.HotKeyCalculator = 112;
  s.ToolBarX = -20;
  s.ToolBarY = 900;
  s.ShowCursor = false;
  s.Magnifier = false;
  s.LanguageFileName = "Fran\xC3\xA7" "ais.txt";
  s.Calibration.SetInteger("GSM5B09:12345", 5000);
  s.Calibration.Set("\\\\?\\DISPLAY#Default_Monitor#4&1", "3780");
  return s;
}

constexpr RulerEntries kChangedEntries{
    .WindowOnTop = true, .ShowScaleLine = true, .Unit = 2, .ToolBarShow = false, .TrueSize = true, .ScaledPixels = true,
    .SnapToEdges = true};

TEST_F(SettingsTest, FirstSaveWritesTheDefaultFile) {
  entries = kChangedEntries;
  Load();
  // The fields no entry of their own fills, and the ruler's entries.
  EXPECT_EQ(AppSettings.ScaleRatio, 0.5);
  EXPECT_EQ(AppSettings.NextRulerWidth, 60);
  EXPECT_TRUE((entries == RulerEntries{.WindowOnTop = false, .ShowScaleLine = false, .Unit = 0, .ToolBarShow = true}))
      << "on top and scale line off, unit pixels, tool bar shown";
  ExpectGolden("app_default.ini", Save());
}

TEST_F(SettingsTest, EveryChangedSettingIsSavedAndLoadedBack) {
  AppSettings = ChangedSettings();
  entries = kChangedEntries;
  ExpectGolden("app_changed.ini", Save());
  // The running ruler keeps its width; the new one is for the next start.
  EXPECT_EQ(AppSettings.RulerWidth, 60);

  // The next start reads every value back into its own field.
  AppSettings = TAppSettings{};
  entries = {};
  Load();
  TAppSettings expected = ChangedSettings();
  expected.RulerWidth = 75;
  // The calibrations come back as read: none of them changed since.
  EXPECT_EQ(AppSettings.Calibration.entries(),
            (std::vector<SectionEntries::Entry>{{"GSM5B09:12345", "5000"},
                                                {"\\\\?\\DISPLAY#Default_Monitor#4&1", "3780"}}));
  expected.Calibration = AppSettings.Calibration;
  EXPECT_TRUE(AppSettings == expected) << "a setting was read into another field";
  EXPECT_TRUE(entries == kChangedEntries) << "an entry of the ruler was read into another field";
  // And saving it again changes nothing.
  EXPECT_EQ(Save(), ReadGolden("app_changed.ini"));
}

TEST_F(SettingsTest, LinesTheProgramDoesNotKnowStayWhereTheyAre) {
  WithFile(ReadGolden("app_unknown_lines.in.ini"));
  Load();
  ExpectGolden("app_unknown_lines.ini", Save());
}

}  // namespace
}  // namespace mensor
