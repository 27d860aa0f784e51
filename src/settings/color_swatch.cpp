// PaintColorSwatch: the framed colour picture of a colour button.
#include "settings/color_swatch.h"

namespace mensor {
namespace {

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kBlack = 0;

}  // namespace

ColorSwatch PaintColorSwatch(int button_width, int button_height, Color color) {
  ColorSwatch swatch;
  const Color fill = color & 0xFFFFFF;
  const int w = button_width - 6;
  const int h = button_height - 6;
  swatch.transparent = fill == kWhite ? kYellow : kWhite;
  if (w <= 0 || h <= 0) return swatch;

  Image& image = swatch.picture;
  image.Resize(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) SetPixel(image, x, y, kWhite);
  SetPixel(image, 0, h - 1, swatch.transparent);

  // The rectangle (0, 0)-(w - 1, h - 1) with the right and bottom bounds
  // excluded: its outline is the one-pixel black pen, its inside the colour.
  const int right = w - 2;
  const int bottom = h - 2;
  for (int y = 0; y <= bottom; ++y)
    for (int x = 0; x <= right; ++x) {
      const bool frame = x == 0 || y == 0 || x == right || y == bottom;
      SetPixel(image, x, y, frame ? kBlack : fill);
    }
  return swatch;
}

}  // namespace mensor
