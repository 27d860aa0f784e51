// The texts of a reading: the read-out label's caption and the copied text in
// both formats, for every unit and for angles.
#include "app/reading_text.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

struct TextCase {
  Reading reading;
  const char* caption;     // the read-out label
  const char* with_unit;   // "value and unit"
  const char* value_only;  // "value only"
};

const TextCase kCases[] = {
    {{Reading::Distance, 245, kUnitPixels}, "245 ", "245 px", "245"},
    {{Reading::Distance, 1234.4, kUnitPixels}, "1234", "1234 px", "1234"},
    // Whole pixels round to nearest, ties to even, and never show "-0".
    {{Reading::Distance, 244.5, kUnitPixels}, "244 ", "244 px", "244"},
    {{Reading::Distance, 245.5, kUnitPixels}, "246 ", "246 px", "246"},
    {{Reading::Distance, -0.3, kUnitPixels}, "0   ", "0 px", "0"},
    {{Reading::Distance, 245 * 2.54 / 96, kUnitCentimetres}, "6.48  ", "6.48 cm", "6.48"},
    {{Reading::Distance, 245.0 / 96, kUnitInches}, "2.55  ", "2.55 in", "2.55"},
    {{Reading::Distance, 1234.567, kUnitCentimetres}, "1234.57", "1234.57 cm", "1234.57"},
    // A custom unit has no name: its value alone in both formats.
    {{Reading::Distance, 245.0 / 50, kUnitCustom}, "4.90  ", "4.90", "4.90"},
    {{Reading::Angle, 37.5, kUnitPixels}, "37.50 ", "37.50\u00B0", "37.50"},
    {{Reading::Angle, 0, kUnitCentimetres}, "0.00  ", "0.00\u00B0", "0.00"},
};

TEST(ReadingText, CaptionAndCopiedTextsPerUnitAndFormat) {
  for (const TextCase& c : kCases) {
    SCOPED_TRACE(c.with_unit);
    EXPECT_EQ(ReadoutCaption(c.reading), c.caption) << "read-out label";
    EXPECT_EQ(CopiedText(c.reading, kCopyValueAndUnit), c.with_unit) << "value and unit";
    EXPECT_EQ(CopiedText(c.reading, kCopyValueOnly), c.value_only) << "value only";
  }
}

TEST(ReadingText, ReadOutAndCopyAgreeWithPrintfOfTheLabel) {
  // The label kept the look of "%-6.2f" and "%-4d".
  for (double v : {0.004, 0.005, 0.015, 2.675, 99.999, 1e6 / 3}) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%-6.2f", v);
    EXPECT_EQ(ReadoutCaption({Reading::Distance, v, kUnitInches}), expected) << v;
  }
}

TEST(ReadingText, TheRulersLengthBeforeAnyReadingAndTheLastReadingAfter) {
  testing::FakePlatform platform;
  testing::FakeWindow window;
  AppSettings = TAppSettings{};
  TMainForm form(platform, window);
  AppSettings.Length = 490;
  form.Unit = kUnitCentimetres;
  EXPECT_EQ(CopiedText(form.CurrentReading(), kCopyValueAndUnit), "12.96 cm") << "490 px at 96 ppi";
  form.ShowReading({Reading::Angle, 90, kUnitCentimetres});
  EXPECT_EQ(form.LabelNumber.caption, "90.00 ");
  EXPECT_EQ(CopiedText(form.CurrentReading(), kCopyValueAndUnit), "90.00\u00B0");
}

}  // namespace
}  // namespace mensor
