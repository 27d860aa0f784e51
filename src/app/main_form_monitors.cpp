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

void TMainForm::DpiChanged() {
  // Only the centimetre and inch scales depend on the density; the pixel
  // scale and the custom unit stay as they are.
  if (Unit != kUnitCentimetres && Unit != kUnitInches) return;
  if (RulerPixelsPerInch() != PaintedPixelsPerInch) window.Invalidate();
}

}  // namespace mensor
