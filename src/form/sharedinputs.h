// The player's inputs as text, so that a page address can hold them and a
// player can send them to another: the texts of the text boxes, the chosen
// discipline, the buff boxes, haste mode and whether gear set 1 is worn.
#pragma once

#include "form/boxtext.h"
#include "form/fields.h"
#include "form/fieldstore.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

struct SharedInputs {
    std::vector<std::pair<FieldId, std::string>> texts; // the text boxes that differ from their start text
    std::optional<FieldId> discipline;
    std::array<bool, field::kBuffBoxes.size()> buffs{}; // ticked, in the table's order
    bool hasteMode = false;
    bool set1Off = false;
};

// "v1", then "&NAME=VALUE" for what differs from the start: Text boxes by
// name with their text percent-encoded as UTF-8, d=Option2, b=010 for the
// buffs, h=1 for haste mode, s=1 for set 1 taken off.
std::string encodeInputs(const FieldStore& fields);

// The fragment of the page's address that holds the inputs: "#" and
// encodeInputs, or nothing for the start state (its address has none).
std::string addressFragment(const FieldStore& fields);

// A text in an address: UTF-8, every byte but the unreserved ones as %XX;
// and back, nullopt for a malformed escape or a byte that must be escaped.
void percentEncode(std::string& out, std::string_view text);
std::optional<std::string> percentDecode(std::string_view text);

// After the inputs, an address may carry the candidate list of 最佳组合:
// "&g=" and its text percent-encoded. A piece is taken when it is well
// formed (the list itself is read where it is used), or when there is none.
inline constexpr std::string_view kGearListKey = "&g=";
bool isGearListAddress(std::string_view piece);

// Reads what encodeInputs wrote. Anything else (another version, an unknown
// or repeated key, a malformed escape or UTF-8, a haste box outside haste
// mode, too long a text) is refused whole.
std::optional<SharedInputs> decodeInputs(std::string_view text);

// A text longer than this many bytes is refused; a page box holds at most
// kMaxPageBoxCharacters characters of four bytes or fewer.
inline constexpr std::size_t kMaxSharedText = 1024;
static_assert(kMaxSharedText >= 4 * kMaxPageBoxCharacters);

// The longest address encodeInputs can write for texts within that limit:
// every box at the limit, each byte percent-encoded, and every flag set.
constexpr std::size_t longestSharedInputs() {
    std::size_t length = std::string_view("v1&d=Option10&b=111&h=1&s=1").size();
    for (const ControlDesign& design : kControls) {
        if (design.kind == Kind::TextBox) {
            length += 2 + design.name.size() + 3 * kMaxSharedText; // "&NAME=" and the text
        }
    }
    return length;
}
inline constexpr std::size_t kMaxSharedLength = longestSharedInputs();

} // namespace velmora
