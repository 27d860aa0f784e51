// TAboutForm: layout, pictures, painting, the links and the texts.
#include "about/about_form.h"

#include <algorithm>

#include "about/bmp_reader.h"
#include "about/contact.h"
#include "about/jpeg_decoder.h"
#include "lang/language.h"
#include "lang/language_pack.h"
#include "lang/text_tables.h"
#include "ui/monitors.h"
#include "ui/text_fit.h"

namespace mensor {
namespace {

constexpr Color kShadowColor = 0x808080;
constexpr Color kHighlightColor = 0xFFFFFF;
constexpr Color kLinkColor = 0xFF0000;  // blue, laid out 0x00BBGGRR

// Draws the picture with its top-left at dst, leaving out the pixels of the
// transparent colour: each row goes to the canvas as runs of the others.
void DrawTransparent(Canvas& canvas, const Image& image, Point dst, Color key) {
  for (int y = 0; y < image.height; ++y) {
    int x = 0;
    while (x < image.width) {
      while (x < image.width && PixelOf(image, x, y) == key) ++x;
      const int start = x;
      while (x < image.width && PixelOf(image, x, y) != key) ++x;
      if (x > start) canvas.DrawImage(image, {start, y, x, y + 1}, {dst.x + start, dst.y + y});
    }
  }
}

void DrawPicture(Canvas& canvas, const TAboutForm::Picture& picture) {
  if (picture.image.Empty()) return;
  // Centred on its place; a picture larger than its place is cut.
  const Rect& b = picture.bounds;
  const int w = std::min(picture.image.width, b.Width());
  const int h = std::min(picture.image.height, b.Height());
  const int sx = (picture.image.width - w) / 2;
  const int sy = (picture.image.height - h) / 2;
  const Point dst{b.left + (b.Width() - w) / 2, b.top + (b.Height() - h) / 2};
  if (!picture.transparent) {
    canvas.DrawImage(picture.image, {sx, sy, sx + w, sy + h}, dst);
  } else if (w == picture.image.width && h == picture.image.height) {
    DrawTransparent(canvas, picture.image, dst, picture.transparent_color);
  }
}

void Line(Canvas& canvas, int x1, int y1, int x2, int y2) {
  canvas.MoveTo(x1, y1);
  canvas.LineTo(x2, y2);
}

}  // namespace

TAboutForm::TAboutForm(Platform& p, DialogWindow& w) : platform(p), window(w) {
  Label5.name = "Label5";
  Label6.name = "Label6";
  Label7.name = "Label7";
  Label8.name = "Label8";
  for (Label* link : {&Label6, &Label8}) {
    link->font.face = "Arial";
    link->font.points = 9;
    link->font.underline = true;
    link->font.color = kLinkColor;
  }
  Layout(PixelsPerInch);
}

// At 96 pixels per inch: where the group's elements lie inside it at the
// least, the room kept between neighbours, and the inside of the frame.
namespace {
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 240;
constexpr int kGroupWidth = 369;
constexpr int kGroupHeight = 97;
constexpr int kLabelLeft = 24;
constexpr int kLinkLeft = 188;
constexpr int kEnvelopeLeft = 120;
constexpr int kEnvelopeTop = 40;
constexpr int kEnvelopeSize = 32;
constexpr int kSpacing = 8;
constexpr int kFrameRight = 10;  // the frame's two lines and the spacing
constexpr int kCaptionInset = 8;
constexpr int kCaptionMargin = 2;
constexpr int kButtonLeft = 386;
constexpr int kButtonTop = 311;
constexpr int kButtonWidth = 79;
constexpr int kButtonHeight = 25;
constexpr int kButtonEdges = 16;  // beside a button's text
}  // namespace

void TAboutForm::Layout(int ppi) {
  PixelsPerInch = ppi;
  const auto scale = [ppi](int value) { return ScaleForDensity(value, ppi); };
  const int text_height = scale(Font{}.height);
  GroupBox1.font.height = text_height;
  Label5.font.height = text_height;
  Label7.font.height = text_height;
  Label6.font.height = scale(-12);
  Label8.font.height = scale(-12);
  SetLabelCaption(Label6, Label6.caption);
  SetLabelCaption(Label8, Label8.caption);
  SetLabelCaption(Label5, label5_text_);
  SetLabelCaption(Label7, label7_text_);

  // Wider than the work area allows: the two labels give up what is too
  // much, cut with an ellipsis (their hints show them whole).
  const Size max = window.MaxClientSize();
  const int width = Arrange(Label5.width, Label7.width);
  if (max.cx > 0 && width > max.cx) {
    const int allowed = std::max(scale(kSpacing), std::max(Label5.width, Label7.width) - (width - max.cx));
    const TextWidth measure = [&](std::string_view t) { return platform.TextExtent(Label5.font, t).cx; };
    for (auto [label, text] : {std::pair{&Label5, &label5_text_}, std::pair{&Label7, &label7_text_}})
      if (label->width > allowed) SetLabelCaption(*label, CutToWidth(*text, allowed, measure));
    Arrange(Label5.width, Label7.width);
  }

  // The banner is a photograph: resized smoothly to the panel's first 473
  // pixels and centred on a panel that the window's width may have widened.
  // The other two keep their exact colours (their transparent ones).
  const auto resize = [ppi](const Image& source, int w, int h, bool smooth) {
    return ppi == 96 || source.Empty() ? source : ScaleImage(source, w, h, smooth);
  };
  Image1.image = resize(banner_source_, scale(473) - 2, scale(107) - scale(-1) - 2, true);
  for (auto [picture, source] : {std::pair{&Image2, &picture_source_}, std::pair{&Image3, &contact_source_}})
    picture->image = resize(*source, scale(source->width), scale(source->height), false);
}

int TAboutForm::Arrange(int label5_width, int label7_width) {
  const int ppi = PixelsPerInch;
  const auto scale = [ppi](int value) { return ScaleForDensity(value, ppi); };
  const auto place = [&](int left, int top, int width, int height) {
    return Rect{scale(left), scale(top), scale(left + width), scale(top + height)};
  };
  const int gap = scale(kSpacing);
  // Inside the group: the envelope right of "Email for Support", the links
  // right of both labels and of the envelope.
  const int labels = scale(kLabelLeft);
  const int envelope = std::max(scale(kEnvelopeLeft), labels + label7_width + gap);
  const int links = std::max({scale(kLinkLeft), labels + label5_width + gap, envelope + scale(kEnvelopeSize) + gap});
  const Size caption = platform.TextExtent(GroupBox1.font, GroupBox1.caption);
  const int gx = scale(kGroupLeft);
  const int gy = scale(kGroupTop);
  const int group_right =
      std::max({scale(kGroupLeft + kGroupWidth), gx + links + std::max(Label6.width, Label8.width) + scale(kFrameRight),
                gx + scale(kCaptionInset) + caption.cx + 2 * scale(kCaptionMargin) + scale(kFrameRight)});
  GroupBox1.bounds = {gx, gy, group_right, scale(kGroupTop + kGroupHeight)};
  Image3.bounds = {gx + envelope, scale(kGroupTop + kEnvelopeTop), gx + envelope + scale(kEnvelopeSize),
                   scale(kGroupTop + kEnvelopeTop + kEnvelopeSize)};
  Label5.left = Label7.left = gx + labels;
  Label6.left = Label8.left = gx + links;
  Label5.top = scale(kGroupTop + 23);
  Label6.top = scale(kGroupTop + 22);
  Label7.top = scale(kGroupTop + 49);
  Label8.top = scale(kGroupTop + 48);

  // The button right of the group, as wide as its text needs. The gaps are
  // those of the base layout's scaled edges, so that it stays as it was
  // where nothing grows.
  const int base_left = scale(kButtonLeft);
  const int base_right = scale(kButtonLeft + kButtonWidth);
  const int button_width = std::max(base_right - base_left,
                                    platform.TextExtent(ButtonFont(), ShownText(BitBtnCloseCaption)).cx + scale(kButtonEdges));
  const int button_left = std::max(base_left, group_right + base_left - scale(kGroupLeft + kGroupWidth));
  BitBtnClose = {button_left, scale(kButtonTop), button_left + button_width, scale(kButtonTop + kButtonHeight)};
  const int width = std::max(scale(kClientWidth), BitBtnClose.right + scale(kClientWidth) - base_right);

  // The panel spans the window and one pixel more each side of the base
  // layout's (its right bevel lies beyond the window's edge).
  Panel1 = place(0, -1, 473, 108);
  Panel1.right = std::max(Panel1.right, width + (Panel1.right - scale(kClientWidth)));
  // The banner fills the panel inside its one-pixel bevel.
  Image1.bounds = {Panel1.left + 1, Panel1.top + 1, Panel1.right - 1, Panel1.bottom - 1};
  Image2.bounds = place(25, 123, 101, 108);
  window.SetClientSize(width, scale(kClientHeight));
  return width;
}

void TAboutForm::UpdateHints() {
  if (!hints_added_) return;
  window.SetHint(0, Label6.BoundsRect(), kWebAddress);
  window.SetHint(1, Label8.BoundsRect(), kSupportMailAddress);
  const auto whole = [](const Label& label, const std::string& text) {
    return label.caption == text ? Rect{} : label.BoundsRect();
  };
  window.SetHint(2, whole(Label5, label5_text_), label5_text_);
  window.SetHint(3, whole(Label7, label7_text_), label7_text_);
}

Font TAboutForm::ButtonFont() const {
  Font font;
  font.height = ScaleForDensity(font.height, PixelsPerInch);
  return font;
}

void TAboutForm::SetLabelCaption(Label& label, const std::string& caption) {
  label.caption = caption;
  const Size size = platform.TextExtent(label.font, caption);
  label.width = size.cx;
  label.height = size.cy;
}

void TAboutForm::LoadBitmap(const char* resource, Image& image) {
  const std::optional<std::string> bytes = platform.ResourceData(resource);
  if (!bytes) return;
  BmpResult bmp = ReadBmp(*bytes);
  if (bmp.ok) image = std::move(bmp.image);
}

void TAboutForm::FormCreate() {
  window.SetCaption("Mensor");

  // The banner: without it the panel's colour shows in its place.
  if (const std::optional<std::string> bytes = platform.ResourceData(kBannerResource)) {
    JpegResult jpeg = DecodeJpeg(*bytes);
    if (jpeg.ok) {
      banner_source_ = ToImage(jpeg.picture);
    } else {
      BannerError = jpeg.error;
    }
  } else {
    BannerError = "the banner is missing from the program";
  }
  // The picture and the envelope show the dialog's face around them: the
  // colour of their bottom-left pixels is left out.
  LoadBitmap(kPictureResource, picture_source_);
  LoadBitmap(kContactPictureResource, contact_source_);
  for (auto [picture, source] : {std::pair{&Image2, &picture_source_}, std::pair{&Image3, &contact_source_}}) {
    if (source->Empty()) continue;
    picture->transparent = true;
    picture->transparent_color = PixelOf(*source, 0, source->height - 1);
  }

  SetLabelCaption(Label6, kWebAddress);
  SetLabelCaption(Label8, kSupportMailAddress);
  SetDefaultLanguage();
  Layout(window.PixelsPerInch());
  // The links' hints, then the two labels' for when their texts are cut.
  window.AddHint(Label6.BoundsRect(), kWebAddress);
  window.AddHint(Label8.BoundsRect(), kSupportMailAddress);
  window.AddHint({}, label5_text_);
  window.AddHint({}, label7_text_);
  hints_added_ = true;
  window.AddButton(kBitBtnCloseId, BitBtnClose, BitBtnCloseCaption, ButtonFont());
  UpdateHints();
}

void TAboutForm::DensityChanged(int ppi) {
  Layout(ppi);
  window.MoveButton(kBitBtnCloseId, BitBtnClose, ButtonFont());
  UpdateHints();
  window.Invalidate();
}

void TAboutForm::FormShow() {
  SetLanguage(LanguageIndex);
  // The new texts may need other places.
  Layout(PixelsPerInch);
  window.MoveButton(kBitBtnCloseId, BitBtnClose, ButtonFont());
  UpdateHints();
}

void TAboutForm::SetText(std::string_view target, const std::string& text) {
  if (target == "GroupBox1") {
    GroupBox1.caption = text;
  } else if (target == "Label5") {
    label5_text_ = text;
    SetLabelCaption(Label5, text);
  } else if (target == "Label7") {
    label7_text_ = text;
    SetLabelCaption(Label7, text);
  } else if (target == "BitBtnClose") {
    BitBtnCloseCaption = text;
    window.SetButtonCaption(kBitBtnCloseId, text);
  }
  window.Invalidate();
}

void TAboutForm::ApplyTexts(const WindowTexts& texts) {
  for (const TargetText& item : texts.items) SetText(item.target, item.text);
}

void TAboutForm::SetDefaultLanguage() { ApplyTexts(EnglishTexts(kAboutFormTexts)); }

// The current pack's file is read again at each call; -1, or a pack that is
// gone, gives English.
void TAboutForm::SetLanguage(int index) { ApplyTexts(LanguageTexts(platform, kAboutFormTexts, index)); }

void TAboutForm::FormPaint(Canvas& canvas) {
  // The panel: its colour, a lowered outer bevel, the banner on it.
  canvas.FillRect(Panel1, kPanelColor);
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenColor(kShadowColor);
  Line(canvas, Panel1.left, Panel1.bottom - 1, Panel1.left, Panel1.top);
  Line(canvas, Panel1.left, Panel1.top, Panel1.right, Panel1.top);
  canvas.SetPenColor(kHighlightColor);
  Line(canvas, Panel1.left, Panel1.bottom - 1, Panel1.right - 1, Panel1.bottom - 1);
  Line(canvas, Panel1.right - 1, Panel1.bottom - 1, Panel1.right - 1, Panel1.top - 1);
  DrawPicture(canvas, Image1);
  DrawPicture(canvas, Image2);

  // The group box: an etched frame whose top line, at half the caption's
  // height, leaves a gap for the caption.
  const Rect& g = GroupBox1.bounds;
  const Size text = platform.TextExtent(GroupBox1.font, GroupBox1.caption);
  const int top = g.top + text.cy / 2;
  // NOTE: the gap is a little wider than the caption, so that a caption
  // without blanks of its own never touches the line.
  const int margin = ScaleForDensity(kCaptionMargin, PixelsPerInch);
  const int gap_left = g.left + ScaleForDensity(kCaptionInset, PixelsPerInch);
  const int gap_right = gap_left + text.cx + 2 * margin;
  for (int i = 0; i < 2; ++i) {
    canvas.SetPenColor(i == 0 ? kShadowColor : kHighlightColor);
    const int l = g.left + i, t = top + i, r = g.right - 2 + i, b = g.bottom - 2 + i;
    Line(canvas, l, t, gap_left, t);
    Line(canvas, gap_right, t, r, t);
    Line(canvas, r, t, r, b);
    Line(canvas, r, b, l, b);
    Line(canvas, l, b, l, t);
  }
  canvas.SetFont(GroupBox1.font);
  canvas.TextOut(gap_left + margin, g.top, GroupBox1.caption);

  for (const Label* label : {&Label5, &Label6, &Label7, &Label8}) {
    canvas.SetFont(label->font);
    canvas.TextOut(label->left, label->top, label->caption);
  }
  DrawPicture(canvas, Image3);
}

void TAboutForm::MouseMove(int x, int y) {
  const bool on_link = Label6.BoundsRect().Contains({x, y}) || Label8.BoundsRect().Contains({x, y});
  window.SetCursor(on_link ? CursorShape::Hand : CursorShape::Default);
}

void TAboutForm::Click(int x, int y) {
  if (Label6.BoundsRect().Contains({x, y})) {
    Label6Click();
  } else if (Label8.BoundsRect().Contains({x, y})) {
    Label8Click();
  }
}

void TAboutForm::ButtonClick(int id) {
  if (id == kBitBtnCloseId) BitBtnCloseClick();
}

void TAboutForm::KeyDown(int key) {
  if (key == vk::kEscape) window.Close();
}

void TAboutForm::Label6Click() { window.OpenWithShell(Label6.caption); }

// NOTE: the prefix is "mailto: " with one blank after the colon; mail programs
// drop the blank in front of the address.
void TAboutForm::Label8Click() { window.OpenWithShell("mailto: " + Label8.caption); }

void TAboutForm::BitBtnCloseClick() { window.Close(); }

void ShowAboutBox(Platform& platform) {
  std::unique_ptr<DialogWindow> window = platform.CreateDialogWindow();
  if (!window) return;
  TAboutForm AboutForm(platform, *window);
  AboutForm.FormCreate();
  window->ShowModal(AboutForm);
}

}  // namespace mensor
