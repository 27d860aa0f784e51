// Byte-order marks, UTF-16 to UTF-8 and back; the decoding of language packs.
#include "text/text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace mensor {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";

void AppendUnit(std::string& out, std::uint32_t unit, bool big_endian) {
  const char high = static_cast<char>(unit >> 8);
  const char low = static_cast<char>(unit & 0xFF);
  out.push_back(big_endian ? high : low);
  out.push_back(big_endian ? low : high);
}

bool IsHighSurrogate(std::uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLowSurrogate(std::uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }

// The code point of the UTF-8 sequence at text[pos] and its length; U+FFFD
// and length 1 for a byte that starts no valid sequence. Three-byte forms of
// surrogates are accepted (DecodeText makes them for unpaired ones).
std::uint32_t NextCodePoint(std::string_view text, std::size_t pos, std::size_t& length) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  length = 1;
  if (lead < 0x80) return lead;
  std::size_t need = 0;
  std::uint32_t c = 0;
  std::uint32_t min = 0;
  if ((lead & 0xE0) == 0xC0) {
    need = 1, c = lead & 0x1F, min = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    need = 2, c = lead & 0x0F, min = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    need = 3, c = lead & 0x07, min = 0x10000;
  } else {
    return 0xFFFD;
  }
  if (pos + need >= text.size()) return 0xFFFD;  // cut short by the end
  for (std::size_t k = 1; k <= need; ++k) {
    const auto b = static_cast<unsigned char>(text[pos + k]);
    if ((b & 0xC0) != 0x80) return 0xFFFD;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF) return 0xFFFD;
  length = need + 1;
  return c;
}

std::string Utf8ToUtf16(std::string_view text, bool big_endian) {
  std::string out;
  out.reserve(text.size() * 2 + 2);
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t length = 1;
    const std::uint32_t c = NextCodePoint(text, pos, length);
    pos += length;
    if (c >= 0x10000) {
      AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), big_endian);
      AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), big_endian);
    } else {
      AppendUnit(out, c, big_endian);
    }
  }
  return out;
}

}  // namespace

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

namespace {

std::string Utf16ToUtf8(std::string_view bytes, bool big_endian, LoneSurrogates lone) {
  const std::size_t units = bytes.size() / 2;
  auto unit_at = [&](std::size_t i) -> std::uint32_t {
    const auto b0 = static_cast<unsigned char>(bytes[2 * i]);
    const auto b1 = static_cast<unsigned char>(bytes[2 * i + 1]);
    return big_endian ? (b0 << 8 | b1) : (b1 << 8 | b0);
  };
  std::string out;
  out.reserve(bytes.size());
  for (std::size_t i = 0; i < units; ++i) {
    const std::uint32_t u = unit_at(i);
    if (IsHighSurrogate(u) && i + 1 < units && IsLowSurrogate(unit_at(i + 1))) {
      AppendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (unit_at(i + 1) - 0xDC00));
      ++i;
    } else if (lone == LoneSurrogates::Replace && (IsHighSurrogate(u) || IsLowSurrogate(u))) {
      AppendUtf8(out, 0xFFFD);
    } else {
      AppendUtf8(out, u);
    }
  }
  return out;
}

// The byte order of UTF-16 without a mark (true: big-endian), or nothing
// when the bytes are no such text (the rule is at DecodeText in the header).
std::optional<bool> UnmarkedUtf16Order(std::string_view bytes) {
  const std::string_view sample = bytes.substr(0, std::min(bytes.find_first_of("\r\n"), 2 * kUnmarkedSampleUnits));
  const std::size_t units = sample.size() / 2;
  if (units == 0) return std::nullopt;
  for (const bool big_endian : {false, true}) {
    std::size_t nul_high = 0;
    bool nul_low = false;
    for (std::size_t i = 0; i < 2 * units; i += 2) {
      nul_low = nul_low || sample[big_endian ? i + 1 : i] == '\0';
      if (sample[big_endian ? i : i + 1] == '\0') ++nul_high;
    }
    if (!nul_low && 2 * nul_high >= units) return big_endian;
  }
  return std::nullopt;
}

}  // namespace

bool IsUtf16(TextEncoding encoding) {
  return encoding == TextEncoding::Utf16Le || encoding == TextEncoding::Utf16Be ||
         encoding == TextEncoding::Utf16LeUnmarked || encoding == TextEncoding::Utf16BeUnmarked;
}

