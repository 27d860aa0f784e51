// The geometric model of the ruler: corners from angle, length and width,
// points along the ruler, bounding box, standard places of the marker and the
// read-out label, and the ruler cursor's line.
#pragma once

#include <array>
#include <bit>
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

}  // namespace mensor
