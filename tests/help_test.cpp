// The help pages against the program itself: every caption of the ruler's
// menu (and, when the language template is there, every text of every
// window) is mentioned, and every entry of the settings table is documented
// in its section with the default a first save writes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fake_platform.h"
#include "settings/settings_table.h"

namespace mensor {
namespace {

namespace fs = std::filesystem;

const fs::path kSourceDir = MENSOR_SOURCE_DIR;
const fs::path kHelpDir = kSourceDir / "docs" / "help";

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

// Runs of blanks, tabs and line breaks become one blank.
std::string CollapseBlanks(const std::string& text) {
  std::string out;
  bool blank = false;
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
      blank = true;
      continue;
    }
    if (blank && !out.empty()) out += ' ';
    blank = false;
    out += c;
  }
  return out;
}

// What a reader sees of a page: tags removed, the entities the pages use
// decoded, blanks collapsed.
std::string VisibleText(const std::string& html) {
  std::string text = std::regex_replace(html, std::regex("<[^>]*>"), " ");
  const std::pair<const char*, const char*> entities[] = {
      {"&nbsp;", " "}, {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&times;", "x"}, {"&amp;", "&"}};
  for (const auto& [entity, plain] : entities) {
    for (size_t at = text.find(entity); at != std::string::npos; at = text.find(entity, at + 1))
      text.replace(at, std::string(entity).size(), plain);
  }
  return CollapseBlanks(text);
}

// The visible text of all pages together.
const std::string& AllHelpText() {
  static const std::string text = [] {
    std::string all;
    for (const auto& entry : fs::directory_iterator(kHelpDir))
      if (entry.path().extension() == ".html") all += VisibleText(ReadText(entry.path())) + " | ";
    return all;
  }();
  return text;
}

// A caption as the user reads it: without the '&' that marks the
// accelerator letter.
std::string WithoutAccelerator(const std::string& caption) {
  std::string out;
  for (char c : caption)
    if (c != '&') out += c;
  return CollapseBlanks(out);
}

void CollectCaptions(const std::vector<MenuItem>& items, std::vector<std::string>& captions) {
  for (const MenuItem& item : items) {
    if (item.kind == MenuKind::Separator || !item.visible) continue;
    captions.push_back(item.caption);
    CollectCaptions(item.items, captions);
  }
}

TEST(HelpTest, EveryCaptionOfTheRulerMenuIsMentioned) {
  testing::FakePlatform platform;
  testing::FakeWindow window;
  TMainForm form{platform, window};
  std::vector<std::string> captions;
  CollectCaptions(form.PopupMenu().items, captions);
  captions.push_back(form.ShowCaption);  // the Hide item while the ruler is hidden
  ASSERT_GE(captions.size(), 20u) << "the menu model lists the ruler's commands";
  for (const std::string& caption : captions)
    EXPECT_NE(AllHelpText().find(WithoutAccelerator(caption)), std::string::npos)
        << "the help never mentions the menu item \"" << WithoutAccelerator(caption) << "\"";
}

// The keys of sections [String] and [Keys] of the language template: every
// text that any window shows and a pack can replace, and the words of
// shortcuts.
std::vector<std::string> TemplateKeys(const fs::path& path) {
  std::vector<std::string> keys;
  std::istringstream in(ReadText(path));
  std::string line;
  bool strings = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      strings = line.rfind("[String]", 0) == 0 || line.rfind("[Keys]", 0) == 0;
      continue;
    }
    size_t eq = line.find('=');
    if (strings && eq != std::string::npos && eq > 0 && line[0] != ';') keys.push_back(line.substr(0, eq));
  }
  return keys;
}

TEST(HelpTest, EveryTextOfTheLanguageTemplateIsMentioned) {
  const fs::path path = kSourceDir / "src" / "lang" / "packs" / "template.txt";
  if (!fs::exists(path)) GTEST_SKIP() << "no language template in this tree yet";
  // Texts a user never reads as such: the hidden menu item, and the word the
  // preferences title is made of ("Mensor Configure" is in the help).
  const std::vector<std::string> unread = {"&DrawLine", "Configure"};
  for (const std::string& key : TemplateKeys(path)) {
    if (std::find(unread.begin(), unread.end(), key) != unread.end()) continue;
    std::string text = WithoutAccelerator(key);
    if (text.empty()) continue;
    EXPECT_NE(AllHelpText().find(text), std::string::npos) << "the help never mentions \"" << text << "\"";
  }
}

// The settings page: per section whether its table has a Default column,
// and per key the text of the row's last cell.
struct DocumentedSection {
  bool has_default_column = false;
  std::map<std::string, std::string> last_cell;
};
std::map<std::string, DocumentedSection> DocumentedEntries() {
  std::map<std::string, DocumentedSection> entries;
  const std::string html = ReadText(kHelpDir / "settings.html");
  const std::regex heading(R"(<h2>\[([A-Za-z]+)\]</h2>)");
  const std::regex row(R"(<tr><td><code>([A-Za-z]+)</code></td>((?:.|\n)*?)</tr>)");
  std::vector<std::pair<size_t, std::string>> sections;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), heading); it != std::sregex_iterator(); ++it)
    sections.emplace_back(it->position(), (*it)[1]);
  for (size_t i = 0; i < sections.size(); ++i) {
    size_t end = i + 1 < sections.size() ? sections[i + 1].first : html.size();
    std::string part = html.substr(sections[i].first, end - sections[i].first);
    DocumentedSection& section = entries[sections[i].second];
    section.has_default_column = part.find("<th>Default</th>") != std::string::npos;
    for (auto it = std::sregex_iterator(part.begin(), part.end(), row); it != std::sregex_iterator(); ++it) {
      const std::string cells = (*it)[2];
      const size_t open = cells.rfind("<td>");
      const size_t close = cells.rfind("</td>");
      section.last_cell[(*it)[1]] =
          open != std::string::npos && close > open ? VisibleText(cells.substr(open + 4, close - open - 4)) : "";
    }
  }
  return entries;
}

TEST(HelpSettingsTest, EveryEntryOfAppIniIsDocumentedWithItsDefault) {
  const auto documented = DocumentedEntries();
  for (const SettingEntry& entry : SettingsTable()) {
    const std::string section(entry.section), key(entry.key), where = section + "/" + key;
    auto in_section = documented.find(section);
    ASSERT_NE(in_section, documented.end()) << "the help has no table for [" << section << "]";
    if (key.empty()) continue;  // a section of keys not known in advance
    auto row = in_section->second.last_cell.find(key);
    ASSERT_NE(row, in_section->second.last_cell.end()) << "the help does not document [" << section << "] " << key;
    // A section without a Default column states the common default in its
    // introduction; a default that depends on the screen is said in words.
    if (!in_section->second.has_default_column || entry.screen_default) continue;
    // The default cell starts with the value a first save writes, or says
    // "empty".
    const std::string value = DefaultText(entry, {});
    const std::string& cell = row->second;
    if (value.empty())
      EXPECT_EQ(cell, "empty") << where;
    else
      EXPECT_EQ(cell.substr(0, cell.find(' ')), value) << "documented default of " << where;
  }
}

}  // namespace
}  // namespace mensor
