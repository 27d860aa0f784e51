// The picture of a colour button in the preferences dialog: a swatch of the
// colour in a black frame, with a corner pixel that names the transparent
// colour the button shows it with.
#pragma once

#include "ui/image.h"
#include "ui/types.h"

namespace mensor {

struct ColorSwatch {
  Image picture;
  // The colour of the picture's bottom-left pixel; the button draws the
  // picture with this colour transparent.
  Color transparent = 0;
};

// The swatch for a button of button_width x button_height pixels: a picture
// of (button_width - 6) x (button_height - 6) pixels (empty when that is not
// positive). The picture starts white, as the toolkit's fresh bitmaps do (not
// black like a bare compatible bitmap). Its bottom-left pixel is yellow
// (0x00FFFF) for a white colour and white for any other. Then a black frame
// filled with the colour covers (0, 0) to (width - 1, height - 1), right and
// bottom bounds excluded, so the last column and the last row stay white (for
// every colour but white they are the transparent colour). Only the low 24
// bits of the colour count.
ColorSwatch PaintColorSwatch(int button_width, int button_height, Color color);

}  // namespace mensor
