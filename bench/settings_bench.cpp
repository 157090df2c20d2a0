#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "shell/settings_store.h"

namespace {

// One integer written through to the file, as a high score or key binding is.
void BM_SettingsWriteFlushed(benchmark::State& state) {
    QTemporaryDir dir;
    shell::StderrSettingsErrors errors;
    shell::SettingsStore store(dir.filePath("settings.ini"), errors);
    for (int key = 1; key <= 5; ++key) {
        store.writeInt("Key" + std::to_string(key), key);
    }
    int value = 0;
    for (auto _ : state) {
        store.writeInt("HiScore1", ++value);
    }
}
BENCHMARK(BM_SettingsWriteFlushed)->Unit(benchmark::kMicrosecond);

} // namespace
