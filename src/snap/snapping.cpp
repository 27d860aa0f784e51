// Snapping to edges; see snapping.h.
//
// A search from axis coordinate `at` starts at the centre of the pixel that
// begins there (at + 0.5), so that on an axis-parallel ruler every sample is a
// pixel's centre and an edge found d ahead lies at at + 0.5 + d, one found d
// behind at at + 0.5 - d: both whole numbers.
#include "snap/snapping.h"

#include <algorithm>
#include <cmath>

namespace mensor {
namespace {

// The centre of the pointer's pixel, from the zero corner.
Vec2 FromZero(const RulerAxis& ruler, Point pointer) {
  return {pointer.x + 0.5 - ruler.zero.x, pointer.y + 0.5 - ruler.zero.y};
}

// The pointer's distance from the zero edge towards the body, taken at its
// pixel's centre.
double AcrossOf(const RulerAxis& ruler, Point pointer) { return Dot(FromZero(ruler, pointer), ruler.across); }

struct Found {
  std::optional<double> before;  // axis coordinates
  std::optional<double> after;
};

Found EdgesAround(const ScreenCapture& capture, const SnapLine& line, double at, int tolerance, double reach) {
  const Vec2 start = Plus(line.origin, line.along, at + 0.5);
  // The first sample lies half a pixel beyond `at`, so an edge `reach` behind
  // it is reach + 0.5 away.
  const EdgeWalk walk{{start.x - capture.origin.x, start.y - capture.origin.y}, line.along, tolerance, reach + 0.5};
  const EdgeDistances found = FindEdges(capture.image, walk);
  Found result;
  if (found.behind && *found.behind - 0.5 <= reach) result.before = at + 0.5 - *found.behind;
  if (found.ahead && *found.ahead + 0.5 <= reach) result.after = at + 0.5 + *found.ahead;
  return result;
}

}  // namespace

double AxisCoordinateOf(const RulerAxis& ruler, Point pointer) {
  return std::floor(Dot(FromZero(ruler, pointer), ruler.along));
}

SnapLine LineBeyondEdge(const RulerAxis& ruler, Point pointer) {
  const bool zero_edge = AcrossOf(ruler, pointer) < ruler.width / 2.0;
  const double across = zero_edge ? -kBandOutside : ruler.width + kBandOutside;
  return {Plus(ruler.zero, ruler.across, across), ruler.along};
}

SnapLine LineUnderRuler(const RulerAxis& ruler, Point pointer) {
  // The band reaches one pixel to either side of its middle.
  const double inner = std::min(1.5, ruler.width / 2.0);
  const double across = std::clamp(AcrossOf(ruler, pointer), inner, ruler.width - inner);
  return {Plus(ruler.zero, ruler.across, across), ruler.along};
}

std::optional<double> NearestEdge(const ScreenCapture& capture, const SnapLine& line, double at, int tolerance,
                                  double reach) {
  const Found found = EdgesAround(capture, line, at, tolerance, reach);
  if (!found.before) return found.after;
  if (!found.after) return found.before;
  return (*found.after - at < at - *found.before) ? found.after : found.before;
}

std::optional<EdgeGap> GapAround(const ScreenCapture& capture, const SnapLine& line, double at, int tolerance,
                                 double reach) {
  const Found found = EdgesAround(capture, line, at, tolerance, reach);
  if (!found.before || !found.after) return std::nullopt;
  return EdgeGap{*found.before, *found.after};
}

Point SnapMoveOffset(const ScreenCapture& capture, const SnapLine& line, Point offset, int tolerance) {
  const SnapLine moved{{line.origin.x + offset.x, line.origin.y + offset.y}, line.along};
  const std::optional<double> edge = NearestEdge(capture, moved, 0.0, tolerance);
  if (!edge) return offset;
  return {offset.x + static_cast<int>(std::lrint(*edge * line.along.x)),
          offset.y + static_cast<int>(std::lrint(*edge * line.along.y))};
}

}  // namespace mensor
