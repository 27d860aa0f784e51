// Language packs: parsing, the reading rules A and B, and resolving a
// window's table of texts.
#include "lang/language_pack.h"

#include "settings/app_settings.h"

namespace mensor {
namespace {

constexpr std::string_view kInfoSection = "Info";
constexpr std::string_view kNameKey = "Language";
constexpr std::string_view kStringSection = "String";
constexpr std::string_view kKeysSection = "Keys";
constexpr std::string_view kFolderName = "Languages";

std::string RowText(const TextRow& row, const LanguagePack& pack) {
  std::optional<std::string> value = pack.Find(kStringSection, row.key);
  if (!value) return std::string(row.english);
  if (row.rule == Rule::A && TrimBlanks(*value).empty()) return std::string(row.english);
  return std::string(row.prefix) + *value;
}

// Resolves every row, text_of giving the text of an ordinary row; copy rows
// take the text resolved for their source before them.
template <typename TextOf>
WindowTexts Resolve(TextTable table, TextOf text_of) {
  WindowTexts texts;
  texts.items.reserve(table.size());
  for (const TextRow& row : table) {
    std::string text;
    if (row.key.empty()) {
      const std::string* source = texts.Text(row.copy_of);
      text = source != nullptr ? *source : std::string(row.english);
    } else {
      text = text_of(row);
    }
    texts.items.push_back({row.target, std::move(text)});
  }
  return texts;
}

}  // namespace

LanguagePack LanguagePack::Parse(std::string_view bytes, const AnsiDecoder& decode_ansi) {
  LanguagePack pack;
  pack.ini_ = IniFile(DecodePackText(bytes, decode_ansi));
  return pack;
}

std::string LanguagePack::Name() const {
  const std::optional<std::string> name = Find(kInfoSection, kNameKey);
  return name ? std::string(TrimBlanks(*name)) : std::string();
}

std::optional<std::string> LanguagePack::Find(std::string_view section, std::string_view key) const {
  std::optional<std::string> value = ini_.Find(section, key, std::string::npos);
  if (value) value->resize(CutUtf8(*value, kMaxValueChars).size());
  return value;
}

const std::string* WindowTexts::Text(std::string_view target) const {
  for (const TargetText& item : items)
    if (item.target == target) return &item.text;
  return nullptr;
}

WindowTexts EnglishTexts(TextTable table) {
  WindowTexts texts;
  for (const TextRow& row : table) texts.items.push_back({row.target, std::string(row.english)});
  return texts;
}

WindowTexts PackTexts(TextTable table, const LanguagePack& pack) {
  WindowTexts texts = Resolve(table, [&](const TextRow& row) { return RowText(row, pack); });
  texts.english = false;
  // Rule A: a word given blank would leave a shortcut without its modifier.
  for (std::string_view word : ShortcutWords::EnglishWords()) {
    const std::optional<std::string> value = pack.Find(kKeysSection, word);
    if (value && !TrimBlanks(*value).empty()) texts.shortcut_words.Set(word, *value);
  }
  return texts;
}

std::string LanguagesFolder(const Platform& platform) {
  return platform.JoinPath(platform.ExeDir(), std::string(kFolderName));
}

std::optional<LanguagePack> ReadLanguagePack(const Platform& platform, const std::string& file_name) {
  if (file_name.empty()) return std::nullopt;
  const std::optional<std::string> bytes = platform.ReadFile(platform.JoinPath(LanguagesFolder(platform), file_name));
  if (!bytes) return std::nullopt;
  return LanguagePack::Parse(*bytes, [&](std::string_view text) { return platform.AnsiToUtf8(text); });
}

WindowTexts LanguageTexts(const Platform& platform, TextTable table, int index,
                          const std::string& file_name) {
  if (index < 0) return EnglishTexts(table);
  const std::optional<LanguagePack> pack = ReadLanguagePack(platform, file_name);
  if (!pack) return EnglishTexts(table);
  return PackTexts(table, *pack);
}

WindowTexts LanguageTexts(const Platform& platform, TextTable table, int index) {
  return LanguageTexts(platform, table, index, AppSettings.LanguageFileName);
}

}  // namespace mensor
