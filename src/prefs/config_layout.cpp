// The preferences dialog's layout table.
#include "prefs/config_layout.h"

#include "ui/monitors.h"
#include "ui/text_fit.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace mensor {
namespace {

using C = ConfigControl;
using K = ConfigKind;

constexpr Rect R(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

constexpr int kLabelHeight = 13;
constexpr int kHotKeyLabelWidth = 95;

// Hot-key rows: label and field tops in page coordinates.
constexpr int HotKeyLabelTop(int row) {
  constexpr int tops[] = {42, 69, 96, 123, 150, 176, 203, 230, 257};
  return tops[row];
}
constexpr int HotKeyFieldTop(int row) { return HotKeyLabelTop(row) - 3; }

constexpr ConfigLayoutEntry kLayout[] = {
    // The window: the page control first, so that its pages come before the
    // buttons in the Tab order.
    {C::PageControlHotKey, K::Tabs, kWindowPage, R(4, 8, 421, 353), ""},
    {C::TabSheetSys, K::Tab, kWindowPage, {}, "System"},
    {C::TabSheetBackground, K::Tab, kWindowPage, {}, "Appearance"},
    {C::TabSheetCustom, K::Tab, kWindowPage, {}, "Custom Unit"},
    {C::TabSheetHotKey, K::Tab, kWindowPage, {}, "Hot Key"},

    // "System".
    {C::ImageSys, K::Picture, kPageSys, R(12, 9, 32, 32), ""},
    {C::GroupBox1, K::Group, kPageSys, R(58, 9, 337, 65), "Moving by keyboard"},
    {C::Label1, K::Label, kPageSys, R(77, 41, 130, kLabelHeight), "Use arrow keys to move"},
    {C::SpinEditMove, K::SpinEdit, kPageSys, R(209, 37, 70, 22), "", 1, 99, 2},
    {C::Label4, K::Label, kPageSys, R(294, 41, 90, kLabelHeight), "Pixels"},
    {C::RadioGroupStaffSize, K::Group, kPageSys, R(58, 83, 163, 65), "Cross Hair Size"},
    {C::StaffSizeBig, K::Radio, kPageSys, R(68, 102, 145, 17), "Big"},
    {C::StaffSizeSmall, K::Radio, kPageSys, R(68, 123, 145, 17), "Small"},
    {C::RadioGroupStaffDir, K::Group, kPageSys, R(232, 83, 163, 65), "Cross Hair Direction"},
    {C::StaffDirRuler, K::Radio, kPageSys, R(242, 102, 150, 17), "Vertical with Ruler"},
    {C::StaffDirScreen, K::Radio, kPageSys, R(242, 123, 150, 17), "Vertical with Screen"},
    {C::GroupBoxTran, K::Group, kPageSys, R(58, 154, 337, 71), "Transparency Setting"},
    {C::TrackBarTran, K::Slider, kPageSys, R(62, 184, 283, 27), "", 0, 100},
    {C::EditTranValue, K::Edit, kPageSys, R(351, 187, 33, 21), "", 0, 100, 3},
    {C::GroupBox6, K::Group, kPageSys, R(58, 232, 163, 49), "Scale"},
    {C::SpinEditSmall, K::SpinEdit, kPageSys, R(91, 250, 42, 22), "", 1, 9, 1},
    {C::LabelSlash, K::SlashLabel, kPageSys, R(138, 249, 8, 22), "/"},
    {C::SpinEditLarge, K::SpinEdit, kPageSys, R(147, 250, 42, 22), "", 1, 9, 1},
    {C::Label14, K::Label, kPageSys, R(246, 240, 63, kLabelHeight), "Ruler's width"},
    {C::SpinEditWidth, K::SpinEdit, kPageSys, R(311, 237, 49, 22), "", 10, 99, 3},
    {C::Label26, K::Label, kPageSys, R(367, 240, 40, kLabelHeight), "pixels"},
    {C::CheckBoxJumpCursor, K::Check, kPageSys, R(246, 264, 160, 17), "Jump to cursor when show"},
    // Snapping to edges: the edge finder's tolerance.
    {C::LabelSnapTolerance, K::Label, kPageSys, R(58, 294, 95, kLabelHeight), "Edge tolerance"},
    {C::SpinEditSnapTolerance, K::SpinEdit, kPageSys, R(155, 290, 49, 22), "", 1, 255, 3},

    // "Appearance": the colour group row by row, left column first.
    {C::ImageBackground, K::Picture, kPageBackground, R(12, 9, 32, 32), ""},
    {C::GroupBox2, K::Group, kPageBackground, R(58, 9, 337, 145), "  Mensor Color  "},
    {C::Label3, K::Label, kPageBackground, R(86, 47, 101, kLabelHeight), "Scale Color"},
    {C::BitBtnKeDuColor, K::ColorButton, kPageBackground, R(189, 43, 32, 21), ""},
    {C::Label2, K::Label, kPageBackground, R(241, 47, 95, kLabelHeight), "Background Color"},
    {C::BitBtnBKColor, K::ColorButton, kPageBackground, R(338, 43, 32, 21), ""},
    {C::Label6, K::Label, kPageBackground, R(86, 80, 101, kLabelHeight), "Value Color"},
    {C::BitBtnNumberColor, K::ColorButton, kPageBackground, R(189, 76, 32, 21), ""},
    {C::Label7, K::Label, kPageBackground, R(241, 80, 95, kLabelHeight), "Cross Hair Color"},
    {C::BitBtnStaffColor, K::ColorButton, kPageBackground, R(338, 76, 32, 21), ""},
    {C::Label16, K::Label, kPageBackground, R(86, 113, 101, kLabelHeight), "Current Station Color"},
    {C::BitBtnCurTextColor, K::ColorButton, kPageBackground, R(189, 109, 32, 21), ""},
    {C::Label24, K::Label, kPageBackground, R(241, 113, 95, kLabelHeight), "Scale Line Color"},
    {C::BitBtnScaleColor, K::ColorButton, kPageBackground, R(338, 109, 32, 21), ""},
    // The read-out group's title is the check box drawn over it.
    {C::GroupBox4, K::Group, kPageBackground, R(58, 166, 337, 83), ""},
    {C::CheckBoxShowDisplayForm, K::Check, kPageBackground, R(72, 165, 115, 17), "Show Display Form"},
    {C::Label15, K::Label, kPageBackground, R(87, 205, 100, kLabelHeight), "Value Color"},
    {C::BitBtnWinNumColor, K::ColorButton, kPageBackground, R(189, 201, 32, 21), ""},
    {C::Label12, K::Label, kPageBackground, R(241, 205, 95, kLabelHeight), "Background Color"},
    {C::BitBtnWinBKColor, K::ColorButton, kPageBackground, R(338, 201, 32, 21), ""},
    {C::BitBtnDefault, K::Button, kPageBackground, R(320, 280, 75, 25), "Default"},

    // "Custom Unit".
    {C::ImageCustom, K::Picture, kPageCustom, R(12, 9, 32, 32), ""},
    {C::GroupBox3, K::Group, kPageCustom, R(58, 9, 337, 144), "Custom Unit Rule"},
    {C::Label8, K::Label, kPageCustom, R(96, 33, 190, kLabelHeight), "Unit Size(Pixels Per Unit)"},
    {C::SpinEditPixelPerUnit, K::SpinEdit, kPageCustom, R(290, 29, 65, 22), "", 1, 1000, 0},
    {C::Label9, K::Label, kPageCustom, R(96, 73, 190, kLabelHeight), "Ticks per Unit"},
    {C::SpinEditTicksPerUnit, K::SpinEdit, kPageCustom, R(290, 71, 65, 22), "", 1, 1000, 0},
    {C::Label10, K::Label, kPageCustom, R(96, 113, 190, kLabelHeight), "Display Unit Value Every(Unit)"},
    {C::SpinEditDisplayValueUnit, K::SpinEdit, kPageCustom, R(290, 109, 65, 22), "", 1, 1000, 0},
    {C::Label11, K::Label, kPageCustom, R(58, 164, 100, kLabelHeight), "Preview"},
    {C::PanelPreview, K::Panel, kPageCustom, R(58, 188, 337, 65), ""},
    {C::ImagePreview, K::Preview, kPageCustom, R(60, 190, 333, 61), ""},

    // "Hot Key".
    {C::ImageHotKey, K::Picture, kPageHotKey, R(12, 9, 32, 32), ""},
    {C::GroupBox5, K::Group, kPageHotKey, R(58, 9, 337, 280), "Set Hot Key"},
    {C::Label5, K::Label, kPageHotKey, R(100, HotKeyLabelTop(0), kHotKeyLabelWidth, kLabelHeight), "Hide/Show"},
    {C::SysHotKey, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(0), 177, 19), ""},
    {C::Label17, K::Label, kPageHotKey, R(100, HotKeyLabelTop(1), kHotKeyLabelWidth, kLabelHeight), "Always On Top"},
    {C::HotKeyAlwaysTop, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(1), 177, 19), ""},
    {C::Label18, K::Label, kPageHotKey, R(100, HotKeyLabelTop(2), kHotKeyLabelWidth, kLabelHeight), "Transparent"},
    {C::HotKeyTrans, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(2), 177, 19), ""},
    {C::Label19, K::Label, kPageHotKey, R(100, HotKeyLabelTop(3), kHotKeyLabelWidth, kLabelHeight), "Rotate"},
    {C::HotKeyCircum, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(3), 177, 19), ""},
    {C::Label20, K::Label, kPageHotKey, R(100, HotKeyLabelTop(4), kHotKeyLabelWidth, kLabelHeight), "Horizontal"},
    {C::HotKeyLeval, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(4), 177, 19), ""},
    {C::Label21, K::Label, kPageHotKey, R(100, HotKeyLabelTop(5), kHotKeyLabelWidth, kLabelHeight), "Vertical"},
    {C::HotKeyPlumb, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(5), 177, 19), ""},
    {C::Label25, K::Label, kPageHotKey, R(100, HotKeyLabelTop(6), kHotKeyLabelWidth, kLabelHeight), "Show Scale Line"},
    {C::HotKeyShowScaleLine, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(6), 177, 19), ""},
    {C::LabelShowToolBar, K::Label, kPageHotKey, R(100, HotKeyLabelTop(7), kHotKeyLabelWidth, kLabelHeight), "Show ToolBar"},
    {C::HotKeyShowToolBar, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(7), 177, 19), ""},
    {C::Label22, K::Label, kPageHotKey, R(100, HotKeyLabelTop(8), kHotKeyLabelWidth, kLabelHeight), "Calculator"},
    {C::HotKeyCalculator, K::HotKey, kPageHotKey, R(197, HotKeyFieldTop(8), 177, 19), ""},

    // Below the page control.
    {C::LabelProduct, K::ProductLabel, kWindowPage, R(8, 374, 120, 30), "Mensor"},
    {C::BitBtnOK, K::DefaultButton, kWindowPage, R(271, 377, 73, 23), "&OK"},
    {C::BitBtnCancel, K::CancelButton, kWindowPage, R(352, 377, 73, 23), "&Cancel"},
};

