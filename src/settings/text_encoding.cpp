// Byte-order marks, UTF-16 to UTF-8 and back.
#include "settings/text_encoding.h"

#include <cstdint>

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

}  // namespace

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
    case TextEncoding::EightBit:
      break;
  }
  return std::string(text);
}

}  // namespace mensor
