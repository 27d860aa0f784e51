// EDID decoding and the plausibility of the size it reports; see edid.h.
//
// The first block's layout (all EDID versions from 1.0):
//   0..7    the header 00 FF FF FF FF FF FF 00
//   8..9    manufacturer: three letters of five bits each ('A' = 1), big-endian
//   10..11  product code, little-endian
//   12..15  serial number, little-endian
//   21, 22  the picture's width and height in centimetres (0 when not given)
//   54..125 four 18-byte descriptors: a detailed timing when its first two
//           bytes (the pixel clock) are not both 0, with the picture's width
//           in millimetres in bytes 12 and the high half of 14, its height in
//           13 and the low half of 14; else a display descriptor whose byte 3
//           gives its kind (0xFF: the serial number as text)
//   127     checksum: the 128 bytes add up to 0 modulo 256
#include "ui/edid.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

namespace mensor {
namespace {

constexpr std::size_t kBlock = 128;
constexpr std::size_t kDescriptors = 54;
constexpr std::size_t kDescriptorSize = 18;
constexpr int kMinSideMm = 100;
constexpr int kMaxSideMm = 3000;
// How far the picture's ratio of width to height may lie from the pixels'.
constexpr double kAspectTolerance = 0.15;

unsigned Byte(std::string_view b, std::size_t i) { return static_cast<unsigned char>(b[i]); }

std::string ManufacturerOf(std::string_view b) {
  const unsigned id = Byte(b, 8) << 8 | Byte(b, 9);
  std::string letters;
  for (const int shift : {10, 5, 0}) {
    const unsigned v = (id >> shift) & 0x1F;
    // An unassigned code reads as 'X', keeping the identity to letters.
    letters += v >= 1 && v <= 26 ? static_cast<char>('A' + v - 1) : 'X';
  }
  return letters;
}

// The text of the serial-number descriptor, letters and digits only.
std::string SerialTextOf(std::string_view b) {
  for (std::size_t d = kDescriptors; d + kDescriptorSize <= kBlock - 2; d += kDescriptorSize) {
    if (Byte(b, d) != 0 || Byte(b, d + 1) != 0 || Byte(b, d + 3) != 0xFF) continue;
    std::string text;
    for (std::size_t i = d + 5; i < d + kDescriptorSize; ++i) {
      const char c = b[i];
      if (c == '\n') break;
      if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) text += c;
    }
    return text;
  }
  return {};
}

Size TimingSizeOf(std::string_view b) {
  for (std::size_t d = kDescriptors; d + kDescriptorSize <= kBlock - 2; d += kDescriptorSize) {
    if (Byte(b, d) == 0 && Byte(b, d + 1) == 0) continue;  // a display descriptor
    const unsigned high = Byte(b, d + 14);
    return {static_cast<int>(Byte(b, d + 12) | (high & 0xF0) << 4),
            static_cast<int>(Byte(b, d + 13) | (high & 0x0F) << 8)};
  }
  return {};
}

// mm turned to the pixels' orientation, or nothing when implausible.
std::optional<Size> Plausible(Size mm, Size pixels) {
  if (pixels.cx <= 0 || pixels.cy <= 0) return std::nullopt;
  // A monitor turned by 90 degrees still reports its size as built.
  if ((mm.cx > mm.cy && pixels.cx < pixels.cy) || (mm.cx < mm.cy && pixels.cx > pixels.cy)) std::swap(mm.cx, mm.cy);
  for (const int side : {mm.cx, mm.cy})
    if (side < kMinSideMm || side > kMaxSideMm) return std::nullopt;
  const double picture = static_cast<double>(mm.cx) / mm.cy;
  const double grid = static_cast<double>(pixels.cx) / pixels.cy;
  if (std::fabs(picture / grid - 1) > kAspectTolerance) return std::nullopt;
  return mm;
}

}  // namespace

std::optional<EdidInfo> DecodeEdid(std::string_view bytes) {
  static constexpr unsigned char kHeader[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  if (bytes.size() < kBlock) return std::nullopt;
  for (std::size_t i = 0; i < 8; ++i)
    if (Byte(bytes, i) != kHeader[i]) return std::nullopt;
  unsigned sum = 0;
  for (std::size_t i = 0; i < kBlock; ++i) sum += Byte(bytes, i);
  if (sum % 256 != 0) return std::nullopt;

  EdidInfo info;
  const unsigned product = Byte(bytes, 10) | Byte(bytes, 11) << 8;
  const std::uint32_t serial = Byte(bytes, 12) | Byte(bytes, 13) << 8 | Byte(bytes, 14) << 16 |
                               static_cast<std::uint32_t>(Byte(bytes, 15)) << 24;
  std::string serial_text = SerialTextOf(bytes);
  if (serial_text.empty()) {
    char hex[16];
    std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(serial));
    serial_text = hex;
  }
  char product_hex[8];
  std::snprintf(product_hex, sizeof product_hex, "%04X", product);
  info.identity = ManufacturerOf(bytes) + "-" + product_hex + "-" + serial_text;
  info.timing_mm = TimingSizeOf(bytes);
  info.basic_mm = {static_cast<int>(Byte(bytes, 21)) * 10, static_cast<int>(Byte(bytes, 22)) * 10};
  return info;
}

std::optional<Size> PhysicalSizeOf(const EdidInfo& edid, Size pixels) {
  if (auto mm = Plausible(edid.timing_mm, pixels)) return mm;
  return Plausible(edid.basic_mm, pixels);
}

double PixelsPerMillimetre(Size pixels, Size mm) {
  return std::hypot(pixels.cx, pixels.cy) / std::hypot(mm.cx, mm.cy);
}

void DescribeByEdid(Monitor& monitor, std::string_view edid_bytes, const std::string& device_path) {
  monitor.physical_mm.reset();
  monitor.identity = device_path;
  const auto edid = DecodeEdid(edid_bytes);
  if (!edid) return;
  monitor.identity = edid->identity;
  monitor.physical_mm = PhysicalSizeOf(*edid, {monitor.bounds.Width(), monitor.bounds.Height()});
}

}  // namespace mensor
