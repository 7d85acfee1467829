// The scale between s and sz: positions, verdicts, and the ends a child's takes give.
#include "calibration.h"
#include "scaleends.h"
#include "testsignals.h"

#include <gtest/gtest.h>

using namespace TestSignals;

namespace {

struct PlaceCase {
    double cogHz;
    double position;
    Sibilant verdict;
};

TEST(ScaleEnds, PlacesCentresBetweenTheEnds) {
    const ScaleEnds ends(8000, 5000);
    const PlaceCase cases[] = {
        {9000, 0.0, Sibilant::S},  {8000, 0.0, Sibilant::S},  {7100, 0.3, Sibilant::S},
        {6500, 0.5, Sibilant::Si}, {5900, 0.7, Sibilant::Sz}, {5000, 1.0, Sibilant::Sz},
        {3000, 1.0, Sibilant::Sz},
    };
    for (const PlaceCase& c : cases) {
        SCOPED_TRACE(c.cogHz);
        EXPECT_NEAR(ends.position(c.cogHz), c.position, 1e-9);
        EXPECT_EQ(ends.verdict(c.cogHz), c.verdict);
    }
    EXPECT_EQ(ScaleEnds::Name(Sibilant::Si), QStringLiteral("ś"));
    // Ends too close (or the wrong way round) are set apart around their middle.
    EXPECT_EQ(ScaleEnds(6000, 6200), ScaleEnds(6350, 5850));
}

struct TakeCase {
    const char* name;
    double sHz, szHz; // centre of each take's noise; 0: a vowel instead
    Calibration::Problem problem;
};

std::vector<short> take(double hz, unsigned seed) {
    const int rate = 44100;
    const std::vector<double> sound = hz > 0 ? bandNoise(rate, 600, hz, 2000, -25, seed)
                                             : vowel(rate, 600, 250, {800, 1300}, -15);
    return pcm(join({silence(rate, 200), sound, silence(rate, 200)}));
}

TEST(Calibration, EndsFromTheChildsBestTakes) {
    const TakeCase cases[] = {
        {"a child's s and sz", 8000, 5000, Calibration::Problem::None},
        {"a lisping child's", 6800, 5200, Calibration::Problem::None},
        {"no hiss in the s", 0, 5000, Calibration::Problem::NoFricationInS},
        {"no hiss in the sz", 8000, 0, Calibration::Problem::NoFricationInSz},
        {"the same sound twice", 6000, 5800, Calibration::Problem::TooClose},
        {"the takes swapped", 5000, 8000, Calibration::Problem::TooClose},
    };
    for (const TakeCase& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<short> s = take(c.sHz, 1), sz = take(c.szHz, 2);
        const Calibration::Result r = Calibration::FromTakes(s, 44100, sz, 44100);
        EXPECT_EQ(r.problem, c.problem);
        EXPECT_EQ(r.ends.has_value(), c.problem == Calibration::Problem::None);
        if (r.ends) {
            EXPECT_NEAR(r.ends->sHz(), c.sHz, 0.05 * c.sHz);
            EXPECT_NEAR(r.ends->szHz(), c.szHz, 0.05 * c.szHz);
        }
    }
}

} // namespace
