// The EDID decoder on blocks shaped like real monitors': refused blocks, the
// picture's size and its plausibility, the monitor's identity.
#include "ui/edid.h"

#include <gtest/gtest.h>

#include <string>

namespace mensor {
namespace {

// The first block of an EDID as a monitor of that make reports it: a
// detailed timing descriptor first (with its image size in millimetres),
// the basic image size in centimetres in bytes 21 and 22, an optional serial
// number descriptor, and the checksum set.
struct EdidShape {
  const char* maker = "DEL";
  unsigned product = 0xA0B1;
  unsigned serial = 0x0001E240;
  Size timing_mm{};
  Size basic_cm{};
  const char* serial_text = nullptr;
  int extensions = 0;
};

std::string BuildEdid(const EdidShape& e) {
  std::string b(128, '\0');
  const unsigned char header[8] = {0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x00};
  for (int i = 0; i < 8; ++i) b[i] = static_cast<char>(header[i]);
  const unsigned id = (e.maker[0] - 'A' + 1) << 10 | (e.maker[1] - 'A' + 1) << 5 | (e.maker[2] - 'A' + 1);
  b[8] = static_cast<char>(id >> 8);
  b[9] = static_cast<char>(id & 0xFF);
  b[10] = static_cast<char>(e.product & 0xFF);
  b[11] = static_cast<char>(e.product >> 8);
  for (int i = 0; i < 4; ++i) b[12 + i] = static_cast<char>((e.serial >> (8 * i)) & 0xFF);
  b[18] = 1;  // version 1.4
  b[19] = 4;
  b[21] = static_cast<char>(e.basic_cm.cx);
  b[22] = static_cast<char>(e.basic_cm.cy);
  // Descriptor 1: a 148.5 MHz timing (1920 x 1080 at 60 Hz) with the size.
  b[54] = static_cast<char>(0x02);
  b[55] = static_cast<char>(0x3A);
  b[66] = static_cast<char>(e.timing_mm.cx & 0xFF);
  b[67] = static_cast<char>(e.timing_mm.cy & 0xFF);
  b[68] = static_cast<char>((e.timing_mm.cx >> 8) << 4 | (e.timing_mm.cy >> 8));
  // Descriptor 2: the monitor's name; descriptor 3: its serial as text.
  b[72 + 3] = static_cast<char>(0xFC);
  b.replace(72 + 5, 13, "MONITOR\n     ");
  if (e.serial_text != nullptr) {
    b[90 + 3] = static_cast<char>(0xFF);
    std::string text = std::string(e.serial_text) + "\n";
    text.resize(13, ' ');
    b.replace(90 + 5, 13, text);
  }
  b[126] = static_cast<char>(e.extensions);
  unsigned sum = 0;
  for (int i = 0; i < 127; ++i) sum += static_cast<unsigned char>(b[i]);
  b[127] = static_cast<char>((256 - sum % 256) % 256);
  for (int i = 0; i < e.extensions; ++i) b += std::string(128, static_cast<char>(0x02 + i));
  return b;
}

constexpr std::optional<Size> kNone = std::nullopt;

TEST(Edid, SizesOfRealWorldMonitors) {
  struct Case {
    const char* name;
    EdidShape shape;
    Size pixels;
    std::optional<Size> expected;
  };
  const Case cases[] = {
      {"24-inch 1920 x 1080", {.timing_mm = {527, 296}, .basic_cm = {53, 30}}, {1920, 1080}, Size{527, 296}},
      {"27-inch 4K", {.timing_mm = {597, 336}, .basic_cm = {60, 34}}, {3840, 2160}, Size{597, 336}},
      {"27-inch 4K at 150 % resolution", {.timing_mm = {597, 336}}, {2560, 1440}, Size{597, 336}},
      {"13.3-inch laptop", {.timing_mm = {294, 165}, .basic_cm = {29, 17}}, {1920, 1080}, Size{294, 165}},
      {"projector: 0 x 0", {}, {1024, 768}, kNone},
      {"24-inch turned by 90 degrees", {.timing_mm = {527, 296}, .basic_cm = {53, 30}}, {1080, 1920}, Size{296, 527}},
      {"no timing size: the centimetres", {.basic_cm = {53, 30}}, {1920, 1080}, Size{530, 300}},
      {"timing size in centimetres by mistake", {.timing_mm = {52, 29}, .basic_cm = {52, 29}}, {1920, 1080},
       Size{520, 290}},
      {"under 100 mm", {.timing_mm = {90, 51}}, {1280, 720}, kNone},
      {"over 3 m", {.timing_mm = {3100, 1744}}, {1920, 1080}, kNone},
      {"3 m exactly", {.timing_mm = {3000, 1688}}, {1920, 1080}, Size{3000, 1688}},
      {"5:4 picture on a 16:9 panel", {.timing_mm = {527, 296}, .basic_cm = {53, 30}}, {1280, 1024}, kNone},
      {"4:3 EDID on a 4:3 desktop", {.timing_mm = {200, 150}}, {1024, 768}, Size{200, 150}},
      {"with an extension block", {.timing_mm = {597, 336}, .extensions = 1}, {3840, 2160}, Size{597, 336}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const auto edid = DecodeEdid(BuildEdid(c.shape));
    ASSERT_TRUE(edid.has_value());
    const auto size = PhysicalSizeOf(*edid, c.pixels);
    ASSERT_EQ(size.has_value(), c.expected.has_value());
    if (size) {
      EXPECT_EQ(*size, *c.expected);
    }
  }
}

TEST(Edid, BlocksThatAreRefused) {
  const std::string good = BuildEdid({.timing_mm = {527, 296}});
  std::string bad_checksum = good;
  bad_checksum[127] = static_cast<char>(bad_checksum[127] + 1);
  std::string bad_header = good;
  bad_header[0] = 1;
  bad_header[127] = static_cast<char>(bad_header[127] - 1);  // checksum still right
  std::string damaged_extension = BuildEdid({.timing_mm = {527, 296}, .extensions = 1});
  damaged_extension[200] = 0x55;
  EXPECT_TRUE(DecodeEdid(good).has_value());
  EXPECT_FALSE(DecodeEdid(bad_checksum).has_value()) << "bad checksum";
  EXPECT_FALSE(DecodeEdid(bad_header).has_value()) << "bad header";
  EXPECT_FALSE(DecodeEdid(good.substr(0, 127)).has_value()) << "127 bytes";
  EXPECT_FALSE(DecodeEdid("").has_value()) << "empty";
  EXPECT_TRUE(DecodeEdid(damaged_extension).has_value()) << "the extension block is not looked at";
}

TEST(Edid, IdentityNamesMakerModelAndUnit) {
  struct Case {
    EdidShape shape;
    const char* expected;
  };
  const Case cases[] = {
      {{.maker = "DEL", .product = 0xA0B1, .serial = 0x0001E240}, "DEL-A0B1-0001E240"},
      {{.maker = "GSM", .product = 0x5B7F, .serial = 0}, "GSM-5B7F-00000000"},
      {{.maker = "SAM", .product = 0x0F2D, .serial = 0x01010101, .serial_text = "H4ZN900123"},
       "SAM-0F2D-H4ZN900123"},
      {{.maker = "AUS", .product = 1, .serial = 7, .serial_text = "K9 LM=00;[12]"}, "AUS-0001-K9LM0012"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeEdid(BuildEdid(c.shape))->identity, c.expected);
}

TEST(Edid, DensityAlongTheDiagonal) {
  EXPECT_DOUBLE_EQ(PixelsPerMillimetre({1024, 768}, {200, 150}), 5.12);
  EXPECT_DOUBLE_EQ(PixelsPerMillimetre({800, 600}, {400, 300}), 2.0);
  EXPECT_NEAR(PixelsPerMillimetre({1920, 1080}, {527, 296}), 3.6446, 1e-4);
}

TEST(Edid, MonitorDescribedByItsEdidElseItsPath) {
  const std::string path = R"(\\?\DISPLAY#MSR0001#5&1a2b3c&0&UID0#{e6f07b5f-ee97-4a90-b076-33f57bf4eaa7})";
  const std::string edid = BuildEdid({.maker = "MSR", .product = 1, .serial = 1, .timing_mm = {200, 150}});
  struct Case {
    const char* name;
    std::string bytes;
    Rect bounds;
    std::string identity;
    std::optional<Size> mm;
  };
  const Case cases[] = {
      {"the EDID", edid, {0, 0, 1024, 768}, "MSR-0001-00000001", Size{200, 150}},
      {"turned by 90 degrees", edid, {1024, 0, 1792, 1024}, "MSR-0001-00000001", Size{150, 200}},
      {"a size that does not fit the pixels", edid, {0, 0, 1920, 1080}, "MSR-0001-00000001", kNone},
      {"no EDID", "", {0, 0, 1024, 768}, path, kNone},
      {"a damaged EDID", edid.substr(0, 100), {0, 0, 1024, 768}, path, kNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Monitor m;
    m.bounds = c.bounds;
    m.physical_mm = Size{1, 1};  // whatever an earlier reading said goes
    DescribeByEdid(m, c.bytes, path);
    EXPECT_EQ(m.identity, c.identity);
    EXPECT_EQ(m.physical_mm, c.mm);
  }
}

}  // namespace
}  // namespace mensor
