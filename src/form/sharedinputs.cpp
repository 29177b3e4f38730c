#include "form/sharedinputs.h"

#include "form/boxtext.h"
#include "form/fields.h"
#include "form/form.h"
#include "form/gearset1.h"
#include "form/hastemode.h"

#include <algorithm>

namespace velmora {

namespace {

constexpr std::string_view kVersion = "v1";
using field::kBuffBoxes;
using field::kHasteBoxes;

bool isUnreserved(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

bool isDisciplineOption(FieldId field) {
    return kControls[field].kind == Kind::OptionButton && kControls[field].container == "Frame6";
}

} // namespace

void percentEncode(std::string& out, std::string_view text) {
    constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : text) {
        if (isUnreserved(c)) {
            out += c;
        } else {
            const auto byte = static_cast<unsigned char>(c);
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
}

std::optional<std::string> percentDecode(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%') {
            const int high = i + 1 < text.size() ? hexValue(text[i + 1]) : -1;
            const int low = i + 2 < text.size() ? hexValue(text[i + 2]) : -1;
            if (high < 0 || low < 0) {
                return std::nullopt;
            }
            out += static_cast<char>(high * 16 + low);
            i += 2;
        } else if (isUnreserved(text[i])) {
            out += text[i];
        } else {
            return std::nullopt;
        }
    }
    return out;
}

std::string encodeInputs(const FieldStore& fields) {
    std::string out(kVersion);
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        if (isDisciplineOption(field) && fields.value(field) == 1) {
            out += "&d=";
            out += design.name;
        }
    }
    const bool anyBuff = std::any_of(kBuffBoxes.begin(), kBuffBoxes.end(),
                                     [&](FieldId box) { return fields.value(box) == 1; });
    if (anyBuff) {
        out += "&b=";
        for (FieldId box : kBuffBoxes) {
            out += fields.value(box) == 1 ? '1' : '0';
        }
    }
    if (hasteModeOn(fields)) {
        out += "&h=1";
    }
    if (fields.text(id("Command5")) == kSet1OffCaption) {
        out += "&s=1";
    }
    for (FieldId field = 0; field < kControlCount; ++field) {
        const ControlDesign& design = kControls[field];
        if (design.kind == Kind::TextBox && fields.text(field) != design.text) {
            out += '&';
            out += design.name;
            out += '=';
            percentEncode(out, fields.text(field));
        }
    }
    return out;
}

std::optional<SharedInputs> decodeInputs(std::string_view text) {
    if (text.size() > kMaxSharedLength || text.substr(0, kVersion.size()) != kVersion) {
        return std::nullopt;
    }
    text.remove_prefix(kVersion.size());
    SharedInputs inputs;
    std::vector<bool> seen(kControlCount, false);
    bool seenBuffs = false;
    while (!text.empty()) {
        if (text.front() != '&') {
            return std::nullopt;
        }
        text.remove_prefix(1);
        const std::size_t end = std::min(text.find('&'), text.size());
        const std::string_view pair = text.substr(0, end);
        text.remove_prefix(end);
        const std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            return std::nullopt;
        }
        const std::string_view key = pair.substr(0, equals);
        const std::string_view value = pair.substr(equals + 1);
        if (key == "d") {
            FieldId option = 0;
            if (inputs.discipline || !findControl(value, option) || !isDisciplineOption(option)) {
                return std::nullopt;
            }
            inputs.discipline = option;
        } else if (key == "b") {
            if (seenBuffs || value.size() != kBuffBoxes.size() ||
                value.find_first_not_of("01") != std::string_view::npos) {
                return std::nullopt;
            }
            seenBuffs = true;
            for (std::size_t i = 0; i < kBuffBoxes.size(); ++i) {
                inputs.buffs[i] = value[i] == '1';
            }
        } else if (key == "h" || key == "s") {
            bool& flag = key == "h" ? inputs.hasteMode : inputs.set1Off;
            if (flag || value != "1") {
                return std::nullopt;
            }
            flag = true;
        } else {
            FieldId box = 0;
            if (!findControl(key, box) || kControls[box].kind != Kind::TextBox || seen[box]) {
                return std::nullopt;
            }
            seen[box] = true;
            std::optional<std::string> decoded = percentDecode(value);
            if (!decoded || decoded->size() > kMaxSharedText || !isShowable(*decoded)) {
                return std::nullopt;
            }
            inputs.texts.emplace_back(box, std::move(*decoded));
        }
    }
    // Outside haste mode the haste boxes hold their start texts.
    if (!inputs.hasteMode) {
        for (FieldId box : kHasteBoxes) {
            if (seen[box]) {
                return std::nullopt;
            }
        }
    }
    return inputs;
}

bool isGearListAddress(std::string_view piece) {
    return piece.empty() || (piece.starts_with(kGearListKey) && piece.size() > kGearListKey.size() &&
                             percentDecode(piece.substr(kGearListKey.size())).has_value());
}

std::string addressFragment(const FieldStore& fields) {
    std::string inputs = encodeInputs(fields);
    return inputs == kVersion ? std::string() : "#" + inputs;
}

std::string Form::address() const {
    FieldStore shown;
    for (FieldId field = 0; field < kControlCount; ++field) {
        shown.setText(field, m_fields.shown(field).text);
        shown.setVisible(field, m_fields.shown(field).visible);
        shown.setValue(field, m_fields.shown(field).value);
    }
    // The candidate list of 最佳组合 follows the inputs, so that a reload or a
    // shared link keeps it too.
    const std::string inputs = addressFragment(shown);
    return m_gearListAddress.empty()
               ? inputs
               : (inputs.empty() ? "#" + std::string(kVersion) : inputs) + m_gearListAddress;
}

bool Form::restoreInputs(std::string_view text) {
    const std::size_t listAt = std::min(text.find(kGearListKey), text.size());
    const std::optional<SharedInputs> inputs = decodeInputs(text.substr(0, listAt));
    const std::string_view list = text.substr(listAt);
    if (!inputs || !isGearListAddress(list)) {
        return false;
    }
    m_gearListAddress = list;
    run([&] {
        if (inputs->hasteMode && !hasteModeOn(m_fields)) {
            Command3_Click();
        }
        if (inputs->discipline) {
            selectOption(*inputs->discipline);
            chooseDiscipline(*inputs->discipline);
        }
        // The panel texts already hold the buffs' amounts and lack set 1's
        // when it is off: only the boxes and the caption are set.
        for (std::size_t i = 0; i < inputs->buffs.size(); ++i) {
            m_fields.setValue(kBuffBoxes[i], inputs->buffs[i] ? 1 : 0);
        }
        if (inputs->set1Off) {
            write(id("Command5"), std::string(kSet1OffCaption));
        }
        for (const auto& [box, boxText] : inputs->texts) {
            write(box, boxText);
        }
    });
    return true;
}

} // namespace velmora
