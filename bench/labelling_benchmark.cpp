// The labelling window in the big screen variant with the generated data pack: a new game of
// 15 words (draw, picture loading, tiles, composing; goal under 100 ms) and one drag step of
// a tile over the shown window (restore, draw, copy out; goal under 1 ms). Skipped when no
// data pack has been built.
#include "cdisplay.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "randomgenerator.h"
#include "soundplayer.h"
#include "tfmkoniecgry.h"
#include "tfmpodpisywanie.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "wk-labelling-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// Frees the games a new game replaced, as the program's event loop does.
void freeReplacedGames() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A program folder whose Data is the build's data pack (only read), with the statistics
// file in a folder of its own; the settings ask for 15 words.
class LabellingSetup {
public:
    LabellingSetup() : m_previous(QDir::currentPath()) {
        // This build's own pack, else the one of the default build folder.
        QString data = QStringLiteral(WK_BINARY_DIR "/Data");
        if (!QFile::exists(data + "/Intf/Spec/mT_Pod_b1.xji"))
            data = QStringLiteral(WK_SOURCE_DIR "/build/Data");
        if (!QFile::exists(data + "/Intf/Spec/mT_Pod_b1.xji"))
            return;
        QFile::link(data, m_dir.filePath("Data"));
        QDir::setCurrent(m_dir.path());
        settings.poziom = 3;
        settings.gloski = 0x000F;
        settings.pozycja = 0x7000;
        catalogue.Filter(settings.pozycja, 0x00FF);
        stats = std::make_unique<CStatRec>(1, m_dir.path());
        summary = std::make_unique<TfmKoniecGry>(display, *stats);
        window = std::make_unique<TfmPodpisywanie>(
            GameServices{display, catalogue, *stats, settings, player, random, *summary});
    }
    ~LabellingSetup() {
        window.reset();
        summary.reset();
        QDir::setCurrent(m_previous);
    }
    bool ok() const { return window != nullptr; }

    CDisplay display{QSize(1024, 768)};
    RandomGenerator random{[] { return std::int64_t{1700000000}; }};
    CSlowa catalogue{random};
    CUstGry settings;
    SoundPlayer player;
    std::unique_ptr<CStatRec> stats;
    std::unique_ptr<TfmKoniecGry> summary;
    std::unique_ptr<TfmPodpisywanie> window;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

void BM_NowaGra15Words(benchmark::State& state) {
    app();
    LabellingSetup setup;
    if (!setup.ok()) {
        state.SkipWithError("no data pack in the build folder");
        return;
    }
    for (auto _ : state) {
        setup.window->A_NowaGra();
        freeReplacedGames();
        benchmark::DoNotOptimize(setup.window->Game());
    }
    state.counters["words"] = setup.catalogue.SelectionCount();
}
BENCHMARK(BM_NowaGra15Words)->Unit(benchmark::kMillisecond);

// The pointer moves a tile around a circuit of small steps over the shown window, each step
// restoring the old place, drawing the tile anew and repainting the two places.
void BM_DragStep(benchmark::State& state) {
    app();
    LabellingSetup setup;
    if (!setup.ok()) {
        state.SkipWithError("no data pack in the build folder");
        return;
    }
    setup.window->show();
    QCoreApplication::processEvents();
    graPodpisywanie& game = *setup.window->Game();
    CPrzGloska& tile = game.Letter(0);
    const QPoint grab(20, 20);
    game.TileDown(tile, grab);
    int step = 0;
    for (auto _ : state) {
        // Out 60 steps of 6 pixels to the lower right, then back.
        const int k = step < 60 ? step : 120 - step;
        step = (step + 1) % 120;
        game.TileMove(tile, grab + QPoint(6 * k, 4 * k), Qt::LeftButton, Qt::NoModifier);
    }
    game.TileUp(tile, grab);
    setup.window->hide();
}
BENCHMARK(BM_DragStep)->Unit(benchmark::kMicrosecond);

} // namespace
