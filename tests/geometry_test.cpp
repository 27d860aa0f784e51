// The ruler's geometric model: corners, points along the ruler, standard
// places, the cursor line, and the TMainForm operations built on them.
#include "app/geometry.h"

#include <gtest/gtest.h>

#include <cstring>
#include <numbers>

#include "app/main_form.h"
#include "fake_platform.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

constexpr double kPi = std::numbers::pi;

TEST(Geometry, HorizontalAngleIsTheDoubleNearestMinusThreeHalvesPi) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &kHorizontalAngle, sizeof bits);
  EXPECT_EQ(bits, 0xC012D97C7F3321D2u);
  // The exact forms rely on sin being exactly 1 in extended precision.
  EXPECT_EQ(DirectionOf(kHorizontalAngle).sin, 1.0L);
  EXPECT_LT(std::fabs(DirectionOf(kHorizontalAngle).cos), 1e-15L);
}

struct CornerCase {
  const char* name;
  double angle;
  int length, width;
  Corners expected;
};

TEST(Geometry, CornerRuleTruncatesEveryOffsetTowardZero) {
  const Point z{660, 660};
  const CornerCase cases[] = {
      {"horizontal", kHorizontalAngle, 600, 60, {{{660, 660}, {660, 600}, {1260, 600}, {1260, 660}}}},
      {"vertical", kVerticalAngle, 600, 60, {{{660, 660}, {720, 660}, {720, 1260}, {660, 1260}}}},
      // sin = cos = 0.7071...: offsets 42.43 and 424.26 truncate to 42 and 424.
      {"pi/4", kPi / 4, 600, 60, {{{660, 660}, {702, 618}, {1126, 1042}, {1084, 1084}}}},
      // sin * W = -42.43: y0 - Trunc(-42.43) = y0 + 42, not y0 + 43.
      {"-pi/4", -kPi / 4, 600, 60, {{{660, 660}, {702, 702}, {278, 1126}, {236, 1084}}}},
      // Running left, body below: cos * W = -42.43 gives x0 - 42.
      {"5pi/4", 5 * kPi / 4, 600, 60, {{{660, 660}, {618, 702}, {194, 278}, {236, 236}}}},
  };
  for (const CornerCase& c : cases) {
    EXPECT_EQ(CornersAt(z, c.angle, c.length, c.width), c.expected) << c.name;
  }
}

TEST(Geometry, ExactFormsAgreeWithTheCornerRule) {
  const Point zeros[] = {{660, 660}, {0, 0}, {1515 + 100, 1515 + 100}, {-7, 13}};
  const int lengths[] = {200, 600, 777, 1515, 1920};
  const int widths[] = {10, 60, 61, 200};
  for (Point z : zeros)
    for (int L : lengths)
      for (int W : widths) {
        EXPECT_EQ(CornersAt(z, kHorizontalAngle, L, W), HorizontalCorners(z, L, W)) << L << " " << W;
        EXPECT_EQ(CornersAt(z, kVerticalAngle, L, W), VerticalCorners(z, L, W)) << L << " " << W;
      }
}

TEST(Geometry, PointAlongRoundsHalvesToEven) {
  // Vertical ruler: P(p) = (x0, Round(y0 + p)).
  EXPECT_EQ(PointAlong({0, 660}, kVerticalAngle, 0.5L), (Point{0, 660}));
  EXPECT_EQ(PointAlong({0, 661}, kVerticalAngle, 0.5L), (Point{0, 662}));
  EXPECT_EQ(PointAlong({0, 661}, kVerticalAngle, 1.5L), (Point{0, 662}));
  EXPECT_EQ(PointAlong({660, 660}, kHorizontalAngle, 100), (Point{760, 660}));
  // 5 mm at 96 pixels per inch: 18.90 pixels from the zero corner.
  EXPECT_EQ(PointAlong({660, 660}, kHorizontalAngle, 5 * (96 / 25.4L)), (Point{679, 660}));
  EXPECT_EQ(PointAlong({660, 660}, kPi / 4, 100), (Point{731, 731}));
}

