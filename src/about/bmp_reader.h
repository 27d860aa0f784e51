// Reading of the Windows bitmap files the about box keeps as resources:
// uncompressed (BI_RGB) bottom-up or top-down pictures of 8 bits per pixel
// with a palette, or of 24 bits. Anything else, or a file whose sizes do not
// add up, is refused with a reason.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/image.h"
#include "ui/types.h"

namespace mensor {

struct BmpResult {
  bool ok = false;
  Image image;        // empty unless ok
  std::string error;  // why not, unless ok
};

BmpResult ReadBmp(std::string_view bytes);

}  // namespace mensor
