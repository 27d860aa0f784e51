// The edge finder: walks a straight line of a picture at any angle and finds
// where its colour changes sharply.
//
// Each sample of the walk is the mean of a band of three pixels across the
// line (the pixel under it and those one pixel to either side of it, at right
// angles to the walk), so anti-aliased borders and noise average out. Each sample is compared with
// the one before it on the walk (never with the start), channel by channel as
// absolute differences of whole numbers (no 8-bit wrap-around); an edge is
// where the largest of the three channel differences reaches the tolerance.
// A change spread over several samples, each step below the tolerance (a slow
// gradient, a soft shadow), is no edge.
#pragma once

#include <optional>

#include "ui/image.h"

namespace mensor {

// A point or a direction in picture (or screen) coordinates: pixel (i, j)
// covers [i, i + 1) x [j, j + 1), so its centre is (i + 0.5, j + 0.5).
struct Vec2 {
  double x = 0.0;
  double y = 0.0;
  friend bool operator==(const Vec2&, const Vec2&) = default;
};

inline constexpr int kMinEdgeTolerance = 1;
inline constexpr int kMaxEdgeTolerance = 255;
inline constexpr int kDefaultEdgeTolerance = 30;

struct EdgeWalk {
  Vec2 start;           // the first sample: the pixel that contains it
  Vec2 direction;       // unit vector; sample t lies at start + t * direction
  int tolerance = kDefaultEdgeTolerance;  // kMinEdgeTolerance .. kMaxEdgeTolerance
  double limit = 0.0;   // the farthest an edge's first step may lie
};

// The distance from the start to the first edge ahead, or none within the
// limit. An edge between samples t - 1 and t lies at t - 0.5: walking along a
// row from a pixel's centre, that is the boundary between the two pixels. An
// edge whose change spreads over two or three steps in a row, each reaching
// the tolerance (anti-aliasing, a slant across the band), lies at their
// weighted middle; its first step lies within the limit. The walk ends where
// its line leaves the picture (the picture's border itself is no edge);
// pixels of the band that fall outside count as the one under the line.
std::optional<double> FindEdge(const Image& image, const EdgeWalk& walk);

// The first edge ahead (along the direction) and behind (against it).
struct EdgeDistances {
  std::optional<double> ahead;
  std::optional<double> behind;
};
EdgeDistances FindEdges(const Image& image, const EdgeWalk& walk);

}  // namespace mensor
