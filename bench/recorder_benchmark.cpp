// Starting a recording (open, empty the file, start capturing) and a playback (open, read a
// minute-long recording, start playing). Goal: under 150 ms each. Runs on SDL's dummy driver
// unless SDL_AUDIODRIVER says otherwise.
#include "cnagrywanie.h"
#include "recordingfile.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <vector>

namespace {

// A full-length recording, so that the earlier sound has to be removed and playback has to
// read a whole minute.
QString minuteRecording(const QTemporaryDir& dir) {
    const int samples = 22050 * 60;
    QByteArray wave = RecordingFile::EmptyWave();
    qToLittleEndian<quint32>(quint32(38 + samples * 2), wave.data() + 4);
    qToLittleEndian<quint32>(quint32(samples * 2), wave.data() + 42);
    QByteArray data(samples * 2, '\0');
    for (int i = 0; i < samples; ++i) {
        qToLittleEndian<qint16>(qint16((i * 37) % 20000 - 10000), data.data() + i * 2);
    }
    const QString path = dir.filePath("Nagranie0.wav");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(wave + data) != wave.size() + data.size()) {
        return {};
    }
    return path;
}

void BM_StartRecording(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = minuteRecording(dir);
    CNagrywanie recorder([] {}, [] {});
    for (auto _ : state) {
        state.PauseTiming();
        minuteRecording(dir);
        state.ResumeTiming();
        const bool opened = recorder.OpenFile(path);
        const bool started = opened && recorder.StartRecording(60000);
        state.PauseTiming();
        if (!started) {
            state.SkipWithError("no capture device");
            break;
        }
        recorder.Stop();
        recorder.CloseDevice();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartRecording)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_StartPlayback(benchmark::State& state) {
    QTemporaryDir dir;
    const QString path = minuteRecording(dir);
    CNagrywanie recorder([] {}, [] {});
    for (auto _ : state) {
        recorder.OpenFile(path);
        recorder.StartPlayback();
        state.PauseTiming();
        if (!recorder.IsPlaying()) {
            state.SkipWithError("no playback device");
            break;
        }
        recorder.Stop();
        recorder.CloseDevice();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartPlayback)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
