// The shared helpers of the settings unit: hot-key modifiers, the information
// box, the start-up fallback values and the colour-button picture.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "settings/color_swatch.h"
#include "settings_test_support.h"

namespace mensor {
namespace {

TEST(HotKeyHelpers, ReverseBits8) {
  const std::vector<std::pair<std::uint16_t, std::uint16_t>> cases = {
      {0x00, 0x00}, {0x01, 0x80}, {0x02, 0x40}, {0x10, 0x08}, {0x20, 0x04}, {0x40, 0x02},
      {0x80, 0x01}, {0xF0, 0x0F}, {0xFF, 0xFF}, {0x34, 0x2C}, {0xFF00, 0x00}, {0x1234, 0x2C},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ReverseBits8(in), out) << std::hex << in;
}

TEST(HotKeyHelpers, ModifierFlagsOfAShortcut) {
  // RegisterHotKey: MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4, MOD_WIN 8.
  const std::vector<std::pair<Shortcut, unsigned>> cases = {
      {0x6041, 6},  // Ctrl+Shift+A
      {0x8070, 1},  // Alt+F1
      {0x2041, 4},  // Shift+A
      {0x4041, 2},  // Ctrl+A
      {0x1041, 8},  // Win+A
      {0xF041, 15},
      {0xC052, 3},  // Ctrl+Alt+R
      {0x0070, 0},  // plain F1
      {0x0FFF, 0},  // the key code and bits 8-11 give no modifiers
  };
  for (const auto& [shortcut, flags] : cases)
    EXPECT_EQ(HotKeyModifiers(shortcut), flags) << std::hex << shortcut;
}

TEST_F(SettingsTest, ShowInfoUsesTheInfoCaption) {
  ShowInfo(platform, "Unable to write to /mensor/app.ini");
  InfoCaption = "Hinweis";
  ShowInfo(platform, "second");
  EXPECT_EQ(platform.infos, (std::vector<std::string>{"Unable to write to /mensor/app.ini", "second"}));
  EXPECT_EQ(platform.info_captions, (std::vector<std::string>{"Information", "Hinweis"}));
}

TEST_F(SettingsTest, FallbackValuesAfterAFailedLoad) {
  WithFile("[System]\r\nRulerWidth=80\r\nMoveStep=7\r\n[Current]\r\nTransValue=90\r\nUnit=3\r\n"
           "[Language]\r\nFileName=Deutsch.txt\r\n");
  Load();
  platform.screen = {1024, 768};
  ApplyLoadFallback(platform);
  const TAppSettings& s = AppSettings;
  EXPECT_EQ(s.MoveStep, 1);
  EXPECT_EQ(s.RulerWidth, 80);  // kept as read
  EXPECT_EQ(s.NextRulerWidth, 80);
  EXPECT_EQ(s.HotKey, 0);
  EXPECT_EQ(s.BackgroundColor, 0xFF9B37u);
  EXPECT_EQ(s.ForegroundColor, 0xFFFFFFu);
  EXPECT_EQ(s.NumberColor, 0xFFFFFFu);
  EXPECT_EQ(s.StaffColor, 0xFFFFFFu);
  EXPECT_EQ(s.WinNumberColor, 0xFFFFFFu);
  EXPECT_EQ(s.CurTextColor, 0x00FFFFu);
  EXPECT_EQ(s.WinBKColor, 0u);
  EXPECT_EQ(s.ScaleLine, 0x40FF00u);
  // These differ from the entry defaults.
  EXPECT_FALSE(s.Transparence);
  EXPECT_FALSE(s.Magnifier);
  EXPECT_EQ(s.TransValue, 40);
  EXPECT_FALSE(s.ShowDisplayForm);
  EXPECT_FALSE(s.JumpCursor);
  EXPECT_TRUE(s.ShowCursor);
  EXPECT_EQ(s.Length, 600);
  EXPECT_EQ(s.StaffSize, 0);
  EXPECT_EQ(s.StaffDir, 0);
  EXPECT_EQ(s.PixelPerUnit, 50);
  EXPECT_EQ(s.TicksPerUnit, 10);
  EXPECT_EQ(s.DisplayValueUnit, 1);
  EXPECT_EQ(s.ScaleSmall, 1);
  EXPECT_EQ(s.ScaleLarge, 2);
  EXPECT_EQ(s.ScaleRatio, 0.5);
  EXPECT_EQ(s.ToolBarX, 892);
  EXPECT_EQ(s.ToolBarY, 0);
  EXPECT_EQ(s.LanguageFileName, "");
  EXPECT_EQ(entries.Unit, 3);  // the ruler window's entries are not touched
}

// A platform whose file reading fails with an error.
class FailingPlatform : public testing::FakePlatform {
 public:
  FileRead ReadSharedFile(const std::string&) const override { throw std::bad_alloc(); }
};

TEST(SettingsLoadFailure, AnErrorWhileReadingIsReportedAsFailure) {
  FailingPlatform platform;
  RulerEntries entries;
  EXPECT_FALSE(LoadSettings(platform, entries));
  std::string error;
  // The file the reading failed on is kept as it is.
  EXPECT_FALSE(SaveSettings(platform, entries, error));
  EXPECT_THAT(error, ::testing::StartsWith("Your settings file /mensor/app.ini could not be read"));
  EXPECT_TRUE(platform.files.empty());
}

// --- colour swatch -----------------------------------------------------------

Color PixelAt(const Image& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + x * 3;
  return MakeColor(p[2], p[1], p[0]);
}

// The picture as text: K black, W white, Y yellow, C the swatch colour.
std::vector<std::string> Picture(const Image& image, Color color) {
  std::vector<std::string> rows;
  for (int y = 0; y < image.height; ++y) {
    std::string row;
    for (int x = 0; x < image.width; ++x) {
      const Color c = PixelAt(image, x, y);
      row += c == 0 ? 'K' : c == 0xFFFFFF ? 'W' : c == 0x00FFFF ? 'Y' : c == color ? 'C' : '?';
    }
    rows.push_back(row);
  }
  return rows;
}

TEST(ColorSwatch, FramedColourWithTheCornerNamingTheTransparentColour) {
  const Color red = 0x0000FF;
  const ColorSwatch swatch = PaintColorSwatch(13, 11, red);
  EXPECT_EQ(swatch.transparent, 0xFFFFFFu);
  EXPECT_EQ(Picture(swatch.picture, red), (std::vector<std::string>{
                                              "KKKKKKW",
                                              "KCCCCKW",
                                              "KCCCCKW",
                                              "KKKKKKW",
                                              "WWWWWWW",
                                          }));
}

TEST(ColorSwatch, WhiteMarksTheCornerYellow) {
  const ColorSwatch swatch = PaintColorSwatch(12, 10, 0xFFFFFF);
  EXPECT_EQ(swatch.transparent, 0x00FFFFu);
  EXPECT_EQ(Picture(swatch.picture, 0xFFFFFF), (std::vector<std::string>{
                                                   "KKKKKW",
                                                   "KWWWKW",
                                                   "KKKKKW",
                                                   "YWWWWW",
                                               }));
}

TEST(ColorSwatch, DialogButtonSize) {
  // The preferences dialog's colour buttons are 32 x 21.
  const Color blue = 0xFF9B37;
  const ColorSwatch swatch = PaintColorSwatch(32, 21, blue);
  const Image& image = swatch.picture;
  ASSERT_EQ(image.width, 26);
  ASSERT_EQ(image.height, 15);
  EXPECT_EQ(image.Stride(), 80);
  EXPECT_EQ(PixelAt(image, 0, 14), 0xFFFFFFu);
  EXPECT_EQ(PixelAt(image, 0, 0), 0u);
  EXPECT_EQ(PixelAt(image, 24, 0), 0u);
  EXPECT_EQ(PixelAt(image, 0, 13), 0u);
  EXPECT_EQ(PixelAt(image, 24, 13), 0u);
  EXPECT_EQ(PixelAt(image, 1, 1), blue);
  EXPECT_EQ(PixelAt(image, 23, 12), blue);
  for (int y = 0; y < 15; ++y) EXPECT_EQ(PixelAt(image, 25, y), 0xFFFFFFu) << y;
  for (int x = 0; x < 26; ++x) EXPECT_EQ(PixelAt(image, x, 14), 0xFFFFFFu) << x;
  // Blue byte first in the picture's rows.
  EXPECT_EQ(image.Row(1)[3], 0xFF);
  EXPECT_EQ(image.Row(1)[4], 0x9B);
  EXPECT_EQ(image.Row(1)[5], 0x37);
}

TEST(ColorSwatch, TinyAndEmptyButtons) {
  EXPECT_TRUE(PaintColorSwatch(6, 21, 0).picture.Empty());
  EXPECT_TRUE(PaintColorSwatch(32, 0, 0).picture.Empty());
  EXPECT_TRUE(PaintColorSwatch(-5, -5, 0).picture.Empty());
  const Color green = 0x00FF00;
  EXPECT_EQ(Picture(PaintColorSwatch(7, 7, green).picture, green), (std::vector<std::string>{"W"}));
  EXPECT_EQ(Picture(PaintColorSwatch(8, 8, green).picture, green),
            (std::vector<std::string>{"KW", "WW"}));
  EXPECT_EQ(Picture(PaintColorSwatch(9, 9, green).picture, green),
            (std::vector<std::string>{"KKW", "KKW", "WWW"}));
}

}  // namespace
}  // namespace mensor
