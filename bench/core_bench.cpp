// Costs of the core's conversions and of one press of each handler.
#include "form/form.h"
#include "form/numbertext.h"
#include "view/gearinsight.h"
#include "workedexample.h"

#include <benchmark/benchmark.h>

namespace velmora {
namespace {

using bench::IgnoredWarnings;

void BM_TextToNumber(benchmark::State& state) {
    for (auto _ : state) {
        benchmark::DoNotOptimize(TextToNumber("3.04085794994154"));
    }
}
BENCHMARK(BM_TextToNumber);

void BM_NumberToText(benchmark::State& state) {
    double value = 3.04085794994154;
    for (auto _ : state) {
        benchmark::DoNotOptimize(value);
        benchmark::DoNotOptimize(NumberToText(value, Precision::Double));
    }
}
BENCHMARK(BM_NumberToText);

struct WorkedExample {
    IgnoredWarnings warnings;
    Form form{warnings};
    WorkedExample() { bench::fillWorkedExample(form); }
};

void BM_Calculate(benchmark::State& state) {
    WorkedExample example;
    for (auto _ : state) {
        example.form.Command1_Click();
    }
}
BENCHMARK(BM_Calculate);

void BM_TotalGain(benchmark::State& state) {
    WorkedExample example;
    for (auto _ : state) {
        example.form.Command2_Click();
    }
}
BENCHMARK(BM_TotalGain);

// A take-off and a put-on, each with its 计算: two presses per iteration.
void BM_TakeOffAndPutOn(benchmark::State& state) {
    WorkedExample example;
    for (auto _ : state) {
        example.form.Command5_Click();
        example.form.Command5_Click();
    }
}
BENCHMARK(BM_TakeOffAndPutOn);

// Ticking and unticking a buff: two clicks per iteration.
void BM_BuffClicks(benchmark::State& state) {
    WorkedExample example;
    for (auto _ : state) {
        example.form.click(id("Check2"));
        example.form.click(id("Check2"));
    }
}
BENCHMARK(BM_BuffClicks);

// The whole of 实际提升 and 收益曲线 at the default range: every curve at the
// resolution drawn, the caps found, the ticks, and the four exact changes.
void BM_GainPictureAndExactChanges(benchmark::State& state) {
    WorkedExample example;
    example.form.Command1_Click();
    const MeasuredSheet measured = example.form.gainStore()->measured;
    const std::vector<Ratings> sets{{}, {0, 0, 135}, {0, 0, 0, 100}, {20, 40, 0, 0, 60}};
    const std::vector<std::string> names{"第一套", "第二套", "第三套", "第四套"};
    for (auto _ : state) {
        benchmark::DoNotOptimize(gainPicture(measured, kCurveRanges[kDefaultCurveRange]));
        benchmark::DoNotOptimize(exactChanges(measured, sets, true, names, {0, 3, 2, 1}));
    }
}
BENCHMARK(BM_GainPictureAndExactChanges);

} // namespace
} // namespace velmora

BENCHMARK_MAIN();