// Index of each control's entry, built once.
const std::array<int, static_cast<int>(ConfigControl::Count)>& EntryIndex() {
  static const auto index = [] {
    std::array<int, static_cast<int>(ConfigControl::Count)> out{};
    out.fill(-1);
    for (int i = 0; i < static_cast<int>(std::size(kLayout)); ++i) out[static_cast<int>(kLayout[i].control)] = i;
    return out;
  }();
  return index;
}

}  // namespace

std::span<const ConfigLayoutEntry> ConfigLayout() { return kLayout; }

const ConfigLayoutEntry& LayoutOf(ConfigControl control) {
  const int i = EntryIndex()[static_cast<int>(control)];
  assert(i >= 0);
  return kLayout[i];
}

int ScaleToPpi(int value, int ppi) { return ScaleForDensity(value, ppi); }

Rect ScaleToPpi(const Rect& rect, int ppi) {
  return {ScaleToPpi(rect.left, ppi), ScaleToPpi(rect.top, ppi), ScaleToPpi(rect.right, ppi),
          ScaleToPpi(rect.bottom, ppi)};
}

Rect ScaleLayoutRect(const Rect& rect, int ppi, double width_factor) {
  const Rect r = ScaleToPpi(rect, ppi);
  const int left = static_cast<int>(std::ceil(r.left * width_factor));
  const int width = static_cast<int>(std::ceil(r.Width() * width_factor));
  return {left, r.top, left + width, r.bottom};
}


