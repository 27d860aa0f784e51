// TMainForm::FormPaint: see-through background, colours, scale, scale line,
// and last the two labels, as the toolkit paints graphic controls after the
// form itself.
#include "app/main_form.h"

#include "app/scale_painter.h"

namespace mensor {

void TMainForm::FormPaint(Canvas& canvas) {
  const PaintScope paint_scope(*this, canvas);  // the scale line goes on this canvas
  const Rect bounds = window.Bounds();
  // Whatever changed the ruler (a stretch, a turn, a key, Fit Screen) ends
  // in a paint: an open calibration dialog shows the length painted.
  FollowRulerInCalibration();

  // 1. In see-through mode the ruler shows the capture of the screen behind
  // it; without a capture the platform's background fill stays alone.
  if (AppSettings.Transparence) {
    if (!ScreenShot) return;
    ComputeOutlineBounds();
    const OutlineBoundsRect& b = OutlineBounds;
    // The capture starts at the virtual screen's top-left corner.
    const int x = bounds.left - ScreenShotOrigin.x;
    const int y = bounds.top - ScreenShotOrigin.y;
    const Rect source{x + b.MinX, y + b.MinY, x + b.MaxX, y + b.MaxY};
    canvas.DrawImage(*ScreenShot, source, {b.MinX, b.MinY});
    RecaptureAllowed = true;
  }

  // 2. Colours.
  if (PaintedBackgroundColor != AppSettings.BackgroundColor) {
    PaintedBackgroundColor = AppSettings.BackgroundColor;
    window.SetBackgroundColor(AppSettings.BackgroundColor);
  }
  canvas.SetPenColor(AppSettings.ForegroundColor);
  canvas.SetPenMode(PenMode::Copy);
  Font font;  // the window's font
  font.points = FontPoints;
  font.color = AppSettings.NumberColor;
  canvas.SetFont(font);
  LabelStaff.font.color = AppSettings.StaffColor;
  LabelNumber.font.color = AppSettings.CurTextColor;

  // 3. The scale. The custom unit's corrections stay in the settings and are
  // saved so.
  if (Unit == kUnitCustom) CorrectCustomUnit(AppSettings.TicksPerUnit, AppSettings.DisplayValueUnit);
  ScaleInput scale;
  scale.unit = Unit;
  scale.zero = Outline[0];
  scale.angle = Angle;
  scale.width = AppSettings.RulerWidth;
  scale.font_points = FontPoints;
  const UnitDensity density = RulerDensity();
  scale.pixels_per_inch = PaintedPixelsPerInch = density.pixels_per_inch;
  scale.pixels_per_mm = PaintedPixelsPerMm = density.pixels_per_mm;
  PaintedScaledPixels = density.scaled_pixels;
  scale.pixel_size = density.scaled_pixels ? ScaledPixelSize(density.pixels_per_inch) : 1;
  scale.pixel_per_unit = AppSettings.PixelPerUnit;
  scale.ticks_per_unit = AppSettings.TicksPerUnit;
  scale.display_value_unit = AppSettings.DisplayValueUnit;
  // The window region lies inside the window; nothing outside can show.
  scale.visible = {0, 0, bounds.Width(), bounds.Height()};
  PaintScale(canvas, scale);

  // 4. The scale line, when shown and placed.
  if (scale_line_shown_ && ScaleLinePoint.x != 0 && ScaleLinePoint.y != 0)
    DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);

  // The edge the read-out or Measure Gap found.
  DrawSnapMark(canvas);

  // 5. The labels with their own fonts, the marker on top.
  for (const Label* label : {&LabelNumber, &LabelStaff}) {
    if (!label->visible) continue;
    canvas.SetFont(label->font);
    canvas.TextOut(label->left, label->top, label->caption);
  }
}

}  // namespace mensor
