// The therapist's own word models: cleaning one take as the Wzorce window does after a
// recording (goal: under 20 ms for a 2 s take, so the take is ready as the button is let go),
// importing a colleague's folder of a model for every word (goal: under 5 s for all 287), and
// what looking for an own model adds before a word plays (goal: nothing a child could hear;
// well under a millisecond). The goals are shown in the counters, not checked.
#include "cslowa.h"
#include "modelcatalogue.h"
#include "modelimport.h"
#include "modelstore.h"
#include "ownvoice.h"
#include "randomgenerator.h"
#include "recordingfile.h"
#include "takecleaner.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

constexpr int kRate = 22050;

QString benchFolder() {
    return QStringLiteral(WK_BINARY_DIR "/bench/wordmodels-XXXXXX");
}

// A take as a microphone gives it: room noise at about -60 dBFS all through, and in the middle
// a voiced sound (a 130 Hz pitch with falling harmonics, swelling and fading) about 12 dB
// under full scale.
std::vector<std::int16_t> take(double seconds, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 30.0);
    const std::size_t count = std::size_t(seconds * kRate);
    const std::size_t from = count / 5, to = count - count / 5;
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        double v = noise(random);
        if (i >= from && i < to) {
            const double t = double(i) / kRate;
            const double swell = std::sin(std::numbers::pi * double(i - from) / double(to - from));
            double voice = 0;
            for (int k = 1; k <= 10; ++k)
                voice += std::sin(2 * std::numbers::pi * 130.0 * k * t) / k;
            v += 5000.0 * swell * voice;
        }
        samples[i] = std::int16_t(std::lround(std::clamp(v, -32768.0, 32767.0)));
    }
    return samples;
}

const ModelCatalogue& catalogue() {
    static RandomGenerator random;
    static const CSlowa words(random);
    static const ModelCatalogue models(words.Words());
    return models;
}

void BM_CleanTwoSecondTake(benchmark::State& state) {
    const std::vector<std::int16_t> samples = take(2.0, 1);
    for (auto _ : state) {
        CleanedTake cleaned = TakeCleaner::Clean(samples, kRate);
        benchmark::DoNotOptimize(cleaned.samples.data());
    }
    state.counters["goal_ms"] = 20;
    state.SetLabel("goal < 20 ms");
}
BENCHMARK(BM_CleanTwoSecondTake)->Unit(benchmark::kMillisecond);

void BM_Import287Files(benchmark::State& state) {
    QTemporaryDir takes(benchFolder());
    if (!takes.isValid()) {
        state.SkipWithError("no folder for the takes");
        return;
    }
    // One 1.5 s take per word, named by its key; the same take for all, as the cleaning of one
    // does not depend on the others.
    const std::vector<std::int16_t> samples = take(1.5, 2);
    const QByteArray wave = RecordingFile::WaveOf(samples.data(), samples.size());
    for (const ModelEntry& word : catalogue().Words()) {
        QFile file(takes.filePath(word.name + QStringLiteral(".wav")));
        if (!file.open(QIODevice::WriteOnly) || file.write(wave) != wave.size()) {
            state.SkipWithError("a take could not be written");
            return;
        }
    }
    const int files = int(catalogue().Words().size());
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        QTemporaryDir models(benchFolder());
        ModelStore store(models.path());
        state.ResumeTiming();
        imported = ModelImport::ImportedCount(ModelImport::Run(takes.path(), catalogue(), store));
    }
    if (imported != files) {
        state.SkipWithError("not every take was imported");
        return;
    }
    state.counters["files"] = files;
    state.counters["goal_s"] = 5;
    state.SetLabel("goal < 5 s");
}
BENCHMARK(BM_Import287Files)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// Argument: 0 without an own model of the word, 1 with one.
void BM_WordSoundLookup(benchmark::State& state) {
    QTemporaryDir models(benchFolder());
    const QString key = QStringLiteral("szalik");
    OwnVoice::SetFolder(models.path());
    if (state.range(0) == 1) {
        const std::vector<std::int16_t> samples = take(1.0, 3);
        ModelStore(models.path()).Save(key, samples);
    }
    bool found = false;
    for (auto _ : state) {
        const QString own = OwnVoice::WordFile(key);
        found = !own.isEmpty() && QFileInfo::exists(own);
        benchmark::DoNotOptimize(found);
    }
    OwnVoice::SetFolder(QString());
    if (found != (state.range(0) == 1)) {
        state.SkipWithError("the model was not found as it should be");
        return;
    }
    state.counters["goal_us"] = 1000;
    state.SetLabel(found ? "with a model; goal < 1 ms" : "without a model; goal < 1 ms");
}
BENCHMARK(BM_WordSoundLookup)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

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
