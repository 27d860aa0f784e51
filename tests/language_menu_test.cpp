// The ruler's language menu through the fake platform: the pack list and its
// entries, restoring the saved pack, choosing a language, and the texts of
// the menu and the messages.
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "app/main_form.h"
#include "fake_platform.h"
#include "lang/language.h"
#include "menu_text.h"
#include "settings/app_settings.h"

namespace mensor {
namespace {

using testing::FakePlatform;
using testing::FakeWindow;

constexpr const char* kIni = "/mensor/app.ini";
constexpr const char* kFolder = "/mensor/Languages";

std::string Pack(const std::string& name, const std::string& strings = "") {
  return "[Info]\r\nLanguage=" + name + "\r\n[String]\r\n" + strings;
}

class LanguageMenuTest : public ::testing::Test {
 protected:
  void SetUp() override {
    AppSettings = TAppSettings{};
    InfoCaption = "Information";
    LanguageIndex = -1;
    platform.screen = {1024, 768};
    window.on_close = [this] {
      form->FormClose();
      window.visible = false;
    };
  }

  void AddPack(const std::string& file, const std::string& content) {
    platform.files[std::string(kFolder) + "/" + file] = content;
  }

  // A fresh ruler window (a new start of the program) with this app.ini.
  TMainForm& Start(const std::string& ini = "") {
    if (!ini.empty()) platform.files[kIni] = ini;
    AppSettings = TAppSettings{};
    LanguageIndex = -1;
    form = std::make_unique<TMainForm>(platform, window);
    form->FormCreate();
    window.Show();
    form->FormShow();
    return *form;
  }

  // Closes the window and returns the value saved under Language/FileName.
  std::string SavedFileName() {
    window.Close();
    const std::string& ini = platform.files[kIni];
    const std::size_t at = ini.find("[Language]\r\nFileName=");
    if (at == std::string::npos) return "<none>";
    const std::size_t begin = at + std::string("[Language]\r\nFileName=").size();
    return ini.substr(begin, ini.find("\r\n", begin) - begin);
  }

  // The menu as a right click opens it (nothing chosen).
  const Menu& Opened() {
    form->ContextMenu({0, 0});
    return platform.shown_menus.back();
  }
  // The language submenu's entries after the separator: "caption/tag/*"
  // where * marks the checked one.
  std::vector<std::string> PackEntries() {
    std::vector<std::string> out;
    const MenuItem* language = testing::SubmenuOf(Opened().items, kCmdEnglish);
    for (std::size_t i = 2; i < language->items.size(); ++i) {
      const MenuItem& e = language->items[i];
      out.push_back(e.caption + "/" + std::to_string(e.tag) + (e.checked ? "*" : ""));
    }
    return out;
  }
  bool EnglishChecked() { return testing::FindCommand(Opened().items, kCmdEnglish)->checked; }
  std::string Caption(int id) { return testing::FindCommand(Opened().items, id)->caption; }
  // Chooses the language entry with this tag from the menu.
  void Choose(int tag) {
    form->ExecuteCommand(tag < 0 ? kCmdEnglish : kCmdLanguageFirst + tag);
  }

