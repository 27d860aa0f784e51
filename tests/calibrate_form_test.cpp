// The calibration dialog through the fake dialog window: what each way of
// leaving it leaves in the calibrations, and the sources it names.
#include "app/calibrate_form.h"

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "fake_platform.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

using testing::FakeDialogWindow;
using testing::FakePlatform;
using C = TCalibrateForm;

constexpr const char* kId = "MSR-0001-00000001";

class CalibrateFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InfoCaption = "Information";
    Monitor m;
    m.bounds = m.work_area = {0, 0, 1024, 768};
    m.primary = true;
    m.physical_mm = Size{200, 150};
    m.identity = kId;
    Monitor second;
    second.bounds = second.work_area = {1024, 0, 1824, 600};
    platform.monitors = {m, second};
  }

  // Opens the dialog for a ruler of `pixels` on the first monitor; the user
  // does `act` and the dialog ends.
  C::Outcome Run(int pixels, const std::function<void(FakeDialogWindow&, C&)>& act) {
    platform.on_dialog = [&](FakeDialogWindow& window, DialogHandler& handler) {
      window_texts = window.edits;
      act(window, static_cast<C&>(handler));
    };
    ended_with = C::Outcome::None;
    dialog = OpenCalibrateDialog(platform, kRuler, kOnFirst, pixels, calibrations, [this](C::Outcome o) {
      ended_with = o;
      ++ends;
    });
    return ended_with;
  }

  // The ruler's box and a zero corner on each monitor.
  static constexpr Box kRuler{212, 294, 812, 354};
  static constexpr Point kOnFirst{212, 354};
  static constexpr Point kOnSecond{1300, 300};

  FakePlatform platform;
  CalibrateDialog dialog;
  C::Outcome ended_with = C::Outcome::None;
  int ends = 0;
  SectionEntries calibrations;
  std::map<int, std::string> window_texts;
};

TEST_F(CalibrateFormTest, TheLengthGivenGivesThePixelsPerMetre) {
  struct Case {
    const char* typed;
    bool inches;
    int pixels;
    const char* stored;  // nullptr: refused with the message, the dialog stays open
  };
  const Case cases[] = {
      {"85.60", false, 428, "5000"},   // a bank card, 5 pixels per millimetre
      {" 85,6 ", false, 428, "5000"},  // a decimal comma and blanks
      {"3.37", true, 428, "5000"},     // 85.598 mm
      {"100", false, 378, "3780"},
      {"10", false, 100, "10000"},
      {"1000", false, 3000, "3000"},
      {"9.9", false, 100, nullptr},    // shorter than 10 mm
      {"1001", false, 3000, nullptr},  // longer than 1000 mm
      {"85.6", false, 20, nullptr},    // under 0.5 pixels per millimetre
      {"abc", false, 428, nullptr},
      {"", false, 428, nullptr},
      {"85.6mm", false, 428, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    calibrations = SectionEntries();
    platform.infos.clear();
    int closes = 0;
    const C::Outcome outcome = Run(c.pixels, [&](FakeDialogWindow& window, C& form) {
      if (c.inches) form.ButtonClick(C::kUnitButton);
      window.edits[C::kLengthEdit] = c.typed;
      form.ButtonClick(C::kOK);
      closes = window.closes;
    });
    if (c.stored != nullptr) {
      EXPECT_EQ(outcome, C::Outcome::Calibrated);
      EXPECT_EQ(calibrations.Find(kId), c.stored);
      EXPECT_EQ(closes, 1);
      EXPECT_TRUE(platform.infos.empty());
    } else {
      EXPECT_EQ(outcome, C::Outcome::None);
      EXPECT_TRUE(calibrations.entries().empty());
      EXPECT_EQ(closes, 0);
      EXPECT_EQ(platform.infos, std::vector<std::string>{"Enter the object's length, from 10 to 1000 mm (0.39 to "
                                                         "39.37 in), with the ruler stretched along it."});
    }
  }
}

TEST_F(CalibrateFormTest, OffersABankCardAndConvertsBetweenMillimetresAndInches) {
  std::vector<std::string> seen;
  Run(428, [&](FakeDialogWindow& window, C& form) {
    seen.push_back(window.edits[C::kLengthEdit]);
    form.ButtonClick(C::kUnitButton);
    seen.push_back(window.edits[C::kLengthEdit]);
    window.edits[C::kLengthEdit] = "2";
    form.ButtonClick(C::kUnitButton);
    seen.push_back(window.edits[C::kLengthEdit]);
    form.KeyDown(vk::kEscape);
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"85.60", "3.37", "50.80"}));
}

