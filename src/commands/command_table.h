// The commands of a window's popup menu as one table. Each row names a
// command once: its id, its component name, its English caption (also its key
// in a language pack), its kind, where its shortcut comes from, the state it
// shows and its handler. The menu as it opens, the dispatch of a chosen
// command, the shortcut keys and the rows of the window's text table all
// follow from the table, so a new command is one new row.
//
// Rows come in menu order. A row with `in` set belongs to the submenu row of
// that name, which comes before it. Check marks and shortcuts are read from
// the form's fields and the settings each time the menu is built; nothing is
// kept in the menu between two openings.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "lang/language_pack.h"
#include "settings/app_settings.h"
#include "ui/menu.h"
#include "ui/shortcut_text.h"

namespace mensor {

enum class CommandKind { Action, Check, Radio, Submenu, Separator };

template <class Form>
struct CommandRow {
  int id = 0;             // unique within the window; 0 for separators and submenus
  std::string_view name = {};  // component name, and the target of the caption's text
  // English caption, also its key in a language pack; empty: never translated.
  std::string_view text = {};
  bool translated = true;  // false: the caption stays English in every language
  CommandKind kind = CommandKind::Action;
  std::string_view in = {};  // name of the submenu row it belongs to; empty: the menu itself
  // The setting that holds the shortcut, or a fixed one of the menu design.
  Shortcut TAppSettings::*shortcut = nullptr;
  Shortcut fixed_shortcut = 0;
  bool (*checked)(const Form&) = nullptr;  // the state a check or radio item shows
  void (*run)(Form&) = nullptr;            // the handler
  bool visible = true;
  // A caption that shows the state instead of the translated text.
  std::string (*caption_of)(const Form&) = nullptr;
  // Items a submenu shows after its rows (one per language pack).
  void (*entries)(const Form&, std::vector<MenuItem>&) = nullptr;
};

template <class Form>
using CommandTable = std::span<const CommandRow<Form>>;

// The shortcut a row has now: its setting's value, or its fixed one.
template <class Form>
Shortcut CommandShortcut(const CommandRow<Form>& row) {
  return row.shortcut != nullptr ? AppSettings.*row.shortcut : row.fixed_shortcut;
}

// Each row's English caption, by row: the captions before any language pack.
template <class Form>
std::vector<std::string> EnglishCaptions(CommandTable<Form> table) {
  std::vector<std::string> captions;
  for (const CommandRow<Form>& row : table) captions.emplace_back(row.text);
  return captions;
}

// Puts a text on the caption of the row whose name is target. False when no
// row has that name.
template <class Form>
bool SetCommandCaption(CommandTable<Form> table, std::vector<std::string>& captions, std::string_view target,
                       const std::string& text) {
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (table[i].name != target || !table[i].translated) continue;
    captions[i] = text;
    return true;
  }
  return false;
}

// The rows of the window's text table for its commands, all by one rule, in
// menu order.
template <class Form>
std::vector<TextRow> CommandTextRows(CommandTable<Form> table, Rule rule) {
  std::vector<TextRow> rows;
  for (const CommandRow<Form>& row : table)
    if (row.translated && !row.text.empty()) rows.push_back(TextRow{row.text, row.name, rule, row.text});
  return rows;
}

// The menu as it opens now: captions by row, check marks from the form,
// shortcuts from the settings, their texts in words.
template <class Form>
std::vector<MenuItem> CommandMenu(CommandTable<Form> table, const Form& form,
                                  const std::vector<std::string>& captions, const ShortcutWords& words) {
  std::vector<MenuItem> items;
  const auto item_of = [&](std::size_t i) {
    const CommandRow<Form>& row = table[i];
    MenuItem item;
    item.id = row.id;
    item.name = std::string(row.name);
    item.caption = row.caption_of != nullptr ? row.caption_of(form) : captions[i];
    switch (row.kind) {
      case CommandKind::Action: item.kind = MenuKind::Command; break;
      case CommandKind::Check: item.kind = MenuKind::Check; break;
      case CommandKind::Radio: item.kind = MenuKind::Radio; break;
      case CommandKind::Submenu: item.kind = MenuKind::Submenu; break;
      case CommandKind::Separator: item.kind = MenuKind::Separator; break;
    }
    item.shortcut = CommandShortcut(row);
    item.shortcut_text = ShortcutText(item.shortcut, words);
    item.checked = row.checked != nullptr && row.checked(form);
    item.visible = row.visible;
    return item;
  };
  for (std::size_t i = 0; i < table.size(); ++i) {
    if (!table[i].in.empty()) continue;
    MenuItem item = item_of(i);
    for (std::size_t k = i + 1; k < table.size(); ++k)
      if (table[k].in == table[i].name) item.items.push_back(item_of(k));
    if (table[i].entries != nullptr) table[i].entries(form, item.items);
    items.push_back(std::move(item));
  }
  return items;
}

// The settings that hold the table's shortcuts, in menu order.
template <class Form>
std::vector<Shortcut TAppSettings::*> ShortcutSettings(CommandTable<Form> table) {
  std::vector<Shortcut TAppSettings::*> settings;
  for (const CommandRow<Form>& row : table)
    if (row.shortcut != nullptr) settings.push_back(row.shortcut);
  return settings;
}

template <class Form>
const CommandRow<Form>* CommandById(CommandTable<Form> table, int id) {
  if (id == 0) return nullptr;
  for (const CommandRow<Form>& row : table)
    if (row.id == id) return &row;
  return nullptr;
}

// The first command in menu order whose shortcut is value; hidden commands
// only when hidden_too.
template <class Form>
const CommandRow<Form>* CommandByShortcut(CommandTable<Form> table, Shortcut value, bool hidden_too) {
  if (value == 0) return nullptr;
  for (const CommandRow<Form>& row : table)
    if (row.id != 0 && row.run != nullptr && (row.visible || hidden_too) && CommandShortcut(row) == value) return &row;
  return nullptr;
}

}  // namespace mensor
