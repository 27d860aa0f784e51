// The arithmetic of the tool bar, free of any window: where a magnifier tick
// copies the screen from and where the pointer lands in that copy, how the
// factor box's text becomes a factor, how a drag snaps the window to the
// screen's edges, and where the window goes when it is shown or grows.
//
// Every function takes the screen (or work area) as a rectangle, so the same
// rules serve any monitor; today the callers pass the primary screen.
#pragma once

#include <string_view>

#include "ui/types.h"

namespace mensor {

// A window closer than this to a screen edge snaps flush to it.
inline constexpr int kSnapDistance = 10;

// One magnifier tick: the screen rectangle to copy (2hw x 2hh pixels) and the
// pointer's spot inside the copy.
struct MagnifierCapture {
  int hw = 0;        // half width of the copy
  int hh = 0;        // half height of the copy
  Point centre;      // the copy's centre on the screen, kept inside the screen
  Rect source;       // screen pixels copied (right and bottom exclusive)
  Point spot;        // the pointer's hot spot in the copy's own coordinates
};

// pointer: the mouse position; factor: the enlargement m (at least 1); view:
// the size of the picture the copy is stretched to; screen: the screen the
// copy is clamped to. The copy is view / 2m in each direction (integer
// division), its centre is the pointer unless that would take the copy past
// an edge of the screen, in which case the copy stops at that edge and the
// pointer's spot moves off-centre.
MagnifierCapture ComputeMagnifierCapture(Point pointer, int factor, Size view, const Rect& screen);

// The factor box's range.
inline constexpr int kMinFactor = 1;
inline constexpr int kMaxFactor = 9;

// The factor box's text read as the factor: a number is taken and kept within
// kMinFactor..kMaxFactor; text that is not a number counts as kMinFactor. A
// number below the range (a typed 0) also asks for the box to be set to the
// factor; other text stays as typed, so the user can go on typing.
struct FactorReading {
  int factor = kMinFactor;
  bool reset_box = false;
};
FactorReading FactorFromText(std::string_view text);

// Placement of a tool bar of the given size at a saved top-left: a side that
// lies within kSnapDistance of the screen's left or top edge, or beyond it, is
// put on that edge; a far side within kSnapDistance of the right or bottom
// edge, or beyond it, is put flush with that edge.
Point PlaceToolBar(Point saved, Size size, const Rect& screen);

// True when the window lies wholly on the screen; only then does it follow a
// drag.
bool FollowsDrag(const Rect& window, const Rect& screen);

// One step of a drag. `drag` is the position built up by the drag so far,
// `window` the window's current top-left; motion is the mouse's move since
// the last step. Returns the new drag position and the window's new top-left:
// the window follows the mouse and snaps flush to any edge within
// kSnapDistance.
struct DragStep {
  Point drag;
  Point window;
};
DragStep StepDrag(Point drag, Point window, Point motion, Size size, const Rect& screen);

// The factor row: the caption at `caption_at` and the factor box right of it.
// The box starts kCaptionGap right of the caption's text, never left of its
// base place `box`, and reaches the base place's right end; it keeps at
// least kMinFactorBoxWidth, so a caption wider than that leaves has to be
// cut to caption_room.
inline constexpr int kCaptionGap = 4;
inline constexpr int kMinFactorBoxWidth = 32;
struct FactorRow {
  Rect box;
  int caption_room = 0;  // pixels the caption may take
};
FactorRow LayOutFactorRow(int caption_width, Point caption_at, const Rect& box);

// The top of a window that grows to `height` at `top`: moved up so that its
// bottom does not pass the screen's bottom.
int TopAfterGrowing(int top, int height, const Rect& screen);

}  // namespace mensor
