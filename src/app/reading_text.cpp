// Read-out and clipboard texts of a reading.
#include "app/reading_text.h"

#include <charconv>
#include <cmath>

namespace mensor {

std::string ReadingNumber(const Reading& reading) {
  char text[64];
  std::to_chars_result done{};
  // NOTE: to_chars never looks at the locale, unlike printf, so a system
  // with a decimal comma still gets a point.
  if (reading.kind == Reading::Distance && reading.unit == kUnitPixels) {
    // A whole number of pixels never shows as "-0".
    if (!std::isfinite(reading.value) || std::fabs(reading.value) > 1e15) return "?";
    done = std::to_chars(text, text + sizeof text, std::llrint(reading.value));
  } else {
    done = std::to_chars(text, text + sizeof text, reading.value, std::chars_format::fixed, 2);
  }
  if (done.ec != std::errc()) return "?";
  return std::string(text, done.ptr);
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
