// Making items, and look-ups in the menu model.
#include "ui/menu.h"

#include <cctype>
#include <utility>

namespace mensor {

MenuItem MenuItemOf(int id, std::string name, std::string caption, MenuKind kind) {
  MenuItem item;
  item.id = id;
  item.name = std::move(name);
  item.caption = std::move(caption);
  item.kind = kind;
  return item;
}

MenuItem MenuSeparator() {
  MenuItem item;
  item.kind = MenuKind::Separator;
  return item;
}
namespace {

template <typename Pred>
MenuItem* FindIn(std::vector<MenuItem>& items, Pred pred) {
  for (MenuItem& item : items) {
    if (pred(item)) return &item;
    if (MenuItem* found = FindIn(item.items, pred)) return found;
  }
  return nullptr;
}

}  // namespace

MenuItem* Menu::FindByName(const std::string& name) {
  return FindIn(items, [&](const MenuItem& m) { return m.name == name; });
}

MenuItem* Menu::FindById(int id) {
  if (id == 0) return nullptr;
  return FindIn(items, [&](const MenuItem& m) { return m.id == id; });
}

MenuItem* Menu::FindByShortcut(Shortcut shortcut) {
  if (shortcut == 0) return nullptr;
  return FindIn(items, [&](const MenuItem& m) {
    return m.id != 0 && m.visible && m.enabled && m.shortcut == shortcut;
  });
}

char AcceleratorOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
  }
  return 0;
}

}  // namespace mensor
