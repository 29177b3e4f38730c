// A form with its warnings recorded, addressed by control name as a user
// would see it.
#pragma once

#include "script.h"
#include "workedexample.h"

#include <gtest/gtest.h>

#include <new>

#include <string>
#include <utility>
#include <vector>

namespace velmora {
inline void PrintTo(const FieldState& state, std::ostream* out) {
    *out << '"' << state.text << '"' << (state.visible ? "" : " hidden") << " value " << state.value;
}
} // namespace velmora

namespace velmora::testing {

inline FieldId control(std::string_view name) {
    FieldId field = 0;
    if (!findControl(name, field)) {
        ADD_FAILURE() << "no control " << name;
    }
    return field;
}

class FormTest : public ::testing::Test {
protected:
    void set(std::string_view name, std::string text) { form.setText(control(name), std::move(text)); }
    void click(std::string_view name) { form.click(control(name)); }
    void enter(std::string_view name) { form.enter(control(name)); }
    const std::string& text(std::string_view name) const { return form.fields().text(control(name)); }
    bool visible(std::string_view name) const { return form.fields().visible(control(name)); }
    int value(std::string_view name) const { return form.fields().value(control(name)); }

    void setPanel(std::initializer_list<std::pair<std::string_view, std::string>> values) {
        for (const auto& [name, value] : values) {
            set(name, value);
        }
    }
    // The worked example's panel (workedexample.h).
    void setWorkedExample() {
        for (const auto& [name, value] : kWorkedPanel) {
            set(name, std::string(value));
        }
    }
    std::vector<std::pair<std::string, std::string>> takeWarnings() {
        return std::exchange(warnings.shown, {});
    }

    // Every text and caption, to tell that a press changed nothing.
    std::vector<FieldState> snapshot() const {
        std::vector<FieldState> all;
        for (FieldId field = 0; field < kControlCount; ++field) {
            all.push_back(
                {form.fields().text(field), form.fields().visible(field), form.fields().value(field)});
        }
        return all;
    }

    // A new window, as at start, for the next case of a table.
    void startOver() {
        form.~Form();
        new (&form) Form(warnings);
        warnings.shown.clear();
    }

    tools::RecordingWarnings warnings;
    Form form{warnings};
};

using Warnings = std::vector<std::pair<std::string, std::string>>;
inline const std::pair<std::string, std::string> kNoDiscipline{"敢问大侠来自何门何派？", "请选择 门派·心法"};
inline const std::pair<std::string, std::string> kGuard{"大侠先把衣服穿上，小心着凉（已帮您穿上）",
                                                        "记得有脱必有穿"};
inline const std::pair<std::string, std::string> kOutOfRange{"数值超出计算范围，请检查输入的数值。",
                                                             "数值超出范围"};

} // namespace velmora::testing
