// The practice log on disk: how it is made, kept private, moved on between versions, set
// aside when damaged, and what it keeps of children, games and imported statistics files.
#include "cstatrec.h"
#include "practicelog.h"
#include "statfile.h"
#include "wordbits.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <csignal>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono;
using namespace std::chrono_literals;

const system_clock::time_point kNow = sys_days{2026y / December / 9} + 14h + 5min;
const char* const kAside = ".damaged.20261209-140500";

// Runs SQL on a database file without the log; the first column of the first row.
QString query(const QString& path, const char* sql) {
    sqlite3* db = nullptr;
    QString result;
    if (sqlite3_open(QFile::encodeName(path).constData(), &db) == SQLITE_OK) {
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK &&
            sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0))
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        sqlite3_finalize(stmt);
    }
    sqlite3_close(db);
    return result;
}

class PracticeLogTest : public ::testing::Test {
public:
    QString path() const { return dir.filePath(PracticeLog::FileName()); }
    void write(const QByteArray& bytes) {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
    }
    std::unique_ptr<PracticeLog> open() {
        auto log = std::make_unique<PracticeLog>(path(), [] { return kNow; });
        EXPECT_TRUE(log->Open()) << log->LastError().toStdString();
        return log;
    }
    static PracticeLog::Attempt attempt(const char* word, PracticeLog::Outcome outcome) {
        return {QString::fromUtf8(word), WordBits::Sz, WordBits::Naglos, outcome, {}, {}};
    }

    QTemporaryDir dir;
};

TEST_F(PracticeLogTest, AnEmptyPlaceGetsAPrivateLogOfTheCurrentVersion) {
    const std::function<void(PracticeLogTest&)> starts[] = {
        [](PracticeLogTest&) {},                               // no file
        [](PracticeLogTest& t) { t.write({}); },               // an empty file
        [](PracticeLogTest& t) { query(t.path(), "VACUUM"); }, // a version 0 database
    };
    for (const auto& start : starts) {
        QFile::remove(path());
        start(*this);
        {
            auto log = open();
            EXPECT_FALSE(log->WasSetAside());
            EXPECT_FALSE(log->IsReadOnly());
            ASSERT_TRUE(log->AddChild("Ala"));
            for (const char* suffix : {"", "-wal", "-shm"}) {
                struct stat status {};
                ASSERT_EQ(::stat(QFile::encodeName(path() + suffix).constData(), &status), 0);
                EXPECT_EQ(status.st_mode & 0777, 0600u) << suffix;
            }
        }
        EXPECT_EQ(query(path(), "PRAGMA user_version"), "1");
        EXPECT_EQ(query(path(), "PRAGMA journal_mode"), "wal");
        EXPECT_EQ(query(path(), "SELECT group_concat(name) FROM (SELECT name FROM sqlite_master "
                                "WHERE type = 'table' ORDER BY name)"),
                  "attempts,children,games,imported");
    }
}

TEST_F(PracticeLogTest, ALogOfANewerVersionIsReadAndNeverWritten) {
    open()->AddChild("Ala");
    query(path(), "PRAGMA user_version = 2");
    query(path(), "PRAGMA wal_checkpoint(TRUNCATE)");
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    {
        auto log = open();
        EXPECT_TRUE(log->IsReadOnly());
        EXPECT_FALSE(log->WasSetAside());
        EXPECT_FALSE(log->AddChild("Ola"));
        EXPECT_EQ(log->LastProblem(), PracticeLog::Problem::ReadOnly);
        EXPECT_FALSE(log->BeginGame({}));
        ASSERT_TRUE(log->Children());
        EXPECT_EQ(log->Children()->size(), 1u);
    }
    file.seek(0);
    EXPECT_EQ(file.readAll(), bytes);
    EXPECT_EQ(query(path(), "PRAGMA user_version"), "2");
}

