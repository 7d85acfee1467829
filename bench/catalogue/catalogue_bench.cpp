// Filtering and drawing happen at every new game; the resource check of all 1722 media files
// should stay well under 50 ms.
#include "cslowa.h"
#include "randomgenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void FilterAndDrawRandom(benchmark::State& state) {
    RandomGenerator random;
    CSlowa catalogue(random);
    for (auto _ : state) {
        catalogue.Filter(0x7000, 0x000F);
        benchmark::DoNotOptimize(catalogue.DrawRandom(15));
    }
}
BENCHMARK(FilterAndDrawRandom);

void FilterAndDrawSpread(benchmark::State& state) {
    RandomGenerator random;
    CSlowa catalogue(random);
    for (auto _ : state) {
        catalogue.Filter(0x7000, 0x00FF);
        benchmark::DoNotOptimize(catalogue.DrawSpread(15, 0x000F));
    }
}
BENCHMARK(FilterAndDrawSpread);

// Runs the check with a temporary folder as the current directory, with or without every
// media file present (empty files: only their existence is tested).
void CheckResources(benchmark::State& state, bool present) {
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    RandomGenerator random;
    CSlowa catalogue(random);
    if (present) {
        for (const char* folder : {"Data/Sio", "Data/Bio", "Data/Smd"})
            QDir().mkpath(QString::fromLatin1(folder));
        for (const WordEntry& word : catalogue.Words()) {
            for (const QString& path : CSlowa::ResourcePaths(word.Key)) {
                QFile file(path);
                if (!file.open(QIODevice::WriteOnly)) {
                    state.SkipWithError("cannot create the media files");
                    QDir::setCurrent(previous);
                    return;
                }
            }
        }
    }
    for (auto _ : state) {
        QStringList missing;
        benchmark::DoNotOptimize(catalogue.CheckResources(&missing));
        if (missing.size() != (present ? 0 : 1722))
            state.SkipWithError("unexpected number of missing files");
    }
    QDir::setCurrent(previous);
}
BENCHMARK_CAPTURE(CheckResources, allPresent, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(CheckResources, allMissing, false)->Unit(benchmark::kMillisecond);

} // namespace
