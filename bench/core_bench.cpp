// Costs of the core's conversions and of one press of each handler.
#include "model/form.h"
#include "model/numbertext.h"
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

} // namespace
} // namespace velmora

BENCHMARK_MAIN();
