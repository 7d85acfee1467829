// data.ini at start-up and shut-down: creation, launch counting, repairs and bad files.
#include "inifile.h"
#include "settingsstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <future>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        ASSERT_TRUE(QDir(dir.path()).mkpath("Data"));
        path = dir.filePath("Data/data.ini");
    }
    void writeFile(const QByteArray& bytes) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(bytes.size(), file.write(bytes));
    }
    QByteArray readFile() const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    int stored(const char* section, const char* key) const {
        IniFile ini(path);
        EXPECT_TRUE(ini.load());
        return ini.readInteger(section, key, -12345);
    }
};

TEST_F(SettingsStoreTest, MissingFileIsCreatedFromDefaultsWithoutCounting) {
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(0, store.launchCounter);
    EXPECT_EQ(1, store.currentTab);
    EXPECT_EQ(0, store.previousTab);

    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ((QStringList{"Memory", "Uzupelnianie", "Podpisywanie", "Spadajace", "DaneProgramu"}),
              ini.sections());
    for (const char* section : {"Memory", "Uzupelnianie", "Podpisywanie", "Spadajace"}) {
        SCOPED_TRACE(section);
        EXPECT_EQ(0, ini.readInteger(section, "Gloski", -1));
        EXPECT_EQ(2, ini.readInteger(section, "Poziom", -1));
        EXPECT_EQ(0, ini.readInteger(section, "Pozycja", -1));
    }
    EXPECT_EQ(1, ini.readInteger("DaneProgramu", "Zakladka", -1));
    EXPECT_EQ(0, ini.readInteger("DaneProgramu", "LU", -1));
    EXPECT_EQ(111002, ini.readInteger("DaneProgramu", "Position", -1));
    EXPECT_EQ(1, ini.readInteger("DaneProgramu", "Muzyka", -1));
}

TEST_F(SettingsStoreTest, EveryStartThatFindsTheFileCountsOne) {
    for (int start = 0; start < 4; ++start) {
        SettingsStore store(path);
        ASSERT_TRUE(store.LoadAll());
        EXPECT_EQ(start, store.launchCounter);
        EXPECT_EQ(start, stored("DaneProgramu", "LU"));
    }
}

// The start-up write may wait for the disk, so the program leaves it to another thread: the
// values are there at once, the file changes only when the write runs, from that thread.
TEST_F(SettingsStoreTest, TheStartUpWriteRunsWhenAndWhereTheCallerWants) {
    for (const bool exists : {false, true}) {
        SCOPED_TRACE(exists ? "file there" : "no file");
        QFile::remove(path);
        if (exists)
            writeFile("[DaneProgramu]\nLU=41\nZakladka=3\n");
        const QByteArray before = readFile();
        SettingsStore store(path);
        std::function<bool()> writeBack = store.LoadAllWritingLater();
        ASSERT_TRUE(writeBack);
        EXPECT_EQ(exists ? 42 : 0, store.launchCounter);
        EXPECT_EQ(exists ? 3 : 1, store.currentTab);
        EXPECT_EQ(before, readFile());
        EXPECT_TRUE(std::async(std::launch::async, writeBack).get());
        EXPECT_EQ(exists ? 42 : 0, stored("DaneProgramu", "LU"));
        EXPECT_EQ(exists ? 3 : 1, stored("DaneProgramu", "Zakladka"));
    }
    // A file that cannot be read gives no write at all.
    QFile::remove(path);
    ASSERT_TRUE(QDir().mkpath(path));
    EXPECT_FALSE(SettingsStore(path).LoadAllWritingLater());
}