  FakePlatform platform;
  FakeWindow window;
  std::unique_ptr<TMainForm> form;
};

TEST_F(LanguageMenuTest, TemplateInCapitalsKeepsItsPlaceAndIsNotOffered) {
  AddPack("alpha.txt", Pack("Alpha"));
  AddPack("TEMPLATE.TXT", Pack("Template"));
  AddPack("zulu.txt", Pack("Zulu"));
  Start();
  EXPECT_EQ(form->FileListBoxLanguage, (std::vector<std::string>{"alpha.txt", "TEMPLATE.TXT", "zulu.txt"}));
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Alpha/0", "Zulu/2"}));
  const MenuItem* language = testing::SubmenuOf(Opened().items, kCmdEnglish);
  EXPECT_EQ(language->items[0].caption, "&English (Default)");
  EXPECT_EQ(language->items[1].kind, MenuKind::Separator);
  EXPECT_EQ(language->items[2].kind, MenuKind::Radio);
  EXPECT_TRUE(EnglishChecked());

  Choose(2);
  EXPECT_EQ(LanguageIndex, 2);
  EXPECT_EQ(AppSettings.LanguageFileName, "zulu.txt");
  EXPECT_EQ(SavedFileName(), "zulu.txt");

  Start();
  EXPECT_EQ(LanguageIndex, 2);
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Alpha/0", "Zulu/2*"}));
  EXPECT_FALSE(EnglishChecked());
}

TEST_F(LanguageMenuTest, PackListIsTxtFilesSortedWithoutRegardToCase) {
  AddPack("b.TXT", Pack("B"));
  AddPack("A.txt", Pack("A"));
  AddPack("c.ini", Pack("not a pack"));
  AddPack("sub/d.txt", Pack("in a subfolder"));
  platform.files["/mensor/e.txt"] = Pack("beside the program");
  Start();
  EXPECT_EQ(form->FileListBoxLanguage, (std::vector<std::string>{"A.txt", "b.TXT"}));
  EXPECT_EQ(platform.created_folders, (std::vector<std::string>{kFolder}));
}

TEST_F(LanguageMenuTest, PackWithoutNameKeepsItsPosition) {
  AddPack("a.txt", "[Info]\r\nAuthor=Nobody\r\n[String]\r\nE&xit=Quit\r\n");
  AddPack("b.txt", Pack("  Blank name around  "));
  AddPack("c.txt", Pack("   "));
  Start();
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Blank name around/1"}));
}

TEST_F(LanguageMenuTest, SavedNameDifferingInCaseIsFound) {
  AddPack("Deutsch.txt", Pack("Deutsch", "E&xit=&Beenden\r\n"));
  Start("[Language]\r\nFileName=DEUTSCH.TXT\r\n");
  EXPECT_EQ(LanguageIndex, 0);
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Deutsch/0*"}));
  EXPECT_EQ(Caption(kCmdExit), "&Beenden");
  EXPECT_EQ(SavedFileName(), "DEUTSCH.TXT") << "the saved name is left as it is";
}

TEST_F(LanguageMenuTest, MissingSavedPackGivesEnglishAndKeepsTheName) {
  AddPack("other.txt", Pack("Other", "E&xit=Quit\r\n"));
  Start("[Language]\r\nFileName=gone.txt\r\n");
  EXPECT_EQ(LanguageIndex, -1);
  EXPECT_TRUE(EnglishChecked());
  EXPECT_EQ(Caption(kCmdExit), "E&xit");
  EXPECT_TRUE(platform.infos.empty());
  EXPECT_EQ(SavedFileName(), "gone.txt");
}

TEST_F(LanguageMenuTest, MenuOpensInThePacksWordsWithItsEntryChecked) {
  AddPack("a.txt", Pack("Alpha"));
  AddPack("de.txt", Pack("Deutsch",
                         "H&ide=&Verbergen\r\nAlways On &Top=Immer &oben\r\n&Units=&Einheiten\r\n"
                         "&Pixels=&Bildpunkte\r\nShow T&oolBar=&Werkzeugleiste\r\nE&xit=&Beenden\r\n"));
  Start("[System]\r\nWindowOnTop=1\r\n[Current]\r\nTransparence=0\r\n[HotKey]\r\nAlwaysTop=16468\r\n"
        "[Language]\r\nFileName=de.txt\r\n");
  EXPECT_EQ(testing::MenuText(Opened()),
            "    &About...\n"
            "    &Help  F1\n"
            "----\n"
            "    &Verbergen\n"
            "[x] Immer &oben  Ctrl+T\n"
            "    Tra&nsparent\n"
            "    &Einheiten >\n"
            "  (o) &Bildpunkte\n"
            "      &CM\n"
            "      &Inches\n"
            "      Scal&ed Pixels\n"
            "  ----\n"
            "      Cu&stom\n"
            "  ----\n"
            "      &True Size\n"
            "      C&alibrate...\n"
            "----\n"
            "    &Rotate\n"
            "    Hori&zontal\n"
            "    &Vertical\n"
            "    &Fit Screen As Horizontal\n"
            "    Fit &Screen As Vertical\n"
            "----\n"
            "    Snap to &Edges\n"
            "    Measure &Gap  G\n"
            "----\n"
            "    Show Scale &Line\n"
            "[x] &Werkzeugleiste\n"
            "----\n"
            "    &Calculator\n"
            "----\n"
            "    &Preferences...\n"
            "    &Language >\n"
            "      &English (Default)\n"
            "  ----\n"
            "      Alpha\n"
            "  (o) Deutsch\n"
            "----\n"
            "    &Beenden\n");
}

// A shipped pack as it lies beside mensor.exe.
std::string ShippedPack(const std::string& file) {
  std::ifstream in(std::string(MENSOR_PACKS_DIR) + "/" + file, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Every shortcut of the ruler's menu set, with a key that has a name.
constexpr const char* kShortcutsIni =
    "[System]\r\nHotKey=49234\r\n[HotKey]\r\nAlwaysTop=16468\r\nTranser=24608\r\nCircum=32805\r\n"
    "Leval=8225\r\nPlumb=8226\r\nShowScaleLine=16430\r\nShowToolBar=16485\r\nCalculator=49165\r\n";

TEST_F(LanguageMenuTest, MenuOfTheGermanPackShowsItsShortcutsInGermanWords) {
  AddPack("Deutsch.txt", ShippedPack("Deutsch.txt"));
  Start(std::string(kShortcutsIni) + "[Language]\r\nFileName=Deutsch.txt\r\n");
  EXPECT_EQ(testing::MenuText(Opened()),
            "    &Info...\n"
            "    Hil&fe  F1\n"
            "----\n"
            "    &Ausblenden  Strg+Alt+R\n"
            "    Immer im &Vordergrund  Strg+T\n"
            "[x] &Transparent  Strg+Umschalt+Leertaste\n"
            "    &Ma\xC3\x9F" "einheit >\n"
            "  (o) &Pixel\n"
            "      &Zentimeter\n"
            "      Z&oll\n"
            "      &Skalierte Pixel\n"
            "  ----\n"
            "      &Benutzerdefiniert\n"
            "  ----\n"
            "      &Echte Gr\xC3\xB6\xC3\x9F" "e\n"
            "      &Kalibrieren...\n"
            "----\n"
            "    &Drehen  Alt+Links\n"
            "    &Waagerecht  Umschalt+Bild auf\n"
            "    &Senkrecht  Umschalt+Bild ab\n"
            "    &Ganze Breite\n"
            "    Ganze &H\xC3\xB6he\n"
            "----\n"
            "    An Kanten a&usrichten\n"
            "    L\xC3\xBC&cke messen  G\n"
            "----\n"
            "    Skalenlinie &zeigen  Strg+Entf\n"
            "[x] Wer&kzeugleiste zeigen  Strg+Num 5\n"
            "----\n"
            "    &Rechner  Strg+Alt+Eingabe\n"
            "----\n"
            "    Ei&nstellungen...\n"
            "    &Language >\n"
            "      &English (Default)\n"
            "  ----\n"
            "  (o) Deutsch\n"
            "----\n"
            "    &Beenden\n");
}

TEST_F(LanguageMenuTest, ShortcutsOfEachShippedPackAndBackInEnglish) {
  struct Case {
    const char* pack;  // empty: English again after the pack
    const char* on_top;
    const char* transparent;
    const char* rotate;
    const char* tool_bar;
  };
  const Case cases[] = {
      {"Francais.txt", "Ctrl+T", "Ctrl+Maj+Espace", "Alt+Gauche", "Ctrl+Num 5"},
      {"Russian.txt", "Ctrl+T", "Ctrl+Shift+\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB5\xD0\xBB",
       "Alt+\xD0\x92\xD0\xBB\xD0\xB5\xD0\xB2\xD0\xBE", "Ctrl+Num 5"},
      {"", "Ctrl+T", "Ctrl+Shift+Space", "Alt+Left", "Ctrl+Num 5"},
  };
  for (const Case& c : cases) {
    AddPack("Francais.txt", ShippedPack("Francais.txt"));
    AddPack("Russian.txt", ShippedPack("Russian.txt"));
    Start(std::string(kShortcutsIni) + "[Language]\r\nFileName=Russian.txt\r\n");
    if (*c.pack != 0) {
      Choose(std::string(c.pack) == "Francais.txt" ? 0 : 1);
    } else {
      Choose(-1);
    }
    const std::vector<MenuItem>& items = Opened().items;
    EXPECT_EQ(testing::FindCommand(items, kCmdOnTop)->shortcut_text, c.on_top) << c.pack;
    EXPECT_EQ(testing::FindCommand(items, kCmdTranser)->shortcut_text, c.transparent) << c.pack;
    EXPECT_EQ(testing::FindCommand(items, kCmdCircum)->shortcut_text, c.rotate) << c.pack;
    EXPECT_EQ(testing::FindCommand(items, kCmdToolBar)->shortcut_text, c.tool_bar) << c.pack;
    EXPECT_EQ(testing::FindCommand(items, kCmdHelp)->shortcut_text, "F1") << c.pack;
  }
}

TEST_F(LanguageMenuTest, APackWithoutKeysShowsEnglishShortcuts) {
  AddPack("de.txt", Pack("Deutsch", "Always On &Top=Immer &oben\r\n"));
  Start(std::string(kShortcutsIni) + "[Language]\r\nFileName=de.txt\r\n");
  const std::string menu = testing::MenuText(Opened());
  EXPECT_NE(menu.find("\n    Immer &oben  Ctrl+T\n"), std::string::npos) << menu;
  EXPECT_NE(menu.find("\n[x] Tra&nsparent  Ctrl+Shift+Space\n"), std::string::npos) << menu;
}

TEST_F(LanguageMenuTest, MenuCaptionsAndMessagesTakeThePackByRuleA) {
  AddPack("de.txt", Pack("Deutsch",
                         "&About...=\xDC&ber...\r\n"
                         "E&xit=   \r\n"  // blank: English
                         "&pixels=&Bildpunkte\r\n"  // keys compare without regard to case
                         "Calculator=Rechner\r\n"   // not the menu's "&Calculator"
                         "Fail to find Calculator in Windows=Kein Rechner\r\n"
                         "Information=Hinweis\r\n"));
  Start();
  Choose(0);
  EXPECT_EQ(Caption(kCmdAbout), "\xC3\x9C&ber...") << "Windows-1252 becomes UTF-8";
  EXPECT_EQ(Caption(kCmdExit), "E&xit");
  EXPECT_EQ(Caption(kCmdPixels), "&Bildpunkte");
  EXPECT_EQ(Caption(kCmdCalculator), "&Calculator");
  EXPECT_EQ(Caption(kCmdHide), "H&ide");
  EXPECT_EQ(testing::SubmenuOf(Opened().items, kCmdEnglish)->caption, "&Language");
  EXPECT_EQ(Caption(kCmdEnglish), "&English (Default)");

  platform.program_starts = false;
  form->PMenuCalculatorClick();
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0], "Kein Rechner");
  EXPECT_EQ(platform.info_captions[0], "Hinweis");
}

TEST_F(LanguageMenuTest, HotKeyFailureAtStartUpIsToldInThePacksWords) {
  AddPack("de.txt", Pack("Deutsch", "Fail to register hot key=Tastenk\xFCrzel belegt\r\nInformation=Hinweis\r\n"));
  platform.hotkey_succeeds = false;
  Start("[System]\r\nHotKey=24641\r\n[Language]\r\nFileName=de.txt\r\n");
  ASSERT_EQ(platform.infos.size(), 1u);
  EXPECT_EQ(platform.infos[0], "Tastenk\xC3\xBCrzel belegt");
  EXPECT_EQ(platform.info_captions[0], "Hinweis");
}

TEST_F(LanguageMenuTest, SwitchingWhileHiddenKeepsTheShowText) {
  AddPack("de.txt", Pack("Deutsch", "H&ide=&Verbergen\r\nSh&ow=&Zeigen\r\n"));
  AddPack("fr.txt", Pack("Fran\xE7" "ais", "H&ide=&Masquer\r\nSh&ow=&Afficher\r\n"));
  Start();
  Choose(0);
  EXPECT_EQ(Caption(kCmdHide), "&Verbergen");
  form->PMenuHideClick();
  EXPECT_FALSE(window.visible);
  EXPECT_EQ(Caption(kCmdHide), "&Zeigen");
  Choose(1);
  EXPECT_EQ(Caption(kCmdHide), "&Afficher");
  Choose(-1);
  EXPECT_EQ(Caption(kCmdHide), "Sh&ow");
  Choose(1);
  form->PMenuHideClick();
  EXPECT_TRUE(window.visible);
  EXPECT_EQ(Caption(kCmdHide), "&Masquer");
}

TEST_F(LanguageMenuTest, SameTextForHideAndShowStillShowsTheHiddenRuler) {
  AddPack("x.txt", Pack("Same", "H&ide=&Toggle\r\nSh&ow=&Toggle\r\n"));
  Start("[Language]\r\nFileName=x.txt\r\n");
  for (int round = 0; round < 2; ++round) {
    form->HotKeyPressed(kHideHotKeyId);
    EXPECT_FALSE(window.visible) << round;
    form->PMenuHideClick();
    EXPECT_TRUE(window.visible) << round;
    form->NotifyIconMessage(515);
    EXPECT_FALSE(window.visible) << round;
    form->NotifyIconMessage(515);
    EXPECT_TRUE(window.visible) << round;
  }
  EXPECT_EQ(Caption(kCmdHide), "&Toggle");
}

TEST_F(LanguageMenuTest, BackToEnglishClearsTheSavedName) {
  AddPack("de.txt", Pack("Deutsch", "E&xit=&Beenden\r\nInformation=Hinweis\r\n"));
  Start("[Language]\r\nFileName=de.txt\r\n");
  EXPECT_EQ(Caption(kCmdExit), "&Beenden");
  EXPECT_EQ(InfoCaption, "Hinweis");
  Choose(-1);
  EXPECT_EQ(LanguageIndex, -1);
  EXPECT_TRUE(EnglishChecked());
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Deutsch/0"}));
  EXPECT_EQ(Caption(kCmdExit), "E&xit");
  EXPECT_EQ(InfoCaption, "Information");
  EXPECT_EQ(SavedFileName(), "");
}

TEST_F(LanguageMenuTest, TwoPacksWithTheSameNameEachSelectTheirOwnFile) {
  AddPack("one.txt", Pack("Deutsch", "E&xit=Eins\r\n"));
  AddPack("two.txt", Pack("Deutsch", "E&xit=Zwei\r\n"));
  Start();
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Deutsch/0", "Deutsch/1"}));
  Choose(1);
  EXPECT_EQ(Caption(kCmdExit), "Zwei");
  EXPECT_EQ(AppSettings.LanguageFileName, "two.txt");
  Choose(0);
  EXPECT_EQ(Caption(kCmdExit), "Eins");
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Deutsch/0*", "Deutsch/1"}));
}

TEST_F(LanguageMenuTest, PackDeletedAfterStartUpGivesEnglishWithoutAMessage) {
  AddPack("de.txt", Pack("Deutsch", "E&xit=&Beenden\r\n"));
  Start();
  platform.files.erase(std::string(kFolder) + "/de.txt");
  Choose(0);
  EXPECT_EQ(Caption(kCmdExit), "E&xit");
  EXPECT_TRUE(EnglishChecked());
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Deutsch/0"}));
  EXPECT_EQ(LanguageIndex, 0) << "index and saved name are kept";
  EXPECT_EQ(AppSettings.LanguageFileName, "de.txt");
  EXPECT_TRUE(platform.infos.empty());
}

TEST_F(LanguageMenuTest, ThePackIsReadAgainAtEveryChoice) {
  AddPack("de.txt", Pack("Deutsch", "E&xit=&Beenden\r\n"));
  Start();
  Choose(0);
  AddPack("de.txt", Pack("Deutsch", "E&xit=&Schlie\xDF" "en\r\n"));
  Choose(0);
  EXPECT_EQ(Caption(kCmdExit), "&Schlie\xC3\x9F" "en");
}

TEST_F(LanguageMenuTest, Utf8PackWithMarkShowsItsScript) {
  AddPack("ru.txt", "\xEF\xBB\xBF[Info]\r\nLanguage=\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9\r\n"
                    "[String]\r\nE&xit=&\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4\r\n");
  Start();
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9/0"}));
  Choose(0);
  EXPECT_EQ(Caption(kCmdExit), "&\xD0\x92\xD1\x8B\xD1\x85\xD0\xBE\xD0\xB4");
}

TEST_F(LanguageMenuTest, BigAndJunkPacksDoNotHarmTheMenu) {
  std::string big = Pack("Big");
  while (big.size() < (1u << 20)) big += "Key " + std::to_string(big.size()) + "=Value\r\n";
  big += "E&xit=&Quit\r\n";
  AddPack("big.txt", big);
  std::string junk(200000, '\0');
  for (std::size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 7919u) >> 3);
  AddPack("junk.txt", junk);
  Start();
  EXPECT_EQ(PackEntries(), (std::vector<std::string>{"Big/0"}));
  Choose(0);
  EXPECT_EQ(Caption(kCmdExit), "&Quit");
  Start("[Language]\r\nFileName=junk.txt\r\n");
  EXPECT_EQ(LanguageIndex, 1);
  EXPECT_EQ(Caption(kCmdExit), "E&xit");
}

TEST_F(LanguageMenuTest, ToolBarTakesTheLanguageOnlyWhileShown) {
  AddPack("de.txt", Pack("Deutsch"));
  Start("[ToolBar]\r\nShow=1\r\n");
  std::vector<int> calls;
  form->ToolBarSetLanguage = [&](int index) { calls.push_back(index); };
  Choose(0);
  form->ExecuteCommand(kCmdToolBar);
  ASSERT_FALSE(form->ToolBarShown());
  Choose(-1);
  EXPECT_EQ(calls, (std::vector<int>{0}));
}

}  // namespace
}  // namespace mensor
