// The help pages against the program itself: every caption of the ruler's
// menu (and, when the language template is there, every text of every
// window) is mentioned, and every app.ini entry that a save writes is
// documented in its section with the default the program writes.
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
#include "settings_test_support.h"

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

// The keys of section [String] of the language template: every text that
// any window shows and a pack can replace.
std::vector<std::string> TemplateKeys(const fs::path& path) {
  std::vector<std::string> keys;
  std::istringstream in(ReadText(path));
  std::string line;
  bool strings = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      strings = line.rfind("[String]", 0) == 0;
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

// Rows of the settings page: section -> key -> the text of the row's last
// cell (the default where the table has that column).
std::map<std::string, std::map<std::string, std::string>> DocumentedEntries() {
  std::map<std::string, std::map<std::string, std::string>> entries;
  const std::string html = ReadText(kHelpDir / "settings.html");
  const std::regex heading(R"(<h2>\[([A-Za-z]+)\]</h2>)");
  const std::regex row(R"(<tr><td><code>([A-Za-z]+)</code></td>((?:.|\n)*?)</tr>)");
  std::vector<std::pair<size_t, std::string>> sections;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), heading); it != std::sregex_iterator(); ++it)
    sections.emplace_back(it->position(), (*it)[1]);
  for (size_t i = 0; i < sections.size(); ++i) {
    size_t end = i + 1 < sections.size() ? sections[i + 1].first : html.size();
    std::string part = html.substr(sections[i].first, end - sections[i].first);
    for (auto it = std::sregex_iterator(part.begin(), part.end(), row); it != std::sregex_iterator(); ++it) {
      const std::string cells = (*it)[2];
      const size_t open = cells.rfind("<td>");
      const size_t close = cells.rfind("</td>");
      entries[sections[i].second][(*it)[1]] =
          open != std::string::npos && close > open ? VisibleText(cells.substr(open + 4, close - open - 4)) : "";
    }
  }
  return entries;
}

class HelpSettingsTest : public SettingsTest {};

TEST_F(HelpSettingsTest, EveryEntryOfAppIniIsDocumentedWithItsDefault) {
  platform.screen = {1024, 768};
  Load();  // no file: every default
  const std::string saved = Save();
  const auto documented = DocumentedEntries();
  // Entries whose default depends on the screen, and the section whose table
  // states the common default in its introduction.
  const std::vector<std::string> no_default_cell = {"ToolBar/X", "HotKey/*"};
  std::string section;
  int written = 0;
  std::istringstream in(saved);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '[') {
      section = line.substr(1, line.find(']') - 1);
      continue;
    }
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
    ++written;
    auto in_section = documented.find(section);
    ASSERT_NE(in_section, documented.end()) << "the help has no table for [" << section << "]";
    auto row = in_section->second.find(key);
    ASSERT_NE(row, in_section->second.end()) << "the help does not document [" << section << "] " << key;
    const std::string where = section + "/" + key;
    if (std::find(no_default_cell.begin(), no_default_cell.end(), where) != no_default_cell.end() ||
        std::find(no_default_cell.begin(), no_default_cell.end(), section + "/*") != no_default_cell.end())
      continue;
    // The default cell starts with the value itself, or says "empty".
    const std::string& cell = row->second;
    if (value.empty())
      EXPECT_EQ(cell, "empty") << where;
    else
      EXPECT_EQ(cell.substr(0, cell.find(' ')), value) << "documented default of " << where;
  }
  EXPECT_GE(written, 40) << "a save writes every entry";
  EXPECT_NE(documented.at("HotKey").size(), 0u);
}

}  // namespace
}  // namespace mensor