TEST_F(SettingsStoreTest, SettingsSurviveShutDownAndStart) {
    {
        SettingsStore store(path);
        ASSERT_TRUE(store.LoadAll());
        store.memory.gloski = 0x0005;
        store.memory.SetLevel(3);
        store.memory.pozycja = 0x3000;
        store.completing.gloski = 0x0008;
        store.falling.SetLevel(1);
        store.labelling.pozycja = 0x4000;
        store.currentTab = 4;
        ASSERT_TRUE(store.SaveAll());
    }
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(0x0005, store.memory.gloski);
    EXPECT_EQ(3, store.memory.poziom);
    EXPECT_EQ(0x3000, store.memory.pozycja);
    EXPECT_EQ(0x0008, store.completing.gloski);
    EXPECT_EQ(1, store.falling.poziom);
    EXPECT_EQ(0x4000, store.labelling.pozycja);
    EXPECT_EQ(2, store.labelling.poziom);
    EXPECT_EQ(4, store.currentTab);
    EXPECT_EQ(1, store.launchCounter);
}

TEST_F(SettingsStoreTest, PartnerBitsDoNotSurviveSaveAndLoad) {
    {
        SettingsStore store(path);
        store.falling.gloski = 0x00FF;
        ASSERT_TRUE(store.SaveAll());
        EXPECT_EQ(255, stored("Spadajace", "Gloski"));
    }
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(15, store.falling.gloski);
}

TEST_F(SettingsStoreTest, StoredTabIsRepaired) {
    const std::pair<const char*, int> cases[] = {{"5", 1}, {"4", 4},  {"1", 1}, {"0", 1},
                                                 {"6", 1}, {"-3", 1}, {"x", 1}};
    for (const auto& [value, expected] : cases) {
        SCOPED_TRACE(value);
        writeFile(QByteArray("[DaneProgramu]\nZakladka=") + value + "\nLU=7\n");
        SettingsStore store(path);
        ASSERT_TRUE(store.LoadAll());
        EXPECT_EQ(expected, store.currentTab);
        EXPECT_EQ(8, store.launchCounter);
    }
}

TEST_F(SettingsStoreTest, MissingKeysKeepTheValuesInMemory) {
    writeFile("[Memory]\nPoziom=1\n[DaneProgramu]\n");
    SettingsStore store(path);
    store.memory.gloski = 0x0002;
    store.memory.pozycja = 0x1000;
    store.completing.SetLevel(3);
    store.currentTab = 3;
    store.launchCounter = 41;
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(0x0002, store.memory.gloski);
    EXPECT_EQ(1, store.memory.poziom);
    EXPECT_EQ(0x1000, store.memory.pozycja);
    EXPECT_EQ(3, store.completing.poziom);
    EXPECT_EQ(3, store.currentTab);
    EXPECT_EQ(42, store.launchCounter);
    EXPECT_EQ(42, stored("DaneProgramu", "LU"));
}

TEST_F(SettingsStoreTest, StartKeepsWhatElseTheFileHolds) {
    writeFile("[Memory]\r\nGloski=3\r\n[Inne]\r\nKlucz=wartość\r\n");
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    ASSERT_TRUE(store.SaveAll());
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ("wartość", ini.readString("Inne", "Klucz", "").toStdString());
    EXPECT_EQ(3, ini.readInteger("Memory", "Gloski", -1));
}

