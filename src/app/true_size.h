// True size: how many screen pixels make a real millimetre on a monitor, and
// the units that depend on it.
//
// A monitor's physical density comes from, in this order: the user's
// calibration of it (app.ini, section Calibration, keyed by the monitor's
// identity, in pixels per metre), the size its EDID reports, or else the
// density the system assumes (pixels per inch / 25.4). Scaled pixels are the
// pixels applications see: device pixels x 96 / the monitor's pixels per
// inch.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "ui/monitors.h"

namespace mensor {

enum class DensitySource { Calibrated, Reported, Assumed };

struct PhysicalDensity {
  double pixels_per_mm = 96 / 25.4;
  DensitySource source = DensitySource::Assumed;
};

// The entries of app.ini's section Calibration as read: monitor identity and
// value text, in file order. Entries that name no connected monitor or hold a
// bad value stay here unused (and in the file untouched).
using Calibrations = std::vector<std::pair<std::string, std::string>>;

// The calibrations a density must lie within, in pixels per millimetre.
inline constexpr double kMinCalibratedDensity = 0.5;
inline constexpr double kMaxCalibratedDensity = 50;
// The lengths of the object a calibration measures, in millimetres, and the
// one offered first (the long side of a bank card).
inline constexpr double kMinCalibrationLength = 10;
inline constexpr double kMaxCalibrationLength = 1000;
inline constexpr double kDefaultCalibrationLength = 85.60;

// Pixels per millimetre of a stored value (pixels per metre, a whole number),
// or nothing when it is no whole number or lies outside the limits.
std::optional<double> CalibratedDensity(std::string_view value);

// The value to store when `pixels` cover `length_mm` on the screen: pixels per
// metre, rounded. Nothing when the length or the density lies outside the
// limits.
std::optional<long long> CalibrationValue(double pixels, double length_mm);

// The stored value of a monitor's calibration (identities compare without
// regard to ASCII case: device paths come in either case), or null.
const std::string* FindCalibration(const Calibrations& calibrations, std::string_view identity);

// The density of a monitor: calibrated, else reported by its EDID, else
// assumed from its pixels per inch.
PhysicalDensity PhysicalDensityOf(const Monitor& monitor, const Calibrations& calibrations);

// What a distance in device pixels is measured with on the ruler's monitor.
struct UnitDensity {
  int pixels_per_inch = 96;  // the monitor's logical density
  // True Size: the monitor's physical pixels per millimetre for centimetres
  // and inches; 0 for the density the system assumes (exactly as without it).
  double pixels_per_mm = 0;
  // The pixel unit counts scaled pixels (pixels_per_inch / 96 device pixels
  // each) instead of device pixels.
  bool scaled_pixels = false;
};

// Device pixels per scaled pixel on a monitor of ppi (1 at 100 %).
double ScaledPixelSize(int pixels_per_inch);

// A distance of `pixels` device pixels in `unit` (a RulerUnit; any other
// value takes the custom unit of pixel_per_unit pixels). A zero density or
// custom unit leaves the distance in pixels.
double DistanceInUnit(double pixels, int unit, const UnitDensity& density, int pixel_per_unit);

}  // namespace mensor
