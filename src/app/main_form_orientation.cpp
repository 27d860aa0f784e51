// TMainForm: Rotate mode, Horizontal, Vertical, the two Fit Screen commands
// and the arrow keys.
//
// Horizontal and Vertical turn the ruler about its zero corner and keep the
// window's size; the fit commands change the length and with it the window.
// All four set the corners by their exact integer forms, place the marker by
// its axis-parallel form and install the ruler cursor with fixed line ends
// (the same pixels the general rule gives for these two angles).
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

}  // namespace

void TMainForm::PMenuCircumClick() {
  const bool on = !MenuChecked("PMenuCircum");
  SetMenuChecked("PMenuCircum", on);
  RotateMode = on;
  if (on) {
    // A scale line placed for the old angle cannot follow a turning ruler:
    // erase it and forget it.
    if (MenuChecked("MenuShowScaleLine")) {
      if (ScaleLinePoint.x != 0 && ScaleLinePoint.y != 0)
        DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);
      ScaleLinePoint = {0, 0};
      SetMenuChecked("PMenuDrawLine", false);
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
  // screen edge counts as out of view here.
  const Size screen = platform.ScreenSize();
  const Rect bounds = window.Bounds();
  const Point o = Outline[0];
  int left = bounds.left;
  int top = bounds.top;
  if (left + o.x <= 0 || left + o.x >= screen.cx) left = screen.cx / 2 - o.x;
  if (top + o.y <= 0 || top + o.y >= screen.cy) top = screen.cy / 2 - o.y;
  if (left != bounds.left || top != bounds.top) MoveWindow(window, left, top);

  FinishAxisLayout(*this, /*horizontal=*/true);
}

void TMainForm::PMenuPlumbClick() {
  if (Angle == kVerticalAngle) return;
  Angle = NewAngle = kVerticalAngle;
  const int W = AppSettings.RulerWidth;
  Outline = VerticalCorners(Outline[0], AppSettings.Length, W);
  ApplyRegion();

  // Bring into view. Unlike Horizontal, a zero corner on the screen's edge
  // stays, and the window is moved up or down only when the zero corner is
  // below the screen or the whole ruler above it.
  const Size screen = platform.ScreenSize();
  const Rect bounds = window.Bounds();
  const Point o = Outline[0];
  int left = bounds.left;
  int top = bounds.top;
  if (left + o.x < 0 || left + o.x > screen.cx) left = screen.cx / 2 - o.x;
  if (top + Outline[2].y < 0 || top + o.y > screen.cy) top = screen.cy / 2 - o.y;
  if (left != bounds.left || top != bounds.top) MoveWindow(window, left, top);

  FinishAxisLayout(*this, /*horizontal=*/false);
}

void TMainForm::MenuFitScreenClick() {
  Angle = NewAngle = kHorizontalAngle;
  const Size screen = platform.ScreenSize();
  const int W = AppSettings.RulerWidth;
  // NOTE: no 200..1515 clamp here; a wide screen gives a longer ruler than a
  // stretch may, and the next stretch or start bounds it again.
  const int L = screen.cx;
  AppSettings.Length = L;
  Outline = HorizontalCorners({L + W, L + W}, L, W);
  // The zero corner at the screen's left edge, the zero edge on row
  // (SH - W) div 2 with the body above it.
  const int side = 2 * (L + W);
  window.SetBounds(-Outline[0].x, (screen.cy - W) / 2 - Outline[0].y, side, side);
  ApplyRegion();
  FinishAxisLayout(*this, /*horizontal=*/true);
}

void TMainForm::FitScreenAsHorizontal1Click() {
  Angle = NewAngle = kVerticalAngle;
  const Size screen = platform.ScreenSize();
  const int W = AppSettings.RulerWidth;
  const int L = screen.cy;  // not clamped either
  AppSettings.Length = L;
  Outline = VerticalCorners({L + W, L + W}, L, W);
  // The body centred across the screen, the zero corner on its top edge.
  const int side = 2 * (L + W);
  window.SetBounds((screen.cx - W) / 2 - Outline[0].x, -Outline[0].y, side, side);
  ApplyRegion();
  FinishAxisLayout(*this, /*horizontal=*/false);
}

void TMainForm::FormKeyDown(int key, ShiftState shift) {
  if (StaffDragging || Pressing) return;
  if (key != vk::kLeft && key != vk::kUp && key != vk::kRight && key != vk::kDown) return;
  const Size screen = platform.ScreenSize();

  if ((shift & kModifierMask) == kCtrl) {
    // Exactly Ctrl: the pointer steps one pixel.
    Point p = platform.CursorPos();
    switch (key) {
      case vk::kLeft:
        if (p.x <= 0) return;
        --p.x;
        break;
      case vk::kUp:
        if (p.y <= 0) return;
        --p.y;
        break;
      case vk::kRight:
        if (p.x >= screen.cx) return;
        ++p.x;
        break;
      default:
        if (p.y >= screen.cy) return;
        ++p.y;
        break;
    }
    platform.SetCursorPos(p);
    return;
  }

  // Any other modifiers: the ruler moves by the step. A ruler lying wholly
  // beyond the edge it moves away from first comes back to that edge.
  const Rect bounds = window.Bounds();
  const int step = AppSettings.MoveStep;
  int left = bounds.left;
  int top = bounds.top;
  switch (key) {
    case vk::kLeft: {
      const int min_x = MinOf4(Outline[0].x, Outline[1].x, Outline[2].x, Outline[3].x);
      left = min_x + left > screen.cx ? screen.cx - min_x : left - step;
      break;
    }
    case vk::kUp: {
      const int min_y = MinOf4(Outline[0].y, Outline[1].y, Outline[2].y, Outline[3].y);
      top = min_y + top > screen.cy ? screen.cy - min_y : top - step;
      break;
    }
    case vk::kRight: {
      const int max_x = MaxOf4(Outline[0].x, Outline[1].x, Outline[2].x, Outline[3].x);
      left = max_x + left < 0 ? -max_x : left + step;
      break;
    }
    default: {
      const int max_y = MaxOf4(Outline[0].y, Outline[1].y, Outline[2].y, Outline[3].y);
      top = max_y + top < 0 ? -max_y : top + step;
      break;
    }
  }
  MoveWindow(window, left, top);
}

}  // namespace mensor
