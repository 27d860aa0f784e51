// A 24-bit picture in the layout of a bottom-up-free Windows DIB: rows top to
// bottom, each pixel blue, green, red, each row padded to a multiple of four
// bytes. The see-through capture and the magnifier use it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ui/types.h"

namespace mensor {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bytes;

  static int StrideFor(int width) { return (width * 3 + 3) & ~3; }
  int Stride() const { return StrideFor(width); }
  void Resize(int w, int h) {
    width = w;
    height = h;
    bytes.assign(static_cast<std::size_t>(Stride()) * static_cast<std::size_t>(h), 0);
  }
  std::uint8_t* Row(int y) { return bytes.data() + static_cast<std::size_t>(y) * Stride(); }
  const std::uint8_t* Row(int y) const { return bytes.data() + static_cast<std::size_t>(y) * Stride(); }
  bool Empty() const { return width <= 0 || height <= 0; }
};

// The colour of a pixel, and setting it (no bounds check).
Color PixelOf(const Image& image, int x, int y);
void SetPixel(Image& image, int x, int y, Color color);

// The picture resized to width x height (both at least 1). Smooth: each pixel
// mixes the four source pixels around its centre (for photographs). Not
// smooth: each pixel is a copy of the source pixel under its centre, so no
// new colours appear (for pictures with a transparent colour).
Image ScaleImage(const Image& source, int width, int height, bool smooth);

}  // namespace mensor
