// A recording stand-in for the tool bar window's controls: the timer switch,
// the factor box's text, each pointer drawn into the view, the hints and the
// popup menus shown.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "toolbar/tool_bar_controls.h"

namespace mensor::testing {

class FakeToolBarControls : public ToolBarControls {
 public:
  // A pointer drawn into a picture of this size at this place.
  struct PointerDraw {
    Size picture;
    Point at;
    friend bool operator==(const PointerDraw&, const PointerDraw&) = default;
  };

  void SetTimerEnabled(bool enabled) override {
    timer = enabled;
    timer_log.push_back(enabled);
  }
  std::string FactorText() const override { return factor_text; }
  void SetFactorText(const std::string& text) override { factor_text = text; }
  void DrawPointer(Image& picture, Point at) override { pointers.push_back({{picture.width, picture.height}, at}); }
  void SetHints(const std::string& magnifier, const std::string& calculator) override {
    magnifier_hint = magnifier;
    calculator_hint = calculator;
  }
  void PlaceFactorBox(const Rect& box, const Rect& caption, const std::string& hint) override {
    factor_box = box;
    caption_place = caption;
    caption_hint = hint;
  }
  int TrackPopupMenu(const Menu& menu, Point) override {
    shown_menus.push_back(menu);
    if (menu_choices.empty()) return 0;
    const int id = menu_choices.front();
    menu_choices.pop_front();
    return id;
  }

  bool timer = false;
  std::vector<bool> timer_log;
  std::string factor_text;
  std::vector<PointerDraw> pointers;
  std::string magnifier_hint, calculator_hint;
  Rect factor_box, caption_place;
  std::string caption_hint;
  std::vector<Menu> shown_menus;
  std::deque<int> menu_choices;
};

}  // namespace mensor::testing
