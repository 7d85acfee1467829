// The analysis of signals of known make-up: where frication is found and where not, its centre
// of gravity, its verdict, its segments; the same sound at both of the program's rates.
#include "sibilantanalysis.h"
#include "testsignals.h"

#include <gtest/gtest.h>

using namespace TestSignals;

namespace {

constexpr double kEdgeMs = 200;

// The sound between two stretches of silence.
std::vector<short> framed(int rate, const std::vector<double>& sound, double gain = 1.0) {
    return pcm(join({silence(rate, kEdgeMs), sound, silence(rate, kEdgeMs)}), gain);
}

struct NoiseCase {
    int rate;
    double centreHz;
    Sibilant verdict; // on the children's scale: s from 7.5 kHz, sz below 5 kHz
};

TEST(SibilantAnalysis, PlacesBandNoiseAtItsCentre) {
    const NoiseCase cases[] = {
        {22050, 3500, Sibilant::Sz}, {22050, 5000, Sibilant::Sz}, {22050, 6250, Sibilant::Si},
        {22050, 7500, Sibilant::S},  {22050, 9000, Sibilant::S},  {44100, 3500, Sibilant::Sz},
        {44100, 5000, Sibilant::Sz}, {44100, 6250, Sibilant::Si}, {44100, 7500, Sibilant::S},
        {44100, 9000, Sibilant::S},  {48000, 6250, Sibilant::Si},
    };
    for (const NoiseCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.centreHz << " Hz at " << c.rate);
        const SibilantAnalysis a =
            SibilantAnalysis::Of(framed(c.rate, bandNoise(c.rate, 400, c.centreHz, 1500, -25)),
                                 c.rate, ScaleEnds::ChildDefaults());
        ASSERT_EQ(a.segments.size(), 1u);
        const SibilantSegment& s = a.segments[0];
        EXPECT_NEAR(s.cogHz, c.centreHz, 0.05 * c.centreHz);
        EXPECT_NEAR(s.peakHz, c.centreHz, 750); // somewhere in the band
        EXPECT_EQ(s.verdict, c.verdict);
        EXPECT_NEAR(s.startMs, kEdgeMs, 15);
        EXPECT_NEAR(s.endMs, kEdgeMs + 400, 15);
    }
}

TEST(SibilantAnalysis, SameSoundAtBothRates) {
    for (double centre : {4000.0, 8000.0}) {
        SCOPED_TRACE(centre);
        double cog[2];
        int i = 0;
        for (int rate : {22050, 44100}) {
            const SibilantAnalysis a =
                SibilantAnalysis::Of(framed(rate, bandNoise(rate, 400, centre, 3000, -25)), rate);
            ASSERT_EQ(a.segments.size(), 1u);
            cog[i++] = a.segments[0].cogHz;
        }
        EXPECT_NEAR(cog[0], cog[1], 0.02 * cog[0]);
    }
}

struct QuietCase {
    const char* name;
    std::vector<double> sound;
    double gain;
};

TEST(SibilantAnalysis, FindsNoFricationWithoutNoise) {
    const int rate = 44100;
    const QuietCase cases[] = {
        {"silence", silence(rate, 500), 1},
        {"hiss under the absolute floor", bandNoise(rate, 500, 6000, 8000, -75), 1},
        {"vowel a", vowel(rate, 400, 120, {700, 1200, 2600, 3500}, -15), 1},
        {"vowel i of a child", vowel(rate, 400, 260, {350, 2700, 3500, 4300}, -15), 1},
        {"vowel i of a man", vowel(rate, 400, 110, {280, 2250, 2900, 3500}, -15), 1},
        {"vowel a clipped", vowel(rate, 400, 120, {700, 1200, 2600, 3500}, -3), 8},
        {"vowel i clipped", vowel(rate, 400, 260, {350, 2700, 3500, 4300}, -3), 8},
    };
    for (const QuietCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SibilantAnalysis a = SibilantAnalysis::Of(framed(rate, c.sound, c.gain), rate);
        EXPECT_TRUE(a.segments.empty());
        for (const SibilantFrame& f : a.frames)
            EXPECT_FALSE(f.frication) << f.timeMs;
    }
}

struct NoisyCase {
    const char* name;
    std::vector<double> sound;
    double gain;
    Sibilant verdict;
};

TEST(SibilantAnalysis, FindsFricationDistortedOrVoiced) {
    const int rate = 22050;
    const NoisyCase cases[] = {
        {"sz clipped", bandNoise(rate, 400, 4000, 1500, -3), 4, Sibilant::Sz},
        {"s clipped", bandNoise(rate, 400, 8500, 1500, -3), 4, Sibilant::S},
        {"voiced, as ż",
         mix(bandNoise(rate, 400, 4500, 2000, -30), vowel(rate, 400, 120, {250}, -22)), 1,
         Sibilant::Sz},
        {"over a quiet room's hiss",
         mix(bandNoise(rate, 400, 8500, 1500, -30), bandNoise(rate, 400, 5000, 9000, -58)), 1,
         Sibilant::S},
    };
    for (const NoisyCase& c : cases) {
        SCOPED_TRACE(c.name);
        const SibilantAnalysis a = SibilantAnalysis::Of(framed(rate, c.sound, c.gain), rate);
        ASSERT_EQ(a.segments.size(), 1u);
        EXPECT_EQ(a.segments[0].verdict, c.verdict);
    }
}

struct SegmentCase {
    const char* name;
    std::vector<double> bursts; // ms of noise, ms of silence, ms of noise...
    std::size_t segments;
};

TEST(SibilantAnalysis, JoinsFramesIntoSegments) {
    const int rate = 44100;
    const SegmentCase cases[] = {
        {"one", {150}, 1},
        {"too short: a burst", {12}, 0},
        {"a short gap is bridged", {100, 15, 100}, 1},
        {"a long gap parts two", {100, 80, 100}, 2},
        {"three", {80, 60, 80, 60, 80}, 3},
    };
    for (const SegmentCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<double> sound;
        for (std::size_t i = 0; i < c.bursts.size(); ++i)
            sound = join(
                {sound, i % 2 ? silence(rate, c.bursts[i])
                              : bandNoise(rate, c.bursts[i], 5000, 3000, -25, unsigned(i + 1))});
        EXPECT_EQ(SibilantAnalysis::Of(framed(rate, sound), rate).segments.size(), c.segments);
    }
}

} // namespace
