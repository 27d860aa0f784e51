// The ruler's scale for each unit, exhaustive and fast.
//
// Tick c lies at p = c * f pixels from the zero corner (f the unit's spacing,
// p in long double) at the rounded point (x, y) = (Round(sa p + x0),
// Round(ca p + y0)). Each drawn tick is two lines pointing into the ruler,
// one from each long edge; a tick that carries a number gets its text after
// its lines. Ticks run out to 1500 pixels whatever the ruler's length.
//
// The fast drawing relies on two facts:
//  - every primitive of a tick lies within a small box around the tick's
//    exact point, so only the ticks whose box meets the visible area count;
//  - the primitives of a tick depend only on its rounded point and length
//    (and its number). Ticks closer than a pixel share a rounded point; of
//    such a run only the last tick of each length is drawn, since drawing the
//    same line again later covers the same pixels in the same colour.
#include "app/scale_painter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>

#include "app/geometry.h"
#include "app/main_form.h"

namespace mensor {
namespace {

using i64 = std::int64_t;

constexpr long double kScaleReach = 1500;

// Which ticks are drawn at which length: c mod long_every = 0 gives 18 (and
// a number), else c mod half_every = 0 gives 15 (when half_every is not 0),
// else c mod short_every = 0 gives 10, else nothing. short_every divides
// half_every, which divides long_every.
struct TickRule {
  i64 long_every = 1;
  i64 half_every = 0;
  i64 short_every = 1;
};

struct Number {
  i64 value = 0;
  int digits = 0;  // 1..4
  int across = 0;  // the extra offset j across the ruler
};

class Scale {
 public:
  // False when the unit draws no scale.
  bool Set(const ScaleInput& in);

  void PaintExhaustive(Canvas& canvas) const;
  void PaintFast(Canvas& canvas, const Rect& visible) const;

 private:
  int LengthOf(i64 c) const {
    if (c % rule_.long_every == 0) return 18;
    if (rule_.half_every != 0 && c % rule_.half_every == 0) return 15;
    if (c % rule_.short_every == 0) return 10;
    return 0;
  }
  bool NumberAt(i64 c, Number& number) const;
  long double PositionOf(i64 c) const { return static_cast<long double>(c) * f_; }
  int XOf(i64 c) const { return RoundToInt(sa_ * PositionOf(c) + x0_); }
  int YOf(i64 c) const { return RoundToInt(ca_ * PositionOf(c) + y0_); }
  Point PointOf(i64 c) const { return {XOf(c), YOf(c)}; }

  // With once, a line that the same tick draws again is drawn only then.
  void DrawTick(Canvas& canvas, Point at, int k, bool once) const;
  void DrawNumber(Canvas& canvas, Point at, const Number& number) const;
  // Tick c with its lines and its number.
  void DrawWhole(Canvas& canvas, i64 c, bool once) const;

  // The first and last tick index that can show anything inside visible.
  bool VisibleTicks(const Rect& visible, i64& first, i64& last) const;
  // The last tick of the run of ticks (multiples of short_every) starting at
  // `first` that share its rounded point, not beyond `last`.
  i64 RunEnd(i64 first, Point at, i64 last) const;
  // Ticks first..last (multiples of short_every) all at the point `at`.
  void DrawRun(Canvas& canvas, i64 first, i64 last, Point at) const;
  // The last tick in first..last drawn with length k, or -1.
  i64 LastOfLength(int k, i64 first, i64 last) const;

