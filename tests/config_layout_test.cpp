// The preferences dialog's layout table: every control has one entry, the
// number fields carry their ranges, and scaled to 96, 120 or 144 pixels per
// inch every control still lies inside its page or the window.
#include "prefs/config_layout.h"

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fake_config_view.h"
#include "fake_platform.h"
#include "lang/language.h"
#include "prefs/config_form.h"
#include "settings/app_settings.h"

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

// The layout fitted to its texts and its monitor, with a stand-in for the
// font: every character (not byte) the same width, lines 13 pixels high, all
// at 96 pixels per inch and scaled with the density. Six pixels a character
// is about what the substitute font under Wine takes; four is narrower than
// the font the places were made for.
namespace mensor {
namespace {

using C = ConfigControl;
using testing::FakeConfigView;
using testing::FakePlatform;
using testing::FakeWindow;

int CodePoints(std::string_view text) {
  int n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

ConfigTextMeasure Monospace(int pixels_per_char) {
  return [pixels_per_char](ConfigKind kind, std::string_view text, int ppi) {
    const int per_char = kind == ConfigKind::ProductLabel ? 2 * pixels_per_char : pixels_per_char;
    return Size{ScaleToPpi(per_char * CodePoints(text), ppi), ScaleToPpi(13, ppi)};
  };
}

std::vector<std::string> EnglishTexts() {
  std::vector<std::string> texts(static_cast<std::size_t>(ConfigControl::Count));
  for (const ConfigLayoutEntry& e : ConfigLayout()) texts[static_cast<std::size_t>(e.control)] = e.text;
  return texts;
}

// The client area a 1024 x 768 work area leaves inside the frame.
constexpr Size kScreenClient{1018, 740};

TEST(PlanConfigLayout, TextsThatFitKeepTheTablesPlaces) {
  for (int ppi : {96, 144}) {
    const ConfigPlan plan = PlanConfigLayout(ppi, kScreenClient, EnglishTexts(), Monospace(4));
    EXPECT_EQ(plan.ppi, ppi);
    EXPECT_EQ(plan.factor, 1.0) << ppi;
    EXPECT_EQ(plan.client, (Size{ScaleToPpi(431, ppi), ScaleToPpi(413, ppi)}));
    for (const ConfigLayoutEntry& e : ConfigLayout()) {
      const ConfigPlace& place = plan.Of(e.control);
      EXPECT_EQ(place.rect, ScaleToPpi(e.rect, ppi)) << static_cast<int>(e.control) << " at " << ppi;
      EXPECT_EQ(place.text, e.text);
      EXPECT_FALSE(place.cut || place.wrapped);
    }
  }
}

TEST(PlanConfigLayout, ALongTextTakesTheRoomBesideItWrapsOrIsCut) {
  struct Case {
    const char* what;
    ConfigControl control;
    std::string text;
    Size max_client;
    Rect rect;
    std::string shown;
    bool cut, wrapped;
  };
  const std::string long_word(40, 'x');
  const Case cases[] = {
      // 30 characters and the box: 139 pixels, to the group's frame 315.
      {"a check box over its group's line grows to the right", C::CheckBoxShowDisplayForm,
       std::string(30, 'x'), kScreenClient, {72, 165, 211, 182}, std::string(30, 'x'), false, false},
      {"a label keeps its place when the field is right beside it: cut", C::Label3, std::string(26, 'x'),
       {431, 413}, {86, 47, 187, 60}, std::string(24, 'x') + "\xE2\x80\xA6", true, false},
      {"a hot-key label too long for its row takes two lines", C::Label17, "aaaaaaaaaa bbbbbbbbbb cccc",
       {431, 413}, {100, 63, 195, 89}, "aaaaaaaaaa bbbbbbbbbb\r\ncccc", false, true},
      {"a radio item has no room for a second line: cut", C::StaffSizeBig, long_word, {431, 413},
       {68, 102, 213, 119}, std::string(30, 'x') + "\xE2\x80\xA6", true, false},
      {"a word longer than its room cannot wrap: cut", C::Label17, long_word, {431, 413},
       {100, 69, 195, 82}, std::string(22, 'x') + "\xE2\x80\xA6", true, false},
      {"a group caption keeps its frame: cut", C::GroupBox1, std::string(90, 'x'), {431, 413},
       {58, 9, 395, 74}, std::string(79, 'x') + "\xE2\x80\xA6", true, false},
  };
  for (const Case& c : cases) {
    std::vector<std::string> texts = EnglishTexts();
    texts[static_cast<std::size_t>(c.control)] = c.text;
    const ConfigPlan plan = PlanConfigLayout(96, c.max_client, texts, Monospace(4));
    const ConfigPlace& place = plan.Of(c.control);
    EXPECT_EQ(place.rect, c.rect) << c.what;
    EXPECT_EQ(place.text, c.shown) << c.what;
    EXPECT_EQ(place.cut, c.cut) << c.what;
    EXPECT_EQ(place.wrapped, c.wrapped) << c.what;
    EXPECT_LE(plan.client.cx, c.max_client.cx) << c.what;
  }
}

TEST(PlanConfigLayout, TheDialogWidensForTheLongestTextAsFarAsTheWorkArea) {
  std::vector<std::string> texts = EnglishTexts();
  // 45 characters where 25 fit: 181 pixels in a place of 101 widen the
  // dialog 1.79 times, unless the work area is narrower.
  texts[static_cast<std::size_t>(C::Label16)] = std::string(45, 'x');
  const ConfigPlan wide = PlanConfigLayout(96, kScreenClient, texts, Monospace(4));
  EXPECT_NEAR(wide.factor, 181.0 / 101, 1e-9);
  EXPECT_EQ(wide.client.cx, 773);
  EXPECT_FALSE(wide.Of(C::Label16).cut);
  const ConfigPlan narrow = PlanConfigLayout(96, {600, 740}, texts, Monospace(4));
  EXPECT_EQ(narrow.client.cx, 600);
  EXPECT_TRUE(narrow.Of(C::Label16).cut);
  EXPECT_LE(narrow.Of(C::Label16).rect.right, narrow.Of(C::BitBtnCurTextColor).rect.left);
}

TEST(PlanConfigLayout, AMonitorTooSmallForTheDialogGetsItAtALowerDensity) {
  const ConfigPlan plan = PlanConfigLayout(144, {640, 480}, EnglishTexts(), Monospace(4));
  EXPECT_EQ(plan.ppi, 111) << "413 x 111 / 96 = 478 rows";
  EXPECT_LE(plan.client.cx, 640);
  EXPECT_LE(plan.client.cy, 480);
}

// Every control inside the client area or its page, and no two controls of
// one page overlapping but a group and what it holds.
void ExpectWhollyInside(const ConfigPlan& plan, const std::string& what) {
  const Rect client{0, 0, plan.client.cx, plan.client.cy};
  const Rect tabs = plan.Of(C::PageControlHotKey).rect;
  const Rect page{0, 0, tabs.Width() - ScaleToPpi(8, plan.ppi), tabs.Height() - ScaleToPpi(30, plan.ppi)};
  for (const ConfigLayoutEntry& e : ConfigLayout()) {
    if (e.kind == ConfigKind::Tab || e.kind == ConfigKind::Preview) continue;
    const Rect& r = plan.Of(e.control).rect;
    const Rect& within = e.page == kWindowPage ? client : page;
    EXPECT_TRUE(r.left >= within.left && r.top >= within.top && r.right <= within.right &&
                r.bottom <= within.bottom)
        << what << ": control " << static_cast<int>(e.control);
  }
}

TEST(PlanConfigLayout, TextsFourTimesTheirPlacesNeverTakeTheDialogPastTheWorkArea) {
  for (int ppi : {96, 144}) {
    std::vector<std::string> texts = EnglishTexts();
    for (const ConfigLayoutEntry& e : ConfigLayout()) {
      if (!HasFittedText(e.kind)) continue;
      // Words of five letters, four times as many as the place holds.
      std::string text;
      while (CodePoints(text) < 4 * e.rect.Width() / 6) text += "abcd ";
      texts[static_cast<std::size_t>(e.control)] = text;
    }
    const ConfigPlan plan = PlanConfigLayout(ppi, kScreenClient, texts, Monospace(6));
    SCOPED_TRACE(ppi);
    EXPECT_LE(plan.client.cx, kScreenClient.cx);
    EXPECT_LE(plan.client.cy, kScreenClient.cy);
    ExpectWhollyInside(plan, "texts four times their places at " + std::to_string(ppi));
    int cut = 0;
    for (const ConfigLayoutEntry& e : ConfigLayout()) cut += plan.Of(e.control).cut;
    EXPECT_GT(cut, 10) << "the work area, not the texts, set the width";
  }
}

// A running ruler and the dialog's logic on the fake window, to take the
// texts a pack gives each control.
class ShippedPackLayout : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    platform.screen = {1024, 768};
    main.FormCreate();
    window.Show();
    main.FormShow();
    config.Attach(view);
  }
  void TearDown() override {
    LanguageIndex = -1;
    AppSettings.LanguageFileName.clear();
  }

