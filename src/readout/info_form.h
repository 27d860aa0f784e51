// TInfoForm: the read-out window. A tiny borderless, always-on-top window that
// shows the screen coordinates of the cross-hair marker while it is dragged:
// x on the first line, y on the second. The marker drag of the ruler window
// places it, feeds it and shows and hides it; it has no input of its own.
//
// The platform layer creates its window hidden, without border or title bar
// and without a task-bar button, then calls FormCreate once. It forwards
// paints to FormPaint; the window lives until the program ends.
#pragma once

#include <string>
#include <vector>

#include "ui/canvas.h"
#include "ui/controls.h"
#include "ui/platform.h"
#include "ui/types.h"

namespace mensor {

class TInfoForm {
 public:
  // The size FormCreate gives the window (the design size is replaced).
  static constexpr int kWidth = 30;
  static constexpr int kHeight = 40;
  // Colours of the lowered bevel around the panel (button shadow and
  // highlight of the standard scheme).
  static constexpr Color kBevelShadow = 0x808080;
  static constexpr Color kBevelHighlight = 0xFFFFFF;

  TInfoForm(Platform& platform, Window& window);
  TInfoForm(const TInfoForm&) = delete;
  TInfoForm& operator=(const TInfoForm&) = delete;

  // Size 30 x 40 at the window's current place, always on top; stays hidden.
  void FormCreate();
  // Applies the colours of the settings (panel and text) and raises the
  // window; runs as part of Show.
  void FormShow();
  // The panel's lowered bevel and the label's lines. The platform fills the
  // window with the panel colour (its background colour) before.
  void FormPaint(Canvas& canvas);

  // Centres the label by the size of the text it showed so far, then shows
  // x and y, each left-aligned in at least five characters, on two lines.
  void ShowCoordinates(int x, int y);

  // Scales the window, its margins and its font from their 96-pixels-per-inch
  // design to a monitor of ppi (96 gives the design exactly). Keeps the
  // window's place.
  void FitToDensity(int ppi);

  void Show();
  void Hide();
  // Raises the window without showing it when it is hidden.
  void BringToFront();
  void SetBounds(int left, int top, int width, int height);
  int Width() const;
  int Height() const;
  bool Visible() const;

  Platform& platform;
  Window& window;

  // Panel1 fills the window; its colour is the window's background.
  Color Panel1Color = 0;
  // Two lines separated by a carriage return; sized to its text.
  Label LabelNumber;

 private:
  // Sets the label's text and size: the widest line by the line height times
  // the number of lines.
  void SetLabelCaption(const std::string& caption);
  std::vector<std::string> Lines() const;
  int line_height_ = 0;
  int pixels_per_inch_ = 96;
};

}  // namespace mensor
