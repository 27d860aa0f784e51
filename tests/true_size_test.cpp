// True size: the choice of a monitor's physical density (calibrated, reported,
// assumed), the calibration values of app.ini, and the distances in each unit.
#include "app/true_size.h"

#include <gtest/gtest.h>

#include <string>

#include "app/ruler_unit.h"

namespace mensor {
namespace {

// ---- calibration values ----

TEST(Calibration, StoredValuesInPixelsPerMetre) {
  struct Case {
    const char* value;
    std::optional<double> expected;
  };
  const Case cases[] = {
      {"5000", 5.0},    {"3645", 3.645}, {" 5000 ", 5.0}, {"500", 0.5},        {"50000", 50.0},
      {"499", {}},      {"50001", {}},   {"0", {}},       {"-5000", {}},       {"5000.5", {}},
      {"5 000", {}},    {"", {}},        {"abc", {}},     {"99999999999999999999", {}}, {"0x1388", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    const auto got = CalibratedDensity(c.value);
    ASSERT_EQ(got.has_value(), c.expected.has_value());
    if (got) {
      EXPECT_DOUBLE_EQ(*got, *c.expected);
    }
  }
}

TEST(Calibration, ValueOfAMeasurement) {
  struct Case {
    const char* name;
    double pixels, length_mm;
    std::optional<long long> expected;
  };
  const Case cases[] = {
      {"bank card 428 pixels", 428, 85.60, 5000},
      {"bank card 312 pixels", 312, 85.60, 3645},
      {"one inch of 96 pixels", 96, 25.4, 3780},
      {"10 mm, the shortest", 50, 10, 5000},
      {"1000 mm, the longest", 3000, 1000, 3000},
      {"9.9 mm", 50, 9.9, {}},
      {"1000.1 mm", 3000, 1000.1, {}},
      {"denser than 50 px/mm", 5000, 85.60, {}},
      {"thinner than 0.5 px/mm", 40, 85.60, {}},
      {"no pixels", 0, 85.60, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CalibrationValue(c.pixels, c.length_mm), c.expected);
  }
}

// ---- the density of a monitor ----

TEST(PhysicalDensity, CalibratedElseReportedElseAssumed) {
  Monitor m;
  m.bounds = m.work_area = {0, 0, 1024, 768};
  m.pixels_per_inch = 120;
  m.identity = "DEL-A0B1-0001E240";
  struct Case {
    const char* name;
    bool edid;
    Calibrations calibrations;
    double expected;
    DensitySource source;
  };
  const Case cases[] = {
      {"calibrated over the EDID", true, {{"DEL-A0B1-0001E240", "4000"}}, 4.0, DensitySource::Calibrated},
      {"identity in another case", true, {{"del-a0b1-0001e240", "4000"}}, 4.0, DensitySource::Calibrated},
      {"the first of two entries", true, {{"DEL-A0B1-0001E240", "4000"}, {"DEL-A0B1-0001E240", "3000"}}, 4.0,
       DensitySource::Calibrated},
      {"a bad calibration: the EDID", true, {{"DEL-A0B1-0001E240", "0"}}, 5.12, DensitySource::Reported},
      {"another monitor's calibration", true, {{"GSM-5B7F-00000000", "4000"}}, 5.12, DensitySource::Reported},
      {"no EDID, calibrated", false, {{"DEL-A0B1-0001E240", "4000"}}, 4.0, DensitySource::Calibrated},
      {"no EDID, absurd calibration", false, {{"DEL-A0B1-0001E240", "60000"}}, 120 / 25.4, DensitySource::Assumed},
      {"nothing known", false, {}, 120 / 25.4, DensitySource::Assumed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    m.physical_mm = c.edid ? std::optional<Size>(Size{200, 150}) : std::nullopt;
    const PhysicalDensity d = PhysicalDensityOf(m, c.calibrations);
    EXPECT_DOUBLE_EQ(d.pixels_per_mm, c.expected);
    EXPECT_EQ(d.source, c.source);
  }
  // A monitor of unknown identity matches no calibration, not even an empty key.
  m.identity.clear();
  m.physical_mm.reset();
  EXPECT_EQ(PhysicalDensityOf(m, {{"", "4000"}}).source, DensitySource::Assumed);
}

// ---- distances in each unit ----

TEST(UnitDistances, ScaledPixelsAtEachDisplayScale) {
  struct Case {
    int ppi;
    double expected;  // 600 device pixels in scaled pixels
  };
  const Case cases[] = {{96, 600}, {120, 480}, {144, 400}, {192, 300}, {0, 600}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ppi);
    EXPECT_DOUBLE_EQ(DistanceInUnit(600, kUnitPixels, {c.ppi, 0, true}, 50), c.expected);
    EXPECT_DOUBLE_EQ(DistanceInUnit(600, kUnitPixels, {c.ppi, 0, false}, 50), 600) << "device pixels";
  }
}

TEST(UnitDistances, CentimetresAndInchesAtAPhysicalDensity) {
  struct Case {
    const char* name;
    double pixels;
    int unit;
    UnitDensity density;
    double expected;
  };
  const Case cases[] = {
      {"10 cm at 5.12 px/mm", 512, kUnitCentimetres, {96, 5.12, false}, 10},
      {"1 inch at 5.12 px/mm", 130.048, kUnitInches, {96, 5.12, false}, 1},
      {"1 cm at 2 px/mm, 144 ppi", 20, kUnitCentimetres, {144, 2, false}, 1},
      {"assumed: 96 ppi as without true size", 96, kUnitInches, {96, 0, false}, 1},
      {"assumed: 1 inch in cm", 96, kUnitCentimetres, {96, 0, false}, 2.54},
      {"custom unit ignores the density", 100, kUnitCustom, {96, 5.12, true}, 2},
      {"no resolution: pixels", 100, kUnitCentimetres, {0, 0, false}, 100},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(DistanceInUnit(c.pixels, c.unit, c.density, 50), c.expected, 1e-12);
  }
}

}  // namespace
}  // namespace mensor
