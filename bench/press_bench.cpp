// One 计算 press and one 总收益 press, timed with the standard clock so that
// the same program runs natively and as WebAssembly under Node. Prints the
// median of 21 rounds of 20000 presses each, in nanoseconds per press.
#include "model/form.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

using velmora::FieldId;
using velmora::Form;

class IgnoredWarnings : public velmora::WarningSink {
public:
    void warn(std::string_view, std::string_view) override {}
};

// The worked example's panel with "纯阳·紫霞" and the grid filled.
void fillWorkedExample(Form& form) {
    const std::pair<const char*, const char*> panel[] = {
        {"Text1", "3000"}, {"Text3", "15000"}, {"Text4", "105"},  {"Text5", "25"},
        {"Text6", "180"},  {"Text7", "3000"},  {"Text8", "30"},   {"Text15", "50"},
        {"Text18", "100"}, {"Text23", "120"},  {"Text33", "300"}, {"Text10", "90"},
    };
    for (const auto& [name, text] : panel) {
        FieldId field = 0;
        velmora::findControl(name, field);
        form.setText(field, text);
    }
    form.click(velmora::id("Option2"));
    form.Command1_Click();
}

template <typename Press> double medianNanoseconds(Press press) {
    constexpr int kRounds = 21;
    constexpr int kPresses = 20000;
    std::vector<double> rounds;
    for (int round = 0; round < kRounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kPresses; ++i) {
            press();
        }
        const std::chrono::duration<double, std::nano> spent = std::chrono::steady_clock::now() - start;
        rounds.push_back(spent.count() / kPresses);
    }
    std::nth_element(rounds.begin(), rounds.begin() + kRounds / 2, rounds.end());
    return rounds[kRounds / 2];
}

} // namespace

int main() {
    IgnoredWarnings warnings;
    Form form(warnings);
    fillWorkedExample(form);
    const double calculate = medianNanoseconds([&] { form.Command1_Click(); });
    const double totals = medianNanoseconds([&] { form.Command2_Click(); });
    std::fputs(("calculate_ns " + std::to_string(static_cast<long>(calculate)) + "\n").c_str(), stdout);
    std::fputs(("total_gain_ns " + std::to_string(static_cast<long>(totals)) + "\n").c_str(), stdout);
    return 0;
}
