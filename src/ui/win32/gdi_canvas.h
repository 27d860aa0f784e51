// The core's Canvas on a GDI device context: a one-pixel solid pen in copy or
// exclusive-or mode, MoveToEx/LineTo (GDI leaves the end point out, as the
// core expects), solid rectangles, text with a transparent background, and
// 24-bit pictures.
// Fonts come from a cache shared by every canvas and by text measuring.
#pragma once

#include "ui/win32/win32.h"

#include <map>
#include <string>
#include <tuple>

#include "ui/canvas.h"
#include "ui/win32/gdi.h"

namespace mensor::win32 {

// Fonts by face, height and style (the colour is no part of a GDI font). The
// cache lives as long as the platform; its fonts are deleted with it.
class FontCache {
 public:
  HFONT Get(const Font& font, int escapement = 0);

 private:
  using Key = std::tuple<std::string, int, bool, bool, bool, int>;
  std::map<Key, FontHandle> fonts_;
};

class GdiCanvas : public Canvas {
 public:
  // Draws on a DC someone else owns (a paint DC).
  GdiCanvas(HDC dc, FontCache& fonts);
  // Draws on a DC from GetDC and releases it at the end.
  GdiCanvas(WindowDc dc, FontCache& fonts);
  ~GdiCanvas() override = default;
  GdiCanvas(const GdiCanvas&) = delete;
  GdiCanvas& operator=(const GdiCanvas&) = delete;

  void SetPenColor(Color color) override;
  Color PenColor() const override { return pen_color_; }
  void SetPenMode(PenMode mode) override;
  void MoveTo(int x, int y) override;
  void LineTo(int x, int y) override;
  void FillRect(const Rect& rect, Color color) override;
  void SetFont(const Font& font) override;
  void TextOut(int x, int y, std::string_view text) override;
  void DrawImage(const Image& image, const Rect& src, Point dst) override;

  HDC dc() const { return dc_; }

 private:
  void UsePen(Color color);

  // NOTE: declaration order is destruction order reversed: the DC state is
  // restored first (deselecting our pen and font), then the pen is deleted,
  // then a DC of our own is released.
  WindowDc owned_;
  HDC dc_;
  FontCache& fonts_;
  Pen pen_;
  Brush brush_;  // the last fill's brush, never selected into the DC
  SavedDcState saved_;
  Color pen_color_ = 0;
  Color brush_color_ = 0;
};

// BITMAPINFO of a top-down 24-bit DIB of the given size.
BITMAPINFO TopDownDib24(int width, int height);

}  // namespace mensor::win32
