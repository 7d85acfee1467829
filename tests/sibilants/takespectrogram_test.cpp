// The recordings view's picture: its frames are the analysis's, its bands show where the noise
// lies.
#include "sibilantanalysis.h"
#include "takespectrogram.h"
#include "testsignals.h"

#include <algorithm>
#include <gtest/gtest.h>

using namespace TestSignals;

namespace {

struct PictureCase {
    int rate;
    int bands;
    double topHz;
    int expectedBands;
};

TEST(TakeSpectrogram, ShowsTheNoiseInItsBandOnTheAnalysisFrames) {
    const PictureCase cases[] = {
        {22050, 64, 11025, 64},
        {44100, 96, 11025, 96},
        {44100, 64, 22050, 64},
        {22050, 1000, 11025, 256}, // no band narrower than a bin
    };
    for (const PictureCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rate << " Hz, " << c.bands << " bands");
        const std::vector<short> take = pcm(join(
            {silence(c.rate, 100), bandNoise(c.rate, 300, 6000, 1000, -20), silence(c.rate, 100)}));
        const TakeSpectrogram picture = TakeSpectrogram::Of(take, c.rate, c.bands, c.topHz);
        const SibilantAnalysis analysis = SibilantAnalysis::Of(take, c.rate);
        ASSERT_EQ(picture.frameCount(), int(analysis.frames.size()));
        EXPECT_EQ(picture.bandCount(), c.expectedBands);
        for (int f : {0, picture.frameCount() / 2, picture.frameCount() - 1})
            EXPECT_NEAR(picture.frameMs(f), analysis.frames[std::size_t(f)].timeMs, 1e-6);
        // In the middle of the noise the loudest band holds 6 kHz; in the silence, nothing.
        const int middle = picture.frameCount() / 2;
        int loudest = 0;
        for (int b = 0; b < picture.bandCount(); ++b)
            if (picture.db(middle, b) > picture.db(middle, loudest))
                loudest = b;
        EXPECT_NEAR((loudest + 0.5) * picture.bandHz(), 6000, 500 + picture.bandHz());
        EXPECT_EQ(picture.db(0, loudest), float(TakeSpectrogram::FloorDb));
    }
}

} // namespace
