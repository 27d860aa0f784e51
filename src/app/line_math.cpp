// Point-to-line arithmetic.
#include "app/line_math.h"

#include <cmath>
#include <numbers>

namespace mensor {

long long CrossMagnitude(Point p, Point a, Point b) {
  const long long c = static_cast<long long>(b.x - a.x) * (p.y - a.y) -
                      static_cast<long long>(b.y - a.y) * (p.x - a.x);
  return c < 0 ? -c : c;
}

double SegmentLength(Point a, Point b) {
  const double dx = b.x - a.x;
  const double dy = b.y - a.y;
  return std::sqrt(dx * dx + dy * dy);
}

double DistanceToLine(Point p, Point a, Point b) {
  const double len = SegmentLength(a, b);
  if (len == 0) return 0;
  return static_cast<double>(CrossMagnitude(p, a, b)) / len;
}

bool NearLine(Point p, Point a, Point b) {
  const double len = SegmentLength(a, b);
  if (len == 0) return p == a;
  return static_cast<double>(CrossMagnitude(p, a, b)) / len < 3;
}

double DirectionFrom(Point o, Point p) {
  constexpr double pi = std::numbers::pi;
  if (p.x == o.x) return p.y > o.y ? pi / 2 : 3 * pi / 2;
  const double a = std::atan(static_cast<double>(p.y - o.y) / static_cast<double>(p.x - o.x));
  if (p.y <= o.y && p.x >= o.x) return a + 2 * pi;
  if (p.y <= o.y && p.x <= o.x) return a + pi;
  if (p.y >= o.y && p.x <= o.x) return a + pi;
  return a;
}

}  // namespace mensor
