#include "wavebuilder.h"
#include "wavesamples.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <SDL.h>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// Every allocation SDL makes passes through here, so that a test sees the largest one asked for.
struct SdlAllocations {
    SDL_malloc_func malloc = nullptr;
    SDL_calloc_func calloc = nullptr;
    SDL_realloc_func realloc = nullptr;
    SDL_free_func free = nullptr;
    std::size_t largest = 0;
};

SdlAllocations& sdlAllocations() {
    static SdlAllocations allocations;
    return allocations;
}

void* countedMalloc(std::size_t size) {
    SdlAllocations& a = sdlAllocations();
    a.largest = std::max(a.largest, size);
    return a.malloc(size);
}

void* countedCalloc(std::size_t count, std::size_t size) {
    SdlAllocations& a = sdlAllocations();
    a.largest = std::max(a.largest, count * size);
    return a.calloc(count, size);
}

void* countedRealloc(void* block, std::size_t size) {
    SdlAllocations& a = sdlAllocations();
    a.largest = std::max(a.largest, size);
    return a.realloc(block, size);
}

// Installed before any test runs; the original functions still do the work, so blocks SDL
// allocated before are freed as before.
const bool g_countingSdlAllocations = [] {
    SdlAllocations& a = sdlAllocations();
    SDL_GetMemoryFunctions(&a.malloc, &a.calloc, &a.realloc, &a.free);
    return SDL_SetMemoryFunctions(countedMalloc, countedCalloc, countedRealloc, a.free) == 0;
}();

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

QByteArray withSize(QByteArray file, qsizetype at, quint32 size) {
    qToLittleEndian(size, file.data() + at);
    return file;
}

const QByteArray kShortSound = waveFile(22050, 1, 16, QByteArray(400, '\x11'));
constexpr qsizetype kFormatSizeAt = 16;
constexpr qsizetype kDataSizeAt = 40;

struct ChunkCase {
    const char* name;
    QByteArray file;
    qsizetype samples; // kRefused when the file is refused
};

class OversizedChunk : public testing::TestWithParam<ChunkCase> {};

// A short file whose chunk headers promise gigabytes costs no more memory than its own size.
TEST_P(OversizedChunk, CostsNoMoreThanTheFileHolds) {
    ASSERT_TRUE(g_countingSdlAllocations);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("Nagranie0.wav");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().file);
    file.close();

    sdlAllocations().largest = 0;
    const std::optional<std::vector<short>> samples = loadWaveSamples(path);
    EXPECT_LT(sdlAllocations().largest, 64u * 1024);
    if (GetParam().samples == kRefused) {
        EXPECT_FALSE(samples.has_value());
    } else {
        ASSERT_TRUE(samples.has_value());
        EXPECT_EQ(qsizetype(samples->size()), GetParam().samples);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, OversizedChunk,
    testing::Values(
        // The samples present are the sound, as in any file cut short.
        ChunkCase{"Data", withSize(kShortSound, kDataSizeAt, 0xFFF90190u), 200},
        ChunkCase{"DataOddSize", withSize(kShortSound, kDataSizeAt, 0xFFFFFFFFu), 200},
        ChunkCase{"DataWithoutRiffHeader",
                  withSize(kShortSound, kDataSizeAt, 0x8C8C8C8Cu).sliced(8), 200},
        // The format chunk then swallows the samples: no sound is left.
        ChunkCase{"Format", withSize(kShortSound, kFormatSizeAt, 0xFFFFFFF0u), kRefused},
        ChunkCase{"ListBeforeData",
                  kShortSound.first(36) + "LIST" + withSize(QByteArray(4, 0), 0, 0xFFFFFFFFu) +
                      QByteArray(10, 'x') + kShortSound.sliced(36),
                  kRefused}),
    [](const testing::TestParamInfo<ChunkCase>& info) { return info.param.name; });

} // namespace
