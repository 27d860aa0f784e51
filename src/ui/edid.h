// The monitor's own description (EDID, the 128-byte block a monitor hands
// its computer): who made it, which model and which unit it is, and how large
// its picture is. The platform layer reads the bytes; everything decided
// about them is here.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/monitors.h"
#include "ui/types.h"

namespace mensor {

// What the first block of an EDID says.
struct EdidInfo {
  // Manufacturer, product code and serial, e.g. "DEL-A0B1-0001E240" (the
  // serial is the text of the serial-number descriptor when there is one,
  // else the serial field in hexadecimal). Only letters, digits and '-'.
  std::string identity;
  // The picture's size in millimetres from the first detailed timing
  // descriptor (0 x 0 when it gives none) and from bytes 21 and 22 (given in
  // centimetres, here in millimetres; 0 x 0 when not given).
  Size timing_mm;
  Size basic_mm;
};

// The block decoded, or nothing when it is shorter than 128 bytes, lacks the
// fixed header or fails its checksum. Extension blocks after the first are
// not looked at.
std::optional<EdidInfo> DecodeEdid(std::string_view bytes);

// The picture's size in millimetres as the desktop shows the monitor at
// `pixels` (width and height swapped for a monitor turned by 90 degrees), or
// nothing when the EDID gives none that is plausible: each side from 100 mm
// to 3 m, and the ratio of width to height within 15 % of the pixels'. The
// detailed timing descriptor's size is preferred; the centimetres of bytes
// 21 and 22 stand in when it is missing or implausible.
std::optional<Size> PhysicalSizeOf(const EdidInfo& edid, Size pixels);

// Pixels per millimetre of a monitor of `pixels` whose picture is `mm`
// large, along its diagonal (so the rounding of either side weighs little).
double PixelsPerMillimetre(Size pixels, Size mm);

// Gives a monitor the identity and physical size its EDID bytes tell (for
// its current bounds); a monitor without a readable EDID is named by its
// device path and has no physical size.
void DescribeByEdid(Monitor& monitor, std::string_view edid_bytes, const std::string& device_path);

}  // namespace mensor
