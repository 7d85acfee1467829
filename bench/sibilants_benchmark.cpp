#include "sibilantanalysis.h"
#include "sibilantstream.h"
#include "takespectrogram.h"

#include <benchmark/benchmark.h>
#include <cmath>
#include <random>
#include <vector>

namespace {

// A word-like 2 s: silence, a hiss, a vowel, a hiss, silence, so that every part of the
// analysis has work.
std::vector<short> word(int rate) {
    std::vector<short> s(std::size_t(2 * rate));
    std::mt19937 random(3);
    std::normal_distribution<double> noise(0, 3000);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        double v = 0;
        if ((t > 0.3 && t < 0.6) || (t > 1.2 && t < 1.5))
            v = noise(random);
        else if (t >= 0.6 && t <= 1.2)
            v = 8000 * std::sin(2 * M_PI * 200 * t) + 3000 * std::sin(2 * M_PI * 800 * t);
        s[i] = short(std::lround(v));
    }
    return s;
}

void BM_AnalyseTwoSecondWord(benchmark::State& state) {
    const int rate = int(state.range(0));
    const std::vector<short> take = word(rate);
    for (auto _ : state)
        benchmark::DoNotOptimize(SibilantAnalysis::Of(take, rate));
}
BENCHMARK(BM_AnalyseTwoSecondWord)->Arg(22050)->Arg(44100)->Unit(benchmark::kMillisecond);

// The live mirror's cost: 10 ms of sound pushed at a time, as a sound card delivers it.
void BM_StreamTenMilliseconds(benchmark::State& state) {
    const int rate = 44100;
    const std::vector<short> take = word(rate);
    const std::size_t block = rate / 100;
    SibilantStream stream(rate);
    std::size_t at = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(stream.push(std::span(take).subspan(at, block)));
        at = (at + block) % (take.size() - block);
    }
}
BENCHMARK(BM_StreamTenMilliseconds)->Unit(benchmark::kMicrosecond);

void BM_SpectrogramOfTwoSecondWord(benchmark::State& state) {
    const int rate = 44100;
    const std::vector<short> take = word(rate);
    for (auto _ : state)
        benchmark::DoNotOptimize(TakeSpectrogram::Of(take, rate, 96));
}
BENCHMARK(BM_SpectrogramOfTwoSecondWord)->Unit(benchmark::kMillisecond);

} // namespace
