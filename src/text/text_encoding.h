// Text decoding for the files users give the program (app.ini and the
// language packs), in one module below both.
//
// Profile files (app.ini)
// The encodings a profile file may come in, told apart by its byte-order
// mark, and the conversion to and from the UTF-8 text the program works in.
// Editors save app.ini "as Unicode" (UTF-16 little-endian with a mark), as
// UTF-8 with a mark, or as plain 8-bit text; some save UTF-16 without a
// mark, which is told, as careful editors tell it, by NUL bytes in every
// other position (see DecodeText). The file is written back in the encoding
// it came in.
//
// Language packs
// Character encodings of language pack files. Inside the program every text
// is UTF-8; a pack file is turned into UTF-8 once, as a whole, before it is
// parsed:
//  - a UTF-8 byte-order mark: UTF-8 (malformed sequences become U+FFFD);
//  - a UTF-16 byte-order mark (little or big endian, as Notepad's "Unicode"
//    saves), or none but NUL bytes in every other position as DecodeText
//    tells them: UTF-16;
//  - no mark, and the bytes are well-formed UTF-8 with at least one
//    multi-byte sequence: UTF-8 (what current editors save by default; text
//    in an 8-bit code page is practically never well-formed UTF-8);
//  - anything else: 8-bit text in the system's ANSI code page, converted by
//    the decoder the caller passes (the platform's).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace mensor {

enum class TextEncoding {
  EightBit,  // no mark: the bytes are the text (a new file is written so)
  Utf8Bom,   // EF BB BF
  Utf16Le,   // FF FE
  Utf16Be,   // FE FF
  Utf16LeUnmarked,  // UTF-16 little-endian without a mark
  Utf16BeUnmarked,  // UTF-16 big-endian without a mark
};

// True for the four UTF-16 encodings.
bool IsUtf16(TextEncoding encoding);

struct DecodedText {
  TextEncoding encoding = TextEncoding::EightBit;
  std::string text;  // without the mark; UTF-8 for the UTF-16 encodings
};

// The encoding told by the mark and the text behind it. UTF-16 becomes UTF-8;
// an unpaired surrogate becomes its own three-byte sequence so that it comes
// back unchanged (or U+FFFD), and a lone last byte of an odd-sized file is
// dropped. The 8-bit and UTF-8 texts are taken byte for byte.
//
// Without a mark, the bytes are UTF-16 when their first line, read as 16-bit
// units of one byte order, has no unit with a NUL low byte and a NUL high
// byte in at least half of its units: the Latin letters, digits and signs
// of a profile file with a few other characters among them. Text in an
// 8-bit code page or in UTF-8 has no NUL bytes at all. The first line is
// taken as the bytes before the first CR or LF byte (at most
// kUnmarkedSampleUnits units), which is a part of the first line whichever
// the encoding; a save never changes the first line (entries live under
// section headers, new ones are added below them), so a file keeps being
// told the same way after every save. A file that begins with a line end
// (a blank first line) is therefore never told as UTF-16 without a mark.
enum class LoneSurrogates { Keep, Replace };
inline constexpr std::size_t kUnmarkedSampleUnits = 256;
DecodedText DecodeText(std::string_view bytes, LoneSurrogates lone = LoneSurrogates::Keep);

// Code point c appended to out as UTF-8 (surrogates as three-byte forms).
void AppendUtf8(std::string& out, char32_t c);

// The file's bytes for text in encoding, the mark included. For the UTF-16
// encodings text is read as UTF-8 (with the three-byte surrogates that
// DecodeText makes); a byte that starts no valid sequence becomes U+FFFD.
// EncodeText(d.encoding, d.text) gives back the bytes DecodeText was given
// (an odd last byte aside).
std::string EncodeText(TextEncoding encoding, std::string_view text);

// ---- language packs ----


// Turns 8-bit text in some code page into UTF-8.
using AnsiDecoder = std::function<std::string(std::string_view)>;

// Windows-1252 (Western European) to UTF-8. The five bytes the code page
// leaves undefined map to the control characters of the same value, as
// Windows' own conversion does.
std::string Cp1252ToUtf8(std::string_view text);

// True when text is well-formed UTF-8 (no overlong forms, no surrogates,
// nothing above U+10FFFF).
bool IsWellFormedUtf8(std::string_view text);

// text with every malformed UTF-8 sequence replaced by U+FFFD.
std::string SanitizeUtf8(std::string_view text);

// The whole content of a pack file as UTF-8, by the rules at the top. The
// byte-order mark is not part of the result.
std::string DecodePackText(std::string_view bytes, const AnsiDecoder& decode_ansi);

// The first max_chars characters (code points) of UTF-8 text.
std::string_view CutUtf8(std::string_view text, std::size_t max_chars);

}  // namespace mensor
