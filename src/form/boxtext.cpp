#include "form/boxtext.h"

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

struct Range {
    char32_t first, last;
};

// Unicode's format characters (general category Cf).
constexpr Range kFormatCharacters[] = {
    {0x00AD, 0x00AD},   {0x0600, 0x0605},   {0x061C, 0x061C},   {0x06DD, 0x06DD},   {0x070F, 0x070F},
    {0x0890, 0x0891},   {0x08E2, 0x08E2},   {0x180E, 0x180E},   {0x200B, 0x200F},   {0x202A, 0x202E},
    {0x2060, 0x2064},   {0x2066, 0x206F},   {0xFEFF, 0xFEFF},   {0xFFF9, 0xFFFB},   {0x110BD, 0x110BD},
    {0x110CD, 0x110CD}, {0x13430, 0x1343F}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0001, 0xE0001},
    {0xE0020, 0xE007F},
};

bool isShownCharacter(char32_t point) {
    if (point == '\t' || point == '\n') {
        return true; // skipped by reading a number, like a blank
    }
    if (point < 0x20 || (point >= 0x7F && point <= 0x9F)) {
        return false; // control characters
    }
    return std::none_of(std::begin(kFormatCharacters), std::end(kFormatCharacters),
                        [point](Range range) { return point >= range.first && point <= range.last; });
}

// The length of the well-formed UTF-8 sequence at the start of text, with its
// code point; 0 when the first byte starts none.
std::size_t decodeOne(std::string_view text, char32_t& point) {
    const auto lead = static_cast<unsigned char>(text[0]);
    std::size_t length = 0;
    if (lead < 0x80) {
        point = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        point = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        point = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        point = lead & 0x07;
    } else {
        return 0;
    }
    if (length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[k]);
        if ((next & 0xC0) != 0x80) {
            return 0;
        }
        point = (point << 6) | (next & 0x3F);
    }
    constexpr char32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (point < kSmallest[length] || point > 0x10FFFF || (point >= 0xD800 && point <= 0xDFFF)) {
        return 0;
    }
    return length;
}

} // namespace

std::string keepShowable(std::string_view utf8, std::size_t maxCharacters) {
    std::string kept;
    kept.reserve(utf8.size());
    std::size_t characters = 0;
    while (!utf8.empty() && characters < maxCharacters) {
        char32_t point = 0;
        const std::size_t length = decodeOne(utf8, point);
        if (length == 0) {
            utf8.remove_prefix(1); // not UTF-8: dropped byte by byte
            continue;
        }
        if (isShownCharacter(point)) {
            kept.append(utf8.substr(0, length));
            ++characters;
        }
        utf8.remove_prefix(length);
    }
    return kept;
}

namespace {

// The UTF-16 code units of a UTF-8 text; a byte that starts no character
// counts as the one unit a view shows for it.
std::size_t utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    while (!utf8.empty()) {
        char32_t point = 0;
        const std::size_t length = std::max<std::size_t>(decodeOne(utf8, point), 1);
        units += length == 4 ? 2 : 1;
        utf8.remove_prefix(length);
    }
    return units;
}

// The first `units` UTF-16 code units of a UTF-8 text, in UTF-8.
std::string_view utf16Prefix(std::string_view utf8, std::size_t units) {
    std::size_t bytes = 0;
    while (bytes < utf8.size() && units > 0) {
        char32_t point = 0;
        const std::size_t length = std::max<std::size_t>(decodeOne(utf8.substr(bytes), point), 1);
        const std::size_t width = length == 4 ? 2 : 1;
        if (width > units) {
            break; // the caret never splits a character
        }
        units -= width;
        bytes += length;
    }
    return utf8.substr(0, bytes);
}

} // namespace

std::size_t caretAfterKeeping(std::string_view typed, std::size_t caret, std::size_t maxCharacters) {
    // What keepShowable keeps of the text before the caret is what stands
    // before it afterwards: it drops characters one by one and cuts at the end.
    return utf16Length(keepShowable(utf16Prefix(typed, caret), maxCharacters));
}

bool isShowable(std::string_view utf8) {
    return keepShowable(utf8) == utf8;
}

} // namespace velmora
