// Read-out and clipboard texts of a reading.
#include "app/reading_text.h"

#include <cmath>
#include <cstdio>

namespace mensor {

std::string ReadingNumber(const Reading& reading) {
  if (!std::isfinite(reading.value) || std::fabs(reading.value) > 1e15) return "?";
  char text[64];
  int n = 0;
  if (reading.kind == Reading::Distance && reading.unit == kUnitPixels) {
    // A whole number of pixels never shows as "-0".
    n = std::snprintf(text, sizeof text, "%lld", std::llrint(reading.value));
  } else {
    n = std::snprintf(text, sizeof text, "%.2f", reading.value);
  }
  if (n <= 0 || n >= static_cast<int>(sizeof text)) return "?";
  std::string number(text, static_cast<std::size_t>(n));
  // NOTE: printf writes the decimal sign of the C library's locale; the
  // program never sets one, but a point is what the reading promises whatever
  // a library linked in may have done. (std::to_chars would ignore the locale
  // too, but its floating-point tables add about 200 KB to the program.)
  for (char& c : number)
    if (c == ',') c = '.';
  return number;
}

std::string ReadoutCaption(const Reading& reading) {
  std::string text = ReadingNumber(reading);
  const std::size_t field = reading.kind == Reading::Distance && reading.unit == kUnitPixels ? 4 : 6;
  if (text.size() < field) text.append(field - text.size(), ' ');
  return text;
}

std::string CopiedText(const Reading& reading, int format) {
  std::string text = ReadingNumber(reading);
  if (format == kCopyValueOnly) return text;
  if (reading.kind == Reading::Angle) return text + "\u00B0";
  switch (reading.unit) {
    case kUnitPixels: return text + " px";
    case kUnitCentimetres: return text + " cm";
    case kUnitInches: return text + " in";
    default: return text;
  }
}

}  // namespace mensor
