// The ruler's scale and FormPaint: ticks, numbers and their places for every
// unit, the paint order, and the fast drawing against the exhaustive one.
#include "app/scale_painter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <numbers>
#include <unordered_map>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::DrawOp;
using testing::FakePlatform;
using testing::FakeWindow;
using testing::RecordingCanvas;

constexpr double kPi = std::numbers::pi;

ScaleInput Horizontal660(int unit) {
  ScaleInput in;
  in.unit = unit;
  in.zero = {660, 660};
  in.angle = kHorizontalAngle;
  in.width = 60;
  in.visible = {0, 0, 4000, 4000};
  return in;
}

RecordingCanvas Paint(const ScaleInput& in, ScaleDrawing drawing = ScaleDrawing::Fast) {
  RecordingCanvas canvas;
  PaintScale(canvas, in, drawing);
  return canvas;
}

bool HasLine(const RecordingCanvas& c, Point from, Point to) {
  const auto lines = c.Lines();
  return std::any_of(lines.begin(), lines.end(), [&](const DrawOp& op) { return op.from == from && op.to == to; });
}

const DrawOp* FindText(const RecordingCanvas& c, const std::string& text) {
  for (const DrawOp& op : c.ops)
    if (op.kind == DrawOp::Text && op.text == text) return &op;
  return nullptr;
}

std::vector<std::string> TextsOf(const RecordingCanvas& c) {
  std::vector<std::string> out;
  for (const DrawOp& op : c.Texts()) out.push_back(op.text);
  return out;
}

// Tick lengths along a horizontal ruler at x0 = y0 = 660: x -> length of the
// line drawn up from the zero edge.
std::map<int, int> ZeroEdgeTicks(const RecordingCanvas& c) {
  std::map<int, int> ticks;
  for (const DrawOp& op : c.Lines())
    if (op.from.y == 660) ticks[op.from.x] = op.from.y - op.to.y;
  return ticks;
}

TEST(ScalePixels, TickAndNumberAtOneHundred) {
  const RecordingCanvas c = Paint(Horizontal660(kUnitPixels));
  EXPECT_TRUE(HasLine(c, {760, 660}, {760, 642})) << "zero-edge tick, 18 long";
  EXPECT_TRUE(HasLine(c, {760, 618}, {760, 600})) << "opposite-edge tick";
  const DrawOp* text = FindText(c, "100");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->from, (Point{748, 626})) << "o = 1.5 s = 12, top = y0 - h - s/2";
  // The tick's two lines come first, then its number.
  const auto it = std::find_if(c.ops.begin(), c.ops.end(), [](const DrawOp& op) { return op.text == "100"; });
  ASSERT_GE(it - c.ops.begin(), 2);
  EXPECT_EQ((it - 2)->from, (Point{760, 660}));
  EXPECT_EQ((it - 1)->from, (Point{760, 618}));
}

TEST(ScalePixels, TicksEveryFivePixelsAndNoFifty) {
  const RecordingCanvas c = Paint(Horizontal660(kUnitPixels), ScaleDrawing::Exhaustive);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(ticks.size(), 301u);
  for (const auto& [x, k] : ticks) {
    const int p = x - 660;
    ASSERT_EQ(p % 5, 0) << p;
    EXPECT_EQ(k, p % 50 == 0 ? 18 : p % 25 == 0 ? 15 : 10) << p;
  }
  std::vector<std::string> expected = {"0"};
  for (int n = 100; n <= 1500; n += 50) expected.push_back(std::to_string(n));
  EXPECT_EQ(TextsOf(c), expected) << "no 50, numbers out to 1500";
  // One digit: o = s/2, j = 1; four digits: o = 2s, j = 1; three: j = 2.
  EXPECT_EQ(FindText(c, "0")->from, (Point{656, 626}));
  EXPECT_EQ(FindText(c, "950")->from, (Point{1598, 626}));
  EXPECT_EQ(FindText(c, "1500")->from, (Point{2144, 626}));
  EXPECT_TRUE(HasLine(c, {710, 660}, {710, 642})) << "50 keeps its long tick";
}

TEST(ScaleCentimetres, MillimetreTicksAtNinetySixPixelsPerInch) {
  const RecordingCanvas c = Paint(Horizontal660(kUnitCentimetres), ScaleDrawing::Exhaustive);
  EXPECT_DOUBLE_EQ(TickSpacing(Horizontal660(kUnitCentimetres)), 96 / 25.4);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(c.Lines().size(), 2u * 398) << "c = 0 ... 397";
  EXPECT_EQ(ticks.at(679), 15) << "5 mm at 18.90 pixels";
  EXPECT_EQ(ticks.at(664), 10) << "1 mm at 3.78 pixels";
  EXPECT_EQ(ticks.at(2160), 10) << "c = 397 at 1500.47 pixels";
  EXPECT_EQ(FindText(c, "1"), nullptr);
  ASSERT_NE(FindText(c, "2"), nullptr);
  EXPECT_EQ(FindText(c, "2")->from, (Point{732, 626})) << "at the 20 mm tick, x = 736";
  ASSERT_NE(FindText(c, "10"), nullptr);
  EXPECT_EQ(FindText(c, "10")->from, (Point{1030, 626})) << "two digits: o = s; tick at 1037.95";
  EXPECT_EQ(TextsOf(c).back(), "39");
}

