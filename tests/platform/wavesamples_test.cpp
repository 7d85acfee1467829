#include "wavebuilder.h"
#include "wavesamples.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct WaveCase {
    const char* name;
    int rate;
    int channels;
    int bits;
    qsizetype dataBytes;
    // Samples expected after conversion to 22050 Hz mono; a negative least count means the
    // file is refused.
    qsizetype least;
    qsizetype most;
};

constexpr qsizetype kRefused = -1;

class WaveSamples : public testing::TestWithParam<WaveCase> {};

TEST_P(WaveSamples, DecodesWithinTheBoundsAndRefusesTheRest) {
    const WaveCase& c = GetParam();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("music.wav");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(waveFile(c.rate, c.channels, c.bits, QByteArray(c.dataBytes, '\x11')));
    file.close();

    const std::optional<std::vector<short>> samples = loadWaveSamples(path);
    if (c.least == kRefused) {
        EXPECT_FALSE(samples.has_value());
        return;
    }
    ASSERT_TRUE(samples.has_value());
    EXPECT_GE(qsizetype(samples->size()), c.least);
    EXPECT_LE(qsizetype(samples->size()), c.most);
}

INSTANTIATE_TEST_SUITE_P(Files, WaveSamples,
                         testing::Values(
                             // Ordinary sounds, from telephone quality to studio recordings.
                             WaveCase{"Native", 22050, 1, 16, 4000, 2000, 2000},
                             WaveCase{"Lowest8Bit", 4000, 1, 8, 4000, 22000, 22100},
                             WaveCase{"CdStereo", 44100, 2, 16, 176400, 22000, 22100},
                             WaveCase{"Highest", 384000, 1, 16, 76800, 2180, 2230},
                             // No samples, or less than one sample after conversion.
                             WaveCase{"EmptyNative", 22050, 1, 16, 0, 0, 0},
                             WaveCase{"EmptyToConvert", 44100, 2, 16, 0, 0, 0},
                             WaveCase{"OneFrameToConvert", 44100, 2, 16, 4, 0, 1},
                             WaveCase{"HalfAFrame", 44100, 2, 16, 2, 0, 1},
                             // Rates no sound of ours has: converting them would ask for gigabytes.
                             WaveCase{"OneHertzSmall", 1, 1, 16, 20000, kRefused, 0},
                             WaveCase{"OneHertzMegabyte", 1, 1, 16, 1 << 20, kRefused, 0},
                             WaveCase{"BelowLowest", 3999, 1, 16, 4000, kRefused, 0},
                             WaveCase{"AboveHighest", 384001, 1, 16, 4000, kRefused, 0},
                             WaveCase{"Huge", 2000000000, 2, 16, 4000, kRefused, 0},
                             // 27 minutes once converted: longer than any sound of ours.
                             WaveCase{"DecodedTooLong", 4000, 1, 8, 6400000, kRefused, 0}),
                         [](const testing::TestParamInfo<WaveCase>& info) {
                             return info.param.name;
                         });

} // namespace
