#include "calculator/event_steps.h"
#include "calculator/recalculation.h"

#include <benchmark/benchmark.h>

namespace {

quellan::WindowState typicalRecord() {
    quellan::WindowState state;
    state.octets = {"192", "168", "1", "10"};
    state.sliderValue = 24;
    return state;
}

void OneRecalculation(benchmark::State& run) {
    quellan::WindowState state = typicalRecord();
    for (auto _ : run) {
        quellan::Dumbo(state);
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(OneRecalculation);

// What a user does in a few seconds: type 192.168.1.10 digit by digit, then
// drag the slider across its whole track.
void TypeAddressThenSweepSlider(benchmark::State& run) {
    for (auto _ : run) {
        quellan::WindowState state;
        quellan::windowLoaded(state);
        const std::array<std::string, 4> octets{"192", "168", "1", "10"};
        for (std::size_t box = 0; box < octets.size(); ++box)
            for (std::size_t length = 1; length <= octets[box].size(); ++length)
                quellan::octetChanged(state, box, octets[box].substr(0, length));
        for (std::int32_t position = 1; position <= 32; ++position)
            quellan::sliderMoved(state, position);
        benchmark::DoNotOptimize(state);
    }
}
BENCHMARK(TypeAddressThenSweepSlider);

} // namespace