DecodedText DecodeText(std::string_view bytes, LoneSurrogates lone) {
  DecodedText decoded;
  if (bytes.starts_with(kUtf8Mark)) {
    decoded.encoding = TextEncoding::Utf8Bom;
    decoded.text = std::string(bytes.substr(kUtf8Mark.size()));
  } else if (bytes.starts_with(kUtf16LeMark)) {
    decoded.encoding = TextEncoding::Utf16Le;
    decoded.text = Utf16ToUtf8(bytes.substr(kUtf16LeMark.size()), false, lone);
  } else if (bytes.starts_with(kUtf16BeMark)) {
    decoded.encoding = TextEncoding::Utf16Be;
    decoded.text = Utf16ToUtf8(bytes.substr(kUtf16BeMark.size()), true, lone);
  } else if (const std::optional<bool> big_endian = UnmarkedUtf16Order(bytes)) {
    decoded.encoding = *big_endian ? TextEncoding::Utf16BeUnmarked : TextEncoding::Utf16LeUnmarked;
    decoded.text = Utf16ToUtf8(bytes, *big_endian, lone);
  } else {
    decoded.text = std::string(bytes);
  }
  return decoded;
}

std::string EncodeText(TextEncoding encoding, std::string_view text) {
  switch (encoding) {
    case TextEncoding::Utf8Bom:
      return std::string(kUtf8Mark) + std::string(text);
    case TextEncoding::Utf16Le:
      return std::string(kUtf16LeMark) + Utf8ToUtf16(text, false);
    case TextEncoding::Utf16Be:
      return std::string(kUtf16BeMark) + Utf8ToUtf16(text, true);
    case TextEncoding::Utf16LeUnmarked:
      return Utf8ToUtf16(text, false);
    case TextEncoding::Utf16BeUnmarked:
      return Utf8ToUtf16(text, true);
    case TextEncoding::EightBit:
      break;
  }
  return std::string(text);
}

}  // namespace mensor

// ---- language packs ----

namespace mensor {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Length of the well-formed UTF-8 sequence at text[i], or 0 when none starts
// there.
std::size_t SequenceLength(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char b0 = byte(i);
  if (b0 < 0x80) return 1;
  std::size_t n = 0;
  unsigned char lo = 0x80;
  unsigned char hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;  // no overlong forms
    if (b0 == 0xED) hi = 0x9F;  // no surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;  // no overlong forms
    if (b0 == 0xF4) hi = 0x8F;  // nothing above U+10FFFF
  } else {
    return 0;
  }
  if (i + n > text.size()) return 0;
  if (byte(i + 1) < lo || byte(i + 1) > hi) return 0;
  for (std::size_t k = 2; k < n; ++k)
    if (byte(i + k) < 0x80 || byte(i + k) > 0xBF) return 0;
  return n;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  // 0x80..0x9F; the rest of the upper half is Latin-1.
  static constexpr char16_t kHigh[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char ch : text) {
    const auto b = static_cast<unsigned char>(ch);
    AppendUtf8(out, b >= 0x80 && b <= 0x9F ? static_cast<char32_t>(kHigh[b - 0x80]) : b);
  }
  return out;
}

bool IsWellFormedUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = SequenceLength(text, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string SanitizeUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = SequenceLength(text, i);
    if (n == 0) {
      AppendUtf8(out, kReplacement);
      ++i;
    } else {
      out.append(text.substr(i, n));
      i += n;
    }
  }
  return out;
}

std::string DecodePackText(std::string_view bytes, const AnsiDecoder& decode_ansi) {
  DecodedText decoded = DecodeText(bytes, LoneSurrogates::Replace);
  switch (decoded.encoding) {
    case TextEncoding::Utf8Bom: return SanitizeUtf8(decoded.text);
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
    case TextEncoding::Utf16LeUnmarked:
    case TextEncoding::Utf16BeUnmarked:
      // A cut-off last unit is not dropped but shown as U+FFFD.
      if (bytes.size() % 2 != 0) AppendUtf8(decoded.text, kReplacement);
      return std::move(decoded.text);
    case TextEncoding::EightBit: break;
  }
  if (IsWellFormedUtf8(bytes)) return std::string(bytes);
  // The platform's decoder is trusted to give UTF-8; make sure of it, since
  // every later step relies on it.
  return SanitizeUtf8(decode_ansi ? decode_ansi(bytes) : Cp1252ToUtf8(bytes));
}

std::string_view CutUtf8(std::string_view text, std::size_t max_chars) {
  std::size_t chars = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // Every byte but a continuation byte starts a character.
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
      if (chars == max_chars) return text.substr(0, i);
      ++chars;
    }
  }
  return text;
}

}  // namespace mensor
