// The statistics object and its file: header and record bytes, idle runs, grades, durations,
// whole-or-nothing appends and damaged files set aside.
#include "cblad.h"
#include "cstatrec.h"
#include "custgry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

// Tuesday 2024-03-05 14:07:09.250 UTC.
const system_clock::time_point kMarch5 = sys_days{2024y / March / 5} + 14h + 7min + 9s + 250ms;
// The same time in the 16-byte layout: year, month, day of week, day, hour, minute, second, ms.
const std::string kMarch5Bytes = "e8 07 03 00 02 00 05 00 0e 00 07 00 09 00 fa 00";

std::string hex(const QByteArray& bytes) {
    return bytes.toHex(' ').toStdString();
}

class CStatRecTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    system_clock::time_point now = kMarch5;
    CUstGry settings;

    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        settings.poziom = 3;
        settings.gloski = 0x000D;
        settings.pozycja = 0x5000;
    }
    SystemTime::Clock clock() {
        return [this] { return now; };
    }
    QString path(const QString& name = QStringLiteral("prgst1.stt")) const {
        return dir.filePath(name);
    }
    QByteArray readFile(const QString& name = QStringLiteral("prgst1.stt")) const {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeFile(const QByteArray& bytes) const {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_EQ(bytes.size(), file.write(bytes));
    }
    // One short run of the given kind, written.
    void playRun(CStatRec& rec, std::int32_t kind) {
        rec.BeginGame(kind, settings);
        rec.AddCorrect();
        now += 10s;
        rec.EndGame();
        ASSERT_TRUE(rec.WriteGame(true));
    }
    static QByteArray ownHeader(std::int32_t program) {
        QByteArray header(StatFile::HeaderSize, '\0');
        SystemTime created;
        SystemTime::fromTimePoint(floor<milliseconds>(kMarch5), created);
        StatFile::EncodeHeader(program, created, header.data());
        return header;
    }
};

TEST_F(CStatRecTest, NewFileGetsProgramNumberAndCreationTime) {
    for (const std::int32_t program : {1, 7}) {
        SCOPED_TRACE(program);
        const CStatRec rec(program, dir.path(), clock());
        const QString name = QStringLiteral("prgst%1.stt").arg(program);
        EXPECT_EQ(path(name).toStdString(), rec.FilePath().toStdString());
        EXPECT_EQ(
            QStringLiteral("%1 00 00 00 ").arg(program, 2, 10, QLatin1Char('0')).toStdString() +
                kMarch5Bytes,
            hex(readFile(name)));
        EXPECT_FALSE(rec.IsActive());
        EXPECT_FALSE(rec.IdleTimer().isActive());
        EXPECT_EQ(CStatRec::DefaultIdleMs, rec.IdleTimer().interval());
    }
}

TEST_F(CStatRecTest, ExistingFileIsNeitherTruncatedNorGivenANewHeader) {
    QByteArray existing = ownHeader(1) + QByteArray(StatFile::RecordSize, '\x5a');
    writeFile(existing);
    now += 24h;
    CStatRec rec(1, dir.path(), clock());
    EXPECT_EQ(hex(existing), hex(readFile()));

    playRun(rec, 2);
    const QByteArray after = readFile();
    ASSERT_EQ(20 + 2 * 44, after.size());
    EXPECT_EQ(hex(existing), hex(after.left(existing.size())));
}

TEST_F(CStatRecTest, RecordHoldsEveryFieldAtItsOffset) {
    CStatRec rec(1, dir.path(), clock());
    rec.BeginGame(CStatRec::Spadajace, settings);
    for (int i = 0; i < 3; ++i)
        rec.AddHint();
    for (int i = 0; i < 300; ++i)
        rec.AddCorrect();
    rec.AddWrong();
    rec.AddWrong();
    now += 3725900ms; // truncated to 3725 s
    rec.EndGame();
    ASSERT_TRUE(rec.WriteGame(true));

    const QByteArray file = readFile();
    ASSERT_EQ(64, file.size());
    const std::string expected = "04 00 00 00 "    // kind
                                 + kMarch5Bytes    // start time
                                 + " 03 00"        // poziom
                                   " 0d 00"        // gloski
                                   " 00 50"        // pozycja
                                   " 8d 0e 00 00"  // duration 3725
                                   " 01 00"        // completed
                                   " 03 00 00 00"  // hints
                                   " 2c 01 00 00"  // correct 300
                                   " 02 00 00 00"; // wrong
    EXPECT_EQ(expected, hex(file.mid(20)));

    EXPECT_EQ(3725, rec.Duration());
    EXPECT_EQ("62 min 5 s", rec.DurationText().toStdString());
    EXPECT_EQ("3", rec.HintsText().toStdString());
    EXPECT_EQ("300", rec.CorrectText().toStdString());
    EXPECT_EQ("2", rec.WrongText().toStdString());
    EXPECT_EQ(4, rec.Grade());
}

