// Cost of one option read from the real settings file (the monitor reads several a second).

#include <benchmark/benchmark.h>

#include <QTemporaryDir>

#include "config/SettingsKeys.h"
#include "platform/qt/settings/QtSettingsStore.h"

namespace {

void BM_ReadAutoReconnect(benchmark::State& state) {
    QTemporaryDir temp;
    velnix::qt_platform::QtSettingsStore store(temp.path());
    velnix::WriteSetting(store, velnix::settings::kAutoReconnect, true);
    velnix::WriteSetting(store, velnix::settings::kConnectionName, "Mon FAI");
    velnix::WriteSetting(store, velnix::settings::kLogin, "jean");
    for (auto _ : state) {
        benchmark::DoNotOptimize(velnix::ReadSetting(store, velnix::settings::kAutoReconnect));
    }
}
BENCHMARK(BM_ReadAutoReconnect)->Unit(benchmark::kMicrosecond);

void BM_WriteLogin(benchmark::State& state) {
    QTemporaryDir temp;
    velnix::qt_platform::QtSettingsStore store(temp.path());
    for (auto _ : state) velnix::WriteSetting(store, velnix::settings::kLogin, "jean");
}
BENCHMARK(BM_WriteLogin)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
