// Shared set-up of the settings tests: a fresh AppSettings and a fake
// platform whose app.ini lives in memory.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake_platform.h"
#include "settings/app_settings.h"

namespace mensor {

class SettingsTest : public ::testing::Test {
 protected:
  static constexpr const char* kPath = "/mensor/app.ini";

  void SetUp() override {
    AppSettings = TAppSettings{};
    InfoCaption = "Information";
  }

  void WithFile(const std::string& content) { platform.files[kPath] = content; }
  // Loads app.ini (as it stands in the fake platform) into AppSettings and
  // entries.
  void Load() { ASSERT_TRUE(LoadSettings(platform, entries)); }
  // Saves and returns the new app.ini.
  std::string Save() {
    std::string error;
    EXPECT_TRUE(SaveSettings(platform, entries, error));
    EXPECT_EQ(error, "");
    return platform.files[kPath];
  }

  testing::FakePlatform platform;
  RulerEntries entries;
};

}  // namespace mensor
