// The tool bar's arithmetic: capture rectangle, factor, snapping, placement.
#include "toolbar/tool_bar_math.h"

#include <algorithm>
#include <charconv>

namespace mensor {

namespace {

// Along one axis: the copy's centre is kept far enough from each edge
// (low, high) for a copy of half-size `half` to fit; the pointer's spot in the
// copy, `half` when nothing was moved, then moves by what the centre was moved.
void KeepCopyInside(int& centre, int& spot, int half, int low, int high) {
  spot = half;
  if (centre < low + half) {
    spot = centre - low;
    centre = low + half;
  }
  if (centre > high - half) {
    spot = 2 * half + centre - high;
    centre = high - half;
  }
}

}  // namespace

MagnifierCapture ComputeMagnifierCapture(Point pointer, int factor, Size view, const Rect& screen) {
  MagnifierCapture c;
  const int m = std::max(factor, 1);
  c.hw = view.cx / (2 * m);
  c.hh = view.cy / (2 * m);
  c.centre = pointer;
  KeepCopyInside(c.centre.x, c.spot.x, c.hw, screen.left, screen.right);
  KeepCopyInside(c.centre.y, c.spot.y, c.hh, screen.top, screen.bottom);
  c.source = {c.centre.x - c.hw, c.centre.y - c.hh, c.centre.x + c.hw, c.centre.y + c.hh};
  return c;
}

FactorReading FactorFromText(std::string_view text) {
  const auto blank = [](char ch) { return ch == ' ' || ch == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  FactorReading reading;
  if (text.empty() || error != std::errc() || stop != end) return reading;  // not a number
  reading.factor = static_cast<int>(std::clamp<long>(value, kMinFactor, kMaxFactor));
  reading.reset_box = value < kMinFactor;
  return reading;
}

Point PlaceToolBar(Point saved, Size size, const Rect& screen) {
  Point p = saved;
  if (p.y <= screen.top + kSnapDistance) p.y = screen.top;
  if (p.x <= screen.left + kSnapDistance) p.x = screen.left;
  if (p.y + size.cy >= screen.bottom - kSnapDistance) p.y = screen.bottom - size.cy;
  if (p.x + size.cx >= screen.right - kSnapDistance) p.x = screen.right - size.cx;
  return p;
}

bool FollowsDrag(const Rect& window, const Rect& screen) {
  return window.left >= screen.left && window.top >= screen.top &&
         window.top <= screen.bottom - window.Height() && window.left <= screen.right - window.Width();
}

DragStep StepDrag(Point drag, Point window, Point motion, Size size, const Rect& screen) {
  DragStep s{{drag.x + motion.x, drag.y + motion.y}, window};
  if (s.drag.y <= screen.top + kSnapDistance) s.drag.y = s.window.y = screen.top;
  if (s.drag.x <= screen.left + kSnapDistance) s.drag.x = s.window.x = screen.left;
  if (s.drag.y + size.cy >= screen.bottom - kSnapDistance) s.drag.y = s.window.y = screen.bottom - size.cy;
  if (s.drag.x + size.cx >= screen.right - kSnapDistance) s.drag.x = s.window.x = screen.right - size.cx;
  if (s.drag.x > screen.left + kSnapDistance && s.drag.x < screen.right - kSnapDistance) s.window.x = s.drag.x;
  if (s.drag.y > screen.top + kSnapDistance && s.drag.y < screen.bottom - kSnapDistance) s.window.y = s.drag.y;
  return s;
}

FactorRow LayOutFactorRow(int caption_width, Point caption_at, const Rect& box) {
  const int latest = box.right - kMinFactorBoxWidth;
  const int left = std::clamp(caption_at.x + caption_width + kCaptionGap, box.left, std::max(box.left, latest));
  return {{left, box.top, box.right, box.bottom}, left - kCaptionGap - caption_at.x};
}

int TopAfterGrowing(int top, int height, const Rect& screen) {
  return top + height > screen.bottom ? screen.bottom - height : top;
}

}  // namespace mensor
