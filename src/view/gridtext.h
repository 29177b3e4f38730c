// Text on a character grid: every ASCII character takes one column and every
// other character two (CJK, full-width punctuation, and also ±, — and ①..⑤,
// which Unicode leaves ambiguous). Each character is placed at its own
// column, so alignment never depends on a font's advance widths.
#pragma once

#include <string_view>
#include <vector>

namespace velmora {

struct GridGlyph {
    std::string_view text; // one character, UTF-8
    int column;
    int span; // 1 or 2 columns
};

std::vector<GridGlyph> layOutOnGrid(std::string_view utf8);

} // namespace velmora