TEST_F(CalibrateFormTest, CancelAndEscChangeNothingAndForgetRemovesTheMonitorsKey) {
  calibrations.Set(kId, "4000");
  calibrations.Set("GSM-5B7F-00000000", "3000");
  const SectionEntries before = calibrations;
  EXPECT_EQ(Run(428, [](FakeDialogWindow&, C& form) { form.ButtonClick(C::kCancel); }), C::Outcome::None);
  EXPECT_EQ(Run(428, [](FakeDialogWindow&, C& form) { form.KeyDown(vk::kEscape); }), C::Outcome::None);
  EXPECT_EQ(calibrations, before);

  EXPECT_EQ(Run(428, [](FakeDialogWindow&, C& form) { form.ButtonClick(C::kForget); }), C::Outcome::Forgotten);
  EXPECT_FALSE(calibrations.Find(kId).has_value());
  EXPECT_EQ(calibrations.Find("GSM-5B7F-00000000"), "3000") << "another monitor's calibration stays";
  // Nothing left to forget.
  EXPECT_EQ(Run(428, [](FakeDialogWindow&, C& form) { form.ButtonClick(C::kForget); }), C::Outcome::None);
}

TEST_F(CalibrateFormTest, EachMonitorsSourceIsNamed) {
  std::vector<std::vector<std::string>> lines;
  const auto look = [&](FakeDialogWindow&, C& form) {
    lines.push_back(form.MonitorLines());
    form.ButtonClick(C::kCancel);
  };
  Run(428, look);
  calibrations.Set(kId, "5000");
  Run(428, look);
  EXPECT_EQ(ends, 2);
  EXPECT_EQ(lines, (std::vector<std::vector<std::string>>{
                       {"Monitor 1 (1024 x 768): reported by the monitor, 5.12 pixels per mm",
                        "Monitor 2 (800 x 600): assumed by Windows, 3.78 pixels per mm"},
                       {"Monitor 1 (1024 x 768): calibrated, 5.00 pixels per mm",
                        "Monitor 2 (800 x 600): assumed by Windows, 3.78 pixels per mm"}}));
}

TEST_F(CalibrateFormTest, WhileOpenItFollowsTheRulersLengthAndMonitor) {
  platform.monitors[1].identity = "GSM-5B7F-00000000";
  Run(300, [](FakeDialogWindow&, C&) {});
  ASSERT_TRUE(dialog.IsOpen());
  FakeDialogWindow& window = static_cast<FakeDialogWindow&>(*dialog.window);
  EXPECT_TRUE(window.modeless) << "the ruler stays usable";
  EXPECT_EQ(window.ruler.min_y, kRuler.min_y) << "opened beside the ruler";
  const auto pixels_line = [&] {
    for (const testing::DrawOp& op : window.Paint(*dialog.form).ops)
      if (op.text.rfind("Length of the ruler", 0) == 0) return op.text;
    return std::string();
  };
  struct Step {
    int pixels;
    Point zero;
    const char* shown;
    bool repainted;
  };
  const Step steps[] = {
      {300, kOnFirst, "Length of the ruler in pixels: 300 (Monitor 1)", false},  // nothing new
      {428, kOnFirst, "Length of the ruler in pixels: 428 (Monitor 1)", true},   // stretched
      {428, kOnSecond, "Length of the ruler in pixels: 428 (Monitor 2)", true},  // moved over
      {428, kOnSecond, "Length of the ruler in pixels: 428 (Monitor 2)", false},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.shown);
    const int before = window.invalidations;
    dialog.form->RulerChanged(step.pixels, platform.monitors, step.zero);
    EXPECT_EQ(pixels_line(), step.shown);
    EXPECT_EQ(window.invalidations > before, step.repainted);
  }
  // OK calibrates the monitor now holding the zero corner, with the length
  // now shown, and ends the dialog once.
  dialog.form->ButtonClick(C::kOK);
  EXPECT_EQ(calibrations.Find("GSM-5B7F-00000000"), "5000");
  EXPECT_FALSE(calibrations.Find(kId).has_value());
  EXPECT_FALSE(dialog.IsOpen());
  EXPECT_FALSE(window.shown);
  dialog.form->Cancel();
  dialog.form->RulerChanged(600, platform.monitors, kOnFirst);
  EXPECT_EQ(ends, 1) << "an ended dialog ends no more";
  EXPECT_EQ(calibrations.Find("GSM-5B7F-00000000"), "5000");
}

}  // namespace
}  // namespace mensor
