// The physical density of a monitor and the units built on it; see
// true_size.h.
#include "app/true_size.h"

#include <charconv>
#include <cmath>

#include "app/ruler_unit.h"
#include "text/ini_file.h"
#include "ui/edid.h"

namespace mensor {

std::optional<double> CalibratedDensity(std::string_view value) {
  value = TrimBlanks(value);
  long long per_metre = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), per_metre);
  if (error != std::errc() || end != value.data() + value.size()) return std::nullopt;
  const double per_mm = static_cast<double>(per_metre) / 1000;
  if (per_mm < kMinCalibratedDensity || per_mm > kMaxCalibratedDensity) return std::nullopt;
  return per_mm;
}

std::optional<long long> CalibrationValue(double pixels, double length_mm) {
  if (!(length_mm >= kMinCalibrationLength && length_mm <= kMaxCalibrationLength)) return std::nullopt;
  const double per_mm = pixels / length_mm;
  if (!(per_mm >= kMinCalibratedDensity && per_mm <= kMaxCalibratedDensity)) return std::nullopt;
  return std::llrint(per_mm * 1000);
}

const std::string* FindCalibration(const Calibrations& calibrations, std::string_view identity) {
  if (identity.empty()) return nullptr;
  for (const auto& [key, value] : calibrations)
    if (SameNameIgnoringAsciiCase(key, identity)) return &value;
  return nullptr;
}

PhysicalDensity PhysicalDensityOf(const Monitor& monitor, const Calibrations& calibrations) {
  // The first entry of an identity is the one used, as for any app.ini key.
  if (const std::string* value = FindCalibration(calibrations, monitor.identity))
    if (const auto per_mm = CalibratedDensity(*value)) return {*per_mm, DensitySource::Calibrated};
  const Size pixels{monitor.bounds.Width(), monitor.bounds.Height()};
  if (monitor.physical_mm) return {PixelsPerMillimetre(pixels, *monitor.physical_mm), DensitySource::Reported};
  return {monitor.pixels_per_inch / 25.4, DensitySource::Assumed};
}

double ScaledPixelSize(int pixels_per_inch) { return pixels_per_inch > 0 ? pixels_per_inch / 96.0 : 1; }

double DistanceInUnit(double pixels, int unit, const UnitDensity& density, int pixel_per_unit) {
  const int ppi = density.pixels_per_inch;
  const double per_mm = density.pixels_per_mm;
  switch (unit) {
    case kUnitPixels: return density.scaled_pixels ? pixels / ScaledPixelSize(ppi) : pixels;
    case kUnitCentimetres:
      if (per_mm > 0) return pixels / (per_mm * 10);
      return ppi == 0 ? pixels : pixels * 2.54 / ppi;
    case kUnitInches:
      if (per_mm > 0) return pixels / (per_mm * 25.4);
      return ppi == 0 ? pixels : pixels / ppi;
    default: return pixel_per_unit == 0 ? pixels : pixels / pixel_per_unit;
  }
}

}  // namespace mensor
