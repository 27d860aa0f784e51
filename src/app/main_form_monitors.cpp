// TMainForm: where the ruler lies among the monitors, and the density its
// centimetre and inch scales take from the monitor holding its zero corner.
#include "app/main_form.h"

namespace mensor {

Point TMainForm::ZeroCornerOnScreen() const {
  const Rect bounds = window.Bounds();
  return {bounds.left + Outline[0].x, bounds.top + Outline[0].y};
}

Box TMainForm::OutlineOnScreen() const {
  const Rect bounds = window.Bounds();
  return OutlineWithWindowAt(bounds.left, bounds.top);
}

Box TMainForm::OutlineWithWindowAt(int left, int top) const {
  const OutlineBoundsRect b = BoundsOf(Outline);
  return {b.MinX + left, b.MinY + top, b.MaxX + left, b.MaxY + top};
}

int TMainForm::RulerPixelsPerInch() const {
  return MonitorOfPoint(platform.Monitors(), ZeroCornerOnScreen()).pixels_per_inch;
}

UnitDensity TMainForm::RulerDensity() const {
  const MonitorList monitors = platform.Monitors();
  const Monitor& monitor = MonitorOfPoint(monitors, ZeroCornerOnScreen());
  UnitDensity density;
  density.pixels_per_inch = monitor.pixels_per_inch;
  density.scaled_pixels = ScaledPixels;
  if (TrueSize) {
    const PhysicalDensity physical = PhysicalDensityOf(monitor, Calibration);
    // The assumed density stays the system's, computed exactly as without
    // True Size.
    if (physical.source != DensitySource::Assumed) density.pixels_per_mm = physical.pixels_per_mm;
  }
  return density;
}

void TMainForm::DpiChanged() {
  // Only the centimetre and inch scales, and the pixel scale in scaled
  // pixels, depend on the density; the custom unit stays as it is.
  if (Unit != kUnitCentimetres && Unit != kUnitInches && !(Unit == kUnitPixels && ScaledPixels)) return;
  const UnitDensity density = RulerDensity();
  if (density.pixels_per_inch != PaintedPixelsPerInch || density.pixels_per_mm != PaintedPixelsPerMm ||
      density.scaled_pixels != PaintedScaledPixels)
    window.Invalidate();
}

}  // namespace mensor
