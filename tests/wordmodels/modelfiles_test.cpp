#include "cslowa.h"
#include "mediafiles.h"
#include "modelcatalogue.h"
#include "modelexport.h"
#include "modelimport.h"
#include "modellist.h"
#include "modelstore.h"
#include "randomgenerator.h"
#include "recordingfile.h"
#include "wordbits.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <ebur128.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

constexpr int kRate = 22050;

// A word-like take: 0.6 s of a 300 Hz tone at the given peak between 0.3 s of quiet noise.
std::vector<short> take(double peakDb, double noiseDb = -70) {
    std::vector<short> s;
    const double amp = 32768 * std::pow(10.0, peakDb / 20);
    const double noise = 32768 * std::pow(10.0, noiseDb / 20);
    unsigned seed = 1;
    for (int i = 0; i < kRate * 12 / 10; ++i) {
        seed = seed * 1103515245 + 12345;
        double v = noise * (double(seed >> 16 & 0x7FFF) / 16384.0 - 1.0);
        if (i >= kRate * 3 / 10 && i < kRate * 9 / 10)
            v += amp * std::sin(2 * M_PI * 300 * i / kRate);
        s.push_back(short(std::lround(v)));
    }
    return s;
}

double loudness(const std::vector<short>& s) {
    ebur128_state* st = ebur128_init(1, kRate, EBUR128_MODE_I);
    ebur128_add_frames_short(st, s.data(), s.size());
    double l = 0;
    ebur128_loudness_global(st, &l);
    ebur128_destroy(&st);
    return l;
}

void write(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

void writeWave(const QString& path, const std::vector<short>& samples) {
    write(path, RecordingFile::WaveOf(samples.data(), samples.size()));
}

class ModelFilesTest : public ::testing::Test {
protected:
    RandomGenerator random;
    CSlowa words{random};
    ModelCatalogue catalogue{words.Words()};
    QTemporaryDir dir;
    QString In() const { return dir.filePath(QStringLiteral("in")); }
    QString Models() const { return dir.filePath(QStringLiteral("Wzorce")); }
    void SetUp() override { ASSERT_TRUE(QDir().mkpath(In())); }
};

TEST_F(ModelFilesTest, NamesAreMatchedAsTypedOrByKey) {
    EXPECT_EQ(catalogue.Words().size(), std::size_t(CSlowa::WordCount));
    EXPECT_EQ(catalogue.Phrases().size(), std::size_t(FeedbackPhraseCount(FeedbackPraise) +
                                                      FeedbackPhraseCount(FeedbackError)));
    const struct {
        const char* typed;
        const char* model;
    } cases[] = {
        {"żaba", "zaba"},         {"ŻABA", "zaba"},
        {"Z\u0307aba", "zaba"},   {"zaba", "zaba"},
        {" kosz ", "kosz"},       {"Brawo", "g00"},
        {"brawo!", "g00"},        {"G07", "g07"},
        {"b39", "b39"},           {"b40", ""},
        {"szafa z", ""},          {"", ""},
        {"abecadło", "abecadlo"}, {"abecadlo", "abecadlo"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(catalogue.Match(QString::fromUtf8(c.typed)), QString::fromUtf8(c.model));
    }
}

TEST_F(ModelFilesTest, ImportCleansWhatItCanAndSaysWhyNotTheRest) {
    using R = ImportedFile::Result;
    writeWave(In() + QStringLiteral("/Żaba.WAV"), take(-30));
    writeWave(In() + QStringLiteral("/kosz.wav"), take(-6));
    writeWave(In() + QStringLiteral("/g01.wav"), take(-12));
    writeWave(In() + QStringLiteral("/nieznane.wav"), take(-12));
    writeWave(In() + QStringLiteral("/sowa.wav"), take(-75, -200));
    writeWave(In() + QStringLiteral("/koza.wav"), take(-200, -30));
    write(In() + QStringLiteral("/lis.wav"), "not a sound");
    writeWave(In() + QStringLiteral("/atlas.mp3"), take(-12));
    ASSERT_TRUE(QDir().mkpath(In() + QStringLiteral("/ananas.wav")));

    ModelStore store(Models());
    const std::vector<ImportedFile> files = ModelImport::Run(In(), catalogue, store);
    const struct {
        const char* file;
        R result;
        const char* line;
    } expected[] = {
        {"g01.wav", R::Imported, "g01.wav: zaimportowano jako „Świetnie!”"},
        {"kosz.wav", R::Imported, "kosz.wav: zaimportowano jako „kosz”"},
        {"koza.wav", R::MostlyNoise, "koza.wav: pominięto („koza”): Nagranie to prawie sam szum."},
        {"lis.wav", R::Unreadable, "lis.wav: pominięto: to nie jest czytelny plik WAVE"},
        {"nieznane.wav", R::UnknownName,
         "nieznane.wav: pominięto: nazwa nie jest żadnym wyrazem ani zwrotem"},
        {"sowa.wav", R::TooQuiet, "sowa.wav: pominięto („sowa”): Nagranie jest za ciche."},
        {"Żaba.WAV", R::Imported, "Żaba.WAV: zaimportowano jako „żaba”"},
    };
    ASSERT_EQ(files.size(), std::size(expected));
    for (std::size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(expected[i].file);
        EXPECT_EQ(files[i].file, QString::fromUtf8(expected[i].file));
        EXPECT_EQ(files[i].result, expected[i].result);
        EXPECT_EQ(ModelImport::LineText(files[i], catalogue), QString::fromUtf8(expected[i].line));
    }
    EXPECT_EQ(ModelImport::ImportedCount(files), 3);
    EXPECT_EQ(store.Names(), (QStringList{"g01", "kosz", "zaba"}));
    // Quiet and loud takes come out equally loud.
    for (const char* name : {"g01", "kosz", "zaba"}) {
        SCOPED_TRACE(name);
        EXPECT_NEAR(loudness(*store.Load(QString::fromLatin1(name))), -16.2, 1.0);
    }

    // What is exported is imported back under the same names.
    const ModelExport::Result out =
        ModelExport::Run(catalogue, store, dir.filePath(QStringLiteral("out")));
    EXPECT_EQ(out.written, 3);
    EXPECT_TRUE(out.problems.isEmpty());
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("out/żaba.wav"))));
    ModelStore colleague(dir.filePath(QStringLiteral("colleague")));
    EXPECT_EQ(ModelImport::ImportedCount(
                  ModelImport::Run(dir.filePath(QStringLiteral("out")), catalogue, colleague)),
              3);
    EXPECT_EQ(colleague.Names(), store.Names());
}

