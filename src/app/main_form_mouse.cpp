// TMainForm: the mouse gestures on the ruler (move, stretch at either end,
// rotate about the zero corner), the cursor that follows the pointer, and the
// read-out label that shows the pointer's distance from the zero end or the
// angle turned so far.
//
// While a gesture is under way the window stays where it is: a one-pixel
// exclusive-or outline (the rubber band) is drawn on the whole screen, erased
// by drawing it again before each change, and the window is changed once, at
// the release. Esc cancels a gesture (the ruler stays as it was); a gesture
// whose mouse capture is lost ends as a release where the pointer last was,
// so the ruler takes the place its outline showed.
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>

#include "app/geometry.h"
#include "app/line_math.h"
#include "app/main_form.h"

namespace mensor {
namespace {

// Distance from an edge within which the pointer is over the scale band.
constexpr double kScaleBand = 18;
// How close (in pixels) the far end must come to an axis to count as parallel
// to it when the sizing cursor is chosen.
constexpr int kAxisSlack = 5;
constexpr Color kBandPen = 0xFFFFFF;

// The offset of `length` pixels along a ruler turned to `angle`, truncated
// exactly as the outline's corners are.
Point AlongRuler(double angle, int length) {
  return CornersAt({0, 0}, angle, length, 0)[3];
}

// A stretched length kept within the range a stretch may produce. Works on
// long double so that a huge value from a nearly zero divisor cannot overflow
// an int on the way.
int ClampedLength(long double length) {
  if (!(length >= kMinStretchLength)) return kMinStretchLength;  // NaN too
  if (length > kMaxStretchLength) return kMaxStretchLength;
  return static_cast<int>(length);
}

// The length of a ruler whose end grabbed at the press has been dragged to
// (x, y): the pointer's movement along the axis the ruler runs nearer to,
// scaled to a movement along the ruler, added at the far end or taken off at
// the zero end.
int StretchedLength(const TMainForm& form, const Gesture& g, int x, int y) {
  const Corners& o = form.Outline;
  const Direction d = DirectionOf(form.Angle);
  const long double s = d.sin;
  const long double c = d.cos;
  bool along_x = std::abs(o[2].x - o[0].x) > std::abs(o[2].y - o[0].y);
  // NOTE: a ruler at least as wide as long (only a hand-edited app.ini gives
  // one) can pick the axis it runs exactly across; that divisor is 0, so the
  // other axis is taken instead. sin and cos are never both 0.
  if ((along_x ? s : c) == 0) along_x = !along_x;
  const long double moved = along_x ? (x - g.PressPoint.x) / s : (y - g.PressPoint.y) / c;
  const long double delta = std::nearbyint(moved);
  const bool zero_end = g.kind == GestureKind::StretchStart;
  return ClampedLength(zero_end ? g.PressLength - delta : g.PressLength + delta);
}

// True when p lies on the scale band along the edge a-b. A degenerate edge
// counts only at its own point.
bool OnScaleBand(Point p, Point a, Point b) {
  if (a == b) return p == a;
  return DistanceToLine(p, a, b) < kScaleBand;
}

// The sizing cursor for the far end's slope, or Default when none applies.
CursorShape SizingCursor(const Corners& o) {
  if (std::abs(o[2].y - o[3].y) < kAxisSlack) return CursorShape::SizeNS;
  if (std::abs(o[2].x - o[3].x) < kAxisSlack) return CursorShape::SizeWE;
  if ((o[2].x > o[0].x && o[2].y < o[0].y) || (o[2].x < o[0].x && o[2].y > o[0].y))
    return CursorShape::SizeNESW;
  if ((o[2].x < o[0].x && o[2].y < o[0].y) || (o[2].x > o[0].x && o[2].y > o[0].y))
    return CursorShape::SizeNWSE;
  return CursorShape::Default;
}

// Where the band of the gesture under way lies on the screen: at the dragged
// place for a move, at the window's own place otherwise.
Point BandOffset(const Gesture& g, const Rect& bounds) {
  return g.kind == GestureKind::Move ? g.DragPos : Point{bounds.left, bounds.top};
}

}  // namespace

// ---- press ----

void TMainForm::FormMouseDown(MouseButton button, ShiftState, int x, int y) {
  // The right button opens the popup menu; the middle one acts as the left.
  if (button == MouseButton::Right) return;
  // NOTE: a second button pressed during a gesture joins it instead of
  // starting another one over it; a restart would leave the band that is on
  // the screen behind and mix the state of two gestures.
  if (Pressing()) return;

  const Point p{x, y};
  Gesture g;
  g.PressOutline = Outline;
  // NOTE: the window's place is taken at every press, not only for a move: a
  // double click switches Rotate mode off after its second press has begun a
  // rotation, and the gesture then ends (or goes on) as a move, which must
  // start from where the window is and not from an older move's place.
  const Rect bounds = window.Bounds();
  g.DragPos = {bounds.left, bounds.top};
  if (NearLine(p, Outline[3], Outline[2])) {
    g.kind = GestureKind::StretchEnd;
    g.PressLength = AppSettings.Length;
  } else if (NearLine(p, Outline[0], Outline[1])) {
    g.kind = GestureKind::StretchStart;
    SetLabelVisible(LabelNumber, false);
    g.PressLength = AppSettings.Length;
  } else {
    g.kind = RotateMode ? GestureKind::Rotate : GestureKind::Move;
  }
  g.PressPoint = p;
  gesture_ = g;
  // Snapping reads the screen now, before the band is drawn on it.
  EndSnap();
  SetSnapMark(std::nullopt);
  if (SnapToEdges && g.kind != GestureKind::Rotate) BeginSnap(p, SnapArea(p), /*hover=*/false);

  // Begin the band: nothing of it is on the screen yet (FirstMove), and the
  // whole-screen surface is taken anew for this gesture.
  ScreenCanvas = platform.OpenScreenCanvas();
  ScreenCanvas->SetPenColor(kBandPen);
  ScreenCanvas->SetPenMode(PenMode::Xor);
}

// ---- movement ----

void TMainForm::FormMouseMove(ShiftState shift, int x, int y) {
  const Point p{x, y};

  // The cursor, from where the pointer is, whether or not a button is held.
  if (NearLine(p, Outline[3], Outline[2]) || NearLine(p, Outline[0], Outline[1])) {
    const CursorShape sizing = SizingCursor(Outline);
    if (sizing != CursorShape::Default) window.SetCursor(sizing);
  } else if (RotateMode) {
    window.SetCursor(CursorShape::Rotate);
  } else if (iOnScale(x, y) != 0) {
    window.SetCursor(CursorShape::Ruler);
  } else {
    window.SetCursor(CursorShape::Default);
  }

  // The gesture: take the previous band off the screen, update, draw anew.
  if (Pressing()) {
    Gesture& g = gesture_;
    const Rect bounds = window.Bounds();
    const Point shown = BandOffset(g, bounds);
    if (g.FirstMove)
      g.FirstMove = false;
    else
      DrawRuler(shown.x, shown.y);

    switch (g.kind) {
      case GestureKind::StretchEnd:
        AppSettings.Length = StretchedLength(*this, g, x, y);
        if (Snaps(shift)) AppSettings.Length = SnappedLength(g, AppSettings.Length);
        SetOutline(Angle);
        DrawRuler(bounds.left, bounds.top);
        FollowRulerInCalibration();
        break;
      case GestureKind::StretchStart: {
        AppSettings.Length = StretchedLength(*this, g, x, y);
        if (Snaps(shift)) AppSettings.Length = SnappedLength(g, AppSettings.Length);
        const Point along = AlongRuler(Angle, AppSettings.Length);
        Outline[0] = {Outline[3].x - along.x, Outline[3].y - along.y};
        Outline[1] = {Outline[2].x - along.x, Outline[2].y - along.y};
        DrawRuler(bounds.left, bounds.top);
        FollowRulerInCalibration();
        break;
      }
      case GestureKind::Rotate:
        PressAngle = DirectionFrom(Outline[0], g.PressPoint);
        NewAngle = PressAngle - DirectionFrom(Outline[0], p) + Angle;
        SetOutline(NewAngle);
        DrawRuler(bounds.left, bounds.top);
        break;
      default: {  // move
        Point offset{x - g.PressPoint.x, y - g.PressPoint.y};
        if (Snaps(shift)) offset = SnappedMove(offset);
        g.DragPos = {bounds.left + offset.x, bounds.top + offset.y};
        DrawRuler(g.DragPos.x, g.DragPos.y);
        break;
      }
    }
  }

  // The read-out, at its standard place for the committed angle.
  PlaceNumberLabel();
  if (RotateMode) {
    ShowReading({Reading::Angle, GetAngle(NewAngle - Angle), Unit});
  } else {
    // With snapping, the distance to the edge nearest the pointer, marked.
    const bool hovering = gesture_.kind == GestureKind::None && Snaps(shift);
    const std::optional<double> edge = hovering ? HoverEdge(p) : std::nullopt;
    SetSnapMark(edge);
    if (edge) {
      ShowReading({Reading::Distance, PixelsInUnit(*edge), Unit});
    } else {
      ShowReading(
          {Reading::Distance, GetDistance(x, y, Outline[0].x, Outline[0].y, Outline[1].x, Outline[1].y), Unit});
    }
  }
}

// ---- release ----

void TMainForm::FormMouseUp(MouseButton button, ShiftState shift, int, int) {
  if (button == MouseButton::Right) return;
  if (!Pressing()) {
    window.Repaint();
    return;
  }
  const Gesture g = TakeGesture(shift);
  const bool stretch = g.kind == GestureKind::StretchEnd || g.kind == GestureKind::StretchStart;

  // The window's place, size and shape change together and show in one
  // paint at the end, without the window leaving the screen.
  WindowUpdate update(window);
  const Rect bounds = window.Bounds();
  if (stretch) {
    if (!g.FirstMove) DrawRuler(bounds.left, bounds.top);
    const int L = AppSettings.Length;
    const int W = AppSettings.RulerWidth;
    const int side = 2 * (L + W);
    // Keep the fixed end where it is on the screen once the zero corner is
    // back in the window's centre.
    const Point grown = g.kind == GestureKind::StretchEnd
                            ? Point{g.PressLength - L, g.PressLength - L}
                            : Point{Outline[0].x - (L + W), Outline[0].y - (L + W)};
    window.SetBounds(bounds.left + grown.x, bounds.top + grown.y, side, side);
    LayOutRuler();
    if (g.kind == GestureKind::StretchStart) SetLabelVisible(LabelNumber, true);
  } else if (g.kind == GestureKind::Rotate) {
    if (!g.FirstMove) DrawRuler(bounds.left, bounds.top);
    Angle = NewAngle;
    ApplyRegion();
    ResetStaffMarker();
    PlaceNumberLabel();
    RebuildRulerCursor();
  } else {
    if (!g.FirstMove) DrawRuler(g.DragPos.x, g.DragPos.y);
    if (g.DragPos.x != bounds.left || g.DragPos.y != bounds.top)
      window.SetBounds(g.DragPos.x, g.DragPos.y, bounds.Width(), bounds.Height());
  }
  EndSnap();
  window.Repaint();
}

void TMainForm::CancelFormGesture() {
  if (!Pressing()) return;
  const Gesture g = TakeGesture(0);
  const Point shown = BandOffset(g, window.Bounds());
  if (!g.FirstMove) DrawRuler(shown.x, shown.y);
  // What the drag changed on its way: the length of a stretch, the corners of
  // a stretch or a rotation, the proposed angle. The window itself was not
  // touched.
  if (g.kind == GestureKind::StretchEnd || g.kind == GestureKind::StretchStart) AppSettings.Length = g.PressLength;
  Outline = g.PressOutline;
  NewAngle = Angle;
  if (g.kind == GestureKind::StretchStart) SetLabelVisible(LabelNumber, true);
  EndSnap();
  window.Repaint();
}

// ---- measuring ----

double TMainForm::GetDistance(int x, int y, int x1, int y1, int x2, int y2) const {
  const Point p{x, y};
  const Point a{x1, y1};
  const Point b{x2, y2};
  const double len = SegmentLength(a, b);
  if (len == 0) return p == b ? 0 : -1;
  return PixelsInUnit(static_cast<double>(CrossMagnitude(p, a, b)) / len);
}

double TMainForm::PixelsInUnit(double d) const {
  // NOTE: a unit of 0 pixels (a hand-edited app.ini, or a display reporting
  // no resolution) would divide by zero; the distance then stays in pixels.
  return DistanceInUnit(d, Unit, RulerDensity(), AppSettings.PixelPerUnit);
}

void TMainForm::ShowReading(const Reading& reading) {
  LastReading = reading;
  SetLabelCaption(LabelNumber, ReadoutCaption(reading));
}

Reading TMainForm::CurrentReading() const {
  if (LastReading) return *LastReading;
  return {Reading::Distance, PixelsInUnit(AppSettings.Length), Unit};
}

double TMainForm::GetAngle(double a) {
  constexpr double pi = std::numbers::pi;
  return (a >= 0 ? a : a + 2 * pi) * 180 / pi;
}

int TMainForm::iOnScale(int x, int y) const {
  const Point p{x, y};
  if (OnScaleBand(p, Outline[0], Outline[3])) return 1;
  if (OnScaleBand(p, Outline[1], Outline[2])) return 2;
  return 0;
}

}  // namespace mensor
