// TInfoForm: the read-out window of the marker drag.
#include "readout/info_form.h"

#include <algorithm>
#include <cstdio>

#include "settings/app_settings.h"

namespace mensor {
namespace {

constexpr char kLineBreak = '\r';
// The text before the first read-out: the form of the point (0, 0), so that
// the first centring already uses a size like the one of real read-outs.
constexpr const char* kInitialCaption = "0    \r0    ";

}  // namespace

TInfoForm::TInfoForm(Platform& p, Window& w) : platform(p), window(w) {
  LabelNumber.name = "LabelNumber";
  LabelNumber.font.face = "MS Sans Serif";
  LabelNumber.font.height = -11;
  LabelNumber.font.points = 8;
  LabelNumber.left = 5;
  LabelNumber.top = 5;
}

void TInfoForm::FormCreate() {
  const Rect bounds = window.Bounds();
  window.SetBounds(bounds.left, bounds.top, kWidth, kHeight);
  window.SetTopmost(true);
  SetLabelCaption(kInitialCaption);
}

void TInfoForm::FormShow() {
  Panel1Color = AppSettings.WinBKColor;
  window.SetBackgroundColor(Panel1Color);
  LabelNumber.font.color = AppSettings.WinNumberColor;
  window.Invalidate();
  window.BringToFront();
}

void TInfoForm::FormPaint(Canvas& canvas) {
  // Outer bevel lowered, one pixel: shadow on the top and left edges,
  // highlight on the bottom and right edges (which also take both lower
  // corners). The inner bevel is a one-pixel space in the panel colour, which
  // the background fill already gives.
  const int right = Width() - 1;
  const int bottom = Height() - 1;
  canvas.SetPenMode(PenMode::Copy);
  canvas.SetPenColor(kBevelShadow);
  canvas.MoveTo(0, bottom);
  canvas.LineTo(0, 0);
  canvas.LineTo(right, 0);
  canvas.SetPenColor(kBevelHighlight);
  canvas.LineTo(right, bottom);
  canvas.LineTo(-1, bottom);

  if (!LabelNumber.visible) return;
  canvas.SetFont(LabelNumber.font);
  const std::vector<std::string> lines = Lines();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    canvas.TextOut(LabelNumber.left, LabelNumber.top + static_cast<int>(i) * line_height_, lines[i]);
  }
}

void TInfoForm::ShowCoordinates(int x, int y) {
  // NOTE: the label is centred before its text changes, so it is centred by
  // the size of the previous read-out.
  LabelNumber.left = (Width() - LabelNumber.width) / 2;
  LabelNumber.top = (Height() - LabelNumber.height) / 2;
  char text[32];
  std::snprintf(text, sizeof text, "%-5d\r%-5d", x, y);
  SetLabelCaption(text);
}

void TInfoForm::FitToDensity(int ppi) {
  if (ppi <= 0 || ppi == pixels_per_inch_) return;
  pixels_per_inch_ = ppi;
  LabelNumber.font.height = -ScaleForDensity(11, ppi);
  const Rect bounds = window.Bounds();
  window.SetBounds(bounds.left, bounds.top, ScaleForDensity(kWidth, ppi), ScaleForDensity(kHeight, ppi));
  // Measures the text again in the new font.
  SetLabelCaption(LabelNumber.caption);
}

void TInfoForm::Show() {
  FormShow();
  window.Show();
}

void TInfoForm::Hide() { window.Hide(); }

void TInfoForm::BringToFront() { window.BringToFront(); }

void TInfoForm::SetBounds(int left, int top, int width, int height) {
  window.SetBounds(left, top, width, height);
}

int TInfoForm::Width() const { return window.Bounds().Width(); }

int TInfoForm::Height() const { return window.Bounds().Height(); }

bool TInfoForm::Visible() const { return window.IsVisible(); }

std::vector<std::string> TInfoForm::Lines() const {
  std::vector<std::string> lines;
  std::string::size_type start = 0;
  for (;;) {
    const std::string::size_type end = LabelNumber.caption.find(kLineBreak, start);
    lines.push_back(LabelNumber.caption.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

void TInfoForm::SetLabelCaption(const std::string& caption) {
  LabelNumber.caption = caption;
  int width = 0;
  int line_height = 0;
  const std::vector<std::string> lines = Lines();
  for (const std::string& line : lines) {
    // An empty line still takes the height of a line.
    const Size size = platform.TextExtent(LabelNumber.font, line.empty() ? " " : line);
    if (!line.empty()) width = std::max(width, size.cx);
    line_height = std::max(line_height, size.cy);
  }
  line_height_ = line_height;
  LabelNumber.width = width;
  LabelNumber.height = line_height * static_cast<int>(lines.size());
  window.Invalidate();
}

}  // namespace mensor
