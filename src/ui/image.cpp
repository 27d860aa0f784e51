// Picture resizing; see image.h.
#include "ui/image.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace mensor {
namespace {

// The source position of a target pixel's centre, along one axis, clamped to
// the first and last source pixel centres.
double SourceCentre(int target, int target_size, int source_size) {
  const double s = (target + 0.5) * source_size / target_size - 0.5;
  return std::clamp(s, 0.0, static_cast<double>(source_size - 1));
}

}  // namespace

Color PixelOf(const Image& image, int x, int y) {
  const std::uint8_t* p = image.Row(y) + x * 3;
  return MakeColor(p[2], p[1], p[0]);
}

void SetPixel(Image& image, int x, int y, Color color) {
  std::uint8_t* p = image.Row(y) + x * 3;
  p[0] = BlueOf(color);
  p[1] = GreenOf(color);
  p[2] = RedOf(color);
}

Image ScaleImage(const Image& source, int width, int height, bool smooth) {
  Image out;
  if (source.Empty() || width <= 0 || height <= 0) return out;
  out.Resize(width, height);
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = out.Row(y);
    if (!smooth) {
      // The source pixel under each centre: floor((i + 0.5) * source / target).
      const int iy = static_cast<int>((2 * std::int64_t{y} + 1) * source.height / (2 * std::int64_t{height}));
      for (int x = 0; x < width; ++x) {
        const int ix = static_cast<int>((2 * std::int64_t{x} + 1) * source.width / (2 * std::int64_t{width}));
        std::copy_n(source.Row(iy) + 3 * ix, 3, row + 3 * x);
      }
      continue;
    }
    const double sy = SourceCentre(y, height, source.height);
    const int y0 = static_cast<int>(sy);
    const int y1 = std::min(y0 + 1, source.height - 1);
    const double fy = sy - y0;
    const std::uint8_t* top = source.Row(y0);
    const std::uint8_t* bottom = source.Row(y1);
    for (int x = 0; x < width; ++x) {
      const double sx = SourceCentre(x, width, source.width);
      const int x0 = static_cast<int>(sx);
      const int x1 = std::min(x0 + 1, source.width - 1);
      const double fx = sx - x0;
      for (int c = 0; c < 3; ++c) {
        const double upper = top[3 * x0 + c] * (1 - fx) + top[3 * x1 + c] * fx;
        const double lower = bottom[3 * x0 + c] * (1 - fx) + bottom[3 * x1 + c] * fx;
        row[3 * x + c] = static_cast<std::uint8_t>(std::lround(upper * (1 - fy) + lower * fy));
      }
    }
  }
  return out;
}

}  // namespace mensor
