// Appending game-run records to the statistics file: each one opens, checks, writes and closes
// the file, as the games do at every stop.
#include "cstatrec.h"
#include "custgry.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_Append1000Records(benchmark::State& state) {
    QTemporaryDir dir;
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    CUstGry settings;
    settings.gloski = 0x000F;
    settings.pozycja = 0x7000;
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(dir.filePath("prgst1.stt"));
        CStatRec rec(1, dir.path());
        state.ResumeTiming();
        for (int i = 0; i < 1000; ++i) {
            rec.BeginGame(1 + i % 4, settings);
            rec.AddCorrect();
            rec.AddWrong();
            rec.EndGame();
            if (!rec.WriteGame(true)) {
                state.SkipWithError("write failed");
                return;
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_Append1000Records)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // The idle timer needs an application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
