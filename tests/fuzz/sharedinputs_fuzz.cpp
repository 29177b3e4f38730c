// libFuzzer target for the shared inputs of a page address:
// - any text is either refused whole, leaving the start state, or restored so
//   that writing the inputs again and reading that back gives the same inputs;
// - the same bytes, read as a player's actions on the page (typing or pasting
//   any bytes, clicks), lead to a state whose address opens exactly it.
#include "form/form.h"
#include "form/sharedinputs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

using velmora::FieldId;
using velmora::Form;
using velmora::kControls;
using velmora::Kind;

class NoBoxes : public velmora::WarningSink {
public:
    void warn(std::string_view, std::string_view) override { std::abort(); } // restoring shows nothing
};

class AnyBoxes : public velmora::WarningSink {
public:
    void warn(std::string_view, std::string_view) override {}
    bool dismissesAtOnce() const override { return true; }
};

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// What the player put in: boxes, options, buffs, captions of the two state
// buttons, and the primary attribute's word. Results are not inputs.
bool sameInputs(const Form& a, const Form& b) {
    const FieldId label1 = velmora::controlNamed("Label1");
    const FieldId label2 = velmora::controlNamed("Label2");
    for (FieldId field = 0; field < velmora::kControlCount; ++field) {
        const Kind kind = kControls[field].kind;
        if (kind == Kind::TextBox || kind == Kind::OptionButton || kind == Kind::CheckBox ||
            kind == Kind::CommandButton || field == label1 || field == label2) {
            if (a.fields().visible(field) != b.fields().visible(field) ||
                a.fields().value(field) != b.fields().value(field) ||
                a.fields().text(field) != b.fields().text(field)) {
                return false;
            }
        }
    }
    return true;
}

void restoreAnyText(std::string_view text) {
    NoBoxes boxes;
    Form form(boxes);
    const std::string start = velmora::encodeInputs(form.fields());
    if (!form.restoreInputs(text)) {
        require(velmora::encodeInputs(form.fields()) == start);
        return;
    }
    const std::string written = velmora::encodeInputs(form.fields());
    Form again(boxes);
    require(again.restoreInputs(written));
    require(velmora::encodeInputs(again.fields()) == written);
}

// Bytes as actions: 0x00 to 0x3F types the text up to the next 0xFE into a
// box, 0x40 to 0xFD clicks a control; 0xFE ends a text.
void actThenShare(std::string_view bytes) {
    std::vector<FieldId> boxes;
    std::vector<FieldId> clickable;
    for (FieldId field = 0; field < velmora::kControlCount; ++field) {
        const Kind kind = kControls[field].kind;
        if (kind == Kind::TextBox) {
            boxes.push_back(field);
        } else if (kind == Kind::CommandButton || kind == Kind::OptionButton || kind == Kind::CheckBox) {
            clickable.push_back(field);
        }
    }
    AnyBoxes shown;
    Form page(shown);
    while (!bytes.empty()) {
        const auto op = static_cast<unsigned char>(bytes.front());
        bytes.remove_prefix(1);
        if (op < 0x40) {
            const std::size_t end = std::min(bytes.find('\xFE'), bytes.size());
            page.type(boxes[op % boxes.size()], bytes.substr(0, end), velmora::kMaxPageBoxCharacters);
            bytes.remove_prefix(std::min(end + 1, bytes.size()));
        } else if (op < 0xFE) {
            page.click(clickable[op % clickable.size()]);
        }
    }
    const std::string shared = velmora::encodeInputs(page.fields());
    require(shared.size() <= velmora::kMaxSharedLength);
    NoBoxes none;
    Form opened(none);
    require(opened.restoreInputs(shared));
    require(sameInputs(page, opened));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    restoreAnyText(bytes);
    actThenShare(bytes);
    return 0;
}
