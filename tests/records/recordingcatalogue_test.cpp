// The recordings catalogue and its file "Nagrane/record.xtr".
#include "inifile.h"
#include "recordingcatalogue.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

const QDate kToday(2024, 3, 15);

class RecordingCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString folder() const { return m_dir.filePath("Nagrane"); }
    QString file() const { return folder() + "/record.xtr"; }

    RecordingCatalogue make() const {
        return RecordingCatalogue(folder(), [] { return kToday; });
    }

    void writeFile(const QByteArray& text) const {
        ASSERT_TRUE(QDir().mkpath(folder()));
        QFile out(file());
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(text), text.size());
    }
    IniFile readFile() const {
        IniFile ini(file());
        EXPECT_TRUE(ini.load());
        return ini;
    }
    static std::string str(const QString& s) { return s.toStdString(); }

private:
    QTemporaryDir m_dir;
};

TEST_F(RecordingCatalogueTest, AMissingFileIsCreatedWithThirtyEmptyPlaces) {
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());

    const IniFile ini = readFile();
    ASSERT_EQ(ini.sections().size(), 30);
    for (int n = 0; n < 30; ++n) {
        SCOPED_TRACE(n);
        const QString section = "Nagranie" + QString::number(n);
        EXPECT_EQ(str(ini.sections().at(n)), str(section));
        EXPECT_TRUE(ini.valueExists(section, "Plik"));
        EXPECT_EQ(str(ini.readString(section, "Plik", "?")), "");
        EXPECT_EQ(str(ini.readString(section, "Nazwa", "?")), "");
        EXPECT_EQ(str(ini.readString(section, "Data", "?")), "01-01-1990");

        const auto& place = catalogue.Place(n);
        EXPECT_EQ(place.number, n);
        EXPECT_EQ(str(place.name), "");
        EXPECT_EQ(place.date, RecordingCatalogue::NoDate);
        EXPECT_EQ(str(catalogue.SoundPath(n)), "");
    }
}

// Each place loads on its own: a lost section (the first one too) hides no other place, and
// recording into the lost place leaves every other place's name and file as they were.
TEST_F(RecordingCatalogueTest, EveryPlaceLoadsOnItsOwnAndTheGapsAreMended) {
    const struct {
        const char* name;
        std::vector<int> present; // places whose section the file holds
        int gap;                  // a place without its section, recorded into
    } cases[] = {
        {"first missing", {1, 2, 5, 29}, 0},
        {"gap in the middle", {0, 1, 3}, 2},
        {"only the last", {29}, 13},
        {"last missing", {0, 28}, 29},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QByteArray text;
        for (int n : c.present)
            text += QStringLiteral("[Nagranie%1]\r\nPlik=Nagranie%1\r\nNazwa=Dziecko %1\r\n"
                                   "Data=02-05-2023\r\n")
                        .arg(n)
                        .toUtf8();
        writeFile(text);
        RecordingCatalogue catalogue = make();
        ASSERT_TRUE(catalogue.Open());
        for (int n = 0; n < RecordingCatalogue::Places; ++n) {
            SCOPED_TRACE(n);
            const bool present =
                std::find(c.present.begin(), c.present.end(), n) != c.present.end();
            EXPECT_EQ(str(catalogue.Place(n).name),
                      present ? "Dziecko " + std::to_string(n) : std::string());
            EXPECT_EQ(str(catalogue.SoundPath(n)),
                      present ? str(folder() + "/Nagranie" + QString::number(n) + ".wav")
                              : std::string());
            EXPECT_EQ(str(RecordingCatalogue::ShownDate(catalogue.Place(n).date)),
                      present ? "02-05-2023" : "");
        }

        // Every place can be recorded into: the missing sections are there now, the others kept.
        IniFile ini = readFile();
        EXPECT_EQ(ini.sections().size(), 30);
        EXPECT_EQ(str(ini.readString(RecordingCatalogue::SectionName(c.gap), "Data", "?")),
                  "01-01-1990");
        catalogue.SetName(c.gap, "Nowe");
        EXPECT_TRUE(catalogue.StoreRecording(c.gap));
        ini = readFile();
        for (int n : c.present) {
            const QString section = RecordingCatalogue::SectionName(n);
            EXPECT_EQ(str(ini.readString(section, "Nazwa", "?")), "Dziecko " + std::to_string(n));
            EXPECT_EQ(str(ini.readString(section, "Plik", "?")), "Nagranie" + std::to_string(n));
        }
        ASSERT_TRUE(QFile::remove(file()));
    }
}

