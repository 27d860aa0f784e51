// The popup menu as data: the core builds it anew each time it opens (from a
// window's command table, with its check marks and shortcuts), and hands it
// to the platform to show. The platform returns the id of the chosen command;
// the core runs it.
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
  std::string shortcut_text;  // UTF-8, in the words of the current language; empty for none
  bool checked = false;
  bool visible = true;
  bool enabled = true;
  int tag = 0;
  std::vector<MenuItem> items;  // entries of a submenu
};

struct Menu {
  std::vector<MenuItem> items;
  // The menu's side band (drawn by the platform's owner-drawn menu).
  std::string band_caption;
  Color band_color = 0;
};

// The accelerator letter of a caption ('&x' gives 'X'), or 0 when it has none.
char AcceleratorOf(const std::string& caption);

}  // namespace mensor
