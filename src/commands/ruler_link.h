// RulerLink: what the preferences dialog and the tool bar use of the ruler
// window. The ruler (TMainForm) implements it; the two windows know the ruler
// only through it. The values of shortcuts need no call: every menu reads
// them from the settings when it opens, and the language choice is the process-wide
// LanguageIndex (lang/language.h).
#pragma once

#include <string>
#include <vector>

#include "settings/app_settings.h"
#include "ui/types.h"

namespace mensor {

class RulerLink {
 public:
  // The tool bar hid itself from its own menu: "Show T&oolBar" is off.
  virtual void ToolBarHidden() = 0;

  // The settings that hold the shortcuts of the ruler's commands, in menu
  // order: the preferences' hot-key rows edit them and check them in this
  // order.
  virtual std::vector<Shortcut TAppSettings::*> ShortcutSettings() const = 0;

  // ---- the preferences, in the order OK stores the settings ----
  // The cross-hair's direction may have changed: a screen-aligned cross
  // refuses the scale line, which goes off.
  virtual void CrossHairChanged() = 0;
  // The colour and percentage of see-through mode apply to its next capture.
  virtual void SeeThroughTintChanged() = 0;
  // The global Hide/Show hot key becomes value (0: none); a refused one is
  // told with error_text and becomes 0.
  virtual void ChangeHideHotKey(Shortcut value, const std::string& error_text) = 0;
  // The settings are stored: the ruler shows them.
  virtual void SettingsApplied() = 0;

 protected:
  ~RulerLink() = default;
};

}  // namespace mensor
