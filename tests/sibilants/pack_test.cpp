// The verdicts on the data pack's own words (espeak-ng, 22050 Hz), on the pack voice's scale:
// the segment of each word's practised sound must come out as its place.
#include "sibilantanalysis.h"
#include "wavereader.h"
#include "wordbits.h"
#include "wordentry.h"
#include "wordtable.h"

#include <QDir>
#include <QSet>
#include <algorithm>
#include <gtest/gtest.h>
#include <iostream>

namespace {

const QString kPack = QStringLiteral(WK_BINARY_DIR "/Data/Smd/");

// Graphemes with a frication of their own; f too, since it has one though it is no sibilant.
const QSet<QString> kFricatives = {"s", "z",  "c", "dz", "sz", "ż",  "rz", "cz",  "dż",
                                   "ś", "si", "ź", "zi", "ć",  "ci", "dź", "dzi", "f"};
const QSet<QString> kVoiced = {"z", "dz", "ż", "rz", "dż", "ź", "zi", "dź", "dzi"};

// The segment of the practised sound: the first for a word-initial one, the last for a final
// one. Inside the word it is counted among the word's fricatives, once the segments and the
// fricatives agree in number: the shortest extra segments are a stop's burst (t, k), and a
// voiced fricative other than the target may give no segment at all.
std::optional<SibilantSegment> practised(const WordTable::Row& row,
                                         std::vector<SibilantSegment> segments) {
    if (segments.empty())
        return std::nullopt;
    if (row.code & WordBits::Naglos)
        return segments.front();
    if (row.code & WordBits::Wyglos)
        return segments.back();
    const QString segmentation = QString::fromUtf8(row.segmentation);
    const QStringList graphemes = WordEntry::Graphemes(segmentation);
    const int target = WordEntry::TargetIndex(segmentation);
    std::vector<int> fricatives;
    for (int i = 0; i < graphemes.size(); ++i)
        if (kFricatives.contains(graphemes[i]))
            fricatives.push_back(i);
    while (segments.size() > fricatives.size())
        segments.erase(std::min_element(segments.begin(), segments.end(),
                                        [](const SibilantSegment& a, const SibilantSegment& b) {
                                            return a.frames < b.frames;
                                        }));
    for (std::size_t i = 0; i < fricatives.size() && segments.size() < fricatives.size();)
        if (fricatives[i] != target && kVoiced.contains(graphemes[fricatives[i]]))
            fricatives.erase(fricatives.begin() + std::ptrdiff_t(i));
        else
            ++i;
    const auto at = std::find(fricatives.begin(), fricatives.end(), target);
    const std::size_t index = std::min<std::size_t>(at - fricatives.begin(), segments.size() - 1);
    return segments[index];
}

// The place a word's practised sound should come out at: sz, ż/rz, cz, dż as sz, their
// contrasts s, z, c, dz as s.
Sibilant place(std::uint16_t code) {
    return (code & WordBits::GroupMask) ? Sibilant::Sz : Sibilant::S;
}

class PackWords : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QDir(kPack).exists())
            GTEST_SKIP() << "no generated pack in " << qPrintable(kPack);
    }
    static std::optional<SibilantSegment> judge(const WordTable::Row& row) {
        const std::optional<WaveSound> sound =
            WaveReader::Read(kPack + QString::fromLatin1(row.key) + ".pw");
        EXPECT_TRUE(sound) << row.key;
        if (!sound)
            return std::nullopt;
        return practised(
            row, SibilantAnalysis::Of(sound->samples, sound->sampleRate, ScaleEnds::PackVoice())
                     .segments);
    }
    static const WordTable::Row& row(const char* key) {
        const auto rows = WordTable::rows();
        return *std::find_if(rows.begin(), rows.end(),
                             [key](const WordTable::Row& r) { return qstrcmp(r.key, key) == 0; });
    }
};

TEST_F(PackWords, AHandfulComeOutAtTheirPlace) {
    // At the start, inside and at the end of a word; sz and s with their voiced relatives.
    for (const char* key : {"szyba", "gruszka", "kosz", "sowa", "kasa", "nos", "szyszka", "zaba",
                            "koza", "cebula", "listonosz"}) {
        SCOPED_TRACE(key);
        const WordTable::Row& r = row(key);
        const std::optional<SibilantSegment> s = judge(r);
        ASSERT_TRUE(s);
        EXPECT_EQ(s->verdict, place(r.code)) << s->cogHz << " Hz";
    }
}

TEST_F(PackWords, PractisedSzAndSComeOutRightInNineteenOfTwenty) {
    int words = 0, right = 0;
    for (const WordTable::Row& r : WordTable::rows()) {
        if (!(r.code & (WordBits::Sz | WordBits::S)))
            continue;
        ++words;
        const std::optional<SibilantSegment> s = judge(r);
        if (s && s->verdict == place(r.code)) {
            ++right;
            continue;
        }
        std::cout << "miss: " << r.key << ' '
                  << (s ? QStringLiteral("%1-%2 ms, %3 Hz, peak %4 Hz, %5")
                              .arg(s->startMs)
                              .arg(s->endMs)
                              .arg(s->cogHz)
                              .arg(s->peakHz)
                              .arg(ScaleEnds::Name(s->verdict))
                              .toStdString()
                        : std::string("no segment"))
                  << '\n';
    }
    std::cout << right << " of " << words << " sz and s words right\n";
    EXPECT_EQ(words, 128);
    EXPECT_GE(right, 0.95 * words);
}

} // namespace
