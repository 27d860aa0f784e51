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

void TAboutForm::Layout(int ppi) {
  PixelsPerInch = ppi;
  const auto scale = [ppi](int value) { return ScaleForDensity(value, ppi); };
  // A place of the 96 pixels-per-inch layout; its edges are scaled, so that
  // neighbours stay neighbours.
  const auto place = [&](int left, int top, int width, int height) {
    return Rect{scale(left), scale(top), scale(left + width), scale(top + height)};
  };
  Panel1 = place(0, -1, 473, 108);
  // The banner fills the panel inside its one-pixel bevel.
  Image1.bounds = {Panel1.left + 1, Panel1.top + 1, Panel1.right - 1, Panel1.bottom - 1};
  Image2.bounds = place(25, 123, 101, 108);
  // The group's elements lie at (24, 23), (188, 22), (24, 49), (188, 48) and
  // (120, 40) inside the group box at (8, 240).
  constexpr int gx = 8;
  constexpr int gy = 240;
  GroupBox1.bounds = place(gx, gy, 369, 97);
  Image3.bounds = place(gx + 120, gy + 40, 32, 32);
  struct Spot {
    Label& label;
    int left, top;
  };
  for (const Spot& spot : {Spot{Label5, 24, 23}, Spot{Label6, 188, 22}, Spot{Label7, 24, 49}, Spot{Label8, 188, 48}}) {
    spot.label.left = scale(gx + spot.left);
    spot.label.top = scale(gy + spot.top);
  }
  const int text_height = scale(Font{}.height);
  GroupBox1.font.height = text_height;
  Label5.font.height = text_height;
  Label7.font.height = text_height;
  Label6.font.height = scale(-12);
  Label8.font.height = scale(-12);
  for (Label* label : {&Label5, &Label6, &Label7, &Label8}) SetLabelCaption(*label, label->caption);
  BitBtnClose = place(386, 311, 79, 25);

  // The banner is a photograph: resized smoothly to fill the panel. The other
  // two keep their exact colours (one of them is the transparent one).
  const auto resize = [ppi](const Image& source, int width, int height, bool smooth) {
    return ppi == 96 || source.Empty() ? source : ScaleImage(source, width, height, smooth);
  };
  Image1.image = resize(banner_source_, Image1.bounds.Width(), Image1.bounds.Height(), true);
  for (auto [picture, source] : {std::pair{&Image2, &picture_source_}, std::pair{&Image3, &contact_source_}})
    picture->image = resize(*source, scale(source->width), scale(source->height), false);
  window.SetClientSize(scale(kClientWidth), scale(kClientHeight));
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
  LoadBitmap(kPictureResource, picture_source_);
  if (!picture_source_.Empty()) {
    Image2.transparent = true;
    Image2.transparent_color = PixelOf(picture_source_, 0, picture_source_.height - 1);
  }
  LoadBitmap(kContactPictureResource, contact_source_);

  SetLabelCaption(Label6, kWebAddress);
  SetLabelCaption(Label8, kSupportMailAddress);
  Layout(window.PixelsPerInch());
  window.AddHint(Label6.BoundsRect(), kWebAddress);
  window.AddHint(Label8.BoundsRect(), kSupportMailAddress);
  SetDefaultLanguage();
  window.AddButton(kBitBtnCloseId, BitBtnClose, BitBtnCloseCaption, ButtonFont());
}

void TAboutForm::DensityChanged(int ppi) {
  Layout(ppi);
  window.MoveButton(kBitBtnCloseId, BitBtnClose, ButtonFont());
  window.MoveHint(0, Label6.BoundsRect());
  window.MoveHint(1, Label8.BoundsRect());
  window.Invalidate();
}

void TAboutForm::FormShow() { SetLanguage(LanguageIndex); }

void TAboutForm::SetText(std::string_view target, const std::string& text) {
  if (target == "GroupBox1") {
    GroupBox1.caption = text;
  } else if (target == "Label5") {
    SetLabelCaption(Label5, text);
  } else if (target == "Label7") {
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
  const int gap_left = g.left + ScaleForDensity(8, PixelsPerInch);
  const int gap_right = gap_left + text.cx;
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
  canvas.TextOut(gap_left, g.top, GroupBox1.caption);

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
