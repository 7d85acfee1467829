#include "takecleaner.h"

#include <cmath>
#include <ebur128.h>
#include <gtest/gtest.h>
#include <random>

namespace {

constexpr int kRate = 22050;
enum Kind { Tone, NoiseBurst, Nothing, ToneWithClick };

struct Case {
    const char* name;
    Kind kind;
    double peakDb; // of the burst
    double burstMs;
    double padNoiseDb; // RMS of the noise around and under it; -200 for digital silence
    bool clip;         // the burst driven to twice full scale
    unsigned warnings;
};

std::vector<std::int16_t> make(const Case& c, std::size_t& burstLen) {
    std::mt19937 rng(7);
    auto uniform = [&] { return double(rng()) / double(rng.max()) * 2.0 - 1.0; };
    const std::size_t pad = kRate / 2;
    burstLen = c.kind == Nothing ? 0 : std::size_t(c.burstMs * kRate / 1000);
    const double amp = 32768 * std::pow(10.0, c.peakDb / 20) * (c.clip ? 2 : 1);
    const double noise = 32768 * std::pow(10.0, c.padNoiseDb / 20) * std::sqrt(3.0);
    std::vector<std::int16_t> s;
    double low = 0;
    for (std::size_t i = 0; i < 2 * pad + burstLen; ++i) {
        double v = 1000 + noise * uniform(); // a DC offset in every take
        if (i >= pad && i < pad + burstLen) {
            // Band-limited by one low-pass pole; its peak stays near amp.
            low += 0.3 * (uniform() - low);
            v += c.kind == NoiseBurst ? amp * 2.5 * low
                                      : amp * std::sin(2 * M_PI * 1000 * double(i) / kRate);
            // A lip smack 30 dB above the word: the limiter, not the gain, keeps it down.
            if (c.kind == ToneWithClick && i == pad + burstLen / 2)
                v = 32000;
        }
        s.push_back(std::int16_t(std::clamp(std::lround(v), -32768L, 32767L)));
    }
    return s;
}

double measured(const std::vector<std::int16_t>& s) {
    ebur128_state* st = ebur128_init(1, kRate, EBUR128_MODE_I);
    ebur128_add_frames_short(st, s.data(), s.size());
    double l = 0;
    ebur128_loudness_global(st, &l);
    ebur128_destroy(&st);
    return l;
}

constexpr unsigned Q = unsigned(TakeWarning::TooQuiet), C = unsigned(TakeWarning::Clipped),
                   N = unsigned(TakeWarning::MostlyNoise);

TEST(TakeCleaner, CutsLevelsAndWarns) {
    const Case cases[] = {
        {"loud tone", Tone, -6, 600, -200, false, 0},
        {"quiet tone over noise", Tone, -40, 600, -75, false, 0},
        {"noise burst", NoiseBurst, -20, 800, -70, false, 0},
        {"loud noise burst", NoiseBurst, -6, 500, -200, false, 0},
        {"needs too much gain", Tone, -55, 600, -200, false, Q},
        {"barely above the floor", Tone, -40, 600, -57, false, Q},
        {"clipped", Tone, 0, 600, -70, true, C},
        {"pure noise", Nothing, 0, 0, -50, false, N},
        {"nothing heard", Nothing, 0, 0, -200, false, Q},
        {"a word shorter than one gating block", Tone, -20, 250, -70, false, 0},
        {"a click louder than the word", ToneWithClick, -40, 600, -75, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::size_t burst = 0;
        const std::vector<std::int16_t> in = make(c, burst);
        const CleanedTake t = TakeCleaner::Clean(in, kRate);
        EXPECT_EQ(t.report.warnings.bits, c.warnings);
        double sum = 0, peak = 0;
        for (std::int16_t v : t.samples) {
            sum += v;
            peak = std::max(peak, std::abs(double(v)));
        }
        EXPECT_LT(std::abs(sum / double(t.samples.size())), 50);
        if (c.kind == Nothing) {
            EXPECT_EQ(t.samples.size(), in.size());
            continue;
        }
        const double margin = TakeCleaner::MarginSeconds * kRate;
        EXPECT_NEAR(double(t.samples.size()), double(burst) + 2 * margin, 0.03 * kRate);
        EXPECT_EQ(t.report.peakLimited, c.kind == ToneWithClick);
        EXPECT_NEAR(measured(t.samples), TakeCleaner::TargetLoudness, 1.0);
        EXPECT_LT(20 * std::log10(peak / 32768), TakeCleaner::PeakCeilingDb);
    }
}

TEST(TakeCleaner, EveryWarningHasItsText) {
    EXPECT_EQ(TakeCleaner::WarningText(TakeWarning::TooQuiet), "Nagranie jest za ciche.");
    EXPECT_EQ(TakeCleaner::WarningText(TakeWarning::Clipped), "Nagranie jest przesterowane.");
    EXPECT_EQ(TakeCleaner::WarningText(TakeWarning::MostlyNoise), "Nagranie to prawie sam szum.");
}

} // namespace
