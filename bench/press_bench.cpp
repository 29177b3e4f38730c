// One 计算 press and one 总收益 press, timed with the standard clock so that
// the same program runs natively and as WebAssembly under Node. Prints the
// median of 21 rounds of 20000 presses each, in nanoseconds per press.
#include "workedexample.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

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
    velmora::bench::IgnoredWarnings warnings;
    velmora::Form form(warnings);
    velmora::bench::fillWorkedExample(form);
    const double calculate = medianNanoseconds([&] { form.Command1_Click(); });
    const double totals = medianNanoseconds([&] { form.Command2_Click(); });
    std::fputs(("calculate_ns " + std::to_string(static_cast<long>(calculate)) + "\n").c_str(), stdout);
    std::fputs(("total_gain_ns " + std::to_string(static_cast<long>(totals)) + "\n").c_str(), stdout);
    return 0;
}
