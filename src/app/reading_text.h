// The text of a reading: what the ruler's read-out label shows (a distance in
// the ruler's unit, or the angle turned in rotate mode) and the same number
// as "Copy &Measurement" puts it on the clipboard, with or without its unit.
// One formatting serves both, so the copy always says what the label says.
#pragma once

#include <string>

#include "app/ruler_unit.h"
#include "settings/app_settings.h"

namespace mensor {

// One reading of the ruler.
struct Reading {
  enum Kind { Distance, Angle };
  Kind kind = Distance;
  double value = 0;             // in `unit` for a distance, in degrees for an angle
  int unit = kUnitPixels;       // the RulerUnit the distance was measured in
  friend bool operator==(const Reading&, const Reading&) = default;
};

// The number as the read-out shows it: a whole number of pixels (rounded to
// nearest, ties to even), two decimals for the other units and for angles.
// The decimal sign is a point whatever the system's locale.
std::string ReadingNumber(const Reading& reading);

// The read-out label's caption: the number left-aligned in a field of four
// characters for pixels and six otherwise.
std::string ReadoutCaption(const Reading& reading);

// The copied text: "245 px", "6.48 cm", "2.55 in", "37.50°"; a custom unit
// has no name, so its value stands alone. Value only: the number.
std::string CopiedText(const Reading& reading, int format);

}  // namespace mensor
