// What the tool bar asks of its window beyond the Window interface: the
// magnifier's timer, the factor box, the pointer drawn into the magnified
// view, the buttons' hints
// and the tool bar's own popup menu. The Win32 layer implements it with a
// window timer, an edit box with an up-down control, GDI and a tooltip
// control; the unit tests with a recording fake.
#pragma once

#include <string>

#include "ui/image.h"
#include "ui/menu.h"
#include "ui/types.h"

namespace mensor {

class ToolBarControls {
 public:
  virtual ~ToolBarControls() = default;

  // Switches the magnifier's 100-millisecond timer on or off.
  virtual void SetTimerEnabled(bool enabled) = 0;

  // The factor box's text as the user left it, and a new value for it.
  virtual std::string FactorText() const = 0;
  virtual void SetFactorText(const std::string& text) = 0;

  // Draws the mouse pointer as the user sees it into a picture, at its own
  // size with its hot spot at `at` (the picture's coordinates; parts beyond
  // the picture are cut). Nothing when the pointer is hidden.
  virtual void DrawPointer(Image& picture, Point at) = 0;

  // Moves the factor box to `box`; a caption cut to fit (`caption` its place)
  // shows its whole text as a hint, none when caption_hint is empty.
  virtual void PlaceFactorBox(const Rect& box, const Rect& caption, const std::string& caption_hint) = 0;

  // The texts shown when the pointer rests on the two buttons.
  virtual void SetHints(const std::string& magnifier, const std::string& calculator) = 0;

  // Shows the tool bar's popup menu at a screen point; returns the chosen
  // command id or 0.
  virtual int TrackPopupMenu(const Menu& menu, Point screen) = 0;
};

}  // namespace mensor
