// The about box: the banner and pictures decoded from the files the program
// carries, the layout and texts, the transparent picture, the links, closing,
// and "&About..." of the ruler menu.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <fstream>
#include <iterator>
#include <set>

#include "about/about_form.h"
#include "about/bmp_reader.h"
#include "about/contact.h"
#include "about/jpeg_decoder.h"
#include "app/main_form.h"
#include "fake_platform.h"
#include "lang/language.h"
#include "lang/language_pack.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

using testing::DrawOp;
using testing::FakeDialogWindow;
using testing::FakePlatform;
using testing::FakeWindow;
using testing::RecordingCanvas;

std::string Picture(const std::string& name) {
  std::ifstream in(std::string(MENSOR_SOURCE_DIR "/src/about/pictures/") + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// ---- JPEG decoding ----

TEST(JpegDecoder, BannerDecodesTo471By106RgbWithItsColours) {
  const JpegResult r = DecodeJpeg(Picture("banner.jpg"));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.picture.width, 471);
  EXPECT_EQ(r.picture.height, 106);
  ASSERT_EQ(r.picture.rgb.size(), 471u * 106u * 3u);
  struct Case {
    const char* what;
    int x, y;
    int r, g, b;
  };
  const Case cases[] = {
      {"light blue ground", 240, 25, 206, 230, 250},
      {"light blue ground under the slogan", 100, 98, 206, 230, 250},
      {"lighter stripe at the top", 5, 5, 232, 243, 253},
      {"the slanted ruler", 390, 80, 250, 214, 96},
      {"the slanted ruler near its zero end", 330, 90, 250, 214, 96},
  };
  for (const Case& c : cases) {
    const std::uint8_t* p = r.picture.Pixel(c.x, c.y);
    // JPEG keeps colours within a few steps.
    EXPECT_NEAR(p[0], c.r, 8) << c.what << " (red)";
    EXPECT_NEAR(p[1], c.g, 8) << c.what << " (green)";
    EXPECT_NEAR(p[2], c.b, 8) << c.what << " (blue)";
  }
}

TEST(JpegDecoder, DamagedDataFailsWithAReason) {
  const std::string banner = Picture("banner.jpg");
  std::string no_scan_data = banner;
  // Everything after the headers turned to zeros: bad Huffman codes.
  std::fill(no_scan_data.begin() + 700, no_scan_data.end() - 2, '\0');
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"nothing", ""},
      {"not a JPEG", "GIF89a and some more bytes that are not a picture"},
      {"the start marker only", banner.substr(0, 2)},
      {"the headers only", banner.substr(0, 600)},
      {"half the picture", banner.substr(0, banner.size() / 2)},
      {"all but the end marker", banner.substr(0, banner.size() - 2)},
      {"zeros for scan data", no_scan_data},
  };
  for (const Case& c : cases) {
    const JpegResult r = DecodeJpeg(c.bytes);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.error.empty()) << c.what << ": says why";
    EXPECT_TRUE(r.picture.rgb.empty()) << c.what << ": no pixels";
  }
}

TEST(JpegDecoder, ToImageGivesTheCanvasLayout) {
  RgbPicture p;
  p.width = 2;
  p.height = 1;
  p.rgb = {1, 2, 3, 4, 5, 6};
  const Image image = ToImage(p);
  ASSERT_EQ(image.Stride(), 8);
  EXPECT_EQ(std::vector<std::uint8_t>(image.bytes.begin(), image.bytes.begin() + 6),
            (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4}))
      << "blue, green, red per pixel";
  EXPECT_EQ(PixelOf(image, 1, 0), MakeColor(4, 5, 6));
}

// ---- bitmaps ----

