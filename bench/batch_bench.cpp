// What one address costs the command-line tool in a batch, whole and by
// step: reading the text, entering it into a fresh record as the window
// would, and writing the results as text or JSON.

#include "address_report.h"
#include "addresses/address_text.h"
#include "calculator/event_steps.h"
#include "calculator/result_formats.h"

#include <benchmark/benchmark.h>

#include <array>
#include <string>

namespace {

// A spread of classes, mask forms and lengths, as a batch file would hold.
const std::array<std::string, 8> kInputs = {
    "192.168.1.10/26",  "10.0.0.1",    "172.16.254.3 255.255.240.0", "8.8.8.8/32",
    "100.64.12.200/10", "224.0.0.251", "203.0.113.77/0.0.0.7",       "128.0.0.1/1",
};

void ParseAddress(benchmark::State& run) {
    std::size_t i = 0;
    for (auto _ : run)
        benchmark::DoNotOptimize(quellan::parseAddress(kInputs[i++ % kInputs.size()]));
}
BENCHMARK(ParseAddress);

void EnterAddressIntoFreshRecord(benchmark::State& run) {
    std::array<quellan::ParsedAddress, kInputs.size()> parsed;
    for (std::size_t n = 0; n < kInputs.size(); ++n)
        parsed[n] = quellan::parseAddress(kInputs[n]);
    std::size_t i = 0;
    for (auto _ : run) {
        quellan::WindowState state;
        quellan::windowLoaded(state);
        benchmark::DoNotOptimize(quellan::addressEntered(state, parsed[i++ % parsed.size()]));
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(EnterAddressIntoFreshRecord);

quellan::WindowState enteredRecord() {
    quellan::WindowState state;
    quellan::windowLoaded(state);
    quellan::addressEntered(state, quellan::parseAddress(kInputs[0]));
    return state;
}

void ResultsText(benchmark::State& run) {
    const quellan::WindowState state = enteredRecord();
    for (auto _ : run)
        benchmark::DoNotOptimize(quellan::resultsText(state));
}
BENCHMARK(ResultsText);

void ResultsJson(benchmark::State& run) {
    const quellan::WindowState state = enteredRecord();
    for (auto _ : run)
        benchmark::DoNotOptimize(quellan::resultsJson(state, kInputs[0]));
}
BENCHMARK(ResultsJson);

void WholeAddress(benchmark::State& run, quellan::cli::OutputForm form) {
    quellan::cli::AddressCalculator calculator(form, "cidr");
    std::size_t i = 0;
    for (auto _ : run)
        benchmark::DoNotOptimize(calculator.calculate(kInputs[i++ % kInputs.size()]));
}
BENCHMARK_CAPTURE(WholeAddress, Text, quellan::cli::OutputForm::Text);
BENCHMARK_CAPTURE(WholeAddress, Json, quellan::cli::OutputForm::Json);
BENCHMARK_CAPTURE(WholeAddress, OneKey, quellan::cli::OutputForm::Value);

} // namespace
