// The desktop as a set of monitors: their bounds, work areas, pixel
// densities and physical sizes, and the questions the windows ask about them
// (which monitor holds a point, which is nearest to a box, whether a box is
// on any monitor).
//
// With a single monitor at (0, 0) every answer reduces to the plain
// screen-size test, so the rules built on these keep their one-screen
// results exactly.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "ui/types.h"

namespace mensor {

struct Monitor {
  Rect bounds;      // screen pixels, right and bottom exclusive
  Rect work_area;   // bounds without the task bar and docked bars
  int pixels_per_inch = 96;
  bool primary = false;
  // The picture's size in millimetres (cx across, cy down, as the desktop
  // shows the monitor) when its EDID reports a plausible one.
  std::optional<Size> physical_mm{};
  // What names the monitor from one run to the next: manufacturer, product
  // code and serial from its EDID, else its device path; empty when unknown.
  std::string identity{};
};

// The monitors as the platform reports them: never empty, the primary first.
using MonitorList = std::vector<Monitor>;

// A box given by its extreme pixels, both ends included (as the bounds of the
// ruler's corners are kept).
struct Box {
  int min_x = 0;
  int min_y = 0;
  int max_x = 0;
  int max_y = 0;
};

// The smallest rectangle holding every monitor.
Rect VirtualScreenOf(const MonitorList& monitors);

// The primary monitor (the first one when none is marked).
const Monitor& PrimaryMonitor(const MonitorList& monitors);

// The monitor whose bounds hold p, or null when p lies on none.
const Monitor* MonitorAt(const MonitorList& monitors, Point p);

// The monitor closest to the box (distance 0 when they overlap or touch); on
// equal distances the earlier one in the list.
const Monitor& NearestMonitor(const MonitorList& monitors, const Box& box);

// The monitor holding p, or else the one nearest to it.
const Monitor& MonitorOfPoint(const MonitorList& monitors, Point p);

// The monitor sharing the most pixels with r (right and bottom exclusive),
// or the primary one when r lies on none.
const Monitor& MonitorOfRect(const MonitorList& monitors, const Rect& r);

// True when the box overlaps or touches the bounds of at least one monitor.
// A box whose edge lies on a monitor's edge counts as on it, as the
// one-screen tests (min > SW, max < 0, ...) count it.
bool TouchesAnyMonitor(const MonitorList& monitors, const Box& box);
bool Touches(const Rect& bounds, const Box& box);

// True when some part of r (right and bottom exclusive) lies on a monitor
// other than `own`.
bool ReachesOtherMonitor(const MonitorList& monitors, const Monitor& own, const Rect& r);

// r moved (not resized, unless it is larger) so that it lies inside area.
Rect ClampInto(const Rect& r, const Rect& area);

// Where a dialog of the given outer size opens: centred on the bounds of the
// monitor holding the anchor (the ruler's zero corner), then moved into that
// monitor's work area if it sticks out. With one monitor at (0, 0) that is
// ((SW - w) / 2, (SH - h) / 2).
Rect DialogPlacement(const MonitorList& monitors, Point anchor, Size size);

// Where a dialog that must leave the ruler in sight opens: on the monitor
// holding the anchor, below the ruler's box `ruler`, else above it, else right
// of it, else left of it (centred along it, a small gap between them, moved
// into the work area), the first place where it covers no pixel of the box;
// where none is, as DialogPlacement.
Rect DialogPlacementBeside(const MonitorList& monitors, Point anchor, Size size, const Box& ruler);

// value * ppi / 96 rounded to nearest: a layout measure designed at 96 pixels
// per inch on a monitor of ppi.
int ScaleForDensity(int value, int ppi);

}  // namespace mensor
