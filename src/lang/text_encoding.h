// Character encodings of language pack files. Inside the program every text
// is UTF-8; a pack file is turned into UTF-8 once, as a whole, before it is
// parsed:
//  - a UTF-8 byte-order mark: UTF-8 (malformed sequences become U+FFFD);
//  - a UTF-16 byte-order mark (little or big endian, as Notepad's "Unicode"
//    saves): UTF-16;
//  - no mark, and the bytes are well-formed UTF-8 with at least one
//    multi-byte sequence: UTF-8 (what current editors save by default; text
//    in an 8-bit code page is practically never well-formed UTF-8);
//  - anything else: 8-bit text in the system's ANSI code page, converted by
//    the decoder the caller passes (the platform's).
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace mensor {

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
