// Language packs and the one mechanism that puts their texts on every window.
//
// HOW A WINDOW USES IT
//   A window with translatable texts has a table of rows (kConfigFormTexts and
//   kAboutFormTexts in lang/text_tables.h; kMainFormTexts and kToolBarTexts
//   follow from the ruler's and the tool bar's command tables). Each
//   row names a key of the pack's "String" section, a target (the window's
//   own name for a control or a variable, e.g. "LabelInfo",
//   "SpeedButtonMagnifier.Hint", "RadioGroupStaffSize.Items[0]",
//   "DialogTitle"), the reading rule and the English text. The window maps
//   targets to its controls and does no reading itself:
//
//     void TFormToolBar::SetLanguage(int index) {
//       Apply(LanguageTexts(platform, kToolBarTexts, index));
//     }
//     void TFormToolBar::SetDefaultLanguage() { Apply(EnglishTexts(kToolBarTexts)); }
//     void TFormToolBar::Apply(const WindowTexts& texts) {
//       for (const TargetText& t : texts.items) {
//         if (t.target == "LabelInfo") SetCaption(LabelInfo, t.text);
//         else if ...
//       }
//       // or look single targets up: texts.Text("LabelInfo")
//     }
//
//   Show handlers call SetLanguage(LanguageIndex) (lang/language.h).
//   LanguageTexts reads the pack file named by AppSettings.LanguageFileName
//   again at every call; index -1, or a pack file that is gone, gives the
//   English texts (WindowTexts::english is then true). The items come in the
//   table's order, one per row.
//
// PACK FILES
//   INI text in ExeDir\Languages: section "Info", key "Language" = the name
//   shown in the language menu; section "String": English text = translation.
//   Section "Keys": the words of shortcut texts by their English text
//   ("Ctrl+=Strg+", "Space=Leertaste", "None=Keine"; ui/shortcut_text.h),
//   rule A, in every window's WindowTexts::shortcut_words.
//   Reading rules: section and key names compare without regard to case; the
//   key is the text before the first "=", the value the text after it; blanks
//   around both are dropped; one pair of enclosing double or single quotes is
//   removed; at most 2047 characters of a value are taken. Encodings: see
//   text/text_encoding.h (ANSI code page, UTF-8 with or without byte-order
//   mark, UTF-16 with byte-order mark).
//   Rule A (blank means English): a missing key or one whose value is blank
//   gives the English text. Rule B (present means used): a missing key gives
//   the English text, a present one its value, even an empty one.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/text_encoding.h"
#include "text/ini_file.h"
#include "ui/platform.h"
#include "ui/shortcut_text.h"

namespace mensor {

// A pack file parsed into memory. Any bytes are accepted.
class LanguagePack {
 public:
  // The longest value taken from a pack, in characters.
  static constexpr std::size_t kMaxValueChars = 2047;

  LanguagePack() = default;
  // bytes is the whole file as read. Text without a byte-order mark that is
  // not UTF-8 goes through decode_ansi (the platform's ANSI code page);
  // without a decoder it is taken as Windows-1252.
  static LanguagePack Parse(std::string_view bytes, const AnsiDecoder& decode_ansi = {});

  // The pack's name for the language menu: "Info" / "Language" with blanks
  // removed; empty when the pack is not to be offered.
  std::string Name() const;
  // The value of key in section by the reading rules, UTF-8; nothing when
  // the section or the key is missing.
  std::optional<std::string> Find(std::string_view section, std::string_view key) const;

 private:
  IniFile ini_;
};

// How a row takes its value from the pack.
enum class Rule {
  A,  // blank means English
  B,  // present means used
};

struct TextRow {
  std::string_view key;      // key in section "String"; empty for a copy row
  std::string_view target;   // the window's name for where the text goes
  Rule rule = Rule::A;
  std::string_view english;  // the text without a pack (and when rule A finds none)
  std::string_view prefix = {};   // put before a value taken from the pack
  std::string_view copy_of = {};  // copy row: takes the text just resolved for this target
};

using TextTable = std::span<const TextRow>;

struct TargetText {
  std::string_view target;
  std::string text;  // UTF-8, '&' marks an accelerator letter as in the English text
};

struct WindowTexts {
  // True when these are the English texts: index -1, or the pack's file is
  // gone. The ruler window then checks "&English (Default)".
  bool english = true;
  std::vector<TargetText> items;  // one per row, in the table's order
  // The words of shortcut texts: the pack's, English for each it lacks.
  ShortcutWords shortcut_words;

  // The text of the first row with this target, or null.
  const std::string* Text(std::string_view target) const;
};

// Every row's English text.
WindowTexts EnglishTexts(TextTable table);
// Every row's text taken from pack by the row's rule.
WindowTexts PackTexts(TextTable table, const LanguagePack& pack);

// ExeDir\Languages.
std::string LanguagesFolder(const Platform& platform);
// The pack file_name in the languages folder, read and parsed now; nothing
// when it cannot be read.
std::optional<LanguagePack> ReadLanguagePack(const Platform& platform, const std::string& file_name);

// The texts of language index for a window: -1 gives English; otherwise the
// pack file file_name is read again now, and a file that cannot be read gives
// English.
WindowTexts LanguageTexts(const Platform& platform, TextTable table, int index,
                          const std::string& file_name);
// The same with the current pack's file name, AppSettings.LanguageFileName
// (the tool bar, the preferences dialog and the about box use this).
WindowTexts LanguageTexts(const Platform& platform, TextTable table, int index);

}  // namespace mensor
