// The progress view over long files: reading 100 000 records (goal under 50 ms); opening the
// window with 10 000 records, its table and both charts laid out and painted (goal under
// 300 ms); opening it on one child of a practice log of 100 000 answers of 20 children (goal
// under 200 ms to painted); and the report PDF of one child's year of practice (goal under
// 1 s). Runs offscreen; the window's stop button needs its pictures from the data pack, the
// words' pictures come from it too.
#include "cdisplay.h"
#include "cstatrec.h"
#include "practicelog.h"
#include "progressreport.h"
#include "statfile.h"
#include "statreader.h"
#include "tformpostepy.h"
#include "wordbits.h"
#include "wordtable.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <random>

namespace {

QString writeStats(const QTemporaryDir& dir, int count) {
    QByteArray bytes(StatFile::HeaderSize, '\0');
    StatFile::EncodeHeader(1, {2024, 3, 2, 5, 10, 0, 0, 0}, bytes.data());
    bytes.reserve(StatFile::HeaderSize + count * StatRecord::Size);
    const auto start = std::chrono::sys_days{std::chrono::year{2023} / 1 / 1};
    for (int i = 0; i < count; ++i) {
        StatRecord r;
        r.kind = 1 + i % 4;
        SystemTime::fromTimePoint(
            std::chrono::floor<std::chrono::milliseconds>(start + std::chrono::minutes(37 * i)),
            r.start);
        r.poziom = static_cast<std::uint16_t>(1 + i % 3);
        r.gloski = static_cast<std::uint16_t>(1 + i % 15);
        r.pozycja = static_cast<std::uint16_t>(0x1000 * (1 + i % 7));
        r.duration = 60 + i % 500;
        r.completed = static_cast<std::uint16_t>(i % 2);
        r.correct = i % 13;
        r.wrong = i % 5;
        QByteArray one(StatRecord::Size, '\0');
        r.Encode(one.data());
        bytes += one;
    }
    const QString path = dir.filePath(QStringLiteral("prgst1.stt"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
    return path;
}

void BM_Read100000Records(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = writeStats(dir, 100000);
    for (auto _ : state) {
        const StatReader::Result read = StatReader::ReadFile(path);
        benchmark::DoNotOptimize(read.records.data());
    }
}
BENCHMARK(BM_Read100000Records)->Unit(benchmark::kMillisecond);

QApplication& application() {
    static int argc = 1;
    static char name[] = "progress-bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
    return app;
}

void BM_OpenWindowWith10000Records(benchmark::State& state) {
    application();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(WK_BINARY_DIR));
    QTemporaryDir dir;
    const QString path = writeStats(dir, 10000);
    const CDisplay display(QSize(1024, 768));
    for (auto _ : state) {
        TFormPostepy window(display, path);
        window.show();
        window.grab(); // table and charts laid out and painted
        window.close();
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_OpenWindowWith10000Records)->Unit(benchmark::kMillisecond);

// A log on the build's disk: children × games × answers, the games spread over a year from
// 2026-01-05, the words the catalogue's. Written as the games write it, a transaction each.
QString writeLog(const QTemporaryDir& dir, int children, int games, int answers) {
    const QString path = dir.filePath(PracticeLog::FileName());
    PracticeLog log(path);
    if (!log.Open())
        return {};
    std::mt19937 random(3);
    const auto words = WordTable::rows();
    const auto start =
        std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours(9);
    for (int c = 0; c < children; ++c) {
        const qint64 child = log.AddChild(QStringLiteral("Dziecko %1").arg(c + 1)).value_or(0);
        for (int g = 0; g < games; ++g) {
            const auto begun = start + std::chrono::minutes(365 * 24 * 60 * g / games + 7 * c);
            SystemTime at;
            SystemTime::fromTimePoint(std::chrono::floor<std::chrono::milliseconds>(begun), at);
            const qint64 game =
                log.BeginGame({child, 1 + g % 4, 1, 0xF, WordBits::PositionMask, at}).value_or(0);
            int correct = 0, wrong = 0;
            for (int a = 0; a < answers; ++a) {
                const WordTable::Row& word = words[random() % words.size()];
                SystemTime::fromTimePoint(std::chrono::floor<std::chrono::milliseconds>(
                                              begun + std::chrono::seconds(5 * a)),
                                          at);
                const bool right = random() % 4 != 0;
                (right ? correct : wrong) += 1;
                log.AddAttempt(game,
                               {QString::fromLatin1(word.key),
                                std::uint16_t(word.code & WordBits::SoundMask),
                                std::uint16_t(word.code & WordBits::PositionMask),
                                right ? PracticeLog::Outcome::Correct : PracticeLog::Outcome::Wrong,
                                {},
                                at});
            }
            log.FinishGame(game, {answers * 5, true, correct, wrong, 0, false});
        }
    }
    return path;
}

ProgressSources sourcesFor(const QString& log, std::optional<qint64> child) {
    return {log, QString(), child, QStringLiteral("Dziecko"), {}};
}

// Arguments: 0 opens on one child (as when that child practises), 1 on everyone.
void BM_OpenWindowOnALogOf100000Answers(benchmark::State& state) {
    application();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(WK_BINARY_DIR));
    QTemporaryDir dir(QStringLiteral(WK_BINARY_DIR "/bench/progress-XXXXXX"));
    const QString log = writeLog(dir, 20, 50, 100);
    const CDisplay display(QSize(1024, 768));
    for (auto _ : state) {
        TFormPostepy window(display, sourcesFor(log, state.range(0) == 0 ? std::optional<qint64>(7)
                                                                         : std::nullopt));
        window.show();
        if (state.range(0) == 1)
            window.ChildChooser().setCurrentIndex(0);
        window.grab(); // table and charts laid out and painted
        if (!window.ReadsLog()) {
            state.SkipWithError("the log was not read");
            break;
        }
        window.close();
    }
    QDir::setCurrent(previous);
}
BENCHMARK(BM_OpenWindowOnALogOf100000Answers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ReportOfAYearOfOneChild(benchmark::State& state) {
    application();
    const QString previous = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(WK_BINARY_DIR));
    QTemporaryDir dir(QStringLiteral(WK_BINARY_DIR "/bench/progress-XXXXXX"));
    // Five games a week, 30 answers each.
    const QString log = writeLog(dir, 1, 260, 30);
    const CDisplay display(QSize(1024, 768));
    TFormPostepy window(display, sourcesFor(log, 1));
    window.show();
    window.grab();
    int pages = 0;
    for (auto _ : state) {
        ProgressReport::Drawn drawn;
        const QByteArray pdf = ProgressReport::Pdf(window.ReportContent(), &drawn);
        benchmark::DoNotOptimize(pdf.data());
        pages = drawn.pages;
    }
    state.counters["pages"] = pages;
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ReportOfAYearOfOneChild)->Unit(benchmark::kMillisecond);

} // namespace
