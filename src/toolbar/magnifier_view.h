// The magnifier's view, free of any window: how the copied screen pixels are
// enlarged into blocks, which block is the pixel under the pointer and how it
// is framed, the grid between the blocks at large factors, where the drawn
// pointer goes, and the colour row that names the framed pixel's colour.
//
// A tick composes the whole view in one picture (blocks, grid, frame and
// pointer) and shows it at once, so no half-drawn view is ever on the screen.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "toolbar/tool_bar_controls.h"
#include "toolbar/tool_bar_math.h"
#include "ui/canvas.h"
#include "ui/image.h"
#include "ui/platform.h"
#include "ui/types.h"

namespace mensor {

// From this factor on, the view has a grid between its blocks and the drawn
// pointer goes beside the framed pixel instead of onto it.
inline constexpr int kGridFactor = 4;
inline constexpr Color kGridColor = 0x808080;

// A rectangle filled with one colour.
struct ViewMark {
  Rect rect;
  Color color = 0;
  friend bool operator==(const ViewMark&, const ViewMark&) = default;
};

struct ViewLayout {
  Rect view;                 // the view's place in the window
  // Block edges: copied column i fills columns[i] .. columns[i + 1] - 1 of
  // the window, row j rows[j] .. rows[j + 1] - 1 (one entry more than the
  // copy has columns and rows; the last is the view's right or bottom).
  std::vector<int> columns;
  std::vector<int> rows;
  Point pixel;               // the framed pixel in the copy (the pointer's spot)
  bool grid = false;
  // How the mouse pointer is drawn: not at all; into the copy with its hot
  // spot on the framed pixel, enlarged with it (small factors); or at its
  // own size into the view, its hot spot just beyond the frame's
  // bottom-right corner (pointer_at, window coordinates).
  enum class Pointer { None, InCopy, Beside };
  Pointer pointer = Pointer::None;
  Point pointer_at;
};

// copy: the size of the screen copy; spot: the pointer's place in it.
ViewLayout LayOutView(Size copy, Point spot, int factor, const Rect& view, bool show_cursor, bool show_grid);

// The framed pixel's block, in window coordinates.
Rect BlockOf(const ViewLayout& layout, Point pixel);

// The grid lines (each block's first column and row, between blocks only)
// and then the frame of the pixel under the pointer: four one-pixel sides
// around its block, on the grid lines when there is a grid, just outside
// the block otherwise; black around a light pixel, white around a dark one.
// Everything lies inside the view (a frame at its edge is cut).
std::vector<ViewMark> ViewMarks(const ViewLayout& layout, Color pixel);

// The colour a frame takes around a pixel of this colour.
Color ContrastingColor(Color pixel);

// "#RRGGBB" and "R, G, B" of a colour.
std::string HexText(Color color);
std::string RgbText(Color color);

// The colour row's parts, for a row at `row` (window coordinates).
struct ColorRowLayout {
  Rect swatch;      // the swatch's black outline; the colour fills its inside
  Point hex_at;     // top-left of "#RRGGBB"
  Point rgb_at;     // top-left of "R, G, B"
};
ColorRowLayout LayOutColorRow(const Rect& row);

// The view as the last tick composed it, and the framed pixel's colour.
class MagnifierView {
 public:
  // One tick: copies the screen, reads the framed pixel's colour, draws the
  // pointer where the layout says, enlarges, draws grid and frame.
  void Update(Platform& platform, ToolBarControls& controls, const MagnifierCapture& capture, int factor,
              const Rect& view, bool show_cursor, bool show_grid);
  // The last tick's copy composed again with or without the grid (Show
  // Grid), without copying the screen anew; false when the view does not
  // change (a small factor, no copy yet, the same choice).
  bool ShowGrid(ToolBarControls& controls, const Rect& view, bool show_grid);
  // The picture at the view's place `view`; the colour `empty` before the
  // first tick.
  void Paint(Canvas& canvas, const Rect& view, Color empty) const;
  // The swatch and the two texts (nothing before the first tick); the row's
  // panel is the caller's.
  void PaintColorRow(Canvas& canvas, const Rect& row) const;

  const ViewLayout& Layout() const { return layout_; }
  // The framed pixel's colour, when the last tick could read the screen.
  std::optional<Color> PixelColor() const { return color_; }
  const Image& Picture() const { return picture_; }

 private:
  // Lays the view out for the copy and draws the picture; the framed
  // pixel's colour as copied (nothing without a copy).
  std::optional<Color> Compose(ToolBarControls& controls, const Rect& view, bool show_grid);
  Image copy_;
  Point spot_;
  int factor_ = 1;
  bool show_cursor_ = false;
  Image picture_;
  ViewLayout layout_;
  std::optional<Color> color_;
};

}  // namespace mensor
