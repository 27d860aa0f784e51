// ReadBmp: BITMAPFILEHEADER + BITMAPINFOHEADER (or a later, longer header),
// an optional palette, then the rows, each padded to four bytes.
#include "about/bmp_reader.h"

#include <cstdint>
#include <cstdlib>
#include <vector>

namespace mensor {
namespace {

std::uint32_t U16(std::string_view b, std::size_t at) {
  return static_cast<std::uint8_t>(b[at]) | static_cast<std::uint8_t>(b[at + 1]) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

BmpResult Fail(const char* why) {
  BmpResult r;
  r.error = why;
  return r;
}

constexpr std::size_t kFileHeader = 14;
constexpr std::size_t kInfoHeader = 40;
constexpr long kMaxSide = 4096;

}  // namespace

BmpResult ReadBmp(std::string_view b) {
  if (b.size() < kFileHeader + kInfoHeader || b[0] != 'B' || b[1] != 'M') return Fail("not a bitmap file");
  const std::size_t offset = U32(b, 10);
  const std::size_t header = U32(b, 14);
  const long width = static_cast<std::int32_t>(U32(b, 18));
  const long signed_height = static_cast<std::int32_t>(U32(b, 22));
  const unsigned bits = U16(b, 28);
  const unsigned compression = U32(b, 30);
  std::size_t colours = U32(b, 46);
  if (header < kInfoHeader || kFileHeader + header > b.size()) return Fail("bad bitmap header");
  if (compression != 0) return Fail("compressed bitmaps are not supported");
  if (bits != 8 && bits != 24) return Fail("only 8- and 24-bit bitmaps are supported");
  const long height = std::labs(signed_height);
  if (width <= 0 || height <= 0 || width > kMaxSide || height > kMaxSide) return Fail("bad bitmap size");

  std::vector<Color> palette;
  if (bits == 8) {
    if (colours == 0) colours = 256;
    if (colours > 256) return Fail("bad palette size");
    const std::size_t at = kFileHeader + header;
    if (at + colours * 4 > b.size()) return Fail("truncated palette");
    for (std::size_t i = 0; i < colours; ++i) {
      const std::size_t p = at + i * 4;  // blue, green, red, reserved
      palette.push_back(MakeColor(static_cast<std::uint8_t>(b[p + 2]), static_cast<std::uint8_t>(b[p + 1]),
                                  static_cast<std::uint8_t>(b[p])));
    }
  }
  const std::size_t stride = (static_cast<std::size_t>(width) * bits / 8 + 3) & ~std::size_t{3};
  if (offset > b.size() || b.size() - offset < stride * static_cast<std::size_t>(height))
    return Fail("truncated pixel data");

  BmpResult r;
  r.image.Resize(static_cast<int>(width), static_cast<int>(height));
  for (long y = 0; y < height; ++y) {
    // Positive heights are stored bottom row first.
    const long stored = signed_height > 0 ? height - 1 - y : y;
    const char* src = b.data() + offset + static_cast<std::size_t>(stored) * stride;
    std::uint8_t* dst = r.image.Row(static_cast<int>(y));
    for (long x = 0; x < width; ++x) {
      if (bits == 24) {
        dst[x * 3 + 0] = static_cast<std::uint8_t>(src[x * 3 + 0]);
        dst[x * 3 + 1] = static_cast<std::uint8_t>(src[x * 3 + 1]);
        dst[x * 3 + 2] = static_cast<std::uint8_t>(src[x * 3 + 2]);
        continue;
      }
      const std::size_t index = static_cast<std::uint8_t>(src[x]);
      if (index >= palette.size()) return Fail("pixel outside the palette");
      SetPixel(r.image, static_cast<int>(x), static_cast<int>(y), palette[index]);
    }
  }
  r.ok = true;
  return r;
}

}  // namespace mensor
