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
// The horizontal and the vertical ruler go further, by pixel columns: see
// "axis-parallel rulers" below.
#include "app/scale_painter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "app/geometry.h"
#include "app/ruler_unit.h"

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

int DigitsOf(i64 n) {
  if (n < 0) return 0;
  if (n < 10) return 1;
  if (n < 100) return 2;
  if (n < 1000) return 3;
  if (n < 10000) return 4;
  return 0;  // no number beyond four digits
}

// Whether a value rounds (to nearest, ties to even) to u or less, without
// converting it.
bool RoundsAtMost(long double v, int u) {
  const long double half_up = u + 0.5L;
  return v < half_up || (v == half_up && u % 2 == 0);
}

class Scale {
 public:
  // False when the unit draws no scale.
  bool Set(const ScaleInput& in);

  void PaintExhaustive(Canvas& canvas) const;
  void PaintFast(Canvas& canvas, const Rect& visible) const;

 private:
  enum class Axis { None, Horizontal, Vertical };

  int LengthOf(i64 c) const {
    if (c % rule_.long_every == 0) return 18;
    if (rule_.half_every != 0 && c % rule_.half_every == 0) return 15;
    if (c % rule_.short_every == 0) return 10;
    return 0;
  }
  // The number of tick c (a multiple of long_every), given its index
  // c / |long_every| among the long ticks.
  bool NumberAt(i64 c, i64 index, Number& number) const {
    if (unit_ == kUnitPixels) {
      if (c >= 10 && c < 100) return false;  // the long tick at 50 carries no number
      number.value = c;
      number.digits = c < 10 ? 1 : c < 1000 ? 3 : 4;
      number.across = AcrossOf(number.digits);
      return true;
    }
    // The long tick at 1 cm carries no number; c < 10 x D x T and so on:
    // with D x T negative nothing is numbered.
    if ((unit_ == kUnitCentimetres && index == 1) || rule_.long_every < 0) return false;
    number.value = index;
    number.digits = DigitsOf(index);
    number.across = 0;
    return number.digits != 0;
  }
  bool NumberAt(i64 c, Number& number) const { return NumberAt(c, c / std::llabs(rule_.long_every), number); }
  // The extra across offset j of a number with that many digits.
  int AcrossOf(int digits) const { return unit_ != kUnitPixels ? 0 : digits == 3 ? 2 : 1; }
  long double PositionOf(i64 c) const { return static_cast<long double>(c) * f_; }
  int XOf(i64 c) const { return RoundToInt(sa_ * PositionOf(c) + x0_); }
  int YOf(i64 c) const { return RoundToInt(ca_ * PositionOf(c) + y0_); }
  Point PointOf(i64 c) const { return {XOf(c), YOf(c)}; }

  // With once, a line that the same tick draws again is drawn only then.
  void DrawTick(Canvas& canvas, Point at, int k, bool once) const;
  void DrawNumber(Canvas& canvas, Point at, const Number& number) const;
  Point NumberPlace(Point at, const Number& number) const;
  static void DrawText(Canvas& canvas, Point place, const Number& number);
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
  // The longest tick among first..last (multiples of short_every), 0 if none.
  int LongestIn(i64 first, i64 last) const;

