// The magnified view: block edges, grid, frame, pointer place, colour row.
#include "toolbar/magnifier_view.h"

#include <algorithm>
#include <cstdio>

namespace mensor {
namespace {

// Edges of `count` blocks spread over low..high: block i starts at
// low + i * (high - low) / count, so blocks differ by one pixel at most.
std::vector<int> Edges(int count, int low, int high) {
  std::vector<int> edges(static_cast<std::size_t>(std::max(count, 0)) + 1);
  for (int i = 0; i <= count; ++i) edges[i] = low + static_cast<int>(static_cast<long long>(i) * (high - low) / count);
  return edges;
}

Rect Intersect(const Rect& a, const Rect& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

void AddClipped(std::vector<ViewMark>& marks, const Rect& rect, Color color, const Rect& view) {
  const Rect r = Intersect(rect, view);
  if (r.left < r.right && r.top < r.bottom) marks.push_back({r, color});
}

void FillImage(Image& image, const Rect& r, Color color) {
  for (int y = std::max(r.top, 0); y < std::min(r.bottom, image.height); ++y)
    for (int x = std::max(r.left, 0); x < std::min(r.right, image.width); ++x) SetPixel(image, x, y, color);
}

}  // namespace

ViewLayout LayOutView(Size copy, Point spot, int factor, const Rect& view, bool show_cursor, bool show_grid) {
  ViewLayout layout;
  layout.view = view;
  if (copy.cx <= 0 || copy.cy <= 0) return layout;
  layout.columns = Edges(copy.cx, view.left, view.right);
  layout.rows = Edges(copy.cy, view.top, view.bottom);
  layout.pixel = {std::clamp(spot.x, 0, copy.cx - 1), std::clamp(spot.y, 0, copy.cy - 1)};
  const bool large = factor >= kGridFactor;
  layout.grid = large && show_grid;
  if (show_cursor) {
    layout.pointer = large ? ViewLayout::Pointer::Beside : ViewLayout::Pointer::InCopy;
    const Rect block = BlockOf(layout, layout.pixel);
    // The frame's far sides lie on the next block's first column and row
    // with a grid, just past the block without; the pointer starts beyond.
    layout.pointer_at = {block.right + 1, block.bottom + 1};
  }
  return layout;
}

Rect BlockOf(const ViewLayout& layout, Point pixel) {
  return {layout.columns[pixel.x], layout.rows[pixel.y], layout.columns[pixel.x + 1], layout.rows[pixel.y + 1]};
}

std::vector<ViewMark> ViewMarks(const ViewLayout& layout, Color pixel) {
  std::vector<ViewMark> marks;
  if (layout.columns.empty()) return marks;
  const Rect& v = layout.view;
  if (layout.grid) {
    for (std::size_t i = 1; i + 1 < layout.columns.size(); ++i)
      marks.push_back({{layout.columns[i], v.top, layout.columns[i] + 1, v.bottom}, kGridColor});
    for (std::size_t j = 1; j + 1 < layout.rows.size(); ++j)
      marks.push_back({{v.left, layout.rows[j], v.right, layout.rows[j] + 1}, kGridColor});
  }
  const Rect block = BlockOf(layout, layout.pixel);
  // Outline, right and bottom exclusive: on the grid lines around the block
  // (its own first column and row, the next block's), or around it.
  const int in = layout.grid ? 0 : 1;
  const Rect f{block.left - in, block.top - in, block.right + 1, block.bottom + 1};
  const Color c = ContrastingColor(pixel);
  AddClipped(marks, {f.left, f.top, f.right, f.top + 1}, c, v);
  AddClipped(marks, {f.left, f.bottom - 1, f.right, f.bottom}, c, v);
  AddClipped(marks, {f.left, f.top, f.left + 1, f.bottom}, c, v);
  AddClipped(marks, {f.right - 1, f.top, f.right, f.bottom}, c, v);
  return marks;
}

Color ContrastingColor(Color pixel) {
  // Perceived brightness (ITU-R BT.601 weights) against the middle.
  const int brightness = 299 * RedOf(pixel) + 587 * GreenOf(pixel) + 114 * BlueOf(pixel);
  return brightness >= 128 * 1000 ? 0x000000 : 0xFFFFFF;
}

std::string HexText(Color color) {
  char text[16];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

std::string RgbText(Color color) {
  char text[32];
  std::snprintf(text, sizeof text, "%d, %d, %d", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

ColorRowLayout LayOutColorRow(const Rect& row) {
  // A 20-pixel swatch in a black outline at the left, the two texts stacked
  // right of it (one line of the 8-point font each).
  ColorRowLayout layout;
  layout.swatch = {row.left + 5, row.top + 4, row.left + 27, row.top + 26};
  layout.hex_at = {row.left + 32, row.top + 3};
  layout.rgb_at = {row.left + 32, row.top + 16};
  return layout;
}

void MagnifierView::Update(Platform& platform, ToolBarControls& controls, const MagnifierCapture& capture,
                           int factor, const Rect& view, bool show_cursor, bool show_grid) {
  const bool read = platform.CaptureScreen(copy_, capture.source);
  spot_ = capture.spot;
  factor_ = factor;
  show_cursor_ = show_cursor;
  const std::optional<Color> pixel = Compose(controls, view, show_grid);
  // A screen that could not be read shows black but names no colour.
  color_.reset();
  if (read) color_ = pixel;
}

bool MagnifierView::ShowGrid(ToolBarControls& controls, const Rect& view, bool show_grid) {
  // At small factors the pointer is drawn into the copy, and there is no
  // grid to change.
  if (copy_.Empty() || layout_.pointer == ViewLayout::Pointer::InCopy || factor_ < kGridFactor) return false;
  if (layout_.grid == show_grid) return false;
  Compose(controls, view, show_grid);
  return true;
}

std::optional<Color> MagnifierView::Compose(ToolBarControls& controls, const Rect& view, bool show_grid) {
  layout_ = LayOutView({copy_.width, copy_.height}, spot_, factor_, view, show_cursor_, show_grid);
  if (copy_.Empty()) return std::nullopt;
  // The colour is read before the pointer can cover the pixel.
  const Color pixel = PixelOf(copy_, layout_.pixel.x, layout_.pixel.y);
  if (layout_.pointer == ViewLayout::Pointer::InCopy) controls.DrawPointer(copy_, spot_);

  // Enlarge: each copied pixel fills its block.
  if (picture_.width != view.Width() || picture_.height != view.Height()) picture_.Resize(view.Width(), view.Height());
  const std::size_t row_bytes = 3 * static_cast<std::size_t>(view.Width());
  for (int j = 0; j < copy_.height; ++j) {
    const std::uint8_t* from = copy_.Row(j);
    const int first = layout_.rows[j] - view.top;
    std::uint8_t* to = picture_.Row(first);
    for (int i = 0; i < copy_.width; ++i)
      for (int x = layout_.columns[i]; x < layout_.columns[i + 1]; ++x)
        std::copy_n(from + 3 * i, 3, to + 3 * (x - view.left));
    // The block's other rows are the same.
    for (int y = first + 1; y < layout_.rows[j + 1] - view.top; ++y) std::copy_n(to, row_bytes, picture_.Row(y));
  }
  for (ViewMark mark : ViewMarks(layout_, pixel)) {
    mark.rect = {mark.rect.left - view.left, mark.rect.top - view.top, mark.rect.right - view.left,
                 mark.rect.bottom - view.top};
    FillImage(picture_, mark.rect, mark.color);
  }
  if (layout_.pointer == ViewLayout::Pointer::Beside)
    controls.DrawPointer(picture_, {layout_.pointer_at.x - view.left, layout_.pointer_at.y - view.top});
  return pixel;
}

void MagnifierView::Paint(Canvas& canvas, const Rect& view, Color empty) const {
  if (picture_.Empty()) {
    canvas.FillRect(view, empty);
    return;
  }
  canvas.DrawImage(picture_, {0, 0, picture_.width, picture_.height}, {view.left, view.top});
}

void MagnifierView::PaintColorRow(Canvas& canvas, const Rect& row) const {
  if (!color_) return;
  const ColorRowLayout parts = LayOutColorRow(row);
  const Rect& s = parts.swatch;
  canvas.FillRect(s, 0x000000);
  canvas.FillRect({s.left + 1, s.top + 1, s.right - 1, s.bottom - 1}, *color_);
  Font font;
  font.color = 0;
  canvas.SetFont(font);
  canvas.TextOut(parts.hex_at.x, parts.hex_at.y, HexText(*color_));
  canvas.TextOut(parts.rgb_at.x, parts.rgb_at.y, RgbText(*color_));
}

}  // namespace mensor
