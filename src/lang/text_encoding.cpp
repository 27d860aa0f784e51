// Decoding language pack files into UTF-8.
#include "lang/text_encoding.h"

#include <cstdint>

#include "settings/text_encoding.h"

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