  // The axis-parallel rulers, drawn by pixel columns (see PaintAxis).
  Axis AxisOf(double angle) const;
  // The along coordinate of tick c before rounding, computed as XOf (YOf)
  // does.
  long double AlongValue(i64 c) const { return along_ * PositionOf(c) + along_start_; }
  // The same in double, within along_tolerance_.
  double AlongNear(i64 c) const { return along_double_ * (static_cast<double>(c) * f_) + along_start_; }
  // Whether tick c's along coordinate rounds to u or less: decided by its
  // value in double unless too close to call, then exactly.
  bool AlongAtMost(i64 c, double near, int u) const {
    const double off = near - (u + 0.5);
    if (off < -along_tolerance_) return true;
    if (off > along_tolerance_) return false;
    return RoundsAtMost(AlongValue(c), u);
  }
  // The last tick on column u from tick lo on, not beyond hi (both in
  // steps of short_every, as the result). The unrounded coordinate of the
  // tick after it goes to `after` when that lies within hi.
  i64 AlongEnd(i64 lo, int u, i64 hi, long double& after) const;
  Point AxisNumberPlace(int u, const Number& number) const {
    const int d = number.digits;
    if (!number_exact_[d]) return AxisNumberPlaceRounded(u, number);
    return axis_ == Axis::Horizontal ? Point{u + number_along_[d], number_across_[d]}
                                     : Point{number_across_[d], u + number_along_[d]};
  }
  Point AxisNumberPlaceRounded(int u, const Number& number) const;
  bool TickMeets(int k, int d_lo, int d_hi) const;
  // The shortest tick whose lines meet the box of a number placed there, 0
  // for none.
  int TouchOf(Point place, int digits) const;
  bool NumbersMayTouch(i64 first, i64 last) const;
  // For each column u_lo..u_hi, the shortest tick whose lines meet the box
  // of a number among the ticks first..last (0 for none).
  std::vector<std::uint8_t> TouchMap(i64 first, i64 last, int u_lo, int u_hi) const;
  void AxisTick(Canvas& canvas, int u, int k) const;
  void AxisFill(Canvas& canvas, int u_first, int u_last, int k) const;
  // The ticks first..last of column u in order with their numbers, from
  // the long tick next_long (index long_index) on; advances both.
  void AxisExact(Canvas& canvas, int u, i64 first, i64 last, int touch, i64& next_long, i64& long_index) const;
  void PaintAxis(Canvas& canvas, i64 first, i64 last) const;

  int unit_ = 0;
  TickRule rule_;
  double f_ = 1;
  i64 last_tick_ = -1;
  long double sa_ = 0, ca_ = 0;
  int x0_ = 0, y0_ = 0;
  int w_ = 0, h_ = 0;
  long double s_ = 8;
  int points_ = 8;  // s
  long double glyph_ = 16;  // an upper bound of a digit's width and height
  Axis axis_ = Axis::None;
  long double along_ = 0;  // sa (horizontal) or ca (vertical)
  int along_start_ = 0;    // x0 (horizontal) or y0 (vertical)
  double inverse_pitch_ = 0;  // ticks (in steps of short_every) per pixel
  double along_double_ = 0;   // along_ in double
  double along_tolerance_ = 0;  // how far AlongValue and its double twin may differ
  // Where an axis-parallel ruler's numbers stand, by digits: across the
  // ruler (their top on a horizontal ruler, their left on a vertical one)
  // and, when exact, the offset from their tick's column along it.
  std::array<int, 5> number_across_{};
  std::array<int, 5> number_along_{};
  std::array<bool, 5> number_exact_{};
  // The box a number's text stays in: digit_box_ per digit wide from its
  // left, text_height_ high from its top (see Set).
  int digit_box_ = 8;
  int text_height_ = 16;
};

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
  points_ = in.font_points;
  const long double em = in.font_points * (in.pixels_per_inch > 0 ? in.pixels_per_inch : 96) / 72.0L;
  glyph_ = 2 * std::max<long double>({em, s_, 8});
  // The numbers' font is the window's font of s points (never less than 8),
  // sized for the standard 96 pixels per inch: its em is 4s/3 pixels, its
  // digits advance at most 0.6 em = 0.8 s and draw within their advance, and
  // its cell is at most 1.5 em = 2s high. "MS Sans Serif" at 8 points has
  // 6 x 13 pixel digits in an 8 x 16 box.
  const int box = std::max(in.font_points, 8);
  digit_box_ = box;
  text_height_ = 2 * box;
  axis_ = AxisOf(in.angle);
  along_ = axis_ == Axis::Horizontal ? sa_ : ca_;
  along_start_ = axis_ == Axis::Horizontal ? x0_ : y0_;
  inverse_pitch_ = 1 / (static_cast<double>(along_) * static_cast<double>(rule_.short_every) * f_);
  along_double_ = static_cast<double>(along_);
  // Each of the few double operations errs by at most 2^-53 of the largest
  // magnitude involved; 2^-40 of it leaves a wide margin.
  along_tolerance_ =
      (std::fabs(along_double_) * static_cast<double>(PositionOf(last_tick_) + f_) + std::abs(along_start_) + 1) * 0x1p-40;
  // Across the ruler every tick has the same coordinate, so the numbers'
  // place across depends only on their digits. Along it a number stands a
  // whole or half number of pixels before its tick: when whole, the tiny
  // remainder of the direction's other component cannot change the rounding
  // (see AxisOf) and the offset is exact.
  for (int digits = 1; digits <= 4 && axis_ != Axis::None; ++digits) {
    const Number number{0, digits, AcrossOf(digits)};
    const int shift2 = axis_ == Axis::Horizontal ? digits * points_ : points_;  // twice the shift
    number_exact_[digits] = shift2 % 2 == 0;
    number_along_[digits] = -shift2 / 2;
    number_across_[digits] = axis_ == Axis::Horizontal ? NumberPlace({0, y0_}, number).y : NumberPlace({x0_, 0}, number).x;
  }
  return true;
}