TEST(BmpReader, ThePicturesReadAtTheirSizes) {
  const BmpResult picture = ReadBmp(Picture("picture.bmp"));
  ASSERT_TRUE(picture.ok) << picture.error;
  EXPECT_EQ(picture.image.width, 101);
  EXPECT_EQ(picture.image.height, 108);
  EXPECT_EQ(PixelOf(picture.image, 0, 107), MakeColor(255, 0, 255)) << "magenta ground at the bottom left";
  EXPECT_EQ(PixelOf(picture.image, 8, 50), MakeColor(40, 70, 120)) << "the set square's edge";
  const BmpResult contact = ReadBmp(Picture("contact.bmp"));
  ASSERT_TRUE(contact.ok) << contact.error;
  EXPECT_EQ(contact.image.width, 32);
  EXPECT_EQ(contact.image.height, 32);
  EXPECT_EQ(PixelOf(contact.image, 5, 20), MakeColor(255, 255, 255)) << "the letter's paper";
}

TEST(BmpReader, DamagedFilesAreRefused) {
  const std::string good = Picture("contact.bmp");
  auto with = [&](std::size_t at, char value) {
    std::string s = good;
    s[at] = value;
    return s;
  };
  struct Case {
    const char* what;
    std::string bytes;
  };
  const Case cases[] = {
      {"empty", ""},
      {"not a bitmap", "PK" + good.substr(2)},
      {"headers only", good.substr(0, 60)},
      {"palette cut", good.substr(0, 300)},
      {"pixels cut", good.substr(0, good.size() - 1)},
      {"4 bits per pixel", with(28, 4)},
      {"run-length compressed", with(30, 1)},
      {"width 0", with(18, 0)},
      {"pixel data beyond the end", with(13, 0x7F)},
  };
  for (const Case& c : cases) {
    const BmpResult r = ReadBmp(c.bytes);
    EXPECT_FALSE(r.ok) << c.what;
    EXPECT_FALSE(r.error.empty()) << c.what;
  }
}

// ---- the form ----

