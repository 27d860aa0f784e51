// The preferences dialog's make-up as data: every control with its kind, its
// page, its place at 96 pixels per inch, its English text and, for number
// fields, its range. The Win32 dialog builds its controls from this table in
// its order (which is also the Tab order), scaled to the display's pixels per
// inch; the logic takes the number fields' ranges from it.
#pragma once

#include <functional>
#include <span>

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

// How much wider the dialog must be laid out so that every text fits its
// control: needed_width gives the pixels a control's text needs at ppi (0
// for none). 1 when everything fits the places above (as with the font the
// layout was made for); more when the font in use is wider.
double WidthFactor(int ppi, const std::function<int(const ConfigLayoutEntry&)>& needed_width);
// A place of the layout at ppi, its left edge and width also multiplied by
// the width factor.
Rect ScaleLayoutRect(const Rect& rect, int ppi, double width_factor);

}  // namespace mensor