TEST(Geometry, BoundsAndMinMaxOfFour) {
  EXPECT_EQ(BoundsOf(HorizontalCorners({660, 660}, 600, 60)), (OutlineBoundsRect{660, 600, 1260, 660}));
  EXPECT_EQ(BoundsOf(CornersAt({660, 660}, 5 * kPi / 4, 600, 60)), (OutlineBoundsRect{194, 236, 660, 702}));
  EXPECT_EQ(MinOf4(3, -2, 7, 0), -2);
  EXPECT_EQ(MaxOf4(3, -2, 7, 0), 7);
  EXPECT_EQ(MinOf4(5, 5, 5, 4), 4);
  EXPECT_EQ(MaxOf4(-9, -8, -7, -6), -6);
}

TEST(Geometry, StaffMarkerPlaces) {
  const Point z{660, 660};
  // 14-point marker: s = 7, h = 30.
  EXPECT_EQ(StaffMarkerPlace(z, kHorizontalAngle, 60, 14), (Point{673, 623}));  // x0 + 13, y0 - 37
  EXPECT_EQ(StaffMarkerPlace(z, kVerticalAngle, 60, 14), (Point{684, 673}));    // h + x0 + 1 - s, y0 + 20 - s
  // s = 7.5: 31 + x0 - 7.5 = 683.5 and y0 + 20 - 7.5 = 672.5 go to the even 684 and 672.
  EXPECT_EQ(StaffMarkerPlace(z, kVerticalAngle, 61, 15), (Point{684, 672}));
}

TEST(Geometry, NumberLabelPlaces) {
  const Point z{660, 660};
  EXPECT_EQ(NumberLabelPlace(z, kHorizontalAngle, 60, 20, 14), (Point{700, 623}));
  EXPECT_EQ(NumberLabelPlace(z, kVerticalAngle, 60, 20, 14), (Point{682, 703}));
  // Odd sizes are halved as real numbers: 692 - 9.5 = 682.5 goes to 682 and
  // 710 - 6.5 = 703.5 to 704.
  EXPECT_EQ(NumberLabelPlace(z, kVerticalAngle, 60, 19, 13), (Point{682, 704}));
}

TEST(Geometry, RulerCursorLineCrossesThePictureCentre) {
  using Line = std::pair<Point, Point>;
  EXPECT_EQ(RulerCursorLine(kHorizontalAngle), (Line{{16, -16}, {16, 48}}));
  EXPECT_EQ(RulerCursorLine(kVerticalAngle), (Line{{48, 16}, {-16, 16}}));
  // 32 * 0.7071 = 22.63.
  EXPECT_EQ(RulerCursorLine(kPi / 4), (Line{{39, -7}, {-7, 39}}));
}

// ---- the operations of the ruler window ----

class FormGeometry : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = AppSettings;
    AppSettings.Length = 600;
    AppSettings.RulerWidth = 60;
    window_.bounds = {100, 50, 110, 60};
  }
  void TearDown() override { AppSettings = saved_; }

  FakePlatform platform_;
  FakeWindow window_;
  TMainForm form_{platform_, window_};

 private:
  TAppSettings saved_;
};

TEST_F(FormGeometry, InitialLayoutIsHorizontalAroundTheWindowCentre) {
  form_.Angle = 1.0;
  form_.NewAngle = 2.0;
  form_.InitialLayout();
  EXPECT_EQ(window_.bounds, (Rect{100, 50, 100 + 1320, 50 + 1320}));
  const Corners expected{{{660, 660}, {660, 600}, {1260, 600}, {1260, 660}}};
  EXPECT_EQ(form_.Outline, expected);
  EXPECT_EQ(window_.region, std::vector<Point>(expected.begin(), expected.end()));
  EXPECT_EQ(window_.region_calls, 1);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(form_.Angle), 0xC012D97C7F3321D2u);
  EXPECT_EQ(std::bit_cast<std::uint64_t>(form_.NewAngle), 0xC012D97C7F3321D2u);
}

