#include "inifile.h"
#include "textdecoding.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

IniFile parsed(const QString& text) {
    IniFile ini;
    ini.parse(text);
    return ini;
}

struct IntegerCase {
    const char* stored;
    int expected;
};

class IniReadInteger : public testing::TestWithParam<IntegerCase> {};

TEST_P(IniReadInteger, AcceptsOnlyDecimalIntegersInRange) {
    const IntegerCase& c = GetParam();
    const IniFile ini = parsed(QStringLiteral("[s]\nk=") + QString::fromUtf8(c.stored) + u'\n');
    EXPECT_EQ(ini.readInteger("s", "k", -99), c.expected) << "stored: '" << c.stored << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniReadInteger,
    testing::Values(IntegerCase{"12", 12}, IntegerCase{"0", 0}, IntegerCase{"-7", -7},
                    IntegerCase{"+5", 5}, IntegerCase{"  42\t", 42}, IntegerCase{"007", 7},
                    IntegerCase{"111002", 111002}, IntegerCase{"2147483647", 2147483647},
                    IntegerCase{"-2147483648", -2147483647 - 1}, IntegerCase{"2147483648", -99},
                    IntegerCase{"-2147483649", -99}, IntegerCase{"99999999999999999999999", -99},
                    IntegerCase{"", -99}, IntegerCase{"-", -99}, IntegerCase{"12abc", -99},
                    IntegerCase{"1 2", -99}, IntegerCase{"0x10", -99}, IntegerCase{"1e3", -99},
                    IntegerCase{"3.5", -99}, IntegerCase{"--1", -99},
                    IntegerCase{"\xEF\xBC\x93", -99} /* fullwidth 3 */));

TEST(IniFile, MissingSectionsAndKeysGiveTheDefaultButAnEmptyValueIsEmpty) {
    const IniFile ini = parsed("[Memory]\nPoziom=3\nGloski=\n");
    EXPECT_EQ(ini.readInteger("Memory", "Pozycja", 4096), 4096);
    EXPECT_EQ(ini.readInteger("Spadajace", "Poziom", 2), 2);
    EXPECT_EQ(ini.readString("Spadajace", "Poziom", "x"), "x");
    EXPECT_EQ(ini.readString("Memory", "Gloski", "x"), "");
    EXPECT_EQ(ini.readInteger("Memory", "Gloski", 5), 5);
    EXPECT_TRUE(ini.valueExists("Memory", "Gloski"));
    EXPECT_FALSE(ini.valueExists("Memory", "Pozycja"));
}

TEST(IniFile, SectionAndKeyNamesIgnoreCase) {
    const IniFile ini = parsed("[DaneProgramu]\nZakladka=4\n[Żółw]\nŁódź=1\n");
    EXPECT_EQ(ini.readInteger("daneprogramu", "ZAKLADKA", 1), 4);
    EXPECT_EQ(ini.readInteger("ŻÓŁW", "łÓDŹ", 0), 1);
    EXPECT_TRUE(ini.sectionExists("DANEPROGRAMU"));
    IniFile written = ini;
    written.writeInteger("DANEPROGRAMU", "zakladka", 2);
    EXPECT_EQ(written.sections(), QStringList({"DaneProgramu", "Żółw"}));
    EXPECT_EQ(written.readInteger("DaneProgramu", "Zakladka", 1), 2);
}

TEST(IniFile, LineRulesFollowWindows) {
    const IniFile ini = parsed("orphan=1\n"
                               "[A]\n"
                               "k=first\n"
                               "no equals sign here\n"
                               "; k2=commented out\n"
                               "  spaced key  =   value with  inner  blanks  \t\n"
                               "=no key\n"
                               "[B]\n"
                               "k=other\n"
                               "[ a ]\n"
                               "k=second\n"
                               "j=added later\n"
                               "[broken\n"
                               "k=inside broken\n");
    EXPECT_EQ(ini.sections(), QStringList({"A", "B", "broken"}));
    EXPECT_EQ(ini.readString("A", "k", ""), "first");
    EXPECT_EQ(ini.readString("A", "j", ""), "added later");
    EXPECT_EQ(ini.readString("A", "spaced key", ""), "value with  inner  blanks");
    EXPECT_FALSE(ini.valueExists("A", "; k2"));
    EXPECT_FALSE(ini.valueExists("A", "k2"));
    EXPECT_FALSE(ini.valueExists("A", "orphan"));
    EXPECT_EQ(ini.readString("B", "k", ""), "other");
    EXPECT_EQ(ini.readString("broken", "k", ""), "inside broken");
}

