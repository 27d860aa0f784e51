// The drawing surface the core paints on: the ruler window during a paint, the
// ruler window outside a paint (scale line), or the whole screen (rubber band,
// cross-hair). The Win32 layer draws with GDI; tests record the calls.
#pragma once

#include <string>
#include <string_view>

#include "ui/image.h"
#include "ui/types.h"

namespace mensor {

enum class PenMode {
  Copy,  // the pen colour replaces the pixel
  Xor,   // pixel XOR pen colour: drawing the same line twice restores the pixels
};

struct Font {
  std::string face = "MS Sans Serif";
  int height = -11;  // pixels, negative = character height (GDI convention); -11 is 8 points at 96 ppi
  int points = 8;    // the size in points, used for placement arithmetic
  bool bold = false;
  bool italic = false;
  bool underline = false;
  Color color = 0;
  friend bool operator==(const Font&, const Font&) = default;
};

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The pen is always one pixel wide and solid.
  virtual void SetPenColor(Color color) = 0;
  virtual Color PenColor() const = 0;
  virtual void SetPenMode(PenMode mode) = 0;

  virtual void MoveTo(int x, int y) = 0;
  // Draws from the current position to (x, y), the end point excluded, and
  // makes (x, y) the current position.
  virtual void LineTo(int x, int y) = 0;

  // Fills the rectangle (right and bottom exclusive) with a solid colour,
  // replacing the pixels whatever the pen mode; the pen stays as it is.
  virtual void FillRect(const Rect& rect, Color color) = 0;

  // Text with a clear brush: only the glyphs are drawn, the background shows
  // around them. (x, y) is the top-left of the text cell. Text is UTF-8.
  virtual void SetFont(const Font& font) = 0;
  virtual void TextOut(int x, int y, std::string_view text) = 0;

  // Copies the rectangle src of image to dst (top-left), unscaled.
  virtual void DrawImage(const Image& image, const Rect& src, Point dst) = 0;
};

}  // namespace mensor
