// Small value types the core owns: points, sizes, rectangles, colours,
// shortcut values, mouse buttons and modifier sets. Nothing here knows the
// operating system; the Win32 layer converts at its edge (win32/convert.h).
#pragma once

#include <cstdint>

namespace mensor {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
  int cx = 0;
  int cy = 0;
  friend bool operator==(const Size&, const Size&) = default;
};

// Screen or client rectangle; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

// Colour laid out 0x00BBGGRR: red in the low byte, as stored in app.ini.
using Color = std::uint32_t;
constexpr std::uint8_t RedOf(Color c) { return static_cast<std::uint8_t>(c & 0xFF); }
constexpr std::uint8_t GreenOf(Color c) { return static_cast<std::uint8_t>((c >> 8) & 0xFF); }
constexpr std::uint8_t BlueOf(Color c) { return static_cast<std::uint8_t>((c >> 16) & 0xFF); }
constexpr Color MakeColor(int r, int g, int b) {
  return static_cast<Color>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}

// Shortcut value: low 8 bits a virtual-key code, 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt (0x1000 Win); 0 means none.
using Shortcut = std::uint16_t;
constexpr Shortcut kShortcutShift = 0x2000;
constexpr Shortcut kShortcutCtrl = 0x4000;
constexpr Shortcut kShortcutAlt = 0x8000;

enum class MouseButton { Left, Right, Middle };

// Modifier keys and mouse buttons held during an input event.
enum ShiftFlag : unsigned {
  kShift = 1u << 0,
  kAlt = 1u << 1,
  kCtrl = 1u << 2,
  kLeftButton = 1u << 3,
  kRightButton = 1u << 4,
  kMiddleButton = 1u << 5,
  kDoubleClick = 1u << 6,
};
using ShiftState = unsigned;
constexpr unsigned kModifierMask = kShift | kAlt | kCtrl;
constexpr unsigned kMouseButtons = kLeftButton | kRightButton | kMiddleButton;

// The shortcut value of a key pressed with these modifiers.
constexpr Shortcut ShortcutOf(int key, ShiftState shift) {
  return static_cast<Shortcut>((key & 0xFF) | ((shift & kShift) ? kShortcutShift : 0) |
                               ((shift & kCtrl) ? kShortcutCtrl : 0) | ((shift & kAlt) ? kShortcutAlt : 0));
}

// Virtual-key codes the core names (identical on every platform we target).
namespace vk {
constexpr int kEscape = 27;
constexpr int kLeft = 37;
constexpr int kUp = 38;
constexpr int kRight = 39;
constexpr int kDown = 40;
constexpr int kF1 = 112;
constexpr int kF4 = 115;
}  // namespace vk

}  // namespace mensor
