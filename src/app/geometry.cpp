// The ruler's geometric model: corner rules and standard places.
#include "app/geometry.h"

#include <algorithm>
#include <cmath>

namespace mensor {
namespace {

// Truncation toward zero of a corner offset.
int Trunc(long double value) { return static_cast<int>(value); }

}  // namespace

int MinOf4(int a, int b, int c, int d) { return std::min({a, b, c, d}); }
int MaxOf4(int a, int b, int c, int d) { return std::max({a, b, c, d}); }

Direction DirectionOf(double angle) {
  const long double a = angle;
  return {std::sin(a), std::cos(a)};
}

Corners CornersAt(Point zero, double angle, int length, int width) {
  const Direction d = DirectionOf(angle);
  const int along_x = Trunc(d.sin * length);
  const int along_y = Trunc(d.cos * length);
  Corners c;
  c[0] = zero;
  c[1] = {zero.x + Trunc(d.cos * width), zero.y - Trunc(d.sin * width)};
  c[2] = {c[1].x + along_x, c[1].y + along_y};
  c[3] = {zero.x + along_x, zero.y + along_y};
  return c;
}

Corners HorizontalCorners(Point zero, int length, int width) {
  return {zero, Point{zero.x, zero.y - width}, Point{zero.x + length, zero.y - width},
          Point{zero.x + length, zero.y}};
}

Corners VerticalCorners(Point zero, int length, int width) {
  return {zero, Point{zero.x + width, zero.y}, Point{zero.x + width, zero.y + length},
          Point{zero.x, zero.y + length}};
}

Point PointAlong(Point zero, double angle, long double p) {
  const Direction d = DirectionOf(angle);
  return {RoundToInt(d.sin * p + zero.x), RoundToInt(d.cos * p + zero.y)};
}

OutlineBoundsRect BoundsOf(const Corners& c) {
  return {MinOf4(c[0].x, c[1].x, c[2].x, c[3].x), MinOf4(c[0].y, c[1].y, c[2].y, c[3].y),
          MaxOf4(c[0].x, c[1].x, c[2].x, c[3].x), MaxOf4(c[0].y, c[1].y, c[2].y, c[3].y)};
}

Point StaffMarkerPlace(Point zero, double angle, int width, int font_points) {
  const Direction d = DirectionOf(angle);
  const long double s = font_points / 2.0L;
  const int h = width / 2;
  const Point p = PointAlong(zero, angle, 20);
  return {RoundToInt(d.cos * (h + 1) + p.x - s), RoundToInt(p.y - d.sin * h - s)};
}

Point NumberLabelPlace(Point zero, double angle, int width, int label_width, int label_height) {
  const Direction d = DirectionOf(angle);
  const int h = width / 2;
  const Point p = PointAlong(zero, angle, 50);
  return {RoundToInt(d.cos * (h + 2) + p.x - label_width / 2.0L),
          RoundToInt(p.y - d.sin * h - label_height / 2.0L)};
}

std::pair<Point, Point> RulerCursorLine(double angle) {
  const Direction d = DirectionOf(angle);
  return {Point{RoundToInt(d.cos * 32 + 16), RoundToInt(16 - d.sin * 32)},
          Point{RoundToInt(16 - d.cos * 32), RoundToInt(d.sin * 32 + 16)}};
}

}  // namespace mensor