// Lines a save would drop without a trace are counted, so that a caller can keep them.
TEST(IniFile, CountsTheLinesItCouldNotRead) {
    const struct {
        const char* name;
        const char* text;
        int unreadable;
    } cases[] = {
        {"empty", "", 0},
        {"blank lines and comments", "\n  \r\n; a note\n\t\n", 0},
        {"sections and keys", "[A]\nk=1\n[B]\r\nk=\nk=repeated\n[broken\nx = y\n", 0},
        {"a key before any section", "orphan=1\n[A]\nk=1\n", 1},
        {"no equals sign", "[A]\nk=1\nno equals sign here\n", 1},
        {"an empty key", "[A]\n=no key\n  = \n", 2},
        {"text", "Ala ma kota,\na kot ma Ale.", 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(parsed(QString::fromUtf8(c.text)).unreadableLines(), c.unreadable);
    }
    IniFile ini;
    ini.parse("junk\n");
    ini.parse("[A]\n");
    EXPECT_EQ(ini.unreadableLines(), 0) << "each parse counts afresh";
}

struct NamePair {
    const char* stored;
    const char* asked;
};

class IniNameMatching : public testing::TestWithParam<NamePair> {};

// Whatever the script, a name finds its section and key exactly when QString's
// case-insensitive comparison calls the two names equal.
TEST_P(IniNameMatching, AgreesWithCaseInsensitiveComparison) {
    const QString stored = QString::fromUtf8(GetParam().stored);
    const QString asked = QString::fromUtf8(GetParam().asked);
    const bool same = stored.compare(asked, Qt::CaseInsensitive) == 0;
    IniFile ini = parsed(u'[' + stored + QStringLiteral("]\n") + stored + QStringLiteral("=1\n"));
    EXPECT_EQ(ini.sectionExists(asked), same);
    EXPECT_EQ(ini.valueExists(stored, asked), same);
    ini.writeString(asked, asked, QStringLiteral("2"));
    EXPECT_EQ(ini.sections().size(), same ? 1 : 2);
    EXPECT_EQ(ini.readString(stored, stored, QString()), same ? "2" : "1");
}

INSTANTIATE_TEST_SUITE_P(
    Names, IniNameMatching,
    testing::Values(NamePair{"Memory", "MEMORY"}, NamePair{"Memory", "Memor"},
                    NamePair{"Zażółć", "ZAŻÓŁĆ"}, NamePair{"Łódź", "łÓdŹ"},
                    NamePair{"Łódź", "Lodz"}, NamePair{"straße", "STRASSE"},
                    NamePair{"ΣΟΦΊΑ", "σοφία"}, NamePair{"σοφίας", "ΣΟΦΊΑΣ"},
                    NamePair{"Дом", "дОМ"}, NamePair{"ǅ", "ǆ"}, NamePair{"ﬁ", "FI"},
                    NamePair{"\xF0\x90\x90\x80", "\xF0\x90\x90\xA8"} /* Deseret letter */,
                    NamePair{"\xF0\x90\x90\x80", "\xF0\x90\x90\x81"}, NamePair{"1", "2"}));

TEST(IniFile, ThousandsOfSectionsAndKeysKeepEveryRule) {
    // Each section written twice in different case, with a key repeated in each half.
    constexpr int kSections = 20000;
    QString text;
    for (int pass = 0; pass < 2; ++pass) {
        for (int n = 0; n < kSections; ++n) {
            const QString name = QStringLiteral("Nagranie%1").arg(n);
            text += u'[' + (pass == 0 ? name : name.toUpper()) + QStringLiteral("]\n");
            text += QStringLiteral("Plik=%1-%2\nKlucz%2=%1\n").arg(pass).arg(n);
        }
    }
    IniFile ini = parsed(text);
    const QStringList names = ini.sections();
    ASSERT_EQ(names.size(), kSections);
    for (int n = 0; n < kSections; n += 997) {
        const QString name = QStringLiteral("nagranie%1").arg(n);
        EXPECT_EQ(names[n], QStringLiteral("Nagranie%1").arg(n));
        EXPECT_EQ(ini.readString(name, "PLIK", ""), QStringLiteral("0-%1").arg(n));
        EXPECT_EQ(ini.readString(name, QStringLiteral("klucz%1").arg(n), ""), "0");
    }
    // Writing after reading finds the same places and keeps the order.
    ini.writeString("NAGRANIE5", "plik", "nowy");
    ini.writeString("Nowa", "k", "v");
    EXPECT_EQ(ini.readString("Nagranie5", "Plik", ""), "nowy");
    EXPECT_EQ(ini.sections().size(), kSections + 1);
    EXPECT_EQ(ini.sections().last(), "Nowa");
    const IniFile copy = ini;
    EXPECT_EQ(copy.readString("nagranie5", "PLIK", ""), "nowy");
    EXPECT_EQ(copy.toText(), ini.toText());
}

TEST(IniFile, WritesCrLfTextAndReplacesLineBreaksInValues) {
    IniFile ini;
    ini.writeString("Nagranie0", "Nazwa", "Ala\r\nma\nkota");
    ini.writeInteger("Nagranie0", "LU", -3);
    ini.writeInteger("DaneProgramu", "Position", 111002);
    ini.writeString("", "k", "ignored");
    ini.writeString("X", "", "ignored");
    EXPECT_EQ(ini.toText(), "[Nagranie0]\r\nNazwa=Ala  ma kota\r\nLU=-3\r\n\r\n"
                            "[DaneProgramu]\r\nPosition=111002\r\n");
}

class IniFileOnDisk : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString path(const QString& name = "data.ini") const { return dir.filePath(name); }
    QTemporaryDir dir;
};

