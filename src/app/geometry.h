// The geometric model of the ruler: corners from angle, length and width,
// points along the ruler, bounding box, standard places of the marker and the
// read-out label, and the ruler cursor's line.
//
// Angles are radians in doubles; their sine and cosine are taken in long
// double (80-bit on x86). Corner offsets are truncated toward zero (a cast),
// drawn points and label places are rounded to nearest with ties to even.
#pragma once

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

#include "ui/types.h"

namespace mensor {

using Corners = std::array<Point, 4>;

// The horizontal ruler's angle: the double nearest to -3*pi/2. Compared
// exactly by the Horizontal command.
inline constexpr double kHorizontalAngle = std::bit_cast<double>(std::uint64_t{0xC012D97C7F3321D2});
inline constexpr double kVerticalAngle = 0.0;

struct OutlineBoundsRect {
  int MinX = 0;
  int MinY = 0;
  int MaxX = 0;
  int MaxY = 0;
  friend bool operator==(const OutlineBoundsRect&, const OutlineBoundsRect&) = default;
};

int MinOf4(int a, int b, int c, int d);
int MaxOf4(int a, int b, int c, int d);

// Sine and cosine of an angle in extended precision. The ruler runs from its
// zero corner along (sin, cos) and its body lies towards (cos, -sin).
struct Direction {
  long double sin = 0;
  long double cos = 0;
};
Direction DirectionOf(double angle);

// Round to nearest, ties to even (the default rounding mode).
inline int RoundToInt(long double value) { return static_cast<int>(std::lrint(value)); }

// The corners for a ruler of length L and width W turned by angle about the
// zero corner `zero` (= Outline[0]); every offset truncated toward zero.
Corners CornersAt(Point zero, double angle, int length, int width);
// The exact corners of the two axis-parallel rulers (they agree with
// CornersAt for kHorizontalAngle and kVerticalAngle).
Corners HorizontalCorners(Point zero, int length, int width);
Corners VerticalCorners(Point zero, int length, int width);

// The point at distance p along the ruler from the zero corner, rounded.
Point PointAlong(Point zero, double angle, long double p);

OutlineBoundsRect BoundsOf(const Corners& corners);

// Top-left of the staff marker at its standard place, 20 pixels along the
// ruler; `font_points` is the marker font's size in points.
Point StaffMarkerPlace(Point zero, double angle, int width, int font_points);
// Top-left of the read-out label at its standard place, 50 pixels along the
// ruler, for a label of the given size.
Point NumberLabelPlace(Point zero, double angle, int width, int label_width, int label_height);

// The line of the ruler cursor's 32 x 32 picture: through its centre (16, 16)
// across the ruler, long enough to be clipped by the picture at any angle.
std::pair<Point, Point> RulerCursorLine(double angle);

}  // namespace mensor