// What the reader could not make sense of goes with the rewrite, so its bytes are kept aside
// first; a file that reads whole is never copied.
TEST_F(RecordingCatalogueTest, AFileWithUnreadableLinesIsKeptAsideBeforeItIsRewritten) {
    QByteArray binary;
    for (int i = 0; i < 2000; ++i)
        binary.append(static_cast<char>((i * 131 + 7) % 256));
    const struct {
        const char* name;
        QByteArray bytes;
        bool keptAside;
    } cases[] = {
        {"binary", binary, true},
        {"text that is not ini", "Ala ma kota\nkot ma Ale\n", true},
        {"places and noise", "[Nagranie0]\nPlik=Nagranie0\nNazwa=Ala\nData=02-05-2023\n#!?\n",
         true},
        {"empty", QByteArray(), false},
        {"some places, no noise", "[Nagranie4]\r\nPlik=\r\nNazwa=\r\nData=01-01-1990\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(folder()).removeRecursively();
        writeFile(c.bytes);
        RecordingCatalogue catalogue = make();
        ASSERT_TRUE(catalogue.Open());
        const QStringList aside =
            QDir(folder()).entryList({QStringLiteral("record.xtr.damaged.*")}, QDir::Files);
        ASSERT_EQ(aside.size(), c.keptAside ? 1 : 0);
        if (c.keptAside) {
            QFile kept(QDir(folder()).filePath(aside.front()));
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll().toHex().toStdString(), c.bytes.toHex().toStdString());
        }
        EXPECT_EQ(readFile().sections().size(), 30);
        EXPECT_EQ(readFile().unreadableLines(), 0);
        // The rewritten file reads whole: storing makes no second copy.
        catalogue.SetName(3, "Ola");
        EXPECT_TRUE(catalogue.StoreRecording(3));
        EXPECT_EQ(QDir(folder()).entryList({QStringLiteral("record.xtr.damaged.*")}).size(),
                  aside.size());
    }
}

TEST_F(RecordingCatalogueTest, AnEmptyFileStillLetsEveryPlaceBeRecorded) {
    writeFile("");
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    catalogue.SetName(29, "Ola");
    EXPECT_TRUE(catalogue.StoreRecording(29));
    EXPECT_EQ(str(readFile().readString("Nagranie29", "Nazwa", "?")), "Ola");
}

struct DateCase {
    const char* name;
    const char* stored;
    const char* shown; // empty: the place counts as never recorded
};
void PrintTo(const DateCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.stored << '"';
}

class RecordingCatalogueDateTest : public RecordingCatalogueTest,
                                   public ::testing::WithParamInterface<DateCase> {};

