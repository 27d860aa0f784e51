// GdiCanvas and the shared font cache.
#include "ui/win32/gdi_canvas.h"

#include <algorithm>

#include "ui/win32/convert.h"

namespace mensor::win32 {

HFONT FontCache::Get(const Font& font, int escapement) {
  Key key{font.face, font.height, font.bold, font.italic, font.underline, escapement};
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second.Get();
  LOGFONTW lf{};
  lf.lfHeight = font.height;
  lf.lfEscapement = escapement;
  lf.lfOrientation = escapement;
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = font.italic ? TRUE : FALSE;
  lf.lfUnderline = font.underline ? TRUE : FALSE;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  const std::wstring face = Utf8ToWide(font.face);
  const std::size_t n = std::min<std::size_t>(face.size(), LF_FACESIZE - 1);
  std::copy_n(face.begin(), n, lf.lfFaceName);
  lf.lfFaceName[n] = L'\0';
  HFONT handle = CreateFontIndirectW(&lf);
  if (handle == nullptr) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  fonts_.emplace(key, FontHandle(handle));
  return handle;
}

GdiCanvas::GdiCanvas(HDC dc, FontCache& fonts) : dc_(dc), fonts_(fonts), saved_(dc) {
  SetBkMode(dc_, TRANSPARENT);
  SetROP2(dc_, R2_COPYPEN);
  UsePen(0);
}

GdiCanvas::GdiCanvas(WindowDc dc, FontCache& fonts) : owned_(std::move(dc)), dc_(owned_.Get()), fonts_(fonts), saved_(dc_) {
  SetBkMode(dc_, TRANSPARENT);
  SetROP2(dc_, R2_COPYPEN);
  UsePen(0);
}

void GdiCanvas::UsePen(Color color) {
  Pen pen(CreatePen(PS_SOLID, 1, ToCOLORREF(color)));
  if (!pen) return;
  // The new pen is selected before the old one is deleted.
  SelectObject(dc_, pen.Get());
  pen_ = std::move(pen);
  pen_color_ = color;
}

void GdiCanvas::SetPenColor(Color color) {
  if (color != pen_color_ || !pen_) UsePen(color);
}

void GdiCanvas::SetPenMode(PenMode mode) { SetROP2(dc_, mode == PenMode::Xor ? R2_XORPEN : R2_COPYPEN); }

void GdiCanvas::MoveTo(int x, int y) { MoveToEx(dc_, x, y, nullptr); }

void GdiCanvas::LineTo(int x, int y) { ::LineTo(dc_, x, y); }

void GdiCanvas::FillRect(const Rect& rect, Color color) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return;
  if (!brush_ || color != brush_color_) {
    Brush brush(CreateSolidBrush(ToCOLORREF(color)));
    if (!brush) return;
    brush_ = std::move(brush);
    brush_color_ = color;
  }
  // FillRect copies the brush whatever the DC's line mode (R2_XORPEN) is.
  const RECT r = ToRECT(rect);
  ::FillRect(dc_, &r, brush_.Get());
}

void GdiCanvas::SetFont(const Font& font) {
  SelectObject(dc_, fonts_.Get(font));
  SetTextColor(dc_, ToCOLORREF(font.color));
}

void GdiCanvas::TextOut(int x, int y, std::string_view text) {
  const std::wstring wide = Utf8ToWide(text);
  TextOutW(dc_, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

BITMAPINFO TopDownDib24(int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;  // negative: rows run top to bottom
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  bi.bmiHeader.biCompression = BI_RGB;
  return bi;
}

void GdiCanvas::DrawImage(const Image& image, const Rect& src, Point dst) {
  const int left = std::max(src.left, 0);
  const int top = std::max(src.top, 0);
  const int right = std::min(src.right, image.width);
  const int bottom = std::min(src.bottom, image.height);
  if (right <= left || bottom <= top) return;
  const int w = right - left;
  const int h = bottom - top;
  // NOTE: the picture handed to GDI starts at the first source row and is
  // exactly as tall as the copied part, so the source y is 0 and the
  // row-order conventions of top-down DIBs cannot shift the copy.
  const BITMAPINFO bi = TopDownDib24(image.width, h);
  StretchDIBits(dc_, dst.x + (left - src.left), dst.y + (top - src.top), w, h, left, 0, w, h,
                image.Row(top), &bi, DIB_RGB_COLORS, SRCCOPY);
}

}  // namespace mensor::win32
