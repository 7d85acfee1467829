// What the journal makes of the runs the statistics record tells it of: which runs get a row,
// with which figures and attempts, and that a log it cannot write costs the game nothing.
#include "cstatrec.h"
#include "custgry.h"
#include "practicejournal.h"
#include "practicelog.h"
#include "wordbits.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

using Outcome = AnswerSink::Outcome;

struct PlayedRun {
    const char* name;
    std::vector<Outcome> answers;
    bool idle;
    int gamesKept;       // rows in games afterwards
    const char* figures; // correct|wrong|hints|idle of the row, empty for none
};

QString rows(sqlite3* db, const char* sql) {
    sqlite3_stmt* stmt = nullptr;
    QStringList out;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK)
        while (sqlite3_step(stmt) == SQLITE_ROW) {
            QStringList columns;
            for (int i = 0; i < sqlite3_column_count(stmt); ++i)
                columns << QString::fromUtf8(
                    reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)));
            out << columns.join(u'|');
        }
    sqlite3_finalize(stmt);
    return out.join(u';');
}

TEST(PracticeJournalTest, KeepsEveryRunWithAnAnswerAndTheFiguresOfTheStatistics) {
    const PlayedRun runs[] = {
        {"answered", {Outcome::Correct, Outcome::Wrong, Outcome::Hint}, false, 1, "1|1|1|0"},
        // The statistics file drops it; the log keeps what the child did, marked.
        {"idle with answers", {Outcome::Correct}, true, 1, "1|0|0|1"},
        {"idle without answers", {}, true, 0, ""},
        // Stopped at once: the statistics file has it, so has the log.
        {"no answers", {}, false, 1, "0|0|0|0"},
    };
    for (const PlayedRun& run : runs) {
        SCOPED_TRACE(run.name);
        QTemporaryDir dir;
        PracticeLog log(dir.filePath(QStringLiteral("dziennik.sqlite")));
        ASSERT_TRUE(log.Open());
        const qint64 child = *log.AddChild(QStringLiteral("Ala"));
        PracticeJournal journal(&log, child);
        // A short idle interval, ended by running the timer's events.
        CStatRec stats(1, dir.path(), {}, run.idle ? 1 : 600000);
        stats.SetAnswerSink(&journal);
        CUstGry settings(QStringLiteral("Memory"));
        stats.BeginGame(CStatRec::Memory, settings);
        for (Outcome outcome : run.answers) {
            if (outcome == Outcome::Correct)
                stats.AddCorrect();
            else if (outcome == Outcome::Wrong)
                stats.AddWrong();
            else
                stats.AddHint();
            stats.Answered(outcome, QStringLiteral("szafa"),
                           WordBits::Sz | WordBits::Naglos | WordBits::Drawn, QStringLiteral("sz"));
        }
        if (run.idle)
            while (stats.IsActive())
                QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        stats.EndGame();
        EXPECT_EQ(stats.WriteGame(true), !run.idle);
        EXPECT_EQ(rows(log.Connection(), "SELECT count(*) FROM games"),
                  QString::number(run.gamesKept));
        EXPECT_EQ(rows(log.Connection(), "SELECT correct, wrong, hints, idle FROM games"),
                  QString::fromUtf8(run.figures));
        if (!run.answers.empty()) {
            EXPECT_EQ(rows(log.Connection(), "SELECT DISTINCT word, sound, position, answer, "
                                             "g.child_id FROM attempts JOIN games g "
                                             "ON g.id = game_id"),
                      QStringLiteral("szafa|1|4096|sz|%1").arg(child));
        }
    }
}

TEST(PracticeJournalTest, AClosedLogLeavesTheStatisticsAsTheyWere) {
    QTemporaryDir dir;
    PracticeLog log(dir.filePath(QStringLiteral("dziennik.sqlite"))); // never opened
    PracticeJournal journal(&log, std::nullopt);
    CStatRec stats(1, dir.path());
    stats.SetAnswerSink(&journal);
    CUstGry settings(QStringLiteral("Memory"));
    stats.BeginGame(CStatRec::Memory, settings);
    stats.AddCorrect();
    stats.Answered(Outcome::Correct, QStringLiteral("szafa"), WordBits::Sz);
    stats.EndGame();
    EXPECT_TRUE(stats.WriteGame(true));
    EXPECT_FALSE(journal.CurrentGame());
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
