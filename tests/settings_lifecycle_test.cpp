// The settings through the ruler window's start and close: what was loaded
// is saved at close, and a refused write reaches the user.
#include <gtest/gtest.h>

#include "app/main_form.h"
#include "text/ini_file.h"
#include "settings_test_support.h"

namespace mensor {
namespace {

TEST_F(SettingsTest, CloseSavesWhatStartLoaded) {
  WithFile("[System]\r\nWindowOnTop=1\r\nRulerWidth=70\r\n[Current]\r\nUnit=2\r\n");
  testing::FakeWindow window;
  TMainForm form(platform, window);
  form.FormCreate();
  AppSettings.NextRulerWidth = 90;
  form.FormClose();
  EXPECT_TRUE(platform.infos.empty());
  const IniFile saved(platform.files[kPath]);
  EXPECT_EQ(saved.Find("System", "WindowOnTop"), "1");
  EXPECT_EQ(saved.Find("System", "RulerWidth"), "90");
  EXPECT_EQ(saved.Find("Current", "Unit"), "2");
  EXPECT_EQ(AppSettings.RulerWidth, 70);
}

TEST_F(SettingsTest, RefusedWriteAtCloseIsShownAndTheOldFileStays) {
  const std::string old_file = "[System]\r\nMoveStep=4\r\n";
  WithFile(old_file);
  testing::FakeWindow window;
  TMainForm form(platform, window);
  form.FormCreate();
  platform.refuse_writes = true;
  form.FormClose();
  EXPECT_EQ(platform.infos, (std::vector<std::string>{"Unable to write to /mensor/app.ini"}));
  EXPECT_EQ(platform.info_captions, (std::vector<std::string>{"Information"}));
  EXPECT_EQ(platform.files[kPath], old_file);
}

}  // namespace
}  // namespace mensor
