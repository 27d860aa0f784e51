// TMainForm: language packs. The pack list and the entries of the language
// menu, restoring the saved choice at start-up, choosing a language, and
// putting the texts of a pack on the menu and the messages.
#include <algorithm>

#include "app/main_form.h"
#include "lang/language.h"
#include "text/ini_file.h"

namespace mensor {
namespace {

constexpr std::string_view kPackSuffix = ".txt";
constexpr std::string_view kTemplateName = "template.txt";
// Menu command ids are 16-bit on Win32.
constexpr int kLastCommandId = 0xFFFF;

std::string LowerCase(std::string_view s) {
  std::string out(s);
  std::transform(out.begin(), out.end(), out.begin(), LowerAscii);
  return out;
}

// File names compare without regard to case, as on Windows' file systems
// (for ASCII letters; other letters compare as they are).
bool SameFileName(std::string_view a, std::string_view b) { return SameNameIgnoringAsciiCase(a, b); }

bool IsPackFileName(std::string_view name) {
  return name.size() >= kPackSuffix.size() &&
         SameFileName(name.substr(name.size() - kPackSuffix.size()), kPackSuffix);
}

bool IsTemplate(std::string_view name) {
  while (!name.empty() && name.front() == ' ') name.remove_prefix(1);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  return SameFileName(name, kTemplateName);
}

}  // namespace

void TMainForm::LoadLanguagePackage() {
  const std::string folder = LanguagesFolder(platform);
  platform.CreateFolder(folder);

  FileListBoxLanguage.clear();
  for (std::string& name : platform.ListFiles(folder))
    if (IsPackFileName(name)) FileListBoxLanguage.push_back(std::move(name));
  // Without regard to case; names equal but for case keep a fixed order.
  std::sort(FileListBoxLanguage.begin(), FileListBoxLanguage.end(),
            [](const std::string& a, const std::string& b) {
              const std::string la = LowerCase(a);
              const std::string lb = LowerCase(b);
              return la != lb ? la < lb : a < b;
            });

  language_entries_.clear();
  for (std::size_t i = 0; i < FileListBoxLanguage.size(); ++i) {
    const int id = kCmdLanguageFirst + static_cast<int>(i);
    if (id > kLastCommandId) break;
    if (IsTemplate(FileListBoxLanguage[i])) continue;
    const std::optional<LanguagePack> pack = ReadLanguagePack(platform, FileListBoxLanguage[i]);
    if (!pack) continue;
    std::string name = pack->Name();
    if (name.empty()) continue;
    language_entries_.push_back({id, static_cast<int>(i), std::move(name)});
  }
}

void TMainForm::AddLanguageEntries(std::vector<MenuItem>& items) const {
  for (const LanguageEntry& entry : language_entries_) {
    MenuItem item;
    item.id = entry.id;
    item.name = "PMenuLanguage" + std::to_string(entry.index);
    item.caption = entry.caption;
    item.kind = MenuKind::Radio;
    item.checked = entry.index == checked_language_;
    item.tag = entry.index;
    items.push_back(std::move(item));
  }
}

void TMainForm::RestoreLanguage() {
  LanguageIndex = -1;
  if (!AppSettings.LanguageFileName.empty()) {
    const auto found = std::find_if(FileListBoxLanguage.begin(), FileListBoxLanguage.end(),
                                    [](const std::string& name) {
                                      return SameFileName(name, AppSettings.LanguageFileName);
                                    });
    if (found != FileListBoxLanguage.end())
      LanguageIndex = static_cast<int>(found - FileListBoxLanguage.begin());
  }
  // A saved pack that is no longer there gives English; its name stays in
  // the settings, so the pack comes back once its file does.
  checked_language_ = LanguageIndex;
  SetLanguage(LanguageIndex);
}

void TMainForm::LanguageMenuClick(int id) {
  int tag = -1;
  if (id != kCmdEnglish) {
    const auto entry = std::find_if(language_entries_.begin(), language_entries_.end(),
                                    [id](const LanguageEntry& e) { return e.id == id; });
    if (entry == language_entries_.end()) return;
    tag = entry->index;
  }
  checked_language_ = tag;
  LanguageIndex = tag;
  AppSettings.LanguageFileName = tag < 0 ? std::string() : FileListBoxLanguage[static_cast<std::size_t>(tag)];
  SetLanguage(LanguageIndex);
  // A hidden tool bar takes the language when it is next shown.
  if (tool_bar_shown_ && ToolBarSetLanguage) ToolBarSetLanguage(LanguageIndex);
  if (TCalibrateForm* calibration = CalibrationForm()) calibration->SetLanguage(LanguageIndex);
}

void TMainForm::SetLanguage(int index) {
  const bool known = index >= 0 && static_cast<std::size_t>(index) < FileListBoxLanguage.size();
  const WindowTexts texts =
      LanguageTexts(platform, kMainFormTexts, known ? index : -1,
                    known ? FileListBoxLanguage[static_cast<std::size_t>(index)] : std::string());
  if (texts.english) {
    // Index -1, or the pack's file is gone: English, without a message.
    // LanguageIndex and the saved name stay as they are.
    SetDefaultLanguage();
    return;
  }
  ApplyLanguageTexts(texts);
}

void TMainForm::SetDefaultLanguage() {
  ApplyLanguageTexts(EnglishTexts(kMainFormTexts));
  checked_language_ = -1;
}

void TMainForm::ApplyLanguageTexts(const WindowTexts& texts) {
  shortcut_words_ = texts.shortcut_words;
  for (const TargetText& t : texts.items) {
    if (t.target == "HideCaption") {
      HideCaption = t.text;
    } else if (t.target == "ShowCaption") {
      ShowCaption = t.text;
    } else if (t.target == "CalculatorErrorText") {
      CalculatorErrorText = t.text;
    } else if (t.target == "HotKeyErrorText") {
      HotKeyErrorText = t.text;
    } else if (t.target == "NoGapText") {
      NoGapText = t.text;
    } else if (t.target == "CopyFailedText") {
      CopyFailedText = t.text;
    } else if (t.target == "InfoCaption") {
      InfoCaption = t.text;
    } else {
      SetCommandCaption(kRulerCommands, captions_, t.target, t.text);
    }
  }
}

}  // namespace mensor
