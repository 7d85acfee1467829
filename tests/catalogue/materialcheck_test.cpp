// Whether a game's settings find enough words before it starts.
#include "cslowa.h"
#include "materialcheck.h"
#include "randomgenerator.h"

#include <gtest/gtest.h>

namespace {

using Game = MaterialCheck::Game;

struct MaterialCase {
    const char* name;
    Game game;
    std::uint16_t gloski;
    std::uint16_t pozycja;
    std::int16_t poziom;
    int matching;
    bool enough;
};

class MaterialCheckTest : public ::testing::TestWithParam<MaterialCase> {
protected:
    RandomGenerator random{[] { return std::int64_t{0}; }};
    CSlowa catalogue{random};
};

TEST_P(MaterialCheckTest, CountsAndThreshold) {
    const MaterialCase& c = GetParam();
    CUstGry settings;
    settings.gloski = c.gloski;
    settings.pozycja = c.pozycja;
    settings.poziom = c.poziom;
    EXPECT_EQ(c.matching, MaterialCheck::MatchingWords(catalogue, c.game, settings));
    EXPECT_EQ(c.enough, MaterialCheck::HasEnough(catalogue, c.game, settings));
    // The game draws from the candidate list the check left behind.
    EXPECT_EQ(c.matching, catalogue.CandidateCount());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MaterialCheckTest,
    ::testing::Values(
        // S nagłos has 18 words: enough for 15 labelling tasks and for 12 Memory words.
        MaterialCase{"labellingEnough", Game::Labelling, 0x0001, 0x1000, 3, 18, true},
        MaterialCase{"memoryEnough", Game::Memory, 0x0001, 0x1000, 3, 18, true},
        // DZ nagłos has 10 words: enough for 10, not 15; Memory needs 12.
        MaterialCase{"labellingExact", Game::Labelling, 0x0008, 0x1000, 2, 10, true},
        MaterialCase{"labellingShort", Game::Labelling, 0x0008, 0x1000, 3, 10, false},
        MaterialCase{"memoryShort", Game::Memory, 0x0008, 0x1000, 3, 10, false},
        MaterialCase{"memoryTwoPositions", Game::Memory, 0x0002, 0x4000 | 0x2000, 1, 21, true},
        // Completing counts the contrast words too: dż 2 + dz 3 in śródgłos.
        MaterialCase{"completingWithPartners", Game::Completing, 0x0008, 0x2000, 1, 5, true},
        MaterialCase{"labellingWithoutPartners", Game::Labelling, 0x0008, 0x2000, 1, 2, false},
        MaterialCase{"fallingAllPractised", Game::Falling, 0x000F, 0x7000, 3, 143, true},
        MaterialCase{"nothingChosen", Game::Memory, 0x0000, 0x7000, 1, 0, false},
        MaterialCase{"noPosition", Game::Falling, 0x000F, 0x0000, 1, 0, false},
        // Marks and stray bits in the record do not widen the match.
        MaterialCase{"strayBitsMasked", Game::Labelling, 0xF001, 0x9000, 3, 18, true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MaterialCheckRecord, CheckLeavesTheRecordAlone) {
    RandomGenerator random([] { return std::int64_t{0}; });
    CSlowa catalogue(random);
    CUstGry settings(QStringLiteral("Uzupelnianie"));
    settings.gloski = 0x0003;
    settings.pozycja = 0x1000;
    MaterialCheck::HasEnough(catalogue, Game::Completing, settings);
    EXPECT_EQ(0x0003, settings.gloski);
    EXPECT_EQ("Uzupelnianie",
              MaterialCheck::FilterSettings(Game::Completing, settings).Sekcja().toStdString());
    EXPECT_EQ(0x0033, MaterialCheck::FilterSettings(Game::Completing, settings).gloski);
}

} // namespace