TEST_F(CStatRecTest, TwoRunsMake108BytesAndANewRunStartsFromZero) {
    CStatRec rec(1, dir.path(), clock());
    playRun(rec, 1);
    rec.BeginGame(3, settings);
    EXPECT_EQ(0, rec.Correct());
    EXPECT_EQ(0, rec.Wrong());
    EXPECT_EQ(0, rec.Hints());
    EXPECT_EQ(0, rec.Duration());
    EXPECT_EQ(3, rec.GameKind());
    rec.AddWrong();
    rec.EndGame();
    ASSERT_TRUE(rec.WriteGame(false));

    const QByteArray file = readFile();
    ASSERT_EQ(108, file.size());
    EXPECT_EQ("01 00 00 00", hex(file.mid(20, 4)));
    EXPECT_EQ("03 00 00 00", hex(file.mid(64, 4)));
    EXPECT_EQ("01 00", hex(file.mid(20 + 30, 2)));
    EXPECT_EQ("00 00", hex(file.mid(64 + 30, 2)));
    EXPECT_EQ("00 00 00 00 01 00 00 00", hex(file.mid(64 + 36, 8))); // correct, wrong
}

TEST_F(CStatRecTest, IdleRunIsCountedAndShownButNotWritten) {
    CStatRec rec(1, dir.path(), clock(), 1);
    EXPECT_FALSE(rec.WriteGame(true)) << "nothing to write before the first run";

    rec.Touch();
    EXPECT_FALSE(rec.IdleTimer().isActive()) << "touch must not start an inactive object";

    rec.BeginGame(2, settings);
    EXPECT_TRUE(rec.IsActive());
    EXPECT_TRUE(rec.IdleTimer().isActive());
    rec.AddCorrect();
    rec.AddCorrect();
    rec.AddHint();
    QSignalSpy expired(&rec.IdleTimer(), &QTimer::timeout);
    ASSERT_TRUE(expired.wait(10000));
    EXPECT_FALSE(rec.IsActive());
    EXPECT_FALSE(rec.IdleTimer().isActive());

    rec.Touch();
    EXPECT_FALSE(rec.IsActive());
    EXPECT_FALSE(rec.IdleTimer().isActive());
    rec.AddWrong();
    now += 125s;
    rec.EndGame();
    EXPECT_FALSE(rec.WriteGame(true));
    EXPECT_EQ(20, readFile().size());
    EXPECT_EQ("2", rec.CorrectText().toStdString());
    EXPECT_EQ("1", rec.WrongText().toStdString());
    EXPECT_EQ("1", rec.HintsText().toStdString());
    EXPECT_EQ("2 min 5 s", rec.DurationText().toStdString());

    rec.BeginGame(2, settings);
    EXPECT_TRUE(rec.IsActive());
    rec.EndGame();
    EXPECT_TRUE(rec.WriteGame(true));
    EXPECT_EQ(64, readFile().size());
}

TEST(CStatRecGrade, FromCorrectAndWrongAnswers) {
    struct Case {
        int correct;
        int wrong;
        int grade;
    };
    const Case cases[] = {
        {5, 2, 4},  {5, 4, 2},  {2, 5, 1},  {0, 0, 1}, // the usual cases
        {0, 1, 1},  {1, 0, 4},  {10, 0, 4},            // one side only
        {5, 3, 4},  {3, 2, 2},                         // wrong exactly at and above 0.6 × correct
        {4, 10, 1}, {5, 12, 2}, {5, 13, 1}, {3, 7, 2}, // correct at and above 0.4 × wrong
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.correct << " correct, " << c.wrong << " wrong");
        EXPECT_EQ(c.grade, CStatRec::Grade(c.correct, c.wrong));
    }
}

