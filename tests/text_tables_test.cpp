// The four windows' text tables, checked at the table level: the tool bar,
// the preferences dialog and the about box take exactly these texts.
#include "lang/text_tables.h"

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

TEST(TextTables, SizesRulesAndUniqueTargets) {
  struct Expect {
    const char* name;
    TextTable table;
    std::size_t rows;
    std::size_t rule_b;
  };
  const Expect tables[] = {
      {"ruler", kMainFormTexts, 25, 0},
      {"tool bar", kToolBarTexts, 5, 5},
      {"preferences", kConfigFormTexts, 51, 1},
      {"about", kAboutFormTexts, 4, 0},
  };
  for (const Expect& e : tables) {
    EXPECT_EQ(e.table.size(), e.rows) << e.name;
    std::size_t rule_b = 0;
    std::set<std::string_view> targets;
    for (const TextRow& row : e.table) {
      rule_b += row.rule == Rule::B;
      EXPECT_TRUE(targets.insert(row.target).second) << e.name << ": " << row.target;
      EXPECT_FALSE(row.english.empty()) << e.name << ": " << row.target;
    }
    EXPECT_EQ(rule_b, e.rule_b) << e.name;
  }
}

TEST(TextTables, EnglishTextsDifferingFromTheKey) {
  EXPECT_EQ(*EnglishTexts(kConfigFormTexts).Text("GroupBox2"), "  Mensor Color  ");
  EXPECT_EQ(*EnglishTexts(kConfigFormTexts).Text("DialogTitle"), "Mensor Configure");
  EXPECT_EQ(*EnglishTexts(kConfigFormTexts).Text("Label15"), "Value Color");
  EXPECT_EQ(*EnglishTexts(kConfigFormTexts).Text("Label12"), "Background Color");
  EXPECT_EQ(*EnglishTexts(kAboutFormTexts).Text("GroupBox1"), " Contact ");
  EXPECT_EQ(*EnglishTexts(kMainFormTexts).Text("InfoCaption"), "Information");
}

TEST(TextTables, PixelsTranslatesBothPreferencesLabels) {
  EXPECT_EQ(TextOf(kConfigFormTexts, "Pixels=Bildpunkte\n", "Label4"), "Bildpunkte");
  EXPECT_EQ(TextOf(kConfigFormTexts, "Pixels=Bildpunkte\n", "Label26"), "Bildpunkte");
  EXPECT_EQ(TextOf(kConfigFormTexts, "", "Label26"), "pixels");
}

TEST(TextTables, CalculatorWithoutAmpersandIsNotTheMenuItem) {
  const std::string pack = "Calculator=Rechner\n";
  EXPECT_EQ(TextOf(kToolBarTexts, pack, "SpeedButtonCalcu.Hint"), "Rechner");
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "Label22"), "Rechner");
  EXPECT_EQ(TextOf(kMainFormTexts, pack, "PMenuCalculator"), "&Calculator");
}

TEST(TextTables, EmptyMagnifierHidesTheHintEmptyGroupBoxStaysEnglish) {
  const std::string pack = "Magnifier=\nMoving by keyboard=\nShow ToolBar=\nHide/Show=\n";
  EXPECT_EQ(TextOf(kToolBarTexts, pack, "SpeedButtonMagnifier.Hint"), "");
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "GroupBox1"), "Moving by keyboard");
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "LabelShowToolBar"), "") << "rule B in the preferences";
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "Label5"), "Hide/Show");
}

TEST(TextTables, ConfigureGivesTheDialogTitle) {
  EXPECT_EQ(TextOf(kConfigFormTexts, "Configure=Einstellungen\n", "DialogTitle"), "Mensor Einstellungen");
  EXPECT_EQ(TextOf(kConfigFormTexts, "", "DialogTitle"), "Mensor Configure");
}

TEST(TextTables, CopyRowsTakeTheNewTextsOfLabel6AndLabel2) {
  const std::string pack = "Value Color=Wertfarbe\nBackground Color=Hintergrund\n";
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "Label15"), "Wertfarbe");
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "Label12"), "Hintergrund");
}

TEST(TextTables, ContactLosesTheBlanksOfItsEnglishText) {
  EXPECT_EQ(TextOf(kAboutFormTexts, "Contact=Kontakt\n", "GroupBox1"), "Kontakt");
  EXPECT_EQ(TextOf(kAboutFormTexts, "Contact=\n", "GroupBox1"), " Contact ");
  EXPECT_EQ(TextOf(kAboutFormTexts, "E&xit=&Beenden\n", "BitBtnClose"), "&Beenden");
}

TEST(TextTables, OneKeyGivesEveryWindowTheSameTranslation) {
  const std::string pack = "Fail to register hot key=Fehler\nE&xit=&Beenden\n";
  EXPECT_EQ(TextOf(kMainFormTexts, pack, "HotKeyErrorText"), "Fehler");
  EXPECT_EQ(TextOf(kConfigFormTexts, pack, "RegisterHotKeyErrorText"), "Fehler");
  EXPECT_EQ(TextOf(kMainFormTexts, pack, "PMenuExit"), "&Beenden");
}

}  // namespace
}  // namespace mensor
