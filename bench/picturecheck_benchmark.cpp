#include "cdisplay.h"
#include "picturecheck.h"
#include "tformmain.h"
#include "windowset.h"

#include <QDir>
#include <QFileInfo>
#include <benchmark/benchmark.h>

namespace {

// The files Startup::runProgram checks before the menu shows, for a screen of that size.
void checkPack(benchmark::State& state, QSize screen) {
    const QString pack = QStringLiteral(WK_BINARY_DIR);
    if (!QDir(pack).exists(QStringLiteral("Data/Intf"))) {
        state.SkipWithError("no data pack in the build folder");
        return;
    }
    const QStringList files =
        WindowSet::PictureFiles(CDisplay(screen)) + TFormMain::LaterPictureFiles();
    for (auto _ : state) {
        const QStringList unreadable = PictureCheck::Unreadable(pack, files);
        if (!unreadable.isEmpty())
            state.SkipWithError("a picture of the pack did not pass");
    }
    state.counters["files"] = double(files.size());
    qint64 bytes = 0;
    for (const QString& file : files)
        bytes += QFileInfo(QDir(pack).filePath(file)).size();
    state.counters["bytes"] = double(bytes);
}

void BM_PictureCheck1024x768(benchmark::State& state) {
    checkPack(state, QSize(1024, 768));
}
BENCHMARK(BM_PictureCheck1024x768)->Unit(benchmark::kMillisecond);

void BM_PictureCheck800x600(benchmark::State& state) {
    checkPack(state, QSize(800, 600));
}
BENCHMARK(BM_PictureCheck800x600)->Unit(benchmark::kMillisecond);

} // namespace
