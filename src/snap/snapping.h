// Snapping to edges: where on the screen the ruler looks for edges, the edge
// nearest a place on the ruler's axis, the gap between the nearest edges on
// both sides of a place, and the jump of a moved ruler's zero end.
//
// Everything is in screen pixels. A place on the ruler's axis is a distance
// from the zero corner along the ruler (an axis coordinate); the zero corner
// and the ends are pixel corners, so on a horizontal or vertical ruler an
// edge's axis coordinate is a whole number: the boundary between two pixels.
#pragma once

#include <optional>

#include "snap/edge_finder.h"
#include "ui/image.h"
#include "ui/types.h"

namespace mensor {

// How far an end, the zero end of a moved ruler and the read-out jump.
inline constexpr double kSnapReach = 6.0;
// The middle of the band looked at beyond a graduated edge, in pixels outside
// the ruler's body: the band covers the pixels 3 to 5 outside, clear of the
// edge itself and of anything drawn on it.
inline constexpr double kBandOutside = 3.5;

// Vectors of the screen's plane: p + k v, and the dot product.
inline Vec2 Plus(Vec2 p, Vec2 v, double k) { return {p.x + k * v.x, p.y + k * v.y}; }
inline double Dot(Vec2 a, Vec2 b) { return a.x * b.x + a.y * b.y; }

// The ruler as snapping sees it.
struct RulerAxis {
  Vec2 zero;    // the zero corner on the screen
  Vec2 along;   // unit vector from the zero end towards the far end
  Vec2 across;  // unit vector from the zero edge into the body
  int width = 0;
};

// A line of the screen parallel to the ruler's axis; axis coordinate a lies
// at origin + a * along.
struct SnapLine {
  Vec2 origin;
  Vec2 along;
};

// The axis coordinate where the pixel under the pointer begins: its centre's
// distance along the ruler from the zero corner, rounded down.
double AxisCoordinateOf(const RulerAxis& ruler, Point pointer);

// The line just beyond the graduated edge nearest the pointer (the zero edge
// or the opposite one), kBandOutside pixels outside the body: what the ruler
// covers is not in a capture taken while it is shown.
SnapLine LineBeyondEdge(const RulerAxis& ruler, Point pointer);
// The line under the pointer, kept a band's half-width inside the body: for a
// capture of what lies beneath the ruler (see-through mode).
SnapLine LineUnderRuler(const RulerAxis& ruler, Point pointer);

// A capture of the screen and the screen position of its top-left pixel.
struct ScreenCapture {
  const Image& image;
  Point origin;
};

// The axis coordinate of the edge on the line nearest to `at`, at most
// `reach` from it (the one nearer the zero end when two are as near), or none.
std::optional<double> NearestEdge(const ScreenCapture& capture, const SnapLine& line, double at, int tolerance,
                                  double reach = kSnapReach);

// The nearest edges on the line before and after `at` (axis coordinates,
// first < second), each at most `reach` from it; none when either side has
// none.
struct EdgeGap {
  double first = 0.0;
  double second = 0.0;
  double Length() const { return second - first; }
};
std::optional<EdgeGap> GapAround(const ScreenCapture& capture, const SnapLine& line, double at, int tolerance,
                                 double reach);

// A ruler dragged by `offset` from where `line` was looked at: the offset with
// the zero end moved along the axis onto the nearest edge within kSnapReach,
// rounded to whole pixels; the offset itself when there is none.
Point SnapMoveOffset(const ScreenCapture& capture, const SnapLine& line, Point offset, int tolerance);

}  // namespace mensor
