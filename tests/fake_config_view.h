// A recording stand-in for the preferences dialog window: keeps every
// control's text, check mark, position, hot key and enabled state, the page
// shown and the focus, answers the colour chooser from a queue, and records
// what is drawn on the preview picture.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <vector>
#include <algorithm>
#include <optional>
#include <string>

#include "fake_platform.h"
#include "prefs/config_form.h"
#include "prefs/config_layout.h"
#include "prefs/config_view.h"

namespace mensor::testing {

class FakeConfigView : public ConfigView {
 public:
  explicit FakeConfigView(TConfigForm& form) : form_(form) {
    // The controls start with the layout's English texts, enabled, empty.
    for (const ConfigLayoutEntry& e : ConfigLayout()) texts[e.control] = e.text;
  }

  void SetTitle(const std::string& text) override { title = text; }
  std::string Text(ConfigControl c) const override {
    auto it = texts.find(c);
    return it == texts.end() ? std::string() : it->second;
  }
  void SetText(ConfigControl c, const std::string& text) override { texts[c] = text; }
  bool Checked(ConfigControl c) const override { return checked.count(c) != 0 && checked.at(c); }
  void SetChecked(ConfigControl c, bool value) override { checked[c] = value; }
  int ItemIndex(ConfigControl c) const override { return items.count(c) ? items.at(c) : -1; }
  void SetItemIndex(ConfigControl c, int index) override { items[c] = index; }
  int Position(ConfigControl) const override { return position; }
  void SetPosition(ConfigControl, int value) override {
    // A slider keeps its position within its range.
    position = std::clamp(value, 0, 100);
  }
  Shortcut HotKey(ConfigControl c) const override { return hotkeys.count(c) ? hotkeys.at(c) : 0; }
  void SetHotKey(ConfigControl c, Shortcut value) override { hotkeys[c] = value; }
  void SetShortcutWords(const ShortcutWords& words) override { shortcut_words = words; }
  // What a hot-key field shows.
  std::string HotKeyText(ConfigControl c) const { return HotKeyFieldText(HotKey(c), shortcut_words); }
  bool Enabled(ConfigControl c) const override { return disabled.count(c) == 0; }
  void SetEnabled(ConfigControl c, bool enabled) override {
    if (enabled) {
      disabled.erase(c);
    } else {
      disabled.insert(c);
    }
  }
  Size ControlSize(ConfigControl c) const override {
    const Rect& r = LayoutOf(c).rect;
    return {r.Width(), r.Height()};
  }
  void SetButtonPicture(ConfigControl c, const ColorSwatch& swatch) override { pictures[c] = swatch; }
  int ActivePage() const override { return page; }
  void SetActivePage(int p) override { page = p; }
  bool Focus(ConfigControl c) override {
    if (!Enabled(c)) return false;
    focus = c;
    return true;
  }
  std::optional<Color> ChooseColor(Color initial) override {
    chooser_presets.push_back(initial);
    if (chooser_answers.empty()) return std::nullopt;
    std::optional<Color> answer = chooser_answers.front();
    chooser_answers.pop_front();
    return answer;
  }
  Size PreviewSize() const override { return kPreviewSize; }
  Canvas& PreviewCanvas() override { return preview; }
  void PreviewChanged() override { ++preview_updates; }
  void ShowModal() override {
    closed = false;
    form_.FormShow();
    if (while_shown) while_shown(*this);
  }
  void Close() override { closed = true; }

  std::string title;
  std::map<ConfigControl, std::string> texts;
  std::map<ConfigControl, bool> checked;
  std::map<ConfigControl, int> items;
  int position = 0;
  std::map<ConfigControl, Shortcut> hotkeys;
  ShortcutWords shortcut_words;
  std::set<ConfigControl> disabled;
  std::map<ConfigControl, ColorSwatch> pictures;
  int page = -1;
  std::optional<ConfigControl> focus;
  std::deque<std::optional<Color>> chooser_answers;
  std::vector<Color> chooser_presets;
  RecordingCanvas preview;
  int preview_updates = 0;
  bool closed = false;
  // What the user does while the dialog is open (PMenuConfigClick tests).
  std::function<void(FakeConfigView&)> while_shown;

 private:
  TConfigForm& form_;
};

}  // namespace mensor::testing
