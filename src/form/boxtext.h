// What a text box can hold. A box never holds what it cannot show: invisible
// format characters (zero-width spaces and joiners, bidirectional controls,
// the byte-order mark), control characters other than the tab and the line
// feed (which reading a number skips) and bytes that are not UTF-8 are
// dropped from whatever is typed or pasted, so that what a box shows is what
// 计算 reads. Every other text is kept as it is.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace velmora {

// The text without the characters a box cannot show, and with no more than
// maxCharacters characters (code points) left of what remains.
std::string keepShowable(std::string_view utf8, std::size_t maxCharacters = std::string_view::npos);

// Where the caret stands in the kept text when it stood at `caret` in the
// typed one: past what is kept of the characters before it. Both in UTF-16
// code units, as the views count them.
std::size_t caretAfterKeeping(std::string_view typed, std::size_t caret,
                              std::size_t maxCharacters = std::string_view::npos);

// True when the text is UTF-8 and keepShowable keeps all of it.
bool isShowable(std::string_view utf8);

// On the page a box holds what an address can carry: this many characters,
// at most four bytes each in UTF-8.
inline constexpr std::size_t kMaxPageBoxCharacters = 256;

} // namespace velmora
