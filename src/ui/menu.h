// The popup menu as data: the core builds it, keeps check marks and shortcuts
// in it, and hands it to the platform to show. The platform returns the id of
// the chosen command; the core runs it.
#pragma once

#include <string>
#include <vector>

#include "ui/types.h"

namespace mensor {

enum class MenuKind { Command, Check, Radio, Separator, Submenu };

struct MenuItem {
  int id = 0;            // command id, unique within the menu; 0 for separators and submenus
  std::string name;      // component name, e.g. "PMenuExit"
  std::string caption;   // UTF-8, '&' marks the accelerator letter
  MenuKind kind = MenuKind::Command;
  Shortcut shortcut = 0;
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  int tag = 0;
  std::vector<MenuItem> items;  // entries of a submenu
};

// An item with its command id, name, caption and kind; a separator.
MenuItem MenuItemOf(int id, std::string name, std::string caption, MenuKind kind = MenuKind::Command);
MenuItem MenuSeparator();

struct Menu {
  std::vector<MenuItem> items;
  // The menu's side band (drawn by the platform's owner-drawn menu).
  std::string band_caption;
  Color band_color = 0;

  MenuItem* FindByName(const std::string& name);
  MenuItem* FindById(int id);
  // The visible, enabled command whose shortcut is the given value, or null.
  MenuItem* FindByShortcut(Shortcut shortcut);
};

// The accelerator letter of a caption ('&x' gives 'X'), or 0 when it has none.
char AcceleratorOf(const std::string& caption);

}  // namespace mensor
