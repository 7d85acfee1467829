// The live form: any blocks give the frames of the whole take, and the joiner's segments are
// the analysis's.
#include "segmentjoiner.h"
#include "sibilantanalysis.h"
#include "sibilantstream.h"
#include "testsignals.h"

#include <gtest/gtest.h>

using namespace TestSignals;

namespace {

std::vector<short> word(int rate) {
    // "sza": a quiet room, sz, a vowel, s, the room again.
    const std::vector<double> room = bandNoise(rate, 1100, 3000, 5000, -62, 9);
    return pcm(mix(room, join({silence(rate, 150), bandNoise(rate, 250, 4200, 2000, -24, 2),
                               vowel(rate, 300, 240, {800, 1300, 2700}, -14),
                               bandNoise(rate, 200, 8000, 2500, -26, 3), silence(rate, 200)})));
}

TEST(SibilantStream, AnyBlocksGiveTheWholeTakesFrames) {
    for (int rate : {22050, 44100}) {
        const std::vector<short> take = word(rate);
        const SibilantAnalysis whole = SibilantAnalysis::Of(take, rate);
        ASSERT_EQ(whole.segments.size(), 2u);
        for (std::size_t block : {std::size_t(1), std::size_t(7), std::size_t(441),
                                  std::size_t(1000), std::size_t(4096), take.size()}) {
            SCOPED_TRACE(testing::Message() << rate << " Hz, blocks of " << block);
            SibilantStream stream(rate);
            SegmentJoiner joiner(stream.ends(), stream.hopMs());
            std::vector<SibilantFrame> frames;
            std::vector<SibilantSegment> segments;
            for (std::size_t at = 0; at < take.size(); at += block) {
                const std::span<const short> part =
                    std::span(take).subspan(at, std::min(block, take.size() - at));
                for (const SibilantFrame& f : stream.push(part)) {
                    frames.push_back(f);
                    if (std::optional<SibilantSegment> s = joiner.add(f))
                        segments.push_back(*s);
                }
            }
            if (std::optional<SibilantSegment> s = joiner.finish())
                segments.push_back(*s);
            EXPECT_EQ(frames, whole.frames);
            EXPECT_EQ(segments, whole.segments);
        }
    }
}

TEST(SibilantStream, ResetStartsAgainAtTimeZero) {
    const int rate = 44100;
    const std::vector<short> take = word(rate);
    SibilantStream stream(rate);
    stream.push(std::span(take).first(5000));
    stream.reset();
    EXPECT_EQ(stream.push(take), SibilantAnalysis::Of(take, rate).frames);
}

} // namespace
