// Time of one PollConnection run against the fakes, with 1 and with 256 listed connections.

#include <benchmark/benchmark.h>

#include <string>

#include "testsupport/EngineFixture.h"

namespace {

void BM_PollConnection(benchmark::State& state) {
    velnix::testing::EngineFixture fixture;
    fixture.settings.Set("Quorath_Software", "Tenaline", "ConnectionName", "Entrée 0");
    for (int i = 0; i < state.range(0); ++i) {
        fixture.ras.Up("Entrée " + std::to_string(i), 1000u * static_cast<uint32_t>(i), 10, 5);
    }
    auto object = fixture.Start();
    fixture.window->log.reserve(1);
    for (auto _ : state) {
        object->PollConnection();
        fixture.window->log.clear();
        fixture.window->states.clear();
        fixture.ras.roomsOffered.clear();
    }
}
BENCHMARK(BM_PollConnection)->Arg(1)->Arg(256)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
