// Saving app.ini: the byte-exact file in save order, entries kept in place,
// corrections written back, and a refused write that leaves the old file.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "text/ini_file.h"
#include "settings_test_support.h"

namespace mensor {
namespace {

// The file a save of the defaults writes where there was none (1920-pixel
// screen).
const char* const kDefaultFile =
    "[System]\r\n"
    "WindowOnTop=0\r\n"
    "MoveStep=1\r\n"
    "HotKey=0\r\n"
    "JumpCursor=0\r\n"
    "RulerWidth=60\r\n"
    "\r\n"
    "[Face]\r\n"
    "BackgroundColor=16751415\r\n"
    "ForegroundColor=16777215\r\n"
    "NumberColor=16777215\r\n"
    "StaffColor=16777215\r\n"
    "CurTextColor=65535\r\n"
    "WinBKColor=0\r\n"
    "WinNumberColor=16777215\r\n"
    "ScaleLine=4259584\r\n"
    "\r\n"
    "[Current]\r\n"
    "Length=600\r\n"
    "StaffSize=0\r\n"
    "StaffDir=0\r\n"
    "Transparence=1\r\n"
    "ScaleSmall=1\r\n"
    "ScaleLarge=2\r\n"
    "ShowScaleLine=0\r\n"
    "ShowDisplayForm=0\r\n"
    "TransValue=60\r\n"
    "Unit=0\r\n"
    "PixelPerUnit=50\r\n"
    "TicksPerUnit=10\r\n"
    "DisplayValueUnit=1\r\n"
    "\r\n"
    "[HotKey]\r\n"
    "AlwaysTop=0\r\n"
    "Transer=0\r\n"
    "Circum=0\r\n"
    "Leval=0\r\n"
    "Plumb=0\r\n"
    "ShowScaleLine=0\r\n"
    "ShowToolBar=0\r\n"
    "Calculator=0\r\n"
    "\r\n"
    "[ToolBar]\r\n"
    "Show=1\r\n"
    "X=1788\r\n"
    "Y=0\r\n"
    "ShowCursor=1\r\n"
    "Magnifier=1\r\n"
    "\r\n"
    "[Language]\r\n"
    "FileName=\r\n";

TEST_F(SettingsTest, NoFileGivesEveryDefaultAndSavesThem) {
  Load();
  EXPECT_EQ(AppSettings.ScaleRatio, 0.5);
  EXPECT_EQ(AppSettings.NextRulerWidth, 60);
  EXPECT_FALSE(entries.WindowOnTop);
  EXPECT_FALSE(entries.ShowScaleLine);
  EXPECT_EQ(entries.Unit, 0);
  EXPECT_TRUE(entries.ToolBarShow);
  // Every other default shows in the saved file.
  EXPECT_EQ(Save(), kDefaultFile);
}

// A value for every field, all different, none the default.
TAppSettings DistinctSettings() {
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
  s.Magnifier = true;
  s.LanguageFileName = "Fran\xC3\xA7" "ais.txt";
  return s;
}

void ExpectSameSettings(const TAppSettings& a, const TAppSettings& b) {
  EXPECT_EQ(a.MoveStep, b.MoveStep);
  EXPECT_EQ(a.HotKey, b.HotKey);
  EXPECT_EQ(a.JumpCursor, b.JumpCursor);
  EXPECT_EQ(a.RulerWidth, b.RulerWidth);
  EXPECT_EQ(a.NextRulerWidth, b.NextRulerWidth);
  EXPECT_EQ(a.BackgroundColor, b.BackgroundColor);
  EXPECT_EQ(a.ForegroundColor, b.ForegroundColor);
  EXPECT_EQ(a.NumberColor, b.NumberColor);
  EXPECT_EQ(a.StaffColor, b.StaffColor);
  EXPECT_EQ(a.CurTextColor, b.CurTextColor);
  EXPECT_EQ(a.WinBKColor, b.WinBKColor);
  EXPECT_EQ(a.WinNumberColor, b.WinNumberColor);
  EXPECT_EQ(a.ScaleLine, b.ScaleLine);
  EXPECT_EQ(a.ShowDisplayForm, b.ShowDisplayForm);
  EXPECT_EQ(a.Length, b.Length);
  EXPECT_EQ(a.StaffSize, b.StaffSize);
  EXPECT_EQ(a.StaffDir, b.StaffDir);
  EXPECT_EQ(a.Transparence, b.Transparence);
  EXPECT_EQ(a.ScaleSmall, b.ScaleSmall);
  EXPECT_EQ(a.ScaleLarge, b.ScaleLarge);
  EXPECT_DOUBLE_EQ(a.ScaleRatio, b.ScaleRatio);
  EXPECT_EQ(a.TransValue, b.TransValue);
  EXPECT_EQ(a.PixelPerUnit, b.PixelPerUnit);
  EXPECT_EQ(a.TicksPerUnit, b.TicksPerUnit);
  EXPECT_EQ(a.DisplayValueUnit, b.DisplayValueUnit);
  EXPECT_EQ(a.HotKeyAlwaysTop, b.HotKeyAlwaysTop);
  EXPECT_EQ(a.HotKeyTranser, b.HotKeyTranser);
  EXPECT_EQ(a.HotKeyCircum, b.HotKeyCircum);
  EXPECT_EQ(a.HotKeyLeval, b.HotKeyLeval);
  EXPECT_EQ(a.HotKeyPlumb, b.HotKeyPlumb);
  EXPECT_EQ(a.HotKeyShowScaleLine, b.HotKeyShowScaleLine);
  EXPECT_EQ(a.HotKeyShowToolBar, b.HotKeyShowToolBar);
  EXPECT_EQ(a.HotKeyCalculator, b.HotKeyCalculator);
  EXPECT_EQ(a.ToolBarX, b.ToolBarX);
  EXPECT_EQ(a.ToolBarY, b.ToolBarY);
  EXPECT_EQ(a.ShowCursor, b.ShowCursor);
  EXPECT_EQ(a.Magnifier, b.Magnifier);
  EXPECT_EQ(a.LanguageFileName, b.LanguageFileName);
}

TEST_F(SettingsTest, EveryFieldSavedUnderItsOwnKeyInSaveOrderAndLoadedBack) {
  entries = {.WindowOnTop = true, .ShowScaleLine = true, .Unit = 2, .ToolBarShow = false};
  AppSettings = DistinctSettings();
  EXPECT_EQ(Save(),
            "[System]\r\n"
            "WindowOnTop=1\r\n"
            "MoveStep=3\r\n"
            "HotKey=24641\r\n"
            "JumpCursor=1\r\n"
            "RulerWidth=75\r\n"
            "\r\n"
            "[Face]\r\n"
            "BackgroundColor=1122867\r\n"
            "ForegroundColor=4478310\r\n"
            "NumberColor=7833753\r\n"
            "StaffColor=11189196\r\n"
            "CurTextColor=14544639\r\n"
            "WinBKColor=66051\r\n"
            "WinNumberColor=263430\r\n"
            "ScaleLine=-1\r\n"
            "\r\n"
            "[Current]\r\n"
            "Length=1200\r\n"
            "StaffSize=1\r\n"
            "StaffDir=1\r\n"
            "Transparence=0\r\n"
            "ScaleSmall=3\r\n"
            "ScaleLarge=4\r\n"
            "ShowScaleLine=1\r\n"
            "ShowDisplayForm=1\r\n"
            "TransValue=45\r\n"
            "Unit=2\r\n"
            "PixelPerUnit=37\r\n"
            "TicksPerUnit=8\r\n"
            "DisplayValueUnit=2\r\n"
            "\r\n"
            "[HotKey]\r\n"
            "AlwaysTop=16468\r\n"
            "Transer=16462\r\n"
            "Circum=16466\r\n"
            "Leval=32840\r\n"
            "Plumb=32854\r\n"
            "ShowScaleLine=8275\r\n"
            "ShowToolBar=57410\r\n"
            "Calculator=112\r\n"
            "\r\n"
            "[ToolBar]\r\n"
            "Show=0\r\n"
            "X=-20\r\n"
            "Y=900\r\n"
            "ShowCursor=0\r\n"
            "Magnifier=1\r\n"
            "\r\n"
            "[Language]\r\n"
            "FileName=Fran\xC3\xA7" "ais.txt\r\n");
  // The running ruler keeps its width; the new one is for the next start.
  EXPECT_EQ(AppSettings.RulerWidth, 60);

  entries = {};
  Load();
  TAppSettings expected = DistinctSettings();
  expected.RulerWidth = 75;
  ExpectSameSettings(AppSettings, expected);
  EXPECT_TRUE(entries.WindowOnTop);
  EXPECT_TRUE(entries.ShowScaleLine);
  EXPECT_EQ(entries.Unit, 2);
  EXPECT_FALSE(entries.ToolBarShow);
}

TEST_F(SettingsTest, UnknownEntriesAndCommentsStayInPlace) {
  WithFile(
      "; Mensor settings\r\n"
      "[System]\r\n"
      "WindowOnTop=1\r\n"
      "Extra=keep me\r\n"
      "MoveStep = 5\r\n"
      "\r\n"
      "[Plugins]\r\n"
      "Name=x\r\n"
      "\r\n"
      "[Face]\n"
      "BackgroundColor=0xFF0000\n");
  Load();
  const std::string saved = Save();
  const std::string default_tail = std::string(kDefaultFile).substr(
      std::string(kDefaultFile).find("[Current]"));
  EXPECT_EQ(saved,
            "; Mensor settings\r\n"
            "[System]\r\n"
            "WindowOnTop=1\r\n"
            "Extra=keep me\r\n"
            "MoveStep=5\r\n"
            "HotKey=0\r\n"
            "JumpCursor=0\r\n"
            "RulerWidth=60\r\n"
            "\r\n"
            "[Plugins]\r\n"
            "Name=x\r\n"
            "\r\n"
            "[Face]\r\n"
            "BackgroundColor=16711680\r\n"
            "ForegroundColor=16777215\r\n"
            "NumberColor=16777215\r\n"
            "StaffColor=16777215\r\n"
            "CurTextColor=65535\r\n"
            "WinBKColor=0\r\n"
            "WinNumberColor=16777215\r\n"
            "ScaleLine=4259584\r\n"
            "\r\n" +
                default_tail);
}

TEST_F(SettingsTest, CorrectedValuesAreWrittenBack) {
  WithFile(
      "[System]\r\nMoveStep=-1\r\nHotKey=-1\r\nJumpCursor=2\r\n"
      "[Current]\r\nlength=1511\r\nStaffSize=5\r\nStaffDir=-3\r\nScaleSmall=0\r\nScaleLarge=0\r\n"
      "[Face]\r\nBackgroundColor=0xFF0000\r\nForegroundColor=abc\r\n");
  Load();
  const IniFile saved(Save());
  const std::vector<std::tuple<const char*, const char*, const char*>> expected = {
      {"System", "MoveStep", "1"},         {"System", "HotKey", "65535"},
      {"System", "JumpCursor", "1"},       {"Current", "Length", "600"},
      {"Current", "StaffSize", "0"},       {"Current", "StaffDir", "0"},
      {"Current", "ScaleSmall", "1"},      {"Current", "ScaleLarge", "2"},
      {"Face", "BackgroundColor", "16711680"}, {"Face", "ForegroundColor", "16777215"},
  };
  for (const auto& [section, key, value] : expected)
    EXPECT_EQ(saved.Find(section, key), value) << section << "/" << key;
  // Rewritten in place, with the file's spelling of the key.
  EXPECT_NE(platform.files[kPath].find("\r\nlength=600\r\n"), std::string::npos);
}

TEST_F(SettingsTest, ZeroScalePartSavedAsOneToTwoKeepingTheRatio) {
  WithFile("[Current]\r\nScaleSmall=0\r\nScaleLarge=4\r\n");
  Load();
  EXPECT_EQ(AppSettings.ScaleRatio, 0.0);
  const IniFile saved(Save());
  EXPECT_EQ(saved.Find("Current", "ScaleSmall"), "1");
  EXPECT_EQ(saved.Find("Current", "ScaleLarge"), "2");
  EXPECT_EQ(AppSettings.ScaleSmall, 1);
  EXPECT_EQ(AppSettings.ScaleLarge, 2);
  EXPECT_EQ(AppSettings.ScaleRatio, 0.0);
}

// Counts the writes of app.ini.
class CountingPlatform : public testing::FakePlatform {
 public:
  FileResult MoveOver(const std::string& from, const std::string& to) override {
    ++replace_calls;
    return FakePlatform::MoveOver(from, to);
  }
  int replace_calls = 0;
};

TEST(SettingsSaveOnce, TheFileIsReplacedInOneStep) {
  AppSettings = TAppSettings{};
  CountingPlatform platform;
  platform.files["/mensor/app.ini"] = "[System]\r\nMoveStep=4\r\n";
  RulerEntries entries;
  ASSERT_TRUE(LoadSettings(platform, entries));
  std::string error;
  EXPECT_TRUE(SaveSettings(platform, entries, error));
  EXPECT_EQ(platform.replace_calls, 1);
}

TEST_F(SettingsTest, RefusedWriteLeavesTheOldFileAndSaysWhere) {
  const std::string old_file = "[System]\r\nMoveStep=4\r\n";
  WithFile(old_file);
  Load();
  AppSettings.MoveStep = 9;
  platform.refuse_writes = true;
  std::string error;
  EXPECT_FALSE(SaveSettings(platform, entries, error));
  EXPECT_EQ(error, "Unable to write to /mensor/app.ini");
  EXPECT_EQ(platform.files[kPath], old_file);

  platform.files.clear();
  error.clear();
  EXPECT_FALSE(SaveSettings(platform, entries, error));
  EXPECT_EQ(error, "Unable to write to /mensor/app.ini");
  EXPECT_TRUE(platform.files.empty());
}

}  // namespace
}  // namespace mensor
