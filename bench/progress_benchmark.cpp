// The progress view over long files: reading 100 000 records (goal under 50 ms) and opening
// the window with 10 000 records, its table and both charts laid out and painted (goal under
// 300 ms). Runs offscreen; the window's stop button needs its pictures from the data pack.
#include "cdisplay.h"
#include "statfile.h"
#include "statreader.h"
#include "tformpostepy.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>

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

void BM_OpenWindowWith10000Records(benchmark::State& state) {
    static int argc = 1;
    static char name[] = "progress-bench";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QApplication app(argc, argv);
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

} // namespace
