// A popup menu as its user reads it when it opens, for golden strings: one
// line per visible entry, "[x] " before a checked item, "(o) " before a
// checked radio item, four blanks before any other; the caption, then two
// blanks and the shortcut text when it has one; "----" for a separator.
// Submenu entries follow their submenu, indented by two more blanks.
#pragma once

#include <string>
#include <vector>

#include "ui/menu.h"

namespace mensor::testing {

inline void AppendMenuText(const std::vector<MenuItem>& items, const std::string& indent, std::string& out) {
  for (const MenuItem& item : items) {
    if (!item.visible) continue;
    out += indent;
    if (item.kind == MenuKind::Separator) {
      out += "----\n";
      continue;
    }
    out += !item.checked ? "    " : item.kind == MenuKind::Radio ? "(o) " : "[x] ";
    out += item.caption;
    if (item.kind == MenuKind::Submenu) out += " >";
    if (!item.shortcut_text.empty()) out += "  " + item.shortcut_text;
    out += "\n";
    AppendMenuText(item.items, indent + "  ", out);
  }
}

inline std::string MenuText(const Menu& menu) {
  std::string out;
  AppendMenuText(menu.items, "", out);
  return out;
}

}  // namespace mensor::testing

namespace mensor::testing {

// The entry of command id in a menu or its submenus, or null.
inline const MenuItem* FindCommand(const std::vector<MenuItem>& items, int id) {
  for (const MenuItem& item : items) {
    if (item.id == id) return &item;
    if (const MenuItem* found = FindCommand(item.items, id)) return found;
  }
  return nullptr;
}

// The submenu that holds command id, or null.
inline const MenuItem* SubmenuOf(const std::vector<MenuItem>& items, int id) {
  for (const MenuItem& item : items)
    for (const MenuItem& entry : item.items)
      if (entry.id == id) return &item;
  return nullptr;
}

}  // namespace mensor::testing
