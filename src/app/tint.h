// The see-through tint: every pixel of a screen capture mixed with one colour.
// It runs over the whole screen at every capture, on the UI thread, so it is
// written to run at about memory speed.
#pragma once

#include <cstdint>

#include "ui/image.h"
#include "ui/types.h"

namespace mensor {

// Mixes every pixel of image with colour, per channel:
//   new = ((100 - percent) * colour + old * percent) div 100
// percent is the share of the old picture (0: only the colour, 100: the
// picture unchanged); values above 100 count as 100. The padding bytes at the
// end of each row are left as they are.
void TintImage(Image& image, Color colour, std::uint8_t percent);

}  // namespace mensor
