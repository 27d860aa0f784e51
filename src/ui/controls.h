// Lightweight controls that live inside a window and are painted and hit-tested
// by the core itself (like the toolkit's graphic controls): text labels.
#pragma once

#include <string>

#include "ui/canvas.h"
#include "ui/types.h"

namespace mensor {

// A transparent text label. With auto_size its size follows its text (measured
// by the platform when the caption changes).
struct Label {
  std::string name;
  std::string caption;
  Font font;
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool visible = true;
  bool auto_size = true;

  Rect BoundsRect() const { return {left, top, left + width, top + height}; }
};

}  // namespace mensor
