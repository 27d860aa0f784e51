// Fitting texts into widths: the text as shown with its "&", cut with an
// ellipsis between characters (never inside a letter of two or more bytes),
// broken onto lines at blanks.
#include "ui/text_fit.h"

#include <gtest/gtest.h>

namespace mensor {
namespace {

// Ten pixels a character, whatever its bytes.
int Width(std::string_view text) {
  int n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return 10 * n;
}

TEST(TextFit, ShownTextDropsThePrefixMarks) {
  EXPECT_EQ(ShownText("&OK"), "OK");
  EXPECT_EQ(ShownText("Fish && Chips"), "Fish & Chips");
  EXPECT_EQ(ShownText("E&xit&"), "Exit&") << "a last & stays";
}

TEST(TextFit, CutToWidth) {
  struct Case {
    const char* what;
    std::string text;
    int width;
    std::string cut;
  };
  const Case cases[] = {
      {"fits: unchanged", "Pixels", 60, "Pixels"},
      {"one too many", "Pixels", 50, "Pixe\xE2\x80\xA6"},
      {"blanks before the ellipsis dropped", "Big ones", 50, "Big\xE2\x80\xA6"},
      {"two-byte letters stay whole", "\xD0\xA3\xD0\xB2\xD0\xB5\xD0\xBB", 30, "\xD0\xA3\xD0\xB2\xE2\x80\xA6"},
      {"not even one letter: the ellipsis", "Pixels", 5, "\xE2\x80\xA6"},
      {"never between & and its letter", "A&bc", 20, "A\xE2\x80\xA6"},
  };
  const TextWidth width = [](std::string_view t) { return Width(ShownText(t)); };
  for (const Case& c : cases) EXPECT_EQ(CutToWidth(c.text, c.width, width), c.cut) << c.what;
}

TEST(TextFit, WrapToWidth) {
  using Lines = std::vector<std::string>;
  struct Case {
    const char* what;
    std::string text;
    int width;
    std::optional<Lines> lines;
  };
  const Case cases[] = {
      {"one line when it fits", "Always On Top", 130, Lines{"Always On Top"}},
      {"two lines at the last blank that fits", "Always On Top", 100, Lines{"Always On", "Top"}},
      {"several blanks count as one break", "Always   On Top", 60, Lines{"Always", "On Top"}},
      {"a word wider than the width", "Transparency", 100, std::nullopt},
      {"three lines needed", "aa bb cc", 20, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(WrapToWidth(c.text, c.width, 2, Width), c.lines) << c.what;
}

}  // namespace
}  // namespace mensor
