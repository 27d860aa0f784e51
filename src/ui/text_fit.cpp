// Fitting a text into a width; see text_fit.h.
#include "ui/text_fit.h"

namespace mensor {
namespace {

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::string ShownText(std::string_view text) {
  std::string shown;
  shown.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&' && i + 1 < text.size()) ++i;
    shown.push_back(text[i]);
  }
  return shown;
}

std::string CutToWidth(std::string_view text, int width, const TextWidth& measure) {
  if (measure(text) <= width) return std::string(text);
  // The longest beginning that fits: widths grow with the length, so the
  // search halves the range of character boundaries.
  std::vector<std::size_t> ends;
  for (std::size_t i = 1; i < text.size(); ++i)
    if (!IsContinuationByte(text[i]) && text[i - 1] != '&') ends.push_back(i);
  const auto candidate = [&](std::size_t end) { return std::string(TrimRight(text.substr(0, end))) + std::string(kEllipsis); };
  std::size_t lo = 0, hi = ends.size();  // ends[0, lo) fit, ends[hi, size) do not
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    if (measure(candidate(ends[mid])) <= width) {
      lo = mid + 1;
    } else {
      hi = mid;
    }
  }
  return lo == 0 ? std::string(kEllipsis) : candidate(ends[lo - 1]);
}

std::optional<std::vector<std::string>> WrapToWidth(std::string_view text, int width, int max_lines,
                                                    const TextWidth& measure) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t pos = 0;
  while (pos < text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    if (pos >= text.size()) break;
    std::size_t end = text.find(' ', pos);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(pos, end - pos);
    pos = end;
    if (measure(word) > width) return std::nullopt;
    const std::string longer = line.empty() ? std::string(word) : line + " " + std::string(word);
    if (measure(longer) <= width) {
      line = longer;
      continue;
    }
    lines.push_back(line);
    line = std::string(word);
  }
  if (!line.empty() || lines.empty()) lines.push_back(line);
  if (static_cast<int>(lines.size()) > max_lines) return std::nullopt;
  return lines;
}

}  // namespace mensor
