// Point-to-line arithmetic shared by the mouse gestures and the marker: the
// distance of a point from the infinite line through two points, the "near a
// line" test of the stretch handles, and the direction of a point seen from
// the zero corner.
#pragma once

#include "ui/types.h"

namespace mensor {

// |(x2 - x1)(Y - y1) - (y2 - y1)(X - x1)|, the doubled area of the triangle.
long long CrossMagnitude(Point p, Point a, Point b);
// Length of the segment a-b.
double SegmentLength(Point a, Point b);

// Distance of p from the line through a and b, or 0 when a and b coincide.
double DistanceToLine(Point p, Point a, Point b);
// True when p lies closer than 3 pixels to the line through a and b; when a
// and b coincide, only p == a is near.
bool NearLine(Point p, Point a, Point b);

// Direction of p seen from o in radians, in (0, 2*pi]; with screen y growing
// downward it grows clockwise on the screen.
double DirectionFrom(Point o, Point p);

}  // namespace mensor