TEST_F(CStatRecTest, DurationIsWholeSecondsAndNeverNegative) {
    struct Case {
        milliseconds played;
        int seconds;
        const char* text;
    };
    const Case cases[] = {
        {999ms, 0, "0 min 0 s"},
        {1999ms, 1, "0 min 1 s"},
        {125s, 125, "2 min 5 s"},
        {-1ms, 0, "0 min 0 s"},
        {-30s, 0, "0 min 0 s"}, // the clock was set back
        {24h + 1s, 86401, "1440 min 1 s"},
    };
    CStatRec rec(1, dir.path(), clock());
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.played.count() << " ms played");
        now = kMarch5;
        rec.BeginGame(1, settings);
        now += c.played;
        rec.EndGame();
        EXPECT_EQ(c.seconds, rec.Duration());
        EXPECT_EQ(c.text, rec.DurationText().toStdString());
    }
}

TEST_F(CStatRecTest, BackwardClockWritesZeroDurationAndTheTimesAsRead) {
    CStatRec rec(1, dir.path(), clock());
    rec.BeginGame(1, settings);
    now -= 1h;
    rec.EndGame();
    EXPECT_EQ(14, rec.StartTime().hour);
    EXPECT_EQ(13, rec.EndTime().hour);
    ASSERT_TRUE(rec.WriteGame(true));
    const QByteArray record = readFile().mid(20);
    EXPECT_EQ(kMarch5Bytes, hex(record.mid(4, 16)));
    EXPECT_EQ("00 00 00 00", hex(record.mid(26, 4)));
}

TEST_F(CStatRecTest, EndWithoutBeginHasNoDuration) {
    CStatRec rec(1, dir.path(), clock());
    rec.EndGame();
    EXPECT_EQ(0, rec.Duration());
    EXPECT_FALSE(rec.WriteGame(true));
    EXPECT_EQ(20, readFile().size());
}

TEST_F(CStatRecTest, ShortOrFailedWriteLeavesTheFileAsItWas) {
    struct Case {
        const char* name;
        qint64 writes;  // bytes that reach the file
        qint64 returns; // what the writer reports
    };
    const Case cases[] = {
        {"ten bytes", 10, 10},
        {"all but one", 43, 43},
        {"nothing", 0, -1},
        {"partial then error", 17, -1},
    };
    CStatRec rec(1, dir.path(), clock());
    playRun(rec, 1);
    const QByteArray before = readFile();
    ASSERT_EQ(64, before.size());

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        rec.SetWriter([&c](QFile& file, const char* data, qint64) {
            EXPECT_EQ(c.writes, c.writes > 0 ? file.write(data, c.writes) : 0);
            return c.returns;
        });
        rec.BeginGame(4, settings);
        rec.EndGame();
        EXPECT_FALSE(rec.WriteGame(true));
        EXPECT_EQ(hex(before), hex(readFile()));
    }

    rec.SetWriter({});
    EXPECT_TRUE(rec.WriteGame(true));
    const QByteArray after = readFile();
    ASSERT_EQ(108, after.size());
    EXPECT_EQ("04 00 00 00", hex(after.mid(64, 4)));
}

