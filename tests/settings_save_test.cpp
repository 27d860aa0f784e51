// Saving app.ini: corrections written back, one replacement of the file, and
// a refused write that leaves the old file (the whole file byte for byte is
// in settings_golden_test.cpp).
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "text/ini_file.h"
#include "settings_test_support.h"

namespace mensor {
namespace {

TEST_F(SettingsTest, CorrectedValuesAreWrittenBack) {
  WithFile(
      "[System]\r\nMoveStep=-1\r\nHotKey=-1\r\nJumpCursor=2\r\nCopyFormat=2\r\n"
      "[Current]\r\nlength=1511\r\nStaffSize=5\r\nStaffDir=-3\r\nScaleSmall=0\r\nScaleLarge=0\r\n"
      "[Face]\r\nBackgroundColor=0xFF0000\r\nForegroundColor=abc\r\n");
  Load();
  const IniFile saved(Save());
  const std::vector<std::tuple<const char*, const char*, const char*>> expected = {
      {"System", "MoveStep", "1"},         {"System", "HotKey", "65535"},
      {"System", "JumpCursor", "1"},       {"Current", "Length", "600"},
      {"System", "CopyFormat", "0"},
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