TEST_F(IniFileOnDisk, ValuesWithSpecialCharactersRoundTrip) {
    const QString names[] = {
        "Zażółć gęślą jaźń = ; [x] \"cytat\", a=b;c",
        "[Nagranie1]",
        "; nie komentarz",
        "ŹDŹBŁO Ćma ŃÓŚ",
        "tab\tinside",
    };
    IniFile out(path());
    for (int i = 0; i < 5; ++i) {
        out.writeString(QString("Nagranie%1").arg(i), "Nazwa", names[i]);
    }
    ASSERT_TRUE(out.save());

    IniFile in(path());
    ASSERT_TRUE(in.load());
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(in.readString(QString("Nagranie%1").arg(i), "Nazwa", "?"), names[i]);
    }
    EXPECT_EQ(in.sections().size(), 5);
    // Saved as UTF-8 with Windows line ends.
    const QByteArray bytes = readBytes(path());
    EXPECT_TRUE(bytes.contains("Nazwa=ŹDŹBŁO Ćma ŃÓŚ\r\n"));
    EXPECT_FALSE(bytes.contains("\n\n"));
}

struct EncodingCase {
    const char* name;
    QByteArray bytes;
};

class IniFileEncodings : public testing::TestWithParam<EncodingCase> {};

TEST_P(IniFileEncodings, ReadsPolishNames) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("record.xtr");
    ASSERT_TRUE(writeBytes(path, GetParam().bytes));
    IniFile ini(path);
    ASSERT_TRUE(ini.load());
    EXPECT_EQ(ini.sections(), QStringList({"Nagranie0", "Nagranie1"}));
    EXPECT_EQ(ini.readString("Nagranie0", "Nazwa", "?"), "Łucja Żółć");
    EXPECT_EQ(ini.readString("Nagranie0", "Plik", "?"), "Nagranie0");
    EXPECT_EQ(ini.readString("Nagranie1", "Nazwa", "?"), "Świętosław");
}

INSTANTIATE_TEST_SUITE_P(
    Files, IniFileEncodings,
    testing::Values(
        EncodingCase{"Utf8Lf", "[Nagranie0]\nNazwa=Łucja Żółć\nPlik=Nagranie0\n[Nagranie1]\n"
                               "Nazwa=Świętosław\n"},
        EncodingCase{"Utf8BomCrLf", "\xEF\xBB\xBF[Nagranie0]\r\nNazwa=Łucja Żółć\r\n"
                                    "Plik=Nagranie0\r\n\r\n[Nagranie1]\r\nNazwa=Świętosław"},
        EncodingCase{"Cp1250CrLf", "[Nagranie0]\r\nNazwa=\xA3ucja \xAF\xF3\xB3\xE6\r\n"
                                   "Plik=Nagranie0\r\n[Nagranie1]\r\nNazwa=\x8Cwi\xEAtos\xB3"
                                   "aw\r\n"}),
    [](const testing::TestParamInfo<EncodingCase>& info) { return info.param.name; });

TEST(TextDecoding, Cp1250PolishLettersAndSpecials) {
    const QByteArray bytes("\xA5\xC6\xCA\xA3\xD1\xD3\x8C\x8F\xAF"
                           "\xB9\xE6\xEA\xB3\xF1\xF3\x9C\x9F\xBF"
                           "\x80\x84\x94\x96\x81\xA0\xFF"
                           "abc");
    EXPECT_EQ(decodeCp1250(bytes), QString::fromUtf8("ĄĆĘŁŃÓŚŹŻ"
                                                     "ąćęłńóśźż"
                                                     "€„”–\u0081\u00A0˙"
                                                     "abc"));
}

