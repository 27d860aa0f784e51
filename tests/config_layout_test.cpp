// The preferences dialog's layout table: every control has one entry, the
// number fields carry their ranges, and scaled to 96, 120 or 144 pixels per
// inch every control still lies inside its page or the window.
#include "prefs/config_layout.h"

#include <set>

#include <gtest/gtest.h>

namespace mensor {
namespace {

using C = ConfigControl;

TEST(ConfigLayoutTest, EveryControlHasExactlyOneEntry) {
  std::set<int> seen;
  for (const ConfigLayoutEntry& e : ConfigLayout())
    EXPECT_TRUE(seen.insert(static_cast<int>(e.control)).second) << static_cast<int>(e.control);
  EXPECT_EQ(seen.size(), static_cast<std::size_t>(ConfigControl::Count));
}

TEST(ConfigLayoutTest, NumberFieldsRangesAndLengths) {
  struct Case {
    ConfigControl field;
    int min, max, max_length;
  };
  const Case cases[] = {
      {C::SpinEditMove, 1, 99, 2},          {C::SpinEditSmall, 1, 9, 1},
      {C::SpinEditLarge, 1, 9, 1},          {C::SpinEditWidth, 10, 99, 3},
      {C::SpinEditPixelPerUnit, 1, 1000, 0}, {C::SpinEditTicksPerUnit, 1, 1000, 0},
      {C::SpinEditDisplayValueUnit, 1, 1000, 0}, {C::EditTranValue, 0, 100, 3},
  };
  for (const Case& c : cases) {
    const ConfigLayoutEntry& e = LayoutOf(c.field);
    EXPECT_EQ(e.min, c.min) << static_cast<int>(c.field);
    EXPECT_EQ(e.max, c.max) << static_cast<int>(c.field);
    EXPECT_EQ(e.max_length, c.max_length) << static_cast<int>(c.field);
  }
}

TEST(ConfigLayoutTest, PlacesOfTheWindowsControlsAt96PixelsPerInch) {
  EXPECT_EQ(LayoutOf(C::PageControlHotKey).rect, (Rect{4, 8, 425, 361}));
  EXPECT_EQ(LayoutOf(C::BitBtnOK).rect, (Rect{271, 377, 344, 400}));
  EXPECT_EQ(LayoutOf(C::BitBtnCancel).rect, (Rect{352, 377, 425, 400}));
  EXPECT_EQ(LayoutOf(C::PanelPreview).rect, (Rect{58, 188, 395, 253}));
  EXPECT_EQ(LayoutOf(C::SysHotKey).rect, (Rect{197, 39, 374, 58}));
  EXPECT_EQ(LayoutOf(C::HotKeyCalculator).rect, (Rect{197, 254, 374, 273}));
}

class ConfigLayoutScaleTest : public ::testing::TestWithParam<int> {};

TEST_P(ConfigLayoutScaleTest, EveryControlStaysInsideItsPageOrTheWindow) {
  const int ppi = GetParam();
  const Rect client = ScaleToPpi(Rect{0, 0, kConfigClientSize.cx, kConfigClientSize.cy}, ppi);
  const Rect tabs = ScaleToPpi(LayoutOf(C::PageControlHotKey).rect, ppi);
  // A page is the page control less its frame and tab row (a generous 30
  // pixels at 96 per inch for the row, which grows with the font).
  const Rect page{0, 0, tabs.Width() - ScaleToPpi(8, ppi), tabs.Height() - ScaleToPpi(30, ppi)};
  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    if (e.kind == ConfigKind::Tab) continue;
    // The preview picture keeps its pixel size inside the scaled panel.
    const Rect r = e.kind == ConfigKind::Preview ? e.rect : ScaleToPpi(e.rect, ppi);
    const Rect& within = e.page == kWindowPage ? client : page;
    EXPECT_GE(r.left, within.left) << static_cast<int>(e.control) << " at " << ppi;
    EXPECT_GE(r.top, within.top) << static_cast<int>(e.control) << " at " << ppi;
    EXPECT_LE(r.right, within.right) << static_cast<int>(e.control) << " at " << ppi;
    EXPECT_LE(r.bottom, within.bottom) << static_cast<int>(e.control) << " at " << ppi;
  }
  const Rect panel = ScaleToPpi(LayoutOf(C::PanelPreview).rect, ppi);
  EXPECT_GE(panel.Width(), kPreviewSize.cx + 4);
  EXPECT_GE(panel.Height(), kPreviewSize.cy + 4);
}

INSTANTIATE_TEST_SUITE_P(Ppi, ConfigLayoutScaleTest, ::testing::Values(96, 120, 144, 192));

TEST(ConfigLayoutTest, ScalingRoundsToNearest) {
  EXPECT_EQ(ScaleToPpi(431, 96), 431);
  EXPECT_EQ(ScaleToPpi(431, 120), 539);  // 538.75
  EXPECT_EQ(ScaleToPpi(413, 144), 620);  // 619.5
  EXPECT_EQ(ScaleToPpi(-3, 144), -5);    // -4.5
}

}  // namespace
}  // namespace mensor

namespace mensor {
namespace {

// Texts six pixels a character at 96 per inch (wider than the layout's
// font), check and radio boxes 18 pixels more.
int NeededWidth(const ConfigLayoutEntry& e, int ppi) {
  const std::string text = e.text;
  if (text.empty() || e.kind == ConfigKind::Tab || e.kind == ConfigKind::SlashLabel) return 0;
  int width = ScaleToPpi(6 * static_cast<int>(text.size()), ppi);
  if (e.kind == ConfigKind::Check || e.kind == ConfigKind::Radio) width += ScaleToPpi(18, ppi);
  if (e.kind == ConfigKind::Group) width += ScaleToPpi(16, ppi);
  return width;
}

class WidthFactorTest : public ::testing::TestWithParam<int> {};

TEST_P(WidthFactorTest, AWiderFontWidensTheLayoutUntilEveryTextFits) {
  const int ppi = GetParam();
  const double factor = WidthFactor(ppi, [&](const ConfigLayoutEntry& e) { return NeededWidth(e, ppi); });
  EXPECT_GT(factor, 1.0);
  EXPECT_LT(factor, 1.5);
  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    if (e.kind == ConfigKind::Tab) continue;
    EXPECT_GE(ScaleLayoutRect(e.rect, ppi, factor).Width(), NeededWidth(e, ppi)) << static_cast<int>(e.control);
  }
  // The window and the page control grow alike, so nothing leaves them.
  const Rect client = ScaleLayoutRect(Rect{0, 0, kConfigClientSize.cx, kConfigClientSize.cy}, ppi, factor);
  EXPECT_LE(ScaleLayoutRect(LayoutOf(ConfigControl::BitBtnCancel).rect, ppi, factor).right, client.right + 1);
}

INSTANTIATE_TEST_SUITE_P(Ppi, WidthFactorTest, ::testing::Values(96, 120, 144));

TEST(WidthFactorTest, TextsThatFitKeepTheLayoutAsItIs) {
  EXPECT_EQ(WidthFactor(96, [](const ConfigLayoutEntry&) { return 8; }), 1.0);
  EXPECT_EQ(ScaleLayoutRect(Rect{58, 9, 395, 74}, 144, 1.0), (Rect{87, 14, 593, 111}));
}

}  // namespace
}  // namespace mensor
