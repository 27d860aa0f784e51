// Fuzz target: a language pack as a translator (or a broken download) may
// leave it. Parses any bytes as a pack and resolves the texts of every
// window from it, and checks what must hold for every input:
//  - every resolved text is valid UTF-8 and at most the longest value long
//    (a prefix row adds its prefix);
//  - each window gets exactly one text per row of its table.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lang/language_pack.h"
#include "app/calibrate_form.h"
#include "app/ruler_commands.h"
#include "lang/text_tables.h"
#include "toolbar/tool_bar_form.h"

namespace {

void Check(bool holds) {
  if (!holds) std::abort();
}

// Counts characters, and fails on anything that is not UTF-8.
std::size_t Utf8Chars(std::string_view s) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < s.size(); ++chars) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
    Check(n != 0 && i + n <= s.size());
    for (std::size_t k = 1; k < n; ++k) Check((static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80);
    i += n;
  }
  return chars;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace mensor;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const LanguagePack pack = LanguagePack::Parse(bytes);
  Utf8Chars(pack.Name());
  for (const TextTable table : {kMainFormTexts, kToolBarTexts, kConfigFormTexts, kAboutFormTexts, kCalibrateFormTexts}) {
    const WindowTexts texts = PackTexts(table, pack);
    Check(texts.items.size() == table.size());
    for (std::size_t i = 0; i < table.size(); ++i)
      Check(Utf8Chars(texts.items[i].text) <= LanguagePack::kMaxValueChars + table[i].prefix.size() +
                                                   table[i].english.size());
  }
  return 0;
}
