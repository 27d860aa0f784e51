// The four windows' text tables, checked at the table level: the tool bar,
// the preferences dialog and the about box take exactly these texts.
#include "app/calibrate_form.h"
#include "app/ruler_commands.h"
#include "lang/text_tables.h"
#include "toolbar/tool_bar_form.h"

#include <set>
#include <string>

#include <gtest/gtest.h>

namespace mensor {
namespace {

std::string TextOf(TextTable table, const std::string& pack, std::string_view target) {
  const WindowTexts texts = PackTexts(table, LanguagePack::Parse("[String]\n" + pack));
  const std::string* text = texts.Text(target);
  return text != nullptr ? *text : "<no such target>";
}

TEST(TextTables, RulesAndUniqueTargets) {
  struct Expect {
    const char* name;
    TextTable table;
    bool all_rule_b;
    std::set<std::string_view> rule_b;  // when not all
  };
  const Expect tables[] = {
      {"ruler", kMainFormTexts, false, {}},
      {"tool bar", kToolBarTexts, true, {}},
      {"preferences", kConfigFormTexts, false, {"LabelShowToolBar"}},
      {"about", kAboutFormTexts, false, {}},
      {"calibration", kCalibrateFormTexts, false, {}},
  };
  for (const Expect& e : tables) {
    std::set<std::string_view> targets;
    for (const TextRow& row : e.table) {
      const bool rule_b = e.all_rule_b || e.rule_b.count(row.target) != 0;
      EXPECT_EQ(row.rule, rule_b ? Rule::B : Rule::A) << e.name << ": " << row.target;
      EXPECT_TRUE(targets.insert(row.target).second) << e.name << ": " << row.target;
      EXPECT_FALSE(row.english.empty()) << e.name << ": " << row.target;
    }
  }
}

TEST(TextTables, WhatAPackGivesEachTarget) {
  const std::string de = "Pixels=Bildpunkte\nCalculator=Rechner\nConfigure=Einstellungen\n"
                         "Value Color=Wertfarbe\nBackground Color=Hintergrund\nContact=Kontakt\n"
                         "E&xit=&Beenden\nFail to register hot key=Fehler\n";
  const std::string blanks =
      "Magnifier=\nMoving by keyboard=\nShow ToolBar=\nHide/Show=\nContact=\n&Hide ToolBar=\nE&xit=\n";
  struct Case {
    const char* why;
    TextTable table;
    const std::string& pack;
    const char* target;
    const char* text;
  };
  const std::string none;
  const Case cases[] = {
      {"English differing from the key", kConfigFormTexts, none, "GroupBox2", "  Mensor Color  "},
      {"English differing from the key", kConfigFormTexts, none, "DialogTitle", "Mensor Configure"},
      {"English differing from the key", kConfigFormTexts, none, "Label15", "Value Color"},
      {"English differing from the key", kConfigFormTexts, none, "Label12", "Background Color"},
      {"English differing from the key", kAboutFormTexts, none, "GroupBox1", " Contact "},
      {"English differing from the key", kMainFormTexts, none, "InfoCaption", "Information"},
      {"English differing from the key", kConfigFormTexts, none, "Label26", "pixels"},
      {"Pixels: both preferences labels", kConfigFormTexts, de, "Label4", "Bildpunkte"},
      {"Pixels: both preferences labels", kConfigFormTexts, de, "Label26", "Bildpunkte"},
      {"Calculator: the hint", kToolBarTexts, de, "SpeedButtonCalcu.Hint", "Rechner"},
      {"Calculator: the hot-key label", kConfigFormTexts, de, "Label22", "Rechner"},
      {"Calculator: not the menu item", kMainFormTexts, de, "PMenuCalculator", "&Calculator"},
      {"Configure: the dialog title", kConfigFormTexts, de, "DialogTitle", "Mensor Einstellungen"},
      {"copy rows take the new texts", kConfigFormTexts, de, "Label15", "Wertfarbe"},
      {"copy rows take the new texts", kConfigFormTexts, de, "Label12", "Hintergrund"},
      {"Contact loses its blanks", kAboutFormTexts, de, "GroupBox1", "Kontakt"},
      {"one key for every window", kAboutFormTexts, de, "BitBtnClose", "&Beenden"},
      {"one key for every window", kMainFormTexts, de, "PMenuExit", "&Beenden"},
      {"one key for every window", kMainFormTexts, de, "HotKeyErrorText", "Fehler"},
      {"empty: a tool bar menu item too (rule B)", kToolBarTexts, blanks, "PMenuHideToolBar", ""},
      {"empty: a ruler menu item stays English", kMainFormTexts, blanks, "PMenuExit", "E&xit"},
      {"one key for every window", kConfigFormTexts, de, "RegisterHotKeyErrorText", "Fehler"},
      {"empty: the hint hidden (rule B)", kToolBarTexts, blanks, "SpeedButtonMagnifier.Hint", ""},
      {"empty: a group box stays English", kConfigFormTexts, blanks, "GroupBox1", "Moving by keyboard"},
      {"empty: rule B in the preferences", kConfigFormTexts, blanks, "LabelShowToolBar", ""},
      {"empty: a rule A label stays English", kConfigFormTexts, blanks, "Label5", "Hide/Show"},
      {"empty: Contact stays English", kAboutFormTexts, blanks, "GroupBox1", " Contact "},
  };
  for (const Case& c : cases) EXPECT_EQ(TextOf(c.table, c.pack, c.target), c.text) << c.why << ": " << c.target;
}

}  // namespace
}  // namespace mensor