TEST(ScaleInches, EighthsAtOneHundredTwentyPixelsPerInch) {
  ScaleInput in = Horizontal660(kUnitInches);
  in.pixels_per_inch = 120;
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  ASSERT_EQ(ticks.size(), 101u) << "c = 0 ... 100";
  int c_index = 0;
  for (const auto& [x, k] : ticks) {
    EXPECT_EQ(x, 660 + 15 * c_index);
    EXPECT_EQ(k, c_index % 8 == 0 ? 18 : c_index % 4 == 0 ? 15 : 10) << c_index;
    ++c_index;
  }
  EXPECT_EQ(TextsOf(c), (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12"}));
  EXPECT_EQ(FindText(c, "9")->from, (Point{1736, 626}));
  EXPECT_EQ(FindText(c, "10")->from, (Point{1852, 626}));
}

TEST(ScaleTrueSize, CentimetresAtFivePointOneTwoPixelsPerMillimetre) {
  // 1024 pixels over 200 mm: every centimetre 51.2 pixels from the last.
  ScaleInput in = Horizontal660(kUnitCentimetres);
  in.pixels_per_mm = 5.12;
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(c.Lines().size(), 2u * 294) << "c = 0 ... Round(1500 / 5.12) = 293";
  EXPECT_EQ(ticks.at(665), 10) << "1 mm at 5.12";
  EXPECT_EQ(ticks.at(686), 15) << "5 mm at 25.6";
  std::vector<int> long_ticks;
  for (const auto& [x, k] : ticks)
    if (k == 18 && x <= 1172) long_ticks.push_back(x);
  EXPECT_EQ(long_ticks, (std::vector<int>{660, 711, 762, 814, 865, 916, 967, 1018, 1070, 1121, 1172}))
      << "each centimetre within half a pixel of 51.2 c";
  EXPECT_EQ(FindText(c, "2")->from, (Point{758, 626})) << "at the 20 mm tick, x = 762";
  EXPECT_EQ(FindText(c, "1"), nullptr);
  EXPECT_EQ(TextsOf(c).back(), "29");
}

TEST(ScaleTrueSize, InchesAtFivePointOneTwoPixelsPerMillimetre) {
  ScaleInput in = Horizontal660(kUnitInches);
  in.pixels_per_mm = 5.12;  // an eighth of an inch is 16.256 pixels
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(ticks.size(), 93u) << "c = 0 ... 92";
  EXPECT_EQ(ticks.at(676), 10);
  EXPECT_EQ(ticks.at(725), 15);
  EXPECT_EQ(ticks.at(790), 18);
  EXPECT_EQ(FindText(c, "1")->from, (Point{786, 626}));
  EXPECT_EQ(FindText(c, "9")->from, (Point{1826, 626})) << "at 1170.43 pixels";
  EXPECT_EQ(in.pixels_per_inch, 96) << "the numbers' font keeps the system's density";
}

TEST(ScaleScaledPixels, NumbersCountTheScaledPixelsAt125Percent) {
  ScaleInput in = Horizontal660(kUnitPixels);
  in.pixels_per_inch = 120;
  in.pixel_size = 1.25;
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(ticks.size(), 241u) << "every fifth of c = 0 ... 1200";
  EXPECT_EQ(ticks.at(666), 10) << "5 at 6.25";
  EXPECT_EQ(ticks.at(691), 15) << "25 at 31.25";
  EXPECT_EQ(ticks.at(785), 18) << "100 at 125";
  EXPECT_EQ(FindText(c, "100")->from, (Point{773, 626}));
  EXPECT_EQ(FindText(c, "1200")->from, (Point{2144, 626})) << "at 1500 device pixels";
  EXPECT_EQ(FindText(c, "50"), nullptr);
}

TEST(ScaleCustom, NumbersCountTheNumberedTicks) {
  ScaleInput in = Horizontal660(kUnitCustom);
  in.pixel_per_unit = 50;
  in.ticks_per_unit = 10;
  in.display_value_unit = 2;
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  EXPECT_EQ(c.Lines().size(), 2u * 301);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  EXPECT_EQ(ticks.at(660 + 100), 18);
  EXPECT_EQ(ticks.at(660 + 50), 10) << "no half ticks in the custom unit";
  ASSERT_NE(FindText(c, "2"), nullptr);
  EXPECT_EQ(FindText(c, "2")->from, (Point{856, 626})) << "4 units = 200 pixels is the second number";
  EXPECT_EQ(TextsOf(c).size(), 16u) << "0 ... 15";
}

TEST(ScaleCustom, DigitClassesFollowTheTickIndex) {
  ScaleInput in = Horizontal660(kUnitCustom);
  in.pixel_per_unit = 1;
  in.ticks_per_unit = 1;
  in.display_value_unit = 1;
  const RecordingCanvas c = Paint(in, ScaleDrawing::Exhaustive);
  EXPECT_EQ(FindText(c, "9")->from.x, 669 - 4);
  EXPECT_EQ(FindText(c, "10")->from.x, 670 - 8);
  EXPECT_EQ(FindText(c, "100")->from.x, 760 - 12);
  EXPECT_EQ(FindText(c, "1000")->from.x, 1660 - 16);
}

struct NothingCase {
  const char* name;
  int unit, ppi, ppu, tpu;
};

TEST(Scale, UnitsAndSpacingsThatDrawNothing) {
  const NothingCase cases[] = {
      {"unit 7", 7, 96, 50, 10},
      {"unit -1", -1, 96, 50, 10},
      {"custom, negative pixels per unit", kUnitCustom, 96, -5, 10},
      {"custom, negative ticks per unit", kUnitCustom, 96, 5, -10},
      {"centimetres without a resolution", kUnitCentimetres, 0, 50, 10},
  };
  for (const NothingCase& nc : cases) {
    ScaleInput in = Horizontal660(nc.unit);
    in.pixels_per_inch = nc.ppi;
    in.pixel_per_unit = nc.ppu;
    in.ticks_per_unit = nc.tpu;
    EXPECT_TRUE(Paint(in, ScaleDrawing::Exhaustive).ops.empty()) << nc.name;
    EXPECT_TRUE(Paint(in).ops.empty()) << nc.name;
  }
}

TEST(Scale, ZeroCustomValuesAreCorrected) {
  int ticks = 0, every = 0;
  CorrectCustomUnit(ticks, every);
  EXPECT_EQ(ticks, 1);
  EXPECT_EQ(every, 1);
  ticks = -3;
  every = 7;
  CorrectCustomUnit(ticks, every);
  EXPECT_EQ(ticks, -3);
  EXPECT_EQ(every, 7);
  ScaleInput in = Horizontal660(kUnitCustom);
  in.pixel_per_unit = 0;
  EXPECT_EQ(TickSpacing(in), 1) << "a zero spacing is taken as 1";
}

TEST(Scale, VerticalTicksAndNumbers) {
  ScaleInput in = Horizontal660(kUnitPixels);
  in.angle = kVerticalAngle;
  const RecordingCanvas c = Paint(in);
  EXPECT_TRUE(HasLine(c, {660, 760}, {678, 760}));
  EXPECT_TRUE(HasLine(c, {702, 760}, {720, 760}));
  EXPECT_TRUE(HasLine(c, {660, 685}, {675, 685}));
  EXPECT_TRUE(HasLine(c, {705, 685}, {720, 685}));
  EXPECT_TRUE(HasLine(c, {660, 665}, {670, 665}));
  EXPECT_EQ(FindText(c, "100")->from, (Point{660 + 30 + 2 - 12, 760 - 4}));
  EXPECT_EQ(FindText(c, "0")->from, (Point{660 + 30 + 1 - 4, 660 - 4}));
}

TEST(Scale, TurnedRulerRoundsEveryPoint) {
  ScaleInput in = Horizontal660(kUnitPixels);
  in.angle = kPi / 4;  // sin = cos = 0.70711
  const RecordingCanvas c = Paint(in);
  // p = 100: (730.71, 730.71) -> (731, 731); ticks across towards (cos, -sin).
  EXPECT_TRUE(HasLine(c, {731, 731}, {744, 718}));
  EXPECT_TRUE(HasLine(c, {761, 701}, {773, 689}));  // from 42 to 60 across
  // Left = Round(0.70711 * 32 + 731 - 12) = 742, top = Round(731 - 21.21 - 4) = 706.
  EXPECT_EQ(FindText(c, "100")->from, (Point{742, 706}));
}

// ---- the fast drawing against the exhaustive one ----

struct Prim {
  DrawOp::Kind kind;
  Point from, to;
  std::string text;
  friend bool operator==(const Prim&, const Prim&) = default;
};

struct PrimHash {
  std::size_t operator()(const Prim& p) const {
    std::size_t h = std::hash<std::string>()(p.text);
    for (int v : {static_cast<int>(p.kind), p.from.x, p.from.y, p.to.x, p.to.y}) h = h * 1000003u ^ std::hash<int>()(v);
    return h;
  }
};

// Keeps, of every distinct primitive, when it was drawn last. Drawing a
// primitive again paints the same pixels in the same colour, so the picture
// is that of the last drawings in their order.
class LastDrawingCanvas : public Canvas {
 public:
  void SetPenColor(Color) override {}
  Color PenColor() const override { return 0; }
  void SetPenMode(PenMode) override {}
  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override {
    Note({DrawOp::Line, pos_, {x, y}, {}});
    pos_ = {x, y};
  }
  void FillRect(const Rect& r, Color) override { Note({DrawOp::Fill, {r.left, r.top}, {r.right, r.bottom}, {}}); }
  void SetFont(const Font&) override {}
  void TextOut(int x, int y, std::string_view text) override { Note({DrawOp::Text, {x, y}, {}, std::string(text)}); }
  void DrawImage(const Image&, const Rect&, Point) override {}

  // The distinct primitives in the order of their last drawing.
  std::vector<Prim> Picture() const {
    std::vector<std::pair<std::uint64_t, Prim>> v;
    for (const auto& [prim, when] : last_) v.push_back({when, prim});
    std::sort(v.begin(), v.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<Prim> out;
    for (auto& e : v) out.push_back(std::move(e.second));
    return out;
  }
  std::uint64_t drawn = 0;

 private:
  void Note(Prim p) { last_[std::move(p)] = drawn++; }
  Point pos_;
  std::unordered_map<Prim, std::uint64_t, PrimHash> last_;
};

// True when the primitive may put a pixel inside the parallelogram `outline`
// (with a pixel of slack): separating-axis test of the primitive's box against
// the outline. Texts are taken as 6 x 13 pixels per digit, the window font.
bool CanTouch(const Prim& p, const Corners& outline) {
  double x0, y0, x1, y1;
  if (p.kind == DrawOp::Line) {
    x0 = std::min(p.from.x, p.to.x);
    x1 = std::max(p.from.x, p.to.x) + 1;
    y0 = std::min(p.from.y, p.to.y);
    y1 = std::max(p.from.y, p.to.y) + 1;
  } else {
    x0 = p.from.x;
    y0 = p.from.y;
    x1 = x0 + 6.0 * static_cast<double>(p.text.size());
    y1 = y0 + 13;
  }
  const double box[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  const double axes[4][2] = {{1, 0},
                             {0, 1},
                             {double(outline[1].y - outline[0].y), double(outline[0].x - outline[1].x)},
                             {double(outline[3].y - outline[0].y), double(outline[0].x - outline[3].x)}};
  for (const auto& axis : axes) {
    const double len = std::hypot(axis[0], axis[1]);
    if (len == 0) continue;
    double bmin = 1e300, bmax = -1e300, omin = 1e300, omax = -1e300;
    for (const auto& q : box) {
      const double t = (q[0] * axis[0] + q[1] * axis[1]) / len;
      bmin = std::min(bmin, t);
      bmax = std::max(bmax, t);
    }
    for (const Point& q : outline) {
      const double t = (q.x * axis[0] + q.y * axis[1]) / len;
      omin = std::min(omin, t);
      omax = std::max(omax, t);
    }
    if (bmax < omin - 1 || bmin > omax + 1) return false;
  }
  return true;
}

struct SameCase {
  const char* name;
  int unit;
  int ppi = 96;
  int ppu = 50, tpu = 10, dvu = 1;
  double ppmm = 0;        // a physical density (true size)
  double pixel_size = 1;  // scaled pixels
};

// The painter's input for a sameness case on a ruler of width W turned to
// angle about zero.
ScaleInput InputFor(const SameCase& sc, double angle, int W, Point zero) {
  ScaleInput in;
  in.unit = sc.unit;
  in.zero = zero;
  in.angle = angle;
  in.width = W;
  in.pixels_per_inch = sc.ppi;
  in.pixel_per_unit = sc.ppu;
  in.ticks_per_unit = sc.tpu;
  in.display_value_unit = sc.dvu;
  in.pixels_per_mm = sc.ppmm;
  in.pixel_size = sc.pixel_size;
  return in;
}

void ExpectFastSameAsExhaustive(const SameCase& sc, double angle, int L, int W, bool tight) {
  ScaleInput in = InputFor(sc, angle, W, {L + W, L + W});
  const Corners outline = CornersAt(in.zero, angle, L, W);
  const OutlineBoundsRect b = BoundsOf(outline);
  in.visible = tight ? Rect{b.MinX - 1, b.MinY - 1, b.MaxX + 2, b.MaxY + 2} : Rect{0, 0, 2 * (L + W), 2 * (L + W)};
  const std::string where = std::string(sc.name) + " angle " + std::to_string(angle) + " L " + std::to_string(L) +
                            " W " + std::to_string(W) + (tight ? " tight" : " window");

  LastDrawingCanvas full, fast;
  PaintScale(full, in, ScaleDrawing::Exhaustive);
  PaintScale(fast, in, ScaleDrawing::Fast);
  const std::vector<Prim> full_picture = full.Picture();
  const std::vector<Prim> fast_picture = fast.Picture();
  EXPECT_EQ(fast.drawn, fast_picture.size()) << where << ": the fast drawing repeats a primitive";
  const std::unordered_map<Prim, int, PrimHash> all = [&] {
    std::unordered_map<Prim, int, PrimHash> m;
    for (const Prim& p : full_picture) m[p] = 1;
    return m;
  }();
  for (const Prim& p : fast_picture) {
    ASSERT_TRUE(all.count(p)) << where << ": the fast drawing invents a primitive at " << p.from.x << ","
                              << p.from.y << " " << p.text;
  }
  std::vector<Prim> full_inside, fast_inside;
  for (const Prim& p : full_picture)
    if (CanTouch(p, outline)) full_inside.push_back(p);
  for (const Prim& p : fast_picture)
    if (CanTouch(p, outline)) fast_inside.push_back(p);
  ASSERT_FALSE(full_inside.empty()) << where;
  ASSERT_EQ(fast_inside.size(), full_inside.size()) << where;
  for (std::size_t i = 0; i < full_inside.size(); ++i) {
    ASSERT_EQ(fast_inside[i], full_inside[i]) << where << " at " << i;
  }
}

TEST(ScaleFast, SamePrimitivesOnTurnedRulers) {
  const SameCase cases[] = {
      {"pixels", kUnitPixels},
      {"centimetres", kUnitCentimetres},
      {"centimetres 120", kUnitCentimetres, 120},
      {"centimetres 30", kUnitCentimetres, 30},  // 1.18 pixels per tick
      {"inches", kUnitInches},
      {"inches 10", kUnitInches, 10},  // 1.25 pixels per tick
      {"custom default", kUnitCustom},
      {"custom 3/7 every 2", kUnitCustom, 96, 3, 7, 2},
      {"custom 1/3", kUnitCustom, 96, 1, 3, 1},
      {"custom 1/1", kUnitCustom, 96, 1, 1, 1},
      {"custom 2/3 every 5", kUnitCustom, 96, 2, 3, 5},
      {"centimetres at 5.12 pixels per mm", kUnitCentimetres, 96, 50, 10, 1, 5.12},
      {"inches at 3.6446 pixels per mm", kUnitInches, 96, 50, 10, 1, 3.6446},
      {"scaled pixels at 150 %", kUnitPixels, 144, 50, 10, 1, 0, 1.5},
  };
  // Nearly but not exactly horizontal or vertical rulers are drawn line by
  // line too.
  const double angles[] = {-kPi / 2, kPi / 4, 1.0, 2.5, -2.0, kPi, 3 * kPi / 4 + 1e-3, 0.1, 1e-9, kHorizontalAngle + 1e-12};
  // With the short rulers the visible area is the outline's bounding box,
  // and numbers stand just beyond the far end (at 200 and 250 pixels).
  for (const SameCase& sc : cases)
    for (double angle : angles)
      for (int L : {600, 195, 246})
        for (int W : {60, 10}) ExpectFastSameAsExhaustive(sc, angle, L, W, L != 600);
}

TEST(ScaleFast, SamePrimitivesAtAThousandTicksPerPixelOnATurnedRuler) {
  const SameCase extreme{"custom 1/1000", kUnitCustom, 96, 1, 1000, 1};
  ExpectFastSameAsExhaustive(extreme, 2.5, 1500, 60, false);
}

// ---- the axis-parallel rulers: fast and exhaustive by their pixels ----

// What a drawing makes of the pixels of `area`, whatever the glyphs of its
// texts look like within their boxes. Lines (straight across or along only,
// the end point left out) and rectangles cover pixels; a text's box is
// digits x s wide and 2 s high, the painter's bound for the window font.
// For each pixel, mark holds how many of the texts whose box holds it were
// drawn before the last line or rectangle on it (-1: never covered). Two
// drawings with the same texts in the same order and the same marks show the
// same picture for any glyphs: a pixel ends in the pen colour exactly when a
// line comes after the last text that paints it.
class PixelCanvas : public Canvas {
 public:
  struct PlacedText {
    Point at;
    std::string text;
    friend bool operator==(const PlacedText&, const PlacedText&) = default;
  };

  PixelCanvas(Rect area, int s) : area_(area), s_(s) {
    seen_.assign(Size(), 0);
    mark.assign(Size(), -1);
  }

  void SetPenColor(Color color) override { pen_ = color; }
  Color PenColor() const override { return pen_; }
  void SetPenMode(PenMode) override {}
  void MoveTo(int x, int y) override { pos_ = {x, y}; }
  void LineTo(int x, int y) override {
    const Point from = pos_;
    pos_ = {x, y};
    if (from.x != x && from.y != y) {
      ++slanted;
      return;
    }
    // Quick rejection of what lies wholly outside.
    if (std::max(from.x, x) < area_.left || std::min(from.x, x) >= area_.right ||
        std::max(from.y, y) < area_.top || std::min(from.y, y) >= area_.bottom)
      return;
    const int dx = (x > from.x) - (x < from.x), dy = (y > from.y) - (y < from.y);
    for (Point p = from; p != pos_; p.x += dx, p.y += dy) Cover(p);
  }
  void FillRect(const Rect& r, Color color) override {
    ++fills;
    if (color != pen_) ++wrong_fill_colours;
    for (int y = std::max(r.top, area_.top); y < std::min(r.bottom, area_.bottom); ++y)
      for (int x = std::max(r.left, area_.left); x < std::min(r.right, area_.right); ++x) Cover({x, y});
  }
  void SetFont(const Font&) override {}
  void TextOut(int x, int y, std::string_view text) override {
    const int right = x + static_cast<int>(text.size()) * s_, bottom = y + 2 * s_;
    if (right <= area_.left || x >= area_.right || bottom <= area_.top || y >= area_.bottom) return;
    texts.push_back({{x, y}, std::string(text)});
    for (int py = std::max(y, area_.top); py < std::min(bottom, area_.bottom); ++py)
      for (int px = std::max(x, area_.left); px < std::min(right, area_.right); ++px) ++seen_[Index({px, py})];
  }
  void DrawImage(const Image&, const Rect&, Point) override {}

  Point PointAt(std::size_t i) const {
    const int w = area_.Width();
    return {area_.left + static_cast<int>(i) % w, area_.top + static_cast<int>(i) / w};
  }

  std::vector<PlacedText> texts;  // those whose box meets the area, in order
  std::vector<int> mark;          // by pixel, row by row
  int slanted = 0;
  int fills = 0;
  int wrong_fill_colours = 0;

 private:
  std::size_t Size() const { return static_cast<std::size_t>(area_.Width()) * area_.Height(); }
  std::size_t Index(Point p) const {
    return static_cast<std::size_t>(p.y - area_.top) * area_.Width() + (p.x - area_.left);
  }
  void Cover(Point p) {
    if (area_.Contains(p)) mark[Index(p)] = seen_[Index(p)];
  }

  Rect area_;
  int s_;
  Color pen_ = 0x00123456;
  Point pos_;
  std::vector<int> seen_;  // by pixel: the texts whose box holds it so far
};

struct AxisDrawing {
  int fills = 0;
  int lines = 0;
  int texts = 0;
};

// Draws the axis-parallel ruler both ways and compares the pixels in and
// around its outline (within the visible area); returns what the fast
// drawing drew.
AxisDrawing ExpectSamePixels(const SameCase& sc, double angle, int L, int W, bool tight, int points = 8) {
  ScaleInput in = InputFor(sc, angle, W, {L + W, L + W + 3});
  in.font_points = points;
  const Corners outline = CornersAt(in.zero, angle, L, W);
  const OutlineBoundsRect b = BoundsOf(outline);
  in.visible = tight ? Rect{b.MinX - 1, b.MinY - 1, b.MaxX + 2, b.MaxY + 2} : Rect{0, 0, 2 * (L + W), 2 * (L + W) + 6};
  // The region is the outline, but the fast drawing is the same wherever it
  // can show: along the whole visible length, and across as far as ticks
  // and numbers reach.
  const int reach = std::max(W, 18) + 3 * points;
  Rect band = angle == 0 ? Rect{in.zero.x - reach, in.visible.top, in.zero.x + reach, in.visible.bottom}
                         : Rect{in.visible.left, in.zero.y - reach, in.visible.right, in.zero.y + reach};
  const Rect area{std::max(band.left, in.visible.left), std::max(band.top, in.visible.top),
                  std::min(band.right, in.visible.right), std::min(band.bottom, in.visible.bottom)};
  const std::string where = std::string(sc.name) + (angle == 0 ? " vertical" : " horizontal") + " L " +
                            std::to_string(L) + " W " + std::to_string(W) + " s " + std::to_string(points) +
                            (tight ? " tight" : " window");

  PixelCanvas full(area, points), fast(area, points);
  PaintScale(full, in, ScaleDrawing::Exhaustive);
  PaintScale(fast, in, ScaleDrawing::Fast);
  EXPECT_EQ(full.slanted + fast.slanted, 0) << where;
  EXPECT_EQ(fast.wrong_fill_colours, 0) << where << ": rectangles in the pen colour";
  EXPECT_EQ(fast.texts, full.texts) << where;
  std::size_t wrong = 0, first_wrong = 0;
  for (std::size_t i = 0; i < full.mark.size(); ++i) {
    if (fast.mark[i] == full.mark[i]) continue;
    if (wrong++ == 0) first_wrong = i;
  }
  EXPECT_EQ(wrong, 0u) << where << ": first at " << full.PointAt(first_wrong).x << "," << full.PointAt(first_wrong).y
                       << " marked " << fast.mark[first_wrong] << " instead of " << full.mark[first_wrong];
  EXPECT_TRUE(std::any_of(full.mark.begin(), full.mark.end(), [](int m) { return m >= 0; })) << where;

  RecordingCanvas record;
  PaintScale(record, in, ScaleDrawing::Fast);
  return {static_cast<int>(record.Fills().size()), static_cast<int>(record.Lines().size()),
          static_cast<int>(record.Texts().size())};
}

TEST(ScaleFast, SamePixelsOnTheAxisParallelRulers) {
  const SameCase cases[] = {
      {"pixels", kUnitPixels},
      {"centimetres", kUnitCentimetres},
      {"centimetres 120", kUnitCentimetres, 120},
      {"centimetres 30", kUnitCentimetres, 30},  // 1.18 pixels per tick
      {"inches", kUnitInches},
      {"inches 10", kUnitInches, 10},  // 1.25 pixels per tick: neighbouring columns
      {"custom default", kUnitCustom},
      {"custom 3/7 every 2", kUnitCustom, 96, 3, 7, 2},
      {"custom 1/3", kUnitCustom, 96, 1, 3, 1},
      {"custom 1/1", kUnitCustom, 96, 1, 1, 1},
      {"custom 2/3 every 5", kUnitCustom, 96, 2, 3, 5},
      {"custom 5/7 every 3", kUnitCustom, 96, 5, 7, 3},
      {"custom 1/10", kUnitCustom, 96, 1, 10, 1},
      // Ticks closer than half a pixel, with half ticks among them, and
      // several numbers on one column.
      {"centimetres 5", kUnitCentimetres, 5},
      {"inches 2", kUnitInches, 2},
      {"centimetres 1", kUnitCentimetres, 1},
      {"centimetres 7", kUnitCentimetres, 7},  // the scale ends one column after its last long tick
      {"custom 2/10", kUnitCustom, 96, 2, 10, 1},
      {"custom 1/10 every 3", kUnitCustom, 96, 1, 10, 3},
      // True size and scaled pixels: densities that are no multiple of 96.
      {"centimetres at 5.12 pixels per mm", kUnitCentimetres, 96, 50, 10, 1, 5.12},
      {"inches at 1.07 pixels per mm", kUnitInches, 96, 50, 10, 1, 1.07},
      {"scaled pixels at 125 %", kUnitPixels, 120, 50, 10, 1, 0, 1.25},
      {"scaled pixels at 175 %", kUnitPixels, 168, 50, 10, 1, 0, 1.75},
  };
  // Narrow rulers put the numbers over the ticks.
  for (const SameCase& sc : cases)
    for (double angle : {kHorizontalAngle, kVerticalAngle})
      for (int L : {600, 195, 246, 1500})
        for (int W : {60, 56, 10, 15, 18, 20, 36}) ExpectSamePixels(sc, angle, L, W, L == 195 || L == 246);
}

TEST(ScaleFast, SamePixelsWithAnOddFontSize) {
  // Half-pixel shifts of the numbers round to even.
  const SameCase cases[] = {{"pixels", kUnitPixels}, {"custom 1/3", kUnitCustom, 96, 1, 3, 1}};
  for (const SameCase& sc : cases)
    for (double angle : {kHorizontalAngle, kVerticalAngle})
      for (int W : {60, 20}) ExpectSamePixels(sc, angle, 600, W, false, 9);
}

TEST(ScaleFast, SamePixelsAtAThousandTicksPerPixel) {
  const SameCase extreme{"custom 1/1000", kUnitCustom, 96, 1, 1000, 1};
  for (double angle : {kHorizontalAngle, kVerticalAngle})
    for (int W : {60, 56, 10, 15, 18, 20}) ExpectSamePixels(extreme, angle, 600, W, false);
  ExpectSamePixels(extreme, kHorizontalAngle, 1500, 60, false);
  ExpectSamePixels(extreme, kVerticalAngle, 1500, 60, true);
}

TEST(ScaleFast, AThousandTicksPerPixelAreTwoRectanglesAndTheNumbers) {
  // Every column carries a long tick and its number; where the numbers stay
  // clear of the ticks, the ticks of all columns are one rectangle per edge.
  const SameCase extreme{"custom 1/1000", kUnitCustom, 96, 1, 1000, 1};
  for (double angle : {kHorizontalAngle, kVerticalAngle}) {
    const AxisDrawing d = ExpectSamePixels(extreme, angle, 600, 60, false);
    EXPECT_EQ(d.fills, 2) << angle;
    EXPECT_LE(d.lines, 4) << angle << ": at most the first and last column alone";
    EXPECT_GE(d.texts, 600) << angle;
    EXPECT_LE(d.texts, 700) << angle << ": the numbers within the window";
  }
}

TEST(ScaleFast, NumbersOverTheTicksKeepTheirOrder) {
  // On a ruler 20 wide every number's box reaches into the ticks: each column
  // keeps its long tick, its number and the short ticks after it.
  const SameCase extreme{"custom 1/1000", kUnitCustom, 96, 1, 1000, 1};
  const AxisDrawing d = ExpectSamePixels(extreme, kHorizontalAngle, 600, 20, true);
  EXPECT_EQ(d.fills, 0);
  EXPECT_GE(d.lines, 4 * 600);
}

// ---- FormPaint ----

class FormPaintTest : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppSettings;
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    AppSettings.BackgroundColor = 0xFF9B37;
    AppSettings.ForegroundColor = 0x000001;
    AppSettings.NumberColor = 0x000002;
    AppSettings.StaffColor = 0x000003;
    AppSettings.CurTextColor = 0x000004;
    AppSettings.PixelPerUnit = 50;
    AppSettings.TicksPerUnit = 10;
    AppSettings.DisplayValueUnit = 1;
    AppSettings.Transparence = false;
    window_.bounds = {-300, -400, -300, -400};
    form_.InitialLayout();
    form_.LabelNumber.caption = "  ";
    form_.LabelNumber.left = 700;
    form_.LabelNumber.top = 630;
    form_.ResetStaffMarker();
  }
  void TearDown() override { AppSettings = saved_; }

  RecordingCanvas PaintForm() {
    RecordingCanvas canvas;
    form_.FormPaint(canvas);
    return canvas;
  }

  FakePlatform platform_;
  FakeWindow window_;
  TMainForm form_{platform_, window_};

 private:
  TAppSettings saved_;
};

TEST_F(FormPaintTest, ColoursScaleAndLabelsInOrder) {
  const RecordingCanvas c = PaintForm();
  EXPECT_EQ(window_.background, 0xFF9B37u);
  ASSERT_GE(c.ops.size(), 3u);
  EXPECT_EQ(c.ops.front().color, 0x000001u) << "ticks in the foreground colour";
  EXPECT_EQ(FindText(c, "100")->color, 0x000002u) << "numbers in the number colour";
  EXPECT_EQ(FindText(c, "100")->from, (Point{748, 626}));
  // The labels come last: the read-out, then the marker on top.
  const DrawOp& number = c.ops[c.ops.size() - 2];
  const DrawOp& staff = c.ops.back();
  EXPECT_EQ(number.text, "  ");
  EXPECT_EQ(number.color, 0x000004u);
  EXPECT_EQ(number.from, (Point{700, 630}));
  EXPECT_EQ(staff.text, "+");
  EXPECT_EQ(staff.color, 0x000003u);
  EXPECT_EQ(staff.from, (Point{673, 623}));
  // Ticks beyond the far end (1260 + margin) are not drawn.
  for (const DrawOp& op : c.Lines()) EXPECT_LT(op.from.x, 1400);
}

TEST_F(FormPaintTest, WindowColourIsSetOnlyWhenItChanges) {
  PaintForm();
  window_.background = 0;
  PaintForm();
  EXPECT_EQ(window_.background, 0u) << "unchanged colour: not set again";
  AppSettings.BackgroundColor = 0x123456;
  PaintForm();
  EXPECT_EQ(window_.background, 0x123456u);
}

TEST_F(FormPaintTest, HiddenLabelsAreNotPainted) {
  form_.LabelNumber.visible = false;
  const RecordingCanvas c = PaintForm();
  EXPECT_EQ(c.ops.back().text, "+");
  EXPECT_EQ(FindText(c, "  "), nullptr);
}

TEST_F(FormPaintTest, UnitOutOfRangePaintsOnlyTheLabels) {
  form_.Unit = 7;
  const RecordingCanvas c = PaintForm();
  ASSERT_EQ(c.ops.size(), 2u);
  EXPECT_EQ(c.ops[0].text, "  ");
  EXPECT_EQ(c.ops[1].text, "+");
  EXPECT_EQ(window_.background, 0xFF9B37u) << "the background is still set";
}

TEST_F(FormPaintTest, CustomUnitWithZeroTicksShowsOneTickPerUnitAndKeepsTheCorrection) {
  form_.Unit = kUnitCustom;
  AppSettings.TicksPerUnit = 0;
  AppSettings.DisplayValueUnit = 0;
  const RecordingCanvas c = PaintForm();
  EXPECT_EQ(AppSettings.TicksPerUnit, 1);
  EXPECT_EQ(AppSettings.DisplayValueUnit, 1);
  const std::map<int, int> ticks = ZeroEdgeTicks(c);
  for (const auto& [x, k] : ticks) {
    EXPECT_EQ((x - 660) % 50, 0) << x;
    EXPECT_EQ(k, 18) << x;
  }
  EXPECT_GE(ticks.size(), 13u) << "0 ... 600 pixels";
  EXPECT_EQ(FindText(c, "12")->from, (Point{660 + 600 - 8, 626}));
}

TEST_F(FormPaintTest, PixelsPerInchComesFromThePlatform) {
  form_.Unit = kUnitInches;
  platform_.ppi = 120;
  const std::map<int, int> ticks = ZeroEdgeTicks(PaintForm());
  EXPECT_EQ(ticks.at(675), 10);
  EXPECT_EQ(ticks.at(720), 15);
  EXPECT_EQ(ticks.at(780), 18);
}

TEST_F(FormPaintTest, TrueSizeAndScaledPixelsTakeTheMonitorsDensity) {
  // The 1920 x 1080 screen reports 384 x 216 mm: 5 pixels per millimetre.
  platform_.identity = "FAK-0001-00000001";
  struct Case {
    const char* name;
    int unit;
    bool true_size, scaled_pixels, edid;
    int ppi;
    Calibrations calibrations;
    int tick_x, tick_length;  // a tick on the zero edge
    double pixels, reads;     // a distance and what it reads in the unit
  };
  const Case cases[] = {
      {"true size off: as the system assumes", kUnitCentimetres, false, false, true, 96, {}, 679, 15, 96, 2.54},
      {"true size from the EDID", kUnitCentimetres, true, false, true, 96, {}, 710, 18, 100, 2.0},
      {"calibrated", kUnitCentimetres, true, false, true, 96, {{"FAK-0001-00000001", "4000"}}, 700, 18, 100, 2.5},
      {"a bad calibration: the EDID", kUnitCentimetres, true, false, true, 96, {{"FAK-0001-00000001", "-1"}}, 710,
       18, 100, 2.0},
      {"no EDID: assumed", kUnitCentimetres, true, false, false, 96, {}, 679, 15, 96, 2.54},
      {"inches from the EDID", kUnitInches, true, false, true, 96, {}, 787, 18, 127, 1.0},
      {"inches at 120 ppi, true size off", kUnitInches, false, false, true, 120, {}, 780, 18, 120, 1.0},
      {"scaled pixels at 150 %", kUnitPixels, false, true, true, 144, {}, 810, 18, 600, 400},
      {"scaled pixels at 100 %", kUnitPixels, true, true, true, 96, {}, 760, 18, 600, 600},
      {"device pixels at 150 %", kUnitPixels, true, false, true, 144, {}, 760, 18, 600, 600},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form_.Unit = c.unit;
    form_.TrueSize = c.true_size;
    form_.ScaledPixels = c.scaled_pixels;
    form_.Calibration = c.calibrations;
    platform_.ppi = c.ppi;
    platform_.physical_mm = c.edid ? std::optional<Size>(Size{384, 216}) : std::nullopt;
    EXPECT_EQ(ZeroEdgeTicks(PaintForm()).at(c.tick_x), c.tick_length);
    EXPECT_NEAR(form_.GetDistance(660 + static_cast<int>(c.pixels), 630, 660, 660, 660, 600), c.reads, 1e-12);
  }
}

TEST_F(FormPaintTest, SeeThroughWithoutCaptureDrawsNothing) {
  AppSettings.Transparence = true;
  const RecordingCanvas c = PaintForm();
  EXPECT_TRUE(c.ops.empty());
  EXPECT_FALSE(form_.RecaptureAllowed);
}

TEST_F(FormPaintTest, SeeThroughCopiesTheCaptureBehindTheOutline) {
  AppSettings.Transparence = true;
  form_.ScreenShot = std::make_unique<Image>();
  form_.ScreenShot->Resize(1920, 1080);
  window_.bounds = {-300, -400, -300 + 1320, -400 + 1320};
  const RecordingCanvas c = PaintForm();
  ASSERT_FALSE(c.ops.empty());
  const DrawOp& image = c.ops.front();
  EXPECT_EQ(image.kind, DrawOp::Image);
  EXPECT_EQ(image.from, (Point{660, 600}));
  EXPECT_EQ(image.src, (Rect{360, 200, 960, 260})) << "screen position of (MinX, MinY), size 600 x 60";
  EXPECT_EQ(c.last_image, form_.ScreenShot.get());
  EXPECT_TRUE(form_.RecaptureAllowed);
  EXPECT_EQ(form_.OutlineBounds, (OutlineBoundsRect{660, 600, 1260, 660}));
  EXPECT_NE(FindText(c, "100"), nullptr) << "the scale follows";
}

}  // namespace
}  // namespace mensor
