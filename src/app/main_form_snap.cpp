// TMainForm: snapping to edges and Measure Gap.
//
// With "Snap to &Edges" checked, a stretched end and the zero end of a moved
// ruler jump along the ruler's axis to an edge of the screen's picture within
// kSnapReach pixels, and the read-out over the ruler shows the distance to
// the edge nearest the pointer, marked on the ruler. Shift held suspends it.
//
// What is looked at: the ruler covers what lies beneath it, and a capture
// taken while it is shown contains the ruler itself, so the search runs along
// the line just beyond its graduated edge nearest the pointer. In see-through
// mode the capture of the screen behind the ruler is there already; the
// search runs under the pointer in it, with the tolerance scaled by the tint
// (which scales every difference by the share of the picture it keeps).
//
// The screen is captured once per gesture, at the press, before the rubber
// band is drawn; for the read-out once while the pointer stays over the ruler
// with nothing changing its place. A capture that fails means no snapping.
#include <algorithm>
#include <cmath>

#include "app/main_form.h"

namespace mensor {
namespace {

// The read-out's and the gap's searches reach this far beyond their ends:
// the band of three pixels and the half pixel of the first sample.
constexpr double kSearchMargin = 3.0;
// How far Measure Gap looks on either side of the pointer: the longest a
// stretch makes the ruler.
constexpr int kGapReach = kMaxStretchLength;

// A sine or cosine of an axis-parallel ruler, exactly 0 where the angle is
// a right angle's multiple (sin(-3 pi / 2) leaves about 1e-16 in the cosine).
double Clean(long double v) { return std::abs(v) < 1e-12L ? 0.0 : static_cast<double>(v); }

int RoundedLength(double length) {
  const double l = std::nearbyint(length);
  if (!(l >= kMinStretchLength)) return kMinStretchLength;
  return l > kGapReach ? kGapReach : static_cast<int>(l);
}

}  // namespace

SnapLine TMainForm::SnapLineAt(Point screen) const {
  const RulerAxis axis = SnapAxis();
  return AppSettings.Transparence ? LineUnderRuler(axis, screen) : LineBeyondEdge(axis, screen);
}

Rect TMainForm::SnapArea(Point p) const {
  const Rect bounds = window.Bounds();
  const Point screen{bounds.left + p.x, bounds.top + p.y};
  const SnapLine line = SnapLineAt(screen);
  const double press = AppSettings.Length;
  switch (gesture_.kind) {
    case GestureKind::StretchEnd: return AreaAlong(line, -kSnapReach, kGapReach + kSnapReach);
    case GestureKind::StretchStart:
      return AreaAlong(line, press - kGapReach - kSnapReach, press - kMinStretchLength + kSnapReach);
    case GestureKind::Move: return platform.VirtualScreen();
    default: {
      // The read-out: both lines beyond the long edges, over the ruler's length.
      const RulerAxis axis = SnapAxis();
      const double far = axis.width + 2 * kBandOutside;
      const SnapLine zero = LineBeyondEdge(axis, {static_cast<int>(axis.zero.x), static_cast<int>(axis.zero.y)});
      const SnapLine other{Plus(zero.origin, axis.across, far), axis.along};
      const Rect a = AreaAlong(zero, -kSnapReach, press + kSnapReach);
      const Rect b = AreaAlong(other, -kSnapReach, press + kSnapReach);
      return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
              std::max(a.bottom, b.bottom)};
    }
  }
}

RulerAxis TMainForm::SnapAxis() const {
  const Rect bounds = window.Bounds();
  const Direction d = DirectionOf(Angle);
  RulerAxis axis;
  axis.zero = {static_cast<double>(bounds.left + Outline[0].x), static_cast<double>(bounds.top + Outline[0].y)};
  axis.along = {Clean(d.sin), Clean(d.cos)};
  axis.across = {Clean(d.cos), -Clean(d.sin)};
  axis.width = AppSettings.RulerWidth;
  return axis;
}

