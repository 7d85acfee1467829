// The mirror's coach on frames made to measure, and on the analysis of band noise held as a
// child holds a sound.
#include "mirrorcoach.h"
#include "mirrorscalefile.h"
#include "sibilantstream.h"

#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <random>

namespace {

SibilantFrame frame(double ms, bool frication, double position, double db = -30) {
    SibilantFrame f;
    f.timeMs = ms;
    f.frication = frication;
    f.position = position;
    f.noiseDb = f.voiceDb = db;
    return f;
}

// Frames every 10 ms: `ms` of frication at a place, or of quiet.
void hold(std::vector<SibilantFrame>& frames, double ms, std::optional<double> position,
          double db = -30) {
    const double from = frames.empty() ? 0 : frames.back().timeMs + 10;
    for (double t = 0; t < ms; t += 10)
        frames.push_back(frame(from + t, position.has_value(), position.value_or(0), db));
}

TEST(MirrorCoach, StarsForTheChosenSoundHeldASecond) {
    const struct {
        const char* name;
        Sibilant target;
        std::vector<std::pair<double, std::optional<double>>> sounds; // ms, place
        int stars;
        std::optional<Sibilant> heardAtEnd;
    } cases[] = {
        {"sz held 1.2 s", Sibilant::Sz, {{1200, 0.9}}, 1, Sibilant::Sz},
        {"sz held 0.8 s", Sibilant::Sz, {{800, 0.9}}, 0, Sibilant::Sz},
        {"s when sz is asked", Sibilant::Sz, {{1500, 0.1}}, 0, Sibilant::S},
        {"s asked and held", Sibilant::S, {{1100, 0.05}}, 1, Sibilant::S},
        {"ś between", Sibilant::Si, {{1100, 0.5}}, 1, Sibilant::Si},
        {"a breath of 40 ms does not break it",
         Sibilant::Sz,
         {{600, 0.9}, {40, std::nullopt}, {500, 0.9}},
         1,
         Sibilant::Sz},
        {"a pause of 200 ms does",
         Sibilant::Sz,
         {{600, 0.9}, {200, std::nullopt}, {500, 0.9}},
         0,
         Sibilant::Sz},
        {"held on, one star until a rest", Sibilant::Sz, {{3500, 0.9}}, 1, Sibilant::Sz},
        {"two holds with a rest",
         Sibilant::Sz,
         {{1100, 0.9}, {400, std::nullopt}, {1100, 0.9}},
         2,
         Sibilant::Sz},
        {"quiet at the end", Sibilant::Sz, {{1100, 0.9}, {300, std::nullopt}}, 1, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<SibilantFrame> frames;
        for (const auto& [ms, place] : c.sounds)
            hold(frames, ms, place);
        MirrorCoach coach(c.target);
        // Pushed in pieces, as the microphone gives them.
        for (std::size_t at = 0; at < frames.size(); at += 3)
            coach.Take({frames.begin() + std::ptrdiff_t(at),
                        frames.begin() + std::ptrdiff_t(std::min(at + 3, frames.size()))});
        EXPECT_EQ(coach.Stars(), c.stars);
        EXPECT_EQ(coach.Heard(), c.heardAtEnd);
        EXPECT_FALSE(coach.Deaf());
    }
}

TEST(MirrorCoach, TheIndicatorEasesAndAMicrophoneOfZerosIsDeaf) {
    MirrorCoach coach;
    std::vector<SibilantFrame> frames;
    hold(frames, 200, 0.2);
    hold(frames, 30, 0.8);
    coach.Take(frames);
    ASSERT_TRUE(coach.Indicator());
    // Three frames towards 0.8 from 0.2: moved, not there.
    EXPECT_GT(*coach.Indicator(), 0.4);
    EXPECT_LT(*coach.Indicator(), 0.75);
    frames.clear();
    hold(frames, 3100, std::nullopt, -140);
    coach.Take(frames);
    EXPECT_TRUE(coach.Deaf());
    EXPECT_FALSE(coach.Indicator());
}

// Band noise held for 1.5 s as a child holds a sound, through the real analysis.
TEST(MirrorCoach, HeldBandNoiseThroughTheAnalysisEarnsItsStar) {
    const int rate = 44100;
    std::mt19937 random(3);
    std::normal_distribution<double> white(0, 1);
    const struct {
        double centreHz;
        Sibilant target;
    } cases[] = {{4300, Sibilant::Sz}, {7800, Sibilant::S}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.centreHz);
        // White noise through a two-pole resonator at the centre.
        const double r = 0.97, theta = 2 * M_PI * c.centreHz / rate;
        double y1 = 0, y2 = 0;
        std::vector<short> samples(std::size_t(rate) / 4, 0);
        for (int i = 0; i < rate * 3 / 2; ++i) {
            const double y = white(random) + 2 * r * std::cos(theta) * y1 - r * r * y2;
            y2 = y1;
            y1 = y;
            samples.push_back(short(std::clamp(y * 300, -32000.0, 32000.0)));
        }
        samples.resize(samples.size() + rate / 2, 0);
        SibilantStream stream(rate, ScaleEnds::ChildDefaults());
        MirrorCoach coach(c.target);
        for (std::size_t at = 0; at < samples.size(); at += 1024)
            coach.Take(stream.push(
                std::span(samples).subspan(at, std::min<std::size_t>(1024, samples.size() - at))));
        EXPECT_EQ(coach.Stars(), 1);
    }
}

TEST(MirrorScaleFile, KeepsAChildsScaleAndRefusesNonsense) {
    QTemporaryDir dir;
    const QString path = dir.filePath(MirrorScaleFile::FileName());
    EXPECT_FALSE(MirrorScaleFile::Load(path));
    ASSERT_TRUE(MirrorScaleFile::Save(path, ScaleEnds(8100, 5200)));
    const std::optional<ScaleEnds> back = MirrorScaleFile::Load(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->sHz(), 8100);
    EXPECT_EQ(back->szHz(), 5200);
    for (const char* text : {"s=5000\nsz=8000\n", "s=abc\nsz=4000\n", "s=90000\nsz=4000\n", ""}) {
        SCOPED_TRACE(text);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.close();
        EXPECT_FALSE(MirrorScaleFile::Load(path));
    }
}

} // namespace