// The menu music's switch: 0 is off, anything else or nothing leaves it on; the start writes
// the choice back as 0 or 1 and keeps the program keys it does not know.
TEST_F(SettingsStoreTest, MusicChoiceIsReadRepairedAndWrittenBack) {
    struct Case {
        const char* line;
        bool music;
        int stored;
    };
    const Case cases[] = {{"Muzyka=0\n", false, 0},  {"Muzyka=1\n", true, 1},
                          {"Muzyka=7\n", true, 1},   {"Muzyka=-1\n", true, 1},
                          {"Muzyka=nie\n", true, 1}, {"", true, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        writeFile(QByteArray("[DaneProgramu]\nZakladka=2\n") + c.line + "Nowy=abc\n");
        SettingsStore store(path);
        ASSERT_TRUE(store.LoadAll());
        EXPECT_EQ(c.music, store.music);
        ASSERT_TRUE(store.SaveAll());
        EXPECT_EQ(c.stored, stored("DaneProgramu", "Muzyka"));
        IniFile ini(path);
        ASSERT_TRUE(ini.load());
        EXPECT_EQ("abc", ini.readString("DaneProgramu", "Nowy", "").toStdString());
    }
}

struct BadFileCase {
    const char* name;
    QByteArray bytes;
};

class SettingsStoreBadFileTest : public SettingsStoreTest,
                                 public ::testing::WithParamInterface<BadFileCase> {};

// Whatever the file holds, the start goes on with repaired values and a counted start.
TEST_P(SettingsStoreBadFileTest, LoadsWithRepairedValues) {
    writeFile(GetParam().bytes);
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    for (CUstGry* record : {&store.labelling, &store.memory, &store.completing, &store.falling}) {
        SCOPED_TRACE(record->Sekcja().toStdString());
        EXPECT_EQ(0, record->gloski & ~0x000F);
        EXPECT_GE(record->poziom, 1);
        EXPECT_LE(record->poziom, 3);
        EXPECT_EQ(0, record->pozycja & ~0x7000);
    }
    EXPECT_GE(store.currentTab, 1);
    EXPECT_LE(store.currentTab, 4);
    EXPECT_EQ(store.launchCounter, stored("DaneProgramu", "LU"));
}

QByteArray garbage() {
    QByteArray bytes;
    for (int i = 0; i < 4096; ++i)
        bytes.append(static_cast<char>((i * 7919 + 13) % 256));
    return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SettingsStoreBadFileTest,
    ::testing::Values(
        BadFileCase{"empty", QByteArray()}, BadFileCase{"binary", garbage()},
        BadFileCase{"hugeAndNegative",
                    "[Memory]\nGloski=-2147483648\nPoziom=2147483647\nPozycja=-99999999999\n"
                    "[DaneProgramu]\nZakladka=-32768\nLU=99999999999999\n"},
        BadFileCase{"shortOverflow", "[Podpisywanie]\nPoziom=65538\nGloski=65551\n"},
        BadFileCase{"duplicateSections",
                    "[Memory]\nGloski=1\n[Spadajace]\nPoziom=3\n[Memory]\nGloski=2\nPoziom=9\n"},
        BadFileCase{"noSectionsOnlyNoise", "=\n[\n]]\n==\nGloski=3\n;comment\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsStoreTest, DuplicateSectionsContinueTheFirst) {
    writeFile("[Memory]\nGloski=1\n[Spadajace]\nPoziom=3\n[Memory]\nGloski=2\nPoziom=1\n");
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(1, store.memory.gloski);
    EXPECT_EQ(1, store.memory.poziom);
    EXPECT_EQ(3, store.falling.poziom);
}

TEST_F(SettingsStoreTest, CounterStopsAtItsLargestValue) {
    writeFile("[DaneProgramu]\nLU=2147483647\n");
    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    EXPECT_EQ(2147483647, store.launchCounter);
}

TEST_F(SettingsStoreTest, MissingDataFolderIsAFailure) {
    const QString elsewhere = dir.filePath("NoData/data.ini");
    SettingsStore store(elsewhere);
    EXPECT_FALSE(store.LoadAll());
    EXPECT_FALSE(QFileInfo::exists(dir.filePath("NoData")));
    EXPECT_FALSE(store.SaveAll());
}

TEST_F(SettingsStoreTest, AFolderNamedLikeTheFileIsAFailure) {
    ASSERT_TRUE(QDir().mkpath(path));
    SettingsStore store(path);
    EXPECT_FALSE(store.LoadAll());
    EXPECT_FALSE(store.SaveAll());
    EXPECT_TRUE(QFileInfo(path).isDir());
}

TEST_F(SettingsStoreTest, ReadOnlyFolderIsAFailure) {
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    const QString data = dir.filePath("Data");
    const auto writable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
    EXPECT_FALSE(SettingsStore(path).LoadAll()); // cannot be created

    ASSERT_TRUE(QFile::setPermissions(data, writable));
    writeFile("[DaneProgramu]\nLU=3\n");
    ASSERT_TRUE(QFile::setPermissions(data, QFile::ReadOwner | QFile::ExeOwner));
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner));
    EXPECT_FALSE(SettingsStore(path).LoadAll()); // read, but the count cannot be written
    ASSERT_TRUE(QFile::setPermissions(data, writable));
    EXPECT_EQ(QByteArray("[DaneProgramu]\nLU=3\n"), readFile());

    ASSERT_TRUE(QFile::setPermissions(path, QFile::WriteOwner));
    EXPECT_FALSE(SettingsStore(path).LoadAll()); // cannot be read
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
}

// A start rewrites the file; lines it could not read would be lost, so their bytes are kept
// aside first. A file that reads whole is never copied.
TEST_F(SettingsStoreTest, AFileWithUnreadableLinesIsKeptAsideBeforeItIsRewritten) {
    const struct {
        const char* name;
        QByteArray bytes;
        bool keptAside;
    } cases[] = {
        {"binary", garbage(), true},
        {"noise", "=\n[\n]]\n==\nGloski=3\n", true},
        {"keys before any section", "Gloski=3\n[Memory]\nPoziom=1\n", true},
        {"empty", QByteArray(), false},
        {"whole, with a comment", "; ustawienia\r\n[Memory]\r\nPoziom=1\r\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (const QString& old : QDir(dir.filePath("Data")).entryList(QDir::Files))
            QFile::remove(dir.filePath("Data/" + old));
        writeFile(c.bytes);
        ASSERT_TRUE(SettingsStore(path).LoadAll());
        ASSERT_TRUE(SettingsStore(path).SaveAll());
        const QStringList aside =
            QDir(dir.filePath("Data")).entryList({QStringLiteral("data.ini.damaged.*")});
        ASSERT_EQ(aside.size(), c.keptAside ? 1 : 0) << "one copy, and no more once rewritten";
        if (c.keptAside) {
            QFile kept(dir.filePath("Data/" + aside.front()));
            ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
            EXPECT_EQ(kept.readAll().toHex().toStdString(), c.bytes.toHex().toStdString());
        }
        IniFile ini(path);
        ASSERT_TRUE(ini.load());
        EXPECT_EQ(ini.unreadableLines(), 0);
        EXPECT_TRUE(ini.sectionExists("DaneProgramu"));
    }
}

// Choices reach the file shortly after a row of changes, or at once when asked, without
// waiting for the end of the run.
TEST_F(SettingsStoreTest, AChangeReachesTheFileShortlyAfterwards) {
    static int argc = 1;
    static char name[] = "wk-settingsstore-test";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
    const auto runFor = [](int ms) {
        QEventLoop loop;
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
    };

    SettingsStore store(path);
    ASSERT_TRUE(store.LoadAll());
    store.memory.gloski = 0x0005;
    store.SaveSoon();
    store.memory.gloski = 0x0007;
    store.SaveSoon();
    EXPECT_EQ(0, stored("Memory", "Gloski")) << "a row of changes waits for its last";
    EXPECT_TRUE(store.SavePending());
    QElapsedTimer waited;
    waited.start();
    while (store.SavePending() && waited.elapsed() < 10000)
        runFor(20);
    EXPECT_EQ(7, stored("Memory", "Gloski"));

    store.falling.SetLevel(3);
    store.SaveSoon();
    ASSERT_TRUE(store.SaveNow());
    EXPECT_FALSE(store.SavePending());
    EXPECT_EQ(3, stored("Spadajace", "Poziom"));
}

TEST_F(SettingsStoreTest, TabsMapToTheirRecords) {
    SettingsStore store(path);
    EXPECT_EQ(&store.labelling, store.ForTab(1));
    EXPECT_EQ(&store.memory, store.ForTab(2));
    EXPECT_EQ(&store.completing, store.ForTab(3));
    EXPECT_EQ(&store.falling, store.ForTab(4));
    EXPECT_EQ(nullptr, store.ForTab(5));
    EXPECT_EQ(nullptr, store.ForTab(0));
    EXPECT_EQ("Podpisywanie", store.ForTab(1)->Sekcja().toStdString());
    EXPECT_EQ("Spadajace", store.ForTab(4)->Sekcja().toStdString());
}

} // namespace
