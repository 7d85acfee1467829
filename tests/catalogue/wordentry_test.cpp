// Reading a segmentation: graphemes, the marked target and the written word.
#include "wordbits.h"
#include "wordentry.h"

#include <gtest/gtest.h>

namespace {

struct SegmentationCase {
    const char* name;
    const char* segmentation;
    QStringList graphemes;
    int target;
    const char* sound;
    const char* word;
};

class SegmentationTest : public ::testing::TestWithParam<SegmentationCase> {};

TEST_P(SegmentationTest, Parts) {
    const SegmentationCase& c = GetParam();
    const QString s = QString::fromUtf8(c.segmentation);
    EXPECT_EQ(c.graphemes, WordEntry::Graphemes(s));
    EXPECT_EQ(c.target, WordEntry::TargetIndex(s));
    EXPECT_EQ(std::string(c.sound), WordEntry::TargetSound(s).toStdString());
    EXPECT_EQ(std::string(c.word), WordEntry::PlainWord(s).toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SegmentationTest,
    ::testing::Values(
        SegmentationCase{"inside",
                         "a,b,e,_c,a,d,ł,o,",
                         {"a", "b", "e", "c", "a", "d", "ł", "o"},
                         3,
                         "c",
                         "abecadło"},
        SegmentationCase{"multiLetterFirst",
                         "_dż,dż,o,w,n,i,c,a,",
                         {"dż", "dż", "o", "w", "n", "i", "c", "a"},
                         0,
                         "dż",
                         "dżdżownica"},
        SegmentationCase{
            "last", "dzi,u,r,k,a,_cz,", {"dzi", "u", "r", "k", "a", "cz"}, 5, "cz", "dziurkacz"},
        SegmentationCase{"noMark", "a,b,c,", {"a", "b", "c"}, -1, "", "abc"},
        SegmentationCase{"noFinalComma", "o,_s,a", {"o", "s", "a"}, 1, "s", "osa"},
        SegmentationCase{"empty", "", {}, -1, "", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WordEntryTest, DrawnMarkLeavesTheOtherBits) {
    WordEntry entry;
    entry.SoundCode = 0x2040;
    entry.setDrawn(true);
    EXPECT_EQ(0xA040, entry.SoundCode);
    EXPECT_TRUE(entry.isDrawn());
    entry.setDrawn(false);
    EXPECT_EQ(0x2040, entry.SoundCode);
    EXPECT_FALSE(entry.isDrawn());
}

} // namespace
