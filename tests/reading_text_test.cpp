// The texts of a reading: the read-out label's caption and the copied text in
// both formats, for every unit and for angles.
#include "app/reading_text.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/main_form.h"
#include "app/ruler_commands.h"
#include "fake_platform.h"
#include "ui/clipboard.h"

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

// Ctrl+C on the ruler: the reading shown, in the format of the settings; a
// clipboard held for longer than the retries is told once.
TEST(ReadingText, CtrlCOnTheRulerCopiesTheReadingOrSaysOnceThatItCouldNot) {
  struct CopyCase {
    int format;  // CopyFormat as app.ini holds it
    int busy;    // tries the clipboard is held for
    const char* copied;  // nullptr: nothing copied
    int messages;
  };
  const CopyCase cases[] = {
      {kCopyValueAndUnit, 0, "245 px", 0},
      {kCopyValueOnly, 0, "245", 0},
      {kCopyValueAndUnit, kClipboardTries - 1, "245 px", 0},
      {kCopyValueAndUnit, kClipboardTries + 5, nullptr, 1},
  };
  for (const CopyCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.format) + " busy " + std::to_string(c.busy));
    testing::FakePlatform platform;
    testing::FakeWindow window;
    AppSettings = TAppSettings{};
    AppSettings.CopyFormat = c.format;
    TMainForm form(platform, window);
    form.ShowReading({Reading::Distance, 245, kUnitPixels});
    platform.clipboard_answers.assign(c.busy, ClipboardResult::Busy);
    EXPECT_TRUE(form.KeyDown('C', kCtrl));
    EXPECT_LE(platform.clipboard_tries, kClipboardTries) << "never a hang";
    EXPECT_EQ(platform.clipboard.has_value(), c.copied != nullptr);
    if (c.copied != nullptr) {
      EXPECT_EQ(*platform.clipboard, c.copied);
    }
    ASSERT_EQ(static_cast<int>(platform.infos.size()), c.messages);
    if (c.messages > 0) {
      EXPECT_EQ(platform.infos[0], "The measurement could not be copied: another program is using the clipboard.");
    }
  }
}

}  // namespace
}  // namespace mensor
