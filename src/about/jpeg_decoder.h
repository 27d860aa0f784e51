// Decoding of JPEG pictures with libjpeg: bytes in, RGB pixels or a clear
// error out. Corrupt or truncated data is an error, never a crash or an exit
// of the program; warnings about corrupt data count as errors too, so a
// picture is either decoded whole or not at all.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "ui/image.h"

namespace mensor {

struct RgbPicture {
  int width = 0;
  int height = 0;
  // Rows top to bottom, three bytes per pixel: red, green, blue; no padding.
  std::vector<std::uint8_t> rgb;

  const std::uint8_t* Pixel(int x, int y) const {
    return rgb.data() + (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + x) * 3;
  }
};

struct JpegResult {
  bool ok = false;
  RgbPicture picture;  // empty unless ok
  std::string error;   // why not, unless ok
};

// Pictures beyond this many pixels are refused before any memory is taken
// for them: a damaged header may claim up to 65500 x 65500.
inline constexpr std::size_t kMaxJpegPixels = 16u * 1024u * 1024u;

JpegResult DecodeJpeg(std::string_view bytes);

// The picture in the layout the canvas draws (blue, green, red; padded rows).
Image ToImage(const RgbPicture& picture);

}  // namespace mensor
