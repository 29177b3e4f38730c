#include "view/viewrules.h"

#include "form/fields.h"
#include "form/numbertext.h"
#include "view/controlnames.h"

#include <algorithm>
#include <vector>

namespace velmora {

FieldId enterPresses(FieldId field, bool withModifiers) {
    if (withModifiers) {
        return kControlCount;
    }
    if (kControls[field].kind == Kind::CommandButton) {
        return field;
    }
    if (kControls[field].kind == Kind::TextBox &&
        kControls[field].container == kControls[id("Text1")].container) {
        return id("Command1");
    }
    return kControlCount;
}

std::string announcementAfter(FieldId button, const FieldStore& fields) {
    if (button == id("Command1") || button == id("Command5")) {
        return "已算出每一点属性的收益";
    }
    if (button != id("Command2")) {
        return {};
    }
    std::string words = "已算出各套装备的总收益：";
    for (const field::GearSetColumn& set : field::kGearSets) {
        if (&set != &field::kGearSets[0]) {
            words += "，";
        }
        words += fields.text(set.heading) + " " + fields.text(set.total);
    }
    return words + "。";
}

std::string announcement(const Form& form) {
    if (form.announcedPress() == kControlCount) {
        return {};
    }
    const FieldId press = form.announcedPress();
    const std::string computed = announcementAfter(press, form.fields());
    if (!form.pressRecaptioned()) {
        return computed;
    }
    return form.fields().text(press) + (computed.empty() ? "" : "。" + computed);
}

ScrollingWindow fitScrollingWindow(WindowSize designed, WindowSize room, int scrollBar) {
    WindowSize largest = designed;
    if (designed.height > room.height) {
        largest.width += scrollBar;
    }
    if (designed.width > room.width) {
        largest.height += scrollBar;
    }
    return {largest, {std::min(largest.width, room.width), std::min(largest.height, room.height)}};
}

int fittingLabelRoom(FieldId label) {
    const FieldId frame = controlNamed(kControls[label].container);
    return twipsToPixels(kControls[frame].width) - twipsToPixels(kControls[label].left) - 2;
}

bool isNumberText(std::string_view text) {
    return !text.empty() && text.find_first_of(" \t\n\r") == std::string_view::npos &&
           TextToNumberStrict(text).status != ReadStatus::NotANumber;
}

bool staysOnOneLine(FieldId label, std::string_view caption, Layout layout) {
    return (layout == Layout::Window && kControls[label].sizing == Sizing::Fits) || isNumberText(caption);
}

ShownCaption showCaption(std::string_view caption, const std::function<bool(std::string_view)>& fits) {
    std::string shown = shortenToFit(caption, fits);
    return {shown, shown == caption ? std::string() : std::string(caption)};
}

std::string shortenToFit(std::string_view text, const std::function<bool(std::string_view)>& fits) {
    if (fits(text)) {
        return std::string(text);
    }
    std::string_view head = text;
    std::string_view exponent;
    std::size_t shortest = 1; // characters kept at least
    if (isNumberText(text)) {
        const std::size_t e = text.find_first_of("eE");
        if (e != std::string_view::npos) {
            exponent = text.substr(e);
            head = text.substr(0, e);
        }
        shortest = head.find_first_of("0123456789.") + 1; // the sign and the first digit
    }
    // Ends of the head's characters, in bytes (UTF-8).
    std::vector<std::size_t> ends;
    for (std::size_t i = 1; i <= head.size(); ++i) {
        if (i == head.size() || (static_cast<unsigned char>(head[i]) & 0xC0) != 0x80) {
            ends.push_back(i);
        }
    }
    if (ends.size() <= shortest) {
        return std::string(text); // nothing to leave out
    }
    const auto keeping = [&](std::size_t characters) {
        return std::string(head.substr(0, ends[characters - 1])) + "…" + std::string(exponent);
    };
    for (std::size_t characters = ends.size() - 1; characters > shortest; --characters) {
        std::string candidate = keeping(characters);
        if (fits(candidate)) {
            return candidate;
        }
    }
    return keeping(shortest);
}

} // namespace velmora
