// Modifier keys and mouse buttons of an input message in the core's terms,
// shared by the program's windows.
#pragma once

#include "ui/win32/win32.h"

#include "ui/types.h"

namespace mensor::win32 {

// Modifier keys and mouse buttons of a mouse message. Alt is not part of the
// message's flags and is read from the keyboard state.
inline ShiftState MouseShift(WPARAM wparam) {
  ShiftState shift = 0;
  if (wparam & MK_SHIFT) shift |= kShift;
  if (wparam & MK_CONTROL) shift |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
  if (wparam & MK_LBUTTON) shift |= kLeftButton;
  if (wparam & MK_RBUTTON) shift |= kRightButton;
  if (wparam & MK_MBUTTON) shift |= kMiddleButton;
  return shift;
}

// Modifier keys held during a key message.
inline ShiftState KeyShift() {
  ShiftState shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= kShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= kCtrl;
  if (GetKeyState(VK_MENU) < 0) shift |= kAlt;
  return shift;
}

// Mouse buttons held during a key message.
inline ShiftState HeldMouseButtons() {
  ShiftState shift = 0;
  if (GetKeyState(VK_LBUTTON) < 0) shift |= kLeftButton;
  if (GetKeyState(VK_RBUTTON) < 0) shift |= kRightButton;
  if (GetKeyState(VK_MBUTTON) < 0) shift |= kMiddleButton;
  return shift;
}

}  // namespace mensor::win32