TEST_F(FormGeometry, LayOutRulerResizesCentresTurnsAndResetsTheMarker) {
  form_.InitialLayout();
  AppSettings.Length = 700;
  form_.Angle = kPi / 4;
  form_.Outline[0] = {5, 5};
  form_.LayOutRuler();
  EXPECT_EQ(window_.bounds, (Rect{100, 50, 100 + 1520, 50 + 1520}));
  EXPECT_EQ(form_.Outline, CornersAt({760, 760}, kPi / 4, 700, 60));
  EXPECT_EQ(window_.region, std::vector<Point>(form_.Outline.begin(), form_.Outline.end()));
  EXPECT_EQ((Point{form_.LabelStaff.left, form_.LabelStaff.top}), StaffMarkerPlace({760, 760}, kPi / 4, 60, 14));
}

TEST_F(FormGeometry, SetOutlineKeepsTheZeroCornerAndUsesTheGivenAngle) {
  form_.InitialLayout();
  form_.Angle = kHorizontalAngle;
  form_.SetOutline(kPi / 4);
  EXPECT_EQ(form_.Outline, (Corners{{{660, 660}, {702, 618}, {1126, 1042}, {1084, 1084}}}));
  EXPECT_EQ(window_.region_calls, 1) << "SetOutline does not apply the region";
}

TEST_F(FormGeometry, DrawRulerTwiceLeavesBalancedXorPairs) {
  form_.InitialLayout();
  form_.ScreenCanvas = platform_.OpenScreenCanvas();
  form_.ScreenCanvas->SetPenColor(0xFFFFFF);
  form_.ScreenCanvas->SetPenMode(PenMode::Xor);
  form_.DrawRuler(100, 50);
  form_.DrawRuler(100, 50);
  const auto& ops = platform_.screen_drawing.ops;
  ASSERT_EQ(ops.size(), 8u);
  const Point corners[] = {{760, 710}, {760, 650}, {1360, 650}, {1360, 710}, {760, 710}};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(ops[i].from, corners[i]) << i;
    EXPECT_EQ(ops[i].to, corners[i + 1]) << i;
    EXPECT_EQ(ops[i].mode, PenMode::Xor);
    EXPECT_EQ(ops[i + 4], ops[i]) << "the second call repeats line " << i;
  }
}

TEST_F(FormGeometry, MarkerAndReadOutGoToTheirStandardPlaces) {
  form_.InitialLayout();
  form_.ResetStaffMarker();
  EXPECT_EQ(form_.LabelStaff.left, 660 + 13);
  EXPECT_EQ(form_.LabelStaff.top, 660 - 37);
  form_.LabelNumber.width = 20;
  form_.LabelNumber.height = 14;
  form_.PlaceNumberLabel();
  EXPECT_EQ(form_.LabelNumber.left, 700);
  EXPECT_EQ(form_.LabelNumber.top, 623);
}

TEST_F(FormGeometry, RulerCursorFollowsTheAngle) {
  form_.Angle = kVerticalAngle;
  form_.RebuildRulerCursor();
  EXPECT_EQ(platform_.ruler_cursor_from, (Point{48, 16}));
  EXPECT_EQ(platform_.ruler_cursor_to, (Point{-16, 16}));
  EXPECT_EQ(platform_.ruler_cursor_builds, 1);
}

TEST_F(FormGeometry, OutlineBoundsOfTheHorizontalRuler) {
  form_.InitialLayout();
  form_.ComputeOutlineBounds();
  EXPECT_EQ(form_.OutlineBounds, (OutlineBoundsRect{660, 600, 1260, 660}));
}

}  // namespace
}  // namespace mensor