TEST_P(RecordingCatalogueDateTest, OnlyAProperDateAfter1990IsTaken) {
    writeFile(QByteArray("[Nagranie0]\nPlik=Nagranie0\nNazwa=Ala\nData=") + GetParam().stored +
              "\n");
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    EXPECT_EQ(str(RecordingCatalogue::ShownDate(catalogue.Place(0).date)), GetParam().shown);
    if (std::string(GetParam().shown).empty()) {
        EXPECT_EQ(catalogue.Place(0).date, RecordingCatalogue::NoDate);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, RecordingCatalogueDateTest,
                         ::testing::Values(DateCase{"Proper", "15-03-2024", "15-03-2024"},
                                           DateCase{"DayAfterNoDate", "02-01-1990", "02-01-1990"},
                                           DateCase{"NoDateItself", "01-01-1990", ""},
                                           DateCase{"Earlier", "31-12-1989", ""},
                                           DateCase{"Missing", "", ""},
                                           DateCase{"Junk", "wczoraj", ""},
                                           DateCase{"NoSuchDay", "31-02-2024", ""},
                                           DateCase{"OtherOrder", "2024-03-15", ""},
                                           DateCase{"OneDigitDay", "5-03-2024", ""},
                                           DateCase{"LocaleForm", "15.03.2024", ""},
                                           DateCase{"WindowsDouble", "45366", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

struct FileCase {
    const char* name;
    const char* stored;
    bool taken;
};
void PrintTo(const FileCase& c, std::ostream* os) {
    *os << c.name << " \"" << c.stored << '"';
}

class RecordingCatalogueFileTest : public RecordingCatalogueTest,
                                   public ::testing::WithParamInterface<FileCase> {};

TEST_P(RecordingCatalogueFileTest, OnlyAPlainBaseNameLeadsToASoundFile) {
    writeFile(QByteArray("[Nagranie0]\nPlik=") + GetParam().stored +
              "\nNazwa=Ala\nData=15-03-2024\n");
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    const std::string expected =
        GetParam().taken ? str(folder() + "/" + GetParam().stored + ".wav") : "";
    EXPECT_EQ(str(catalogue.SoundPath(0)), expected);
    // The name and date still load: only the sound file is refused.
    EXPECT_EQ(str(catalogue.Place(0).name), "Ala");
}

INSTANTIATE_TEST_SUITE_P(
    Values, RecordingCatalogueFileTest,
    ::testing::Values(FileCase{"Own", "Nagranie0", true},
                      FileCase{"OtherPlain", "Moje nagranie", true}, FileCase{"Empty", "", false},
                      FileCase{"Parent", "../Data/data", false},
                      FileCase{"DotDotOnly", "..", false}, FileCase{"Subfolder", "a/b", false},
                      FileCase{"Absolute", "/etc/passwd", false},
                      FileCase{"Backslash", "..\\..\\x", false},
                      FileCase{"WindowsDrive", "C:\\x", false}, FileCase{"Tab", "a\tb", false},
                      FileCase{"Escape", "a\x1b[2Jb", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RecordingCatalogueTest, AnUnreadableFileLoadsAndStoresNothing) {
    ASSERT_TRUE(QDir().mkpath(file())); // a folder where the file should be
    RecordingCatalogue catalogue = make();
    EXPECT_FALSE(catalogue.Open());
    catalogue.SetName(0, "Ala");
    EXPECT_FALSE(catalogue.StoreRecording(0));
    EXPECT_EQ(str(catalogue.SoundPath(0)), "");
}

TEST_F(RecordingCatalogueTest, StoringWritesTheNameFileAndDateOfThatPlaceOnly) {
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    catalogue.SetName(29, "Jaś Fasola");
    ASSERT_TRUE(catalogue.StoreRecording(29));

    EXPECT_EQ(str(catalogue.Place(29).file), "Nagranie29");
    EXPECT_EQ(catalogue.Place(29).date, RecordingCatalogue::DateValue(kToday));
    EXPECT_EQ(str(catalogue.SoundPath(29)), str(folder() + "/Nagranie29.wav"));
    const IniFile ini = readFile();
    EXPECT_EQ(str(ini.readString("Nagranie29", "Plik", "?")), "Nagranie29");
    EXPECT_EQ(str(ini.readString("Nagranie29", "Nazwa", "?")), "Jaś Fasola");
    EXPECT_EQ(str(ini.readString("Nagranie29", "Data", "?")), "15-03-2024");
    EXPECT_EQ(str(ini.readString("Nagranie28", "Plik", "?")), "");
    EXPECT_EQ(str(ini.readString("Nagranie28", "Data", "?")), "01-01-1990");
}

TEST_F(RecordingCatalogueTest, StoringFailsWhenThePlacesSectionIsGone) {
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    writeFile("[Nagranie0]\nPlik=\nNazwa=\nData=01-01-1990\n");
    catalogue.SetName(5, "Ala");
    EXPECT_FALSE(catalogue.StoreRecording(5));
    EXPECT_FALSE(readFile().sectionExists("Nagranie5"));
    EXPECT_EQ(str(catalogue.SoundPath(5)), "");
    ASSERT_TRUE(QFile::remove(file()));
    EXPECT_FALSE(catalogue.StoreRecording(0));
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(RecordingCatalogueTest, PlacesOutsideTheCatalogueAreEmptyAndNeverStored) {
    RecordingCatalogue catalogue = make();
    ASSERT_TRUE(catalogue.Open());
    for (int n : {-1, 30}) {
        catalogue.SetName(n, "Ala");
        EXPECT_FALSE(catalogue.StoreRecording(n)) << n;
        EXPECT_EQ(str(catalogue.SoundPath(n)), "") << n;
        EXPECT_EQ(str(catalogue.Place(n).name), "") << n;
    }
    EXPECT_EQ(readFile().sections().size(), 30);
}

class RecordingCatalogueNameTest : public RecordingCatalogueTest,
                                   public ::testing::WithParamInterface<const char*> {};

TEST_P(RecordingCatalogueNameTest, ATypedNameComesBackUnchangedAfterARestart) {
    const QString name = QString::fromUtf8(GetParam());
    {
        RecordingCatalogue catalogue = make();
        ASSERT_TRUE(catalogue.Open());
        catalogue.SetName(7, name);
        ASSERT_TRUE(catalogue.StoreRecording(7));
    }
    RecordingCatalogue reopened = make();
    ASSERT_TRUE(reopened.Open());
    EXPECT_EQ(str(reopened.Place(7).name), str(name));
    EXPECT_EQ(str(reopened.SoundPath(7)), str(folder() + "/Nagranie7.wav"));
    EXPECT_EQ(str(RecordingCatalogue::ShownDate(reopened.Place(7).date)), "15-03-2024");
    // Neighbours are untouched by whatever the name holds.
    EXPECT_EQ(str(reopened.Place(6).name), "");
    EXPECT_EQ(str(reopened.Place(8).name), "");
}

INSTANTIATE_TEST_SUITE_P(Names, RecordingCatalogueNameTest,
                         ::testing::Values("Zażółć Gęślą Jaźń", "a=b", "; nie komentarz",
                                           "[Nagranie8]", "Ola \"Mała\", lat 5", "\"cytat\"", "\"",
                                           "\"\"", "  wcięta", "z tyłu  ", "\t", "x;y=z]"));

TEST(RecordingCatalogueNames, BlankNamesCountAsEmpty) {
    for (const char* blank : {"", " ", "   ", "\t", " \t "})
        EXPECT_TRUE(RecordingCatalogue::IsBlankName(QString::fromUtf8(blank)))
            << '"' << blank << '"';
    for (const char* name : {"Ala", " Ą ", "."})
        EXPECT_FALSE(RecordingCatalogue::IsBlankName(QString::fromUtf8(name))) << name;
}

} // namespace