Scale::Axis Scale::AxisOf(double angle) const {
  Axis axis = Axis::None;
  long double along = 0, across = 0;
  if (angle == kHorizontalAngle) {
    axis = Axis::Horizontal;
    along = sa_;
    across = ca_;
  } else if (angle == kVerticalAngle) {
    axis = Axis::Vertical;
    along = ca_;
    across = sa_;
  } else {
    return Axis::None;
  }
  // Every rounded point then lies on whole-pixel offsets: the ticks stay on
  // the zero edge's line, and a tick's ends lie k, W - k and W straight
  // across from its point (each off by at most a quarter before rounding).
  const long double reach = std::max<long double>(PositionOf(last_tick_) + 1, std::fabs(static_cast<long double>(w_)) + 18);
  if (!(std::fabs(across) * reach <= 0.25L) || !(std::fabs(along - 1) * reach <= 0.25L)) return Axis::None;
  return axis;
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

Point Scale::NumberPlace(Point at, const Number& number) const {
  const long double shift = number.digits * s_ / 2;
  return {RoundToInt(ca_ * (h_ + number.across) + at.x - shift), RoundToInt(at.y - sa_ * h_ - s_ / 2)};
}

// "00" to "99": the two digits of each number below 100.
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (int i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

void Scale::DrawText(Canvas& canvas, Point place, const Number& number) {
  static constexpr std::array<i64, 5> kBeyond = {1, 10, 100, 1000, 10000};
  if (number.digits >= 1 && number.digits <= 4 && number.value >= 0 && number.value < kBeyond[number.digits]) {
    // The number has as many digits as it says: the last ones of four.
    const auto value = static_cast<unsigned>(number.value);
    const unsigned high = value / 100, low = value % 100;
    const std::array<char, 4> text = {kDigitPairs[2 * high], kDigitPairs[2 * high + 1], kDigitPairs[2 * low],
                                      kDigitPairs[2 * low + 1]};
    const auto length = static_cast<std::size_t>(number.digits);
    canvas.TextOut(place.x, place.y, std::string_view(text.data() + 4 - length, length));
    return;
  }
  char text[24];
  const auto end = std::to_chars(text, text + sizeof text, number.value).ptr;
  canvas.TextOut(place.x, place.y, std::string_view(text, static_cast<std::size_t>(end - text)));
}

void Scale::DrawNumber(Canvas& canvas, Point at, const Number& number) const {
  DrawText(canvas, NumberPlace(at, number), number);
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

int Scale::LongestIn(i64 first, i64 last) const {
  // Ticks are never negative, so rounding up is a division.
  auto any = [&](i64 every) { return every != 0 && first <= last && (first + every - 1) / every * every <= last; };
  if (any(std::llabs(rule_.long_every))) return 18;
  if (any(rule_.half_every)) return 15;
  if (any(rule_.short_every)) return 10;
  return 0;
}

// ---- axis-parallel rulers ----
//
// On the horizontal and the vertical ruler every tick is a pair of one-pixel
// lines straight across the ruler on the pixel column (row) u of its point,
// and the lines of a tick of length k cover the depths d = 0 .. k-1 and
// W-k .. W-1 from the zero edge, so a longer tick covers all the pixels of a
// shorter one. Of the ticks on one column only the longest matters, and runs
// of equal longest ticks on neighbouring columns are one filled rectangle per
// edge, as long as no number's text can touch those pixels: between a line
// and a text that may overlap, the drawing order decides the colour. Where a
// number's box meets a column's lines, that column is drawn exactly: per
// stretch between its numbers the longest tick, in order with the numbers
// (ticks too short to reach into any box are covered by a longer one).
//
// Finding the columns costs the most at fine spacings (down to a thousand
// ticks per pixel): the coordinates are compared with the column's rounding
// bounds in double first and only worked out in long double when too close
// to call, and where ticks are less than half a pixel apart only the columns
// of the long and half ticks are looked at, every column between them
// carrying short ticks.

i64 Scale::AlongEnd(i64 lo, int u, i64 hi, long double& after) const {
  const i64 step = rule_.short_every;
  auto inside = [&](i64 i, long double& v) {
    v = AlongValue(i * step);
    return RoundsAtMost(v, u);
  };
  // The coordinate grows with c and leaves u where the exact one passes
  // u + 1/2: found near enough in double, then settled exactly.
  const double guess = (u + 0.5 - along_start_) * inverse_pitch_;
  long double v = 0;
  if (guess > static_cast<double>(lo) && guess < static_cast<double>(hi)) {
    const i64 g = static_cast<i64>(guess);  // positive: truncation is floor
    if (inside(g, v)) {
      if (!inside(g + 1, after)) return g;
    } else if (inside(g - 1, after)) {
      after = v;
      return g - 1;
    }
  }
  const i64 end = LastSame([&](i64 i) { return inside(i, v); }, lo, hi, std::floor(guess));
  if (end < hi) after = AlongValue((end + 1) * step);
  return end;
}

Point Scale::AxisNumberPlaceRounded(int u, const Number& number) const {
  return NumberPlace(axis_ == Axis::Horizontal ? Point{u, y0_} : Point{x0_, u}, number);
}

bool Scale::TickMeets(int k, int d_lo, int d_hi) const {
  return (d_lo <= k - 1 && 0 <= d_hi) || (d_lo <= w_ - 1 && w_ - k <= d_hi);
}

int Scale::TouchOf(Point place, int digits) const {
  int d_lo = 0, d_hi = 0;
  if (axis_ == Axis::Horizontal) {
    d_lo = y0_ - (place.y + text_height_ - 1);
    d_hi = y0_ - place.y;
  } else {
    d_lo = place.x - x0_;
    d_hi = place.x + digits * digit_box_ - 1 - x0_;
  }
  // Lines of length k cover those of every shorter length.
  for (const int k : {10, 15, 18})
    if (TickMeets(k, d_lo, d_hi)) return k;
  return 0;
}

bool Scale::NumbersMayTouch(i64 first, i64 last) const {
  // Across the ruler a number's box depends only on its digits (and the
  // across offset that goes with them); the digits grow with the tick.
  const i64 every = std::llabs(rule_.long_every);
  const i64 n_first = (first + every - 1) / every * every, n_last = last / every * every;
  if (n_first > n_last) return false;
  auto value = [&](i64 c) { return unit_ == kUnitPixels ? c : c / every; };
  const int d_first = std::max(DigitsOf(value(n_first)), 1);
  const int d_last = DigitsOf(value(n_last)) == 0 ? 4 : DigitsOf(value(n_last));
  for (int digits = d_first; digits <= d_last; ++digits) {
    const Number number{0, digits, AcrossOf(digits)};
    if (TouchOf(AxisNumberPlace(0, number), digits) != 0) return true;
  }
  return false;
}

std::vector<std::uint8_t> Scale::TouchMap(i64 first, i64 last, int u_lo, int u_hi) const {
  std::vector<std::uint8_t> touch(static_cast<std::size_t>(u_hi - u_lo + 1), 0);
  auto mark = [&](int from, int to, int k) {
    for (int v = std::max(from, u_lo); v <= std::min(to, u_hi); ++v) {
      std::uint8_t& t = touch[static_cast<std::size_t>(v - u_lo)];
      if (t == 0 || t > k) t = static_cast<std::uint8_t>(k);
    }
  };
  // Boxes of numbers with as many digits overlap their neighbours' along
  // the ruler: per digit count, the stretch marked so far is not marked
  // again.
  std::array<int, 5> marked_from{}, marked_to{};
  marked_to.fill(-1);
  marked_from.fill(0);
  const i64 every = std::llabs(rule_.long_every);
  for (i64 c = (first + every - 1) / every * every; c <= last; c += every) {
    Number number;
    if (!NumberAt(c, number)) continue;
    const int u = RoundToInt(AlongValue(c));
    const Point place = AxisNumberPlace(u, number);
    const int k = TouchOf(place, number.digits);
    if (k == 0) continue;
    // The box's extent along the ruler.
    int from = place.x, to = place.x + number.digits * digit_box_ - 1;
    if (axis_ == Axis::Vertical) {
      from = place.y;
      to = place.y + text_height_ - 1;
    }
    int& done_from = marked_from[number.digits];
    int& done_to = marked_to[number.digits];
    if (done_from <= done_to && from <= done_to + 1 && to + 1 >= done_from) {
      mark(from, done_from - 1, k);
      mark(done_to + 1, to, k);
      done_from = std::min(done_from, from);
      done_to = std::max(done_to, to);
    } else {
      mark(from, to, k);
      done_from = from;
      done_to = to;
    }
  }
  return touch;
}

void Scale::AxisTick(Canvas& canvas, int u, int k) const {
  // The tick's own lines (see DrawTick), with the ends rounded exactly.
  if (axis_ == Axis::Horizontal) {
    if (k != w_) {
      canvas.MoveTo(u, y0_);
      canvas.LineTo(u, y0_ - k);
    }
    canvas.MoveTo(u, y0_ - (w_ - k));
    canvas.LineTo(u, y0_ - w_);
  } else {
    if (k != w_) {
      canvas.MoveTo(x0_, u);
      canvas.LineTo(x0_ + k, u);
    }
    canvas.MoveTo(x0_ + (w_ - k), u);
    canvas.LineTo(x0_ + w_, u);
  }
}

void Scale::AxisFill(Canvas& canvas, int u_first, int u_last, int k) const {
  auto fill = [&](int d_lo, int d_hi) {
    if (axis_ == Axis::Horizontal) {
      canvas.FillRect({u_first, y0_ - d_hi, u_last + 1, y0_ - d_lo + 1}, canvas.PenColor());
    } else {
      canvas.FillRect({x0_ + d_lo, u_first, x0_ + d_hi + 1, u_last + 1}, canvas.PenColor());
    }
  };
  const int zero_hi = k - 1, far_lo = w_ - k, far_hi = w_ - 1;
  if (far_lo <= zero_hi + 1 && 0 <= far_hi + 1) {
    fill(std::min(0, far_lo), std::max(zero_hi, far_hi));
  } else {
    fill(0, zero_hi);
    fill(far_lo, far_hi);
  }
}

void Scale::AxisExact(Canvas& canvas, int u, i64 first, i64 last, int touch, i64& next_long,
                      i64& long_index) const {
  const i64 step = rule_.short_every;
  const i64 every = std::llabs(rule_.long_every);
  i64 from = first;
  for (; next_long <= last; next_long += every, ++long_index) {
    Number number;
    if (!NumberAt(next_long, long_index, number)) continue;
    // The ticks up to the number's own; one that a later tick as long or
    // longer covers again after the number is left to that one.
    const int k = LongestIn(from, next_long);
    if (k >= touch && k > LongestIn(next_long + step, last)) AxisTick(canvas, u, k);
    DrawText(canvas, AxisNumberPlace(u, number), number);
    from = next_long + step;
  }
  const int k = LongestIn(from, last);
  if (k >= touch) AxisTick(canvas, u, k);
}

void Scale::PaintAxis(Canvas& canvas, i64 first, i64 last) const {
  const i64 step = rule_.short_every;
  const i64 every = std::llabs(rule_.long_every);
  const i64 half = rule_.half_every;
  const long double pitch = static_cast<long double>(step) * f_;  // pixels from tick to tick
  int u = RoundToInt(AlongValue(first));
  const int u_lo = u, u_hi = RoundToInt(AlongValue(last));
  std::vector<std::uint8_t> touch;
  if (NumbersMayTouch(first, last)) touch = TouchMap(first, last, u_lo, u_hi);

  // The next long tick and its index among the long ticks, and the next half
  // tick, from the current column on.
  i64 next_long = (first + every - 1) / every * every;
  i64 long_index = next_long / every;
  i64 next_half = half != 0 ? (first + half - 1) / half * half : 0;

  // The free columns: the last one drawn, and the rectangle that continues
  // its run. A column that continues a run of equal ticks joins its
  // rectangle; one that starts a run draws its lines, before its numbers.
  bool free_before = false;
  int free_u = 0, free_k = 0;
  bool filling = false;
  int fill_first = 0;
  auto end_fill = [&] {
    if (filling) AxisFill(canvas, fill_first, free_u, free_k);
    filling = false;
  };
  auto free_columns = [&](int from, int to, int k) {
    if (free_before && free_u + 1 == from && free_k == k) {
      if (!filling) fill_first = from;
      filling = true;
    } else {
      end_fill();
      AxisTick(canvas, from, k);
      if (to > from) {
        fill_first = from + 1;
        filling = true;
      }
    }
    free_before = true;
    free_u = to;
    free_k = k;
  };

  if (pitch <= 0.5L) {
    // Ticks less than half a pixel apart leave no column between the first
    // and the last without one, and all but the long and half ticks are
    // short: only the columns of those need looking at.
    auto short_columns = [&](int from, int to) {
      for (int v = from; v <= to;) {
        if (!touch.empty() && touch[static_cast<std::size_t>(v - u_lo)] == 10) {
          // A number's box reaches the short ticks here: drawn in order.
          end_fill();
          free_before = false;
          AxisTick(canvas, v, 10);
          ++v;
          continue;
        }
        int end = v;
        while (end < to && (touch.empty() || touch[static_cast<std::size_t>(end + 1 - u_lo)] != 10)) ++end;
        free_columns(v, end, 10);
        v = end + 1;
      }
    };
    const i64 none = last + 1;
    i64 n = std::min(next_long, half != 0 ? next_half : none);
    double near = AlongNear(n);
    while (n <= last) {
      // Tick n lies on column u or beyond.
      const int column = AlongAtMost(n, near, u) ? u : RoundToInt(AlongValue(n));
      if (column > u) short_columns(u, column - 1);
      // The long and half ticks on this column, then its lines and numbers.
      const i64 long_from = next_long, index_from = long_index;
      i64 last_long = -1;       // the last long tick here
      bool half_after = false;  // a half tick after it (or here at all, without one)
      int k = 15;
      do {
        if (n == next_long) {
          k = 18;
          last_long = n;
          half_after = false;
          next_long += every;
          ++long_index;
        } else {
          half_after = true;
        }
        if (half != 0 && n == next_half) next_half += half;
        n = std::min(next_long, half != 0 ? next_half : none);
        if (n > last) break;
        near = AlongNear(n);
      } while (AlongAtMost(n, near, column));
      const int t = touch.empty() ? 0 : touch[static_cast<std::size_t>(column - u_lo)];
      if (t != 0 && k >= t) {
        // In order with the numbers, as AxisExact draws them: the long tick
        // before the number of the last long tick here (a later one covers
        // the earlier), and at the end the longest tick after the last
        // number, if long enough to matter.
        end_fill();
        free_before = false;
        const i64 after_long = last_long + step;
        const int tail = last_long < 0 ? k
                         : half_after ? 15
                         : after_long <= last && AlongAtMost(after_long, AlongNear(after_long), column) ? 10
                                                                                                       : 0;
        i64 last_numbered = -1;
        for (i64 m = long_from, index = index_from; m < next_long; m += every, ++index) {
          Number number;
          if (!NumberAt(m, index, number)) continue;
          if (m == last_long) AxisTick(canvas, column, 18);
          DrawText(canvas, AxisNumberPlace(column, number), number);
          last_numbered = m;
        }
        const int rest = last_numbered < last_long ? 18 : tail;
        if (rest >= t) AxisTick(canvas, column, rest);
      } else {
        if (free_before && free_u + 1 == column && free_k == k) {
          // The common case inline: the column continues the run.
          if (!filling) fill_first = column;
          filling = true;
          free_u = column;
        } else {
          free_columns(column, column, k);
        }
        for (i64 m = long_from, index = index_from; m < next_long; m += every, ++index) {
          Number number;
          if (NumberAt(m, index, number)) DrawText(canvas, AxisNumberPlace(column, number), number);
        }
      }
      u = column + 1;
    }
    if (u <= u_hi) short_columns(u, u_hi);
    end_fill();
    return;
  }

  // Otherwise column by column, each with the range of its ticks.
  const bool spaced = pitch >= 2;  // then no two ticks share a column
  const i64 i_last = last / step;
  for (i64 i = first / step;;) {
    long double after = 0;
    const i64 e = spaced ? i : AlongEnd(i, u, i_last, after);
    const i64 c_first = i * step, c_last = e * step;
    const int k = next_long <= c_last ? 18 : half != 0 && next_half <= c_last ? 15 : 10;
    if (half != 0 && next_half <= c_last) next_half = (c_last / half + 1) * half;
    const int t = touch.empty() ? 0 : touch[static_cast<std::size_t>(u - u_lo)];
    if (t != 0 && k >= t) {
      end_fill();
      free_before = false;
      AxisExact(canvas, u, c_first, c_last, t, next_long, long_index);
    } else {
      free_columns(u, u, k);
      for (; next_long <= c_last; next_long += every, ++long_index) {
        Number number;
        if (NumberAt(next_long, long_index, number)) DrawText(canvas, AxisNumberPlace(u, number), number);
      }
    }
    if (e >= i_last) break;
    i = e + 1;
    const long double v = spaced ? AlongValue(i * step) : after;
    // Mostly the very next column.
    u = RoundsAtMost(v, u + 1) ? u + 1 : RoundToInt(v);
  }
  end_fill();
}

void Scale::PaintFast(Canvas& canvas, const Rect& visible) const {
  i64 first = 0, last = 0;
  if (!VisibleTicks(visible, first, last)) return;
  const i64 step = rule_.short_every;
  first = (first + step - 1) / step * step;
  last = last / step * step;
  if (first > last) return;
  if (axis_ != Axis::None) {
    PaintAxis(canvas, first, last);
    return;
  }
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
    case kUnitPixels: return input.pixel_size;
    case kUnitCentimetres: return input.pixels_per_mm > 0 ? input.pixels_per_mm : input.pixels_per_inch / 25.4;
    case kUnitInches: return input.pixels_per_mm > 0 ? input.pixels_per_mm * 25.4 / 8 : input.pixels_per_inch / 8.0;
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
