// The encodings of profile files: marks, UTF-16 to UTF-8 and back.
#include <gtest/gtest.h>

#include <string>

#include "text/text_encoding.h"

namespace mensor {
namespace {

using namespace std::string_literals;

TEST(TextEncoding, TheMarkTellsTheEncodingAndIsNotPartOfTheText) {
  struct Case {
    std::string bytes;
    TextEncoding encoding;
    std::string text;
  } cases[] = {
      {"[System]\r\n", TextEncoding::EightBit, "[System]\r\n"},
      {"", TextEncoding::EightBit, ""},
      {"\xE4\xF6=1", TextEncoding::EightBit, "\xE4\xF6=1"},  // 8-bit bytes stay bytes
      {"\xEF\xBB\xBFk=\xC3\xA4", TextEncoding::Utf8Bom, "k=\xC3\xA4"},
      {"\xFF\xFE" "k\0=\0" "1\0"s, TextEncoding::Utf16Le, "k=1"},
      {"\xFE\xFF" "\0k\0=\0" "1"s, TextEncoding::Utf16Be, "k=1"},
      // e with an accent (U+00E9), the euro sign (U+20AC), a face (U+1F600).
      {"\xFF\xFE\xE9\x00\xAC\x20\x3D\xD8\x00\xDE"s, TextEncoding::Utf16Le, "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"},
      {"\xFF\xFE\x00\x00"s, TextEncoding::Utf16Le, "\0"s},
      // A lone last byte of an odd-sized file is dropped.
      {"\xFF\xFEk\0="s, TextEncoding::Utf16Le, "k"},
      {"\xFF\xFE", TextEncoding::Utf16Le, ""},
      {"\xFF", TextEncoding::EightBit, "\xFF"},
  };
  for (const Case& c : cases) {
    const DecodedText decoded = DecodeText(c.bytes);
    EXPECT_EQ(decoded.encoding, c.encoding) << c.text;
    EXPECT_EQ(decoded.text, c.text);
  }
}

TEST(TextEncoding, Utf16WithoutAMarkIsToldByNulBytesInEveryOtherPositionOfTheFirstLine) {
  const std::string le = "[\0S\0y\0s\0]\0\r\0\n\0k\0=\0" "1\0"s;
  struct Case {
    const char* what;
    std::string bytes;
    TextEncoding encoding;
  } cases[] = {
      {"little-endian", le, TextEncoding::Utf16LeUnmarked},
      {"big-endian", "\0[\0S\0]\0\r\0\n\0k\0=\0" "1"s, TextEncoding::Utf16BeUnmarked},
      {"one character", "k\0"s, TextEncoding::Utf16LeUnmarked},
      {"a blank first line", "\r\0\n\0k\0=\0"s, TextEncoding::EightBit},
      // The first CR or LF byte ends the first line, also within a unit.
      {"a line end byte within a unit", "k\0=\0\x0A\x2D\x2D\x8A\x2D\x8A"s, TextEncoding::Utf16LeUnmarked},
      // "; é € 設定": 4 of 6 units of the first line have a NUL high byte.
      {"other characters among Latin ones", "\x3B\0 \0\xE9\0 \0\xAC\x20\x2D\x8A\r\0"s,
       TextEncoding::Utf16LeUnmarked},
      // Only the first line counts: what follows it may be anything.
      {"anything after the first line", le + "\x2D\x8A\0\0\xFF"s, TextEncoding::Utf16LeUnmarked},
      {"fewer than half the units Latin", "\x2D\x8A\x2D\x8A\x2D\x8A\x41\0\r\0"s, TextEncoding::EightBit},
      {"a NUL low byte", "k\0\0\x01=\0"s, TextEncoding::EightBit},
      {"a NUL character", "k\0\0\0"s, TextEncoding::EightBit},
      {"8-bit text", "[System]\r\nk=\xE4\r\n", TextEncoding::EightBit},
      {"UTF-8", "k=\xC3\xA4\r\n", TextEncoding::EightBit},
      {"one byte", "k", TextEncoding::EightBit},
      {"a stray NUL in 8-bit text", "[System]\r\nk=\0\r\n"s, TextEncoding::EightBit},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeText(c.bytes).encoding, c.encoding) << c.what;
  EXPECT_EQ(DecodeText(le).text, "[Sys]\r\nk=1");
  // The sample ends after kUnmarkedSampleUnits units of a long first line.
  std::string long_line;
  for (std::size_t i = 0; i < kUnmarkedSampleUnits; ++i) long_line += "a\0"s;
  EXPECT_EQ(DecodeText(long_line + "\x2D\x8A\x2D\x8A\x2D\x8A"s).encoding, TextEncoding::Utf16LeUnmarked);
}

TEST(TextEncoding, EveryEvenSizedFileComesBackByteForByte) {
  const std::string files[] = {
      "plain\r\n[a]\r\nb=c\r\n",
      "\xEF\xBB\xBF\xFF\xFE\x80 not UTF-8 at all",
      "\xFF\xFE\x3D\xD8\x00\xDE"s,          // a pair
      "\xFF\xFE\x00\xDC\x3D\xD8"s,          // a low surrogate alone, then a high one at the end
      "\xFF\xFE\x3D\xD8\x41\x00"s,          // a high surrogate followed by no low one
      "\xFE\xFF\xD8\x3D\xDE\x00\x00\x41"s,  // big-endian with a pair
      "\xFF\xFE\xFF\xFE\xFF\xFF"s,          // marks and U+FFFF as text
      "k\0=\0\x3D\xD8\0\xDC\0\xDC"s,          // no mark: a pair, then a lone low surrogate
      "\0k\0=\xD8\x3D"s,                       // no mark, big-endian
  };
  for (const std::string& bytes : files) {
    const DecodedText decoded = DecodeText(bytes);
    EXPECT_EQ(EncodeText(decoded.encoding, decoded.text), bytes);
  }
}

TEST(TextEncoding, BrokenUtf8BecomesTheReplacementCharacterInUtf16) {
  struct Case {
    std::string text;
    std::string utf16;  // without the mark
  } cases[] = {
      {"\x80", "\xFD\xFF"},
      {"a\xC3", "a\0\xFD\xFF"s},              // cut short by the end
      {"\xC0\x80", "\xFD\xFF\xFD\xFF"},       // an overlong form: each byte replaced
      {"\xF4\x90\x80\x80", "\xFD\xFF\xFD\xFF\xFD\xFF\xFD\xFF"},  // beyond U+10FFFF
  };
  for (const Case& c : cases) EXPECT_EQ(EncodeText(TextEncoding::Utf16Le, c.text), "\xFF\xFE" + c.utf16);
}

TEST(TextEncoding, EightBitAndUtf8TextsAreWrittenAsTheyAre) {
  EXPECT_EQ(EncodeText(TextEncoding::EightBit, "a=\xE4"), "a=\xE4");
  EXPECT_EQ(EncodeText(TextEncoding::Utf8Bom, "a=\xC3\xA4"), "\xEF\xBB\xBF" "a=\xC3\xA4");
}

}  // namespace
}  // namespace mensor
