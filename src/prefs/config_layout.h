// The preferences dialog's make-up as data: every control with its kind, its
// page, its place at 96 pixels per inch, its English text and, for number
// fields, its range. The Win32 dialog builds its controls from this table in
// its order (which is also the Tab order), scaled to the display's pixels per
// inch and widened for its texts (PlanConfigLayout); the logic takes the
// number fields' ranges from it.
#pragma once

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "prefs/config_view.h"
#include "ui/types.h"

namespace mensor {

enum class ConfigKind {
  Tabs,          // the page control
  Tab,           // one page's tab (text only)
  Group,         // group box
  Label,
  ProductLabel,  // the large disabled "Mensor"
  SlashLabel,    // the "/" between the scale fields
  SpinEdit,      // number field with up-down arrows
  Edit,          // plain text field
  Radio,         // radio item; the first of a group starts the group
  Choice,        // drop-down list of fixed items
  ChoiceItem,    // one item of the choice before it (text only)
  Check,
  Slider,
  HotKey,
  ColorButton,
  Button,
  DefaultButton,  // pressed by Enter
  CancelButton,   // pressed by Esc
  Picture,        // a page's 32 x 32 picture
  Panel,          // lowered frame around the preview
  Preview,        // the preview picture (its size is in pixels, never scaled)
};

inline constexpr int kWindowPage = -1;

struct ConfigLayoutEntry {
  ConfigControl control;
  ConfigKind kind;
  int page;  // a ConfigPage, or kWindowPage for the window's own controls
  Rect rect;  // at 96 pixels per inch, in page (or window client) coordinates
  const char* text;  // English
  int min = 0;       // number fields: range
  int max = 0;
  int max_length = 0;  // characters; 0 = no limit
};

// Client size of the window at 96 pixels per inch.
inline constexpr Size kConfigClientSize{431, 413};
// Size of the preview picture in pixels.
inline constexpr Size kPreviewSize{333, 61};

// The whole dialog in creation order.
std::span<const ConfigLayoutEntry> ConfigLayout();
// The entry of one control (every ConfigControl has exactly one).
const ConfigLayoutEntry& LayoutOf(ConfigControl control);

// A length at 96 pixels per inch scaled to ppi, rounded to nearest.
int ScaleToPpi(int value, int ppi);
Rect ScaleToPpi(const Rect& rect, int ppi);

// The pixels a text takes in the font a control of this kind uses at ppi
// pixels per inch (the dialog's font, or the large one of the product label):
// its width and the height of one line. The text is given as drawn.
using ConfigTextMeasure = std::function<Size(ConfigKind kind, std::string_view text, int ppi)>;

// Where one control goes and what it shows.
struct ConfigPlace {
  Rect rect;         // page (or window client) coordinates
  std::string text;  // its text as shown: whole, broken onto two lines ("\r\n"), or cut with an ellipsis
  bool cut = false;  // cut: the whole text belongs in a tool tip
  bool wrapped = false;
  friend bool operator==(const ConfigPlace&, const ConfigPlace&) = default;
};

// The dialog laid out for its texts and its monitor.
struct ConfigPlan {
  int ppi = 96;         // the density it is laid out for, fonts included
  double factor = 1.0;  // how much wider than the places of the table
  Size client;
  std::array<ConfigPlace, static_cast<int>(ConfigControl::Count)> places;
  const ConfigPlace& Of(ConfigControl c) const { return places[static_cast<int>(c)]; }
  friend bool operator==(const ConfigPlan&, const ConfigPlan&) = default;
};

// True for the controls whose text the plan fits (labels, group captions,
// check boxes, radio items, buttons).
bool HasFittedText(ConfigKind kind);

// Lays the dialog out at ppi for the controls' texts (indexed by
// ConfigControl) so that it fits a client area of max_client (the work area
// of its monitor less the frame):
// - the density is lowered when even the table's places are too large;
// - a text wider than its place first takes the free room to its right (up
//   to the next control on its row or its group's frame);
// - the whole dialog widens as far as the longest text asks, but never past
//   max_client;
// - a text that still does not fit is broken onto a second line where no
//   other control lies above or below it, else cut with an ellipsis.
// With texts that fit their places the table's places stay as they are.
ConfigPlan PlanConfigLayout(int ppi, Size max_client, std::span<const std::string> texts,
                            const ConfigTextMeasure& measure);

// A place of the layout at ppi, its left edge and width also multiplied by
// the width factor.
Rect ScaleLayoutRect(const Rect& rect, int ppi, double width_factor);

}  // namespace mensor