TEST_F(PracticeLogTest, ADamagedLogIsSetAsideAndAFreshOneStarted) {
    struct Case {
        const char* name;
        std::function<void(PracticeLogTest&)> damage;
        std::function<bool(const QString& aside)> kept;
    };
    const Case cases[] = {
        {"garbage", [](PracticeLogTest& t) { t.write(QByteArray(5000, '\x5a')); },
         [](const QString& aside) { return QFileInfo(aside).size() == 5000; }},
        {"truncated",
         [](PracticeLogTest& t) {
             {
                 auto log = t.open();
                 for (int i = 0; i < 300; ++i)
                     log->AddChild(QStringLiteral("Dziecko %1").arg(i));
             }
             query(t.path(), "PRAGMA wal_checkpoint(TRUNCATE)");
             ASSERT_TRUE(QFile(t.path()).resize(QFileInfo(t.path()).size() / 2));
         },
         [](const QString& aside) { return QFileInfo(aside).isFile(); }},
        {"another database",
         [](PracticeLogTest& t) { query(t.path(), "CREATE TABLE notes(text TEXT)"); },
         [](const QString& aside) {
             return !query(aside, "SELECT name FROM sqlite_master").isEmpty();
         }},
        {"folder", [](PracticeLogTest& t) { QDir(t.dir.path()).mkdir(PracticeLog::FileName()); },
         [](const QString& aside) { return QFileInfo(aside).isDir(); }},
        {"fifo",
         [](PracticeLogTest& t) { ASSERT_EQ(::mkfifo(QFile::encodeName(t.path()), 0600), 0); },
         [](const QString& aside) {
             struct stat status {};
             return ::lstat(QFile::encodeName(aside).constData(), &status) == 0 &&
                    S_ISFIFO(status.st_mode);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir fresh;
        dir.swap(fresh);
        c.damage(*this);
        auto log = open();
        EXPECT_TRUE(log->WasSetAside());
        EXPECT_EQ(log->SetAsidePath(), path() + kAside);
        EXPECT_TRUE(c.kept(path() + kAside));
        EXPECT_TRUE(log->AddChild("Ala"));
        EXPECT_FALSE(QFileInfo::exists(path() + "-wal" + kAside));
    }
}

TEST_F(PracticeLogTest, ChildrenHaveShortUniqueNamesInAnyScript) {
    auto log = open();
    ASSERT_TRUE(log->AddChild("Ola"));
    const std::optional<qint64> zosia = log->AddChild("Zosia");
    using P = PracticeLog::Problem;
    struct Case {
        QString name;
        bool rename; // rename Zosia instead of adding
        P problem;
        QString stored;
    };
    const QString forty = QString(40, QChar(0x5c0f)); // 小 × 40
    const Case cases[] = {
        {"", false, P::EmptyName, {}},
        {"   \t", false, P::EmptyName, {}},
        {QString(41, 'a'), false, P::NameTooLong, {}},
        {forty, false, P::None, forty},
        {QString::fromUtf8("  Zażółć Gęślą  "), false, P::None, QString::fromUtf8("Zażółć Gęślą")},
        {QString::fromUtf8("Світлана"), false, P::None, QString::fromUtf8("Світлана")},
        {QString::fromUtf8("小明"), false, P::None, QString::fromUtf8("小明")},
        {"Ola", false, P::NameTaken, {}},
        {" Ola ", false, P::NameTaken, {}},
        {"Ola", true, P::NameTaken, {}},
        {"", true, P::EmptyName, {}},
        {"Zosia", true, P::None, "Zosia"},
        {QString::fromUtf8("Zośka"), true, P::None, QString::fromUtf8("Zośka")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const bool ok = c.rename ? log->RenameChild(*zosia, c.name) : bool(log->AddChild(c.name));
        EXPECT_EQ(ok, c.problem == P::None);
        EXPECT_EQ(log->LastProblem(), c.problem);
        if (ok) {
            const auto children = log->Children();
            EXPECT_TRUE(std::any_of(children->begin(), children->end(),
                                    [&](const auto& child) { return child.name == c.stored; }));
        }
    }
    EXPECT_FALSE(log->RenameChild(999, "Nikt"));
    EXPECT_EQ(log->LastProblem(), P::NotFound);
}

TEST_F(PracticeLogTest, RemovingAChildTakesItsGamesAndAttempts) {
    auto log = open();
    const qint64 ala = *log->AddChild("Ala");
    const qint64 ola = *log->AddChild("Ola");
    for (std::optional<qint64> child :
         {std::optional(ala), std::optional(ola), std::optional<qint64>()}) {
        const qint64 game =
            *log->BeginGame({child, CStatRec::Memory, 1, WordBits::Sz, WordBits::Naglos, {}});
        ASSERT_TRUE(log->AddAttempt(game, attempt("szafa", PracticeLog::Outcome::Correct)));
        ASSERT_TRUE(log->AddAttempt(game, attempt("szafa", PracticeLog::Outcome::Wrong)));
    }
    ASSERT_TRUE(log->RemoveChild(ala));
    EXPECT_FALSE(log->RemoveChild(ala));
    EXPECT_EQ(log->LastProblem(), PracticeLog::Problem::NotFound);
    log.reset();
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM games"), "2");
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM attempts"), "4");
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM games WHERE child_id = 1"), "0");
}

TEST_F(PracticeLogTest, AnIdleRunIsKeptOnlyWithAnAttempt) {
    auto log = open();
    struct Case {
        bool attempted, idle, kept;
    };
    for (const Case c : {Case{false, true, false}, Case{true, true, true}, Case{false, false, true},
                         Case{true, false, true}}) {
        const qint64 game = *log->BeginGame({std::nullopt, CStatRec::Spadajace, 2, 1, 0x1000, {}});
        if (c.attempted) {
            ASSERT_TRUE(log->AddAttempt(game, attempt("szafa", PracticeLog::Outcome::Hint)));
        }
        ASSERT_TRUE(log->FinishGame(game, {130, false, 0, 0, 1, c.idle}));
        const QByteArray sql = "SELECT COUNT(*) FROM games WHERE id = " + QByteArray::number(game);
        EXPECT_EQ(query(path(), sql.constData()), c.kept ? "1" : "0") << c.attempted << c.idle;
    }
    EXPECT_FALSE(log->FinishGame(999, {}));
    EXPECT_FALSE(log->AddAttempt(999, attempt("szafa", PracticeLog::Outcome::Hint)));
    EXPECT_EQ(log->LastProblem(), PracticeLog::Problem::NotFound);
}

TEST_F(PracticeLogTest, AStatisticsFileIsImportedOnce) {
    const QString stt = dir.filePath(CStatRec::FileName(1));
    StatFile stats(stt, 1, [] { return kNow; });
    ASSERT_TRUE(stats.Prepare());
    // The last record has no real start time and cannot be dated: it is left out.
    for (std::int32_t kind :
         {CStatRec::Podpisywanie, CStatRec::Memory, CStatRec::Spadajace, CStatRec::Uzupelnianie}) {
        StatRecord record;
        record.kind = kind;
        if (kind != CStatRec::Uzupelnianie)
            SystemTime::fromTimePoint(floor<milliseconds>(kNow), record.start);
        record.correct = 1;
        char bytes[StatRecord::Size];
        record.Encode(bytes);
        ASSERT_TRUE(stats.Append(bytes));
    }
    auto log = open();
    const qint64 ala = *log->AddChild("Ala");
    EXPECT_EQ(log->ImportStatFile(stt, ala), 3);
    EXPECT_EQ(log->ImportStatFile(dir.path() + "/./" + CStatRec::FileName(1)), 0);
    EXPECT_FALSE(log->ImportStatFile(dir.filePath("prgst2.stt")));
    EXPECT_EQ(log->LastProblem(), PracticeLog::Problem::NoFile);
    log.reset();
    EXPECT_EQ(query(path(), "SELECT group_concat(kind || ':' || correct || ':' || started) FROM "
                            "games WHERE child_id = 1"),
              "1:1:2026-12-09T14:05:00Z,2:1:2026-12-09T14:05:00Z,4:1:2026-12-09T14:05:00Z");
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM attempts"), "0");
}

TEST_F(PracticeLogTest, AKilledWriterLeavesWholeAttemptsOfExistingGames) {
    const pid_t writer = ::fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
        PracticeLog log(path());
        if (!log.Open())
            ::_exit(1);
        const qint64 child = log.AddChild("Ala").value_or(0);
        for (int n = 0;; ++n) {
            const qint64 game =
                log.BeginGame({child, CStatRec::Memory, 1, 1, 0x1000, {}}).value_or(0);
            for (int i = 0; i < 25; ++i) {
                const QString word = QStringLiteral("slowo%1").arg(n * 25 + i);
                log.AddAttempt(game, {word,
                                      WordBits::Sz,
                                      WordBits::Naglos,
                                      PracticeLog::Outcome::Wrong,
                                      word + "?",
                                      {}});
            }
            log.FinishGame(game, {1, true, 0, 25, 0, false});
        }
    }
    std::this_thread::sleep_for(400ms);
    ::kill(writer, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself";
    {
        auto log = open();
        EXPECT_FALSE(log->WasSetAside());
    }
    EXPECT_EQ(query(path(), "PRAGMA integrity_check"), "ok");
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM pragma_foreign_key_check"), "0");
    EXPECT_NE(query(path(), "SELECT COUNT(*) FROM attempts"), "0");
    EXPECT_EQ(query(path(), "SELECT COUNT(*) FROM attempts a LEFT JOIN games g ON g.id = a.game_id "
                            "WHERE g.id IS NULL OR a.answer IS NOT a.word || '?' OR "
                            "a.word NOT LIKE 'slowo%' OR a.sound != 1 OR a.position != 4096 OR "
                            "a.outcome != 'wrong' OR length(a.at) != 20"),
              "0");
}

} // namespace