TEST_F(CStatRecTest, FileSizeLimitInsideARecordLeavesNoHalfRecord) {
    CStatRec rec(1, dir.path(), clock());
    playRun(rec, 1);
    const QByteArray before = readFile();
    rec.BeginGame(2, settings);
    rec.EndGame();

    const pid_t child = fork();
    ASSERT_NE(-1, child);
    if (child == 0) {
        // The disk is "full" ten bytes into the record.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(before.size() + 10);
        int code = 3;
        if (setrlimit(RLIMIT_FSIZE, &limit) == 0)
            code = rec.WriteGame(true) ? 1 : 0;
        _exit(code);
    }
    int status = 0;
    ASSERT_EQ(child, waitpid(child, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(0, WEXITSTATUS(status)) << "1: reported success, 3: no limit could be set";
    EXPECT_EQ(hex(before), hex(readFile()));
}

TEST_F(CStatRecTest, DamagedFileIsSetAsideAndANewOneStarted) {
    QByteArray wrongProgram = ownHeader(2) + QByteArray(44, '\1');
    QByteArray badMonth = ownHeader(1);
    badMonth[6] = 13;
    QByteArray badHour = ownHeader(1);
    badHour[12] = 24;
    QByteArray badWeekday = ownHeader(1);
    badWeekday[8] = 7;
    QByteArray badMillis = ownHeader(1);
    badMillis[18] = '\xe8'; // 1000
    badMillis[19] = 3;
    const struct {
        const char* name;
        QByteArray bytes;
    } cases[] = {
        {"empty", QByteArray()},
        {"short header", ownHeader(1).left(19)},
        {"another program", wrongProgram},
        {"another program, torn", wrongProgram + QByteArray(17, '\1')},
        {"month 13", badMonth},
        {"hour 24", badHour},
        {"weekday 7", badWeekday},
        {"1000 ms", badMillis},
        {"text",
         QByteArray("not a statistics file at all, just text....\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n\n")},
    };
    const QString aside = QStringLiteral("prgst1.stt.damaged.20250102-153007");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        {
            QFile file(folder.filePath("prgst1.stt"));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            ASSERT_EQ(c.bytes.size(), file.write(c.bytes));
        }
        now = sys_days{2025y / January / 2} + 15h + 30min + 7s;
        CStatRec rec(1, folder.path(), clock());

        EXPECT_EQ(("prgst1.stt," + aside).toStdString(),
                  QDir(folder.path()).entryList(QDir::Files, QDir::Name).join(',').toStdString());
        QFile kept(folder.filePath(aside));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(hex(c.bytes), hex(kept.readAll()));
        QFile fresh(folder.filePath("prgst1.stt"));
        ASSERT_TRUE(fresh.open(QIODevice::ReadOnly));
        EXPECT_EQ("01 00 00 00 e9 07 01 00 04 00 02 00 0f 00 1e 00 07 00 00 00",
                  hex(fresh.readAll()));
    }
}

TEST_F(CStatRecTest, TornLastRecordIsCutOffAndKeptAsideAndTheWholeOnesStay) {
    const QByteArray four = ownHeader(1) + QByteArray(4 * StatFile::RecordSize, '\2');
    const struct {
        const char* name;
        QByteArray whole;
        QByteArray torn;
    } cases[] = {
        {"four records and 17 bytes", four, QByteArray(17, '\3')},
        {"a header and half a record", ownHeader(1), QByteArray(22, '\3')},
        {"a record and a byte", ownHeader(1) + QByteArray(44, '\2'), QByteArray(1, '\3')},
    };
    const QString aside = QStringLiteral("prgst1.stt.damaged.20250102-153007");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QFile::remove(path(aside));
        writeFile(c.whole + c.torn);
        now = sys_days{2025y / January / 2} + 15h + 30min + 7s;
        CStatRec rec(1, dir.path(), clock());
        EXPECT_EQ(hex(c.whole), hex(readFile()));
        EXPECT_EQ(hex(c.torn), hex(readFile(aside)));
        // The next game goes right after the last whole record.
        playRun(rec, 2);
        EXPECT_EQ(hex(c.whole), hex(readFile().left(c.whole.size())));
        EXPECT_EQ(c.whole.size() + StatFile::RecordSize, readFile().size());
    }
}

TEST_F(CStatRecTest, SetAsideNeverOverwritesAnEarlierDamagedFile) {
    now = sys_days{2025y / January / 2} + 15h + 30min + 7s;
    const QString aside = QStringLiteral("prgst1.stt.damaged.20250102-153007");
    writeFile("first");
    { CStatRec first(1, dir.path(), clock()); }
    QFile::remove(path());
    writeFile("second");
    { CStatRec second(1, dir.path(), clock()); }

    EXPECT_EQ("first", readFile(aside).toStdString());
    EXPECT_EQ("second", readFile(aside + "-2").toStdString());
    EXPECT_EQ(20, readFile().size());
}

