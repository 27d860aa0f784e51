// TMainForm: outline, region, rubber band, standard label places, ruler cursor.
#include "app/main_form.h"

namespace mensor {

void TMainForm::SetOutline(double angle) {
  Outline = CornersAt(Outline[0], angle, AppSettings.Length, AppSettings.RulerWidth);
}

void TMainForm::ApplyRegion() {
  window.SetPolygonRegion({Outline[0], Outline[1], Outline[2], Outline[3]});
}

void TMainForm::LayOutRuler() {
  const int L = AppSettings.Length;
  const int W = AppSettings.RulerWidth;
  const Rect bounds = window.Bounds();
  window.SetBounds(bounds.left, bounds.top, W * 2 + L * 2, W * 2 + L * 2);
  Outline[0] = {L + W, L + W};
  SetOutline(Angle);
  ApplyRegion();
  ResetStaffMarker();
}

void TMainForm::DrawRuler(int dx, int dy) {
  if (!ScreenCanvas) return;
  Canvas& c = *ScreenCanvas;
  // Four LineTo calls close the polygon: with the end point excluded, every
  // corner pixel is drawn exactly once, so a second call erases the first.
  c.MoveTo(Outline[0].x + dx, Outline[0].y + dy);
  c.LineTo(Outline[1].x + dx, Outline[1].y + dy);
  c.LineTo(Outline[2].x + dx, Outline[2].y + dy);
  c.LineTo(Outline[3].x + dx, Outline[3].y + dy);
  c.LineTo(Outline[0].x + dx, Outline[0].y + dy);
}

void TMainForm::ComputeOutlineBounds() { OutlineBounds = BoundsOf(Outline); }

void TMainForm::ResetStaffMarker() {
  const Point place = StaffMarkerPlace(Outline[0], Angle, AppSettings.RulerWidth, LabelStaff.font.points);
  MoveLabel(LabelStaff, place.x, place.y);
}

void TMainForm::PlaceNumberLabel() {
  const Point place = NumberLabelPlace(Outline[0], Angle, AppSettings.RulerWidth, LabelNumber.width,
                                       LabelNumber.height);
  MoveLabel(LabelNumber, place.x, place.y);
}

void TMainForm::RebuildRulerCursor() {
  const auto [from, to] = RulerCursorLine(Angle);
  platform.SetRulerCursor(from, to);
}

void TMainForm::InitialLayout() {
  const int L = AppSettings.Length;
  const int W = AppSettings.RulerWidth;
  Outline = HorizontalCorners({L + W, L + W}, L, W);
  const Rect bounds = window.Bounds();
  window.SetBounds(bounds.left, bounds.top, (L + W) * 2, (L + W) * 2);
  ApplyRegion();
  Angle = kHorizontalAngle;
  NewAngle = kHorizontalAngle;
}

}  // namespace mensor