TEST(TextDecoding, ChoosesUtf8OnlyWhenTheBytesAreValid) {
    EXPECT_EQ(decodeTextFile("\xC5\xBC\xC3\xB3\xC5\x82w"), "żółw");
    // The same word in CP1250 is not valid UTF-8.
    EXPECT_EQ(decodeTextFile("\xBF\xF3\xB3w"), "żółw");
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBFz"), "z");
    EXPECT_EQ(decodeTextFile(""), "");
}

TEST_F(IniFileOnDisk, EmptyAndMissingFilesLoadEmpty) {
    ASSERT_TRUE(writeBytes(path(), ""));
    IniFile ini(path());
    EXPECT_TRUE(ini.load());
    EXPECT_TRUE(ini.sections().isEmpty());

    IniFile missing(path("nowhere.ini"));
    missing.parse("[old]\nk=1\n");
    EXPECT_TRUE(missing.load());
    EXPECT_TRUE(missing.sections().isEmpty());
}

TEST_F(IniFileOnDisk, BinaryGarbageLoadsWithoutHarm) {
    QByteArray garbage;
    quint32 x = 12345;
    for (int i = 0; i < 200000; ++i) {
        x = x * 1664525u + 1013904223u;
        garbage.append(char(x >> 24));
    }
    garbage.append("\n[Memory]\nPoziom=3\n");
    garbage.append(QByteArray(100, '\0'));
    ASSERT_TRUE(writeBytes(path(), garbage));
    IniFile ini(path());
    EXPECT_TRUE(ini.load());
    EXPECT_EQ(ini.readInteger("Memory", "Poziom", 2), 3);
    EXPECT_EQ(ini.readInteger("DaneProgramu", "LU", 0), 0);
    ini.writeInteger("DaneProgramu", "LU", 1);
    EXPECT_TRUE(ini.save());
}

TEST_F(IniFileOnDisk, OversizedFileIsNotRead) {
    ASSERT_TRUE(writeBytes(path(), "[Memory]\nPoziom=3\n" + QByteArray(5 * 1024 * 1024, 'x')));
    IniFile ini(path());
    EXPECT_FALSE(ini.load());
    EXPECT_FALSE(ini.valueExists("Memory", "Poziom"));
}

TEST_F(IniFileOnDisk, DirectoryInPlaceOfTheFileFailsBothWays) {
    ASSERT_TRUE(QDir(dir.path()).mkdir("data.ini"));
    ASSERT_TRUE(writeBytes(path("data.ini/inside.txt"), "keep"));
    IniFile ini(path());
    EXPECT_FALSE(ini.load());
    ini.writeInteger("Memory", "Poziom", 3);
    EXPECT_FALSE(ini.save());
    EXPECT_TRUE(QFileInfo(path()).isDir());
    EXPECT_EQ(readBytes(path("data.ini/inside.txt")), "keep");
    // No temporary file is left behind.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"data.ini"}));
}

TEST_F(IniFileOnDisk, SaveReplacesTheOldFileWhole) {
    ASSERT_TRUE(writeBytes(path(), "[Memory]\r\nPoziom=1\r\nStare=tak\r\n"));
    IniFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.writeInteger("Memory", "Poziom", 3);
    ASSERT_TRUE(ini.save());
    EXPECT_EQ(readBytes(path()), "[Memory]\r\nPoziom=3\r\nStare=tak\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"data.ini"}));
}

TEST_F(IniFileOnDisk, FailedSaveInReadOnlyFolderKeepsTheOldFile) {
    if (geteuid() == 0) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    ASSERT_TRUE(writeBytes(path(), "[Memory]\r\nPoziom=1\r\n"));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    IniFile ini(path());
    ASSERT_TRUE(ini.load());
    ini.writeInteger("Memory", "Poziom", 3);
    const bool saved = ini.save();
    QFile::setPermissions(dir.path(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(saved);
    EXPECT_EQ(readBytes(path()), "[Memory]\r\nPoziom=1\r\n");
}

TEST_F(IniFileOnDisk, SaveIntoMissingFolderFails) {
    IniFile ini(path("Nagrane/record.xtr"));
    ini.writeString("Nagranie0", "Plik", "");
    EXPECT_FALSE(ini.save());
    EXPECT_FALSE(QFileInfo::exists(path("Nagrane")));
}

} // namespace
