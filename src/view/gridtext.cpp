#include "view/gridtext.h"

#include <algorithm>

namespace velmora {

namespace {

// The length of the UTF-8 sequence a lead byte starts; a stray byte counts
// as a character of its own.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    if ((lead & 0xF8) == 0xF0) {
        return 4;
    }
    return 1;
}

} // namespace

std::vector<GridGlyph> layOutOnGrid(std::string_view utf8) {
    std::vector<GridGlyph> glyphs;
    int column = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = std::min(sequenceLength(lead), utf8.size() - i);
        const int span = lead < 0x80 ? 1 : 2;
        glyphs.push_back({utf8.substr(i, length), column, span});
        column += span;
        i += length;
    }
    return glyphs;
}

} // namespace velmora
