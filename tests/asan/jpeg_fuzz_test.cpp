// The JPEG decoder fed the banner cut at every length and with random bytes
// changed, built with AddressSanitizer: each attempt must end in a clean
// failure or a whole picture, never in a crash, an exit or a bad memory access.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "about/jpeg_decoder.h"

namespace mensor {
namespace {

std::string Banner() {
  std::ifstream in(MENSOR_SOURCE_DIR "/src/about/pictures/banner.jpg", std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectCleanResult(const JpegResult& r, const std::string& what) {
  if (r.ok) {
    EXPECT_GT(r.picture.width, 0) << what;
    EXPECT_EQ(r.picture.rgb.size(), static_cast<std::size_t>(r.picture.width) * r.picture.height * 3) << what;
  } else {
    EXPECT_FALSE(r.error.empty()) << what << ": a failure says why";
    EXPECT_TRUE(r.picture.rgb.empty()) << what << ": a failure gives no pixels";
  }
}

TEST(JpegFuzz, EveryTruncationOfTheBannerFailsCleanly) {
  const std::string banner = Banner();
  ASSERT_GT(banner.size(), 1000u);
  // Every length through the headers and the start of the scan data, then
  // every fifth one: a few seconds under the sanitizer.
  for (std::size_t n = 0; n < banner.size(); n += n < 1024 ? 1 : 5) {
    const JpegResult r = DecodeJpeg(std::string_view(banner).substr(0, n));
    EXPECT_FALSE(r.ok) << "the banner cut to " << n << " bytes decodes";
    ExpectCleanResult(r, "cut to " + std::to_string(n));
  }
  EXPECT_TRUE(DecodeJpeg(banner).ok) << "the whole banner";
}

TEST(JpegFuzz, RandomByteChangesFailCleanlyOrDecode) {
  const std::string banner = Banner();
  std::mt19937 random(20261208);
  std::uniform_int_distribution<std::size_t> place(0, banner.size() - 1);
  std::uniform_int_distribution<int> count(1, 4), byte(0, 255);
  int decoded = 0;
  for (int round = 0; round < 400; ++round) {
    std::string damaged = banner;
    for (int k = count(random); k > 0; --k) damaged[place(random)] = static_cast<char>(byte(random));
    const JpegResult r = DecodeJpeg(damaged);
    ExpectCleanResult(r, "round " + std::to_string(round));
    decoded += r.ok ? 1 : 0;
  }
  // Changes in the scan data often still decode (to other colours); changes
  // in the headers mostly do not. Both kinds must have occurred.
  EXPECT_GT(decoded, 0);
  EXPECT_LT(decoded, 400);
}

}  // namespace
}  // namespace mensor