  int unit_ = 0;
  TickRule rule_;
  double f_ = 1;
  i64 last_tick_ = -1;
  long double sa_ = 0, ca_ = 0;
  int x0_ = 0, y0_ = 0;
  int w_ = 0, h_ = 0;
  long double s_ = 8;
  long double glyph_ = 16;  // an upper bound of a digit's width and height
};

int DigitsOf(i64 n) {
  if (n < 0) return 0;
  if (n < 10) return 1;
  if (n < 100) return 2;
  if (n < 1000) return 3;
  if (n < 10000) return 4;
  return 0;  // no number beyond four digits
}

bool Scale::Set(const ScaleInput& in) {
  unit_ = in.unit;
  switch (in.unit) {
    case kUnitPixels: rule_ = {50, 25, 5}; break;
    case kUnitCentimetres: rule_ = {10, 5, 1}; break;
    case kUnitInches: rule_ = {8, 4, 1}; break;
    case kUnitCustom: {
      int ticks = in.ticks_per_unit;
      int every = in.display_value_unit;
      CorrectCustomUnit(ticks, every);
      rule_ = {static_cast<i64>(every) * ticks, 0, 1};
      break;
    }
    default: return false;
  }
  f_ = TickSpacing(in);
  // NOTE: a display that reports no (or a negative) resolution would make the
  // spacing zero or negative; such a scale is not drawn.
  if (!(f_ > 0) || !std::isfinite(f_)) return false;
  const long double count = std::nearbyint(kScaleReach / f_);
  // No settings within the limits of the preferences come near this bound; it
  // keeps a corrupt settings file from overflowing the tick index.
  last_tick_ = static_cast<i64>(std::min(count, 1e15L));
  const Direction d = DirectionOf(in.angle);
  sa_ = d.sin;
  ca_ = d.cos;
  x0_ = in.zero.x;
  y0_ = in.zero.y;
  w_ = in.width;
  h_ = in.width / 2;
  s_ = in.font_points;
  const long double em = in.font_points * (in.pixels_per_inch > 0 ? in.pixels_per_inch : 96) / 72.0L;
  glyph_ = 2 * std::max<long double>({em, s_, 8});
  return true;
}

bool Scale::NumberAt(i64 c, Number& number) const {
  switch (unit_) {
    case kUnitPixels:
      number.value = c;
      if (c < 10) {
        number.digits = 1;
        number.across = 1;
      } else if (c < 100) {
        return false;  // the long tick at 50 carries no number
      } else if (c < 1000) {
        number.digits = 3;
        number.across = 2;
      } else {
        number.digits = 4;
        number.across = 1;
      }
      return true;
    case kUnitCentimetres:
      number.value = c / 10;
      if (number.value == 1) return false;  // the long tick at 1 cm carries no number
      break;
    case kUnitInches:
      number.value = c / 8;
      break;
    default:
      // c < 10 x D x T and so on: with D x T negative nothing is numbered.
      if (rule_.long_every < 0) return false;
      number.value = c / rule_.long_every;
      break;
  }
  number.digits = DigitsOf(number.value);
  number.across = 0;
  return number.digits != 0;
}

void Scale::DrawTick(Canvas& canvas, Point at, int k, bool once) const {
  const int x = at.x;
  const int y = at.y;
  // On a ruler as wide as the tick is long, both lines span the whole width.
  if (!once || k != w_) {
    canvas.MoveTo(x, y);
    canvas.LineTo(RoundToInt(ca_ * k + x), RoundToInt(y - sa_ * k));
  }
  canvas.MoveTo(RoundToInt(ca_ * (w_ - k) + x), RoundToInt(y - sa_ * (w_ - k)));
  canvas.LineTo(RoundToInt(ca_ * w_ + x), RoundToInt(y - sa_ * w_));
}

void Scale::DrawNumber(Canvas& canvas, Point at, const Number& number) const {
  const long double shift = number.digits * s_ / 2;
  const int top = RoundToInt(at.y - sa_ * h_ - s_ / 2);
  const int left = RoundToInt(ca_ * (h_ + number.across) + at.x - shift);
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, number.value).ptr;
  canvas.TextOut(left, top, std::string_view(text, static_cast<std::size_t>(end - text)));
}

void Scale::DrawWhole(Canvas& canvas, i64 c, bool once) const {
  const int k = LengthOf(c);
  if (k == 0) return;
  const Point at = PointOf(c);
  DrawTick(canvas, at, k, once);
  Number number;
  if (k == 18 && NumberAt(c, number)) DrawNumber(canvas, at, number);
}

void Scale::PaintExhaustive(Canvas& canvas) const {
  for (i64 c = 0; c <= last_tick_; ++c) DrawWhole(canvas, c, false);
}

bool Scale::VisibleTicks(const Rect& visible, i64& first, i64& last) const {
  if (last_tick_ < 0 || visible.Width() <= 0 || visible.Height() <= 0) return false;
  // Offsets from a tick's exact point to anything drawn for it. The lines
  // lie across the ruler between 0 and W from it, or up to 18 (which may be
  // more than W) from either edge.
  long double lo_x = 0, hi_x = 0, lo_y = 0, hi_y = 0;
  for (const int t : {w_, 18, w_ - 18}) {
    lo_x = std::min(lo_x, ca_ * t);
    hi_x = std::max(hi_x, ca_ * t);
    lo_y = std::min(lo_y, -sa_ * t);
    hi_y = std::max(hi_y, -sa_ * t);
  }
  // A number starts up to 2s before its tick, stands h + j across it, and
  // reaches at most four glyphs to the right and one glyph down.
  for (int j = 0; j <= 2; ++j) {
    const long double left = ca_ * (h_ + j);
    lo_x = std::min(lo_x, left - 2 * s_);
    hi_x = std::max(hi_x, left + 4 * glyph_);
  }
  const long double top = -sa_ * h_ - s_ / 2;
  lo_y = std::min(lo_y, top);
  hi_y = std::max(hi_y, top + glyph_);
  // Rounding of the tick's point and of the ends moves pixels by less than 1.
  constexpr long double kSlack = 3;
  const long double min_x = visible.left - hi_x - kSlack, max_x = visible.right - lo_x + kSlack;
  const long double min_y = visible.top - hi_y - kSlack, max_y = visible.bottom - lo_y + kSlack;

  // The tick points (x0 + sa p, y0 + ca p) inside [min_x, max_x] x [min_y, max_y].
  long double p_lo = 0, p_hi = PositionOf(last_tick_) + 1;
  auto clip = [&](long double start, long double slope, long double lo, long double hi) {
    if (std::fabs(slope) < 1e-9L) {
      // Moves by less than a millionth of a pixel along the whole scale.
      if (start < lo || start > hi) p_hi = -1;
      return;
    }
    long double a = (lo - start) / slope, b = (hi - start) / slope;
    if (a > b) std::swap(a, b);
    p_lo = std::max(p_lo, a);
    p_hi = std::min(p_hi, b);
  };
  clip(x0_, sa_, min_x, max_x);
  clip(y0_, ca_, min_y, max_y);
  if (p_lo > p_hi) return false;
  const long double c_lo = std::floor(p_lo / f_) - 1, c_hi = std::ceil(p_hi / f_) + 1;
  first = c_lo <= 0 ? 0 : static_cast<i64>(std::min<long double>(c_lo, last_tick_ + 1));
  last = c_hi >= last_tick_ ? last_tick_ : static_cast<i64>(std::max<long double>(c_hi, -1));
  return first <= last;
}

// The largest i in [lo, hi] with same(i), where same(lo) holds and same turns
// false for good once it does. The guess is where the value is expected to
// change; with a good guess two probes settle it.
template <typename Same>
i64 LastSame(Same same, i64 lo, i64 hi, long double guess) {
  i64 g = lo;
  if (guess >= hi) {
    g = hi;
  } else if (guess > lo) {
    g = static_cast<i64>(guess);
  }
  i64 bad = hi + 1;  // the first index known to differ
  if (g == lo || same(g)) {
    lo = g;
    for (i64 step = 1; lo < hi; step *= 2) {
      const i64 probe = std::min(hi, lo + step);
      if (!same(probe)) {
        bad = probe;
        break;
      }
      lo = probe;
    }
    if (bad > hi) return hi;
  } else {
    bad = g;
    for (i64 step = 1;; step *= 2) {
      const i64 probe = std::max(lo, bad - step);
      if (probe == lo) break;
      if (same(probe)) {
        lo = probe;
        break;
      }
      bad = probe;
    }
  }
  while (bad - lo > 1) {
    const i64 mid = lo + (bad - lo) / 2;
    if (same(mid)) {
      lo = mid;
    } else {
      bad = mid;
    }
  }
  return lo;
}

i64 Scale::RunEnd(i64 first, Point at, i64 last) const {
  // Work in steps of short_every: only those ticks are drawn.
  const i64 step = rule_.short_every;
  const i64 lo = first / step, hi = last / step;
  const long double pitch = static_cast<long double>(step) * f_;
  // Where x = Round(sa p + x0) leaves at.x: sa p + x0 passes at.x +- 1/2.
  auto guess = [&](long double slope, int start, int value) -> long double {
    const long double v = slope * pitch;
    if (v == 0) return static_cast<long double>(hi);
    return std::floor(((v > 0 ? value + 0.5L : value - 0.5L) - start) / v);
  };
  const i64 end_x = LastSame([&](i64 i) { return XOf(i * step) == at.x; }, lo, hi, guess(sa_, x0_, at.x));
  const i64 end_y = LastSame([&](i64 i) { return YOf(i * step) == at.y; }, lo, end_x, guess(ca_, y0_, at.y));
  return end_y * step;
}

i64 Scale::LastOfLength(int k, i64 first, i64 last) const {
  const i64 every = k == 18 ? std::llabs(rule_.long_every) : k == 15 ? rule_.half_every : rule_.short_every;
  if (every == 0) return -1;
  // A multiple of a longer class is followed by one of class k one step of
  // `every` earlier (every longer modulus is a multiple of at least 2 every).
  i64 c = last / every * every;
  for (int tries = 0; tries < 2 && c >= first; ++tries, c -= every) {
    if (LengthOf(c) == k) return c;
  }
  return -1;
}

void Scale::DrawRun(Canvas& canvas, i64 first, i64 last, Point at) const {
  if (first == last) {
    DrawWhole(canvas, first, true);
    return;
  }
  // The lines of the last tick of each length, in tick order.
  struct LineEvent {
    i64 c;
    int k;
  };
  std::array<LineEvent, 3> events{};
  int n = 0;
  for (int k : {18, 15, 10}) {
    const i64 c = LastOfLength(k, first, last);
    if (c >= 0) events[n++] = {c, k};
  }
  for (int i = 1; i < n; ++i)  // at most three: insertion into order
    for (int j = i; j > 0 && events[j].c < events[j - 1].c; --j) std::swap(events[j], events[j - 1]);
  // The numbers of all numbered ticks; a tick's lines come before its number.
  int next = 0;
  const i64 every = std::llabs(rule_.long_every);
  for (i64 c = (first + every - 1) / every * every; c <= last; c += every) {
    Number number;
    if (!NumberAt(c, number)) continue;
    while (next < n && events[next].c <= c) DrawTick(canvas, at, events[next++].k, true);
    DrawNumber(canvas, at, number);
  }
  while (next < n) DrawTick(canvas, at, events[next++].k, true);
}

void Scale::PaintFast(Canvas& canvas, const Rect& visible) const {
  i64 first = 0, last = 0;
  if (!VisibleTicks(visible, first, last)) return;
  const i64 step = rule_.short_every;
  first = (first + step - 1) / step * step;
  // Ticks two pixels or more apart never share a rounded point.
  if (static_cast<long double>(step) * f_ >= 2) {
    for (i64 c = first; c <= last; c += step) DrawWhole(canvas, c, true);
    return;
  }
  for (i64 c = first; c <= last;) {
    const Point at = PointOf(c);
    const i64 end = RunEnd(c, at, last);
    DrawRun(canvas, c, end, at);
    c = end + step;
  }
}

}  // namespace

void CorrectCustomUnit(int& ticks_per_unit, int& display_value_unit) {
  if (ticks_per_unit == 0) ticks_per_unit = 1;
  if (display_value_unit == 0) display_value_unit = 1;
}

double TickSpacing(const ScaleInput& input) {
  switch (input.unit) {
    case kUnitPixels: return 1;
    case kUnitCentimetres: return input.pixels_per_inch / 25.4;
    case kUnitInches: return input.pixels_per_inch / 8.0;
    case kUnitCustom: {
      int ticks = input.ticks_per_unit;
      int every = input.display_value_unit;
      CorrectCustomUnit(ticks, every);
      const double f = static_cast<double>(input.pixel_per_unit) / ticks;
      return f == 0 ? 1 : f;
    }
    default: return 0;
  }
}

void PaintScale(Canvas& canvas, const ScaleInput& input, ScaleDrawing drawing) {
  Scale scale;
  if (!scale.Set(input)) return;
  if (drawing == ScaleDrawing::Exhaustive) {
    scale.PaintExhaustive(canvas);
  } else {
    scale.PaintFast(canvas, input.visible);
  }
}

}  // namespace mensor
