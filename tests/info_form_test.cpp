// The read-out window: its size at creation, the coordinate text, the
// centring by the previous text, the colours at showing and the painting.
#include "readout/info_form.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

using testing::DrawOp;
using testing::FakePlatform;
using testing::FakeWindow;
using testing::RecordingCanvas;

class InfoFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    window.bounds = {40, 50, 140, 150};  // the design size, replaced at creation
    info.FormCreate();
  }

  FakePlatform platform;
  FakeWindow window;
  TInfoForm info{platform, window};
};

TEST_F(InfoFormTest, CreatedHiddenTopmostThirtyByForty) {
  EXPECT_EQ(window.bounds, (Rect{40, 50, 70, 90})) << "size replaced, place kept";
  EXPECT_TRUE(window.topmost);
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(std::count(window.log.begin(), window.log.end(), "show"), 0);
  EXPECT_EQ(info.LabelNumber.left, 5);
  EXPECT_EQ(info.LabelNumber.top, 5);
  EXPECT_EQ(info.LabelNumber.font.face, "MS Sans Serif");
  EXPECT_EQ(info.LabelNumber.font.points, 8);
  EXPECT_EQ(info.LabelNumber.font.height, -11);
}

TEST_F(InfoFormTest, CoordinatesAreLeftAlignedInFiveCharactersOnTwoLines) {
  struct Case {
    int x, y;
    const char* text;
  };
  const Case cases[] = {
      {3, 1200, "3    \r1200 "},
      {-15, 7, "-15  \r7    "},
      {-12345, 123456, "-12345\r123456"},  // longer numbers are not cut
      {0, -1, "0    \r-1   "},
      {12345, -9999, "12345\r-9999"},
  };
  for (const Case& c : cases) {
    info.ShowCoordinates(c.x, c.y);
    EXPECT_EQ(info.LabelNumber.caption, c.text) << c.x << ", " << c.y;
  }
}

TEST_F(InfoFormTest, LabelIsSizedToItsWidestLineAndItsLineCount) {
  // The fake measures 6 pixels per character and 13 per line for this font.
  info.ShowCoordinates(-12345, 1);
  EXPECT_EQ(info.LabelNumber.width, 36);
  EXPECT_EQ(info.LabelNumber.height, 26);
}

TEST_F(InfoFormTest, LabelIsCentredByThePreviousTextBeforeTheNewOne) {
  // The initial text is two lines of five characters: 30 x 26.
  info.ShowCoordinates(-12345, 1);
  EXPECT_EQ(info.LabelNumber.left, 0);
  EXPECT_EQ(info.LabelNumber.top, 7);
  // Now centred by "-12345" (36 wide): (30 - 36) div 2 = -3.
  info.ShowCoordinates(3, 4);
  EXPECT_EQ(info.LabelNumber.left, -3);
  EXPECT_EQ(info.LabelNumber.top, 7);
  info.ShowCoordinates(3, 4);
  EXPECT_EQ(info.LabelNumber.left, 0);
}

TEST_F(InfoFormTest, ShowingAppliesTheColoursOfTheSettingsAndRaises) {
  AppSettings.WinBKColor = 0x112233;
  AppSettings.WinNumberColor = 0x445566;
  info.Show();
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(window.background, 0x112233u);
  EXPECT_EQ(info.Panel1Color, 0x112233u);
  EXPECT_EQ(info.LabelNumber.font.color, 0x445566u);
  EXPECT_NE(std::find(window.log.begin(), window.log.end(), "front"), window.log.end());

  // Colours changed while shown take effect at the next showing.
  info.ShowCoordinates(1, 2);
  AppSettings.WinBKColor = 0x778899;
  info.Hide();
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(info.LabelNumber.caption, "1    \r2    ") << "the text stays while hidden";
  EXPECT_EQ(window.background, 0x112233u);
  info.Show();
  EXPECT_EQ(window.background, 0x778899u);
}

TEST_F(InfoFormTest, BringToFrontDoesNotShow) {
  info.BringToFront();
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(window.log.back(), "front");
}

TEST_F(InfoFormTest, PaintDrawsTheLoweredBevelAndOneTextPerLine) {
  AppSettings.WinNumberColor = 0x00FFFF;
  info.Show();
  info.ShowCoordinates(3, 1200);
  RecordingCanvas canvas;
  info.FormPaint(canvas);

  const std::vector<DrawOp> lines = canvas.Lines();
  ASSERT_EQ(lines.size(), 4u);
  const Color shadow = TInfoForm::kBevelShadow;
  const Color light = TInfoForm::kBevelHighlight;
  // Shadow down the left edge and along the top, highlight down the right
  // edge and along the bottom, which ends past the left column.
  EXPECT_EQ(lines[0].from, (Point{0, 39}));
  EXPECT_EQ(lines[0].to, (Point{0, 0}));
  EXPECT_EQ(lines[0].color, shadow);
  EXPECT_EQ(lines[1].to, (Point{29, 0}));
  EXPECT_EQ(lines[1].color, shadow);
  EXPECT_EQ(lines[2].to, (Point{29, 39}));
  EXPECT_EQ(lines[2].color, light);
  EXPECT_EQ(lines[3].to, (Point{-1, 39}));
  EXPECT_EQ(lines[3].color, light);

  const std::vector<DrawOp> texts = canvas.Texts();
  ASSERT_EQ(texts.size(), 2u);
  const Label& label = info.LabelNumber;
  EXPECT_EQ(texts[0].text, "3    ");
  EXPECT_EQ(texts[0].from, (Point{label.left, label.top}));
  EXPECT_EQ(texts[1].text, "1200 ");
  EXPECT_EQ(texts[1].from, (Point{label.left, label.top + 13}));
  EXPECT_EQ(texts[0].color, 0x00FFFFu);
  EXPECT_EQ(canvas.CurrentFont().face, "MS Sans Serif");
}

}  // namespace
}  // namespace mensor
