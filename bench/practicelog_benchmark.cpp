// The practice log on the build's disk (not a memory file system): how long one answer takes
// to be written, each its own transaction as in a game, and how long the report queries take
// over 100,000 answers of 20 children.
#include "cstatrec.h"
#include "practicelog.h"
#include "practicereport.h"
#include "wordbits.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <ctime>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr int kWrites = 10000;
constexpr int kChildren = 20;
constexpr int kGamesPerChild = 50;
constexpr int kAttemptsPerGame = 100;

const std::uint16_t kSounds[] = {WordBits::Sz, WordBits::Zh, WordBits::Cz, WordBits::Dzh,
                                 WordBits::S,  WordBits::Z,  WordBits::C,  WordBits::Dz};
const std::uint16_t kPositions[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};

double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e6 + double(now.tv_nsec) / 1e3;
}

QString benchFolder() {
    return QStringLiteral(WK_BINARY_DIR "/bench/practicelog-XXXXXX");
}

PracticeLog::Attempt randomAttempt(std::mt19937& random, SystemTime at) {
    const int word = int(random() % 200);
    const PracticeLog::Outcome outcomes[] = {
        PracticeLog::Outcome::Correct, PracticeLog::Outcome::Correct, PracticeLog::Outcome::Wrong,
        PracticeLog::Outcome::Hint};
    return {QStringLiteral("slowo%1").arg(word),
            kSounds[word % 8],
            kPositions[word % 3],
            outcomes[random() % 4],
            QString(),
            at};
}

void BM_AttemptWrite(benchmark::State& state) {
    QTemporaryDir dir(benchFolder());
    PracticeLog log(dir.filePath(PracticeLog::FileName()));
    if (!dir.isValid() || !log.Open()) {
        state.SkipWithError("no log");
        return;
    }
    std::mt19937 random(1);
    std::vector<double> micros;
    double worstCpu = 0;
    micros.reserve(kWrites);
    for (auto _ : state) {
        const std::optional<qint64> game =
            log.BeginGame({std::nullopt, CStatRec::Memory, 1, 1, WordBits::Naglos, {}});
        for (int i = 0; i < kWrites; ++i) {
            const PracticeLog::Attempt attempt = randomAttempt(random, {});
            const double cpuStart = threadCpuMicros();
            const auto start = std::chrono::steady_clock::now();
            const bool written = log.AddAttempt(game.value_or(0), attempt);
            const auto end = std::chrono::steady_clock::now();
            worstCpu = std::max(worstCpu, threadCpuMicros() - cpuStart);
            if (!written) {
                state.SkipWithError("write failed");
                return;
            }
            micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
        }
    }
    std::sort(micros.begin(), micros.end());
    state.counters["median_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["p999_us"] = micros[micros.size() * 999 / 1000];
    state.counters["worst_us"] = micros.back();
    // Far below the worst wall time when the outliers are waits for the disk or the processor.
    state.counters["worst_cpu_us"] = worstCpu;
    state.counters["over_2ms"] =
        double(micros.end() - std::upper_bound(micros.begin(), micros.end(), 2000.0));
}
BENCHMARK(BM_AttemptWrite)->Iterations(1)->Unit(benchmark::kMillisecond);

// One log for all the report benchmarks, made on first use.
PracticeLog& bigLog() {
    static QTemporaryDir dir(benchFolder());
    static std::unique_ptr<PracticeLog> log;
    if (log)
        return *log;
    log = std::make_unique<PracticeLog>(dir.filePath(PracticeLog::FileName()));
    log->Open();
    std::mt19937 random(2);
    for (int c = 0; c < kChildren; ++c) {
        const qint64 child = log->AddChild(QStringLiteral("Dziecko %1").arg(c)).value_or(0);
        for (int g = 0; g < kGamesPerChild; ++g) {
            SystemTime day;
            day.year = 2026;
            day.month = std::uint16_t(1 + g % 12);
            day.day = std::uint16_t(1 + (g * 7 + c) % 28);
            day.hour = 10;
            const qint64 game =
                log->BeginGame({child, 1 + g % 4, 1, 0xFF, WordBits::PositionMask, day})
                    .value_or(0);
            for (int a = 0; a < kAttemptsPerGame; ++a) {
                day.minute = std::uint16_t(a % 60);
                log->AddAttempt(game, randomAttempt(random, day));
            }
            log->FinishGame(game, {600, true, 0, 0, 0, false});
        }
    }
    return *log;
}

PracticeReport::Filter filterFor(const benchmark::State& state) {
    PracticeReport::Filter filter;
    if (state.range(0) == 1) {
        filter.who = PracticeReport::Filter::Who::Child;
        filter.childId = 7;
    }
    if (state.range(1) == 1) {
        filter.from = QDate(2026, 3, 1);
        filter.to = QDate(2026, 5, 31);
    }
    return filter;
}

template <typename Query> void runReport(benchmark::State& state, Query query) {
    PracticeReport report(bigLog());
    const PracticeReport::Filter filter = filterFor(state);
    for (auto _ : state) {
        if (!query(report, filter)) {
            state.SkipWithError("query failed");
            return;
        }
    }
}

void BM_SoundsByPosition(benchmark::State& state) {
    runReport(state, [](PracticeReport& r, const auto& f) { return r.SoundsByPosition(f); });
}
void BM_MostWrongWords(benchmark::State& state) {
    runReport(state, [](PracticeReport& r, const auto& f) { return r.MostWrongWords(f, 20); });
}
void BM_WeeklyAccuracy(benchmark::State& state) {
    runReport(state, [](PracticeReport& r, const auto& f) { return r.WeeklyAccuracy(f); });
}
// Arguments: everyone (0) or one child (1); the whole log (0) or three months (1).
BENCHMARK(BM_SoundsByPosition)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MostWrongWords)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WeeklyAccuracy)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    // Qt's file classes expect an application object.
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
