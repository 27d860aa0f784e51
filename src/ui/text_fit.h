// Fitting a text into a width: the text as a control shows it (a single "&"
// marks the underlined letter and takes no room), broken onto lines at its
// blanks, or cut with an ellipsis. The width of a piece of text comes from
// the caller, who measures it in the font in use.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mensor {

// Pixels a piece of text needs.
using TextWidth = std::function<int(std::string_view)>;

// "…" in UTF-8.
inline constexpr std::string_view kEllipsis = "\xE2\x80\xA6";

// The text as drawn with prefix processing: "&x" shows x underlined, "&&"
// shows one "&".
std::string ShownText(std::string_view text);

// The text when it fits `width`; else its longest beginning (cut between
// characters, never inside one, blanks at the cut dropped) followed by an
// ellipsis that fits; the ellipsis alone when not even one character does.
std::string CutToWidth(std::string_view text, int width, const TextWidth& measure);

// The text broken at blanks into at most max_lines lines, each fitting
// `width`, as few lines as will do; nothing when a word is wider than
// `width` or more lines would be needed.
std::optional<std::vector<std::string>> WrapToWidth(std::string_view text, int width, int max_lines,
                                                    const TextWidth& measure);

}  // namespace mensor
