// Filtering the catalogue, drawing words and loading their pictures.
#include "cslowa.h"
#include "randomgenerator.h"
#include "tempworkdir.h"
#include "wordbits.h"

#include <QSet>
#include <gtest/gtest.h>
#include <stdexcept>

namespace {

class CSlowaTest : public ::testing::Test {
protected:
    std::int64_t now = 1700000000;
    int clockReads = 0;
    RandomGenerator random{[this] {
        ++clockReads;
        return now;
    }};
    CSlowa catalogue{random};

    QStringList keys(CSlowa::List list) const {
        QStringList out;
        const auto& entries =
            list == CSlowa::Candidates ? catalogue.CandidateList() : catalogue.SelectionList();
        for (const WordEntry& e : entries)
            out.append(e.Key);
        return out;
    }
    int candidateIndex(const QString& key) const { return keys(CSlowa::Candidates).indexOf(key); }
    int markedCandidates() const {
        int marked = 0;
        for (const WordEntry& e : catalogue.CandidateList())
            marked += e.isDrawn() ? 1 : 0;
        return marked;
    }
};

struct FilterCase {
    const char* name;
    std::uint16_t positions;
    std::uint16_t sounds;
    int expected;
};

class FilterTest : public CSlowaTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(FilterTest, CountsAndOrder) {
    const FilterCase& c = GetParam();
    catalogue.Filter(c.positions, c.sounds);
    EXPECT_EQ(c.expected, catalogue.CandidateCount());
    int previous = -1;
    for (const WordEntry& candidate : catalogue.CandidateList()) {
        EXPECT_NE(0, candidate.SoundCode & c.positions);
        EXPECT_NE(0, candidate.SoundCode & c.sounds);
        int index = 0;
        while (catalogue.Words()[index].Key != candidate.Key)
            ++index;
        EXPECT_LT(previous, index) << "catalogue order lost at " << candidate.Key.toStdString();
        previous = index;
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FilterTest,
                         ::testing::Values(FilterCase{"szNaglos", 0x1000, 0x0001, 18},
                                           FilterCase{"noPositions", 0, 0x00FF, 0},
                                           FilterCase{"noSounds", 0x7000, 0, 0},
                                           FilterCase{"voicedWyglos", 0x4000, 0x0002, 0},
                                           FilterCase{"allPractised", 0x7000, 0x000F, 143},
                                           FilterCase{"everything", 0x7000, 0x00FF, 287},
                                           FilterCase{"sWyglos", 0x4000, 0x0010, 19},
                                           FilterCase{"dzGroupWithPartner", 0x7000, 0x0088, 17},
                                           FilterCase{"twoPositions", 0x5000, 0x0004, 22}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CSlowaTest, SzNaglosIsExactlyTheWordsCoded0x1001) {
    catalogue.Filter(0x1000, 0x0001);
    QStringList expected;
    for (const WordEntry& word : catalogue.Words()) {
        if (word.SoundCode == 0x1001)
            expected.append(word.Key);
    }
    EXPECT_EQ(expected, keys(CSlowa::Candidates));
}

TEST_F(CSlowaTest, DrawingEveryCandidateTakesEachOnce) {
    catalogue.Filter(0x7000, 0x0001);
    const int count = catalogue.CandidateCount();
    ASSERT_TRUE(catalogue.DrawRandom(count));
    EXPECT_EQ(count, catalogue.SelectionCount());
    const QStringList drawn = keys(CSlowa::Selection);
    EXPECT_EQ(count, QSet<QString>(drawn.begin(), drawn.end()).size());
    EXPECT_EQ(count, markedCandidates());
}

TEST_F(CSlowaTest, DrawMarksSelectionAndCandidatesUntilCleared) {
    catalogue.Filter(0x7000, 0x000F);
    ASSERT_TRUE(catalogue.DrawRandom(10));
    EXPECT_EQ(10, markedCandidates());
    for (const WordEntry& selected : catalogue.SelectionList()) {
        EXPECT_TRUE(selected.isDrawn()) << selected.Key.toStdString();
        EXPECT_TRUE(catalogue.CandidateList()[candidateIndex(selected.Key)].isDrawn());
    }
    catalogue.ClearSelection();
    EXPECT_EQ(0, catalogue.SelectionCount());
    EXPECT_EQ(0, markedCandidates());
}

TEST_F(CSlowaTest, NextDrawStartsFromUnmarkedCandidates) {
    catalogue.Filter(0x1000, 0x0008); // 10 candidates
    ASSERT_TRUE(catalogue.DrawRandom(10));
    // A second full draw must be possible: the first draw's marks are cleared first.
    ASSERT_TRUE(catalogue.DrawRandom(10));
    EXPECT_EQ(10, catalogue.SelectionCount());
    EXPECT_EQ(10, markedCandidates());
}

TEST_F(CSlowaTest, DrawWithTooFewCandidatesFailsWithEmptySelection) {
    catalogue.Filter(0x1000, 0x0080); // 2 candidates
    ASSERT_TRUE(catalogue.DrawRandom(2));
    EXPECT_FALSE(catalogue.DrawRandom(3));
    EXPECT_EQ(0, catalogue.SelectionCount());
    EXPECT_EQ(0, markedCandidates());
    EXPECT_FALSE(catalogue.DrawSpread(3, 0x0008));
    EXPECT_EQ(0, catalogue.SelectionCount());

    catalogue.Filter(0, 0);
    EXPECT_TRUE(catalogue.DrawRandom(0));
    EXPECT_FALSE(catalogue.DrawRandom(1));
}

TEST_F(CSlowaTest, DrawsInTheSameSecondRepeatAndEachDrawReseeds) {
    catalogue.Filter(0x7000, 0x00FF);
    ASSERT_TRUE(catalogue.DrawRandom(12));
    const QStringList first = keys(CSlowa::Selection);
    random.next(); // whatever happened in between, the draw starts from the clock's seed
    const int readsBefore = clockReads;
    ASSERT_TRUE(catalogue.DrawRandom(12));
    EXPECT_EQ(readsBefore + 1, clockReads);
    EXPECT_EQ(first, keys(CSlowa::Selection));

    now += 1;
    ASSERT_TRUE(catalogue.DrawRandom(12));
    EXPECT_NE(first, keys(CSlowa::Selection));
}

TEST_F(CSlowaTest, SpreadTakesOneWordPerSliceInTurn) {
    catalogue.Filter(0x1000, 0x0002); // 20 candidates; two groups give four slices of five
    ASSERT_EQ(20, catalogue.CandidateCount());
    for (std::int64_t second = 0; second < 40; ++second) {
        now = second;
        ASSERT_TRUE(catalogue.DrawSpread(4, 0x0003));
        for (int i = 0; i < 4; ++i) {
            const int index = candidateIndex(catalogue.Entry(CSlowa::Selection, i).Key);
            EXPECT_GE(index, 5 * i) << "second " << second << " word " << i;
            EXPECT_LE(index, 5 * i + 4) << "second " << second << " word " << i;
        }
    }
}

TEST_F(CSlowaTest, SpreadWithoutGroupUsesTwoHalves) {
    catalogue.Filter(0x1000, 0x0002);
    for (std::int64_t second = 0; second < 20; ++second) {
        now = second;
        ASSERT_TRUE(catalogue.DrawSpread(2, 0x0000));
        EXPECT_LT(candidateIndex(catalogue.Entry(CSlowa::Selection, 0).Key), 10);
        EXPECT_GE(candidateIndex(catalogue.Entry(CSlowa::Selection, 1).Key), 10);
    }
}

TEST_F(CSlowaTest, SpreadAlwaysEndsWithDistinctWords) {
    struct Case {
        std::uint16_t positions, sounds, groups;
        int count;
    };
    // All candidates; fewer candidates than slices (slice size 0); an uneven division.
    const Case cases[] = {{0x1000, 0x0002, 0x0003, 20},
                          {0x1000, 0x0080, 0x000F, 2},
                          {0x7000, 0x0088, 0x0008, 17},
                          {0x2000, 0x0004, 0x0007, 18}};
    for (const Case& c : cases) {
        catalogue.Filter(c.positions, c.sounds);
        ASSERT_EQ(c.count, catalogue.CandidateCount());
        ASSERT_TRUE(catalogue.DrawSpread(c.count, c.groups));
        const QStringList drawn = keys(CSlowa::Selection);
        EXPECT_EQ(c.count, QSet<QString>(drawn.begin(), drawn.end()).size());
        EXPECT_EQ(c.count, markedCandidates());
    }
}

TEST_F(CSlowaTest, FilterDropsTheSelection) {
    catalogue.Filter(0x7000, 0x000F);
    ASSERT_TRUE(catalogue.DrawRandom(5));
    catalogue.Filter(0x1000, 0x0001);
    EXPECT_EQ(0, catalogue.SelectionCount());
    EXPECT_EQ(0, markedCandidates());
}

TEST_F(CSlowaTest, EntryChecksItsIndex) {
    catalogue.Filter(0x1000, 0x0001);
    ASSERT_TRUE(catalogue.DrawRandom(3));
    EXPECT_EQ(catalogue.CandidateList()[17].Key, catalogue.Entry(CSlowa::Candidates, 17).Key);
    EXPECT_THROW(catalogue.Entry(CSlowa::Candidates, 18), std::out_of_range);
    EXPECT_THROW(catalogue.Entry(CSlowa::Candidates, -1), std::out_of_range);
    EXPECT_THROW(catalogue.Entry(CSlowa::Selection, 3), std::out_of_range);
    const CSlowa& constCatalogue = catalogue;
    EXPECT_THROW(constCatalogue.Entry(CSlowa::Selection, -1), std::out_of_range);

    // A game marks a solved word by clearing its mark in the selection.
    catalogue.Entry(CSlowa::Selection, 1).setDrawn(false);
    EXPECT_FALSE(catalogue.SelectionList()[1].isDrawn());
}

class PictureTest : public CSlowaTest {
protected:
    TempWorkDir dir;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        catalogue.Filter(0x1000, 0x0080); // dzbanek, dzwonek
        ASSERT_TRUE(catalogue.DrawRandom(2));
    }
    const WordEntry& selected(const char* key) const {
        for (const WordEntry& e : catalogue.SelectionList()) {
            if (e.Key == QLatin1String(key))
                return e;
        }
        throw std::logic_error("not selected");
    }
};

TEST_F(PictureTest, SmallPicturesLoadAndAMissingOneStaysEmpty) {
    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzbanek.xji", Qt::red));
    EXPECT_FALSE(catalogue.LoadSmallPictures());
    EXPECT_EQ(QSize(8, 6), selected("dzbanek").SmallPicture.size());
    EXPECT_TRUE(selected("dzwonek").SmallPicture.isNull());

    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzwonek.xji", Qt::blue));
    EXPECT_TRUE(catalogue.LoadSmallPictures());
    EXPECT_FALSE(selected("dzwonek").SmallPicture.isNull());
}

TEST_F(PictureTest, UnreadablePictureFilesCountAsMissing) {
    // Not a JPEG at all, and a JPEG cut short.
    ASSERT_TRUE(dir.write("Data/Sio/sdzbanek.xji", QByteArray("this is no picture")));
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzwonek_mb.xji", Qt::green, QSize(64, 64)));
    QFile whole(dir.filePath("Data/Bio/dzwonek_mb.xji"));
    ASSERT_TRUE(whole.open(QIODevice::ReadOnly));
    const QByteArray bytes = whole.readAll();
    ASSERT_TRUE(dir.write("Data/Sio/sdzwonek.xji", bytes.left(bytes.size() / 2)));

    EXPECT_FALSE(catalogue.LoadSmallPictures());
    EXPECT_TRUE(selected("dzbanek").SmallPicture.isNull());
    EXPECT_TRUE(selected("dzwonek").SmallPicture.isNull());
}

TEST_F(PictureTest, AFolderInPlaceOfAPictureCountsAsMissing) {
    QDir().mkpath(dir.filePath("Data/Sio/sdzbanek.xji"));
    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzwonek.xji", Qt::red));
    EXPECT_FALSE(catalogue.LoadSmallPictures());
    EXPECT_TRUE(selected("dzbanek").SmallPicture.isNull());
}

TEST_F(PictureTest, BigPicturesUseTheSuffix) {
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzbanek_ups.xji", Qt::red, QSize(26, 28)));
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzwonek_ups.xji", Qt::red, QSize(26, 28)));
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzwonek_upb.xji", Qt::red, QSize(34, 36)));
    EXPECT_TRUE(catalogue.LoadBigPictures(QStringLiteral("_ups.xji")));
    EXPECT_EQ(QSize(26, 28), selected("dzbanek").BigPicture.size());
    EXPECT_TRUE(selected("dzbanek").SmallPicture.isNull());

    EXPECT_FALSE(catalogue.LoadBigPictures(QStringLiteral("_upb.xji")));
    EXPECT_TRUE(selected("dzbanek").BigPicture.isNull());
    EXPECT_EQ(QSize(34, 36), selected("dzwonek").BigPicture.size());
}

TEST_F(PictureTest, PicturePairIsAllOrNothing) {
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzbanek_ups.xji", Qt::red, QSize(26, 28)));
    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzbanek.xji", Qt::red));
    ASSERT_TRUE(dir.writeJpeg("Data/Bio/dzwonek_ups.xji", Qt::red, QSize(26, 28)));
    ASSERT_TRUE(dir.write("Data/Sio/sdzwonek.xji", QByteArray("\xFF\xD8 broken", 9)));

    EXPECT_FALSE(catalogue.LoadPictures(QStringLiteral("_ups.xji")));
    EXPECT_EQ(QSize(26, 28), selected("dzbanek").BigPicture.size());
    EXPECT_EQ(QSize(8, 6), selected("dzbanek").SmallPicture.size());
    EXPECT_TRUE(selected("dzwonek").BigPicture.isNull());
    EXPECT_TRUE(selected("dzwonek").SmallPicture.isNull());

    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzwonek.xji", Qt::red));
    EXPECT_TRUE(catalogue.LoadPictures(QStringLiteral("_ups.xji")));
}

TEST_F(PictureTest, CandidatesNeverHoldPicturesAndANewDrawDropsThem) {
    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzbanek.xji", Qt::red));
    ASSERT_TRUE(dir.writeJpeg("Data/Sio/sdzwonek.xji", Qt::red));
    ASSERT_TRUE(catalogue.LoadSmallPictures());
    for (const WordEntry& candidate : catalogue.CandidateList())
        EXPECT_TRUE(candidate.SmallPicture.isNull());
    ASSERT_TRUE(catalogue.DrawRandom(2));
    for (const WordEntry& selectedWord : catalogue.SelectionList())
        EXPECT_TRUE(selectedWord.SmallPicture.isNull());
}

TEST_F(PictureTest, ResourceCheckInAnEmptyFolderMissesEveryFile) {
    EXPECT_FALSE(catalogue.CheckResources(nullptr));
    QStringList missing;
    EXPECT_FALSE(catalogue.CheckResources(&missing));
    EXPECT_EQ(1722, missing.size());
    EXPECT_EQ("Data/Sio/sabecadlo.xji", missing.front().toStdString());
    EXPECT_EQ("Data/Smd/zyrandol.pw", missing.back().toStdString());
}

} // namespace
