// One game's settings record: toggles, contrast and distractor sounds, and its ini section.
#include "custgry.h"
#include "inifile.h"

#include <gtest/gtest.h>

namespace {

TEST(CUstGryTest, StartsWithMediumCountAndNothingChosen) {
    const CUstGry named(QStringLiteral("Memory"));
    EXPECT_EQ("Memory", named.Sekcja().toStdString());
    EXPECT_EQ(2, named.poziom);
    EXPECT_EQ(0, named.pozycja);
    EXPECT_EQ(0, named.gloski);
    EXPECT_TRUE(named.IsLevel(2));
    const CUstGry unnamed;
    EXPECT_TRUE(unnamed.Sekcja().isEmpty());
    EXPECT_EQ(2, unnamed.poziom);
}

TEST(CUstGryTest, TogglesAcceptOnlyTheirOwnSingleBits) {
    struct Case {
        std::uint16_t bit;
        bool position;
        bool sound;
    };
    const Case cases[] = {{0x1000, true, false},  {0x2000, true, false},  {0x4000, true, false},
                          {0x0001, false, true},  {0x0008, false, true},  {0x0010, false, true},
                          {0x0080, false, true},  {0x3000, false, false}, {0x8000, false, false},
                          {0x0003, false, false}, {0x0100, false, false}, {0x0000, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bit);
        CUstGry settings;
        settings.TogglePosition(c.bit);
        EXPECT_EQ(c.position ? c.bit : 0, settings.pozycja);
        EXPECT_EQ(c.position, settings.HasPosition(c.bit));
        settings.TogglePosition(c.bit);
        EXPECT_EQ(0, settings.pozycja);

        settings.ToggleSound(c.bit);
        EXPECT_EQ(c.sound ? c.bit : 0, settings.gloski);
        EXPECT_EQ(c.sound, settings.HasSound(c.bit));
        settings.ToggleSound(c.bit);
        EXPECT_EQ(0, settings.gloski);
    }
}

TEST(CUstGryTest, LevelStaysWithinOneToThree) {
    CUstGry settings;
    settings.SetLevel(3);
    EXPECT_EQ(3, settings.poziom);
    settings.SetLevel(1);
    EXPECT_EQ(1, settings.poziom);
    for (const std::int16_t bad : {0, 4, -1}) {
        settings.SetLevel(bad);
        EXPECT_EQ(1, settings.poziom) << bad;
    }
}

TEST(CUstGryTest, PartnerAndDistractorSounds) {
    struct Case {
        std::uint16_t chosen;
        std::uint16_t withPartners;
        std::uint16_t distractors;
    };
    const Case cases[] = {
        {0x0008, 0x0088, 0x0007}, // DZ only: the three other groups
        {0x0001, 0x0011, 0x008E}, // S only: Z, C and DZ with dz
        {0x000F, 0x00FF, 0x00F0}, // all groups: the contrast sounds
        {0x0000, 0x0000, 0x008F}, // nothing chosen
        {0x0006, 0x0066, 0x0089}, // Z and C
        {0x0007, 0x0077, 0x0088}, // all but DZ
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        CUstGry chosen;
        chosen.gloski = c.chosen;
        CUstGry withPartners = chosen;
        withPartners.AddPartnerSounds();
        EXPECT_EQ(c.withPartners, withPartners.gloski);
        CUstGry distractors;
        distractors.SetDistractorSounds(chosen);
        EXPECT_EQ(c.distractors, distractors.gloski);
    }
}

TEST(CUstGryTest, DistractorsAddToWhatIsThere) {
    CUstGry chosen;
    chosen.gloski = 0x000F;
    CUstGry distractors;
    distractors.gloski = 0x0001;
    distractors.SetDistractorSounds(chosen);
    EXPECT_EQ(0x00F1, distractors.gloski);
}

TEST(CUstGryTest, SaveWritesTheThreeKeysInDecimal) {
    CUstGry settings(QStringLiteral("Spadajace"));
    settings.gloski = 0x0009;
    settings.pozycja = 0x5000;
    settings.SetLevel(3);
    IniFile ini;
    settings.Save(ini);
    EXPECT_EQ("9", ini.readString("Spadajace", "Gloski", "").toStdString());
    EXPECT_EQ("3", ini.readString("Spadajace", "Poziom", "").toStdString());
    EXPECT_EQ("20480", ini.readString("Spadajace", "Pozycja", "").toStdString());
    const QString text = ini.toText();
    EXPECT_LT(text.indexOf("Gloski"), text.indexOf("Poziom"));
    EXPECT_LT(text.indexOf("Poziom"), text.indexOf("Pozycja"));
}

struct LoadCase {
    const char* name;
    const char* section; // the record's section as stored
    int expectedGloski;
    int expectedPoziom;
    int expectedPozycja;
};

class CUstGryLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(CUstGryLoadTest, RepairsStoredValues) {
    const LoadCase& c = GetParam();
    IniFile ini;
    ini.parse(QString::fromUtf8(c.section));
    CUstGry settings(QStringLiteral("Memory"));
    // Values already in memory are the defaults for missing or unreadable keys.
    settings.gloski = 0x0004;
    settings.poziom = 3;
    settings.pozycja = 0x2000;
    settings.Load(ini);
    EXPECT_EQ(c.expectedGloski, settings.gloski);
    EXPECT_EQ(c.expectedPoziom, settings.poziom);
    EXPECT_EQ(c.expectedPozycja, settings.pozycja);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CUstGryLoadTest,
    ::testing::Values(
        LoadCase{"plain", "[Memory]\nGloski=5\nPoziom=1\nPozycja=12288\n", 5, 1, 12288},
        LoadCase{"partnersDropped", "[Memory]\nGloski=255\n", 15, 3, 8192},
        LoadCase{"levelZero", "[Memory]\nPoziom=0\n", 4, 1, 8192},
        LoadCase{"levelSeven", "[Memory]\nPoziom=7\n", 4, 1, 8192},
        LoadCase{"levelNegative", "[Memory]\nPoziom=-2\n", 4, 1, 8192},
        LoadCase{"levelThreeKept", "[Memory]\nPoziom=3\n", 4, 3, 8192},
        LoadCase{"allBitsPosition", "[Memory]\nPozycja=65535\n", 4, 3, 28672},
        LoadCase{"negativeBits", "[Memory]\nGloski=-1\nPozycja=-1\n", 15, 3, 28672},
        LoadCase{"hugeNumbers", "[Memory]\nGloski=99999999999\nPoziom=4294967298\n", 4, 3, 8192},
        LoadCase{"notNumbers", "[Memory]\nGloski=abc\nPoziom=\nPozycja=0x1000\n", 4, 3, 8192},
        LoadCase{"missingSection", "[Spadajace]\nGloski=1\n", 4, 3, 8192},
        LoadCase{"otherCase", "[memory]\ngloski=2\n", 2, 3, 8192}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
