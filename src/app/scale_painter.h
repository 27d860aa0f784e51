// The ruler's scale: ticks of three lengths on both long edges and the
// numbers, for each unit, at any angle, drawn relative to the zero corner.
//
// Two ways to draw the same picture:
//  - Exhaustive: every tick from the zero corner out to 1500 pixels, one after
//    the other, exactly as the graduation rules read;
//  - Fast: the same primitives, in the same order, less those that cannot show
//    inside the visible area and less repeats of a primitive that is drawn
//    again later anyway (at very fine custom spacing a thousand ticks can fall
//    on one pixel). Of each primitive the last drawing is kept, so whatever
//    overlaps comes out on top exactly as in the exhaustive drawing.
#pragma once

#include <cstdint>

#include "ui/canvas.h"
#include "ui/types.h"

namespace mensor {

struct ScaleInput {
  int unit = 0;          // a RulerUnit; any other value draws nothing
  Point zero;            // the zero corner, Outline[0]
  double angle = 0.0;    // Angle
  int width = 60;        // W, the ruler's width
  int font_points = 8;   // s, the size of the numbers' font in points
  int pixels_per_inch = 96;
  // True size: the monitor's physical pixels per millimetre, which the
  // centimetre and inch scales then follow; 0 for pixels_per_inch / 25.4, the
  // density the system assumes.
  double pixels_per_mm = 0;
  // The pixel scale in scaled pixels: device pixels per pixel of the scale
  // (pixels_per_inch / 96); 1 for device pixels.
  double pixel_size = 1;
  // The custom unit (the guards of CorrectCustomUnit are applied again here).
  int pixel_per_unit = 50;
  int ticks_per_unit = 10;
  int display_value_unit = 1;
  // Where anything drawn can show at all (the window's client area); the fast
  // drawing leaves out what lies wholly outside.
  Rect visible;
};

enum class ScaleDrawing { Fast, Exhaustive };

// Draws the scale with the canvas's current pen and font (the caller sets the
// colours). Lines are one-pixel lines with the end point excluded; numbers
// are text-outs at their top-left corner.
void PaintScale(Canvas& canvas, const ScaleInput& input, ScaleDrawing drawing = ScaleDrawing::Fast);

// The custom unit's corrections made before each paint: 0 ticks per unit
// and a number every 0 units both become 1.
void CorrectCustomUnit(int& ticks_per_unit, int& display_value_unit);

// Tick spacing in pixels of a unit (Round(1500 / spacing) is the last tick's
// index), with the custom unit's zero spacing taken as 1. Zero for a unit
// that draws no scale.
double TickSpacing(const ScaleInput& input);

}  // namespace mensor