int CodePoints(std::string_view text) {
  int n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

// Texts of a fixed pitch: `per_eleven` pixels a character for every eleven
// pixels of font height (11 pixels is the dialog font at 96 pixels per inch).
std::function<Size(const Font&, std::string_view)> Pitch(int per_eleven) {
  return [per_eleven](const Font& font, std::string_view text) {
    const int h = font.height < 0 ? -font.height : font.height;
    return Size{CodePoints(text) * ((h * per_eleven + 5) / 11), h + 2};
  };
}
// Narrower than the font the places were made for: every text fits them.
const auto kNarrow = Pitch(4);
// About as wide as the substitute font under Wine.
const auto kWide = Pitch(6);

class AboutBox : public ::testing::Test {
 protected:
  AboutBox() {
    platform.text_extent = kNarrow;
    platform.resources[kBannerResource] = Picture("banner.jpg");
    platform.resources[kPictureResource] = Picture("picture.bmp");
    platform.resources[kContactPictureResource] = Picture("contact.bmp");
    LanguageIndex = -1;
    AppSettings.LanguageFileName.clear();
  }
  ~AboutBox() override {
    LanguageIndex = -1;
    AppSettings.LanguageFileName.clear();
  }

  // Makes the pack the current language (index 0).
  void UsePack(const std::string& file_name, const std::string& content) {
    platform.files[platform.JoinPath(LanguagesFolder(platform), file_name)] = content;
    AppSettings.LanguageFileName = file_name;
    LanguageIndex = 0;
  }

  // Creates and shows a form, as "&About..." does, and paints it.
  TAboutForm& Open() {
    form = std::make_unique<TAboutForm>(platform, window);
    form->FormCreate();
    window.ShowModal(*form);
    painted = window.Paint(*form);
    return *form;
  }

  // Image operations that copy from the given picture.
  std::vector<DrawOp> ImagesAt(const Rect& area) const {
    std::vector<DrawOp> out;
    for (const DrawOp& op : painted.Images())
      if (area.Contains(op.from)) out.push_back(op);
    return out;
  }

  FakePlatform platform;
  FakeDialogWindow window;
  std::unique_ptr<TAboutForm> form;
  RecordingCanvas painted;
};

TEST_F(AboutBox, CaptionButtonAndHints) {
  TAboutForm& f = Open();
  EXPECT_EQ(window.caption, "Mensor");
  ASSERT_EQ(window.buttons.size(), 1u);
  EXPECT_EQ(window.buttons[0].caption, "E&xit");
  ASSERT_EQ(window.hints.size(), 4u);
  EXPECT_EQ(window.hints[0].text, kWebAddress);
  EXPECT_EQ(window.hints[0].bounds, f.Label6.BoundsRect());
  EXPECT_EQ(window.hints[1].text, kSupportMailAddress);
  EXPECT_EQ(window.hints[1].bounds, f.Label8.BoundsRect());
  EXPECT_TRUE((window.hints[2].bounds == Rect{})) << "the labels' texts are whole: no hints";
  EXPECT_TRUE((window.hints[3].bounds == Rect{}));
  EXPECT_TRUE(f.BannerError.empty()) << f.BannerError;
}

TEST_F(AboutBox, LaidOutForTheDensityOfItsMonitor) {
  struct Case {
    int ppi;
    Size client;
    Rect button;
    Point label5;
    int text_height, link_height;
    Size banner, picture, contact;
  };
  const Case cases[] = {
      {96, {470, 343}, {386, 311, 465, 336}, {32, 263}, -11, -12, {471, 106}, {101, 108}, {32, 32}},
      {120, {588, 429}, {483, 389, 581, 420}, {40, 329}, -14, -15, {589, 133}, {126, 135}, {40, 40}},
      {144, {705, 515}, {579, 467, 698, 504}, {48, 395}, -17, -18, {708, 161}, {152, 162}, {48, 48}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    window = FakeDialogWindow{};
    window.ppi = c.ppi;
    TAboutForm& f = Open();
    EXPECT_EQ(window.client, c.client);
    EXPECT_EQ(window.buttons.at(0).bounds, c.button);
    EXPECT_EQ(window.buttons[0].font.height, c.text_height);
    EXPECT_EQ((Point{f.Label5.left, f.Label5.top}), c.label5);
    EXPECT_EQ(f.Label5.font.height, c.text_height);
    EXPECT_EQ(f.GroupBox1.font.height, c.text_height);
    EXPECT_EQ(f.Label8.font.height, c.link_height);
    EXPECT_EQ(window.hints.at(1).bounds, f.Label8.BoundsRect());
    EXPECT_EQ((Size{f.Image1.image.width, f.Image1.image.height}), c.banner);
    EXPECT_EQ((Size{f.Image2.image.width, f.Image2.image.height}), c.picture);
    EXPECT_EQ((Size{f.Image3.image.width, f.Image3.image.height}), c.contact);
    EXPECT_EQ((Size{f.Image1.bounds.Width(), f.Image1.bounds.Height()}), c.banner) << "the banner fills its panel";
  }
}

TEST_F(AboutBox, MovedToADenserMonitorItLaysItselfOutAgain) {
  TAboutForm& f = Open();
  const int invalidations = window.invalidations;
  f.DensityChanged(144);
  EXPECT_EQ(window.client, (Size{705, 515}));
  EXPECT_EQ(window.buttons.at(0).bounds, (Rect{579, 467, 698, 504}));
  EXPECT_EQ(window.buttons[0].font.height, -17);
  EXPECT_EQ(window.buttons[0].caption, "E&xit");
  EXPECT_EQ(window.hints.at(0).bounds, f.Label6.BoundsRect());
  EXPECT_EQ(window.hints.at(1).bounds, f.Label8.BoundsRect());
  EXPECT_EQ(f.Label8.caption, kSupportMailAddress);
  EXPECT_EQ(f.Image1.image.width, 708);
  EXPECT_GT(window.invalidations, invalidations);
  f.DensityChanged(96);
  EXPECT_EQ(window.client, (Size{470, 343})) << "and back";
  EXPECT_EQ(f.Image2.image.width, 101);
}

TEST(ScaleImage, NearestKeepsColoursSmoothMixesThem) {
  // One row: black, white.
  Image two;
  two.Resize(2, 1);
  std::fill_n(two.Row(0) + 3, 3, 255);
  // One row of four greys.
  Image four;
  four.Resize(4, 1);
  for (int x = 0; x < 4; ++x) std::fill_n(four.Row(0) + 3 * x, 3, static_cast<std::uint8_t>(10 * (x + 1)));
  struct Case {
    const char* what;
    const Image& source;
    int width;
    bool smooth;
    std::vector<int> reds;
  };
  const Case cases[] = {
      {"nearest, doubled", two, 4, false, {0, 0, 255, 255}},
      {"nearest, one and a half: a centre on the seam takes the right one", two, 3, false, {0, 255, 255}},
      {"nearest, halved: the pixels under the centres", four, 2, false, {20, 40}},
      {"smooth, doubled: edges kept, quarter steps between", two, 4, true, {0, 64, 191, 255}},
      {"smooth, same size: unchanged", four, 4, true, {10, 20, 30, 40}},
  };
  for (const Case& c : cases) {
    const Image out = ScaleImage(c.source, c.width, 1, c.smooth);
    ASSERT_EQ(out.width, c.width) << c.what;
    ASSERT_EQ(out.height, 1) << c.what;
    std::vector<int> reds;
    for (int x = 0; x < out.width; ++x) reds.push_back(out.Row(0)[3 * x + 2]);
    EXPECT_EQ(reds, c.reds) << c.what;
  }
  EXPECT_TRUE(ScaleImage(Image{}, 5, 5, true).Empty());
  EXPECT_TRUE(ScaleImage(two, 0, 5, false).Empty());
}

TEST_F(AboutBox, TextsAndLinkLookInEnglish) {
  TAboutForm& f = Open();
  struct Case {
    const Label& label;
    Point at;
    std::string text;
    bool link;
  };
  const Case cases[] = {
      {f.Label5, {32, 263}, "Welcome to visit our web site", false},
      {f.Label6, {196, 262}, kWebAddress, true},
      {f.Label7, {32, 289}, "Email for Support", false},
      {f.Label8, {196, 288}, kSupportMailAddress, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ((Point{c.label.left, c.label.top}), c.at) << c.label.name;
    EXPECT_EQ(c.label.caption, c.text) << c.label.name;
    bool drawn = false;
    for (const DrawOp& op : painted.Texts()) drawn |= op.text == c.text && op.from == c.at;
    EXPECT_TRUE(drawn) << c.label.name << " painted at its place";
    if (c.link) {
      EXPECT_EQ(c.label.font.face, "Arial") << c.label.name;
      EXPECT_EQ(c.label.font.height, -12) << c.label.name;
      EXPECT_TRUE(c.label.font.underline) << c.label.name;
      EXPECT_EQ(c.label.font.color, 0xFF0000u) << c.label.name << " blue";
    }
  }
  EXPECT_EQ(f.GroupBox1.caption, " Contact ");
}

TEST_F(AboutBox, PackThatTranslatesContactGivesTheGroupBoxItsTextWithoutTheBlanks) {
  UsePack("Deutsch.txt",
          "[Info]\r\nLanguage=Deutsch\r\n[String]\r\nContact=Kontakt\r\nE&xit=&Beenden\r\n"
          "Email for Support=   \r\n");
  TAboutForm& f = Open();
  EXPECT_EQ(f.GroupBox1.caption, "Kontakt");
  bool drawn = false;
  for (const DrawOp& op : painted.Texts()) drawn |= op.text == "Kontakt" && op.from == (Point{18, 240});
  EXPECT_TRUE(drawn) << "the translation painted as the group's caption";
  EXPECT_EQ(window.FindButton(TAboutForm::kBitBtnCloseId)->caption, "&Beenden");
  EXPECT_EQ(f.Label5.caption, "Welcome to visit our web site") << "a missing key gives English";
  EXPECT_EQ(f.Label7.caption, "Email for Support") << "a blank value gives English";
  EXPECT_EQ(f.Label6.caption, kWebAddress) << "no pack changes the links";
  EXPECT_EQ(f.Label8.caption, kSupportMailAddress);
}

TEST_F(AboutBox, EachOpeningShowsTheLanguageCurrentThen) {
  UsePack("Francais.txt", "[String]\nContact=Contact\nWelcome to visit our web site=Visitez notre site\n");
  EXPECT_EQ(Open().Label5.caption, "Visitez notre site");
  EXPECT_EQ(form->GroupBox1.caption, "Contact");
  LanguageIndex = -1;
  AppSettings.LanguageFileName.clear();
  EXPECT_EQ(Open().Label5.caption, "Welcome to visit our web site");
  EXPECT_EQ(form->GroupBox1.caption, " Contact ");
  UsePack("gone.txt", "[String]\nContact=Kontakt\n");
  platform.files.clear();
  EXPECT_EQ(Open().GroupBox1.caption, " Contact ") << "a pack that is gone gives English";
}

TEST_F(AboutBox, BannerIsDrawnWholeOnThePanel) {
  Open();
  const std::vector<DrawOp> fills = painted.Fills();
  ASSERT_FALSE(fills.empty());
  EXPECT_EQ(fills[0].rect, (Rect{0, -1, 473, 107})) << "the panel first";
  EXPECT_EQ(fills[0].color, TAboutForm::kPanelColor);
  const std::vector<DrawOp> banner = ImagesAt({0, 0, 2, 2});
  ASSERT_EQ(banner.size(), 1u);
  EXPECT_EQ(banner[0].from, (Point{1, 0}));
  EXPECT_EQ(banner[0].src, (Rect{0, 0, 471, 106}));
}

TEST_F(AboutBox, CorruptBannerLeavesThePanelColourAndSaysWhy) {
  std::string& banner = platform.resources[kBannerResource];
  banner.resize(banner.size() / 3);
  TAboutForm& f = Open();
  EXPECT_FALSE(f.BannerError.empty());
  EXPECT_TRUE(f.Image1.image.Empty());
  EXPECT_TRUE(ImagesAt({0, 0, 473, 107}).empty()) << "nothing drawn over the panel";
  EXPECT_EQ(painted.Fills().at(0).color, TAboutForm::kPanelColor);
  EXPECT_EQ(window.buttons.size(), 1u) << "the box works all the same";
}

TEST_F(AboutBox, PictureIsDrawnWithoutItsBottomLeftColour) {
  TAboutForm& f = Open();
  const Image& image = f.Image2.image;
  ASSERT_EQ(image.width, 101);
  const Color key = PixelOf(image, 0, image.height - 1);
  EXPECT_EQ(f.Image2.transparent_color, key);
  std::set<std::pair<int, int>> drawn;
  for (const DrawOp& op : ImagesAt(f.Image2.bounds)) {
    ASSERT_EQ(op.src.Height(), 1) << "runs of one row";
    for (int x = op.src.left; x < op.src.right; ++x) {
      EXPECT_NE(PixelOf(image, x, op.src.top), key) << "a key pixel drawn at " << x << "," << op.src.top;
      EXPECT_EQ(op.from.x + (x - op.src.left), 25 + x);
      EXPECT_EQ(op.from.y, 123 + op.src.top);
      drawn.insert({x, op.src.top});
    }
  }
  int others = 0;
  for (int y = 0; y < image.height; ++y)
    for (int x = 0; x < image.width; ++x) others += PixelOf(image, x, y) != key ? 1 : 0;
  EXPECT_EQ(static_cast<int>(drawn.size()), others) << "every other pixel drawn once";
  EXPECT_EQ(drawn.count({0, image.height - 1}), 0u);
  // The envelope, likewise without its grey ground.
  const Image& envelope = f.Image3.image;
  ASSERT_EQ(envelope.width, 32);
  const Color ground = PixelOf(envelope, 0, envelope.height - 1);
  EXPECT_EQ(ground, 0xECECECu) << "the grey ground of the envelope";
  int envelope_pixels = 0;
  for (const DrawOp& op : ImagesAt(f.Image3.bounds)) {
    EXPECT_EQ(op.from, (Point{128 + op.src.left, 280 + op.src.top}));
    for (int x = op.src.left; x < op.src.right; ++x) {
      EXPECT_NE(PixelOf(envelope, x, op.src.top), ground) << "grey drawn at " << x << "," << op.src.top;
      ++envelope_pixels;
    }
  }
  EXPECT_GT(envelope_pixels, 28 * 19 - 10) << "the letter itself drawn";
}

TEST_F(AboutBox, LinksOpenTheirAddressesWithTheHandPointer) {
  TAboutForm& f = Open();
  const Point web{f.Label6.left + 3, f.Label6.top + 3};
  const Point mail{f.Label8.left + 3, f.Label8.top + 3};
  f.MouseMove(web.x, web.y);
  EXPECT_EQ(window.cursor, CursorShape::Hand);
  f.MouseMove(200, 200);
  EXPECT_EQ(window.cursor, CursorShape::Default);
  f.MouseMove(mail.x, mail.y);
  EXPECT_EQ(window.cursor, CursorShape::Hand);
  f.Click(web.x, web.y);
  f.Click(mail.x, mail.y);
  f.Click(f.Label5.left + 3, f.Label5.top + 3);
  EXPECT_EQ(window.opened,
            (std::vector<std::string>{kWebAddress, std::string("mailto: ") + kSupportMailAddress}));
  EXPECT_EQ(window.closes, 0) << "the box stays open";
}

TEST_F(AboutBox, ExitButtonAndEscapeClose) {
  TAboutForm& f = Open();
  f.KeyDown('A');
  EXPECT_EQ(window.closes, 0);
  f.KeyDown(vk::kEscape);
  EXPECT_EQ(window.closes, 1);
  f.ButtonClick(TAboutForm::kBitBtnCloseId);
  EXPECT_EQ(window.closes, 2);
}

TEST_F(AboutBox, AboutMenuCommandOpensANewBoxEachTime) {
  FakeWindow ruler;
  TMainForm main(platform, ruler);
  int shown = 0;
  platform.on_dialog = [&](FakeDialogWindow& dialog, DialogHandler&) {
    EXPECT_EQ(dialog.caption, "Mensor");
    EXPECT_EQ(dialog.buttons.size(), 1u) << "a fresh layout";
    ++shown;
  };
  main.ExecuteCommand(kCmdAbout);
  main.ExecuteCommand(kCmdAbout);
  EXPECT_EQ(platform.dialogs_created, 2);
  EXPECT_EQ(shown, 2);
  platform.dialogs_possible = false;
  main.ExecuteCommand(kCmdAbout);
  EXPECT_EQ(shown, 2) << "no window, no box, no crash";
}


// ---- texts wider than their places ----

TEST_F(AboutBox, WiderTextsWidenTheGroupAndMoveTheButtonAndTheLinks) {
  platform.text_extent = kWide;
  TAboutForm& f = Open();
  // "Email for Support" 102 pixels wide: the envelope 8 pixels right of it;
  // the welcome text 174 pixels: the links 8 right of it; the web address
  // 203 pixels and the frame: a group 419 wide, the button 9 right of it.
  EXPECT_EQ(f.Image3.bounds, (Rect{142, 280, 174, 312}));
  EXPECT_EQ((Point{f.Label6.left, f.Label6.top}), (Point{214, 262}));
  EXPECT_EQ((Point{f.Label8.left, f.Label8.top}), (Point{214, 288}));
  EXPECT_EQ(f.GroupBox1.bounds, (Rect{8, 240, 427, 337}));
  EXPECT_EQ(window.buttons.at(0).bounds, (Rect{436, 311, 515, 336}));
  EXPECT_EQ(window.client, (Size{520, 343}));
  EXPECT_EQ(f.Panel1, (Rect{0, -1, 523, 107})) << "the panel spans the window";
  const std::vector<DrawOp> banner = ImagesAt({0, 0, 60, 2});
  ASSERT_EQ(banner.size(), 1u);
  EXPECT_EQ(banner[0].from, (Point{26, 0})) << "the banner centred on the wider panel";
}

TEST_F(AboutBox, ALabelTooLongForTheWorkAreaIsCutAndItsHintShowsItWhole) {
  platform.text_extent = kWide;
  window.max_client = {600, 740};
  const std::string text(100, 'w');
  UsePack("Long.txt", "[String]\nWelcome to visit our web site=" + text + "\n");
  TAboutForm& f = Open();
  EXPECT_LE(window.client.cx, 600);
  EXPECT_EQ(f.Label5.caption.substr(f.Label5.caption.size() - 3), "\xE2\x80\xA6");
  EXPECT_LT(f.Label5.BoundsRect().right, f.Label6.left);
  EXPECT_EQ(window.hints.at(2).text, text);
  EXPECT_EQ(window.hints[2].bounds, f.Label5.BoundsRect());
  EXPECT_EQ(window.hints[3].bounds, Rect{}) << "the other label is whole";
}

// No two elements overlap and each lies inside the window; the labels and
// the envelope inside the group's frame, clear of its caption.
void ExpectNothingOverlaps(const TAboutForm& f, const FakeDialogWindow& window, const std::string& what) {
  const Rect& g = f.GroupBox1.bounds;
  const Rect inside{g.left + 2, g.top + f.Label5.height, g.right - 2, g.bottom - 2};
  const std::pair<const char*, Rect> parts[] = {{"Label5", f.Label5.BoundsRect()}, {"Label6", f.Label6.BoundsRect()},
                                                {"Label7", f.Label7.BoundsRect()}, {"Label8", f.Label8.BoundsRect()},
                                                {"envelope", f.Image3.bounds}};
  for (const auto& [name, r] : parts) {
    EXPECT_TRUE(r.left >= inside.left && r.right <= inside.right && r.top >= inside.top && r.bottom <= inside.bottom)
        << what << ": " << name << " inside the frame";
    for (const auto& [other, o] : parts) {
      if (name == other) continue;
      EXPECT_FALSE(r.left < o.right && o.left < r.right && r.top < o.bottom && o.top < r.bottom)
          << what << ": " << name << " and " << other;
    }
  }
  const Rect& button = window.buttons.at(0).bounds;
  EXPECT_GT(button.left, g.right) << what;
  EXPECT_LE(button.right, window.client.cx) << what;
  EXPECT_LE(g.right, window.client.cx) << what;
}

class AboutBoxPacks : public AboutBox, public ::testing::WithParamInterface<std::tuple<std::string, int>> {};

TEST_P(AboutBoxPacks, NoTextRunsIntoAnotherElement) {
  const auto& [pack, ppi] = GetParam();
  platform.text_extent = kWide;
  window.ppi = ppi;
  window.max_client = {1018, 740};
  if (!pack.empty()) UsePack(pack, Picture("../../lang/packs/" + pack));
  TAboutForm& f = Open();
  if (!pack.empty()) {
    EXPECT_NE(f.Label7.caption, "Email for Support") << "the pack is read";
  }
  ExpectNothingOverlaps(f, window, (pack.empty() ? "English" : pack) + " at " + std::to_string(ppi));
  EXPECT_EQ(f.Label5.caption.find("\xE2\x80\xA6"), std::string::npos) << "whole";
}

INSTANTIATE_TEST_SUITE_P(Packs, AboutBoxPacks,
                         ::testing::Combine(::testing::Values("", "Deutsch.txt", "Francais.txt", "Russian.txt"),
                                            ::testing::Values(96, 144)));

}  // namespace
}  // namespace mensor