  std::vector<std::string> PackTexts(const std::string& name) {
    std::ifstream in(std::string(MENSOR_PACKS_DIR) + "/" + name, std::ios::binary);
    platform.files["/mensor/Languages/" + name] = {std::istreambuf_iterator<char>(in), {}};
    AppSettings.LanguageFileName = name;
    LanguageIndex = 0;
    view.ShowModal();
    std::vector<std::string> texts = EnglishTexts();
    for (const auto& [control, text] : view.texts) texts[static_cast<std::size_t>(control)] = text;
    return texts;
  }

  FakePlatform platform;
  FakeWindow window;
  TMainForm main{platform, window};
  TConfigForm config{platform, main};
  FakeConfigView view{config};
};

TEST_P(ShippedPackLayout, EveryTextShowsWholeAt96And144PixelsPerInch) {
  const std::vector<std::string> texts = PackTexts(GetParam());
  EXPECT_NE(texts[static_cast<std::size_t>(C::Label1)], "Use arrow keys to move") << "the pack is read";
  for (int ppi : {96, 144}) {
    const ConfigPlan plan = PlanConfigLayout(ppi, kScreenClient, texts, Monospace(6));
    SCOPED_TRACE(ppi);
    EXPECT_EQ(plan.ppi, ppi);
    EXPECT_LE(plan.client.cx, kScreenClient.cx);
    ExpectWhollyInside(plan, GetParam());
    for (const ConfigLayoutEntry& e : ConfigLayout())
      EXPECT_FALSE(plan.Of(e.control).cut) << GetParam() << ": " << texts[static_cast<std::size_t>(e.control)];
  }
}

INSTANTIATE_TEST_SUITE_P(Packs, ShippedPackLayout, ::testing::Values("Deutsch.txt", "Francais.txt", "Russian.txt"),
                         [](const auto& param_info) { return param_info.param.substr(0, param_info.param.find('.')); });

}  // namespace
}  // namespace mensor
