// TMainForm: Rotate mode, Horizontal, Vertical, the two Fit Screen commands
// and the arrow keys.
//
// Horizontal and Vertical turn the ruler about its zero corner and keep the
// window's size; the fit commands change the length and with it the window.
// All four set the corners by their exact integer forms, place the marker by
// its axis-parallel form and install the ruler cursor with fixed line ends
// (the same pixels the general rule gives for these two angles).
#include <functional>

#include "app/main_form.h"

namespace mensor {
namespace {

// Moves the window, keeping its size.
void MoveWindow(Window& window, int left, int top) {
  const Rect bounds = window.Bounds();
  window.SetBounds(left, top, bounds.Width(), bounds.Height());
}

// Cursor line ends across the ruler, through the picture's centre (16, 16).
constexpr Point kHorizontalCursorFrom{16, -16};
constexpr Point kHorizontalCursorTo{16, 48};
constexpr Point kVerticalCursorFrom{48, 16};
constexpr Point kVerticalCursorTo{-16, 16};

// Half the marker's font size in points: the marker's "+" is centred on its
// place by this amount.
double MarkerHalf(const TMainForm& form) { return form.LabelStaff.font.points / 2.0; }

void PlaceHorizontalMarker(TMainForm& form, int width) {
  const Point o = form.Outline[0];
  const double s = MarkerHalf(form);
  form.MoveLabel(form.LabelStaff, RoundToInt(o.x + 20 - s), RoundToInt(o.y - width / 2 - s));
}

void PlaceVerticalMarker(TMainForm& form, int width) {
  const Point o = form.Outline[0];
  const double s = MarkerHalf(form);
  form.MoveLabel(form.LabelStaff, RoundToInt(width / 2 + o.x + 1 - s), RoundToInt(o.y + 20 - s));
}

// The common end of the four axis-parallel layouts: the marker at its place,
// the ruler cursor for the new orientation, and a repaint.
void FinishAxisLayout(TMainForm& form, bool horizontal) {
  const int width = AppSettings.RulerWidth;
  if (horizontal) {
    PlaceHorizontalMarker(form, width);
    form.platform.SetRulerCursor(kHorizontalCursorFrom, kHorizontalCursorTo);
  } else {
    PlaceVerticalMarker(form, width);
    form.platform.SetRulerCursor(kVerticalCursorFrom, kVerticalCursorTo);
  }
  form.window.Repaint();
}

// The two tests of Horizontal or Vertical that find the zero corner out of
// view on a monitor, across and down: each takes the monitor's bounds and the
// window's left (or top) and is true when the corner is out of view there.
struct ViewTests {
  std::function<bool(const Rect&, int)> out_across;
  std::function<bool(const Rect&, int)> out_down;
};

// A zero corner in view on some monitor stays. Otherwise the monitor holding
// the zero corner (or the one nearest to it) decides, axis by axis, as the
// single screen does: an axis out of view there puts the corner on that
// monitor's middle line.
void BringZeroCornerIntoView(TMainForm& form, const Rect& bounds, const ViewTests& tests) {
  const MonitorList monitors = form.platform.Monitors();
  for (const Monitor& m : monitors)
    if (!tests.out_across(m.bounds, bounds.left) && !tests.out_down(m.bounds, bounds.top)) return;
  const Point o = form.Outline[0];
  const Rect m = MonitorOfPoint(monitors, {bounds.left + o.x, bounds.top + o.y}).bounds;
  int left = bounds.left;
  int top = bounds.top;
  if (tests.out_across(m, left)) left = m.left + m.Width() / 2 - o.x;
  if (tests.out_down(m, top)) top = m.top + m.Height() / 2 - o.y;
  if (left != bounds.left || top != bounds.top) MoveWindow(form.window, left, top);
}

// Whether the pointer at p may step by delta (-1 or 1) along one axis: the
// new place must not pass the edge, in the direction of the step, of some
// monitor whose span on the other axis holds p (with none such, of the
// nearest monitor). The far edge itself may be reached, as on one screen.
bool PointerMayStep(const MonitorList& monitors, Point p, bool across, int delta) {
  const int to = (across ? p.x : p.y) + delta;
  const auto within = [&](const Rect& b) {
    return delta < 0 ? to >= (across ? b.left : b.top) : to <= (across ? b.right : b.bottom);
  };
  const int other = across ? p.y : p.x;
  bool any_in_line = false;
  for (const Monitor& m : monitors) {
    const Rect& b = m.bounds;
    if (other < (across ? b.top : b.left) || other >= (across ? b.bottom : b.right)) continue;
    any_in_line = true;
    if (within(b)) return true;
  }
  return !any_in_line && within(NearestMonitor(monitors, {p.x, p.y, p.x, p.y}).bounds);
}

}  // namespace

void TMainForm::PMenuCircumClick() {
  RotateMode = !RotateMode;
  if (RotateMode) {
    // A scale line placed for the old angle cannot follow a turning ruler:
    // erase it and forget it.
    if (scale_line_shown_) {
      if (ScaleLinePoint.x != 0 && ScaleLinePoint.y != 0)
        DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);
      ScaleLinePoint = {0, 0};
    }
  } else {
    // Until the next mouse movement over the ruler chooses it again.
    window.SetCursor(CursorShape::Arrow);
  }
}

void TMainForm::FormDblClick() { PMenuCircumClick(); }

