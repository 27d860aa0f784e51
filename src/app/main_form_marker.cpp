// TMainForm: the cross-hair marker and the scale line.
//
// Dragging the "+" label turns the pointer into a cross drawn over the whole
// screen in exclusive-or mode (erased by drawing it again), feeds the read-out
// window with the cross centre's screen coordinates and the read-out label
// with its distance from the zero end. With "Show Scale Line" checked the
// drag also leaves a line across the ruler at ScaleRatio times that distance,
// drawn in exclusive-or mode on the ruler itself and again after every paint.
// Esc cancels a drag (the scale line goes back where it was); a drag whose
// mouse capture is lost ends as a release.
#include <cmath>

#include "app/line_math.h"
#include "app/main_form.h"
#include "readout/info_form.h"

namespace mensor {
namespace {

constexpr Color kCrossColor = 0xFFFFFF;
constexpr int kSmallArm = 20;

// Always in English, whatever the language pack.
constexpr const char* kScaleLineRefusalText =
    "Scale Line can not be show\r"
    "when staff guage's direction is Vertical with Screen!\r"
    "You can set the staff guage's direction in system page in Preferences Form!";

// Round to nearest, ties to even.
int Round(long double v) { return static_cast<int>(std::lrint(v)); }

// Length of the virtual screen's diagonal: arms this long cross every
// monitor whatever their direction.
int ScreenDiagonal(const Rect& screen) {
  const long double w = screen.Width();
  const long double h = screen.Height();
  return Round(std::sqrt(w * w + h * h));
}

bool HasScaleLine(Point p) { return p.x != 0 && p.y != 0; }

}  // namespace

void TMainForm::LabelStaffMouseDown(MouseButton button, ShiftState, int x, int y) {
  if (button != MouseButton::Left || RotateMode) return;
  // NOTE: a second press without a release (possible when the platform lost
  // the capture) must not hide the pointer twice nor leave a cross behind.
  if (StaffDragging()) return;

  Gesture& g = gesture_;
  g = Gesture{GestureKind::MarkerDrag};
  platform.ShowMouseCursor(false);
  g.StaffPoint = {x, y};
  g.PressScaleLinePoint = ScaleLinePoint;

  if (InfoForm != nullptr) {
    const Rect bounds = window.Bounds();
    // The read-out belongs to the monitor of the marker: it takes that
    // monitor's density, and a place reaching onto another monitor is moved
    // back onto the marker's.
    const MonitorList monitors = platform.Monitors();
    const Point marker{LabelStaff.left + bounds.left + x, LabelStaff.top + bounds.top + y};
    const Monitor& monitor = MonitorOfPoint(monitors, marker);
    InfoForm->FitToDensity(monitor.pixels_per_inch);
    const int width = InfoForm->Width();
    const int height = InfoForm->Height();
    const int left = (FontPoints - width) / 2 + LabelStaff.left + bounds.left;
    const int top = (FontPoints - height) / 2 + LabelStaff.top + bounds.top;
    Rect place{left, top, left + width, top + height};
    if (ReachesOtherMonitor(monitors, monitor, place)) place = ClampInto(place, monitor.bounds);
    InfoForm->SetBounds(place.left, place.top, width, height);
    if (AppSettings.ShowDisplayForm) InfoForm->Show();
  }

  ScreenCanvas = platform.OpenScreenCanvas();
  ScreenCanvas->SetPenColor(kCrossColor);
  ScreenCanvas->SetPenMode(PenMode::Xor);
  DrawStaff(AppSettings.StaffSize, AppSettings.StaffDir, g.StaffPoint.x, g.StaffPoint.y);

  if (scale_line_shown_) {
    if (HasScaleLine(ScaleLinePoint)) DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);
    DrawScaleLine(AppSettings.StaffDir, g.StaffPoint.x, g.StaffPoint.y);
    ScaleLinePoint = g.StaffPoint;
  }
}

void TMainForm::LabelStaffMouseMove(ShiftState, int x, int y) {
  if (StaffDragging()) {
    Point& staff = gesture_.StaffPoint;
    const bool scale_line = scale_line_shown_;
    DrawStaff(AppSettings.StaffSize, AppSettings.StaffDir, staff.x, staff.y);
    if (scale_line) DrawScaleLine(AppSettings.StaffDir, staff.x, staff.y);
    staff = {x, y};
    DrawStaff(AppSettings.StaffSize, AppSettings.StaffDir, staff.x, staff.y);
    if (scale_line) {
      DrawScaleLine(AppSettings.StaffDir, staff.x, staff.y);
      ScaleLinePoint = staff;
    }
  } else if (!RotateMode) {
    window.SetCursor(CursorShape::Cross);
  }

  // The read-out: always the distance from the zero end, never an angle.
  PlaceNumberLabel();
  const Point q{LabelStaff.left + x, LabelStaff.top + y};
  ShowReading({Reading::Distance, GetDistance(q.x, q.y, Outline[0].x, Outline[0].y, Outline[1].x, Outline[1].y), Unit});
}

