// The encodings a profile file may come in, told apart by its byte-order
// mark, and the conversion to and from the UTF-8 text the program works in.
// Editors save app.ini "as Unicode" (UTF-16 little-endian with a mark), as
// UTF-8 with a mark, or as plain 8-bit text; the file is written back in the
// encoding it came in.
#pragma once

#include <string>
#include <string_view>

namespace mensor {

enum class TextEncoding {
  EightBit,  // no mark: the bytes are the text (a new file is written so)
  Utf8Bom,   // EF BB BF
  Utf16Le,   // FF FE
  Utf16Be,   // FE FF
};

struct DecodedText {
  TextEncoding encoding = TextEncoding::EightBit;
  std::string text;  // without the mark; UTF-8 for the UTF-16 encodings
};

// The encoding told by the mark and the text behind it. UTF-16 becomes UTF-8;
// an unpaired surrogate becomes its own three-byte sequence so that it comes
// back unchanged (or U+FFFD), and a lone last byte of an odd-sized file is
// dropped. The 8-bit and UTF-8 texts are taken byte for byte.
enum class LoneSurrogates { Keep, Replace };
DecodedText DecodeText(std::string_view bytes, LoneSurrogates lone = LoneSurrogates::Keep);

// Code point c appended to out as UTF-8 (surrogates as three-byte forms).
void AppendUtf8(std::string& out, char32_t c);

// The file's bytes for text in encoding, the mark included. For the UTF-16
// encodings text is read as UTF-8 (with the three-byte surrogates that
// DecodeText makes); a byte that starts no valid sequence becomes U+FFFD.
// EncodeText(d.encoding, d.text) gives back the bytes DecodeText was given
// (an odd last byte aside).
std::string EncodeText(TextEncoding encoding, std::string_view text);

}  // namespace mensor