void TMainForm::PMenuLevalClick() {
  // An exact comparison: a ruler turned to nearly this angle is laid again.
  if (Angle == kHorizontalAngle) return;
  Angle = NewAngle = kHorizontalAngle;
  const int W = AppSettings.RulerWidth;
  Outline = HorizontalCorners(Outline[0], AppSettings.Length, W);
  ApplyRegion();

  // Bring the zero corner into view. A corner exactly on the left or top
  // edge of its monitor counts as out of view here.
  const Rect bounds = window.Bounds();
  const Point o = Outline[0];
  const ViewTests tests{
      [&](const Rect& m, int left) { return left + o.x <= m.left || left + o.x >= m.right; },
      [&](const Rect& m, int top) { return top + o.y <= m.top || top + o.y >= m.bottom; }};
  BringZeroCornerIntoView(*this, bounds, tests);

  FinishAxisLayout(*this, /*horizontal=*/true);
}

void TMainForm::PMenuPlumbClick() {
  if (Angle == kVerticalAngle) return;
  Angle = NewAngle = kVerticalAngle;
  const int W = AppSettings.RulerWidth;
  Outline = VerticalCorners(Outline[0], AppSettings.Length, W);
  ApplyRegion();

  // Bring into view. Unlike Horizontal, a zero corner on its monitor's edge
  // stays, and the window is moved up or down only when the zero corner is
  // below the monitor or the whole ruler above it.
  const Rect bounds = window.Bounds();
  const Point o = Outline[0];
  const int far_y = Outline[2].y;
  const ViewTests tests{
      [&](const Rect& m, int left) { return left + o.x < m.left || left + o.x > m.right; },
      [&](const Rect& m, int top) { return top + far_y < m.top || top + o.y > m.bottom; }};
  BringZeroCornerIntoView(*this, bounds, tests);

  FinishAxisLayout(*this, /*horizontal=*/false);
}

void TMainForm::MenuFitScreenClick() {
  // The monitor holding the zero corner, or the one nearest to it.
  const Rect screen = MonitorOfPoint(platform.Monitors(), ZeroCornerOnScreen()).bounds;
  Angle = NewAngle = kHorizontalAngle;
  const int W = AppSettings.RulerWidth;
  // NOTE: no 200..1515 clamp here; a wide screen gives a longer ruler than a
  // stretch may, and the next stretch or start bounds it again.
  const int L = screen.Width();
  AppSettings.Length = L;
  Outline = HorizontalCorners({L + W, L + W}, L, W);
  // The zero corner at the monitor's left edge, the zero edge on its row
  // (height - W) div 2 with the body above it.
  const int side = 2 * (L + W);
  window.SetBounds(screen.left - Outline[0].x, screen.top + (screen.Height() - W) / 2 - Outline[0].y, side,
                   side);
  ApplyRegion();
  FinishAxisLayout(*this, /*horizontal=*/true);
}

void TMainForm::FitScreenAsHorizontal1Click() {
  // The monitor holding the zero corner, or the one nearest to it.
  const Rect screen = MonitorOfPoint(platform.Monitors(), ZeroCornerOnScreen()).bounds;
  Angle = NewAngle = kVerticalAngle;
  const int W = AppSettings.RulerWidth;
  const int L = screen.Height();  // not clamped either
  AppSettings.Length = L;
  Outline = VerticalCorners({L + W, L + W}, L, W);
  // The body centred across the monitor, the zero corner on its top edge.
  const int side = 2 * (L + W);
  window.SetBounds(screen.left + (screen.Width() - W) / 2 - Outline[0].x, screen.top - Outline[0].y, side,
                   side);
  ApplyRegion();
  FinishAxisLayout(*this, /*horizontal=*/false);
}

void TMainForm::FormKeyDown(int key, ShiftState shift) {
  if (StaffDragging() || Pressing()) return;
  if (key != vk::kLeft && key != vk::kUp && key != vk::kRight && key != vk::kDown) return;
  const MonitorList monitors = platform.Monitors();

  if ((shift & kModifierMask) == kCtrl) {
    // Exactly Ctrl: the pointer steps one pixel, as far as one past the last
    // pixel of the monitor row or column it is on (the step across the seam
    // of two monitors is allowed).
    Point p = platform.CursorPos();
    const bool across = key == vk::kLeft || key == vk::kRight;
    const int delta = key == vk::kLeft || key == vk::kUp ? -1 : 1;
    if (!PointerMayStep(monitors, p, across, delta)) return;
    (across ? p.x : p.y) += delta;
    platform.SetCursorPos(p);
    return;
  }

  // Any other modifiers: the ruler moves by the step. A ruler lying wholly
  // off every monitor first comes back to the edge of the nearest monitor it
  // moves away from, when it lies beyond that edge.
  const Rect bounds = window.Bounds();
  const int step = AppSettings.MoveStep;
  int left = bounds.left;
  int top = bounds.top;
  const Box box = OutlineOnScreen();
  const bool off = !TouchesAnyMonitor(monitors, box);
  const Rect screen = NearestMonitor(monitors, box).bounds;
  switch (key) {
    case vk::kLeft:
      left = off && box.min_x > screen.right ? left + screen.right - box.min_x : left - step;
      break;
    case vk::kUp:
      top = off && box.min_y > screen.bottom ? top + screen.bottom - box.min_y : top - step;
      break;
    case vk::kRight:
      left = off && box.max_x < screen.left ? left + screen.left - box.max_x : left + step;
      break;
    default:
      top = off && box.max_y < screen.top ? top + screen.top - box.max_y : top + step;
      break;
  }
  MoveWindow(window, left, top);
}

}  // namespace mensor