Rect TMainForm::AreaAlong(const SnapLine& line, double a, double b) const {
  const Vec2 p = Plus(line.origin, line.along, a);
  const Vec2 q = Plus(line.origin, line.along, b);
  const auto low = [](double u, double v) { return static_cast<int>(std::floor(std::min(u, v) - kSearchMargin)); };
  const auto high = [](double u, double v) { return static_cast<int>(std::ceil(std::max(u, v) + kSearchMargin)); };
  return {low(p.x, q.x), low(p.y, q.y), high(p.x, q.x), high(p.y, q.y)};
}

void TMainForm::BeginSnap(Point p, const Rect& area, bool hover) {
  snap_.reset();
  const RulerAxis axis = SnapAxis();
  const Rect bounds = window.Bounds();
  const Point pointer{bounds.left + p.x, bounds.top + p.y};
  SnapSource source;
  source.axis = axis;
  source.length = AppSettings.Length;
  source.hover = hover;
  const int tolerance = std::clamp(AppSettings.SnapTolerance, kMinEdgeTolerance, kMaxEdgeTolerance);
  if (AppSettings.Transparence) {
    if (!ScreenShot || ScreenShot->Empty()) return;
    source.image = ScreenShot.get();
    source.origin = ScreenShotOrigin;
    source.line = SnapLineAt(pointer);
    source.tolerance = std::max(kMinEdgeTolerance, tolerance * std::min<int>(Transparency, 100) / 100);
  } else {
    const Rect screen = platform.VirtualScreen();
    const Rect wanted{std::max(area.left, screen.left), std::max(area.top, screen.top),
                      std::min(area.right, screen.right), std::min(area.bottom, screen.bottom)};
    if (wanted.Width() <= 0 || wanted.Height() <= 0) return;
    source.own = std::make_unique<Image>();
    if (!platform.CaptureScreen(*source.own, wanted)) return;
    source.image = source.own.get();
    source.origin = {wanted.left, wanted.top};
    source.line = SnapLineAt(pointer);
    source.tolerance = tolerance;
    source.sees_ruler = true;
  }
  snap_ = std::move(source);
}

int TMainForm::SnappedLength(const Gesture& g, int length) const {
  if (!snap_ || snap_->hover) return length;
  const ScreenCapture capture{*snap_->image, snap_->origin};
  // The far end lies `length` along the axis of the press; the zero end of a
  // stretch at the start lies where the fixed far end less the length is.
  const bool zero_end = g.kind == GestureKind::StretchStart;
  const double at = zero_end ? g.PressLength - length : length;
  const std::optional<double> edge = NearestEdge(capture, snap_->line, at, snap_->tolerance);
  if (!edge) return length;
  const long double snapped = zero_end ? g.PressLength - std::nearbyint(*edge) : std::nearbyint(*edge);
  return std::clamp(static_cast<int>(snapped), kMinStretchLength, kGapReach);
}

Point TMainForm::SnappedMove(Point offset) const {
  if (!snap_ || snap_->hover) return offset;
  const SnapSource& s = *snap_;
  if (s.sees_ruler) {
    // The line moved with the ruler crosses the ruler's own picture in the
    // capture (its ends would count as edges): no snapping there.
    const Vec2 o{static_cast<double>(offset.x), static_cast<double>(offset.y)};
    const Vec2 from_zero{s.line.origin.x + o.x - s.axis.zero.x, s.line.origin.y + o.y - s.axis.zero.y};
    const double across = Dot(from_zero, s.axis.across);
    const double along = Dot(from_zero, s.axis.along);
    const double slack = kSnapReach + kSearchMargin;
    if (across > -kSearchMargin && across < s.axis.width + kSearchMargin && along + slack > 0 &&
        along - slack < s.length)
      return offset;
  }
  return SnapMoveOffset({*s.image, s.origin}, s.line, offset, s.tolerance);
}

std::optional<double> TMainForm::HoverEdge(Point p) {
  const Rect bounds = window.Bounds();
  if (!hover_tried_) {
    hover_tried_ = true;
    BeginSnap(p, SnapArea(p), /*hover=*/true);
  }
  if (!snap_ || !snap_->hover) return std::nullopt;
  const RulerAxis axis = SnapAxis();
  const Point pointer{bounds.left + p.x, bounds.top + p.y};
  const SnapLine line = SnapLineAt(pointer);
  const double at = AxisCoordinateOf(axis, pointer);
  return NearestEdge({*snap_->image, snap_->origin}, line, at, snap_->tolerance);
}