namespace {

// At 96 pixels per inch: the room kept between a text that grows and the
// next control, the inside of a group box's frame, the right edge of a page
// and of the window's own controls.
constexpr int kGap = 4;
constexpr int kFrameInset = 8;
constexpr int kPageRight = 413;
constexpr int kPageBottom = 323;
constexpr int kWindowRight = kConfigClientSize.cx - 4;

}  // namespace

bool HasFittedText(ConfigKind kind) {
  switch (kind) {
    case K::Label:
    case K::ProductLabel:
    case K::Group:
    case K::Check:
    case K::Radio:
    case K::Button:
    case K::DefaultButton:
    case K::CancelButton: return true;
    default: return false;
  }
}

namespace {

// What a control of the kind needs besides its text, at 96 pixels per inch:
// the box of a check box or radio item with its gap, a group caption's inset
// on both sides, a button's edges.
int Chrome(ConfigKind kind) {
  switch (kind) {
    case K::Check:
    case K::Radio: return 19;
    case K::Group: return 16;
    case K::Button:
    case K::DefaultButton:
    case K::CancelButton: return 12;
    default: return 1;
  }
}

bool CanWrap(ConfigKind kind) { return kind == K::Label || kind == K::Check || kind == K::Radio; }

// g holds e (a check box drawn over its group's top line counts as inside).
bool Holds(const ConfigLayoutEntry& g, const ConfigLayoutEntry& e) {
  return g.kind == K::Group && &g != &e && g.page == e.page && g.rect.left <= e.rect.left &&
         e.rect.right <= g.rect.right && g.rect.top <= e.rect.top + 1 && e.rect.bottom <= g.rect.bottom;
}

// The innermost group holding e, or none.
const ConfigLayoutEntry* GroupOf(const ConfigLayoutEntry& e) {
  const ConfigLayoutEntry* best = nullptr;
  for (const ConfigLayoutEntry& g : kLayout)
    if (Holds(g, e) && (best == nullptr || best->rect.Width() > g.rect.Width())) best = &g;
  return best;
}

bool Overlap(const Rect& a, const Rect& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// At 96 pixels per inch: the place a text may grow into, to the right of its
// own, up to the next control on its row or the inside of its group's frame
// (or the page's or window's edge). Never smaller than its own place.
Rect RoomOf(const ConfigLayoutEntry& e) {
  if (e.kind == K::Group || e.kind == K::Button || e.kind == K::DefaultButton || e.kind == K::CancelButton)
    return e.rect;
  const ConfigLayoutEntry* group = GroupOf(e);
  int right = group != nullptr ? group->rect.right - kFrameInset
                               : (e.page == kWindowPage ? kWindowRight : kPageRight - kGap);
  for (const ConfigLayoutEntry& o : kLayout) {
    if (&o == &e || o.page != e.page || o.kind == K::Tab || o.kind == K::Tabs || Holds(o, e)) continue;
    if (o.rect.top < e.rect.bottom && e.rect.top < o.rect.bottom && o.rect.left > e.rect.left)
      right = std::min(right, o.rect.left - kGap);
  }
  return {e.rect.left, e.rect.top, std::max(right, e.rect.right), e.rect.bottom};
}

int Index(const ConfigLayoutEntry& e) { return static_cast<int>(e.control); }

}  // namespace

ConfigPlan PlanConfigLayout(int ppi, Size max_client, std::span<const std::string> texts,
                            const ConfigTextMeasure& measure) {
  const bool limited = max_client.cx > 0 && max_client.cy > 0;
  const auto too_large = [&](int at) {
    return limited && (ScaleToPpi(kConfigClientSize.cx, at) > max_client.cx ||
                       ScaleToPpi(kConfigClientSize.cy, at) > max_client.cy);
  };
  // A monitor too small for the dialog at its density gets it smaller.
  int lp = ppi;
  while (lp > 72 && too_large(lp)) --lp;

  const auto text_of = [&](const ConfigLayoutEntry& e) -> std::string_view {
    const auto i = static_cast<std::size_t>(Index(e));
    return i < texts.size() ? std::string_view(texts[i]) : std::string_view(e.text);
  };
  const auto width_of = [&](const ConfigLayoutEntry& e) {
    return [&measure, &e, lp](std::string_view t) {
      return measure(e.kind, e.kind == K::ProductLabel ? std::string(t) : ShownText(t), lp).cx;
    };
  };

  // Widened as far as the longest single line asks, within the work area.
  double factor = 1.0;
  for (const ConfigLayoutEntry& e : kLayout) {
    if (!HasFittedText(e.kind) || text_of(e).empty()) continue;
    const int needed = width_of(e)(text_of(e)) + ScaleToPpi(Chrome(e.kind), lp);
    const int room = ScaleToPpi(RoomOf(e), lp).Width();
    if (room > 0 && needed > room) factor = std::max(factor, static_cast<double>(needed) / room);
  }
  if (limited) {
    const double widest = static_cast<double>(max_client.cx) / ScaleToPpi(kConfigClientSize.cx, lp);
    factor = std::max(1.0, std::min(factor, widest));
  }

  ConfigPlan plan;
  plan.ppi = lp;
  plan.factor = factor;
  const Rect client = ScaleLayoutRect(Rect{0, 0, kConfigClientSize.cx, kConfigClientSize.cy}, lp, factor);
  plan.client = {std::min(client.Width(), limited ? std::max(max_client.cx, 1) : client.Width()), client.Height()};
  for (const ConfigLayoutEntry& e : kLayout) {
    ConfigPlace& place = plan.places[Index(e)];
    place.rect = ScaleLayoutRect(e.rect, lp, factor);
    place.text = std::string(text_of(e));
  }

  const Rect page_area = ScaleLayoutRect(Rect{0, 0, kPageRight, kPageBottom}, lp, factor);
  for (const ConfigLayoutEntry& e : kLayout) {
    ConfigPlace& place = plan.places[Index(e)];
    if (!HasFittedText(e.kind) || place.text.empty()) continue;
    const TextWidth width = width_of(e);
    const int chrome = ScaleToPpi(Chrome(e.kind), lp);
    const Rect room = ScaleLayoutRect(RoomOf(e), lp, factor);
    const int needed = width(place.text);
    if (needed + chrome <= place.rect.Width()) continue;
    if (needed + chrome <= room.Width()) {
      place.rect.right = place.rect.left + needed + chrome;
      continue;
    }
    if (CanWrap(e.kind)) {
      if (auto lines = WrapToWidth(place.text, room.Width() - chrome, 2, width)) {
        // Two lines centred on the place's own row, where nothing else lies.
        const int line = measure(e.kind, "Ag", lp).cy;
        const int height = std::max(2 * line, place.rect.Height());
        const int top = place.rect.top + (place.rect.Height() - height) / 2;
        const Rect two{room.left, top, room.right, top + height};
        const ConfigLayoutEntry* group = GroupOf(e);
        const Rect inside = group != nullptr
                                ? Rect{0, ScaleToPpi(group->rect.top, lp) + line, 1 << 20,
                                       ScaleToPpi(group->rect.bottom, lp) - ScaleToPpi(2, lp)}
                                : Rect{0, 0, 1 << 20, e.page == kWindowPage ? client.bottom : page_area.bottom};
        bool free = two.top >= inside.top && two.bottom <= inside.bottom;
        for (const ConfigLayoutEntry& o : kLayout) {
          if (&o == &e || o.page != e.page || o.kind == K::Tab || o.kind == K::Tabs || Holds(o, e)) continue;
          free = free && !Overlap(two, plan.places[Index(o)].rect);
        }
        if (free && lines->size() == 2) {
          place.rect = two;
          place.text = (*lines)[0] + "\r\n" + (*lines)[1];
          place.wrapped = true;
          continue;
        }
      }
    }
    place.rect.right = room.right;
    place.text = CutToWidth(place.text, room.Width() - chrome, width);
    place.cut = true;
  }
  return plan;
}

}  // namespace mensor
