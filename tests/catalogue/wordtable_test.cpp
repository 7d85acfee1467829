// The built-in words: counts per sound and position, segmentation grammar, keys and paths.
#include "cslowa.h"
#include "randomgenerator.h"
#include "wordbits.h"

#include <QRegularExpression>
#include <QSet>
#include <bit>
#include <gtest/gtest.h>
#include <map>
#include <utility>

namespace {

class WordTableTest : public ::testing::Test {
protected:
    RandomGenerator random{[] { return std::int64_t{0}; }};
    CSlowa catalogue{random};
};

std::uint16_t soundBits(std::uint16_t code) {
    return code & WordBits::SoundMask;
}
std::uint16_t positionBits(std::uint16_t code) {
    return code & WordBits::PositionMask;
}

TEST_F(WordTableTest, CountsPerSoundAndPosition) {
    // sound bit -> counts for nagłos, śródgłos, wygłos
    const std::map<std::uint16_t, std::array<int, 3>> expected = {
        {0x0001, {18, 23, 9}},  {0x0002, {20, 21, 0}}, {0x0004, {12, 18, 10}}, {0x0008, {10, 2, 0}},
        {0x0010, {29, 30, 19}}, {0x0020, {15, 15, 0}}, {0x0040, {12, 11, 8}},  {0x0080, {2, 3, 0}},
    };
    const std::uint16_t positions[] = {WordBits::Naglos, WordBits::Srodglos, WordBits::Wyglos};

    std::map<std::pair<std::uint16_t, std::uint16_t>, int> counted;
    for (const WordEntry& word : catalogue.Words())
        ++counted[{soundBits(word.SoundCode), positionBits(word.SoundCode)}];

    int total = 0;
    for (const auto& [sound, perPosition] : expected) {
        for (int p = 0; p < 3; ++p) {
            EXPECT_EQ(perPosition[p], (counted[{sound, positions[p]}]))
                << "sound 0x" << std::hex << sound << " position 0x" << positions[p];
            total += perPosition[p];
        }
    }
    EXPECT_EQ(287, total);
    EXPECT_EQ(287, static_cast<int>(catalogue.Words().size()));
}

TEST_F(WordTableTest, EveryCodeHasOneSoundOnePositionAndNoMark) {
    for (const WordEntry& word : catalogue.Words()) {
        SCOPED_TRACE(word.Key.toStdString());
        EXPECT_EQ(1, std::popcount(static_cast<unsigned>(soundBits(word.SoundCode))));
        EXPECT_EQ(1, std::popcount(static_cast<unsigned>(positionBits(word.SoundCode))));
        EXPECT_EQ(0, word.SoundCode & ~(WordBits::SoundMask | WordBits::PositionMask));
        EXPECT_FALSE(word.isDrawn());
        EXPECT_TRUE(word.SmallPicture.isNull());
        EXPECT_TRUE(word.BigPicture.isNull());
    }
}

TEST_F(WordTableTest, SegmentationsFollowTheGrammar) {
    // Graphemes: single letters of the Polish alphabet (and the few foreign ones the words
    // use) or the multi-letter graphemes.
    const QString grapheme =
        QStringLiteral("(?:dzi|sz|cz|rz|ch|dz|dż|dź|ci|ni|si|[abcdefghijklmnoprstuwyzóąęłńśźż])");
    const QRegularExpression pattern(QStringLiteral("^(?:_?%1,)+$").arg(grapheme));
    for (const WordEntry& word : catalogue.Words()) {
        SCOPED_TRACE(word.Key.toStdString());
        const QString& s = word.Segmentation;
        EXPECT_TRUE(pattern.match(s).hasMatch()) << s.toStdString();
        EXPECT_EQ(1, s.count(u'_')) << s.toStdString();
        const int graphemes = static_cast<int>(s.count(u','));
        EXPECT_GE(graphemes, 3);
        EXPECT_LE(graphemes, 10);
        EXPECT_EQ(graphemes, static_cast<int>(word.graphemes().size()));
    }
}

TEST_F(WordTableTest, PositionBitAgreesWithTheMarkedGrapheme) {
    for (const WordEntry& word : catalogue.Words()) {
        SCOPED_TRACE(word.Segmentation.toStdString());
        const int index = word.targetIndex();
        const int last = static_cast<int>(word.graphemes().size()) - 1;
        const std::uint16_t expected = index == 0      ? WordBits::Naglos
                                       : index == last ? WordBits::Wyglos
                                                       : WordBits::Srodglos;
        EXPECT_EQ(expected, positionBits(word.SoundCode));
    }
}

TEST_F(WordTableTest, SoundBitMatchesTheMarkedGrapheme) {
    const std::map<QString, std::uint16_t> bitOf = {
        {QStringLiteral("sz"), 0x0001}, {QStringLiteral("ż"), 0x0002},
        {QStringLiteral("rz"), 0x0002}, {QStringLiteral("cz"), 0x0004},
        {QStringLiteral("dż"), 0x0008}, {QStringLiteral("s"), 0x0010},
        {QStringLiteral("z"), 0x0020},  {QStringLiteral("c"), 0x0040},
        {QStringLiteral("dz"), 0x0080},
    };
    for (const WordEntry& word : catalogue.Words()) {
        SCOPED_TRACE(word.Key.toStdString());
        const auto found = bitOf.find(word.targetSound());
        ASSERT_NE(bitOf.end(), found) << word.targetSound().toStdString();
        // "liczby" is spoken with dż although written with cz.
        const std::uint16_t expected = word.Key == QLatin1String("liczby") ? 0x0008 : found->second;
        EXPECT_EQ(expected, soundBits(word.SoundCode));
    }
}

TEST_F(WordTableTest, KeysAreUniqueAndSpellTheWordInAscii) {
    const std::map<QChar, QChar> ascii = {{u'ą', u'a'}, {u'ć', u'c'}, {u'ę', u'e'},
                                          {u'ł', u'l'}, {u'ń', u'n'}, {u'ó', u'o'},
                                          {u'ś', u's'}, {u'ź', u'z'}, {u'ż', u'z'}};
    QSet<QString> keys;
    for (const WordEntry& word : catalogue.Words()) {
        keys.insert(word.Key);
        QString spelled = word.plainWord();
        for (QChar& c : spelled) {
            const auto it = ascii.find(c);
            if (it != ascii.end())
                c = it->second;
        }
        // zebra is the one word whose key differs from its spelling.
        if (word.Key == QLatin1String("zebraa"))
            spelled = QStringLiteral("zebraa");
        EXPECT_EQ(spelled.toStdString(), word.Key.toStdString());
        EXPECT_EQ(("Data/Smd/" + word.Key + ".pw").toStdString(), word.SoundPath.toStdString());
    }
    EXPECT_EQ(287, keys.size());
}

TEST_F(WordTableTest, TableOrderIsKept) {
    const std::pair<int, const char*> rows[] = {
        {0, "abecadlo"}, {48, "dzdzownica"},   {106, "liczby"},
        {261, "zebraa"}, {264, "zjezdzalnia"}, {286, "zyrandol"},
    };
    for (const auto& [index, key] : rows)
        EXPECT_EQ(std::string(key), catalogue.Words().at(index).Key.toStdString());
    EXPECT_EQ("a,b,e,_c,a,d,ł,o,", catalogue.Words().front().Segmentation.toStdString());
    EXPECT_EQ(0x2040, catalogue.Words().front().SoundCode);
    EXPECT_EQ("_ż,y,r,a,n,d,o,l,", catalogue.Words().back().Segmentation.toStdString());
    EXPECT_EQ(0x1002, catalogue.Words().back().SoundCode);
}

} // namespace
