// The worked example's panel with "纯阳·紫霞", every gear set filled and one
// 计算 done: what the press benchmarks press on.
#pragma once

#include "form/form.h"

#include <utility>

namespace velmora::bench {

class IgnoredWarnings : public WarningSink {
public:
    void warn(std::string_view, std::string_view) override {}
    bool dismissesAtOnce() const override { return true; }
};

inline void fillWorkedExample(Form& form) {
    const std::pair<const char*, const char*> panel[] = {
        {"Text1", "3000"}, {"Text3", "15000"}, {"Text4", "105"},  {"Text5", "25"},
        {"Text6", "180"},  {"Text7", "3000"},  {"Text8", "30"},   {"Text15", "50"},
        {"Text18", "100"}, {"Text23", "120"},  {"Text33", "300"}, {"Text10", "90"},
    };
    for (const auto& [name, text] : panel) {
        form.setText(controlNamed(name), text);
    }
    form.click(id("Option2"));
    form.Command1_Click();
}

} // namespace velmora::bench
