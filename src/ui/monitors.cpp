// Monitor queries; see monitors.h.
#include "ui/monitors.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace mensor {

Rect VirtualScreenOf(const MonitorList& monitors) {
  assert(!monitors.empty());
  Rect v = monitors.front().bounds;
  for (const Monitor& m : monitors) {
    v.left = std::min(v.left, m.bounds.left);
    v.top = std::min(v.top, m.bounds.top);
    v.right = std::max(v.right, m.bounds.right);
    v.bottom = std::max(v.bottom, m.bounds.bottom);
  }
  return v;
}

const Monitor& PrimaryMonitor(const MonitorList& monitors) {
  assert(!monitors.empty());
  for (const Monitor& m : monitors)
    if (m.primary) return m;
  return monitors.front();
}

const Monitor* MonitorAt(const MonitorList& monitors, Point p) {
  for (const Monitor& m : monitors)
    if (m.bounds.Contains(p)) return &m;
  return nullptr;
}

namespace {

// Squared distance between a monitor's pixels and the box (0 when touching).
std::int64_t DistanceSquared(const Rect& bounds, const Box& box) {
  // The monitor's last pixel column and row are right - 1 and bottom - 1.
  const std::int64_t dx = std::max({0, bounds.left - box.max_x, box.min_x - (bounds.right - 1)});
  const std::int64_t dy = std::max({0, bounds.top - box.max_y, box.min_y - (bounds.bottom - 1)});
  return dx * dx + dy * dy;
}

}  // namespace

const Monitor& NearestMonitor(const MonitorList& monitors, const Box& box) {
  assert(!monitors.empty());
  const Monitor* best = &monitors.front();
  std::int64_t best_distance = DistanceSquared(best->bounds, box);
  for (const Monitor& m : monitors) {
    const std::int64_t d = DistanceSquared(m.bounds, box);
    if (d < best_distance) {
      best = &m;
      best_distance = d;
    }
  }
  return *best;
}

const Monitor& MonitorOfPoint(const MonitorList& monitors, Point p) {
  if (const Monitor* m = MonitorAt(monitors, p)) return *m;
  return NearestMonitor(monitors, {p.x, p.y, p.x, p.y});
}

const Monitor& MonitorOfRect(const MonitorList& monitors, const Rect& r) {
  const Monitor* best = nullptr;
  std::int64_t best_area = 0;
  for (const Monitor& m : monitors) {
    const std::int64_t w = std::min(r.right, m.bounds.right) - std::max(r.left, m.bounds.left);
    const std::int64_t h = std::min(r.bottom, m.bounds.bottom) - std::max(r.top, m.bounds.top);
    if (w > 0 && h > 0 && w * h > best_area) {
      best = &m;
      best_area = w * h;
    }
  }
  return best != nullptr ? *best : PrimaryMonitor(monitors);
}

bool Touches(const Rect& bounds, const Box& box) {
  return box.min_x <= bounds.right && box.max_x >= bounds.left && box.min_y <= bounds.bottom &&
         box.max_y >= bounds.top;
}

bool TouchesAnyMonitor(const MonitorList& monitors, const Box& box) {
  return std::any_of(monitors.begin(), monitors.end(),
                     [&](const Monitor& m) { return Touches(m.bounds, box); });
}

bool ReachesOtherMonitor(const MonitorList& monitors, const Monitor& own, const Rect& r) {
  for (const Monitor& m : monitors) {
    if (&m == &own) continue;
    const Rect& b = m.bounds;
    if (r.left < b.right && r.right > b.left && r.top < b.bottom && r.bottom > b.top) return true;
  }
  return false;
}

Rect ClampInto(const Rect& r, const Rect& area) {
  const int w = r.Width();
  const int h = r.Height();
  const int left = std::max(area.left, std::min(r.left, area.right - w));
  const int top = std::max(area.top, std::min(r.top, area.bottom - h));
  return {left, top, left + w, top + h};
}

Rect DialogPlacement(const MonitorList& monitors, Point anchor, Size size) {
  const Monitor& m = MonitorOfPoint(monitors, anchor);
  const int left = m.bounds.left + (m.bounds.Width() - size.cx) / 2;
  const int top = m.bounds.top + (m.bounds.Height() - size.cy) / 2;
  return ClampInto({left, top, left + size.cx, top + size.cy}, m.work_area);
}

Rect DialogPlacementBeside(const MonitorList& monitors, Point anchor, Size size, const Box& ruler) {
  constexpr int kGap = 8;
  const Monitor& m = MonitorOfPoint(monitors, anchor);
  const int centre_x = ruler.min_x + (ruler.max_x - ruler.min_x) / 2;
  const int centre_y = ruler.min_y + (ruler.max_y - ruler.min_y) / 2;
  const Point tops[] = {
      {centre_x - size.cx / 2, ruler.max_y + 1 + kGap},       // below
      {centre_x - size.cx / 2, ruler.min_y - kGap - size.cy},  // above
      {ruler.max_x + 1 + kGap, centre_y - size.cy / 2},       // right
      {ruler.min_x - kGap - size.cx, centre_y - size.cy / 2},  // left
  };
  for (const Point& p : tops) {
    const Rect place = ClampInto({p.x, p.y, p.x + size.cx, p.y + size.cy}, m.work_area);
    const bool covers = place.left <= ruler.max_x && place.right > ruler.min_x && place.top <= ruler.max_y &&
                        place.bottom > ruler.min_y;
    if (!covers) return place;
  }
  return DialogPlacement(monitors, anchor, size);
}

int ScaleForDensity(int value, int ppi) {
  if (ppi <= 0) return value;
  const std::int64_t scaled = static_cast<std::int64_t>(value) * ppi;
  // Round half away from zero, as MulDiv does.
  const std::int64_t half = scaled >= 0 ? 48 : -48;
  return static_cast<int>((scaled + half) / 96);
}

}  // namespace mensor
