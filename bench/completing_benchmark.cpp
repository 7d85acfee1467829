// The completing window in the big screen variant with the generated data pack: a new game of
// 15 words (spread draw, picture loading, the game object; goal under 100 ms) and composing
// the whole screen with the current word (goal under 5 ms). Skipped when no data pack has
// been built.
#include "cdisplay.h"
#include "cslowa.h"
#include "cstatrec.h"
#include "custgry.h"
#include "materialcheck.h"
#include "randomgenerator.h"
#include "soundplayer.h"
#include "tfmkoniecgry.h"
#include "tfmuzupelnianie.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

QApplication& app() {
    static int argc = 1;
    static char name[] = "wk-completing-bench";
    static char* argv[] = {name, nullptr};
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication* instance = new QApplication(argc, argv);
    return *instance;
}

// A program folder whose Data is the build's data pack (only read), with the statistics
// file in a folder of its own, and the candidate list the menu prepares for all four groups
// in every position.
class CompletingSetup {
public:
    CompletingSetup() : m_previous(QDir::currentPath()) {
        // This build's own pack, else the one of the default build folder.
        QString data = QStringLiteral(WK_BINARY_DIR "/Data");
        if (!QFile::exists(data + "/Intf/Spec/mT_Uzu_b.xji"))
            data = QStringLiteral(WK_SOURCE_DIR "/build/Data");
        if (!QFile::exists(data + "/Intf/Spec/mT_Uzu_b.xji"))
            return;
        QFile::link(data, m_dir.filePath("Data"));
        QDir::setCurrent(m_dir.path());
        settings.poziom = 3;
        settings.gloski = 0x000F;
        settings.pozycja = 0x7000;
        MaterialCheck::MatchingWords(catalogue, MaterialCheck::Game::Completing, settings);
        stats = std::make_unique<CStatRec>(1, m_dir.path());
        summary = std::make_unique<TfmKoniecGry>(display, *stats);
        window = std::make_unique<TfmUzupelnianie>(
            GameServices{display, catalogue, *stats, settings, player, random, *summary});
    }
    ~CompletingSetup() {
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
    std::unique_ptr<TfmUzupelnianie> window;

private:
    QTemporaryDir m_dir;
    QString m_previous;
};

void BM_NowaGra15Words(benchmark::State& state) {
    app();
    CompletingSetup setup;
    if (!setup.ok()) {
        state.SkipWithError("no data pack in the build folder");
        return;
    }
    for (auto _ : state) {
        setup.window->A_NowaGra();
        // The replaced game is freed by the event loop, as in the program.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(setup.window->Game());
    }
    state.counters["words"] = setup.catalogue.SelectionCount();
}
BENCHMARK(BM_NowaGra15Words)->Unit(benchmark::kMillisecond);

void BM_EkranPaint(benchmark::State& state) {
    app();
    CompletingSetup setup;
    if (!setup.ok()) {
        state.SkipWithError("no data pack in the build folder");
        return;
    }
    setup.window->A_NowaGra();
    for (auto _ : state) {
        setup.window->A_EkranPaint();
        // The controls of the word's previous sound buttons go with the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
BENCHMARK(BM_EkranPaint)->Unit(benchmark::kMicrosecond);

} // namespace