void TMainForm::MouseLeave() {
  // A drag holds the mouse and ends at its release. Otherwise the read-out's
  // mark goes with the pointer, and so does its capture: what lies under the
  // ruler may change before the pointer comes back.
  if (Pressing()) return;
  if (!snap_ || snap_->hover) EndSnap();
  SetSnapMark(std::nullopt);
}

void TMainForm::SetSnapMark(std::optional<double> mark) {
  if (mark == SnapMark) return;
  SnapMark = mark;
  window.Invalidate();
}

void TMainForm::DrawSnapMark(Canvas& canvas) const {
  if (!SnapMark) return;
  // Across the ruler on the pixels just before the edge (the last ones of
  // what is measured), so that a mark at the far end stays on the ruler.
  const Direction d = DirectionOf(Angle);
  const long double a = *SnapMark - 0.5L;
  const long double w = AppSettings.RulerWidth;
  const long double x = Outline[0].x + d.sin * a;
  const long double y = Outline[0].y + d.cos * a;
  const Color saved = canvas.PenColor();
  canvas.SetPenColor(AppSettings.ScaleLine);
  canvas.SetPenMode(PenMode::Copy);
  // Half a pixel in from each long edge, rounded down to the pixel.
  canvas.MoveTo(static_cast<int>(std::floor(x + d.cos * 0.5L)), static_cast<int>(std::floor(y - d.sin * 0.5L)));
  canvas.LineTo(static_cast<int>(std::floor(x + d.cos * (w + 0.5L))),
                static_cast<int>(std::floor(y - d.sin * (w + 0.5L))));
  canvas.SetPenColor(saved);
}

void TMainForm::PMenuSnapToEdgesClick() {
  SnapToEdges = !SnapToEdges;
  EndSnap();
  SetSnapMark(std::nullopt);
}

void TMainForm::PMenuMeasureGapClick() {
  if (gesture_.kind != GestureKind::None) return;
  const Rect bounds = window.Bounds();
  const Point screen = menu_point_ ? *menu_point_ : platform.CursorPos();
  const Point p{screen.x - bounds.left, screen.y - bounds.top};
  const RulerAxis axis = SnapAxis();
  const double at = AxisCoordinateOf(axis, screen);
  const SnapLine probe = SnapLineAt(screen);
  BeginSnap(p, AreaAlong(probe, at - kGapReach - 1, at + kGapReach + 1), /*hover=*/false);
  std::optional<EdgeGap> gap;
  if (snap_) gap = GapAround({*snap_->image, snap_->origin}, snap_->line, at, snap_->tolerance, kGapReach);
  EndSnap();
  if (!gap) {
    SetSnapMark(std::nullopt);
    PlaceNumberLabel();
    SetLabelCaption(LabelNumber, NoGapText);
    return;
  }

  // The zero end onto the first edge, to the nearest pixel; a ruler shorter
  // than the gap stretched to it.
  const Point shift{static_cast<int>(std::lrint(gap->first * axis.along.x)),
                    static_cast<int>(std::lrint(gap->first * axis.along.y))};
  const double length = gap->Length();
  {
    const WindowUpdate update(window);
    if (length > AppSettings.Length) {
      const int L = RoundedLength(length);
      const int W = AppSettings.RulerWidth;
      const Point zero{bounds.left + Outline[0].x + shift.x, bounds.top + Outline[0].y + shift.y};
      AppSettings.Length = L;
      window.SetBounds(zero.x - (L + W), zero.y - (L + W), 2 * (L + W), 2 * (L + W));
      LayOutRuler();
    } else if (shift.x != 0 || shift.y != 0) {
      window.SetBounds(bounds.left + shift.x, bounds.top + shift.y, bounds.Width(), bounds.Height());
    }
    SnapMark = length;
    PlaceNumberLabel();
    ShowReading({Reading::Distance, PixelsInUnit(length), Unit});
    window.Repaint();
  }
}

}  // namespace mensor
