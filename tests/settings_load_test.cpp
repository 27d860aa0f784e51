// Loading app.ini: defaults, corrections, the integer notations, booleans,
// shortcuts and the scale ratio.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "settings_test_support.h"

namespace mensor {
namespace {

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

TEST_F(SettingsTest, ToolBarDefaultFollowsTheScreenWidth) {
  platform.screen = {1024, 768};
  Load();
  EXPECT_EQ(AppSettings.ToolBarX, 892);
  WithFile("[ToolBar]\r\nX=-40\r\nY=700\r\n");
  Load();
  EXPECT_EQ(AppSettings.ToolBarX, -40);
  EXPECT_EQ(AppSettings.ToolBarY, 700);
}

// One entry of app.ini and what a field holds after loading it.
struct FieldCase {
  const char* section;
  const char* key;
  const char* text;
  std::function<long long()> field;
  long long expected;
};

std::string Describe(const FieldCase& c) {
  return std::string(c.section) + "/" + c.key + "=" + c.text;
}

TEST_F(SettingsTest, CorrectionsOnLoad) {
  const TAppSettings& s = AppSettings;
  const std::vector<FieldCase> cases = {
      {"Current", "Length", "1510", [&] { return s.Length; }, 1510},
      {"Current", "Length", "200", [&] { return s.Length; }, 200},
      {"Current", "Length", "1511", [&] { return s.Length; }, 600},
      {"Current", "Length", "199", [&] { return s.Length; }, 600},
      {"Current", "Length", "-5", [&] { return s.Length; }, 600},
      {"System", "MoveStep", "0", [&] { return s.MoveStep; }, 0},
      {"System", "MoveStep", "99", [&] { return s.MoveStep; }, 99},
      {"System", "MoveStep", "-1", [&] { return s.MoveStep; }, 1},
      {"System", "MoveStep", "100", [&] { return s.MoveStep; }, 1},
      {"Current", "StaffSize", "1", [&] { return s.StaffSize; }, 1},
      {"Current", "StaffSize", "2", [&] { return s.StaffSize; }, 0},
      {"Current", "StaffSize", "-1", [&] { return s.StaffSize; }, 0},
      {"Current", "StaffDir", "1", [&] { return s.StaffDir; }, 1},
      {"Current", "StaffDir", "2", [&] { return s.StaffDir; }, 0},
      {"Current", "StaffDir", "-2", [&] { return s.StaffDir; }, 0},
      // No correction for these.
      {"System", "RulerWidth", "7", [&] { return s.RulerWidth; }, 7},
      {"System", "RulerWidth", "7", [&] { return s.NextRulerWidth; }, 7},
      {"Current", "TransValue", "250", [&] { return s.TransValue; }, 250},
      {"Current", "PixelPerUnit", "0", [&] { return s.PixelPerUnit; }, 0},
      {"Current", "Unit", "7", [&] { return entries.Unit; }, 7},
      {"Current", "Unit", "-1", [&] { return entries.Unit; }, -1},
  };
  for (const FieldCase& c : cases) {
    SetUp();
    WithFile(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.text + "\r\n");
    Load();
    EXPECT_EQ(c.field(), c.expected) << Describe(c);
  }
}

TEST_F(SettingsTest, IntegerBooleanAndShortcutTexts) {
  const TAppSettings& s = AppSettings;
  const std::vector<FieldCase> cases = {
      {"Face", "BackgroundColor", "0xFF0000", [&] { return s.BackgroundColor; }, 16711680},
      {"Face", "BackgroundColor", "abc", [&] { return s.BackgroundColor; }, 16751415},
      {"Face", "BackgroundColor", "", [&] { return s.BackgroundColor; }, 16751415},
      {"Face", "BackgroundColor", "$FFFFFFFF", [&] { return s.BackgroundColor; }, 0xFFFFFFFF},
      {"Current", "TransValue", "$FFFFFFFF", [&] { return s.TransValue; }, -1},
      {"Current", "TransValue", "\" 0x1f\"", [&] { return s.TransValue; }, 31},
      {"Current", "TransValue", "'12'", [&] { return s.TransValue; }, 12},
      {"Current", "TransValue", "12 px", [&] { return s.TransValue; }, 60},
      // A blank in front of an entry's text is no part of it; inside quotes
      // it is a leading blank of the number, behind the digits it spoils it.
      {"Current", "TransValue", "\"  +7\"", [&] { return s.TransValue; }, 7},
      {"Current", "TransValue", "\"7 \"", [&] { return s.TransValue; }, 60},
      {"System", "HotKey", "-1", [&] { return s.HotKey; }, 65535},
      {"System", "HotKey", "65648", [&] { return s.HotKey; }, 112},
      {"System", "HotKey", "0x6041", [&] { return s.HotKey; }, 0x6041},
      {"HotKey", "Calculator", "24688", [&] { return s.HotKeyCalculator; }, 24688},
      {"System", "JumpCursor", "yes", [&] { return s.JumpCursor; }, 0},
      {"System", "JumpCursor", "2", [&] { return s.JumpCursor; }, 1},
      {"System", "JumpCursor", "-1", [&] { return s.JumpCursor; }, 1},
      {"Current", "Transparence", "0", [&] { return s.Transparence; }, 0},
      {"Current", "Transparence", "no", [&] { return s.Transparence; }, 1},
      {"ToolBar", "Magnifier", "0", [&] { return s.Magnifier; }, 0},
      {"ToolBar", "ShowCursor", "0", [&] { return s.ShowCursor; }, 0},
      {"ToolBar", "Show", "0", [&] { return entries.ToolBarShow; }, 0},
      {"System", "WindowOnTop", "1", [&] { return entries.WindowOnTop; }, 1},
      {"Current", "ShowScaleLine", "1", [&] { return entries.ShowScaleLine; }, 1},
      {"Current", "ShowDisplayForm", "1", [&] { return s.ShowDisplayForm; }, 1},
  };
  for (const FieldCase& c : cases) {
    SetUp();
    WithFile(std::string("[") + c.section + "]\r\n" + c.key + "=" + c.text + "\r\n");
    Load();
    EXPECT_EQ(c.field(), c.expected) << Describe(c);
  }
}

TEST(SettingsInteger, NotationsOfTheSettingsFile) {
  const std::vector<std::pair<std::string, std::optional<std::int32_t>>> cases = {
      {"0", 0},
      {"42", 42},
      {"+42", 42},
      {"-42", -42},
      {"007", 7},
      {"   42", 42},
      {"2147483647", kMax},
      {"-2147483648", kMin},
      {"2147483648", std::nullopt},
      {"-2147483649", std::nullopt},
      {"99999999999999999999", std::nullopt},
      {"0xFF0000", 16711680},
      {"0Xff", 255},
      {"$ff", 255},
      {"xA", 10},
      {"X0a", 10},
      {"  $10", 16},
      {"  0x10", 16},
      {"$7FFFFFFF", kMax},
      {"$80000000", kMin},
      {"$FFFFFFFF", -1},
      {"0xFFFFFFFF", -1},
      {"$123456789", std::nullopt},  // nine hex digits
      {"$", std::nullopt},
      {"0x", std::nullopt},
      {"x", std::nullopt},
      {"-$5", std::nullopt},
      {"0x-5", std::nullopt},
      {"0x 5", std::nullopt},
      {"$G", std::nullopt},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {"+", std::nullopt},
      {"-", std::nullopt},
      {"1.5", std::nullopt},
      {"12 ", std::nullopt},
      {"\t12", std::nullopt},
      {"abc", std::nullopt},
      {"yes", std::nullopt},
      {"1e3", std::nullopt},
  };
  for (const auto& [text, expected] : cases)
    EXPECT_EQ(ParseSettingsInteger(text), expected) << '"' << text << '"';
}

TEST_F(SettingsTest, ScaleRatio) {
  struct Case {
    const char* text;
    int small, large;
    double ratio;
  };
  const std::vector<Case> cases = {
      {"ScaleSmall=3\r\nScaleLarge=4\r\n", 3, 4, 0.75},
      {"ScaleSmall=5\r\nScaleLarge=0\r\n", 1, 2, 0.5},
      {"ScaleSmall=0\r\nScaleLarge=4\r\n", 0, 4, 0.0},
      {"ScaleSmall=-1\r\nScaleLarge=3\r\n", -1, 3, -1.0 / 3.0},
      {"ScaleLarge=8\r\n", 1, 8, 0.125},
      {"ScaleSmall=junk\r\nScaleLarge=junk\r\n", 1, 2, 0.5},
  };
  for (const Case& c : cases) {
    SetUp();
    WithFile(std::string("[Current]\r\n") + c.text);
    Load();
    EXPECT_EQ(AppSettings.ScaleSmall, c.small) << c.text;
    EXPECT_EQ(AppSettings.ScaleLarge, c.large) << c.text;
    EXPECT_DOUBLE_EQ(AppSettings.ScaleRatio, c.ratio) << c.text;
  }
}

TEST_F(SettingsTest, HandWrittenFileWithOddSpellingLoads) {
  WithFile(
      "; written by hand\n"
      "[ system ]\n"
      "  movestep =  5 \n"
      "WINDOWONTOP=1\n"
      "[Current]\r"
      "Length=800\r"
      "unit=2\r"
      "[Language]\r\n"
      "FileName=\"Deutsch.txt\"\r\n"
      "[face]\n"
      "backgroundcolor=$0000FF");
  Load();
  EXPECT_EQ(AppSettings.MoveStep, 5);
  EXPECT_TRUE(entries.WindowOnTop);
  EXPECT_EQ(AppSettings.Length, 800);
  EXPECT_EQ(entries.Unit, 2);
  EXPECT_EQ(AppSettings.LanguageFileName, "Deutsch.txt");
  EXPECT_EQ(AppSettings.BackgroundColor, 0x0000FFu);
}

TEST_F(SettingsTest, RandomFilesLoadWithinTheCorrectedRanges) {
  std::mt19937 rng(7);
  const std::string alphabet = "[]=\r\n -$x0123456789abcFSystemCurentLgh";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  std::uniform_int_distribution<int> length(0, 400);
  for (int round = 0; round < 500; ++round) {
    std::string text = "[System]\nMoveStep=";
    for (int i = length(rng); i > 0; --i) text += alphabet[pick(rng)];
    SetUp();
    WithFile(text);
    Load();
    ASSERT_GE(AppSettings.MoveStep, 0);
    ASSERT_LE(AppSettings.MoveStep, 99);
    ASSERT_GE(AppSettings.Length, 200);
    ASSERT_LE(AppSettings.Length, 1510);
    ASSERT_TRUE(AppSettings.StaffSize == 0 || AppSettings.StaffSize == 1);
    ASSERT_TRUE(AppSettings.StaffDir == 0 || AppSettings.StaffDir == 1);
    ASSERT_NE(AppSettings.ScaleLarge, 0);
    // What was loaded survives a save and a new load unchanged.
    const TAppSettings loaded = AppSettings;
    const RulerEntries loaded_entries = entries;
    const std::string saved = Save();
    Load();
    ASSERT_EQ(AppSettings.MoveStep, loaded.MoveStep) << text;
    ASSERT_EQ(AppSettings.Length, loaded.Length) << text;
    ASSERT_EQ(AppSettings.HotKey, loaded.HotKey) << text;
    ASSERT_EQ(AppSettings.BackgroundColor, loaded.BackgroundColor) << text;
    ASSERT_EQ(AppSettings.ToolBarX, loaded.ToolBarX) << text;
    ASSERT_EQ(entries.Unit, loaded_entries.Unit) << text;
    ASSERT_EQ(Save(), saved) << text;
  }
}

}  // namespace
}  // namespace mensor