TEST_F(CStatRecTest, FileThatVanishesOrIsSpoiltDuringPlayIsStartedAgain) {
    CStatRec rec(1, dir.path(), clock());
    playRun(rec, 1);
    ASSERT_TRUE(QFile::rename(path(), path("saved.stt")));
    playRun(rec, 2);
    QByteArray file = readFile();
    ASSERT_EQ(64, file.size()) << "a new header and the record";
    EXPECT_EQ("01 00 00 00", hex(file.left(4)));
    EXPECT_EQ("02 00 00 00", hex(file.mid(20, 4)));

    {
        QFile spoilt(path());
        ASSERT_TRUE(spoilt.open(QIODevice::Append));
        spoilt.write("xyz");
    }
    now = sys_days{2025y / January / 2} + 15h + 30min + 7s;
    playRun(rec, 3);
    EXPECT_EQ("xyz", readFile("prgst1.stt.damaged.20250102-153017").toStdString());
    file = readFile();
    ASSERT_EQ(108, file.size());
    EXPECT_EQ("03 00 00 00", hex(file.mid(64, 4)));
}

TEST_F(CStatRecTest, NoFileToBeHadIsError3) {
    const struct {
        const char* name;
        std::function<QString()> folder;
    } cases[] = {
        {"directory in its place",
         [this] {
             QDir(dir.path()).mkdir("prgst1.stt");
             return dir.path();
         }},
        {"missing folder", [this] { return dir.filePath("no/such/folder"); }},
        {"folder is a file",
         [this] {
             QFile file(dir.filePath("plain"));
             EXPECT_TRUE(file.open(QIODevice::WriteOnly));
             return dir.filePath("plain");
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString folder = c.folder();
        try {
            CStatRec rec(1, folder, clock());
            ADD_FAILURE() << "constructed";
        } catch (const CBlad& error) {
            EXPECT_EQ(3, error.ErrorCode);
        }
    }
}

TEST_F(CStatRecTest, ReadOnlyFolderIsError3) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const QString folder = dir.filePath("locked");
    ASSERT_TRUE(QDir().mkdir(folder));
    ASSERT_TRUE(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
    try {
        CStatRec rec(1, folder, clock());
        ADD_FAILURE() << "constructed";
    } catch (const CBlad& error) {
        EXPECT_EQ(3, error.ErrorCode);
    }
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Records are appended for the whole run, so a file that is there but cannot be appended to
// stops the start like one that cannot be made. Checked in a child process that, when the test
// runs as root, gives up root first: permissions do not stop root.
TEST_F(CStatRecTest, AFileThatCannotBeAppendedToIsError3) {
    const auto all = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                     QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther | QFile::WriteOther |
                     QFile::ExeOther;
    const auto readOnly = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const auto readWrite = readOnly | QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    const struct {
        const char* name;
        QByteArray bytes;
        QFile::Permissions permissions;
        int status; // 3: CBlad(3), 0: constructed
    } cases[] = {
        {"header only, read-only", ownHeader(1), readOnly, 3},
        {"with a record, read-only", ownHeader(1) + QByteArray(44, '\1'), readOnly, 3},
        {"header only, writable", ownHeader(1), readWrite, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir folder;
        ASSERT_TRUE(folder.isValid());
        ASSERT_TRUE(QFile::setPermissions(folder.path(), all));
        const QString file = folder.filePath("prgst1.stt");
        {
            QFile out(file);
            ASSERT_TRUE(out.open(QIODevice::WriteOnly));
            ASSERT_EQ(c.bytes.size(), out.write(c.bytes));
        }
        ASSERT_TRUE(QFile::setPermissions(file, c.permissions));

        const pid_t child = fork();
        ASSERT_NE(-1, child);
        if (child == 0) {
            if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
                _exit(8);
            int code = 0;
            try {
                CStatRec rec(1, folder.path(), clock());
            } catch (const CBlad& error) {
                code = error.ErrorCode;
            } catch (...) {
                code = 9;
            }
            _exit(code);
        }
        int status = 0;
        ASSERT_EQ(child, waitpid(child, &status, 0));
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(c.status, WEXITSTATUS(status)) << "8: could not give up root";
        QFile kept(file);
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(hex(c.bytes), hex(kept.readAll())) << "the file is left as it was";
    }
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