TEST_F(ModelFilesTest, ASaveThatFailsKeepsTheOldModel) {
    ModelStore store(Models());
    ASSERT_TRUE(store.Save(QStringLiteral("kosz"), {1, 2, 3}));
    ASSERT_EQ(::chmod(Models().toLocal8Bit().constData(), 0500), 0);
    if (::geteuid() != 0) {
        EXPECT_FALSE(store.Save(QStringLiteral("kosz"), {4, 5}));
        EXPECT_FALSE(store.LastError().isEmpty());
        EXPECT_EQ(*store.Load(QStringLiteral("kosz")), (std::vector<short>{1, 2, 3}));
        EXPECT_FALSE(store.Remove(QStringLiteral("kosz")));
    }
    ::chmod(Models().toLocal8Bit().constData(), 0700);
    EXPECT_TRUE(store.Remove(QStringLiteral("kosz")));
    EXPECT_TRUE(store.Remove(QStringLiteral("kosz")));
    EXPECT_FALSE(store.Has(QStringLiteral("kosz")));
    // A damaged model is there, but gives no samples.
    write(store.PathOf(QStringLiteral("sowa")), "RIFF");
    EXPECT_TRUE(store.Has(QStringLiteral("sowa")));
    EXPECT_FALSE(store.Load(QStringLiteral("sowa")).has_value());
}

TEST_F(ModelFilesTest, TheListFiltersByGroupPositionAndOwnRecording) {
    ModelStore store(Models());
    ModelList list(catalogue, store);
    EXPECT_EQ(list.Count(), CSlowa::WordCount);
    ASSERT_TRUE(store.Save(list.At(0).name, {1}));
    ASSERT_TRUE(store.Save(QStringLiteral("g03"), {1}));
    list.Refresh();
    EXPECT_EQ(list.OwnCount(ModelList::Kind::Words), 1);
    EXPECT_EQ(list.OwnCount(ModelList::Kind::Phrases), 1);
    EXPECT_TRUE(list.HasOwn(0));

    using namespace WordBits;
    const struct {
        const char* name;
        ModelList::Filter filter;
        std::uint16_t everyRowHas; // one of these bits, 0 for none asked
        int count;                 // -1: some, not all
    } cases[] = {
        {"sz and s", {ModelList::Kind::Words, Sz, 0, false}, Sz | S, -1},
        {"cz and c at the end", {ModelList::Kind::Words, Cz, Wyglos, false}, Cz | C, -1},
        {"without own", {ModelList::Kind::Words, 0, 0, true}, 0, CSlowa::WordCount - 1},
        {"phrases", {ModelList::Kind::Phrases, Sz, Naglos, false}, 0, 87},
        {"phrases without own", {ModelList::Kind::Phrases, 0, 0, true}, 0, 86},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        list.SetFilter(c.filter);
        if (c.count >= 0)
            EXPECT_EQ(list.Count(), c.count);
        else
            EXPECT_GT(list.Count(), 0);
        EXPECT_LT(list.Count(), c.filter.kind == ModelList::Kind::Words ? CSlowa::WordCount : 88);
        const std::uint16_t position = c.filter.position;
        for (int row = 0; row < list.Count(); ++row) {
            const ModelEntry& entry = list.At(row);
            EXPECT_TRUE(!c.everyRowHas || (entry.soundCode & c.everyRowHas));
            EXPECT_TRUE(!position || entry.isPhrase() || (entry.soundCode & position));
            EXPECT_TRUE(!c.filter.withoutOwnOnly || !list.HasOwn(row));
        }
    }
    EXPECT_EQ(list.RowOf(QStringLiteral("g03")), -1);
}

} // namespace
