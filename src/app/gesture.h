// The gesture under way on the ruler window: one value from the press that
// takes the mouse to the release, lost capture or Esc that gives it back. Its
// kind says which handlers receive the mouse and what they are doing; the
// data beside it are what that kind needs.
//
//   None         nothing holds the mouse; input goes to what is under it
//   Held         a button holds the mouse over the ruler's body, no gesture
//                (the right button, or a button still down after a gesture
//                ended by another one's release)
//   Move         the ruler follows the pointer
//   StretchEnd   the far end follows the pointer
//   StretchStart the zero end follows the pointer
//   Rotate       the ruler turns about its zero corner
//   MarkerHeld   a button holds the mouse on the marker, no drag (the right
//                or middle button, or any press in Rotate mode)
//   MarkerDrag   the marker's cross follows the pointer
//   ReadOutHeld  a press on the read-out label: it holds the mouse and starts
//                nothing
#pragma once

#include "app/geometry.h"
#include "ui/types.h"

namespace mensor {

enum class GestureKind {
  None,
  Held,
  Move,
  StretchEnd,
  StretchStart,
  Rotate,
  MarkerHeld,
  MarkerDrag,
  ReadOutHeld,
};

// Which handlers a kind sends the mouse to.
enum class MouseTarget { Form, Marker, ReadOut };

constexpr MouseTarget TargetOf(GestureKind kind) {
  switch (kind) {
    case GestureKind::MarkerHeld:
    case GestureKind::MarkerDrag: return MouseTarget::Marker;
    case GestureKind::ReadOutHeld: return MouseTarget::ReadOut;
    default: return MouseTarget::Form;
  }
}

// The kind of a press that holds the mouse on the target without a gesture.
constexpr GestureKind HeldKindOf(MouseTarget target) {
  switch (target) {
    case MouseTarget::Marker: return GestureKind::MarkerHeld;
    case MouseTarget::ReadOut: return GestureKind::ReadOutHeld;
    default: return GestureKind::Held;
  }
}

// A move, a stretch or a rotation: the ruler's own gestures, which draw the
// rubber band.
constexpr bool IsFormGesture(GestureKind kind) {
  return kind == GestureKind::Move || kind == GestureKind::StretchEnd || kind == GestureKind::StretchStart ||
         kind == GestureKind::Rotate;
}

struct Gesture {
  GestureKind kind = GestureKind::None;

  // The ruler's gestures.
  Point PressPoint{};      // client point of the press
  int PressLength = 0;     // the length at the press (stretches)
  Corners PressOutline{};  // the outline at the press, put back by a cancel
  Point DragPos{};         // the window's place as the band shows it (move)
  bool FirstMove = true;   // no band drawn yet; once false, one is on the screen

  // The marker drag.
  Point StaffPoint{};           // the dragged point, relative to the marker label
  Point PressScaleLinePoint{};  // ScaleLinePoint before the press, for a cancel
};

}  // namespace mensor