void TMainForm::LabelStaffMouseUp(MouseButton, ShiftState shift, int, int) {
  const Gesture g = TakeGesture(shift);
  if (g.kind == GestureKind::MarkerDrag) {
    DrawStaff(AppSettings.StaffSize, AppSettings.StaffDir, g.StaffPoint.x, g.StaffPoint.y);
    platform.ShowMouseCursor(true);
    // NOTE: where the ruler was painted while the cross lay on it (the
    // read-out label changes at every movement; some systems also put back
    // the window's own picture over the screen drawing), erasing the cross
    // drew it anew. A fresh paint of the ruler takes such traces away.
    window.Invalidate();
  }
  if (AppSettings.ShowDisplayForm && InfoForm != nullptr) InfoForm->Hide();
}

void TMainForm::CancelStaffDrag() {
  if (!StaffDragging()) return;
  const Gesture& g = gesture_;
  // The drag's line (drawn at the last marker point whenever the item is
  // checked) makes way for the line shown before the press, if there was one.
  if (scale_line_shown_) {
    DrawScaleLine(AppSettings.StaffDir, g.StaffPoint.x, g.StaffPoint.y);
    ScaleLinePoint = g.PressScaleLinePoint;
    if (HasScaleLine(ScaleLinePoint)) DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);
  }
  LabelStaffMouseUp(MouseButton::Left, 0, g.StaffPoint.x, g.StaffPoint.y);
}

void TMainForm::DrawStaff(int staff_size, int staff_dir, int x, int y) {
  const Rect bounds = window.Bounds();
  const Point s{LabelStaff.left + bounds.left + x, LabelStaff.top + bounds.top + y};
  if (staff_dir != 0 && staff_dir != 1) return;
  if (InfoForm != nullptr) InfoForm->ShowCoordinates(s.x, s.y);
  if (!ScreenCanvas) return;

  Canvas& canvas = *ScreenCanvas;
  canvas.SetPenColor(kCrossColor);
  canvas.SetPenMode(PenMode::Xor);
  const Rect screen = platform.VirtualScreen();
  const bool small_cross = staff_size == 1;
  if (staff_dir == 1) {
    if (small_cross) {
      canvas.MoveTo(s.x - kSmallArm, s.y);
      canvas.LineTo(s.x + kSmallArm, s.y);
      canvas.MoveTo(s.x, s.y - kSmallArm);
      canvas.LineTo(s.x, s.y + kSmallArm);
    } else {
      canvas.MoveTo(screen.left, s.y);
      canvas.LineTo(screen.right, s.y);
      canvas.MoveTo(s.x, screen.top);
      canvas.LineTo(s.x, screen.bottom);
    }
    return;
  }
  // Along the ruler d = (sin A, cos A), across it e = (cos A, -sin A).
  const long double k = small_cross ? kSmallArm : ScreenDiagonal(screen);
  const long double angle = Angle;
  const int across_x = Round(k * std::cos(angle));
  const int across_y = Round(k * std::sin(angle));
  canvas.MoveTo(s.x - across_x, s.y + across_y);
  canvas.LineTo(s.x + across_x, s.y - across_y);
  canvas.MoveTo(s.x + across_y, s.y + across_x);
  canvas.LineTo(s.x - across_y, s.y - across_x);
}

void TMainForm::DrawScaleLine(int staff_dir, int x, int y) {
  // Q's foot F is mirrored across the zero edge, so the point r of the way
  // from F to Q lies r times Q's distance along the ruler from the zero end.
  const Point q{LabelStaff.left + x, LabelStaff.top + y};
  const long double c = DistanceToLine(q, Outline[0], Outline[3]);
  const long double angle = Angle;
  const long double cos_a = std::cos(angle);
  const long double sin_a = std::sin(angle);
  const double fx = static_cast<double>(Outline[0].x - c * cos_a);
  const double fy = static_cast<double>(Outline[0].y + c * sin_a);
  const double r = AppSettings.ScaleRatio;
  const Point p{Round(fx + (q.x - fx) * r), Round(fy + (q.y - fy) * r)};
  // The line would run along the screen-aligned cross, which is no measure.
  if (staff_dir != 0) return;

  const long double d = ScreenDiagonal(platform.VirtualScreen());
  const int dx = Round(d * cos_a);
  const int dy = Round(d * sin_a);

  std::unique_ptr<Canvas> own_canvas;
  Canvas* canvas = paint_canvas_;
  if (canvas == nullptr) {
    own_canvas = window.GetCanvas();
    canvas = own_canvas.get();
  }
  const Color saved = canvas->PenColor();
  canvas->SetPenColor(AppSettings.ScaleLine);
  canvas->SetPenMode(PenMode::Xor);
  // The window region clips the line to the ruler.
  canvas->MoveTo(p.x - dx, p.y + dy);
  canvas->LineTo(p.x + dx, p.y - dy);
  canvas->SetPenMode(PenMode::Copy);
  canvas->SetPenColor(saved);
}

void TMainForm::MenuShowScaleLineClick() {
  if (AppSettings.StaffDir == 1) {
    ShowInfo(platform, kScaleLineRefusalText);
    scale_line_shown_ = false;
  } else {
    scale_line_shown_ = !scale_line_shown_;
    if (scale_line_shown_) {
      // No line until the marker is dragged next.
      ScaleLinePoint = {0, 0};
      return;
    }
  }
  if (HasScaleLine(ScaleLinePoint)) DrawScaleLine(AppSettings.StaffDir, ScaleLinePoint.x, ScaleLinePoint.y);
}

}  // namespace mensor
